// Drawing a page: the GDI rules of the helpers, the fields on the overlay probed pixel by pixel over the page
// picture, and the spouse fields locked by settlement kind.

#include <QAction>
#include <QPainter>
#include <climits>
#include <map>
#include <set>

#include "pages/blokada_pol.h"
#include "pages/gdi.h"
#include "pages/nakladka.h"
#include "pages/rysowanie.h"
#include "tst_strony_wspolne.h"
#include "zrodlo.h"

using namespace velmar_test;

namespace {

constexpr QRgb kCzerwony = qRgb(255, 0, 0);
constexpr QRgb kBialy = qRgb(255, 255, 255);
constexpr QRgb kPodswietlenie = qRgb(217, 255, 217);
constexpr QRgb kPrawieBialy = qRgb(255, 255, 254);
const QString kNbsp(QChar(0x00A0));

// What the helpers draw on a white sheet of the overlay's size.
template <typename F>
QImage Wzor(QSize rozmiar, F&& rysuj) {
  QImage obraz(rozmiar, QImage::Format_RGB32);
  obraz.fill(Qt::white);
  QPainter malarz(&obraz);
  gdi::Stan stan;
  gdi::Plotno plotno(malarz, stan);
  rysuj(plotno);
  return obraz;
}

// A field's text as the page draws it: bold, black on white, at a size in points.
QImage WzorTekstu(QSize rozmiar, const QString& tekst, gdi::Prostokat p, unsigned flagi, int punkty = 10) {
  return Wzor(rozmiar, [&](gdi::Plotno& plotno) {
    plotno.stan().pogrubiona = true;
    plotno.UstawRozmiarCzcionki(punkty);
    plotno.RysujTekst(tekst, p, flagi | gdi::DT_NOPREFIX | gdi::DT_SINGLELINE | gdi::DT_NOCLIP);
  });
}

bool Tusz(const QImage& obraz, const QRect& obszar) {
  for (int y = obszar.top(); y <= obszar.bottom(); ++y)
    for (int x = obszar.left(); x <= obszar.right(); ++x)
      if (obraz.pixel(x, y) != kBialy) return true;
  return false;
}

// The spouse's fields of a form by its source in data/forms/.
std::set<int> PolaMalzonka(const char* plik) {
  QFile zrodlo(QStringLiteral(VELMAR_SOURCE_DIR "/data/forms/") + QLatin1String(plik));
  if (!zrodlo.open(QIODevice::ReadOnly)) qFatal("cannot read %s", plik);
  const QByteArray tekst = zrodlo.readAll();
  const auto formularz = formularze::WczytajZrodlo(std::string_view(tekst.constData(), tekst.size()), plik);
  const auto malzonka = [](const std::string& t) {
    return t.find("ałżon") != std::string::npos || t.find("AŁŻON") != std::string::npos;
  };
  struct Wiersz {
    bool malzonka;                             // its section, sub-section or label is the spouse's
    std::vector<std::pair<int, int>> kolumny;  // the spouse's columns of the table it belongs to
  };
  std::map<std::pair<int, std::string>, Wiersz> wiersze;
  std::string tytul;
  const formularze::Element* naglowek = nullptr;
  for (const auto& strona : formularz.strony)
    for (const auto& e : strona.elementy) {
      if (e.rodzaj == formularze::RodzajElementu::Sekcja || e.rodzaj == formularze::RodzajElementu::Podsekcja) {
        tytul = e.teksty.at(0);
        naglowek = nullptr;
      } else if (e.rodzaj == formularze::RodzajElementu::Naglowek) {
        naglowek = &e;
      } else if (e.rodzaj == formularze::RodzajElementu::Wiersz) {
        Wiersz w{malzonka(tytul) || e.etykieta.find("Małżonek") != std::string::npos, {}};
        // A row under a head takes its columns when its label spans the head's label.
        if (naglowek && naglowek->szerokoscEtykiety == e.szerokoscEtykiety)
          for (const auto& k : naglowek->komorki)
            if (k.tekst == "Małżonek") w.kolumny.emplace_back(k.kolumna, k.kolumna + k.szerokosc);
        wiersze[{strona.numer, e.id}] = w;
      }
    }
  std::set<int> wynik;
  for (const auto& p : formularz.pola) {
    const Wiersz& w = wiersze.at({p.miejsce.strona, p.miejsce.wiersz});
    bool wKolumnie = false;
    for (const auto& [od, doKonca] : w.kolumny)
      wKolumnie = wKolumnie || (p.miejsce.kolumna < doKonca && od < p.miejsce.kolumna + p.miejsce.szerokosc);
    if (malzonka(p.opis) || w.malzonka || wKolumnie) wynik.insert(p.indeks);
  }
  return wynik;
}

}  // namespace

