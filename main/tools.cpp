#include "main/tools.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "main/obrazki.h"
#include "pages/fimage.h"
#include "pages/rysowanie.h"
#include "platform/aplikacja.h"
#include "platform/system.h"
#include "platform/ustawienia.h"

TTools* Tools = nullptr;

namespace {

QAction* Akcja(QObject* wlasciciel, const char* nazwa, const QString& tekst, const QKeySequence& skrot = {}) {
  auto* a = new QAction(tekst, wlasciciel);
  a->setObjectName(QString::fromLatin1(nazwa));
  if (!skrot.isEmpty()) a->setShortcut(skrot);
  return a;
}

QAction* Przycisk(QToolBar* pasek, const char* nazwa, const QString& podpowiedz, const char* ikona) {
  auto* a = pasek->addAction(IkonaPaska(QString::fromLatin1(ikona)), podpowiedz);
  a->setObjectName(QString::fromLatin1(nazwa));
  a->setToolTip(podpowiedz);
  return a;
}

QToolButton* PrzyciskPaska(QToolBar* pasek, const char* nazwa, const QString& tekst) {
  auto* b = new QToolButton(pasek);
  b->setObjectName(QString::fromLatin1(nazwa));
  b->setText(tekst);
  b->setAutoRaise(true);
  pasek->addWidget(b);
  return b;
}

QLabel* Etykieta(QWidget* rodzic, const char* nazwa, const QString& tekst) {
  auto* l = new QLabel(tekst, rodzic);
  l->setObjectName(QString::fromLatin1(nazwa));
  return l;
}

}  // namespace

TTools::TTools(const QString& folderProgramu, QWidget* parent) : QMainWindow(parent) {
  setObjectName("Tools");
  Tools = this;
  FolderProgramu = folderProgramu.isEmpty() ? QCoreApplication::applicationDirPath() : folderProgramu;
  if (!FolderProgramu.endsWith('/')) FolderProgramu += '/';
  ParametrWiersza = QCoreApplication::arguments().value(1);
  // Before the windows that read the settings are made; a refusal is reported once the window is shown.
  ustawienia_ = std::make_unique<platform::TIniFile>(QStringLiteral("velmar2008.ini"));
  ImagePit = ObrazkiDrukow();
  BudujMenu();
  BudujPaskiNarzedzi();
  BudujUklad();
  PolaczPliki();
  PolaczStrony();
  PolaczProjekt();
  FormCreate();
}

TTools::~TTools() {
  if (Tools == this) Tools = nullptr;
}

