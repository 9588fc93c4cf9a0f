#include "uklad.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string_view>

namespace formularze {

namespace {

// Advance widths of Arial (and Liberation Sans, which shares them) in thousandths of an em, characters 32..126.
constexpr std::array<short, 95> kZwykle = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,  278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667,  611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278,  556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500,  500, 334, 260, 334, 584};
constexpr std::array<short, 95> kPogrubione = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611, 975, 722, 722, 722, 722, 667,
    611, 778, 722, 278, 556, 722, 611, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667,
    667, 611, 333, 278, 333, 584, 556, 333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556,
    278, 889, 611, 611, 611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};

// The Latin letter a Polish letter is drawn on; 0 for other characters.
char Podstawa(char32_t c) {
  constexpr std::u32string_view kPolskie = U"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";
  constexpr std::string_view kLacinskie = "acelnoszzACELNOSZZ";
  const auto i = kPolskie.find(c);
  return i == std::u32string_view::npos ? 0 : kLacinskie[i];
}

std::vector<char32_t> Znaki(const std::string& s) {
  std::vector<char32_t> wynik;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    int n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : 4;
    char32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < n && i + static_cast<std::size_t>(k) < s.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
    wynik.push_back(c);
    i += static_cast<std::size_t>(n);
  }
  return wynik;
}

int Szerokosc(char32_t c, bool pogrubiony) {
  if (const char p = Podstawa(c)) c = static_cast<char32_t>(p);
  if (c >= 32 && c < 127) return (pogrubiony ? kPogrubione : kZwykle)[c - 32];
  if (c == U'„' || c == U'”') return pogrubiony ? 500 : 333;
  if (c == U'—') return 1000;
  return 556;
}

// A little room for the fallback fonts, which run wider.
constexpr double kZapas = 1.04;

// Sizes in display pixels.
constexpr double kPismoOpisu = 7.5;
constexpr double kWierszOpisu = 9;
constexpr double kPismoGlowki = 7;
constexpr double kWierszGlowki = 8.5;
constexpr int kWysokoscPola = 18;
constexpr int kBokKwadratu = 14;
constexpr int kMaksKomorka = 16;
constexpr int kDolStrony = kWysokoscStrony - 26;
constexpr int kPrawyMargines = kLewyMargines + kSzerokoscKolumny * kKolumny;

int X(int kolumna) { return kLewyMargines + kSzerokoscKolumny * kolumna; }

std::string Numer(const std::string& poz) { return poz.empty() ? std::string() : poz + "."; }

std::vector<std::string> ZawinOdWciecia(const std::string& tekst, double rozmiar, bool pogrubiony, double szerokosc,
                                        double wciecie);

// The caption of a box: the position number in bold, then the text, whose first line starts after the number.
std::vector<std::string> LinieOpisu(const std::string& poz, const std::string& opis, double szerokosc) {
  const std::string numer = Numer(poz);
  const double wciecie = numer.empty() ? 0 : SzerokoscTekstu(numer + " ", kPismoOpisu, true);
  auto linie = ZawinOdWciecia(opis, kPismoOpisu, false, szerokosc, wciecie);
  if (linie.empty()) linie.emplace_back();
  return linie;
}

// A row label that starts with its number ("7. Sposób opodatkowania") shows the number in bold, like a box.
struct Etykieta {
  std::string numer;
  std::vector<std::string> linie;
};

Etykieta LinieEtykiety(const std::string& tekst, double szerokosc) {
  std::size_t n = 0;
  while (n < tekst.size() && tekst[n] >= '0' && tekst[n] <= '9') ++n;
  if (n > 0 && n + 1 < tekst.size() && tekst[n] == '.' && tekst[n + 1] == ' ') {
    const std::string cyfry = tekst.substr(0, n);
    return {Numer(cyfry), LinieOpisu(cyfry, tekst.substr(n + 2), szerokosc)};
  }
  return {{}, Zawin(tekst, kPismoOpisu, false, szerokosc)};
}

class Ukladacz {
 public:
  explicit Ukladacz(const Zrodlo& z) : z_(z) {
    for (const Pole& p : z.pola) wWierszu_[p.miejsce.wiersz].push_back(&p);
    uklad_.pola.resize(z.pola.size());
  }

