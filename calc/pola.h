#pragma once
// Operations on field amounts that the computations share: copying a field's text, writing an amount that must not
// be negative, and comparing amounts beyond the noise of their binary conversion.

#include <algorithm>
#include <cmath>
#include <string>

#include "calc/wartosci.h"
#include "model/druk.h"

// The text of field zPola of record zDruku copied unchanged into field doPola of record doDruku.
inline void KopiujPole(KontekstObliczen& kx, int zPola, int zDruku, int doPola, int doDruku) {
  const std::string tekst(Tekst(PoleDruku(kx, zPola, zDruku).Wartosc));
  UstawTekstPola(kx, doPola, doDruku, tekst);
}

// Field k of record j gets the difference rounded to grosze, or "0,00" when that is not above zero.
inline void ZapiszNieujemna(KontekstObliczen& kx, int k, int j, long double roznica) {
  const long double grosze = ZaokraglijDoGroszy(roznica);
  if (grosze <= 0)
    UstawTekstPola(kx, k, j, "0,00");
  else
    ZapiszKwote(kx, k, j, grosze);
}

// a > b, where a and b are sums of a few amounts read from field texts. Each text converts to the nearest binary
// value, so 0,10 + 0,20 lies a hair above the value of "0,30"; such a hair is no excess. Amounts of at most 15
// significant digits that really differ do so by far more than the tolerance. Pass both sides as sums, never as a
// difference, so that the tolerance scales with the amounts added.
inline bool Wieksze(long double a, long double b) {
  constexpr long double kSzum = 1e-17L;
  return a - b > kSzum * std::max(std::fabs(a), std::fabs(b));
}
