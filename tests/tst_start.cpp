// Start-up: one running copy, the screen, the first-start settings, the command line, the regional settings and
// the main window's initial state.

#include <QAction>
#include <QDirIterator>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "main/tools.h"
#include "model/plik_rozliczenia.h"
#include "platform/aplikacja.h"
#include "platform/ustawienia.h"
#include "support/program.h"
#include "support/start_uslugi.h"
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
    for (int kopia = 0; kopia < 2; ++kopia) {  // the first copy still holds the guard after a refused one is gone
      auto drugi = NoweOkno(folder_);
      QVERIFY(ZakonczenieZadane());
    }
    QCOMPARE(SkryptDialogow().Teksty(), QStringList(2, QStringLiteral("Program Velmar jest już uruchomiony.")));
    QCOMPARE(pierwszy->windowTitle(), tytul);
    QVERIFY(pierwszy->isVisible());
    pierwszy.reset();
    auto nastepny = NoweOkno(folder_);
    QVERIFY(!ZakonczenieZadane());
  }

  // A copy that was killed leaves no guard behind. The program is known to hold its guard once it has written its
  // first-start settings; nothing here takes the guard before that, which would make the program refuse itself.
  void killedCopyLeavesNoGuard() {
    const QString program = QStringLiteral(VELMAR_BIN_DIR "/velmar2008");
    if (!QFile::exists(program)) QSKIP("the program is not built");
    Zapisz(Ini(), "[PIT]\nRun=0\nSerwerAktualizacji=http://127.0.0.1:9\n");
    QProcess proces;
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    proces.setProcessEnvironment(srodowisko);
    proces.start(program, {});
    QVERIFY(proces.waitForStarted(-1));
    QVERIFY(QTest::qWaitFor(
        [&] {
          return proces.state() != QProcess::Running ||
                 platform::TIniFile(QStringLiteral("velmar2008.ini")).ReadString("PIT", "Run", {}) == "1";
        },
        240000));
    QCOMPARE(proces.state(), QProcess::Running);
    NoweOkno(folder_);
    QVERIFY(ZakonczenieZadane());
    proces.kill();
    QVERIFY(proces.waitForFinished(-1));
    SkryptDialogow().pokazane.clear();
    auto okno = NoweOkno(folder_);
    QVERIFY(!ZakonczenieZadane());
    QVERIFY(SkryptDialogow().pokazane.empty());
  }

  void firstStartWritesSettingsOnce() {
    QFile::remove(Ini());
    QVERIFY(!Pokaz(*NoweOkno(folder_)));
    platform::TIniFile ini(QStringLiteral("velmar2008.ini"));
    QCOMPARE(ini.ReadString("PIT", "Run", ""), QStringLiteral("1"));
    QCOMPARE(ini.ReadString("PIT", "Path", ""), folder_.Sciezka());
    QCOMPARE(ini.ReadString("PIT", "Ver", ""), QStringLiteral(VELMAR_VERSION));
    QCOMPARE(ini.ReadString("PIT", "AutoUpdate", ""), QStringLiteral("1"));

    ini.WriteString("PIT", "Path", "inny");
    ini.WriteBool("PIT", "AutoUpdate", false);
    QVERIFY(!Pokaz(*NoweOkno(folder_)));
    platform::TIniFile znow(QStringLiteral("velmar2008.ini"));
    QCOMPARE(znow.ReadString("PIT", "Path", ""), QStringLiteral("inny"));
    QCOMPARE(znow.ReadString("PIT", "AutoUpdate", ""), QStringLiteral("0"));
  }

  // A screen narrower than 800 ends the program. A name on the command line holding ".dc8" or ".DC8" is opened (a
  // missing one reported, the program running on without it); any other ends the program.
  void startUpEndsOrRunsOn_data() {
    QTest::addColumn<int>("szerokosc");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("istnieje");
    QTest::addColumn<QStringList>("teksty");
    const QString brak = "Nie ma pliku rozliczeniowego.";
    const QString obcy = "Podany plik nie jest plikiem programu Velmar 2008.\n%1";
    QTest::newRow("800 x 480") << 800 << "" << false << QStringList{};
    QTest::newRow("799 x 600") << 799 << "" << false
                               << QStringList{"Rozdzielczość ekranu nie odpowiada wymaganiom programu.\n Minimalna "
                                              "wymagana rozdzielczosc 800x600."};
    QTest::newRow("existing") << 800 << "moje.dc8" << true << QStringList{};
    QTest::newRow("upper case") << 800 << "ROZLICZENIE.DC8" << false << QStringList{brak};
    QTest::newRow("substring") << 800 << "plik.dc8.txt" << false << QStringList{brak};
    QTest::newRow("mixed case") << 800 << "plik.Dc8" << false << QStringList{obcy};
    QTest::newRow("other") << 800 << "plik.txt" << false << QStringList{obcy};
  }
  void startUpEndsOrRunsOn() {
    QFETCH(int, szerokosc);
    QFETCH(QString, argument);
    QFETCH(bool, istnieje);
    QFETCH(QStringList, teksty);
    const QString plik = argument.isEmpty() ? QString() : folder_.Sciezka() + argument;
    std::vector<TDruk> druki(3);
    druki[1].IdPit = Pit37;
    druki[1].Wczytany = 1;
    UstawBajty(druki[1].Pola[5].Wartosc, "100,00");
    druki[2].IdPit = PitO;
    druki[2].IdParent = 1;
    if (istnieje) Zapisz(plik, ZakodujRozliczenie(druki, 2));
    auto t = NoweOkno(folder_);
    t->SzerokoscEkranu = szerokosc;
    t->WysokoscEkranu = 480;
    t->ParametrWiersza = plik;
    QCOMPARE(Pokaz(*t), !teksty.isEmpty() && !teksty[0].startsWith("Nie ma pliku"));
    QCOMPARE(SkryptDialogow().Teksty(), teksty.replaceInStrings("%1", plik));
    QCOMPARE(t->PlikRozliczenia, istnieje ? plik : QString());
    QCOMPARE(t->LiczbaDrukow, istnieje ? 2 : 0);
    if (!istnieje) return;
    QCOMPARE(Tekst(t->Druki[1].Pola[5].Wartosc), std::string_view("100,00"));
    QCOMPARE(t->windowTitle(), QStringLiteral("moje.dc8 - Velmar 2008 Korvanex"));
    QCOMPARE(t->TV->topLevelItem(0)->childCount(), 1);
  }

  // Separators other than ',' and '-' are asked to be changed; either answer ends the program, a change with a
  // request to start again.
  void regionalSettings() {
    UsunRegionalne();
    qputenv("VELMAR_LOCALE", "C");
    const auto uruchom = [this](std::deque<platform::Odpowiedz> odpowiedzi) {
      SkryptDialogow().pokazane.clear();
      SkryptDialogow().odpowiedzi = std::move(odpowiedzi);
      TTools t(folder_.Sciezka());
      return Pokaz(t);
    };
    QVERIFY(uruchom({platform::Odpowiedz::Nie}));
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});
    const auto& pytanie = SkryptDialogow().pokazane[0];
    QCOMPARE(pytanie.tytul, QStringLiteral("Nieprawidłowe ustawienia regionalne!"));
    QVERIFY(pytanie.tekst.contains("separatora dziesiętnego") && pytanie.tekst.contains("separatora daty"));
    QCOMPARE(pytanie.przyciski, platform::Przyciski::TakNie);
    QVERIFY(uruchom({platform::Odpowiedz::Tak}));
    QCOMPARE(SkryptDialogow().Teksty().value(1),
             QStringLiteral(" Zmiany zakończyły się sukcesem.\n Proszę ponownie uruchomić program."));
    QVERIFY(!uruchom({}));
    QVERIFY(SkryptDialogow().pokazane.empty());
    qunsetenv("VELMAR_LOCALE");
  }

  // The catalogue agrees with the form sources: each code's symbol and page count.
  void catalogueAgreesWithTheForms() {
    auto t = NoweOkno(folder_);
    const QRegularExpression forma(QStringLiteral("^form (\\d+) \"([^\"]+)\"\\s+pages (\\d+)"),
                                   QRegularExpression::MultilineOption);
    int formy = 0;
    for (QDirIterator i(QStringLiteral(VELMAR_SOURCE_DIR "/data/forms"), {"*.txt"}); i.hasNext(); ++formy) {
      const auto z = forma.match(QString::fromUtf8(Czytaj(i.next())));
      QVERIFY2(z.hasMatch(), qPrintable(i.filePath()));
      const auto& typ = t->TypyDrukow[z.captured(1).toUInt()];
      QCOMPARE(NaQString(typ.Nazwa), z.captured(2));
      QCOMPARE(typ.LiczbaStron, z.captured(3).toInt());
    }
    QCOMPARE(formy, kLiczbaTypowDrukow);
  }

  void initialWindow() {
    auto t = NoweOkno(folder_);
    QCOMPARE(t->FolderDc, folder_.Sciezka() + QStringLiteral("dc/"));
    QVERIFY(!t->ToolButtonSave->isEnabled());
    QVERIFY(!t->ToolButton6->isVisible());
    QVERIFY(!t->statusBar()->isVisibleTo(t.get()));
    QVERIFY(!t->ListError->isVisibleTo(t.get()));
    QVERIFY(!t->Powitanie->isHidden() && !t->Powitanie->toPlainText().isEmpty());
    QVERIFY(!WidocznaWPasku(t->Zmiana) && !WidocznaWPasku(t->ZalAdd));
    QVERIFY(!t->ToolBarNarzedziowy->isVisibleTo(t.get()));
    t->UstawTryb(false);  // the designer's mode has a menu and a tool bar of its own
    QCOMPARE(t->menuBar()->actions().size(), 2);
    QVERIFY(t->ToolBarNarzedziowy->isVisibleTo(t.get()));
    QVERIFY(!t->ToolBarKlienta->isVisibleTo(t.get()));
    t->UstawTryb(true);
    QCOMPARE(t->menuBar()->actions().size(), 1);
  }

  // Every window's title is its own text alone: the program's set-up gives Qt no display name, which the window
  // system would append to each title. The application's title is the caption of plain message boxes.
  void windowTitles() {
    UstawAplikacje(*platform::Aplikacja::Instancja());
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    platform::ShowMessage(QStringLiteral("komunikat"));
    QCOMPARE(SkryptDialogow().pokazane.back().tytul,
             QStringLiteral("Program Rozliczenie Roczne Velmary 2008  -  Korvanex"));
    QCOMPARE(NoweOkno(folder_)->windowTitle(),
             QStringLiteral("Program rozliczenie roczne podatku dochodowego Velmary 2008  -  Korvanex"));
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
