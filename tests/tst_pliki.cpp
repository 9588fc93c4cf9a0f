// Settlement files: the exact bytes, atomic replacement, hostile files, and the question before changes are dropped.

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <tuple>

#include "main/tools.h"
#include "model/plik_rozliczenia.h"
#include "model/rekordy.h"
#include "support/pliki.h"
#include "support/program.h"
#include "support/test_main.h"

using namespace velmar_test;
using platform::Odpowiedz;

namespace {

// The texts of the message boxes shown, without the file dialogs.
QStringList Komunikaty() {
  QStringList teksty;
  for (const auto& okno : SkryptDialogow().pokazane)
    if (okno.rodzaj == PokazaneOkno::Rodzaj::Komunikat) teksty << okno.tekst;
  return teksty;
}

QStringList Posortowane(QStringList nazwy) {
  std::sort(nazwy.begin(), nazwy.end());
  return nazwy;
}

// Every name in the folder, links, FIFOs and folders too.
QStringList Zawartosc(const QString& folder) {
  return Posortowane(
      QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Unsorted));
}

constexpr qsizetype kDruk = rekordy::kRozmiarDruku;
constexpr qsizetype Pole(int rekord, int k) { return (rekord - 1) * kDruk + 32 + 392 * k; }

}  // namespace

