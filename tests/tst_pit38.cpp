// The PIT-38 and PIT/ZG computations on hand-built settlements. Expected amounts are worked by hand: the tax is
// the base in whole zloty times the rate of field 28 in percent; balances go to whole zloty, 50 grosze and more up.

#include <QtTest>

#include "calc/konwersje.h"
#include "calc/pit38.h"
#include "calc/pitzg.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

class TestPit38 : public QObject {
  Q_OBJECT

 private slots:
  void init() { p_ = std::make_unique<ProgramZObliczeniami>(); }
  void cleanup() { p_.reset(); }

  void pit38_data();
  void pit38();
  void liczbyZalacznikow();
  void komunikatTylkoGdyPit38NaEkranie();
  void wymianaDanychIdentyfikacyjnych();
  void blednyTekstIIndeks();
  void pitZG_data();
  void pitZG();
  void naStrukturachFormularzy();

 private:
  std::unique_ptr<ProgramZObliczeniami> p_;
};

void TestPit38::pit38_data() {
  QTest::addColumn<QString>("wpisy");
  QTest::addColumn<QString>("oczekiwane");
  QTest::addColumn<bool>("redukcja");
  const auto wiersz = [](const char* nazwa, const QString& wpisy, const QString& oczekiwane, bool redukcja) {
    QTest::newRow(nazwa) << wpisy << oczekiwane << redukcja;
  };
  const std::initializer_list<int> dochod = {22, 23, 24, 25, 26, 27, 29};

  wiersz("rowne sumy wierszy", "18=1000,00 19=400,00 20=500,00 21=1100,00 28=19,00",
         Wpisy(dochod, "1500,00 1500,00 0,00 0,00 0,00 0,00 0,00"), false);
  // 11000,50 - 2000,25 = 9000,25, base 9000: 19% is 1710.
  wiersz("dochod", "18=10000,50 19=2000,25 20=1000,00 28=19,00",
         Wpisy(dochod, "11000,50 2000,25 9000,25 0,00 0,00 9000,00 1710,00") + " 32=1710,00 41=1710,00", false);
  wiersz("strata", "18=100,00 21=350,40 28=19,00", Wpisy(dochod, "100,00 350,40 0,00 250,40 0,00 0,00 0,00"), false);
  wiersz("straty lat ubieglych ponad dochod", "18=1000,00 26=1500,00 28=19,00", "26=1000,00 27=0,00 29=0,00", true);
  wiersz("straty lat ubieglych w dochodzie", "18=1000,00 26=400,00 28=19,00", "26=400,00 27=600,00 29=114,00", false);
  wiersz("stawka 19 od 1000", "18=1000,00 28=19,00", "27=1000,00 29=190,00", false);
  wiersz("stawka 0", "18=1000,00 28=0,00", "27=1000,00 29=0,00 32=0,00", false);
  // 1000,50 goes up to 1001: 190,19, due as 190.
  wiersz("podstawa od polowy zlotego w gore", "18=1000,50 28=19,00", "27=1001,00 29=190,19 32=190,00", false);
  wiersz("podstawa 49 groszy w dol", "18=1000,49 28=19,00", "27=1000,00 29=190,00", false);

  // The tax of 190 against 30 + 31.
  const QString podatek190 = "18=1000,00 28=19,00 ";
  wiersz("do zaplaty", podatek190 + "30=50,00 31=100,00", "32=40,00 33=0,00 41=40,00 42=0,00", false);
  wiersz("nadplata", podatek190 + "30=150,00 31=100,00", "32=0,00 33=60,00 41=0,00 42=60,00", false);
  wiersz("polowa zlotego do zaplaty", podatek190 + "30=189,50", "32=1,00 33=0,00", false);
  wiersz("ponizej polowy zlotego", podatek190 + "30=189,51", "32=0,00 33=0,00", false);

  // The flat tax 36 against the tax paid abroad 37 (at most 36) and the tax withheld 38.
  wiersz("37 ponad 36", "36=100,00 37=150,00", "37=100,00 39=0,00 40=0,00", false);
  wiersz("zryczaltowany do zaplaty", "36=100,00 37=30,00 38=20,00", "37=30,00 39=50,00 40=0,00 41=50,00", false);
  wiersz("zryczaltowany nadplata", "36=100,00 37=30,00 38=120,00", "39=0,00 40=50,00 41=0,00 42=50,00", false);

  // 190 + 10 + 0,40 + 70 = 270,40, due as 270; against an overpayment of 110 + 0 the balance turns.
  wiersz("razem do zaplaty", podatek190 + "34=10,00 35=0,40 36=100,00 37=30,00", "39=70,00 41=270,00 42=0,00", false);
  wiersz("razem nadplata", podatek190 + "31=300,00 34=10,00", "32=0,00 33=110,00 41=0,00 42=100,00", false);

  // 1% capped at 1% of 32 cut down to tens of grosze; a rate of 100 makes the tax the base.
  const QString podatek1234 = "18=1234,00 28=100,00 ";
  wiersz("1% ponad 1% z 1234", podatek1234 + "60=15,00", "32=1234,00 60=12,30", true);
  wiersz("1% rowny", podatek1234 + "60=12,30", "60=12,30", false);
  wiersz("1% bez podatku", "60=1,00", "32=0,00 60=0,00", true);
}

