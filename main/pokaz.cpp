// Showing a form of the settlement and its pages: the tree's choice, the page display, the page buttons, the mouse
// wheel and a further copy of a form that may come in several copies.

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>
#include <exception>
#include <optional>

#include "calc/oblicz.h"
#include "calc/identyfikacja.h"
#include "main/tools.h"
#include "pages/fimage.h"
#include "pages/nakladka.h"
#include "pages/obiekty_plik.h"
#include "pages/obraz_strony.h"
#include "pages/rysowanie.h"
#include "pages/struktura.h"
#include "platform/dialogi.h"

namespace {

bool ZnanyTyp(int kod) { return kod >= 1 && kod <= kLiczbaTypowDrukow; }

// Enables a control, also one on a tool bar, through the bar's action: the bar gives its widgets the action's state
// whenever the action changes, its visibility included.
void WlaczWPasku(QWidget* kontrolka, bool wlaczona) {
  if (auto* pasek = qobject_cast<QToolBar*>(kontrolka->parentWidget()))
    for (QAction* a : pasek->actions())
      if (pasek->widgetForAction(a) == kontrolka) a->setEnabled(wlaczona);
  kontrolka->setEnabled(wlaczona);
}

// The wheel over the main window and the mouse over the tree.
class TFiltrStron : public QObject {
 public:
  TFiltrStron(TTools* tools, QWidget* drzewo) : QObject(tools), tools_(tools), drzewo_(drzewo) {}

  bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override {
    const QEvent::Type rodzaj = zdarzenie->type();
    if (rodzaj == QEvent::Wheel && obiekt == tools_) {
      // Only turns no control inside took for itself reach the window.
      reszta_ += static_cast<QWheelEvent*>(zdarzenie)->angleDelta().y();
      for (; reszta_ >= 120; reszta_ -= 120) tools_->FormMouseWheelUp();
      for (; reszta_ <= -120; reszta_ += 120) tools_->FormMouseWheelDown();
      return true;
    }
    if (obiekt == drzewo_ && rodzaj == QEvent::MouseMove) tools_->TVMouseMove();
    if (obiekt == drzewo_ && rodzaj == QEvent::MouseButtonRelease)
      tools_->TVMouseUp(static_cast<QMouseEvent*>(zdarzenie)->button());
    return false;
  }

 private:
  TTools* tools_;
  QPointer<QWidget> drzewo_;
  int reszta_ = 0;
};

}  // namespace

void TTools::PolaczStrony() {
  connect(PitNextPage, &QToolButton::clicked, this, &TTools::PitNextPageClick);
  connect(PitPrevPage, &QToolButton::clicked, this, &TTools::PitPrevPageClick);
  connect(PitPrevPageEnd, &QToolButton::clicked, this, &TTools::PitPrevPageEndClick);
  connect(PitNextPageEnd, &QToolButton::clicked, this, &TTools::PitNextPageEndClick);
  connect(ZalAdd, &QToolButton::clicked, this, &TTools::ZalAddClick);
  connect(TV, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* wezel) { TVChange(wezel); });
  auto* filtr = new TFiltrStron(this, TV->viewport());
  installEventFilter(filtr);
  TV->setMouseTracking(true);
  TV->viewport()->installEventFilter(filtr);
}

