// The PIT-36L computation on hand-built settlements. Expected amounts are worked by hand: income less deductions,
// the base in whole zloty, 19% of it, the deductions from the tax, the balances in whole zloty.

#include <QtTest>

#include "calc/konwersje.h"
#include "calc/pit36l.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

namespace {

const QString kKomunikatPitZ =
    QStringLiteral("Zaznaczenie poz.21 jezt możliwe jeżeli do Pit36L jest załączony Pit/Z.");

}  // namespace

class TestPit36L : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    p_ = std::make_unique<ProgramZObliczeniami>();
  }
  void cleanup() { p_.reset(); }

  void obliczenie_data();
  void obliczenie();
  void kratkaPitZ_data();
  void kratkaPitZ();
  void blokadaPolPitB();
  void liczbyZalacznikow();
  void komunikatTylkoGdyPit36LNaEkranie();
  void blednyTekstIIndeks();
  void naStrukturachFormularzy();

 private:
  void Oblicz(int j = 1) { ObliczPit36L(p_->V(), j); }
  QStringList Komunikaty() { return p_->Ekran().Komunikaty; }

  std::unique_ptr<ProgramZObliczeniami> p_;
};

// A PIT-36L alone, on screen, entries as Wpisz reads them, computed with a stale ListError shown.
void TestPit36L::obliczenie_data() {
  QTest::addColumn<QString>("wpisy");
  QTest::addColumn<QString>("oczekiwane");
  QTest::addColumn<bool>("redukcja");
  const auto wiersz = [](const char* nazwa, const QString& wpisy, const QString& oczekiwane, bool redukcja) {
    QTest::newRow(nazwa) << wpisy << oczekiwane << redukcja;
  };

  // Business income 5999,50 and an agricultural loss that enters no base: 6000 x 19% = 1140.
  wiersz("dochody i podatek", "21=10000,00 22=4000,50 26=500,00 27=800,25 25=100,00 30=50,00",
         "23=5999,50 24=0,00 28=0,00 29=300,25 34=5999,50 41=5999,50 42=6000,00 43=1140,00 46=1140,00 "
         "48=1140,00 50=1140,00 51=150,00 52=990,00 53=0,00 60=0,00 61=0,00 62=1140,00 63=0,00",
         false);
  wiersz("przychod rowny kosztom", "21=500,00 22=500,00 26=7,00 27=7,00", "23=0,00 24=0,00 28=0,00 29=0,00",
         false);
  // 10000,49 goes down to 10000; 1234,50 up to 1235, whose 19% is 234,65.
  wiersz("podstawa w dol", "21=10000,49", "41=10000,49 42=10000,00 43=1900,00", false);
  wiersz("podstawa w gore", "21=1234,50", "42=1235,00 43=234,65", false);

  // Amounts added to a source's income count beyond its loss, and only when there is one.
  wiersz("doliczenie ponad strate", "21=1000,00 22=1500,00 37=800,00 26=2000,00",
         "24=500,00 34=2000,00 41=2300,00 42=2300,00 43=437,00", false);
  wiersz("doliczenie rowne stracie", "21=1000,00 22=1500,00 37=500,00 26=2000,00", "41=2000,00", false);
  wiersz("doliczenie bez straty", "21=1000,00 37=300,00 36=50,00", "34=1000,00 41=1050,00", false);
  wiersz("doliczenie rolne ponad strate", "26=100,00 27=400,00 38=1000,00 21=3000,00",
         "29=300,00 41=3700,00", false);

  // Contributions 33 come off first, losses 32 take the rest; 112 is limited to 33 after 33's cut, in one run.
  wiersz("skladki ponad dochod", "21=1000,00 33=1500,00 32=200,00 112=1200,00",
         "33=1000,00 32=0,00 112=1000,00 34=0,00", true);
  wiersz("straty w reszcie", "21=1000,00 33=300,00 32=900,00", "33=300,00 32=700,00 34=0,00", true);
  wiersz("112 ponad skladki", "21=1000,00 33=300,00 112=400,00", "112=300,00 34=700,00", true);
  wiersz("odliczenia sie mieszcza", "21=1000,00 26=0,10 33=300,05 32=700,05 112=300,05",
         "33=300,05 32=700,05 112=300,05 34=0,00", false);

  // Deductions from the tax 1000 (44 alone): 47 first, 114 the rest, 113 within 47.
  wiersz("47 ponad podatek", "44=1000,00 47=1200,00 114=50,00 113=1100,00",
         "46=1000,00 47=1000,00 114=0,00 113=1000,00 48=0,00 50=0,00", true);
  wiersz("114 w reszcie", "44=1000,00 47=300,00 114=900,00 113=100,00", "114=700,00 113=100,00 48=0,00", true);
  wiersz("odliczenia od podatku sie mieszcza", "44=1000,00 47=300,00 114=200,00 113=300,00",
         "47=300,00 114=200,00 113=300,00 48=500,00 50=500,00", false);
  wiersz("podatek za granica ponad podatek", "44=100,00 45=300,00 47=10,00", "46=0,00 47=0,00 48=0,00", true);

  // The tax due in whole zloty, and the advances.
  wiersz("49 groszy w dol", "44=1000,00 49=0,49", "48=1000,00 50=1000,00", false);
  wiersz("50 groszy w gore", "44=1000,00 49=0,50", "50=1001,00", false);
  wiersz("nadplata zaliczek", "44=1000,00 25=600,00 30=500,00", "51=1100,00 52=0,00 53=100,00 62=1000,00", false);

  // The flat tax: 58 capped at 57 without a report; the balances in whole zloty.
  wiersz("zryczaltowany", "57=100,00 58=150,00 59=10,00", "58=100,00 60=0,00 61=10,00 62=0,00 63=10,00", false);
  // 300 - 100,40 = 199,60, up to 200; 1000 + 200 + 0,49 + 200 - 50 = 1350,49, down to 1350.
  wiersz("kwota do zaplaty", "44=1000,00 55=200,00 56=0,49 57=300,00 59=100,40 54=50,00",
         "60=200,00 61=0,00 62=1350,00 63=0,00", false);
  wiersz("nadplata razem", "54=2000,00 44=1000,00", "62=0,00 63=1000,00", false);

  // The 1%: at most 1% of the tax due, cut down to tens of grosze (1234 -> 12,30).
  wiersz("1% ponad", "44=1234,00 109=15,00", "109=12,30", true);
  wiersz("1% rowny", "44=1234,00 109=12,30", "109=12,30", false);
  wiersz("1% ponizej", "44=1234,00 109=10,00", "109=10,00", false);
}

