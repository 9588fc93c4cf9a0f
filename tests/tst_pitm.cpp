// The PIT/M and PIT/B computations on hand-built settlements. The main forms and the PIT/Z are stand-ins that
// record what they were called with; expected amounts are worked by hand.

#include <QtTest>

#include "calc/konwersje.h"
#include "calc/pitb.h"
#include "calc/pitm.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

namespace {

void SondaPit36(KontekstObliczen& kx, int j) { Wywolania().push_back({Pit36, j, Teksty(kx, j, {131, 132, 133, 134})}); }
// The PIT-36 as a PIT/B recomputes it; kod 100 + 1 tells it from the dispatch's PIT-36.
void SondaPit36ZZalacznika(KontekstObliczen& kx, int j) { Wywolania().push_back({101, j, Teksty(kx, j, {53, 54, 96, 97})}); }
void SondaPit36L(KontekstObliczen& kx, int j) { Wywolania().push_back({Pit36L, j, Teksty(kx, j, {21, 22})}); }
void SondaPitZ(KontekstObliczen& kx, int j) { Wywolania().push_back({PitZ, j, Teksty(kx, j, {6, 7, 23, 24})}); }

const QString kOstrzezeniePodatnika = QStringLiteral(
    "UWAGA! \nPrzed wypełnieniem Pit/B (Podatnika), należy zaznaczyć odpowiednie pola 41 lub 42 w Pit-36.");
const QString kOstrzezenieMalzonka = QStringLiteral(
    "UWAGA! \nPrzed wypełnieniem Pit/B (Małżonka), należy zaznaczyć odpowiednie pola 41a lub 42a w Pit-36. ");
const QString kOstrzezeniePit36L =
    QStringLiteral("UWAGA! \nPrzed wypełnieniem Pit/B, należy zaznaczyć pole 22 w Pit-36L.");

}  // namespace

class TestPitMB : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    p_ = std::make_unique<ProgramZObliczeniami>();
    Wywolania().clear();
  }
  void cleanup() { p_.reset(); }

  void pitM_data();
  void pitM();
  void pitMDoPit36_data();
  void pitMDoPit36();
  void pitMBezPit36();
  void pitMBlednyTekst();
  void pitB_data();
  void pitB();
  void grupyPodatnikaIMalzonka();
  void zeroweSumy();
  void ostrzezeniaPit36_data();
  void ostrzezeniaPit36();
  void ostrzezeniePit36L();
  void doPitZ_data();
  void doPitZ();
  void pitBBlednyTekstIIndeks();
  void naStrukturachFormularzy();

 private:
  QStringList Komunikaty() { return p_->Ekran().Komunikaty; }

  std::unique_ptr<ProgramZObliczeniami> p_;
  ZastepczeObliczenie pit36_{Pit36, SondaPit36};
  ZastepczyPit36ZZalacznika pit36ZZalacznika_{SondaPit36ZZalacznika};
  ZastepczeObliczenie pit36L_{Pit36L, SondaPit36L};
  ZastepczeObliczenie pitZ_{PitZ, SondaPitZ};
};

void TestPitMB::pitM_data() {
  QTest::addColumn<QString>("wpisy");
  QTest::addColumn<QString>("oczekiwane");
  const auto wiersz = [](const char* nazwa, const QString& wpisy, const QString& oczekiwane) {
    QTest::newRow(nazwa) << wpisy << oczekiwane;
  };
  const std::initializer_list<int> wiersze = {7, 11, 12, 16, 17, 21, 22, 24, 25, 26};
  wiersz("przychod rowny kosztom", "9=500,00 10=500,00", Wpisy(wiersze, "0,00 0,00 0,00"));
  // 1200,50 + 1000 + 100 + 50,25 of revenue; the second row earns, the third loses.
  wiersz("dochody i straty", "6=1200,50 9=1000,00 10=400,00 14=100,00 15=300,00 19=50,25",
         Wpisy(wiersze, "1200,50 600,00 0,00 0,00 200,00 50,25 0,00 2350,75 700,00 1850,75"));
  wiersz("bez zaokraglenia", "9=10,125 10=0,005", "11=10,12 24=10,125 26=10,12");
  // Advances go to whole zloty before their total: 11 + 20 + 1 - 12.
  wiersz("zaliczki w zlotych", "8=10,50 13=20,25 18=0,50 23=-12,50", "8=11,00 13=20,00 18=1,00 23=-12,00 27=20,00");
  // Half of 1001,01 is 500,505, up to 500,51.
  const QString kwoty = "6=1001,01 8=5,00 ";
  wiersz("polowa", kwoty + "#28=1", "30=500,51 31=2,50");
  wiersz("calosc", kwoty + "#29=1", "30=1001,01 31=5,00");
  wiersz("obie kratki", kwoty + "#28=1 #29=1", "30=1001,01 31=5,00");
  wiersz("zadna kratka", kwoty + "30=7,00 31=7,00", "30=0,00 31=0,00");
}

