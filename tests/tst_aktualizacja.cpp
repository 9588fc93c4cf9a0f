// The online update against a local HTTP server: the version numbers, the question and the download, installing at
// once or later, no connection, failed transfers, the start-up check and the connection report.

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QCryptographicHash>
#include <QTcpSocket>

#include <map>
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
#include "support/test_main.h"

using namespace velmar_test;

namespace {

platform::Aplikacja& App() { return *platform::Aplikacja::Instancja(); }

const QByteArray kSciezkaOpisu = "/aktualizacja/velmar2008/update.ini";
const QByteArray kSciezkaInstalatora = "/aktualizacja/velmar2008/setup.run";
const QString kNowsza = QStringLiteral("8.0.1.1");  // the program itself is 8.0.1.0

// A small HTTP/1.1 server on the loopback: fixed answers per path, every request recorded.
class SerwerTestowy : public QObject {
 public:
  struct Trasa {
    int status = 200;
    QByteArray cialo;
    qint64 urwijPo = -1;  // >= 0: only this many bytes of the announced body are sent
    bool trzymaj = false;  // after them the connection stays open instead of dropping
  };
  struct Zadanie {
    QByteArray sciezka;
    std::map<QByteArray, QByteArray> naglowki;  // names in lower case
  };

  std::map<QByteArray, Trasa> trasy;
  std::vector<Zadanie> zadania;

  // szyfrowany: HTTPS with the test certificate, which the test trusts (Ufaj).
  explicit SerwerTestowy(bool szyfrowany = false) : szyfrowany_(szyfrowany) {
    if (szyfrowany) {
      auto serwer = std::make_unique<QSslServer>();
      QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
      tls.setLocalCertificate(Certyfikat());
      QFile klucz(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/tls/klucz.pem"));
      if (!klucz.open(QIODevice::ReadOnly)) qFatal("cannot read the test key");
      tls.setPrivateKey(QSslKey(&klucz, QSsl::Rsa));
      serwer->setSslConfiguration(tls);
      serwer_ = std::move(serwer);
    } else {
      serwer_ = std::make_unique<QTcpServer>();
    }
    if (!serwer_->listen(QHostAddress::LocalHost, 0)) qFatal("cannot listen on the loopback");
    // A TLS connection is pending once its handshake is done.
    connect(serwer_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
      while (QTcpSocket* gniazdo = serwer_->nextPendingConnection()) Obsluz(gniazdo);
    });
  }
  QString Adres() const {
    return QStringLiteral("%1://127.0.0.1:%2").arg(szyfrowany_ ? "https" : "http").arg(serwer_->serverPort());
  }
  void Zamknij() { serwer_->close(); }

