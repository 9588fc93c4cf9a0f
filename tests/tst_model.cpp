// The settlement model: the tree of chosen forms, adding and removing records, their values kept through it all; the
// identification data of both persons gone with the settlement.

#include <QTreeWidget>

#include "main/tools.h"
#include "model/plik_rozliczenia.h"
#include "support/pliki.h"
#include "support/program.h"
#include "support/test_main.h"

using namespace velmar_test;

class TstModel : public QObject {
  Q_OBJECT

 private slots:
  // The tree: main forms in bold, each attachment under its form marked with its person; a rebuild numbers the
  // records in order. A record takes its defaults from its form's structure (a box of a set format ticked), and one
  // whose structure is missing stays unloaded, to be filled once it is there.
  void treeAndDefaults() {
    FolderProgramu folder;
    TObiekt kratka = NowyObiekt(Checbox, 1, "grupa", "");
    kratka.Format = 1;
    folder.ZapiszDcs(Pit37, {NowyObiekt(Text, 1, "nip", ""), kratka});
    folder.ZapiszDcs(PitO, {NowyObiekt(Liczba, 1, "10", "0,00")});
    const auto okno = NoweOkno(folder);
    TTools& t = *okno;
    t.PrzydzielDruki(1);
    for (const auto& [pit, pm] : {std::pair{Pit37, PMWspolny}, {PitO, PMWspolny}, {PitB, PMMalzonek},
                                  {PitB, PMPodatnik}})
      t.DodajDruk(pit, pit == Pit37 ? 0 : 1, pm, Indywidualne);
    t.BudujDrzewo();
    QCOMPARE(t.TV->topLevelItemCount(), 1);
    QTreeWidgetItem* korzen = t.TV->topLevelItem(0);
    QStringList zalaczniki;
    for (int i = 0; i < korzen->childCount(); ++i) zalaczniki << korzen->child(i)->text(0);
    QCOMPARE(korzen->text(0), QStringLiteral("PIT-37"));
    QCOMPARE(zalaczniki, (QStringList{"PIT/O", "PIT/B (M)", "PIT/B (P)"}));
    QVERIFY(korzen->font(0).bold() && !korzen->child(0)->font(0).bold());
    QCOMPARE(t.Druki[3].Wezel, korzen->child(1));
    QCOMPARE(t.Druki[1].Pola[0].Zaznaczone, std::uint8_t{0});
    QCOMPARE(t.Druki[1].Pola[1].Zaznaczone, std::uint8_t{1});
    QCOMPARE(Tekst(t.Druki[1].Pola[1].Nazwa), std::string_view("grupa"));
    QCOMPARE(t.Druki[1].Pola[1].IdPit, int(Pit37));
    QCOMPARE(t.Druki[3].Wczytany, std::uint8_t{0});
  }

  void removeRenumbersParents() {
    FolderProgramu folder;
    folder.ZapiszDcs(Pit37, {NowyObiekt(Text, 1, "nip", ""), NowyObiekt(Liczba, 1, "10", "0,00")});
    const auto okno = NoweOkno(folder);
    TTools& t = *okno;
    t.PrzydzielDruki(1);
    for (const auto& [pit, rodzic, pm] : {std::array<int, 3>{Pit37, 0, PMWspolny}, {PitO, 1, PMWspolny},
                                          {Pit38, 0, PMPodatnik}, {PitZG, 3, PMPodatnik}})
      t.DodajDruk(pit, rodzic, pm, Indywidualne);
    t.BudujDrzewo();
    QCOMPARE(Tekst(t.Druki[1].Pola[1].Wartosc), std::string_view("0,00"));  // defaults filled once
    UstawBajty(t.Druki[1].Pola[1].Wartosc, "1234,56");
    UstawBajty(t.Druki[4].Pola[0].Wartosc, "x");
    t.UsunDruk(PitO, 1, PMWspolny);
    QCOMPARE(t.LiczbaDrukow, 3);
    QCOMPARE(t.Druki[3].IdParent, 2);  // follows its main form down
    QCOMPARE(Tekst(t.Druki[3].Pola[0].Wartosc), std::string_view("x"));
    t.BudujDrzewo();
    QCOMPARE(t.Druki[3].Id, 3);  // the record the view edits by this number
    QCOMPARE(t.TV->topLevelItem(1)->child(0)->text(0), QStringLiteral("PIT/ZG (P)"));
    QCOMPARE(Tekst(t.Druki[1].Pola[1].Wartosc), std::string_view("1234,56"));
    t.UsunDruk(Pit38, 0, PMPodatnik);  // a main form goes with its attachments
    t.UsunDruk(PitD, 1, PMWspolny);    // no such record
    QCOMPARE(t.LiczbaDrukow, 1);
    QCOMPARE(t.ZnajdzDrukWezla(t.TV->topLevelItem(0)).IdPit, int(Pit37));
    // Adding grows past what was allotted; a negative parent is refused.
    t.DodajDruk(PitO, -1, PMWspolny, Indywidualne);
    for (int i = 0; i < 60; ++i) t.DodajDruk(PitO, 1, PMWspolny, Indywidualne);
    QCOMPARE(t.LiczbaDrukow, 61);
    QCOMPARE(t.Druki[61].Id, 61);
    // A record added where a removed one was starts empty, with nothing of the one before.
    QCOMPARE(t.Druki[3].Wczytany, std::uint8_t{0});
    QCOMPARE(Tekst(t.Druki[3].Pola[0].Wartosc), std::string_view());
  }

  void nextSettlementStartsWithoutPersons_data() {
    QTest::addColumn<bool>("otworz");
    QTest::newRow("the settlement closed") << false;
    QTest::newRow("another one opened") << true;
  }
  // Whatever the last settlement held of the taxpayer or the spouse is gone from the next one: a settlement opened
  // with only the taxpayer's form takes nothing of the spouse from before.
  void nextSettlementStartsWithoutPersons() {
    QFETCH(bool, otworz);
    FolderProgramu folder;
    const auto okno = NoweOkno(folder);
    TTools& t = *okno;
    for (TOsoba& osoba : t.Osoby)
      for (int i = 0; i < 16; ++i) osoba.UstawPole(i, "x");
    if (otworz) {
      std::vector<TDruk> druki(2);
      druki[1].IdPit = Pit37;
      druki[1].Wczytany = 1;
      const QString plik = folder.Sciezka() + QStringLiteral("nowe.dc8");
      ZapiszPlik(plik, ZakodujRozliczenie(druki, 1));
      QVERIFY(t.OtworzRozliczenie(plik));
    } else {
      t.Zamknij1Click();
    }
    QStringList zostaly;
    for (int o = 0; o < 2; ++o)
      for (int i = 0; i < 16; ++i)
        if (!t.Osoby[o].Pole(i).empty()) zostaly << QStringLiteral("%1.%2").arg(o ? "spouse" : "taxpayer").arg(i);
    QVERIFY2(zostaly.isEmpty(), qPrintable(zostaly.join(QStringLiteral(", "))));
  }
};

VELMAR_TEST_MAIN(TstModel)
#include "tst_model.moc"
