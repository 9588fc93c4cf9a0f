// The manual chooser's candidate lists: sizes and order by settlement kind, the extra copies of multi-copy forms,
// the searches, and the texts and order of the tree's nodes.

#include <QLocale>

#include "tst_sam_wspolne.h"

using namespace velmar_test;

class TstSamLista : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZWyborem> p_;
  ProgramZWyborem& P() { return *p_; }
  TTools& T() { return p_->T(); }

  static QStringList Dzieci(QTreeWidgetItem* wezel) {
    QStringList teksty;
    for (int i = 0; i < wezel->childCount(); ++i) teksty << wezel->child(i)->text(0);
    return teksty;
  }
  // Candidates by position: type, owner and main-form position.
  void Pozycje(std::initializer_list<std::array<int, 4>> oczekiwane) {
    for (const auto& [i, typ, pm, rodzic] : oczekiwane) {
      QCOMPARE(P().K(i).IdPit, typ);
      QCOMPARE(P().K(i).PM, pm);
      QCOMPARE(P().K(i).IdParent, rodzic);
    }
  }

 private slots:
  void init() { p_ = std::make_unique<ProgramZWyborem>(); }
  void cleanup() { p_.reset(); }

  void newSettlementListsHoldTheirTables_data() {
    QTest::addColumn<int>("rodzaj");
    QTest::addColumn<int>("liczba");
    QTest::newRow("individual") << int(Indywidualne) << 35;
    QTest::newRow("joint") << int(WspolneZMalzonkiem) << 48;
    QTest::newRow("single parent") << int(SamotnieWychowujacy) << 28;
  }
  void newSettlementListsHoldTheirTables() {
    QFETCH(int, rodzaj);
    QFETCH(int, liczba);
    P().NoweRozliczenie(rodzaj);
    QCOMPARE(T().LiczbaKandydatow, liczba);
    QCOMPARE(T().DodatkoweKopie, 0);
    QCOMPARE(P().S().LiczbaWybranych(), 0);
    QVERIFY(!P().S().Zatwierdzam->isEnabled());
    QCOMPARE(P().S().RodzRozl->ItemIndex(), rodzaj);

    int korzenie = 0;
    for (int i = 1; i <= liczba; ++i) {
      const TDruk& k = P().K(i);
      QVERIFY(k.IdPit > 0);
      QCOMPARE(k.Id, i);
      QVERIFY(k.Wezel);
      QCOMPARE(k.Wezel->checkState(0), Qt::Unchecked);
      if (k.IdParent == 0) {
        ++korzenie;
        QVERIFY(JestDrukiemGlownym(k.IdPit));
        QCOMPARE(P().S().ZnajdzKandydata(k.IdPit, 0, k.PM), i);  // unique by type and owner
        QCOMPARE(k.Wezel->parent(), nullptr);
        QVERIFY(k.Wezel->font(0).bold());
      } else {
        QVERIFY(k.IdParent < i);
        QCOMPARE(P().K(k.IdParent).IdParent, 0);
        QCOMPARE(k.Wezel->parent(), P().W(k.IdParent));
        QVERIFY(!k.Wezel->font(0).bold());
      }
      if (rodzaj != WspolneZMalzonkiem) QCOMPARE(k.PM, int(PMWspolny));
      if (rodzaj != Indywidualne) QVERIFY(k.IdPit != Pit36L && k.IdPit != Pit28B);
    }
    QCOMPARE(P().S().STV->topLevelItemCount(), korzenie);
    QCOMPARE(P().S().STV->currentItem(), P().W(1));
  }

  void jointAttachmentsComeForTheTaxpayerThenTheSpouse() {
    P().NoweRozliczenie(WspolneZMalzonkiem);
    Pozycje({{5, PitM, PMPodatnik, 1}, {6, PitM, PMMalzonek, 1}, {22, Nip3, PMMalzonek, 1}, {23, Pit37, 0, 0},
             {28, Nip3, PMMalzonek, 23}, {29, Pit38, PMPodatnik, 0}, {33, PitZG, PMMalzonek, 32},
             {42, Pit28, PMMalzonek, 0}, {48, Nip3, PMMalzonek, 42}});
  }

  void copiesOfTheSettlementGetCandidates() {
    P().Rozliczenie({{Pit36, 0, PMWspolny, Indywidualne},
                     {PitB, 1, PMWspolny, Indywidualne},
                     {Pit36L, 0, PMWspolny, Indywidualne},
                     {PitB, 3, PMWspolny, Indywidualne},
                     {PitB, 1, PMWspolny, Indywidualne},
                     {PitB, 1, PMWspolny, Indywidualne}});
    T().Zmiana->click();

    QCOMPARE(T().DodatkoweKopie, 2);
    QCOMPARE(T().LiczbaKandydatow, 37);
    QCOMPARE(P().K(6).NrKopii, 1);
    QCOMPARE(P().K(15).NrKopii, 1);
    for (int i : {36, 37}) {
      QCOMPARE(P().K(i).IdPit, int(PitB));
      QCOMPARE(P().K(i).IdParent, 1);
      QCOMPARE(P().K(i).NrKopii, i - 34);
      QCOMPARE(P().K(i).Wezel->parent(), P().W(1));
    }
    QCOMPARE(P().W(6)->text(0), QStringLiteral("PIT/B (1)"));
    QCOMPARE(P().W(36)->text(0), QStringLiteral("PIT/B (2)"));
    QCOMPARE(P().W(37)->text(0), QStringLiteral("PIT/B (3)"));
    QCOMPARE(P().W(15)->text(0), QStringLiteral("PIT/B (1)"));  // a single copy is still numbered
    QCOMPARE(P().W(15)->parent(), P().W(14));
    QCOMPARE(P().W(7)->text(0), QStringLiteral("PIT/Z"));  // a one-copy form carries no number
    // Copies are matched in list order, so the three records tick copies 1, 2 and 3.
    for (int i : {1, 6, 14, 15, 36, 37}) QVERIFY2(P().Zaznaczony(i), qPrintable(QString::number(i)));
    QCOMPARE(P().S().LiczbaWybranych(), 6);
  }

  void copiesCountByMainFormTypeAndOwner() {
    P().Rozliczenie({{Pit28, 0, PMWspolny, Indywidualne},
                     {PitO, 1, PMWspolny, Indywidualne},
                     {PitO, 1, PMWspolny, Indywidualne},
                     {Pit37, 0, PMWspolny, Indywidualne},
                     {PitO, 4, PMWspolny, Indywidualne}});
    QCOMPARE(P().S().PoliczDodatkoweKopie(PitO, Pit28, PMWspolny), 1);
    QCOMPARE(P().S().PoliczDodatkoweKopie(PitO, Pit37, PMWspolny), 0);
    QCOMPARE(P().S().PoliczDodatkoweKopie(PitO, Pit36, PMWspolny), 0);
    T().Zmiana->click();
    QCOMPARE(T().LiczbaKandydatow, 36);
    QCOMPARE(P().K(36).NrKopii, 2);
    QCOMPARE(P().K(36).IdParent, 28);

    // Joint: the taxpayer's PIT/ZG under PIT-36 and under the taxpayer's PIT-38 are one copy each.
    T().WyczyscRozliczenie();
    P().Rozliczenie({{Pit36, 0, PMWspolny, WspolneZMalzonkiem},
                     {PitZG, 1, PMPodatnik, WspolneZMalzonkiem},
                     {Pit38, 0, PMPodatnik, WspolneZMalzonkiem},
                     {PitZG, 3, PMPodatnik, WspolneZMalzonkiem}});
    P().S().reject();
    T().Zmiana->click();
    QCOMPARE(T().RodzajRozliczenia, int(WspolneZMalzonkiem));
    QCOMPARE(T().LiczbaKandydatow, 48);
    QCOMPARE(P().S().LiczbaWybranych(), 4);
    QCOMPARE(P().W(P().Indeks(PitZG, PMPodatnik, Pit38, PMPodatnik))->text(0), QStringLiteral("PIT/ZG (Podatnik) (1)"));
  }

  void searchesFindTheLowestFreeCopy() {
    // No list yet, and a node that is no candidate's.
    QCOMPARE(P().S().ZnajdzKandydata(Pit36, 0, 0), -1);
    QCOMPARE(P().S().ZnajdzWolnegoKandydata(Pit36, 0, 0), -1);
    QCOMPARE(P().S().ZnajdzWybranegoKandydata(Pit36), -1);
    const TDruk brak = P().S().ZnajdzKandydataWezla(nullptr);
    QCOMPARE(brak.Id, -1);
    QVERIFY(!brak.Wezel);

    P().Rozliczenie({{Pit36, 0, PMWspolny, Indywidualne},
                     {PitO, 1, PMWspolny, Indywidualne},
                     {PitO, 1, PMWspolny, Indywidualne},
                     {PitO, 1, PMWspolny, Indywidualne}});
    T().Zmiana->click();
    // The chooser took the three PIT/O already: undo that to walk the copies from the start.
    for (int i = 1; i <= T().LiczbaKandydatow; ++i) P().K(i).Wybrany = 0;
    for (int wolny : {2, 36, 37}) {
      QCOMPARE(P().S().ZnajdzWolnegoKandydata(PitO, 1, PMWspolny), wolny);
      P().K(wolny).Wybrany = 1;
    }
    QCOMPARE(P().S().ZnajdzWolnegoKandydata(PitO, 1, PMWspolny), -1);
    QCOMPARE(P().S().ZnajdzWybranegoKandydata(PitO), 2);
    QCOMPARE(P().S().ZnajdzWybranegoKandydataPM(PitO, PMPodatnik), -1);
    QCOMPARE(P().S().ZnajdzKandydataWezla(P().W(36)).NrKopii, 2);
    QTreeWidgetItem obcy;
    QCOMPARE(P().S().ZnajdzKandydataWezla(&obcy).Id, -1);
  }

  void jointNodesNameTheirOwners() {
    P().NoweRozliczenie(WspolneZMalzonkiem);
    QCOMPARE(P().W(29)->text(0), QStringLiteral("PIT-38"));
    QCOMPARE(P().W(32)->text(0), QStringLiteral("PIT-38"));
    QCOMPARE(P().W(P().Indeks(PitB, PMPodatnik, Pit36))->text(0), QStringLiteral("PIT/B (Podatnik) (1)"));
    QCOMPARE(P().W(P().Indeks(Nip1, PMMalzonek, Pit36))->text(0), QStringLiteral("NIP-1 (Małżonek)"));
    QCOMPARE(P().W(P().Indeks(PitO, PMWspolny, Pit37))->text(0), QStringLiteral("PIT/O (1)"));
    // The spouse's PIT-38 differs from the taxpayer's only by its owner picture.
    QVERIFY(P().W(29)->icon(0).cacheKey() != P().W(32)->icon(0).cacheKey());
  }

  void siblingsFollowPolishOrder() {
    P().NoweRozliczenie(Indywidualne);
    QCOMPARE(Dzieci(P().W(1)), (QStringList{"NIP-1", "NIP-3", "PIT/2K", "PIT/B (1)", "PIT/D", "PIT/M", "PIT/O (1)",
                                            "PIT/Z", "PIT/ZG (1)", "SSE-R", "SSE-R/A", "SSE/A"}));
    QCOMPARE(Dzieci(P().W(28)),
             (QStringList{"NIP-1", "NIP-3", "PIT-28/A", "PIT-28/B (1)", "PIT/2K", "PIT/D", "PIT/O (1)"}));
    QVERIFY(P().W(1)->isExpanded());
  }

  void collationIsPolishWhateverTheProcessLocale() {
    const QLocale bylo;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // Letters with diacritics are letters of their own, after the plain ones; copy numbers compare by value.
    QVERIFY(PorownajTekstyWezlow(QStringLiteral("zebra"), QStringLiteral("żaba")) < 0);
    QVERIFY(PorownajTekstyWezlow(QStringLiteral("cyrk"), QStringLiteral("ćma")) < 0);
    QVERIFY(PorownajTekstyWezlow(QStringLiteral("Lublin"), QStringLiteral("Łódź")) < 0);
    QVERIFY(PorownajTekstyWezlow(QStringLiteral("Łódź"), QStringLiteral("Mława")) < 0);
    QVERIFY(PorownajTekstyWezlow(QStringLiteral("PIT/B (9)"), QStringLiteral("PIT/B (10)")) < 0);
    QCOMPARE(PorownajTekstyWezlow(QStringLiteral("PIT/B (2)"), QStringLiteral("PIT/B (2)")), 0);
    QLocale::setDefault(bylo);
  }

  void twelveCopiesStayInNumberOrder() {
    T().PrzydzielDruki(13);
    P().Dodaj(Pit36, 0, PMWspolny, Indywidualne);
    for (int i = 0; i < 12; ++i) P().Dodaj(PitZG, 1, PMWspolny, Indywidualne);
    T().BudujDrzewo();
    T().Zmiana->click();
    QCOMPARE(T().LiczbaKandydatow, 46);
    const QStringList dzieci = Dzieci(P().W(1));
    const int pierwsza = static_cast<int>(dzieci.indexOf(QStringLiteral("PIT/ZG (1)")));
    QVERIFY(pierwsza >= 0);
    for (int n = 1; n <= 12; ++n) QCOMPARE(dzieci.at(pierwsza + n - 1), QStringLiteral("PIT/ZG (%1)").arg(n));
  }
};

VELMAR_TEST_MAIN(TstSamLista)
#include "tst_sam_lista.moc"
