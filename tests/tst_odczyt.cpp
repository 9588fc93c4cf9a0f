// Files that are no files: a FIFO, a device, a folder or an oversized file under a name the program reads. Each is
// refused with a message naming it, before anything waits on it or reads it, and the program runs on. A wrong
// implementation hangs on the FIFO, which the test's time limit turns into a failure.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTextEdit>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "main/info.h"
#include "main/licencja.h"
#include "model/struktura.h"
#include "platform/jpeg.h"
#include "platform/odczyt.h"
#include "platform/rtf.h"
#include "platform/ustawienia.h"
#include "support/strony.h"

using namespace velmar_test;

namespace {

// A socket stands for the devices: like them it is no regular file, and unlike them nothing is lost should a faulty
// program write over it. /dev/zero itself is only ever put under the name of a file that is read alone.
enum class Podrzutek { Fifo, Gniazdo, Folder, ZaDuzy, Urzadzenie };
constexpr const char* kNazwy[] = {"FIFO", "socket", "folder", "too large", "/dev/zero"};

// Puts a non-file (or a file one byte over the cap, sparse so it costs nothing) under the name.
void Podrzuc(const QString& sciezka, Podrzutek rodzaj, qint64 limit) {
  QFile::remove(sciezka);
  QDir(sciezka).removeRecursively();
  const QByteArray nazwa = QFile::encodeName(sciezka);
  bool udane = false;
  if (rodzaj == Podrzutek::Fifo) udane = ::mkfifo(nazwa.constData(), 0600) == 0;
  if (rodzaj == Podrzutek::Urzadzenie) udane = QFile::link(QStringLiteral("/dev/zero"), sciezka);
  if (rodzaj == Podrzutek::Folder) udane = QDir().mkpath(sciezka);
  if (rodzaj == Podrzutek::ZaDuzy) {
    QFile plik(sciezka);
    udane = plik.open(QIODevice::WriteOnly) && plik.resize(limit + 1);
  }
  if (rodzaj == Podrzutek::Gniazdo) {
    const int gniazdo = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un adres{};
    adres.sun_family = AF_UNIX;
    std::memcpy(adres.sun_path, nazwa.constData(), std::min(sizeof adres.sun_path - 1, std::size_t(nazwa.size())));
    udane = gniazdo >= 0 && ::bind(gniazdo, reinterpret_cast<const sockaddr*>(&adres), sizeof adres) == 0;
    ::close(gniazdo);  // the socket file stays
  }
  if (!udane) qFatal("cannot put a %s at %s", kNazwy[int(rodzaj)], nazwa.constData());
}

// Counts the opens of the FIFOs while it lives, and lets each one go: a writer's open that does not wait succeeds only
// while a reader waits in its own, and closing at once leaves that reader an empty file. A program that opens one is
// caught rather than left hanging.
class StrazFifo {
 public:
  explicit StrazFifo(const QStringList& sciezki) {
    std::vector<QByteArray> nazwy;
    for (const QString& s : sciezki) nazwy.push_back(QFile::encodeName(s));
    watek_ = std::jthread([this, nazwy = std::move(nazwy)](const std::stop_token& stop) {
      while (!stop.stop_requested()) {
        for (const QByteArray& nazwa : nazwy)
          if (const int fd = ::open(nazwa.constData(), O_WRONLY | O_NONBLOCK); fd >= 0) {
            ++otwarcia_;
            ::close(fd);
          }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    });
  }
  int Otwarcia() const { return otwarcia_; }

 private:
  std::atomic<int> otwarcia_{0};
  std::jthread watek_;
};

// A reader of the program: the file it reads (under the program folder, or the settings folder for an .ini), the
// cap of that kind, whether it is read while the main window is made (else once it is there), and how to make it
// read; false when the program did not carry on as it should.
struct Czytelnik {
  const char* nazwa;
  const char* plik;
  qint64 limit;
  bool zOknem;
  std::function<bool(ProgramZeStronami&)> czytaj;
};

bool Start(ProgramZeStronami& p) {
  TTools t(p.Folder().Sciezka());
  t.ParametrWiersza.clear();  // the test's own arguments name no settlement
  t.show();
  return !ZakonczenieZadane();
}

bool Strona(ProgramZeStronami& p) { return !p.T().PokazStrone(Pit37, 1, true); }

const std::vector<Czytelnik>& Czytelnicy() {
  static const std::vector<Czytelnik> czytelnicy = {
      {"welcome text", "alg/welcome.rtf", platform::kNajwiekszyTekstRtf, true, Start},
      {"licence text", "alg/licence.rtf", platform::kNajwiekszyTekstRtf, false,
       [](ProgramZeStronami& p) { return TUmowaLicencyjna(&p.T()).Licencja->toPlainText().isEmpty(); }},
      {"about box picture", "alg/info1.jpg", platform::kNajwiekszyObrazJpeg, false,
       [](ProgramZeStronami& p) {
         TInfo(&p.T()).show();  // the pictures are decoded when the box is first shown
         return true;
       }},
      {"settings", "velmar2008.ini", platform::kNajwiekszyPlikIni, true, Start},
      // The program's own separators hold: it asks nothing and runs on.
      {"regional settings", "regionalne.ini", platform::kNajwiekszyPlikIni, false,
       [](ProgramZeStronami& p) {
         SkryptDialogow().odpowiedzi = {platform::Odpowiedz::Nie};
         p.T().show();
         return !ZakonczenieZadane();
       }},
      {"form header", "dc/2.dcd", struktura::kNajwiekszyPlikDcd, false, Strona},
      {"form objects", "dc/2.dcs", struktura::kNajwiekszyPlikDcs, false, Strona},
      {"page picture", "dc/2_1.dcg", qint64{32} << 20, false, Strona},
  };
  return czytelnicy;
}

}  // namespace

class TstOdczyt : public QObject {
  Q_OBJECT

