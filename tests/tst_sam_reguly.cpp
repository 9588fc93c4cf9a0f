// The manual chooser's tree: ticks and unticks between attachments and main forms, the exclusion rules of each
// settlement kind with their messages, the buttons that follow the selection, the kind group and leaving.

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTextEdit>

#include "selection/kreator.h"
#include "tst_sam_wspolne.h"

using namespace velmar_test;

class TstSamReguly : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZWyborem> p_;
  ProgramZWyborem& P() { return *p_; }

  QStringList Komunikaty() { return SkryptDialogow().Teksty(); }

  // Ticks a candidate and expects the given refusal; it ends unticked and not selected.
  void Odmowa(int i, const QString& tekst) {
    SkryptDialogow().pokazane.clear();
    P().Zaznacz(i);
    QCOMPARE(Komunikaty(), QStringList{tekst});
    QVERIFY(!P().Zaznaczony(i));
    QVERIFY(!P().Wybrany(i));
  }

 private slots:
  void init() { p_ = std::make_unique<ProgramZWyborem>(); }
  void cleanup() { p_.reset(); }

  void tickingAnAttachmentTicksItsMainForm() {
    P().NoweRozliczenie(Indywidualne);
    const int pit37 = P().Indeks(Pit37), pitO = P().Indeks(PitO, PMWspolny, Pit37);
    QVERIFY(P().S().RodzRozl->isEnabled());
    P().Zaznacz(pitO);
    QVERIFY(P().Zaznaczony(pit37));
    QVERIFY(P().Wybrany(pit37));
    QVERIFY(P().Wybrany(pitO));
    QCOMPARE(P().S().LiczbaWybranych(), 2);
    QVERIFY(P().S().Zatwierdzam->isEnabled());
    QVERIFY(!P().S().RodzRozl->isEnabled());
    QCOMPARE(P().T().KandydatKlikniety.Id, pitO);
    QVERIFY(Komunikaty().isEmpty());

    // Unticking the attachment leaves the main form.
    P().Odznacz(pitO);
    QVERIFY(!P().Wybrany(pitO));
    QVERIFY(P().Wybrany(pit37));
    QVERIFY(P().Zaznaczony(pit37));
    QVERIFY(P().S().Zatwierdzam->isEnabled());

    // Unticking the main form takes every attachment with it.
    const int pitD = P().Indeks(PitD, PMWspolny, Pit37);
    P().Zaznacz(pitO);
    P().Zaznacz(pitD);
    P().Zaznacz(P().Indeks(Pit28));
    P().Odznacz(pit37);
    for (int i : {pit37, pitO, pitD}) {
      QVERIFY(!P().Wybrany(i));
      QVERIFY(!P().Zaznaczony(i));
    }
    QCOMPARE(P().S().LiczbaWybranych(), 1);

    // Nothing left: the kind may change again and there is nothing to confirm.
    P().Odznacz(P().Indeks(Pit28));
    QCOMPARE(P().S().LiczbaWybranych(), 0);
    QVERIFY(!P().S().Zatwierdzam->isEnabled());
    QVERIFY(P().S().RodzRozl->isEnabled());
  }

  void theSpaceKeyActsAsAPress() {
    P().NoweRozliczenie(Indywidualne);
    const int pitZG = P().Indeks(PitZG, PMWspolny, Pit38);
    P().S().STV->setCurrentItem(P().W(pitZG));
    QTest::keyClick(P().S().STV, Qt::Key_Space);
    QVERIFY(P().Zaznaczony(pitZG));
    QVERIFY(P().Wybrany(pitZG));
    QVERIFY(P().Wybrany(P().Indeks(Pit38)));
    QVERIFY(P().S().Zatwierdzam->isEnabled());
  }

  void pit37AfterPit36IsRefused() {
    P().NoweRozliczenie(Indywidualne);
    const int pit36 = P().Indeks(Pit36), pit37 = P().Indeks(Pit37);
    P().Zaznacz(P().Indeks(PitM, PMWspolny, Pit36));
    Odmowa(pit37,
           QStringLiteral("UWAGA!\nNie można załączyć druku:PIT-37, ponieważ został wybrany wcześniej druk Pit-36."));
    QVERIFY(P().Wybrany(pit36));
    QVERIFY(P().Zaznaczony(pit36));
    QCOMPARE(P().S().LiczbaWybranych(), 2);

    // An attachment of PIT-37 names its main form; the main form is not ticked by a refused attachment.
    const int pitO = P().Indeks(PitO, PMWspolny, Pit37);
    Odmowa(pitO, QStringLiteral("UWAGA!\nNie można załączyć druku:PIT/O do PIT-37, ponieważ został wybrany wcześniej "
                                "druk Pit-36."));
    QVERIFY(!P().Zaznaczony(pit37));
    QVERIFY(!P().Wybrany(pit37));
  }

  void pit36AfterPit37DropsTheWholePit36Branch() {
    P().NoweRozliczenie(SamotnieWychowujacy);
    const int pit36 = P().Indeks(Pit36), pit37 = P().Indeks(Pit37);
    P().Zaznacz(P().Indeks(PitO, PMWspolny, Pit37));
    Odmowa(P().Indeks(PitM, PMWspolny, Pit36),
           QStringLiteral("UWAGA!\nNie można załączyć druku:PIT/M do PIT-36, ponieważ został wybrany wcześniej druk "
                          "Pit-37."));
    QVERIFY(!P().Wybrany(pit36));
    QVERIFY(!P().Zaznaczony(pit36));
    QVERIFY(P().Wybrany(pit37));

    Odmowa(pit36,
           QStringLiteral("UWAGA!\nNie można załączyć druku:PIT-36, ponieważ został wybrany wcześniej druk Pit-37."));
    for (int i = 1; i <= P().T().LiczbaKandydatow; ++i)
      if (P().K(i).IdParent == pit36) QVERIFY(!P().Zaznaczony(i));
  }

  void individualAttachmentsOnceInTheSettlement_data() {
    QTest::addColumn<int>("typ");
    QTest::addColumn<int>("pierwszyGlowny");
    QTest::addColumn<int>("drugiGlowny");
    QTest::addColumn<QString>("tekst");
    const QString poczatek = QStringLiteral("UWAGA!\nNie można załączyć druku:");
    const QString srodek = QStringLiteral(", ponieważ został załączony wcześniej do druku:");
    QTest::newRow("NIP-1") << int(Nip1) << int(Pit36) << int(Pit28) << poczatek + "NIP-1 do PIT-28" + srodek + "PIT-36";
    QTest::newRow("NIP-3") << int(Nip3) << int(Pit36L) << int(Pit38)
                           << poczatek + "NIP-3 do PIT-38" + srodek + "PIT-36L";
    QTest::newRow("PIT/D") << int(PitD) << int(Pit28) << int(Pit37) << poczatek + "PIT/D do PIT-37" + srodek + "PIT-28";
    QTest::newRow("PIT/2K") << int(Pit2K) << int(Pit36) << int(Pit28)
                            << poczatek + "PIT/2K do PIT-28" + srodek + "PIT-36";
    QTest::newRow("PIT/Z") << int(PitZ) << int(Pit36L) << int(Pit36)
                           << poczatek + "PIT/Z do PIT-36" + srodek + "PIT-36L";
  }
  void individualAttachmentsOnceInTheSettlement() {
    QFETCH(int, typ);
    QFETCH(int, pierwszyGlowny);
    QFETCH(int, drugiGlowny);
    QFETCH(QString, tekst);
    P().NoweRozliczenie(Indywidualne);
    P().Zaznacz(P().Indeks(typ, PMWspolny, pierwszyGlowny));
    Odmowa(P().Indeks(typ, PMWspolny, drugiGlowny), tekst);
    QVERIFY(!P().Wybrany(P().Indeks(drugiGlowny)));
    QVERIFY(P().Wybrany(P().Indeks(typ, PMWspolny, pierwszyGlowny)));
  }

  void unlimitedAttachmentsGoUnderEveryMainForm() {
    P().NoweRozliczenie(Indywidualne);
    P().Zaznacz(P().Indeks(PitZG, PMWspolny, Pit36));
    P().Zaznacz(P().Indeks(PitZG, PMWspolny, Pit38));
    P().Zaznacz(P().Indeks(PitB, PMWspolny, Pit36L));
    P().Zaznacz(P().Indeks(PitB, PMWspolny, Pit36));
    QVERIFY(Komunikaty().isEmpty());
    QCOMPARE(P().S().LiczbaWybranych(), 7);
  }

  void singleParentRules() {
    P().NoweRozliczenie(SamotnieWychowujacy);
    P().Zaznacz(P().Indeks(PitD, PMWspolny, Pit37));
    Odmowa(P().Indeks(PitD, PMWspolny, Pit28),
           QStringLiteral("UWAGA!\nNie można załączyć druku:PIT/D do PIT-28, ponieważ został załączony wcześniej do "
                          "druku:PIT-37"));
    P().Zaznacz(P().Indeks(Nip3, PMWspolny, Pit38));
    Odmowa(P().Indeks(Nip3, PMWspolny, Pit28),
           QStringLiteral("UWAGA!\nNie można załączyć druku:NIP-3 do PIT-28, ponieważ został załączony wcześniej do "
                          "druku:PIT-38"));
  }

  void jointRulesNameTheOwner() {
    P().NoweRozliczenie(WspolneZMalzonkiem);
    const QString srodek = QStringLiteral(", ponieważ został załączony wcześniej do druku:");
    P().Zaznacz(P().Indeks(Nip3, PMMalzonek, Pit36));
    Odmowa(P().Indeks(Nip3, PMMalzonek, Pit38, PMMalzonek),
           QStringLiteral("UWAGA!\nNie można załączyć druku:NIP-3 Małżonka  do PIT-38") + srodek + "PIT-36");
    // The other owner's NIP-3 is a form of its own.
    SkryptDialogow().pokazane.clear();
    P().Zaznacz(P().Indeks(Nip3, PMPodatnik, Pit38, PMPodatnik));
    QVERIFY(Komunikaty().isEmpty());
    Odmowa(P().Indeks(Nip3, PMPodatnik, Pit28, PMPodatnik),
           QStringLiteral("UWAGA!\nNie można załączyć druku:NIP-3 Płatnika  do PIT-28") + srodek + "PIT-38");

    P().Zaznacz(P().Indeks(Nip1, PMPodatnik, Pit28, PMPodatnik));
    Odmowa(P().Indeks(Nip1, PMPodatnik, Pit36),
           QStringLiteral("UWAGA!\nNie można załączyć druku:NIP-1 Płatnika  do PIT-36") + srodek + "PIT-28");

    // PIT/D once in the whole settlement, whoever's it is.
    P().Zaznacz(P().Indeks(PitD, PMPodatnik, Pit28, PMPodatnik));
    Odmowa(P().Indeks(PitD, PMMalzonek, Pit28, PMMalzonek),
           QStringLiteral("UWAGA!\nNie można załączyć druku:PIT/D Małżonka  do PIT-28") + srodek + "PIT-28");
    Odmowa(P().Indeks(PitD, PMWspolny, Pit36),
           QStringLiteral("UWAGA!\nNie można załączyć druku:PIT/D do PIT-36") + srodek + "PIT-28");

    // The common PIT/2K is not limited; each owner's is.
    SkryptDialogow().pokazane.clear();
    P().Zaznacz(P().Indeks(Pit2K, PMWspolny, Pit36));
    P().Zaznacz(P().Indeks(Pit2K, PMPodatnik, Pit28, PMPodatnik));
    P().Zaznacz(P().Indeks(Pit2K, PMMalzonek, Pit28, PMMalzonek));
    QVERIFY(Komunikaty().isEmpty());
  }

  void jointMainFormRuleComesFirst() {
    P().NoweRozliczenie(WspolneZMalzonkiem);
    P().Zaznacz(P().Indeks(Nip3, PMPodatnik, Pit37));
    Odmowa(P().Indeks(Nip3, PMPodatnik, Pit36),
           QStringLiteral("UWAGA!\nNie można załączyć druku:NIP-3 do PIT-36, ponieważ został wybrany wcześniej druk "
                          "Pit-37."));
  }

  void aNodeOfNoCandidateIsIgnored() {
    P().NoweRozliczenie(Indywidualne);
    auto* obcy = new QTreeWidgetItem(P().S().STV);
    obcy->setFlags(obcy->flags() | Qt::ItemIsUserCheckable);
    obcy->setCheckState(0, Qt::Checked);
    QCOMPARE(P().S().LiczbaWybranych(), 0);
    QVERIFY(!P().S().Zatwierdzam->isEnabled());
    QVERIFY(Komunikaty().isEmpty());
  }

  void choosingAnotherKindRebuilds() {
    TKreator kreator(&P().T());
    P().NoweRozliczenie(Indywidualne);
    QTest::mouseClick(P().S().RodzRozl->Pozycja(WspolneZMalzonkiem), Qt::LeftButton);
    QCOMPARE(P().T().RodzajRozliczenia, int(WspolneZMalzonkiem));
    QCOMPARE(kreator.Rodzaj, int(WspolneZMalzonkiem));
    QCOMPARE(P().T().LiczbaKandydatow, 48);
    QCOMPARE(P().S().STV->topLevelItemCount(), 6);
    QTest::mouseClick(P().S().RodzRozl->Pozycja(SamotnieWychowujacy), Qt::LeftButton);
    QCOMPARE(P().T().LiczbaKandydatow, 28);
    QCOMPARE(kreator.Rodzaj, int(SamotnieWychowujacy));
  }

  void theChooserHoldsTheApplicationWhileOpen() {
    P().NoweRozliczenie(Indywidualne);
    QVERIFY(P().S().isVisible());
    QCOMPARE(P().S().windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), &P().S());
    QCOMPARE(P().S().windowTitle(), QStringLiteral("Samodzielny dobór formularzy rozliczeniowych Velmar 2008"));
  }

  void leavingANewChoiceReturnsToTheWelcome() {
    P().T().PokazPowitanie(false);
    P().NoweRozliczenie(Indywidualne);
    P().Zaznacz(P().Indeks(Pit37));
    QTest::mouseClick(P().S().Rezygnuje, Qt::LeftButton);
    QVERIFY(!P().S().isVisible());
    QVERIFY(!P().T().Powitanie->isHidden());
    QVERIFY(!P().T().RozpocznijPrace->isHidden());
    QCOMPARE(P().T().DobraneFormularze->text(),
             QStringLiteral("Informacja o programie Velmar 2008 - rozliczenie roczne podatku dochodowego."));
    QCOMPARE(P().T().LiczbaKandydatow, 0);
    QVERIFY(!P().T().MaDruki());

    // The close box leaves the same way.
    P().T().PokazPowitanie(false);
    P().NoweRozliczenie(Indywidualne);
    P().S().close();
    QVERIFY(!P().S().isVisible());
    QVERIFY(!P().T().Powitanie->isHidden());
  }

  void leavingOnTheCurrentSettlementChangesNothing() {
    TTools& t = P().T();
    t.PrzydzielDruki(2);
    P().Dodaj(Pit37, 0, PMWspolny, Indywidualne, "100,00");
    P().Dodaj(PitO, 1, PMWspolny, Indywidualne, "7,00");
    t.BudujDrzewo();
    t.PokazPowitanie(false);
    const QStringList przed = P().Opis();
    t.Zmiana->click();
    P().Odznacz(P().Indeks(Pit37));
    QTest::mouseClick(P().S().Rezygnuje, Qt::LeftButton);
    QVERIFY(!P().S().isVisible());
    QCOMPARE(P().Opis(), przed);
    QCOMPARE(t.TV->topLevelItemCount(), 1);
    QVERIFY(t.Powitanie->isHidden());
    QCOMPARE(t.Zmodyfikowane, std::uint8_t{0});
  }
};

VELMAR_TEST_MAIN(TstSamReguly)
#include "tst_sam_reguly.moc"
