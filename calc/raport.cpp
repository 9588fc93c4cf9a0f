#include "calc/raport.h"

#include <QString>

#include "calc/ekran.h"
#include "model/druk.h"

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

RaportPit36::RaportPit36(KontekstObliczen& kx) : kx_(kx), zewnetrzny_(kx.LancuchPit36) {
  if (zewnetrzny_ != nullptr) return;
  kx_.LancuchPit36 = this;
  WyczyscListError(kx_);
}

RaportPit36::~RaportPit36() {
  if (zewnetrzny_ == nullptr) kx_.LancuchPit36 = nullptr;
}

void RaportPit36::Zakoncz(bool redukcja) {
  redukcja_ = redukcja_ || redukcja;
  if (zewnetrzny_ != nullptr) {
    zewnetrzny_->redukcja_ = zewnetrzny_->redukcja_ || redukcja_;
    return;
  }
  // Other computations of the chain may have left items; the line stands alone.
  if (redukcja_ && NaEkranie(kx_, Pit36)) WyczyscListError(kx_);
  ZakonczRaport(kx_, Pit36, redukcja_);
}

void UstawTylkoDoOdczytu(KontekstObliczen& kx, std::initializer_list<ZakresObiektow> zakresy, std::uint8_t wartosc) {
  for (const ZakresObiektow& z : zakresy)
    for (int k = z.od; k <= z.doKonca; ++k) kx.Ekran.UstawTylkoDoOdczytu(k, wartosc);
}
