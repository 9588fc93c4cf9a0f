// What a printed page holds: a record's values in their fields over the stretched picture, or the picture alone; the
// placement by margins, shifts and size correction; each page's own picture; entries beyond 349; the real forms; the
// designer's print.

#include <QDir>

#include "main/drukowanie.h"
#include "model/struktura.h"
#include "pages/obraz_strony.h"
#include "tst_strony_wspolne.h"
#include "tst_wydruk_wspolne.h"

using namespace velmar_test;

namespace {

constexpr QRgb kCzerwony = qRgb(255, 0, 0);
constexpr QRgb kZielony = qRgb(0, 160, 0);
// Pages read back at 60 dpi: one image pixel is ten printer pixels.
constexpr int kDpiObrazu = kDpiWydruku / 10;

// The fields of the test form, by their numbers.
enum : int {
  kTekst, kNip, kNipZMyslnikami, kNipKrotki, kData, kDataKrotka, kKwota, kCalkowita, kNieKwota, kDataWKomorkach,
  kTekstWKomorkach, kKratka, kZielone, kStrona2, kUkryte, kZDomyslnym, kPolaTestowe
};

// Each field with the value its record holds; the record's empty value of the field with a default shows on screen as
// the default, on paper as nothing.
struct PoleProby {
  TObiekt obiekt;
  const char* wartosc;
};

std::vector<PoleProby> PolaProby() {
  const auto wKomorkach = [](int typ, int l, int t, int r, int b, int limit) {
    TObiekt o = Pole(typ, 1, l, t, r, b);
    o.Wyrownanie = Justuj;
    o.LimitZnakow = limit;
    return o;
  };
  std::vector<PoleProby> pola = {
      {Pole(Text, 1, 100, 100, 300, 130), "Tekst"},          {Pole(NIP, 1, 100, 150, 300, 180), "1234567890"},
      {Pole(NIP, 1, 100, 200, 300, 230), "123-456-78-90"},   {Pole(NIP, 1, 100, 250, 300, 280), "12345"},
      {Pole(Data, 1, 400, 100, 600, 130), "01022009"},       {Pole(Data, 1, 400, 150, 600, 180), "0102"},
      {Pole(Liczba, 1, 400, 200, 600, 230), "1234,5"},       {Pole(Liczba, 1, 400, 250, 600, 280), "12345"},
      {Pole(Liczba, 1, 400, 300, 600, 330), "abc"},          {wKomorkach(Data, 100, 350, 300, 380, 8), "01022009"},
      {wKomorkach(Text, 100, 400, 300, 430, 4), "ABCDEFG"},  {Pole(Checbox, 1, 700, 100, 720, 120), ""},
      {Pole(Text, 1, 600, 400, 700, 430), ""},               {Pole(Text, 2, 100, 100, 300, 130), "Strona2"},
      {Pole(Text, 1, 100, 450, 300, 480), "Ukryty"},         {Pole(Text, 1, 100, 500, 300, 530, "Domyslny"), ""}};
  pola[kKwota].obiekt.Wyrownanie = DoPrawej;
  pola[kCalkowita].obiekt.Format = FormatCalkowita;
  UstawBajty(pola[kZielone].obiekt.KolorTla, "00A000");
  UstawBajty(pola[kZielone].obiekt.KolorKrawedzi, "00A000");
  pola[kUkryte].obiekt.Widoczne = 0;
  return pola;
}

std::vector<TObiekt> PolaFormularza() {
  std::vector<TObiekt> obiekty;
  for (const PoleProby& p : PolaProby()) obiekty.push_back(p.obiekt);
  return obiekty;
}

// Words whose middle lies in a band of the page, left to right.
std::vector<Slowo> WPasie(const TrescPdf& pdf, int strona, double gora, double dol) {
  std::vector<Slowo> slowa;
  for (const Slowo& s : pdf.strony.at(static_cast<std::size_t>(strona - 1)))
    if ((s.y0 + s.y1) / 2 > gora && (s.y0 + s.y1) / 2 < dol) slowa.push_back(s);
  std::sort(slowa.begin(), slowa.end(), [](const Slowo& a, const Slowo& b) { return a.x0 < b.x0; });
  return slowa;
}

QString Razem(const std::vector<Slowo>& slowa) {
  QString tekst;
  for (const Slowo& s : slowa) tekst += s.tekst;
  return tekst;
}

bool Bliskie(double a, double b, double tolerancja = 0.2) { return std::abs(a - b) <= tolerancja; }

// The picture's edge lies between two neighbouring pixels: its colour inside, paper white outside.
void Brzeg(const QImage& obraz, QPoint wewnatrz, QPoint poza, QRgb kolor = kCzerwony) {
  QCOMPARE(obraz.pixel(wewnatrz), kolor);
  QCOMPARE(obraz.pixel(poza), qRgb(255, 255, 255));
}

}  // namespace

