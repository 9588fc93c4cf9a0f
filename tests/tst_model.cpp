// The settlement model: finding, adding, removing records and the tree of chosen forms.

#include <QTreeWidget>
#include <QToolButton>

#include "main/tools.h"
#include "support/program.h"
#include "support/test_main.h"

using namespace velmar_test;

class TstModel : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<TTools> tools_;

  TTools& T() { return *tools_; }

 private slots:
  void init() {
    folder_ = std::make_unique<FolderProgramu>();
    TObiekt kwota = NowyObiekt(Liczba, 1, "10", "0,00");
    TObiekt pole = NowyObiekt(Checbox, 2, "grupa", "");
    pole.Format = 1;
    folder_->ZapiszDcs(Pit37, {NowyObiekt(Text, 1, "nip", ""), kwota, pole});
    folder_->ZapiszDcs(PitO, {kwota});
    tools_ = NoweOkno(*folder_);
  }
  void cleanup() {
    tools_.reset();
    folder_.reset();
  }

  void treeShowsMainFormsBoldWithAttachments() {
    T().PrzydzielDruki(49);
    T().DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
    T().DodajDruk(PitO, 1, PMWspolny, Indywidualne);
    T().DodajDruk(PitO, 1, PMWspolny, Indywidualne);
    T().DodajDruk(PitB, 1, PMMalzonek, Indywidualne);
    T().DodajDruk(PitB, 1, PMPodatnik, Indywidualne);
    T().BudujDrzewo();

    QCOMPARE(T().TV->topLevelItemCount(), 1);
    QTreeWidgetItem* korzen = T().TV->topLevelItem(0);
    QCOMPARE(korzen->text(0), QStringLiteral("PIT-37"));
    QVERIFY(korzen->font(0).bold());
    QCOMPARE(korzen->childCount(), 4);
    QCOMPARE(korzen->child(0)->text(0), QStringLiteral("PIT/O"));
    QCOMPARE(korzen->child(1)->text(0), QStringLiteral("PIT/O"));
    QCOMPARE(korzen->child(2)->text(0), QStringLiteral("PIT/B (M)"));
    QCOMPARE(korzen->child(3)->text(0), QStringLiteral("PIT/B (P)"));
    QVERIFY(!korzen->child(0)->font(0).bold());
    QVERIFY(korzen->isExpanded());
    for (int i = 1; i <= 5; ++i) QCOMPARE(T().Druki[i].Id, i);
    QCOMPARE(T().Druki[3].Wezel, korzen->child(1));
    QVERIFY(WidocznaWPasku(T().Zmiana));
  }

  void rebuildFillsDefaultsOnceAndKeepsValues() {
    T().PrzydzielDruki(2);
    T().DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
    T().DodajDruk(PitB, 1, PMPodatnik, Indywidualne);  // no structure file: stays unloaded
    T().BudujDrzewo();
    const TDruk& d = T().Druki[1];
    QCOMPARE(d.Wczytany, std::uint8_t{1});
    QCOMPARE(Tekst(d.Pola[1].Wartosc), std::string_view("0,00"));
    QCOMPARE(d.Pola[1].Typ, int(Liczba));
    QCOMPARE(d.Pola[1].IdPit, int(Pit37));
    QCOMPARE(d.Pola[2].Zaznaczone, std::uint8_t{1});  // Format != 0
    QCOMPARE(d.Pola[0].Zaznaczone, std::uint8_t{0});
    QCOMPARE(Tekst(d.Pola[2].Nazwa), std::string_view("grupa"));
    QCOMPARE(T().Druki[2].Wczytany, std::uint8_t{0});

    UstawBajty(T().Druki[1].Pola[1].Wartosc, "1234,56");
    T().BudujDrzewo();
    QCOMPARE(Tekst(T().Druki[1].Pola[1].Wartosc), std::string_view("1234,56"));
  }

  void findAndCount() {
    QCOMPARE(T().ZnajdzPierwszyZalacznik(), 0);
    T().PrzydzielDruki(3);
    T().DodajDruk(Pit37, 0, PMWspolny, WspolneZMalzonkiem);
    QCOMPARE(T().ZnajdzPierwszyZalacznik(), 1);
    T().DodajDruk(PitO, 1, PMPodatnik, WspolneZMalzonkiem);
    T().DodajDruk(PitO, 1, PMMalzonek, WspolneZMalzonkiem);
    QCOMPARE(T().ZnajdzPierwszyZalacznik(), 2);
    QCOMPARE(T().PoliczDruki(PitO, 1, -1), 2);
    QCOMPARE(T().PoliczDruki(PitO, 1, PMMalzonek), 1);
    QCOMPARE(T().PoliczDruki(PitO, 2, -1), 0);
    QCOMPARE(T().ZnajdzDrukRodzicPM(PitO, 1, PMMalzonek), 3);
    QCOMPARE(T().ZnajdzDrukPM(PitO, PMPodatnik), 2);
    QCOMPARE(T().ZnajdzDrukRodzic(PitO, 1), 2);
    QCOMPARE(T().ZnajdzDruk(PitD), -1);
    QCOMPARE(T().ZnajdzDrukRodzicPM(PitO, 0, PMMalzonek), -1);
  }

  void addGrowsAndRefusesNegativeParent() {
    T().DodajDruk(Pit37, -1, PMWspolny, Indywidualne);
    QCOMPARE(T().LiczbaDrukow, 0);
    T().PrzydzielDruki(1);
    for (int i = 0; i < 60; ++i) T().DodajDruk(i == 0 ? Pit37 : PitO, i == 0 ? 0 : 1, PMWspolny, Indywidualne);
    QCOMPARE(T().LiczbaDrukow, 60);
    QVERIFY(T().Druki.size() >= 61);
    QCOMPARE(T().Druki[60].Id, 60);
    QCOMPARE(T().Druki[60].Wczytany, std::uint8_t{0});
  }

  void removeMovesRecordsAndRenumbersParents() {
    T().PrzydzielDruki(6);
    T().DodajDruk(Pit37, 0, PMWspolny, Indywidualne);   // 1
    T().DodajDruk(PitO, 1, PMWspolny, Indywidualne);    // 2
    T().DodajDruk(Pit38, 0, PMPodatnik, Indywidualne);  // 3
    T().DodajDruk(PitZG, 3, PMPodatnik, Indywidualne);  // 4
    T().BudujDrzewo();
    UstawBajty(T().Druki[4].Pola[0].Wartosc, "x");

    T().UsunDruk(PitO, 1, PMWspolny);
    QCOMPARE(T().LiczbaDrukow, 3);
    QCOMPARE(T().Druki[3].IdPit, int(PitZG));
    QCOMPARE(T().Druki[3].IdParent, 2);  // follows its main form down
    QCOMPARE(Tekst(T().Druki[3].Pola[0].Wartosc), std::string_view("x"));
    T().BudujDrzewo();
    QCOMPARE(T().Druki[3].Id, 3);
    QCOMPARE(T().TV->topLevelItem(1)->child(0)->text(0), QStringLiteral("PIT/ZG (P)"));

    // A main form goes with its attachments.
    T().UsunDruk(Pit38, 0, PMPodatnik);
    QCOMPARE(T().LiczbaDrukow, 1);
    QCOMPARE(T().Druki[1].IdPit, int(Pit37));
    T().UsunDruk(PitD, 1, PMWspolny);  // no such record
    QCOMPARE(T().LiczbaDrukow, 1);
  }

  void brokenRecordsAreKeptAsRoots() {
    T().PrzydzielDruki(4);
    T().DodajDruk(PitO, 3, PMWspolny, Indywidualne);  // names a later record
    T().DodajDruk(99, 0, PMWspolny, Indywidualne);    // unknown type
    T().DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
    T().DodajDruk(PitO, 1, PMWspolny, Indywidualne);  // names an attachment
    T().BudujDrzewo();
    QCOMPARE(T().TV->topLevelItemCount(), 4);
    QCOMPARE(T().LiczbaDrukow, 4);
    QCOMPARE(T().TV->topLevelItem(1)->text(0), QStringLiteral("Nieznany druk (99)"));
    for (int i = 1; i <= 4; ++i) QVERIFY(T().Druki[i].Wezel);
    // No node of an earlier rebuild survives.
    T().UsunDruk(Pit37, 0, PMWspolny);
    T().BudujDrzewo();
    for (int i = 1; i <= T().LiczbaDrukow; ++i) QVERIFY(T().ZnajdzDrukWezla(T().Druki[i].Wezel).Id == i);
  }

  void nodeLookupAndClearing() {
    QCOMPARE(T().ZnajdzDrukWezla(nullptr).IdPit, -1);
    T().PrzydzielDruki(1);
    T().DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
    T().BudujDrzewo();
    QCOMPARE(T().ZnajdzDrukWezla(T().TV->topLevelItem(0)).IdPit, int(Pit37));
    QCOMPARE(T().ZnajdzDrukWezla(nullptr).Id, -1);

    T().WyczyscRozliczenie();
    QVERIFY(!T().MaDruki());
    QCOMPARE(T().LiczbaDrukow, 0);
    QCOMPARE(T().TV->topLevelItemCount(), 0);
    QVERIFY(!T().BiezacyDruk.Wezel);
    QVERIFY(!WidocznaWPasku(T().Zmiana));
    QVERIFY(!WidocznaWPasku(T().ZalAdd));
  }

  void clearingPersons() {
    T().Osoby[0].UstawPole(1, "Kowalski");
    T().Osoby[1].UstawPole(15, "x");
    T().Rozl.WyczyscOsoby();
    for (const TOsoba& o : T().Osoby)
      for (int i = 0; i < 16; ++i) QVERIFY(o.Pole(i).empty());
  }
};

VELMAR_TEST_MAIN(TstModel)
#include "tst_model.moc"