void TTools::BudujMenu() {
  Rozliczenie1 = new QMenu(QStringLiteral("Rozliczenie"), this);
  Rozliczenie1->setObjectName("Rozliczenie1");
  Nowe1 = Akcja(this, "Nowe1", QStringLiteral("Nowe"), QKeySequence(Qt::CTRL | Qt::Key_N));
  Otw1 = Akcja(this, "Otw1", QStringLiteral("Otwórz"), QKeySequence(Qt::CTRL | Qt::Key_O));
  Zamknij1 = Akcja(this, "Zamknij1", QStringLiteral("Zamknij"));
  Zapisz1 = Akcja(this, "Zapisz1", QStringLiteral("Zapisz"), QKeySequence(Qt::CTRL | Qt::Key_S));
  Zapiszjako1 = Akcja(this, "Zapiszjako1", QStringLiteral("Zapisz jako ..."));
  Drukuj2 = Akcja(this, "Drukuj2", QStringLiteral("Drukuj"), QKeySequence(Qt::CTRL | Qt::Key_P));
  Zamknijprogram1 = Akcja(this, "Zamknijprogram1", QStringLiteral("Zamknij program"));
  Informacjaoprogramie1 = Akcja(this, "Informacjaoprogramie1", QStringLiteral("Informacja o programie"));
  Rozliczenie1->addActions({Nowe1, Otw1, Zamknij1});
  Rozliczenie1->addSeparator();
  Rozliczenie1->addActions({Zapisz1, Zapiszjako1});
  Rozliczenie1->addSeparator();
  Rozliczenie1->addAction(Drukuj2);
  Rozliczenie1->addSeparator();
  Rozliczenie1->addActions({Zamknijprogram1, Informacjaoprogramie1});
  menuKlienta_ = {Rozliczenie1->menuAction()};

  Plik1 = new QMenu(QStringLiteral("Formularz"), this);
  Plik1->setObjectName("Plik1");
  NowyFormularz = Akcja(this, "NowyFormularz", QStringLiteral("Nowy"));
  OtworzFormularz = Akcja(this, "OtworzFormularz", QStringLiteral("Otwórz"));
  Zapisz2 = Akcja(this, "Zapisz2", QStringLiteral("Zapisz"));
  ZapiszFormularzJako = Akcja(this, "ZapiszFormularzJako", QStringLiteral("Zapisz jako ..."));
  DodajStroneDruku = Akcja(this, "DodajStroneDruku", QStringLiteral("Dodaj stronę druku"));
  Zamknij2 = Akcja(this, "Zamknij2", QStringLiteral("Zamknij "));
  Drukuj1 = Akcja(this, "Drukuj1", QStringLiteral("Drukuj"));
  Koniec = Akcja(this, "Koniec", QStringLiteral("Koniec"));
  Plik1->addActions({NowyFormularz, OtworzFormularz, Zapisz2, ZapiszFormularzJako, DodajStroneDruku, Zamknij2});
  Plik1->addSeparator();
  Plik1->addAction(Drukuj1);
  Plik1->addSeparator();
  Plik1->addAction(Koniec);

  Widok1 = new QMenu(QStringLiteral("Widok"), this);
  Widok1->setObjectName("Widok1");
  AutoOpcje = Akcja(this, "AutoOpcje", QStringLiteral("Okno opcji "));
  NazwyPol = Akcja(this, "NazwyPol", QStringLiteral("Nazwy pól"));
  PodswietlPol = Akcja(this, "PodswietlPol", QStringLiteral("Podświetlanie pól"));
  for (QAction* a : {AutoOpcje, NazwyPol, PodswietlPol}) {
    a->setCheckable(true);
    a->setChecked(true);
  }
  Widok1->addActions({AutoOpcje, NazwyPol, PodswietlPol});
  Oprogramie2 = Akcja(this, "Oprogramie2", QStringLiteral("O programie"));
  // Two items without a caption or a command stand beside it: blank places in the menu bar, not separators.
  menuNarzedziowe_ = {Plik1->menuAction(), Widok1->menuAction(), Oprogramie2, new QAction(this), new QAction(this)};

  // The identification blocks are emptied by the close itself, once it is accepted: emptied before the question, an
  // Anuluj would leave the settlement running with every form's next computation writing blank personal data.
  connect(Zamknijprogram1, &QAction::triggered, this, &QWidget::close);
  connect(Koniec, &QAction::triggered, this, &QWidget::close);
}

