// The identification data exchange between the two person blocks and the forms, and the computations that are
// nothing but that exchange.

#include <QtTest>
#include <map>

#include "calc/identyfikacja.h"
#include "calc/pit37.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

namespace {

// A copy list written as the rules state it: runs separated by '|', each "P:" (the taxpayer's block), "M:" (the
// spouse's block) or "E:" (form fields emptied), then items "P02..P07->10..15", "P08->140", or for E "1", "8..11".
struct Kopia {
  int blok;  // 0 taxpayer, 1 spouse, -1 emptied
  int osoba;
  int druk;
};

std::vector<Kopia> Rozbierz(const QString& lista) {
  const auto zakres = [](const QString& z) {
    const QStringList c = z.split(QStringLiteral(".."));
    return std::pair{c.front().trimmed().toInt(), c.back().trimmed().toInt()};
  };
  std::vector<Kopia> kopie;
  for (const QString& odcinek : lista.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
    const QString t = odcinek.trimmed();
    const int blok = QStringLiteral("PM").indexOf(t[0]);
    for (QString pozycja : t.mid(2).split(QLatin1Char(','))) {
      const QStringList strony = pozycja.remove(QLatin1Char('P')).split(QStringLiteral("->"));
      const auto [od, doK] = zakres(strony.back());
      const auto [osobaOd, osobaDo] = blok < 0 ? std::pair{-1, -1} : zakres(strony.front());
      if (blok >= 0 && osobaDo - osobaOd != doK - od) qFatal("uneven range in %s", qPrintable(pozycja));
      for (int i = 0; i <= doK - od; ++i) kopie.push_back({blok, blok < 0 ? -1 : osobaOd + i, od + i});
    }
  }
  return kopie;
}

std::string Znacznik(int blok, int n) { return (blok == 0 ? "t" : "m") + std::to_string(n); }

}  // namespace

class TestIdentyfikacja : public QObject {
  Q_OBJECT

 private slots:
  void init() { p_ = std::make_unique<ProgramZObliczeniami>(); }
  void cleanup() { p_.reset(); }

  void zapisDoDruku_data();
  void zapisDoDruku();
  void odczytZDruku_data() { zapisDoDruku_data(); }
  void odczytZDruku();
  void tekstUcietyDoSzerokosci();
  void pitOPolaDrugiejOsoby();
  void wspolnyPit37RozsylaDaneMalzonka();
  void ostatniDrukWygrywaPrzyOdczycie();
  void tablicaObliczenUruchamiaWymiane();
  void indeksSpozaRozliczenia();

 private:
  std::vector<Kopia> Przygotuj();

  std::unique_ptr<ProgramZObliczeniami> p_;
};

