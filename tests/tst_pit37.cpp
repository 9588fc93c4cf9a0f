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

  void podatekWgRodzaju_data();
  void podatekWgRodzaju();
  void wierszeDochodow();
  void odliczeniaOgraniczoneDochodem();
  void ulgi_data();
  void ulgi();
  void naleznoscINadplata_data();
  void naleznoscINadplata();
  void jedenProcent_data();
  void jedenProcent();
  void liczbyZalacznikow();
  void przejmujeZPitO();
  void przejmujeZPitDIBlokujeJegoPola();
  void odliczeniaPitDOgraniczoneReszta_data();
  void odliczeniaPitDOgraniczoneReszta();
  void komunikatTylkoGdyPit37NaEkranie();
  void blednyTekstKonczyObliczenie();
  void indeksSpozaRozliczenia();
  void naStrukturachFormularzy();

 private:
  // A PIT-37 as record 1 of a settlement of that kind, on screen.
  void JedenPit37(int rodzaj) {
    p_->Rozliczenie({{Pit37, 0, 0}}, rodzaj);
    p_->Pokaz(1);
  }
  void Oblicz() { ObliczPit37(p_->V(), 1); }
  bool Komunikat() {
    return p_->WysokoscListError() == 40 && p_->PozycjeListError() == QStringList{kKomunikatRedukcji};
  }
  bool BezKomunikatu() { return p_->WysokoscListError() == 0 && p_->PozycjeListError().isEmpty(); }

  std::unique_ptr<ProgramZObliczeniami> p_;
};

void TestPit37::podatekWgRodzaju_data() {
  QTest::addColumn<int>("rodzaj");
  QTest::addColumn<int>("kratka5");
  QTest::addColumn<QString>("dochod");
  QTest::addColumn<QString>("dochodMalzonka");
  QTest::addColumn<QString>("kratki");  // boxes 3, 4, 5, 6 after the computation
  QTest::addColumn<QString>("podstawa");
  QTest::addColumn<QString>("podatek");
  QTest::addColumn<QString>("nalezny");

  QTest::newRow("indywidualnie") << 0 << 0 << "50000,25" << "0,00" << "1000" << "50000,00" << "9519,25"
                                 << "9519,00";
  // 100000 halved: 50000, tax 9519,25 doubled; 19038,50 goes up to whole zloty.
  QTest::newRow("wspolnie") << 1 << 0 << "60000,00" << "40000,00" << "0100" << "50000,00" << "19038,50"
                            << "19039,00";
  QTest::newRow("wspolnie z kratka 5") << 1 << 1 << "60000,00" << "40000,00" << "0010" << "50000,00"
                                       << "19038,50" << "19039,00";
  QTest::newRow("samotnie") << 2 << 0 << "100000,00" << "0,00" << "0001" << "50000,00" << "19038,50"
                            << "19039,00";
  // 0,19 x 3000 - 586,85 = -16,85.
  QTest::newRow("ponizej kwoty wolnej") << 0 << 0 << "3000,00" << "0,00" << "1000" << "3000,00" << "0,00"
                                        << "0,00";
  // Half of 100001 is 50000,50, which goes up: 7866,25 + 0,30 x 5511 = 9519,55, doubled 19039,10.
  QTest::newRow("polowa zlotego w gore") << 1 << 0 << "100001,00" << "0,00" << "0100" << "50001,00"
                                         << "19039,10" << "19039,00";
  QTest::newRow("49 groszy w dol") << 0 << 0 << "44490,49" << "0,00" << "1000" << "44490,00" << "7866,25"
                                   << "7866,00";
  // 20177,65 + 0,40 x 14472.
  QTest::newRow("trzeci przedzial") << 0 << 0 << "100000,00" << "0,00" << "1000" << "100000,00" << "25966,45"
                                    << "25966,00";
}

