// The PIT-28, PIT-28/A and PIT-28/B computations on hand-built settlements. Expected amounts are worked by hand: shares
// are column revenue over the whole revenue in percent, rounded to grosze; bases go to whole zloty (50 grosze and more
// up) and the lump sum is the base times the column's rate, rounded to grosze.

#include <QtTest>

#include "calc/konwersje.h"
#include "calc/pit28.h"
#include "calc/pit28a.h"
#include "calc/pit28b.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

class TestPit28 : public QObject {
  Q_OBJECT

 private slots:
  void init() { p_ = std::make_unique<ProgramZObliczeniami>(); }
  void cleanup() { p_.reset(); }

  void pit28_data();
  void pit28();
  void zalacznikiIBlokady();
  void kwotyZPitDWedlugWlasciciela();
  void pit28A();
  void pit28AZSumamiPit28B();
  void pit28B();
  void pit28BZPit28A();
  void pit28BBezPit28();
  void blednyTekstIIndeks();
  void naStrukturachFormularzy();

 private:
  std::unique_ptr<ProgramZObliczeniami> p_;
};

void TestPit28::pit28_data() {
  QTest::addColumn<QString>("wpisy");
  QTest::addColumn<QString>("oczekiwane");
  QTest::addColumn<bool>("redukcja");
  const auto wiersz = [](const char* nazwa, const QString& wpisy, const QString& oczekiwane, bool redukcja) {
    QTest::newRow(nazwa) << wpisy << oczekiwane << redukcja;
  };

  // T = 2150 + 1000 = 3150: 1500/3150 = 47,619 %, 500/3150 = 15,873 %, 150/3150 = 4,762 %, 1000/3150 = 31,746 %.
  wiersz("sumy, udzialy i ryczalt", "19=1000,00 21=200,00 24=100,00 26=500,00 33=300,00 34=50,00 43=1000,00",
         "25=1300,00 32=500,00 35=350,00 36=1500,00 38=500,00 41=150,00 "
         "42=2150,00 49=1000,00 50=47,62 52=15,87 "
         "55=4,76 56=31,75 79=1500,00 81=500,00 84=150,00 85=1000,00 86=3150,00 "
         "87=45,00 89=42,50 92=30,00 "
         "93=30,00 94=147,50 96=147,50 102=148,00 109=148,00 110=0,00",
         false);
  wiersz("T rowne zero", "50=12,00 63=100,00", "50=12,00 62=0,00 63=0,00 64=0,00 65=0,00", true);
  wiersz("64 ciete pierwsze", "19=1000,00 62=300,00 63=500,00 64=400,00",
         "62=300,00 63=500,00 64=200,00 65=0,00 71=1000,00 72=1000,00 79=0,00 "
         "102=0,00",
         true);
  wiersz("potem 62", "19=1000,00 62=700,00 63=500,00 64=100,00", "62=500,00 63=500,00 64=0,00 65=0,00", true);
  wiersz("odliczenia w przychodzie", "19=10000,00 20=10000,00 62=1000,00 63=1000,00",
         "50=50,00 51=50,00 65=18000,00 67=18000,00 69=0,00 71=2000,00 "
         "72=1000,00 73=1000,00 79=9000,00 "
         "80=9000,00 87=270,00 88=495,00 102=765,00",
         false);
  wiersz("podstawa od polowy zlotego w gore", "19=1000,50", "36=1000,50 79=1001,00 87=30,03 102=30,00", false);
  // 66,67 % of 300000 is 200010, above the column's 200000; 33,33 % leaves a base of 10 at 5,5 %.
  wiersz("udzial odliczen ponad kolumne", "19=200000,00 20=100000,00 63=300000,00",
         "50=66,67 51=33,33 65=0,00 71=300000,00 72=200000,00 73=99990,00 "
         "79=0,00 80=10,00 88=0,55 102=1,00",
         false);
  wiersz("drugi blok ciety do przychodu", "19=100000,00 43=200000,00 63=300000,00",
         "50=33,33 56=66,67 72=99990,00 78=200000,00 79=10,00 85=0,00 86=10,00 "
         "87=0,30 93=0,00 102=0,00",
         false);
  wiersz("mieszkaniowe ponad przychod", "19=1000,00 63=900,00 66=200,00 68=50,00",
         "65=100,00 66=100,00 67=0,00 69=0,00 70=50,00 71=1000,00", true);
  wiersz("kredyt w przychodzie", "19=1000,00 68=50,00", "67=1000,00 69=50,00 70=0,00 71=50,00 79=950,00", false);
  wiersz("czesci odliczen bez komunikatu", "19=1000,00 63=100,00 146=150,00 97=10,00 149=20,00", "146=100,00 149=10,00",
         false);

  // The lump sum of 30 against the deductions from it.
  const QString ryczalt30 = "19=1000,00 ";
  wiersz("97 ponad ryczalt", ryczalt30 + "97=50,00", "97=30,00 100=0,00 102=0,00", true);
  wiersz("98 ponad reszte", ryczalt30 + "97=10,00 98=25,00", "98=20,00 100=0,00 102=0,00", true);
  wiersz("99 w calosci", ryczalt30 + "97=10,00 99=5,00", "100=5,00 101=0,00 102=15,00", false);
  wiersz("99 czesciowo", ryczalt30 + "97=10,00 99=30,00", "100=20,00 101=10,00 102=0,00", false);
  wiersz("do zaplaty", ryczalt30 + "104=5,00 108=20,00", "109=15,00 110=0,00", false);
  wiersz("nadplata", ryczalt30 + "104=5,00 108=50,00", "109=0,00 110=15,00", false);
  wiersz("miesiace", "111=1,00 115=0,25 121=2,50", "122=3,75", false);

  wiersz("1% ponad limit", "19=10000,00 143=3,10", "102=300,00 143=3,00", true);
  wiersz("1% rowny limitowi", "19=10000,00 143=3,00", "143=3,00", false);
}

