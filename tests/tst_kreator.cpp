// The question wizard: walks through the three settlement kinds, the records each answer adds and Wstecz takes out,
// the attach boxes, the checks before Dalej, the summary, and the two ways out.

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include <sys/stat.h>

#include "main/tools.h"
#include "platform/rtf.h"
#include "selection/grupa_opcji.h"
#include "selection/kreator.h"
#include "support/program.h"
#include "support/test_main.h"

using namespace velmar_test;

namespace {

constexpr int TAK = 0;
constexpr int NIE = 1;

// The forms asked at each step, by kind, and the places an attachment may go to: written out here apart from the
// program's tables so that a slip in either shows.
const std::vector<std::vector<int>> kFormyKrokow = {
    {Pit37, Pit36, Pit36L, Pit28, Pit38, PitB, PitZ, SseR, SseA, SseRA, PitZG, PitM, Pit28A, Pit28B, PitD, Pit2K, PitO,
     Nip1, Nip3},
    {Pit37, Pit36, Pit28, Pit38, PitB, PitZ, SseR, SseA, SseRA, PitZG, PitM, Pit28A, PitD, Pit2K, PitO, Nip1, Nip3},
    {Pit37, Pit36, Pit28, Pit38, PitB, PitZ, SseR, SseA, SseRA, PitZG, PitM, Pit28A, PitD, Pit2K, PitO, Nip1, Nip3},
};
const int kNajwiecej[] = {35, 48, 28};

// (kind, form, owner, main form, main form's owner); a main form has main form 0.
using Dozwolone = std::set<std::tuple<int, int, int, int, int>>;

Dozwolone DozwoloneMiejsca() {
  Dozwolone d;
  const auto dodaj = [&d](int r, int typ, int pm, std::initializer_list<std::pair<int, int>> rodzice) {
    for (auto [rt, rpm] : rodzice) d.insert({r, typ, pm, rt, rpm});
  };
  for (int r : {0, 2}) {
    for (int g : {Pit37, Pit36, Pit28, Pit38}) dodaj(r, g, 0, {{0, 0}});
    for (int z : {SseR, SseA, SseRA, PitM}) dodaj(r, z, 0, {{Pit36, 0}});
    dodaj(r, Pit28A, 0, {{Pit28, 0}});
    for (int z : {PitD, Pit2K, PitO}) dodaj(r, z, 0, {{Pit28, 0}, {Pit36, 0}, {Pit37, 0}});
  }
  dodaj(0, Pit36L, 0, {{0, 0}});
  dodaj(0, PitB, 0, {{Pit36, 0}, {Pit36L, 0}});
  dodaj(0, PitZ, 0, {{Pit36, 0}, {Pit36L, 0}});
  dodaj(0, PitZG, 0, {{Pit36, 0}, {Pit36L, 0}, {Pit38, 0}});
  dodaj(0, Pit28B, 0, {{Pit28, 0}});
  dodaj(0, Nip1, 0, {{Pit28, 0}, {Pit36L, 0}, {Pit36, 0}});
  dodaj(0, Nip3, 0, {{Pit28, 0}, {Pit36L, 0}, {Pit36, 0}, {Pit37, 0}, {Pit38, 0}});
  dodaj(2, PitB, 0, {{Pit36, 0}});
  dodaj(2, PitZ, 0, {{Pit36, 0}});
  dodaj(2, PitZG, 0, {{Pit36, 0}, {Pit38, 0}});
  dodaj(2, Nip1, 0, {{Pit28, 0}, {Pit36, 0}});
  dodaj(2, Nip3, 0, {{Pit28, 0}, {Pit36, 0}, {Pit37, 0}, {Pit38, 0}});

  dodaj(1, Pit37, 0, {{0, 0}});
  dodaj(1, Pit36, 0, {{0, 0}});
  for (int pm : {1, 2}) {
    dodaj(1, Pit28, pm, {{0, 0}});
    dodaj(1, Pit38, pm, {{0, 0}});
    for (int z : {PitB, PitZ, SseR, SseA, SseRA, PitM}) dodaj(1, z, pm, {{Pit36, 0}});
    dodaj(1, PitZG, pm, {{Pit36, 0}, {Pit38, pm}});
    dodaj(1, Pit28A, pm, {{Pit28, pm}});
    dodaj(1, PitD, pm, {{Pit28, pm}});
    dodaj(1, PitO, pm, {{Pit28, pm}});
    dodaj(1, Nip1, pm, {{Pit28, pm}, {Pit36, 0}});
    dodaj(1, Nip3, pm, {{Pit28, pm}, {Pit36, 0}, {Pit37, 0}, {Pit38, pm}});
  }
  dodaj(1, PitD, 0, {{Pit36, 0}, {Pit37, 0}});
  dodaj(1, PitO, 0, {{Pit36, 0}, {Pit37, 0}});
  dodaj(1, Pit2K, 0, {{Pit28, 1}, {Pit28, 2}, {Pit36, 0}, {Pit37, 0}});
  return d;
}

// Forms that go to one main form only (per owner in the joint settlement).
bool JedenGlowny(int rodzaj, int typ) {
  if (typ == PitD || typ == Pit2K || typ == Nip1 || typ == Nip3) return true;
  return rodzaj == 0 && typ == PitZ;
}

QStringList Wiersze(const QTextEdit* edycja) { return edycja->toPlainText().split(QLatin1Char('\n')); }
std::tuple<int, int, int, int> R(int typ, int rodzic, int pm, int rodzaj) { return {typ, rodzic, pm, rodzaj}; }

const QString kBezOdpowiedzi =
    QStringLiteral("Nie udzielono wszystkich odpowiedzi. Udziel odpowiedzi i spróbuj ponownie.");
const QString kBezZalacznika =
    QStringLiteral("Nie zaznaczono żadnego z załączników. Udziel odpowiedzi i spróbuj ponownie.");

}  // namespace