class TstRysowanie : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZeStronami> p_;
  TTools& T() { return p_->T(); }
  TFImage& V() { return p_->V(); }
  const QImage& Nakladka() { return V().Formatka->Obraz(); }
  QRgb NaEkranie(int x, int y) { return V().Zlozenie().pixel(x + T().LewaKrawedzStrony, y); }

 private slots:
  void init();
  void cleanup() { p_.reset(); }

  void gdiProstokatBezPrawejIDolnejKrawedzi();
  void gdiTekstNaTleZWielokropkiemIZawijaniem();
  void pikseleNaEkranie_data();
  void pikseleNaEkranie();
  void podswietlenieWylaczone();
  void tekstyPolJakWzor();
  void dataJedenZnakWKomorce();
  void wartoscBezKoncaZostajeWPolu_data();
  void wartoscBezKoncaZostajeWPolu();
  void dopasowanieCzcionki();
  void widokNaOtwartymRozliczeniu();
  void blokadaPolWgRodzaju_data();
  void blokadaPolWgRodzaju();
};

void TstRysowanie::init() {
  p_ = std::make_unique<ProgramZeStronami>();
  const auto pole = [](int typ, int l, int t, int r, int b, bool tylkoOdczyt = true, const char* tlo = "FFFFFF") {
    TObiekt o = Pole(typ, 1, l, t, r, b);
    o.TylkoDoOdczytu = tylkoOdczyt ? 1 : 0;
    UstawBajty(o.KolorTla, tlo);
    return o;
  };
  std::vector<TObiekt> o(16, Pole(Text, 1, 600, 1000, 700, 1020));
  o[0] = pole(Text, 10, 10, 110, 30);
  o[1] = pole(Text, 10, 40, 110, 60, false, "FFFFFE");  // locked by the settlement kind
  o[2] = pole(Text, 10, 70, 110, 90, false);
  o[3] = pole(Text, 10, 100, 110, 120);
  o[6] = pole(NIP, 200, 10, 500, 30);
  o[7] = pole(Data, 200, 40, 400, 60);
  o[7].Wyrownanie = Justuj;
  o[7].LimitZnakow = 4;
  o[8] = pole(Liczba, 200, 70, 500, 90);
  o[8].Wyrownanie = DoPrawej;
  o[9] = o[8];
  o[9].Gorny += 30;
  o[9].Dolny += 30;
  o[9].Format = FormatCalkowita;
  o[10] = pole(Liczba, 200, 130, 500, 150, true, "XYZ");
  UstawBajty(o[10].KolorKrawedzi, "12");
  UstawBajty(o[10].KolorTekstu, "#00000");
  UstawBajty(o[10].RozmiarCzcionki, "xx");
  o[11] = pole(Text, 200, 160, 500, 180, true, "FFFFFE");
  o[12] = pole(Text, 200, 190, 500, 210, true, "FFFFFE");
  o[12].Widoczne = 0;
  o[13] = pole(Checbox, 10, 200, 40, 230, false, "FFFFFE");
  o[14] = pole(Checbox, 10, 240, 40, 270, false);
  o[15] = pole(Text, 200, 300, 500, 320, true, "FFFFFE");
  o[15].Strona = 2;
  p_->ZapiszFormularz(Pit37, 1, o, kCzerwony);
  p_->Uruchom();
  p_->Rozliczenie({{Pit37, 0, PMWspolny}});
  for (const auto& [k, tekst] :
       {std::pair{0, "x"}, std::pair{6, "1234567890"}, std::pair{7, "01022009"}, std::pair{8, "1234567,5"},
        std::pair{9, "1234567,5"}, std::pair{10, "abc"}, std::pair{11, "dalej"}})
    UstawBajty(T().Druki[1].Pola[static_cast<std::size_t>(k)].Wartosc, tekst);
  T().Druki[1].Pola[13].Zaznaczone = 1;
  p_->Pokaz(1);
  QVERIFY(T().StronaWczytana);
}

