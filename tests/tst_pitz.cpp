// The PIT/Z computation on hand-built settlements, and the chains PIT/Z -> PIT-36 / PIT-36L and PIT/B -> PIT/Z ->
// main form. The PIT-36 that attachments recompute is a stand-in recording what it was called with; expected amounts
// are worked by hand.

#include <QtTest>

#include "calc/konwersje.h"
#include "calc/pitb.h"
#include "calc/pitz.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

namespace {

// The PIT-36 as an attachment recomputes it (kod 100 + 1); the fields a PIT/B and a PIT/Z fill.
void SondaPit36ZZalacznika(KontekstObliczen& kx, int j) {
  Wywolania().push_back({101, j, Teksty(kx, j, {53, 54, 55, 56, 58, 98, 99, 101})});
}
void SondaPit36L(KontekstObliczen& kx, int j) { Wywolania().push_back({Pit36L, j, Teksty(kx, j, {21, 22, 23, 24})}); }

// Part C of the PIT/Z gives income 800 outside the zone and 400 exempt in it; part E income 2500.
const QString kPitZ = QStringLiteral("10=900,00 11=100,00 14=500,00 15=100,00 23=5000,00 24=3000,00 28=500,00");

}  // namespace

class TestPitZ : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    p_ = std::make_unique<ProgramZObliczeniami>();
    Wywolania().clear();
  }
  void cleanup() { p_.reset(); }

  void wlasnePola_data();
  void wlasnePola();
  void doPit36_data();
  void doPit36();
  void doPit36L_data();
  void doPit36L();
  void tylkoWlasneZeznanie();
  void blokadaPolPitB();
  void pitBPitZPit36_data();
  void pitBPitZPit36();
  void pitBPitZPit36L();
  void blednyTekstIIndeks();
  void naStrukturachFormularzy();

 private:
  std::unique_ptr<ProgramZObliczeniami> p_;
};

// A PIT/Z with no main form in the settlement: only its own fields change.
void TestPitZ::wlasnePola_data() {
  QTest::addColumn<QString>("wpisy");
  QTest::addColumn<QString>("oczekiwane");
  const auto wiersz = [](const char* nazwa, const QString& wpisy, const QString& oczekiwane) {
    QTest::newRow(nazwa) << wpisy << oczekiwane;
  };
  wiersz("pary", "6=1000,00 7=400,00 10=300,00 11=500,50 14=200,00 15=200,00",
         "8=600,00 9=0,00 12=0,00 13=200,50 16=0,00 17=0,00 18=1000,00 19=400,00 20=0,00 21=200,50 22=0,00");
  wiersz("dochod poza strefa i strata w strefie", "10=900,00 11=100,00 14=100,00 15=150,25",
         "12=800,00 13=0,00 16=0,00 17=50,25 20=800,00 21=50,25 22=0,00");
  // The loss of the whole business (9) is in no total.
  wiersz("strata ogolem", "6=100,00 7=300,00", "8=0,00 9=200,00 18=100,00 19=300,00 21=0,00");
  wiersz("dochod zwolniony", "14=500,00 15=100,00", "16=400,00 22=400,00");
  wiersz("bez zaokraglenia", "6=0,105", "8=0,105 18=0,105");
  wiersz("dochod i strata strefy", "23=5000,00 24=3000,00 28=500,00",
         "25=2000,00 26=0,00 29=0,00 30=500,00 31=2500,00 32=5000,00 33=3000,00 34=2500,00 35=0,00");
  wiersz("strata ponad strate strefy", "23=1000,00 24=3000,00 28=500,00",
         "25=0,00 26=2000,00 29=1500,00 30=0,00 31=0,00 34=0,00 35=1500,00");
  wiersz("strata strefy ponad strate", "23=1000,00 24=1200,00 28=500,00",
         "26=200,00 29=0,00 30=300,00 31=300,00 34=300,00 35=0,00");
  wiersz("rowne kwoty", "23=700,00 24=700,00", "25=0,00 26=0,00 29=0,00 30=0,00 31=0,00");
}

