// The platform services: settings files, regional settings, the single-instance lock, the dialog service and the
// application object.

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>
#include <QWidget>
#include <clocale>
#include <cstdio>
#include <functional>
#include <locale.h>
#include <stdexcept>
#include <vector>

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

// Sets an environment variable for one scope and restores it after.
class ZmiennaSrodowiska {
 public:
  ZmiennaSrodowiska(const char* nazwa, const QByteArray& wartosc)
      : nazwa_(nazwa), byla_(qEnvironmentVariableIsSet(nazwa)), poprzednia_(qgetenv(nazwa)) {
    qputenv(nazwa, wartosc);
  }
  ~ZmiennaSrodowiska() {
    if (byla_)
      qputenv(nazwa_, poprzednia_);
    else
      qunsetenv(nazwa_);
  }
  ZmiennaSrodowiska(const ZmiennaSrodowiska&) = delete;
  ZmiennaSrodowiska& operator=(const ZmiennaSrodowiska&) = delete;

 private:
  const char* nazwa_;
  bool byla_;
  QByteArray poprzednia_;
};

bool LokalizacjaIstnieje(const QByteArray& nazwa) {
  locale_t l = newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, nazwa.constData(), nullptr);
  if (!l) return false;
  freelocale(l);
  return true;
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
  void iniKluczeBezWzgleduNaWielkoscLiter();
  void iniZachowujeInneKluczeISekcje();
  void iniBrakujaceIBledneWartosci();
  void iniNazwaGolaWFolderzeUstawien();
  void iniZapisNieudany();
  void iniPlikWindows1250();

  void separatorDatyZFormatu_data();
  void separatorDatyZFormatu();
  void regionalneZLokalizacji_data();
  void regionalneZLokalizacji();
  void regionalneZmianaNaNastepnyStart();
  void regionalneZmianaNieudana();

  void blokadaDrugiejKopii();
  void blokadaWFolderzeUzytkownika();
  void blokadaZwolnionaPoSmierciProcesu();

  void pamiecRezydentna();

  void dialogiOdpowiedziZeSkryptu();
  void dialogiPlikiZeSkryptu();
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
  const QString sciezka = folder.filePath(QStringLiteral("proba.ini"));
  {
    platform::TIniFile ini(sciezka);
    QVERIFY(ini.WriteBool(QStringLiteral("PIT"), QStringLiteral("Run"), true));
    QVERIFY(ini.WriteString(QStringLiteral("PIT"), QStringLiteral("Path"), QStringLiteral("/opt/velmar/")));
    QVERIFY(ini.WriteBool(QStringLiteral("PIT"), QStringLiteral("AutoUpdate"), false));
  }
  const QByteArray bajty = Zawartosc(sciezka);
  QVERIFY(bajty.startsWith("[PIT]\n"));
  QVERIFY(bajty.contains("\nRun=1\n"));
  QVERIFY(bajty.contains("\nAutoUpdate=0\n"));
  QVERIFY(bajty.contains("\nPath=/opt/velmar/\n"));

  const platform::TIniFile ini(sciezka);
  QCOMPARE(ini.ReadBool(QStringLiteral("PIT"), QStringLiteral("Run"), false), true);
  QCOMPARE(ini.ReadBool(QStringLiteral("PIT"), QStringLiteral("AutoUpdate"), true), false);
  QCOMPARE(ini.ReadString(QStringLiteral("PIT"), QStringLiteral("Path"), QString()), QStringLiteral("/opt/velmar/"));
}

void TestPlatforma::iniKluczeBezWzgleduNaWielkoscLiter() {
  QTemporaryDir folder;
  const QString sciezka = folder.filePath(QStringLiteral("proba.ini"));
  QVERIFY(Zapisz(sciezka, "[pit]\r\nRUN=1\r\n"));
  platform::TIniFile ini(sciezka);
  QVERIFY(ini.ReadBool(QStringLiteral("PIT"), QStringLiteral("Run"), false));
  QVERIFY(ini.ValueExists(QStringLiteral("Pit"), QStringLiteral("rUn")));
  QVERIFY(ini.WriteBool(QStringLiteral("PIT"), QStringLiteral("run"), false));
  // The existing key is replaced in place, not added a second time.
  QCOMPARE(Zawartosc(sciezka), QByteArray("[pit]\nRUN=0\n"));
}