void TestPitMB::pitM() {
  QFETCH(QString, wpisy);
  QFETCH(QString, oczekiwane);
  p_->Rozliczenie({{Pit36, 0, 0}, {PitM, 1, 1}}, Indywidualne);
  p_->Pokaz(2);
  p_->Wpisz(2, wpisy);
  ObliczPitM(p_->V(), 2);
  QCOMPARE(p_->Stan(2, oczekiwane), oczekiwane);
}

void TestPitMB::pitMDoPit36_data() {
  QTest::addColumn<int>("pm");
  QTest::addColumn<QString>("pit36");  // fields 131 to 134
  QTest::newRow("wspolny") << 0 << "300,00 0,00 25,00 0,00";
  QTest::newRow("podatnik") << 1 << "300,00 0,00 25,00 0,00";
  QTest::newRow("malzonek") << 2 << "0,00 300,00 0,00 25,00";
}

void TestPitMB::pitMDoPit36() {
  QFETCH(int, pm);
  QFETCH(QString, pit36);
  // The PIT-36 of the whole settlement is the second of the two.
  p_->Rozliczenie({{Pit36, 0, 1}, {Pit36, 0, 0}, {PitM, 2, pm}}, WspolneZMalzonkiem);
  p_->Pokaz(3);
  p_->Wpisz(3, "9=600,00 8=50,00 #28=1");
  ObliczPitM(p_->V(), 3);
  QCOMPARE(OpisWywolan(), QStringList{Opis(Pit36, 2, pit36)});
  QCOMPARE(p_->Teksty(1, {131, 132, 133, 134}), QStringLiteral("0,00 0,00 0,00 0,00"));
}

void TestPitMB::pitMBezPit36() {
  p_->Rozliczenie({{Pit36, 0, 1}, {PitM, 1, 1}}, Indywidualne);
  p_->Pokaz(2);
  p_->Wpisz(2, "6=100,00 #29=1");
  ObliczPitM(p_->V(), 2);
  QCOMPARE(p_->Teksty(2, {7, 30}), QStringLiteral("100,00 100,00"));
  QCOMPARE(p_->Tekst(1, 131), QStringLiteral("0,00"));
  QVERIFY(Wywolania().empty());
}

void TestPitMB::pitMBlednyTekst() {
  p_->Rozliczenie({{Pit36, 0, 0}, {PitM, 1, 1}}, Indywidualne);
  p_->Pokaz(2);
  p_->Wpisz(2, "6=40,00 10=abc");
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, ObliczPitM(p_->V(), 2));
  QCOMPARE(p_->Tekst(2, 7), QStringLiteral("40,00"));  // written before the failing read
  QVERIFY(Wywolania().empty());
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczPitM(p_->V(), 3));
}