void TestPitZ::wlasnePola() {
  QFETCH(QString, wpisy);
  QFETCH(QString, oczekiwane);
  p_->Rozliczenie({{PitZ, 0, PMPodatnik}}, Indywidualne);
  p_->Pokaz(1);
  // Texts an earlier run or the user left in the written fields.
  for (int k : {8, 9, 12, 13, 16, 17, 21, 25, 26, 29, 30, 31, 34, 35}) p_->Ustaw(1, k, "9,99");
  p_->Wpisz(1, wpisy);
  ObliczPitZ(p_->V(), 1);
  QCOMPARE(p_->Stan(1, oczekiwane), oczekiwane);
}

// PIT-36 fields 55 56 58 98 99 101 (after the PIT/B's 53 54) as the recomputed PIT-36 sees them.
void TestPitZ::doPit36_data() {
  QTest::addColumn<int>("pm");
  QTest::addColumn<QString>("kratki");
  QTest::addColumn<QString>("pit36");
  const QString nic = "7,00 7,00 7,00 7,00 7,00 7,00";
  QTest::newRow("podatnik 39") << 1 << "#39=1" << "800,00 0,00 400,00 7,00 7,00 7,00";
  QTest::newRow("podatnik 41") << 1 << "#41=1" << "2500,00 0,00 0,00 7,00 7,00 7,00";
  QTest::newRow("podatnik obie kratki") << 1 << "#39=1 #41=1" << "2500,00 0,00 0,00 7,00 7,00 7,00";
  QTest::newRow("wspolny 39") << 0 << "#39=1" << "800,00 0,00 400,00 7,00 7,00 7,00";
  QTest::newRow("podatnik bez kratek") << 1 << "" << nic;
  QTest::newRow("podatnik przy kratkach malzonka") << 1 << "#40=1 #42=1" << nic;
  QTest::newRow("malzonek 40") << 2 << "#40=1" << "7,00 7,00 7,00 800,00 0,00 400,00";
  QTest::newRow("malzonek 42") << 2 << "#42=1 #39=1" << "7,00 7,00 7,00 2500,00 0,00 0,00";
}

void TestPitZ::doPit36() {
  QFETCH(int, pm);
  QFETCH(QString, kratki);
  QFETCH(QString, pit36);
  const ZastepczyPit36ZZalacznika sonda(SondaPit36ZZalacznika);
  p_->Rozliczenie({{Pit36, 0, 0}, {PitZ, 1, pm}}, WspolneZMalzonkiem);
  p_->Wpisz(1, "55=7,00 56=7,00 58=7,00 98=7,00 99=7,00 101=7,00 " + kratki);
  p_->Wpisz(2, kPitZ);
  p_->Pokaz(2);
  ObliczPitZ(p_->V(), 2);
  QCOMPARE(OpisWywolan(), QStringList{Opis(101, 1, "0,00 0,00 " + pit36)});
}

void TestPitZ::doPit36L_data() {
  QTest::addColumn<int>("kratka");
  QTest::addColumn<QString>("pit36L");  // fields 21 to 24 as the recomputed PIT-36L sees them
  QTest::newRow("kratka 19") << 1 << "0,00 0,00 2500,00 0,00";
  QTest::newRow("bez kratki 19") << 0 << "0,00 0,00 7,00 7,00";
}

void TestPitZ::doPit36L() {
  QFETCH(int, kratka);
  QFETCH(QString, pit36L);
  const ZastepczeObliczenie sonda(Pit36L, SondaPit36L);
  p_->Rozliczenie({{Pit36L, 0, 0}, {PitZ, 1, 0}}, Indywidualne);
  p_->Wpisz(1, QStringLiteral("23=7,00 24=7,00 #19=%1").arg(kratka));
  p_->Wpisz(2, kPitZ);
  p_->Pokaz(2);
  ObliczPitZ(p_->V(), 2);
  QCOMPARE(OpisWywolan(), QStringList{Opis(Pit36L, 1, pit36L)});
}

