// The page view as the computations' screen.

#include <QListWidget>
#include <QTimer>
#include <utility>

#include "main/tools.h"
#include "pages/fimage.h"
#include "platform/dialogi.h"

KontekstObliczen TFImage::Kontekst() { return {Tools->Rozl, *this}; }

const TDruk& TFImage::BiezacyDruk() const {
  static const TDruk brak{};
  return Tools ? Tools->BiezacyDruk : brak;
}

void TFImage::WyczyscListError() {
  // Clearing an empty list still resets its model; computations run often and mostly find it empty.
  if (Tools && Tools->ListError && Tools->ListError->count() > 0) Tools->ListError->clear();
}

void TFImage::DodajDoListError(const QString& linia) {
  if (Tools && Tools->ListError) Tools->ListError->addItem(linia);
}

int TFImage::WysokoscListError() const { return Tools ? Tools->WysokoscListError() : 0; }

void TFImage::UstawWysokoscListError(int wysokosc) {
  if (Tools && Tools->ListError) Tools->UstawWysokoscListError(wysokosc);
}

void TFImage::UstawTylkoDoOdczytu(int k, std::uint8_t wartosc) {
  if (JestPolem(k)) Obiekty[static_cast<std::size_t>(k)].TylkoDoOdczytu = wartosc;
}

void TFImage::Komunikat(const QString& tekst) { platform::ShowMessage(tekst); }

void TFImage::KomunikatStanu(int j, bool trwa, const QString& tekst) {
  if (!Tools) return;
  // Told once for as long as the state lasts: a box on every key, or on the click that leaves the form, is noise.
  const std::pair klucz{j, tekst};
  if (!trwa)
    Tools->TrwajaceStany.erase(klucz);
  else if (Tools->TrwajaceStany.insert(klucz).second)
    platform::ShowMessage(tekst);
}

void TFImage::PokazDruk(int j, int strona) {
  if (!Tools || j < 1 || j > Tools->LiczbaDrukow) return;
  QTreeWidgetItem* wezel = Tools->Druki[static_cast<std::size_t>(j)].Wezel;
  if (!wezel) return;
  Tools->PokazDruk(wezel, strona);
  // A computation run by a click on the tree turns the page before the tree has selected the node clicked: once the
  // click is done, the tree selects the form on screen again.
  QTimer::singleShot(0, Tools, &TTools::ZaznaczWezelNaEkranie);
}