void TestPit37::podatekWgRodzaju() {
  QFETCH(int, rodzaj);
  QFETCH(int, kratka5);
  QFETCH(QString, dochod);
  QFETCH(QString, dochodMalzonka);
  QFETCH(QString, kratki);
  QFETCH(QString, podstawa);
  QFETCH(QString, podatek);
  QFETCH(QString, nalezny);
  JedenPit37(rodzaj);
  p_->Kratka(1, 5) = static_cast<std::uint8_t>(kratka5);
  p_->Ustaw(1, 36, dochod.toStdString());
  p_->Ustaw(1, 63, dochodMalzonka.toStdString());
  Oblicz();
  QString stan;
  for (int k : {3, 4, 5, 6}) stan += QString::number(p_->Kratka(1, k));
  QCOMPARE(stan, kratki);
  QCOMPARE(p_->Tekst(1, 101), podstawa);
  QCOMPARE(p_->Tekst(1, 102), podatek);
  QCOMPARE(p_->Tekst(1, 104), podatek);
  QCOMPARE(p_->Tekst(1, 109), podatek);
  QCOMPARE(p_->Tekst(1, 113), nalezny);
  QCOMPARE(p_->Tekst(1, 115), nalezny);
  QCOMPARE(p_->Tekst(1, 116), QStringLiteral("0,00"));
}

void TestPit37::wierszeDochodow() {
  JedenPit37(WspolneZMalzonkiem);
  const std::pair<int, const char*> wpisy[] = {
      {36, "1000,00"}, {37, "1500,00"}, {40, "10,00"}, {41, "2000,50"}, {43, "20,00"}, {44, "3000,00"},
      {45, "1000,00"}, {48, "30,00"},   {49, "100,00"}, {54, "500,00"},  {55, "600,00"}, {58, "5,555"},
      {63, "10,004"},  {64, "4,00"},    {67, "1,00"},   {68, "5,00"},    {70, "0,50"},   {77, "3,00"},
      {90, "100,00"},  {91, "1,00"}};
  for (const auto& [k, tekst] : wpisy) p_->Ustaw(1, k, tekst);
  Oblicz();
  const std::pair<int, const char*> wyniki[] = {
      // taxpayer: totals of amounts, costs and advances (65,555 to grosze), incomes clamped at 0, losses
      {59, "6600,50"}, {60, "3100,00"}, {62, "65,56"},  {38, "0,00"},  {39, "500,00"}, {42, "2000,50"},
      {46, "2000,00"}, {47, "0,00"},    {51, "100,00"}, {52, "0,00"},  {56, "0,00"},   {57, "100,00"},
      {61, "4100,50"},
      // spouse: 15,004 and 6,004 to grosze; the loss of row 4 enters no total
      {86, "15,00"}, {87, "7,00"}, {89, "1,50"}, {65, "6,00"}, {66, "0,00"}, {69, "5,00"}, {73, "0,00"},
      {78, "0,00"},  {79, "3,00"}, {83, "0,00"}, {84, "0,00"}, {88, "11,00"},
      // both persons' incomes after their deductions, and the advances
      {92, "4000,50"}, {93, "10,00"}, {100, "4010,50"}, {114, "67,06"}};
  for (const auto& [k, tekst] : wyniki) QCOMPARE(p_->Tekst(1, k), QString::fromLatin1(tekst));
  QVERIFY(BezKomunikatu());
}

void TestPit37::odliczeniaOgraniczoneDochodem() {
  JedenPit37(WspolneZMalzonkiem);
  p_->Ustaw(1, 36, "1000,00");
  p_->Ustaw(1, 90, "1500,00");
  p_->Ustaw(1, 136, "1200,00");
  p_->Ustaw(1, 91, "10,00");
  p_->Ustaw(1, 137, "5,00");
  p_->StaryListError();
  Oblicz();
  QCOMPARE(p_->Tekst(1, 90), QStringLiteral("1000,00"));
  QCOMPARE(p_->Tekst(1, 136), QStringLiteral("1000,00"));
  QCOMPARE(p_->Tekst(1, 91), QStringLiteral("0,00"));
  QCOMPARE(p_->Tekst(1, 137), QStringLiteral("0,00"));
  QCOMPARE(p_->Tekst(1, 92), QStringLiteral("0,00"));
  QVERIFY(Komunikat());

  // Within the income nothing is lowered and the list goes away.
  p_->Ustaw(1, 90, "300,00");
  p_->Ustaw(1, 136, "200,00");
  Oblicz();
  QCOMPARE(p_->Tekst(1, 90), QStringLiteral("300,00"));
  QCOMPARE(p_->Tekst(1, 136), QStringLiteral("200,00"));
  QCOMPARE(p_->Tekst(1, 92), QStringLiteral("700,00"));
  QVERIFY(BezKomunikatu());

  // Only the taxpayer's or spouse's deduction sets the flag; the amount limited to it does not.
  p_->Ustaw(1, 136, "400,00");
  Oblicz();
  QCOMPARE(p_->Tekst(1, 136), QStringLiteral("300,00"));
  QVERIFY(BezKomunikatu());
}

