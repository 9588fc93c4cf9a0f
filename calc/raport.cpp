#include "calc/raport.h"

#include <QListWidget>

#include "main/druk.h"
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

namespace {

// The run that started the PIT-36 chain under way, the one that reports; none between computations.
RaportPit36*& RaportLancucha() {
  static RaportPit36* raport = nullptr;
  return raport;
}

}  // namespace

RaportPit36::RaportPit36() : zewnetrzny_(RaportLancucha()) {
  if (zewnetrzny_ != nullptr) return;
  RaportLancucha() = this;
  WyczyscListError();
}

RaportPit36::~RaportPit36() {
  if (zewnetrzny_ == nullptr) RaportLancucha() = nullptr;
}

void RaportPit36::Zakoncz(bool redukcja) {
  redukcja_ = redukcja_ || redukcja;
  if (zewnetrzny_ != nullptr) {
    zewnetrzny_->redukcja_ = zewnetrzny_->redukcja_ || redukcja_;
    return;
  }
  // Other computations of the chain may have left items; the line stands alone.
  if (redukcja_ && NaEkranie(Pit36)) WyczyscListError();
  ZakonczRaport(Pit36, redukcja_);
}

void UstawTylkoDoOdczytu(TFImage* view, std::initializer_list<ZakresObiektow> zakresy, std::uint8_t wartosc) {
  if (view == nullptr) return;
  for (const ZakresObiektow& z : zakresy)
    for (int k = z.od; k <= z.doKonca; ++k)
      if (view->JestPolem(k)) view->Obiekty[static_cast<std::size_t>(k)].TylkoDoOdczytu = wartosc;
}