  static QSslCertificate Certyfikat() {
    const auto certyfikaty =
        QSslCertificate::fromPath(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/tls/certyfikat.pem"));
    if (certyfikaty.isEmpty()) qFatal("cannot read the test certificate");
    return certyfikaty.front();
  }
  // The program's connections trust the test certificate from now on.
  static void Ufaj() {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.addCaCertificate(Certyfikat());
    QSslConfiguration::setDefaultConfiguration(tls);
  }

 private:
  void Obsluz(QTcpSocket* gniazdo) {
    auto bufor = std::make_shared<QByteArray>();
    connect(gniazdo, &QTcpSocket::disconnected, gniazdo, &QObject::deleteLater);
    connect(gniazdo, &QTcpSocket::readyRead, this, [this, gniazdo, bufor] {
      bufor->append(gniazdo->readAll());
      const qsizetype koniec = bufor->indexOf("\r\n\r\n");
      if (koniec < 0) return;
      const QList<QByteArray> linie = bufor->left(koniec).split('\n');
      Zadanie zadanie;
      zadanie.sciezka = linie.value(0).split(' ').value(1);
      for (qsizetype i = 1; i < linie.size(); ++i) {
        const qsizetype dwukropek = linie[i].indexOf(':');
        if (dwukropek > 0)
          zadanie.naglowki[linie[i].left(dwukropek).trimmed().toLower()] = linie[i].mid(dwukropek + 1).trimmed();
      }
      zadania.push_back(zadanie);
      const auto trasa = trasy.find(zadanie.sciezka);
      const Trasa odpowiedz = trasa != trasy.end() ? trasa->second : Trasa{404, "brak", -1, false};
      const QByteArray powod = odpowiedz.status == 200 ? "OK" : odpowiedz.status == 404 ? "Not Found" : "Error";
      gniazdo->write("HTTP/1.1 " + QByteArray::number(odpowiedz.status) + ' ' + powod +
                     "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                     QByteArray::number(odpowiedz.cialo.size()) + "\r\nConnection: close\r\n\r\n");
      gniazdo->write(odpowiedz.urwijPo >= 0 ? odpowiedz.cialo.left(odpowiedz.urwijPo) : odpowiedz.cialo);
      if (!odpowiedz.trzymaj) gniazdo->disconnectFromHost();
    });
  }

  bool szyfrowany_;
  std::unique_ptr<QTcpServer> serwer_;
};

// Records what the program asks of the system and answers the connection test as told.
struct UslugiTestowe : TTools::UslugiSystemu {
  unsigned flagi = platform::PolaczenieLan;
  bool echo = true;
  QStringList hostyEcha;
  QStringList otwarte;
  QStringList uruchomione;

  unsigned StanPolaczenia(const QUrl&) override { return flagi; }
  bool Echo(const QString& host) override {
    hostyEcha << host;
    return echo;
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
  std::unique_ptr<SerwerTestowy> serwer_;
  std::unique_ptr<TTools> tools_;
  std::unique_ptr<TAktualizacja> okno_;
  std::shared_ptr<UslugiTestowe> uslugi_;

  QString PlikOpisu() const { return folder_->Sciezka() + "update.ini"; }
  QString Instalator() const { return folder_->Sciezka() + "update/setup.run"; }

  static void UstawUstawienie(const QString& klucz, const QString& wartosc) {
    platform::TIniFile("velmar2008.ini").WriteString("PIT", klucz, wartosc);
  }

  // The main window and the update window on a fresh program folder, the switch off unless told.
  void Uruchom(bool autoUpdate = false) {
    UstawUstawienie("AutoUpdate", autoUpdate ? "1" : "0");
    okno_.reset();
    tools_.reset();  // one running copy at a time
    tools_ = NoweOkno(*folder_);
    tools_->Uslugi = uslugi_;
    okno_ = std::make_unique<TAktualizacja>(tools_.get());
  }

  // A newer version described locally with the SHA-256 of the new installer, an old installer copy, the new one on
  // the server and the user's answer.
  void Przygotuj(const SerwerTestowy::Trasa& nowy, platform::Odpowiedz odpowiedz) {
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
    serwer_ = std::make_unique<SerwerTestowy>();
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

  void initTestCase() { SerwerTestowy::Ufaj(); }

  void serverAddressComesFromSettings() {
    UstawUstawienie(QStringLiteral("SerwerAktualizacji"), QStringLiteral("http://127.0.0.1:8080//"));
    QCOMPARE(tools_->SerwerAktualizacji(), QStringLiteral("http://127.0.0.1:8080"));
    QVERIFY(tools_->JestPolaczenie());
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
      serwer_ = std::make_unique<SerwerTestowy>(true);
      UstawUstawienie(QStringLiteral("SerwerAktualizacji"), serwer_->Adres());
    }
    const QByteArray nowy = "#!/bin/sh\n" + QByteArray(70000, 'n');
    Przygotuj({200, nowy}, platform::Odpowiedz::Tak);
    if (suma.startsWith('=')) suma = suma == "=A" ? Sha256(nowy).toUpper() : Sha256(nowy);
    Zapisz(PlikOpisu(), Opis(kNowsza, QStringLiteral("setup.run"), suma));
    tools_->SprawdzAktualizacje(false);

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
    QVERIFY(SkryptDialogow().pokazane.empty());
    tools_->SprawdzAktualizacje(true);
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
    QCOMPARE(SkryptDialogow().Teksty(), QStringList{"Brak połączenia z siecią Internet."});
    QVERIFY(serwer_->zadania.empty());
    // The description download and the check each test once; the echo follows only a connection.
    QCOMPARE(uslugi_->hostyEcha.size(), 3 * ech);
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

    QVERIFY(!tools_->PobierzPlikIni(aktualizacja::AdresOpisu(tools_->SerwerAktualizacji()), PlikOpisu(), false));
    QVERIFY(SkryptDialogow().pokazane.empty());

    tools_->ToolButton10->trigger();
    QCOMPARE(Czytaj(PlikOpisu()), Opis(QStringLiteral("8.0.1.0")));
    QCOMPARE(Czytaj(Instalator()), QByteArray("stary instalator"));
    const QStringList teksty = SkryptDialogow().Teksty();
    QCOMPARE(teksty.size(), 2);
    QVERIFY2(teksty[0].startsWith("Nie udało się pobrać informacji o aktualizacji.\n"), qPrintable(teksty[0]));
    // The check goes on with what the last good download left.
    QCOMPARE(teksty[1], QString("Wersja 8.0.1.0 jest najnowszą wersją programu."));
    QVERIFY(tools_->ToolButton10->isEnabled());
  }

  void unreachableServerDoesNotStopStartUp() {
    Zapisz(PlikOpisu(), Opis(QStringLiteral("8.0.1.0")));
    serwer_->Zamknij();
    Uruchom(true);
    QVERIFY(SkryptDialogow().pokazane.empty());
    QCOMPARE(Czytaj(PlikOpisu()), Opis(QStringLiteral("8.0.1.0")));
    QVERIFY(!ZakonczenieZadane());
  }

  void startUpCheckFollowsTheSwitch() {
    serwer_->trasy[kSciezkaOpisu] = {200, Opis(kNowsza), -1};
    Uruchom(false);
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
    QCOMPARE(serwer_->zadania.size(), std::size_t{1});
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});
    QCOMPARE(SkryptDialogow().pokazane.front().tytul, QString("Aktualizacja on-line"));
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
    QCOMPARE(SkryptDialogow().Teksty(), QStringList{tekst});
    QCOMPARE(uslugi_->hostyEcha.size(), (flagi & 15u) ? 1 : 0);
  }

  void networkServices() {
    QCOMPARE(platform::EchoIcmp(QStringLiteral("nie-ma-takiego-hosta.invalid")), platform::WynikEcha::Blad);
    // Where the system allows no ICMP socket the echo is unavailable, never an error.
    QVERIFY(platform::EchoIcmp(QStringLiteral("127.0.0.1"), 300) != platform::WynikEcha::Blad);
    QVERIFY((platform::StanPolaczenia(QUrl(QStringLiteral("http://127.0.0.1/"))) & ~15u) == 0);

    QBuffer bufor;
    bufor.open(QIODevice::WriteOnly);
    platform::PobieranieHttp plikLokalny(QUrl::fromLocalFile(PlikOpisu()));
    QVERIFY(!plikLokalny.Pobierz(bufor).isEmpty());

    serwer_->trasy["/duzy"] = {200, QByteArray(5000, 'd'), -1};
    platform::PobieranieHttp duzy(QUrl(serwer_->Adres() + QStringLiteral("/duzy")));
    duzy.MaksRozmiar = 4096;
    bool koniec = false;
    duzy.Koniec = [&] { koniec = true; };
    QVERIFY(!duzy.Pobierz(bufor).isEmpty());
    QVERIFY(!koniec);
    QCOMPARE(bufor.data().size(), 0);
  }
};

VELMAR_TEST_MAIN(TstAktualizacja)
#include "tst_aktualizacja.moc"