void TstRysowanie::gdiProstokatBezPrawejIDolnejKrawedzi() {
  const QImage obraz = Wzor({40, 40}, [](gdi::Plotno& p) {
    p.stan().pioro = qRgb(255, 0, 0);
    p.stan().pedzel = qRgb(0, 0, 255);
    p.Rysuj({10, 10, 20, 20});
    p.stan().pioro.reset();
    p.Rysuj({25, 25, 30, 30});
    p.stan().pioro = qRgb(0, 255, 0);
    p.Linia(0, 35, 10, 35);
  });
  QCOMPARE(obraz.pixel(10, 10), qRgb(255, 0, 0));
  QCOMPARE(obraz.pixel(19, 19), qRgb(255, 0, 0));
  QCOMPARE(obraz.pixel(15, 15), qRgb(0, 0, 255));
  QCOMPARE(obraz.pixel(20, 15), kBialy);
  QCOMPARE(obraz.pixel(15, 20), kBialy);
  // Without a pen the fill is a pixel smaller each way.
  QCOMPARE(obraz.pixel(28, 28), qRgb(0, 0, 255));
  QCOMPARE(obraz.pixel(29, 28), kBialy);
  QCOMPARE(obraz.pixel(9, 35), qRgb(0, 255, 0));
  QCOMPARE(obraz.pixel(10, 35), kBialy);
}

void TstRysowanie::gdiTekstNaTleZWielokropkiemIZawijaniem() {
  const QString tekst = QStringLiteral("Ala ma kota i psa");
  const auto rysuj = [&](unsigned flagi, int prawa) {
    return Wzor({300, 100}, [&](gdi::Plotno& p) {
      p.UstawRozmiarCzcionki(10);
      p.stan().tloTekstu = qRgb(0, 0, 255);
      p.stan().kolorTekstu = qRgb(255, 255, 0);
      p.RysujTekst(tekst, {5, 5, prawa, 95}, flagi);
    });
  };
  const QImage pelny = rysuj(gdi::DT_SINGLELINE, 295);
  // Opaque background behind the text only, from the top of the rectangle.
  QCOMPARE(pelny.pixel(5, 5), qRgb(0, 0, 255));
  QCOMPARE(pelny.pixel(5, 40), kBialy);
  QCOMPARE(pelny.pixel(294, 6), kBialy);

  int szerokosc = 0;
  Wzor({1, 1}, [&](gdi::Plotno& p) {
    p.UstawRozmiarCzcionki(10);
    szerokosc = p.SzerokoscTekstu(tekst);
  });
  QVERIFY(pelny.pixel(5 + szerokosc - 1, 6) != kBialy && pelny.pixel(5 + szerokosc + 1, 6) == kBialy);

  // A narrow rectangle: clipped, cut with an ellipsis, or broken into lines that go down.
  const int waski = 5 + szerokosc / 2;
  const QImage obciety = rysuj(gdi::DT_SINGLELINE, waski);
  QVERIFY(!Tusz(obciety, QRect(waski, 0, 300 - waski, 100)));
  const QImage bezObciecia = rysuj(gdi::DT_SINGLELINE | gdi::DT_NOCLIP, waski);
  QVERIFY(Tusz(bezObciecia, QRect(waski, 0, 300 - waski, 100)));
  const QImage wielokropek = rysuj(gdi::DT_SINGLELINE | gdi::DT_END_ELLIPSIS, waski);
  QVERIFY(wielokropek != obciety);
  QVERIFY(!Tusz(wielokropek, QRect(waski, 0, 300 - waski, 100)));
  const QImage zawiniety = rysuj(gdi::DT_WORDBREAK, waski);
  QVERIFY(Tusz(zawiniety, QRect(5, 25, waski - 5, 20)));
  QVERIFY(!Tusz(obciety, QRect(5, 25, waski - 5, 20)));
}

