// The settlement model: finding, adding, removing records and the tree of chosen forms.

#include <QTreeWidget>

#include "main/tools.h"
#include "support/program.h"
#include "support/test_main.h"

using namespace velmar_test;

class TstModel : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<TTools> tools_;
  TTools& T() { return *tools_; }

  // Records as (form, parent, person), numbered from 1 in this order.
  void Druki(std::initializer_list<std::array<int, 3>> druki) {
    T().PrzydzielDruki(1);
    for (const auto& [pit, rodzic, pm] : druki) T().DodajDruk(pit, rodzic, pm, Indywidualne);
    T().BudujDrzewo();
  }
  QString Wezel(int korzen, int dziecko = -1) {
    const QTreeWidgetItem* w = T().TV->topLevelItem(korzen);
    return dziecko < 0 ? w->text(0) : w->child(dziecko)->text(0);
  }

 private slots:
  void init() {
    folder_ = std::make_unique<FolderProgramu>();
    TObiekt kwota = NowyObiekt(Liczba, 1, "10", "0,00");
    TObiekt pole = NowyObiekt(Checbox, 2, "grupa", "");
    pole.Format = 1;
    folder_->ZapiszDcs(Pit37, {NowyObiekt(Text, 1, "nip", ""), kwota, pole});
    tools_ = NoweOkno(*folder_);
  }
  void cleanup() {
    tools_.reset();
    folder_.reset();
  }

  // Main forms bold with their attachments below; a structure read fills defaults once and keeps values after.
  void treeAndDefaults() {
    Druki({{Pit37, 0, PMWspolny}, {PitO, 1, PMWspolny}, {PitB, 1, PMMalzonek}, {PitB, 1, PMPodatnik}});
    QCOMPARE(T().TV->topLevelItemCount(), 1);
    QVERIFY(T().TV->topLevelItem(0)->font(0).bold() && !T().TV->topLevelItem(0)->child(0)->font(0).bold());
    QCOMPARE(QStringList({Wezel(0), Wezel(0, 0), Wezel(0, 1), Wezel(0, 2)}),
             QStringList({"PIT-37", "PIT/O", "PIT/B (M)", "PIT/B (P)"}));
    for (int i = 1; i <= 4; ++i) QCOMPARE(T().Druki[i].Id, i);
    QCOMPARE(T().Druki[3].Wezel, T().TV->topLevelItem(0)->child(1));
    const TDruk& d = T().Druki[1];
    QCOMPARE(d.Wczytany, std::uint8_t{1});
    QCOMPARE(Tekst(d.Pola[1].Wartosc), std::string_view("0,00"));
    QCOMPARE(d.Pola[1].IdPit, int(Pit37));
    QCOMPARE(d.Pola[2].Zaznaczone, std::uint8_t{1});  // Format != 0
    QCOMPARE(d.Pola[0].Zaznaczone, std::uint8_t{0});
    QCOMPARE(T().Druki[2].Wczytany, std::uint8_t{0});  // no structure file
    UstawBajty(T().Druki[1].Pola[1].Wartosc, "1234,56");
    T().BudujDrzewo();
    QCOMPARE(Tekst(T().Druki[1].Pola[1].Wartosc), std::string_view("1234,56"));
  }

  void removeRenumbersParents() {
    Druki({{Pit37, 0, PMWspolny}, {PitO, 1, PMWspolny}, {Pit38, 0, PMPodatnik}, {PitZG, 3, PMPodatnik}});
    UstawBajty(T().Druki[4].Pola[0].Wartosc, "x");
    T().UsunDruk(PitO, 1, PMWspolny);
    QCOMPARE(T().LiczbaDrukow, 3);
    QCOMPARE(T().Druki[3].IdParent, 2);  // follows its main form down
    QCOMPARE(Tekst(T().Druki[3].Pola[0].Wartosc), std::string_view("x"));
    T().BudujDrzewo();
    QCOMPARE(Wezel(1, 0), QStringLiteral("PIT/ZG (P)"));
    T().UsunDruk(Pit38, 0, PMPodatnik);  // a main form goes with its attachments
    T().UsunDruk(PitD, 1, PMWspolny);    // no such record
    QCOMPARE(T().LiczbaDrukow, 1);
    QCOMPARE(T().Druki[1].IdPit, int(Pit37));
    QCOMPARE(T().ZnajdzDrukWezla(T().TV->topLevelItem(0)).IdPit, int(Pit37));
    // Adding grows past what was allotted; a negative parent is refused.
    T().DodajDruk(PitO, -1, PMWspolny, Indywidualne);
    for (int i = 0; i < 60; ++i) T().DodajDruk(PitO, 1, PMWspolny, Indywidualne);
    QCOMPARE(T().LiczbaDrukow, 61);
    QCOMPARE(T().Druki[61].Id, 61);
  }
};

VELMAR_TEST_MAIN(TstModel)
#include "tst_model.moc"
