// The platform services: settings files, regional settings, resident memory, the Qt dialogs and the application
// object.

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>
#include <clocale>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <locale.h>
#include <stdexcept>

#include <unistd.h>

#include "platform/aplikacja.h"
#include "platform/dialogi.h"
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

bool LokalizacjaIstnieje(const QByteArray& nazwa) {
  locale_t l = newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, nazwa.constData(), nullptr);
  if (l) freelocale(l);
  return l != nullptr;
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

// Throws from its event handler, as a faulty window would.
class Rzucajacy : public QObject {
 protected:
  bool event(QEvent* zdarzenie) override {
    if (zdarzenie->type() == QEvent::User) throw std::runtime_error("abc");
    return QObject::event(zdarzenie);
  }
};

// A window that refuses to close, as the main window does while it asks to save.
class NieZamykalne : public QWidget {
 protected:
  void closeEvent(QCloseEvent* zdarzenie) override { zdarzenie->ignore(); }
};

}  // namespace

class TestPlatforma : public QObject {
  Q_OBJECT

 private slots:
  void init();

  void iniOdczyt_data();
  void iniOdczyt();
  void iniZapis_data();
  void iniZapis();
  void iniWieleSekcji();
  void iniNazwaGolaWFolderzeUstawien();

  void separatorDatyZFormatu_data();
  void separatorDatyZFormatu();
  void regionalneZLokalizacji_data();
  void regionalneZLokalizacji();
  void regionalneZmiana();
  void pamiecRezydentna();

  void dialogiQt();
  void odpowiedzBezWyboru();
  void filtryQt_data();
  void filtryQt();
  void wyjatekZObslugiZdarzenia();
  void terminateKonczyPetle();
};

void TestPlatforma::init() {
  SkryptDialogow().Wyczysc();
}

// One file read through every kind of line: a null text is a missing key, logiczna is what ReadBool gives with
// either default ('d': the default).
void TestPlatforma::iniOdczyt_data() {
  QTest::addColumn<QString>("sekcja");
  QTest::addColumn<QString>("klucz");
  QTest::addColumn<QString>("tekst");
  QTest::addColumn<char>("logiczna");
  QTest::newRow("trimmed") << "Inne" << "B" << "x y" << 'd';
  QTest::newRow("comment") << "Inne" << "; uwaga" << QString() << 'd';
  QTest::newRow("empty is present") << "PIT" << "Pusty" << QStringLiteral("") << 'd';
  QTest::newRow("text") << "PIT" << "Tekst" << "tak" << 'd';
  QTest::newRow("number, first of two") << "PIT" << "Piec" << "5" << '1';
  QTest::newRow("zero") << "PIT" << "Zero" << "0" << '0';
  QTest::newRow("hexadecimal") << "PIT" << "Hex" << "0xA" << '1';
  QTest::newRow("no equals sign") << "PIT" << "BezRownosci" << QString() << 'd';
  QTest::newRow("before any section") << "PIT" << "Poza" << QString() << 'd';
  QTest::newRow("Windows-1250") << "PIT" << "File" << "Instalator ąę.exe" << 'd';
  QTest::newRow("any case, repeated section") << "Pit" << "rUn" << "1" << '1';
  QTest::newRow("another section's key") << "Inne" << "Run" << QString() << 'd';
  QTest::newRow("no such section") << "Brak" << "A" << QString() << 'd';
}