void TTools::PokazDruk(QTreeWidgetItem* wezel, int strona) {
  if (FImage && !FImage->ZatwierdzEdytor()) return;
  UstawWysokoscListError(0);
  const int poprzedniaStrona = BiezacaStrona;
  const std::uint8_t poprzednieWyswietlenie = PierwszeWyswietlenie;
  BiezacaStrona = strona;
  PierwszeWyswietlenie = 1;
  // The node of the form on screen; the tree may already show the new one when it asked for it.
  const int biezacy = BiezacyDruk.Id;
  QTreeWidgetItem* poprzedniWezel =
      biezacy >= 1 && biezacy <= LiczbaDrukow && static_cast<std::size_t>(biezacy) < Druki.size()
          ? Druki[static_cast<std::size_t>(biezacy)].Wezel
          : nullptr;
  if (wezel && TV->currentItem() != wezel) {
    const QSignalBlocker blokada(TV);
    TV->setCurrentItem(wezel);
  }
  if (BudowanieDrzewa == 1) return;

  const TDruk druk = ZnajdzDrukWezla(wezel);
  // What a form that cannot be shown must leave as it was.
  const TDruk poprzedni = BiezacyDruk;
  const int poprzedniaLiczbaStron = LiczbaStron, poprzedniTyp = BiezacyTyp;
  const QString poprzedniOpis = InfoPit->text();
  const bool byloZalAdd = ZalAdd->isVisibleTo(CoolBar);
  const auto przywroc = [&] {
    BiezacyDruk = poprzedni;
    LiczbaStron = poprzedniaLiczbaStron;
    BiezacyTyp = poprzedniTyp;
    BiezacaStrona = poprzedniaStrona;
    PierwszeWyswietlenie = poprzednieWyswietlenie;
    InfoPit->setText(poprzedniOpis);
    PokazZalAdd(byloZalAdd);
  };
  // A node without a record (the tree emptied, a selection cleared) shows nothing.
  if (!ZnanyTyp(druk.IdPit)) {
    przywroc();
    return;
  }

  BiezacyDruk = druk;
  const TTypDruku& typ = TypyDrukow[static_cast<std::size_t>(druk.IdPit)];
  LiczbaStron = typ.LiczbaStron;
  BiezacyTyp = druk.IdPit;
  PokazZalAdd(typ.WieleKopii != 0);
  QString opis = QStringLiteral("Druk: ") + NaQString(typ.Nazwa);
  if (druk.PM == PMPodatnik) opis += QStringLiteral(" (Podatnika)");
  if (druk.PM == PMMalzonek) opis += QStringLiteral(" (Małżonka)");
  InfoPit->setText(opis);
  InfoPage->setText(QStringLiteral("%1 z %2").arg(strona).arg(LiczbaStron));
  if (!PokazStrone(BiezacyTyp, strona, true)) {
    przywroc();
    const QSignalBlocker blokada(TV);
    TV->setCurrentItem(poprzedniWezel);
    return;
  }
  PokazPamiec();
}

bool TTools::PokazStrone(int kodDruku, int strona, bool odswiez) {
  if (!FImage) return false;
  if (!FImage->ZatwierdzEdytor()) return false;
  // Whatever happens: the commands of an open form, the settlement kind and the caption over the tree.
  const auto naKoniec = [this] {
    UstawDostepnosc(true);
    if (MaDruki() && LiczbaDrukow >= 1) RodzajRozliczenia = Druki[1].Rodzaj;
    DobraneFormularze->setText(QStringLiteral(" Dobrane formularze") + TekstRodzaju(RodzajRozliczenia));
  };
  // Everything is read before anything changes, so a page that cannot be shown leaves the previous one in place.
  const QString folderDruku = FolderProgramu + QStringLiteral("dc");
  const QString plikDcd = folderDruku + QStringLiteral("/%1.dcd").arg(kodDruku);
  std::optional<TNaglowekFormularza> naglowek;
  if (QFileInfo::exists(plikDcd)) {
    naglowek = struktura::CzytajNaglowek(plikDcd);
    if (!naglowek) {
      platform::ShowMessage(QStringLiteral("Nieprawidłowy plik nagłówka formularza (wymagane 276 bajtów):\n") +
                            plikDcd);
      naKoniec();
      return false;
    }
  }
  const int liczbaStron = naglowek ? naglowek->LiczbaStron : LiczbaStron;

  if (liczbaStron < 1) {
    // A form without pages: a blank page, nothing to print, and no objects of another form left under it.
    FolderDruku = folderDruku;
    PlikDcd = plikDcd;
    if (naglowek) UstawNaglowekFormularza(*naglowek);
    ObrazStrony.reset();
    StronaWczytana = 0;
    FImage->IDruk->UstawObraz({});
    UstawObiekty(FImage, {});
    WyczyscStrone();
    BWydruk->setEnabled(false);
    naKoniec();
    return true;
  }

  const QString plikDcs = folderDruku + QStringLiteral("/") + PodfolderDrukow + QStringLiteral("%1.dcs").arg(kodDruku);
  const QString plikDcg =
      folderDruku + QStringLiteral("/") + PodfolderDrukow + QStringLiteral("%1_%2.dcg").arg(kodDruku).arg(strona);
  if (!QFileInfo::exists(plikDcs) || !QFileInfo::exists(plikDcg)) {
    platform::ShowMessage(QStringLiteral("Brak wynaganych plik plików: \n") + plikDcs + QStringLiteral("\n") + plikDcg);
    BWydruk->setEnabled(false);
    naKoniec();
    return false;
  }
  const bool wczytajObiekty = PierwszeWyswietlenie == 1 && TrybKlienta == 1;
  std::optional<std::vector<TObiekt>> obiekty;
  if (wczytajObiekty) {
    obiekty = struktura::CzytajObiekty(plikDcs, naglowek ? 1.0f : Skala);
    if (!obiekty) {
      platform::ShowMessage(QStringLiteral("Nie można odczytać pliku obiektów formularza:\n") + plikDcs);
      naKoniec();
      return false;
    }
  }
  QString blad;
  std::shared_ptr<TObrazStrony> obraz = FImage->ObrazyStron.Wczytaj(plikDcg, blad);
  if (!obraz) {
    platform::ShowMessage(blad);
    naKoniec();
    return false;
  }

  FolderDruku = folderDruku;
  PlikDcd = plikDcd;
  PlikDcs = plikDcs;
  PlikDcg = plikDcg;
  if (naglowek) UstawNaglowekFormularza(*naglowek);
  BWydruk->setEnabled(true);
  BiezacaStrona = strona;
  PokazPowitanie(false);
  if (!FImage->Otwarty())
    FImage->Otworz();
  else if (odswiez)
    FImage->UsunEdytory();
  if (wczytajObiekty) {
    UstawObiekty(FImage, std::move(*obiekty));
    PierwszeWyswietlenie = 0;
  }
  UstawObrazStrony(std::move(obraz));
  WyczyscNakladke();

  // A computation that fails still leaves the page drawn; its error is reported after.
  std::exception_ptr bladObliczenia;
  if (TrybKlienta == 1) {
    try {
      Oblicz(FImage, BiezacyDruk.Id);
    } catch (...) {
      bladObliczenia = std::current_exception();
    }
    RysujObiekty(FImage);
  } else {
    WczytajIRysujObiekty(FImage);
  }
  // A computation may itself have shown another page; the buttons follow what is on screen.
  UstawNawigacje(BiezacaStrona);
  InfoPage->setText(QStringLiteral("%1 z %2").arg(BiezacaStrona).arg(LiczbaStron));
  naKoniec();
  // The next page is the likely next turn.
  if (BiezacaStrona < LiczbaStron)
    FImage->PrzygotujObraz(folderDruku + QStringLiteral("/") + PodfolderDrukow +
                           QStringLiteral("%1_%2.dcg").arg(kodDruku).arg(BiezacaStrona + 1));
  if (bladObliczenia) std::rethrow_exception(bladObliczenia);
  return true;
}

