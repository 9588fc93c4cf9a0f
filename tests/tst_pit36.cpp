// The PIT-36 computation on one hand-built record: the cases of tests/dane/pit36.txt, the income rows, row 3 from
// a PIT/Z, the attachments it counts and takes amounts from, the locks, and a failing read.

#include <QFile>
#include <QtTest>

#include "calc/konwersje.h"
#include "calc/pit36.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

class TestPit36 : public QObject {
  Q_OBJECT

 private slots:
  void init() { p_ = std::make_unique<ProgramZObliczeniami>(); }
  void cleanup() { p_.reset(); }

  void obliczenie_data();
  void obliczenie();
  void wierszeDochodow();
  void wiersz3ZPitZ_data();
  void wiersz3ZPitZ();
  void zalacznikiLiczoneIPrzejmowane();
  void blokadyPolZalacznikow_data();
  void blokadyPolZalacznikow();
  void komunikatTylkoGdyPit36NaEkranie();
  void blednyTekstKonczyObliczenie();
  void indeksSpozaRozliczenia();

 private:
  // A PIT-36 as record 1 of a settlement of that kind, on screen.
  void JedenPit36(int rodzaj) {
    p_->Rozliczenie({{Pit36, 0, 0}}, rodzaj);
    p_->Pokaz(1);
  }
  void Oblicz(bool zZalacznika = false) { ObliczPit36(p_->V(), 1, zZalacznika); }

  std::unique_ptr<ProgramZObliczeniami> p_;
};

void TestPit36::obliczenie_data() {
  QTest::addColumn<int>("rodzaj");
  QTest::addColumn<QString>("wpisy");
  QTest::addColumn<QString>("oczekiwane");
  QTest::addColumn<bool>("redukcja");  // ListError shows the reduced-deductions line, or is empty and hidden

  QFile plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/dane/pit36.txt"));
  QVERIFY2(plik.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(plik.fileName()));
  int przypadki = 0;
  while (!plik.atEnd()) {
    const QString linia = QString::fromUtf8(plik.readLine()).trimmed();
    if (linia.isEmpty() || linia.startsWith(QLatin1Char('#'))) continue;
    const QStringList k = linia.split(QLatin1Char('|'));
    QVERIFY2(k.size() == 5, qPrintable(linia));
    const QString komunikat = k[4].trimmed();
    QVERIFY2(komunikat == QStringLiteral("line") || komunikat == QStringLiteral("-"), qPrintable(linia));
    QTest::newRow(qPrintable(k[0].trimmed())) << k[1].trimmed().toInt() << k[2].trimmed() << k[3].trimmed()
                                              << (komunikat == QStringLiteral("line"));
    ++przypadki;
  }
  QVERIFY(przypadki >= 60);
}

void TestPit36::obliczenie() {
  QFETCH(int, rodzaj);
  QFETCH(QString, wpisy);
  QFETCH(QString, oczekiwane);
  QFETCH(bool, redukcja);
  JedenPit36(rodzaj);
  p_->Wpisz(1, wpisy);
  p_->StaryListError();
  Oblicz();
  QCOMPARE(p_->Stan(1, oczekiwane), oczekiwane);
  QCOMPARE(p_->Komunikat(), redukcja);
  QCOMPARE(p_->BezKomunikatu(), !redukcja);
}

// Sums and differences of the income rows are written as they come, without rounding.
void TestPit36::wierszeDochodow() {
  JedenPit36(WspolneZMalzonkiem);
  p_->Wpisz(1, "45=1000,00 46=1500,00 49=10,00 50=2000,5 52=20,00 53=3000,00 54=1000,00 57=30,00 59=100,00 "
               "60=100,00 64=500,00 65=600,00 68=5,555 69=10,004 74=7,00 75=2,00 79=1,10 80=0,10 83=0,01 "
               "88=5,00 89=3,00 93=1,00 117=3,00 118=4,00");
  Oblicz();
  // taxpayer: row 2's income is its amount's text as entered; equal amounts give neither income nor loss
  const QString podatnik = "84=6618,604 85=3202,10 47=0,00 48=500,00 51=2000,5 55=2000,00 56=0,00 61=0,00 62=0,00 "
                           "66=0,00 67=100,00 71=10,004 72=0,00 76=5,00 77=0,00 81=1,00 82=0,00 86=4016,504 "
                           "87=65,565";
  // spouse: every field the taxpayer's plus 43
  const QString malzonek = "127=9,00 128=7,00 90=2,00 91=0,00 94=1,00 119=0,00 120=1,00 129=3,00 130=0,00";
  // the incomes after deductions, to grosze
  const QString dalej = "142=4016,50 143=3,00 166=4019,50";
  QCOMPARE(p_->Stan(1, podatnik), podatnik);
  QCOMPARE(p_->Stan(1, malzonek), malzonek);
  QCOMPARE(p_->Stan(1, dalej), dalej);
}