void TTools::BudujPaskiNarzedzi() {
  ToolBarKlienta = new QToolBar(this);
  ToolBarKlienta->setObjectName("ToolBarKlienta");
  ToolBarKlienta->setMovable(false);
  ToolButton1 = Przycisk(ToolBarKlienta, "ToolButton1", QStringLiteral("Nowe rozliczenie"), "nowe");
  ToolButton2 = Przycisk(ToolBarKlienta, "ToolButton2", QStringLiteral("Otwórz istniejące rozliczenie"),
                         "otworz");
  ToolButtonSave =
      Przycisk(ToolBarKlienta, "ToolButtonSave", QStringLiteral("Zapisz rozliczenie"), "zapisz");
  BWydruk = Przycisk(ToolBarKlienta, "BWydruk", QStringLiteral("Drukuj"), "drukuj");
  ToolButton10 = Przycisk(ToolBarKlienta, "ToolButton10", QStringLiteral("Sprawdz czy jest nowsza wersja programu"),
                          "aktualizacja");
  ToolButton6 = Przycisk(ToolBarKlienta, "ToolButton6", QString(), "projektant");
  addToolBar(Qt::TopToolBarArea, ToolBarKlienta);

  // A click on this bar beside its buttons does nothing: forgetting the loaded page there would make "Zapisz jako ..."
  // write a header naming pages it leaves behind, without the objects.
  ToolBarNarzedziowy = new QToolBar(this);
  ToolBarNarzedziowy->setObjectName("ToolBarNarzedziowy");
  ToolBarNarzedziowy->setMovable(false);
  ButtonNew = Przycisk(ToolBarNarzedziowy, "ButtonNew", QStringLiteral("Nowy formularz"), "nowe");
  ButtonOpen = Przycisk(ToolBarNarzedziowy, "ButtonOpen", QStringLiteral("Otwórz istniejący dokument"),
                        "otworz");
  ButtonSave =
      Przycisk(ToolBarNarzedziowy, "ButtonSave", QStringLiteral("Zapisz dokument jako"), "zapisz");
  ButtonAddPage =
      Przycisk(ToolBarNarzedziowy, "ButtonAddPage", QStringLiteral("Dodaj stronę druku"), "dodaj_strone");
  ButtonInternet = Przycisk(ToolBarNarzedziowy, "ButtonInternet", QStringLiteral("sprawdz połączenie z siecią Internet"),
                            "siec");
  ButtonTrybEdycji = Przycisk(ToolBarNarzedziowy, "ButtonTrybEdycji",
                              QStringLiteral("tryb pracy: narzędziowy lub klienta"), "tryb_klienta");
  ToolButton8 = Przycisk(ToolBarNarzedziowy, "ToolButton8", QString(), "drukuj");
  // The print window prints only while BWydruk can: with a page on screen. Its other commands follow it.
  connect(BWydruk, &QAction::enabledChanged, this, [this](bool wlaczony) {
    Drukuj2->setEnabled(wlaczony);
    ToolButton8->setEnabled(wlaczony);
  });
  Drukuj = Przycisk(ToolBarNarzedziowy, "Drukuj", QStringLiteral("Drukuj dokument"), "drukuj_strone");
  SelectObj = new QComboBox(ToolBarNarzedziowy);
  SelectObj->setObjectName("SelectObj");
  SelectObj->addItems({"Text", "Liczba", "NIP", "Data", "Select", "Checbox"});
  ToolBarNarzedziowy->addWidget(SelectObj);
  Button1 = ToolBarNarzedziowy->addAction(QString());
  Button1->setObjectName("Button1");
  Button1->setVisible(false);
  TrackBar = new QSlider(Qt::Horizontal, this);
  TrackBar->setObjectName("TrackBar");
  TrackBar->setRange(0, 100);
  TrackBar->setSingleStep(10);
  TrackBar->setPageStep(10);
  TrackBar->setTickInterval(10);
  TrackBar->setVisible(false);
  addToolBar(Qt::TopToolBarArea, ToolBarNarzedziowy);
  addToolBarBreak(Qt::TopToolBarArea);

  CoolBar = new QToolBar(this);
  CoolBar->setObjectName("CoolBar");
  CoolBar->setMovable(false);
  Zmiana = PrzyciskPaska(CoolBar, "Zmiana", QStringLiteral("dodaj/usuń druk"));
  ZalAdd = PrzyciskPaska(CoolBar, "ZalAdd", QStringLiteral("dod. egz."));
  CoolBar->addSeparator();
  InfoPit = Etykieta(CoolBar, "InfoPit", QStringLiteral("DRUK:"));
  InfoPit->setMinimumWidth(200);
  CoolBar->addWidget(InfoPit);
  Strona = Etykieta(CoolBar, "Strona", QStringLiteral("strona druku:"));
  CoolBar->addWidget(Strona);
  InfoPage = Etykieta(CoolBar, "InfoPage", QStringLiteral("0 z 0"));
  InfoPage->setMinimumWidth(50);
  CoolBar->addWidget(InfoPage);
  PitPrevPageEnd = PrzyciskPaska(CoolBar, "PitPrevPageEnd", QStringLiteral("|<"));
  PitPrevPage = PrzyciskPaska(CoolBar, "PitPrevPage", QStringLiteral("<"));
  PitNextPage = PrzyciskPaska(CoolBar, "PitNextPage", QStringLiteral(">"));
  PitNextPageEnd = PrzyciskPaska(CoolBar, "PitNextPageEnd", QStringLiteral(">|"));
  addToolBar(Qt::TopToolBarArea, CoolBar);

  connect(ButtonTrybEdycji, &QAction::triggered, this, [this] {
    TrybKlienta = 1;
    UstawTryb(true);
  });
  connect(ToolButton6, &QAction::triggered, this, [this] {
    TrybKlienta = 0;
    UstawTryb(false);
  });
}

