#pragma once
// The readable source of one form type: the picture layout page by page and one line per field object in field
// order. Texts are kept as UTF-8 here; the writers convert them to Windows-1250.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/obiekt.h"

namespace formularze {

// The page is laid out on a grid of 24 columns.
constexpr int kKolumny = 24;

// A rule broken by a source: where, which rule, and what is wrong.
struct Blad {
  std::string plik;
  int wiersz = 0;
  std::string regula;
  std::string opis;
};

// "file:line: [rule] description"
std::string Opis(const Blad& blad);

class BladZrodla : public std::runtime_error {
 public:
  explicit BladZrodla(Blad blad);
  const Blad& blad() const { return blad_; }

 private:
  Blad blad_;
};

// Where a field object lies: a row of a page and the grid columns it spans.
struct Miejsce {
  int strona = 0;
  std::string wiersz;
  int kolumna = 0;
  int szerokosc = 0;
};

struct Pole {
  int linia = 0;  // source line
  int indeks = 0;
  Miejsce miejsce;
  TypObiektu typ = Text;
  int format = 0;
  std::string nazwa;  // empty: the object number
  std::string poz;    // the position number printed at the box; empty: none
  std::string domyslna;
  int limit = 0;
  Wyrownanie wyrownanie = DoLewej;
  std::optional<int> kolejnosc;  // tab order; empty: reading order on the page
  bool tylkoDoOdczytu = false;
  bool wielowierszowe = false;
  bool tylkoDodatnia = false;
  bool ukryte = false;
  bool wymagane = false;
  bool szare = false;  // the picture shows an office box (grey) instead of a white one
  std::string opis;    // caption printed at the box
};

// A cell of a row that is not a field object: a column title of a table head, a box filled in by hand or by the
// office, or a column that a table row leaves out.
enum class RodzajKomorki { Tytul, Ramka, Pusta };

struct Komorka {
  int linia = 0;
  RodzajKomorki rodzaj = RodzajKomorki::Ramka;
  int kolumna = 0;
  int szerokosc = 0;
  std::string poz;
  std::string tekst;
  bool biala = false;  // a box for a signature: white rather than grey
};

enum class RodzajElementu { Tytul, Prawne, Sekcja, Podsekcja, Tekst, Wiersz, Naglowek, Odstep };

// One band of a page, top to bottom.
struct Element {
  int linia = 0;
  RodzajElementu rodzaj = RodzajElementu::Wiersz;
  std::string id;                   // rows and heads
  std::vector<std::string> teksty;  // title lines, legal label and text, section text, paragraph
  std::string etykieta;             // the row's leading label
  int szerokoscEtykiety = 0;        // grid columns of the label
  bool tabela = false;              // the row's boxes show their number only; the head and label name them
  int wysokosc = 0;                 // at least this height (gap: exactly)
  std::vector<Komorka> komorki;
};

struct Strona {
  int linia = 0;
  int numer = 0;
  std::vector<Element> elementy;
};

struct Zrodlo {
  std::string plik;
  int kod = 0;
  int kodLinia = 0;
  std::string symbol;  // "PIT-37"
  int liczbaStron = 0;
  int stronyLinia = 0;
  std::vector<Strona> strony;
  std::vector<Pole> pola;
};

// Reads a source; a line it cannot read throws BladZrodla (rule "syntax"). Rows are matched to fields later, by
// the checks.
Zrodlo WczytajZrodlo(std::string_view tekst, const std::string& plik);

// The Nazwa an object gets: its own, else the decimal object number (index + 1).
std::string NazwaObiektu(const Pole& pole);

}  // namespace formularze
