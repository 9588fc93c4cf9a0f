// Showing a form of the settlement and its pages: the tree's choice, the page display, the page buttons, the mouse
// wheel and a further copy of a form that may come in several copies.

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>
#include <exception>
#include <memory>
#include <optional>

#include "calc/identyfikacja.h"
#include "calc/oblicz.h"
#include "main/tools.h"
#include "model/struktura.h"
#include "pages/fimage.h"
#include "pages/nakladka.h"
#include "pages/obiekty_plik.h"
#include "pages/obraz_strony.h"
#include "pages/rysowanie.h"
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

// What a form that cannot be shown must leave as it was. The record is held apart: it is too large for the stack of
// every page shown.
struct StanEkranu {
  std::unique_ptr<const TDruk> druk;
  int liczbaStron = 0, typ = 0, strona = 0;
  std::uint8_t pierwszeWyswietlenie = 1;
  QString opis, opisStrony;
  bool zalAdd = false;
};

void Przywroc(TTools& t, const StanEkranu& stan) {
  t.BiezacyDruk = *stan.druk;
  t.LiczbaStron = stan.liczbaStron;
  t.BiezacyTyp = stan.typ;
  t.BiezacaStrona = stan.strona;
  t.PierwszeWyswietlenie = stan.pierwszeWyswietlenie;
  t.InfoPit->setText(stan.opis);
  t.InfoPage->setText(stan.opisStrony);
  t.PokazZalAdd(stan.zalAdd);
}

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
  // A rebuild of the tree may follow new records: an open editor is stored only into the records it was opened on.
  if (BudowanieDrzewa != 1 && FImage && !FImage->ZatwierdzEdytor()) return;
  UstawWysokoscListError(0);
  const StanEkranu poprzedni{.druk = std::make_unique<const TDruk>(BiezacyDruk),
                             .liczbaStron = LiczbaStron,
                             .typ = BiezacyTyp,
                             .strona = BiezacaStrona,
                             .pierwszeWyswietlenie = PierwszeWyswietlenie,
                             .opis = InfoPit->text(),
                             .opisStrony = InfoPage->text(),
                             .zalAdd = ZalAdd->isVisibleTo(CoolBar)};
  BiezacaStrona = strona;
  PierwszeWyswietlenie = 1;
  if (wezel && TV->currentItem() != wezel) {
    const QSignalBlocker blokada(TV);
    TV->setCurrentItem(wezel);
  }
  if (BudowanieDrzewa == 1) return;

  const TDruk* druk = DrukWezla(wezel);
  // A node without a record (the tree emptied, a selection cleared) shows nothing.
  if (!druk || !ZnanyTyp(druk->IdPit)) {
    Przywroc(*this, poprzedni);
    if (wezel) ZaznaczWezelNaEkranie();
    return;
  }

  BiezacyDruk = *druk;
  const TTypDruku& typ = TypyDrukow[static_cast<std::size_t>(BiezacyDruk.IdPit)];
  LiczbaStron = typ.LiczbaStron;
  BiezacyTyp = BiezacyDruk.IdPit;
  PokazZalAdd(typ.WieleKopii != 0);
  QString opis = QStringLiteral("Druk: ") + NaQString(typ.Nazwa);
  if (BiezacyDruk.PM == PMPodatnik) opis += QStringLiteral(" (Podatnika)");
  if (BiezacyDruk.PM == PMMalzonek) opis += QStringLiteral(" (Małżonka)");
  InfoPit->setText(opis);
  InfoPage->setText(QStringLiteral("%1 z %2").arg(strona).arg(LiczbaStron));
  if (!PokazStrone(BiezacyTyp, strona, true)) {
    Przywroc(*this, poprzedni);
    // With no page on screen no form is current, and the header shows none.
    if (!FImage || !FImage->Otwarty()) {
      BiezacyDruk = TDruk{};
      BiezacyTyp = 0;
      LiczbaStron = 0;
      PokazZalAdd(false);
      UstawDostepnosc(false);
    }
    ZaznaczWezelNaEkranie();
    // A click on the tree selects its node once this handler has returned; the selection comes back after it.
    QTimer::singleShot(0, this, &TTools::ZaznaczWezelNaEkranie);
    return;
  }
  PokazPamiec();
}

void TTools::ZaznaczWezelNaEkranie() {
  const int j = BiezacyDruk.Id;
  QTreeWidgetItem* wezel = FImage && FImage->Otwarty() && j >= 1 && j <= LiczbaDrukow &&
                                   static_cast<std::size_t>(j) < Druki.size()
                               ? Druki[static_cast<std::size_t>(j)].Wezel
                               : nullptr;
  const QSignalBlocker blokada(TV);
  TV->clearSelection();
  TV->setCurrentItem(wezel);
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
    QString blad;
    naglowek = struktura::CzytajNaglowek(plikDcd, &blad);
    if (!naglowek) {
      platform::ShowMessage(blad.isEmpty() ? QStringLiteral("Nieprawidłowy plik nagłówka formularza (wymagane 276 "
                                                            "bajtów):\n") + plikDcd
                                           : blad);
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
  // Another form opens at its top left corner, another page of it at its top; the page on screen drawn again keeps
  // its place.
  const bool innyDruk = PierwszeWyswietlenie == 1 || !FImage->Otwarty();
  const bool odGory = innyDruk || plikDcg != PlikDcg;
  std::optional<std::vector<TObiekt>> obiekty;
  if (wczytajObiekty) {
    QString blad;
    obiekty = struktura::CzytajObiekty(plikDcs, naglowek ? 1.0f : Skala, &blad);
    if (!obiekty) {
      platform::ShowMessage(blad.isEmpty() ? QStringLiteral("Nie można odczytać pliku obiektów formularza:\n") + plikDcs
                                           : blad);
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
  if (odGory) FImage->UstawPozycjePionowa(0);
  if (innyDruk) FImage->horizontalScrollBar()->setValue(0);

  // A computation that fails still leaves the page drawn; its error is reported after.
  std::exception_ptr bladObliczenia;
  if (TrybKlienta == 1) {
    try {
      KontekstObliczen kx = FImage->Kontekst();
      Oblicz(kx, BiezacyDruk.Id);
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
  // The new copy takes the identification data as they stand, a value still in its editor included.
  if (FImage && !FImage->ZatwierdzEdytor()) return;
  DodajDruk(BiezacyDruk.IdPit, BiezacyDruk.IdParent, BiezacyDruk.PM, BiezacyDruk.Rodzaj);
  const int nowy = LiczbaDrukow;
  BudujDrzewo();
  ZapiszDaneOsobDoDruku(Rozl, nowy);
  if (QTreeWidgetItem* wezel = Druki[static_cast<std::size_t>(nowy)].Wezel) {
    PokazDruk(wezel, 1);
    PokazPamiec();
  }
  Zmodyfikowane = 1;
  ToolButtonSave->setEnabled(true);
}
