// Start-up: one running copy, the screen, the first-start settings, the command line, the regional settings and
// the main window's initial state.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

#include "main/aktualizacja.h"
#include "main/info.h"
#include "main/konwersja.h"
#include "main/licencja.h"
#include "main/tools.h"
#include "main/wydruk.h"
#include "model/plik_rozliczenia.h"
#include "pages/fobj.h"
#include "pages/fpaleta.h"
#include "platform/aplikacja.h"
#include "selection/kreator.h"
#include "selection/sam.h"
#include "selection/wybalg.h"
#include "platform/ustawienia.h"
#include "support/program.h"
#include "support/test_main.h"

using namespace velmar_test;

namespace {

QString Ini() { return platform::FolderUstawien() + QStringLiteral("/velmar2008.ini"); }

}  // namespace

class TstStart : public QObject {
  Q_OBJECT

  FolderProgramu folder_;

  // Shows the window (start-up's second half) and reports whether the program asked to end.
  bool Pokaz(TTools& t) {
    t.show();
    return ZakonczenieZadane();
  }

 private slots:
  void init() {
    SkryptDialogow().pokazane.clear();
    SkryptDialogow().odpowiedzi.clear();
    UstawRegionalne();
  }

  void secondCopyIsRefusedOnce() {
    auto pierwszy = NoweOkno(folder_);
    QVERIFY(!Pokaz(*pierwszy));
    const QString tytul = pierwszy->windowTitle();
    SkryptDialogow().pokazane.clear();

    auto drugi = NoweOkno(folder_);
    QVERIFY(ZakonczenieZadane());
    QCOMPARE(SkryptDialogow().Teksty(), QStringList{QStringLiteral("Program Velmar jest już uruchomiony.")});
    drugi.reset();
    QCOMPARE(pierwszy->windowTitle(), tytul);
    QVERIFY(pierwszy->isVisible());

    // The first copy still holds the guard after the second one is gone.
    auto trzeci = NoweOkno(folder_);
    QVERIFY(ZakonczenieZadane());
    trzeci.reset();
    pierwszy.reset();
    SkryptDialogow().pokazane.clear();
    auto czwarty = NoweOkno(folder_);
    QVERIFY(!ZakonczenieZadane());
    QVERIFY(SkryptDialogow().pokazane.empty());
  }

  void killedCopyLeavesNoGuard() {
    const QString program = QStringLiteral(VELMAR_BIN_DIR "/velmar2008");
    if (!QFile::exists(program)) QSKIP("the program is not built");
    QProcess proces;
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    proces.setProcessEnvironment(srodowisko);
    proces.start(program, {});
    QVERIFY(proces.waitForStarted());
    // Wait until the program has taken its guard: then a copy here is refused.
    bool zajeta = false;
    for (int proba = 0; proba < 100 && !zajeta; ++proba) {
      QTest::qWait(100);
      auto okno = NoweOkno(folder_);
      zajeta = ZakonczenieZadane();
    }
    QVERIFY(zajeta);
    proces.kill();
    QVERIFY(proces.waitForFinished());
    SkryptDialogow().pokazane.clear();
    auto okno = NoweOkno(folder_);
    QVERIFY(!ZakonczenieZadane());
    QVERIFY(SkryptDialogow().pokazane.empty());
  }

  void screenWidth_data() {
    QTest::addColumn<int>("szerokosc");
    QTest::addColumn<int>("wysokosc");
    QTest::addColumn<bool>("konczy");
    QTest::newRow("799 x 600") << 799 << 600 << true;
    QTest::newRow("800 x 480") << 800 << 480 << false;
  }
  void screenWidth() {
    QFETCH(int, szerokosc);
    QFETCH(int, wysokosc);
    QFETCH(bool, konczy);
    auto t = NoweOkno(folder_);
    t->SzerokoscEkranu = szerokosc;
    t->WysokoscEkranu = wysokosc;
    QCOMPARE(Pokaz(*t), konczy);
    const auto& pokazane = SkryptDialogow().pokazane;
    QCOMPARE(pokazane.size(), konczy ? std::size_t{1} : std::size_t{0});
    if (konczy) {
      QCOMPARE(pokazane[0].tytul, QStringLiteral("Nie można uruchomić programu."));
      QCOMPARE(pokazane[0].tekst, QStringLiteral("Rozdzielczość ekranu nie odpowiada wymaganiom programu.\n "
                                                 "Minimalna wymagana rozdzielczosc 800x600."));
    }
  }

  void firstStartWritesSettingsOnce() {
    QFile::remove(Ini());
    {
      auto t = NoweOkno(folder_);
      QVERIFY(!Pokaz(*t));
    }
    platform::TIniFile ini(QStringLiteral("velmar2008.ini"));
    QCOMPARE(ini.ReadString("PIT", "Run", ""), QStringLiteral("1"));
    QCOMPARE(ini.ReadString("PIT", "Path", ""), folder_.Sciezka());
    QCOMPARE(ini.ReadString("PIT", "Ver", ""), QStringLiteral(VELMAR_VERSION));
    QCOMPARE(ini.ReadString("PIT", "AutoUpdate", ""), QStringLiteral("1"));

    ini.WriteString("PIT", "Path", "inny");
    ini.WriteBool("PIT", "AutoUpdate", false);
    {
      auto t = NoweOkno(folder_);
      QVERIFY(!Pokaz(*t));
    }
    platform::TIniFile znow(QStringLiteral("velmar2008.ini"));
    QCOMPARE(znow.ReadString("PIT", "Path", ""), QStringLiteral("inny"));
    QCOMPARE(znow.ReadString("PIT", "AutoUpdate", ""), QStringLiteral("0"));
  }