void TestPitMB::pitB_data() {
  QTest::addColumn<QString>("wpisy");
  QTest::addColumn<QString>("oczekiwane");
  const auto wiersz = [](const char* nazwa, const QString& wpisy, const QString& oczekiwane) {
    QTest::newRow(nazwa) << wpisy << oczekiwane;
  };
  wiersz("roznice bez granicy zera", "10=500,00 11=700,25 16=0,10 17=0,30", "2=1 12=-200,25 18=-0,20");
  wiersz("udzial ponad 100", "21=150,00 26=1000,00 28=400,00", "21=100,00 27=1000,00 29=400,00 30=600,00 31=600,00");
  wiersz("udzial ujemny zostaje", "34=-10,00 38=100,00", "34=-10,00 39=-10,00 42=100,00 43=-10,00");
  // 333,33 x 33,33% is 111,098889, up to 111,10.
  wiersz("udzial czesciowy", "46=33,33 50=1000,00 52=333,33", "51=333,30 53=111,10 54=666,67 55=222,20");
  // First total 500 + 0,10 + 1000; second 700,25 + 0,30 + 400.
  wiersz("sumy jednej informacji", "10=500,00 11=700,25 16=0,10 17=0,30 21=150,00 26=1000,00 28=400,00",
         "56=1500,10 57=1100,55 58=399,55 59=0,00");
  wiersz("strata", "10=1000,00 11=1200,00", "56=1000,00 57=1200,00 58=0,00 59=200,00");
  wiersz("rowne sumy", "10=5,00 11=5,00 58=1,00 59=1,00", "58=0,00 59=0,00");
}

void TestPitMB::pitB() {
  QFETCH(QString, wpisy);
  QFETCH(QString, oczekiwane);
  p_->Rozliczenie({{Pit36, 0, 0}, {PitB, 1, 1}}, Indywidualne);
  p_->Pokaz(2);
  p_->Wpisz(2, wpisy);
  ObliczPitB(p_->V(), 2);
  QCOMPARE(p_->Stan(2, oczekiwane), oczekiwane);
  QCOMPARE(Wywolania().size(), std::size_t{1});
  QCOMPARE(Wywolania()[0].kod, 101);
}

// The common PIT/B (PM 0) counts with the taxpayer's; the last of a group shows its totals.
void TestPitMB::grupyPodatnikaIMalzonka() {
  p_->Rozliczenie({{Pit36, 0, 0}, {PitB, 1, 1}, {PitB, 1, 2}, {PitB, 1, 0}, {Pit36L, 0, 0}, {PitB, 5, 1}},
                  WspolneZMalzonkiem);
  p_->Pokaz(2);
  p_->Wpisz(2, "10=100,00 11=40,00 56=9,99");
  p_->Wpisz(3, "10=1000,00 11=1200,00");
  p_->Wpisz(4, "16=50,00 17=10,00");
  p_->Wpisz(6, "10=77,00 56=3,00");
  ObliczPitB(p_->V(), 2);
  QCOMPARE(p_->Teksty(2, {2, 56, 57, 58, 59}), QStringLiteral("1 0,00 0,00 0,00 0,00"));
  QCOMPARE(p_->Teksty(4, {56, 57, 58, 59}), QStringLiteral("150,00 50,00 100,00 0,00"));
  QCOMPARE(p_->Teksty(3, {56, 57, 58, 59}), QStringLiteral("1000,00 1200,00 0,00 200,00"));
  QCOMPARE(p_->Tekst(6, 56), QStringLiteral("3,00"));  // another main form's group
  QCOMPARE(OpisWywolan(), QStringList{Opis(101, 1, QStringLiteral("150,00 50,00 1000,00 1200,00"))});
}

// A zero total leaves the PIT-36 as it was but is written into the PIT-36L.
void TestPitMB::zeroweSumy() {
  p_->Rozliczenie({{Pit36, 0, 0}, {PitB, 1, 1}, {Pit36L, 0, 0}, {PitB, 3, 0}}, Indywidualne);
  p_->Wpisz(1, "53=7,00 54=8,00 96=1,00 97=2,00");
  p_->Wpisz(3, "21=5,00 22=6,00");
  p_->Pokaz(2);
  ObliczPitB(p_->V(), 2);
  p_->Pokaz(4);
  ObliczPitB(p_->V(), 4);
  QCOMPARE(OpisWywolan(), (QStringList{Opis(101, 1, QStringLiteral("7,00 8,00 1,00 2,00")),
                                       Opis(Pit36L, 3, QStringLiteral("0,00 0,00"))}));
}

