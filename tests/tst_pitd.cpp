// The PIT/D computation: its three deduction blocks and what it carries into the main forms.

#include <QtTest>

#include "calc/konwersje.h"
#include "calc/pitd.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

namespace {

void SondaPit36(KontekstObliczen& kx, int j) { Wywolania().push_back({Pit36, j, Teksty(kx, j, {146, 149, 179})}); }
void SondaPit28(KontekstObliczen& kx, int j) { Wywolania().push_back({Pit28, j, Teksty(kx, j, {66, 68, 99})}); }

// The fields of a block in the order A, U, R, U1, U2, R1, R2, and the field the amount available is entered in.
struct Blok {
  std::array<int, 7> pola;
  int wpis;
};
constexpr Blok kBloki[] = {{{29, 30, 31, 32, 33, 34, 35}, 29}, {{40, 41, 42, 43, 44, 45, 46}, 38},
                           {{49, 50, 51, 52, 53, 54, 55}, 47}};

}  // namespace

class TestPitD : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    p_ = std::make_unique<ProgramZObliczeniami>();
    Wywolania().clear();
  }
  void cleanup() { p_.reset(); }

  void blok_data();
  void blok();
  void przygotowanieBlokow_data();
  void przygotowanieBlokow();
  void przeniesienieDoPit37();
  void przeniesienieDoPit36IPit28();
  void tylkoIstniejaceDrukiGlowne();
  void odblokowanieUdzialowReszty_data();
  void odblokowanieUdzialowReszty();
  void blednyTekstKonczyObliczenie();

 private:
  std::unique_ptr<ProgramZObliczeniami> p_;
};

void TestPitD::blok_data() {
  QTest::addColumn<int>("blok");
  QTest::addColumn<QString>("wpisane");  // A, U, U1, U2, R1, R2
  QTest::addColumn<QString>("wyniki");   // U, R, U1, U2, R1, R2
  const std::array<const char*, 3> przypadki[] = {
      {"U ponad A", "1000,00 1500,00 0,00 0,00 0,00 0,00", "1000,00 0,00 0,00 0,00 0,00 0,00"},
      {"U w A", "1000,00 400,00 0,00 0,00 0,00 0,00", "400,00 600,00 0,00 0,00 0,00 0,00"},
      {"U1 ponad U", "1000,00 600,00 700,00 50,00 0,00 0,00", "600,00 400,00 600,00 0,00 0,00 0,00"},
      // A negative second share is replaced too, not only one that does not fit.
      {"U1 ponad U przy ujemnym U2", "1000,00 600,00 700,00 -50,00 0,00 0,00", "600,00 400,00 600,00 0,00 0,00 0,00"},
      {"U1 i U2 ponad U", "1000,00 600,00 500,00 200,00 0,00 0,00", "600,00 400,00 500,00 100,00 0,00 0,00"},
      {"udzialy U sie mieszcza", "1000,00 600,00 200,00 100,00 0,00 0,00", "600,00 400,00 200,00 100,00 0,00 0,00"},
      {"R1 ponad R", "1000,00 400,00 0,00 0,00 700,00 50,00", "400,00 600,00 0,00 0,00 600,00 0,00"},
      {"R1 ponad R przy ujemnym R2", "1000,00 400,00 0,00 0,00 700,00 -5,00", "400,00 600,00 0,00 0,00 600,00 0,00"},
      {"R1 i R2 ponad R", "1000,00 400,00 0,00 0,00 500,00 200,00", "400,00 600,00 0,00 0,00 500,00 100,00"},
      // 0,01 + 0,05 read from text lies a hair above 0,06: the share fits and keeps its text as entered.
      {"udzialy rowne U", "1,00 0,06 0,01 0,050 0,00 0,00", "0,06 0,94 0,01 0,050 0,00 0,00"},
      {"bez zaokraglen", "100,555 0,00 0,00 0,00 50,5 0,00", "0,00 100,555 0,00 0,00 50,5 0,00"},
  };
  for (int blok = 0; blok < 3; ++blok)
    for (const auto& [nazwa, wpisane, wyniki] : przypadki)
      QTest::addRow("blok %d: %s", blok + 1, nazwa) << blok << QString::fromLatin1(wpisane) << QString::fromLatin1(wyniki);
}

