// The platform services: settings files, regional settings, the Qt dialogs and the application object.

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>
#include <clocale>
#include <cstdlib>
#include <functional>
#include <locale.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/dialogi.h"
#include "platform/odczyt.h"
#include "platform/regionalne.h"
#include "platform/system.h"
#include "platform/ustawienia.h"
#include "support/pliki.h"
#include "support/test_main.h"

using platform::Ikona;
using platform::Odpowiedz;
using platform::Przyciski;
using velmar_test::CzytajPlik;
using velmar_test::PokazaneOkno;
using velmar_test::ZapiszPlik;

namespace {

// Sets an environment variable until the returned guard ends.
[[nodiscard]] auto ZmiennaSrodowiska(const char* nazwa, const QByteArray& wartosc) {
  const bool byla = qEnvironmentVariableIsSet(nazwa);
  const QByteArray poprzednia = qgetenv(nazwa);
  qputenv(nazwa, wartosc);
  return qScopeGuard([=] { byla ? void(qputenv(nazwa, poprzednia)) : void(qunsetenv(nazwa)); });
}

// Runs the action on the modal window once it is shown; the caller then opens it and waits in its loop.
void GdyPokazane(std::function<void(QWidget*)> dzialanie) {
  auto* zegar = new QTimer(QCoreApplication::instance());
  QObject::connect(zegar, &QTimer::timeout, [zegar, dzialanie = std::move(dzialanie)] {
    QWidget* okno = QApplication::activeModalWidget();
    if (!okno || !okno->isVisible()) return;
    zegar->stop();
    zegar->deleteLater();
    dzialanie(okno);
    // A failed check inside the action must not leave the test waiting on an open window.
    if (auto* dialog = qobject_cast<QDialog*>(okno); dialog && dialog->isVisible()) dialog->done(QDialog::Rejected);
  });
  zegar->start(10);
}

// The permission bits of a file, a link not followed.
int TrybPliku(const QString& sciezka) {
  struct stat info {};
  return ::lstat(QFile::encodeName(sciezka).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

// A window that refuses to close, as the main window does while it asks to save.
class NieZamykalne : public QWidget {
 protected:
  void closeEvent(QCloseEvent* zdarzenie) override { zdarzenie->ignore(); }
};

}  // namespace

class TestPlatforma : public QObject {
  Q_OBJECT

 private slots:
  void init() { SkryptDialogow().Wyczysc(); }

  // One file read through every kind of line, the rows in tests/data/ini.txt.
  void iniOdczyt_data() {
    QTest::addColumn<QString>("sekcja");
    QTest::addColumn<QString>("klucz");
    QTest::addColumn<char>("logiczna");
    QTest::addColumn<QString>("tekst");  // null: the key is missing
    for (const QByteArrayList& w : velmar_test::WierszeDanych(VELMAR_SOURCE_DIR "/tests/data/ini.txt"))
      if (w[0] == "odczyt")
        QTest::newRow(w[1].constData()) << QString(w[2]) << QString(w[3]) << w[4][0]
                                        << (w.size() > 5 ? QString::fromUtf8(w[5]) : QString());
  }

  void iniOdczyt() {
    QFETCH(QString, sekcja);
    QFETCH(QString, klucz);
    QFETCH(QString, tekst);
    QFETCH(char, logiczna);
    QTemporaryDir folder;
    const QString sciezka = folder.filePath("proba.ini");
    ZapiszPlik(sciezka, "Poza=1\n[Inne]\nA=1\n; uwaga\nB = x y \n\n[PIT]\nPusty=\nTekst=tak\nPiec=5\nZero=0\n"
                        "Hex=0xA\nBezRownosci\nFile=Instalator \xB9\xEA.exe\n[pit]\r\nRUN=1\r\n[Inna]\nRun=2\n"
                        "[PIT]\nPiec=6\n");
    const platform::TIniFile ini(sciezka);
    QCOMPARE(ini.ValueExists(sekcja, klucz), !tekst.isNull());
    QCOMPARE(ini.ReadString(sekcja, klucz, "\x01"), tekst.isNull() ? "\x01" : tekst);
    QCOMPARE(ini.ReadBool(sekcja, klucz, false), logiczna == '1');
    QCOMPARE(ini.ReadBool(sekcja, klucz, true), logiczna != '0');
  }

  // A write replaces the whole file: the key in place or at the end of its section, every other key as it was.
  void iniZapis_data() {
    QTest::addColumn<QByteArray>("przed");  // empty: no file yet
    QTest::addColumn<QString>("sekcja");
    QTest::addColumn<QString>("klucz");
    QTest::addColumn<QString>("wartosc");
    QTest::addColumn<QByteArray>("po");
    for (const QByteArrayList& w : velmar_test::WierszeDanych(VELMAR_SOURCE_DIR "/tests/data/ini.txt"))
      if (w[0] == "zapis")
        QTest::newRow(w[1].constData()) << w[2] << QString(w[3]) << QString(w[4]) << QString::fromUtf8(w[5]) << w[6];
  }

  void iniZapis() {
    QFETCH(QByteArray, przed);
    QFETCH(QString, sekcja);
    QFETCH(QString, klucz);
    QFETCH(QString, wartosc);
    QFETCH(QByteArray, po);
    QTemporaryDir folder;
    const QString sciezka = folder.filePath("proba.ini");
    if (!przed.isEmpty()) ZapiszPlik(sciezka, przed);
    platform::TIniFile ini(sciezka);
    QVERIFY(!QFile::exists(sciezka) || !przed.isEmpty());  // reading never creates the file
    const bool logiczna = wartosc == "0" || wartosc == "1";
    QVERIFY(logiczna ? ini.WriteBool(sekcja, klucz, wartosc == "1") : ini.WriteString(sekcja, klucz, wartosc));
    QCOMPARE(CzytajPlik(sciezka), po);
    QCOMPARE(platform::TIniFile(sciezka).ReadString(sekcja, klucz, {}), wartosc);

    // A file that cannot be replaced refuses the write.
    QTemporaryFile plik;
    QVERIFY(plik.open());
    QVERIFY(!platform::TIniFile(plik.fileName() + "/proba.ini").WriteString(sekcja, klucz, wartosc));
  }

  // A file of 200 000 sections near the size cap is read and written in time proportional to it: a reader or writer
  // quadratic in the sections runs past the test's timeout. A key written lands in its section, mid-file.
  void iniWieleSekcji() {
    QTemporaryDir folder;
    const QString sciezka = folder.filePath("wiele.ini");
    QByteArray tresc;
    for (int i = 0; i < 200000; ++i) tresc += "[S" + QByteArray::number(i) + "]\nK=" + QByteArray::number(i) + "\n";
    ZapiszPlik(sciezka, tresc);
    platform::TIniFile ini(sciezka);
    QCOMPARE(ini.ReadString("S199999", "K", {}), "199999");
    QVERIFY(ini.WriteString("S100000", "Nowy", "1"));
    QVERIFY(CzytajPlik(sciezka).contains("\n\n[S100000]\nK=100000\nNowy=1\n\n[S100001]\nK=100001\n"));
    QCOMPARE(platform::TIniFile(sciezka).ReadString("s100000", "nowy", {}), "1");
  }

  // A file refused when read is left as it is: writes change the settings in memory only.
  void iniOdrzuconyNieZapisywany_data() {
    QTest::addColumn<int>("rodzaj");
    QTest::newRow("over the cap") << int(velmar_test::Odrzucany::ZaDuzy);
    QTest::newRow("sparse") << int(velmar_test::Odrzucany::Rzadki);
    QTest::newRow("FIFO") << int(velmar_test::Odrzucany::Fifo);
  }
  void iniOdrzuconyNieZapisywany() {
    QFETCH(int, rodzaj);
    QTemporaryDir folder;
    const QString sciezka = folder.filePath("proba.ini");
    velmar_test::PolozOdrzucany(sciezka, velmar_test::Odrzucany(rodzaj), platform::kNajwiekszyPlikIni,
                                "[PIT]\nRun=1\n");
    const QByteArray przed = velmar_test::Odcisk(sciezka);
    platform::TIniFile ini(sciezka);
    QVERIFY(ini.Blad().endsWith(sciezka));
    QCOMPARE(ini.ReadString("PIT", "Run", "?"), "?");
    QVERIFY(!ini.WriteString("PIT", "Run", "1"));
    QCOMPARE(ini.ReadString("PIT", "Run", "?"), "1");
    QCOMPARE(velmar_test::Odcisk(sciezka), przed);
  }

  // A kept regional change that cannot be read leaves the separators the program needs, whatever the locale says.
  void regionalneNieczytelne_data() { iniOdrzuconyNieZapisywany_data(); }
  void regionalneNieczytelne() {
    QFETCH(int, rodzaj);
    const auto zmienna = ZmiennaSrodowiska("VELMAR_LOCALE", "C");
    QTemporaryDir folder;
    const QString sciezka = folder.filePath("regionalne.ini");
    velmar_test::PolozOdrzucany(sciezka, velmar_test::Odrzucany(rodzaj), platform::kNajwiekszyPlikIni,
                                "[Regional]\nDecimalSeparator=.\nDateSeparator=/\n");
    const platform::UstawieniaRegionalne regionalne(folder.path());
    QCOMPARE(QString() + regionalne.SeparatorDziesietny() + regionalne.SeparatorDaty(), ",-");
    QVERIFY(regionalne.Blad().endsWith(sciezka));
  }

  void iniNazwaGolaWFolderzeUstawien() {
    const QString folder = qEnvironmentVariable("VELMAR_CONFIG_DIR");
    QCOMPARE(platform::TIniFile("velmar2008.ini").Sciezka(), folder + "/velmar2008.ini");
    // Without the override the folder follows XDG_CONFIG_HOME and is created when missing.
    QTemporaryDir xdg;
    const auto bezNadpisania = ZmiennaSrodowiska("VELMAR_CONFIG_DIR", QByteArray());
    const auto konfiguracja = ZmiennaSrodowiska("XDG_CONFIG_HOME", QFile::encodeName(xdg.path()));
    QCOMPARE(platform::FolderUstawien(), xdg.filePath("velmar2008"));
    QVERIFY(QFileInfo(xdg.filePath("velmar2008")).isDir());
  }

  void regionalneZLokalizacji_data() {
    QTest::addColumn<QByteArray>("lokalizacja");
    QTest::addColumn<QString>("separatory");  // decimal, date
    QTest::newRow("C") << QByteArray("C") << "./";
    QTest::newRow("pl_PL") << QByteArray("pl_PL.UTF-8") << ",.";
    QTest::newRow("sv_SE") << QByteArray("sv_SE.UTF-8") << ",-";
  }

  void regionalneZLokalizacji() {
    QFETCH(QByteArray, lokalizacja);
    QFETCH(QString, separatory);
    if (locale_t l = newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, lokalizacja.constData(), nullptr)) freelocale(l);
    else QSKIP("locale not installed");
    const auto zmienna = ZmiennaSrodowiska("VELMAR_LOCALE", lokalizacja);
    QTemporaryDir folder;
    const auto separatoryZ = [](const platform::UstawieniaRegionalne& r) {
      return QString() + r.SeparatorDziesietny() + r.SeparatorDaty();
    };
    platform::UstawieniaRegionalne regionalne(folder.path());
    QCOMPARE(separatoryZ(regionalne), separatory);
    // A change holds from the next start, not in the running program; one that cannot be stored says so.
    QVERIFY(regionalne.Zmien(u',', u'-'));
    QCOMPARE(separatoryZ(regionalne), separatory);
    QCOMPARE(separatoryZ(platform::UstawieniaRegionalne(folder.path())), ",-");
    QVERIFY(!platform::UstawieniaRegionalne(folder.filePath("regionalne.ini/sub")).Zmien(u',', u'-'));
    // The process keeps "C" numerics whatever the user's locale says.
    QCOMPARE(QByteArray::number(std::strtod("1.5", nullptr)), QByteArray("1.5"));
    QCOMPARE(QByteArray(std::setlocale(LC_NUMERIC, nullptr)), QByteArray("C"));
  }

  // What the program decides of its boxes: icon, buttons, caption, text, the answer to Escape; of its file dialogs:
  // caption, filters, the overwrite question.
  void dialogiQt() {
    platform::Aplikacja::Instancja()->UstawTytul("Tytuł aplikacji");
    const auto przywroc = qScopeGuard([] { platform::Aplikacja::Instancja()->UstawTytul(QString()); });
    platform::DialogiQt dialogi;
    QString widziane;
    // Notes what the next box shows, then presses the button, or Escape for NoButton.
    const auto odpowiedz = [&](QMessageBox::StandardButton przycisk) {
      GdyPokazane([&, przycisk](QWidget* okno) {
        auto* pudlo = qobject_cast<QMessageBox*>(okno);
        QVERIFY(pudlo);
        widziane = QStringLiteral("%1 %2 %3 %4").arg(pudlo->icon()).arg(int(pudlo->standardButtons()), 0, 16)
                       .arg(pudlo->windowTitle(), pudlo->text());
        przycisk == QMessageBox::NoButton ? QTest::keyClick(okno, Qt::Key_Escape) : pudlo->button(przycisk)->click();
      });
    };
    odpowiedz(QMessageBox::Yes);
    QCOMPARE(dialogi.Pytanie("p", "t", Przyciski::TakNie, Ikona::Wykrzyknik), Odpowiedz::Tak);
    QCOMPARE(widziane, "2 14000 t p");  // Warning, Yes | No
    odpowiedz(QMessageBox::NoButton);
    QCOMPARE(dialogi.Pytanie("p", QString(), Przyciski::TakNie, Ikona::Pytanie), Odpowiedz::Nie);
    odpowiedz(QMessageBox::NoButton);
    QCOMPARE(dialogi.Pytanie("p", "", Przyciski::TakNieAnuluj, Ikona::Pytanie), Odpowiedz::Anuluj);
    QCOMPARE(widziane, "4 414000  p");  // Question, Yes | No | Cancel
    odpowiedz(QMessageBox::Ok);
    dialogi.Wyjatek("abc");
    QCOMPARE(widziane, "3 400 Tytuł aplikacji abc");  // Critical, Ok

    QTemporaryDir folder;
    const platform::UstawieniaPliku ustawienia{"Zapisz rozliczenie", "Rozliczenia|*.dc8", "a.dc8", folder.path(), true};
    GdyPokazane([&](QWidget* okno) {
      auto* dialog = qobject_cast<QFileDialog*>(okno);
      QVERIFY(dialog);
      widziane = dialog->windowTitle() + ' ' + dialog->nameFilters().join(';') + ' ' +
                 QString::number(dialog->testOption(QFileDialog::DontConfirmOverwrite));
      static_cast<QDialog*>(dialog)->accept();
    });
    QCOMPARE(dialogi.PlikDoZapisu(ustawienia), std::optional<QString>(folder.filePath("a.dc8")));
    QCOMPARE(widziane, "Zapisz rozliczenie Rozliczenia (*.dc8) 0");
    // Cancelled, neither dialog gives the file selected in it, though it exists.
    ZapiszPlik(folder.filePath("a.dc8"), "stary");
    for (const bool zapis : {true, false}) {
      GdyPokazane([](QWidget* okno) { static_cast<QDialog*>(okno)->reject(); });
      QCOMPARE(zapis ? dialogi.PlikDoZapisu(ustawienia) : dialogi.PlikDoOtwarcia(ustawienia), std::optional<QString>());
    }
  }

  // What a box closed without a choice answers, wherever no one can choose (no screen, an empty test script).
  void odpowiedzBezWyboru() {
    QCOMPARE(platform::OdpowiedzDomyslna(Przyciski::TakNie), Odpowiedz::Nie);
    QCOMPARE(platform::OdpowiedzDomyslna(Przyciski::TakNieAnuluj), Odpowiedz::Anuluj);
    QCOMPARE(platform::OdpowiedzDomyslna(Przyciski::Ok), Odpowiedz::Ok);
  }

  // The date separator of a strftime format ('S'), the file-dialog filters of a "description|patterns" list ('F').
  void tekstowe_data() {
    QTest::addColumn<char>("funkcja");
    QTest::addColumn<QString>("wejscie");
    QTest::addColumn<QString>("wynik");
    QTest::newRow("kropki") << 'S' << "%d.%m.%Y" << ".";
    QTest::newRow("modyfikatory") << 'S' << "%Ey/%Om/%-d" << "/";
    QTest::newRow("spacje") << 'S' << "%Y. %m. %d." << ".";
    QTest::newRow("%F") << 'S' << "%F" << "-";
    QTest::newRow("%D") << 'S' << "%D" << "/";
    QTest::newRow("pusty") << 'F' << QString() << "";
    QTest::newRow("z listą w opisie") << 'F' << "Rozliczenie Velmar 2008 (*.dc8)|*.dc8"
                                      << "Rozliczenie Velmar 2008 (*.dc8)";
    QTest::newRow("bez listy w opisie") << 'F' << "Rozliczenia|*.dc8;*.DC8|Wszystkie pliki (*.*)|*.*"
                                        << "Rozliczenia (*.dc8 *.DC8);Wszystkie pliki (*.*)";
    QTest::newRow("opis inny niż wzorzec") << 'F' << "Struktura (*.dcs)|*.dcd" << "Struktura (*.dcs) (*.dcd)";
    QTest::newRow("bez wzorca") << 'F' << "Nic|" << "";
  }
  void tekstowe() {
    QFETCH(char, funkcja);
    QFETCH(QString, wejscie);
    QFETCH(QString, wynik);
    QCOMPARE(funkcja == 'S' ? QString(platform::SeparatorDatyZFormatu(wejscie)) : platform::FiltryQt(wejscie).join(';'),
             wynik);
  }

  // A program file is read, made executable and started through the descriptor it was opened with: another program
  // put under its name afterwards is not started. Opening takes writing away from all but its owner.
  void plikProgramuUruchamianyPrzezDeskryptor() {
    QTemporaryDir folder;
    const QString znacznik = folder.filePath(QStringLiteral("uruchomiony"));
    const auto skrypt = [&](const char* kto) {
      return "#!/bin/sh\necho " + QByteArray(kto) + " \"$(pwd)\" > '" + QFile::encodeName(znacznik) + "'\n";
    };
    const QString program = folder.filePath(QStringLiteral("setup.run"));
    const QString inny = folder.filePath(QStringLiteral("inny.run"));
    ZapiszPlik(program, skrypt("sprawdzony"));
    ZapiszPlik(inny, skrypt("podmieniony"));
    QCOMPARE(::chmod(QFile::encodeName(program).constData(), 0666), 0);
    QCOMPARE(::chmod(QFile::encodeName(inny).constData(), 0755), 0);  // could be started by its name
    const platform::PlikProgramu plik(program);
    QVERIFY(plik.Otwarty());
    QCOMPARE(TrybPliku(program), 0644);
    QCOMPARE(::rename(QFile::encodeName(inny).constData(), QFile::encodeName(program).constData()), 0);
    QCOMPARE(plik.Sha256(), QCryptographicHash::hash(skrypt("sprawdzony"), QCryptographicHash::Sha256).toHex());
    QVERIFY(plik.UstawWykonywalny());
    QVERIFY(plik.Uruchom(folder.path()));
    QTRY_COMPARE(CzytajPlik(znacznik), "sprawdzony " + QFile::encodeName(folder.path()) + '\n');
    QCOMPARE(TrybPliku(program), 0755);
  }

  // Only a regular file of this user with one name is opened as a program: not a link to one, nor one reached
  // through a link in its folder's place, nor a second name of a file, nor what is no regular file, nor another
  // user's file, whose permissions stay as they were.
  void plikProgramuTylkoZwyklyWlasny_data() {
    QTest::addColumn<QString>("rodzaj");
    for (const char* rodzaj : {"link", "linked folder", "hard link", "fifo", "folder", "missing", "another user's"})
      QTest::newRow(rodzaj) << rodzaj;
  }
  void plikProgramuTylkoZwyklyWlasny() {
    QFETCH(QString, rodzaj);
    QTemporaryDir folder;
    const QString cel = folder.filePath(QStringLiteral("cel.run"));
    const QString nazwa = rodzaj == "linked folder" ? folder.filePath(QStringLiteral("lacze/cel.run"))
                                                    : folder.filePath(QStringLiteral("setup.run"));
    const QByteArray n = QFile::encodeName(nazwa);
    ZapiszPlik(cel, "#!/bin/sh\n");
    QCOMPARE(::chmod(QFile::encodeName(cel).constData(), 0666), 0);
    if (rodzaj == "link") QCOMPARE(::symlink("cel.run", n.constData()), 0);
    if (rodzaj == "linked folder") QCOMPARE(::symlink(".", QFile::encodeName(folder.filePath("lacze")).constData()), 0);
    if (rodzaj == "hard link") QCOMPARE(::link(QFile::encodeName(cel).constData(), n.constData()), 0);
    if (rodzaj == "fifo") QCOMPARE(::mkfifo(n.constData(), 0666), 0);
    if (rodzaj == "folder") QVERIFY(QDir().mkpath(nazwa));
    if (rodzaj == "another user's") {
      if (::geteuid() != 0) QSKIP("only root can give a file to another user");
      QVERIFY(QFile::copy(cel, nazwa));
      QCOMPARE(::chmod(n.constData(), 0666), 0);
      QCOMPARE(::chown(n.constData(), 12345, 12345), 0);
    }
    const platform::PlikProgramu plik(nazwa);
    QVERIFY(!plik.Otwarty());
    QVERIFY(plik.Sha256().isEmpty() && !plik.UstawWykonywalny() && !plik.Uruchom(folder.path()));
    QCOMPARE(TrybPliku(cel), 0666);
    if (rodzaj == "another user's") QCOMPARE(TrybPliku(nazwa), 0666);
  }

  void wyjatekZObslugiZdarzenia() {
    auto& skrypt = SkryptDialogow();
    // From the event loop: the handler's exception is shown and later events are still delivered.
    bool dalej = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("z pętli"); });
    QTimer::singleShot(0, [] { throw 42; });
    QTimer::singleShot(10, [&dalej] { dalej = true; });
    QTRY_VERIFY(dalej);
    QCOMPARE(skrypt.Teksty(), QStringList({"z pętli", QString()}));
    for (const auto& okno : skrypt.pokazane) QCOMPARE(okno.rodzaj, PokazaneOkno::Rodzaj::Wyjatek);
  }

  void terminateKonczyPetle() {
    auto* aplikacja = platform::Aplikacja::Instancja();
    QVERIFY(!aplikacja->Zakonczona());
    // A window that refuses to close must not keep the program running.
    NieZamykalne okno;
    okno.show();
    aplikacja->Terminate();
    QVERIFY(aplikacja->Zakonczona());
    QTimer::singleShot(5000, &okno, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
  }
};

VELMAR_TEST_MAIN(TestPlatforma)
#include "tst_platforma.moc"