void TestPlatforma::iniZachowujeInneKluczeISekcje() {
  QTemporaryDir folder;
  const QString sciezka = folder.filePath(QStringLiteral("proba.ini"));
  QVERIFY(Zapisz(sciezka, "[Inne]\nA=1\n; uwaga\nB = x y \n\n[PIT]\nRun=1\nPath=/opt\n[Trzecia]\nC=3\n"));
  platform::TIniFile ini(sciezka);
  QCOMPARE(ini.ReadString(QStringLiteral("Inne"), QStringLiteral("B"), QString()), QStringLiteral("x y"));
  QVERIFY(!ini.ValueExists(QStringLiteral("Inne"), QStringLiteral("; uwaga")));
  QVERIFY(ini.WriteString(QStringLiteral("PIT"), QStringLiteral("Ver"), QStringLiteral("8.0.1.0")));

  const QByteArray bajty = Zawartosc(sciezka);
  QVERIFY(bajty.indexOf("[Inne]") < bajty.indexOf("[PIT]"));
  QVERIFY(bajty.indexOf("Path=/opt") < bajty.indexOf("Ver=8.0.1.0"));
  QVERIFY(bajty.indexOf("Ver=8.0.1.0") < bajty.indexOf("[Trzecia]"));

  const platform::TIniFile ponownie(sciezka);
  QCOMPARE(ponownie.ReadString(QStringLiteral("Inne"), QStringLiteral("A"), QString()), QStringLiteral("1"));
  QCOMPARE(ponownie.ReadString(QStringLiteral("Inne"), QStringLiteral("B"), QString()), QStringLiteral("x y"));
  QCOMPARE(ponownie.ReadString(QStringLiteral("PIT"), QStringLiteral("Run"), QString()), QStringLiteral("1"));
  QCOMPARE(ponownie.ReadString(QStringLiteral("PIT"), QStringLiteral("Path"), QString()), QStringLiteral("/opt"));
  QCOMPARE(ponownie.ReadString(QStringLiteral("PIT"), QStringLiteral("Ver"), QString()), QStringLiteral("8.0.1.0"));
  QCOMPARE(ponownie.ReadString(QStringLiteral("Trzecia"), QStringLiteral("C"), QString()), QStringLiteral("3"));
}

void TestPlatforma::iniBrakujaceIBledneWartosci() {
  QTemporaryDir folder;
  const QString sciezka = folder.filePath(QStringLiteral("proba.ini"));
  const platform::TIniFile brak(sciezka);
  QCOMPARE(brak.ReadString(QStringLiteral("PIT"), QStringLiteral("Ver"), QStringLiteral("d")), QStringLiteral("d"));
  QVERIFY(!brak.ReadBool(QStringLiteral("PIT"), QStringLiteral("Run"), false));
  QVERIFY(!QFile::exists(sciezka));  // reading never creates the file

  QVERIFY(Zapisz(sciezka, "Poza=1\n[PIT]\nPusty=\nTekst=tak\nPiec=5\nZero=0\nBezRownosci\n[Inna]\nRun=1\n"));
  const platform::TIniFile ini(sciezka);
  // A key present with an empty value is not missing.
  QCOMPARE(ini.ReadString(QStringLiteral("PIT"), QStringLiteral("Pusty"), QStringLiteral("d")), QString());
  QVERIFY(ini.ReadBool(QStringLiteral("PIT"), QStringLiteral("Pusty"), true));
  QVERIFY(ini.ReadBool(QStringLiteral("PIT"), QStringLiteral("Tekst"), true));
  QVERIFY(!ini.ReadBool(QStringLiteral("PIT"), QStringLiteral("Tekst"), false));
  QVERIFY(ini.ReadBool(QStringLiteral("PIT"), QStringLiteral("Piec"), false));
  QVERIFY(!ini.ReadBool(QStringLiteral("PIT"), QStringLiteral("Zero"), true));
  QVERIFY(!ini.ValueExists(QStringLiteral("PIT"), QStringLiteral("BezRownosci")));
  QVERIFY(!ini.ValueExists(QStringLiteral("PIT"), QStringLiteral("Poza")));
  // The key of another section does not answer for this one.
  QVERIFY(!ini.ReadBool(QStringLiteral("PIT"), QStringLiteral("Run"), false));
}