  QTemporaryDir poza_;

 private slots:
  void initTestCase() {
    QImage obcy(8, 8, QImage::Format_RGB32);
    obcy.fill(Qt::red);
    QVERIFY(obcy.save(poza_.path() + "/obcy.png"));
    Podrzuc(poza_.path() + "/fifo", Podrzutek::Fifo, 0);
  }
  void init() { SkryptDialogow().Wyczysc(), UstawRegionalne(); }

  // The reading helper itself, for what the readers below do not meet: a file at the cap or one byte over it, none, a
  // device.
  void helperRefusesWhatIsNoRegularFile_data() {
    QTest::addColumn<int>("podrzutek");  // -1: 64 bytes, -2: nothing
    QTest::addColumn<int>("odmowa");
    QTest::newRow("at the cap") << -1 << int(platform::Odmowa::Brak);
    QTest::newRow("one over the cap") << int(Podrzutek::ZaDuzy) << int(platform::Odmowa::ZaDuzy);
    QTest::newRow("missing") << -2 << int(platform::Odmowa::NieMaPliku);
    QTest::newRow("device") << int(Podrzutek::Urzadzenie) << int(platform::Odmowa::NieZwykly);
  }
  void helperRefusesWhatIsNoRegularFile() {
    QFETCH(int, podrzutek);
    QFETCH(int, odmowa);
    QTemporaryDir folder;
    const QString sciezka = folder.path() + QStringLiteral("/plik");
    const QByteArray dane = podrzutek == -1 ? QByteArray(64, 'x') : QByteArray();
    if (podrzutek >= 0) Podrzuc(sciezka, static_cast<Podrzutek>(podrzutek), 64);
    if (podrzutek == -1) ZapiszPlik(sciezka, dane);
    const platform::OdczytanyPlik wynik = platform::CzytajPlik(sciezka, 64);
    QCOMPARE(int(wynik.odmowa), odmowa);
    QCOMPARE(wynik.dane, dane);
    QVERIFY2(wynik.Udany() ? wynik.blad.isEmpty() : wynik.blad.endsWith(sciezka), qPrintable(wynik.blad));
    const platform::OtwartyPlik otwarty = platform::OtworzDoOdczytu(sciezka, 64);
    QCOMPARE(int(otwarty.odmowa), odmowa);
    QCOMPARE(otwarty.plik ? otwarty.plik->readAll() : QByteArray(), dane);
  }

