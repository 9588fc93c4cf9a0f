// The PIT-37 computation on hand-built settlements. Expected amounts come from the 2008 scale by hand:
// up to 44490 0,19 x base - 586,85; up to 85528 7866,25 + 0,30 x the excess; above 20177,65 + 0,40 x the excess.

#include <QtTest>

#include "calc/konwersje.h"
#include "calc/pit37.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

class TestPit37 : public QObject {
  Q_OBJECT

 private slots:
  void init() { p_ = std::make_unique<ProgramZObliczeniami>(); }
  void cleanup() { p_.reset(); }

  void obliczenie_data();
  void obliczenie();
  void wierszeDochodow();
  void liczbyZalacznikow();
  void przejmujeZPitO();
  void przejmujeZPitDIBlokujeJegoPola();
  void komunikatTylkoGdyPit37NaEkranie();
  void blednyTekstKonczyObliczenie();
  void indeksSpozaRozliczenia();
  void naStrukturachFormularzy();

 private:
  // A PIT-37 as record 1 of a settlement of that kind, on screen, with the fields given.
  void JedenPit37(int rodzaj, std::initializer_list<std::pair<int, const char*>> wpisy = {}) {
    p_->Rozliczenie({{Pit37, 0, 0}}, rodzaj);
    p_->Pokaz(1);
    p_->Ustaw(1, wpisy);
  }
  void Oblicz() { ObliczPit37(p_->V(), 1); }

  std::unique_ptr<ProgramZObliczeniami> p_;
};

