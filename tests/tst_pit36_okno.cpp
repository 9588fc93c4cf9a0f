// The PIT-36 in the program's windows, on the generated form structures: a PIT/B's warning that turns to page 2 of
// the PIT-36 from inside the PIT/B's computation, the PIT-36 computed there by the page display, and the fields
// then read-only on that page: the spouse's (outside a joint settlement) and those the PIT/B fills.

#include <QtTest>
#include <map>
#include <set>

#include "calc/oblicz.h"
#include "main/tools.h"
#include "model/struktura.h"
#include "pages/fimage.h"
#include "support/program.h"
#include "support/test_main.h"
#include "zrodlo.h"

namespace {

QString Tekst(const TTools& t, int j, int k) {
  return QString::fromLatin1(::Tekst(t.Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)].Wartosc));
}

// The spouse's fields of the PIT-36 by its source: the spouse's identification and incomes (section F), the rows
// and the column captioned for the spouse, and the boxes of a joint settlement with the spouse's NIP.
std::set<int> PolaMalzonka() {
  QFile plik(QStringLiteral(VELMAR_SOURCE_DIR "/data/forms/pit36.txt"));
  if (!plik.open(QIODevice::ReadOnly)) return {};
  const formularze::Zrodlo zrodlo = formularze::WczytajZrodlo(plik.readAll().toStdString(), "pit36.txt");
  std::map<std::string, std::string> etykiety;
  for (const formularze::Strona& s : zrodlo.strony)
    for (const formularze::Element& e : s.elementy) etykiety[e.id] = e.etykieta;
  std::set<int> malzonka;
  for (const formularze::Pole& p : zrodlo.pola) {
    const std::string& wiersz = p.miejsce.wiersz;
    if (wiersz.rfind("C2", 0) == 0 || wiersz[0] == 'F' || etykiety[wiersz].rfind("Małżonek", 0) == 0 ||
        p.opis.ends_with("– małżonek") || p.indeks == 1 || p.indeks == 4 || p.indeks == 5)
      malzonka.insert(p.indeks);
  }
  return malzonka;
}

}  // namespace

class TestPit36Okno : public QObject {
  Q_OBJECT

 private slots:
  void ostrzezeniePitBPokazujePit36() {
    const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
    if (!QFile::exists(folder + QStringLiteral("dc/1.dcs"))) QSKIP("form structures not generated");
    velmar_test::UstawRegionalne();
    TTools tools(folder);
    TFImage image;
    SkryptDialogow().pokazane.clear();
    tools.PrzydzielDruki(3);
    for (const int kod : {Pit36, PitZ, PitB})
      tools.DodajDruk(kod, kod == Pit36 ? 0 : 1, kod == Pit36 ? PMWspolny : PMPodatnik, Indywidualne);
    tools.BudujDrzewo();
    UstawBajty(tools.Druki[3].Pola[10].Wartosc, "500,00");
    tools.BiezacyDruk = tools.Druki[3];

    KontekstObliczen kx = image.Kontekst();
    Oblicz(kx, 3);

    QCOMPARE(SkryptDialogow().Teksty(),
             QStringList{QStringLiteral("UWAGA! \nPrzed wypełnieniem Pit/B (Podatnika), "
                                        "należy zaznaczyć odpowiednie pola 41 lub 42 w Pit-36.")});
    // The page display computed the PIT-36: its kind box and counts. The PIT/B computed nothing.
    QCOMPARE((std::array{tools.BiezacyDruk.IdPit, tools.BiezacyDruk.Id, tools.BiezacaStrona,
                         int(tools.Druki[1].Pola[3].Zaznaczone)}),
             (std::array{int(Pit36), 1, 2, 1}));
    QCOMPARE(QStringList({Tekst(tools, 1, 302), Tekst(tools, 1, 308), Tekst(tools, 3, 2), Tekst(tools, 3, 56),
                          Tekst(tools, 1, 53)}),
             QStringList({"1", "1", "0", "0,00", "0,00"}));

    // Read-only beyond what the structure makes read-only: the taxpayer's row 3 amounts the PIT/B fills, and every
    // spouse field the structure leaves open, the spouse's PIT/Z boxes and the amounts of the spouse's PIT/M and
    // PIT/O among them.
    const auto struktura = *struktura::CzytajObiekty(folder + QStringLiteral("dc/1.dcs"), 1.0f);
    QCOMPARE(image.Obiekty.size(), struktura.size());
    std::set<int> dodane;
    for (std::size_t k = 0; k < struktura.size(); ++k)
      if (image.Obiekty[k].TylkoDoOdczytu == 1 && struktura[k].TylkoDoOdczytu == 0) dodane.insert(int(k));
    QVERIFY(dodane.erase(53) == 1 && dodane.erase(54) == 1);
    const std::set<int> malzonka = PolaMalzonka();
    for (int k : dodane) QVERIFY2(malzonka.count(k) == 1, qPrintable(QStringLiteral("field %1").arg(k)));
    QList<int> otwarte;
    for (int k : malzonka)
      if (!dodane.count(k) && struktura[std::size_t(k)].TylkoDoOdczytu == 0) otwarte << k;
    QCOMPARE(otwarte, QList<int>{});
  }

