// The online update against a local HTTP server: the version numbers, the question and the download, installing at
// once or later, no connection, failed transfers, the start-up check and the connection report.

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFileDevice>
#include <QFile>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QCryptographicHash>


#include <map>
#include <optional>
#include <memory>
#include <vector>

#include "main/aktualizacja.h"
#include "main/aktualizacja_siec.h"
#include "main/info.h"
#include "main/tools.h"
#include "platform/siec.h"
#include "platform/system.h"
#include "platform/ustawienia.h"
#include "support/program.h"
#include "support/serwer_http.h"
#include "support/test_main.h"

using namespace velmar_test;

namespace {

platform::Aplikacja& App() { return *platform::Aplikacja::Instancja(); }

const QByteArray kSciezkaOpisu = "/aktualizacja/velmar2008/update.ini";
const QByteArray kSciezkaInstalatora = "/aktualizacja/velmar2008/setup.run";
const QString kNowsza = QStringLiteral("8.0.1.1");  // the program itself is 8.0.1.0

// Records what the program asks of the system and answers the connection test as told.
struct UslugiTestowe : TTools::UslugiSystemu {
  unsigned flagi = platform::PolaczenieLan;
  bool echo = true;
  QStringList hostyEcha;
  QStringList otwarte;
  QStringList uruchomione;

  unsigned StanPolaczenia(const QUrl&) override { return flagi; }
  void Echo(const QString& host, QObject* kontekst, std::function<void(bool)> wynik) override {
    hostyEcha << host;
    QTimer::singleShot(0, kontekst, [wynik, odpowiedz = echo] { wynik(odpowiedz); });
  }
  bool Otworz(const QString& plik, const QString& folder) override {
    otwarte << plik + QLatin1Char('|') + folder;
    return true;
  }
  bool OtworzAdres(const QUrl&) override { return true; }
  bool Uruchom(const QString& program, const QString& folder) override {
    uruchomione << program + QLatin1Char('|') + folder;
    return true;
  }
};

QByteArray Czytaj(const QString& sciezka) {
  QFile plik(sciezka);
  return plik.open(QIODevice::ReadOnly) ? plik.readAll() : QByteArray();
}

void Zapisz(const QString& sciezka, const QByteArray& dane) {
  QDir().mkpath(QFileInfo(sciezka).path());
  QFile plik(sciezka);
  if (!plik.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write a test file");
  plik.write(dane);
}

QByteArray Opis(const QString& wersja, const QString& plik = QStringLiteral("setup.run"), const QByteArray& suma = {}) {
  return "[UPDATE]\r\nVer=" + wersja.toUtf8() + "\r\nFile=" + plik.toUtf8() + "\r\n" +
         (suma.isEmpty() ? QByteArray() : "SHA256=" + suma + "\r\n");
}

// The bytes on disk so far in the file a download into `plik` is writing; a file being saved has no name there
// yet, so the download's own file is asked.
qint64 ZapisywaneDo(const QObject* wlasciciel, const QString& plik) {
  for (const auto* pobieranie : wlasciciel->findChildren<platform::PobieranieHttp*>()) {
    const auto* cel = qobject_cast<QFileDevice*>(pobieranie->Cel());
    if (cel && cel->fileName() == plik && cel->isOpen()) return cel->size();
  }
  return 0;
}

QByteArray Sha256(const QByteArray& dane) { return QCryptographicHash::hash(dane, QCryptographicHash::Sha256).toHex(); }

QStringList Wiersze(const QListWidget* lista) {
  QStringList wiersze;
  for (int i = 0; i < lista->count(); ++i) wiersze << lista->item(i)->text();
  return wiersze;
}

}  // namespace

class TstAktualizacja : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<SerwerHttp> serwer_;
  std::unique_ptr<TTools> tools_;
  std::unique_ptr<TAktualizacja> okno_;
  std::shared_ptr<UslugiTestowe> uslugi_;

  QString PlikOpisu() const { return folder_->Sciezka() + "update.ini"; }
  QString Instalator() const { return folder_->Sciezka() + "update/setup.run"; }

  // Waits until the running check has come to its outcome.
  [[nodiscard]] bool Czekaj() {
    return QTest::qWaitFor([this] { return !tools_->AktualizacjaWToku(); }, 30000);
  }

  static void UstawUstawienie(const QString& klucz, const QString& wartosc) {
    platform::TIniFile("velmar2008.ini").WriteString("PIT", klucz, wartosc);
  }

  // The main window and the update window on a fresh program folder, the switch off unless told.
  void Uruchom(bool autoUpdate = false) {
    UstawUstawienie("AutoUpdate", autoUpdate ? "1" : "0");
    okno_.reset();
    tools_.reset();  // one running copy at a time
    tools_ = NoweOkno(*folder_);
    tools_->ParametrWiersza.clear();  // the test's own arguments name no settlement
    tools_->Uslugi = uslugi_;
    okno_ = std::make_unique<TAktualizacja>(tools_.get());
  }