// A PIT-37 alone, entries as Wpisz reads them, computed with a stale ListError shown.
void TestPit37::obliczenie_data() {
  QTest::addColumn<int>("rodzaj");
  QTest::addColumn<QString>("wpisy");
  QTest::addColumn<QString>("oczekiwane");
  QTest::addColumn<bool>("redukcja");  // ListError shows the reduced-deductions line, or is empty and hidden
  const auto wiersz = [](const char* nazwa, int rodzaj, const QString& wpisy, const QString& oczekiwane,
                         bool redukcja) { QTest::newRow(nazwa) << rodzaj << wpisy << oczekiwane << redukcja; };

  // Boxes 3 to 6 by settlement kind, base 101, tax 102 = 104 = 109, due 113 = 115 in whole zloty.
  const auto podatek = [](int kratka, const char* podstawa, const char* podatek, const char* nalezny) {
    QString kratki;
    for (int k = 3; k <= 6; ++k) kratki += QStringLiteral("#%1=%2 ").arg(k).arg(k == kratka ? 1 : 0);
    return kratki + Wpisy({101, 102, 104, 109, 113, 115, 116},
                          QStringLiteral("%1 %2 %2 %2 %3 %3 0,00").arg(podstawa, podatek, nalezny));
  };
  wiersz("indywidualnie", 0, "36=50000,25", podatek(3, "50000,00", "9519,25", "9519,00"), false);
  // 100000 halved: 50000, tax 9519,25 doubled; 19038,50 goes up to whole zloty.
  wiersz("wspolnie", 1, "36=60000,00 63=40000,00", podatek(4, "50000,00", "19038,50", "19039,00"), false);
  wiersz("wspolnie z kratka 5", 1, "#5=1 36=60000,00 63=40000,00",
         podatek(5, "50000,00", "19038,50", "19039,00"), false);
  wiersz("samotnie", 2, "36=100000,00", podatek(6, "50000,00", "19038,50", "19039,00"), false);
  // 0,19 x 3000 - 586,85 = -16,85.
  wiersz("ponizej kwoty wolnej", 0, "36=3000,00", podatek(3, "3000,00", "0,00", "0,00"), false);
  // Half of 100001 is 50000,50, which goes up: 7866,25 + 0,30 x 5511 = 9519,55, doubled 19039,10.
  wiersz("polowa zlotego w gore", 1, "36=100001,00", podatek(4, "50001,00", "19039,10", "19039,00"), false);
  wiersz("49 groszy w dol", 0, "36=44490,49", podatek(3, "44490,00", "7866,25", "7866,00"), false);

  // Deductions 90 and 136 are limited to the income, 91 and 137 to what remains; only 90 or 91 report it.
  wiersz("odliczenia ponad dochod", 1, "36=1000,00 90=1500,00 136=1200,00 91=10,00 137=5,00",
         "90=1000,00 136=1000,00 91=0,00 137=0,00 92=0,00", true);
  wiersz("odliczenia w dochodzie", 1, "36=1000,00 90=300,00 136=200,00", "90=300,00 136=200,00 92=700,00", false);
  wiersz("136 ponad reszte", 1, "36=1000,00 90=300,00 136=400,00", "136=300,00", false);

  // Reliefs 105..108, 142, 143 against the tax 103 (with no income, the tax 104), each cut to what remains.
  const std::initializer_list<int> ulgi = {105, 106, 107, 108, 142, 143};
  const std::initializer_list<int> poUldze = {104, 105, 106, 107, 108, 109, 142, 143};
  wiersz("pierwsza ponad podatek", 0, "103=250,00 " + Wpisy(ulgi, "300,00 10,00 10,00 10,00 400,00 20,00"),
         Wpisy(poUldze, "250,00 250,00 0,00 0,00 0,00 0,00 250,00 0,00"), true);
  // Every later relief goes to 0, also one entered below 0.
  wiersz("pierwsza ponad podatek przy ujemnej czwartej", 0, "103=250,00 " + Wpisy(ulgi, "300,00 10,00 10,00 -10,00"),
         Wpisy(poUldze, "250,00 250,00 0,00 0,00 0,00 0,00 0,00 0,00"), true);
  wiersz("druga ponad reszte", 0, "103=250,00 " + Wpisy(ulgi, "100,00 200,00 5,00 5,00"),
         Wpisy(poUldze, "250,00 100,00 150,00 0,00 0,00 0,00 0,00 0,00"), true);
  wiersz("trzecia ponad reszte", 0, "103=250,00 " + Wpisy(ulgi, "100,00 100,00 80,00 5,00"),
         Wpisy(poUldze, "250,00 100,00 100,00 50,00 0,00 0,00 0,00 0,00"), true);
  wiersz("czwarta ponad reszte", 0, "103=250,00 " + Wpisy(ulgi, "100,00 100,00 20,00 40,00 0,00 150,00"),
         Wpisy(poUldze, "250,00 100,00 100,00 20,00 30,00 0,00 0,00 100,00"), true);
  wiersz("wszystkie sie mieszcza", 0, "103=250,00 " + Wpisy(ulgi, "100,00 50,00 50,00 40,00"),
         Wpisy(poUldze, "250,00 100,00 50,00 50,00 40,00 10,00 0,00 0,00"), false);
  // 0,01 + 0,05 read from text lies a hair above the value of "0,06": no excess.
  wiersz("suma ulg rowna podatkowi", 0, "103=0,06 " + Wpisy(ulgi, "0,01 0,05"),
         Wpisy(poUldze, "0,06 0,01 0,05 0,00 0,00 0,00 0,00 0,00"), false);

  // Advances 40 and the amount 110 against a tax 104 of 1000,00: 111..116.
  const std::initializer_list<int> rozliczenie = {111, 112, 113, 114, 115, 116};
  wiersz("doplata ponizej polowy zlotego", 0, "103=1000,00 40=999,60",
         Wpisy(rozliczenie, "0,00 0,00 1000,00 999,60 0,00 0,00"), false);
  wiersz("doplata od polowy zlotego", 0, "103=1000,00 40=999,40",
         Wpisy(rozliczenie, "0,00 0,00 1000,00 999,40 0,60 0,00"), false);
  wiersz("nadplata", 0, "103=1000,00 40=1500,00", Wpisy(rozliczenie, "0,00 0,00 1000,00 1500,00 0,00 500,00"), false);
  wiersz("nadplata ponizej polowy zlotego", 0, "103=1000,00 40=1000,40",
         Wpisy(rozliczenie, "0,00 0,00 1000,00 1000,40 0,00 0,00"), false);
  wiersz("kwota 110 sie miesci", 0, "103=1000,00 110=300,00",
         Wpisy(rozliczenie, "300,00 0,00 700,00 0,00 700,00 0,00"), false);
  wiersz("kwota 110 ponad podatek", 0, "103=1000,00 110=1500,00",
         Wpisy(rozliczenie, "1000,00 500,00 0,00 0,00 0,00 0,00"), false);

  // The 1% 132, capped at 1% of the tax due cut down to tens of grosze.
  wiersz("1% ponad 1% z 1234", 0, "103=1234,00 132=12,35", "132=12,30", true);
  wiersz("1% rowny", 0, "103=1234,00 132=12,30", "132=12,30", false);
  wiersz("1% ponizej", 0, "103=1234,00 132=5,00", "132=5,00", false);
  wiersz("1% przy zerze podatku", 0, "103=0,00 132=1,00", "132=0,00", true);
  // 1239,99 is due as 1240: the cap is 12,40.
  wiersz("1% z podatku zaokraglonego w gore", 0, "103=1239,99 132=12,39", "132=12,39", false);
  wiersz("1% ciety w dol do dziesiatek groszy", 0, "103=1239,00 132=12,40", "132=12,30", true);

  // Deductions 96 and 97 of a PIT/D, limited to the income 36 less 94: 96, 98, 99, 100.
  const std::initializer_list<int> pitD = {96, 98, 99, 100};
  wiersz("96 ponad dochod", 0, "36=1000,00 96=1200,00 97=300,00", Wpisy(pitD, "1000,00 0,00 300,00 0,00"), true);
  wiersz("97 sie miesci", 0, "36=1000,00 96=600,00 97=300,00", Wpisy(pitD, "600,00 300,00 0,00 100,00"), false);
  // Cutting 97 to what remains is no reduction of its own.
  wiersz("97 ponad reszte", 0, "36=1000,00 96=600,00 97=500,00", Wpisy(pitD, "600,00 400,00 100,00 0,00"), false);
  wiersz("96 rowne reszcie po PIT/O", 0, "36=0,06 94=0,01 96=0,05", Wpisy(pitD, "0,05 0,00 0,00 0,00"), false);
}

