// The PIT/O computation: caps, totals, box groups, locks, and the totals carried into the main form it belongs to.

#include <QtTest>

#include "calc/konwersje.h"
#include "calc/pito.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

namespace {

void SondaPit36(KontekstObliczen& kx, int j) { Wywolania().push_back({Pit36, j, Teksty(kx, j, {144, 145, 177, 178})}); }
void SondaPit28(KontekstObliczen& kx, int j) { Wywolania().push_back({Pit28, j, Teksty(kx, j, {64, 98})}); }

}  // namespace

class TestPitO : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    p_ = std::make_unique<ProgramZObliczeniami>();
    Wywolania().clear();
  }
  void cleanup() { p_.reset(); }

  void limit760_data();
  void limit760();
  void sumyPrzeniesioneDoPit37();
  void grupyKratek_data();
  void grupyKratek();
  void liczbaKopii();
  void blokadyDalszejKopiiIOsoby();
  void blokadyPrzyPit28Malzonka();
  void przeniesienieDoPit36();
  void bezPrzeniesieniaDoInnegoGlownego();
  void komunikatDecydujePitO();
  void blednyTekstKonczyObliczenie();

 private:
  // A PIT-37 of the settlement (record 1) with a PIT/O (record 2) on screen; the PIT-37 has income enough.
  void PitOPit37(int rodzaj) {
    p_->Rozliczenie({{Pit37, 0, 0}, {PitO, 1, 0}}, rodzaj);
    p_->Ustaw(1, {{36, "100000,00"}, {63, "100000,00"}});
    p_->Pokaz(2);
  }
  void Oblicz(int j) { ObliczPitO(p_->V(), j); }

  std::unique_ptr<ProgramZObliczeniami> p_;
};

void TestPitO::limit760_data() {
  QTest::addColumn<int>("pole");
  QTest::addColumn<QString>("wpisane");
  QTest::addColumn<QString>("wynik");  // the capped field and its column's total
  QTest::addColumn<bool>("redukcja");
  // Field 12 holds 100,00 and field 13 1,25 beside the capped one.
  QTest::newRow("podatnik ponad limit") << 20 << "800,00" << "760,00 860,00" << true;
  QTest::newRow("podatnik tuz ponad") << 20 << "760,01" << "760,00 860,00" << true;
  QTest::newRow("podatnik rowny limitowi") << 20 << "760,00" << "760,00 860,00" << false;
  QTest::newRow("podatnik ponizej") << 20 << "759,99" << "759,99 859,99" << false;
  QTest::newRow("malzonek ponad limit") << 21 << "1000" << "760,00 761,25" << true;
  QTest::newRow("malzonek rowny limitowi") << 21 << "760" << "760 761,25" << false;
}

void TestPitO::limit760() {
  QFETCH(int, pole);
  QFETCH(QString, wpisane);
  QFETCH(QString, wynik);
  QFETCH(bool, redukcja);
  PitOPit37(WspolneZMalzonkiem);
  p_->Ustaw(2, {{12, "100,00"}, {13, "1,25"}});
  p_->Ustaw(2, pole, wpisane.toStdString());
  p_->StaryListError();
  Oblicz(2);
  QCOMPARE(p_->Teksty(2, {pole, pole == 20 ? 28 : 29}), wynik);
  QCOMPARE(p_->Komunikat(), redukcja);
  QCOMPARE(p_->BezKomunikatu(), !redukcja);
}

void TestPitO::sumyPrzeniesioneDoPit37() {
  PitOPit37(WspolneZMalzonkiem);
  // Fields between the summed ones (24, 25, 34, 37, 38) belong to no total.
  p_->Ustaw(2, {{12, "100,125"}, {14, "1,00"},   {16, "2,00"},   {18, "3,00"},   {20, "4,00"},   {22, "5,00"},
                {26, "6,00"},    {24, "999,00"}, {13, "0,10"},   {15, "0,20"},   {17, "0,30"},   {19, "0,40"},
                {21, "0,50"},    {23, "0,60"},   {27, "0,70"},   {25, "999,00"}, {30, "10,00"},  {32, "20,00"},
                {35, "30,00"},   {39, "40,00"},  {65, "50,00"},  {34, "999,00"}, {37, "999,00"}, {31, "1,00"},
                {33, "2,00"},    {36, "3,00"},   {40, "4,00"},   {66, "5,00"},   {38, "999,00"}});
  Oblicz(2);
  // Totals keep the decimals they were entered with, and go into the PIT-37 as they are.
  QCOMPARE(p_->Teksty(2, {28, 29, 41, 42}), QStringLiteral("121,125 2,80 150,00 15,00"));
  QCOMPARE(p_->Teksty(1, {94, 95, 107, 108}), QStringLiteral("121,125 2,80 150,00 15,00"));
  // The PIT-37 was recomputed with them: 200000 - 123,925 to grosze.
  QCOMPARE(p_->Tekst(1, 100), QStringLiteral("199876,08"));
  QCOMPARE(p_->Kratka(1, 4), std::uint8_t{1});
}