void TestIdentyfikacja::zapisDoDruku_data() {
  QTest::addColumn<int>("kod");
  QTest::addColumn<int>("pm");
  QTest::addColumn<int>("rodzaj");
  QTest::addColumn<QString>("kopie");

  const QString pit36P = "P: P00->0, P01->7, P02..P07->9..14, P09..P15->15..21, P08->327";
  const QString pit36M = " | M: P00->1, P01->7, P02..P07->22..27, P09->28, P10->29, P11->30, P12->324, P13->31, "
                         "P14->32, P15->33, P08->328";
  const QString pit37P = "P: P00->0, P01->7, P02..P07->10..15, P09..P15->16..22, P08->140";
  const QString pit37M = " | M: P00->1, P01->7, P02..P07->23..28, P09..P15->29..35, P08->141";
  const QString pit36L = ": P00->0, P01->2, P02..P07->5..10, P09..P15->11..17, P08->111";
  const QString pit38 = ": P00->0, P01->2, P02..P07->5..10, P09..P15->11..17, P08->62";
  const QString pit28 = ": P00->0, P01->2, P02..P05->5..8, P08->9, P06->10, P07->11, P09..P15->12..18";
  const QString pitO = ": P00->0, P02..P05->4..7";
  const QString pitD = "P: P00->0, P02..P07->3..8, P09..P15->9..15, P08->56 | "
                       "M: P00->1, P02..P07->16..21, P09..P15->22..28, P08->57";
  const QString pit2K = "P: P00->0, P02->2, P03->3, P05->4, P04->5, P06->6, P07->7, P09..P15->8..14 | "
                        "M: P00->1, P02->15, P03->16, P05->17, P04->18, P06->19, P07->20, P09..P15->21..27";
  const QString zalacznik = ": P00->0, P02..P05->2..5";
  const QString pitB = ": P00->0, P02..P05->3..6";
  const QString nip = ": P00->0, P05->7, P02->8, P03->9, P04->13, P06->39, P07->40, P09..P15->41..47, P08->38";

  auto wiersz = [](const char* nazwa, int kod, int pm, int rodzaj, const QString& kopie) {
    QTest::newRow(nazwa) << kod << pm << rodzaj << kopie;
  };
  wiersz("PIT-36 indywidualnie", Pit36, 0, Indywidualne, pit36P);
  wiersz("PIT-36 samotnie", Pit36, 0, SamotnieWychowujacy, pit36P);
  wiersz("PIT-36 wspolnie", Pit36, 0, WspolneZMalzonkiem, pit36P + pit36M);
  wiersz("PIT-37 indywidualnie", Pit37, 0, Indywidualne, pit37P);
  wiersz("PIT-37 wspolnie", Pit37, 0, WspolneZMalzonkiem, pit37P + pit37M);
  wiersz("PIT-36L podatnika", Pit36L, 1, WspolneZMalzonkiem, "P" + pit36L);
  wiersz("PIT-36L malzonka", Pit36L, 2, WspolneZMalzonkiem, "M" + pit36L);
  wiersz("PIT-38 wspolny", Pit38, 0, Indywidualne, "P" + pit38);
  wiersz("PIT-38 malzonka", Pit38, 2, WspolneZMalzonkiem, "M" + pit38);
  wiersz("PIT-28 wspolny", Pit28, 0, WspolneZMalzonkiem, "P" + pit28);
  wiersz("PIT-28 podatnika", Pit28, 1, WspolneZMalzonkiem, "P" + pit28);
  wiersz("PIT-28 malzonka", Pit28, 2, WspolneZMalzonkiem, "M" + pit28);
  wiersz("PIT/O wspolny indywidualnie", PitO, 0, Indywidualne, "P" + pitO);
  wiersz("PIT/O wspolny wspolnie", PitO, 0, WspolneZMalzonkiem, "P" + pitO + " | M: P00->1, P02..P05->8..11");
  wiersz("PIT/O podatnika", PitO, 1, WspolneZMalzonkiem, "P" + pitO + " | E: 1, 8..11");
  wiersz("PIT/O podatnika indywidualnie", PitO, 1, Indywidualne, "P" + pitO + " | E: 1, 8..11");
  wiersz("PIT/O malzonka", PitO, 2, WspolneZMalzonkiem, "M" + pitO + " | E: 1, 8..11");
  wiersz("PIT/D indywidualnie", PitD, 0, Indywidualne, pitD);
  wiersz("PIT/D malzonka", PitD, 2, WspolneZMalzonkiem, pitD);
  wiersz("PIT/2K indywidualnie", Pit2K, 1, Indywidualne, pit2K);
  wiersz("PIT/M podatnika", PitM, 1, WspolneZMalzonkiem, "P" + zalacznik);
  wiersz("PIT/Z malzonka", PitZ, 2, WspolneZMalzonkiem, "M" + zalacznik);
  wiersz("PIT/ZG podatnika", PitZG, 1, Indywidualne, "P" + zalacznik);
  wiersz("PIT-28/A malzonka", Pit28A, 2, WspolneZMalzonkiem, "M" + zalacznik);
  wiersz("PIT-28/B podatnika", Pit28B, 1, WspolneZMalzonkiem, "P" + zalacznik);
  wiersz("PIT/B podatnika", PitB, 1, WspolneZMalzonkiem, "P" + pitB);
  wiersz("PIT/B malzonka", PitB, 2, WspolneZMalzonkiem, "M" + pitB);
  wiersz("NIP-1 podatnika", Nip1, 1, WspolneZMalzonkiem, "P" + nip);
  wiersz("NIP-3 malzonka", Nip3, 2, WspolneZMalzonkiem, "M" + nip);
  wiersz("SSE-R", SseR, 0, WspolneZMalzonkiem, "");
  wiersz("SSE/A", SseA, 1, WspolneZMalzonkiem, "");
  wiersz("SSE-R/A", SseRA, 2, WspolneZMalzonkiem, "");
  wiersz("typ 0", 0, 0, WspolneZMalzonkiem, "");
  wiersz("typ 20", 20, 0, WspolneZMalzonkiem, "");
}