class TstWydrukStrony : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZeStronami> p_;
  std::unique_ptr<QTemporaryDir> wyniki_;
  int numer_ = 0;

  TTools& T() { return p_->T(); }
  TPoleDruku& Wpis(int j, int k) { return T().Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)]; }

  // Prints the records of a range of the shown record into a new file; the file of the first job.
  QString Drukuj(int zakres, const UstawieniaWydruku& ustawienia = {}) {
    const QString plik = wyniki_->path() + QStringLiteral("/wydruk%1.pdf").arg(++numer_);
    QPrinter drukarka(QPrinter::HighResolution);
    NaPdf(drukarka, plik);
    szerokosc_ = drukarka.width();
    if (!DrukujDruki(drukarka, T(), DrukiZakresu(T(), zakres), ustawienia)) return {};
    return plik;
  }
  int szerokosc_ = 0;  // the printer's page width in pixels

  // A point of the display (800 pixels wide) on the printed page, in image pixels at kDpiObrazu.
  QPoint NaObrazie(int x, int y, const UstawieniaWydruku& u = {}) const {
    const Wymiary w = ObliczWymiary(szerokosc_, 800, u);
    return {static_cast<int>(x * w.S + w.Lm) / 10, static_cast<int>(y * w.S + w.G) / 10};
  }

 private slots:
  void init();
  void cleanup();

  void nipDataIKwota();
  void jedenZnakNaKomorke();
  void daneIDrukPrzeciwSamemuDrukowi();
  void marginesyIPrzesuniecia();
  void korektaRozmiaru();
  void kazdaStronaWedlugWlasnegoObrazu();
  void obiektyPozaWpisamiDruku();
  void prawdziweFormularze();
  void drukProjektanta();
};

void TstWydrukStrony::init() {
  p_ = std::make_unique<ProgramZeStronami>();
  p_->ZapiszFormularz(Pit37, 2, PolaFormularza(), kCzerwony);
  p_->Uruchom();
  p_->Rozliczenie({{Pit37, 0, PMWspolny}});
  const std::vector<PoleProby> pola = PolaProby();
  for (std::size_t k = 0; k < pola.size(); ++k) UstawBajty(Wpis(1, int(k)).Wartosc, pola[k].wartosc);
  Wpis(1, kKratka).Zaznaczone = 1;
  p_->Pokaz(1);
  wyniki_ = std::make_unique<QTemporaryDir>();
  SkryptDialogow().pokazane.clear();
}

void TstWydrukStrony::cleanup() {
  p_.reset();
  wyniki_.reset();
}