void TestPit28::pit28() {
  QFETCH(QString, wpisy);
  QFETCH(QString, oczekiwane);
  QFETCH(bool, redukcja);
  p_->Rozliczenie({{Pit28, 0, PMPodatnik}}, Indywidualne);
  p_->Pokaz(1);
  p_->Wpisz(1, wpisy);
  p_->StaryListError();
  ObliczPit28(p_->V(), 1);
  QCOMPARE(p_->Stan(1, oczekiwane), oczekiwane);
  QCOMPARE(p_->Komunikat(), redukcja);
  QCOMPARE(p_->BezKomunikatu(), !redukcja);
}

// A PIT-28 with every attachment: PIT/O and PIT/D amounts come in, the counts are made, and only the PIT-28 on screen
// gets its attachment-filled fields locked.
void TestPit28::zalacznikiIBlokady() {
  p_->Rozliczenie({{Pit28, 0, PMPodatnik},
                   {PitO, 1, PMPodatnik},
                   {PitD, 1, PMPodatnik},
                   {Pit28A, 1, PMPodatnik},
                   {Pit28B, 1, PMPodatnik},
                   {Nip3, 1, PMPodatnik}},
                  Indywidualne);
  p_->Wpisz(2, "28=100,00 41=5,00");
  p_->Wpisz(3, "32=40,00 43=7,00 52=3,00");
  p_->Wpisz(1, "19=10000,00");
  p_->Pokaz(1);
  p_->Obiekty(150);
  ObliczPit28(p_->V(), 1);
  // T 10000 - 100 = 9900, less 40 and 7: a base of 9853 at 3 % is 295,59, less 5 and 3.
  const QString oczekiwane =
      "64=100,00 65=9900,00 66=40,00 67=9860,00 68=7,00 69=7,00 70=0,00 "
      "71=147,00 79=9853,00 87=295,59 98=5,00 "
      "99=3,00 100=3,00 101=0,00 102=288,00";
  QCOMPARE(p_->Stan(1, oczekiwane), oczekiwane);
  QCOMPARE(p_->Teksty(1, {124, 125, 126, 127, 128, 129, 130}), QStringLiteral("1 1 0 0 1 1 1"));
  QList<int> blokady;
  for (int k = 19; k <= 33; ++k) blokady << k;
  for (int k = 43; k <= 49; ++k) blokady << k;
  blokady << 66 << 68 << 99;
  QCOMPARE(p_->Zablokowane(), blokady);

  p_->Obiekty(150);
  p_->Pokaz(2);
  p_->Wpisz(1, "63=20000,00");
  p_->StaryListError();
  ObliczPit28(p_->V(), 1);
  QCOMPARE(p_->Teksty(1, {63, 102}), QStringLiteral("10000,00 0,00"));
  QVERIFY(p_->Zablokowane().isEmpty());
  QVERIFY(p_->BezKomunikatu());
}

