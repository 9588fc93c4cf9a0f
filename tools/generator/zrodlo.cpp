#include "zrodlo.h"

#include <charconv>
#include <utility>

namespace formularze {

std::string Opis(const Blad& blad) {
  return blad.plik + ":" + std::to_string(blad.wiersz) + ": [" + blad.regula + "] " + blad.opis;
}

BladZrodla::BladZrodla(Blad blad) : std::runtime_error(Opis(blad)), blad_(std::move(blad)) {}

std::string NazwaObiektu(const Pole& pole) { return pole.nazwa.empty() ? std::to_string(pole.indeks + 1) : pole.nazwa; }

namespace {

struct Token {
  std::string tekst;
  bool cytat = false;  // written in quotes: taken literally, never a keyword or a dash
};

class Czytnik {
 public:
  Czytnik(std::string_view tekst, std::string plik) : tekst_(tekst), plik_(std::move(plik)) {}

  Zrodlo Czytaj() {
    zrodlo_.plik = plik_;
    std::size_t poczatek = 0;
    while (poczatek <= tekst_.size()) {
      const std::size_t koniec = std::min(tekst_.find('\n', poczatek), tekst_.size());
      ++linia_;
      std::string_view wiersz = tekst_.substr(poczatek, koniec - poczatek);
      if (!wiersz.empty() && wiersz.back() == '\r') wiersz.remove_suffix(1);
      CzytajWiersz(Tokeny(wiersz));
      poczatek = koniec + 1;
    }
    if (zrodlo_.kodLinia == 0) Zglos(1, "the source names no form (form <code> \"<symbol>\")");
    if (zrodlo_.stronyLinia == 0) Zglos(1, "the source gives no page count (pages <n>)");
    return std::move(zrodlo_);
  }

 private:
  [[noreturn]] void Zglos(int linia, const std::string& opis) const {
    throw BladZrodla(Blad{plik_, linia, "syntax", opis});
  }
  [[noreturn]] void Zglos(const std::string& opis) const { Zglos(linia_, opis); }

  std::vector<Token> Tokeny(std::string_view wiersz) const {
    std::vector<Token> wynik;
    std::size_t i = 0;
    while (i < wiersz.size()) {
      const char c = wiersz[i];
      if (c == ' ' || c == '\t') {
        ++i;
      } else if (c == '#') {
        break;
      } else if (c == '"') {
        Token t{{}, true};
        ++i;
        bool zamkniety = false;
        while (i < wiersz.size()) {
          if (wiersz[i] == '\\' && i + 1 < wiersz.size()) {
            t.tekst += wiersz[i + 1];
            i += 2;
          } else if (wiersz[i] == '"') {
            ++i;
            zamkniety = true;
            break;
          } else {
            t.tekst += wiersz[i++];
          }
        }
        if (!zamkniety) Zglos("a quoted text is not closed");
        wynik.push_back(std::move(t));
      } else {
        Token t;
        while (i < wiersz.size() && wiersz[i] != ' ' && wiersz[i] != '\t' && wiersz[i] != '"') t.tekst += wiersz[i++];
        wynik.push_back(std::move(t));
      }
    }
    return wynik;
  }

  int Calkowita(const Token& t, const char* co) const {
    int wynik = 0;
    const char* koniec = t.tekst.data() + t.tekst.size();
    const auto [p, ec] = std::from_chars(t.tekst.data(), koniec, wynik);
    if (t.cytat || t.tekst.empty() || ec != std::errc{} || p != koniec) {
      Zglos(std::string(co) + " must be a whole number, not \"" + t.tekst + "\"");
    }
    return wynik;
  }

  // "c+s": the first grid column and the number of columns.
  std::pair<int, int> Kolumny(const std::string& t) const {
    const auto plus = t.find('+');
    if (plus == std::string::npos) Zglos("columns must be written <first>+<count>, not \"" + t + "\"");
    const int c = Calkowita(Token{t.substr(0, plus)}, "the first column");
    const int s = Calkowita(Token{t.substr(plus + 1)}, "the column count");
    return {c, s};
  }

  const Token& Tekst(const std::vector<Token>& t, std::size_t i, const char* co) const {
    if (i >= t.size() || !t[i].cytat) Zglos(std::string("expected ") + co + " in quotes");
    return t[i];
  }

  void Ilosc(const std::vector<Token>& t, std::size_t min, std::size_t max) const {
    if (t.size() < min || t.size() > max)
      Zglos("\"" + t[0].tekst + "\" takes " + std::to_string(min - 1) +
            (min == max ? "" : " to " + std::to_string(max - 1)) + " arguments");
  }

  Strona& BiezacaStrona() {
    if (zrodlo_.strony.empty()) Zglos("\"page <n>\" must come before the page's layout");
    return zrodlo_.strony.back();
  }