void TstWydrukStrony::nipDataIKwota() {
  const TrescPdf pdf = CzytajPdf(Drukuj(1));
  QCOMPARE(pdf.LiczbaStron(), 2);
  const auto pole = [&](int gora) {
    const double s = szerokosc_ / 800.0 * kPunkt;
    QStringList slowa;
    for (const Slowo& w : WPasie(pdf, 1, gora * s, (gora + 30) * s)) slowa << w.tekst;
    return slowa;
  };
  // Each band holds a field of the left column and one of the right, read left to right: a text and a date, NIPs of
  // ten digits, with dashes and short, a short date, the amounts; the thousands gap parts an amount's words.
  QCOMPARE(pole(100), (QStringList{QStringLiteral("Tekst"), QStringLiteral("01-02-2009")}));
  QCOMPARE(pole(150), (QStringList{QStringLiteral("123-456-78-90"), QStringLiteral("0102")}));
  QCOMPARE(pole(200), (QStringList{QStringLiteral("123-456-78-90"), QStringLiteral("1"), QStringLiteral("234,50")}));
  QCOMPARE(pole(250), (QStringList{QStringLiteral("12345"), QStringLiteral("12345")}));
  QCOMPARE(pole(300), QStringList{QStringLiteral("abc")});
  QCOMPARE(pdf.Teksty(2), QStringList{QStringLiteral("Strona2")});
  // Neither the hidden field nor a default stands in for an empty value.
  QVERIFY(!pdf.Znajdz(1, QStringLiteral("Ukryty")));
  QVERIFY(!pdf.Znajdz(1, QStringLiteral("Domyslny")));

  // The amount is right-aligned: it ends at the field's inner right edge.
  const Slowo* kwota = pdf.Znajdz(1, QStringLiteral("234,50"));
  QVERIFY(kwota);
  const double prawa = static_cast<int>(600 * szerokosc_ / 800.0) - 1;
  QVERIFY2(kwota->x1 <= prawa * kPunkt + 0.2 && kwota->x1 > prawa * kPunkt - 3,
           qPrintable(QStringLiteral("%1 vs %2").arg(kwota->x1).arg(prawa * kPunkt)));
}

void TstWydrukStrony::jedenZnakNaKomorke() {
  const TrescPdf pdf = CzytajPdf(Drukuj(0));
  const double s = szerokosc_ / 800.0;
  const auto komorki = [&](int l, int r, int gora, const QString& oczekiwane) {
    const std::vector<Slowo> znaki = WPasie(pdf, 1, gora * s * kPunkt, (gora + 30) * s * kPunkt);
    QCOMPARE(Razem(znaki), oczekiwane);
    const int L = static_cast<int>(l * s), R = static_cast<int>(r * s);
    const int n = oczekiwane == QStringLiteral("ABCD") ? 4 : 10;
    const int w = (R - L) / n;
    int j = 0;
    for (const Slowo& znak : znaki) {
      QCOMPARE(znak.tekst.size(), 1);
      // Cells that lie empty (none here) would shift the count; every character is centred in its own cell.
      const double srodek = (znak.x0 + znak.x1) / 2 / kPunkt;
      const double od = L + j * w, doKomorki = j == n - 1 ? R : L + j * w + w + 1;
      QVERIFY2(srodek > od && srodek < doKomorki, qPrintable(QStringLiteral("%1 in cell %2").arg(znak.tekst).arg(j)));
      QVERIFY(Bliskie(srodek, (od + doKomorki) / 2, 0.2 / kPunkt + 2));
      ++j;
    }
  };
  // A date takes ten cells whatever its limit says, the dashes in cells of their own.
  komorki(100, 300, 350, QStringLiteral("01-02-2009"));
  // A text longer than its cells prints its first characters only.
  komorki(100, 300, 400, QStringLiteral("ABCD"));
}

void TstWydrukStrony::daneIDrukPrzeciwSamemuDrukowi() {
  const QString dane = Drukuj(0);
  UstawieniaWydruku samDruk;
  samDruk.Dane = false;
  const QString druk = Drukuj(1, samDruk);

  const QImage zDanymi = ObrazStronyPdf(dane, 1, kDpiObrazu);
  const QImage bezDanych = ObrazStronyPdf(druk, 1, kDpiObrazu);
  QVERIFY(!zDanymi.isNull() && !bezDanych.isNull());
  const TrescPdf tylkoDruk = CzytajPdf(druk);
  QCOMPARE(tylkoDruk.LiczbaStron(), 2);
  QVERIFY(tylkoDruk.Teksty(1).isEmpty() && tylkoDruk.Teksty(2).isEmpty());

  // The ticked box's cross, the coloured field's fill; white fields let the picture show through.
  const QPoint kratka = NaObrazie(710, 110), zielone = NaObrazie(650, 425), biale = NaObrazie(290, 115);
  QVERIFY(qGray(zDanymi.pixel(kratka)) < 100);
  QCOMPARE(zDanymi.pixel(zielone), kZielony);
  QCOMPARE(zDanymi.pixel(biale), kCzerwony);
  QCOMPARE(bezDanych.pixel(kratka), kCzerwony);
  QCOMPARE(bezDanych.pixel(zielone), kCzerwony);
  // The picture covers the page width.
  QCOMPARE(bezDanych.pixel(0, 50), kCzerwony);
  QCOMPARE(bezDanych.pixel(bezDanych.width() - 1, 50), kCzerwony);
}