  // A newer version described locally with the SHA-256 of the new installer, an old installer copy, the new one on
  // the server and the user's answer.
  void Przygotuj(const SerwerHttp::Trasa& nowy, platform::Odpowiedz odpowiedz) {
    Zapisz(PlikOpisu(), Opis(kNowsza, QStringLiteral("setup.run"), Sha256(nowy.cialo)));
    Zapisz(Instalator(), "stary instalator");
    serwer_->trasy[kSciezkaInstalatora] = nowy;
    SkryptDialogow().odpowiedzi = {odpowiedz};
  }

 private slots:
  void init() {
    SkryptDialogow().pokazane.clear();
    SkryptDialogow().odpowiedzi.clear();
    folder_ = std::make_unique<FolderProgramu>();
    serwer_ = std::make_unique<SerwerHttp>();
    uslugi_ = std::make_shared<UslugiTestowe>();
    UstawUstawienie(QStringLiteral("SerwerAktualizacji"), serwer_->Adres());
    Uruchom();
  }

  void cleanup() {
    okno_.reset();
    tools_.reset();
    serwer_.reset();
    folder_.reset();
    App().AnulujZakonczenie();
  }

  void versionsCompareByParts_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("wynik");
    QTest::newRow("last part") << "2.0.0.16" << "2.0.0.15" << 1;
    QTest::newRow("same") << "2.0.0.15" << "2.0.0.15" << 0;
    QTest::newRow("wider part is no larger") << "8.0.0.15" << "8.0.1.0" << -1;
    QTest::newRow("numbers, not text") << "8.0.10.0" << "8.0.9.9" << 1;
    QTest::newRow("leading zeros") << "8.00.1" << "8.0.1" << 0;
    QTest::newRow("missing parts are 0") << "8.0.1" << "8.0.1.0" << 0;
    QTest::newRow("a further part") << "8.0.1.0.1" << "8.0.1" << 1;
    QTest::newRow("first part decides") << "9" << "8.99.99.99" << 1;
    QTest::newRow("nine digits") << "8.999999999" << "8.999999998" << 1;
    // A text that is no version is version 0: never newer than a real one.
    QTest::newRow("empty") << "" << "8.0.1.0" << -1;
    QTest::newRow("empty against 0") << "" << "0.0" << 0;
    QTest::newRow("dots alone") << "..." << "0.1" << -1;
    QTest::newRow("empty part") << "9..1" << "8.0.1.0" << -1;
    QTest::newRow("trailing dot") << "9." << "8.0.1.0" << -1;
    QTest::newRow("letter") << "9.a" << "8.0.1.0" << -1;
    QTest::newRow("blank") << "9.0 " << "8.0.1.0" << -1;
    QTest::newRow("sign") << "+9.0" << "8.0.1.0" << -1;
    QTest::newRow("ten digits") << "9999999999" << "8.0.1.0" << -1;
    QTest::newRow("other digits") << QString::fromUtf8("\xd9\xa9.\xd9\xa0") << "8.0.1.0" << -1;
  }
  void versionsCompareByParts() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, wynik);
    QCOMPARE(TTools::PorownajWersje(a, b), wynik);
    QCOMPARE(TTools::PorownajWersje(b, a), -wynik);
  }

  void initTestCase() { SerwerHttp::Ufaj(); }

  void serverAddressComesFromSettings() {
    UstawUstawienie(QStringLiteral("SerwerAktualizacji"), QStringLiteral("http://127.0.0.1:8080//"));
    QCOMPARE(tools_->SerwerAktualizacji(), QStringLiteral("http://127.0.0.1:8080"));
    std::optional<bool> polaczono;
    tools_->JestPolaczenie([&](bool p) { polaczono = p; });
    QVERIFY(!polaczono.has_value());  // the answer comes from the event loop
    QTRY_VERIFY(polaczono.has_value());
    QVERIFY(*polaczono);
    QCOMPARE(uslugi_->hostyEcha, QStringList{QStringLiteral("127.0.0.1")});
    for (const char* zly : {"file:///etc/passwd", "ftp://example.org", "http://", "nonsense"}) {
      UstawUstawienie(QStringLiteral("SerwerAktualizacji"), QString::fromLatin1(zly));
      QCOMPARE(tools_->SerwerAktualizacji(), QStringLiteral("https://www.korvanex.pl"));
    }
  }

  void toolbarFetchesDescriptionThenAsks() {
    serwer_->trasy[kSciezkaOpisu] = {200, Opis(kNowsza), -1};
    okno_ = std::make_unique<TAktualizacja>(tools_.get());  // a second window must not double the command
    tools_->ToolButton10->trigger();
    QVERIFY(Czekaj());
    QCOMPARE(serwer_->zadania.size(), std::size_t{1});
    const auto& zadanie = serwer_->zadania.front();
    QCOMPARE(zadanie.sciezka, kSciezkaOpisu);
    QCOMPARE(zadanie.naglowki.at("accept"), QByteArray("text/html, */*"));
    QCOMPARE(zadanie.naglowki.at("user-agent"), QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
    QCOMPARE(Czytaj(PlikOpisu()), Opis(kNowsza));
    QCOMPARE(tools_->WersjaAktualizacji(), kNowsza);
    QCOMPARE(tools_->NazwaPlikuAktualizacji(), QStringLiteral("setup.run"));

    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});
    const auto& pytanie = SkryptDialogow().pokazane.front();
    QCOMPARE(pytanie.tekst, QString("Aktualizacja nr 8.0.1.1 jest dostępna. Czy rozpocząć aktualizację programu ?"));
    QCOMPARE(pytanie.tytul, QString("Aktualizacja on-line"));
    QCOMPARE(pytanie.przyciski, platform::Przyciski::TakNie);
    QCOMPARE(pytanie.ikona, platform::Ikona::Wykrzyknik);
    QVERIFY(tools_->ToolButton10->isEnabled());
  }

  void declinedUpdateLeavesOldInstaller() {
    Przygotuj({200, "nowy"}, platform::Odpowiedz::Nie);
    tools_->SprawdzAktualizacje(true);
    QVERIFY(Czekaj());
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});
    QCOMPARE(Czytaj(Instalator()), QByteArray("stary instalator"));
    QVERIFY(serwer_->zadania.empty());
    QVERIFY(!okno_->isVisible());
    QVERIFY(!ZakonczenieZadane());
  }

  void acceptedUpdateInstallsAndEnds() {
    const QByteArray nowy = "#!/bin/sh\n" + QByteArray(300 * 1024, 'x');
    Przygotuj({200, nowy}, platform::Odpowiedz::Tak);
    tools_->SprawdzAktualizacje(false);
    QVERIFY(Czekaj());

    QCOMPARE(serwer_->zadania.size(), std::size_t{1});
    QCOMPARE(Czytaj(Instalator()), nowy);
    QCOMPARE(Wiersze(okno_->ListBox1),
             (QStringList{"Połączono z serwerem.", "Trwa pobieranie aktualizacji ...",
                          "Pobieranie aktualizacji zakończone", "Połączenie z serwerem zakończone."}));
    QCOMPARE(okno_->ProgressHTTP->maximum(), nowy.size());
    QCOMPARE(okno_->ProgressHTTP->value(), nowy.size());
    QVERIFY(!okno_->isVisible());
    QCOMPARE(uslugi_->otwarte, QStringList{Instalator() + '|' + folder_->Sciezka() + "update/"});
    QVERIFY(ZakonczenieZadane());
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});  // the question alone
  }

  void acceptedUpdateWithoutAutoInstallWaitsForUser() {
    Przygotuj({200, "nowy"}, platform::Odpowiedz::Tak);
    okno_->AutoInstall->setChecked(false);
    tools_->SprawdzAktualizacje(true);
    QVERIFY(Czekaj());

    QCOMPARE(Czytaj(Instalator()), QByteArray("nowy"));
    QVERIFY(uslugi_->otwarte.isEmpty());
    QVERIFY(!ZakonczenieZadane());
    QVERIFY(okno_->isVisible());
    QVERIFY(okno_->Instaluj->isEnabled());

    okno_->Instaluj->click();
    QCOMPARE(uslugi_->uruchomione, QStringList{Instalator() + '|' + folder_->Sciezka() + "update/"});
    QVERIFY(!okno_->isVisible());
    QVERIFY(!ZakonczenieZadane());

    // Shown again for the next download, the window starts clean.
    okno_->show();
    QVERIFY(!okno_->Instaluj->isEnabled());
    QCOMPARE(okno_->ListBox1->count(), 0);
  }

  // Installing ends the program: unsaved changes are asked about first, and only a settled answer lets it end.
  void unsavedChangesAreAskedBeforeInstalling_data() {
    QTest::addColumn<platform::Odpowiedz>("odpowiedz");
    QTest::addColumn<bool>("nazwany");  // the settlement has a file, so Tak saves without a dialog
    QTest::addColumn<bool>("konczy");
    QTest::addColumn<bool>("zapisany");
    QTest::newRow("save") << platform::Odpowiedz::Tak << true << true << true;
    QTest::newRow("discard") << platform::Odpowiedz::Nie << true << true << false;
    QTest::newRow("cancel") << platform::Odpowiedz::Anuluj << true << false << false;
    QTest::newRow("save dialog cancelled") << platform::Odpowiedz::Tak << false << false << false;
  }
  void unsavedChangesAreAskedBeforeInstalling() {
    QFETCH(platform::Odpowiedz, odpowiedz);
    QFETCH(bool, nazwany);
    QFETCH(bool, konczy);
    QFETCH(bool, zapisany);
    const QString rozliczenie = folder_->Sciezka() + "moje.dc8";
    Zapisz(rozliczenie, "poprzednia wersja");
    tools_->PlikRozliczenia = nazwany ? rozliczenie : QString();
    tools_->NazwaRozliczenia = "moje.dc8 - Velmar 2008 Korvanex";
    tools_->Zmodyfikowane = 1;
    Przygotuj({200, "nowy"}, platform::Odpowiedz::Tak);
    SkryptDialogow().odpowiedzi.push_back(odpowiedz);
    tools_->SprawdzAktualizacje(false);
    QVERIFY(Czekaj());

    const QStringList teksty = SkryptDialogow().Teksty();
    QVERIFY(teksty.size() >= 2);
    QCOMPARE(teksty[1], QString("Rozliczenie \"moje.dc8 - Velmar 2008 Korvanex\" zostało zmodyfikowane.\nCzy zapisać "
                                "zmiany w bieżącym rozliczeniu ?"));
    QCOMPARE(SkryptDialogow().pokazane[1].przyciski, platform::Przyciski::TakNieAnuluj);
    QCOMPARE(ZakonczenieZadane(), konczy);
    QCOMPARE(uslugi_->otwarte.size(), konczy ? 1 : 0);
    QCOMPARE(Czytaj(rozliczenie).isEmpty(), zapisany);  // the settlement holds no records
    QCOMPARE(tools_->Zmodyfikowane != 0, !zapisany);
    // Staying on: the downloaded installer waits for the window's Instaluj.
    QCOMPARE(Czytaj(Instalator()), QByteArray("nowy"));
    QCOMPARE(okno_->isVisible(), !konczy);
    QCOMPARE(okno_->Instaluj->isEnabled(), !konczy);
  }

  void failedInstallerDownloadLeavesNoFile_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("urwijPo");
    QTest::addColumn<bool>("anuluj");
    QTest::addColumn<QString>("powod");
    QTest::newRow("missing on the server") << 404 << qint64{-1} << false << QString("Serwer odpowiedział: 404 Not Found");
    QTest::newRow("dropped connection") << 200 << qint64{1000} << false << QString();
    // Announced but never sent in full: only the window's Anuluj ends the wait, and it is not reported.
    QTest::newRow("cancelled") << 200 << qint64{10} << true << QString();
  }
  void failedInstallerDownloadLeavesNoFile() {
    QFETCH(int, status);
    QFETCH(qint64, urwijPo);
    QFETCH(bool, anuluj);
    QFETCH(QString, powod);
    Przygotuj({status, QByteArray(100000, 'y'), urwijPo, anuluj}, platform::Odpowiedz::Tak);
    bool kliknieto = false;
    connect(okno_->ListBox1->model(), &QAbstractItemModel::rowsInserted, this, [&] {
      if (anuluj && !kliknieto && Wiersze(okno_->ListBox1).contains("Trwa pobieranie aktualizacji ...")) {
        kliknieto = true;
        okno_->Anuluj->click();
      }
    });
    tools_->SprawdzAktualizacje(true);
    QVERIFY(Czekaj());

    QCOMPARE(kliknieto, anuluj);
    // The answer Yes gave the old copy up; the failed transfer left nothing in its place.
    QVERIFY(!QFile::exists(Instalator()));
    QCOMPARE(QDir(folder_->Sciezka() + "update").entryList(QDir::Files), QStringList{});
    QVERIFY(uslugi_->otwarte.isEmpty());
    QVERIFY(!ZakonczenieZadane());
    QVERIFY(!okno_->isVisible());
    QVERIFY(!Wiersze(okno_->ListBox1).contains("Pobieranie aktualizacji zakończone"));
    QCOMPARE(tools_->WersjaAktualizacji(), kNowsza);
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{anuluj ? 1u : 2u});
    if (anuluj) return;
    const QString komunikat = SkryptDialogow().pokazane.back().tekst;
    QVERIFY2(komunikat.startsWith("Nie udało się pobrać aktualizacji.\n"), qPrintable(komunikat));
    QVERIFY2(komunikat.endsWith(powod), qPrintable(komunikat));
  }

  // An installer is opened at once only when it matches the SHA-256 the description names or, with none named, came
  // over HTTPS. One that does not match is deleted; one that came unencrypted and unchecked is left where it lies.
  void installerIsOpenedOnlyWhenVerified_data() {
    QTest::addColumn<bool>("https");
    QTest::addColumn<QByteArray>("suma");  // "=": the installer's own, in lower case; "=A": in upper case
    QTest::addColumn<QString>("wynik");     // "otwarty", "usuniety" or "pozostawiony"
    const QByteArray inna = Sha256("inny instalator");
    QTest::newRow("http, matching sum") << false << QByteArray("=") << "otwarty";
    QTest::newRow("http, matching sum in upper case") << false << QByteArray("=A") << "otwarty";
    QTest::newRow("http, another sum") << false << inna << "usuniety";
    QTest::newRow("http, no sum") << false << QByteArray() << "pozostawiony";
    QTest::newRow("https, no sum") << true << QByteArray() << "otwarty";
    QTest::newRow("https, matching sum") << true << QByteArray("=") << "otwarty";
    QTest::newRow("https, another sum") << true << inna << "usuniety";
  }
  void installerIsOpenedOnlyWhenVerified() {
    QFETCH(bool, https);
    QFETCH(QByteArray, suma);
    QFETCH(QString, wynik);
    if (https) {
      serwer_ = std::make_unique<SerwerHttp>(true);
      UstawUstawienie(QStringLiteral("SerwerAktualizacji"), serwer_->Adres());
    }
    const QByteArray nowy = "#!/bin/sh\n" + QByteArray(70000, 'n');
    Przygotuj({200, nowy}, platform::Odpowiedz::Tak);
    if (suma.startsWith('=')) suma = suma == "=A" ? Sha256(nowy).toUpper() : Sha256(nowy);
    Zapisz(PlikOpisu(), Opis(kNowsza, QStringLiteral("setup.run"), suma));
    tools_->SprawdzAktualizacje(false);
    QVERIFY(Czekaj());

    QCOMPARE(serwer_->zadania.size(), std::size_t{1});
    const QStringList teksty = SkryptDialogow().Teksty();
    QCOMPARE(uslugi_->otwarte.size(), wynik == "otwarty" ? 1 : 0);
    QCOMPARE(ZakonczenieZadane(), wynik == "otwarty");
    QCOMPARE(Czytaj(Instalator()), wynik == "usuniety" ? QByteArray() : nowy);
    QVERIFY(!okno_->isVisible());
    if (wynik == "otwarty") {
      QCOMPARE(teksty.size(), 1);  // the question alone
    } else if (wynik == "usuniety") {
      QCOMPARE(teksty.value(1), QString("Pobrany plik instalacyjny nie zgadza się z sumą kontrolną SHA-256 podaną w "
                                        "opisie aktualizacji. Plik usunięto."));
    } else {
      QVERIFY2(teksty.value(1).startsWith("Plik instalacyjny pobrano bez szyfrowania"), qPrintable(teksty.value(1)));
      QVERIFY2(teksty.value(1).endsWith("\n" + QDir::toNativeSeparators(Instalator())), qPrintable(teksty.value(1)));
    }
  }

  // Nothing is offered for a version not above the own one nor for an unsafe installer name; only the verbose
  // check says so.
  void nothingIsOffered_data() {
    QTest::addColumn<QString>("oferowana");
    QTest::addColumn<QString>("nazwa");
    QTest::addColumn<QString>("komunikat");
    QTest::addColumn<QByteArray>("suma");
    const QString najnowsza = "Wersja " + platform::WersjaPliku() + " jest najnowszą wersją programu.";
    const QString zlaNazwa = "Opis aktualizacji nie podaje prawidłowej nazwy pliku instalacyjnego.";
    const QString zlaSuma = "Opis aktualizacji podaje nieprawidłową sumę kontrolną SHA-256 pliku instalacyjnego.";
    const QByteArray suma = Sha256("x");
    QTest::newRow("sum too short") << kNowsza << "setup.run" << zlaSuma << suma.left(63);
    QTest::newRow("sum too long") << kNowsza << "setup.run" << zlaSuma << suma + "0";
    QTest::newRow("sum not hexadecimal") << kNowsza << "setup.run" << zlaSuma << "g" + suma.mid(1);
    QTest::newRow("sum in base64") << kNowsza << "setup.run" << zlaSuma
                                   << QCryptographicHash::hash("x", QCryptographicHash::Sha256).toBase64();
    QTest::newRow("same") << "8.0.1.0" << "setup.run" << najnowsza << QByteArray();
    QTest::newRow("older") << "7.9.9.9" << "setup.run" << najnowsza << QByteArray();
    QTest::newRow("older with a wider part") << "8.0.0.15" << "setup.run" << najnowsza << QByteArray();
    QTest::newRow("same, shorter") << "8.0.1" << "setup.run" << najnowsza << QByteArray();
    QTest::newRow("not a version") << "8.0.1.x" << "setup.run" << najnowsza << QByteArray();
    QTest::newRow("missing") << "" << "setup.run" << najnowsza << QByteArray();
    QTest::newRow("parent folder") << kNowsza << "../evil.sh" << zlaNazwa << QByteArray();
    QTest::newRow("absolute") << kNowsza << "/tmp/evil.sh" << zlaNazwa << QByteArray();
    QTest::newRow("backslash") << kNowsza << "..\\evil.sh" << zlaNazwa << QByteArray();
    QTest::newRow("dot dot") << kNowsza << ".." << zlaNazwa << QByteArray();
    QTest::newRow("empty name") << kNowsza << "" << zlaNazwa << QByteArray();
  }
  void nothingIsOffered() {
    QFETCH(QString, oferowana);
    QFETCH(QString, nazwa);
    QFETCH(QString, komunikat);
    QFETCH(QByteArray, suma);
    Zapisz(PlikOpisu(), Opis(oferowana, nazwa, suma));
    SkryptDialogow().odpowiedzi = {platform::Odpowiedz::Tak};
    tools_->SprawdzAktualizacje(false);
    QVERIFY(Czekaj());
    QVERIFY(SkryptDialogow().pokazane.empty());
    tools_->SprawdzAktualizacje(true);
    QVERIFY(Czekaj());
    QCOMPARE(SkryptDialogow().Teksty(), QStringList{komunikat});
    QVERIFY(serwer_->zadania.empty());
    QVERIFY(!QFile::exists(folder_->Sciezka() + "evil.sh"));
    QVERIFY(!ZakonczenieZadane());
    if (oferowana == kNowsza) return;
    QCOMPARE(SkryptDialogow().pokazane.front().tytul, QString("Aktualizacja on-line"));
    QCOMPARE(SkryptDialogow().pokazane.front().przyciski, platform::Przyciski::Ok);
  }

  void noConnectionIsReportedOnce_data() {
    QTest::addColumn<unsigned>("flagi");
    QTest::addColumn<bool>("echo");
    QTest::addColumn<int>("ech");
    QTest::newRow("no network") << 0u << true << 0;
    QTest::newRow("unknown flag alone") << 16u << true << 0;
    QTest::newRow("echo fails") << unsigned{platform::PolaczenieLan} << false << 1;
  }
  void noConnectionIsReportedOnce() {
    QFETCH(unsigned, flagi);
    QFETCH(bool, echo);
    QFETCH(int, ech);
    uslugi_->flagi = flagi;
    uslugi_->echo = echo;
    Zapisz(PlikOpisu(), Opis(kNowsza));
    serwer_->trasy[kSciezkaOpisu] = {200, Opis(kNowsza), -1};
    tools_->ToolButton10->trigger();
    QVERIFY(Czekaj());
    QCOMPARE(SkryptDialogow().Teksty(), QStringList{"Brak połączenia z siecią Internet."});
    QVERIFY(serwer_->zadania.empty());
    // The description download and the check each test once; the echo follows only a connection.
    QCOMPARE(uslugi_->hostyEcha.size(), 2 * ech);
  }

  void failedDescriptionKeepsThePreviousOne_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("cialo");
    QTest::addColumn<qint64>("urwijPo");
    QTest::newRow("missing on the server") << 404 << QByteArray("Not here") << qint64{-1};
    QTest::newRow("server error") << 500 << Opis(kNowsza) << qint64{-1};
    QTest::newRow("dropped connection") << 200 << Opis(kNowsza) << qint64{8};
    QTest::newRow("not a description") << 200 << QByteArray("<html><body>Witamy</body></html>") << qint64{-1};
    QTest::newRow("binary") << 200 << QByteArray("[UPDATE]\nVer=9\0\n", 16) << qint64{-1};
    QTest::newRow("too long") << 200 << QByteArray("[UPDATE]\n") + QByteArray(100000, ';') << qint64{-1};
  }
  void failedDescriptionKeepsThePreviousOne() {
    QFETCH(int, status);
    QFETCH(QByteArray, cialo);
    QFETCH(qint64, urwijPo);
    Zapisz(PlikOpisu(), Opis(QStringLiteral("8.0.1.0")));
    Zapisz(Instalator(), "stary instalator");
    serwer_->trasy[kSciezkaOpisu] = {status, cialo, urwijPo};

    std::optional<TTools::WynikPobrania> wynik;
    tools_->PobierzPlikIni(aktualizacja::AdresOpisu(tools_->SerwerAktualizacji()), PlikOpisu(), false,
                           [&](TTools::WynikPobrania w) { wynik = w; });
    QTRY_VERIFY(wynik.has_value());
    QCOMPARE(*wynik, TTools::WynikPobrania::Blad);
    QVERIFY(SkryptDialogow().pokazane.empty());

    tools_->ToolButton10->trigger();

    QVERIFY(Czekaj());
    QCOMPARE(Czytaj(PlikOpisu()), Opis(QStringLiteral("8.0.1.0")));
    QCOMPARE(Czytaj(Instalator()), QByteArray("stary instalator"));
    const QStringList teksty = SkryptDialogow().Teksty();
    QCOMPARE(teksty.size(), 2);
    QVERIFY2(teksty[0].startsWith("Nie udało się pobrać informacji o aktualizacji.\n"), qPrintable(teksty[0]));
    // The check goes on with what the last good download left.
    QCOMPARE(teksty[1], QString("Wersja 8.0.1.0 jest najnowszą wersją programu."));
    QVERIFY(tools_->ToolButton10->isEnabled());
  }

  // The start-up check waits for the main window: creating the windows reaches for nothing, showing the main one
  // starts the check from the event loop.
  void startUpCheckBeginsOnceTheWindowIsShown() {
    serwer_->trasy[kSciezkaOpisu] = {200, Opis(kNowsza)};
    SkryptDialogow().odpowiedzi = {platform::Odpowiedz::Nie};
    Uruchom(true);
    QVERIFY(!tools_->AktualizacjaWToku());
    QVERIFY(serwer_->zadania.empty());
    tools_->show();
    QVERIFY(tools_->isVisible());
    QTRY_VERIFY(!uslugi_->hostyEcha.isEmpty());
    QVERIFY(Czekaj());
    QCOMPARE(serwer_->zadania.size(), std::size_t{1});
    QCOMPARE(SkryptDialogow().Teksty(),
             QStringList{"Aktualizacja nr 8.0.1.1 jest dostępna. Czy rozpocząć aktualizację programu ?"});
  }

  // A server that answers nothing, or trickles a byte now and then, never holds the windows back: the check runs
  // beside them until its deadline and then ends as failed, silently at start-up, with a message from the toolbar.
  void slowServerNeverHoldsTheWindow_data() {
    QTest::addColumn<bool>("przyStarcie");
    QTest::addColumn<bool>("kapie");
    QTest::newRow("start-up, silent") << true << false;
    QTest::newRow("start-up, trickle") << true << true;
    QTest::newRow("toolbar, silent") << false << false;
    QTest::newRow("toolbar, trickle") << false << true;
  }
  void slowServerNeverHoldsTheWindow() {
    QFETCH(bool, przyStarcie);
    QFETCH(bool, kapie);
    Zapisz(PlikOpisu(), Opis(QStringLiteral("8.0.1.0")));
    SerwerHttp::Trasa trasa{200, Opis(kNowsza)};
    trasa.milczy = !kapie;
    trasa.bajtCoMs = 50;
    serwer_->trasy[kSciezkaOpisu] = trasa;
    Uruchom(przyStarcie);
    tools_->LimitBezczynnosciMs = 60000;
    tools_->LimitOpisuMs = 1500;
    tools_->show();
    if (!przyStarcie) tools_->ToolButton10->trigger();
    QTRY_COMPARE(serwer_->zadania.size(), std::size_t{1});
    QVERIFY(tools_->AktualizacjaWToku());
    QVERIFY(!tools_->ToolButton10->isEnabled());
    // Meanwhile the program does what it is asked: a settlement is closed and the welcome panel comes back.
    tools_->Zamknij1->trigger();
    QVERIFY(!tools_->Powitanie->isHidden());
    QVERIFY(Czekaj());
    QVERIFY(tools_->ToolButton10->isEnabled());
    QCOMPARE(Czytaj(PlikOpisu()), Opis(QStringLiteral("8.0.1.0")));
    const QStringList teksty = SkryptDialogow().Teksty();
    if (przyStarcie) {
      QVERIFY2(teksty.isEmpty(), qPrintable(teksty.join('|')));
    } else {
      QCOMPARE(teksty.value(0), QString("Nie udało się pobrać informacji o aktualizacji.\nSerwer nie przysłał pliku "
                                        "w wyznaczonym czasie."));
      QCOMPARE(teksty.value(1), QString("Wersja 8.0.1.0 jest najnowszą wersją programu."));
    }
  }

  // Asked for from the toolbar, the description comes through the progress window; its Anuluj ends the check.
  void descriptionDownloadCanBeCancelled() {
    Zapisz(PlikOpisu(), Opis(kNowsza));
    SerwerHttp::Trasa trasa{200, Opis("9.0.0.0")};
    trasa.milczy = true;
    serwer_->trasy[kSciezkaOpisu] = trasa;
    tools_->ToolButton10->trigger();
    QTRY_COMPARE(serwer_->zadania.size(), std::size_t{1});
    QVERIFY(okno_->isVisible());
    QCOMPARE(Wiersze(okno_->ListBox1), QStringList{"Pobieranie informacji o aktualizacji ..."});
    okno_->Anuluj->click();
    QVERIFY(Czekaj());
    QVERIFY(!okno_->isVisible());
    QVERIFY(SkryptDialogow().pokazane.empty());  // neither a failure nor the offer of the older description
    QCOMPARE(Czytaj(PlikOpisu()), Opis(kNowsza));
  }

  // A body without an announced length goes to disk as it arrives, not into memory, and becomes the installer only
  // once it is whole.
  void bodyWithoutLengthIsWrittenAsItArrives() {
    const QByteArray nowy = "#!/bin/sh\n" + QByteArray(3 * 1024 * 1024, 'z');
    SerwerHttp::Trasa trasa{200, nowy};
    trasa.bezDlugosci = true;
    trasa.trzymaj = true;
    Przygotuj(trasa, platform::Odpowiedz::Tak);
    tools_->SprawdzAktualizacje(false);
    QTRY_COMPARE_WITH_TIMEOUT(ZapisywaneDo(tools_.get(), Instalator()), qint64{nowy.size()}, 20000);
    QVERIFY(tools_->AktualizacjaWToku());
    QVERIFY(!QFile::exists(Instalator()));
    QCOMPARE(okno_->ProgressHTTP->maximum(), 0);  // a busy bar: the size is unknown
    serwer_->Rozlacz();
    QVERIFY(Czekaj());
    QCOMPARE(Czytaj(Instalator()), nowy);
    QCOMPARE(uslugi_->otwarte.size(), 1);
    QVERIFY(ZakonczenieZadane());
  }

  void startUpCheckFollowsTheSwitch() {
    serwer_->trasy[kSciezkaOpisu] = {200, Opis(kNowsza), -1};
    Uruchom(false);
    tools_->show();
    QTest::qWait(50);
    QVERIFY(!tools_->AktualizacjaWToku());
    QVERIFY(serwer_->zadania.empty());
    QVERIFY(SkryptDialogow().pokazane.empty());

    // The about box's switch is the one the update window reads.
    okno_.reset();
    platform::TIniFile("velmar2008.ini").WriteString("PIT", "AutoUpdate", {});
    TInfo info(tools_.get());
    info.AutoAktualzacja->click();
    QVERIFY(info.AutoAktualzacja->isChecked());
    SkryptDialogow().odpowiedzi = {platform::Odpowiedz::Nie};
    TAktualizacja przyStarcie(tools_.get());
    QVERIFY(tools_->AktualizacjaWToku());  // the main window is already shown: the check begins at once
    QVERIFY(Czekaj());
    QCOMPARE(serwer_->zadania.size(), std::size_t{1});
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});
    QCOMPARE(SkryptDialogow().pokazane.front().tytul, QString("Aktualizacja on-line"));
  }

  void unreachableServerDoesNotStopStartUp() {
    Zapisz(PlikOpisu(), Opis(QStringLiteral("8.0.1.0")));
    serwer_->Zamknij();
    Uruchom(true);
    tools_->show();
    QTRY_VERIFY(!uslugi_->hostyEcha.isEmpty());
    QVERIFY(Czekaj());
    QVERIFY(SkryptDialogow().pokazane.empty());
    QCOMPARE(Czytaj(PlikOpisu()), Opis(QStringLiteral("8.0.1.0")));
    QVERIFY(!ZakonczenieZadane());
  }

  void connectionReport_data() {
    QTest::addColumn<unsigned>("flagi");
    QTest::addColumn<QString>("tekst");
    const QString jest = "Jest zestawione polaczenie z siecia Internet :-)";
    QTest::newRow("none") << 0u << QString("Brak polaczenia z siecia Internet :( ");
    QTest::newRow("lan") << 2u << jest + "POŁĄCZENIE PRZEZ LAN";
    QTest::newRow("later flag wins") << 7u << jest + "POŁĄCZENIE PRZEZ PROXY";
    QTest::newRow("modem busy alone") << 8u << jest + "MODEM ZAJĘTY";
    QTest::newRow("unknown flag") << 32u << QString("Brak polaczenia z siecia Internet :( ");
  }
  void connectionReport() {
    QFETCH(unsigned, flagi);
    QFETCH(QString, tekst);
    uslugi_->flagi = flagi;
    uslugi_->echo = false;  // the echo's outcome does not change the report
    tools_->ButtonInternet->setEnabled(true);  // as while a form is open in designer mode
    tools_->ButtonInternet->trigger();
    QTRY_COMPARE(SkryptDialogow().Teksty(), QStringList{tekst});
    QCOMPARE(uslugi_->hostyEcha.size(), (flagi & 15u) ? 1 : 0);
  }

  void networkServices() {
    const auto echo = [](const QString& host, int limitMs) {
      platform::EchoIcmp echo;
      std::optional<platform::WynikEcha> wynik;
      echo.Gotowe = [&](platform::WynikEcha w) { wynik = w; };
      echo.Wyslij(host, limitMs);
      if (wynik) qFatal("the echo must answer from the event loop");
      if (!QTest::qWaitFor([&] { return wynik.has_value(); }, 10000)) qFatal("the echo never answered");
      return *wynik;
    };
    QCOMPARE(echo(QStringLiteral("nie-ma-takiego-hosta.invalid"), 300), platform::WynikEcha::Blad);
    // Where the system allows no ICMP socket the echo is unavailable, never an error.
    QVERIFY(echo(QStringLiteral("127.0.0.1"), 300) != platform::WynikEcha::Blad);
    QVERIFY((platform::StanPolaczenia(QUrl(QStringLiteral("http://127.0.0.1/"))) & ~15u) == 0);
    QVERIFY((platform::StanPolaczenia(QUrl()) & ~3u) == 0);  // no address: no proxy asked for

    const auto pobierz = [](platform::PobieranieHttp& pobieranie) {
      std::optional<QString> blad;
      pobieranie.Zakonczono = [&](const QString& b) { blad = b; };
      auto bufor = std::make_unique<QBuffer>();
      bufor->open(QIODevice::WriteOnly);
      pobieranie.Rozpocznij(std::move(bufor));
      if (!QTest::qWaitFor([&] { return blad.has_value(); }, 10000)) qFatal("the transfer never ended");
      return *blad;
    };
    platform::PobieranieHttp plikLokalny(QUrl::fromLocalFile(PlikOpisu()));
    QVERIFY(!pobierz(plikLokalny).isEmpty());

    serwer_->trasy["/duzy"] = {200, QByteArray(5000, 'd'), -1};
    platform::PobieranieHttp duzy(QUrl(serwer_->Adres() + QStringLiteral("/duzy")));
    duzy.MaksRozmiar = 4096;
    bool koniec = false;
    duzy.Koniec = [&] { koniec = true; };
    QCOMPARE(pobierz(duzy), QString("Plik na serwerze jest większy, niż program przyjmuje."));
    QVERIFY(!koniec);
    QCOMPARE(static_cast<QBuffer*>(duzy.Cel())->data().size(), 0);

    // A transfer destroyed while it runs says nothing more.
    SerwerHttp::Trasa cisza;
    cisza.milczy = true;
    serwer_->trasy["/cisza"] = cisza;
    bool odezwal = false;
    {
      platform::PobieranieHttp przerwany(QUrl(serwer_->Adres() + QStringLiteral("/cisza")));
      przerwany.Zakonczono = [&](const QString&) { odezwal = true; };
      przerwany.Rozlaczono = [&] { odezwal = true; };
      przerwany.Rozpocznij(std::make_unique<QBuffer>());
      QTRY_COMPARE(serwer_->zadania.size(), std::size_t{1});
    }
    QTest::qWait(50);
    QVERIFY(!odezwal);
  }
};

VELMAR_TEST_MAIN(TstAktualizacja)
#include "tst_aktualizacja.moc"