void TstRysowanie::pikseleNaEkranie_data() {
  QTest::addColumn<QPoint>("punkt");
  QTest::addColumn<QRgb>("kolor");
  QTest::newRow("FFFFFF shows the picture") << QPoint(60, 20) << kCzerwony;
  QTest::newRow("FFFFFE covers it") << QPoint(60, 50) << kPrawieBialy;
  QTest::newRow("outside every field") << QPoint(5, 5) << kCzerwony;
  QTest::newRow("editable, highlighted") << QPoint(100, 80) << kPodswietlenie;
  QTest::newRow("read-only in its file") << QPoint(100, 110) << kCzerwony;
  QTest::newRow("locked outside a joint settlement") << QPoint(100, 50) << kPrawieBialy;
  QTest::newRow("drawn after a bad field") << QPoint(450, 170) << kPrawieBialy;
  QTest::newRow("hidden") << QPoint(450, 200) << kCzerwony;
  QTest::newRow("the cross of a ticked box") << QPoint(25, 215) << qRgb(0, 0, 0);
  QTest::newRow("nothing of a box's fill") << QPoint(11, 201) << kCzerwony;
  QTest::newRow("an object of another page") << QPoint(450, 310) << kCzerwony;
}

void TstRysowanie::pikseleNaEkranie() {
  QFETCH(QPoint, punkt);
  QFETCH(QRgb, kolor);
  QCOMPARE(NaEkranie(punkt.x(), punkt.y()), kolor);
}

void TstRysowanie::podswietlenieWylaczone() {
  QVERIFY(!Tusz(Nakladka(), QRect(10, 240, 30, 30)));  // an unticked box draws nothing
  T().PodswietlPol->setChecked(false);
  QVERIFY(T().PokazStrone(T().BiezacyTyp, 1, true));
  QCOMPARE(NaEkranie(100, 80), kCzerwony);
}

void TstRysowanie::tekstyPolJakWzor() {
  const QSize rozmiar = Nakladka().size();
  const auto porownaj = [&](const QString& tekst, int gora, unsigned flagi) {
    const QRect obszar(200, gora, 300, 20);
    return WzorTekstu(rozmiar, tekst, {201, gora + 1, 499, gora + 19}, flagi).copy(obszar) == Nakladka().copy(obszar);
  };
  QVERIFY(porownaj(QStringLiteral("123-456-78-90"), 10, gdi::DT_LEFT));
  QVERIFY(!porownaj(QStringLiteral("1234567890"), 10, gdi::DT_LEFT));
  // Format 1 with thousands separators and two decimals, format 2 as typed, a bad amount as it stands.
  QVERIFY(porownaj(QStringLiteral("1") + kNbsp + QStringLiteral("234") + kNbsp + QStringLiteral("567,50"), 70,
                   gdi::DT_RIGHT));
  QVERIFY(porownaj(QStringLiteral("1234567,5"), 100, gdi::DT_RIGHT));
  QVERIFY(porownaj(QStringLiteral("abc"), 130, gdi::DT_LEFT));
  QVERIFY(Tusz(Nakladka(), QRect(11, 11, 98, 18)));  // the first field's value too

  QCOMPARE(WstawMyslnikiNip("123-45"), std::string("123-45"));
  QCOMPARE(WstawMyslnikiDaty("01022009"), std::string("01-02-2009"));
  QCOMPARE(KwotaDoWyswietlenia("-0,004"), QStringLiteral("0,00"));
  QCOMPARE(KwotaDoWyswietlenia("-1000,005"), QStringLiteral("-1") + kNbsp + QStringLiteral("000,01"));
  QCOMPARE(KwotaDoWyswietlenia("12"), QStringLiteral("12,00"));
  QVERIFY(!KwotaDoWyswietlenia("12 000"));
  QVERIFY(!KwotaDoWyswietlenia("1e30"));
}