// One record of the row's form, the person blocks holding "t<n>" and "m<n>", every form field "f<k>".
std::vector<Kopia> TestIdentyfikacja::Przygotuj() {
  QFETCH(int, kod);
  QFETCH(int, pm);
  QFETCH(int, rodzaj);
  QFETCH(QString, kopie);
  p_->Rozliczenie({{kod, 0, pm}}, rodzaj);
  for (int blok = 0; blok < 2; ++blok)
    for (int n = 0; n < 16; ++n) p_->T().Osoby[blok].UstawPole(n, Znacznik(blok, n));
  for (int k = 0; k < kLiczbaPol; ++k) p_->Ustaw(1, k, "f" + std::to_string(k));
  return Rozbierz(kopie);
}

void TestIdentyfikacja::zapisDoDruku() {
  std::map<int, std::string> oczekiwane;
  for (int k = 0; k < kLiczbaPol; ++k) oczekiwane[k] = "f" + std::to_string(k);
  for (const Kopia& k : Przygotuj()) oczekiwane[k.druk] = k.blok < 0 ? "" : Znacznik(k.blok, k.osoba);
  ZapiszDaneOsobDoDruku(p_->T(), 1);
  for (const auto& [k, tekst] : oczekiwane) QCOMPARE(p_->Tekst(1, k), QString::fromStdString(tekst));
}

void TestIdentyfikacja::odczytZDruku() {
  std::map<std::pair<int, int>, std::string> oczekiwane;
  for (int blok = 0; blok < 2; ++blok)
    for (int n = 0; n < 16; ++n) oczekiwane[{blok, n}] = Znacznik(blok, n);
  // Emptying has no counterpart when reading.
  for (const Kopia& k : Przygotuj())
    if (k.blok >= 0) oczekiwane[{k.blok, k.osoba}] = "f" + std::to_string(k.druk);
  WczytajDaneOsobZDruku(p_->T(), 1);
  for (const auto& [pole, tekst] : oczekiwane)
    QCOMPARE(QString::fromLatin1(p_->T().Osoby[pole.first].Pole(pole.second)), QString::fromStdString(tekst));
}

void TestIdentyfikacja::tekstUcietyDoSzerokosci() {
  p_->Rozliczenie({{Pit37, 0, 0}}, Indywidualne);
  const std::string dlugi(354, 'a');
  p_->Ustaw(1, 0, dlugi);    // Pole00, 14 with the terminator
  p_->Ustaw(1, 21, dlugi);   // Pole14, 8 with the terminator
  p_->Ustaw(1, 10, dlugi);   // Pole02, 255 with the terminator
  WczytajDaneOsobZDruku(p_->T(), 1);
  const TOsoba& podatnik = p_->T().Osoby[0];
  QCOMPARE(podatnik.Pole(0), std::string_view(dlugi).substr(0, 13));
  QCOMPARE(podatnik.Pole(14), std::string_view(dlugi).substr(0, 7));
  QCOMPARE(podatnik.Pole(2), std::string_view(dlugi).substr(0, 254));

  // Written back, the form holds the cut text.
  ZapiszDaneOsobDoDruku(p_->T(), 1);
  QCOMPARE(p_->Tekst(1, 0).size(), 13);
}

void TestIdentyfikacja::pitOPolaDrugiejOsoby() {
  // A person's PIT/O loses the other person's fields on every exchange, whatever was typed there.
  p_->Rozliczenie({{Pit28, 0, 1}, {PitO, 1, 1}}, WspolneZMalzonkiem);
  for (int k : {1, 8, 9, 10, 11}) p_->Ustaw(2, k, "wpisane");
  p_->Ustaw(2, 0, "12345");
  WczytajDaneOsobZDruku(p_->T(), 2);
  ZapiszDaneOsobDoDrukow(p_->T());
  QCOMPARE(p_->Teksty(2, {1, 8, 9, 10, 11}), QStringLiteral("    "));
  QCOMPARE(p_->Teksty(2, {0}) + p_->Teksty(1, {0}), QStringLiteral("1234512345"));

  // The settlement's PIT/O in an individual settlement keeps them, and the spouse's block is not overwritten.
  p_->Rozliczenie({{Pit37, 0, 0}, {PitO, 1, 0}}, Indywidualne);
  for (int k : {1, 8, 9, 10, 11}) p_->Ustaw(2, k, "w");
  p_->T().Osoby[1].UstawPole(0, "malzonek");
  ZapiszDaneOsobDoDrukow(p_->T());
  WczytajDaneOsobZDrukow(p_->T());
  QCOMPARE(p_->Teksty(2, {1, 8, 9, 10, 11}), QStringLiteral("w w w w w"));
  QCOMPARE(p_->T().Osoby[1].Pole(0), std::string_view("malzonek"));
}

