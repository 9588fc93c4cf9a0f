// The PIT-36 with its attachments' computations: the chains from PIT/D, PIT/O, PIT/M and PIT/B, the
// reduced-deductions line of a chain, the PIT/B warning that turns to the PIT-36 from inside a computation, and the
// PIT-36 on the generated form structure.

#include <QFile>
#include <QtTest>
#include <set>

#include "calc/pit36.h"
#include "calc/pitb.h"
#include "calc/pitd.h"
#include "calc/pitm.h"
#include "calc/pito.h"
#include "pages/blokada_pol.h"
#include "tst_obliczenia_wspolne.h"
#include "zrodlo.h"

using namespace velmar_test;

namespace {

// Every PIT/B run ends by recomputing its PIT/Z: the calls tell how often a PIT/B ran.
void SondaPitZ(TFImage*, int j) { Wywolania().push_back({PitZ, j, Teksty(j, {6, 7})}); }

// A PIT/Z that puts an excess back into the PIT-36's deduction 140, so that the run after it cuts again.
void PitZPrzywracajacy(TFImage*, int) { UstawBajty(Tools->Druki[1].Pola[140].Wartosc, "1500,00"); }

const QString kOstrzezeniePodatnika = QStringLiteral(
    "UWAGA! \nPrzed wypełnieniem Pit/B (Podatnika), należy zaznaczyć odpowiednie pola 41 lub 42 w Pit-36.");

}  // namespace

class TestPit36Zalaczniki : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    p_ = std::make_unique<ProgramZObliczeniami>();
    Wywolania().clear();
    SkryptDialogow().pokazane.clear();
  }
  void cleanup() { p_.reset(); }

  void lancuchPitD();
  void lancuchPitO();
  void lancuchPitM();
  void lancuchPitBBezDrugiegoPrzeliczenia();
  void pit36PrzeliczaPitBKratek_data();
  void pit36PrzeliczaPitBKratek();
  void komunikatZWewnetrznegoPrzebiegu();
  void komunikatRazMimoDwochObciec();
  void ostrzezeniePitBPokazujePit36();
  void blokadaMalzonkaNaStrukturze();
  void naStrukturachFormularzy();

 private:
  std::unique_ptr<ProgramZObliczeniami> p_;
};

// The PIT/D on screen carries its remainders into the PIT-36, whose computation limits them; nothing is locked and
// no line is shown, the PIT-36 not being on screen.
void TestPit36Zalaczniki::lancuchPitD() {
  p_->Rozliczenie({{Pit36, 0, 0}, {PitD, 1, 0}}, Indywidualne);
  p_->Wpisz(2, "29=1000,00 38=200,00 47=300,00");
  p_->Wpisz(1, "45=5000,00");
  p_->Pokaz(2);
  p_->Obiekty(334);
  p_->StaryListError();
  ObliczPitD(p_->V(), 2);
  // 5000 - 1000 - 200 = 3800: 722 - 586,85 = 135,15, of which the housing relief of 300 takes all.
  const QString pit36 = "146=1000,00 149=200,00 150=200,00 151=0,00 166=3800,00 170=135,15 179=300,00 180=135,15 "
                        "181=164,85 182=0,00 303=1";
  QCOMPARE(p_->Stan(1, pit36), pit36);
  QVERIFY(p_->Zablokowane().isEmpty());
  QVERIFY(p_->BezKomunikatu());

  // The PIT-36 on screen, computed through the dispatch, locks the fields the PIT/D fills.
  p_->Pokaz(1);
  ::Oblicz(p_->V(), 1);
  QCOMPARE(p_->Stan(1, pit36), pit36);
  QCOMPARE(p_->Zablokowane(), (QList<int>{146, 149, 179}));
}

