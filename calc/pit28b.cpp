#include "calc/pit28b.h"

#include <array>
#include <string>

#include "calc/identyfikacja.h"
#include "calc/pit28.h"
#include "calc/pola.h"
#include "calc/wartosci.h"
#include "main/druk.h"
#include "main/tools.h"

namespace {

constexpr int kWiersze = 12;
constexpr long double kMaksUdzial = 99.99L;

// One partnership block: the percentage, the sum of the rows, the share of the sum; row r (1..12) is field wiersze + r
// and its share field udzialy + r.
struct Blok {
  int procent, suma, udzialSumy;
};
constexpr Blok kBlok1 = {24, 25, 38};
constexpr Blok kBlok2 = {51, 71, 84};
constexpr int kSumyWierszy = 96;  // row r of the two shares together is field 96 + r
constexpr int kPierwszeZerowane = 97, kOstatnieZerowane = 112;

void OgraniczProcent(TFImage* view, int j, const Blok& b) {
  if (Wieksze(WartoscPola(view, b.procent, j), kMaksUdzial)) UstawTekstPola(view, b.procent, j, "99,99");
}

void ObliczBlok(TFImage* view, int j, const Blok& b) {
  const int wiersze = b.suma;
  const int udzialy = b.udzialSumy;
  ZapiszKwote(view, b.suma, j, SumaPol(view, wiersze + 1, wiersze + kWiersze, j));
  for (int r = 1; r <= kWiersze; ++r)
    ZapiszKwote(view, udzialy + r, j, ZaokraglijDoGroszy(view, PoliczUdzial(view, wiersze + r, b.procent, j)));
}

void ZapiszUdzialSumy(TFImage* view, int j, const Blok& b) {
  const long double udzial = WartoscPola(view, b.procent, j) * 0.01L * WartoscPola(view, b.suma, j);
  ZapiszKwote(view, b.udzialSumy, j, ZaokraglijDoGroszy(view, udzial));
}

long double SumaUdzialow(TFImage* view, int r, int j) {
  return WartoscPola(view, kBlok1.udzialSumy + r, j) + WartoscPola(view, kBlok2.udzialSumy + r, j);
}

// The row sums of every PIT-28/B of the PIT-28 p go into the last of them, the others show zeros; returns that last
// record.
int SumujGrupe(TFImage* view, int p) {
  std::array<double, kWiersze> sumy{};
  int ostatni = 0;
  for (int i = 1; i <= Tools->LiczbaDrukow; ++i) {
    const TDruk& d = DrukRozliczenia(i);
    if (d.IdPit != Pit28B || d.IdParent != p) continue;
    for (int r = 1; r <= kWiersze; ++r) {
      double& suma = sumy[static_cast<std::size_t>(r - 1)];
      suma = static_cast<double>(suma + SumaUdzialow(view, r, i));
    }
    for (int k = kPierwszeZerowane; k <= kOstatnieZerowane; ++k) UstawTekstPola(view, k, i, "0,00");
    ostatni = i;
  }
  for (int r = 1; r <= kWiersze; ++r)
    ZapiszKwote(view, kSumyWierszy + r, ostatni, ZaokraglijDoGroszy(view, sumy[static_cast<std::size_t>(r - 1)]));
  return ostatni;
}

}  // namespace

void ObliczPit28B(TFImage* view, int j) {
  const TDruk& druk = DrukRozliczenia(j);  // an index outside the settlement throws before anything changes
  WczytajDaneOsobZDruku(view, j);
  ZapiszDaneOsobDoDrukow(view);
  UstawTekstPola(view, 6, j, std::to_string(Tools->PoliczDruki(Pit28B, druk.IdParent, druk.PM)));

  // The second percentage is capped before the first block's share of its sum is taken.
  OgraniczProcent(view, j, kBlok1);
  ObliczBlok(view, j, kBlok1);
  OgraniczProcent(view, j, kBlok2);
  ZapiszUdzialSumy(view, j, kBlok1);
  ObliczBlok(view, j, kBlok2);
  ZapiszUdzialSumy(view, j, kBlok2);
  for (int r = 1; r <= kWiersze; ++r) ZapiszKwote(view, kSumyWierszy + r, j, SumaUdzialow(view, r, j));

  const int pm = Tools->BiezacyDruk.PM;
  const int p = Tools->ZnajdzDrukRodzicPM(Pit28, 0, pm);
  // A PIT-28/B outside its owner's PIT-28 has no group to total and carries nothing.
  if (p <= 0 || druk.IdParent != p) return;
  const int ostatni = SumujGrupe(view, p);
  for (int i = 0; i < 6; ++i) KopiujPole(view, kSumyWierszy + 1 + i, ostatni, 26 + i, p);
  ObliczPit28(view, p);
  const int a = Tools->ZnajdzDrukRodzicPM(Pit28A, p, pm);
  if (a <= 0) return;
  for (int i = 0; i < 6; ++i)
    ZapiszKwote(view, 43 + i, p, WartoscPola(view, 23 + i, a) + WartoscPola(view, kSumyWierszy + 7 + i, ostatni));
  ObliczPit28(view, p);
}