void TestPit38::pit38() {
  QFETCH(QString, wpisy);
  QFETCH(QString, oczekiwane);
  QFETCH(bool, redukcja);
  p_->Rozliczenie({{Pit38, 0, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Wpisz(1, wpisy);
  p_->StaryListError();
  ObliczPit38(p_->V(), 1);
  QCOMPARE(p_->Stan(1, oczekiwane), oczekiwane);
  QCOMPARE(p_->Komunikat(), redukcja);
  QCOMPARE(p_->BezKomunikatu(), !redukcja);
}

void TestPit38::liczbyZalacznikow() {
  p_->Rozliczenie({{Pit38, 0, 0}, {PitZG, 1, 1}, {Nip3, 1, 1}, {PitZG, 1, 2}, {Pit36, 0, 0}, {PitZG, 5, 1}},
                  WspolneZMalzonkiem);
  p_->Pokaz(1);
  ObliczPit38(p_->V(), 1);
  QCOMPARE(p_->Teksty(1, {55, 56}), QStringLiteral("1 2"));

  p_->Rozliczenie({{Pit38, 0, 0}}, Indywidualne);
  p_->Pokaz(1);
  ObliczPit38(p_->V(), 1);
  QCOMPARE(p_->Teksty(1, {55, 56}), QStringLiteral("0 0"));
}

void TestPit38::komunikatTylkoGdyPit38NaEkranie() {
  p_->Rozliczenie({{Pit38, 0, 0}}, Indywidualne);
  p_->Wpisz(1, "18=100,00 26=500,00 32=0,00 60=3,00");
  p_->PokazTyp(Pit37, Indywidualne);
  p_->StaryListError();
  ObliczPit38(p_->V(), 1);
  QCOMPARE(p_->Teksty(1, {26, 60}), QStringLiteral("100,00 0,00"));
  QVERIFY(p_->BezKomunikatu());
}

// A spouse's PIT-38 and its PIT/ZG carry the spouse's data to the joint PIT-37, the country included.
void TestPit38::wymianaDanychIdentyfikacyjnych() {
  p_->Rozliczenie({{Pit37, 0, 0}, {Pit38, 0, 2}, {PitZG, 2, 2}}, WspolneZMalzonkiem);
  p_->Pokaz(2);
  for (int j = 1; j <= 3; ++j)
    for (int k : {0, 1, 2, 5, 62}) p_->Ustaw(j, k, "");
  p_->Ustaw(2, {{0, "1112223344"}, {2, "US Wola"}, {5, "Nowak"}, {7, "01-02-1970"}, {17, "Poczta"}, {62, "Polska"}});
  ObliczPit38(p_->V(), 2);
  QCOMPARE(p_->Teksty(1, {1, 7, 23, 25, 35, 141, 0}),
           QStringLiteral("1112223344 US Wola Nowak 01-02-1970 Poczta Polska "));
  QCOMPARE(p_->Teksty(3, {0, 2, 4}), QStringLiteral("1112223344 Nowak 01-02-1970"));

  p_->Ustaw(3, 3, "Anna");
  p_->Pokaz(3);
  ObliczPitZG(p_->V(), 3);
  QCOMPARE(p_->Teksty(2, {6}), QStringLiteral("Anna"));
  QCOMPARE(p_->Teksty(1, {24}), QStringLiteral("Anna"));
}

void TestPit38::blednyTekstIIndeks() {
  p_->Rozliczenie({{Pit38, 0, 0}, {PitZG, 1, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Wpisz(1, "18=500,00 20=abc 22=1,00");
  try {
    ObliczPit38(p_->V(), 1);
    QFAIL("no conversion error");
  } catch (const BladKonwersjiLiczby& e) {
    QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'abc' is not a valid floating point value"));
  }
  QCOMPARE(p_->Tekst(1, 22), QStringLiteral("1,00"));
  p_->Wpisz(2, "8=1,00 17=x");
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, ObliczPitZG(p_->V(), 2));
  QCOMPARE(p_->Tekst(2, 26), QStringLiteral("0,00"));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczPit38(p_->V(), 3));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczPitZG(p_->V(), 0));
}

void TestPit38::pitZG_data() {
  QTest::addColumn<QString>("wpisy");
  QTest::addColumn<QString>("sumy");  // fields 26, 27, 28
  const auto wiersz = [](const char* nazwa, const char* wpisy, const char* sumy) {
    QTest::newRow(nazwa) << QString::fromLatin1(wpisy) << QString::fromLatin1(sumy);
  };
  wiersz("zera", "", "0,00 0,00 0,00");
  wiersz("1,10 i 2,20", "8=1,10 11=2,20", "3,30 0,00 0,00");
  // Each row enters its own column only.
  wiersz("wszystkie wiersze", "8=1,00 11=2,00 14=3,00 17=4,00 20=5,00 23=6,00 9=100,00 25=0,50", "21,00 100,00 0,50");
  wiersz("ujemne", "10=10,00 22=-25,50", "0,00 0,00 -15,50");
  wiersz("bez szumu sumy", "9=0,10 12=0,20 15=0,30", "0,00 0,60 0,00");
  // Nothing is rounded: three decimals stay.
  wiersz("bez zaokraglenia", "10=1,234 13=1", "0,00 0,00 2,234");
}

void TestPit38::pitZG() {
  QFETCH(QString, wpisy);
  QFETCH(QString, sumy);
  p_->Rozliczenie({{Pit38, 0, 0}, {PitZG, 1, 1}}, Indywidualne);
  p_->Pokaz(2);
  p_->Wpisz(2, wpisy + " 26=9,99 27=9,99 28=9,99");
  p_->StaryListError();
  ObliczPitZG(p_->V(), 2);
  QCOMPARE(p_->Teksty(2, {26, 27, 28}), sumy);
  QCOMPARE(p_->PozycjeListError(), QStringList{QStringLiteral("stary")});  // not its business
  QCOMPARE(p_->Tekst(1, 56), QStringLiteral("0,00"));                      // the main form is not recomputed
}

// New records made from the generated structures, computed through the dispatch: the rate starts at 19.
void TestPit38::naStrukturachFormularzy() {
  const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
  if (!QFile::exists(folder + QStringLiteral("dc/4.dcs"))) QSKIP("form structures not generated");
  p_.reset();
  p_ = std::make_unique<ProgramZObliczeniami>(folder);
  Rozliczenie& t = p_->T();
  t.PrzydzielDruki(2);
  t.DodajDruk(Pit38, 0, PMPodatnik, Indywidualne);
  t.DodajDruk(PitZG, 1, PMPodatnik, Indywidualne);
  p_->WczytajStruktury();
  p_->Ustaw(1, {{18, "2000,00"}, {19, "500,00"}});
  p_->Ustaw(2, {{8, "7,00"}, {11, "3,00"}});
  for (int j : {2, 1}) {
    p_->Pokaz(j);
    ::Oblicz(p_->V(), j);
  }
  QCOMPARE(p_->Teksty(2, {26, 27, 28}), QStringLiteral("10,00 0,00 0,00"));
  QCOMPARE(p_->Teksty(1, {24, 27, 28, 29, 41, 56}), QStringLiteral("1500,00 1500,00 19,00 285,00 285,00 1"));
}

VELMAR_TEST_MAIN_RDZEN(TestPit38)
#include "tst_pit38.moc"