  Uklad Wykonaj() {
    for (const Strona& s : z_.strony) {
      uklad_.strony.emplace_back();
      rys_ = &uklad_.strony.back();
      int y = 20;
      for (const Element& e : s.elementy) {
        const int h = Wysokosc(e);
        if (y + h > kDolStrony) {
          uklad_.bledy.push_back(Blad{z_.plik, e.linia, "page-overflow",
                                      "page " + std::to_string(s.numer) + " runs " +
                                          std::to_string(y + h - kDolStrony) + " pixels past its foot"});
        }
        Rysuj(e, y, y + h);
        y += h;
      }
      Stopka(s.numer);
    }
    return std::move(uklad_);
  }

 private:
  void DodajKsztalt(Styl styl, int l, int g, int p, int d) { rys_->ksztalty.push_back(Ksztalt{styl, {l, g, p, d}}); }
  void DodajNapis(double x, double y, double r, bool b, Kotwica k, std::string tekst) {
    if (!tekst.empty()) rys_->napisy.push_back(Napis{x, y, r, b, k, std::move(tekst)});
  }

  // Lines of text from the top of a band: baseline of line i. A position number goes in bold before the first
  // line; the width it takes is the same the wrapping left for it.
  void Linie(const std::vector<std::string>& linie, double x, double gora, double r, double krok, bool b, Kotwica k,
             const std::string& numer = {}) {
    for (std::size_t i = 0; i < linie.size(); ++i) {
      const double y = gora + r + krok * static_cast<double>(i);
      if (i == 0 && !numer.empty()) {
        if (k == Kotwica::Lewo) {
          DodajNapis(x, y, r, true, k, numer);
          DodajNapis(x + SzerokoscTekstu(numer + " ", r, true), y, r, b, k, linie[i]);
        } else {
          DodajNapis(x, y, r, b, k, numer + " " + linie[i]);
        }
      } else {
        DodajNapis(x, y, r, b, k, linie[i]);
      }
    }
  }

  static int Wysokosc(const std::vector<std::string>& linie, double krok, int zapas) {
    return static_cast<int>(std::ceil(static_cast<double>(linie.size()) * krok)) + zapas;
  }

  std::vector<const Pole*> Pola(const Element& e) const {
    const auto it = wWierszu_.find(e.id);
    return it == wWierszu_.end() ? std::vector<const Pole*>{} : it->second;
  }

  static int Wewnatrz(int szerokosc) { return szerokosc * kSzerokoscKolumny - 6; }

  int WysokoscPola(const Pole& p, bool tabela) const {
    const int w = Wewnatrz(p.miejsce.szerokosc);
    if (p.typ == Checbox) {
      if (p.miejsce.szerokosc == 1) {
        return 3 + Wysokosc(LinieOpisu(p.poz, p.opis, w), kWierszOpisu, 0) + 2 + kBokKwadratu + 3;
      }
      const auto linie = LinieOpisu(p.poz, p.opis, w - 20);
      return std::max(kBokKwadratu, Wysokosc(linie, kWierszOpisu, 0)) + 8;
    }
    const auto linie = tabela ? std::vector<std::string>{""} : LinieOpisu(p.poz, p.opis, w);
    return 3 + Wysokosc(linie, kWierszOpisu, 0) + 1 + kWysokoscPola + 3;
  }

