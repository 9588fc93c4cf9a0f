// The manual chooser's tree: ticks and unticks between attachments and main forms, the exclusion rules of each
// settlement kind with their messages, the buttons that follow the selection, the kind group and leaving.

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTextEdit>

#include "selection/kreator.h"
#include "tst_sam_wspolne.h"

using namespace velmar_test;

namespace {

// A candidate: form type, owner, main-form type (0 = itself a main form) and the main form's owner.
using Cel = std::array<int, 4>;
using Cele = QList<Cel>;
constexpr int W = PMWspolny, Pd = PMPodatnik, Mz = PMMalzonek;

QString Wybrany(const char* druk, const char* wczesniej) {
  return QStringLiteral("UWAGA!\nNie można załączyć druku:%1, ponieważ został wybrany wcześniej druk %2.")
      .arg(QString::fromUtf8(druk), QString::fromUtf8(wczesniej));
}
QString Zalaczony(const char* druk, const char* wczesniej) {
  return QStringLiteral("UWAGA!\nNie można załączyć druku:%1, ponieważ został załączony wcześniej do druku:%2")
      .arg(QString::fromUtf8(druk), QString::fromUtf8(wczesniej));
}

}  // namespace

class TstSamReguly : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZWyborem> p_;
  ProgramZWyborem& P() { return *p_; }

  QStringList Komunikaty() { return SkryptDialogow().Teksty(); }
  int Indeks(const Cel& m) { return P().Indeks(m[0], m[1], m[2], m[3]); }

 private slots:
  void init() { p_ = std::make_unique<ProgramZWyborem>(); }
  void cleanup() { p_.reset(); }

  void tickingAnAttachmentTicksItsMainForm() {
    P().NoweRozliczenie(Indywidualne);
    const int pit37 = P().Indeks(Pit37), pitO = P().Indeks(PitO, W, Pit37);
    QVERIFY(P().S().RodzRozl->isEnabled());
    P().Zaznacz(pitO);
    QVERIFY(P().Zaznaczony(pit37) && P().Wybrany(pit37) && P().Wybrany(pitO));
    QCOMPARE(P().S().LiczbaWybranych(), 2);
    QVERIFY(P().S().Zatwierdzam->isEnabled());
    QVERIFY(!P().S().RodzRozl->isEnabled());
    QCOMPARE(P().T().KandydatKlikniety.Id, pitO);
    QVERIFY(Komunikaty().isEmpty());

    // Unticking the attachment leaves the main form.
    P().Odznacz(pitO);
    QVERIFY(!P().Wybrany(pitO));
    QVERIFY(P().Wybrany(pit37) && P().Zaznaczony(pit37));
    QVERIFY(P().S().Zatwierdzam->isEnabled());

    // Unticking the main form takes every attachment with it.
    const int pitD = P().Indeks(PitD, W, Pit37);
    P().Zaznacz(pitO);
    P().Zaznacz(pitD);
    P().Zaznacz(P().Indeks(Pit28));
    P().Odznacz(pit37);
    for (int i : {pit37, pitO, pitD}) QVERIFY(!P().Wybrany(i) && !P().Zaznaczony(i));
    QCOMPARE(P().S().LiczbaWybranych(), 1);

    // Nothing left: the kind may change again and there is nothing to confirm.
    P().Odznacz(P().Indeks(Pit28));
    QCOMPARE(P().S().LiczbaWybranych(), 0);
    QVERIFY(!P().S().Zatwierdzam->isEnabled());
    QVERIFY(P().S().RodzRozl->isEnabled());
  }

  void theSpaceKeyActsAsAPress() {
    P().NoweRozliczenie(Indywidualne);
    const int pitZG = P().Indeks(PitZG, W, Pit38);
    P().S().STV->setCurrentItem(P().W(pitZG));
    QTest::keyClick(P().S().STV, Qt::Key_Space);
    QVERIFY(P().Zaznaczony(pitZG) && P().Wybrany(pitZG));
    QVERIFY(P().Wybrany(P().Indeks(Pit38)));
    QVERIFY(P().S().Zatwierdzam->isEnabled());
  }

  // Candidates ticked without objection, then one more: refused with the message given, or taken when none is.
  void exclusionRules_data() {
    QTest::addColumn<int>("rodzaj");
    QTest::addColumn<Cele>("przed");
    QTest::addColumn<Cel>("druk");
    QTest::addColumn<QString>("tekst");
    const int I = Indywidualne, S = SamotnieWychowujacy, J = WspolneZMalzonkiem;
    QTest::newRow("PIT-37 after PIT-36") << I << Cele{{PitM, W, Pit36, W}} << Cel{Pit37, W, 0, W}
                                         << Wybrany("PIT-37", "Pit-36");
    QTest::newRow("PIT/O of PIT-37 after PIT-36")
        << I << Cele{{PitM, W, Pit36, W}} << Cel{PitO, W, Pit37, W} << Wybrany("PIT/O do PIT-37", "Pit-36");
    QTest::newRow("PIT-36 after PIT-37") << S << Cele{{PitO, W, Pit37, W}} << Cel{Pit36, W, 0, W}
                                         << Wybrany("PIT-36", "Pit-37");
    QTest::newRow("PIT/M of PIT-36 after PIT-37")
        << S << Cele{{PitO, W, Pit37, W}} << Cel{PitM, W, Pit36, W} << Wybrany("PIT/M do PIT-36", "Pit-37");
    QTest::newRow("NIP-1") << I << Cele{{Nip1, W, Pit36, W}} << Cel{Nip1, W, Pit28, W}
                           << Zalaczony("NIP-1 do PIT-28", "PIT-36");
    QTest::newRow("NIP-3") << I << Cele{{Nip3, W, Pit36L, W}} << Cel{Nip3, W, Pit38, W}
                           << Zalaczony("NIP-3 do PIT-38", "PIT-36L");
    QTest::newRow("PIT/D") << I << Cele{{PitD, W, Pit28, W}} << Cel{PitD, W, Pit37, W}
                           << Zalaczony("PIT/D do PIT-37", "PIT-28");
    QTest::newRow("PIT/2K") << I << Cele{{Pit2K, W, Pit36, W}} << Cel{Pit2K, W, Pit28, W}
                            << Zalaczony("PIT/2K do PIT-28", "PIT-36");
    QTest::newRow("PIT/Z") << I << Cele{{PitZ, W, Pit36L, W}} << Cel{PitZ, W, Pit36, W}
                           << Zalaczony("PIT/Z do PIT-36", "PIT-36L");
    QTest::newRow("unlimited attachments")
        << I << Cele{{PitZG, W, Pit36, W}, {PitZG, W, Pit38, W}, {PitB, W, Pit36L, W}} << Cel{PitB, W, Pit36, W}
        << QString();
    QTest::newRow("single parent PIT/D") << S << Cele{{PitD, W, Pit37, W}} << Cel{PitD, W, Pit28, W}
                                         << Zalaczony("PIT/D do PIT-28", "PIT-37");
    QTest::newRow("single parent NIP-3") << S << Cele{{Nip3, W, Pit38, W}} << Cel{Nip3, W, Pit28, W}
                                         << Zalaczony("NIP-3 do PIT-28", "PIT-38");
    QTest::newRow("joint NIP-3 of the spouse") << J << Cele{{Nip3, Mz, Pit36, W}} << Cel{Nip3, Mz, Pit38, Mz}
                                               << Zalaczony("NIP-3 Małżonka  do PIT-38", "PIT-36");
    // The other owner's NIP-3 is a form of its own.
    QTest::newRow("joint NIP-3 of the taxpayer")
        << J << Cele{{Nip3, Mz, Pit36, W}, {Nip3, Pd, Pit38, Pd}} << Cel{Nip3, Pd, Pit28, Pd}
        << Zalaczony("NIP-3 Płatnika  do PIT-28", "PIT-38");
    QTest::newRow("joint NIP-1") << J << Cele{{Nip1, Pd, Pit28, Pd}} << Cel{Nip1, Pd, Pit36, W}
                                 << Zalaczony("NIP-1 Płatnika  do PIT-36", "PIT-28");
    // PIT/D once in the whole settlement, whoever's it is.
    QTest::newRow("joint PIT/D of the other owner")
        << J << Cele{{PitD, Pd, Pit28, Pd}} << Cel{PitD, Mz, Pit28, Mz}
        << Zalaczony("PIT/D Małżonka  do PIT-28", "PIT-28");
    QTest::newRow("joint common PIT/D") << J << Cele{{PitD, Pd, Pit28, Pd}} << Cel{PitD, W, Pit36, W}
                                        << Zalaczony("PIT/D do PIT-36", "PIT-28");
    // The common PIT/2K is not limited; each owner's is.
    QTest::newRow("joint PIT/2K") << J << Cele{{Pit2K, W, Pit36, W}, {Pit2K, Pd, Pit28, Pd}}
                                  << Cel{Pit2K, Mz, Pit28, Mz} << QString();
    QTest::newRow("joint main-form rule first") << J << Cele{{Nip3, Pd, Pit37, W}} << Cel{Nip3, Pd, Pit36, W}
                                                << Wybrany("NIP-3 do PIT-36", "Pit-37");
  }
  void exclusionRules() {
    QFETCH(int, rodzaj);
    QFETCH(Cele, przed);
    QFETCH(Cel, druk);
    QFETCH(QString, tekst);
    P().NoweRozliczenie(rodzaj);
    for (const Cel& m : przed) P().Zaznacz(Indeks(m));
    QVERIFY(Komunikaty().isEmpty());
    std::vector<bool> stan;
    for (int i = 1; i <= P().T().LiczbaKandydatow; ++i) stan.push_back(P().Wybrany(i));

    const int i = Indeks(druk);
    P().Zaznacz(i);
    if (tekst.isEmpty()) {
      QVERIFY(Komunikaty().isEmpty());
      for (const Cel& m : przed + Cele{druk}) QVERIFY(P().Zaznaczony(Indeks(m)) && P().Wybrany(Indeks(m)));
      return;
    }
    // A refused tick leaves the candidate unticked and unselected and changes nothing else, its main form included.
    QCOMPARE(Komunikaty(), QStringList{tekst});
    for (int k = 1; k <= P().T().LiczbaKandydatow; ++k) {
      QCOMPARE(P().Wybrany(k), bool(stan[static_cast<std::size_t>(k - 1)]));
      QCOMPARE(P().Zaznaczony(k), P().Wybrany(k));
    }
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
    QCOMPARE(P().S().windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), &P().S());
    QCOMPARE(P().S().windowTitle(), QStringLiteral("Samodzielny dobór formularzy rozliczeniowych Velmar 2008"));
    QTest::mouseClick(P().S().RodzRozl->Pozycja(WspolneZMalzonkiem), Qt::LeftButton);
    QCOMPARE(P().T().RodzajRozliczenia, int(WspolneZMalzonkiem));
    QCOMPARE(kreator.Rodzaj, int(WspolneZMalzonkiem));
    QCOMPARE(P().T().LiczbaKandydatow, 48);
    QCOMPARE(P().S().STV->topLevelItemCount(), 6);
    QTest::mouseClick(P().S().RodzRozl->Pozycja(SamotnieWychowujacy), Qt::LeftButton);
    QCOMPARE(P().T().LiczbaKandydatow, 28);
    QCOMPARE(kreator.Rodzaj, int(SamotnieWychowujacy));
  }

  void leavingANewChoiceReturnsToTheWelcome_data() {
    QTest::addColumn<bool>("przyciskiem");
    QTest::newRow("Rezygnuję") << true;
    QTest::newRow("close box") << false;
  }
  void leavingANewChoiceReturnsToTheWelcome() {
    QFETCH(bool, przyciskiem);
    P().T().PokazPowitanie(false);
    P().NoweRozliczenie(Indywidualne);
    P().Zaznacz(P().Indeks(Pit37));
    if (przyciskiem) QTest::mouseClick(P().S().Rezygnuje, Qt::LeftButton);
    else P().S().close();
    QVERIFY(!P().S().isVisible());
    QVERIFY(!P().T().Powitanie->isHidden() && !P().T().RozpocznijPrace->isHidden());
    QCOMPARE(P().T().DobraneFormularze->text(),
             QStringLiteral("Informacja o programie Velmar 2008 - rozliczenie roczne podatku dochodowego."));
    QCOMPARE(P().T().LiczbaKandydatow, 0);
    QVERIFY(!P().T().MaDruki());
  }

  void leavingOnTheCurrentSettlementChangesNothing() {
    TTools& t = P().T();
    P().Rozliczenie({{Pit37, 0, W, Indywidualne, "100,00"}, {PitO, 1, W, Indywidualne, "7,00"}});
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