class TstPliki : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<TTools> tools_;
  TTools& T() { return *tools_; }
  QString Plik(const char* nazwa) const { return folder_->Sciezka() + QString::fromUtf8(nazwa); }

  // PIT-37 with a PIT/O and a PIT/D, values in a few fields; or PIT-37 alone, with a name and a file.
  void TrzyDruki(bool trzy = true) {
    T().PrzydzielDruki(3);
    T().DodajDruk(Pit37, 0, PMWspolny, WspolneZMalzonkiem);
    if (!trzy) {
      T().BudujDrzewo();
      T().PlikRozliczenia = Plik("stary.dc8");
      T().Osoby[0].UstawPole(1, "Nowak");
      return;
    }
    T().DodajDruk(PitO, 1, PMPodatnik, WspolneZMalzonkiem);
    T().DodajDruk(PitD, 1, PMWspolny, WspolneZMalzonkiem);
    T().BudujDrzewo();
    UstawTekst(T().Druki[1].Pola[10].Wartosc, QStringLiteral("Łódź ąęłśżź"));
    UstawBajty(T().Druki[2].Pola[349].Wartosc, "1234,56");
    T().Druki[3].Pola[7].Zaznaczone = 1;
  }

 private slots:
  void init() {
    SkryptDialogow().Wyczysc();
    folder_ = std::make_unique<FolderProgramu>();
    folder_->ZapiszDcs(Pit37, {NowyObiekt(Liczba, 1, "1", "0,00")});
    tools_ = NoweOkno(*folder_);
  }
  void cleanup() { tools_.reset(), folder_.reset(); }

  // Saved over a larger file, exactly the records stay; saving again under the current name asks nothing.
  void savedBytesAndRoundTrip() {
    ZapiszPlik(Plik("zapis.dc8"), QByteArray(10 * kDruk, '\x55'));
    TrzyDruki();
    SkryptDialogow().pliki = {Plik("zapis")};
    SkryptDialogow().odpowiedzi = {Odpowiedz::Tak};  // to replace zapis.dc8
    QVERIFY(T().ZapiszRozliczenie(QString()));
    const QString sciezka = Plik("zapis.dc8");
    QCOMPARE(T().PlikRozliczenia, sciezka);
    const QByteArray b = CzytajPlik(sciezka);
    QCOMPARE(b.size(), 3 * kDruk);
    QCOMPARE(b.mid(8, 4) + b.mid(kDruk + 12, 4), QByteArray("\2\0\0\0\1\0\0\0", 8));  // PIT-37; PIT/O's parent
    QCOMPARE(b.mid(Pole(1, 10) + 36, 12), QByteArray("\xA3\xF3" "d\x9F \xB9\xEA\xB3\x9C\xBF\x9F\0", 12));
    QCOMPARE(b.mid(Pole(2, 349) + 36, 8), QByteArray("1234,56\0", 8));
    QCOMPARE(b[Pole(3, 7) + 391], '\1');
    QCOMPARE(T().Zmodyfikowane, std::uint8_t{0});
    QCOMPARE(T().windowTitle(), QStringLiteral("zapis.dc8 - Velmar 2008 Korvanex"));
    T().Zmodyfikowane = 1;
    QVERIFY(T().ZapiszRozliczenie(T().PlikRozliczenia));
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{2});

    tools_.reset();
    tools_ = NoweOkno(*folder_);
    QVERIFY(T().OtworzRozliczenie(sciezka));
    QCOMPARE(T().LiczbaDrukow, 3);
    QCOMPARE(NaQString(T().Druki[1].Pola[10].Wartosc), QStringLiteral("Łódź ąęłśżź"));
    QCOMPARE(T().Druki[3].Pola[7].Zaznaczone, std::uint8_t{1});
    QCOMPARE(T().TV->topLevelItem(0)->childCount(), 2);
    QCOMPARE(T().TV->topLevelItem(0)->child(0)->text(0), QStringLiteral("PIT/O (P)"));
  }

  // "Zapisz jako" adds ".dc8" only where the name lacks it, and asks before it replaces a file under the name it
  // saves under, whatever was typed; declined, the dialog comes back on the declined name.
  void saveAsNamesAndAsks_data() {
    QTest::addColumn<QString>("wpisana");     // typed in the dialog
    QTest::addColumn<QString>("istnieje");    // a file there before, or a link "name->target", if any
    QTest::addColumn<Odpowiedz>("odpowiedz");
    QTest::addColumn<QString>("pytanie");     // the name asked about; empty: no question
    QTest::addColumn<QString>("zapisany");    // the file saved; empty: nothing saved
    QTest::newRow("extension typed") << "a.dc8" << "" << Odpowiedz::Nie << "" << "a.dc8";
    QTest::newRow("extension in capitals") << "b.DC8" << "" << Odpowiedz::Nie << "" << "b.DC8";
    QTest::newRow("another extension") << "c.dc8.bak" << "" << Odpowiedz::Nie << "" << "c.dc8.bak.dc8";
    QTest::newRow("no extension, declined") << "d" << "d.dc8" << Odpowiedz::Nie << "d.dc8" << "";
    QTest::newRow("no extension, replaced") << "d" << "d.dc8" << Odpowiedz::Tak << "d.dc8" << "d.dc8";
    QTest::newRow("extension, declined") << "d.dc8" << "d.dc8" << Odpowiedz::Nie << "d.dc8" << "";
    QTest::newRow("only the name typed exists") << "d" << "d" << Odpowiedz::Nie << "" << "d.dc8";
    QTest::newRow("link to no file yet") << "e" << "e.dc8->nowy.dc8" << Odpowiedz::Tak << "e.dc8" << "e.dc8";
  }
  void saveAsNamesAndAsks() {
    QFETCH(QString, wpisana);
    QFETCH(QString, istnieje);
    QFETCH(Odpowiedz, odpowiedz);
    QFETCH(QString, pytanie);
    QFETCH(QString, zapisany);
    const QString folder = folder_->Sciezka();
    const QStringList dowiazanie = istnieje.split(QStringLiteral("->"));
    if (dowiazanie.size() == 2)
      QCOMPARE(::symlink(QFile::encodeName(dowiazanie[1]).constData(),
                         QFile::encodeName(folder + dowiazanie[0]).constData()),
               0);
    else if (!istnieje.isEmpty())
      ZapiszPlik(folder + istnieje, "stary");
    TrzyDruki();
    T().Zmodyfikowane = 1;
    SkryptDialogow().pliki = {folder + wpisana};
    SkryptDialogow().odpowiedzi = {odpowiedz};
    QCOMPARE(T().ZapiszRozliczenie(QString()), !zapisany.isEmpty());

    QStringList okna;
    for (const auto& okno : SkryptDialogow().pokazane) okna << okno.tytul + QStringLiteral(": ") + okno.tekst;
    // Declined, the dialog comes back on the name asked about.
    const QString tytul = QStringLiteral("Zapisz rozliczenie jako: ");
    QStringList oczekiwane{tytul + QStringLiteral("nowe rozliczenie")};
    if (!pytanie.isEmpty()) oczekiwane << tytul + pytanie + QStringLiteral(" już istnieje.\nCzy chcesz go zastąpić?");
    if (!pytanie.isEmpty() && odpowiedz == Odpowiedz::Nie) oczekiwane << tytul + pytanie;
    QCOMPARE(okna, oczekiwane);
    if (!pytanie.isEmpty()) QCOMPARE(SkryptDialogow().pokazane[1].przyciski, platform::Przyciski::TakNie);

    QCOMPARE(T().PlikRozliczenia, zapisany.isEmpty() ? QString() : folder + zapisany);
    QCOMPARE(T().Zmodyfikowane, std::uint8_t(zapisany.isEmpty()));
    if (!zapisany.isEmpty()) QCOMPARE(CzytajPlik(folder + zapisany).size(), 3 * kDruk);
    if (dowiazanie.size() == 2) {
      QVERIFY(QFileInfo(folder + dowiazanie[0]).isSymLink() && QFileInfo(folder + dowiazanie[1]).isFile());
    } else if (!istnieje.isEmpty() && istnieje != zapisany) {
      QCOMPARE(CzytajPlik(folder + istnieje), QByteArray("stary"));
    }
  }

  // A disk that fills up during the save: the message says so, and the old file and the modified flag stay. The disk
  // is a tmpfs of 64 KiB in a private mount namespace, where the helper saves 411 KB.
  void fullDiskIsNamed() {
    QTemporaryDir dysk;
    QProcess proces;
    proces.start(QStringLiteral("unshare"), {QStringLiteral("-Urm"), QStringLiteral("sh"), QStringLiteral("-c"),
                           QStringLiteral("mount -t tmpfs -o size=64k tmpfs \"$0\" && exec \"$1\" \"$0\""), dysk.path(),
                           QStringLiteral(VELMAR_TESTS_DIR "/zapis_na_pelny_dysk")});
    QVERIFY(!proces.waitForStarted() || proces.waitForFinished(120000));  // not started: no unshare(1), skipped below
    const QString wynik = QString::fromUtf8(proces.readAllStandardOutput());
    if (!wynik.startsWith(QStringLiteral("zapisany=")))
      QSKIP(qPrintable(QStringLiteral("no private tmpfs here: ") + QString::fromLocal8Bit(proces.readAllStandardError())));
    const QString plik = dysk.path() + QStringLiteral("/rozliczenie.dc8");
    QCOMPARE(wynik, QStringLiteral("zapisany=0\nzmodyfikowane=1\nplik=stary\npliki=rozliczenie.dc8\n"
                                   "komunikat=Brak miejsca na dysku - rozliczenia nie zapisano w pliku: ") +
                        plik + QStringLiteral("\nPoprzednia wersja pliku pozostała bez zmian.\n"));
  }

  // Saving under the current name replaces the file a link names and keeps every link. The new file keeps the old
  // one's owner, group and permission bits, but never set-user-id, set-group-id or sticky. A file this user may not
  // write by its permission bits stays as it was, also for root, and the settlement stays modified, to be saved under
  // another name; the message tells a file nobody may write from one only this user may not.
  void savingOverWhatIsThere_data() {
    QTest::addColumn<int>("tryb");        // permissions of the file
    QTest::addColumn<int>("wlasciciel");  // the file given to this user and group id; -1: kept as made
    QTest::addColumn<int>("dowiazania");  // links from the name saved under to the file
    QTest::addColumn<QString>("powod");   // why it is refused; empty: saved
    const QString tylkoDoOdczytu = QStringLiteral("Plik jest tylko do odczytu.");
    const QString bezPrawa = QStringLiteral("Nie masz prawa zapisu do tego pliku.");
    QTest::newRow("writable") << 0644 << -1 << 0 << QString();
    QTest::newRow("owner only") << 0600 << -1 << 0 << QString();
    QTest::newRow("read-only") << 0444 << -1 << 0 << tylkoDoOdczytu;
    QTest::newRow("others may write, not the owner") << 0466 << -1 << 0 << bezPrawa;
    QTest::newRow("another user's") << 0644 << 12345 << 0 << bezPrawa;
    QTest::newRow("another user's, read-only") << 0444 << 12345 << 0 << tylkoDoOdczytu;
    QTest::newRow("link to a writable file") << 0640 << -1 << 1 << QString();
    QTest::newRow("link to a read-only file") << 0444 << -1 << 1 << tylkoDoOdczytu;
    QTest::newRow("link to another user's file") << 0644 << 12345 << 1 << bezPrawa;
    QTest::newRow("two links, the outer one relative") << 0644 << -1 << 2 << QString();
    QTest::newRow("set-user-id") << 04755 << -1 << 0 << QString();
    QTest::newRow("another user's, everybody may write") << 0666 << 12345 << 0 << QString();
    QTest::newRow("another user's, set-ids and sticky, everybody may write") << 06777 << 12345 << 0 << QString();
    QTest::newRow("link to another user's sticky file everybody may write") << 01666 << 12345 << 1 << QString();
  }
  void savingOverWhatIsThere() {
    QFETCH(int, tryb);
    QFETCH(int, wlasciciel);
    QFETCH(int, dowiazania);
    QFETCH(QString, powod);
    const bool zapisany = powod.isEmpty();
    const QString folder = folder_->Sciezka() + QStringLiteral("s/");
    const QString plik = folder + QStringLiteral("prawdziwy.dc8");
    ZapiszPlik(plik, "stary");
    if (wlasciciel >= 0 && ::geteuid() != 0) QSKIP("only root can give a file to another user");
    if (wlasciciel >= 0)
      QCOMPARE(::chown(QFile::encodeName(plik).constData(), uid_t(wlasciciel), gid_t(wlasciciel)), 0);
    QCOMPARE(::chmod(QFile::encodeName(plik).constData(), mode_t(tryb)), 0);  // after chown, which drops set-ids
    QStringList nazwy{QStringLiteral("prawdziwy.dc8")};
    QString sciezka = plik;
    for (int i = 0; i < dowiazania; ++i) {
      nazwy << QStringLiteral("dowiazanie%1.dc8").arg(i);
      const QByteArray cel = QFile::encodeName(i == 0 ? sciezka : QFileInfo(sciezka).fileName());
      sciezka = folder + nazwy.last();
      QCOMPARE(::symlink(cel.constData(), QFile::encodeName(sciezka).constData()), 0);
    }
    TrzyDruki();
    T().PlikRozliczenia = sciezka;
    T().Zmodyfikowane = 1;
    QCOMPARE(T().ZapiszRozliczenie(sciezka), zapisany);

    QCOMPARE(CzytajPlik(plik).size(), zapisany ? 3 * kDruk : 5);
    struct stat info {};
    QVERIFY(::lstat(QFile::encodeName(plik).constData(), &info) == 0 && S_ISREG(info.st_mode));
    QCOMPARE(int(info.st_mode & 07777), zapisany ? tryb & 0777 : tryb);
    QCOMPARE(info.st_uid, wlasciciel >= 0 ? uid_t(wlasciciel) : ::geteuid());
    QCOMPARE(info.st_gid, wlasciciel >= 0 ? gid_t(wlasciciel) : ::getegid());
    for (const QString& nazwa : nazwy.mid(1)) QVERIFY2(QFileInfo(folder + nazwa).isSymLink(), qPrintable(nazwa));
    QCOMPARE(Zawartosc(folder), Posortowane(nazwy));  // no temporary stays
    QCOMPARE(T().Zmodyfikowane, std::uint8_t(!zapisany));
    const QString odmowa = QStringLiteral("Brak dostępu do pliku: ") + sciezka + QStringLiteral("\n") + powod +
                           QStringLiteral("\nRozliczenie można zapisać w innym pliku poleceniem \"Zapisz jako ...\".");
    QCOMPARE(Komunikaty(), zapisany ? QStringList{} : QStringList{odmowa});
    if (zapisany) return;
    SkryptDialogow().pliki = {folder + QStringLiteral("inny")};
    QVERIFY(T().ZapiszRozliczenie(QString()));
    QCOMPARE(T().PlikRozliczenia, folder + QStringLiteral("inny.dc8"));
    QCOMPARE(CzytajPlik(folder + QStringLiteral("inny.dc8")).size(), 3 * kDruk);
    QCOMPARE(T().Zmodyfikowane, std::uint8_t{0});
  }

  // What saves of a settlement left when they were stopped goes when the settlement is next opened or first saved
  // under that name: this user's regular files named as a save names its temporary and still without any permission
  // bits, as a save makes them, beside the file a link names. Nothing else goes: not a user's file under a look-alike
  // name, not one under the very name a save would use but with permissions, not a link, a FIFO or a folder.
  void staleTemporariesGo_data() {
    QTest::addColumn<bool>("zapis");        // saved, else opened
    QTest::addColumn<bool>("dowiazanie");  // through a link in the folder above
    QTest::newRow("opened") << false << false;
    QTest::newRow("saved") << true << false;
    QTest::newRow("opened through a link") << false << true;
    QTest::newRow("saved through a link") << true << true;
  }
  void staleTemporariesGo() {
    QFETCH(bool, zapis);
    QFETCH(bool, dowiazanie);
    const QString folder = folder_->Sciezka() + QStringLiteral("s/");
    const auto w = [&](const char* nazwa) { return QFile::encodeName(folder + QString::fromUtf8(nazwa)); };
    // A file as a stopped save leaves it: written, but no permission bits yet.
    const auto bezPraw = [&](const char* nazwa) {
      ZapiszPlik(folder + QString::fromUtf8(nazwa), "czesc");
      QCOMPARE(::chmod(w(nazwa).constData(), 0), 0);
    };
    QByteArray pit37(kDruk, '\0');
    pit37[8] = 2;
    ZapiszPlik(folder + QStringLiteral("r.dc8"), pit37);
    QStringList zostaja{QStringLiteral("r.dc8")};
    for (const char* nazwa : {"r.dc8.velmar-zapis-a1B2c3d4E5f6", "r.dc8.velmar-zapis-ZZZZZZZZZZZZ",
                              "r.dc8.velmar-zapis-000000000000"})
      bezPraw(nazwa);
    for (const char* nazwa : {"r.dc8.bak", "r.dc8.backup", "r.dc8.zapis-kopia1", "r.dc8.zapis-a1B2c3",
                              "r.dc8.zapis-ABCDEFG", "r.dc8.zapis-abcde", "r.dc8.zapis-ab_def", "r.dc8.zapis-ab.def",
                              "r.dc8.zapisXabcdef", "r.dc8_zapis-abcdef", "R.dc8.zapis-abcdef", "q.dc8.zapis-abcdef",
                              "xr.dc8.zapis-abcdef", "r.dc8.velmar-zapis-kopia1kopia", "cel"}) {
      ZapiszPlik(folder + nazwa, "obcy");
      zostaja << QString::fromUtf8(nazwa);
    }
    // Without permission bits, but not named as a save names its temporary.
    for (const char* nazwa : {"r.dc8.zapis-kopia2", "r.dc8.velmar-zapis-abcdefghijk", "r.dc8.velmar-zapis-abcdefghijklm",
                              "r.dc8.velmar-zapis-abcdefghij_k", "q.dc8.velmar-zapis-abcdefghijkl", "zamkniety"}) {
      bezPraw(nazwa);
      zostaja << QString::fromUtf8(nazwa);
    }
    QCOMPARE(::mkdir(w("r.dc8.velmar-zapis-Folder123456").constData(), 0), 0);
    QCOMPARE(::symlink("zamkniety", w("r.dc8.velmar-zapis-Link12345678").constData()), 0);
    QCOMPARE(::mkfifo(w("r.dc8.velmar-zapis-Fifo12345678").constData(), 0), 0);
    zostaja << QStringLiteral("r.dc8.velmar-zapis-Folder123456") << QStringLiteral("r.dc8.velmar-zapis-Link12345678")
            << QStringLiteral("r.dc8.velmar-zapis-Fifo12345678");
    if (::geteuid() == 0) {  // only root can give a file to another user
      bezPraw("r.dc8.velmar-zapis-Obcy12345678");
      QCOMPARE(::chown(w("r.dc8.velmar-zapis-Obcy12345678").constData(), 65534, 65534), 0);
      zostaja << QStringLiteral("r.dc8.velmar-zapis-Obcy12345678");
    }
    // A name beside the link is not where the save puts its temporary.
    const QString link = folder_->Sciezka() + QStringLiteral("l.dc8");
    const QString obokLinku = link + QStringLiteral(".velmar-zapis-abcdef123456");
    ZapiszPlik(obokLinku, "obcy");
    QCOMPARE(::chmod(QFile::encodeName(obokLinku).constData(), 0), 0);
    QCOMPARE(::symlink("s/r.dc8", QFile::encodeName(link).constData()), 0);
    const QString nazwa = dowiazanie ? link : folder + QStringLiteral("r.dc8");

    if (zapis) {
      TrzyDruki();
      QVERIFY(T().ZapiszRozliczenie(nazwa));
    } else {
      QVERIFY(T().OtworzRozliczenie(nazwa));
    }
    QCOMPARE(CzytajPlik(folder + QStringLiteral("r.dc8")).size(), (zapis ? 3 : 1) * kDruk);
    QCOMPARE(Zawartosc(folder), Posortowane(zostaja));
    QVERIFY(QFileInfo::exists(obokLinku));
    QCOMPARE(CzytajPlik(folder + QStringLiteral("cel")), QByteArray("obcy"));
    QCOMPARE(CzytajPlik(folder + QStringLiteral("r.dc8.zapis-kopia1")), QByteArray("obcy"));
  }

  // A save killed while it writes (by the limit on a file's size) or right after its temporary reached the disk, in a
  // process of its own, leaves its temporary behind without permission bits; the next open or first save of the
  // settlement removes it, and a user's file beside it stays.
  void strayOfAKilledSaveGoes_data() {
    QTest::addColumn<QString>("pomocnik");     // the saving process
    QTest::addColumn<qint64>("granica");       // its limit on a file's size; 0: none
    QTest::addColumn<qint64>("pozostawiony");  // bytes of the temporary it leaves
    QTest::addColumn<bool>("zapis");           // saved, else opened
    const QString piszacy = QStringLiteral("zapis_na_pelny_dysk"), zapisany = QStringLiteral("zapis_zabity_po_fsync");
    QTest::newRow("killed writing, opened") << piszacy << qint64{64 * 1024} << qint64{64 * 1024} << false;
    QTest::newRow("killed writing, saved") << piszacy << qint64{64 * 1024} << qint64{64 * 1024} << true;
    QTest::newRow("killed written, opened") << zapisany << qint64{0} << qint64{3 * kDruk} << false;
    QTest::newRow("killed written, saved") << zapisany << qint64{0} << qint64{3 * kDruk} << true;
  }
  void strayOfAKilledSaveGoes() {
    QFETCH(QString, pomocnik);
    QFETCH(qint64, granica);
    QFETCH(qint64, pozostawiony);
    QFETCH(bool, zapis);
    const QString folder = folder_->Sciezka() + QStringLiteral("k");
    QVERIFY(QDir().mkpath(folder));
    QProcess proces;
    if (granica > 0)
      proces.setChildProcessModifier([granica] {
        const rlimit limit{rlim_t(granica), rlim_t(granica)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
      });
    proces.start(QStringLiteral(VELMAR_TESTS_DIR "/") + pomocnik, {folder});
    QVERIFY(proces.waitForFinished(120000));
    QCOMPARE(proces.exitStatus(), QProcess::CrashExit);
    const QString plik = folder + QStringLiteral("/rozliczenie.dc8");
    const QStringList poZabiciu = Zawartosc(folder);
    QCOMPARE(poZabiciu.size(), 2);  // the settlement and the save's temporary
    QCOMPARE(CzytajPlik(plik), QByteArray("stary"));
    struct stat tymczasowy {};
    QCOMPARE(::stat(QFile::encodeName(folder + QLatin1Char('/') + poZabiciu.value(1)).constData(), &tymczasowy), 0);
    QCOMPARE(qint64(tymczasowy.st_size), pozostawiony);
    QCOMPARE(int(tymczasowy.st_mode & 07777), 0);
    const QString kopia = QStringLiteral("rozliczenie.dc8.zapis-kopia1");
    ZapiszPlik(folder + QLatin1Char('/') + kopia, "kopia");

    if (zapis) {
      TrzyDruki();
      QVERIFY(T().ZapiszRozliczenie(plik));
    } else {
      QByteArray pit37(kDruk, '\0');
      pit37[8] = 2;
      ZapiszPlik(plik, pit37);
      QVERIFY(T().OtworzRozliczenie(plik));
    }
    QCOMPARE(Zawartosc(folder), Posortowane({QStringLiteral("rozliczenie.dc8"), kopia}));
  }

  // The folder is swept when a settlement's file is taken up, not on every save of it: a stray that appears after the
  // opening stays through "Zapisz" and goes at the next opening.
  void sweptOnOpeningNotOnEverySave() {
    const QString sciezka = Plik("r.dc8");
    QByteArray pit37(kDruk, '\0');
    pit37[8] = 2;
    ZapiszPlik(sciezka, pit37);
    SkryptDialogow().pliki = {sciezka};
    T().OtworzClick(true);
    QCOMPARE(T().PlikRozliczenia, sciezka);
    const QString stray = sciezka + QStringLiteral(".velmar-zapis-Zabity123456");
    ZapiszPlik(stray, "czesc");
    QCOMPARE(::chmod(QFile::encodeName(stray).constData(), 0), 0);
    for (int i = 0; i < 2; ++i) {
      T().Zmodyfikowane = 1;
      T().Zapisz1->trigger();
      QCOMPARE(T().Zmodyfikowane, std::uint8_t{0});
    }
    QVERIFY(QFileInfo::exists(stray));
    SkryptDialogow().pliki = {sciezka};
    T().OtworzClick(true);
    QVERIFY(!QFileInfo::exists(stray));
    QVERIFY(Komunikaty().isEmpty());
  }

  void hostileFilesAreRefused_data() {
    QTest::addColumn<QByteArray>("bajty");
    QTest::addColumn<QString>("fragment");
    // PIT-37 and its PIT/O (with a PIT/D on the PIT/O when trzy), one byte changed.
    const auto zmien = [](qsizetype gdzie, char wartosc, bool trzy = false) {
      QByteArray b((trzy ? 3 : 2) * kDruk, '\0');
      b[8] = 2, b[kDruk + 8] = 6, b[kDruk + 12] = 1;
      if (trzy) b[2 * kDruk + 8] = 7, b[2 * kDruk + 12] = 2;
      b[gdzie] = wartosc;
      return b;
    };
    QTest::newRow("unknown type") << zmien(kDruk + 8, 20) << QStringLiteral("druk nr 2");
    QTest::newRow("owner") << zmien(kDruk + 16, 3) << QStringLiteral("właściciel");
    QTest::newRow("kind") << zmien(kDruk + 20, 3) << QStringLiteral("rodzaj rozliczenia");
    QTest::newRow("parent ahead") << zmien(kDruk + 12, 2)
                                  << QStringLiteral("druk nr 2 - załącznik wskazuje druk główny 2, którego nie ma przed nim.");
    QTest::newRow("parent is an attachment")
        << zmien(0, 0, true)
        << QStringLiteral("druk nr 3 - załącznik wskazuje jako swój druk główny druk nr 2, który sam jest załącznikiem "
                          "druku nr 1.");
    QTest::newRow("negative parent") << zmien(kDruk + 15, '\xFF') << QStringLiteral("druk nr 2");
  }
  void hostileFilesAreRefused() {
    QFETCH(QByteArray, bajty);
    QFETCH(QString, fragment);
    TrzyDruki(false);
    ZapiszPlik(Plik("zly.dc8"), bajty);
    SkryptDialogow().pliki = {Plik("zly.dc8")};
    T().OtworzClick(true);
    const QString tekst = Komunikaty().value(0);
    QVERIFY2(tekst.contains(Plik("zly.dc8")) && tekst.contains(fragment), qPrintable(tekst));
    QCOMPARE(T().LiczbaDrukow, 1);
    QCOMPARE(T().PlikRozliczenia, Plik("stary.dc8"));
    QCOMPARE(T().Osoby[0].Pole(1), std::string_view("Nowak"));
  }

  // A file that ends in part of a record opens with its whole records, and the user is told once, with the file and
  // the bytes, that its end was left out (a save keeps whole records only). A file of whole records says nothing.
  void partialTailIsLeftOut_data() {
    QTest::addColumn<int>("druki");  // whole records: PIT-37, then its PIT/O attachments
    QTest::addColumn<qsizetype>("ogon");  // bytes after them
    QTest::newRow("a record and 1 byte") << 1 << qsizetype{1};
    QTest::newRow("two records and a header") << 2 << qsizetype{32};
    QTest::newRow("a record short of two") << 1 << kDruk - 1;
    QTest::newRow("whole records") << 2 << qsizetype{0};
  }
  void partialTailIsLeftOut() {
    QFETCH(int, druki);
    QFETCH(qsizetype, ogon);
    TrzyDruki(false);
    QByteArray bajty((druki + 1) * kDruk, '\0');
    for (int i = 0; i <= druki; ++i) bajty[i * kDruk + 8] = char(i ? PitO : Pit37), bajty[i * kDruk + 12] = char(i > 0);
    const QString sciezka = Plik("ogon.dc8");
    ZapiszPlik(sciezka, bajty.left(druki * kDruk + ogon));
    SkryptDialogow().pliki = {sciezka};
    T().OtworzClick(true);

    const QStringList oczekiwane =
        ogon ? QStringList{QStringLiteral("Koniec pliku \"%1\" był niepełny i został pominięty (%2 B).")
                               .arg(sciezka)
                               .arg(ogon)}
             : QStringList{};
    QCOMPARE(Komunikaty(), oczekiwane);
    QCOMPARE(T().LiczbaDrukow, druki);
    QCOMPARE(T().TV->topLevelItemCount(), druki ? 1 : 0);
    if (druki) QCOMPARE(T().TV->topLevelItem(0)->childCount(), druki - 1);
    QCOMPARE(T().PlikRozliczenia, sciezka);
    QCOMPARE(T().Zmodyfikowane, std::uint8_t{0});
  }

  // A file with bytes but no whole record holds no settlement: it is refused with its name before anything changes,
  // so nothing is written, and the settlement on screen stays with its own file, which the next "Zapisz" writes. An
  // empty file, as the program saves a settlement with no forms, opens (see sizeIsCheckedBeforeReading).
  void fileWithoutAWholeRecordIsRefused_data() {
    QTest::addColumn<qsizetype>("rozmiar");
    QTest::newRow("1 byte") << qsizetype{1};
    QTest::newRow("20 bytes") << qsizetype{20};
    QTest::newRow("a record but 1 byte") << kDruk - 1;
  }
  void fileWithoutAWholeRecordIsRefused() {
    QFETCH(qsizetype, rozmiar);
    TrzyDruki(false);
    ZapiszPlik(T().PlikRozliczenia, ZakodujRozliczenie(T().Druki, T().LiczbaDrukow));
    const QString notatki = Plik("notes.dc8");
    const QByteArray tresc = QByteArray("Notatki do PIT-37. ").repeated(int(rozmiar / 19 + 1)).left(rozmiar);
    ZapiszPlik(notatki, tresc);
    const QStringList przed = Zawartosc(folder_->Sciezka());
    SkryptDialogow().pliki = {notatki};
    T().OtworzClick(false);

    const QString odmowa = QStringLiteral("Plik \"%1\" nie jest poprawnym plikiem rozliczenia: ma tylko %2 B, mniej "
                                          "niż jeden druk (137232 B).");
    QCOMPARE(Komunikaty(), QStringList{odmowa.arg(notatki).arg(rozmiar)});
    QCOMPARE(CzytajPlik(notatki), tresc);
    QCOMPARE(Zawartosc(folder_->Sciezka()), przed);
    QCOMPARE(T().LiczbaDrukow, 1);
    QCOMPARE(T().PlikRozliczenia, Plik("stary.dc8"));
    QCOMPARE(T().Osoby[0].Pole(1), std::string_view("Nowak"));
    T().Zmodyfikowane = 1;
    T().Zapisz1->trigger();
    QCOMPARE(T().Zmodyfikowane, std::uint8_t{0});
    QCOMPARE(CzytajPlik(notatki), tresc);
    QCOMPARE(CzytajPlik(Plik("stary.dc8")).size(), kDruk);
  }

  // A settlement as large as the program takes opens; one record more, or even part of one, is refused by its size
  // before anything of it is read, as is what is no regular file at all. The settlement on screen stays in every
  // refusal.
  void sizeIsCheckedBeforeReading_data() {
    QTest::addColumn<qint64>("druki");
    QTest::addColumn<qint64>("ogon");     // bytes after the records, of a refused file
    QTest::addColumn<QString>("odmowa");  // empty: the file opens
    QTest::newRow("empty") << qint64{0} << qint64{0} << QString();
    QTest::newRow("at the cap") << kNajwiecejDrukow << qint64{0} << QString();
    QTest::newRow("one record over") << kNajwiecejDrukow + 1 << qint64{0} << QStringLiteral("Plik jest za duży");
    QTest::newRow("one byte over") << kNajwiecejDrukow << qint64{1} << QStringLiteral("Plik jest za duży");
    QTest::newRow("2 GiB") << (qint64{2} << 30) / kDruk << qint64{0} << QStringLiteral("Plik jest za duży");
    QTest::newRow("FIFO") << qint64{-1} << qint64{0} << QStringLiteral("Plik nie jest zwykłym plikiem");
  }
  void sizeIsCheckedBeforeReading() {
    QFETCH(qint64, druki);
    QFETCH(qint64, ogon);
    QFETCH(QString, odmowa);
    TrzyDruki(false);
    const QString sciezka = Plik("wielki.dc8");
    QFile plik(sciezka);
    if (druki < 0) QCOMPARE(::mkfifo(QFile::encodeName(sciezka).constData(), 0600), 0);
    else if (!odmowa.isEmpty()) QVERIFY(plik.open(QIODevice::WriteOnly) && plik.resize(druki * kDruk + ogon));  // sparse
    else QVERIFY(plik.open(QIODevice::WriteOnly));
    // PIT-37 and its PIT/O attachments, written out in full.
    QByteArray pit37(kDruk, '\0'), pitO(kDruk, '\0');
    pit37[8] = 2, pitO[8] = 6, pitO[12] = 1;
    for (qint64 i = 0; odmowa.isEmpty() && i < druki; ++i) QVERIFY(plik.write(i ? pitO : pit37) == kDruk);
    plik.close();
    const bool otwarty = T().OtworzRozliczenie(sciezka);
    QCOMPARE(otwarty, odmowa.isEmpty());
    if (otwarty) {
      QCOMPARE(T().LiczbaDrukow, static_cast<int>(druki));
      QCOMPARE(druki ? T().TV->topLevelItem(0)->childCount() + 1 : T().TV->topLevelItemCount(), int(druki));
      QVERIFY(Komunikaty().isEmpty() && T().MaDruki());
    } else {
      QCOMPARE(T().LiczbaDrukow, 1);
      QVERIFY2(Komunikaty().value(0).startsWith(odmowa) && Komunikaty().value(0).endsWith(sciezka),
               qPrintable(Komunikaty().value(0)));
    }
  }

  // Records are checked as they are read: the first refused one ends the reading, and the refused file's records
  // give their memory back. Over the cap, nothing is read at all, whoever asks.
  void readingStopsAtTheFirstRefusedRecord() {
    std::vector<TDruk> druki(5);
    for (std::size_t i = 1; i <= 4; ++i) druki[i].IdPit = Pit37;
    druki[2].IdPit = 99;
    QBuffer bufor;
    bufor.setData(ZakodujRozliczenie(druki, 4));
    QVERIFY(bufor.open(QIODevice::ReadOnly));
    const OdczytRozliczenia odczyt = CzytajRozliczenie(bufor, QStringLiteral("x.dc8"));
    QCOMPARE(odczyt.blad,
             QStringLiteral("Plik \"x.dc8\" nie jest poprawnym plikiem rozliczenia: druk nr 2 - nieznany rodzaj druku 99."));
    QCOMPARE(bufor.pos(), 2 * kDruk);
    QCOMPARE(odczyt.druki.capacity(), std::size_t{0});

    // Part of a record over the cap counts as one.
    for (const qint64 rozmiar : {(kNajwiecejDrukow + 1) * kDruk, kNajwiecejDrukow * kDruk + 1}) {
      QBuffer wielki;
      wielki.setData(QByteArray(rozmiar, '\0'));
      QVERIFY(wielki.open(QIODevice::ReadOnly));
      QCOMPARE(CzytajRozliczenie(wielki, QStringLiteral("w.dc8")).blad,
               QStringLiteral("Plik \"w.dc8\" nie jest poprawnym plikiem rozliczenia: zawiera 1025 druków, a rozliczenie "
                              "może ich mieć najwyżej 1024."));
      QCOMPARE(wielki.pos(), qint64{0});
    }
  }

  // Every way of leaving a modified settlement asks first; the answer, and the file dialog after Tak, decide what
  // stays. Closing the program offers Anuluj; closing the settlement and opening another ask Tak or Nie.
  void leavingAsksToSave_data() {
    QTest::addColumn<int>("akcja");  // 0: closing the program, 1: closing the settlement, 2: opening another
    QTest::addColumn<Odpowiedz>("odpowiedz");
    QTest::addColumn<QString>("plik");  // chosen in the file dialog that follows, if any
    QTest::addColumn<bool>("zostaje");  // the settlement is still there (for the program: it did not close)
    QTest::newRow("program, yes, saved") << 0 << Odpowiedz::Tak << "wynik.dc8" << false;
    QTest::newRow("program, yes, save cancelled") << 0 << Odpowiedz::Tak << "" << true;
    QTest::newRow("program, no") << 0 << Odpowiedz::Nie << "" << false;
    QTest::newRow("program, cancel") << 0 << Odpowiedz::Anuluj << "" << true;
    QTest::newRow("settlement, yes, save cancelled") << 1 << Odpowiedz::Tak << "" << true;
    QTest::newRow("settlement, yes, saved") << 1 << Odpowiedz::Tak << "wynik.dc8" << false;
    QTest::newRow("settlement, no") << 1 << Odpowiedz::Nie << "" << false;
    // The changes are dropped only when another file was really opened.
    QTest::newRow("open, no, dialog cancelled") << 2 << Odpowiedz::Nie << "" << true;
    QTest::newRow("open, no, missing file") << 2 << Odpowiedz::Nie << "brak.dc8" << true;
    QTest::newRow("open, no, another file opened") << 2 << Odpowiedz::Nie << "inny.dc8" << false;
  }
  void leavingAsksToSave() {
    QFETCH(int, akcja);
    QFETCH(Odpowiedz, odpowiedz);
    QFETCH(QString, plik);
    QFETCH(bool, zostaje);
    const bool zapisano = plik == "wynik.dc8";
    if (plik == "inny.dc8") {
      // A settlement of a lone PIT-37 with the taxpayer's surname, unchanged since it was saved.
      std::vector<TDruk> inny(2);
      std::tie(inny[1].Id, inny[1].IdPit) = std::pair{1, int{Pit37}};
      UstawBajty(inny[1].Pola[10].Wartosc, "Kowalski");
      ZapiszPlik(Plik("inny.dc8"), ZakodujRozliczenie(inny, 1));
    }
    TrzyDruki();
    T().Zmodyfikowane = 1;
    T().ToolButtonSave->setEnabled(true);
    T().Osoby[0].UstawPole(1, "Nowak");
    T().NazwaRozliczenia = QStringLiteral("nowe_rozliczenie.dc8");
    T().setWindowTitle(T().NazwaRozliczenia);
    SkryptDialogow().odpowiedzi = {odpowiedz};
    if (!plik.isEmpty()) SkryptDialogow().pliki = {Plik(plik.toUtf8().constData())};
    T().show();
    bool zostal = true;
    if (akcja == 0) {
      T().Zamknijprogram1->trigger();
      zostal = T().isVisible();
    }
    if (akcja == 1) T().Zamknij1Click();
    if (akcja == 2) T().OtworzClick(true);
    if (akcja != 0) zostal = T().LiczbaDrukow == 3;
    QCOMPARE(T().Osoby[0].Pole(1).empty(), !zostaje);
    QCOMPARE(zostal, zostaje);
    const auto& pytanie = SkryptDialogow().pokazane.at(0);
    QCOMPARE(pytanie.tytul, QStringLiteral("Zapisanie zmian"));
    QCOMPARE(pytanie.tekst, QStringLiteral("Rozliczenie \"nowe_rozliczenie.dc8\" zostało zmodyfikowane.\nCzy zapisać "
                                           "zmiany w bieżącym rozliczeniu ?"));
    QCOMPARE(pytanie.przyciski, akcja == 0 ? platform::Przyciski::TakNieAnuluj : platform::Przyciski::TakNie);
    QCOMPARE(QFileInfo::exists(Plik("wynik.dc8")), zapisano);
    QCOMPARE(T().Zmodyfikowane, std::uint8_t(zostaje || (akcja == 0 && !zapisano)));
    // Nothing is left to save over the closed settlement's file.
    QCOMPARE(T().ToolButtonSave->isEnabled(), zostaje || (akcja == 0 && !zapisano));
    if (akcja == 1 && !zostaje) QCOMPARE(T().windowTitle(), TTools::kTytulBezRozliczenia);
    if (plik == "brak.dc8") QCOMPARE(Komunikaty().last(), QStringLiteral("Nie ma pliku rozliczeniowego."));
    // The file opened is what "Zapisz" writes to, the title names it, and its identification data are at hand.
    if (plik == "inny.dc8")
      QCOMPARE(QStringList({T().PlikRozliczenia, T().windowTitle(), QString::fromLatin1(T().Osoby[0].Pole(2))}),
               QStringList({Plik("inny.dc8"), QStringLiteral("inny.dc8 - Velmar 2008 Korvanex"), "Kowalski"}));
    // "Zapisz" after the settlement is closed writes no empty settlement over the file it was saved in.
    if (akcja == 1 && zapisano) {
      T().Zapisz1->trigger();
      QCOMPARE(CzytajPlik(Plik("wynik.dc8")).size(), 3 * kDruk);
    }
  }
};

VELMAR_TEST_MAIN(TstPliki)
#include "tst_pliki.moc"
