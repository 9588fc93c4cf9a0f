// Printing: the print window, the commands that open it, what each range prints (one PDF file a print), files or a
// printer that fail, and what a printed page holds: values in their fields over the stretched picture, or the
// picture alone, placed by margins, shifts and size correction; entries beyond 349; the designer's print.
// PDF files are read back with poppler's tools: the words with their boxes, a page as an image.

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <functional>

#include "main/drukowanie.h"
#include "main/wydruk.h"
#include "selection/grupa_opcji.h"
#include "support/widok_tabele.h"
#include "support/strony.h"

using namespace velmar_test;

namespace {

constexpr QRgb kCzerwony = qRgb(255, 0, 0), kZielony = qRgb(0, 160, 0), kBialy = qRgb(255, 255, 255);
constexpr int kDpi = 600, kDpiObrazu = 60;  // one image pixel is ten printer pixels
constexpr double kPunkt = 72.0 / kDpi;      // PDF points per printer pixel

// The fields of PIT-37, by their numbers, and the values record 1 holds. The field with a default shows it on screen;
// on paper an empty value prints nothing.
// clang-format off
enum : int { kTekst, kNip, kNipZMyslnikami, kNipKrotki, kData, kDataKrotka, kKwota, kCalkowita, kNieKwota,
             kDataWKomorkach, kTekstWKomorkach, kKratka, kZielone, kStrona2, kUkryte, kZDomyslnym };
// clang-format on
// clang-format off
const struct { int typ, strona, l, t, r, b; const char* wartosc; } kPola[] = {
    {Text, 1, 100, 100, 300, 130, "Tekst"}, {NIP, 1, 100, 150, 300, 180, "1234567890"},
    {NIP, 1, 100, 200, 300, 230, "123-456-78-90"}, {NIP, 1, 100, 250, 300, 280, "12345"},
    {Data, 1, 400, 100, 600, 130, "01022009"}, {Data, 1, 400, 150, 600, 180, "0102"},
    {Liczba, 1, 400, 200, 600, 230, "1234,5"}, {Liczba, 1, 400, 250, 600, 280, "12345"},
    {Liczba, 1, 400, 300, 600, 330, "abc"}, {Data, 1, 100, 350, 300, 380, "01022009"},
    {Text, 1, 100, 400, 300, 430, "ABCDEFG"}, {Checbox, 1, 700, 100, 720, 120, ""}, {Text, 1, 600, 400, 700, 430, ""},
    {Text, 2, 100, 100, 300, 130, "Strona2"}, {Text, 1, 100, 450, 300, 480, "Ukryty"}, {Text, 1, 100, 500, 300, 530, ""}};
// clang-format on

std::vector<TObiekt> PolaPit37() {
  std::vector<TObiekt> p;
  for (const auto& x : kPola) p.push_back(Pole(x.typ, x.strona, x.l, x.t, x.r, x.b));
  UstawBajty(p[kZDomyslnym].WartoscDomyslna, "Domyslny");
  p[kDataWKomorkach].Wyrownanie = p[kTekstWKomorkach].Wyrownanie = Justuj;
  p[kDataWKomorkach].LimitZnakow = 8;
  p[kTekstWKomorkach].LimitZnakow = 4;
  p[kKwota].Wyrownanie = DoPrawej;
  p[kCalkowita].Format = FormatCalkowita;
  UstawBajty(p[kZielone].KolorTla, "00A000");
  UstawBajty(p[kZielone].KolorKrawedzi, "00A000");
  p[kUkryte].Widoczne = 0;
  return p;
}

// A printed word and its box in PDF points from the page's top left corner.
struct Slowo {
  QString tekst;
  double x0, y0, x1, y1;
  bool operator==(const Slowo&) const = default;
};
using Pdf = std::vector<std::vector<Slowo>>;  // the words of each page; none when the file cannot be read

Pdf CzytajPdf(const QString& plik) {
  Pdf pdf;
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), plik, QStringLiteral("-")});
  if (!QFile::exists(plik) || !p.waitForFinished(60000) || p.exitCode() != 0) return pdf;
  QXmlStreamReader xml(p.readAllStandardOutput());
  while (!xml.atEnd())
    if (xml.readNext() != QXmlStreamReader::StartElement)
      continue;
    else if (xml.name() == QLatin1String("page"))
      pdf.emplace_back();
    else if (xml.name() == QLatin1String("word") && !pdf.empty()) {
      const auto a = [&](const char* n) { return xml.attributes().value(QLatin1String(n)).toDouble(); };
      const Slowo s{{}, a("xMin"), a("yMin"), a("xMax"), a("yMax")};
      pdf.back().push_back(s);
      pdf.back().back().tekst = xml.readElementText();
    }
  return pdf;
}