void TstWydrukStrony::marginesyIPrzesuniecia() {
  const TrescPdf przed = CzytajPdf(Drukuj(0));
  UstawieniaWydruku u;
  u.MarginesGora = 5;
  u.MarginesLewa = 3;
  u.Dx = 7;
  u.Dy = -4;
  const QString plik = Drukuj(0, u);
  const TrescPdf po = CzytajPdf(plik);
  for (const QString& tekst : {QStringLiteral("Tekst"), QStringLiteral("01-02-2009"), QStringLiteral("12345")}) {
    const Slowo* a = przed.Znajdz(1, tekst);
    const Slowo* b = po.Znajdz(1, tekst);
    QVERIFY(a && b);
    // A margin step is 10 printer pixels, a shift step 1.
    QVERIFY2(Bliskie(b->x0 - a->x0, (30 + 7) * kPunkt), qPrintable(QString::number(b->x0 - a->x0)));
    QVERIFY2(Bliskie(b->y0 - a->y0, (50 - 4) * kPunkt), qPrintable(QString::number(b->y0 - a->y0)));
  }
  // The picture moves by the margins only.
  const QImage obraz = ObrazStronyPdf(plik, 1, kDpiObrazu);
  Brzeg(obraz, {4, 100}, {2, 100});
  Brzeg(obraz, {100, 6}, {100, 4});
}

void TstWydrukStrony::korektaRozmiaru() {
  const TrescPdf pdfPrzed = CzytajPdf(Drukuj(0));
  QVERIFY(pdfPrzed.Znajdz(1, QStringLiteral("Tekst")));
  const Slowo przed = *pdfPrzed.Znajdz(1, QStringLiteral("Tekst"));
  const int W = szerokosc_;

  // Smaller: 200 pixels narrower, moved right by 100 whatever the left margin.
  UstawieniaWydruku mniejszy;
  mniejszy.RozmiarDruku = -20;
  mniejszy.MarginesLewa = 3;
  const QString plik = Drukuj(0, mniejszy);
  const TrescPdf pdf = CzytajPdf(plik);
  const Slowo* po = pdf.Znajdz(1, QStringLiteral("Tekst"));
  QVERIFY(po);
  const int x = static_cast<int>(100 * (W - 200) / 800.0 + 100) + 1;
  const int x0 = static_cast<int>(100 * W / 800.0) + 1;
  QVERIFY2(Bliskie(po->x0 - przed.x0, (x - x0) * kPunkt), qPrintable(QString::number(po->x0 - przed.x0)));
  QVERIFY(Bliskie(po->y0 - przed.y0,
                  (static_cast<int>(100 * (W - 200) / 800.0) - static_cast<int>(100 * W / 800.0)) * kPunkt));
  const QImage obraz = ObrazStronyPdf(plik, 1, kDpiObrazu);
  Brzeg(obraz, {11, 100}, {9, 100});
  Brzeg(obraz, {(100 + W - 200) / 10 - 2, 100}, {(100 + W - 200) / 10 + 1, 100});
  const int dol = static_cast<int>(1131 * (W - 200) / 800.0) / 10;
  Brzeg(obraz, {100, dol - 2}, {100, dol + 1});

  // Larger: 200 pixels wider, the left margin kept.
  UstawieniaWydruku wiekszy;
  wiekszy.RozmiarDruku = 20;
  wiekszy.MarginesLewa = 3;
  const TrescPdf pdfSzerszy = CzytajPdf(Drukuj(0, wiekszy));
  const Slowo* szerszy = pdfSzerszy.Znajdz(1, QStringLiteral("Tekst"));
  QVERIFY(szerszy);
  const int x2 = static_cast<int>(100 * (W + 200) / 800.0 + 30) + 1;
  QVERIFY2(Bliskie(szerszy->x0 - przed.x0, (x2 - x0) * kPunkt), qPrintable(QString::number(szerszy->x0 - przed.x0)));
}