  Element& OstatniElement(RodzajElementu rodzaj, const char* slowo) {
    auto& strona = BiezacaStrona();
    if (strona.elementy.empty() || strona.elementy.back().rodzaj != rodzaj) {
      Zglos(std::string("\"") + slowo + "\" must follow a " + (rodzaj == RodzajElementu::Naglowek ? "head" : "row"));
    }
    return strona.elementy.back();
  }

  void CzytajWiersz(const std::vector<Token>& t) {
    if (t.empty()) return;
    const std::string& slowo = t[0].tekst;
    if (t[0].cytat) Zglos("a line must start with a keyword or a field index");
    if (!slowo.empty() && slowo[0] >= '0' && slowo[0] <= '9') return CzytajPole(t);
    if (slowo == "form") {
      Ilosc(t, 3, 3);
      if (zrodlo_.kodLinia != 0) Zglos("the form is named twice");
      zrodlo_.kod = Calkowita(t[1], "the form code");
      zrodlo_.symbol = Tekst(t, 2, "the form's symbol").tekst;
      zrodlo_.kodLinia = linia_;
    } else if (slowo == "pages") {
      Ilosc(t, 2, 2);
      if (zrodlo_.stronyLinia != 0) Zglos("the page count is given twice");
      zrodlo_.liczbaStron = Calkowita(t[1], "the page count");
      zrodlo_.stronyLinia = linia_;
    } else if (slowo == "page") {
      Ilosc(t, 2, 2);
      const int numer = Calkowita(t[1], "the page number");
      if (numer != static_cast<int>(zrodlo_.strony.size()) + 1) {
        Zglos("pages must follow one another from 1; expected page " + std::to_string(zrodlo_.strony.size() + 1));
      }
      zrodlo_.strony.push_back(Strona{linia_, numer, {}});
    } else if (slowo == "title" || slowo == "legal" || slowo == "section" || slowo == "sub" || slowo == "text") {
      Element e;
      e.linia = linia_;
      e.rodzaj = slowo == "title"     ? RodzajElementu::Tytul
                 : slowo == "legal"   ? RodzajElementu::Prawne
                 : slowo == "section" ? RodzajElementu::Sekcja
                 : slowo == "sub"     ? RodzajElementu::Podsekcja
                                      : RodzajElementu::Tekst;
      if (slowo == "legal")
        Ilosc(t, 3, 3);
      else if (slowo == "title")
        Ilosc(t, 2, 5);
      else
        Ilosc(t, 2, 2);
      for (std::size_t i = 1; i < t.size(); ++i) e.teksty.push_back(Tekst(t, i, "a text").tekst);
      BiezacaStrona().elementy.push_back(std::move(e));
    } else if (slowo == "gap") {
      Ilosc(t, 2, 2);
      Element e;
      e.linia = linia_;
      e.rodzaj = RodzajElementu::Odstep;
      e.wysokosc = Calkowita(t[1], "the gap");
      BiezacaStrona().elementy.push_back(std::move(e));
    } else if (slowo == "row" || slowo == "head") {
      CzytajWierszUkladu(t, slowo == "row" ? RodzajElementu::Wiersz : RodzajElementu::Naglowek);
    } else if (slowo == "col") {
      Ilosc(t, 3, 3);
      auto& e = OstatniElement(RodzajElementu::Naglowek, "col");
      const auto [c, s] = Kolumny(t[1].tekst);
      e.komorki.push_back(Komorka{linia_, RodzajKomorki::Tytul, c, s, {}, Tekst(t, 2, "the column title").tekst});
    } else if (slowo == "box") {
      Ilosc(t, 4, 5);
      auto& e = OstatniElement(RodzajElementu::Wiersz, "box");
      const auto [c, s] = Kolumny(t[1].tekst);
      Komorka k{linia_,
                RodzajKomorki::Ramka,
                c,
                s,
                Tekst(t, 2, "the position number").tekst,
                Tekst(t, 3, "the caption").tekst};
      if (t.size() == 5) {
        if (t[4].cytat || t[4].tekst != "white") Zglos("a box takes only the option \"white\"");
        k.biala = true;
      }
      e.komorki.push_back(std::move(k));
    } else if (slowo == "blank") {
      Ilosc(t, 2, 2);
      auto& e = OstatniElement(RodzajElementu::Wiersz, "blank");
      const auto [c, s] = Kolumny(t[1].tekst);
      e.komorki.push_back(Komorka{linia_, RodzajKomorki::Pusta, c, s, {}, {}});
    } else {
      Zglos("unknown keyword \"" + slowo + "\"");
    }
  }