  int Wysokosc(const Element& e) const {
    const int pelna = kPrawyMargines - kLewyMargines;
    switch (e.rodzaj) {
      case RodzajElementu::Tytul: {
        int h = 0;
        for (std::size_t i = 1; i < e.teksty.size(); ++i)
          h += Wysokosc(Zawin(e.teksty[i], 12.5, true, pelna - 175), 16, 0);
        return std::max(64, h + 16);
      }
      case RodzajElementu::Prawne:
        return Wysokosc(Zawin(e.teksty[1], kPismoGlowki, false, pelna - 4 * kSzerokoscKolumny - 6), kWierszGlowki, 5);
      case RodzajElementu::Sekcja:
        return Wysokosc(Zawin(e.teksty[0], 9, true, pelna - 8), 11, 7);
      case RodzajElementu::Podsekcja:
        return Wysokosc(Zawin(e.teksty[0], 8, true, pelna - 8), 10, 5);
      case RodzajElementu::Tekst:
        return Wysokosc(Zawin(e.teksty[0], kPismoGlowki, false, pelna - 8), kWierszGlowki, 6);
      case RodzajElementu::Odstep:
        return e.wysokosc;
      case RodzajElementu::Naglowek: {
        int h = 18;
        if (e.szerokoscEtykiety > 0)
          h = std::max(
              h, Wysokosc(Zawin(e.etykieta, kPismoGlowki, true, Wewnatrz(e.szerokoscEtykiety)), kWierszGlowki, 8));
        for (const Komorka& k : e.komorki)
          h = std::max(h, Wysokosc(Zawin(k.tekst, kPismoGlowki, true, Wewnatrz(k.szerokosc)), kWierszGlowki, 8));
        return std::max(h, e.wysokosc);
      }
      case RodzajElementu::Wiersz: {
        int h = 20;
        if (e.szerokoscEtykiety > 0)
          h = std::max(h, Wysokosc(LinieEtykiety(e.etykieta, Wewnatrz(e.szerokoscEtykiety)).linie, kWierszOpisu, 6));
        for (const Komorka& k : e.komorki) {
          if (k.rodzaj == RodzajKomorki::Ramka)
            h = std::max(h, 3 + Wysokosc(LinieOpisu(k.poz, k.tekst, Wewnatrz(k.szerokosc)), kWierszOpisu, 0) + 1 +
                                kWysokoscPola + 3);
        }
        for (const Pole* p : Pola(e)) h = std::max(h, WysokoscPola(*p, e.tabela));
        return std::max(h, e.wysokosc);
      }
    }
    return 0;
  }

  void Pasek(Styl styl, int g, int d) { DodajKsztalt(styl, kLewyMargines, g, kPrawyMargines, d); }
  void Separator(int x, int g, int d) {
    if (x > kLewyMargines && x < kPrawyMargines) DodajKsztalt(Styl::Linia, x, g, x, d);
  }

  void Rysuj(const Element& e, int g, int d) {
    const int pelna = kPrawyMargines - kLewyMargines;
    switch (e.rodzaj) {
      case RodzajElementu::Tytul: {
        Pasek(Styl::Tytul, g, d);
        const int granica = kLewyMargines + 5 * kSzerokoscKolumny;
        Separator(granica, g, d);
        DodajNapis((kLewyMargines + granica) / 2.0, (g + d) / 2.0 + 10, 28, true, Kotwica::Srodek, e.teksty[0]);
        std::vector<std::string> linie;
        for (std::size_t i = 1; i < e.teksty.size(); ++i) {
          const auto w = Zawin(e.teksty[i], 12.5, true, pelna - 175);
          linie.insert(linie.end(), w.begin(), w.end());
        }
        const double gora = (g + d) / 2.0 - static_cast<double>(linie.size()) * 16 / 2.0 - 2;
        Linie(linie, (granica + kPrawyMargines) / 2.0, gora, 12.5, 16, true, Kotwica::Srodek);
        break;
      }
      case RodzajElementu::Prawne: {
        Pasek(Styl::Tlo, g, d);
        DodajNapis(kLewyMargines + 3, g + 2 + kPismoGlowki, kPismoGlowki, true, Kotwica::Lewo, e.teksty[0]);
        const int x = X(4);
        Linie(Zawin(e.teksty[1], kPismoGlowki, false, pelna - 4 * kSzerokoscKolumny - 6), x + 3, g + 2, kPismoGlowki,
              kWierszGlowki, false, Kotwica::Lewo);
        break;
      }
      case RodzajElementu::Sekcja:
        Pasek(Styl::Sekcja, g, d);
        Linie(Zawin(e.teksty[0], 9, true, pelna - 8), kLewyMargines + 4, g + 3, 9, 11, true, Kotwica::Lewo);
        break;
      case RodzajElementu::Podsekcja:
        Pasek(Styl::Podsekcja, g, d);
        Linie(Zawin(e.teksty[0], 8, true, pelna - 8), kLewyMargines + 4, g + 2.5, 8, 10, true, Kotwica::Lewo);
        break;
      case RodzajElementu::Tekst:
        Pasek(Styl::Tlo, g, d);
        Linie(Zawin(e.teksty[0], kPismoGlowki, false, pelna - 8), kLewyMargines + 4, g + 3, kPismoGlowki, kWierszGlowki,
              false, Kotwica::Lewo);
        break;
      case RodzajElementu::Odstep:
        break;
      case RodzajElementu::Naglowek:
        RysujGlowke(e, g, d);
        break;
      case RodzajElementu::Wiersz:
        RysujWiersz(e, g, d);
        break;
    }
  }

