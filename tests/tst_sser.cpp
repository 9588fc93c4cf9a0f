// The SSE-R computation on hand-built settlements; expected amounts are worked by hand.

#include <QtTest>

#include "calc/konwersje.h"
#include "calc/sser.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

class TestSseR : public QObject {
  Q_OBJECT

 private slots:
  void init() { p_ = std::make_unique<ProgramZObliczeniami>(); }
  void cleanup() { p_.reset(); }

  void obliczenie_data();
  void obliczenie();
  void bezWymianyDanych();
  void blednyTekstIIndeks();
  void naStrukturachFormularzy();

 private:
  std::unique_ptr<ProgramZObliczeniami> p_;
};

// An SSE-R of a PIT-36 (record 2), on screen, entries as Wpisz reads them.
void TestSseR::obliczenie_data() {
  QTest::addColumn<QString>("wpisy");
  QTest::addColumn<QString>("oczekiwane");
  const auto wiersz = [](const char* nazwa, const QString& wpisy, const QString& oczekiwane) {
    QTest::newRow(nazwa) << wpisy << oczekiwane;
  };

  // The aid grid: rows 1, 2 and 4 by column; row 3 (19 to 21) is in no total.
  wiersz("pomoc", "14=1,10 16=2,20 22=3,30 19=100,00 15=10,00 17=20,00 23=-5,00 20=50,00 18=1,00 24=2,00 21=60,00",
         "25=6,60 26=25,00 27=3,00");
  wiersz("koszty", "28=100,00 31=200,00 34=300,00 37=-100,00 29=1,00 32=2,00 35=3,00 38=4,00 30=0,50 33=0,25",
         "40=500,00 41=10,00 42=0,75");

  // The aid as a percentage of the costs; without costs "0,00", not what stood there.
  wiersz("intensywnosc", "14=50,00 28=200,00", "43=25,00");
  wiersz("intensywnosc zaokraglona", "14=1,00 28=3,00", "43=33,33");
  wiersz("intensywnosc bez kosztow", "14=50,00", "43=0,00");
  wiersz("koszty znoszace sie", "14=50,00 28=100,00 37=-100,00", "40=0,00 43=0,00");
  // One hundredth of the share: 1000 x 50% x 1%.
  wiersz("stawka", "28=1000,00 44=50,00", "43=0,00 45=5,00");

  // The aid against its limit.
  wiersz("pomoc ponizej limitu", "46=80,00 50=100,00", "51=0,00 52=20,00 53=80,00");
  wiersz("pomoc ponad limit", "46=100,00 50=80,00", "51=20,00 52=0,00 53=80,00");
  wiersz("pomoc rowna limitowi", "46=100,00 50=100,000", "51=0,00 52=0,00 53=100,000");
  wiersz("dochod w strefie", "47=100,00 48=150,00", "49=0,00");

  // The income outside the zone: by percentage, else an amount no larger than the income; none of no income.
  wiersz("czesc ze stawki", "47=1000,00 57=10,00 58=5,00", "55=1000,00 59=100,00 60=900,00");
  wiersz("czesc ograniczona", "47=1000,00 58=1500,00", "59=1000,00 60=0,00");
  wiersz("czesc z kwoty", "47=1000,00 58=300,00", "59=300,00 60=700,00");
  wiersz("czesc bez dochodu", "58=300,00", "55=0,00 59=0,00 60=0,00");
  wiersz("dochod zwolniony", "47=1000,00 54=400,00 48=300,00", "49=700,00 55=600,00 59=0,00 60=600,00");

  // The base in whole zloty: 500 - 100 + 20,40 = 420,40 goes down; a loss with more added gives what exceeds it.
  wiersz("podstawa", "47=500,00 66=100,00 67=20,40", "64=500,00 65=0,00 66=100,00 68=420,00 69=0,00");
  wiersz("strata i doliczenia", "61=30,00 67=100,00", "64=0,00 65=30,00 68=70,00 69=0,00");
  wiersz("strata bez podstawy", "61=130,00 67=100,00 68=55,00", "64=0,00 65=130,00 68=0,00 69=30,00");
  wiersz("straty z lat ponad dochod", "47=100,00 66=150,00", "66=100,00 68=0,00 69=0,00");
  wiersz("inne dochody i odliczenia", "62=1000,00 63=250,50 61=100,00", "64=649,50 68=650,00");

  // The value of the exemption and the aid carried forward.
  wiersz("odliczenia ponad podatek", "70=500,00 71=600,00", "71=500,00 73=0,00");
  wiersz("wartosc zwolnienia", "70=700,00 71=200,00 72=1000,00", "73=500,00 74=500,00");
  wiersz("pomoc ponad dopuszczalna", "72=300,00 75=100,00 77=1000,00",
         "74=300,00 76=200,00 79=0,00 80=1200,00 81=1000,00");
  wiersz("pomoc przechodzaca ograniczona", "72=100,00 75=300,00 78=150,00 77=1000,00",
         "74=100,00 76=0,00 79=150,00 80=850,00 81=700,00");
  wiersz("pomoc przechodzaca w limicie", "72=100,00 75=300,00 78=500,00", "79=200,00 80=-200,00 81=-700,00");
}

