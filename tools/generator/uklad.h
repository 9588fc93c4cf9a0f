#pragma once
// Lays a form's pages out in the 800-pixel display coordinates of the page view: bands top to bottom, cells on a
// grid of columns, the white box of every field. The picture is drawn from these numbers (doubled) and the field
// objects take their rectangles from the same numbers, so a value always lands in its box.

#include <string>
#include <vector>

#include "zrodlo.h"

namespace formularze {

constexpr int kSzerokoscStrony = 800;
constexpr int kWysokoscStrony = 1131;  // A4: 1600 x 2263 picture units shown 800 wide
constexpr int kLewyMargines = 28;
constexpr int kSzerokoscKolumny = 31;  // 24 columns of 31 pixels: 744 pixels of content

struct Prostokat {
  int lewy = 0, gorny = 0, prawy = 0, dolny = 0;
};

// How a shape of the picture looks; the SVG writer gives each kind its colours.
enum class Styl {
  Tlo,        // tinted band with a frame
  Sekcja,     // lettered section bar
  Podsekcja,  // sub-section bar
  Glowka,     // column titles of a table
  Tytul,      // title block, white
  Biala,      // a field's or a hand-filled box
  Szara,      // a box the office fills in
  Pusta,      // a column a table row leaves out
  Kwadrat,    // a check box
  Linia,      // frame and separator lines
  Kreska,     // cell marks inside a box
};

struct Ksztalt {
  Styl styl = Styl::Tlo;
  Prostokat p;  // for lines: from (lewy, gorny) to (prawy, dolny)
};

enum class Kotwica { Lewo, Srodek, Prawo };

// One line of text; (x, y) is the baseline point in display pixels.
struct Napis {
  double x = 0, y = 0;
  double rozmiar = 0;  // pixels
  bool pogrubiony = false;
  Kotwica kotwica = Kotwica::Lewo;
  std::string tekst;
};

struct RysunekStrony {
  std::vector<Ksztalt> ksztalty;
  std::vector<Napis> napisy;
};

struct Uklad {
  std::vector<RysunekStrony> strony;
  std::vector<Prostokat> pola;  // the rectangle of field k
  std::vector<Blad> bledy;      // pages that overflow
};

// Lays out a source that passed the checks.
Uklad Rozmiesc(const Zrodlo& zrodlo);

// Estimated width in pixels of a UTF-8 text in the form's font (metrics of Arial and its metric clones).
double SzerokoscTekstu(const std::string& tekst, double rozmiar, bool pogrubiony);
// The text broken into lines no wider than `szerokosc`.
std::vector<std::string> Zawin(const std::string& tekst, double rozmiar, bool pogrubiony, double szerokosc);

}  // namespace formularze