void TestPit36::wiersz3ZPitZ_data() {
  QTest::addColumn<QString>("wlasciciele");  // owners of the PIT/Z attached, in record order
  QTest::addColumn<QString>("kratki");
  QTest::addColumn<QString>("oczekiwane");
  // A PIT/Z of owner n holds 20..22 = n1,00..n3,00 and 34, 35 = n4,00, n5,00 with n = owner + 1. Row 3 holds
  // 900 and 100 for the taxpayer and nothing for the spouse; 55, 56, 58, 98, 99, 101 start as 1..6.
  const auto wiersz = [](const char* nazwa, const char* wlasciciele, const char* kratki, const char* oczekiwane) {
    QTest::newRow(nazwa) << QString(wlasciciele) << QString(kratki) << QString(oczekiwane);
  };
  wiersz("bez kratek", "1", "", "55=800,00 56=0,00 58=3,00 86=800,00 98=0,00 99=0,00 101=6,00");
  wiersz("39", "1", "#39=1", "55=21,00 56=22,00 58=23,00 86=21,00");
  wiersz("41", "1", "#41=1", "55=24,00 56=25,00 58=0,00 86=24,00");
  wiersz("39 i 41", "1", "#39=1 #41=1", "55=24,00 56=25,00 58=0,00");
  wiersz("wspolny i podatnika", "0 1", "#39=1", "55=21,00 56=22,00 58=23,00");
  wiersz("tylko wspolny", "0", "#39=1", "55=11,00 56=12,00 58=13,00");
  // The box alone: row 3 is the user's.
  wiersz("39 bez PIT/Z", "", "#39=1", "55=1,00 56=2,00 58=3,00 86=1,00");
  wiersz("malzonek 42", "2", "#42=1", "98=34,00 99=35,00 101=0,00 55=800,00");
  wiersz("malzonek 40 i 42", "2", "#40=1 #42=1", "98=34,00 99=35,00 101=0,00");
  wiersz("PIT/Z malzonka bez jego kratek", "2", "#39=1", "55=1,00 98=0,00 99=0,00 101=6,00");
}

void TestPit36::wiersz3ZPitZ() {
  QFETCH(QString, wlasciciele);
  QFETCH(QString, kratki);
  QFETCH(QString, oczekiwane);
  std::vector<std::array<int, 3>> druki = {{Pit36, 0, 0}};
  for (const QString& pm : wlasciciele.split(QLatin1Char(' '), Qt::SkipEmptyParts))
    druki.push_back({PitZ, 1, pm.toInt()});
  p_->Rozliczenie(druki, WspolneZMalzonkiem);
  p_->Pokaz(1);
  for (int j = 2; j <= p_->T().LiczbaDrukow; ++j) {
    const QString n = QString::number(p_->T().Druki[static_cast<std::size_t>(j)].PM + 1);
    p_->Wpisz(j, "20=" + n + "1,00 21=" + n + "2,00 22=" + n + "3,00 34=" + n + "4,00 35=" + n + "5,00");
  }
  p_->Wpisz(1, "53=900,00 54=100,00 55=1,00 56=2,00 58=3,00 98=4,00 99=5,00 101=6,00 " + kratki);
  Oblicz();
  QCOMPARE(p_->Stan(1, oczekiwane), oczekiwane);
}