void TestPitO::grupyKratek_data() {
  QTest::addColumn<int>("kratka");
  QTest::addColumn<int>("od");
  QTest::addColumn<int>("doKonca");
  QTest::addColumn<int>("dodatkowa");
  QTest::newRow("73") << 73 << 74 << 85 << -1;
  QTest::newRow("86 z 219") << 86 << 87 << 97 << 219;
  QTest::newRow("157 przed swoja grupa") << 157 << 133 << 144 << -1;
  QTest::newRow("161 obok 162") << 161 << 163 << 174 << -1;
  QTest::newRow("162") << 162 << 175 << 186 << -1;
  QTest::newRow("205") << 205 << 206 << 217 << -1;
}

void TestPitO::grupyKratek() {
  QFETCH(int, kratka);
  QFETCH(int, od);
  QFETCH(int, doKonca);
  QFETCH(int, dodatkowa);
  const int kierujace[] = {73, 86, 102, 115, 157, 132, 161, 162, 192, 205};
  PitOPit37(Indywidualne);
  // Every box ticked but the governing ones; then this row's governing box.
  for (int k = 0; k < kLiczbaPol; ++k) p_->Kratka(2, k) = 1;
  for (int k : kierujace) p_->Kratka(2, k) = 0;
  p_->Kratka(2, kratka) = 1;
  Oblicz(2);
  for (int k = 0; k < kLiczbaPol; ++k) {
    const bool wGrupie = (k >= od && k <= doKonca) || k == dodatkowa;
    const bool innaKierujaca = k != kratka && std::ranges::find(kierujace, k) != std::end(kierujace);
    if (p_->Kratka(2, k) != (wGrupie || innaKierujaca ? 0 : 1)) QFAIL(qPrintable(QStringLiteral("box %1").arg(k)));
  }

  // With another form on screen the boxes stay.
  for (int k = od; k <= doKonca; ++k) p_->Kratka(2, k) = 1;
  p_->Pokaz(1);
  Oblicz(2);
  for (int k = od; k <= doKonca; ++k) QCOMPARE(p_->Kratka(2, k), std::uint8_t{1});
}

void TestPitO::liczbaKopii() {
  PitOPit37(WspolneZMalzonkiem);
  Oblicz(2);
  QCOMPARE(p_->Tekst(2, 3), QStringLiteral("1"));

  // Copies of any owner attached to the same main form count; those of another main form do not.
  p_->Rozliczenie({{Pit37, 0, 0}, {PitO, 1, 1}, {PitO, 1, 2}, {Pit28, 0, 1}, {PitO, 4, 1}}, WspolneZMalzonkiem);
  p_->Pokaz(3);
  Oblicz(3);
  QCOMPARE(p_->Tekst(3, 3), QStringLiteral("2"));

  p_->Ustaw(3, 3, "5,00");
  Oblicz(3);
  QCOMPARE(p_->Tekst(3, 3), QStringLiteral("5,00"));
}

void TestPitO::blokadyDalszejKopiiIOsoby() {
  p_->Rozliczenie({{Pit37, 0, 0}, {PitO, 1, 1}, {PitO, 1, 1}, {PitO, 1, 0}}, WspolneZMalzonkiem);
  auto zablokowane = [&](int j, bool naEkranie) {
    p_->Obiekty(230);
    p_->Pokaz(naEkranie ? j : 1);
    Oblicz(j);
    return p_->Zablokowane();
  };
  const QList<int> osoby = {8, 9, 10, 11};
  QList<int> dalszaKopia = osoby;
  for (int k = 12; k <= 42; ++k) dalszaKopia << k;
  dalszaKopia << 65 << 66;

  QCOMPARE(zablokowane(3, true), dalszaKopia);
  QCOMPARE(zablokowane(2, true), osoby);
  QCOMPARE(zablokowane(4, true), QList<int>{});
  QCOMPARE(zablokowane(3, false), QList<int>{});
}