void TestPlatforma::iniNazwaGolaWFolderzeUstawien() {
  const QString folder = qEnvironmentVariable("VELMAR_CONFIG_DIR");
  QVERIFY(!folder.isEmpty());
  QCOMPARE(platform::FolderUstawien(), folder);
  platform::TIniFile ini(QStringLiteral("velmar2008.ini"));
  QCOMPARE(ini.Sciezka(), folder + QStringLiteral("/velmar2008.ini"));
  QVERIFY(ini.WriteBool(QStringLiteral("PIT"), QStringLiteral("Run"), true));
  QVERIFY(Zawartosc(folder + QStringLiteral("/velmar2008.ini")).contains("Run=1"));

  // Without the override the folder follows XDG_CONFIG_HOME and is created when missing.
  QTemporaryDir xdg;
  const ZmiennaSrodowiska bezNadpisania("VELMAR_CONFIG_DIR", QByteArray());
  const ZmiennaSrodowiska konfiguracja("XDG_CONFIG_HOME", QFile::encodeName(xdg.path()));
  QCOMPARE(platform::FolderUstawien(), xdg.filePath(QStringLiteral("velmar2008")));
  QVERIFY(QFileInfo(xdg.filePath(QStringLiteral("velmar2008"))).isDir());
}

void TestPlatforma::iniZapisNieudany() {
  QTemporaryFile plik;
  QVERIFY(plik.open());
  platform::TIniFile ini(plik.fileName() + QStringLiteral("/proba.ini"));
  QVERIFY(!ini.WriteString(QStringLiteral("PIT"), QStringLiteral("Run"), QStringLiteral("1")));
}

void TestPlatforma::iniPlikWindows1250() {
  QTemporaryDir folder;
  const QString sciezka = folder.filePath(QStringLiteral("update.ini"));
  QVERIFY(Zapisz(sciezka, "[UPDATE]\nFile=Instalator \xB9\xEA.exe\n"));
  const platform::TIniFile ini(sciezka);
  QCOMPARE(ini.ReadString(QStringLiteral("UPDATE"), QStringLiteral("File"), QString()),
           QStringLiteral("Instalator ąę.exe"));
}

void TestPlatforma::separatorDatyZFormatu_data() {
  QTest::addColumn<QString>("format");
  QTest::addColumn<QChar>("separator");
  QTest::newRow("C") << QStringLiteral("%m/%d/%y") << QChar(u'/');
  QTest::newRow("kropki") << QStringLiteral("%d.%m.%Y") << QChar(u'.');
  QTest::newRow("ISO") << QStringLiteral("%Y-%m-%d") << QChar(u'-');
  QTest::newRow("modyfikatory") << QStringLiteral("%Ey/%Om/%-d") << QChar(u'/');
  QTest::newRow("spacje") << QStringLiteral("%Y. %m. %d.") << QChar(u'.');
  QTest::newRow("%F") << QStringLiteral("%F") << QChar(u'-');
  QTest::newRow("%D") << QStringLiteral("%D") << QChar(u'/');
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
  QTest::newRow("C.UTF-8") << QByteArray("C.UTF-8") << QChar(u'.') << QChar(u'/');
  QTest::newRow("pl_PL") << QByteArray("pl_PL.UTF-8") << QChar(u',') << QChar(u'.');
  QTest::newRow("sv_SE") << QByteArray("sv_SE.UTF-8") << QChar(u',') << QChar(u'-');
}

void TestPlatforma::regionalneZLokalizacji() {
  QFETCH(QByteArray, lokalizacja);
  QFETCH(QChar, dziesietny);
  QFETCH(QChar, daty);
  if (!LokalizacjaIstnieje(lokalizacja)) QSKIP("locale not installed");
  const ZmiennaSrodowiska zmienna("VELMAR_LOCALE", lokalizacja);
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
  const ZmiennaSrodowiska zmienna("VELMAR_LOCALE", "C");
  QTemporaryDir folder;
  platform::UstawieniaRegionalne regionalne(folder.path());
  QVERIFY(regionalne.Zmien(u',', u'-'));
  // The running program keeps what it started with; the change holds from the next start.
  QCOMPARE(regionalne.SeparatorDziesietny(), QChar(u'.'));
  QCOMPARE(regionalne.SeparatorDaty(), QChar(u'/'));
  const platform::UstawieniaRegionalne nastepny(folder.path());
  QCOMPARE(nastepny.SeparatorDziesietny(), QChar(u','));
  QCOMPARE(nastepny.SeparatorDaty(), QChar(u'-'));
  const QByteArray bajty = Zawartosc(folder.filePath(QStringLiteral("regionalne.ini")));
  QVERIFY(bajty.contains("[Regional]"));
  QVERIFY(bajty.contains("DecimalSeparator=,"));
  QVERIFY(bajty.contains("DateSeparator=-"));
}

