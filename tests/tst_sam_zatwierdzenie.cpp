// The manual chooser's hand-over to the settlement and "dodaj/usuń druk": which records the confirmation makes,
// which values they keep, which form is shown afterwards, and what loading the current settlement ticks.

#include <QAction>

#include "tst_sam_wspolne.h"

using namespace velmar_test;

class TstSamZatwierdzenie : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZWyborem> p_;
  ProgramZWyborem& P() { return *p_; }
  TTools& T() { return p_->T(); }

  void Zatwierdz() {
    QVERIFY(P().S().Zatwierdzam->isEnabled());
    QTest::mouseClick(P().S().Zatwierdzam, Qt::LeftButton);
  }
  // The record on screen; its node is the one selected in the main window's tree.
  int Pokazany() {
    const int id = T().BiezacyDruk.Id;
    return T().TV->currentItem() == T().Druki[static_cast<std::size_t>(id)].Wezel ? id : -1;
  }

 private slots:
  void init() { p_ = std::make_unique<ProgramZWyborem>(); }
  void cleanup() { p_.reset(); }

  void aNewChoiceBecomesTheSettlement() {
    T().Osoby[0].UstawPole(0, "1112223344");
    P().NoweRozliczenie(Indywidualne);
    P().Zaznacz(P().Indeks(PitO, PMWspolny, Pit37));
    Zatwierdz();

    QCOMPARE(P().Opis(), (QStringList{"2/0<0 ", "6/0<2 "}));
    QCOMPARE(T().Druki[2].IdParent, 1);
    for (int i = 1; i <= 2; ++i) {
      const TDruk& d = T().Druki[i];
      QCOMPARE(d.Wczytany, std::uint8_t{1});
      QCOMPARE(d.Rodzaj, int(Indywidualne));
      QCOMPARE(Tekst(d.Pola[1].Wartosc), std::string_view("0,00"));  // the structure's default
      QCOMPARE(Tekst(d.Pola[0].Wartosc), std::string_view("1112223344"));  // the taxpayer's identification
    }
    QVERIFY(SkryptDialogow().pokazane.empty());
    QCOMPARE(Pokazany(), 2);
    QCOMPARE(T().NazwaRozliczenia, QStringLiteral("nowe_rozliczenie.dc8"));
    QCOMPARE(T().Zmodyfikowane, std::uint8_t{1});
    QVERIFY(T().ToolButtonSave->isEnabled());
    QVERIFY(!P().S().isVisible());
    QVERIFY(T().Kandydaci.empty());
    QCOMPARE(T().LiczbaKandydatow, 0);
    QCOMPARE(T().TV->topLevelItemCount(), 1);
    QVERIFY(WidocznaWPasku(T().Zmiana));
  }

  void theRecordShownAfterConfirmation_data() {
    QTest::addColumn<QList<int>>("glowne");
    QTest::addColumn<QList<int>>("zalaczniki");  // of PIT-36
    QTest::addColumn<QStringList>("rekordy");
    QTest::addColumn<int>("pokazany");
    // Records follow the candidate order, not the order of the ticks.
    QTest::newRow("main forms only") << QList<int>{Pit38, Pit36L} << QList<int>{}
                                     << QStringList{"3/0<0 ", "4/0<0 "} << 1;
    QTest::newRow("PIT/B with PIT/Z") << QList<int>{} << QList<int>{PitZ, PitB}
                                      << QStringList{"1/0<0 ", "10/0<1 ", "11/0<1 "} << 1;
    QTest::newRow("PIT/B alone") << QList<int>{} << QList<int>{PitB} << QStringList{"1/0<0 ", "10/0<1 "} << 2;
  }
  void theRecordShownAfterConfirmation() {
    QFETCH(QList<int>, glowne);
    QFETCH(QList<int>, zalaczniki);
    QFETCH(QStringList, rekordy);
    QFETCH(int, pokazany);
    P().NoweRozliczenie(Indywidualne);
    for (int typ : glowne) P().Zaznacz(P().Indeks(typ));
    for (int typ : zalaczniki) P().Zaznacz(P().Indeks(typ, PMWspolny, Pit36));
    Zatwierdz();
    QCOMPARE(P().Opis(), rekordy);
    QCOMPARE(Pokazany(), pokazany);
  }

  void loadingAndConfirmingKeepsEveryFormAndValue() {
    P().Rozliczenie({{Pit36, 0, PMWspolny, Indywidualne, "1000,00"},
                     {PitB, 1, PMWspolny, Indywidualne, "1,00"},
                     {Pit28, 0, PMWspolny, Indywidualne, "2800,00"},
                     {PitB, 1, PMWspolny, Indywidualne, "2,00"},
                     {PitO, 3, PMWspolny, Indywidualne, "28,00"},
                     {PitB, 1, PMWspolny, Indywidualne, "3,00"},
                     {PitD, 1, PMWspolny, Indywidualne, "4,00"}});
    T().PlikRozliczenia = QStringLiteral("/tmp/moje.dc8");
    T().NazwaRozliczenia = QStringLiteral("moje.dc8");

    T().Zmiana->click();
    QVERIFY(P().S().isVisible());
    QVERIFY(!P().S().RodzRozl->isEnabled());
    QCOMPARE(P().S().LiczbaWybranych(), 7);
    // Copy n of the PIT/B under PIT-36 carries the n-th record's values.
    const std::array<std::string_view, 3> wartosci = {"1,00", "2,00", "3,00"};
    for (int n = 1; n <= 3; ++n) {
      const int i = n == 1 ? P().Indeks(PitB, PMWspolny, Pit36) : 34 + n;
      QCOMPARE(P().K(i).NrKopii, n);
      QVERIFY(P().Zaznaczony(i));
      QCOMPARE(Tekst(P().K(i).Pola[ProgramZWyborem::kPoleTestu].Wartosc), wartosci[static_cast<std::size_t>(n - 1)]);
    }
    QVERIFY(SkryptDialogow().pokazane.empty());
    Zatwierdz();

    // The extra copies stand after every other record.
    QCOMPARE(P().Opis(), (QStringList{"1/0<0 1000,00", "7/0<1 4,00", "10/0<1 1,00", "5/0<0 2800,00", "6/0<5 28,00",
                                      "10/0<1 2,00", "10/0<1 3,00"}));
    QCOMPARE(T().NazwaRozliczenia, QStringLiteral("nowe_rozliczenie.dc8"));
    QCOMPARE(T().PlikRozliczenia, QStringLiteral("/tmp/moje.dc8"));
    QCOMPARE(T().Zmodyfikowane, std::uint8_t{1});
  }

  void addingAndDroppingFormsKeepsTheOthersValues() {
    // By hand: a PIT-37 with its PIT/O, a value filled in, and a second PIT/O as "dod. egz." adds it.
    P().NoweRozliczenie(Indywidualne);
    P().Zaznacz(P().Indeks(PitO, PMWspolny, Pit37));
    Zatwierdz();
    UstawBajty(T().Druki[1].Pola[ProgramZWyborem::kPoleTestu].Wartosc, "1234,56");
    T().DodajDruk(PitO, 1, PMWspolny, Indywidualne);
    T().BudujDrzewo();
    UstawBajty(T().Druki[3].Pola[ProgramZWyborem::kPoleTestu].Wartosc, "5,50");

    // "dodaj/usuń druk" adds a PIT/D, which gets its structure's defaults.
    T().Zmiana->click();
    QCOMPARE(T().LiczbaKandydatow, 36);
    P().Zaznacz(P().Indeks(PitD, PMWspolny, Pit37));
    Zatwierdz();
    QCOMPARE(P().Opis(), (QStringList{"2/0<0 1234,56", "6/0<2 ", "7/0<2 ", "6/0<2 5,50"}));
    QCOMPARE(T().Druki[3].Wczytany, std::uint8_t{1});
    QCOMPARE(Tekst(T().Druki[3].Pola[1].Nazwa), std::string_view("kwota"));

    // Dropping a form drops its values with it; the others stay.
    T().Zmiana->click();
    P().Odznacz(P().Indeks(PitD, PMWspolny, Pit37));
    Zatwierdz();
    QCOMPARE(P().Opis(), (QStringList{"2/0<0 1234,56", "6/0<2 ", "6/0<2 5,50"}));
  }

  void jointAttachmentsFindTheNewMainRecord() {
    P().Rozliczenie({{Pit38, 0, PMPodatnik, WspolneZMalzonkiem, "38,00"},
                     {Pit36, 0, PMWspolny, WspolneZMalzonkiem, "36,00"},
                     {PitB, 2, PMPodatnik, WspolneZMalzonkiem, "1,00"}});
    T().RodzajRozliczenia = Indywidualne;
    T().Zmiana->click();
    QCOMPARE(T().RodzajRozliczenia, int(WspolneZMalzonkiem));
    QCOMPARE(P().S().RodzRozl->ItemIndex(), int(WspolneZMalzonkiem));
    Zatwierdz();
    // PIT-36 now comes first, and the taxpayer's PIT/B follows it as its attachment.
    QCOMPARE(P().Opis(), (QStringList{"1/0<0 36,00", "10/1<1 1,00", "4/1<0 38,00"}));
    QCOMPARE(T().Druki[2].IdParent, 1);
    QCOMPARE(T().Druki[2].Rodzaj, int(WspolneZMalzonkiem));
  }

  void unplacedRecordsAreReported() {
    // A joint settlement has no PIT-36L: the record and its attachment cannot be placed.
    P().Rozliczenie({{Pit37, 0, PMWspolny, WspolneZMalzonkiem, "37,00"},
                     {Pit36L, 0, PMWspolny, WspolneZMalzonkiem},
                     {PitB, 2, PMPodatnik, WspolneZMalzonkiem}});
    T().Zmiana->click();
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});
    const platform::PokazaneOkno& okno = SkryptDialogow().pokazane.front();
    QCOMPARE(okno.tytul, QStringLiteral("UWAGA"));
    QCOMPARE(okno.ikona, platform::Ikona::Wykrzyknik);
    const QStringList wiersze = okno.tekst.split(QLatin1Char('\n'));
    QVERIFY(wiersze.contains(QStringLiteral("PIT-36L")));
    QVERIFY(wiersze.contains(QStringLiteral("PIT/B (Podatnik) do PIT-36L")));
    QVERIFY(!okno.tekst.contains(QStringLiteral("PIT-37")));
    QCOMPARE(P().S().LiczbaWybranych(), 1);
  }

  void everyOpeningStartsAFreshList() {
    // The button acts only on a settlement.
    T().Zmiana->click();
    QVERIFY(!P().S().isVisible());
    QCOMPARE(T().LiczbaKandydatow, 0);

    P().Rozliczenie({{Pit37, 0, PMWspolny, Indywidualne, "1,00"}, {PitO, 1, PMWspolny, Indywidualne, "2,00"}});
    T().Zmiana->click();
    P().Zaznacz(P().Indeks(PitD, PMWspolny, Pit37));
    P().Odznacz(P().Indeks(PitO, PMWspolny, Pit37));
    // Opened again while still open: the settlement's own forms, nothing from the first opening.
    T().Zmiana->click();
    QVERIFY(P().Wybrany(P().Indeks(PitO, PMWspolny, Pit37)));
    QVERIFY(!P().Wybrany(P().Indeks(PitD, PMWspolny, Pit37)));
    QCOMPARE(P().S().LiczbaWybranych(), 2);
    P().S().reject();
    T().Zmiana->click();
    QCOMPARE(P().S().LiczbaWybranych(), 2);
    // With nothing ticked there is nothing to confirm, and the kind of a current settlement stays locked.
    P().Odznacz(P().Indeks(Pit37));
    QCOMPARE(P().S().LiczbaWybranych(), 0);
    QVERIFY(!P().S().Zatwierdzam->isEnabled());
    QVERIFY(!P().S().RodzRozl->isEnabled());
  }
};

VELMAR_TEST_MAIN(TstSamZatwierdzenie)
#include "tst_sam_zatwierdzenie.moc"