  void RysujGlowke(const Element& e, int g, int d) {
    Pasek(Styl::Glowka, g, d);
    if (e.szerokoscEtykiety > 0) {
      Linie(Zawin(e.etykieta, kPismoGlowki, true, Wewnatrz(e.szerokoscEtykiety)), kLewyMargines + 3, g + 3,
            kPismoGlowki, kWierszGlowki, true, Kotwica::Lewo);
      Separator(X(e.szerokoscEtykiety), g, d);
    }
    for (const Komorka& k : e.komorki) {
      const auto linie = Zawin(k.tekst, kPismoGlowki, true, Wewnatrz(k.szerokosc));
      const double gora = (g + d) / 2.0 - static_cast<double>(linie.size()) * kWierszGlowki / 2.0 - 1.5;
      Linie(linie, (X(k.kolumna) + X(k.kolumna + k.szerokosc)) / 2.0, gora, kPismoGlowki, kWierszGlowki, true,
            Kotwica::Srodek);
      Separator(X(k.kolumna), g, d);
      Separator(X(k.kolumna + k.szerokosc), g, d);
    }
  }

  void RysujWiersz(const Element& e, int g, int d) {
    Pasek(Styl::Tlo, g, d);
    if (e.szerokoscEtykiety > 0) {
      const Etykieta etykieta = LinieEtykiety(e.etykieta, Wewnatrz(e.szerokoscEtykiety));
      Linie(etykieta.linie, kLewyMargines + 3, g + 2, kPismoOpisu, kWierszOpisu, false, Kotwica::Lewo, etykieta.numer);
      Separator(X(e.szerokoscEtykiety), g, d);
    }
    for (const Komorka& k : e.komorki) {
      const int l = X(k.kolumna), p = X(k.kolumna + k.szerokosc);
      Separator(l, g, d);
      Separator(p, g, d);
      if (k.rodzaj == RodzajKomorki::Pusta) {
        DodajKsztalt(Styl::Pusta, l, g, p, d);
        continue;
      }
      const auto linie = LinieOpisu(k.poz, k.tekst, Wewnatrz(k.szerokosc));
      Linie(linie, l + 3, g + 2, kPismoOpisu, kWierszOpisu, false, Kotwica::Lewo, Numer(k.poz));
      const int gora = g + 3 + Wysokosc(linie, kWierszOpisu, 0) + 1;
      DodajKsztalt(k.biala ? Styl::Biala : Styl::Szara, l + 3, std::min(gora, d - 3 - kWysokoscPola), p - 3, d - 3);
    }
    for (const Pole* p : Pola(e)) RysujPole(*p, e.tabela, g, d);
  }

