#include "calc/pitzg.h"

#include "calc/identyfikacja.h"
#include "calc/wartosci.h"

namespace {

constexpr int kPierwszeGrid = 8;
constexpr int kKolumny = 3;
constexpr int kWiersze = 6;
constexpr int kPierwszaSuma = 26;

}  // namespace

void ObliczPitZG(TFImage* view, int j) {
  DrukRozliczenia(j);  // an index outside the settlement throws before anything changes
  WczytajDaneOsobZDruku(view, j);
  ZapiszDaneOsobDoDrukow(view);
  for (int kolumna = 0; kolumna < kKolumny; ++kolumna) {
    long double suma = 0;
    for (int wiersz = 0; wiersz < kWiersze; ++wiersz)
      suma += WartoscPola(view, kPierwszeGrid + wiersz * kKolumny + kolumna, j);
    // No rounding: the 15-digit conversion of the write sequence absorbs the binary noise of the sum.
    ZapiszKwote(view, kPierwszaSuma + kolumna, j, suma);
  }
}
