#include "calc/pitzg.h"

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/wartosci.h"

namespace {

constexpr int kPierwszeGrid = 8;
constexpr int kKolumny = 3;
constexpr int kWiersze = 6;
constexpr int kPierwszaSuma = 26;

}  // namespace

void ObliczPitZG(KontekstObliczen& kx, int j) {
  kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  WczytajDaneOsobZDruku(kx.R, j);
  ZapiszDaneOsobDoDrukow(kx.R);
  for (int kolumna = 0; kolumna < kKolumny; ++kolumna) {
    long double suma = 0;
    for (int wiersz = 0; wiersz < kWiersze; ++wiersz)
      suma += WartoscPola(kx, kPierwszeGrid + wiersz * kKolumny + kolumna, j);
    // No rounding: the write sequence brings the binary remnant of the sum back to whole grosze.
    ZapiszKwote(kx, kPierwszaSuma + kolumna, j, suma);
  }
}