void TestPitD::blok() {
  QFETCH(int, blok);
  QFETCH(QString, wpisane);
  QFETCH(QString, wyniki);
  p_->Rozliczenie({{Pit37, 0, 0}, {PitD, 1, 0}}, WspolneZMalzonkiem);
  p_->Pokaz(2);
  const Blok& b = kBloki[blok];
  const QStringList teksty = wpisane.split(' ');
  const int wejscia[] = {b.wpis, b.pola[1], b.pola[3], b.pola[4], b.pola[5], b.pola[6]};
  for (int i = 0; i < 6; ++i) p_->Ustaw(2, wejscia[i], teksty[i].toStdString());
  ObliczPitD(p_->V(), 2);
  const auto& [a, u, r, u1, u2, r1, r2] = b.pola;
  QCOMPARE(p_->Teksty(2, {u, r, u1, u2, r1, r2}), wyniki);
}

void TestPitD::przygotowanieBlokow_data() {
  QTest::addColumn<int>("pole");
  QTest::addColumn<QString>("wpisane");
  QTest::addColumn<QString>("wynik");
  QTest::addColumn<QString>("dostepna");  // 40 from 38 + 39 (39 = 0,25), 49 from 47 + 48 (48 = 10,00)
  QTest::newRow("38 i 39") << 38 << "100,10" << "100,10" << "100,35";
  QTest::newRow("47 ponad limit") << 47 << "12000,00" << "11340,00" << "11350,00";
  QTest::newRow("47 tuz ponad limit") << 47 << "11340,01" << "11340,00" << "11350,00";
  QTest::newRow("47 rowne limitowi") << 47 << "11340" << "11340" << "11350,00";
  QTest::newRow("47 ponizej limitu") << 47 << "11339,99" << "11339,99" << "11349,99";
}

