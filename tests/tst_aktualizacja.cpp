// The online update against a local HTTP server: the version numbers, the offer and the installer's download and
// checks, installing at once or later, the description's download, the start-up check, slow servers and the
// connection report.

#include <QAction>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFileDevice>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <algorithm>
#include <optional>
#include <unistd.h>

#include "main/aktualizacja.h"
#include "main/tools.h"
#include "platform/ustawienia.h"
#include "support/program.h"
#include "support/serwer_http.h"
#include "support/start_uslugi.h"
#include "support/test_main.h"

using namespace velmar_test;
using platform::Odpowiedz;
using Trasa = SerwerHttp::Trasa;

namespace {

const QByteArray kSciezkaOpisu = "/aktualizacja/velmar2008/update.ini";
const QByteArray kSciezkaInstalatora = "/aktualizacja/velmar2008/setup.run";
const QString kNowsza = QStringLiteral("8.0.1.1");  // the program itself is 8.0.1.0
const QString kWlasna = QStringLiteral("8.0.1.0");
const QString kPytanie = QStringLiteral("Aktualizacja nr 8.0.1.1 jest dostępna. Czy rozpocząć aktualizację programu ?");
const QString kNajnowsza = QStringLiteral("Wersja 8.0.1.0 jest najnowszą wersją programu.");
const QString kBladInstalatora = QStringLiteral("Nie udało się pobrać aktualizacji.\n");
const QString kPoTerminie = QStringLiteral("Serwer nie przysłał pliku w wyznaczonym czasie.");
const QString kNieSprawdzono = QStringLiteral("Nie udało się sprawdzić, czy jest nowsza wersja programu: nie pobrano "
                                              "informacji o aktualizacji.\n");
// What is said of an installer the program will not start; %1 stands for its path.
const QString kBezSumy = QStringLiteral(", a opis aktualizacji nie podaje jego sumy kontrolnej SHA-256, więc program "
                                        "go nie uruchomi.\nPlik zapisano w:\n%1");
const QString kBezSzyfrowania = "Plik instalacyjny pobrano bez szyfrowania" + kBezSumy;
const QString kBezDlugosci = "Serwer nie podał długości pliku instalacyjnego i nie wiadomo, czy nadszedł on w całości" +
                             kBezSumy;
const QString kNieSprawdzony = QStringLiteral("Program nie sprawdził tego pliku instalacyjnego albo plik zmienił się "
                                              "po sprawdzeniu, więc go nie uruchomi.\nPlik leży w:\n%1");

QByteArray Opis(const QString& wersja, const QString& plik = QStringLiteral("setup.run"), const QByteArray& suma = {}) {
  return "[UPDATE]\r\nVer=" + wersja.toUtf8() + "\r\nFile=" + plik.toUtf8() + "\r\n" +
         (suma.isEmpty() ? QByteArray() : "SHA256=" + suma + "\r\n");
}

QByteArray Sha256(const QByteArray& dane) { return QCryptographicHash::hash(dane, QCryptographicHash::Sha256).toHex(); }

// Every name under the folder, with what tells its file from a replacement.
QByteArrayList Zawartosc(const QString& folder) {
  QByteArrayList wpisy;
  QDirIterator i(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                 QDirIterator::Subdirectories);
  while (i.hasNext()) {
    const QString sciezka = i.next();
    wpisy << sciezka.toUtf8() + ' ' + velmar_test::Odcisk(sciezka);
  }
  std::sort(wpisy.begin(), wpisy.end());
  return wpisy;
}

// One offer: what the local description says, what the server does with the new installer, the user's answer,
// and what comes of it.
struct Oferta {
  QString wersja = kNowsza;
  QString nazwa = QStringLiteral("setup.run");
  QByteArray suma = "=";  // "=": the new installer's own; "=A": the same in upper case
  bool https = false;
  Trasa trasa{};          // the new installer is its body
  int limitMs = 0;        // > 0: the installer's download must be over by then
  bool anuluj = false;    // the window's Anuluj is clicked once the download begins
  bool verbose = true;
  Odpowiedz odpowiedz = Odpowiedz::Tak;
  QStringList teksty{};   // every dialog in order; %1 stands for the installer's path
  const char* instalator = "nowy";  // update/setup.run after: "stary", "nowy" or "" (none)
  bool otwarty = false;
};

// Installing later through the window's Instaluj: how the installer comes, whether another file lies in its place by
// then, whether Instaluj is offered and starts it, and every dialog after the question.
struct Pozniej {
  bool https = false;
  bool suma = true;  // the description names the installer's SHA-256
  bool bezDlugosci = false;
  bool podmieniony = false;
  bool dowiazanie = false;  // a link in its place to a file outside with the same bytes
  bool twardy = false;      // a second name of a file outside with the same bytes in its place
  bool instaluj = false;
  bool uruchomiony = false;
  QStringList teksty;  // %1 stands for the installer's path
};

// One description download: the connection, the server, what it does, the program's limits in ms (0: its own) and
// the reason reported (null: no connection).
struct Pobranie {
  unsigned flagi = platform::PolaczenieLan;
  bool echo = true;
  SerwerHttp::Tls tls = SerwerHttp::Tls::Brak;
  Trasa trasa{200, Opis(kNowsza)};
  int bezczynnosc = 0, calkowity = 0;
  QString powod{};
};

}  // namespace

