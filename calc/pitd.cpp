#include "calc/pitd.h"

#include <initializer_list>
#include <utility>

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/oblicz.h"
#include "calc/pit37.h"
#include "calc/pola.h"
#include "calc/raport.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

// The fields of one deduction block: the amount available, the amount used first (at most the available), the
// remainder, and the two shares of each.
struct BlokOdliczenia {
  int dostepna, wykorzystana, reszta;
  int wykorzystana1, wykorzystana2;
  int reszta1, reszta2;
};
constexpr BlokOdliczenia kBlok1{29, 30, 31, 32, 33, 34, 35};
constexpr BlokOdliczenia kBlok2{40, 41, 42, 43, 44, 45, 46};
constexpr BlokOdliczenia kBlok3{49, 50, 51, 52, 53, 54, 55};

constexpr long double kLimitBloku3 = 11340;
constexpr const char* kTekstLimituBloku3 = "11340,00";

// A whole and its two shares: the first share at most the whole, the second at most what the first leaves.
void OgraniczUdzialy(KontekstObliczen& kx, int j, int calosc, int udzial1, int udzial2) {
  if (Wieksze(WartoscPola(kx, udzial1, j), WartoscPola(kx, calosc, j))) {
    KopiujPole(kx, calosc, j, udzial1, j);
    UstawTekstPola(kx, udzial2, j, "0,00");
  }
  const long double udzialy = WartoscPola(kx, udzial1, j) + WartoscPola(kx, udzial2, j);
  if (Wieksze(udzialy, WartoscPola(kx, calosc, j)))
    ZapiszKwote(kx, udzial2, j, WartoscPola(kx, calosc, j) - WartoscPola(kx, udzial1, j));
}

void ObliczBlok(KontekstObliczen& kx, int j, const BlokOdliczenia& b) {
  if (Wieksze(WartoscPola(kx, b.wykorzystana, j), WartoscPola(kx, b.dostepna, j)))
    KopiujPole(kx, b.dostepna, j, b.wykorzystana, j);
  ZapiszKwote(kx, b.reszta, j, WartoscPola(kx, b.dostepna, j) - WartoscPola(kx, b.wykorzystana, j));
  OgraniczUdzialy(kx, j, b.wykorzystana, b.wykorzystana1, b.wykorzystana2);
  OgraniczUdzialy(kx, j, b.reszta, b.reszta1, b.reszta2);
}

void ZapiszSume(KontekstObliczen& kx, int j, int pole, int a, int b) {
  const long double wartoscA = WartoscPola(kx, a, j);
  ZapiszKwote(kx, pole, j, wartoscA + WartoscPola(kx, b, j));
}

// Into main form t: for each block, the field chosen by PoleDoPrzeniesienia (shares r1, r2 of the whole r).
struct Przeniesienie {
  int udzial1, udzial2, calosc, doPola;
};

void PrzeniesWybrane(KontekstObliczen& kx, int j, int t, std::initializer_list<Przeniesienie> pola) {
  for (const Przeniesienie& p : pola)
    KopiujPole(kx, PoleDoPrzeniesienia(kx, j, p.udzial1, p.udzial2, p.calosc), j, p.doPola, t);
}

}  // namespace

int PoleDoPrzeniesienia(KontekstObliczen& kx, int d, int pierwszyUdzial, int drugiUdzial, int calosc) {
  return WartoscPola(kx, pierwszyUdzial, d) != 0 || WartoscPola(kx, drugiUdzial, d) != 0 ? pierwszyUdzial
                                                                                                : calosc;
}

void ObliczPitD(KontekstObliczen& kx, int j) {
  const int rodzaj = kx.R.Druk(j).Rodzaj;
  WczytajDaneOsobZDruku(kx.R, j);
  ZapiszDaneOsobDoDrukow(kx.R);
  // Outside a joint settlement the remainder shares are the user's to enter.
  if ((rodzaj == Indywidualne || rodzaj == SamotnieWychowujacy) && NaEkranie(kx, PitD))
    UstawTylkoDoOdczytu(kx, {34, 35, 45, 46, 54, 55}, 0);

  ObliczBlok(kx, j, kBlok1);
  ZapiszSume(kx, j, 40, 38, 39);
  ObliczBlok(kx, j, kBlok2);
  if (WartoscPola(kx, 47, j) > kLimitBloku3) UstawTekstPola(kx, 47, j, kTekstLimituBloku3);
  ZapiszSume(kx, j, 49, 47, 48);
  ObliczBlok(kx, j, kBlok3);

  // The remainders go to the PIT-37 and PIT-36 of the settlement, the amounts used to its PIT-28s.
  if (const int t = kx.R.ZnajdzDrukRodzicPM(Pit37, 0, PMWspolny); t > 0) {
    PrzeniesWybrane(kx, j, t, {{34, 35, 31, 96}, {45, 46, 42, 97}, {54, 55, 51, 110}});
    ObliczPit37(kx, t);
  }
  if (const int t = kx.R.ZnajdzDrukRodzicPM(Pit36, 0, PMWspolny); t > 0) {
    PrzeniesWybrane(kx, j, t, {{34, 35, 31, 146}, {45, 46, 42, 149}, {54, 55, 51, 179}});
    ObliczDruk(Pit36, kx, t);
  }
  if (const int t = kx.R.ZnajdzDrukRodzicPM(Pit28, 0, PMWspolny); t > 0) {
    PrzeniesWybrane(kx, j, t, {{32, 33, 30, 66}, {43, 44, 41, 68}, {52, 53, 50, 99}});
    ObliczDruk(Pit28, kx, t);
  }
  // A person's PIT-28 takes that person's share of each amount used, even a share of 0.
  for (const auto& [pm, udzial] : {std::pair{PMPodatnik, &BlokOdliczenia::wykorzystana1},
                                    std::pair{PMMalzonek, &BlokOdliczenia::wykorzystana2}}) {
    const int t = kx.R.ZnajdzDrukRodzicPM(Pit28, 0, pm);
    if (t <= 0) continue;
    KopiujPole(kx, kBlok1.*udzial, j, 66, t);
    KopiujPole(kx, kBlok2.*udzial, j, 68, t);
    KopiujPole(kx, kBlok3.*udzial, j, 99, t);
    ObliczDruk(Pit28, kx, t);
  }
}