void TestPit37::ulgi_data() {
  QTest::addColumn<QString>("podatek");  // field 103, which with no income is the tax 104
  QTest::addColumn<QStringList>("wpisane");  // 105..108, 142, 143
  QTest::addColumn<QStringList>("wyniki");   // 105..108, 109, 142, 143
  QTest::addColumn<bool>("redukcja");

  const QStringList zera = {"0,00", "0,00"};
  QTest::newRow("pierwsza ponad podatek")
      << "250,00" << (QStringList{"300,00", "10,00", "10,00", "10,00"} + QStringList{"400,00", "20,00"})
      << QStringList{"250,00", "0,00", "0,00", "0,00", "0,00", "250,00", "0,00"} << true;
  // Every later relief goes to 0, also one entered below 0.
  QTest::newRow("pierwsza ponad podatek przy ujemnej czwartej")
      << "250,00" << (QStringList{"300,00", "10,00", "10,00", "-10,00"} + zera)
      << QStringList{"250,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00"} << true;
  QTest::newRow("druga ponad reszte") << "250,00" << (QStringList{"100,00", "200,00", "5,00", "5,00"} + zera)
                                      << QStringList{"100,00", "150,00", "0,00", "0,00", "0,00", "0,00", "0,00"}
                                      << true;
  QTest::newRow("trzecia ponad reszte") << "250,00" << (QStringList{"100,00", "100,00", "80,00", "5,00"} + zera)
                                        << QStringList{"100,00", "100,00", "50,00", "0,00", "0,00", "0,00", "0,00"}
                                        << true;
  QTest::newRow("czwarta ponad reszte")
      << "250,00" << (QStringList{"100,00", "100,00", "20,00", "40,00"} + QStringList{"0,00", "150,00"})
      << QStringList{"100,00", "100,00", "20,00", "30,00", "0,00", "0,00", "100,00"} << true;
  QTest::newRow("wszystkie sie mieszcza") << "250,00" << (QStringList{"100,00", "50,00", "50,00", "40,00"} + zera)
                                          << QStringList{"100,00", "50,00", "50,00", "40,00", "10,00", "0,00", "0,00"}
                                          << false;
  // 0,01 + 0,05 read from text lies a hair above the value of "0,06": no excess.
  QTest::newRow("suma rowna podatkowi") << "0,06" << (QStringList{"0,01", "0,05", "0,00", "0,00"} + zera)
                                        << QStringList{"0,01", "0,05", "0,00", "0,00", "0,00", "0,00", "0,00"}
                                        << false;
}

void TestPit37::ulgi() {
  QFETCH(QString, podatek);
  QFETCH(QStringList, wpisane);
  QFETCH(QStringList, wyniki);
  QFETCH(bool, redukcja);
  JedenPit37(Indywidualne);
  p_->Ustaw(1, 103, podatek.toStdString());
  const int wejscia[] = {105, 106, 107, 108, 142, 143};
  for (int i = 0; i < 6; ++i) p_->Ustaw(1, wejscia[i], wpisane[i].toStdString());
  Oblicz();
  QCOMPARE(p_->Tekst(1, 104), podatek);
  const int wyjscia[] = {105, 106, 107, 108, 109, 142, 143};
  QStringList stan;
  for (int k : wyjscia) stan << p_->Tekst(1, k);
  QCOMPARE(stan, wyniki);
  QCOMPARE(Komunikat(), redukcja);
  QCOMPARE(BezKomunikatu(), !redukcja);
}

void TestPit37::naleznoscINadplata_data() {
  QTest::addColumn<QString>("zaliczki");
  QTest::addColumn<QString>("pole110");
  QTest::addColumn<QStringList>("wyniki");  // 111, 112, 113, 114, 115, 116
  // Tax 104 = 1000,00 in every row.
  QTest::newRow("doplata ponizej polowy zlotego") << "999,60" << "0,00"
                                                  << QStringList{"0,00", "0,00", "1000,00", "999,60", "0,00", "0,00"};
  QTest::newRow("doplata od polowy zlotego") << "999,40" << "0,00"
                                             << QStringList{"0,00", "0,00", "1000,00", "999,40", "0,60", "0,00"};
  QTest::newRow("nadplata") << "1500,00" << "0,00"
                            << QStringList{"0,00", "0,00", "1000,00", "1500,00", "0,00", "500,00"};
  QTest::newRow("nadplata ponizej polowy zlotego") << "1000,40" << "0,00"
                                                   << QStringList{"0,00", "0,00", "1000,00", "1000,40", "0,00", "0,00"};
  QTest::newRow("kwota 110 sie miesci") << "0,00" << "300,00"
                                        << QStringList{"300,00", "0,00", "700,00", "0,00", "700,00", "0,00"};
  QTest::newRow("kwota 110 ponad podatek") << "0,00" << "1500,00"
                                           << QStringList{"1000,00", "500,00", "0,00", "0,00", "0,00", "0,00"};
}