void TTools::UstawNawigacje(int strona) {
  WlaczWPasku(PitNextPage, strona != LiczbaStron);
  WlaczWPasku(PitNextPageEnd, strona != LiczbaStron);
  WlaczWPasku(PitPrevPage, strona > 1);
  WlaczWPasku(PitPrevPageEnd, strona > 1);
}

void TTools::PitNextPageClick() {
  if (BiezacaStrona < LiczbaStron && StronaWczytana) PokazStrone(BiezacyTyp, BiezacaStrona + 1, true);
}

void TTools::PitPrevPageClick() {
  if (BiezacaStrona > 1 && StronaWczytana) PokazStrone(BiezacyTyp, BiezacaStrona - 1, true);
}

void TTools::PitPrevPageEndClick() { PokazStrone(BiezacyTyp, 1, true); }

void TTools::PitNextPageEndClick() { PokazStrone(BiezacyTyp, LiczbaStron, true); }

void TTools::TVChange(QTreeWidgetItem* wezel) {
  WybranyObiekt = -1;
  PokazDruk(wezel, 1);
}

void TTools::FormMouseWheelDown() {
  if (FImage && FImage->Otwarty()) FImage->FormMouseWheelDown();
}

void TTools::FormMouseWheelUp() {
  if (FImage && FImage->Otwarty()) FImage->FormMouseWheelUp();
}

void TTools::TVMouseMove() {
  if (SzerokoscEkranuProjektu >= 801) return;
  const QList<int> rozmiary = Splitter->sizes();
  if (rozmiary.size() == 2 && rozmiary[0] != 135) Splitter->setSizes({135, rozmiary[0] + rozmiary[1] - 135});
}

void TTools::TVMouseUp(Qt::MouseButton przycisk) {
  if (BlokadaNarzedzi != 0 || przycisk != Qt::RightButton) return;
  platform::ShowMessage(QStringLiteral("\nId=%1\nIdParent=%2\nIdPit=%3\nPM=%4")
                            .arg(BiezacyDruk.Id)
                            .arg(BiezacyDruk.IdParent)
                            .arg(BiezacyDruk.IdPit)
                            .arg(BiezacyDruk.PM));
}

void TTools::ZalAddClick() {
  if (BiezacyDruk.Id <= 0) return;
  DodajDruk(BiezacyDruk.IdPit, BiezacyDruk.IdParent, BiezacyDruk.PM, BiezacyDruk.Rodzaj);
  const int nowy = LiczbaDrukow;
  BudujDrzewo();
  ZapiszDaneOsobDoDruku(FImage, nowy);
  if (QTreeWidgetItem* wezel = Druki[static_cast<std::size_t>(nowy)].Wezel) {
    PokazDruk(wezel, 1);
    PokazPamiec();
  }
  Zmodyfikowane = 1;
  ToolButtonSave->setEnabled(true);
}