void TestIdentyfikacja::wspolnyPit37RozsylaDaneMalzonka() {
  p_->Rozliczenie({{Pit37, 0, 0}, {PitD, 1, 0}, {Pit28, 0, 2}, {PitZ, 0, 2}, {PitZ, 0, 1}}, WspolneZMalzonkiem);
  p_->Pokaz(1);
  p_->Ustaw(1, {{1, "9876543210"}, {7, "wspolne"}});
  ObliczPit37(p_->V(), 1);
  QCOMPARE(p_->Tekst(2, 1) + p_->Tekst(3, 0) + p_->Tekst(4, 0), QStringLiteral("9876543210").repeated(3));
  QVERIFY(p_->Tekst(5, 0) != QStringLiteral("9876543210"));
  // Field 7 is one field for both persons: after the computation both blocks hold it.
  QCOMPARE(p_->T().Osoby[0].Pole(1), std::string_view("wspolne"));
  QCOMPARE(p_->T().Osoby[1].Pole(1), std::string_view("wspolne"));
  QCOMPARE(p_->Tekst(3, 2), QStringLiteral("wspolne"));
}

void TestIdentyfikacja::ostatniDrukWygrywaPrzyOdczycie() {
  p_->Rozliczenie({{Pit37, 0, 0}, {Pit28, 0, 1}}, Indywidualne);
  p_->Ustaw(1, 10, "z PIT-37");
  p_->Ustaw(2, 5, "z PIT-28");
  WczytajDaneOsobZDrukow(p_->T());
  QCOMPARE(p_->T().Osoby[0].Pole(2), std::string_view("z PIT-28"));

  // Showing the PIT-37 reads its own form first and brings its text back everywhere.
  p_->Pokaz(1);
  ObliczDruk(Pit37, p_->V(), 1);
  QCOMPARE(p_->T().Osoby[0].Pole(2), std::string_view("z PIT-37"));
  QCOMPARE(p_->Tekst(2, 5), QStringLiteral("z PIT-37"));
}

void TestIdentyfikacja::tablicaObliczenUruchamiaWymiane() {
  // Through the one dispatch table; a form without identification data (SSE-R) is left alone.
  for (int kod : {Nip1, Nip3, Pit2K, Pit37, PitO, PitD}) {
    p_->Rozliczenie({{Pit37, 0, 0}, {kod, 1, 0}, {SseR, 0, 0}}, Indywidualne);
    p_->Pokaz(2);
    const std::string nip = "kod" + std::to_string(kod);
    p_->Ustaw(2, 0, nip);
    p_->Ustaw(3, 0, "sse");
    Oblicz(p_->V(), 2);
    QCOMPARE(p_->T().Osoby[0].Pole(0), std::string_view(nip));
    QCOMPARE(p_->Tekst(1, 0), QString::fromStdString(nip));
    QCOMPARE(p_->Tekst(3, 0), QStringLiteral("sse"));
  }
}

void TestIdentyfikacja::indeksSpozaRozliczenia() {
  p_->Rozliczenie({{Pit37, 0, 0}}, Indywidualne);
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, WczytajDaneOsobZDruku(p_->T(), 0));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ZapiszDaneOsobDoDruku(p_->T(), 2));
  p_->T().PrzydzielDruki(0);
  ZapiszDaneOsobDoDrukow(p_->T());
  WczytajDaneOsobZDrukow(p_->T());
}

VELMAR_TEST_MAIN_RDZEN(TestIdentyfikacja)
#include "tst_identyfikacja.moc"
