#include "calc/pit28a.h"

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/pit28.h"
#include "calc/pola.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

// PIT-28/A field -> PIT-28 field, copied as typed.
struct Kopia {
  int z, doPola;
};
constexpr Kopia kDoPit28[] = {{15, 19}, {16, 20}, {17, 21}, {18, 22}, {19, 23}, {20, 24}, {21, 33},
                              {22, 34}, {23, 43}, {24, 44}, {25, 45}, {26, 46}, {27, 47}, {28, 48}};

// The PIT-28/B that holds the group totals of the PIT-28 p: the last one attached to it.
int OstatniPit28B(const Rozliczenie& r, int p) {
  int ostatni = 0;
  for (int i = 1; i <= r.LiczbaDrukow; ++i) {
    const TDruk& d = r.Druk(i);
    if (d.IdPit == Pit28B && d.IdParent == p) ostatni = i;
  }
  return ostatni;
}

}  // namespace

void ObliczPit28A(KontekstObliczen& kx, int j) {
  kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  WczytajDaneOsobZDruku(kx.R, j);
  ZapiszDaneOsobDoDrukow(kx.R);
  const int p = kx.R.ZnajdzDrukRodzicPM(Pit28, 0, kx.Ekran.BiezacyDruk().PM);
  if (p <= 0) return;
  for (const Kopia& k : kDoPit28) KopiujPole(kx, k.z, j, k.doPola, p);
  if (const int b = OstatniPit28B(kx.R, p); b > 0) {
    for (int i = 0; i < 6; ++i)
      ZapiszKwote(kx, 43 + i, p, WartoscPola(kx, 103 + i, b) + WartoscPola(kx, 23 + i, j));
  }
  ObliczPit28(kx, p);
}