  void RysujPole(const Pole& p, bool tabela, int g, int d) {
    const int l = X(p.miejsce.kolumna), r = X(p.miejsce.kolumna + p.miejsce.szerokosc);
    const int w = Wewnatrz(p.miejsce.szerokosc);
    Separator(l, g, d);
    Separator(r, g, d);
    Prostokat& ramka = uklad_.pola[static_cast<std::size_t>(p.indeks)];

    if (p.typ == Checbox) {
      if (p.miejsce.szerokosc == 1) {
        const auto linie = LinieOpisu(p.poz, p.opis, w);
        Linie(linie, (l + r) / 2.0, g + 2, kPismoOpisu, kWierszOpisu, false, Kotwica::Srodek, Numer(p.poz));
        const int x = (l + r - kBokKwadratu) / 2;
        ramka = {x, d - 3 - kBokKwadratu, x + kBokKwadratu, d - 3};
      } else {
        const auto linie = LinieOpisu(p.poz, p.opis, w - 20);
        const int srodek = (g + d) / 2;
        ramka = {l + 4, srodek - kBokKwadratu / 2, l + 4 + kBokKwadratu, srodek - kBokKwadratu / 2 + kBokKwadratu};
        const double gora = srodek - static_cast<double>(linie.size()) * kWierszOpisu / 2.0 - 1;
        Linie(linie, l + 4 + kBokKwadratu + 4, gora, kPismoOpisu, kWierszOpisu, false, Kotwica::Lewo, Numer(p.poz));
      }
      if (!p.ukryte) DodajKsztalt(Styl::Kwadrat, ramka.lewy, ramka.gorny, ramka.prawy, ramka.dolny);
      return;
    }

    const auto linie = tabela ? std::vector<std::string>{""} : LinieOpisu(p.poz, p.opis, w);
    Linie(linie, l + 3, g + 2, kPismoOpisu, kWierszOpisu, false, Kotwica::Lewo, Numer(p.poz));
    const int komorki = Komorki(p);
    int szerokosc = w;
    int krok = 0;
    if (komorki > 0) {
      krok = std::min(kMaksKomorka, w / komorki);
      szerokosc = krok * komorki;
    }
    const int dol = d - 3;
    const int gora = p.wielowierszowe ? std::min(g + 3 + Wysokosc(linie, kWierszOpisu, 0) + 1, dol - kWysokoscPola)
                                      : dol - kWysokoscPola;
    ramka = {l + 3, gora, l + 3 + szerokosc, dol};
    if (p.ukryte) return;
    DodajKsztalt(p.szare ? Styl::Szara : Styl::Biala, ramka.lewy, ramka.gorny, ramka.prawy, ramka.dolny);
    for (int k = 1; k < komorki; ++k) {
      const int x = ramka.lewy + k * krok;
      DodajKsztalt(Styl::Kreska, x, ramka.dolny - (ramka.dolny - ramka.gorny) / 3, x, ramka.dolny);
    }
  }

  // The cells a field is drawn in, one character each; a date always has ten, whatever its limit.
  static int Komorki(const Pole& p) {
    if (p.wyrownanie != Justuj) return 0;
    return p.typ == Data ? 10 : p.limit;
  }

  void Stopka(int numer) {
    const double y = kWysokoscStrony - 12;
    DodajNapis(kLewyMargines, y, 9, true, Kotwica::Lewo, z_.symbol);
    DodajNapis(kPrawyMargines, y, 8, false, Kotwica::Prawo, std::to_string(numer) + "/" + std::to_string(z_.liczbaStron));
  }

  const Zrodlo& z_;
  std::map<std::string, std::vector<const Pole*>> wWierszu_;
  Uklad uklad_;
  RysunekStrony* rys_ = nullptr;
};

}  // namespace

double SzerokoscTekstu(const std::string& tekst, double rozmiar, bool pogrubiony) {
  long suma = 0;
  for (const char32_t c : Znaki(tekst)) suma += Szerokosc(c, pogrubiony);
  return static_cast<double>(suma) * rozmiar / 1000.0 * kZapas;
}

namespace {

std::vector<std::string> ZawinOdWciecia(const std::string& tekst, double rozmiar, bool pogrubiony, double szerokosc,
                                        double wciecie) {
  std::vector<std::string> linie;
  std::string linia;
  std::size_t i = 0;
  while (i < tekst.size()) {
    const std::size_t spacja = std::min(tekst.find(' ', i), tekst.size());
    std::string slowo = tekst.substr(i, spacja - i);
    i = spacja + 1;
    if (slowo.empty()) continue;
    const std::string proba = linia.empty() ? slowo : linia + " " + slowo;
    const double miejsce = linie.empty() ? szerokosc - wciecie : szerokosc;
    if (SzerokoscTekstu(proba, rozmiar, pogrubiony) <= miejsce || (linia.empty() && wciecie == 0)) {
      linia = proba;
    } else {
      linie.push_back(linia);
      linia = slowo;
      wciecie = 0;
    }
  }
  if (!linia.empty()) linie.push_back(linia);
  return linie;
}

}  // namespace

std::vector<std::string> Zawin(const std::string& tekst, double rozmiar, bool pogrubiony, double szerokosc) {
  return ZawinOdWciecia(tekst, rozmiar, pogrubiony, szerokosc, 0);
}

Uklad Rozmiesc(const Zrodlo& zrodlo) { return Ukladacz(zrodlo).Wykonaj(); }

}  // namespace formularze