void TestPit37::naleznoscINadplata() {
  QFETCH(QString, zaliczki);
  QFETCH(QString, pole110);
  QFETCH(QStringList, wyniki);
  JedenPit37(Indywidualne);
  p_->Ustaw(1, 103, "1000,00");
  p_->Ustaw(1, 40, zaliczki.toStdString());
  p_->Ustaw(1, 110, pole110.toStdString());
  Oblicz();
  QStringList stan;
  for (int k : {111, 112, 113, 114, 115, 116}) stan << p_->Tekst(1, k);
  QCOMPARE(stan, wyniki);
  QVERIFY(BezKomunikatu());
}

void TestPit37::jedenProcent_data() {
  QTest::addColumn<QString>("podatek");
  QTest::addColumn<QString>("wpisane");
  QTest::addColumn<QString>("wynik");
  QTest::addColumn<bool>("redukcja");
  QTest::newRow("ponad 1% z 1234") << "1234,00" << "12,35" << "12,30" << true;
  QTest::newRow("rowne 1%") << "1234,00" << "12,30" << "12,30" << false;
  QTest::newRow("ponizej 1%") << "1234,00" << "5,00" << "5,00" << false;
  QTest::newRow("zero podatku") << "0,00" << "1,00" << "0,00" << true;
  // 1239,99 is due as 1240: the cap is 12,40.
  QTest::newRow("podatek zaokraglony w gore") << "1239,99" << "12,39" << "12,39" << false;
  QTest::newRow("ciete w dol do dziesiatek groszy") << "1239,00" << "12,40" << "12,30" << true;
}

void TestPit37::jedenProcent() {
  QFETCH(QString, podatek);
  QFETCH(QString, wpisane);
  QFETCH(QString, wynik);
  QFETCH(bool, redukcja);
  JedenPit37(Indywidualne);
  p_->Ustaw(1, 103, podatek.toStdString());
  p_->Ustaw(1, 132, wpisane.toStdString());
  Oblicz();
  QCOMPARE(p_->Tekst(1, 132), wynik);
  QCOMPARE(Komunikat(), redukcja);
}

void TestPit37::liczbyZalacznikow() {
  p_->Rozliczenie({{Pit37, 0, 0}, {PitO, 1, 1}, {PitO, 1, 2}, {PitD, 1, 0}, {Nip3, 1, 1}, {Pit28, 0, 1},
                   {PitO, 6, 1}, {Pit2K, 6, 0}},
                  WspolneZMalzonkiem);
  p_->Pokaz(1);
  Oblicz();
  QCOMPARE(p_->Tekst(1, 117), QStringLiteral("2"));
  QCOMPARE(p_->Tekst(1, 118), QStringLiteral("1"));
  QCOMPARE(p_->Tekst(1, 119), QStringLiteral("0"));
  QCOMPARE(p_->Tekst(1, 120), QStringLiteral("1"));
}