  // Every reader of the program meets every kind of non-file under its name.
  void readersRefuseWhatIsNoRegularFile_data() {
    QTest::addColumn<int>("czytelnik");
    QTest::addColumn<int>("podrzutek");
    for (std::size_t c = 0; c < Czytelnicy().size(); ++c)
      for (Podrzutek r : {Podrzutek::Fifo, Podrzutek::Gniazdo, Podrzutek::Folder, Podrzutek::ZaDuzy})
        QTest::addRow("%s, %s", Czytelnicy()[c].nazwa, kNazwy[int(r)]) << int(c) << int(r);
  }
  void readersRefuseWhatIsNoRegularFile() {
    QFETCH(int, czytelnik);
    QFETCH(int, podrzutek);
    const Czytelnik& c = Czytelnicy()[static_cast<std::size_t>(czytelnik)];
    const auto rodzaj = static_cast<Podrzutek>(podrzutek);
    ProgramZeStronami p;
    p.ZapiszFormularz(Pit37, 1, {Pole(Text, 1, 10, 10, 100, 30)});
    ZapiszPlik(p.Folder().Sciezka() + "alg/welcome.rtf", "{\\rtf1 Witamy}");
    ZapiszPlik(p.Folder().Sciezka() + "alg/licence.rtf", "{\\rtf1 Licencja}");
    if (!c.zOknem) {
      p.Uruchom();
      p.T().ParametrWiersza.clear();  // the test's own arguments name no settlement
    }
    const QString plik = (QByteArray(c.plik).endsWith(".ini") ? platform::FolderUstawien() + '/'
                                                               : p.Folder().Sciezka()) + c.plik;
    Podrzuc(plik, rodzaj, c.limit);
    const auto sprzatnij = qScopeGuard([&] {
      QFile::remove(plik);
      QDir(plik).removeRecursively();
      platform::Aplikacja::Instancja()->AnulujZakonczenie();
    });

    QVERIFY(c.czytaj(p));
    const QStringList teksty = SkryptDialogow().Teksty();
    const QString komunikat = rodzaj == Podrzutek::ZaDuzy ? "Plik jest za duży" : "Plik nie jest zwykłym plikiem";
    QVERIFY2(std::ranges::any_of(teksty, [&](const QString& t) { return t.startsWith(komunikat) && t.endsWith(plik); }),
             qPrintable(teksty.join(" | ")));
  }