void TestPitO::blokadyPrzyPit28Malzonka() {
  const ZastepczeObliczenie pit28(Pit28, SondaPit28);
  p_->Rozliczenie({{Pit28, 0, 1}, {Pit28, 0, 2}, {PitO, 2, 2}}, WspolneZMalzonkiem);
  p_->Pokaz(3);
  p_->Obiekty(230);
  p_->Ustaw(3, {{12, "10,00"}, {13, "20,00"}, {30, "3,00"}, {31, "4,00"}});
  Oblicz(3);
  QCOMPARE(p_->Zablokowane(), (QList<int>{1, 8, 9, 10, 11, 13, 15, 17, 19, 21, 23, 27, 31, 33, 36, 40, 42, 66}));
  // The spouse's PIT-28 gets the first column's totals, already written when its computation runs.
  QCOMPARE(OpisWywolan(), QStringList{Opis(Pit28, 2, "10,00 3,00")});
  QCOMPARE(p_->Teksty(1, {64, 98}), QStringLiteral("0,00 0,00"));
}

void TestPitO::przeniesienieDoPit36() {
  const ZastepczeObliczenie pit36(Pit36, SondaPit36);
  const ZastepczeObliczenie pit28(Pit28, SondaPit28);
  p_->Rozliczenie({{Pit28, 0, 0}, {Pit36, 0, 0}, {PitO, 2, 0}}, WspolneZMalzonkiem);
  p_->Pokaz(3);
  p_->Ustaw(3, {{12, "1,00"}, {13, "2,00"}, {30, "3,00"}, {31, "4,00"}});
  Oblicz(3);
  QCOMPARE(OpisWywolan(), QStringList{Opis(Pit36, 2, "1,00 2,00 3,00 4,00")});
  QCOMPARE(p_->Teksty(1, {64, 98}), QStringLiteral("0,00 0,00"));
}

void TestPitO::bezPrzeniesieniaDoInnegoGlownego() {
  const ZastepczeObliczenie pit36(Pit36, SondaPit36);
  const ZastepczeObliczenie pit28(Pit28, SondaPit28);
  // A PIT-37 of a person, a PIT-28 of the settlement with a PIT/O of a person, and a PIT-38.
  p_->Rozliczenie({{Pit37, 0, 1}, {PitO, 1, 1}, {Pit28, 0, 0}, {PitO, 3, 1}, {Pit38, 0, 0}, {PitO, 5, 0}},
                  WspolneZMalzonkiem);
  for (int j : {2, 4, 6}) {
    p_->Ustaw(j, 12, "7,00");
    p_->Pokaz(j);
    Oblicz(j);
    QCOMPARE(p_->Tekst(j, 28), QStringLiteral("7,00"));
  }
  QVERIFY(Wywolania().empty());
  QCOMPARE(p_->Tekst(1, 94), QStringLiteral("0,00"));
  QCOMPARE(p_->Kratka(1, 4), std::uint8_t{0});
  QCOMPARE(p_->Tekst(3, 64), QStringLiteral("0,00"));
}

void TestPitO::komunikatDecydujePitO() {
  // The PIT-37 lowers its deduction 90 (income 0) but, recomputed from the PIT/O, reports nothing.
  p_->Rozliczenie({{Pit37, 0, 0}, {PitO, 1, 0}}, Indywidualne);
  p_->Ustaw(1, 90, "10,00");
  p_->Pokaz(2);
  p_->StaryListError();
  Oblicz(2);
  QCOMPARE(p_->Tekst(1, 90), QStringLiteral("0,00"));
  QVERIFY(p_->BezKomunikatu());

  // A cap of the PIT/O shows one line, after the PIT-37 emptied the list.
  p_->Ustaw(2, 21, "761,00");
  Oblicz(2);
  QVERIFY(p_->Komunikat());

  // Run with another form on screen, it hides the list.
  p_->Ustaw(2, 21, "761,00");
  p_->Pokaz(1);
  Oblicz(2);
  QCOMPARE(p_->Tekst(2, 21), QStringLiteral("760,00"));
  QCOMPARE(p_->WysokoscListError(), 0);
}

void TestPitO::blednyTekstKonczyObliczenie() {
  PitOPit37(Indywidualne);
  p_->Ustaw(2, 20, "12,3,4");
  p_->Ustaw(1, 94, "stare");
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, Oblicz(2));
  QCOMPARE(p_->Teksty(2, {3, 28}), QStringLiteral("1 0,00"));
  QCOMPARE(p_->Tekst(1, 94), QStringLiteral("stare"));
  // A stored value that is no finite amount ends it the same way.
  for (const char* zly : {"nan", "inf", "-INF", "1e308", "1000000000000000", "1e15"}) {
    p_->Ustaw(2, 20, zly);
    QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, Oblicz(2));
    QCOMPARE(p_->Tekst(1, 94), QStringLiteral("stare"));
  }
}

VELMAR_TEST_MAIN_RDZEN(TestPitO)
#include "tst_pito.moc"