void TstWydrukStrony::kazdaStronaWedlugWlasnegoObrazu() {
  // Page 2 is a picture half as high: its print ends at its own height, page 1 fills the sheet.
  ZapiszPlik(p_->PlikStrony(Pit37, 2), Svg(1600, 800, qRgb(0, 0, 255)));
  const QString plik = Drukuj(1);
  const QImage strona2 = ObrazStronyPdf(plik, 2, kDpiObrazu);
  const int dol = static_cast<int>(400 * szerokosc_ / 800.0) / 10;
  Brzeg(strona2, {100, dol - 2}, {100, dol + 1}, qRgb(0, 0, 255));
  QCOMPARE(strona2.pixel(strona2.width() - 1, 10), qRgb(0, 0, 255));
  const QImage strona1 = ObrazStronyPdf(plik, 1, kDpiObrazu);
  QCOMPARE(strona1.pixel(100, static_cast<int>(1131 * szerokosc_ / 800.0) / 10 - 2), kCzerwony);
  // The field of page 2 sits where the display puts it.
  const TrescPdf pdf = CzytajPdf(plik);
  const Slowo* s = pdf.Znajdz(2, QStringLiteral("Strona2"));
  QVERIFY(s);
  QVERIFY(Bliskie(s->x0, (static_cast<int>(100 * szerokosc_ / 800.0) + 1) * kPunkt, 0.5));
}

void TstWydrukStrony::obiektyPozaWpisamiDruku() {
  // A structure with more objects than a record has entries: the last entry prints, the objects after it do not.
  std::vector<TObiekt> pola = PolaFormularza();
  pola.resize(kLiczbaPol + 2);
  for (int k = kLiczbaPol - 1; k < kLiczbaPol + 2; ++k) {
    TObiekt o = Pole(Text, 1, 100 + (k - kLiczbaPol + 1) * 100, 600, 180 + (k - kLiczbaPol + 1) * 100, 650);
    UstawBajty(o.KolorTla, "00A000");
    UstawBajty(o.KolorKrawedzi, "00A000");
    pola[static_cast<std::size_t>(k)] = o;
  }
  p_->Folder().ZapiszDcs(Pit37, pola);
  const QImage obraz = ObrazStronyPdf(Drukuj(0), 1, kDpiObrazu);
  QCOMPARE(obraz.pixel(NaObrazie(140, 625)), kZielony);
  QCOMPARE(obraz.pixel(NaObrazie(240, 625)), kCzerwony);
  QCOMPARE(obraz.pixel(NaObrazie(340, 625)), kCzerwony);
}

