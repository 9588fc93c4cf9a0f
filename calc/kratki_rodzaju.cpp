#include "calc/kratki_rodzaju.h"

#include "calc/ekran.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

constexpr int kIndywidualnie = 3, kWspolnie = 4, kWspolnieWybrana = 5, kSamotnie = 6;

}  // namespace

void UstawKratkiRodzaju(KontekstObliczen& kx, int j) {
  int kratka = 0;
  switch (kx.Ekran.BiezacyDruk().Rodzaj) {
    case Indywidualne: kratka = kIndywidualnie; break;
    case WspolneZMalzonkiem:
      kratka = PoleDruku(kx, kWspolnieWybrana, j).Zaznaczone != 0 ? kWspolnieWybrana : kWspolnie;
      break;
    case SamotnieWychowujacy: kratka = kSamotnie; break;
    default: return;
  }
  for (int k = kIndywidualnie; k <= kSamotnie; ++k) PoleDruku(kx, k, j).Zaznaczone = k == kratka ? 1 : 0;
}
