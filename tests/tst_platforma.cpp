// The platform services: settings files, regional settings, the single-instance lock, the dialog service and the
// application object.

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
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
#include <vector>

#include <unistd.h>

#include "platform/aplikacja.h"
#include "platform/dialogi.h"
#include "platform/regionalne.h"
#include "platform/system.h"
#include "platform/ustawienia.h"
#include "support/test_main.h"

using platform::Ikona;
using platform::Odpowiedz;
using platform::PokazaneOkno;
using platform::Przyciski;

namespace {

QByteArray Zawartosc(const QString& sciezka) {
  QFile plik(sciezka);
  return plik.open(QIODevice::ReadOnly) ? plik.readAll() : QByteArray();
}

bool Zapisz(const QString& sciezka, const QByteArray& bajty) {
  QFile plik(sciezka);
  return plik.open(QIODevice::WriteOnly | QIODevice::Truncate) && plik.write(bajty) == bajty.size();
}

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

  void iniZapisIOdczyt();
  void iniZachowujeInneKluczeISekcje();
  void iniBrakujaceIBledneWartosci();
  void iniWieleSekcjiIPowtorzenia();
  void iniNazwaGolaWFolderzeUstawien();
  void iniZapisNieudany();

  void separatorDatyZFormatu_data();
  void separatorDatyZFormatu();
  void regionalneZLokalizacji_data();
  void regionalneZLokalizacji();
  void regionalneZmianaNaNastepnyStart();
  void regionalneZmianaNieudana();

  void blokadaDrugiejKopii();
  void pamiecRezydentna();

  void dialogiZeSkryptu();
  void dialogiQt();
  void filtryQt_data();
  void filtryQt();
  void wyjatekZObslugiZdarzenia();
  void terminateKonczyPetle();
};

void TestPlatforma::init() {
  SkryptDialogow().pokazane.clear();
  SkryptDialogow().odpowiedzi.clear();
  SkryptDialogow().pliki.clear();
}

void TestPlatforma::iniZapisIOdczyt() {
  QTemporaryDir folder;
  const QString sciezka = folder.filePath("proba.ini");
  {
    platform::TIniFile ini(sciezka);
    QVERIFY(ini.WriteBool("PIT", "Run", true));
    QVERIFY(ini.WriteString("PIT", "Path", "/opt/velmar/"));
    QVERIFY(ini.WriteBool("PIT", "AutoUpdate", false));
  }
  QCOMPARE(Zawartosc(sciezka), QByteArray("[PIT]\nRun=1\nPath=/opt/velmar/\nAutoUpdate=0\n"));
  const platform::TIniFile ini(sciezka);
  QCOMPARE(ini.ReadBool("PIT", "Run", false), true);
  QCOMPARE(ini.ReadBool("PIT", "AutoUpdate", true), false);
  QCOMPARE(ini.ReadString("PIT", "Path", QString()), QString("/opt/velmar/"));

  // Keys and sections match whatever their case; the existing key is replaced in place.
  QVERIFY(Zapisz(sciezka, "[pit]\r\nRUN=1\r\n"));
  platform::TIniFile inny(sciezka);
  QVERIFY(inny.ReadBool("PIT", "Run", false));
  QVERIFY(inny.ValueExists("Pit", "rUn"));
  QVERIFY(inny.WriteBool("PIT", "run", false));
  QCOMPARE(Zawartosc(sciezka), QByteArray("[pit]\nRUN=0\n"));
}

void TestPlatforma::iniZachowujeInneKluczeISekcje() {
  QTemporaryDir folder;
  const QString sciezka = folder.filePath("proba.ini");
  QVERIFY(Zapisz(sciezka, "[Inne]\nA=1\n; uwaga\nB = x y \n\n[PIT]\nRun=1\nPath=/opt\n[Trzecia]\nC=3\n"));
  platform::TIniFile ini(sciezka);
  QCOMPARE(ini.ReadString("Inne", "B", QString()), QString("x y"));
  QVERIFY(!ini.ValueExists("Inne", "; uwaga"));
  QVERIFY(ini.WriteString("PIT", "Ver", "8.0.1.0"));
  const QByteArray bajty = Zawartosc(sciezka);
  QVERIFY(bajty.indexOf("[Inne]") < bajty.indexOf("[PIT]"));
  QVERIFY(bajty.indexOf("Path=/opt") < bajty.indexOf("Ver=8.0.1.0"));
  QVERIFY(bajty.indexOf("Ver=8.0.1.0") < bajty.indexOf("[Trzecia]"));
  const platform::TIniFile ponownie(sciezka);
  QCOMPARE(ponownie.ReadString("Inne", "A", QString()), QString("1"));
  QCOMPARE(ponownie.ReadString("Inne", "B", QString()), QString("x y"));
  QCOMPARE(ponownie.ReadString("PIT", "Run", QString()), QString("1"));
  QCOMPARE(ponownie.ReadString("PIT", "Path", QString()), QString("/opt"));
  QCOMPARE(ponownie.ReadString("PIT", "Ver", QString()), QString("8.0.1.0"));
  QCOMPARE(ponownie.ReadString("Trzecia", "C", QString()), QString("3"));
}