  void polaWgRodzaju_data() {
    QTest::addColumn<int>("rodzaj");
    QTest::newRow("individual") << int(Indywidualne);
    QTest::newRow("single parent") << int(SamotnieWychowujacy);
    QTest::newRow("joint") << int(WspolneZMalzonkiem);
  }

  // A PIT-36 shown with stale boxes of two kinds, its PIT/Z part chosen and no PIT/Z: the page display leaves the
  // box of the settlement's kind alone ticked; boxes 3, 4 and 6 take no click, box 5 only in a joint settlement;
  // no spouse field is open outside one; row 3 takes an amount, which stands after the computation and counts.
  void polaWgRodzaju() {
    QFETCH(int, rodzaj);
    const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
    if (!QFile::exists(folder + QStringLiteral("dc/1.dcs"))) QSKIP("form structures not generated");
    velmar_test::UstawRegionalne();
    TTools tools(folder);
    TFImage image;
    tools.PrzydzielDruki(1);
    tools.DodajDruk(Pit36, 0, PMWspolny, rodzaj);
    tools.BudujDrzewo();
    const bool wspolne = rodzaj == WspolneZMalzonkiem;
    for (const int k : {3, 6, 39}) tools.Druki[1].Pola[k].Zaznaczone = 1;
    image.PokazDruk(1, 1);

    const int kratka = rodzaj == Indywidualne ? 3 : wspolne ? 4 : 6;
    QList<int> zaznaczone, zablokowane;
    for (const int k : {3, 4, 5, 6}) {
      if (tools.Druki[1].Pola[std::size_t(k)].Zaznaczone) zaznaczone << k;
      if (image.Obiekty[std::size_t(k)].TylkoDoOdczytu) zablokowane << k;
    }
    QCOMPARE(zaznaczone, QList<int>{kratka});
    QCOMPARE(zablokowane, wspolne ? (QList<int>{3, 4, 6}) : (QList<int>{3, 4, 5, 6}));
    if (!wspolne)
      for (const int k : PolaMalzonka())
        QVERIFY2(image.Obiekty[std::size_t(k)].TylkoDoOdczytu == 1, qPrintable(QStringLiteral("field %1").arg(k)));

    image.PokazDruk(1, 2);
    QCOMPARE((std::pair{image.Obiekty[55].TylkoDoOdczytu, image.Obiekty[56].TylkoDoOdczytu}),
             (std::pair{std::uint8_t{0}, std::uint8_t{0}}));
    const TObiekt& dochod = image.Obiekty[55];
    image.FormatkaMouseMove((dochod.Lewy + dochod.Prawy) / 2, (dochod.Gorny + dochod.Dolny) / 2);
    image.FormatkaClick();
    QCOMPARE(image.OtwartyEdytor(), 55);
    image.EdytorTekstu->selectAll();
    QTest::keyClicks(image.EdytorTekstu, QStringLiteral("5000,00"));
    QVERIFY(image.ZatwierdzEdytor());
    QCOMPARE(QStringList({Tekst(tools, 1, 55), Tekst(tools, 1, 86), Tekst(tools, 1, 166)}),
             QStringList({"5000,00", "5000,00", "5000,00"}));
    QCOMPARE(image.Obiekty[55].TylkoDoOdczytu, std::uint8_t{0});
  }
};

VELMAR_TEST_MAIN(TestPit36Okno)
#include "tst_pit36_okno.moc"