  // row <id> [table] [h=<px>] [<label columns> "<label>"]
  void CzytajWierszUkladu(const std::vector<Token>& t, RodzajElementu rodzaj) {
    if (t.size() < 2 || t[1].cytat) Zglos("a " + t[0].tekst + " needs an id");
    Element e;
    e.linia = linia_;
    e.rodzaj = rodzaj;
    e.id = t[1].tekst;
    for (std::size_t i = 2; i < t.size(); ++i) {
      const Token& k = t[i];
      if (!k.cytat && k.tekst == "table" && rodzaj == RodzajElementu::Wiersz) {
        e.tabela = true;
      } else if (!k.cytat && k.tekst.rfind("h=", 0) == 0) {
        e.wysokosc = Calkowita(Token{k.tekst.substr(2)}, "the height");
      } else if (!k.cytat && i + 1 < t.size() && t[i + 1].cytat && e.szerokoscEtykiety == 0) {
        e.szerokoscEtykiety = Calkowita(k, "the label's column count");
        e.etykieta = t[i + 1].tekst;
        ++i;
      } else {
        Zglos("unexpected \"" + k.tekst + "\" in a " + t[0].tekst);
      }
    }
    BiezacaStrona().elementy.push_back(std::move(e));
  }

  static std::optional<TypObiektu> Typ(const std::string& s) {
    if (s == "Text") return Text;
    if (s == "Liczba") return Liczba;
    if (s == "NIP") return NIP;
    if (s == "Data") return Data;
    if (s == "Checbox") return Checbox;
    return std::nullopt;
  }

  // <idx> <page>:<row>@<c>+<s> <type> <format> <name> <poz> <default> <limit> <align> <tab> <flags> "<caption>"
  void CzytajPole(const std::vector<Token>& t) {
    if (t.size() != 12) {
      Zglos(
          "a field line has 12 columns: index, place, type, format, name, position, default, limit, alignment, "
          "tab, flags, caption; this one has " +
          std::to_string(t.size()));
    }
    Pole p;
    p.linia = linia_;
    p.indeks = Calkowita(t[0], "the field index");

    const std::string& m = t[1].tekst;
    const auto dwukropek = m.find(':');
    const auto malpa = m.find('@');
    if (t[1].cytat || dwukropek == std::string::npos || malpa == std::string::npos || malpa < dwukropek) {
      Zglos("the place must be written <page>:<row>@<first column>+<columns>, not \"" + m + "\"");
    }
    p.miejsce.strona = Calkowita(Token{m.substr(0, dwukropek)}, "the page");
    p.miejsce.wiersz = m.substr(dwukropek + 1, malpa - dwukropek - 1);
    std::tie(p.miejsce.kolumna, p.miejsce.szerokosc) = Kolumny(m.substr(malpa + 1));

    const auto typ = Typ(t[2].tekst);
    if (t[2].cytat || !typ) {
      Zglos("unknown object type \"" + t[2].tekst + "\" (Text, Liczba, NIP, Data or Checbox)");
    }
    p.typ = *typ;
    p.format = Calkowita(t[3], "the format");
    if (t[4].cytat || t[4].tekst != "-") p.nazwa = t[4].tekst;
    if (t[5].cytat || t[5].tekst != "-") p.poz = t[5].tekst;
    if (t[6].cytat || t[6].tekst != "-") p.domyslna = t[6].tekst;
    p.limit = Calkowita(t[7], "the character limit");

    const std::string& w = t[8].tekst;
    if (t[8].cytat || w.size() != 1 || std::string_view("LRCJ").find(w[0]) == std::string_view::npos) {
      Zglos("the alignment must be L, R, C or J, not \"" + w + "\"");
    }
    p.wyrownanie = w == "L" ? DoLewej : w == "R" ? DoPrawej : w == "C" ? Centruj : Justuj;

    if (t[9].cytat || t[9].tekst != "*") p.kolejnosc = Calkowita(t[9], "the tab order");

    if (t[10].cytat) Zglos("flags are written without quotes");
    if (t[10].tekst != "-") {
      std::string_view flagi = t[10].tekst;
      while (!flagi.empty()) {
        const auto przecinek = std::min(flagi.find(','), flagi.size());
        const std::string_view f = flagi.substr(0, przecinek);
        if (f == "ro")
          p.tylkoDoOdczytu = true;
        else if (f == "multi")
          p.wielowierszowe = true;
        else if (f == "pos")
          p.tylkoDodatnia = true;
        else if (f == "hidden")
          p.ukryte = true;
        else if (f == "req")
          p.wymagane = true;
        else if (f == "grey")
          p.szare = true;
        else
          Zglos("unknown flag \"" + std::string(f) + "\" (ro, multi, pos, hidden, req, grey)");
        flagi.remove_prefix(std::min(przecinek + 1, flagi.size()));
      }
    }
    p.opis = Tekst(t, 11, "the caption").tekst;
    zrodlo_.pola.push_back(std::move(p));
  }

  std::string_view tekst_;
  std::string plik_;
  int linia_ = 0;
  Zrodlo zrodlo_;
};

}  // namespace

Zrodlo WczytajZrodlo(std::string_view tekst, const std::string& plik) { return Czytnik(tekst, plik).Czytaj(); }

}  // namespace formularze