void TestPlatforma::iniBrakujaceIBledneWartosci() {
  QTemporaryDir folder;
  const QString sciezka = folder.filePath("proba.ini");
  const platform::TIniFile brak(sciezka);
  QCOMPARE(brak.ReadString("PIT", "Ver", "d"), QString("d"));
  QVERIFY(!brak.ReadBool("PIT", "Run", false));
  QVERIFY(!QFile::exists(sciezka));  // reading never creates the file

  QVERIFY(Zapisz(sciezka, "Poza=1\n[PIT]\nPusty=\nTekst=tak\nPiec=5\nZero=0\nBezRownosci\n"
                          "File=Instalator \xB9\xEA.exe\n[Inna]\nRun=1\n"));
  const platform::TIniFile ini(sciezka);
  // A key present with an empty value is not missing.
  QCOMPARE(ini.ReadString("PIT", "Pusty", "d"), QString());
  QVERIFY(ini.ReadBool("PIT", "Pusty", true));
  QVERIFY(ini.ReadBool("PIT", "Tekst", true));
  QVERIFY(!ini.ReadBool("PIT", "Tekst", false));
  QVERIFY(ini.ReadBool("PIT", "Piec", false));
  QVERIFY(!ini.ReadBool("PIT", "Zero", true));
  QVERIFY(!ini.ValueExists("PIT", "BezRownosci"));
  QVERIFY(!ini.ValueExists("PIT", "Poza"));
  QVERIFY(!ini.ReadBool("PIT", "Run", false));  // the key of another section
  QCOMPARE(ini.ReadString("PIT", "File", QString()), QString("Instalator ąę.exe"));  // Windows-1250
}

// A file of 200 000 sections reads in time proportional to it (the quadratic reader needed minutes here); repeated
// sections continue the first of their name, and a repeated key keeps its first value.
void TestPlatforma::iniWieleSekcjiIPowtorzenia() {
  QTemporaryDir folder;
  const QString sciezka = folder.filePath("wiele.ini");
  constexpr int kSekcje = 200000;
  QByteArray tresc;
  for (int i = 0; i < kSekcje; ++i) tresc += "[S" + QByteArray::number(i) + "]\nK=" + QByteArray::number(i) + "\n";
  tresc += "[s0]\nk=inna\nL=druga\n[S7]\nK=siedem\n";
  QVERIFY(Zapisz(sciezka, tresc));
  platform::TIniFile ini(sciezka);
  QCOMPARE(ini.ReadString("S199999", "K", {}), QString("199999"));
  QCOMPARE(ini.ReadString("S0", "K", {}), QString("0"));
  QCOMPARE(ini.ReadString("S0", "l", {}), QString("druga"));
  QCOMPARE(ini.ReadString("s7", "K", {}), QString("7"));
  QVERIFY(!ini.ValueExists("S200000", "K"));

  QVERIFY(ini.WriteString("S100000", "Nowy", "1"));
  const QByteArray zapisany = Zawartosc(sciezka);
  QVERIFY(zapisany.contains("[S100000]\nK=100000\nNowy=1\n\n[S100001]"));
  QVERIFY(zapisany.contains("[S0]\nK=0\nk=inna\nL=druga\n\n[S1]"));
  QCOMPARE(zapisany.count("[S7]"), 1);
  QCOMPARE(platform::TIniFile(sciezka).ReadString("S100000", "nowy", {}), QString("1"));
}

void TestPlatforma::iniNazwaGolaWFolderzeUstawien() {
  const QString folder = qEnvironmentVariable("VELMAR_CONFIG_DIR");
  QVERIFY(!folder.isEmpty());
  QCOMPARE(platform::FolderUstawien(), folder);
  platform::TIniFile ini("velmar2008.ini");
  QCOMPARE(ini.Sciezka(), folder + "/velmar2008.ini");
  QVERIFY(ini.WriteBool("PIT", "Run", true));
  QVERIFY(Zawartosc(folder + "/velmar2008.ini").contains("Run=1"));

  // Without the override the folder follows XDG_CONFIG_HOME and is created when missing.
  QTemporaryDir xdg;
  const auto bezNadpisania = ZmiennaSrodowiska("VELMAR_CONFIG_DIR", QByteArray());
  const auto konfiguracja = ZmiennaSrodowiska("XDG_CONFIG_HOME", QFile::encodeName(xdg.path()));
  QCOMPARE(platform::FolderUstawien(), xdg.filePath("velmar2008"));
  QVERIFY(QFileInfo(xdg.filePath("velmar2008")).isDir());
}

