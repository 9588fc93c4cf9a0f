// The PIT-36's deductions from income: each person's own three, limited to that person's income; those of the
// attached PIT/O and the settlement's PIT/D; then a chain on both incomes together. Every amount cut to what is
// left reports a reduction, except the housing interest, of which the part that does not fit is carried forward.
// What is left is never taken below 0, so a negative income makes no deduction negative.

#include <initializer_list>
#include <utility>

#include "calc/pit36_obliczenie.h"
#include "calc/pitd.h"
#include "calc/pola.h"
#include "calc/wartosci.h"

namespace {

// What income leaves after the amounts already deducted; 0 when they take it all.
long double Reszta(long double dochod, long double odliczone) {
  return Wieksze(dochod, odliczone) ? dochod - odliczone : 0;
}

// Whether an amount does not fit in what income leaves after the amounts already deducted.
bool PonadReszte(long double kwota, long double dochod, long double odliczone) {
  return Wieksze(dochod, odliczone) ? Wieksze(kwota + odliczone, dochod) : kwota > 0;
}

}  // namespace

void ObliczeniePit36::Odliczenia() {
  OdliczeniaOsoby(Suma({86, 131}), 140, 138, 135);
  OdliczeniaOsoby(Suma({129, 132}), 141, 139, 136);
  // The part paid abroad is a part of the contributions as they were finally deducted.
  OgraniczKopia(329, 140);
  OgraniczKopia(330, 141);
  ZapiszGrosze(142, W(86) + W(131) - W(135) - W(138) - W(140));
  ZapiszGrosze(143, W(129) + W(132) - W(136) - W(139) - W(141));
  OdliczeniaZZalacznikow();
  OdliczeniaLaczne();
}

// A person's deductions come off that person's income in the order pierwsze, drugie, trzecie; the first that does
// not fit takes what is left and the later ones nothing.
void ObliczeniePit36::OdliczeniaOsoby(long double dochod, int pierwsze, int drugie, int trzecie) {
  if (PonadReszte(W(pierwsze), dochod, 0)) {
    ZapiszGrosze(pierwsze, Reszta(dochod, 0));
    Zeruj({drugie, trzecie});
    redukcja_ = true;
  }
  if (PonadReszte(W(drugie), dochod, W(pierwsze))) {
    ZapiszGrosze(drugie, Reszta(dochod, W(pierwsze)));
    Zeruj({trzecie});
    redukcja_ = true;
  }
  if (PonadReszte(W(trzecie), dochod, Suma({pierwsze, drugie}))) {
    ZapiszGrosze(trzecie, Reszta(dochod, Suma({pierwsze, drugie})));
    redukcja_ = true;
  }
}

void ObliczeniePit36::OdliczeniaZZalacznikow() {
  pitO_ = Zalacznik(PitO);
  if (pitO_ > 0) {
    Przejmij(28, pitO_, 144);
    Przejmij(29, pitO_, 145);
  }
  // Taken by the rule the PIT/D's own transfer uses, so both give these fields the same text.
  if (const int d = PierwszyDruk(PitD); d > 0) {
    Przejmij(PoleDoPrzeniesienia(kx_, d, 34, 35, 31), d, 146);
    Przejmij(PoleDoPrzeniesienia(kx_, d, 45, 46, 42), d, 149);
    Przejmij(PoleDoPrzeniesienia(kx_, d, 54, 55, 51), d, 179);
  }
  // Each person's PIT/O amount fits in that person's income; the limits hold also without a PIT/O.
  for (const auto& [pole, dochod] : {std::pair{144, 142}, std::pair{145, 143}}) {
    if (!PonadReszte(W(pole), W(dochod), 0)) continue;
    if (W(dochod) > 0)
      Kopiuj(dochod, pole);
    else
      Zeruj({pole});
    redukcja_ = true;
  }
}

// The amounts deducted from both incomes together, in the order 146, 147, 148, the used part 150 of the housing
// interest 149, 152, 153; each is limited to what the ones before it leave.
void ObliczeniePit36::OdliczeniaLaczne() {
  const long double dochod = Suma({142, 143});
  if (PonadReszte(W(146), dochod, Suma({144, 145}))) {
    ZapiszGrosze(146, Reszta(dochod, Suma({144, 145})));
    redukcja_ = true;
  }
  const auto ogranicz = [&](int pole, std::initializer_list<int> odliczone) {
    const long double limit = ZaokraglijDoGroszy(Reszta(dochod, Suma(odliczone)));
    if (W(pole) <= limit) return;
    Zapisz(pole, limit);
    redukcja_ = true;
  };
  ogranicz(147, {144, 145, 146});
  ogranicz(148, {144, 145, 146, 147});
  // The interest that does not fit is carried to later years, not cut.
  const long double wolne = ZaokraglijDoGroszy(Reszta(dochod, Suma({144, 145, 146, 147, 148})));
  if (wolne >= W(149))
    Kopiuj(149, 150);
  else
    Zapisz(150, wolne);
  Zapisz(151, W(149) - W(150));
  ogranicz(152, {144, 145, 146, 147, 148, 150});
  ogranicz(153, {144, 145, 146, 147, 148, 150, 152});
}