void TstWydrukStrony::prawdziweFormularze() {
  const QString dc = QStringLiteral(VELMAR_BIN_DIR "/dc/");
  if (!QFile::exists(dc + QStringLiteral("2.dcs"))) QSKIP("the generated forms are not built");
  for (const QString& plik : QDir(dc).entryList(
           {QStringLiteral("2.*"), QStringLiteral("2_*"), QStringLiteral("6.*"), QStringLiteral("6_*")})) {
    QFile::remove(p_->Dc() + plik);
    QVERIFY(QFile::copy(dc + plik, p_->Dc() + plik));
  }
  T().PrzydzielDruki(2);
  T().DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
  T().DodajDruk(PitO, 1, PMPodatnik, Indywidualne);
  T().BudujDrzewo();
  const auto obiekty = *struktura::CzytajObiekty(p_->Dc() + QStringLiteral("2.dcs"), 1.0f);
  // The taxpayer's NIP (one character per cell) and the first income amount.
  int nip = -1, kwota = -1;
  for (int k = 0; k < static_cast<int>(obiekty.size()) && (nip < 0 || kwota < 0); ++k) {
    const TObiekt& o = obiekty[static_cast<std::size_t>(k)];
    if (nip < 0 && o.Typ == NIP && o.Wyrownanie == Justuj) nip = k;
    if (kwota < 0 && o.Typ == Liczba && o.Format != FormatCalkowita && o.Strona == 1) kwota = k;
  }
  QVERIFY(nip >= 0 && kwota >= 0);
  UstawBajty(Wpis(1, nip).Wartosc, "9876543210");
  UstawBajty(Wpis(1, kwota).Wartosc, "1234,5");
  p_->Pokaz(2);

  // The return with its PIT/O: one file, the PIT-37's three pages, then the PIT/O's three.
  const QString plik = Drukuj(2);
  const TrescPdf zeznanie = CzytajPdf(plik);
  QCOMPARE(zeznanie.LiczbaStron(), 6);
  QVERIFY(!QFile::exists(QString(plik).replace(QStringLiteral(".pdf"), QStringLiteral("-2.pdf"))));

  // Every printed character lies inside its field's box on the page.
  const double s = szerokosc_ / 800.0 * kPunkt;
  const auto wPolu = [&](int k) {
    const TObiekt& o = obiekty[static_cast<std::size_t>(k)];
    std::vector<Slowo> slowa = WPasie(zeznanie, 1, o.Gorny * s, o.Dolny * s);
    std::erase_if(slowa, [&](const Slowo& w) { return w.x1 < o.Lewy * s || w.x0 > o.Prawy * s; });
    return slowa;
  };
  for (const int k : {nip, kwota}) {
    const TObiekt& o = obiekty[static_cast<std::size_t>(k)];
    for (const Slowo& w : wPolu(k))
      QVERIFY2(w.x0 >= o.Lewy * s && w.x1 <= o.Prawy * s && w.y0 >= o.Gorny * s - 0.5 && w.y1 <= o.Dolny * s + 0.5,
               qPrintable(w.tekst));
  }
  QCOMPARE(Razem(wPolu(nip)), QStringLiteral("987-654-32-10"));
  QCOMPARE(Razem(wPolu(kwota)), QStringLiteral("1234,50"));

  // The form's own captions are text on paper too, in the picture's title block.
  const Slowo* symbol = zeznanie.Znajdz(1, QStringLiteral("PIT-37"));
  QVERIFY(symbol);
  QVERIFY(symbol->y1 < 120 * s && symbol->x1 < 400 * s);
  for (const char* slowo : {"ZEZNANIE", "Podstawa", "prawna:"}) QVERIFY2(zeznanie.Znajdz(1, slowo), slowo);
}

void TstWydrukStrony::drukProjektanta() {
  const QString plik = wyniki_->path() + QStringLiteral("/projekt.pdf");
  QPrinter drukarka(QPrinter::HighResolution);
  NaPdf(drukarka, plik);
  const int s = drukarka.width() / 800;
  // The objects' own texts: the value typed in the designer, else the default; the record's values are not used.
  UstawBajty(p_->V().Obiekty[kTekst].Wartosc, "Projekt");
  QVERIFY(T().Drukuj1Click(drukarka));
  const TrescPdf pdf = CzytajPdf(plik);
  QCOMPARE(pdf.LiczbaStron(), 1);
  const Slowo* projekt = pdf.Znajdz(1, QStringLiteral("Projekt"));
  QVERIFY(projekt);
  QVERIFY2(Bliskie(projekt->x0, (100 * s + 1) * kPunkt, 0.5), qPrintable(QString::number(projekt->x0)));
  QVERIFY(pdf.Znajdz(1, QStringLiteral("Domyslny")));
  QVERIFY(!pdf.Znajdz(1, QStringLiteral("Tekst")));
  QVERIFY(!pdf.Znajdz(1, QStringLiteral("Strona2")));
  // The picture at the whole multiple of its display size.
  const QImage obraz = ObrazStronyPdf(plik, 1, kDpiObrazu);
  QCOMPARE(obraz.pixel(800 * s / 10 - 2, 50), kCzerwony);
  if (800 * s / 10 + 1 < obraz.width()) QCOMPARE(obraz.pixel(800 * s / 10 + 1, 50), qRgb(255, 255, 255));

  // Without a page on screen there is nothing to print.
  T().StronaWczytana = 0;
  QVERIFY(!T().Drukuj1Click(drukarka));
}

VELMAR_TEST_MAIN(TstWydrukStrony)
#include "tst_wydruk_strony.moc"