void TestPit36L::obliczenie() {
  QFETCH(QString, wpisy);
  QFETCH(QString, oczekiwane);
  QFETCH(bool, redukcja);
  p_->Rozliczenie({{Pit36L, 0, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Wpisz(1, "23=9,99 24=9,99 53=9,99 63=9,99");  // texts an earlier run left
  p_->Wpisz(1, wpisy);
  p_->StaryListError();
  Oblicz();
  QCOMPARE(p_->Stan(1, oczekiwane), oczekiwane);
  QCOMPARE(p_->Komunikat(), redukcja);
  QCOMPARE(p_->BezKomunikatu(), !redukcja);
  QVERIFY(Komunikaty().isEmpty());
}

// Box 19 stands only with a PIT/Z attached; then fields 23 and 24 are the PIT/Z's texts as they are.
void TestPit36L::kratkaPitZ_data() {
  QTest::addColumn<int>("rodzicPitZ");  // 0: no PIT/Z; 1: attached to the PIT-36L; 2: attached to the PIT-36
  QTest::addColumn<int>("kratka");
  QTest::addColumn<QString>("oczekiwane");  // box 19, fields 23 and 24
  QTest::addColumn<bool>("komunikat");
  QTest::newRow("bez PIT/Z zaznaczona") << 0 << 1 << "#19=0 23=300,00 24=0,00" << true;
  QTest::newRow("bez PIT/Z czysta") << 0 << 0 << "#19=0 23=300,00 24=0,00" << false;
  QTest::newRow("PIT/Z innego zeznania") << 2 << 1 << "#19=0 23=300,00 24=0,00" << true;
  QTest::newRow("z PIT/Z zaznaczona") << 1 << 1 << "#19=1 23=700,125 24=5" << false;
  QTest::newRow("z PIT/Z czysta") << 1 << 0 << "#19=0 23=300,00 24=0,00" << false;
}

void TestPit36L::kratkaPitZ() {
  QFETCH(int, rodzicPitZ);
  QFETCH(int, kratka);
  QFETCH(QString, oczekiwane);
  QFETCH(bool, komunikat);
  if (rodzicPitZ == 0)
    p_->Rozliczenie({{Pit36L, 0, 0}, {Pit36, 0, 0}, {Nip3, 1, 0}}, Indywidualne);
  else
    p_->Rozliczenie({{Pit36L, 0, 0}, {Pit36, 0, 0}, {PitZ, rodzicPitZ, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Wpisz(1, QStringLiteral("21=500,00 22=200,00 #19=%1").arg(kratka));
  p_->Wpisz(3, "34=700,125 35=5");
  Oblicz();
  QCOMPARE(p_->Stan(1, oczekiwane), oczekiwane);
  QCOMPARE(Komunikaty(), komunikat ? QStringList{kKomunikatPitZ} : QStringList{});
}

void TestPit36L::blokadaPolPitB() {
  p_->Rozliczenie({{Pit36L, 0, 0}, {PitB, 1, 0}}, Indywidualne);
  p_->Obiekty(115);
  p_->Pokaz(1);
  Oblicz();
  QCOMPARE(p_->Zablokowane(), (QList<int>{21, 22}));

  // Recomputed while the PIT/B is on screen: the page view's objects are not the PIT-36L's.
  p_->Obiekty(115);
  p_->Pokaz(2);
  Oblicz();
  QVERIFY(p_->Zablokowane().isEmpty());

  // A PIT/B of another main form locks nothing.
  p_->Rozliczenie({{Pit36L, 0, 0}, {Pit36, 0, 0}, {PitB, 2, 0}}, Indywidualne);
  p_->Obiekty(115);
  p_->Pokaz(1);
  Oblicz();
  QVERIFY(p_->Zablokowane().isEmpty());
}

void TestPit36L::liczbyZalacznikow() {
  p_->Rozliczenie({{Pit36L, 0, 0}, {PitB, 1, 0}, {PitB, 1, 0}, {PitZ, 1, 0}, {PitZG, 1, 0}, {Nip1, 1, 0},
                   {Nip3, 1, 0}, {Pit36, 0, 0}, {PitB, 8, 0}, {Nip3, 8, 0}},
                  Indywidualne);
  p_->Pokaz(1);
  Oblicz();
  QCOMPARE(p_->Teksty(1, {100, 101, 102, 103}), QStringLiteral("2 1 1 2"));
  p_->Rozliczenie({{Pit36L, 0, 0}}, Indywidualne);
  Oblicz();
  QCOMPARE(p_->Teksty(1, {100, 101, 102, 103}), QStringLiteral("0 0 0 0"));
}

void TestPit36L::komunikatTylkoGdyPit36LNaEkranie() {
  p_->Rozliczenie({{Pit36L, 0, 0}, {PitB, 1, 0}}, Indywidualne);
  p_->Wpisz(1, "33=10,00");  // above an income of 0
  p_->Pokaz(2);
  p_->StaryListError();
  Oblicz();
  QCOMPARE(p_->Tekst(1, 33), QStringLiteral("0,00"));
  QVERIFY(p_->BezKomunikatu());
}

void TestPit36L::blednyTekstIIndeks() {
  p_->Rozliczenie({{Pit36L, 0, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Wpisz(1, "21=800,00 26=abc 28=5,00 34=5,00");
  p_->StaryListError();
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, Oblicz());
  // Written up to the bad read, nothing after it.
  QCOMPARE(p_->Teksty(1, {23, 28, 34}), QStringLiteral("800,00 5,00 5,00"));
  QCOMPARE(p_->PozycjeListError(), QStringList{});
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, Oblicz(2));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, Oblicz(0));
}

// New records made from the generated structure read as numbers wherever the computation reads them.
void TestPit36L::naStrukturachFormularzy() {
  const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
  if (!QFile::exists(folder + QStringLiteral("dc/3.dcs"))) QSKIP("form structures not generated");
  p_.reset();
  p_ = std::make_unique<ProgramZObliczeniami>(folder);
  Rozliczenie& t = p_->T();
  t.PrzydzielDruki(1);
  t.DodajDruk(Pit36L, 0, PMWspolny, Indywidualne);
  p_->WczytajStruktury();
  p_->Ustaw(1, {{21, "52631,58"}, {33, "2631,58"}, {25, "1000,00"}});
  p_->Pokaz(1);
  ::Oblicz(p_->V(), 1);
  // 50000 x 19% = 9500, less the advances 1000.
  QCOMPARE(p_->Teksty(1, {34, 42, 43, 50, 52, 100}), QStringLiteral("50000,00 50000,00 9500,00 9500,00 8500,00 0"));
}

VELMAR_TEST_MAIN_RDZEN(TestPit36L)
#include "tst_pit36l.moc"
