#include "reguly.h"

#include <QString>
#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "model/druk.h"
#include "platform/cp1250.h"

namespace formularze {

namespace {

std::vector<int> Zakres(std::initializer_list<std::pair<int, int>> przedzialy) {
  std::vector<int> wynik;
  for (const auto& [od, ido] : przedzialy)
    for (int i = od; i <= ido; ++i) wynik.push_back(i);
  return wynik;
}

// Block fields `pierwsze`.. copied in order into form fields `od`..
void Dopisz(std::vector<PoleOsoby>& mapa, int pierwsze, int ostatnie, int od) {
  for (int p = pierwsze; p <= ostatnie; ++p) mapa.push_back({od + p - pierwsze, p});
}

std::vector<PoleOsoby> OsobyPit37() {
  std::vector<PoleOsoby> m{{0, 0}, {7, 1}};
  Dopisz(m, 2, 7, 10);
  Dopisz(m, 9, 15, 16);
  m.push_back({140, 8});
  m.push_back({1, 0});
  Dopisz(m, 2, 7, 23);
  Dopisz(m, 9, 15, 29);
  m.push_back({141, 8});
  return m;
}

std::vector<PoleOsoby> OsobyPitO() {
  std::vector<PoleOsoby> m{{0, 0}};
  Dopisz(m, 2, 5, 4);
  m.push_back({1, 0});
  Dopisz(m, 2, 5, 8);
  return m;
}

std::vector<PoleOsoby> OsobyPitD() {
  std::vector<PoleOsoby> m{{0, 0}};
  Dopisz(m, 2, 7, 3);
  Dopisz(m, 9, 15, 9);
  m.push_back({56, 8});
  m.push_back({1, 0});
  Dopisz(m, 2, 7, 16);
  Dopisz(m, 9, 15, 22);
  m.push_back({57, 8});
  return m;
}

std::vector<PoleOsoby> OsobyPit2K() {
  std::vector<PoleOsoby> m;
  for (const int baza : {0, 13}) {
    m.push_back({baza == 0 ? 0 : 1, 0});
    m.push_back({baza + 2, 2});
    m.push_back({baza + 3, 3});
    m.push_back({baza + 4, 5});
    m.push_back({baza + 5, 4});
    m.push_back({baza + 6, 6});
    m.push_back({baza + 7, 7});
    Dopisz(m, 9, 15, baza + 8);
  }
  return m;
}

// PIT-36L and PIT-38 share the person's fields but for the country, which each appended at its own end.
std::vector<PoleOsoby> OsobyPit36LIPit38(int kraj) {
  std::vector<PoleOsoby> m{{0, 0}, {2, 1}};
  Dopisz(m, 2, 7, 5);
  Dopisz(m, 9, 15, 11);
  m.push_back({kraj, 8});
  return m;
}

std::vector<PoleOsoby> OsobyZalacznika() {
  std::vector<PoleOsoby> m{{0, 0}};
  Dopisz(m, 2, 5, 2);
  return m;
}

// The PIT/B keeps its attachment count in field 2, so the person starts one field later.
std::vector<PoleOsoby> OsobyPitB() {
  std::vector<PoleOsoby> m{{0, 0}};
  Dopisz(m, 2, 5, 3);
  return m;
}

std::vector<PoleOsoby> OsobyPit28() {
  std::vector<PoleOsoby> m{{0, 0}, {2, 1}};
  Dopisz(m, 2, 5, 5);
  m.push_back({9, 8});
  m.push_back({10, 6});
  m.push_back({11, 7});
  Dopisz(m, 9, 15, 12);
  return m;
}

std::vector<PoleOsoby> OsobyNip() {
  std::vector<PoleOsoby> m{{0, 0}, {7, 5}, {8, 2}, {9, 3}, {13, 4}, {39, 6}, {40, 7}};
  Dopisz(m, 9, 15, 41);
  m.push_back({38, 8});
  return m;
}

const std::vector<RegulyFormularza>& Tablica() {
  static const std::vector<RegulyFormularza> tablica = {
      {Pit37, "PIT-37", 3, Zakres({{36, 116}, {132, 132}, {136, 137}, {142, 143}}), {3, 4, 5, 6}, OsobyPit37(), 143},
      {PitO, "PIT/O", 3, Zakres({{3, 3}, {12, 23}, {26, 33}, {35, 36}, {39, 42}, {65, 66}}),
       Zakres({{73, 97}, {102, 127}, {132, 157}, {161, 186}, {192, 217}, {219, 219}}), OsobyPitO(), 219},
      {PitD, "PIT/D", 2, Zakres({{29, 35}, {38, 55}}), {}, OsobyPitD(), 57},
      {Pit2K, "PIT/2K", 2, {}, {}, OsobyPit2K(), 27},
      // The rate 28 is read too, but its default is the 19 of the law, not "0,00".
      {Pit36L, "PIT-36L", 3, Zakres({{21, 30}, {32, 34}, {36, 38}, {41, 63}, {109, 109}, {112, 114}}), {19},
       OsobyPit36LIPit38(111), 114},
      {Pit38, "PIT-38", 2, Zakres({{18, 27}, {29, 42}, {60, 60}}), {}, OsobyPit36LIPit38(62), 62},
      {PitZ, "PIT/Z", 2, Zakres({{6, 26}, {28, 35}}), {}, OsobyZalacznika(), 35},
      {PitZG, "PIT/ZG", 1, Zakres({{8, 28}}), {}, OsobyZalacznika(), 28},
      // SSE-R takes no part in the identification exchange.
      {SseR, "SSE-R", 4, Zakres({{14, 18}, {22, 55}, {57, 81}}), {}, {}, 81},
      {Pit28, "PIT-28", 4, Zakres({{19, 102}, {104, 104}, {108, 122}, {143, 143}, {146, 146}, {149, 149}}), {},
       OsobyPit28(), 149},
      {Pit28A, "PIT-28/A", 1, Zakres({{15, 28}}), {}, OsobyZalacznika(), 28},
      {Pit28B, "PIT-28/B", 2, Zakres({{24, 51}, {71, 108}}), {}, OsobyZalacznika(), 112},
      {PitM, "PIT/M", 1, Zakres({{6, 27}, {30, 31}}), {28, 29}, OsobyZalacznika(), 31},
      {PitB, "PIT/B", 2, Zakres({{10, 12}, {16, 18}, {21, 21}, {26, 31}, {34, 34}, {38, 43}, {46, 46}, {50, 59}}), {},
       OsobyPitB(), 59},
      {Nip1, "NIP-1", 4, {}, {}, OsobyNip(), 47},
      {Nip3, "NIP-3", 2, {}, {}, OsobyNip(), 47},
  };
  return tablica;
}

bool JestKwota(const std::string& t) {
  std::size_t i = (!t.empty() && t[0] == '-') ? 1 : 0;
  std::size_t cyfry = 0, przecinki = 0;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9')
      ++cyfry;
    else if (t[i] == ',')
      ++przecinki;
    else
      return false;
  }
  return cyfry > 0 && przecinki <= 1;
}

bool JestLiczbaCala(const std::string& t) {
  return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::size_t DlugoscCp1250(const std::string& utf8) { return QString::fromUtf8(utf8).size(); }

bool DaSieZakodowac(const std::string& utf8) {
  const QString q = QString::fromUtf8(utf8);
  return platform::ZCp1250(platform::DoCp1250(q)) == q;
}

const char* NazwaTypu(int typ) {
  static constexpr std::array<const char*, 7> nazwy = {"Text", "Liczba", "NIP", "Data", "Select", "Checbox", "Radio"};
  return typ >= 0 && typ < 7 ? nazwy[static_cast<std::size_t>(typ)] : "?";
}

class Kontrola {
 public:
  Kontrola(const Zrodlo& z, const RegulyFormularza& r) : z_(z), r_(r) {}

  std::vector<Blad> Wykonaj() {
    Naglowek();
    Wiersze();
    for (std::size_t i = 0; i < z_.pola.size(); ++i) SprawdzPole(static_cast<int>(i), z_.pola[i]);
    Liczby();
    Osoby();
    Nazwy();
    Kolejnosc();
    std::stable_sort(bledy_.begin(), bledy_.end(), [](const Blad& a, const Blad& b) { return a.wiersz < b.wiersz; });
    return std::move(bledy_);
  }

 private:
  void Zglos(int linia, const char* regula, std::string opis) {
    bledy_.push_back(Blad{z_.plik, linia, regula, std::move(opis)});
  }

  static std::string Nr(int i) { return "field " + std::to_string(i); }

  void Naglowek() {
    if (z_.kod != r_.kod) {
      Zglos(z_.kodLinia, "form-code",
            "the source is form " + std::to_string(z_.kod) + ", the rules are those of " + std::to_string(r_.kod));
    }
    if (z_.symbol != r_.symbol) {
      Zglos(z_.kodLinia, "form-code",
            "form " + std::to_string(r_.kod) + " is \"" + r_.symbol + "\", not \"" + z_.symbol + "\"");
    }
    if (z_.liczbaStron != r_.liczbaStron) {
      Zglos(z_.stronyLinia, "page-count",
            r_.symbol + " has " + std::to_string(r_.liczbaStron) + " pages in the catalogue, the source gives " +
                std::to_string(z_.liczbaStron));
    }
    if (static_cast<int>(z_.strony.size()) != z_.liczbaStron) {
      const int linia = z_.strony.empty() ? z_.stronyLinia : z_.strony.back().linia;
      Zglos(linia, "page-count",
            "the source lays out " + std::to_string(z_.strony.size()) + " pages of " + std::to_string(z_.liczbaStron));
    }
    if (static_cast<int>(z_.pola.size()) > kMaksObiektow) {
      Zglos(z_.pola[kMaksObiektow].linia, "object-limit",
            "a form has at most " + std::to_string(kMaksObiektow) + " objects; this one has " +
                std::to_string(z_.pola.size()));
    }
    if (static_cast<int>(z_.pola.size()) <= r_.najwyzszyIndeks) {
      Zglos(z_.pola.empty() ? z_.kodLinia : z_.pola.back().linia, "object-count",
            "the computations name field " + std::to_string(r_.najwyzszyIndeks) + ", the source ends at " +
                std::to_string(static_cast<int>(z_.pola.size()) - 1));
    }
  }

  struct Zajetosc {
    int strona = 0;
    const Element* element = nullptr;
    std::vector<std::pair<int, int>> zajete;  // [first, last] columns
  };

  void Zajmij(Zajetosc& w, int c, int s, int linia, const std::string& co) {
    if (s < 1 || c < 0 || c + s > kKolumny) {
      Zglos(linia, "place",
            co + " spans columns " + std::to_string(c) + "+" + std::to_string(s) + ", outside the grid of " +
                std::to_string(kKolumny));
      return;
    }
    for (const auto& [a, b] : w.zajete) {
      if (c <= b && c + s - 1 >= a) {
        Zglos(linia, "place", co + " overlaps another cell of row " + w.element->id);
        return;
      }
    }
    w.zajete.push_back({c, c + s - 1});
  }

  void Wiersze() {
    for (const Strona& s : z_.strony) {
      for (const Element& e : s.elementy) {
        if (e.rodzaj != RodzajElementu::Wiersz && e.rodzaj != RodzajElementu::Naglowek) continue;
        if (wiersze_.count(e.id)) {
          Zglos(e.linia, "place", "row id " + e.id + " is used twice");
          continue;
        }
        Zajetosc& w = wiersze_[e.id];
        w.strona = s.numer;
        w.element = &e;
        if (e.szerokoscEtykiety > 0) Zajmij(w, 0, e.szerokoscEtykiety, e.linia, "the label");
        for (const Komorka& k : e.komorki) Zajmij(w, k.kolumna, k.szerokosc, k.linia, "a cell");
      }
    }
  }

  void SprawdzPole(int i, const Pole& p) {
    if (p.indeks != i) {
      Zglos(p.linia, "contiguous-indexes",
            "expected index " + std::to_string(i) + ", found " + std::to_string(p.indeks) +
                " (indexes run from 0 without gaps)");
    }
    const std::string kto = Nr(p.indeks);

    const auto w = wiersze_.find(p.miejsce.wiersz);
    if (w == wiersze_.end() || w->second.element->rodzaj != RodzajElementu::Wiersz) {
      Zglos(p.linia, "place", kto + " is placed in row " + p.miejsce.wiersz + ", which the layout has not");
    } else if (w->second.strona != p.miejsce.strona) {
      Zglos(p.linia, "place",
            kto + " is placed on page " + std::to_string(p.miejsce.strona) + " but row " + p.miejsce.wiersz +
                " lies on page " + std::to_string(w->second.strona));
    } else {
      Zajmij(w->second, p.miejsce.kolumna, p.miejsce.szerokosc, p.linia, kto);
    }

    switch (p.typ) {
      case Text:
        if (p.format != 0) Zglos(p.linia, "type-format", kto + ": a Text has Format 0");
        break;
      case Liczba:
        if (p.format != FormatDziesietna && p.format != FormatCalkowita && p.format != FormatZaokrGroszy &&
            p.format != FormatZaokrZloty) {
          Zglos(p.linia, "type-format", kto + ": a Liczba has Format 1, 2, 11 or 12");
        }
        if (p.format != FormatCalkowita && !JestKwota(p.domyslna)) {
          Zglos(p.linia, "amount-default",
                kto +
                    ": an amount is drawn as a number, so its default must be one, "
                    "not \"" +
                    p.domyslna + "\"");
        }
        break;
      case NIP:
        if (p.format != NipOsobaFizyczna && p.format != NipOsobaPrawna)
          Zglos(p.linia, "type-format", kto + ": a NIP has Format 1 or 2");
        break;
      case Data:
        if (p.format != 0 && p.format != 1) Zglos(p.linia, "type-format", kto + ": a Data has Format 0 or 1");
        break;
      case Checbox:
        if (p.format != 0) {
          Zglos(p.linia, "checkbox-format",
                kto +
                    ": a check box has Format 0, so that a new record starts "
                    "unticked");
        }
        break;
      default:
        break;
    }
    if (p.limit < 0 || p.limit > 254) Zglos(p.linia, "limit", kto + ": LimitZnakow lies in 0..254");
    if (p.wyrownanie == Justuj && p.typ != Data && p.limit <= 0)
      Zglos(p.linia, "limit", kto + ": a field drawn one character per cell needs LimitZnakow as its cell count");
    if (DlugoscCp1250(p.domyslna) > 254 || (p.limit > 0 && static_cast<int>(DlugoscCp1250(p.domyslna)) > p.limit))
      Zglos(p.linia, "limit", kto + ": the default is longer than the field takes");
    for (const std::string* t : {&p.nazwa, &p.poz, &p.domyslna, &p.opis}) {
      if (!DaSieZakodowac(*t)) Zglos(p.linia, "encoding", kto + ": \"" + *t + "\" has a character Windows-1250 lacks");
    }
  }

  const Pole* Znajdz(int indeks) const {
    return indeks >= 0 && indeks < static_cast<int>(z_.pola.size()) ? &z_.pola[static_cast<std::size_t>(indeks)]
                                                                    : nullptr;
  }

  void Liczby() {
    for (const int i : r_.liczbowe) {
      const Pole* p = Znajdz(i);
      if (p && (p->typ != Liczba || p->domyslna != "0,00")) {
        Zglos(p->linia, "numeric-field",
              Nr(i) +
                  " is read as a number by the computation: it must be a Liczba with "
                  "default \"0,00\" (it is a " +
                  NazwaTypu(p->typ) + " with default \"" + p->domyslna + "\")");
      }
    }
    for (const int i : r_.polaWyboru) {
      const Pole* p = Znajdz(i);
      if (p && p->typ != Checbox)
        Zglos(p->linia, "checkbox", Nr(i) + " is a check box for the computation, not a " + NazwaTypu(p->typ));
    }
  }

  void Osoby() {
    for (const PoleOsoby& o : r_.osoby) {
      const Pole* p = Znajdz(o.indeks);
      if (!p) continue;
      const int szerokosc = static_cast<int>(TOsoba::kSzerokosci[static_cast<std::size_t>(o.pole)]);
      const std::string kto = Nr(o.indeks) + " meets Pole" + (o.pole < 10 ? "0" : "") + std::to_string(o.pole);
      if (p->limit < 1 || p->limit > szerokosc - 1) {
        Zglos(p->linia, "identification",
              kto + " of " + std::to_string(szerokosc) + " bytes: LimitZnakow must lie in 1.." +
                  std::to_string(szerokosc - 1) + ", not " + std::to_string(p->limit));
      }
      const TypObiektu typ = o.pole == 0 ? NIP : o.pole == 4 ? Data : Text;
      if (p->typ != typ) {
        Zglos(p->linia, "identification", kto + ": it must be a " + NazwaTypu(typ) + ", not a " + NazwaTypu(p->typ));
      }
    }
  }

  void Nazwy() {
    std::map<std::string, std::vector<const Pole*>> nazwy;
    for (const Pole& p : z_.pola) {
      const std::string n = NazwaObiektu(p);
      if (n.empty() || DlugoscCp1250(n) > 14) Zglos(p.linia, "name", Nr(p.indeks) + ": a Nazwa has 1 to 14 characters");
      nazwy[n].push_back(&p);
    }
    for (const auto& [nazwa, pola] : nazwy) {
      if (pola.size() < 2) continue;
      const bool grupa = std::all_of(pola.begin(), pola.end(), [](const Pole* p) { return p->typ == Checbox; });
      if (!grupa) {
        Zglos(pola[1]->linia, "checkbox-group",
              Nr(pola[1]->indeks) + " shares the name \"" + nazwa + "\" with " + Nr(pola[0]->indeks) +
                  "; only the check boxes of one group do");
        continue;
      }
      for (const Pole* p : pola) {
        if (p->miejsce.strona != pola[0]->miejsce.strona) {
          Zglos(p->linia, "checkbox-group",
                Nr(p->indeks) + ": the check boxes of group \"" + nazwa + "\" lie on one page");
        }
      }
    }
  }

  // Printed position numbers rise in reading order: page, row, column.
  void Kolejnosc() {
    std::map<std::string, std::vector<std::pair<int, std::pair<int, std::string>>>> wWierszu;  // col, (line, poz)
    for (const Pole& p : z_.pola) {
      if (p.typ == Checbox || p.poz.empty()) continue;
      wWierszu[p.miejsce.wiersz].push_back({p.miejsce.kolumna, {p.linia, p.poz}});
    }
    long poprzedni = 0;
    std::set<long> uzyte;
    for (const Strona& s : z_.strony) {
      for (const Element& e : s.elementy) {
        if (e.rodzaj != RodzajElementu::Wiersz) continue;
        auto komorki = wWierszu[e.id];
        for (const Komorka& k : e.komorki)
          if (k.rodzaj == RodzajKomorki::Ramka && !k.poz.empty()) komorki.push_back({k.kolumna, {k.linia, k.poz}});
        std::sort(komorki.begin(), komorki.end());
        for (const auto& [kolumna, lp] : komorki) {
          const auto& [linia, poz] = lp;
          if (!JestLiczbaCala(poz)) {
            Zglos(linia, "position-number", "the printed position \"" + poz + "\" is not a number");
            continue;
          }
          const long n = std::stol(poz);
          if (uzyte.count(n))
            Zglos(linia, "position-number", "position " + poz + " is printed twice");
          else if (n < poprzedni)
            Zglos(linia, "position-number",
                  "position " + poz + " follows position " + std::to_string(poprzedni) + " in reading order");
          uzyte.insert(n);
          poprzedni = std::max(poprzedni, n);
        }
      }
    }
  }

  const Zrodlo& z_;
  const RegulyFormularza& r_;
  std::map<std::string, Zajetosc> wiersze_;
  std::vector<Blad> bledy_;
};

}  // namespace

const RegulyFormularza* RegulyDla(int kod) {
  for (const auto& r : Tablica())
    if (r.kod == kod) return &r;
  return nullptr;
}

std::vector<Blad> Sprawdz(const Zrodlo& zrodlo, const RegulyFormularza& reguly) {
  return Kontrola(zrodlo, reguly).Wykonaj();
}

}  // namespace formularze