void TestPlatforma::iniOdczyt() {
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
void TestPlatforma::iniZapis_data() {
  QTest::addColumn<QByteArray>("przed");  // null: no file yet
  QTest::addColumn<QString>("sekcja");
  QTest::addColumn<QString>("klucz");
  QTest::addColumn<QString>("wartosc");   // "0" and "1" are written as booleans
  QTest::addColumn<QByteArray>("po");
  QTest::newRow("new file") << QByteArray() << "PIT" << "Run" << "1" << QByteArray("[PIT]\nRun=1\n");
  QTest::newRow("replaced in place, any case") << QByteArray("[pit]\r\nRUN=1\r\nX=2\r\n") << "PIT" << "run" << "0"
                                               << QByteArray("[pit]\nRUN=0\nX=2\n");
  QTest::newRow("end of its section") << QByteArray("[Inne]\nA=1\n\n[PIT]\nRun=1\nPath=/opt\n[Trzecia]\nC=3\n")
                                      << "PIT" << "Ver" << "8.0.1.0"
                                      << QByteArray("[Inne]\nA=1\n\n[PIT]\nRun=1\nPath=/opt\nVer=8.0.1.0\n\n"
                                                    "[Trzecia]\nC=3\n");
  QTest::newRow("repeated section joined") << QByteArray("[S]\nK=1\n[T]\nX=2\n[s]\nk=inna\nL=druga\n") << "S" << "N"
                                           << "tak" << QByteArray("[S]\nK=1\nk=inna\nL=druga\nN=tak\n\n[T]\nX=2\n");
  QTest::newRow("new section") << QByteArray("[A]\nB=c\n") << "PIT" << "Path" << "/opt/velmar/"
                               << QByteArray("[A]\nB=c\n\n[PIT]\nPath=/opt/velmar/\n");
}

void TestPlatforma::iniZapis() {
  QFETCH(QByteArray, przed);
  QFETCH(QString, sekcja);
  QFETCH(QString, klucz);
  QFETCH(QString, wartosc);
  QFETCH(QByteArray, po);
  QTemporaryDir folder;
  const QString sciezka = folder.filePath("proba.ini");
  if (!przed.isNull()) ZapiszPlik(sciezka, przed);
  platform::TIniFile ini(sciezka);
  QVERIFY(!QFile::exists(sciezka) || !przed.isNull());  // reading never creates the file
  const bool logiczna = wartosc == "0" || wartosc == "1";
  QVERIFY(logiczna ? ini.WriteBool(sekcja, klucz, wartosc == "1") : ini.WriteString(sekcja, klucz, wartosc));
  QCOMPARE(CzytajPlik(sciezka), po);
  QCOMPARE(platform::TIniFile(sciezka).ReadString(sekcja, klucz, {}), wartosc);

  // A file that cannot be replaced refuses the write.
  QTemporaryFile plik;
  QVERIFY(plik.open());
  QVERIFY(!platform::TIniFile(plik.fileName() + "/proba.ini").WriteString(sekcja, klucz, wartosc));
}

// 200 000 sections are read and written in time proportional to them (the quadratic reader needed minutes here).
void TestPlatforma::iniWieleSekcji() {
  QTemporaryDir folder;
  const QString sciezka = folder.filePath("wiele.ini");
  QByteArray tresc;
  for (int i = 0; i < 200000; ++i) tresc += "[S" + QByteArray::number(i) + "]\nK=" + QByteArray::number(i) + "\n";
  ZapiszPlik(sciezka, tresc);
  platform::TIniFile ini(sciezka);
  QCOMPARE(ini.ReadString("s199999", "k", {}), QString("199999"));
  QVERIFY(ini.WriteString("S100000", "Nowy", "1"));
  QVERIFY(CzytajPlik(sciezka).contains("[S100000]\nK=100000\nNowy=1\n\n[S100001]\nK=100001\n"));
  QCOMPARE(platform::TIniFile(sciezka).ReadString("S199999", "K", {}), QString("199999"));
}

void TestPlatforma::iniNazwaGolaWFolderzeUstawien() {
  const QString folder = qEnvironmentVariable("VELMAR_CONFIG_DIR");
  QVERIFY(!folder.isEmpty());
  QCOMPARE(platform::FolderUstawien(), folder);
  platform::TIniFile ini("velmar2008.ini");
  QCOMPARE(ini.Sciezka(), folder + "/velmar2008.ini");
  QVERIFY(ini.WriteBool("PIT", "Run", true));
  QVERIFY(CzytajPlik(folder + "/velmar2008.ini").contains("Run=1"));

  // Without the override the folder follows XDG_CONFIG_HOME and is created when missing.
  QTemporaryDir xdg;
  const auto bezNadpisania = ZmiennaSrodowiska("VELMAR_CONFIG_DIR", QByteArray());
  const auto konfiguracja = ZmiennaSrodowiska("XDG_CONFIG_HOME", QFile::encodeName(xdg.path()));
  QCOMPARE(platform::FolderUstawien(), xdg.filePath("velmar2008"));
  QVERIFY(QFileInfo(xdg.filePath("velmar2008")).isDir());
}

void TestPlatforma::separatorDatyZFormatu_data() {
  QTest::addColumn<QString>("format");
  QTest::addColumn<QChar>("separator");
  QTest::newRow("C") << "%m/%d/%y" << QChar(u'/');
  QTest::newRow("kropki") << "%d.%m.%Y" << QChar(u'.');
  QTest::newRow("ISO") << "%Y-%m-%d" << QChar(u'-');
  QTest::newRow("modyfikatory") << "%Ey/%Om/%-d" << QChar(u'/');
  QTest::newRow("spacje") << "%Y. %m. %d." << QChar(u'.');
  QTest::newRow("%F") << "%F" << QChar(u'-');
  QTest::newRow("%D") << "%D" << QChar(u'/');
}

void TestPlatforma::separatorDatyZFormatu() {
  QFETCH(QString, format);
  QFETCH(QChar, separator);
  QCOMPARE(platform::SeparatorDatyZFormatu(format), separator);
}

void TestPlatforma::regionalneZLokalizacji_data() {
  QTest::addColumn<QByteArray>("lokalizacja");
  QTest::addColumn<QChar>("dziesietny");
  QTest::addColumn<QChar>("daty");
  QTest::newRow("C") << QByteArray("C") << QChar(u'.') << QChar(u'/');
  QTest::newRow("pl_PL") << QByteArray("pl_PL.UTF-8") << QChar(u',') << QChar(u'.');
  QTest::newRow("sv_SE") << QByteArray("sv_SE.UTF-8") << QChar(u',') << QChar(u'-');
}

void TestPlatforma::regionalneZLokalizacji() {
  QFETCH(QByteArray, lokalizacja);
  QFETCH(QChar, dziesietny);
  QFETCH(QChar, daty);
  if (!LokalizacjaIstnieje(lokalizacja)) QSKIP("locale not installed");
  const auto zmienna = ZmiennaSrodowiska("VELMAR_LOCALE", lokalizacja);
  QTemporaryDir folder;
  const platform::UstawieniaRegionalne regionalne(folder.path());
  QCOMPARE(regionalne.SeparatorDziesietny(), dziesietny);
  QCOMPARE(regionalne.SeparatorDaty(), daty);
  // The process keeps "C" numerics whatever the user's locale says.
  char liczba[16];
  std::snprintf(liczba, sizeof liczba, "%.1f", 1.5);
  QCOMPARE(QByteArray(liczba), QByteArray("1.5"));
  QCOMPARE(QByteArray(std::setlocale(LC_NUMERIC, nullptr)), QByteArray("C"));
}

void TestPlatforma::regionalneZmiana() {
  const auto zmienna = ZmiennaSrodowiska("VELMAR_LOCALE", "C");
  QTemporaryDir folder;
  platform::UstawieniaRegionalne regionalne(folder.path());
  QVERIFY(regionalne.Zmien(u',', u'-'));
  // The running program keeps what it started with; the change holds from the next start.
  QCOMPARE(regionalne.SeparatorDziesietny(), QChar(u'.'));
  QCOMPARE(regionalne.SeparatorDaty(), QChar(u'/'));
  const platform::UstawieniaRegionalne nastepny(folder.path());
  QCOMPARE(nastepny.SeparatorDziesietny(), QChar(u','));
  QCOMPARE(nastepny.SeparatorDaty(), QChar(u'-'));
  // A folder below a regular file cannot be created, not even by root.
  QTemporaryFile plik;
  QVERIFY(plik.open());
  QVERIFY(!platform::UstawieniaRegionalne(plik.fileName() + "/sub").Zmien(u',', u'-'));
}

void TestPlatforma::pamiecRezydentna() {
  // Checked against the kernel's other account of the same figure: resident pages in /proc/self/statm.
  QFile statm(QStringLiteral("/proc/self/statm"));
  QVERIFY(statm.open(QIODevice::ReadOnly));
  const long long wgStatm = statm.read(256).split(' ').value(1).toLongLong() * ::sysconf(_SC_PAGESIZE);
  const long long rss = platform::PamiecRezydentna();
  QVERIFY(wgStatm > 1024 * 1024);
  QVERIFY2(std::llabs(rss - wgStatm) < wgStatm / 10, qPrintable(QStringLiteral("%1 %2").arg(rss).arg(wgStatm)));
}

void TestPlatforma::dialogiQt() {
  platform::Aplikacja::Instancja()->UstawTytul("Tytuł aplikacji");
  platform::DialogiQt dialogi;
  QMessageBox::Icon ikona = QMessageBox::NoIcon;
  QMessageBox::StandardButtons przyciski;
  QString tytul;
  QString tekst;
  // Notes what the next box shows, then presses the button, or Escape for NoButton.
  const auto odpowiedz = [&](QMessageBox::StandardButton przycisk) {
    GdyPokazane([&, przycisk](QWidget* okno) {
      auto* pudlo = qobject_cast<QMessageBox*>(okno);
      QVERIFY(pudlo);
      ikona = pudlo->icon();
      przyciski = pudlo->standardButtons();
      tytul = pudlo->windowTitle();
      tekst = pudlo->text();
      if (przycisk == QMessageBox::NoButton)
        QTest::keyClick(okno, Qt::Key_Escape);
      else
        pudlo->button(przycisk)->click();
    });
  };

  odpowiedz(QMessageBox::Yes);
  QCOMPARE(dialogi.Pytanie("p", "t", Przyciski::TakNie, Ikona::Wykrzyknik), Odpowiedz::Tak);
  QCOMPARE(ikona, QMessageBox::Warning);
  QCOMPARE(przyciski, QMessageBox::Yes | QMessageBox::No);
  QCOMPARE(tytul, QString("t"));
  QCOMPARE(tekst, QString("p"));
  // Escape gives the negative answer of the box.
  odpowiedz(QMessageBox::NoButton);
  QCOMPARE(dialogi.Pytanie("p", QString(), Przyciski::TakNie, Ikona::Pytanie), Odpowiedz::Nie);
  odpowiedz(QMessageBox::NoButton);
  QCOMPARE(dialogi.Pytanie("p", QString(), Przyciski::TakNieAnuluj, Ikona::Pytanie), Odpowiedz::Anuluj);
  QCOMPARE(przyciski, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  QCOMPARE(ikona, QMessageBox::Question);
  odpowiedz(QMessageBox::Ok);
  dialogi.Wyjatek("abc");
  QCOMPARE(ikona, QMessageBox::Critical);
  QCOMPARE(tytul, QString("Tytuł aplikacji"));
  QCOMPARE(tekst, QString("abc"));

  QTemporaryDir folder;
  const platform::UstawieniaPliku ustawienia{"Zapisz rozliczenie", "Rozliczenia|*.dc8", "a.dc8", folder.path(), true};
  QStringList filtry;
  GdyPokazane([&](QWidget* okno) {
    auto* dialog = qobject_cast<QFileDialog*>(okno);
    QVERIFY(dialog);
    filtry = dialog->nameFilters();
    tytul = dialog->windowTitle();
    QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
    static_cast<QDialog*>(dialog)->accept();
  });
  QCOMPARE(dialogi.PlikDoZapisu(ustawienia), std::optional<QString>(folder.filePath("a.dc8")));
  QCOMPARE(filtry, QStringList{"Rozliczenia (*.dc8)"});
  QCOMPARE(tytul, QString("Zapisz rozliczenie"));
  GdyPokazane([](QWidget* okno) { static_cast<QDialog*>(okno)->reject(); });
  QCOMPARE(dialogi.PlikDoOtwarcia(ustawienia), std::optional<QString>());
  platform::Aplikacja::Instancja()->UstawTytul(QString());
}

// What a box closed without a choice answers, wherever no one can choose (no screen, an empty test script).
void TestPlatforma::odpowiedzBezWyboru() {
  QCOMPARE(platform::OdpowiedzDomyslna(Przyciski::TakNie), Odpowiedz::Nie);
  QCOMPARE(platform::OdpowiedzDomyslna(Przyciski::TakNieAnuluj), Odpowiedz::Anuluj);
  QCOMPARE(platform::OdpowiedzDomyslna(Przyciski::Ok), Odpowiedz::Ok);
}

void TestPlatforma::filtryQt_data() {
  QTest::addColumn<QString>("filtr");
  QTest::addColumn<QStringList>("oczekiwane");
  QTest::newRow("pusty") << QString() << QStringList();
  QTest::newRow("z listą w opisie") << "Rozliczenie Velmar 2008 (*.dc8)|*.dc8"
                                    << QStringList{"Rozliczenie Velmar 2008 (*.dc8)"};
  QTest::newRow("bez listy w opisie") << "Rozliczenia|*.dc8;*.DC8|Wszystkie pliki (*.*)|*.*"
                                      << QStringList{"Rozliczenia (*.dc8 *.DC8)", "Wszystkie pliki (*.*)"};
  QTest::newRow("opis inny niż wzorzec") << "Struktura (*.dcs)|*.dcd" << QStringList{"Struktura (*.dcs) (*.dcd)"};
  QTest::newRow("bez wzorca") << "Nic|" << QStringList();
}

void TestPlatforma::filtryQt() {
  QFETCH(QString, filtr);
  QFETCH(QStringList, oczekiwane);
  QCOMPARE(platform::FiltryQt(filtr), oczekiwane);
}

void TestPlatforma::wyjatekZObslugiZdarzenia() {
  auto& skrypt = SkryptDialogow();
  Rzucajacy rzucajacy;
  QEvent zdarzenie(QEvent::User);
  QVERIFY(!QCoreApplication::sendEvent(&rzucajacy, &zdarzenie));
  QCOMPARE(skrypt.pokazane.size(), std::size_t{1});
  QCOMPARE(skrypt.pokazane[0].rodzaj, PokazaneOkno::Rodzaj::Wyjatek);
  QCOMPARE(skrypt.pokazane[0].tekst, QString("abc"));

  // From the event loop: the handler's exception is shown and later events are still delivered.
  bool dalej = false;
  QTimer::singleShot(0, [] { throw std::runtime_error("z pętli"); });
  QTimer::singleShot(0, [] { throw 42; });
  QTimer::singleShot(10, [&dalej] { dalej = true; });
  QTRY_VERIFY(dalej);
  QCOMPARE(skrypt.Teksty(), QStringList({"abc", "z pętli", QString()}));
  QCOMPARE(skrypt.pokazane[2].rodzaj, PokazaneOkno::Rodzaj::Wyjatek);
}

void TestPlatforma::terminateKonczyPetle() {
  auto* aplikacja = platform::Aplikacja::Instancja();
  QVERIFY(aplikacja);
  QVERIFY(!aplikacja->Zakonczona());
  // A window that refuses to close must not keep the program running.
  NieZamykalne okno;
  okno.show();
  QTimer bezpiecznik;
  bezpiecznik.setSingleShot(true);
  connect(&bezpiecznik, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  aplikacja->Terminate();
  QVERIFY(aplikacja->Zakonczona());
  bezpiecznik.start(5000);
  QCOMPARE(QCoreApplication::exec(), 0);
}

VELMAR_TEST_MAIN(TestPlatforma)
#include "tst_platforma.moc"