void TestPlatforma::regionalneZmianaNieudana() {
  const ZmiennaSrodowiska zmienna("VELMAR_LOCALE", "C");
  // A folder below a regular file cannot be created, not even by root.
  QTemporaryFile plik;
  QVERIFY(plik.open());
  platform::UstawieniaRegionalne regionalne(plik.fileName() + QStringLiteral("/sub"));
  QCOMPARE(regionalne.SeparatorDziesietny(), QChar(u'.'));
  QVERIFY(!regionalne.Zmien(u',', u'-'));
}

void TestPlatforma::blokadaDrugiejKopii() {
  QTemporaryDir folder;
  {
    const platform::BlokadaInstancji pierwsza(QStringLiteral("TarvelVelmar2008"), folder.path());
    QVERIFY(!pierwsza.JuzIstnieje());
    const platform::BlokadaInstancji druga(QStringLiteral("TarvelVelmar2008"), folder.path());
    QVERIFY(druga.JuzIstnieje());
    const platform::BlokadaInstancji inna(QStringLiteral("Inna"), folder.path());
    QVERIFY(!inna.JuzIstnieje());
  }
  // The refused copy did not take the lock away from anyone; once the first one ends, the name is free.
  const platform::BlokadaInstancji kolejna(QStringLiteral("TarvelVelmar2008"), folder.path());
  QVERIFY(!kolejna.JuzIstnieje());
}

