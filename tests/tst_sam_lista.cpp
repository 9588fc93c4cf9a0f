// The manual chooser's candidate lists: sizes and order by settlement kind, the extra copies of multi-copy forms,
// the searches, and the texts and order of the tree's nodes.

#include <QLocale>

#include "tst_sam_wspolne.h"

using namespace velmar_test;

class TstSamLista : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZWyborem> p_;
  ProgramZWyborem& P() { return *p_; }

  QStringList Dzieci(QTreeWidgetItem* wezel) {
    QStringList teksty;
    for (int i = 0; i < wezel->childCount(); ++i) teksty << wezel->child(i)->text(0);
    return teksty;
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
    QCOMPARE(P().T().LiczbaKandydatow, liczba);
    QCOMPARE(P().T().DodatkoweKopie, 0);
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
      if (rodzaj != Indywidualne) {
        QVERIFY(k.IdPit != Pit36L);
        QVERIFY(k.IdPit != Pit28B);
      }
    }
    QCOMPARE(P().S().STV->topLevelItemCount(), korzenie);
    QCOMPARE(P().S().STV->currentItem(), P().W(1));
  }

  void candidatesStandWhereTheTablesPutThem() {
    P().NoweRozliczenie(Indywidualne);
    const auto typ = [this](int i) { return P().K(i).IdPit; };
    QCOMPARE(typ(1), int(Pit36));
    QCOMPARE(typ(6), int(PitB));
    QCOMPARE(typ(14), int(Pit36L));
    QCOMPARE(P().K(15).IdPit, int(PitB));
    QCOMPARE(P().K(15).IdParent, 14);
    QCOMPARE(typ(20), int(Pit37));
    QCOMPARE(typ(25), int(Pit38));
    QCOMPARE(typ(28), int(Pit28));
    QCOMPARE(typ(30), int(Pit28B));
    QCOMPARE(typ(31), int(PitO));
    QCOMPARE(typ(35), int(Nip3));
    QCOMPARE(P().K(35).IdParent, 28);

    P().S().RodzRozl->UstawItemIndex(WspolneZMalzonkiem);
    P().S().RodzRozlClick();
    // Each owner-bound attachment of PIT-36 comes first for the taxpayer, then for the spouse.
    QCOMPARE(P().K(5).IdPit, int(PitM));
    QCOMPARE(P().K(5).PM, int(PMPodatnik));
    QCOMPARE(P().K(6).PM, int(PMMalzonek));
    QCOMPARE(P().K(22).IdPit, int(Nip3));
    QCOMPARE(P().K(22).PM, int(PMMalzonek));
    QCOMPARE(P().K(23).IdPit, int(Pit37));
    QCOMPARE(P().K(28).PM, int(PMMalzonek));
    QCOMPARE(P().K(28).IdParent, 23);
    QCOMPARE(P().K(29).IdPit, int(Pit38));
    QCOMPARE(P().K(29).PM, int(PMPodatnik));
    QCOMPARE(P().K(33).IdParent, 32);
    QCOMPARE(P().K(33).PM, int(PMMalzonek));
    QCOMPARE(P().K(42).IdPit, int(Pit28));
    QCOMPARE(P().K(42).PM, int(PMMalzonek));
    QCOMPARE(P().K(48).IdParent, 42);

    P().S().RodzRozl->UstawItemIndex(SamotnieWychowujacy);
    P().S().RodzRozlClick();
    QCOMPARE(P().K(14).IdPit, int(Pit37));
    QCOMPARE(P().K(19).IdPit, int(Pit38));
    QCOMPARE(P().K(22).IdPit, int(Pit28));
    QCOMPARE(P().K(23).IdPit, int(Pit28A));
    QCOMPARE(P().K(24).IdPit, int(PitO));
  }

  void copiesOfTheSettlementGetCandidates() {
    TTools& t = P().T();
    t.PrzydzielDruki(8);
    P().Dodaj(Pit36, 0, PMWspolny, Indywidualne);   // 1
    P().Dodaj(PitB, 1, PMWspolny, Indywidualne);    // 2
    P().Dodaj(Pit36L, 0, PMWspolny, Indywidualne);  // 3
    P().Dodaj(PitB, 3, PMWspolny, Indywidualne);    // 4
    P().Dodaj(PitB, 1, PMWspolny, Indywidualne);    // 5
    P().Dodaj(PitB, 1, PMWspolny, Indywidualne);    // 6
    t.BudujDrzewo();
    t.Zmiana->click();

    QCOMPARE(t.DodatkoweKopie, 2);
    QCOMPARE(t.LiczbaKandydatow, 37);
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
    QCOMPARE(P().W(15)->text(0), QStringLiteral("PIT/B (1)"));
    QCOMPARE(P().W(15)->parent(), P().W(14));
    // Copies are matched in list order, so the three records tick copies 1, 2 and 3.
    for (int i : {1, 6, 14, 15, 36, 37}) QVERIFY2(P().Zaznaczony(i), qPrintable(QString::number(i)));
    QCOMPARE(P().S().LiczbaWybranych(), 6);
  }

  void copiesCountByMainFormTypeAndOwner() {
    TTools& t = P().T();
    t.PrzydzielDruki(6);
    P().Dodaj(Pit28, 0, PMWspolny, Indywidualne);
    P().Dodaj(PitO, 1, PMWspolny, Indywidualne);
    P().Dodaj(PitO, 1, PMWspolny, Indywidualne);
    P().Dodaj(Pit37, 0, PMWspolny, Indywidualne);
    P().Dodaj(PitO, 4, PMWspolny, Indywidualne);
    t.BudujDrzewo();
    QCOMPARE(P().S().PoliczDodatkoweKopie(PitO, Pit28, PMWspolny), 1);
    QCOMPARE(P().S().PoliczDodatkoweKopie(PitO, Pit37, PMWspolny), 0);
    QCOMPARE(P().S().PoliczDodatkoweKopie(PitO, Pit36, PMWspolny), 0);
    t.Zmiana->click();
    QCOMPARE(t.DodatkoweKopie, 1);
    QCOMPARE(t.LiczbaKandydatow, 36);
    QCOMPARE(P().K(31).NrKopii, 1);
    QCOMPARE(P().K(36).NrKopii, 2);
    QCOMPARE(P().K(36).IdParent, 28);

    // Joint: the taxpayer's PIT/ZG under PIT-36 and under the taxpayer's PIT-38 are one copy each.
    t.WyczyscRozliczenie();
    t.PrzydzielDruki(4);
    P().Dodaj(Pit36, 0, PMWspolny, WspolneZMalzonkiem);
    P().Dodaj(PitZG, 1, PMPodatnik, WspolneZMalzonkiem);
    P().Dodaj(Pit38, 0, PMPodatnik, WspolneZMalzonkiem);
    P().Dodaj(PitZG, 3, PMPodatnik, WspolneZMalzonkiem);
    t.BudujDrzewo();
    P().S().reject();
    t.Zmiana->click();
    QCOMPARE(t.RodzajRozliczenia, int(WspolneZMalzonkiem));
    QCOMPARE(t.DodatkoweKopie, 0);
    QCOMPARE(t.LiczbaKandydatow, 48);
    QCOMPARE(P().S().LiczbaWybranych(), 4);
    QCOMPARE(P().W(P().Indeks(PitZG, PMPodatnik, Pit38, PMPodatnik))->text(0), QStringLiteral("PIT/ZG (Podatnik) (1)"));
  }

  void aSingleCopyIsStillNumbered() {
    TTools& t = P().T();
    t.PrzydzielDruki(2);
    P().Dodaj(Pit36, 0, PMWspolny, Indywidualne);
    P().Dodaj(PitB, 1, PMWspolny, Indywidualne);
    t.BudujDrzewo();
    t.Zmiana->click();
    QCOMPARE(t.LiczbaKandydatow, 35);
    QCOMPARE(P().W(6)->text(0), QStringLiteral("PIT/B (1)"));
    // Forms of one copy only carry no number.
    QCOMPARE(P().W(7)->text(0), QStringLiteral("PIT/Z"));
  }

  void searchesFindTheLowestFreeCopy() {
    // No list yet.
    QCOMPARE(P().S().ZnajdzKandydata(Pit36, 0, 0), -1);
    QCOMPARE(P().S().ZnajdzWolnegoKandydata(Pit36, 0, 0), -1);
    QCOMPARE(P().S().ZnajdzWybranegoKandydata(Pit36), -1);
    QCOMPARE(P().S().ZnajdzWybranegoKandydataPM(Pit36, 0), -1);
    QCOMPARE(P().S().LiczbaWybranych(), 0);
    const TDruk brak = P().S().ZnajdzKandydataWezla(nullptr);
    QCOMPARE(brak.Id, -1);
    QCOMPARE(brak.IdPit, -1);
    QVERIFY(!brak.Wezel);

    TTools& t = P().T();
    t.PrzydzielDruki(4);
    P().Dodaj(Pit36, 0, PMWspolny, Indywidualne);
    for (int i = 0; i < 3; ++i) P().Dodaj(PitO, 1, PMWspolny, Indywidualne);
    t.BudujDrzewo();
    t.Zmiana->click();
    // The chooser took the three PIT/O already: undo that to walk the copies from the start.
    for (int i = 1; i <= t.LiczbaKandydatow; ++i) P().K(i).Wybrany = 0;
    const int pierwszy = P().S().ZnajdzWolnegoKandydata(PitO, 1, PMWspolny);
    QCOMPARE(pierwszy, 2);
    P().K(pierwszy).Wybrany = 1;
    QCOMPARE(P().S().ZnajdzWolnegoKandydata(PitO, 1, PMWspolny), 36);
    P().K(36).Wybrany = 1;
    QCOMPARE(P().S().ZnajdzWolnegoKandydata(PitO, 1, PMWspolny), 37);
    P().K(37).Wybrany = 1;
    QCOMPARE(P().S().ZnajdzWolnegoKandydata(PitO, 1, PMWspolny), -1);
    QCOMPARE(P().S().ZnajdzWybranegoKandydata(PitO), 2);
    QCOMPARE(P().S().ZnajdzWybranegoKandydataPM(PitO, PMPodatnik), -1);
    QCOMPARE(P().S().ZnajdzKandydataWezla(P().W(36)).NrKopii, 2);
    // A node that is no candidate's.
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
    // Owner pictures: the spouse's PIT-38 differs from the taxpayer's only by its image.
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
    // Polish letters with diacritics are letters of their own, after the plain ones.
    QVERIFY(PorownajTekstyWezlow(QStringLiteral("zebra"), QStringLiteral("żaba")) < 0);
    QVERIFY(PorownajTekstyWezlow(QStringLiteral("cyrk"), QStringLiteral("ćma")) < 0);
    QVERIFY(PorownajTekstyWezlow(QStringLiteral("Lublin"), QStringLiteral("Łódź")) < 0);
    QVERIFY(PorownajTekstyWezlow(QStringLiteral("Łódź"), QStringLiteral("Mława")) < 0);
    // Copy numbers compare by value.
    QVERIFY(PorownajTekstyWezlow(QStringLiteral("PIT/B (9)"), QStringLiteral("PIT/B (10)")) < 0);
    QCOMPARE(PorownajTekstyWezlow(QStringLiteral("PIT/B (2)"), QStringLiteral("PIT/B (2)")), 0);
    QLocale::setDefault(bylo);
  }

  void twelveCopiesStayInNumberOrder() {
    TTools& t = P().T();
    t.PrzydzielDruki(13);
    P().Dodaj(Pit36, 0, PMWspolny, Indywidualne);
    for (int i = 0; i < 12; ++i) P().Dodaj(PitZG, 1, PMWspolny, Indywidualne);
    t.BudujDrzewo();
    t.Zmiana->click();
    QCOMPARE(t.LiczbaKandydatow, 46);
    const QStringList dzieci = Dzieci(P().W(1));
    const int pierwsza = static_cast<int>(dzieci.indexOf(QStringLiteral("PIT/ZG (1)")));
    QVERIFY(pierwsza >= 0);
    for (int n = 1; n <= 12; ++n) QCOMPARE(dzieci.at(pierwsza + n - 1), QStringLiteral("PIT/ZG (%1)").arg(n));
  }
};

VELMAR_TEST_MAIN(TstSamLista)
#include "tst_sam_lista.moc"
