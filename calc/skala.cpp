#include "calc/skala.h"

#include "calc/wartosci.h"

namespace {

// Upper limits of the first two brackets and the tax due at each limit.
constexpr double kGranica1 = 44490;
constexpr double kGranica2 = 85528;
constexpr long double kPodatekNaGranicy1 = 7866.25L;
constexpr long double kPodatekNaGranicy2 = 20177.65L;
constexpr long double kStawka1 = 0.19L;
constexpr long double kStawka2 = 0.3L;
constexpr long double kStawka3 = 0.4L;
// The tax-reducing amount of the first bracket.
constexpr long double kKwotaZmniejszajaca = 586.85L;

}  // namespace

long double ObliczPodatekWgSkali(double podstawa) {
  long double podatek = 0;
  if (podstawa <= kGranica1)
    podatek = podstawa * kStawka1 - kKwotaZmniejszajaca;
  else if (podstawa <= kGranica2)
    podatek = (podstawa - kGranica1) * kStawka2 + kPodatekNaGranicy1;
  else if (podstawa > kGranica2)  // a base that is not a number leaves the tax at 0
    podatek = (podstawa - kGranica2) * kStawka3 + kPodatekNaGranicy2;
  return ZaokraglijDoGroszy(static_cast<double>(podatek));
}