void TestPlatforma::iniZapisNieudany() {
  QTemporaryFile plik;
  QVERIFY(plik.open());
  platform::TIniFile ini(plik.fileName() + "/proba.ini");
  QVERIFY(!ini.WriteString("PIT", "Run", "1"));
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

void TestPlatforma::regionalneZmianaNaNastepnyStart() {
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
}

void TestPlatforma::regionalneZmianaNieudana() {
  const auto zmienna = ZmiennaSrodowiska("VELMAR_LOCALE", "C");
  // A folder below a regular file cannot be created, not even by root.
  QTemporaryFile plik;
  QVERIFY(plik.open());
  platform::UstawieniaRegionalne regionalne(plik.fileName() + "/sub");
  QCOMPARE(regionalne.SeparatorDziesietny(), QChar(u'.'));
  QVERIFY(!regionalne.Zmien(u',', u'-'));
}

void TestPlatforma::blokadaDrugiejKopii() {
  QTemporaryDir runtime;
  const auto zmienna = ZmiennaSrodowiska("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  const QString nazwa = "TarvelVelmar2008";
  {
    const platform::BlokadaInstancji pierwsza(nazwa);
    QVERIFY(!pierwsza.JuzIstnieje());
    QVERIFY(QFile::exists(runtime.filePath(nazwa + ".lock")));
    QVERIFY(platform::BlokadaInstancji(nazwa).JuzIstnieje());
    // The refused copy did not take the lock away from the first.
    QVERIFY(platform::BlokadaInstancji(nazwa).JuzIstnieje());
    QVERIFY(!platform::BlokadaInstancji("Inna").JuzIstnieje());
  }
  QVERIFY(!platform::BlokadaInstancji(nazwa).JuzIstnieje());
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

void TestPlatforma::dialogiZeSkryptu() {
  platform::Aplikacja::Instancja()->UstawTytul("Tytuł aplikacji");
  auto& skrypt = SkryptDialogow();
  QCOMPARE(&platform::AktywneDialogi(), static_cast<platform::Dialogi*>(&skrypt));
  skrypt.odpowiedzi = {Odpowiedz::Tak, Odpowiedz::Nie};
  QCOMPARE(platform::MessageBox("p1", "t1", Przyciski::TakNie, Ikona::Wykrzyknik), Odpowiedz::Tak);
  platform::ShowMessage("komunikat");
  QCOMPARE(platform::MessageBox("p2", "t2", Przyciski::TakNieAnuluj, Ikona::Pytanie), Odpowiedz::Nie);
  // With the script used up, every box is closed without a choice.
  QCOMPARE(platform::MessageBox("p3", QString(), Przyciski::TakNieAnuluj, Ikona::Brak), Odpowiedz::Anuluj);
  QCOMPARE(platform::MessageBox("p4", QString(), Przyciski::TakNie, Ikona::Brak), Odpowiedz::Nie);
  QCOMPARE(platform::MessageBox("p5", QString(), Przyciski::Ok, Ikona::Blad), Odpowiedz::Ok);
  QCOMPARE(skrypt.Teksty(), QStringList({"p1", "komunikat", "p2", "p3", "p4", "p5"}));
  const PokazaneOkno& pierwsze = skrypt.pokazane[0];
  QCOMPARE(pierwsze.rodzaj, PokazaneOkno::Rodzaj::Pytanie);
  QCOMPARE(pierwsze.tytul, QString("t1"));
  QCOMPARE(pierwsze.przyciski, Przyciski::TakNie);
  QCOMPARE(pierwsze.ikona, Ikona::Wykrzyknik);
  QCOMPARE(skrypt.pokazane[1].rodzaj, PokazaneOkno::Rodzaj::Komunikat);
  QCOMPARE(skrypt.pokazane[1].tytul, QString("Tytuł aplikacji"));
  platform::Aplikacja::Instancja()->UstawTytul(QString());

  skrypt.pokazane.clear();
  skrypt.pliki = {"/dane/a.dc8", std::nullopt};
  const platform::UstawieniaPliku ustawienia{"Otwórz", QString(), "a.dc8", QString(), false};
  QCOMPARE(skrypt.PlikDoOtwarcia(ustawienia), std::optional<QString>("/dane/a.dc8"));
  QCOMPARE(skrypt.PlikDoZapisu(ustawienia), std::optional<QString>());
  QCOMPARE(skrypt.PlikDoOtwarcia(ustawienia), std::optional<QString>());  // used up
  QCOMPARE(skrypt.pokazane.size(), std::size_t{3});
  QCOMPARE(skrypt.pokazane[0].rodzaj, PokazaneOkno::Rodzaj::PlikDoOtwarcia);
  QCOMPARE(skrypt.pokazane[0].tytul, QString("Otwórz"));
  QCOMPARE(skrypt.pokazane[0].tekst, QString("a.dc8"));
  QCOMPARE(skrypt.pokazane[1].rodzaj, PokazaneOkno::Rodzaj::PlikDoZapisu);
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
  QElapsedTimer czas;
  czas.start();
  QCOMPARE(QCoreApplication::exec(), 0);
  QVERIFY(czas.elapsed() < 4000);
}

VELMAR_TEST_MAIN(TestPlatforma)
#include "tst_platforma.moc"