void TestPitMB::ostrzezeniaPit36_data() {
  QTest::addColumn<int>("pm");
  QTest::addColumn<bool>("zPitZ");
  QTest::addColumn<QString>("kratki");
  QTest::addColumn<QString>("komunikat");  // empty: the computation runs
  QTest::newRow("podatnik bez kratek") << 1 << true << "" << kOstrzezeniePodatnika;
  QTest::newRow("wspolny bez kratek") << 0 << true << "" << kOstrzezeniePodatnika;
  QTest::newRow("podatnik z 39") << 1 << true << "#39=1" << "";
  QTest::newRow("podatnik z 41") << 1 << true << "#41=1" << "";
  QTest::newRow("podatnik z kratkami malzonka") << 1 << true << "#40=1 #42=1" << kOstrzezeniePodatnika;
  QTest::newRow("malzonek bez kratek") << 2 << true << "" << kOstrzezenieMalzonka;
  QTest::newRow("malzonek z kratkami podatnika") << 2 << true << "#39=1 #41=1" << kOstrzezenieMalzonka;
  QTest::newRow("malzonek z 42") << 2 << true << "#42=1" << "";
  QTest::newRow("bez PIT/Z kratki bez znaczenia") << 1 << false << "" << "";
}

void TestPitMB::ostrzezeniaPit36() {
  QFETCH(int, pm);
  QFETCH(bool, zPitZ);
  QFETCH(QString, kratki);
  QFETCH(QString, komunikat);
  // A PIT/Z of the other person never stops the PIT/B.
  p_->Rozliczenie({{Pit36, 0, 0}, {PitB, 1, pm}, {PitZ, 1, zPitZ ? pm : (pm == 2 ? 1 : 2)}}, WspolneZMalzonkiem);
  p_->Wpisz(1, kratki);
  p_->Wpisz(2, "0=123 10=5,00");
  p_->Pokaz(2);
  ObliczPitB(p_->V(), 2);
  if (komunikat.isEmpty()) {
    QVERIFY(Komunikaty().isEmpty());
    QCOMPARE(p_->Tekst(2, 56), QStringLiteral("5,00"));
    // The identification exchange ran; another person's PIT/Z takes that person's empty data.
    QCOMPARE(p_->Tekst(3, 0), zPitZ ? QStringLiteral("123") : QString());
  } else {
    QCOMPARE(Komunikaty(), QStringList{komunikat});
    QCOMPARE(p_->Ekran().Strony, QStringList{QStringLiteral("1/2")});  // the PIT-36 at the boxes' page
    QCOMPARE(p_->Teksty(2, {2, 56}), QStringLiteral("0,00 0,00"));
    QCOMPARE(p_->Tekst(3, 0), QStringLiteral("0,00"));
    QVERIFY(Wywolania().empty());
  }
}

void TestPitMB::ostrzezeniePit36L() {
  p_->Rozliczenie({{Pit36L, 0, 0}, {PitZ, 1, 0}, {PitB, 1, 0}}, Indywidualne);
  p_->Wpisz(3, "10=5,00");
  p_->Pokaz(3);
  ObliczPitB(p_->V(), 3);
  QCOMPARE(Komunikaty(), QStringList{kOstrzezeniePit36L});
  QCOMPARE(p_->Ekran().Strony, QStringList{QStringLiteral("1/1")});
  QVERIFY(Wywolania().empty());

  p_->Ekran().Komunikaty.clear();
  p_->Wpisz(1, "#19=1");
  p_->Wpisz(2, "6=9,00 7=9,00");
  ObliczPitB(p_->V(), 3);
  QVERIFY(Komunikaty().isEmpty());
  QCOMPARE(OpisWywolan(), (QStringList{Opis(Pit36L, 1, QStringLiteral("5,00 0,00")),
                                       Opis(PitZ, 2, QStringLiteral("9,00 9,00 5,00 0,00"))}));
}