  // Qt's SVG reader opens the files an image element names: a page picture may name none, only carry its images.
  // It also follows a name whose prefix is not declared, where an XML reader stops: a picture that cannot be read
  // to its end is refused. What it takes for a picture inline it hands to Qt's image readers, its own SVG reader
  // among them, whatever the media type says: only a PNG or a JPEG is taken. Whatever an image element names but
  // inline data, a fragment too, it opens as a file name, as it does the style sheet an instruction names.
  // %1: the dc folder; poza_ is a folder outside the program's, with a picture and a FIFO.
  void pagePictureNamingAnotherFile_data() {
    QTest::addColumn<QString>("tresc");  // the picture's content
    QTest::addColumn<bool>("zadeklarowany");  // the document declares the xlink prefix
    QTest::addColumn<QString>("komunikat");  // empty: the picture is taken
    const auto obraz = [](const QString& odwolanie) {
      return "<image width='100' height='141' xlink:href='" + odwolanie + "'/>";
    };
    const auto base64 = [](const QByteArray& dane) { return QString::fromLatin1(dane.toBase64()); };
    const QString png = "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9a"
                        "wAAAABJRU5ErkJggg==";  // one pixel
    QByteArray jpeg;
    QBuffer bufor(&jpeg);
    QVERIFY(bufor.open(QIODevice::WriteOnly) && QImage(2, 2, QImage::Format_RGB32).save(&bufor, "JPEG"));
    QByteArray bmp;
    QBuffer buforBmp(&bmp);
    QVERIFY(buforBmp.open(QIODevice::WriteOnly) && QImage(2, 2, QImage::Format_RGB32).save(&buforBmp, "BMP"));
    const auto wewnatrz = [&](const QString& cel) {
      return ("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' viewBox='0 0 1 1'>"
              "<image width='1' height='1' xlink:href='" + poza_.path() + cel + "'/></svg>").toUtf8();
    };
    const QString obcy = "Obraz strony formularza odwołuje się do innych plików:\n";
    const QString nieczytelny = "Nie można odczytać obrazu strony formularza:\n";
    QTest::newRow("a FIFO") << obraz("%1fifo") << true << obcy;
    QTest::newRow("an absolute path") << obraz("/etc/hostname") << true << obcy;
    QTest::newRow("a file address") << obraz("file:///etc/hostname") << true << obcy;
    QTest::newRow("a web address") << obraz("http://127.0.0.1:9/x.png") << true << obcy;
    QTest::newRow("a picture beside it") << obraz("%1obcy.png") << true << obcy;
    QTest::newRow("an undeclared prefix naming a picture") << obraz("%1obcy.png") << false << nieczytelny;
    QTest::newRow("an undeclared prefix, inline data") << obraz("data:image/png;base64," + png) << false
                                                       << nieczytelny;
    QTest::newRow("inline PNG") << obraz("data:image/png;base64," + png) << true << QString();
    QTest::newRow("inline PNG, blanks around") << obraz("  data:image/png;base64," + png + " ") << true << QString();
    QTest::newRow("inline PNG, lines broken") << obraz("data:image/png;base64,&#10;" + png.left(20) + "&#10;" +
                                                       png.mid(20)) << true << QString();
    QTest::newRow("inline JPEG") << obraz("data:image/jpeg;base64," + base64(jpeg)) << true << QString();
    QTest::newRow("inline data in capitals") << obraz("DATA:image/png;base64," + png) << true << obcy;
    QTest::newRow("an SVG inside naming a picture")
        << obraz("data:image/svg+xml;base64," + base64(wewnatrz("/obcy.png"))) << true << nieczytelny;
    QTest::newRow("an SVG inside naming a FIFO")
        << obraz("data:image/svg+xml;base64," + base64(wewnatrz("/fifo"))) << true << nieczytelny;
    QTest::newRow("an SVG inside declared as a PNG")
        << obraz("data:image/png;base64," + base64(wewnatrz("/fifo"))) << true << nieczytelny;
    QTest::newRow("an SVG inside after a second marker")
        << obraz("data:image/png;base64," + png + ",base64," + base64(wewnatrz("/fifo"))) << true << nieczytelny;
    QTest::newRow("an SVG inside, not in base64")
        << obraz("data:image/svg+xml," + QString::fromLatin1(wewnatrz("/fifo").toPercentEncoding())) << true
        << nieczytelny;
    QTest::newRow("a BMP declared as a PNG") << obraz("data:image/png;base64," + base64(bmp)) << true << nieczytelny;
    QTest::newRow("a fragment going up") << obraz("#/../obcy.png") << true << obcy;
    QTest::newRow("a fragment with dots") << obraz("#..") << true << obcy;
    QTest::newRow("a fragment, a line and a path") << obraz("#&#10;" + poza_.path() + "/obcy.png") << true << obcy;
    QTest::newRow("a fragment on an image") << obraz("#obcy") << true << obcy;
    QTest::newRow("a fragment naming an element")
        << "<rect id='k-1.a_b' width='1' height='1'/><use xlink:href=' #k-1.a_b'/>" << true << QString();
    QTest::newRow("a fragment with a slash on a use") << "<use xlink:href='#a/../obcy.png'/>" << true << obcy;
    QTest::newRow("a style sheet instruction")
        << "<?xml-stylesheet type=\"text/css\" href=\"" + poza_.path() + "/fifo\"?>" << true << obcy;
  }
  void pagePictureNamingAnotherFile() {
    QFETCH(QString, tresc);
    QFETCH(bool, zadeklarowany);
    QFETCH(QString, komunikat);
    ProgramZeStronami p;
    p.ZapiszFormularz(Pit37, 1, {Pole(Text, 1, 10, 10, 100, 30)});
    Podrzuc(p.Dc() + "fifo", Podrzutek::Fifo, 0);
    QImage obcy(8, 8, QImage::Format_RGB32);
    obcy.fill(Qt::red);
    QVERIFY(obcy.save(p.Dc() + "obcy.png"));
    const QString plik = p.PlikStrony(Pit37, 1);
    ZapiszPlik(plik, "<svg xmlns='http://www.w3.org/2000/svg'" +
                         QByteArray(zadeklarowany ? " xmlns:xlink='http://www.w3.org/1999/xlink'" : "") +
                         " viewBox='0 0 100 141'>" + tresc.replace("%1", p.Dc()).toUtf8() +
                         "</svg>");
    p.Uruchom();
    bool pokazana = false;
    {
      const StrazFifo straz({p.Dc() + "fifo", poza_.path() + "/fifo"});
      pokazana = p.T().PokazStrone(Pit37, 1, true);
      QCOMPARE(straz.Otwarcia(), 0);
    }
    QCOMPARE(pokazana, komunikat.isEmpty());
    QCOMPARE(SkryptDialogow().Teksty(), komunikat.isEmpty() ? QStringList{} : QStringList{komunikat + plik});
  }