// A value that fills its whole entry (no terminator) is drawn within its field, as on paper, whatever its type.
void TstRysowanie::wartoscBezKoncaZostajeWPolu_data() {
  QTest::addColumn<int>("pole");
  QTest::addColumn<QRect>("obok");  // overlay pixels just outside the field, on the side the text runs to
  QTest::newRow("text") << 0 << QRect(111, 10, 80, 20);
  QTest::newRow("amount, to the left") << 8 << QRect(120, 70, 79, 20);
  QTest::newRow("whole number, to the left") << 9 << QRect(120, 100, 79, 20);
}

void TstRysowanie::wartoscBezKoncaZostajeWPolu() {
  QFETCH(int, pole);
  QFETCH(QRect, obok);
  QVERIFY(!Tusz(Nakladka(), obok));
  std::fill(std::begin(T().Druki[1].Pola[static_cast<std::size_t>(pole)].Wartosc),
            std::end(T().Druki[1].Pola[static_cast<std::size_t>(pole)].Wartosc), 'W');
  T().WyczyscNakladke();
  RysujObiekty(&V());
  QVERIFY(!Tusz(Nakladka(), obok));
}

void TstRysowanie::dataJedenZnakWKomorce() {
  // 200 pixels in 10 cells of 20 whatever the cell count says, each character centred in its own; the dashes too.
  for (int k = 0; k < 10; ++k) {
    int lewa = INT_MAX, prawa = -1;
    for (int x = 200 + 20 * k; x < 220 + 20 * k; ++x)
      if (Tusz(Nakladka(), QRect(x, 41, 1, 18))) {
        lewa = std::min(lewa, x);
        prawa = x;
      }
    QVERIFY2(prawa >= 0 && std::abs(lewa + prawa - 2 * (210 + 20 * k)) <= 4,
             qPrintable(QStringLiteral("cell %1").arg(k)));
  }
  QVERIFY(!Tusz(Nakladka(), QRect(200 + 20 * 2 + 2, 41, 17, 7)));  // a dash leaves the top of its cell blank
}

void TstRysowanie::dopasowanieCzcionki() {
  TRysowanieNakladki rysowanie(*V().Formatka);
  gdi::Plotno* plotno = rysowanie.Plotno();
  QVERIFY(plotno);
  const QString dlugi = QStringLiteral("bardzo długi tekst pola");
  for (const auto& [od, doKonca] : {std::pair{10, 4}, std::pair{9, 3}}) {
    plotno->UstawRozmiarCzcionki(od);
    DopasujCzcionke(&V(), 30, dlugi);
    QCOMPARE(plotno->RozmiarCzcionki(), doKonca);
  }
  plotno->UstawRozmiarCzcionki(10);
  DopasujCzcionke(&V(), 400, dlugi);
  QCOMPARE(plotno->RozmiarCzcionki(), 10);
  plotno->UstawRozmiarCzcionki(12);
  const int szerokosc = plotno->SzerokoscTekstu(dlugi);
  plotno->UstawRozmiarCzcionki(10);
  DopasujCzcionke(&V(), szerokosc + 9, dlugi);
  QCOMPARE(plotno->RozmiarCzcionki(), 10);
}

// A view made while a settlement is open shows its first form at once; a record count without records, or records
// without a count, shows nothing.
void TstRysowanie::widokNaOtwartymRozliczeniu() {
  for (const int liczba : {-1, 0, 1}) {
    p_.reset();
    p_ = std::make_unique<ProgramZeStronami>();
    p_->ZapiszFormularz(Pit37, 1, {Pole(Text, 1, 10, 10, 110, 30)});
    p_->UruchomOkno();
    if (liczba == 1)
      T().LiczbaDrukow = 1;
    else
      p_->Rozliczenie({{Pit37, 0, PMWspolny}});
    if (liczba == 0) T().LiczbaDrukow = 0;
    p_->UtworzWidok();
    QCOMPARE(T().StronaWczytana, std::uint8_t(liczba < 0));
    QCOMPARE(T().BiezacyDruk.Id, liczba < 0 ? 1 : 0);
  }
}