QStringList Teksty(const std::vector<Slowo>& slowa) {
  QStringList t;
  for (const Slowo& s : slowa) t << s.tekst;
  return t;
}

const Slowo* Znajdz(const Pdf& pdf, int strona, const QString& tekst) {
  for (const Slowo& s : pdf.at(std::size_t(strona - 1)))
    if (s.tekst == tekst) return &s;
  return nullptr;
}

// Words whose middle lies in a band of page 1 (in display pixels of a page w printer pixels wide), left to right.
QStringList WPasie(const Pdf& pdf, int w, int gora, std::vector<Slowo>* slowa = nullptr) {
  std::vector<Slowo> wynik;
  const double s = w / 800.0 * kPunkt;
  for (const Slowo& x : pdf.at(0))
    if ((x.y0 + x.y1) / 2 > gora * s && (x.y0 + x.y1) / 2 < (gora + 30) * s) wynik.push_back(x);
  std::sort(wynik.begin(), wynik.end(), [](const Slowo& a, const Slowo& b) { return a.x0 < b.x0; });
  if (slowa) *slowa = wynik;
  return Teksty(wynik);
}

// Page n of a PDF file as an image at 60 dpi; null when it cannot be rendered.
QImage Obraz(const QString& plik, int n = 1) {
  QTemporaryDir folder;
  QProcess p;
  p.start(QStringLiteral("pdftoppm"),
          QStringLiteral("-r %1 -f %2 -l %2 -singlefile -png").arg(kDpiObrazu).arg(n).split(' ')
              << plik << folder.filePath(QStringLiteral("s")));
  if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
  return QImage(folder.filePath(QStringLiteral("s.png"))).convertToFormat(QImage::Format_RGB32);
}

void NaPdf(QPrinter& drukarka, const QString& plik) {
  drukarka.setOutputFormat(QPrinter::PdfFormat);
  drukarka.setOutputFileName(plik);
  drukarka.setResolution(kDpi);
  drukarka.setPageSize(QPageSize(QPageSize::A4));
  drukarka.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool Bliskie(double a, double b, double tolerancja = 0.2) { return std::abs(a - b) <= tolerancja; }

// The picture's edge lies between two neighbouring pixels: its colour inside, paper white outside.
void Brzeg(const QImage& obraz, QPoint wewnatrz, QPoint poza, QRgb kolor = kCzerwony) {
  QCOMPARE(obraz.pixel(wewnatrz), kolor);
  QCOMPARE(obraz.pixel(poza), kBialy);
}

}  // namespace

