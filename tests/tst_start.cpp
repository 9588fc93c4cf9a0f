// Start-up: one running copy, the screen, the first-start settings, the command line, the regional settings, the
// window titles, the client's mode the program starts in and the tool bars' icons.

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "main/okna.h"
#include "main/tools.h"
#include "model/plik_rozliczenia.h"
#include "platform/dialogi.h"
#include "platform/odczyt.h"
#include "platform/ustawienia.h"
#include "support/program.h"
#include "support/pliki.h"
#include "support/start_uslugi.h"
#include "support/strony.h"
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
    for (int kopia = 0; kopia < 2; ++kopia) {  // the first copy still holds the guard after a refused one is gone
      auto drugi = NoweOkno(folder_);
      QVERIFY(ZakonczenieZadane());
    }
    QCOMPARE(SkryptDialogow().Teksty(), QStringList(2, QStringLiteral("Program Velmar jest już uruchomiony.")));
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
    ZapiszPlik(Ini(), "[PIT]\nRun=0\nSerwerAktualizacji=http://127.0.0.1:9\n");
    QProcess proces;  // it shares this test's settings folder and offscreen windows through the environment
    proces.start(program, {});
    QVERIFY(QTest::qWaitFor([&] {
      return proces.state() == QProcess::NotRunning || platform::TIniFile("velmar2008.ini").ReadString("PIT", "Run", {}) == "1";
    }, 240000));
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
    const auto klucze = [] {
      const platform::TIniFile ini("velmar2008.ini");
      QStringList wartosci;
      for (const char* klucz : {"Run", "Path", "Ver", "AutoUpdate"}) wartosci << ini.ReadString("PIT", klucz, "?");
      return wartosci;
    };
    QCOMPARE(klucze(), (QStringList{"1", folder_.Sciezka(), VELMAR_VERSION, "1"}));
    platform::TIniFile("velmar2008.ini").WriteString("PIT", "Path", "inny");
    platform::TIniFile("velmar2008.ini").WriteString("PIT", "AutoUpdate", "0");
    QVERIFY(!Pokaz(*NoweOkno(folder_)));
    QCOMPARE(klucze(), (QStringList{"1", "inny", VELMAR_VERSION, "0"}));
  }

  // A settings file that is refused is never written, not even when the about box writes its switch back: start-up
  // says why in Polish and runs on with a first start's settings in memory.
  void refusedSettingsAreLeftAsTheyAre_data() {
    QTest::addColumn<int>("rodzaj");
    QTest::addColumn<QString>("komunikat");
    QTest::newRow("over the cap") << int(Odrzucany::ZaDuzy) << "Plik jest za duży (";
    QTest::newRow("sparse") << int(Odrzucany::Rzadki) << "Plik jest za duży (";
    QTest::newRow("FIFO") << int(Odrzucany::Fifo) << "Plik nie jest zwykłym plikiem, więc nie zostanie odczytany:\n";
  }
  void refusedSettingsAreLeftAsTheyAre() {
    QFETCH(int, rodzaj);
    QFETCH(QString, komunikat);
    PolozOdrzucany(Ini(), Odrzucany(rodzaj), platform::kNajwiekszyPlikIni,
                   "[PIT]\nRun=1\nAutoUpdate=0\nSerwerAktualizacji=https://aktualizacje.example\n");
    const auto sprzatnij = qScopeGuard([] { QFile::remove(Ini()); });
    const QByteArray przed = Odcisk(Ini());
    {
      auto t = NoweOkno(folder_);
      const OknaProgramu okna(*t);
      QVERIFY(!Pokaz(*t));
      QVERIFY(okna.info.AutoAktualzacja->isChecked());
      okna.info.AutoAktualzacja->click();
      QVERIFY(!okna.info.AutoAktualzacja->isChecked());
      QCOMPARE(t->SerwerAktualizacji(), QStringLiteral("https://www.korvanex.pl"));
    }
    const QStringList teksty = SkryptDialogow().Teksty();
    QVERIFY2(teksty.size() == 1 && teksty[0].startsWith(komunikat) && teksty[0].endsWith(Ini()),
             qPrintable(teksty.join(" | ")));
    QCOMPARE(Odcisk(Ini()), przed);
  }

  // The settings are read once, when the main window is made: the windows made after it and the start-up check take
  // them from there, so whatever lies under the name afterwards is not read again.
  void settingsAreReadOnce() {
    ZapiszPlik(Ini(), "[PIT]\nRun=1\nAutoUpdate=1\nSerwerAktualizacji=http://127.0.0.1:9\n");
    auto t = NoweOkno(folder_);
    auto uslugi = std::make_shared<UslugiTestowe>();
    uslugi->echo = false;  // no connection: the check ends without a transfer
    t->Uslugi = uslugi;
    PolozOdrzucany(Ini(), Odrzucany::Fifo, 0);  // read again, it would be refused
    const auto sprzatnij = qScopeGuard([] { QFile::remove(Ini()); });
    const OknaProgramu okna(*t);
    QVERIFY(!Pokaz(*t));
    QVERIFY(okna.info.AutoAktualzacja->isChecked());
    QTRY_COMPARE(uslugi->hostyEcha, QStringList{"127.0.0.1"});
    QTRY_VERIFY(!t->AktualizacjaWToku());
    QVERIFY(SkryptDialogow().pokazane.empty());
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
    druki[2].IdPit = PitO;
    druki[2].IdParent = 1;
    if (istnieje) ZapiszPlik(plik, ZakodujRozliczenie(druki, 2));
    auto t = NoweOkno(folder_);
    t->SzerokoscEkranu = szerokosc;
    t->WysokoscEkranu = 480;
    t->ParametrWiersza = plik;
    QCOMPARE(Pokaz(*t), !teksty.isEmpty() && !teksty[0].startsWith("Nie ma pliku"));
    QCOMPARE(SkryptDialogow().Teksty(), teksty.replaceInStrings("%1", plik));
    QCOMPARE(t->PlikRozliczenia, istnieje ? plik : QString());
    QCOMPARE(t->LiczbaDrukow, istnieje ? 2 : 0);
    if (istnieje) QCOMPARE(t->windowTitle(), QStringLiteral("moje.dc8 - Velmar 2008 Korvanex"));
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
    QVERIFY(pytanie.tekst.contains("separatora dziesiętnego") && pytanie.tekst.contains("separatora daty") &&
            pytanie.przyciski == platform::Przyciski::TakNie);
    QVERIFY(uruchom({platform::Odpowiedz::Tak}));
    QCOMPARE(SkryptDialogow().Teksty().value(1),
             QStringLiteral(" Zmiany zakończyły się sukcesem.\n Proszę ponownie uruchomić program."));
    QVERIFY(!uruchom({}));
    QVERIFY(SkryptDialogow().pokazane.empty());
    qunsetenv("VELMAR_LOCALE");
  }

  // A settlement on the command line whose form cannot be computed opens with no form shown, and start-up still
  // checks the regional settings (on a C locale it asks; a refused file of them is reported) and then looks for an
  // update. The error comes when the user picks the form.
  void computationErrorDoesNotCutStartUpShort_data() {
    QTest::addColumn<bool>("lokalizacjaC");  // else the file of the regional settings is a FIFO
    QTest::addColumn<QString>("poBledzie");  // the start of what start-up shows
    QTest::newRow("C locale") << true << "Program wykrył nieprawidłowe ustawienia regionalne!";
    QTest::newRow("refused regional settings") << false << "Plik nie jest zwykłym plikiem";
  }
  void computationErrorDoesNotCutStartUpShort() {
    QFETCH(bool, lokalizacjaC);
    QFETCH(QString, poBledzie);
    FolderProgramu folder;
    ZapiszPlik(folder.Dc() + "2.dcd", Naglowek(1));
    folder.ZapiszDcs(Pit37, {NowyObiekt(Liczba, 1, "1", "0,00")});
    ZapiszPlik(folder.Dc() + "2_1.dcg", Svg(1600, 2263, qRgb(255, 255, 255)));
    std::vector<TDruk> druki(2);
    druki[1].IdPit = Pit37;
    druki[1].Wczytany = 1;  // its amounts are empty texts
    const QString plik = folder.Sciezka() + "puste.dc8";
    ZapiszPlik(plik, ZakodujRozliczenie(druki, 1));
    ZapiszPlik(Ini(), "[PIT]\nRun=1\nAutoUpdate=1\nSerwerAktualizacji=http://127.0.0.1:9\n");
    const QString regionalne = platform::FolderUstawien() + "/regionalne.ini";
    const auto sprzatnij = qScopeGuard([&] {
      QFile::remove(Ini());
      UsunRegionalne();
      UstawRegionalne();
      qunsetenv("VELMAR_LOCALE");
    });

    auto t = NoweOkno(folder);
    auto uslugi = std::make_shared<UslugiTestowe>();
    uslugi->echo = false;  // no connection: the check ends without a transfer
    t->Uslugi = uslugi;
    const OknaProgramu okna(*t);
    if (lokalizacjaC) {
      UsunRegionalne();
      qputenv("VELMAR_LOCALE", "C");
    } else {
      PolozOdrzucany(regionalne, Odrzucany::Fifo, 0);
    }
    t->ParametrWiersza = plik;
    SkryptDialogow().odpowiedzi = {platform::Odpowiedz::Nie};
    QCOMPARE(Pokaz(*t), lokalizacjaC);

    const auto& pokazane = SkryptDialogow().pokazane;
    QCOMPARE(pokazane.size(), std::size_t{1});
    QVERIFY2(pokazane[0].tekst.startsWith(poBledzie), qPrintable(pokazane[0].tekst));
    QCOMPARE(t->PlikRozliczenia, plik);
    QCOMPARE(t->LiczbaDrukow, 1);
    QCOMPARE(t->TV->currentItem(), nullptr);
    if (lokalizacjaC) return;  // the program ends: no update is looked for
    QTRY_COMPARE(uslugi->hostyEcha, QStringList{"127.0.0.1"});
    QTRY_VERIFY(!t->AktualizacjaWToku());
    // The error comes when the form is shown, from the computation that cannot read it.
    try {
      t->PokazPierwszyDruk();
      QFAIL("the form was computed");
    } catch (const std::exception& e) {
      QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'' is not a valid floating point value"));
    }
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

  // Users start in the client's mode: its menu and tool bar, the designer's tool button hidden and disabled while
  // the developer lock is on. The designer's mode has a menu and a tool bar of its own.
  void startsInTheClientsMode() {
    auto t = NoweOkno(folder_);
    QVERIFY(!Pokaz(*t));
    const auto tryb = [&] {
      QStringList menu;
      for (const QAction* a : t->menuBar()->actions()) menu << a->text();
      return std::tuple{menu, t->ToolBarKlienta->isVisible(), t->ToolBarNarzedziowy->isVisible()};
    };
    QCOMPARE(tryb(), (std::tuple{QStringList{"Rozliczenie"}, true, false}));
    QVERIFY(t->BlokadaNarzedzi == 1 && !t->ToolButton6->isVisible() && !t->ToolButton6->isEnabled());
    t->UstawTryb(false);
    QCOMPARE(tryb(), (std::tuple{QStringList{"Formularz", "Widok", "O programie", "", ""}, false, true}));
    // The items without a caption are places of their own in the bar, not separators.
    for (QAction* a : t->menuBar()->actions())
      QVERIFY2(!a->isSeparator() && t->menuBar()->actionGeometry(a).width() > 0, qPrintable(a->text()));
    t->UstawTryb(true);
    QCOMPARE(tryb(), (std::tuple{QStringList{"Rozliczenie"}, true, false}));
  }

  // The welcome text stands right of the tree, and its button at the bottom across the whole window, under both;
  // at the smallest screen the program takes and at a larger one nothing overlaps and the caption fits.
  void welcomeButtonSpansTheWindow_data() {
    QTest::addColumn<QSize>("rozmiar");
    QTest::newRow("800x600") << QSize(800, 600);
    QTest::newRow("1280x1024") << QSize(1280, 1024);
  }
  void welcomeButtonSpansTheWindow() {
    QFETCH(QSize, rozmiar);
    auto t = NoweOkno(folder_);
    t->resize(rozmiar);
    QVERIFY(!Pokaz(*t));
    const QWidget* srodek = t->centralWidget();
    QTRY_COMPARE(srodek->width(), rozmiar.width());
    const auto w = [&](const QWidget* k) { return QRect(k->mapTo(srodek, QPoint()), k->size()); };
    const QRect przycisk = w(t->RozpocznijPrace), powitanie = w(t->Powitanie), drzewo = w(t->TV);
    QCOMPARE(przycisk, QRect(0, srodek->height() - przycisk.height(), srodek->width(), przycisk.height()));
    QVERIFY(t->RozpocznijPrace->fontMetrics().horizontalAdvance(t->RozpocznijPrace->text()) < przycisk.width());
    QVERIFY(powitanie.left() > drzewo.right() && powitanie.right() < srodek->width());
    for (const QRect& r : {powitanie, drzewo}) QVERIFY(r.height() > 100 && r.bottom() < przycisk.top());
  }

  // The program starts with no settlement, so with no copy of a form to add and nothing to change.
  void startsWithoutASettlement() {
    auto t = NoweOkno(folder_);
    QVERIFY(!Pokaz(*t));
    QVERIFY(!WidocznaWPasku(t->ZalAdd) && !WidocznaWPasku(t->Zmiana));
  }

  // Every icon button of the two tool bars shows a picture of the program's own, greyed when disabled.
  void toolBarIconsAreTheProgramsOwn() {
    auto t = NoweOkno(folder_);
    int przyciski = 0;
    for (const QToolBar* pasek : {t->ToolBarKlienta, t->ToolBarNarzedziowy})
      for (const QAction* a : pasek->actions()) {
        if (a->icon().isNull()) continue;
        ++przyciski;
        const QImage obraz = a->icon().pixmap(24).toImage();
        int kryjace = 0;
        for (int i = 0; i < 24 * 24; ++i) kryjace += obraz.pixelColor(i % 24, i / 24).alpha() > 0;
        QVERIFY2(kryjace > 72 && obraz != a->icon().pixmap(24, QIcon::Disabled).toImage(), qPrintable(a->objectName()));
      }
    QCOMPARE(przyciski, 14);
  }
};

VELMAR_TEST_MAIN(TstStart)
#include "tst_start.moc"