void TestPit36Zalaczniki::lancuchPitO() {
  p_->Rozliczenie({{Pit36, 0, 0}, {PitO, 1, 0}}, WspolneZMalzonkiem);
  p_->Wpisz(2, "12=1000,00 13=500,00 30=100,00 31=50,00");
  p_->Wpisz(1, "45=20000,00 88=300,00");
  p_->Pokaz(2);
  p_->StaryListError();
  ObliczPitO(p_->V(), 2);
  // The spouse's 500 is limited to the spouse's income of 300, on the PIT-36 only. 20300 - 1300 = 19000, halved
  // 9500: 1805 - 586,85 = 1218,15, doubled 2436,30; reliefs 150.
  const QString pit36 = "144=1000,00 145=300,00 166=19000,00 169=9500,00 170=2436,30 177=100,00 178=50,00 "
                        "182=2286,30 185=2286,00 306=1";
  QCOMPARE(p_->Stan(1, pit36), pit36);
  QCOMPARE(p_->Tekst(2, 29), QStringLiteral("500,00"));
  // The PIT/O on screen decides what ListError shows: it cut nothing.
  QVERIFY(p_->BezKomunikatu());
}

void TestPit36Zalaczniki::lancuchPitM() {
  p_->Rozliczenie({{Pit36, 0, 0}, {PitM, 1, 1}}, Indywidualne);
  p_->Wpisz(2, "9=800,00 10=200,00 8=50,00 #29=1");
  p_->Wpisz(1, "140=700,00");
  p_->Pokaz(2);
  p_->StaryListError();
  ObliczPitM(p_->V(), 2);
  // The children's income of 600 is the taxpayer's: the contributions are cut to it; their advances count.
  const QString pit36 = "131=600,00 133=50,00 140=600,00 142=0,00 186=50,00 188=50,00 305=1";
  QCOMPARE(p_->Stan(1, pit36), pit36);
  QVERIFY(p_->BezKomunikatu());
}

// A PIT/B computes the PIT-36 from the attachment, which does not compute the PIT/B again: one PIT/Z call.
void TestPit36Zalaczniki::lancuchPitBBezDrugiegoPrzeliczenia() {
  const ZastepczeObliczenie pitZ(PitZ, SondaPitZ);
  p_->Rozliczenie({{Pit36, 0, 0}, {PitB, 1, 1}, {PitZ, 1, 1}}, Indywidualne);
  p_->Wpisz(1, "#39=1");
  p_->Wpisz(2, "10=5000,00 11=2000,00");
  p_->Pokaz(2);
  ObliczPitB(p_->V(), 2);
  QCOMPARE(OpisWywolan(), QStringList{Opis(PitZ, 3, QStringLiteral("5000,00 2000,00"))});
  QCOMPARE(p_->Stan(1, "53=5000,00 54=2000,00 84=5000,00 85=2000,00 302=1 308=1"),
           QStringLiteral("53=5000,00 54=2000,00 84=5000,00 85=2000,00 302=1 308=1"));
}

void TestPit36Zalaczniki::pit36PrzeliczaPitBKratek_data() {
  QTest::addColumn<QString>("kratki");
  QTest::addColumn<bool>("zZalacznika");
  QTest::addColumn<QStringList>("pitZ");  // the PIT/Z calls, one a PIT/B run, by the PIT/Z's record
  QTest::addColumn<QString>("pit36");     // fields 53, 54, 96, 97
  // Record 2 is the common PIT/B, 3 the taxpayer's, 4 the spouse's; 5 to 7 their PIT/Z.
  QTest::newRow("bez kratek") << "" << false << QStringList{} << "1,00 2,00 3,00 4,00";
  // Every PIT/B run writes the totals of each person who has a PIT/B.
  QTest::newRow("39: wspolny i podatnika") << "#39=1" << false << QStringList{"5", "6"}
                                           << "110,00 220,00 1000,00 2000,00";
  QTest::newRow("41: wspolny i podatnika") << "#41=1" << false << QStringList{"5", "6"}
                                           << "110,00 220,00 1000,00 2000,00";
  QTest::newRow("42: malzonka") << "#42=1" << false << QStringList{"7"} << "110,00 220,00 1000,00 2000,00";
  QTest::newRow("wszystkie") << "#39=1 #40=1" << false << QStringList{"5", "6", "7"}
                             << "110,00 220,00 1000,00 2000,00";
  QTest::newRow("z zalacznika") << "#39=1 #40=1" << true << QStringList{} << "1,00 2,00 3,00 4,00";
}