void TstRysowanie::blokadaPolWgRodzaju_data() {
  QTest::addColumn<int>("kod");
  QTest::addColumn<int>("rodzaj");
  QTest::addColumn<int>("rodzic");       // the form type of record 1, the record the form is attached to
  QTest::addColumn<QList<int>>("inne");  // locked besides the spouse's fields
  const QList<int> pit28{22, 34, 35};
  QTest::newRow("PIT-36 individual") << int(Pit36) << int(Indywidualne) << int(Pit37) << QList<int>{};
  QTest::newRow("PIT-36 single parent") << int(Pit36) << int(SamotnieWychowujacy) << int(Pit37) << QList<int>{};
  QTest::newRow("PIT-36 joint") << int(Pit36) << int(WspolneZMalzonkiem) << int(Pit37) << QList<int>{};
  QTest::newRow("PIT-37 individual") << int(Pit37) << int(Indywidualne) << int(Pit36) << QList<int>{};
  QTest::newRow("PIT-37 joint") << int(Pit37) << int(WspolneZMalzonkiem) << int(Pit36) << QList<int>{};
  QTest::newRow("PIT/O individual") << int(PitO) << int(Indywidualne) << int(Pit37) << QList<int>{};
  QTest::newRow("PIT/O of a PIT-28, joint") << int(PitO) << int(WspolneZMalzonkiem) << int(Pit28) << pit28;
  QTest::newRow("PIT/O of a PIT-28, individual") << int(PitO) << int(Indywidualne) << int(Pit28) << pit28;
  QTest::newRow("PIT-36L") << int(Pit36L) << int(Indywidualne) << int(Pit37) << QList<int>{};
  QTest::newRow("PIT-28") << int(Pit28) << int(Indywidualne) << int(Pit37) << QList<int>{};
}

// Outside a joint settlement every field of the spouse is locked, as the form's own source tells them: a caption
// naming the spouse, a section or sub-section of the spouse, a row labelled for the spouse, or the spouse's column
// of a table. The spouse's fields that the program fills itself, or that both share, stay open.
void TstRysowanie::blokadaPolWgRodzaju() {
  QFETCH(int, kod);
  QFETCH(int, rodzaj);
  QFETCH(int, rodzic);
  QFETCH(QList<int>, inne);
  const std::map<int, std::pair<const char*, std::set<int>>> formularze = {
      // Totals and results computed from the spouse's entries; the spouse's amounts carried in from PIT/M and
      // PIT/O; the spouse's PIT/Z boxes, which only a spouse's PIT/Z follows; the date both sign under.
      {Pit36, {"pit36.txt", {127, 128, 129, 130, 143, 201, 203, 132, 134, 145, 178, 40, 42, 319}}},
      {Pit37, {"pit37.txt", {93, 95, 108, 122}}},
      {PitO, {"pito.txt", {29, 42}}}};
  std::set<int> oczekiwane(inne.begin(), inne.end());
  if (const auto f = formularze.find(kod); f != formularze.end() && rodzaj != WspolneZMalzonkiem) {
    const std::set<int> malzonka = PolaMalzonka(f->second.first);
    for (const int k : f->second.second) QVERIFY2(malzonka.count(k), qPrintable(QString::number(k)));
    std::ranges::set_difference(malzonka, f->second.second, std::inserter(oczekiwane, oczekiwane.end()));
  }

  p_->Rozliczenie({{rodzic, 0, PMWspolny}, {kod, 1, PMWspolny}}, rodzaj);
  T().BiezacyDruk = T().Druki[2];
  for (const int liczba : {kLiczbaPol, 30}) {
    V().Obiekty.assign(static_cast<std::size_t>(liczba), TObiekt{});
    T().LiczbaObiektow = liczba;
    ZablokujPolaDruku(&V());
    QCOMPARE(V().Obiekty.size(), static_cast<std::size_t>(liczba));
    QStringList roznice;
    for (int k = 0; k < liczba; ++k)
      if (V().Obiekty[static_cast<std::size_t>(k)].TylkoDoOdczytu != oczekiwane.count(k))
        roznice << (oczekiwane.count(k) ? QStringLiteral("open %1") : QStringLiteral("locked %1")).arg(k);
    QVERIFY2(roznice.isEmpty(), qPrintable(roznice.join(QStringLiteral(", "))));
  }
}

VELMAR_TEST_MAIN(TstRysowanie)
#include "tst_rysowanie.moc"