void TestPitD::przygotowanieBlokow() {
  QFETCH(int, pole);
  QFETCH(QString, wpisane);
  QFETCH(QString, wynik);
  QFETCH(QString, dostepna);
  p_->Rozliczenie({{PitD, 0, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Ustaw(1, {{39, "0,25"}, {48, "10,00"}});
  p_->Ustaw(1, pole, wpisane.toStdString());
  ObliczPitD(p_->V(), 1);
  QCOMPARE(p_->Tekst(1, pole), wynik);
  // The remainder follows the amount available.
  QCOMPARE(p_->Teksty(1, {pole == 38 ? 40 : 49, pole == 38 ? 42 : 51}), dostepna + ' ' + dostepna);
}

void TestPitD::przeniesienieDoPit37() {
  p_->Rozliczenie({{Pit37, 0, 0}, {PitD, 1, 0}}, Indywidualne);
  p_->Pokaz(2);
  p_->Ustaw(1, 36, "10000,00");
  // Block 1: remainder 800 with no shares; block 2: remainder 500 with shares 0 and 50; block 3: remainder 200
  // with a first share of 120.
  p_->Ustaw(2, {{29, "1000,00"}, {30, "200,00"}, {38, "500,00"}, {46, "50,00"}, {47, "300,00"}, {50, "100,00"},
                {54, "120,00"}});
  ObliczPitD(p_->V(), 2);
  // The PIT-37 was recomputed: 10000 - 800 = 9200, tax 0,19 x 9200 - 586,85 = 1161,15, less 120.
  QCOMPARE(p_->Teksty(1, {96, 97, 110, 100, 111, 113}), QStringLiteral("800,00 0,00 120,00 9200,00 120,00 1041,00"));
  QCOMPARE(p_->Kratka(1, 3), std::uint8_t{1});
  QCOMPARE(p_->WysokoscListError(), 0);
}

void TestPitD::przeniesienieDoPit36IPit28() {
  const ZastepczeObliczenie pit36(Pit36, SondaPit36);
  const ZastepczeObliczenie pit28(Pit28, SondaPit28);
  p_->Rozliczenie({{Pit36, 0, 0}, {PitD, 1, 0}, {Pit28, 0, 0}, {Pit28, 0, 1}, {Pit28, 0, 2}}, WspolneZMalzonkiem);
  p_->Pokaz(2);
  // Block 1: 600 used with no shares, remainder 400 with no shares. Block 2: 300 used as 100 + 200, remainder 200
  // with a first share of 50. Block 3: 100 used with shares 0 and 30, remainder 300 with no shares.
  p_->Ustaw(2, {{29, "1000,00"}, {30, "600,00"}, {38, "500,00"}, {41, "300,00"}, {43, "100,00"}, {44, "200,00"},
                {45, "50,00"}, {47, "400,00"}, {50, "100,00"}, {53, "30,00"}});
  ObliczPitD(p_->V(), 2);
  // The settlement's PIT-28 falls back to the whole amount used; a person's takes its share even when it is 0.
  QCOMPARE(OpisWywolan(), (QStringList{Opis(Pit36, 1, "400,00 50,00 300,00"), Opis(Pit28, 3, "600,00 100,00 0,00"),
                                       Opis(Pit28, 4, "0,00 100,00 0,00"), Opis(Pit28, 5, "0,00 200,00 30,00")}));
}

void TestPitD::tylkoIstniejaceDrukiGlowne() {
  const ZastepczeObliczenie pit36(Pit36, SondaPit36);
  const ZastepczeObliczenie pit28(Pit28, SondaPit28);
  // Main forms of a person are not the settlement's: only the spouse's PIT-28 is fed.
  p_->Rozliczenie({{Pit37, 0, 1}, {Pit36, 0, 2}, {PitD, 0, 0}, {Pit28, 0, 2}}, WspolneZMalzonkiem);
  p_->Pokaz(3);
  p_->Ustaw(3, {{29, "100,00"}, {30, "40,00"}, {33, "40,00"}});
  ObliczPitD(p_->V(), 3);
  QCOMPARE(OpisWywolan(), QStringList{Opis(Pit28, 4, "40,00 0,00 0,00")});
  QCOMPARE(p_->Tekst(1, 96), QStringLiteral("0,00"));
  QCOMPARE(p_->Kratka(1, 3), std::uint8_t{0});

  Wywolania().clear();
  p_->Rozliczenie({{PitD, 0, 0}}, Indywidualne);
  p_->Pokaz(1);
  ObliczPitD(p_->V(), 1);
  QVERIFY(Wywolania().empty());
}

void TestPitD::odblokowanieUdzialowReszty_data() {
  QTest::addColumn<int>("rodzaj");
  QTest::addColumn<bool>("naEkranie");
  QTest::addColumn<bool>("odblokowane");
  QTest::newRow("indywidualnie") << 0 << true << true;
  QTest::newRow("samotnie") << 2 << true << true;
  QTest::newRow("wspolnie") << 1 << true << false;
  QTest::newRow("indywidualnie poza ekranem") << 0 << false << false;
}

void TestPitD::odblokowanieUdzialowReszty() {
  QFETCH(int, rodzaj);
  QFETCH(bool, naEkranie);
  QFETCH(bool, odblokowane);
  p_->Rozliczenie({{Pit37, 0, 0}, {PitD, 1, 0}}, rodzaj);
  p_->Pokaz(naEkranie ? 2 : 1);
  p_->Obiekty(60, 1);
  ObliczPitD(p_->V(), 2);
  const QList<int> udzialy = {34, 35, 45, 46, 54, 55};
  for (int k = 0; k < 60; ++k) QCOMPARE(p_->Zablokowany(k), !(odblokowane && udzialy.contains(k)));
}

void TestPitD::blednyTekstKonczyObliczenie() {
  p_->Rozliczenie({{Pit37, 0, 0}, {PitD, 1, 0}}, Indywidualne);
  p_->Pokaz(2);
  p_->Ustaw(2, {{29, "500,00"}, {38, "70,00"}, {41, "1.5"}});
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, ObliczPitD(p_->V(), 2));
  QCOMPARE(p_->Teksty(2, {31, 40, 42}), QStringLiteral("500,00 70,00 0,00"));
  QCOMPARE(p_->Tekst(1, 96), QStringLiteral("0,00"));
  QCOMPARE(p_->Kratka(1, 3), std::uint8_t{0});
}

VELMAR_TEST_MAIN_RDZEN(TestPitD)
#include "tst_pitd.moc"
