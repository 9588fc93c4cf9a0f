// The settlement on the main window: clearing it with its views, and the tree of chosen forms.

#include <QTreeWidget>
#include <QToolButton>

#include "main/tools.h"
#include "model/struktura.h"
#include "pages/fimage.h"

void TTools::WyczyscRozliczenie() {
  if (MaDruki()) {
    ZwolnijDruk();
    TV->clear();
    Rozl.Wyczysc();
  }
  PokazWPasku(Zmiana, false);
  PokazWPasku(ZalAdd, false);
}

void TTools::ZwolnijDruk() {
  if (FImage && FImage->Otwarty()) ZamknijWidokStrony(FImage);
  BiezacyDruk = TDruk{};
  BiezacyTyp = 0;
  TrwajaceStany.clear();
}

const TDruk* TTools::DrukWezla(const QTreeWidgetItem* wezel) const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].Wezel == wezel && wezel) return &Druki[i];
  return nullptr;
}

TDruk TTools::ZnajdzDrukWezla(const QTreeWidgetItem* wezel) const {
  if (const TDruk* druk = DrukWezla(wezel)) return *druk;
  TDruk brak{};
  brak.Id = -1;
  brak.IdPit = -1;
  return brak;
}

void TTools::BudujDrzewo() {
  BudowanieDrzewa = 1;
  TV->clear();
  BiezacyDruk.Wezel = nullptr;
  for (int i = 1; i <= LiczbaDrukow; ++i) Druki[i].Wezel = nullptr;

  for (int i = 1; i <= LiczbaDrukow; ++i) {
    TDruk& d = Druki[i];
    if (d.IdPit <= 0) continue;
    const bool znanyTyp = d.IdPit <= kLiczbaTypowDrukow;
    QString tekst = znanyTyp ? NaQString(TypyDrukow[d.IdPit].Nazwa) : QStringLiteral("Nieznany druk (%1)").arg(d.IdPit);
    // An attachment hangs under a main form placed earlier in this rebuild; anything else is shown as a root.
    QTreeWidgetItem* rodzic = nullptr;
    if (d.IdParent > 0 && d.IdParent < i && Druki[d.IdParent].IdParent == 0) rodzic = Druki[d.IdParent].Wezel;
    if (d.IdParent != 0) {
      if (d.PM == PMPodatnik) tekst += QStringLiteral(" (P)");
      if (d.PM == PMMalzonek) tekst += QStringLiteral(" (M)");
    }
    auto* wezel = rodzic ? new QTreeWidgetItem(rodzic) : new QTreeWidgetItem(TV);
    wezel->setText(0, tekst);
    const int obrazek = (d.PM >= 0 && d.PM <= 2) ? d.PM : 0;
    QIcon ikona = ImagePit[obrazek];
    ikona.addPixmap(ImagePit[obrazek + 3].pixmap(16, 16), QIcon::Selected);
    wezel->setIcon(0, ikona);
    if (d.IdParent == 0) {
      QFont czcionka = wezel->font(0);
      czcionka.setBold(true);
      wezel->setFont(0, czcionka);
    }
    if (rodzic) rodzic->setExpanded(true);
    d.Wezel = wezel;
    d.Id = i;
    if (d.Wczytany == 0 && znanyTyp) struktura::WczytajDomyslne(d, FolderDc + QString::number(d.IdPit) + QStringLiteral(".dcs"));
  }
  TV->expandAll();
  BudowanieDrzewa = 0;
  if (MaDruki()) PokazWPasku(Zmiana, true);
}
