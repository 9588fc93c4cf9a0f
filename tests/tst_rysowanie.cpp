// Drawing a page: the rectangle, ellipsis and line-break rules of the drawing helpers, the fields on the overlay
// probed pixel by pixel over the page picture, the highlight switched off, a long value's font fitted to its field
// and the value running on past it, and the spouse fields locked by settlement kind.

#include <QAction>
#include <QPainter>
#include <climits>
#include <map>
#include <set>

#include "pages/blokada_pol.h"
#include "pages/gdi.h"
#include "pages/nakladka.h"
#include "pages/rysowanie.h"
#include "support/strony.h"
#include "zrodlo.h"

using namespace velmar_test;

namespace {

constexpr QRgb kCzerwony = qRgb(255, 0, 0);
constexpr QRgb kBialy = qRgb(255, 255, 255);
constexpr QRgb kPodswietlenie = qRgb(217, 255, 217);
constexpr QRgb kPrawieBialy = qRgb(255, 255, 254);

bool Tusz(const QImage& obraz, const QRect& obszar) {
  for (int y = obszar.top(); y <= obszar.bottom(); ++y)
    for (int x = obszar.left(); x <= obszar.right(); ++x)
      if (obraz.pixel(x, y) != kBialy) return true;
  return false;
}

// The spouse's fields of a form by its source in data/forms/.
std::set<int> PolaMalzonka(const char* plik) {
  const QByteArray tekst = CzytajPlik(QStringLiteral(VELMAR_SOURCE_DIR "/data/forms/") + QLatin1String(plik));
  const auto formularz = formularze::WczytajZrodlo(std::string_view(tekst.constData(), tekst.size()), plik);
  const auto malzonka = [](const std::string& t) {
    return t.find("ałżon") != std::string::npos || t.find("AŁŻON") != std::string::npos;
  };
  // Each row: whether its section, sub-section or label is the spouse's, and the spouse's columns of its table.
  std::map<std::pair<int, std::string>, std::pair<bool, std::vector<std::pair<int, int>>>> wiersze;
  std::string tytul;
  const formularze::Element* naglowek = nullptr;
  for (const auto& strona : formularz.strony)
    for (const auto& e : strona.elementy) {
      using enum formularze::RodzajElementu;
      if (e.rodzaj == Sekcja || e.rodzaj == Podsekcja) {
        tytul = e.teksty.at(0);
        naglowek = nullptr;
      }
      if (e.rodzaj == Naglowek) naglowek = &e;
      if (e.rodzaj != Wiersz) continue;
      auto& [wiersz, kolumny] = wiersze[{strona.numer, e.id}];
      wiersz = malzonka(tytul) || e.etykieta.find("Małżonek") != std::string::npos;
      // A row under a head takes its columns when its label spans the head's label.
      if (naglowek && naglowek->szerokoscEtykiety == e.szerokoscEtykiety)
        for (const auto& k : naglowek->komorki)
          if (k.tekst == "Małżonek") kolumny.emplace_back(k.kolumna, k.kolumna + k.szerokosc);
    }
  std::set<int> wynik;
  for (const auto& p : formularz.pola) {
    const auto& [wiersz, kolumny] = wiersze.at({p.miejsce.strona, p.miejsce.wiersz});
    bool jego = wiersz || malzonka(p.opis);
    for (const auto& [od, doKonca] : kolumny)
      jego = jego || (p.miejsce.kolumna < doKonca && od < p.miejsce.kolumna + p.miejsce.szerokosc);
    if (jego) wynik.insert(p.indeks);
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
  QRgb NaEkranie(QPoint p) { return V().Zlozenie().pixel(p.x() + T().LewaKrawedzStrony, p.y()); }

 private slots:
  // One page of fields, most of them read-only, with values in record 1 of a settlement that is not joint.
  void init() {
    p_ = std::make_unique<ProgramZeStronami>();
    struct Opis {
      int k, typ, l, t, r, b;
      bool tylkoOdczyt;
      const char *tlo, *wartosc;
    };
    std::vector<TObiekt> o(16, Pole(Text, 1, 600, 1000, 700, 1020));
    std::array<const char*, 16> wartosci{};
    // clang-format off
    for (const Opis& d : {Opis{0, Text, 10, 10, 110, 30, true, "FFFFFF", "x"},
                          Opis{1, Text, 10, 40, 110, 60, false, "FFFFFE", ""},  // locked by the settlement kind
                          Opis{2, Text, 10, 70, 110, 90, false, "FFFFFF", ""},
                          Opis{3, Text, 10, 100, 110, 120, true, "FFFFFF", ""},
                          Opis{6, NIP, 200, 10, 500, 30, true, "FFFFFF", "1234567890"},
                          Opis{7, Data, 200, 40, 400, 60, true, "FFFFFF", "01022009"},
                          Opis{8, Liczba, 200, 70, 500, 90, true, "FFFFFF", "1234567,5"},
                          Opis{9, Liczba, 200, 100, 500, 120, true, "FFFFFF", "1234567,5"},
                          Opis{10, Liczba, 200, 130, 500, 150, true, "XYZ", "abc"},
                          Opis{11, Text, 200, 160, 500, 180, true, "FFFFFE", "dalej"},
                          Opis{12, Text, 200, 190, 500, 210, true, "FFFFFE", ""},
                          Opis{13, Checbox, 10, 200, 40, 230, false, "FFFFFE", ""},
                          Opis{14, Checbox, 10, 240, 40, 270, false, "FFFFFF", ""},
                          Opis{15, Text, 200, 300, 500, 320, true, "FFFFFE", ""}}) {
      // clang-format on
      o[d.k] = Pole(d.typ, 1, d.l, d.t, d.r, d.b);
      wartosci[d.k] = d.wartosc;
      o[d.k].TylkoDoOdczytu = d.tylkoOdczyt ? 1 : 0;
      UstawBajty(o[d.k].KolorTla, d.tlo);
    }
    o[7].Wyrownanie = Justuj;
    o[7].LimitZnakow = 4;
    o[8].Wyrownanie = o[9].Wyrownanie = DoPrawej;
    o[9].Format = FormatCalkowita;
    UstawBajty(o[10].KolorKrawedzi, "12");
    UstawBajty(o[10].KolorTekstu, "#00000");
    UstawBajty(o[10].RozmiarCzcionki, "xx");
    o[12].Widoczne = 0;
    o[15].Strona = 2;
    p_->ZapiszFormularz(Pit37, 1, o, kCzerwony);
    p_->Uruchom();
    p_->Rozliczenie({{Pit37, 0, PMWspolny}});
    for (std::size_t k = 0; k < wartosci.size(); ++k)
      if (wartosci[k]) UstawBajty(T().Druki[1].Pola[k].Wartosc, wartosci[k]);
    T().Druki[1].Pola[13].Zaznaczone = 1;
    p_->Pokaz(1);
    QVERIFY(T().StronaWczytana);
  }
  void cleanup() { p_.reset(); }

  // A rectangle leaves out its right and bottom edges; without a pen the fill is a pixel smaller each way; a line,
  // one pixel thick, leaves out its end point whichever way it runs.
  void gdiProstokatBezPrawejIDolnejKrawedzi() {
    QImage obraz(40, 40, QImage::Format_RGB32);
    obraz.fill(Qt::white);
    {
      QPainter malarz(&obraz);
      gdi::Stan stan{.pioro = qRgb(255, 0, 0), .pedzel = qRgb(0, 0, 255)};
      gdi::Plotno p(malarz, stan);
      p.Rysuj({10, 10, 20, 20});
      p.stan().pioro.reset();
      p.Rysuj({25, 25, 30, 30});
      p.stan().pioro = qRgb(0, 255, 0);
      p.Linia(0, 35, 10, 35);
      p.Linia(10, 38, 0, 38);
    }
    const QRgb pioro = qRgb(255, 0, 0), pedzel = qRgb(0, 0, 255);
    for (const auto& [punkt, kolor] :
         {std::pair{QPoint(10, 10), pioro}, std::pair{QPoint(19, 19), pioro}, std::pair{QPoint(15, 15), pedzel},
          std::pair{QPoint(20, 15), kBialy}, std::pair{QPoint(15, 20), kBialy}, std::pair{QPoint(28, 28), pedzel},
          std::pair{QPoint(29, 28), kBialy}, std::pair{QPoint(28, 29), kBialy},
          std::pair{QPoint(9, 35), qRgb(0, 255, 0)}, std::pair{QPoint(10, 35), kBialy},
          std::pair{QPoint(5, 36), kBialy}, std::pair{QPoint(0, 38), kBialy}, std::pair{QPoint(1, 38), qRgb(0, 255, 0)},
          std::pair{QPoint(1, 39), kBialy}})
      QCOMPARE(obraz.pixel(punkt), kolor);
  }

  // A single line wider than its box ends in an ellipsis after as much as fits; one exactly as wide is drawn whole.
  // A multi-line field's text broken at the words that do not fit goes on in the lines below.
  void gdiWielokropek() {
    QImage obraz(300, 100, QImage::Format_RGB32);
    QPainter malarz(&obraz);
    gdi::Stan stan;
    gdi::Plotno plotno(malarz, stan);
    plotno.UstawRozmiarCzcionki(10);
    const auto napis = [&](const QString& tekst, int szerokosc, unsigned flagi) {
      malarz.fillRect(obraz.rect(), Qt::white);
      plotno.RysujTekst(tekst, {5, 5, 5 + szerokosc, 95}, flagi);
      return obraz.copy();
    };
    const QString tekst = QStringLiteral("Ala ma kota i psa"), skrot = QStringLiteral("Ala ma kota...");
    const int caly = plotno.SzerokoscTekstu(tekst), krotki = plotno.SzerokoscTekstu(skrot);
    constexpr unsigned jeden = gdi::DT_SINGLELINE;
    QCOMPARE(napis(tekst, caly, jeden | gdi::DT_END_ELLIPSIS), napis(tekst, caly, jeden));
    const QImage wielokropek = napis(tekst, krotki, jeden | gdi::DT_END_ELLIPSIS);
    QVERIFY(Tusz(wielokropek, QRect(5, 5, krotki, 30)));
    QCOMPARE(wielokropek, napis(skrot, krotki, jeden));
    const QRect drugiWiersz(5, 25, krotki, 20);
    QVERIFY(Tusz(napis(tekst, krotki, gdi::DT_WORDBREAK), drugiWiersz));
    QVERIFY(!Tusz(napis(tekst, krotki, jeden), drugiWiersz));
  }

  void pikseleNaEkranie_data() {
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
    QTest::newRow("nothing of an unticked box") << QPoint(25, 255) << kCzerwony;
    QTest::newRow("an object of another page") << QPoint(450, 310) << kCzerwony;
  }

  void pikseleNaEkranie() {
    QFETCH(QPoint, punkt);
    QFETCH(QRgb, kolor);
    QCOMPARE(NaEkranie(punkt), kolor);
  }

  // "Podświetlanie pól" off: the page drawn again shows the editable field without its highlight.
  void podswietlenieWylaczone() {
    T().PodswietlPol->setChecked(false);
    QVERIFY(T().PokazStrone(T().BiezacyTyp, 1, true));
    QCOMPARE(NaEkranie({100, 80}), kCzerwony);
  }

  // "Podświetlanie pól" and "Nazwy pól" chosen from the menu draw the page on screen again in their new way.
  void przelacznikiWidokuRysujaStrone() {
    T().PodswietlPol->trigger();
    QCOMPARE(NaEkranie({100, 80}), kCzerwony);
    T().PodswietlPol->trigger();
    QCOMPARE(NaEkranie({100, 80}), kPodswietlenie);
    T().TrybKlienta = 0;
    T().UstawTryb(false);
    const QRect pole(11, 71, 98, 18);
    const auto etykieta = [&] {
      const QImage ekran = V().Zlozenie();
      for (int y = pole.top(); y <= pole.bottom(); ++y)
        for (int x = pole.left(); x <= pole.right(); ++x)
          if (ekran.pixel(x + T().LewaKrawedzStrony, y) == qRgb(255, 255, 128)) return true;
      return false;
    };
    QVERIFY(etykieta());
    T().NazwyPol->trigger();
    QVERIFY(!etykieta());
  }

  // An amount shown (and printed) rounded half away from zero, grouped by thousands with nothing before the first
  // group, always two decimals, never as a negative zero; "_" is the thousands gap, "!" no amount to show.
  void kwotyNaEkranie_data() {
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<QString>("pokazana");
    QTest::newRow("noise is zero") << "-0,004" << "0,00";
    QTest::newRow("rounded away from zero") << "-1000,005" << "-1_000,01";
    QTest::newRow("three digits") << "123,45" << "123,45";
    QTest::newRow("six digits") << "123456,78" << "123_456,78";
    QTest::newRow("nine digits") << "123456789" << "123_456_789,00";
    QTest::newRow("nine grosze") << "12,09" << "12,09";
    QTest::newRow("nine grosze below zero") << "-0,09" << "-0,09";
    QTest::newRow("one grosz below zero") << "-0,01" << "-0,01";
    QTest::newRow("a gap") << "12 000" << "!";
    QTest::newRow("too large") << "1e30" << "!";
  }
  void kwotyNaEkranie() {
    QFETCH(QString, tekst);
    QFETCH(QString, pokazana);
    QCOMPARE(KwotaDoWyswietlenia(tekst.toStdString()).value_or(QStringLiteral("!")),
             QString(pokazana).replace(QLatin1Char('_'), QChar(0x00A0)));
  }

  // Values on screen as the drawing helpers write them: NIP with its dashes, format 1 grouped with two decimals and
  // right-aligned, format 2 as typed, a bad amount as it stands.
  void tekstyPolJakWzor_data() {
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<int>("gora");
    QTest::addColumn<unsigned>("flagi");
    const QString nbsp(QChar(0x00A0));
    QTest::newRow("nip") << QStringLiteral("123-456-78-90") << 10 << unsigned(gdi::DT_LEFT);
    QTest::newRow("format 1") << "1" + nbsp + "234" + nbsp + "567,50" << 70 << unsigned(gdi::DT_RIGHT);
    QTest::newRow("format 2") << QStringLiteral("1234567,5") << 100 << unsigned(gdi::DT_RIGHT);
    QTest::newRow("bad amount") << QStringLiteral("abc") << 130 << unsigned(gdi::DT_LEFT);
  }
  void tekstyPolJakWzor() {
    QFETCH(QString, tekst);
    QFETCH(int, gora);
    QFETCH(unsigned, flagi);
    QImage wzor(Nakladka().size(), QImage::Format_RGB32);
    wzor.fill(kBialy);
    {
      QPainter malarz(&wzor);
      gdi::Stan stan;
      gdi::Plotno plotno(malarz, stan);
      plotno.stan().pogrubiona = true;
      plotno.UstawRozmiarCzcionki(10);
      plotno.RysujTekst(tekst, {201, gora + 1, 499, gora + 19},
                        flagi | gdi::DT_NOPREFIX | gdi::DT_SINGLELINE | gdi::DT_NOCLIP);
    }
    const QRect obszar(200, gora, 300, 20);
    QVERIFY(Tusz(wzor, obszar));
    QCOMPARE(Nakladka().copy(obszar), wzor.copy(obszar));
    QVERIFY(Tusz(Nakladka(), QRect(11, 11, 98, 18)));  // the first field's value too
  }

  // A value too long for its field, even at the smallest font, runs on past the field on the side its alignment
  // leaves open, whatever its type; its whole entry filled (no terminator) it is still read within the entry.
  void dlugaWartoscPozaPolem() {
    // Overlay pixels just outside the field, on the side the text runs to.
    for (const auto& [k, obok] : {std::pair{0, QRect(111, 10, 80, 20)}, std::pair{8, QRect(120, 70, 79, 20)},
                                  std::pair{9, QRect(120, 100, 79, 20)}}) {
      QVERIFY(!Tusz(Nakladka(), obok));
      std::ranges::fill(T().Druki[1].Pola[static_cast<std::size_t>(k)].Wartosc, 'W');
      T().WyczyscNakladke();
      RysujObiekty(&V());
      QVERIFY2(Tusz(Nakladka(), obok), qPrintable(QString::number(k)));
    }
  }

  void dopasowanieCzcionki_data() {
    QTest::addColumn<int>("od");         // the font size the field asks for
    QTest::addColumn<int>("szerokosc");  // of the field; 0: the text's width at `od` plus `zapas`
    QTest::addColumn<int>("zapas");
    QTest::addColumn<int>("rozmiar");    // the size the text is drawn at
    QTest::newRow("down in steps of two to 4") << 10 << 30 << 0 << 4;
    QTest::newRow("an odd size down to 3") << 9 << 30 << 0 << 3;
    QTest::newRow("a wide field keeps the size") << 10 << 400 << 0 << 10;
    QTest::newRow("ten pixels to spare") << 10 << 0 << 10 << 10;
    QTest::newRow("nine pixels to spare") << 10 << 0 << 9 << 8;
  }
  // A value wider than its field less ten pixels is drawn smaller, two points at a time, until it fits or the font
  // is at 4 points or less.
  void dopasowanieCzcionki() {
    QFETCH(int, od);
    QFETCH(int, szerokosc);
    QFETCH(int, zapas);
    QFETCH(int, rozmiar);
    TRysowanieNakladki rysowanie(*V().Formatka);
    gdi::Plotno* plotno = rysowanie.Plotno();
    QVERIFY(plotno);
    const QString dlugi = QStringLiteral("bardzo długi tekst pola");
    plotno->UstawRozmiarCzcionki(od);
    if (szerokosc == 0) szerokosc = plotno->SzerokoscTekstu(dlugi) + zapas;
    DopasujCzcionke(&V(), szerokosc, dlugi);
    QCOMPARE(plotno->RozmiarCzcionki(), rozmiar);
  }

  void dataJedenZnakWKomorce() {
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

  // Characters taller than their cells are cut at the cell's last row inside the frame, not a row before it.
  void znakiWyzszeOdKomorek() {
    V().Obiekty[7].Dolny = 50;
    T().WyczyscNakladke();
    RysujObiekty(&V());
    QVERIFY(Tusz(Nakladka(), QRect(200, 48, 200, 1)));
    QVERIFY(!Tusz(Nakladka(), QRect(200, 49, 200, 1)));
  }

  // A view made while a settlement is open shows its first form at once; a record count without records, or records
  // without a count, shows nothing.
  void widokNaOtwartymRozliczeniu() {
    for (const int liczba : {-1, 0, 1}) {
      p_.reset();
      p_ = std::make_unique<ProgramZeStronami>();
      p_->ZapiszFormularz(Pit37, 1, {Pole(Text, 1, 10, 10, 110, 30)});
      p_->UruchomOkno();
      if (liczba != 1) p_->Rozliczenie({{Pit37, 0, PMWspolny}});
      if (liczba >= 0) T().LiczbaDrukow = liczba;
      p_->UtworzWidok();
      QCOMPARE((std::pair{T().StronaWczytana, T().BiezacyDruk.Id}),
               (std::pair{std::uint8_t(liczba < 0), int(liczba < 0)}));
    }
  }

  // The record on screen no longer counted in the settlement (its slot still in the container, as a removal leaves
  // the last one) lends the page none of its values.
  void rekordPozaLiczbaBezWartosci() {
    QVERIFY(Tusz(Nakladka(), QRect(11, 11, 98, 18)));
    T().LiczbaDrukow = 0;
    T().WyczyscNakladke();
    RysujObiekty(&V());
    QVERIFY(!Tusz(Nakladka(), QRect(11, 11, 98, 18)));
  }

  void blokadaPolWgRodzaju_data() {
    QTest::addColumn<int>("kod");
    QTest::addColumn<int>("rodzaj");
    QTest::addColumn<int>("rodzic");       // the form type of record 1, the record the form is attached to
    QTest::addColumn<QList<int>>("inne");  // locked besides the spouse's fields
    const QList<int> pit28{22, 34, 35};
    QTest::newRow("PIT-36 individual") << int(Pit36) << int(Indywidualne) << int(Pit37) << QList<int>{};
    QTest::newRow("PIT-36 single parent") << int(Pit36) << int(SamotnieWychowujacy) << int(Pit37) << QList<int>{};
    QTest::newRow("PIT-36 joint") << int(Pit36) << int(WspolneZMalzonkiem) << int(Pit37) << QList<int>{};
    QTest::newRow("PIT-37 individual") << int(Pit37) << int(Indywidualne) << int(Pit36) << QList<int>{};
    QTest::newRow("PIT-37 single parent") << int(Pit37) << int(SamotnieWychowujacy) << int(Pit36) << QList<int>{};
    QTest::newRow("PIT-37 joint") << int(Pit37) << int(WspolneZMalzonkiem) << int(Pit36) << QList<int>{};
    QTest::newRow("PIT/O individual") << int(PitO) << int(Indywidualne) << int(Pit37) << QList<int>{};
    QTest::newRow("PIT/O single parent") << int(PitO) << int(SamotnieWychowujacy) << int(Pit37) << QList<int>{};
    QTest::newRow("PIT/O of a PIT-28, joint") << int(PitO) << int(WspolneZMalzonkiem) << int(Pit28) << pit28;
    QTest::newRow("PIT/O of a PIT-28, individual") << int(PitO) << int(Indywidualne) << int(Pit28) << pit28;
    QTest::newRow("PIT-28") << int(Pit28) << int(Indywidualne) << int(Pit37) << QList<int>{};
  }

  // Outside a joint settlement every field of the spouse is locked, as the form's own source tells them: a caption
  // naming the spouse, a section or sub-section of the spouse, a row labelled for the spouse, or the spouse's column
  // of a table; the amounts the spouse's attachments carry in and the spouse's PIT/Z boxes too. Only the fields the
  // structure itself makes read-only and those both persons share are left as they are.
  void blokadaPolWgRodzaju() {
    QFETCH(int, kod);
    QFETCH(int, rodzaj);
    QFETCH(int, rodzic);
    QFETCH(QList<int>, inne);
    const std::map<int, std::pair<const char*, std::set<int>>> formularze = {
        // Totals and results computed from the spouse's entries, read-only in the structure; the date both sign
        // under.
        {Pit36, {"pit36.txt", {127, 128, 129, 130, 143, 201, 203, 319}}},
        {Pit37, {"pit37.txt", {93, 122}}},
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
};

VELMAR_TEST_MAIN(TstRysowanie)
#include "tst_rysowanie.moc"