Q_DECLARE_METATYPE(Oferta)
Q_DECLARE_METATYPE(Pozniej)
Q_DECLARE_METATYPE(Pobranie)

class TstAktualizacja : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<SerwerHttp> serwer_;
  std::unique_ptr<TTools> tools_;
  std::unique_ptr<TAktualizacja> okno_;
  std::shared_ptr<UslugiTestowe> uslugi_;

  QString PlikOpisu() const { return folder_->Sciezka() + "update.ini"; }
  QString FolderAktualizacji() const { return folder_->Sciezka() + "update/"; }
  QString Instalator() const { return FolderAktualizacji() + "setup.run"; }

  // Waits until the running check has come to its outcome, at most a little less than the program's own
  // deadlines, so a deadline that is not passed on shows.
  [[nodiscard]] bool Czekaj() {
    return QTest::qWaitFor([this] { return !tools_->AktualizacjaWToku(); }, 25000);
  }

  // Into the settings of the running program, which it read when it was made, and so into the file.
  void Ustaw(const QString& klucz, const QString& wartosc) {
    if (tools_) tools_->Ustawienia().WriteString("PIT", klucz, wartosc);
    else platform::TIniFile("velmar2008.ini").WriteString("PIT", klucz, wartosc);
  }

  // The main window and the update window on the program folder, the start-up check as told (none: as the settings
  // file has it).
  void Uruchom(std::optional<bool> autoUpdate = false) {
    if (autoUpdate) Ustaw("AutoUpdate", *autoUpdate ? "1" : "0");
    okno_.reset();
    tools_.reset();  // one running copy at a time
    tools_ = NoweOkno(*folder_);
    tools_->ParametrWiersza.clear();  // the test's own arguments name no settlement
    tools_->Uslugi = uslugi_;
    okno_ = std::make_unique<TAktualizacja>(tools_.get());
  }

  // A newer version described locally with the SHA-256 of the new installer, an old installer copy, the new one on
  // the server and the user's answers.
  void Przygotuj(const QByteArray& nowy, std::deque<Odpowiedz> odpowiedzi, Trasa trasa = {}) {
    ZapiszPlik(PlikOpisu(), Opis(kNowsza, QStringLiteral("setup.run"), Sha256(nowy)));
    ZapiszPlik(Instalator(), "stary instalator");
    trasa.cialo = nowy;
    serwer_->trasy[kSciezkaInstalatora] = trasa;
    SkryptDialogow().odpowiedzi = std::move(odpowiedzi);
  }

 private slots:
  void init() {
    SkryptDialogow().pokazane.clear();
    SkryptDialogow().odpowiedzi.clear();
    folder_ = std::make_unique<FolderProgramu>();
    serwer_ = std::make_unique<SerwerHttp>();
    uslugi_ = std::make_shared<UslugiTestowe>();
    Ustaw("SerwerAktualizacji", serwer_->Adres());
    Uruchom();
  }

  void UzyjSerwera(SerwerHttp::Tls tls) {
    serwer_ = std::make_unique<SerwerHttp>(tls);
    Ustaw("SerwerAktualizacji", serwer_->Adres());
  }

  static bool Wykonywalny(const QString& plik) { return QFile::permissions(plik).testFlag(QFileDevice::ExeOwner); }

  void cleanup() {
    okno_.reset();
    tools_.reset();
    serwer_.reset();
    folder_.reset();
    platform::Aplikacja::Instancja()->AnulujZakonczenie();
  }

  void versionsCompareByParts_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("wynik");
    QTest::newRow("wider part is no larger") << "8.0.0.15" << "8.0.1.0" << -1;
    QTest::newRow("numbers, not text") << "8.0.10.0" << "8.0.9.9" << 1;
    QTest::newRow("missing parts are 0") << "8.0.1" << "8.0.1.0" << 0;
    QTest::newRow("a further part") << "8.0.1.0.1" << "8.0.1" << 1;
    QTest::newRow("nine digits") << "8.999999999" << "8.999999998" << 1;
    // A text that is no version is version 0: never newer than a real one.
    QTest::newRow("empty part") << "9..1" << "8.0.1.0" << -1;
    QTest::newRow("letter") << "9.a" << "8.0.1.0" << -1;
    QTest::newRow("blank") << "9.0 " << "8.0.1.0" << -1;
    QTest::newRow("sign") << "+9.0" << "8.0.1.0" << -1;
    QTest::newRow("ten digits") << "1000000000" << "8.0.1.0" << -1;
    QTest::newRow("other digits") << QString::fromUtf8("\xd9\xa9.\xd9\xa0") << "8.0.1.0" << -1;
  }
  void versionsCompareByParts() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, wynik);
    QCOMPARE(TTools::PorownajWersje(a, b), wynik);
    QCOMPARE(TTools::PorownajWersje(b, a), -wynik);
  }

  void serverAddressComesFromSettings() {
    Ustaw("SerwerAktualizacji", "http://127.0.0.1:8080//");
    QCOMPARE(tools_->SerwerAktualizacji(), QStringLiteral("http://127.0.0.1:8080"));
    for (const char* zly : {"file:///etc/passwd", "ftp://example.org", "http://", "nonsense"}) {
      Ustaw("SerwerAktualizacji", zly);
      QCOMPARE(tools_->SerwerAktualizacji(), QStringLiteral("https://www.korvanex.pl"));
    }
  }

  // An installer is started at once only when it matches the SHA-256 the description names or, with none named, came
  // over HTTPS as long as the server announced; a mismatch is deleted, an unchecked one left where it lies, not made
  // executable. Nothing is offered for a version not
  // above the own one nor for an unsafe installer name or sum; only the verbose check says so. A failed or
  // cancelled download leaves no file.
  void offer_data() {
    QTest::addColumn<Oferta>("o");
    const auto wiersz = [](const char* nazwa, const Oferta& o) { QTest::newRow(nazwa) << o; };
    const QString zlaNazwa = "Opis aktualizacji nie podaje prawidłowej nazwy pliku instalacyjnego.";
    const QString zlaSuma = "Opis aktualizacji podaje nieprawidłową sumę kontrolną SHA-256 pliku instalacyjnego.";
    const QString usuniety = "Pobrany plik instalacyjny nie zgadza się z sumą kontrolną SHA-256 podaną w opisie "
                             "aktualizacji. Plik usunięto.";
    const QByteArray inna = Sha256("inny"), x = Sha256("x");
    wiersz("declined", {.odpowiedz = Odpowiedz::Nie, .teksty = {kPytanie}, .instalator = "stary"});
    wiersz("http, matching sum", {.teksty = {kPytanie}, .otwarty = true});
    wiersz("http, matching sum in upper case", {.suma = "=A", .verbose = false, .teksty = {kPytanie}, .otwarty = true});
    wiersz("http, another sum", {.suma = inna, .teksty = {kPytanie, usuniety}, .instalator = ""});
    wiersz("http, no sum", {.suma = {}, .teksty = {kPytanie, kBezSzyfrowania}});
    wiersz("https, no sum", {.suma = {}, .https = true, .teksty = {kPytanie}, .otwarty = true});
    // A body without a length ends wherever the connection does: whole only by its sum.
    wiersz("https, no length, no sum", {.suma = {}, .https = true, .trasa = {.bezDlugosci = true},
                                        .teksty = {kPytanie, kBezDlugosci}});
    wiersz("https, no length, matching sum", {.https = true, .trasa = {.bezDlugosci = true}, .teksty = {kPytanie},
                                              .otwarty = true});
    wiersz("https, no length, cut off", {.https = true, .trasa = {.urwijPo = 1000, .bezDlugosci = true},
                                         .teksty = {kPytanie, usuniety}, .instalator = ""});
    wiersz("https, another sum", {.suma = inna, .https = true, .teksty = {kPytanie, usuniety}, .instalator = ""});
    wiersz("missing on the server", {.trasa = {.status = 404}, .teksty = {kPytanie, kBladInstalatora +
        "Serwer odpowiedział: 404 Not Found"}, .instalator = ""});
    wiersz("dropped connection", {.trasa = {.urwijPo = 1000}, .teksty = {kPytanie, kBladInstalatora +
        "Serwer przerwał połączenie."}, .instalator = ""});
    wiersz("deadline", {.trasa = {.urwijPo = 10, .trzymaj = true}, .limitMs = 500,
                        .teksty = {kPytanie, kBladInstalatora + kPoTerminie}, .instalator = ""});
    // Announced but never sent in full: only the window's Anuluj ends the wait, and it is not reported.
    wiersz("cancelled", {.trasa = {.urwijPo = 10, .trzymaj = true}, .anuluj = true, .teksty = {kPytanie},
                         .instalator = ""});
    wiersz("same version", {.wersja = kWlasna, .teksty = {kNajnowsza}, .instalator = "stary"});
    wiersz("older with a wider part", {.wersja = "8.0.0.15", .teksty = {kNajnowsza}, .instalator = "stary"});
    wiersz("parent folder", {.nazwa = "../evil.sh", .teksty = {zlaNazwa}, .instalator = "stary"});
    wiersz("backslash", {.nazwa = "..\\evil.sh", .teksty = {zlaNazwa}, .instalator = "stary"});
    wiersz("dot dot", {.nazwa = "..", .teksty = {zlaNazwa}, .instalator = "stary"});
    wiersz("empty name", {.nazwa = "", .teksty = {zlaNazwa}, .instalator = "stary"});
    wiersz("sum too short", {.suma = x.left(63), .teksty = {zlaSuma}, .instalator = "stary"});
    wiersz("sum too long", {.suma = x + "0", .teksty = {zlaSuma}, .instalator = "stary"});
    wiersz("sum not hexadecimal", {.suma = "g" + x.mid(1), .teksty = {zlaSuma}, .instalator = "stary"});
    wiersz("unsafe name, silent", {.nazwa = "../evil.sh", .verbose = false, .instalator = "stary"});
    wiersz("same version, silent", {.wersja = kWlasna, .verbose = false, .instalator = "stary"});
    wiersz("sum too short, silent", {.suma = x.left(63), .verbose = false, .instalator = "stary"});
  }
  void offer() {
    QFETCH(Oferta, o);
    if (o.https) UzyjSerwera(SerwerHttp::Tls::Zaufany);
    const QByteArray nowy = "#!/bin/sh\n" + QByteArray(300 * 1024, 'x');
    Przygotuj(nowy, {o.odpowiedz}, o.trasa);
    const QByteArray suma = o.suma == "=" ? Sha256(nowy) : o.suma == "=A" ? Sha256(nowy).toUpper() : o.suma;
    ZapiszPlik(PlikOpisu(), Opis(o.wersja, o.nazwa, suma));
    if (o.limitMs > 0) tools_->LimitInstalatoraMs = o.limitMs;
    tools_->SprawdzAktualizacje(o.verbose);
    if (o.anuluj) {
      QTRY_COMPARE(serwer_->zadania.size(), std::size_t{1});
      okno_->Anuluj->click();
    }
    QVERIFY(Czekaj());
    QCOMPARE(SkryptDialogow().Teksty(), o.teksty.replaceInStrings("%1", QDir::toNativeSeparators(Instalator())));
    const bool stary = std::string_view(o.instalator) == "stary";
    QCOMPARE(CzytajPlik(Instalator()), stary ? "stary instalator" : *o.instalator ? nowy : QByteArray());
    // Nothing else is left in the folder: a failed transfer's partial file is gone.
    QCOMPARE(QDir(FolderAktualizacji()).entryList(QDir::Files), *o.instalator ? QStringList{"setup.run"} : QStringList());
    QCOMPARE(serwer_->zadania.size(), std::size_t{!stary});
    QCOMPARE(uslugi_->otwarte, o.otwarty ? QStringList{Instalator() + '|' + FolderAktualizacji()} : QStringList());
    QCOMPARE(Wykonywalny(Instalator()), o.otwarty);
    QCOMPARE(ZakonczenieZadane(), o.otwarty);
    QVERIFY(!okno_->isVisible() && tools_->ToolButton10->isEnabled());
    if (o.otwarty) QCOMPARE(okno_->ProgressHTTP->value(), o.trasa.bezDlugosci ? 100 : nowy.size());
    // The window's log says the download finished only when it did.
    const bool pobrany = !stary && !o.anuluj && !o.teksty.value(1).startsWith(kBladInstalatora);
    QCOMPARE(okno_->ListBox1->findItems("Pobieranie aktualizacji zakończone", Qt::MatchExactly).size(), int(pobrany));
  }

  // Installing ends the program: unsaved changes are asked about first, and only a settled answer lets it end.
  // Staying on, as also without AutoInstall, the installer waits for the window's Instaluj.
  void installingAsksAboutUnsavedChanges_data() {
    QTest::addColumn<bool>("odRazu");
    QTest::addColumn<Odpowiedz>("odpowiedz");
    QTest::addColumn<bool>("nazwany");  // the settlement has a file, so Tak saves without a dialog
    QTest::addColumn<bool>("konczy");
    QTest::newRow("save") << true << Odpowiedz::Tak << true << true;
    QTest::newRow("discard") << true << Odpowiedz::Nie << true << true;
    QTest::newRow("cancel") << true << Odpowiedz::Anuluj << true << false;
    QTest::newRow("save dialog cancelled") << true << Odpowiedz::Tak << false << false;
    QTest::newRow("no AutoInstall") << false << Odpowiedz::Tak << true << false;
  }
  void installingAsksAboutUnsavedChanges() {
    QFETCH(bool, odRazu);
    QFETCH(Odpowiedz, odpowiedz);
    QFETCH(bool, nazwany);
    QFETCH(bool, konczy);
    const bool zapisany = konczy && odpowiedz == Odpowiedz::Tak;
    const QString rozliczenie = folder_->Sciezka() + "moje.dc8";
    ZapiszPlik(rozliczenie, "poprzednia wersja");
    tools_->PlikRozliczenia = nazwany ? rozliczenie : QString();
    tools_->NazwaRozliczenia = "moje.dc8 - Velmar 2008 Korvanex";
    tools_->Zmodyfikowane = 1;
    Przygotuj("nowy", {Odpowiedz::Tak, odpowiedz});
    okno_->AutoInstall->setChecked(odRazu);
    tools_->SprawdzAktualizacje(false);
    QVERIFY(Czekaj());

    QCOMPARE(SkryptDialogow().Teksty().value(1), odRazu ? QString("Rozliczenie \"moje.dc8 - Velmar 2008 Korvanex\" "
        "zostało zmodyfikowane.\nCzy zapisać zmiany w bieżącym rozliczeniu ?") : QString());
    // Installing can still be given up there.
    if (odRazu) QCOMPARE(SkryptDialogow().pokazane[1].przyciski, platform::Przyciski::TakNieAnuluj);
    QCOMPARE(ZakonczenieZadane(), konczy);
    QCOMPARE(uslugi_->otwarte.size(), konczy ? 1 : 0);
    QCOMPARE(CzytajPlik(rozliczenie).isEmpty(), zapisany);  // the settlement holds no records
    QCOMPARE(tools_->Zmodyfikowane != 0, !zapisany);
    QCOMPARE(CzytajPlik(Instalator()), QByteArray("nowy"));
    QCOMPARE(okno_->Instaluj->isEnabled(), !konczy);
    if (konczy) return;
    okno_->Instaluj->click();
    QCOMPARE(uslugi_->otwarte, QStringList{Instalator() + '|' + FolderAktualizacji()});
    QVERIFY(Wykonywalny(Instalator()) && !ZakonczenieZadane());
    // Shown again for the next download, the window starts clean.
    okno_->show();
    QVERIFY(!okno_->Instaluj->isEnabled() && okno_->ListBox1->count() == 0);
  }

  // Instaluj starts, as a program, only the installer the download verified and only while it is that file; what the
  // program will not start stays as it is, and the window's handler says so even when called without the button.
  void installLaterStartsOnlyAVerifiedInstaller_data() {
    QTest::addColumn<Pozniej>("p");
    const auto wiersz = [](const char* nazwa, const Pozniej& p) { QTest::newRow(nazwa) << p; };
    wiersz("https, no sum", {.https = true, .suma = false, .instaluj = true, .uruchomiony = true, .teksty = {kPytanie}});
    wiersz("http, no sum", {.suma = false, .teksty = {kPytanie, kBezSzyfrowania, kNieSprawdzony}});
    wiersz("https, no length, no sum", {.https = true, .suma = false, .bezDlugosci = true,
                                        .teksty = {kPytanie, kBezDlugosci, kNieSprawdzony}});
    wiersz("replaced after the check", {.podmieniony = true, .instaluj = true, .teksty = {kPytanie, kNieSprawdzony}});
    wiersz("a link to the same bytes", {.dowiazanie = true, .instaluj = true, .teksty = {kPytanie, kNieSprawdzony}});
    wiersz("a hard link to the same bytes", {.twardy = true, .instaluj = true, .teksty = {kPytanie, kNieSprawdzony}});
  }
  void installLaterStartsOnlyAVerifiedInstaller() {
    QFETCH(Pozniej, p);
    if (p.https) UzyjSerwera(SerwerHttp::Tls::Zaufany);
    const QByteArray nowy = "#!/bin/sh\nexit 0\n";
    Przygotuj(nowy, {Odpowiedz::Tak}, {.bezDlugosci = p.bezDlugosci});
    if (!p.suma) ZapiszPlik(PlikOpisu(), Opis(kNowsza));
    okno_->AutoInstall->setChecked(false);
    tools_->SprawdzAktualizacje(false);
    QVERIFY(Czekaj());
    QCOMPARE(CzytajPlik(Instalator()), nowy);
    QCOMPARE(okno_->Instaluj->isEnabled(), p.instaluj);
    if (p.podmieniony) ZapiszPlik(Instalator(), "#!/bin/sh\necho inny\n");
    // The link's target is no file of the update's: its bytes match, but it is not what was checked.
    const QString obcy = folder_->Sciezka() + "obcy.run";
    if (p.dowiazanie) {
      ZapiszPlik(obcy, nowy);
      QVERIFY(QFile::remove(Instalator()) && QFile::link(obcy, Instalator()));
    }
    if (p.twardy) {
      ZapiszPlik(obcy, nowy);
      QCOMPARE(::chmod(QFile::encodeName(obcy).constData(), 0664), 0);
      QVERIFY(QFile::remove(Instalator()));
      QCOMPARE(::link(QFile::encodeName(obcy).constData(), QFile::encodeName(Instalator()).constData()), 0);
    }
    const QByteArray obcyPrzed = Odcisk(obcy);
    if (p.instaluj) okno_->Instaluj->click();
    else okno_->InstalujClick();
    QCOMPARE(SkryptDialogow().Teksty(), p.teksty.replaceInStrings("%1", QDir::toNativeSeparators(Instalator())));
    QCOMPARE(uslugi_->otwarte, p.uruchomiony ? QStringList{Instalator() + '|' + FolderAktualizacji()} : QStringList());
    QCOMPARE(Wykonywalny(Instalator()), p.uruchomiony);
    if (p.dowiazanie) QVERIFY(!Wykonywalny(obcy) && QFileInfo(Instalator()).isSymLink());
    if (p.twardy) QCOMPARE(Odcisk(obcy), obcyPrzed);
    QVERIFY(!ZakonczenieZadane() && !okno_->isVisible());
  }

  // Nothing the update writes goes through a link in the program folder, and no link is started: a link in the place
  // of the description, of the update's folder or of the installer, dangling or not, is removed as the program's own
  // name and a file or folder made instead; what it names outside keeps its bytes and modes, or stays missing.
  void updateWritesNothingThroughALink_data() {
    QTest::addColumn<QString>("lacze");  // the name in the program folder
    QTest::addColumn<QString>("cel");    // what it names outside
    QTest::addColumn<bool>("przyStarcie");
    QTest::newRow("description: file") << "update.ini" << "obcy.ini" << false;
    QTest::newRow("description: file, at start-up") << "update.ini" << "obcy.ini" << true;
    QTest::newRow("description: dangling") << "update.ini" << "brak.ini" << false;
    QTest::newRow("folder: folder") << "update" << "obcy" << false;
    QTest::newRow("folder: dangling") << "update" << "brak" << false;
    QTest::newRow("installer: dangling") << "update/setup.run" << "brak.run" << false;
  }
  void updateWritesNothingThroughALink() {
    QFETCH(QString, lacze);
    QFETCH(QString, cel);
    QFETCH(bool, przyStarcie);
    QTemporaryDir poza;
    ZapiszPlik(poza.filePath("obcy.ini"), Opis(kWlasna));
    ZapiszPlik(poza.filePath("obcy/setup.run"), "obcy instalator");
    QCOMPARE(::chmod(QFile::encodeName(poza.filePath("obcy.ini")).constData(), 0640), 0);
    QCOMPARE(::chmod(QFile::encodeName(poza.filePath("obcy/setup.run")).constData(), 0750), 0);
    if (lacze.contains('/')) QVERIFY(QDir().mkpath(FolderAktualizacji()));
    QVERIFY(QFile::link(poza.filePath(cel), folder_->Sciezka() + lacze));
    const QByteArrayList przed = Zawartosc(poza.path());
    const QByteArray nowy = "#!/bin/sh\nexit 0\n";
    const QByteArray opis = Opis(kNowsza, QStringLiteral("setup.run"), Sha256(nowy));
    serwer_->trasy[kSciezkaOpisu] = {.cialo = opis};
    serwer_->trasy[kSciezkaInstalatora] = {.cialo = nowy};
    SkryptDialogow().odpowiedzi = {Odpowiedz::Tak};
    Uruchom(przyStarcie);
    tools_->show();
    if (!przyStarcie) tools_->ToolButton10->trigger();
    QTRY_VERIFY(!serwer_->zadania.empty());
    QVERIFY(Czekaj());
    QCOMPARE(Zawartosc(poza.path()), przed);
    QCOMPARE(SkryptDialogow().Teksty(), QStringList{kPytanie});
    QVERIFY(!QFileInfo(PlikOpisu()).isSymLink() && !QFileInfo(FolderAktualizacji()).isSymLink() &&
            !QFileInfo(Instalator()).isSymLink());
    QCOMPARE(CzytajPlik(PlikOpisu()), opis);
    QCOMPARE(CzytajPlik(Instalator()), nowy);
    QCOMPARE(uslugi_->otwarte, QStringList{Instalator() + '|' + FolderAktualizacji()});
  }

  // A description that does not come whole, well within its deadlines and from a server the program trusts leaves the
  // last good one, with which the check goes on; the failure and its reason are said, never that the own version is
  // the newest. Without a connection nothing is asked of the server, and that is said once.
  void failedDescriptionKeepsThePreviousOne_data() {
    QTest::addColumn<Pobranie>("p");
    const auto wiersz = [](const char* nazwa, const Pobranie& p) { QTest::newRow(nazwa) << p; };
    const QString nieOpis = "Serwer nie przysłał opisu aktualizacji.";
    wiersz("missing", {.trasa = {404, "Not here"}, .powod = "Serwer odpowiedział: 404 Not Found"});
    // An error page is no description, even one that reads like it (the test server calls every failure Not Found).
    wiersz("server error", {.trasa = {500, Opis(kNowsza)}, .powod = "Serwer odpowiedział: 500 Not Found"});
    wiersz("dropped", {.trasa = {200, Opis(kNowsza), 8}, .powod = "Serwer przerwał połączenie."});
    wiersz("not a description", {.trasa = {200, "<html><body>Witamy</body></html>"}, .powod = nieOpis});
    wiersz("binary", {.trasa = {200, QByteArray("[UPDATE]\nVer=9\0\n", 16)}, .powod = nieOpis});
    const QString zaDlugi = "Plik na serwerze jest większy, niż program przyjmuje.";
    wiersz("too long", {.trasa = {200, "[UPDATE]\n" + QByteArray(100000, ';')}, .powod = zaDlugi});
    wiersz("too long, no length", {.trasa = {.cialo = "[UPDATE]\n" + QByteArray(100000, ';'), .bezDlugosci = true},
                                   .powod = zaDlugi});
    wiersz("untrusted certificate", {.tls = SerwerHttp::Tls::Obcy, .powod = "Serwer 127.0.0.1 nie przedstawił "
        "certyfikatu, któremu program ufa, więc połączenie z nim nie jest bezpieczne."});
    wiersz("silent: idle limit", {.trasa = {.cialo = Opis(kNowsza), .milczy = true}, .bezczynnosc = 300,
                                  .powod = "Serwer nie odpowiada."});
    // A trickle of a byte now and then is never idle, yet never done.
    wiersz("trickle: overall limit", {.trasa = {.cialo = Opis(kNowsza) + QByteArray(5000, ';'), .trzymaj = true,
                                      .bajtCoMs = 20}, .calkowity = 500, .powod = kPoTerminie});
    wiersz("no network", {.flagi = 0});
    wiersz("unknown flag alone", {.flagi = 16});
    wiersz("echo fails", {.echo = false});
  }
  void failedDescriptionKeepsThePreviousOne() {
    QFETCH(Pobranie, p);
    if (p.tls != SerwerHttp::Tls::Brak) UzyjSerwera(p.tls);
    uslugi_->flagi = p.flagi;
    uslugi_->echo = p.echo;
    ZapiszPlik(PlikOpisu(), Opis(kWlasna));
    serwer_->trasy[kSciezkaOpisu] = p.trasa;
    if (p.bezczynnosc > 0) tools_->LimitBezczynnosciMs = p.bezczynnosc;
    if (p.calkowity > 0) tools_->LimitOpisuMs = p.calkowity;
    tools_->ToolButton10->trigger();
    QVERIFY(Czekaj());
    QCOMPARE(CzytajPlik(PlikOpisu()), Opis(kWlasna));
    QCOMPARE(SkryptDialogow().Teksty(), (p.powod.isNull() ? QStringList{"Brak połączenia z siecią Internet."}
        : QStringList{kNieSprawdzono + p.powod}));
    // No request goes over a connection whose certificate is not trusted.
    QCOMPARE(serwer_->zadania.size(), std::size_t{!p.powod.isNull() && p.tls != SerwerHttp::Tls::Obcy});
    // Only the description download tests the connection: with no newer version known, nothing follows a failure.
    // The echo follows only a connection.
    QCOMPARE(uslugi_->hostyEcha.size(), (p.flagi & 15u) ? 1 : 0);
    QVERIFY(tools_->ToolButton10->isEnabled());
  }

  // The description comes before the question, from the toolbar or at start-up as the switch says. The start-up
  // check waits for the main window: creating the windows reaches for nothing, showing the main one starts it from
  // the event loop. A failure there is not reported.
  void descriptionComesBeforeTheQuestion_data() {
    QTest::addColumn<bool>("przycisk");
    QTest::addColumn<bool>("wlaczone");
    QTest::addColumn<bool>("serwer");
    QTest::newRow("toolbar") << true << false << true;
    QTest::newRow("start-up") << false << true << true;
    QTest::newRow("start-up switched off") << false << false << true;
    QTest::newRow("start-up, server down") << false << true << false;
  }
  void descriptionComesBeforeTheQuestion() {
    QFETCH(bool, przycisk);
    QFETCH(bool, wlaczone);
    QFETCH(bool, serwer);
    ZapiszPlik(PlikOpisu(), Opis(kWlasna));
    serwer_->trasy[kSciezkaOpisu] = {.cialo = Opis(kNowsza)};
    if (!serwer) Ustaw("SerwerAktualizacji", "http://127.0.0.1:9");  // nothing listens there
    SkryptDialogow().odpowiedzi = {Odpowiedz::Nie};
    Uruchom(wlaczone);
    okno_ = std::make_unique<TAktualizacja>(tools_.get());  // a second window doubles neither command nor check
    tools_->show();
    QVERIFY(!tools_->AktualizacjaWToku());
    bool potem = false;
    QTimer::singleShot(0, this, [&] { potem = true; });  // queued after whatever showing queued
    QTRY_VERIFY(potem);
    QCOMPARE(tools_->AktualizacjaWToku(), wlaczone);
    if (przycisk) tools_->ToolButton10->trigger();
    QVERIFY(Czekaj());
    const bool pobrany = serwer && (wlaczone || przycisk);
    QCOMPARE(serwer_->zadania, pobrany ? std::vector{kSciezkaOpisu} : std::vector<QByteArray>{});
    QCOMPARE(CzytajPlik(PlikOpisu()), Opis(pobrany ? kNowsza : kWlasna));
    QCOMPARE(SkryptDialogow().Teksty(), pobrany ? QStringList{kPytanie} : QStringList{});
    // The offer can be declined.
    if (pobrany) QCOMPARE(SkryptDialogow().pokazane.front().przyciski, platform::Przyciski::TakNie);
    // The update server knows the program by what its requests say of themselves.
    if (pobrany) {
      const auto& pola = serwer_->naglowki.front();
      QCOMPARE(pola.count("accept") ? pola.at("accept") : QByteArray(), QByteArray("text/html, */*"));
      QCOMPARE(pola.count("user-agent") ? pola.at("user-agent") : QByteArray(),
               QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
    }
  }

  // Settings that were kept but never name the switch (started before, the switch left out) leave the start-up
  // check off.
  void startUpWithoutTheSwitchChecksNothing() {
    ZapiszPlik(PlikOpisu(), Opis(kWlasna));
    serwer_->trasy[kSciezkaOpisu] = {.cialo = Opis(kNowsza)};
    okno_.reset();
    tools_.reset();
    ZapiszPlik(platform::FolderUstawien() + QStringLiteral("/velmar2008.ini"),
               "[PIT]\nRun=1\nSerwerAktualizacji=" + serwer_->Adres().toUtf8() + "\n");
    Uruchom(std::nullopt);
    tools_->show();
    bool potem = false;
    QTimer::singleShot(0, this, [&] { potem = true; });  // queued after whatever showing queued
    QTRY_VERIFY(potem);
    QVERIFY(!tools_->AktualizacjaWToku());
    QVERIFY(serwer_->zadania.empty() && SkryptDialogow().pokazane.empty());
    QCOMPARE(CzytajPlik(PlikOpisu()), Opis(kWlasna));
  }

  // A server that answers nothing never holds the windows back: the check runs beside them. From the toolbar the
  // download shows in the progress window, whose Anuluj ends the check unreported; at start-up the program may end
  // meanwhile, and the transfer goes with it without a word.
  void slowServerNeverHoldsTheWindow_data() {
    QTest::addColumn<bool>("przyStarcie");
    QTest::newRow("start-up") << true;
    QTest::newRow("toolbar") << false;
  }
  void slowServerNeverHoldsTheWindow() {
    QFETCH(bool, przyStarcie);
    ZapiszPlik(PlikOpisu(), Opis(kWlasna));
    serwer_->trasy[kSciezkaOpisu] = {.cialo = Opis("9.0.0.0"), .milczy = true};
    Uruchom(przyStarcie);
    tools_->show();
    if (!przyStarcie) tools_->ToolButton10->trigger();
    QTRY_COMPARE(serwer_->zadania.size(), std::size_t{1});
    QVERIFY(tools_->AktualizacjaWToku() && !tools_->ToolButton10->isEnabled());
    tools_->Zamknij1->trigger();  // the program does what it is asked meanwhile
    QVERIFY(!tools_->Powitanie->isHidden());
    QCOMPARE(okno_->isVisible(), !przyStarcie);
    if (przyStarcie) {
      okno_.reset();
      tools_.reset();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } else {
      QCOMPARE(okno_->ListBox1->item(0)->text(), "Pobieranie informacji o aktualizacji ...");
      okno_->Anuluj->click();
      QVERIFY(Czekaj());
      QVERIFY(!okno_->isVisible() && tools_->ToolButton10->isEnabled());
      QCOMPARE(CzytajPlik(PlikOpisu()), Opis(kWlasna));
    }
    QVERIFY(SkryptDialogow().pokazane.empty());
  }

  // A body without an announced length goes to disk as it arrives, not into memory, and becomes the installer only
  // once it is whole. A file being saved has no name on disk yet, so the download is asked for its own.
  void bodyWithoutLengthIsWrittenAsItArrives() {
    const QByteArray nowy = "#!/bin/sh\n" + QByteArray(3 * 1024 * 1024, 'z');
    Przygotuj(nowy, {Odpowiedz::Tak}, {.trzymaj = true, .bezDlugosci = true});
    tools_->SprawdzAktualizacje(false);
    const auto zapisane = [this] {
      for (const auto* pobieranie : tools_->findChildren<platform::PobieranieHttp*>())
        if (const auto* cel = qobject_cast<QFileDevice*>(pobieranie->Cel()); cel && cel->isOpen() &&
            cel->fileName() == Instalator()) return cel->size();
      return qint64{0};
    };
    QTRY_COMPARE_WITH_TIMEOUT(zapisane(), qint64{nowy.size()}, 60000);
    QVERIFY(tools_->AktualizacjaWToku() && !QFile::exists(Instalator()));
    QCOMPARE(okno_->ProgressHTTP->maximum(), 0);  // a busy bar: the size is unknown
    serwer_->Rozlacz();
    QVERIFY(Czekaj());
    QCOMPARE(CzytajPlik(Instalator()), nowy);
    QCOMPARE(uslugi_->otwarte.size(), 1);
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

  // The real echo answers from the event loop and fails only when the host cannot be reached at all; where the
  // system allows no ICMP socket it is unavailable, never an error.
  void echoFailsOnlyOnError() {
    for (const auto& [host, blad] : {std::pair{"nie-ma-takiego-hosta.invalid", true}, {"127.0.0.1", false}}) {
      platform::EchoIcmp echo;
      std::optional<platform::WynikEcha> wynik;
      echo.Gotowe = [&](platform::WynikEcha w) { wynik = w; };
      echo.Wyslij(QString::fromLatin1(host), 300);
      QVERIFY(!wynik);
      QVERIFY(QTest::qWaitFor([&] { return wynik.has_value(); }, 60000));
      QCOMPARE(*wynik == platform::WynikEcha::Blad, blad);
    }
  }
};

VELMAR_TEST_MAIN(TstAktualizacja)
#include "tst_aktualizacja.moc"