// With both main forms each PIT/Z fills and recomputes only the one it is attached to.
void TestPitZ::tylkoWlasneZeznanie() {
  const ZastepczyPit36ZZalacznika sondaPit36(SondaPit36ZZalacznika);
  const ZastepczeObliczenie sondaPit36L(Pit36L, SondaPit36L);
  p_->Rozliczenie({{Pit36, 0, 0}, {Pit36L, 0, 0}, {PitZ, 2, 0}, {PitZ, 1, 0}}, Indywidualne);
  p_->Wpisz(1, "55=7,00 56=7,00 58=7,00 #39=1 #41=1");
  p_->Wpisz(2, "23=7,00 24=7,00 #19=1");
  p_->Wpisz(3, "23=5000,00 24=3000,00 28=500,00");
  p_->Wpisz(4, "23=1000,00 24=3000,00 28=500,00");
  p_->Pokaz(3);
  ObliczPitZ(p_->V(), 3);
  QCOMPARE(OpisWywolan(), QStringList{Opis(Pit36L, 2, QStringLiteral("0,00 0,00 2500,00 0,00"))});
  QCOMPARE(p_->Teksty(1, {55, 56, 58}), QStringLiteral("7,00 7,00 7,00"));

  Wywolania().clear();
  p_->Pokaz(4);
  ObliczPitZ(p_->V(), 4);
  QCOMPARE(OpisWywolan(), QStringList{Opis(101, 1, QStringLiteral("0,00 0,00 0,00 1500,00 0,00 0,00 0,00 0,00"))});
  QCOMPARE(p_->Teksty(2, {23, 24}), QStringLiteral("2500,00 0,00"));
}

void TestPitZ::blokadaPolPitB() {
  const struct {
    std::vector<std::array<int, 3>> druki;  // the PIT/Z is record 3
    int naEkranie;
    QList<int> zablokowane;
  } przypadki[] = {
      {{{Pit36, 0, 0}, {PitB, 1, 1}, {PitZ, 1, 1}}, 3, {6, 7, 23, 24}},
      {{{Pit36, 0, 0}, {PitB, 1, 1}, {PitZ, 1, 1}}, 2, {}},   // the PIT/B on screen
      {{{Pit36, 0, 0}, {PitB, 1, 2}, {PitZ, 1, 1}}, 3, {}},   // the spouse's PIT/B
      {{{Pit36L, 0, 0}, {PitB, 4, 1}, {PitZ, 1, 1}, {Pit36, 0, 0}}, 3, {}},  // another main form's
  };
  for (const auto& z : przypadki) {
    p_->Rozliczenie(z.druki, WspolneZMalzonkiem);
    p_->Obiekty(36);
    p_->Pokaz(z.naEkranie);
    ObliczPitZ(p_->V(), 3);
    QCOMPARE(p_->Zablokowane(), z.zablokowane);
  }
}

// A PIT/B fills the PIT-36 and the owner's PIT/Z, whose computation fills the PIT-36 again.
void TestPitZ::pitBPitZPit36_data() {
  QTest::addColumn<QString>("kratka");
  QTest::addColumn<QString>("pitZ");       // fields 6 7 23 24 8 34
  QTest::addColumn<QString>("poPitZ");     // the PIT-36's 53 54 55 56 58 when the PIT/Z recomputes it
  // Revenue 300 and costs 100 in part C; with income 250 - 50 outside the zone the taxed income is 200.
  QTest::newRow("39") << "#39=1" << "300,00 100,00 0,00 0,00 200,00 0,00" << "300,00 100,00 200,00 0,00 0,00";
  QTest::newRow("41") << "#41=1" << "0,00 0,00 300,00 100,00 0,00 200,00" << "300,00 100,00 200,00 0,00 0,00";
}

