#include "calc/pitd.h"

#include <initializer_list>
#include <utility>

#include "calc/identyfikacja.h"
#include "calc/oblicz.h"
#include "calc/pit37.h"
#include "calc/pola.h"
#include "calc/raport.h"
#include "calc/wartosci.h"
#include "main/druk.h"
#include "main/tools.h"

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
void OgraniczUdzialy(TFImage* view, int j, int calosc, int udzial1, int udzial2) {
  if (Wieksze(WartoscPola(view, udzial1, j), WartoscPola(view, calosc, j))) {
    KopiujPole(view, calosc, j, udzial1, j);
    UstawTekstPola(view, udzial2, j, "0,00");
  }
  const long double udzialy = WartoscPola(view, udzial1, j) + WartoscPola(view, udzial2, j);
  if (Wieksze(udzialy, WartoscPola(view, calosc, j)))
    ZapiszKwote(view, udzial2, j, WartoscPola(view, calosc, j) - WartoscPola(view, udzial1, j));
}

void ObliczBlok(TFImage* view, int j, const BlokOdliczenia& b) {
  if (Wieksze(WartoscPola(view, b.wykorzystana, j), WartoscPola(view, b.dostepna, j)))
    KopiujPole(view, b.dostepna, j, b.wykorzystana, j);
  ZapiszKwote(view, b.reszta, j, WartoscPola(view, b.dostepna, j) - WartoscPola(view, b.wykorzystana, j));
  OgraniczUdzialy(view, j, b.wykorzystana, b.wykorzystana1, b.wykorzystana2);
  OgraniczUdzialy(view, j, b.reszta, b.reszta1, b.reszta2);
}

void ZapiszSume(TFImage* view, int j, int pole, int a, int b) {
  const long double wartoscA = WartoscPola(view, a, j);
  ZapiszKwote(view, pole, j, wartoscA + WartoscPola(view, b, j));
}

// Into main form t: for each block, the field chosen by PoleDoPrzeniesienia (shares r1, r2 of the whole r).
struct Przeniesienie {
  int udzial1, udzial2, calosc, doPola;
};

void PrzeniesWybrane(TFImage* view, int j, int t, std::initializer_list<Przeniesienie> pola) {
  for (const Przeniesienie& p : pola)
    KopiujPole(view, PoleDoPrzeniesienia(view, j, p.udzial1, p.udzial2, p.calosc), j, p.doPola, t);
}

}  // namespace

int PoleDoPrzeniesienia(TFImage* view, int d, int pierwszyUdzial, int drugiUdzial, int calosc) {
  return WartoscPola(view, pierwszyUdzial, d) != 0 || WartoscPola(view, drugiUdzial, d) != 0 ? pierwszyUdzial
                                                                                                : calosc;
}

void ObliczPitD(TFImage* view, int j) {
  const int rodzaj = DrukRozliczenia(j).Rodzaj;
  WczytajDaneOsobZDruku(view, j);
  ZapiszDaneOsobDoDrukow(view);
  // Outside a joint settlement the remainder shares are the user's to enter.
  if ((rodzaj == Indywidualne || rodzaj == SamotnieWychowujacy) && NaEkranie(PitD))
    UstawTylkoDoOdczytu(view, {34, 35, 45, 46, 54, 55}, 0);

  ObliczBlok(view, j, kBlok1);
  ZapiszSume(view, j, 40, 38, 39);
  ObliczBlok(view, j, kBlok2);
  if (WartoscPola(view, 47, j) > kLimitBloku3) UstawTekstPola(view, 47, j, kTekstLimituBloku3);
  ZapiszSume(view, j, 49, 47, 48);
  ObliczBlok(view, j, kBlok3);

  // The remainders go to the PIT-37 and PIT-36 of the settlement, the amounts used to its PIT-28s.
  if (const int t = Tools->ZnajdzDrukRodzicPM(Pit37, 0, PMWspolny); t > 0) {
    PrzeniesWybrane(view, j, t, {{34, 35, 31, 96}, {45, 46, 42, 97}, {54, 55, 51, 110}});
    ObliczPit37(view, t);
  }
  if (const int t = Tools->ZnajdzDrukRodzicPM(Pit36, 0, PMWspolny); t > 0) {
    PrzeniesWybrane(view, j, t, {{34, 35, 31, 146}, {45, 46, 42, 149}, {54, 55, 51, 179}});
    ObliczDruk(Pit36, view, t);
  }
  if (const int t = Tools->ZnajdzDrukRodzicPM(Pit28, 0, PMWspolny); t > 0) {
    PrzeniesWybrane(view, j, t, {{32, 33, 30, 66}, {43, 44, 41, 68}, {52, 53, 50, 99}});
    ObliczDruk(Pit28, view, t);
  }
  // A person's PIT-28 takes that person's share of each amount used, even a share of 0.
  for (const auto& [pm, udzial] : {std::pair{PMPodatnik, &BlokOdliczenia::wykorzystana1},
                                    std::pair{PMMalzonek, &BlokOdliczenia::wykorzystana2}}) {
    const int t = Tools->ZnajdzDrukRodzicPM(Pit28, 0, pm);
    if (t <= 0) continue;
    KopiujPole(view, kBlok1.*udzial, j, 66, t);
    KopiujPole(view, kBlok2.*udzial, j, 68, t);
    KopiujPole(view, kBlok3.*udzial, j, 99, t);
    ObliczDruk(Pit28, view, t);
  }
}