// The counts take the forms attached to this PIT-36 whoever owns them; amounts come from the first attached PIT/O
// and from the settlement's first PIT/D.
void TestPit36::zalacznikiLiczoneIPrzejmowane() {
  p_->Rozliczenie({{Pit36, 0, 0}, {PitB, 1, 1}, {PitB, 1, 2}, {PitD, 1, 0}, {Pit2K, 1, 0}, {PitM, 1, 1},
                   {PitM, 1, 2}, {PitO, 1, 0}, {PitO, 1, 1}, {PitZG, 1, 1}, {PitZ, 1, 1}, {SseR, 1, 0},
                   {Nip1, 1, 1}, {Nip3, 1, 2}, {SseA, 1, 0}, {SseRA, 1, 0}, {Pit37, 0, 0}, {PitO, 17, 0},
                   {Nip3, 17, 0}},
                  WspolneZMalzonkiem);
  p_->Pokaz(1);
  p_->Wpisz(8, "28=100,00 41=30,00");
  p_->Wpisz(9, "28=7,00 41=7,00");
  // Block 2 has a first share: it is the share that is taken.
  p_->Wpisz(4, "31=50,00 42=40,00 45=20,00 51=10,00");
  p_->Wpisz(1, "45=1000,00 171=100,00");
  Oblicz();
  QCOMPARE(p_->Teksty(1, {302, 303, 304, 305, 306, 307, 308, 309, 310}), QStringLiteral("2 1 1 2 2 1 1 1 2"));
  QCOMPARE(p_->Teksty(1, {144, 146, 149, 179, 177}), QStringLiteral("100,00 50,00 20,00 10,00 30,00"));

  // Without attachments every count is 0; a PIT/D of another main form is still taken.
  p_->Rozliczenie({{Pit36, 0, 0}, {Pit37, 0, 0}, {PitD, 2, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Wpisz(3, "31=5,00");
  p_->Wpisz(1, "45=100,00");
  Oblicz();
  QCOMPARE(p_->Teksty(1, {302, 303, 304, 305, 306, 307, 308, 309, 310}), QStringLiteral("0 0 0 0 0 0 0 0 0"));
  QCOMPARE(p_->Tekst(1, 146), QStringLiteral("5,00"));
}

void TestPit36::blokadyPolZalacznikow_data() {
  QTest::addColumn<int>("zalacznik");
  QTest::addColumn<int>("pm");
  QTest::addColumn<QList<int>>("zablokowane");
  // A person's PIT/B locks only that person's row 3 amounts: the other person's stay the user's to enter.
  QTest::newRow("PIT/B podatnika") << int(PitB) << 1 << QList<int>{53, 54};
  QTest::newRow("PIT/B wspolny") << int(PitB) << 0 << QList<int>{53, 54};
  QTest::newRow("PIT/B malzonka") << int(PitB) << 2 << QList<int>{96, 97};
  QTest::newRow("PIT/D") << int(PitD) << 0 << QList<int>{146, 149, 179};
  QTest::newRow("PIT/O") << int(PitO) << 0 << QList<int>{};
}

void TestPit36::blokadyPolZalacznikow() {
  QFETCH(int, zalacznik);
  QFETCH(int, pm);
  QFETCH(QList<int>, zablokowane);
  p_->Rozliczenie({{Pit36, 0, 0}, {zalacznik, 1, pm}}, WspolneZMalzonkiem);
  p_->Pokaz(1);
  p_->Obiekty(334);
  Oblicz(true);  // from an attachment: the PIT/B is not recomputed, the locks are the same
  QCOMPARE(p_->Zablokowane(), zablokowane);

  // Off screen nothing is locked.
  p_->Obiekty(334);
  p_->PokazTyp(zalacznik, WspolneZMalzonkiem);
  Oblicz();
  QVERIFY(p_->Zablokowane().isEmpty());
}

void TestPit36::komunikatTylkoGdyPit36NaEkranie() {
  JedenPit36(Indywidualne);
  p_->Wpisz(1, "140=10,00");  // above an income of 0
  p_->PokazTyp(PitO, Indywidualne);
  p_->StaryListError();
  Oblicz();
  QCOMPARE(p_->Tekst(1, 140), QStringLiteral("0,00"));
  QVERIFY(p_->BezKomunikatu());
}

void TestPit36::blednyTekstKonczyObliczenie() {
  JedenPit36(Indywidualne);
  p_->Wpisz(1, "45=5000,00 140=6000,00 171=abc 174=9,99");
  p_->StaryListError();
  try {
    Oblicz();
    QFAIL("no conversion error");
  } catch (const BladKonwersjiLiczby& e) {
    QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'abc' is not a valid floating point value"));
  }
  // Written up to the bad read, nothing after it.
  QCOMPARE(p_->Teksty(1, {140, 166, 170, 174}), QStringLiteral("5000,00 0,00 0,00 9,99"));
  QCOMPARE(p_->PozycjeListError(), QStringList{});

  // The failed run left no chain behind: the next one reports its own cut.
  p_->Wpisz(1, "140=6000,00 171=0,00");
  Oblicz();
  QCOMPARE(p_->Teksty(1, {140, 166}), QStringLiteral("5000,00 0,00"));
  QVERIFY(p_->Komunikat());
  p_->Wpisz(1, "140=0,00 171=abc");
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, Oblicz());
  p_->Wpisz(1, "171=0,00");
  Oblicz();
  // 0,19 x 5000 - 586,85
  QCOMPARE(p_->Teksty(1, {166, 170}), QStringLiteral("5000,00 363,15"));
  QVERIFY(p_->BezKomunikatu());
}

void TestPit36::indeksSpozaRozliczenia() {
  JedenPit36(Indywidualne);
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczPit36(p_->V(), 0, false));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ObliczPit36(p_->V(), 2, true));
  QCOMPARE(p_->Kratka(1, 3), std::uint8_t{0});
}

VELMAR_TEST_MAIN(TestPit36)
#include "tst_pit36.moc"