void TestPit37::przejmujeZPitO() {
  p_->Rozliczenie({{Pit37, 0, 0}, {PitO, 1, 0}, {PitO, 1, 1}}, WspolneZMalzonkiem);
  p_->Pokaz(1);
  p_->Ustaw(2, 28, "1000,00");
  p_->Ustaw(2, 29, "500,00");
  p_->Ustaw(2, 41, "100,00");
  p_->Ustaw(2, 42, "50,00");
  // Only the first attached PIT/O is taken.
  p_->Ustaw(3, 28, "7,00");
  p_->Ustaw(1, 36, "20000,00");
  p_->Ustaw(1, 63, "300,00");
  Oblicz();
  // The spouse's 500 is limited to the spouse's income of 300.
  QCOMPARE(p_->Tekst(1, 94), QStringLiteral("1000,00"));
  QCOMPARE(p_->Tekst(1, 95), QStringLiteral("300,00"));
  QCOMPARE(p_->Tekst(2, 29), QStringLiteral("500,00"));
  // 20300 - 1300 = 19000, halved 9500: 0,19 x 9500 - 586,85 = 1218,15, doubled 2436,30.
  QCOMPARE(p_->Tekst(1, 100), QStringLiteral("19000,00"));
  QCOMPARE(p_->Tekst(1, 101), QStringLiteral("9500,00"));
  QCOMPARE(p_->Tekst(1, 104), QStringLiteral("2436,30"));
  QCOMPARE(p_->Tekst(1, 107), QStringLiteral("100,00"));
  QCOMPARE(p_->Tekst(1, 108), QStringLiteral("50,00"));
  QCOMPARE(p_->Tekst(1, 109), QStringLiteral("2286,30"));
  QCOMPARE(p_->Tekst(1, 113), QStringLiteral("2286,00"));
  QVERIFY(Komunikat());

  // Without a PIT/O the entered amounts stay and are still limited.
  p_->Rozliczenie({{Pit37, 0, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Ustaw(1, 36, "100,00");
  p_->Ustaw(1, 94, "150,00");
  p_->Ustaw(1, 107, "3,00");
  Oblicz();
  QCOMPARE(p_->Tekst(1, 94), QStringLiteral("100,00"));
  QCOMPARE(p_->Tekst(1, 107), QStringLiteral("0,00"));
}

void TestPit37::przejmujeZPitDIBlokujeJegoPola() {
  p_->Rozliczenie({{Pit37, 0, 0}, {PitD, 1, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Obiekty(150);
  // Block 1: no shares, the whole; block 2: a share of 0 beside a share of 50, the share; block 3: the share.
  p_->Ustaw(2, 31, "800,00");
  p_->Ustaw(2, 42, "100,00");
  p_->Ustaw(2, 46, "50,00");
  p_->Ustaw(2, 51, "70,00");
  p_->Ustaw(2, 54, "60,00");
  p_->Ustaw(1, 36, "10000,00");
  Oblicz();
  QCOMPARE(p_->Tekst(1, 96), QStringLiteral("800,00"));
  QCOMPARE(p_->Tekst(1, 97), QStringLiteral("0,00"));
  QCOMPARE(p_->Tekst(1, 110), QStringLiteral("60,00"));
  // 10000 - 800 = 9200: 0,19 x 9200 - 586,85 = 1161,15; less 60: 1101,15.
  QCOMPARE(p_->Tekst(1, 100), QStringLiteral("9200,00"));
  QCOMPARE(p_->Tekst(1, 109), QStringLiteral("1161,15"));
  QCOMPARE(p_->Tekst(1, 111), QStringLiteral("60,00"));
  QCOMPARE(p_->Tekst(1, 113), QStringLiteral("1101,00"));
  for (int k : {96, 97, 110}) QVERIFY(p_->Zablokowany(k));
  for (int k : {95, 98, 109, 111}) QVERIFY(!p_->Zablokowany(k));

  // Off screen nothing is locked.
  p_->Obiekty(150);
  p_->PokazTyp(PitD, Indywidualne);
  Oblicz();
  QVERIFY(!p_->Zablokowany(96));

  // A PIT/D of another main form is still taken, but does not lock the PIT-37's fields.
  p_->Rozliczenie({{Pit37, 0, 0}, {Pit36, 0, 0}, {PitD, 2, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Obiekty(150);
  p_->Ustaw(3, 31, "5,00");
  p_->Ustaw(1, 36, "100,00");
  Oblicz();
  QCOMPARE(p_->Tekst(1, 96), QStringLiteral("5,00"));
  QVERIFY(!p_->Zablokowany(96));
}

void TestPit37::odliczeniaPitDOgraniczoneReszta_data() {
  QTest::addColumn<QString>("dochod");
  QTest::addColumn<QString>("pole94");
  QTest::addColumn<QString>("pole96");
  QTest::addColumn<QString>("pole97");
  QTest::addColumn<QStringList>("wyniki");  // 96, 98, 99, 100
  QTest::addColumn<bool>("redukcja");
  QTest::newRow("96 ponad dochod") << "1000,00" << "0,00" << "1200,00" << "300,00"
                                   << QStringList{"1000,00", "0,00", "300,00", "0,00"} << true;
  QTest::newRow("97 sie miesci") << "1000,00" << "0,00" << "600,00" << "300,00"
                                 << QStringList{"600,00", "300,00", "0,00", "100,00"} << false;
  // Cutting 97 to what remains is no reduction of its own.
  QTest::newRow("97 ponad reszte") << "1000,00" << "0,00" << "600,00" << "500,00"
                                   << QStringList{"600,00", "400,00", "100,00", "0,00"} << false;
  QTest::newRow("96 rowne reszcie po PIT/O") << "0,06" << "0,01" << "0,05" << "0,00"
                                             << QStringList{"0,05", "0,00", "0,00", "0,00"} << false;
}

void TestPit37::odliczeniaPitDOgraniczoneReszta() {
  QFETCH(QString, dochod);
  QFETCH(QString, pole94);
  QFETCH(QString, pole96);
  QFETCH(QString, pole97);
  QFETCH(QStringList, wyniki);
  QFETCH(bool, redukcja);
  JedenPit37(Indywidualne);
  p_->Ustaw(1, 36, dochod.toStdString());
  p_->Ustaw(1, 94, pole94.toStdString());
  p_->Ustaw(1, 96, pole96.toStdString());
  p_->Ustaw(1, 97, pole97.toStdString());
  Oblicz();
  QStringList stan;
  for (int k : {96, 98, 99, 100}) stan << p_->Tekst(1, k);
  QCOMPARE(stan, wyniki);
  QCOMPARE(Komunikat(), redukcja);
}

void TestPit37::komunikatTylkoGdyPit37NaEkranie() {
  JedenPit37(Indywidualne);
  p_->Ustaw(1, 90, "10,00");  // above an income of 0
  p_->PokazTyp(PitO, Indywidualne);
  p_->StaryListError();
  Oblicz();
  QCOMPARE(p_->Tekst(1, 90), QStringLiteral("0,00"));
  QVERIFY(BezKomunikatu());

  p_->Ustaw(1, 90, "10,00");
  p_->Pokaz(1);
  Oblicz();
  QVERIFY(Komunikat());
}

void TestPit37::blednyTekstKonczyObliczenie() {
  JedenPit37(Indywidualne);
  p_->Ustaw(1, 36, "5000,00");
  p_->Ustaw(1, 103, "abc");
  p_->StaryListError();
  try {
    Oblicz();
    QFAIL("no conversion error");
  } catch (const BladKonwersjiLiczby& e) {
    QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'abc' is not a valid floating point value"));
  }
  // Written up to the bad read, nothing after it.
  QCOMPARE(p_->Tekst(1, 101), QStringLiteral("5000,00"));
  QCOMPARE(p_->Tekst(1, 102), QStringLiteral("363,15"));
  QCOMPARE(p_->Tekst(1, 104), QStringLiteral("0,00"));
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
  p_.reset();  // one main window at a time
  p_ = std::make_unique<ProgramZObliczeniami>(folder);
  for (int rodzaj : {Indywidualne, WspolneZMalzonkiem, SamotnieWychowujacy}) {
    TTools& t = p_->T();
    t.PrzydzielDruki(7);
    for (const auto& [kod, rodzic, pm] : std::vector<std::array<int, 3>>{
             {Pit37, 0, 0}, {PitO, 1, 0}, {PitO, 1, 1}, {PitD, 1, 0}, {Pit2K, 1, 0}, {Nip3, 1, 1}, {Nip1, 1, 2}})
      t.DodajDruk(kod, rodzic, pm, rodzaj);
    t.BudujDrzewo();
    for (int j = 1; j <= t.LiczbaDrukow; ++j) {
      p_->Pokaz(j);
      ::Oblicz(p_->V(), j);
    }
    p_->Ustaw(2, 12, "150,00");
    p_->Ustaw(4, 29, "80,00");
    p_->Ustaw(1, 36, "20000,00");
    p_->Pokaz(2);
    ::Oblicz(p_->V(), 2);
    p_->Pokaz(4);
    ::Oblicz(p_->V(), 4);
    QCOMPARE(p_->Tekst(1, 94), QStringLiteral("150,00"));
    QCOMPARE(p_->Tekst(1, 96), QStringLiteral("80,00"));
    QCOMPARE(p_->Tekst(1, 100), QStringLiteral("19770,00"));
    QCOMPARE(p_->Tekst(1, 117), QStringLiteral("2"));
  }
}

VELMAR_TEST_MAIN(TestPit37)
#include "tst_pit37.moc"