void TestPit36Zalaczniki::pit36PrzeliczaPitBKratek() {
  QFETCH(QString, kratki);
  QFETCH(bool, zZalacznika);
  QFETCH(QStringList, pitZ);
  QFETCH(QString, pit36);
  const ZastepczeObliczenie sonda(PitZ, SondaPitZ);
  p_->Rozliczenie({{Pit36, 0, 0}, {PitB, 1, 0}, {PitB, 1, 1}, {PitB, 1, 2}, {PitZ, 1, 0}, {PitZ, 1, 1},
                   {PitZ, 1, 2}},
                  WspolneZMalzonkiem);
  p_->Wpisz(1, "53=1,00 54=2,00 96=3,00 97=4,00 " + kratki);
  p_->Wpisz(2, "10=10,00 11=20,00");
  p_->Wpisz(3, "10=100,00 11=200,00");
  p_->Wpisz(4, "10=1000,00 11=2000,00");
  p_->Pokaz(1);
  ObliczPit36(p_->V(), 1, zZalacznika);
  QStringList wywolane;
  for (const Wywolanie& w : Wywolania()) wywolane << QString::number(w.j);
  QCOMPARE(wywolane, pitZ);
  QCOMPARE(p_->Teksty(1, {53, 54, 96, 97}), pit36);
}

// The PIT-36 of the dispatch first recomputes its PIT/B, which runs the PIT-36 again; that inner run cuts the
// deduction, so the outer one finds nothing to cut. The line still shows.
void TestPit36Zalaczniki::komunikatZWewnetrznegoPrzebiegu() {
  p_->Rozliczenie({{Pit36, 0, 0}, {PitB, 1, 1}}, Indywidualne);
  p_->Wpisz(1, "#39=1 45=1000,00 140=1500,00");
  p_->Pokaz(1);
  p_->StaryListError();
  ::Oblicz(p_->V(), 1);
  QCOMPARE(p_->Tekst(1, 140), QStringLiteral("1000,00"));
  QVERIFY(p_->Komunikat());

  // Nothing cut anywhere in the chain: hidden.
  ::Oblicz(p_->V(), 1);
  QVERIFY(p_->BezKomunikatu());
}

// The inner run and the outer one both cut: one line.
void TestPit36Zalaczniki::komunikatRazMimoDwochObciec() {
  const ZastepczeObliczenie pitZ(PitZ, PitZPrzywracajacy);
  p_->Rozliczenie({{Pit36, 0, 0}, {PitB, 1, 1}, {PitZ, 1, 1}}, Indywidualne);
  p_->Wpisz(1, "#39=1 45=1000,00 140=1500,00");
  p_->Pokaz(1);
  p_->StaryListError();
  ::Oblicz(p_->V(), 1);
  QCOMPARE(p_->Tekst(1, 140), QStringLiteral("1000,00"));
  QVERIFY(p_->Komunikat());
}

// A PIT/B whose PIT/Z lacks its box on the PIT-36 warns and turns to page 2 of the PIT-36, which the page display
// computes from inside the PIT/B's computation; the PIT/B itself is left as it was.
void TestPit36Zalaczniki::ostrzezeniePitBPokazujePit36() {
  const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
  if (!QFile::exists(folder + QStringLiteral("dc/1.dcs"))) QSKIP("form structures not generated");
  p_.reset();
  p_ = std::make_unique<ProgramZObliczeniami>(folder);
  TTools& t = p_->T();
  t.PrzydzielDruki(3);
  t.DodajDruk(Pit36, 0, PMWspolny, Indywidualne);
  t.DodajDruk(PitZ, 1, PMPodatnik, Indywidualne);
  t.DodajDruk(PitB, 1, PMPodatnik, Indywidualne);
  t.BudujDrzewo();
  p_->Ustaw(3, 10, "500,00");
  p_->Pokaz(3);
  ::Oblicz(p_->V(), 3);
  QCOMPARE(SkryptDialogow().Teksty(), QStringList{kOstrzezeniePodatnika});
  QCOMPARE(t.BiezacyDruk.IdPit, std::int32_t(Pit36));
  QCOMPARE(t.BiezacyDruk.Id, 1);
  QCOMPARE(t.BiezacaStrona, 2);
  // The PIT-36 was computed: its kind box and counts; the PIT/B's count and totals were not.
  QCOMPARE(p_->Kratka(1, 3), std::uint8_t{1});
  QCOMPARE(p_->Teksty(1, {302, 308}), QStringLiteral("1 1"));
  QCOMPARE(p_->Teksty(3, {2, 56}), QStringLiteral("0 0,00"));
  QCOMPARE(p_->Tekst(1, 53), QStringLiteral("0,00"));
}

