#include "calc/pit28b.h"

#include <QString>
#include <array>
#include <initializer_list>
#include <string>

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/pit28.h"
#include "calc/pola.h"
#include "calc/wartosci.h"
#include "model/druk.h"

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
// Rows 7 to 12 hold the business run jointly with the spouse, which the PIT-28 takes only through its PIT-28/A.
constexpr int kPierwszyWierszWspolny = 7;

void OgraniczProcent(KontekstObliczen& kx, int j, const Blok& b) {
  if (Wieksze(WartoscPola(kx, b.procent, j), kMaksUdzial)) UstawTekstPola(kx, b.procent, j, "99,99");
}

void ObliczBlok(KontekstObliczen& kx, int j, const Blok& b) {
  const int wiersze = b.suma;
  const int udzialy = b.udzialSumy;
  ZapiszKwote(kx, b.suma, j, SumaPol(kx, wiersze + 1, wiersze + kWiersze, j));
  for (int r = 1; r <= kWiersze; ++r)
    ZapiszKwote(kx, udzialy + r, j, ZaokraglijDoGroszy(PoliczUdzial(kx, wiersze + r, b.procent, j)));
}

void ZapiszUdzialSumy(KontekstObliczen& kx, int j, const Blok& b) {
  const long double udzial = WartoscPola(kx, b.procent, j) * 0.01L * WartoscPola(kx, b.suma, j);
  ZapiszKwote(kx, b.udzialSumy, j, ZaokraglijDoGroszy(udzial));
}

long double SumaUdzialow(KontekstObliczen& kx, int r, int j) {
  return WartoscPola(kx, kBlok1.udzialSumy + r, j) + WartoscPola(kx, kBlok2.udzialSumy + r, j);
}

// The row sums of every PIT-28/B of the PIT-28 p go into the last of them, the others show zeros; returns that last
// record.
int SumujGrupe(KontekstObliczen& kx, int p) {
  std::array<double, kWiersze> sumy{};
  int ostatni = 0;
  for (int i = 1; i <= kx.R.LiczbaDrukow; ++i) {
    const TDruk& d = kx.R.Druk(i);
    if (d.IdPit != Pit28B || d.IdParent != p) continue;
    for (int r = 1; r <= kWiersze; ++r) {
      double& suma = sumy[static_cast<std::size_t>(r - 1)];
      suma = static_cast<double>(suma + SumaUdzialow(kx, r, i));
    }
    for (int k = kPierwszeZerowane; k <= kOstatnieZerowane; ++k) UstawTekstPola(kx, k, i, "0,00");
    ostatni = i;
  }
  for (int r = 1; r <= kWiersze; ++r)
    ZapiszKwote(kx, kSumyWierszy + r, ostatni, ZaokraglijDoGroszy(sumy[static_cast<std::size_t>(r - 1)]));
  return ostatni;
}

bool MaWierszeWspolne(KontekstObliczen& kx, int j) {
  for (const Blok& b : {kBlok1, kBlok2})
    for (int r = kPierwszyWierszWspolny; r <= kWiersze; ++r)
      if (WartoscPola(kx, b.suma + r, j) != 0) return true;
  return false;
}

// Rows 7 to 12 of j hold amounts that its PIT-28 cannot take, having no PIT-28/A: the PIT-28's joint revenue is then
// the user's to enter, so it stays as typed, and the user is told while that lasts.
void ZglosWierszeWspolne(KontekstObliczen& kx, int j, bool bezPit28A) {
  kx.Ekran.KomunikatStanu(
      j, bezPit28A && MaWierszeWspolne(kx, j),
      QStringLiteral("UWAGA! \nPrzychody z wierszy 7-12 Pit-28/B (działalność wspólnie z małżonkiem) są przenoszone do "
                     "części D Pit-28 tylko wtedy, gdy do Pit-28 jest załączony Pit-28/A. Dołącz Pit-28/A albo wpisz "
                     "te przychody w części D Pit-28."));
}

}  // namespace

void ObliczPit28B(KontekstObliczen& kx, int j) {
  const TDruk& druk = kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  WczytajDaneOsobZDruku(kx.R, j);
  ZapiszDaneOsobDoDrukow(kx.R);
  UstawTekstPola(kx, 6, j, std::to_string(kx.R.PoliczDruki(Pit28B, druk.IdParent, druk.PM)));

  // The second percentage is capped before the first block's share of its sum is taken.
  OgraniczProcent(kx, j, kBlok1);
  ObliczBlok(kx, j, kBlok1);
  OgraniczProcent(kx, j, kBlok2);
  ZapiszUdzialSumy(kx, j, kBlok1);
  ObliczBlok(kx, j, kBlok2);
  ZapiszUdzialSumy(kx, j, kBlok2);
  for (int r = 1; r <= kWiersze; ++r) ZapiszKwote(kx, kSumyWierszy + r, j, SumaUdzialow(kx, r, j));

  const int pm = kx.Ekran.BiezacyDruk().PM;
  const int p = kx.R.ZnajdzDrukRodzicPM(Pit28, 0, pm);
  // A PIT-28/B outside its owner's PIT-28 has no group to total and carries nothing.
  if (p <= 0 || druk.IdParent != p) {
    ZglosWierszeWspolne(kx, j, false);
    return;
  }
  const int ostatni = SumujGrupe(kx, p);
  for (int i = 0; i < 6; ++i) KopiujPole(kx, kSumyWierszy + 1 + i, ostatni, 26 + i, p);
  ObliczPit28(kx, p);
  const int a = kx.R.ZnajdzDrukRodzicPM(Pit28A, p, pm);
  ZglosWierszeWspolne(kx, j, a <= 0);
  if (a <= 0) return;
  for (int i = 0; i < 6; ++i)
    ZapiszKwote(kx, 43 + i, p, WartoscPola(kx, 23 + i, a) + WartoscPola(kx, kSumyWierszy + 7 + i, ostatni));
  ObliczPit28(kx, p);
}