class TstWydruk : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZeStronami> p_;
  std::unique_ptr<TWydruk> okno_;
  std::unique_ptr<QTemporaryDir> wyniki_;
  int dialogi_ = 0;    // how often the print dialog was asked for
  int numer_ = 0;      // files printed by Drukuj
  int szerokosc_ = 0;  // the printer's page width in pixels

  TTools& T() { return p_->T(); }
  TWydruk& W() { return *okno_; }
  QString Plik(const QString& nazwa = QStringLiteral("wydruk.pdf")) const { return wyniki_->filePath(nazwa); }
  QStringList Komunikaty() const { return SkryptDialogow().Teksty(); }
  QStringList PlikiWynikow() const { return QDir(wyniki_->path()).entryList(QDir::Files, QDir::Name); }
  void Ustaw(int j, int k, const QString& v) {
    UstawBajty(T().Druki[std::size_t(j)].Pola[std::size_t(k)].Wartosc, v.toLatin1().constData());
  }

  // The print dialog answers with a PDF file, or cancels.
  void DialogDo(const QString& plik) {
    W().PrintDialog = [this, plik](QPrinter& drukarka) {
      ++dialogi_;
      if (!plik.isEmpty()) NaPdf(drukarka, plik);
      return !plik.isEmpty();
    };
  }
  // Prints a range of the shown record through the window.
  void DrukujZakres(int zakres) {
    W().ZakresDruku->UstawItemIndex(zakres);
    W().DrukujClick();
  }
  // Prints a range of record 1 (shown if nothing is) into a new file; the file.
  QString Drukuj(int zakres, const UstawieniaWydruku& u = {}) {
    if (!p_->V().Otwarty()) p_->Pokaz(1);
    const QString plik = Plik(QStringLiteral("w%1.pdf").arg(++numer_));
    QPrinter drukarka(QPrinter::HighResolution);
    NaPdf(drukarka, plik);
    szerokosc_ = drukarka.width();
    return DrukujDruki(drukarka, T(), DrukiZakresu(T(), zakres), u) ? plik : QString();
  }
  // A point of the display (800 pixels wide) on the printed page, in image pixels.
  QPoint NaObrazie(int x, int y) const { return {Skaluj(x) / 10, Skaluj(y) / 10}; }
  int Skaluj(int x, int roznica = 0) const { return int(x * (szerokosc_ + roznica) / 800.0); }

 private slots:
  // PIT-37's header says 2 pages (the catalogue 3), PIT/O has no header (the catalogue's 3), PIT-36's header says 1,
  // PIT/D's 2. Records 2 to 5 hold "d<j>s<k>" in the field of page k: the text tells the record and the page.
  void init() {
    p_ = std::make_unique<ProgramZeStronami>();
    const std::vector<TObiekt> pola = {Pole(Text, 1, 100, 100, 400, 130), Pole(Text, 2, 100, 100, 400, 130),
                                       Pole(Text, 3, 100, 100, 400, 130)};
    p_->ZapiszFormularz(Pit37, 2, PolaPit37(), kCzerwony);
    p_->ZapiszFormularz(PitO, 3, pola, qRgb(0, 0, 255));
    QFile::remove(p_->Dc() + QStringLiteral("6.dcd"));
    p_->ZapiszFormularz(Pit36, 1, pola, kZielony);
    p_->ZapiszFormularz(PitD, 2, pola, qRgb(255, 160, 0));
    p_->Uruchom();
    // clang-format off
    p_->Rozliczenie({{Pit37, 0, PMWspolny}, {PitO, 1, PMPodatnik}, {Pit36, 0, PMWspolny}, {PitD, 3, PMWspolny},
                     {PitO, 1, PMMalzonek}});
    // clang-format on
    for (int k = 0; k <= kZDomyslnym; ++k) Ustaw(1, k, QLatin1String(kPola[k].wartosc));
    T().Druki[1].Pola[kKratka].Zaznaczone = 1;
    for (int j = 2; j <= 5; ++j)
      for (int k = 0; k < 3; ++k) Ustaw(j, k, QStringLiteral("d%1s%2").arg(j).arg(k + 1));
    okno_ = std::make_unique<TWydruk>(&T());
    wyniki_ = std::make_unique<QTemporaryDir>();
    dialogi_ = 0;
    DialogDo(Plik());
    SkryptDialogow().pokazane.clear();
  }
  void cleanup() {
    okno_.reset();
    p_.reset();
    wyniki_.reset();
  }

  // The window's settings as the print takes them, the text shifts for data only; a print keeps them for the next
  // one, and the window closes with Drukuj disabled until shown again.
  void oknoIJegoUstawienia() {
    const std::array<QSpinBox*, 5> pola{W().MarginesGora, W().MarginesLewa, W().Dx, W().Dy, W().RozmiarDruku};
    for (std::size_t i = 0; i < pola.size(); ++i) pola[i]->setValue(std::array{-3, 4, -100, 7, -50}[i]);
    const UstawieniaWydruku u = W().Ustawienia();
    QCOMPARE(
        (QList<int>{u.MarginesGora, u.MarginesLewa, u.Dx, u.Dy, u.RozmiarDruku, u.Dane, W().ZakresDruku->ItemIndex()}),
        (QList<int>{-3, 4, -100, 7, -50, 1, 0}));
    QTest::mouseClick(W().ZawDruk->Pozycja(0), Qt::LeftButton);
    QVERIFY(!W().GroupPrzesText->isEnabled() && !W().Ustawienia().Dane);
    p_->Pokaz(1);
    W().show();
    QTest::mouseClick(W().Drukuj, Qt::LeftButton);
    QVERIFY(W().isHidden() && !W().Drukuj->isEnabled() && W().Ustawienia().RozmiarDruku == -50);
    W().show();
    QVERIFY(W().Drukuj->isEnabled());
    W().close();
  }
  // The commands that lead to the print window open it, modal, while a page is on screen; they are disabled and do
  // nothing at start and once the page view, the settlement or a new one's choice has closed it.
  void poleceniaTylkoZeStrona() {
    const std::array<QAction*, 3> polecenia{T().BWydruk, T().Drukuj2, T().ToolButton8};
    const auto wylaczone = [&](const char* kiedy) {
      for (QAction* polecenie : polecenia) {
        QVERIFY2(!polecenie->isEnabled(), qPrintable(polecenie->objectName() + ' ' + kiedy));
        polecenie->trigger();
        QVERIFY(W().isHidden());
      }
    };
    wylaczone("at start");
    for (const auto& [kiedy, zamknij] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"view closed", [&] { p_->V().close(); }},
             {"settlement closed", [&] { T().Zamknij1Click(); }},
             {"settlement cleared", [&] { T().WyczyscRozliczenie(); }}}) {
      if (!T().MaDruki()) p_->Rozliczenie({{Pit37, 0, PMWspolny}});
      p_->Pokaz(1);
      for (QAction* polecenie : polecenia) {
        // Answered from the window's own loop; a window that never opens leaves no answer pending.
        bool otwarte = false;
        QTimer odpowiedz;
        odpowiedz.setSingleShot(true);
        connect(&odpowiedz, &QTimer::timeout, this, [&] {
          otwarte = W().isVisible() && W().isModal() && W().Drukuj->isEnabled();
          QTest::mouseClick(W().SpeedButton1, Qt::LeftButton);
        });
        odpowiedz.start(0);
        polecenie->trigger();
        QVERIFY2(otwarte && W().isHidden(), qPrintable(polecenie->objectName()));
      }
      zamknij();
      wylaczone(kiedy);
    }
    QVERIFY(PlikiWynikow().isEmpty() && dialogi_ == 0);
  }
  void zakresy_data() { Wiersze("widok_tabele.txt", QStringLiteral("zakresy")); }
  // To a file, one print is one file holding every page of the range in order.
  void zakresy() {
    QFETCH(QStringList, w);
    Ustaw(1, kTekst, QStringLiteral("d1s1"));
    Ustaw(1, kStrona2, QStringLiteral("d1s2"));
    p_->Pokaz(w[0].toInt(), w[1].toInt());
    DrukujZakres(w[2].toInt());
    QCOMPARE(PlikiWynikow(), QStringList{QStringLiteral("wydruk.pdf")});
    QString strony, poprzedni = QStringLiteral("-");
    for (const auto& slowa : CzytajPdf(Plik())) {
      const QString tekst = Teksty(slowa).filter(QRegularExpression(QStringLiteral("^d\\d+s\\d+$"))).join('+');
      if (poprzedni != u"-") strony += tekst.section('s', 0, 0) == poprzedni ? ' ' : '|';
      poprzedni = tekst.section('s', 0, 0);
      strony += tekst;
    }
    QCOMPARE(strony, w.mid(3).join(u'|'));
    QVERIFY(dialogi_ == 1 && Komunikaty().isEmpty());
    QCOMPARE(W().Drukarka().outputFileName(), Plik());
  }
  void brakPlikuPrzerywaPrzedWydrukiem_data() { Wiersze("widok_tabele.txt", QStringLiteral("brak")); }
  // Every file of a print is checked before the job starts: a bad one stops the whole print with its name.
  void brakPlikuPrzerywaPrzedWydrukiem() {
    QFETCH(QStringList, w);
    const QString plik = w[0];
    const bool zDanymi = w[2] == u"1";
    p_->Pokaz(1);
    QFile::remove(p_->Dc() + plik);
    if (w[1] != u"-") ZapiszPlik(p_->Dc() + plik, w[1].toUtf8());
    W().ZawDruk->UstawItemIndex(zDanymi ? 1 : 0);
    DrukujZakres(3);
    if (!zDanymi) {
      QVERIFY(Komunikaty().isEmpty());
      QVERIFY(CzytajPdf(Plik()) == Pdf(11));
      return;
    }
    QVERIFY2(Komunikaty().size() == 1 && Komunikaty()[0].contains(p_->Dc() + plik), qPrintable(Komunikaty().join('|')));
    QVERIFY2(PlikiWynikow().isEmpty(), "no job may start before every file is there");
    // A record without the bad file prints.
    DrukujZakres(1);
    QCOMPARE(Komunikaty().size(), 1);
    QCOMPARE(CzytajPdf(Plik()).size(), std::size_t{2});
  }
  // A cancelled dialog or a refused file ends the click: nothing printed or tried anywhere else, the window stays
  // open; the next print works. The designer's print asks for a printer only with a page shown.
  void anulowanyLubOdmowionyWydruk() {
    W().Drukuj1Click();
    QCOMPARE(dialogi_, 0);
    p_->Pokaz(1);
    DialogDo({});
    W().show();
    QTest::mouseClick(W().Drukuj, Qt::LeftButton);
    QVERIFY(dialogi_ == 1 && W().isVisible() && W().Drukuj->isEnabled() && Komunikaty().isEmpty());
    W().close();
    T().Drukuj1->trigger();
    QVERIFY(dialogi_ == 2 && PlikiWynikow().isEmpty());
    const QString niemozliwy = Plik(QStringLiteral("brak/wydruk.pdf"));
    DialogDo(niemozliwy);
    DrukujZakres(3);
    QVERIFY2(Komunikaty().size() == 1 && Komunikaty()[0].contains(niemozliwy), qPrintable(Komunikaty().join('|')));
    QVERIFY(PlikiWynikow().isEmpty() && !QDir(Plik(QStringLiteral("brak"))).exists());
    DialogDo(Plik());
    DrukujZakres(2);
    QVERIFY(Komunikaty().size() == 1 && PlikiWynikow().size() == 1);
    QCOMPARE(CzytajPdf(Plik()).size(), std::size_t{8});
  }

  void nipDataIKwota() {
    const Pdf pdf = CzytajPdf(Drukuj(1));
    // Each band holds a field of the left column and one of the right: a text and a date, NIPs of ten digits, with
    // dashes and short, a short date, the amounts; the thousands gap parts an amount's words. A short NIP or date
    // takes its dashes as on screen.
    const char* const pasy[] = {"Tekst 01-02-2009", "123-456-78-90 01-02-", "123-456-78-90 1 234,50",
                                "123-45-- 12345", "abc"};
    for (int i = 0; i < 5; ++i) QCOMPARE(WPasie(pdf, szerokosc_, 100 + 50 * i).join(u' '), QLatin1String(pasy[i]));
    QVERIFY(pdf.size() == 2 && Teksty(pdf[1]) == QStringList{QStringLiteral("Strona2")});
    // Neither the hidden field nor a default stands in for an empty value.
    QVERIFY(!Znajdz(pdf, 1, QStringLiteral("Ukryty")) && !Znajdz(pdf, 1, QStringLiteral("Domyslny")));
    // The amount is right-aligned: it ends at the field's inner right edge.
    const Slowo* kwota = Znajdz(pdf, 1, QStringLiteral("234,50"));
    const double prawa = (Skaluj(600) - 1) * kPunkt;
    QVERIFY2(kwota && kwota->x1 <= prawa + 0.2 && kwota->x1 > prawa - 3,
             qPrintable(QString::number(kwota->x1 - prawa)));
  }
  void dlugiTekstPozaPolem_data() {
    QTest::addColumn<bool>("projektant");
    QTest::newRow("a record's print") << false;
    QTest::newRow("the designer's print") << true;
  }
  // A value too long for its field runs on past the field's right edge, over the picture beside it, as on screen;
  // the designer's print shrinks its font no further than its floor.
  void dlugiTekstPozaPolem() {
    QFETCH(bool, projektant);
    const QString dlugi(projektant ? 254 : 60, QLatin1Char('W'));
    QRect obok;
    QImage obraz;
    if (projektant) {
      p_->Pokaz(1);
      QPrinter drukarka(QPrinter::HighResolution);
      NaPdf(drukarka, Plik());
      const int s = drukarka.width() / 800;
      UstawTekst(p_->V().Obiekty[kTekst].Wartosc, dlugi);
      QVERIFY(T().Drukuj1Click(drukarka));
      obraz = Obraz(Plik());
      obok = QRect(QPoint(310 * s / 10, 90 * s / 10), QPoint(390 * s / 10, 128 * s / 10));
    } else {
      Ustaw(1, kTekst, dlugi);
      obraz = Obraz(Drukuj(0));
      obok = QRect(NaObrazie(310, 102), NaObrazie(390, 128));
    }
    QVERIFY(!obraz.isNull());
    int tusz = 0;
    for (int y = obok.top(); y <= obok.bottom(); ++y)
      for (int x = obok.left(); x <= obok.right(); ++x) tusz += obraz.pixel(x, y) != kCzerwony;
    QVERIFY2(tusz > 10, qPrintable(QString::number(tusz)));
  }
  // Fields in cells: a date takes ten cells whatever its limit says, the dashes in cells of their own; a text longer
  // than its cells prints its first characters only. Every character is centred in its own cell.
  void jedenZnakNaKomorke() {
    const Pdf pdf = CzytajPdf(Drukuj(0));
    const double s = szerokosc_ / 800.0;
    for (const auto& [gora, oczekiwane] : {std::pair{350, "01-02-2009"}, {400, "ABCD"}}) {
      std::vector<Slowo> znaki;
      QCOMPARE(WPasie(pdf, szerokosc_, gora, &znaki).join(QString()), QLatin1String(oczekiwane));
      const int L = int(100 * s), R = int(300 * s), n = int(std::strlen(oczekiwane)), w = (R - L) / n;
      for (int j = 0; j < int(znaki.size()); ++j) {
        const Slowo& znak = znaki[std::size_t(j)];
        const double srodek = (znak.x0 + znak.x1) / 2 / kPunkt, od = L + j * w, doKomorki = j == n - 1 ? R : od + w + 1;
        QVERIFY2(znak.tekst.size() == 1 && Bliskie(srodek, (od + doKomorki) / 2, 0.2 / kPunkt + 2),
                 qPrintable(QStringLiteral("%1 in cell %2").arg(znak.tekst).arg(j)));
      }
    }
  }
  void daneIDrukPrzeciwSamemuDrukowi() {
    const QImage zDanymi = Obraz(Drukuj(0));
    const QString druk = Drukuj(1, UstawieniaWydruku{0, 0, 0, 0, 0, false});
    const QImage bezDanych = Obraz(druk);
    QVERIFY(!zDanymi.isNull() && !bezDanych.isNull() && CzytajPdf(druk) == Pdf(2));
    // The ticked box's cross, the coloured field's fill; white fields let the picture show through.
    const QPoint kratka = NaObrazie(710, 110), zielone = NaObrazie(650, 425), biale = NaObrazie(290, 115);
    QVERIFY(qGray(zDanymi.pixel(kratka)) < 100);
    QCOMPARE(
        (std::array{zDanymi.pixel(zielone), zDanymi.pixel(biale), bezDanych.pixel(kratka), bezDanych.pixel(zielone)}),
        (std::array{kZielony, kCzerwony, kCzerwony, kCzerwony}));
    // The picture covers the page width.
    QCOMPARE((std::array{bezDanych.pixel(0, 50), bezDanych.pixel(bezDanych.width() - 1, 50)}),
             (std::array{kCzerwony, kCzerwony}));
  }
  void polozenie_data() { Wiersze("widok_tabele.txt", QStringLiteral("polozenie")); }
  void polozenie() {
    QFETCH(QStringList, w);
    const auto liczby = [&](int i) {
      std::vector<int> v;
      for (const QString& x : w[i].split(u' ')) v.push_back(x.toInt());
      return v;
    };
    const std::vector<int> ust = liczby(0), p = liczby(1), r = liczby(2);
    const UstawieniaWydruku u{ust[0], ust[1], ust[2], ust[3], ust[4]};
    const QPoint przesuniecie(p[0], p[1]), naroznik(r[0], r[1]);
    const Pdf przed = CzytajPdf(Drukuj(0));
    const QString plik = Drukuj(0, u);
    const Pdf po = CzytajPdf(plik);
    const int d = u.RozmiarDruku ? przesuniecie.x() : 0;  // the change of width
    const QPointF oczekiwane =
        u.RozmiarDruku ? QPointF(Skaluj(100, d) + przesuniecie.y() - Skaluj(100), Skaluj(100, d) - Skaluj(100))
                       : QPointF(przesuniecie);
    const Slowo *a = Znajdz(przed, 1, QStringLiteral("Tekst")), *b = Znajdz(po, 1, QStringLiteral("Tekst"));
    QVERIFY(a && b);
    QVERIFY2(Bliskie(b->x0 - a->x0, oczekiwane.x() * kPunkt) && Bliskie(b->y0 - a->y0, oczekiwane.y() * kPunkt),
             qPrintable(QStringLiteral("%1 %2").arg(b->x0 - a->x0).arg(b->y0 - a->y0)));
    const QImage obraz = Obraz(plik);
    const int prawa = (naroznik.x() * 10 + szerokosc_ + d) / 10, dol = (naroznik.y() * 10 + Skaluj(1131, d)) / 10;
    Brzeg(obraz, {naroznik.x() + 1, 100}, {naroznik.x() - 1, 100});
    if (naroznik.y()) Brzeg(obraz, {100, naroznik.y() + 1}, {100, naroznik.y() - 1});
    if (d < 0) Brzeg(obraz, {prawa - 2, 100}, {prawa + 1, 100});
    if (d < 0) Brzeg(obraz, {100, dol - 2}, {100, dol + 1});
  }
  // Page 2 is a picture half as high: its print ends at its own height, page 1 fills the sheet; the field of page 2
  // sits where the display puts it.
  void kazdaStronaWedlugWlasnegoObrazu() {
    ZapiszPlik(p_->PlikStrony(Pit37, 2), Svg(1600, 800, qRgb(0, 0, 255)));
    const QString plik = Drukuj(1);
    const QImage strona2 = Obraz(plik, 2), strona1 = Obraz(plik, 1);
    Brzeg(strona2, {100, Skaluj(400) / 10 - 2}, {100, Skaluj(400) / 10 + 1}, qRgb(0, 0, 255));
    QCOMPARE(strona2.pixel(strona2.width() - 1, 10), qRgb(0, 0, 255));
    QCOMPARE(strona1.pixel(100, Skaluj(1131) / 10 - 2), kCzerwony);
    const Pdf pdf = CzytajPdf(plik);
    const Slowo* s = Znajdz(pdf, 2, QStringLiteral("Strona2"));
    QVERIFY(s && Bliskie(s->x0, (Skaluj(100) + 1) * kPunkt, 0.5));
  }
  // A structure with more objects than a record has entries: the last entry prints, the objects after it do not.
  void obiektyPozaWpisamiDruku() {
    std::vector<TObiekt> pola = PolaPit37();
    pola.resize(kLiczbaPol + 2);
    for (int i = 0; i < 3; ++i) {
      TObiekt& o = pola[std::size_t(kLiczbaPol - 1 + i)] = pola[kZielone];
      std::tie(o.Lewy, o.Gorny, o.Prawy, o.Dolny) = std::tuple{100 + i * 100, 600, 180 + i * 100, 650};
    }
    p_->Folder().ZapiszDcs(Pit37, pola);
    const QImage obraz = Obraz(Drukuj(0));
    QCOMPARE((std::array{obraz.pixel(NaObrazie(140, 625)), obraz.pixel(NaObrazie(240, 625)),
                         obraz.pixel(NaObrazie(340, 625))}),
             (std::array{kZielony, kCzerwony, kCzerwony}));
  }
  // The designer prints the objects' own texts (the value typed in the designer, else the default), not the record's,
  // over the picture at the whole multiple of its display size; with no page on screen nothing.
  void drukProjektanta() {
    p_->Pokaz(1);
    QPrinter drukarka(QPrinter::HighResolution);
    NaPdf(drukarka, Plik());
    const int s = drukarka.width() / 800;
    UstawBajty(p_->V().Obiekty[kTekst].Wartosc, "Projekt");
    QVERIFY(T().Drukuj1Click(drukarka));
    const Pdf pdf = CzytajPdf(Plik());
    QCOMPARE(Teksty(pdf.at(0)).filter(QRegularExpression(QStringLiteral("^[PDTS]"))),
             (QStringList{QStringLiteral("Projekt"), QStringLiteral("Domyslny")}));
    QVERIFY(pdf.size() == 1 && Bliskie(Znajdz(pdf, 1, QStringLiteral("Projekt"))->x0, (100 * s + 1) * kPunkt, 0.5));
    const QImage obraz = Obraz(Plik());
    QCOMPARE(obraz.pixel(800 * s / 10 - 2, 50), kCzerwony);
    if (800 * s / 10 + 1 < obraz.width()) QCOMPARE(obraz.pixel(800 * s / 10 + 1, 50), kBialy);
    T().StronaWczytana = 0;
    QVERIFY(!T().Drukuj1Click(drukarka));
  }
};

VELMAR_TEST_MAIN(TstWydruk)
#include "tst_wydruk.moc"