void TestPitMB::doPitZ_data() {
  QTest::addColumn<int>("pm");
  QTest::addColumn<QString>("kratki");
  QTest::addColumn<QString>("pitZ");  // fields 6, 7, 23, 24
  QTest::newRow("podatnik 39") << 1 << "#39=1" << "300,00 100,00 0,00 0,00";
  QTest::newRow("podatnik 41") << 1 << "#41=1" << "0,00 0,00 300,00 100,00";
  QTest::newRow("podatnik obie") << 1 << "#39=1 #41=1" << "0,00 0,00 300,00 100,00";
  QTest::newRow("wspolny 39") << 0 << "#39=1" << "300,00 100,00 0,00 0,00";
  QTest::newRow("malzonek 40") << 2 << "#40=1" << "300,00 100,00 0,00 0,00";
  QTest::newRow("malzonek 42") << 2 << "#42=1 #39=1" << "0,00 0,00 300,00 100,00";
}

void TestPitMB::doPitZ() {
  QFETCH(int, pm);
  QFETCH(QString, kratki);
  QFETCH(QString, pitZ);
  p_->Rozliczenie({{Pit36, 0, 0}, {PitZ, 1, pm}, {PitB, 1, pm}}, WspolneZMalzonkiem);
  p_->Wpisz(1, kratki);
  p_->Wpisz(2, "6=9,00 7=9,00 23=9,00 24=9,00");
  p_->Wpisz(3, "10=300,00 11=100,00");
  p_->Pokaz(3);
  ObliczPitB(p_->V(), 3);
  const QString pit36 = pm == 2 ? "0,00 0,00 300,00 100,00" : "300,00 100,00 0,00 0,00";
  QCOMPARE(OpisWywolan(), (QStringList{Opis(101, 1, pit36), Opis(PitZ, 2, pitZ)}));
}

void TestPitMB::pitBBlednyTekstIIndeks() {
  p_->Rozliczenie({{Pit36, 0, 0}, {PitB, 1, 1}}, Indywidualne);
  p_->Pokaz(2);
  p_->Wpisz(2, "10=5,00 21=200,00 26=x");
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, ObliczPitB(p_->V(), 2));
  QCOMPARE(p_->Teksty(2, {2, 12, 21}), QStringLiteral("1 5,00 100,00"));
  QVERIFY(Wywolania().empty());
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczPitB(p_->V(), 3));
}

// New records made from the generated structures, computed through the dispatch.
void TestPitMB::naStrukturachFormularzy() {
  const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
  if (!QFile::exists(folder + QStringLiteral("dc/9.dcs")) || !QFile::exists(folder + QStringLiteral("dc/10.dcs")))
    QSKIP("form structures not generated");
  p_.reset();
  p_ = std::make_unique<ProgramZObliczeniami>(folder);
  Rozliczenie& t = p_->T();
  t.PrzydzielDruki(3);
  t.DodajDruk(Pit36, 0, PMWspolny, Indywidualne);
  t.DodajDruk(PitM, 1, PMPodatnik, Indywidualne);
  t.DodajDruk(PitB, 1, PMPodatnik, Indywidualne);
  p_->WczytajStruktury();
  p_->Ustaw(2, {{9, "800,00"}, {10, "200,00"}});
  p_->Kratka(2, 28) = 1;
  p_->Ustaw(3, {{21, "50,00"}, {26, "1000,00"}, {28, "300,00"}});
  for (int j : {2, 3}) {
    p_->Pokaz(j);
    ::Oblicz(p_->V(), j);
  }
  QCOMPARE(p_->Teksty(2, {11, 26, 30}), QStringLiteral("600,00 600,00 300,00"));
  QCOMPARE(p_->Teksty(1, {131, 53, 54}), QStringLiteral("300,00 500,00 150,00"));
  QCOMPARE(p_->Teksty(3, {2, 27, 29, 31, 56, 57, 58}), QStringLiteral("1 500,00 150,00 350,00 500,00 150,00 350,00"));
}

VELMAR_TEST_MAIN_RDZEN(TestPitMB)
#include "tst_pitm.moc"