void TestPit37::obliczenie() {
  QFETCH(int, rodzaj);
  QFETCH(QString, wpisy);
  QFETCH(QString, oczekiwane);
  QFETCH(bool, redukcja);
  JedenPit37(rodzaj);
  p_->Wpisz(1, wpisy);
  p_->StaryListError();
  Oblicz();
  QCOMPARE(p_->Stan(1, oczekiwane), oczekiwane);
  QCOMPARE(p_->Komunikat(), redukcja);
  QCOMPARE(p_->BezKomunikatu(), !redukcja);
}

void TestPit37::wierszeDochodow() {
  JedenPit37(WspolneZMalzonkiem);
  p_->Wpisz(1, "36=1000,00 37=1500,00 40=10,00 41=2000,50 43=20,00 44=3000,00 45=1000,00 48=30,00 49=100,00 "
               "54=500,00 55=600,00 58=5,555 63=10,004 64=4,00 67=1,00 68=5,00 70=0,50 77=3,00 90=100,00 91=1,00");
  Oblicz();
  // taxpayer: totals of amounts, costs and advances (65,555 to grosze), incomes clamped at 0, losses
  const QString podatnik = "59=6600,50 60=3100,00 62=65,56 38=0,00 39=500,00 42=2000,50 46=2000,00 47=0,00 "
                           "51=100,00 52=0,00 56=0,00 57=100,00 61=4100,50";
  // spouse: 15,004 and 6,004 to grosze; the loss of row 4 enters no total
  const QString malzonek = "86=15,00 87=7,00 89=1,50 65=6,00 66=0,00 69=5,00 73=0,00 78=0,00 79=3,00 83=0,00 "
                           "84=0,00 88=11,00";
  // both persons' incomes after their deductions, and the advances
  const QString razem = "92=4000,50 93=10,00 100=4010,50 114=67,06";
  QCOMPARE(p_->Stan(1, podatnik), podatnik);
  QCOMPARE(p_->Stan(1, malzonek), malzonek);
  QCOMPARE(p_->Stan(1, razem), razem);
  QVERIFY(p_->BezKomunikatu());
}

void TestPit37::liczbyZalacznikow() {
  p_->Rozliczenie({{Pit37, 0, 0}, {PitO, 1, 1}, {PitO, 1, 2}, {PitD, 1, 0}, {Nip3, 1, 1}, {Pit28, 0, 1},
                   {PitO, 6, 1}, {Pit2K, 6, 0}},
                  WspolneZMalzonkiem);
  p_->Pokaz(1);
  Oblicz();
  QCOMPARE(p_->Teksty(1, {117, 118, 119, 120}), QStringLiteral("2 1 0 1"));
}

void TestPit37::przejmujeZPitO() {
  p_->Rozliczenie({{Pit37, 0, 0}, {PitO, 1, 0}, {PitO, 1, 1}}, WspolneZMalzonkiem);
  p_->Pokaz(1);
  p_->Ustaw(2, {{28, "1000,00"}, {29, "500,00"}, {41, "100,00"}, {42, "50,00"}});
  p_->Ustaw(3, 28, "7,00");  // only the first attached PIT/O is taken
  p_->Ustaw(1, {{36, "20000,00"}, {63, "300,00"}});
  Oblicz();
  // The spouse's 500 is limited to the spouse's income of 300, on the PIT-37 only.
  QCOMPARE(p_->Teksty(1, {94, 95}), QStringLiteral("1000,00 300,00"));
  QCOMPARE(p_->Tekst(2, 29), QStringLiteral("500,00"));
  // 20300 - 1300 = 19000, halved 9500: 0,19 x 9500 - 586,85 = 1218,15, doubled 2436,30; reliefs 150.
  QCOMPARE(p_->Teksty(1, {100, 101, 104, 107, 108, 109, 113}),
           QStringLiteral("19000,00 9500,00 2436,30 100,00 50,00 2286,30 2286,00"));
  QVERIFY(p_->Komunikat());

  // Without a PIT/O the entered amounts stay and are still limited.
  JedenPit37(Indywidualne, {{36, "100,00"}, {94, "150,00"}, {107, "3,00"}});
  Oblicz();
  QCOMPARE(p_->Teksty(1, {94, 107}), QStringLiteral("100,00 0,00"));
}

