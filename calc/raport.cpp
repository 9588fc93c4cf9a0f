#include "calc/raport.h"

#include <QString>

#include "calc/ekran.h"

bool NaEkranie(KontekstObliczen& kx, int kod) { return kx.Ekran.BiezacyDruk().IdPit == kod; }

void WyczyscListError(KontekstObliczen& kx) { kx.Ekran.WyczyscListError(); }

void ZakonczRaport(KontekstObliczen& kx, int kod, bool redukcja) {
  if (redukcja && NaEkranie(kx, kod)) {
    kx.Ekran.UstawWysokoscListError(40);
    kx.Ekran.DodajDoListError(
        QStringLiteral("Program dokonał redukcji odliczeń. Sprawdź wysokość poszczególnych kwot."));
  } else if (kx.Ekran.WysokoscListError() != 0) {
    kx.Ekran.UstawWysokoscListError(0);
  }
}

void UstawTylkoDoOdczytu(KontekstObliczen& kx, std::initializer_list<ZakresObiektow> zakresy, std::uint8_t wartosc) {
  for (const ZakresObiektow& z : zakresy)
    for (int k = z.od; k <= z.doKonca; ++k) kx.Ekran.UstawTylkoDoOdczytu(k, wartosc);
}