// The first PIT/D of the settlement feeds 66, 68 and 99 by the owner of the PIT-28, copied as text.
void TestPit28::kwotyZPitDWedlugWlasciciela() {
  p_->Rozliczenie({{Pit28, 0, PMWspolny}, {Pit28, 0, PMMalzonek}, {PitD, 1, PMWspolny}}, WspolneZMalzonkiem);
  p_->Wpisz(1, "19=1000,00");
  p_->Wpisz(2, "19=1000,00");
  p_->Wpisz(3, "30=100,00 41=20,00 50=3,00");
  p_->Pokaz(1);
  ObliczPit28(p_->V(), 1);
  QCOMPARE(p_->Teksty(1, {66, 68, 99}), QStringLiteral("100,00 20,00 3,00"));

  p_->Wpisz(3, "33=10,5 53=1,00");
  ObliczPit28(p_->V(), 1);
  QCOMPARE(p_->Teksty(1, {66, 68, 99}), QStringLiteral("0,00 20,00 0,00"));
  p_->Pokaz(2);
  ObliczPit28(p_->V(), 2);
  QCOMPARE(p_->Teksty(2, {66, 68, 99}), QStringLiteral("10,5 0,00 1,00"));
}

void TestPit28::pit28A() {
  p_->Rozliczenie({{Pit28, 0, PMPodatnik}, {Pit28A, 1, PMPodatnik}, {Pit28A, 0, PMMalzonek}}, Indywidualne);
  p_->Wpisz(2, "15=100,00 20=1 21=50,5 23=200,00 28=3,00");
  p_->Pokaz(2);
  ObliczPit28A(p_->V(), 2);
  const QString kopie = "19=100,00 24=1 33=50,5 43=200,00 48=3,00";
  QCOMPARE(p_->Stan(1, kopie), kopie);
  // And the PIT-28 is recomputed.
  QCOMPARE(p_->Teksty(1, {25, 35, 49, 42, 129}), QStringLiteral("101,00 50,50 203,00 151,50 1"));

  // A spouse's PIT-28/A finds no PIT-28 of its owner.
  p_->Wpisz(3, "15=7,00");
  p_->Pokaz(3);
  ObliczPit28A(p_->V(), 3);
  QCOMPARE(p_->Tekst(1, 19), QStringLiteral("100,00"));
}

// The joint revenue adds the totals of the last PIT-28/B of the PIT-28.
void TestPit28::pit28AZSumamiPit28B() {
  p_->Rozliczenie({{Pit28, 0, PMPodatnik}, {Pit28B, 1, PMPodatnik}, {Pit28B, 1, PMPodatnik}, {Pit28A, 1, PMPodatnik}},
                  Indywidualne);
  p_->Wpisz(2, "103=99,00");
  p_->Wpisz(3, "103=1,25 108=0,5");
  p_->Wpisz(4, "23=10,00 28=2");
  p_->Pokaz(4);
  ObliczPit28A(p_->V(), 4);
  QCOMPARE(p_->Teksty(1, {43, 44, 48, 49}), QStringLiteral("11,25 0,00 2,50 13,75"));
}

void TestPit28::pit28B() {
  p_->Rozliczenie({{Pit28, 0, PMPodatnik}, {Pit28B, 1, PMPodatnik}, {Pit28B, 1, PMPodatnik}, {Pit28B, 1, PMPodatnik}},
                  Indywidualne);
  p_->Wpisz(2, "24=100,00 26=1000,00 27=333,33 51=50,00 72=10,00 83=7,00");
  p_->Wpisz(3, "97=5,00 112=1,00");
  p_->Wpisz(4, "39=10,00 85=-5,00 50=0,25");
  p_->Pokaz(2);
  ObliczPit28B(p_->V(), 2);
  // 333,33 x 99,99 % = 333,2967 and 1333,33 x 99,99 % = 1333,1967: both round up.
  const QString bloki =
      "6=3 24=99,99 25=1333,33 38=1333,20 39=999,90 "
      "40=333,30 50=0,00 71=17,00 84=8,50 85=5,00 96=3,50";
  QCOMPARE(p_->Stan(2, bloki), bloki);
  // The group adds the shares the other records hold; the last of them shows the totals, the others zeros.
  QCOMPARE(p_->Teksty(2, {97, 98, 108, 112}), QStringLiteral("0,00 0,00 0,00 0,00"));
  QCOMPARE(p_->Teksty(3, {97, 112}), QStringLiteral("0,00 0,00"));
  QCOMPARE(p_->Teksty(4, {97, 98, 108, 109}), QStringLiteral("1009,90 333,30 3,75 0,00"));
  QCOMPARE(p_->Teksty(1, {26, 27, 31, 32, 43, 48}), QStringLiteral("1009,90 333,30 0,00 1343,20 0,00 0,00"));
  QCOMPARE(p_->Tekst(1, 130), QStringLiteral("3"));
}