  // Nothing the program writes replaces what is no regular file: not a settings file linked elsewhere, not a
  // settlement saved under such a name.
  void writersLeaveWhatIsNoRegularFile() {
    FolderProgramu folder;
    const QString gniazdo = folder.Sciezka() + "gniazdo";
    Podrzuc(gniazdo, Podrzutek::Gniazdo, 0);
    const QString ustawienia = platform::FolderUstawien() + "/inne.ini";
    QFile::remove(ustawienia);
    QVERIFY(QFile::link(gniazdo, ustawienia));
    const auto sprzatnij = qScopeGuard([&] { QFile::remove(ustawienia); });
    QVERIFY(!platform::TIniFile("inne.ini").WriteString("PIT", "Run", "1"));
    QVERIFY(!QFileInfo(gniazdo).isFile());

    const auto okno = NoweOkno(folder);
    okno->Zmodyfikowane = 1;
    QVERIFY(!okno->ZapiszRozliczenie(gniazdo));
    QVERIFY(!QFileInfo(gniazdo).isFile());
    QCOMPARE(SkryptDialogow().Teksty(),
             QStringList{"Brak dostępu do pliku: " + gniazdo + "\nTo nie jest zwykły plik."});
    QCOMPARE(okno->Zmodyfikowane, std::uint8_t{1});
    QVERIFY(okno->PlikRozliczenia.isEmpty());
  }

  // The update description is read silently: a non-file is no description.
  void updateDescriptionThatIsNoFileOffersNothing() {
    ProgramZeStronami p;
    p.Uruchom();
    Podrzuc(p.Folder().Sciezka() + "update.ini", Podrzutek::Fifo, platform::kNajwiekszyPlikIni);
    QCOMPARE(p.T().WersjaAktualizacji() + p.T().NazwaPlikuAktualizacji(), QString());
  }
};

VELMAR_TEST_MAIN(TstOdczyt)
#include "tst_odczyt.moc"