void TTools::BudujUklad() {
  auto* centrum = new QWidget(this);
  auto* pion = new QVBoxLayout(centrum);
  pion->setContentsMargins(0, 0, 0, 0);
  pion->setSpacing(0);

  Splitter = new QSplitter(Qt::Horizontal, centrum);
  Splitter->setObjectName("Splitter");
  auto* lewy = new QWidget(Splitter);
  auto* lewyUklad = new QVBoxLayout(lewy);
  lewyUklad->setContentsMargins(0, 0, 0, 0);
  DobraneFormularze = Etykieta(lewy, "DobraneFormularze", QString());
  DobraneFormularze->setWordWrap(true);
  DobraneFormularze->setFrameShape(QFrame::Panel);
  DobraneFormularze->setFrameShadow(QFrame::Raised);
  lewyUklad->addWidget(DobraneFormularze);
  TV = new QTreeWidget(lewy);
  TV->setObjectName("TV");
  TV->setHeaderHidden(true);
  TV->setColumnCount(1);
  lewyUklad->addWidget(TV, 1);

  auto* prawy = new QWidget(Splitter);
  auto* prawyUklad = new QVBoxLayout(prawy);
  prawyUklad->setContentsMargins(0, 0, 0, 0);
  prawyUklad->setSpacing(0);
  Powitanie = new QTextEdit(prawy);
  Powitanie->setObjectName("Powitanie");
  Powitanie->setReadOnly(true);
  Powitanie->setPlainText(QStringLiteral("Witamy w programie Velmar 2008 - rozliczenie roczne podatku dochodowego za "
                                         "rok 2008.\n\nAby rozpocząć, naciśnij przycisk u dołu okna."));
  prawyUklad->addWidget(Powitanie, 1);
  ObszarMdi = new QMdiArea(prawy);
  ObszarMdi->setObjectName("ObszarMdi");
  ObszarMdi->setVisible(false);
  prawyUklad->addWidget(ObszarMdi, 1);
  Splitter->addWidget(lewy);
  Splitter->addWidget(prawy);
  Splitter->setStretchFactor(1, 1);
  Splitter->setSizes({220, 780});
  pion->addWidget(Splitter, 1);

  ListError = new QListWidget(centrum);
  ListError->setObjectName("ListError");
  QFont czcionka = ListError->font();
  czcionka.setBold(true);
  ListError->setFont(czcionka);
  ListError->setStyleSheet(QStringLiteral("color: red;"));
  pion->addWidget(ListError);
  UstawWysokoscListError(0);
  // The welcome button lies at the bottom, across the whole width, under the tree as under the welcome text.
  RozpocznijPrace = new QPushButton(QStringLiteral("Rozpocznij pracę z programem Velmar 2008"), centrum);
  RozpocznijPrace->setObjectName("RozpocznijPrace");
  RozpocznijPrace->setMinimumHeight(36);
  pion->addWidget(RozpocznijPrace);
  setCentralWidget(centrum);

  auto* pasekStanu = new QStatusBar(this);
  pasekStanu->setObjectName("StatusBar");
  for (std::size_t i = 0; i < PanelStatusu.size(); ++i) {
    PanelStatusu[i] = new QLabel(pasekStanu);
    PanelStatusu[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
    pasekStanu->addWidget(PanelStatusu[i], 1);
  }
  setStatusBar(pasekStanu);
}

void TTools::UstawWysokoscListError(int wysokosc) {
  wysokoscListError_ = wysokosc;
  ListError->setFixedHeight(wysokosc);
  ListError->setVisible(wysokosc > 0);
}

void TTools::PokazPowitanie(bool widoczne) {
  // The welcome text and the page view share the right-hand side.
  Powitanie->setVisible(widoczne);
  RozpocznijPrace->setVisible(widoczne);
  ObszarMdi->setVisible(!widoczne);
}

void TTools::PokazWPasku(QWidget* kontrolka, bool widoczna) {
  // A widget on a tool bar is shown and hidden through the bar's action for it.
  if (auto* pasek = qobject_cast<QToolBar*>(kontrolka->parentWidget()))
    for (QAction* a : pasek->actions())
      if (pasek->widgetForAction(a) == kontrolka) {
        a->setVisible(widoczna);
        return;
      }
  kontrolka->setVisible(widoczna);
}

void TTools::UstawStatus(int panel, const QString& tekst) {
  if (panel >= 0 && panel < static_cast<int>(PanelStatusu.size())) PanelStatusu[panel]->setText(tekst);
}

void TTools::UstawTryb(bool klient) {
  menuBar()->clear();
  menuBar()->addActions(klient ? menuKlienta_ : menuNarzedziowe_);
  if (klient) {
    ToolBarKlienta->setVisible(true);
    ToolBarNarzedziowy->setVisible(false);
  } else {
    ToolBarKlienta->setVisible(false);
    ToolBarNarzedziowy->setVisible(true);
    CoolBar->setVisible(true);
    ButtonNew->setEnabled(true);
    ButtonOpen->setEnabled(true);
    ButtonAddPage->setVisible(true);
    PokazWPasku(SelectObj, true);
  }
  if (!FImage) return;
  if (!klient) FImage->UsunEdytory();
  FImage->UstawMenuObiektu(!klient);
  // The page on screen is drawn again in the new mode's way, without reloading the form.
  if (StronaWczytana && LiczbaObiektow > 0 && WczytajObrazStrony()) {
    WyczyscNakladke();
    if (klient)
      RysujObiekty(FImage);
    else
      WczytajIRysujObiekty(FImage);
  }
}

void TTools::PokazPamiec() {
  const long long bajty = platform::PamiecRezydentna();
  if (bajty > 0) UstawStatus(4, QStringLiteral(" RAM: %1 KB").arg(bajty >> 10));
}

void TTools::PokazZalAdd(bool widoczny) {
  PokazWPasku(ZalAdd, widoczny);
}

QString TTools::TekstRodzaju(int rodzaj) {
  switch (rodzaj) {
    case Indywidualne: return QStringLiteral(" - rozliczenie indywidualne ");
    case WspolneZMalzonkiem: return QStringLiteral(" - rozliczenie wspólne z małżonkiem ");
    case SamotnieWychowujacy: return QStringLiteral(" - rozliczenie jako osoba samotnie wychowyjąca dziecko");
    default: return {};
  }
}

void TTools::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!pokazane_) {
    pokazane_ = true;
    FormShow();
    // The start-up check begins from the event loop, after the window has appeared, unless the program is ending.
    if (sprawdzPoPokazaniu_)
      QTimer::singleShot(0, this, [this] {
        const auto* aplikacja = platform::Aplikacja::Instancja();
        if (!aplikacja || !aplikacja->Zakonczona()) RozpocznijAktualizacje(false, true);
      });
    sprawdzPoPokazaniu_ = false;
  }
}