class TstKreator : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<TTools> tools_;
  TKreator* k_ = nullptr;
  const Dozwolone dozwolone_ = DozwoloneMiejsca();

  TTools& T() { return *tools_; }
  void Dalej() { QTest::mouseClick(k_->Dalej, Qt::LeftButton); }
  void Wstecz() { QTest::mouseClick(k_->Wstecz, Qt::LeftButton); }
  void Odpowiedz(Grupa g, int i) { k_->GrupaOdpowiedzi(g)->Pozycja(i)->click(); }
  void Zaznacz(QCheckBox* pole) { QTest::mouseClick(pole, Qt::LeftButton, {}, QPoint(6, pole->height() / 2)); }
  bool Widoczny(const QWidget* w) const { return w->isVisibleTo(k_); }

  void Start(int rodzaj) {
    k_->TypAlgorytm->Pozycja(rodzaj)->click();
    Dalej();
    QCOMPARE(k_->Krok, 1);
  }
  // Answers the common group of each step in turn.
  void Ogolnie(std::initializer_list<int> odpowiedzi) {
    for (int o : odpowiedzi) {
      Odpowiedz(Grupa::Ogolna, o);
      Dalej();
    }
  }
  // Answers per person and goes on.
  void Osobno(int podatnik, int malzonek) {
    Odpowiedz(Grupa::Podatnik, podatnik);
    Odpowiedz(Grupa::Malzonek, malzonek);
    Dalej();
  }
  // NIE in every group shown, step after step, landing on the step given.
  void NieDo(int krok) {
    while (k_->Krok < krok) {
      const int byl = k_->Krok;
      for (Grupa g : {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna})
        if (Widoczny(k_->GrupaOdpowiedzi(g))) Odpowiedz(g, NIE);
      Dalej();
      QVERIFY(k_->Krok > byl);
    }
    QCOMPARE(k_->Krok, krok);
  }
  QString Komunikat() { return SkryptDialogow().pokazane.back().tekst; }

  std::tuple<int, int, int, int> Rekord(int i) {
    const TDruk& d = T().Druki[static_cast<std::size_t>(i)];
    return {d.IdPit, d.IdParent, d.PM, d.Rodzaj};
  }

  // What must hold after any move: every record comes from a step already left, in step order; a main form comes
  // first and an attachment names an earlier main form it may go to; no record twice; the kind's limit kept.
  void SprawdzRekordy(int rodzaj) {
    const int n = T().LiczbaDrukow;
    QVERIFY2(n <= kNajwiecej[rodzaj], qPrintable(QString::number(n)));
    QCOMPARE(T().Druki.size(), std::size_t{50});
    const auto& formy = kFormyKrokow[static_cast<std::size_t>(rodzaj)];
    const auto krokFormy = [&formy](int typ) {
      return static_cast<int>(std::find(formy.begin(), formy.end(), typ) - formy.begin()) + 1;
    };
    std::set<std::tuple<int, int, int>> bylo;
    std::map<std::pair<int, int>, int> glownych;
    int poprzedni = 0;
    for (int i = 1; i <= n; ++i) {
      const TDruk& d = T().Druki[static_cast<std::size_t>(i)];
      QCOMPARE(d.Rodzaj, rodzaj);
      const int krok = krokFormy(d.IdPit);
      QVERIFY2(krok >= poprzedni && krok < k_->Krok, qPrintable(QStringLiteral("record %1 form %2").arg(i).arg(d.IdPit)));
      poprzedni = krok;
      QVERIFY(bylo.insert({d.IdPit, d.IdParent, d.PM}).second);
      int rt = 0, rpm = 0;
      if (d.IdParent != 0) {
        QVERIFY(d.IdParent > 0 && d.IdParent < i);
        const TDruk& r = T().Druki[static_cast<std::size_t>(d.IdParent)];
        QCOMPARE(r.IdParent, 0);
        rt = r.IdPit;
        rpm = r.PM;
      }
      QVERIFY2(dozwolone_.count({rodzaj, d.IdPit, d.PM, rt, rpm}),
               qPrintable(QStringLiteral("form %1 owner %2 under %3/%4").arg(d.IdPit).arg(d.PM).arg(rt).arg(rpm)));
      if (JedenGlowny(rodzaj, d.IdPit)) QCOMPARE(++glownych[std::make_pair(d.IdPit, d.PM)], 1);
    }
    QVERIFY(!(T().ZnajdzDrukRodzicPM(Pit36, 0, 0) > 0 && T().ZnajdzDrukRodzicPM(Pit37, 0, 0) > 0));
  }

 private slots:
  void init() {
    SkryptDialogow().pokazane.clear();
    SkryptDialogow().odpowiedzi.clear();
    folder_ = std::make_unique<FolderProgramu>();
    const QDir dane(QStringLiteral(VELMAR_SOURCE_DIR "/data/alg"));
    for (const QString& plik : dane.entryList(QDir::Files))
      QVERIFY(QFile::copy(dane.filePath(plik), folder_->Sciezka() + QStringLiteral("alg/") + plik));
    tools_ = NoweOkno(*folder_);
    k_ = new TKreator(tools_.get());
    k_->show();
    QCOMPARE(k_->Krok, 0);
    QVERIFY(SkryptDialogow().pokazane.empty());
  }

  void cleanup() {
    tools_.reset();
    folder_.reset();
  }

  void individualPit37PassesOverPit36() {
    Start(Indywidualne);
    QCOMPARE(k_->LiczbaKrokow, 20);
    Ogolnie({TAK});
    QCOMPARE(k_->Krok, 3);
    QCOMPARE(T().LiczbaDrukow, 1);
    QCOMPARE(Rekord(1), R(Pit37, 0, 0, 0));
    QCOMPARE(k_->Kroki[2].OdpowiedzOgolna, kNie);
    QCOMPARE(k_->Kroki[2].OdpowiedzPodatnika, kNie);
    QCOMPARE(T().TV->topLevelItemCount(), 1);
    Wstecz();
    QCOMPARE(k_->Krok, 1);
    QCOMPARE(T().LiczbaDrukow, 0);
    QCOMPARE(k_->Odpowiedz->ItemIndex(), TAK);
  }

  void individualPit38Only() {
    Start(Indywidualne);
    Ogolnie({NIE, NIE, NIE, NIE, TAK});
    QCOMPARE(k_->Krok, 11);
    // The one box offered stands at the top and is ticked with the answer.
    QVERIFY(!Widoczny(k_->OZ[0]) && !Widoczny(k_->OZ[1]) && Widoczny(k_->OZ[2]));
    QCOMPARE(k_->OZ[2]->text(), QStringLiteral("Pit-38"));
    QCOMPARE(k_->OZ[2]->y(), 59);
    Ogolnie({TAK});
    QCOMPARE(k_->Krok, 19);
    for (int s : {6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18}) QCOMPARE(k_->Kroki[s].OdpowiedzOgolna, kNie);
    Ogolnie({TAK});
    QCOMPARE(T().LiczbaDrukow, 3);
    QCOMPARE(Rekord(2), R(PitZG, 1, 0, 0));
    QCOMPARE(Rekord(3), R(Nip3, 1, 0, 0));
    QVERIFY(k_->Zakoncz->isEnabled() && !k_->Dalej->isEnabled());
  }

  void individualNothingChosen() {
    Start(Indywidualne);
    Ogolnie({NIE, NIE, NIE, NIE, NIE});
    QCOMPARE(k_->Krok, 20);
    QCOMPARE(T().LiczbaDrukow, 0);
    QVERIFY(!k_->Zakoncz->isEnabled());
    QVERIFY(k_->Pytanie->toPlainText().endsWith(
        QStringLiteral("UWAGA:\nNie wybrano żadnego formularza. Naciśnij przycisk \"Wstecz\", aby powrócić do "
                       "poprzednich kroków doboru formularzy, lub naciśnij przycisk \"Anuluj\" aby zakonczyć pracę "
                       "kreatora.")));
    Wstecz();
    QCOMPARE(k_->Krok, 5);
  }

  // A question text that is a FIFO is refused with a message instead of being waited on; the wizard goes on.
  void questionTextThatIsNoFile() {
    const QString plik = folder_->Sciezka() + QStringLiteral("alg/1.1.rtf");
    QVERIFY(QFile::remove(plik));
    QCOMPARE(::mkfifo(QFile::encodeName(plik).constData(), 0600), 0);
    Start(Indywidualne);
    QCOMPARE(SkryptDialogow().Teksty(),
             QStringList{QStringLiteral("Plik nie jest zwykłym plikiem, więc nie zostanie odczytany:\n") + plik});
    QVERIFY(k_->Pytanie->toPlainText().isEmpty());
    Ogolnie({TAK});
    QCOMPARE(T().LiczbaDrukow, 1);
  }

  void jointPerPersonSteps() {
    Start(WspolneZMalzonkiem);
    QCOMPARE(k_->LiczbaKrokow, 18);
    QCOMPARE(T().RodzajRozliczenia, 1);
    QTextDocument pytanie21;
    QVERIFY(platform::WczytajPlikRtf(pytanie21, folder_->Sciezka() + QStringLiteral("alg/2.1.rtf")));
    QCOMPARE(k_->Pytanie->toPlainText(), pytanie21.toPlainText());

    Ogolnie({NIE, TAK});  // PIT-36
    QVERIFY(Widoczny(k_->Podatnik) && Widoczny(k_->Malzonek) && !Widoczny(k_->Odpowiedz));
    Osobno(TAK, TAK);
    QCOMPARE(Rekord(2), R(Pit28, 0, 1, 1));
    QCOMPARE(Rekord(3), R(Pit28, 0, 2, 1));
    Osobno(NIE, TAK);  // the spouse's PIT-38
    Osobno(TAK, NIE);  // the taxpayer's PIT/B on the common PIT-36
    QCOMPARE(Rekord(5), R(PitB, 1, 1, 1));
    NieDo(10);
    // The taxpayer has no PIT-38: one box; the spouse may attach to both.
    QVERIFY(Widoczny(k_->PZ[0]) && !Widoczny(k_->PZ[1]));
    QCOMPARE(k_->MZ[0]->text(), QStringLiteral("Pit-36"));
    QCOMPARE(k_->MZ[1]->text(), QStringLiteral("Pit-38 (Małżonka)"));
    QCOMPARE(k_->MZ[1]->y(), 79);
    QCOMPARE(k_->PMalzonek->y(), k_->PPodatnik->y() + 79 + 10);
    Odpowiedz(Grupa::Podatnik, NIE);
    Odpowiedz(Grupa::Malzonek, TAK);
    Zaznacz(k_->MZ[1]);
    Dalej();
    QCOMPARE(Rekord(6), R(PitZG, 4, 2, 1));
    NieDo(14);  // PIT/2K: owned by the settlement even on a person's PIT-28
    Odpowiedz(Grupa::Ogolna, TAK);
    Zaznacz(k_->OZ[1]);
    Dalej();
    QCOMPARE(Rekord(7), R(Pit2K, 3, 0, 1));
    SprawdzRekordy(WspolneZMalzonkiem);
    Wstecz();
    QCOMPARE(k_->Krok, 14);
    QCOMPARE(T().LiczbaDrukow, 6);
    QVERIFY(k_->OZ[1]->isChecked());
  }

  void jointSpousePit38Only() {
    Start(WspolneZMalzonkiem);
    Ogolnie({NIE, NIE});
    Osobno(NIE, NIE);
    Osobno(NIE, TAK);
    QCOMPARE(k_->Krok, 10);
    for (int s = 5; s <= 9; ++s) QCOMPARE(k_->Kroki[s].OdpowiedzMalzonka, kNie);
    QVERIFY(!Widoczny(k_->Podatnik) && !Widoczny(k_->PIPodatnik) && !Widoczny(k_->TextP));
    QVERIFY(!Widoczny(k_->MZ[0]) && Widoczny(k_->MZ[1]));
    QCOMPARE(k_->MZ[1]->y(), 59);
    Odpowiedz(Grupa::Malzonek, TAK);
    QVERIFY(k_->MZ[1]->isChecked());
    Dalej();
    QCOMPARE(k_->Krok, 17);
    QCOMPARE(Rekord(2), R(PitZG, 1, 2, 1));
  }

  void backToStepZeroLeavesNoRecord() {
    Start(SamotnieWychowujacy);
    Ogolnie({NIE, TAK, TAK, NIE, TAK});  // PIT-36, PIT-28, PIT/B
    QCOMPARE(T().LiczbaDrukow, 3);
    while (k_->Krok > 0) Wstecz();
    QCOMPARE(T().LiczbaDrukow, 0);
    QCOMPARE(T().Druki.size(), std::size_t{50});
    QCOMPARE(k_->TypAlgorytm->ItemIndex(), 2);
    QVERIFY(!k_->Wstecz->isEnabled());
    QCOMPARE(T().TV->topLevelItemCount(), 0);
    // The kind chosen again starts from a fresh table.
    Start(SamotnieWychowujacy);
    QCOMPARE(k_->Kroki[1].OdpowiedzOgolna, kBrakOdpowiedzi);
  }

  void randomWalk_data() {
    QTest::addColumn<int>("rodzaj");
    QTest::addColumn<quint32>("ziarno");
    for (int r = 0; r < 3; ++r)
      for (quint32 z : {1u, 2u, 3u}) QTest::addRow("kind %d seed %u", r, z) << r << z;
  }
  void randomWalk() {
    QFETCH(int, rodzaj);
    QFETCH(quint32, ziarno);
    QRandomGenerator los(ziarno);
    Start(rodzaj);
    for (int ruch = 0; ruch < 300; ++ruch) {
      for (Grupa g : {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna}) {
        if (!Widoczny(k_->GrupaOdpowiedzi(g)) || los.bounded(4) == 0) continue;
        Odpowiedz(g, los.bounded(3) == 0 ? NIE : TAK);
        for (QCheckBox* pole : k_->Pola(g))
          if (Widoczny(pole) && los.bounded(2) == 0) Zaznacz(pole);
      }
      if (k_->Krok == 0 || (k_->Krok < k_->LiczbaKrokow && los.bounded(10) < 7)) {
        if (k_->Krok == 0) k_->TypAlgorytm->Pozycja(rodzaj)->click();
        Dalej();
      } else {
        Wstecz();
      }
      SprawdzRekordy(rodzaj);
      if (QTest::currentTestFailed()) return;
    }
    while (k_->Krok > 0) Wstecz();
    QCOMPARE(T().LiczbaDrukow, 0);
  }

  void answersAreCheckedBeforeDalej() {
    Start(Indywidualne);
    Ogolnie({NIE, TAK, TAK, NIE, NIE});  // PIT-36 and PIT-36L
    QCOMPARE(k_->Krok, 6);
    Dalej();
    Odpowiedz(Grupa::Ogolna, TAK);
    Dalej();
    QCOMPARE(k_->Krok, 6);
    QCOMPARE(T().LiczbaDrukow, 2);
    const auto& okna = SkryptDialogow().pokazane;
    QCOMPARE(okna.size(), std::size_t{2});
    QCOMPARE(okna[0].tekst, kBezOdpowiedzi);
    QCOMPARE(okna[1].tekst, kBezZalacznika);
    for (const auto& o : okna) {
      QCOMPARE(o.tytul, QStringLiteral("UWAGA"));
      QCOMPARE(o.ikona, platform::Ikona::Wykrzyknik);
      QCOMPARE(o.przyciski, platform::Przyciski::Ok);
    }
    // NIE keeps the ticks and locks the boxes; TAK again brings them back as they were.
    Zaznacz(k_->OZ[1]);
    Odpowiedz(Grupa::Ogolna, NIE);
    QVERIFY(!k_->OZ[0]->isEnabled() && !k_->OZ[1]->isEnabled());
    QCOMPARE(k_->Kroki[6].StanOZ[1], 1);
    Odpowiedz(Grupa::Ogolna, TAK);
    QVERIFY(k_->OZ[1]->isEnabled() && k_->OZ[1]->isChecked() && !k_->OZ[0]->isChecked());
    Dalej();
    QCOMPARE(Rekord(3), R(PitB, 2, 0, 0));
  }

  void jointMissingAnswerTakesPrecedence() {
    Start(WspolneZMalzonkiem);
    Ogolnie({NIE, TAK});
    Osobno(NIE, NIE);
    Osobno(NIE, TAK);
    NieDo(10);
    // PIT/ZG: the spouse says TAK without a box, the taxpayer does not answer.
    Odpowiedz(Grupa::Malzonek, TAK);
    Dalej();
    QCOMPARE(Komunikat(), kBezOdpowiedzi);
    Odpowiedz(Grupa::Podatnik, NIE);
    Dalej();
    QCOMPARE(Komunikat(), kBezZalacznika);
    QCOMPARE(k_->Krok, 10);
    QCOMPARE(T().LiczbaDrukow, 2);
  }

  void oneMainFormOnlyKeepsOneTick() {
    Start(Indywidualne);
    Ogolnie({TAK, NIE, TAK});  // PIT-37 and PIT-28
    NieDo(15);                 // PIT/D: one main form only
    Odpowiedz(Grupa::Ogolna, TAK);
    Zaznacz(k_->OZ[0]);
    Zaznacz(k_->OZ[2]);
    QVERIFY(!k_->OZ[0]->isChecked() && k_->OZ[2]->isChecked());
    Zaznacz(k_->OZ[2]);
    QVERIFY(k_->OZ[2]->isChecked());
    QCOMPARE(k_->Kroki[15].StanOZ, (std::array<std::uint8_t, 5>{0, 0, 1, 0, 0}));
    Dalej();
    NieDo(17);  // PIT/O: to both
    Odpowiedz(Grupa::Ogolna, TAK);
    Zaznacz(k_->OZ[0]);
    Zaznacz(k_->OZ[2]);
    Dalej();
    QCOMPARE(T().LiczbaDrukow, 5);
    QCOMPARE(Rekord(3), R(PitD, 1, 0, 0));
    QCOMPARE(Rekord(4), R(PitO, 2, 0, 0));
    QCOMPARE(Rekord(5), R(PitO, 1, 0, 0));
  }

  void hiddenBoxKeepsNoTick() {
    Start(Indywidualne);
    Ogolnie({NIE, TAK, TAK, NIE, NIE});  // PIT-36 and PIT-36L
    Odpowiedz(Grupa::Ogolna, TAK);
    Zaznacz(k_->OZ[1]);  // PIT/B to the PIT-36L
    Dalej();
    while (k_->Krok > 3) Wstecz();
    Ogolnie({NIE, NIE, NIE});  // no PIT-36L after all
    QCOMPARE(k_->Krok, 6);
    QVERIFY(Widoczny(k_->OZ[0]) && !Widoczny(k_->OZ[1]));
    QCOMPARE(k_->Kroki[6].StanOZ[1], 0);
    QVERIFY(k_->OZ[0]->isEnabled());
    Dalej();  // TAK still stands, but the box on screen is not ticked
    QCOMPARE(k_->Krok, 6);
    QCOMPARE(Komunikat(), kBezZalacznika);
  }

  void boxesStackFromTheTop() {
    Start(Indywidualne);
    Ogolnie({NIE, NIE, TAK, NIE, NIE});  // PIT-36L only
    QCOMPARE(k_->Krok, 6);
    QVERIFY(!Widoczny(k_->OZ[0]) && Widoczny(k_->OZ[1]) && Widoczny(k_->TextO) && Widoczny(k_->SPN));
    QCOMPARE(k_->OZ[1]->text(), QStringLiteral("Pit-36L"));
    QCOMPARE(k_->OZ[1]->y(), 59);
    QCOMPARE(k_->SPN->y(), k_->PPodatnik->y() + 89);
    QVERIFY(!k_->OZ[1]->isEnabled());  // no answer yet
    QTest::mouseClick(k_->SWstecz, Qt::LeftButton);
    QCOMPARE(k_->Krok, 5);
    for (QCheckBox* pole : k_->OZ) QVERIFY(!Widoczny(pole));
    QVERIFY(!Widoczny(k_->TextO));
  }

  void heading() {
    Start(Indywidualne);
    QCOMPARE(k_->HeadPytanie->text(), QStringLiteral(" Dobór: PIT-37 - rozliczenie indywidualne "));
    T().BlokadaNarzedzi = 0;
    Ogolnie({TAK});
    QCOMPARE(k_->HeadPytanie->text(), QStringLiteral("  Krok 3 / 19 Dobór: PIT-36L - rozliczenie indywidualne "));
    Ogolnie({NIE, NIE, NIE});
    QCOMPARE(k_->HeadPytanie->text(),
             QStringLiteral("  Krok 15 / 19 Dobór załączników: PIT/D - rozliczenie indywidualne "));
  }

  void summaryListsMainFormsInReverse() {
    Start(Indywidualne);
    Ogolnie({NIE, TAK, NIE, NIE, TAK});  // PIT-36, PIT-38
    NieDo(17);
    Odpowiedz(Grupa::Ogolna, TAK);  // PIT/O: the PIT-36 is its one main form, ticked with the answer
    QVERIFY(k_->OZ[1]->isChecked());
    Dalej();
    NieDo(20);
    QCOMPARE(k_->HeadPytanie->text(), QStringLiteral(" Koniec doboru formularzy."));
    QCOMPARE(Wiersze(k_->Pytanie).mid(0, 5),
             (QStringList{"Na podstawie udzielonych odpowiedzi dobrano formularze:", "", " - PIT-38 załączniki: ",
                          " - PIT-36 załączniki: PIT/O, ", "Co dalej?"}));
  }

  void summaryNamesOwners() {
    Start(WspolneZMalzonkiem);
    Ogolnie({TAK});
    Osobno(NIE, TAK);
    NieDo(15);
    Odpowiedz(Grupa::Ogolna, TAK);
    Zaznacz(k_->OZ[1]);
    Dalej();
    NieDo(18);
    QCOMPARE(Wiersze(k_->Pytanie).mid(2, 2), (QStringList{" - PIT-28 (Małżonka)  załączniki: PIT/O (Małżonka), ",
                                                          " - PIT-37 załączniki: "}));
  }

  void finishShowsARecord_data() {
    QTest::addColumn<QList<int>>("odpowiedzi");
    QTest::addColumn<int>("pokazany");
    // Individual: PIT-36 with a PIT/B and a PIT/Z shows the main form; without the PIT/Z, the PIT/B.
    QTest::newRow("PIT/B with PIT/Z") << QList<int>{NIE, TAK, NIE, NIE, NIE, TAK, TAK} << 1;
    QTest::newRow("PIT/B alone") << QList<int>{NIE, TAK, NIE, NIE, NIE, TAK, NIE} << 2;
    QTest::newRow("no attachment") << QList<int>{TAK, NIE, NIE, NIE} << 1;
  }
  void finishShowsARecord() {
    QFETCH(QList<int>, odpowiedzi);
    QFETCH(int, pokazany);
    Start(Indywidualne);
    for (int o : odpowiedzi) Ogolnie({o});
    while (k_->Krok < k_->LiczbaKrokow) Ogolnie({NIE});
    QTest::mouseClick(k_->Zakoncz, Qt::LeftButton);
    QVERIFY(k_->isHidden());
    QCOMPARE(k_->result(), int{QDialog::Accepted});
    QCOMPARE(T().Zmodyfikowane, 1);
    QVERIFY(T().ToolButtonSave->isEnabled());
    QCOMPARE(T().NazwaRozliczenia, QStringLiteral("nowe_rozliczenie.dc8"));
    // Which record goes on screen; showing it needs the form files, which this folder does not hold.
    QCOMPARE(k_->DrukDoPokazania(), pokazany);
    QVERIFY(T().MaDruki());
  }

  void cancelRestoresWelcome_data() {
    QTest::addColumn<int>("sposob");
    QTest::newRow("Anuluj") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("window closed") << 2;
  }
  void cancelRestoresWelcome() {
    QFETCH(int, sposob);
    T().PokazPowitanie(false);
    Start(Indywidualne);
    Ogolnie({TAK});
    QVERIFY(T().MaDruki());
    if (sposob == 0) QTest::mouseClick(k_->Anuluj, Qt::LeftButton);
    if (sposob == 1) QTest::keyClick(k_, Qt::Key_Escape);
    if (sposob == 2) k_->close();
    QVERIFY(k_->isHidden());
    QCOMPARE(k_->result(), int{QDialog::Rejected});
    QVERIFY(!T().MaDruki());
    QCOMPARE(T().LiczbaDrukow, 0);
    QCOMPARE(T().TV->topLevelItemCount(), 0);
    QVERIFY(!T().Powitanie->isHidden() && !T().RozpocznijPrace->isHidden());
    QCOMPARE(T().DobraneFormularze->text(),
             QStringLiteral("Informacja o programie Velmar 2008 - rozliczenie roczne podatku dochodowego."));
  }

  void everyStepHasItsQuestion() {
    const QDir dane(QStringLiteral(VELMAR_SOURCE_DIR "/data/alg"));
    QStringList oczekiwane{QStringLiteral("end.rtf")};
    for (int r = 0; r < 3; ++r) {
      const auto& formy = kFormyKrokow[static_cast<std::size_t>(r)];
      for (std::size_t s = 0; s < formy.size(); ++s) {
        const QString nazwa = QStringLiteral("%1.%2.rtf").arg(r + 1).arg(s + 1);
        oczekiwane << nazwa;
        QTextDocument tekst;
        QVERIFY2(platform::WczytajPlikRtf(tekst, dane.filePath(nazwa)), qPrintable(nazwa));
        // Each question is headed by the form its step asks about.
        const QString forma = NaQString(T().TypyDrukow[static_cast<std::size_t>(formy[s])].Nazwa);
        QVERIFY2(tekst.firstBlock().text().startsWith(forma + QStringLiteral(" - ")), qPrintable(nazwa));
      }
    }
    QStringList pliki = dane.entryList({QStringLiteral("*.rtf")}, QDir::Files);
    pliki.removeAll(QStringLiteral("welcome.rtf"));
    pliki.removeAll(QStringLiteral("licence.rtf"));
    oczekiwane.sort();
    pliki.sort();
    QCOMPARE(pliki, oczekiwane);
  }

  void answerRowsAreWholeAndClickable_data() {
    QTest::addColumn<int>("rodzaj");
    QTest::addColumn<int>("odpowiedz");
    for (int rodzaj : {Indywidualne, WspolneZMalzonkiem, SamotnieWychowujacy})
      for (int odpowiedz : {TAK, NIE})
        QTest::addRow("kind %d, %s", rodzaj, odpowiedz == TAK ? "TAK" : "NIE") << rodzaj << odpowiedz;
  }
  // Through every step: each answer, box, step button and person picture shown lies whole inside the wizard and
  // its panels, and a click anywhere on it reaches it, not a panel laid over it.
  void answerRowsAreWholeAndClickable() {
    QFETCH(int, rodzaj);
    QFETCH(int, odpowiedz);
    Start(rodzaj);
    while (k_->Krok < k_->LiczbaKrokow) {
      QList<QWidget*> kontrolki;
      for (Grupa g : {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna}) {
        TGrupaOpcji* grupa = k_->GrupaOdpowiedzi(g);
        if (!Widoczny(grupa)) continue;
        for (int i = 0; i < grupa->LiczbaPozycji(); ++i) kontrolki << grupa->Pozycja(i);
        for (QCheckBox* pole : k_->Pola(g))
          if (Widoczny(pole)) kontrolki << pole;
      }
      for (QWidget* w : std::initializer_list<QWidget*>{k_->SWstecz, k_->SDalej, k_->IPodatnik, k_->IMalzonek})
        if (Widoczny(w)) kontrolki << w;
      for (QWidget* w : kontrolki) {
        const QString opis = QStringLiteral("%1 at step %2").arg(w->objectName().isEmpty() ? w->property("text").toString()
                                                                                            : w->objectName())
                                 .arg(k_->Krok);
        const QRect r(w->mapTo(k_, QPoint(0, 0)), w->size());
        for (QWidget* p = w->parentWidget(); p; p = p == k_ ? nullptr : p->parentWidget())
          QVERIFY2(QRect(p->mapTo(k_, QPoint(0, 0)), p->size()).contains(r), qPrintable(opis + " is cut off"));
        for (const QPoint& punkt : {r.center(), r.topLeft() + QPoint(2, 2), r.topRight() + QPoint(-2, 2),
                                    r.bottomLeft() + QPoint(2, -2), r.bottomRight() - QPoint(2, 2)}) {
          QWidget* trafiony = k_->childAt(punkt);
          QVERIFY2(trafiony == w || w->isAncestorOf(trafiony),
                   qPrintable(opis + " is covered by " + (trafiony ? trafiony->objectName() : QString())));
        }
      }
      // On: the answer everywhere, and the first box offered where the answer asks for one.
      for (Grupa g : {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna}) {
        if (!Widoczny(k_->GrupaOdpowiedzi(g))) continue;
        Odpowiedz(g, odpowiedz);
        const auto pola = k_->Pola(g);
        const bool zaznaczone = std::any_of(pola.begin(), pola.end(), [](QCheckBox* p) { return p->isChecked(); });
        for (QCheckBox* pole : pola)
          if (odpowiedz == TAK && !zaznaczone && Widoczny(pole)) {
            Zaznacz(pole);
            break;
          }
      }
      const int byl = k_->Krok;
      Dalej();
      QVERIFY2(k_->Krok > byl, qPrintable(QStringLiteral("stuck at step %1").arg(byl)));
    }
  }

  void markerPicturesAreShown() {
    QVERIFY(k_->IPodatnik->pixmap().width() > 0);
    QVERIFY(k_->IMalzonek->pixmap().width() > 0);
    QVERIFY(k_->IPodatnik->pixmap().toImage() != k_->IMalzonek->pixmap().toImage());
  }
};

VELMAR_TEST_MAIN(TstKreator)
#include "tst_kreator.moc"