  void commandLine_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("przyjety");
    QTest::newRow("upper case") << QStringLiteral("ROZLICZENIE.DC8") << true;
    QTest::newRow("substring") << QStringLiteral("plik.dc8.txt") << true;
    QTest::newRow("mixed case") << QStringLiteral("plik.Dc8") << false;
    QTest::newRow("other") << QStringLiteral("plik.txt") << false;
  }
  void commandLine() {
    QFETCH(QString, argument);
    QFETCH(bool, przyjety);
    auto t = NoweOkno(folder_);
    t->ParametrWiersza = folder_.Sciezka() + argument;
    const bool konczy = Pokaz(*t);
    QCOMPARE(konczy, !przyjety);
    const QStringList teksty = SkryptDialogow().Teksty();
    if (przyjety) {
      // An accepted name that is missing is reported and the program runs on without a settlement.
      QCOMPARE(teksty, QStringList{QStringLiteral("Nie ma pliku rozliczeniowego.")});
      QVERIFY(!t->MaDruki());
      QVERIFY(t->PlikRozliczenia.isEmpty());
    } else {
      QCOMPARE(teksty, QStringList{QStringLiteral("Podany plik nie jest plikiem programu Velmar 2008.\n") +
                                   t->ParametrWiersza});
    }
  }

  void commandLineOpensTheSettlement() {
    const QString plik = folder_.Sciezka() + QStringLiteral("moje.dc8");
    std::vector<TDruk> druki(3);
    druki[1].IdPit = Pit37;
    druki[1].Wczytany = 1;
    UstawBajty(druki[1].Pola[5].Wartosc, "100,00");
    druki[2].IdPit = PitO;
    druki[2].IdParent = 1;
    QFile f(plik);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(ZakodujRozliczenie(druki, 2));
    f.close();

    auto t = NoweOkno(folder_);
    t->ParametrWiersza = plik;
    QVERIFY(!Pokaz(*t));
    QVERIFY(SkryptDialogow().pokazane.empty());
    QCOMPARE(t->LiczbaDrukow, 2);
    QCOMPARE(t->PlikRozliczenia, plik);
    QCOMPARE(Tekst(t->Druki[1].Pola[5].Wartosc), std::string_view("100,00"));
    QCOMPARE(t->windowTitle(), QStringLiteral("moje.dc8 - Velmar 2008 Korvanex"));
    QCOMPARE(t->TV->topLevelItem(0)->childCount(), 1);
  }

  void regionalSettings() {
    UsunRegionalne();
    qputenv("VELMAR_LOCALE", "C");
    {
      SkryptDialogow().odpowiedzi = {platform::Odpowiedz::Nie};
      auto t = std::make_unique<TTools>(folder_.Sciezka());
      QVERIFY(Pokaz(*t));
      const auto& okno = SkryptDialogow().pokazane.at(0);
      QCOMPARE(okno.tytul, QStringLiteral("Nieprawidłowe ustawienia regionalne!"));
      QVERIFY(okno.tekst.contains(QStringLiteral("separatora dziesiętnego")));
      QVERIFY(okno.tekst.contains(QStringLiteral("separatora daty")));
      QCOMPARE(okno.przyciski, platform::Przyciski::TakNie);
      QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});
    }
    {
      SkryptDialogow().pokazane.clear();
      SkryptDialogow().odpowiedzi = {platform::Odpowiedz::Tak};
      auto t = std::make_unique<TTools>(folder_.Sciezka());
      QVERIFY(Pokaz(*t));
      QCOMPARE(SkryptDialogow().Teksty().value(1),
               QStringLiteral(" Zmiany zakończyły się sukcesem.\n Proszę ponownie uruchomić program."));
    }
    {
      SkryptDialogow().pokazane.clear();
      auto t = std::make_unique<TTools>(folder_.Sciezka());
      QVERIFY(!Pokaz(*t));
      QVERIFY(SkryptDialogow().pokazane.empty());
    }
    qunsetenv("VELMAR_LOCALE");
  }

  void initialWindow() {
    auto t = NoweOkno(folder_);
    QCOMPARE(t->TypyDrukow[2].LiczbaStron, 3);
    QCOMPARE(NaQString(t->TypyDrukow[19].Nazwa), QStringLiteral("PIT-28/B"));
    QCOMPARE(NaQString(t->TypyDrukow[13].Nazwa), QStringLiteral("SSE-R"));
    for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod)
      QCOMPARE(t->TypyDrukow[kod].WieleKopii, std::uint8_t(kod == PitO || kod == PitB || kod == PitZG || kod == Pit28B));
    QCOMPARE(t->FolderDc, folder_.Sciezka() + QStringLiteral("dc/"));
    QCOMPARE(t->WysokoscListError(), 0);
    QVERIFY(!t->ToolButtonSave->isEnabled());
    QVERIFY(!t->ToolButton6->isVisible());
    QVERIFY(!t->statusBar()->isVisibleTo(t.get()));
    QVERIFY(t->Powitanie->isVisibleTo(t.get()));
    QCOMPARE(t->DobraneFormularze->text(),
             QStringLiteral("Informacja o programie Velmar 2008 - rozliczenie roczne podatku dochodowego."));
    QCOMPARE(t->Nowe1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(t->Drukuj2->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(t->menuBar()->actions().size(), 1);
    QCOMPARE(t->menuBar()->actions().at(0)->text(), QStringLiteral("Rozliczenie"));
    QCOMPARE(t->Rozliczenie1->actions().size(), 11);  // eight items and three separators
    QVERIFY(t->Rozliczenie1->actions().at(3)->isSeparator());
    QCOMPARE(t->findChild<QAction*>("ToolButton10")->toolTip(), QStringLiteral("Sprawdz czy jest nowsza wersja programu"));
    QVERIFY(!t->Powitanie->toPlainText().isEmpty());
    QVERIFY(!WidocznaWPasku(t->Zmiana));
    QVERIFY(!WidocznaWPasku(t->ZalAdd));

    t->TrybKlienta = 0;
    t->UstawTryb(false);
    QCOMPARE(t->menuBar()->actions().size(), 2);
    QVERIFY(t->ToolBarNarzedziowy->isVisibleTo(t.get()));
    QVERIFY(!t->ToolBarKlienta->isVisibleTo(t.get()));
    t->UstawTryb(true);
    QCOMPARE(t->menuBar()->actions().at(0)->text(), QStringLiteral("Rozliczenie"));
  }

  // Every window's title is its own text alone: the program's set-up gives Qt no display name, which the window
  // system would append to each title. The application's title is the caption of plain message boxes.
  void windowTitles() {
    platform::TIniFile(QStringLiteral("velmar2008.ini")).WriteBool("PIT", "AutoUpdate", false);
    UstawAplikacje(*platform::Aplikacja::Instancja());
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    platform::ShowMessage(QStringLiteral("komunikat"));
    QCOMPARE(SkryptDialogow().pokazane.back().tytul,
             QStringLiteral("Program Rozliczenie Roczne Velmary 2008  -  Korvanex"));

    auto t = NoweOkno(folder_);
    QVERIFY(!Pokaz(*t));
    const std::vector<std::pair<QWidget*, QString>> okna = {
        {t.get(), QStringLiteral("Program rozliczenie roczne podatku dochodowego Velmary 2008  -  Korvanex")},
        {new TFPaleta(t.get()), QStringLiteral("Właściwości obiektu")},
        {new TKonwersja(t.get()), QStringLiteral("Postęp konwersji")},
        {new TFObj(t.get()), QStringLiteral("Zmiana typu obiektu")},
        {new TKreator(t.get()), QStringLiteral("Kreator doboru formularzy Velmar 2008")},
        {new TWydruk(t.get()), QStringLiteral("Parametry wydruku")},
        {new TAktualizacja(t.get()), QStringLiteral("Aktualizacja on-line programu Velmar")},
        {new TInfo(t.get()), QStringLiteral("Informacja o programie")},
        {new TUmowaLicencyjna(t.get()), QStringLiteral("Umowa licencyjna")},
        {new TSam(t.get()), QStringLiteral("Samodzielny dobór formularzy rozliczeniowych Velmar 2008")},
        {new TFWybAlg(t.get()), QStringLiteral("Wybór sposobu doboru formularzy")},
    };
    for (const auto& [okno, tytul] : okna) QCOMPARE(okno->windowTitle(), tytul);
  }

  // Every icon button of the two tool bars shows a picture of the program's own, at any size, greyed when disabled.
  void toolBarIconsAreTheProgramsOwn() {
    auto t = NoweOkno(folder_);
    int przyciski = 0;
    for (const QToolBar* pasek : {t->ToolBarKlienta, t->ToolBarNarzedziowy})
      for (const QAction* a : pasek->actions()) {
        if (a->icon().isNull()) continue;
        ++przyciski;
        for (const int rozmiar : {16, 24, 48}) {
          const QImage obraz = a->icon().pixmap(rozmiar).toImage();
          QCOMPARE(obraz.size(), QSize(rozmiar, rozmiar));
          int kryjace = 0;
          for (int y = 0; y < rozmiar; ++y)
            for (int x = 0; x < rozmiar; ++x) kryjace += qAlpha(obraz.pixel(x, y)) > 0;
          QVERIFY2(kryjace > rozmiar * rozmiar / 8, qPrintable(a->objectName()));
        }
        QVERIFY(a->icon().pixmap(24, QIcon::Disabled).toImage() != a->icon().pixmap(24).toImage());
      }
    QCOMPARE(przyciski, 14);
  }
};

VELMAR_TEST_MAIN(TstStart)
#include "tst_start.moc"
