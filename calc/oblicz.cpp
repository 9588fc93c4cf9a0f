#include "calc/oblicz.h"

#include <array>

#include "calc/identyfikacja.h"
#include "calc/pit37.h"
#include "calc/pit38.h"
#include "calc/pitd.h"
#include "calc/pito.h"
#include "calc/pitzg.h"
#include "main/druk.h"
#include "main/tools.h"

namespace {

// Indexed by KodDruku; entry 0 and the types without a computation (SSE/A, SSE-R/A) stay empty. PIT-36 takes a
// third argument, WywolanyZZalacznika = false, through a small adapter when its computation is entered here.
using TablicaObliczen = std::array<Obliczenie, kLiczbaTypowDrukow + 1>;

TablicaObliczen& Tablica() {
  static TablicaObliczen tablica = [] {
    TablicaObliczen t{};
    t[Pit37] = ObliczPit37;
    t[Pit38] = ObliczPit38;
    t[PitO] = ObliczPitO;
    t[PitD] = ObliczPitD;
    t[Pit2K] = ObliczPit2K;
    t[PitZG] = ObliczPitZG;
    t[Nip1] = ObliczNip1;
    t[Nip3] = ObliczNip3;
    return t;
  }();
  return tablica;
}

bool ZnanyKod(int kod) { return kod >= 1 && kod <= kLiczbaTypowDrukow; }

}  // namespace

void Oblicz(TFImage* view, int j) {
  if (!Tools) return;
  ObliczDruk(Tools->BiezacyDruk.IdPit, view, j);
}

void ObliczDruk(int kod, TFImage* view, int j) {
  if (!ZnanyKod(kod)) return;
  if (const Obliczenie obliczenie = Tablica()[static_cast<std::size_t>(kod)]) obliczenie(view, j);
}

Obliczenie UstawObliczenie(int kod, Obliczenie obliczenie) {
  if (!ZnanyKod(kod)) return nullptr;
  Obliczenie& wpis = Tablica()[static_cast<std::size_t>(kod)];
  const Obliczenie poprzednie = wpis;
  wpis = obliczenie;
  return poprzednie;
}