// Outside a joint settlement the locks of the spouse's fields fall on the spouse's fields of the structure: the
// identification, section F, the spouse's column and rows. The spouse's fields they leave open are listed.
void TestPit36Zalaczniki::blokadaMalzonkaNaStrukturze() {
  QFile plik(QStringLiteral(VELMAR_SOURCE_DIR "/data/forms/pit36.txt"));
  QVERIFY(plik.open(QIODevice::ReadOnly));
  const formularze::Zrodlo zrodlo = formularze::WczytajZrodlo(plik.readAll().toStdString(), "pit36.txt");
  std::map<std::string, std::string> etykiety;
  for (const formularze::Strona& s : zrodlo.strony)
    for (const formularze::Element& e : s.elementy) etykiety[e.id] = e.etykieta;
  std::set<int> malzonka;
  for (const formularze::Pole& p : zrodlo.pola) {
    const std::string& wiersz = p.miejsce.wiersz;
    if (wiersz.rfind("C2", 0) == 0 || wiersz[0] == 'F' || etykiety[wiersz].rfind("Małżonek", 0) == 0 ||
        p.opis.ends_with("– małżonek") || p.indeks == 1 || p.indeks == 4 || p.indeks == 5)
      malzonka.insert(p.indeks);
  }

  p_->Rozliczenie({{Pit36, 0, 0}}, Indywidualne);
  p_->Pokaz(1);
  p_->Obiekty(static_cast<int>(zrodlo.pola.size()));
  ZablokujPolaDruku(p_->V());
  const QList<int> zablokowane = p_->Zablokowane();
  for (int k : zablokowane) QVERIFY2(malzonka.count(k) == 1, qPrintable(QStringLiteral("field %1").arg(k)));
  QList<int> otwarte;
  for (int k : malzonka)
    if (!zablokowane.contains(k)) otwarte << k;
  // The PIT/Z boxes, the totals, the amounts of the spouse's PIT/M and PIT/O, and the results.
  QCOMPARE(otwarte, (QList<int>{40, 42, 127, 128, 129, 130, 132, 134, 143, 145, 178, 201, 203}));
}

// New records made from the generated structures, computed through the dispatch.
void TestPit36Zalaczniki::naStrukturachFormularzy() {
  const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
  if (!QFile::exists(folder + QStringLiteral("dc/1.dcs"))) QSKIP("form structures not generated");
  p_.reset();
  p_ = std::make_unique<ProgramZObliczeniami>(folder);
  for (int rodzaj : {Indywidualne, WspolneZMalzonkiem, SamotnieWychowujacy}) {
    TTools& t = p_->T();
    t.PrzydzielDruki(8);
    for (const auto& [kod, rodzic, pm] : std::vector<std::array<int, 3>>{{Pit36, 0, 0},
                                                                         {PitO, 1, 0},
                                                                         {PitD, 1, 0},
                                                                         {PitB, 1, 1},
                                                                         {PitM, 1, 1},
                                                                         {SseA, 1, 0},
                                                                         {SseRA, 1, 0},
                                                                         {Nip3, 1, 1}})
      t.DodajDruk(kod, rodzic, pm, rodzaj);
    t.BudujDrzewo();
    for (int j = 1; j <= t.LiczbaDrukow; ++j) {
      p_->Pokaz(j);
      ::Oblicz(p_->V(), j);
    }
    p_->Ustaw(2, 12, "150,00");
    p_->Ustaw(3, 29, "80,00");
    p_->Ustaw(4, {{10, "30000,00"}, {11, "10000,00"}});
    p_->Ustaw(1, 45, "20000,00");
    for (int j : {2, 3, 4}) {
      p_->Pokaz(j);
      ::Oblicz(p_->V(), j);
    }
    // 20000 + 30000 - 10000 - 150 - 80 = 39770
    QCOMPARE(p_->Teksty(1, {53, 54, 86, 144, 146, 166, 302, 303, 305, 306, 310}),
             QStringLiteral("30000,00 10000,00 40000,00 150,00 80,00 39770,00 1 1 1 1 1"));
  }
}

VELMAR_TEST_MAIN(TestPit36Zalaczniki)
#include "tst_pit36_zalaczniki.moc"