void TestSseR::obliczenie() {
  QFETCH(QString, wpisy);
  QFETCH(QString, oczekiwane);
  p_->Rozliczenie({{Pit36, 0, 0}, {SseR, 1, PMPodatnik}}, Indywidualne);
  p_->Pokaz(2);
  // Texts an earlier run or the user left in the written fields.
  for (int k : {25, 40, 43, 45, 49, 51, 52, 53, 55, 59, 60, 64, 65, 68, 69, 73, 74, 76, 79, 80, 81})
    p_->Ustaw(2, k, "12,34");
  p_->Wpisz(2, wpisy);
  ObliczSseR(p_->V(), 2);
  QCOMPARE(p_->Stan(2, oczekiwane), oczekiwane);
}

// The SSE-R neither reads nor writes identification data: no other form takes its texts or the empty blocks.
void TestSseR::bezWymianyDanych() {
  p_->Rozliczenie({{Pit36, 0, 0}, {SseR, 1, PMPodatnik}}, Indywidualne);
  p_->Ustaw(1, 0, "1234567890");
  p_->Ustaw(2, {{0, "5555555555"}, {3, "Kowalski"}});
  p_->Pokaz(2);
  ObliczSseR(p_->V(), 2);
  QCOMPARE(p_->Tekst(1, 0), QStringLiteral("1234567890"));
  QCOMPARE(p_->Teksty(2, {0, 3}), QStringLiteral("5555555555 Kowalski"));
  QVERIFY(p_->T().Osoby[0].Pole(0).empty());
}

void TestSseR::blednyTekstIIndeks() {
  p_->Rozliczenie({{Pit36, 0, 0}, {SseR, 1, PMPodatnik}}, Indywidualne);
  p_->Wpisz(2, "14=5,00 28=x 43=1,00");
  p_->Pokaz(2);
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, ObliczSseR(p_->V(), 2));
  QCOMPARE(p_->Teksty(2, {25, 43}), QStringLiteral("5,00 1,00"));  // written before the failing read, not after
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczSseR(p_->V(), 3));
}

// A new record made from the generated structure, computed through the dispatch.
void TestSseR::naStrukturachFormularzy() {
  const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
  if (!QFile::exists(folder + QStringLiteral("dc/13.dcs"))) QSKIP("form structures not generated");
  p_.reset();
  p_ = std::make_unique<ProgramZObliczeniami>(folder);
  Rozliczenie& t = p_->T();
  t.PrzydzielDruki(1);
  t.DodajDruk(SseR, 0, PMPodatnik, Indywidualne);
  p_->WczytajStruktury();
  p_->Ustaw(1, {{16, "50,00"}, {31, "200,00"}, {47, "900,00"}, {63, "100,00"}});
  p_->Pokaz(1);
  ::Oblicz(p_->V(), 1);
  QCOMPARE(p_->Teksty(1, {25, 40, 43, 55, 64, 68}), QStringLiteral("50,00 200,00 25,00 900,00 800,00 800,00"));
}

VELMAR_TEST_MAIN_RDZEN(TestSseR)
#include "tst_sser.moc"