void TestPitZ::pitBPitZPit36() {
  QFETCH(QString, kratka);
  QFETCH(QString, pitZ);
  QFETCH(QString, poPitZ);
  const ZastepczyPit36ZZalacznika sonda(SondaPit36ZZalacznika);
  p_->Rozliczenie({{Pit36, 0, 0}, {PitZ, 1, 1}, {PitB, 1, 1}}, Indywidualne);
  p_->Wpisz(1, "58=9,99 " + kratka);
  p_->Wpisz(2, "6=5,00 7=5,00 23=5,00 24=5,00 10=250,00 11=50,00");
  p_->Wpisz(3, "10=300,00 11=100,00");
  p_->Pokaz(3);
  ObliczPitB(p_->V(), 3);
  QCOMPARE(p_->Teksty(2, {6, 7, 23, 24, 8, 34}), pitZ);
  QCOMPARE(OpisWywolan(), (QStringList{Opis(101, 1, "300,00 100,00 0,00 0,00 9,99 0,00 0,00 0,00"),
                                       Opis(101, 1, poPitZ + " 0,00 0,00 0,00")}));
  QVERIFY(p_->Ekran().Komunikaty.isEmpty());
}

// PIT/B -> PIT-36L and PIT/Z -> PIT-36L with every computation real: the PIT-36L ends with the PIT/Z's income.
void TestPitZ::pitBPitZPit36L() {
  p_->Rozliczenie({{Pit36L, 0, 0}, {PitZ, 1, 0}, {PitB, 1, 0}}, Indywidualne);
  p_->Wpisz(1, "#19=1");
  p_->Wpisz(2, "28=50,00");
  p_->Wpisz(3, "10=300,00 11=100,00");
  p_->Pokaz(3);
  ObliczPitB(p_->V(), 3);
  // 300 - 100 = 200, with the zone's loss of 50 added back: 250; 19% of it is 47,50.
  QCOMPARE(p_->Teksty(2, {23, 24, 25, 31, 34}), QStringLiteral("300,00 100,00 200,00 250,00 250,00"));
  QCOMPARE(p_->Teksty(1, {21, 22, 23, 24, 34, 42, 43, 50, 100, 101}),
           QStringLiteral("300,00 100,00 250,00 0,00 250,00 250,00 47,50 48,00 1 1"));
  QVERIFY(p_->Ekran().Komunikaty.isEmpty());
}

void TestPitZ::blednyTekstIIndeks() {
  const ZastepczyPit36ZZalacznika sonda(SondaPit36ZZalacznika);
  p_->Rozliczenie({{Pit36, 0, 0}, {PitZ, 1, 1}}, Indywidualne);
  p_->Wpisz(1, "55=7,00 #41=1");
  p_->Wpisz(2, "6=40,00 23=abc");
  p_->Pokaz(2);
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, ObliczPitZ(p_->V(), 2));
  QCOMPARE(p_->Tekst(2, 18), QStringLiteral("40,00"));  // written before the failing read
  QCOMPARE(p_->Tekst(1, 55), QStringLiteral("7,00"));
  QVERIFY(Wywolania().empty());
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczPitZ(p_->V(), 3));
}

// New records made from the generated structures, computed through the dispatch.
void TestPitZ::naStrukturachFormularzy() {
  const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
  for (const char* plik : {"dc/3.dcs", "dc/10.dcs", "dc/11.dcs"})
    if (!QFile::exists(folder + QLatin1String(plik))) QSKIP("form structures not generated");
  p_.reset();
  p_ = std::make_unique<ProgramZObliczeniami>(folder);
  Rozliczenie& t = p_->T();
  t.PrzydzielDruki(3);
  t.DodajDruk(Pit36L, 0, PMWspolny, Indywidualne);
  t.DodajDruk(PitZ, 1, PMWspolny, Indywidualne);
  t.DodajDruk(PitB, 1, PMWspolny, Indywidualne);
  p_->WczytajStruktury();
  p_->Kratka(1, 19) = 1;
  p_->Ustaw(3, {{10, "1000,00"}, {11, "400,00"}});
  for (int j : {1, 2, 3}) {
    p_->Pokaz(j);
    ::Oblicz(p_->V(), j);
  }
  QCOMPARE(p_->Teksty(2, {23, 24, 34}), QStringLiteral("1000,00 400,00 600,00"));
  QCOMPARE(p_->Teksty(1, {21, 22, 23, 43}), QStringLiteral("1000,00 400,00 600,00 114,00"));
}

VELMAR_TEST_MAIN_RDZEN(TestPitZ)
#include "tst_pitz.moc"
