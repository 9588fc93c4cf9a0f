#include "calc/raport.h"

#include <QListWidget>

#include "main/tools.h"
#include "pages/fimage.h"

bool NaEkranie(int kod) { return Tools != nullptr && Tools->BiezacyDruk.IdPit == kod; }

void WyczyscListError() {
  // Clearing an empty list still resets its model; computations run often and mostly find it empty.
  if (Tools && Tools->ListError && Tools->ListError->count() > 0) Tools->ListError->clear();
}

void ZakonczRaport(int kod, bool redukcja) {
  if (!Tools || !Tools->ListError) return;
  if (redukcja && NaEkranie(kod)) {
    Tools->UstawWysokoscListError(40);
    Tools->ListError->addItem(
        QStringLiteral("Program dokonał redukcji odliczeń. Sprawdź wysokość poszczególnych kwot."));
  } else if (Tools->WysokoscListError() != 0) {
    Tools->UstawWysokoscListError(0);
  }
}

void UstawTylkoDoOdczytu(TFImage* view, std::initializer_list<ZakresObiektow> zakresy, std::uint8_t wartosc) {
  if (view == nullptr) return;
  for (const ZakresObiektow& z : zakresy)
    for (int k = z.od; k <= z.doKonca; ++k)
      if (view->JestPolem(k)) view->Obiekty[static_cast<std::size_t>(k)].TylkoDoOdczytu = wartosc;
}