void TestPit28::pit28BZPit28A() {
  p_->Rozliczenie({{Pit28, 0, PMPodatnik}, {Pit28B, 1, PMPodatnik}, {Pit28A, 1, PMPodatnik}}, Indywidualne);
  p_->Wpisz(2, "24=50,00 32=10,00 37=100,00");
  p_->Wpisz(3, "23=1,00 28=20,00");
  p_->Pokaz(2);
  ObliczPit28B(p_->V(), 2);
  QCOMPARE(p_->Teksty(2, {6, 97, 103, 108}), QStringLiteral("1 0,00 5,00 50,00"));
  QCOMPARE(p_->Teksty(1, {43, 48, 49}), QStringLiteral("6,00 70,00 76,00"));
}

// Without its owner's PIT-28 a PIT-28/B keeps its own row sums, unrounded beyond its shares.
void TestPit28::pit28BBezPit28() {
  p_->Rozliczenie({{Pit28, 0, PMPodatnik}, {Pit28B, 1, PMMalzonek}}, WspolneZMalzonkiem);
  p_->Wpisz(2, "24=33,33 26=10,00 51=0,00");
  p_->Pokaz(2);
  ObliczPit28B(p_->V(), 2);
  QCOMPARE(p_->Teksty(2, {6, 25, 38, 39, 97}), QStringLiteral("1 10,00 3,33 3,33 3,33"));
  QCOMPARE(p_->Tekst(1, 26), QStringLiteral("0,00"));
}

void TestPit28::blednyTekstIIndeks() {
  p_->Rozliczenie({{Pit28, 0, PMPodatnik}, {Pit28B, 1, PMPodatnik}}, Indywidualne);
  p_->Pokaz(1);
  p_->Wpisz(1, "19=500,00 22=abc 42=1,00");
  try {
    ObliczPit28(p_->V(), 1);
    QFAIL("no conversion error");
  } catch (const BladKonwersjiLiczby& e) {
    QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'abc' is not a valid floating point value"));
  }
  QCOMPARE(p_->Tekst(1, 42), QStringLiteral("1,00"));
  p_->Pokaz(2);
  p_->Wpisz(2, "26=1,00 51=x");
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, ObliczPit28B(p_->V(), 2));
  QCOMPARE(p_->Tekst(2, 38), QStringLiteral("0,00"));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczPit28(p_->V(), 3));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczPit28A(p_->V(), 0));
}

// New records made from the generated structures, computed through the dispatch.
void TestPit28::naStrukturachFormularzy() {
  const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
  if (!QFile::exists(folder + QStringLiteral("dc/5.dcs"))) QSKIP("form structures not generated");
  p_.reset();
  p_ = std::make_unique<ProgramZObliczeniami>(folder);
  Rozliczenie& t = p_->T();
  t.PrzydzielDruki(3);
  t.DodajDruk(Pit28, 0, PMPodatnik, Indywidualne);
  t.DodajDruk(Pit28A, 1, PMPodatnik, Indywidualne);
  t.DodajDruk(Pit28B, 1, PMPodatnik, Indywidualne);
  p_->WczytajStruktury();
  p_->Ustaw(2, {{15, "1000,00"}});
  p_->Ustaw(3, {{24, "50,00"}, {26, "200,00"}});
  for (int j : {2, 3}) {
    p_->Pokaz(j);
    ::Oblicz(p_->V(), j);
  }
  QCOMPARE(p_->Teksty(3, {6, 39, 97}), QStringLiteral("1 100,00 100,00"));
  QCOMPARE(p_->Teksty(1, {19, 26, 42, 87, 102, 129, 130}), QStringLiteral("1000,00 100,00 1100,00 33,00 33,00 1 1"));
}

VELMAR_TEST_MAIN_RDZEN(TestPit28)
#include "tst_pit28.moc"