void TestPlatforma::blokadaWFolderzeUzytkownika() {
  QTemporaryDir runtime;
  const ZmiennaSrodowiska zmienna("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  const platform::BlokadaInstancji pierwsza(QStringLiteral("Proba"));
  QVERIFY(!pierwsza.JuzIstnieje());
  QVERIFY(QFile::exists(runtime.filePath(QStringLiteral("Proba.lock"))));
  const platform::BlokadaInstancji druga(QStringLiteral("Proba"));
  QVERIFY(druga.JuzIstnieje());
}

void TestPlatforma::blokadaZwolnionaPoSmierciProcesu() {
  const QString flock = QStandardPaths::findExecutable(QStringLiteral("flock"));
  if (flock.isEmpty()) QSKIP("flock(1) is not installed");
  QTemporaryDir folder;
  const QString nazwa = QStringLiteral("TarvelVelmar2008");
  // flock keeps the lock itself (-o: the command does not inherit it) while cat waits on its input.
  QProcess inny;
  inny.start(flock, {QStringLiteral("-o"), folder.filePath(nazwa + QStringLiteral(".lock")), QStringLiteral("cat")});
  QVERIFY(inny.waitForStarted());
  QTRY_VERIFY_WITH_TIMEOUT(platform::BlokadaInstancji(nazwa, folder.path()).JuzIstnieje(), 10000);

  inny.kill();
  QVERIFY(inny.waitForFinished());
  inny.closeWriteChannel();
  const platform::BlokadaInstancji po(nazwa, folder.path());
  QVERIFY(!po.JuzIstnieje());
}

void TestPlatforma::pamiecRezydentna() {
  const long long przed = platform::PamiecRezydentna();
  QVERIFY(przed > 1024 * 1024);
  constexpr std::size_t kRozmiar = 64 * 1024 * 1024;
  std::vector<char> blok(kRozmiar, '\1');
  const long long po = platform::PamiecRezydentna();
  QVERIFY2(po - przed >= static_cast<long long>(kRozmiar / 2), qPrintable(QString::number(po - przed)));
  QVERIFY(po - przed < static_cast<long long>(kRozmiar * 2));
  QCOMPARE(blok.back(), '\1');
}

void TestPlatforma::dialogiOdpowiedziZeSkryptu() {
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Tytuł aplikacji"));
  auto& skrypt = SkryptDialogow();
  QCOMPARE(&platform::AktywneDialogi(), static_cast<platform::Dialogi*>(&skrypt));
  skrypt.odpowiedzi = {Odpowiedz::Tak, Odpowiedz::Nie};

  QCOMPARE(platform::MessageBox(QStringLiteral("p1"), QStringLiteral("t1"), Przyciski::TakNie, Ikona::Wykrzyknik),
           Odpowiedz::Tak);
  platform::ShowMessage(QStringLiteral("komunikat"));
  QCOMPARE(platform::MessageBox(QStringLiteral("p2"), QStringLiteral("t2"), Przyciski::TakNieAnuluj, Ikona::Pytanie),
           Odpowiedz::Nie);
  QVERIFY(skrypt.odpowiedzi.empty());
  // With the script used up, every box is closed without a choice.
  QCOMPARE(platform::MessageBox(QStringLiteral("p3"), QString(), Przyciski::TakNieAnuluj, Ikona::Brak),
           Odpowiedz::Anuluj);
  QCOMPARE(platform::MessageBox(QStringLiteral("p4"), QString(), Przyciski::TakNie, Ikona::Brak), Odpowiedz::Nie);
  QCOMPARE(platform::MessageBox(QStringLiteral("p5"), QString(), Przyciski::Ok, Ikona::Blad), Odpowiedz::Ok);

  QCOMPARE(skrypt.Teksty(), QStringList({QStringLiteral("p1"), QStringLiteral("komunikat"), QStringLiteral("p2"),
                                         QStringLiteral("p3"), QStringLiteral("p4"), QStringLiteral("p5")}));
  const PokazaneOkno& pierwsze = skrypt.pokazane[0];
  QCOMPARE(pierwsze.rodzaj, PokazaneOkno::Rodzaj::Pytanie);
  QCOMPARE(pierwsze.tytul, QStringLiteral("t1"));
  QCOMPARE(pierwsze.przyciski, Przyciski::TakNie);
  QCOMPARE(pierwsze.ikona, Ikona::Wykrzyknik);
  const PokazaneOkno& komunikat = skrypt.pokazane[1];
  QCOMPARE(komunikat.rodzaj, PokazaneOkno::Rodzaj::Komunikat);
  QCOMPARE(komunikat.tytul, QStringLiteral("Tytuł aplikacji"));
  QCOMPARE(komunikat.przyciski, Przyciski::Ok);
  QCOMPARE(skrypt.pokazane[2].przyciski, Przyciski::TakNieAnuluj);
  QCOMPARE(skrypt.pokazane[2].ikona, Ikona::Pytanie);
  QGuiApplication::setApplicationDisplayName(QString());
}

void TestPlatforma::dialogiPlikiZeSkryptu() {
  auto& skrypt = SkryptDialogow();
  skrypt.pliki = {QStringLiteral("/dane/a.dc8"), std::nullopt};
  platform::UstawieniaPliku ustawienia;
  ustawienia.tytul = QStringLiteral("Otwórz");
  ustawienia.nazwaPliku = QStringLiteral("a.dc8");
  QCOMPARE(skrypt.PlikDoOtwarcia(ustawienia), std::optional<QString>(QStringLiteral("/dane/a.dc8")));
  ustawienia.tytul = QStringLiteral("Zapisz");
  QCOMPARE(skrypt.PlikDoZapisu(ustawienia), std::optional<QString>());
  QVERIFY(skrypt.pliki.empty());
  QCOMPARE(skrypt.PlikDoOtwarcia(ustawienia), std::optional<QString>());

  QCOMPARE(skrypt.pokazane.size(), std::size_t{3});
  QCOMPARE(skrypt.pokazane[0].rodzaj, PokazaneOkno::Rodzaj::PlikDoOtwarcia);
  QCOMPARE(skrypt.pokazane[0].tytul, QStringLiteral("Otwórz"));
  QCOMPARE(skrypt.pokazane[0].tekst, QStringLiteral("a.dc8"));
  QCOMPARE(skrypt.pokazane[1].rodzaj, PokazaneOkno::Rodzaj::PlikDoZapisu);
  QCOMPARE(skrypt.pokazane[1].tytul, QStringLiteral("Zapisz"));
}

void TestPlatforma::dialogiQt() {
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Tytuł aplikacji"));
  platform::DialogiQt dialogi;
  QMessageBox::Icon ikona = QMessageBox::NoIcon;
  QMessageBox::StandardButtons przyciski;
  QString tytul;
  QString tekst;
  const auto zapamietaj = [&](QMessageBox* okno) {
    QVERIFY(okno);
    ikona = okno->icon();
    przyciski = okno->standardButtons();
    tytul = okno->windowTitle();
    tekst = okno->text();
  };

  GdyPokazane([&](QWidget* okno) {
    auto* pytanie = qobject_cast<QMessageBox*>(okno);
    zapamietaj(pytanie);
    if (pytanie) pytanie->button(QMessageBox::Yes)->click();
  });
  QCOMPARE(dialogi.Pytanie(QStringLiteral("p"), QStringLiteral("t"), Przyciski::TakNie, Ikona::Wykrzyknik),
           Odpowiedz::Tak);
  QCOMPARE(ikona, QMessageBox::Warning);
  QCOMPARE(przyciski, QMessageBox::Yes | QMessageBox::No);
  QCOMPARE(tytul, QStringLiteral("t"));
  QCOMPARE(tekst, QStringLiteral("p"));

  // Escape gives the negative answer of the box.
  GdyPokazane([](QWidget* okno) { QTest::keyClick(okno, Qt::Key_Escape); });
  QCOMPARE(dialogi.Pytanie(QStringLiteral("p"), QString(), Przyciski::TakNie, Ikona::Pytanie), Odpowiedz::Nie);
  GdyPokazane([&](QWidget* okno) {
    zapamietaj(qobject_cast<QMessageBox*>(okno));
    QTest::keyClick(okno, Qt::Key_Escape);
  });
  QCOMPARE(dialogi.Pytanie(QStringLiteral("p"), QString(), Przyciski::TakNieAnuluj, Ikona::Pytanie),
           Odpowiedz::Anuluj);
  QCOMPARE(przyciski, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  QCOMPARE(ikona, QMessageBox::Question);

  GdyPokazane([&](QWidget* okno) {
    zapamietaj(qobject_cast<QMessageBox*>(okno));
    QTest::keyClick(okno, Qt::Key_Return);
  });
  dialogi.Wyjatek(QStringLiteral("abc"));
  QCOMPARE(ikona, QMessageBox::Critical);
  QCOMPARE(tytul, QStringLiteral("Tytuł aplikacji"));
  QCOMPARE(tekst, QStringLiteral("abc"));

  QTemporaryDir folder;
  platform::UstawieniaPliku ustawienia{QStringLiteral("Zapisz rozliczenie"), QStringLiteral("Rozliczenia|*.dc8"),
                                       QStringLiteral("a.dc8"), folder.path(), true};
  QStringList filtry;
  GdyPokazane([&](QWidget* okno) {
    auto* dialog = qobject_cast<QFileDialog*>(okno);
    QVERIFY(dialog);
    filtry = dialog->nameFilters();
    tytul = dialog->windowTitle();
    QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
    static_cast<QDialog*>(dialog)->accept();
  });
  QCOMPARE(dialogi.PlikDoZapisu(ustawienia), std::optional<QString>(folder.filePath(QStringLiteral("a.dc8"))));
  QCOMPARE(filtry, QStringList{QStringLiteral("Rozliczenia (*.dc8)")});
  QCOMPARE(tytul, QStringLiteral("Zapisz rozliczenie"));

  GdyPokazane([](QWidget* okno) { static_cast<QDialog*>(okno)->reject(); });
  QCOMPARE(dialogi.PlikDoOtwarcia(ustawienia), std::optional<QString>());
  QGuiApplication::setApplicationDisplayName(QString());
}

void TestPlatforma::filtryQt_data() {
  QTest::addColumn<QString>("filtr");
  QTest::addColumn<QStringList>("oczekiwane");
  QTest::newRow("pusty") << QString() << QStringList();
  QTest::newRow("z listą w opisie") << QStringLiteral("Rozliczenie Velmar 2008 (*.dc8)|*.dc8")
                                    << QStringList{QStringLiteral("Rozliczenie Velmar 2008 (*.dc8)")};
  QTest::newRow("bez listy w opisie") << QStringLiteral("Rozliczenia|*.dc8;*.DC8|Wszystkie pliki (*.*)|*.*")
                                      << QStringList{QStringLiteral("Rozliczenia (*.dc8 *.DC8)"),
                                                     QStringLiteral("Wszystkie pliki (*.*)")};
  QTest::newRow("opis inny niż wzorzec") << QStringLiteral("Struktura (*.dcs)|*.dcd")
                                         << QStringList{QStringLiteral("Struktura (*.dcs) (*.dcd)")};
  QTest::newRow("bez wzorca") << QStringLiteral("Nic|") << QStringList();
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
  QCOMPARE(skrypt.pokazane[0].tekst, QStringLiteral("abc"));

  // From the event loop: the handler's exception is shown and later events are still delivered.
  bool dalej = false;
  QTimer::singleShot(0, [] { throw std::runtime_error("z pętli"); });
  QTimer::singleShot(0, [] { throw 42; });
  QTimer::singleShot(10, [&dalej] { dalej = true; });
  QTRY_VERIFY(dalej);
  QCOMPARE(skrypt.Teksty(), QStringList({QStringLiteral("abc"), QStringLiteral("z pętli"), QString()}));
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