void TestPit37::przejmujeZPitDIBlokujeJegoPola() {
  p_->Rozliczenie({{Pit37, 0, 0}, {PitD, 1, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Obiekty(150);
  // Block 1: no shares, the whole; block 2: a share of 0 beside a share of 50, the share; block 3: the share.
  p_->Ustaw(2, {{31, "800,00"}, {42, "100,00"}, {46, "50,00"}, {51, "70,00"}, {54, "60,00"}});
  p_->Ustaw(1, 36, "10000,00");
  Oblicz();
  // 10000 - 800 = 9200: 0,19 x 9200 - 586,85 = 1161,15; less 60: 1101,15.
  QCOMPARE(p_->Teksty(1, {96, 97, 110, 100, 109, 111, 113}),
           QStringLiteral("800,00 0,00 60,00 9200,00 1161,15 60,00 1101,00"));
  QCOMPARE(p_->Zablokowane(), (QList<int>{96, 97, 110}));

  // Off screen nothing is locked.
  p_->Obiekty(150);
  p_->PokazTyp(PitD, Indywidualne);
  Oblicz();
  QVERIFY(p_->Zablokowane().isEmpty());

  // A PIT/D of another main form is still taken, but does not lock the PIT-37's fields.
  p_->Rozliczenie({{Pit37, 0, 0}, {Pit36, 0, 0}, {PitD, 2, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Obiekty(150);
  p_->Ustaw(3, 31, "5,00");
  p_->Ustaw(1, 36, "100,00");
  Oblicz();
  QCOMPARE(p_->Tekst(1, 96), QStringLiteral("5,00"));
  QVERIFY(p_->Zablokowane().isEmpty());
}

void TestPit37::komunikatTylkoGdyPit37NaEkranie() {
  JedenPit37(Indywidualne, {{90, "10,00"}});  // above an income of 0
  p_->PokazTyp(PitO, Indywidualne);
  p_->StaryListError();
  Oblicz();
  QCOMPARE(p_->Tekst(1, 90), QStringLiteral("0,00"));
  QVERIFY(p_->BezKomunikatu());
}

void TestPit37::blednyTekstKonczyObliczenie() {
  JedenPit37(Indywidualne, {{36, "5000,00"}, {103, "abc"}});
  p_->StaryListError();
  try {
    Oblicz();
    QFAIL("no conversion error");
  } catch (const BladKonwersjiLiczby& e) {
    QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'abc' is not a valid floating point value"));
  }
  // Written up to the bad read, nothing after it.
  QCOMPARE(p_->Teksty(1, {101, 102, 104}), QStringLiteral("5000,00 363,15 0,00"));
  QCOMPARE(p_->PozycjeListError(), QStringList{});
}

void TestPit37::indeksSpozaRozliczenia() {
  JedenPit37(Indywidualne);
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczPit37(p_->V(), 0));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczPit37(p_->V(), 2));
  QCOMPARE(p_->Kratka(1, 3), std::uint8_t{0});
}

void TestPit37::naStrukturachFormularzy() {
  // The generated structures give every field the computations read a default they can read.
  const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
  if (!QFile::exists(folder + QStringLiteral("dc/2.dcs"))) QSKIP("form structures not generated");
  p_.reset();
  p_ = std::make_unique<ProgramZObliczeniami>(folder);
  for (int rodzaj : {Indywidualne, WspolneZMalzonkiem, SamotnieWychowujacy}) {
    Rozliczenie& t = p_->T();
    t.PrzydzielDruki(7);
    for (const auto& [kod, rodzic, pm] : std::vector<std::array<int, 3>>{
             {Pit37, 0, 0}, {PitO, 1, 0}, {PitO, 1, 1}, {PitD, 1, 0}, {Pit2K, 1, 0}, {Nip3, 1, 1}, {Nip1, 1, 2}})
      t.DodajDruk(kod, rodzic, pm, rodzaj);
    p_->WczytajStruktury();
    for (int j = 1; j <= t.LiczbaDrukow; ++j) {
      p_->Pokaz(j);
      ::Oblicz(p_->V(), j);
    }
    p_->Ustaw(2, 12, "150,00");
    p_->Ustaw(4, 29, "80,00");
    p_->Ustaw(1, 36, "20000,00");
    for (int j : {2, 4}) {
      p_->Pokaz(j);
      ::Oblicz(p_->V(), j);
    }
    QCOMPARE(p_->Teksty(1, {94, 96, 100, 117}), QStringLiteral("150,00 80,00 19770,00 2"));
  }
}

VELMAR_TEST_MAIN_RDZEN(TestPit37)
#include "tst_pit37.moc"
