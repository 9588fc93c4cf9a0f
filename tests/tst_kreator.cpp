// The question wizard: walks read from data/wybor_kreator.txt (answers given and refused, questions asked, forms
// chosen, and every step undone on the way back), random walks that must keep the settlement one the wizard may
// make, then the heading, a question text that is no file and the ways out.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTreeWidget>

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <tuple>

#include <sys/stat.h>

#include "main/tools.h"
#include "selection/grupa_opcji.h"
#include "selection/kreator.h"
#include "support/program.h"
#include "support/test_main.h"
#include "support/wybor_zapis.h"

using namespace velmar_test;

namespace {

constexpr int TAK = 0;
constexpr int NIE = 1;
constexpr Grupa kGrupy[] = {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna};

const QString kBezOdpowiedzi =
    QStringLiteral("Nie udzielono wszystkich odpowiedzi. Udziel odpowiedzi i spróbuj ponownie.");
const QString kBezZalacznika =
    QStringLiteral("Nie zaznaczono żadnego z załączników. Udziel odpowiedzi i spróbuj ponownie.");
const QString kRodzaje[] = {QStringLiteral(" - rozliczenie indywidualne "),
                            QStringLiteral(" - rozliczenie wspólnie z małżonkiem "),
                            QStringLiteral(" - rozliczenie osoby samotnie wychowującej dziecko")};

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

}  // namespace

class TstKreator : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<TTools> tools_;
  TKreator* k_ = nullptr;
  // Each step left: the settlement before it was left, and the answers and ticks it was left with.
  struct Opuszczony {
    int krok;
    QStringList rekordy, stan;
  };
  std::vector<Opuszczony> przed_;
  const Dozwolone dozwolone_ = DozwoloneMiejsca();

  TTools& T() { return *tools_; }
  void Dalej() { QTest::mouseClick(k_->Dalej, Qt::LeftButton); }
  void Odpowiedz(Grupa g, int i) { k_->GrupaOdpowiedzi(g)->Pozycja(i)->click(); }
  void Zaznacz(QCheckBox* pole) { QTest::mouseClick(pole, Qt::LeftButton, {}, QPoint(6, pole->height() / 2)); }
  bool Widoczny(const QWidget* w) const { return w->isVisibleTo(k_); }

  void Start(int rodzaj) {
    k_->TypAlgorytm->Pozycja(rodzaj)->click();
    Dalej();
    QCOMPARE(k_->Krok, 1);
  }
  // The common answer at each step in turn.
  void Ogolnie(std::initializer_list<int> odpowiedzi) {
    for (int o : odpowiedzi) {
      Odpowiedz(Grupa::Ogolna, o);
      Dalej();
    }
  }
  // The form the step asks about, as its heading names it; a main form is headed "Dobór: ", any other form
  // "Dobór załączników: ".
  QString FormaKroku() {
    static const QRegularExpression wzor(QStringLiteral("^ (Dobór|Dobór załączników): (\\S+)(.*)$"));
    const auto m = wzor.match(k_->HeadPytanie->text());
    if (!m.hasMatch() || m.captured(3) != kRodzaje[k_->Rodzaj]) return QStringLiteral("heading ") + m.captured(0);
    const bool glowny =
        QStringList{"PIT-36", "PIT-37", "PIT-36L", "PIT-38", "PIT-28"}.contains(m.captured(2));
    return glowny == (m.captured(1) == QStringLiteral("Dobór")) ? m.captured(2) : QStringLiteral("prefix");
  }
  // Answers one group as the data file says: T, N, . (left as it is), - (group not shown) or T:1,3 (boxes to
  // click); several joined by / in turn. NIE locks the group's boxes, TAK opens those shown; either keeps the ticks
  // shown and ticks the only box shown, on screen and in the step's record.
  void Odpowiedz(Grupa g, const QString& co) {
    QCOMPARE(Widoczny(k_->GrupaOdpowiedzi(g)), co != QStringLiteral("-"));
    for (const QString& krok : co.split(QLatin1Char('/'))) {
      if (krok == QStringLiteral(".") || krok == QStringLiteral("-")) continue;
      const auto pola = k_->Pola(g);
      std::vector<bool> bylo;
      for (QCheckBox* pole : pola) bylo.push_back(pole->isChecked());
      Odpowiedz(g, krok.startsWith(QLatin1Char('T')) ? TAK : NIE);
      const auto widoczne = std::count_if(pola.begin(), pola.end(), [this](QCheckBox* p) { return Widoczny(p); });
      const auto stany = StanyPol(k_->Kroki[static_cast<std::size_t>(k_->Krok)], g);
      for (std::size_t i = 0; i < pola.size(); ++i) {
        if (Widoczny(pola[i]))
          QVERIFY2(pola[i]->isChecked() == (bylo[i] || widoczne == 1), qPrintable(pola[i]->objectName()));
        QCOMPARE(stany[i] != 0, pola[i]->isChecked());
      }
      for (const QString& nr : krok.section(QLatin1Char(':'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QCheckBox* pole = k_->Pola(g)[static_cast<std::size_t>(nr.toInt() - 1)];
        QVERIFY2(Widoczny(pole) && pole->isEnabled(), qPrintable(QStringLiteral("box ") + nr));
        Zaznacz(pole);
      }
      for (QCheckBox* pole : k_->Pola(g))
        if (Widoczny(pole)) QCOMPARE(pole->isEnabled(), krok.startsWith(QLatin1Char('T')));
    }
  }
  // A step's answers: one for the common group, two (taxpayer, spouse) where each person is asked; none: N in every
  // group shown.
  void OdpowiedzKrok(const QStringList& odp) {
    if (odp.size() == 1) Odpowiedz(Grupa::Ogolna, odp[0]);
    if (odp.size() == 2) {
      Odpowiedz(Grupa::Podatnik, odp[0]);
      Odpowiedz(Grupa::Malzonek, odp[1]);
      QVERIFY(!Widoczny(k_->Odpowiedz));
    }
    if (odp.isEmpty())
      for (Grupa g : kGrupy)
        if (Widoczny(k_->GrupaOdpowiedzi(g))) Odpowiedz(g, NIE);
  }
  // The step's answers on screen: each group shown, with its answer and the texts of the boxes ticked.
  QStringList Stan() {
    QStringList stan;
    for (int gi = 0; gi < 3; ++gi) {
      TGrupaOpcji* grupa = k_->GrupaOdpowiedzi(kGrupy[gi]);
      if (!Widoczny(grupa)) continue;
      QString s = QStringLiteral("PMO")[gi] + QString::number(grupa->ItemIndex());
      for (QCheckBox* pole : k_->Pola(kGrupy[gi]))
        if (Widoczny(pole) && pole->isChecked()) s += QLatin1Char(' ') + pole->text();
      stan << s;
    }
    return stan;
  }
  // One step back: the step left last is shown again as it was left, without what leaving it added.
  void Cofnij() {
    QTest::mouseClick(Widoczny(k_->SWstecz) ? k_->SWstecz : k_->Wstecz, Qt::LeftButton);
    QCOMPARE(k_->Krok, przed_.back().krok);
    QCOMPARE(wybor::Rekordy(T()), przed_.back().rekordy);
    QCOMPARE(Stan(), przed_.back().stan);
    przed_.pop_back();
  }
  // The commands the data file gives for the step shown: boxes to look at, answers refused, and the answer.
  void Krok(std::deque<QStringList>& polecenia, const QString& forma) {
    while (!polecenia.empty() && polecenia.front().value(1) == forma) {
      const QStringList p = polecenia.front();
      polecenia.pop_front();
      if (p[0] == QLatin1String("boxes")) {
        QStringList teksty;
        for (QCheckBox* pole : k_->Pola(kGrupy[QStringLiteral("PMO").indexOf(p[2])]))
          if (Widoczny(pole)) teksty << pole->text();
        QCOMPARE(teksty.join(QStringLiteral(", ")), p.mid(3).join(QLatin1Char(' ')));
      } else if (p[0] == QLatin1String("try")) {
        OdpowiedzKrok(p.mid(2, p.indexOf(QStringLiteral("!")) - 2));
        const std::size_t okien = SkryptDialogow().pokazane.size();
        const int krok = k_->Krok;
        Dalej();
        QCOMPARE(k_->Krok, krok);
        QCOMPARE(wybor::Rekordy(T()), przed_.back().rekordy);
        QCOMPARE(SkryptDialogow().pokazane.size(), okien + 1);
        const auto& o = SkryptDialogow().pokazane.back();
        QCOMPARE(o.tekst, p.last() == QLatin1String("answer") ? kBezOdpowiedzi : kBezZalacznika);
        QVERIFY(o.tytul == QStringLiteral("UWAGA") && o.ikona == platform::Ikona::Wykrzyknik &&
                o.przyciski == platform::Przyciski::Ok);
      } else {
        return OdpowiedzKrok(p.mid(2));
      }
    }
    OdpowiedzKrok({});
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

  // Each answer, box, step button and person picture shown lies whole inside the wizard and its panels, and a click
  // anywhere on it reaches it, not a panel laid over it; the boxes shown stack from the top of their panel.
  void SprawdzKontrolki() {
    QList<QWidget*> kontrolki;
    for (Grupa g : {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna}) {
      TGrupaOpcji* grupa = k_->GrupaOdpowiedzi(g);
      if (!Widoczny(grupa)) continue;
      for (int i = 0; i < grupa->LiczbaPozycji(); ++i) kontrolki << grupa->Pozycja(i);
      int y = 59;
      for (QCheckBox* pole : k_->Pola(g))
        if (Widoczny(pole)) {
          kontrolki << pole;
          QCOMPARE(pole->y(), y);
          y += 20;
        }
      QCOMPARE(Widoczny(k_->EtykietaPol(g)), y > 59);
      // What stands below a set of boxes follows its last box.
      if (y == 59) continue;
      if (g == Grupa::Podatnik) QCOMPARE(k_->PMalzonek->y(), k_->PPodatnik->y() + y + 10);
      if (g == Grupa::Malzonek) QCOMPARE(k_->SPN->y(), k_->PMalzonek->y() + y + 10);
      if (g == Grupa::Ogolna) QCOMPARE(k_->SPN->y(), k_->PPodatnik->y() + y + 10);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{k_->SWstecz, k_->SDalej, k_->IPodatnik, k_->IMalzonek})
      if (Widoczny(w)) kontrolki << w;
    // Each person's set is marked by a picture of its own.
    for (QLabel* obrazek : {k_->IPodatnik, k_->IMalzonek})
      if (Widoczny(obrazek)) QVERIFY(!obrazek->pixmap().isNull());
    if (Widoczny(k_->IPodatnik) && Widoczny(k_->IMalzonek))
      QVERIFY(k_->IPodatnik->pixmap().toImage() != k_->IMalzonek->pixmap().toImage());
    for (QWidget* w : kontrolki) {
      const QString opis = (w->objectName().isEmpty() ? w->property("text").toString() : w->objectName()) +
                           QStringLiteral(" at step %1").arg(k_->Krok);
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
  }

  void cleanup() {
    tools_.reset();
    folder_.reset();
  }

  void walks_data() {
    QTest::addColumn<QStringList>("wiersze");
    for (const auto& [tytul, wiersze] : wybor::Przejscia("wybor_kreator.txt")) QTest::newRow(qPrintable(tytul)) << wiersze;
  }
  void walks() {
    QFETCH(QStringList, wiersze);
    int rodzaj = -1, podsumowanie = 0, pokazany = -1, prob = 0;
    QStringList pokazane, oczekiwane, druki, podsumowania;
    std::deque<QStringList> polecenia;
    for (const QString& w : wiersze) {
      const QStringList s = w.split(QLatin1Char(' '), Qt::SkipEmptyParts);
      if (s[0] == QLatin1String("kind")) std::tie(rodzaj, podsumowanie) = std::pair(wybor::Rodzaj(s[1]), s[2].toInt());
      else if (QStringList{"answer", "try", "boxes", "back"}.contains(s[0])) polecenia.push_back(s);
      else if (s[0] == QLatin1String("shown")) oczekiwane += s.mid(1);
      else if (s[0] == QLatin1String("forms")) druki += s.mid(1);
      else if (s[0] == QLatin1String("shows")) pokazany = s[1].toInt();
      else if (s[0] == QLatin1String("summary")) podsumowania << w.section(QLatin1Char('"'), 1, 1);
      else QFAIL(qPrintable(QStringLiteral("unknown line: ") + w));
      prob += s[0] == QLatin1String("try");
    }
    Start(rodzaj);
    QCOMPARE(k_->LiczbaKrokow, podsumowanie);
    QCOMPARE(T().RodzajRozliczenia, rodzaj);
    przed_.clear();
    while (k_->Krok < k_->LiczbaKrokow) {
      const int krok = k_->Krok;
      const QString forma = FormaKroku();
      pokazane << forma;
      QVERIFY2(k_->Pytanie->toPlainText().startsWith(forma + QStringLiteral(" - ")), qPrintable(forma));
      QCOMPARE(Widoczny(k_->PIPodatnik), Widoczny(k_->Podatnik));
      QCOMPARE(Widoczny(k_->PIMalzonek), Widoczny(k_->Malzonek));
      // Boxes of a group not answered yet are locked.
      for (Grupa g : kGrupy)
        for (QCheckBox* pole : k_->Pola(g))
          if (OdpowiedzGrupy(k_->Kroki[static_cast<std::size_t>(krok)], g) == kBrakOdpowiedzi) QVERIFY(!pole->isEnabled());
      przed_.push_back({krok, wybor::Rekordy(T()), {}});
      Krok(polecenia, forma);
      przed_.back().stan = Stan();
      SprawdzKontrolki();
      if (QTest::currentTestFailed()) return;
      Dalej();
      QVERIFY2(k_->Krok > krok, qPrintable(forma + QStringLiteral(" stays")));
      // The steps passed over are answered NIE.
      for (int s = krok + 1; s < k_->Krok; ++s)
        for (Grupa g : kGrupy) QCOMPARE(OdpowiedzGrupy(k_->Kroki[static_cast<std::size_t>(s)], g), kNie);
      if (polecenia.empty() || polecenia.front()[0] != QLatin1String("back")) continue;
      const QString cel = polecenia.front().value(1);
      polecenia.pop_front();
      do Cofnij();
      while (FormaKroku() != cel && !przed_.empty() && !QTest::currentTestFailed());
    }
    if (!polecenia.empty()) QFAIL(qPrintable(polecenia.front().join(' ') + " not reached"));
    QCOMPARE(pokazane, oczekiwane);
    QCOMPARE(wybor::Rekordy(T()), druki);
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t(prob));
    const auto glowne = std::count_if(druki.begin(), druki.end(), [](const QString& d) { return !d.contains('>'); });
    QCOMPARE(T().TV->topLevelItemCount(), static_cast<int>(glowne));
    QCOMPARE(k_->Zakoncz->isEnabled(), !druki.isEmpty());
    QVERIFY(!k_->Dalej->isEnabled());
    QCOMPARE(k_->HeadPytanie->text(), QStringLiteral(" Koniec doboru formularzy."));
    const QStringList wiersz = k_->Pytanie->toPlainText().split(QLatin1Char('\n'));
    if (druki.isEmpty())
      QVERIFY(k_->Pytanie->toPlainText().endsWith(
          QStringLiteral("UWAGA:\nNie wybrano żadnego formularza. Naciśnij przycisk \"Wstecz\", aby powrócić do "
                         "poprzednich kroków doboru formularzy, lub naciśnij przycisk \"Anuluj\" aby zakonczyć pracę "
                         "kreatora.")));
    else
      QCOMPARE(wiersz.mid(0, 2), (QStringList{"Na podstawie udzielonych odpowiedzi dobrano formularze:", ""}));
    if (!podsumowania.isEmpty()) QCOMPARE(wiersz.mid(2, podsumowania.size()), podsumowania);
    if (pokazany >= 0) QCOMPARE(k_->DrukDoPokazania(), pokazany);

    // Back to the start: each step reached again takes out what it added, and only that.
    while (!przed_.empty() && !QTest::currentTestFailed()) Cofnij();
    QTest::mouseClick(k_->Wstecz, Qt::LeftButton);
    QCOMPARE(k_->Krok, 0);
    QCOMPARE(T().LiczbaDrukow, 0);
    QCOMPARE(T().Druki.size(), std::size_t{50});
    QCOMPARE(T().TV->topLevelItemCount(), 0);
    QCOMPARE(k_->TypAlgorytm->ItemIndex(), rodzaj);
    QVERIFY(!k_->Wstecz->isEnabled());
    // The kind chosen again starts from a fresh table.
    Start(rodzaj);
    QCOMPARE(k_->Kroki[1].OdpowiedzOgolna, kBrakOdpowiedzi);
  }

  void randomWalk_data() {
    QTest::addColumn<int>("rodzaj");
    QTest::addColumn<quint32>("ziarno");
    for (int r = 0; r < 3; ++r)
      for (quint32 z : {1u, 2u, 3u}) QTest::addRow("kind %d seed %u", r, z) << r << z;
  }
  // Random answers, ticks and moves either way; the settlement must stay one the wizard may make.
  void randomWalk() {
    QFETCH(int, rodzaj);
    QFETCH(quint32, ziarno);
    QRandomGenerator los(ziarno);
    Start(rodzaj);
    for (int ruch = 0; ruch < 300; ++ruch) {
      for (Grupa g : kGrupy) {
        if (!Widoczny(k_->GrupaOdpowiedzi(g)) || los.bounded(4) == 0) continue;
        Odpowiedz(g, los.bounded(3) == 0 ? NIE : TAK);
        for (QCheckBox* pole : k_->Pola(g))
          if (Widoczny(pole) && los.bounded(2) == 0) Zaznacz(pole);
      }
      if (k_->Krok == 0 || (k_->Krok < k_->LiczbaKrokow && los.bounded(10) < 7)) {
        if (k_->Krok == 0) k_->TypAlgorytm->Pozycja(rodzaj)->click();
        Dalej();
      } else {
        QTest::mouseClick(k_->Wstecz, Qt::LeftButton);
      }
      SprawdzRekordy(rodzaj);
      if (QTest::currentTestFailed()) return;
    }
    while (k_->Krok > 0) QTest::mouseClick(k_->Wstecz, Qt::LeftButton);
    QCOMPARE(T().LiczbaDrukow, 0);
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

  void headingCountsStepsWhenTheToolsAreOpen() {
    Start(Indywidualne);
    T().BlokadaNarzedzi = 0;
    Ogolnie({TAK});
    QCOMPARE(k_->HeadPytanie->text(), QStringLiteral("  Krok 3 / 19 Dobór: PIT-36L - rozliczenie indywidualne "));
    Ogolnie({NIE, NIE, NIE});
    QCOMPARE(k_->HeadPytanie->text(),
             QStringLiteral("  Krok 15 / 19 Dobór załączników: PIT/D - rozliczenie indywidualne "));
  }

  void waysOut_data() {
    QTest::addColumn<int>("sposob");
    QTest::newRow("Zakończ") << 0;
    QTest::newRow("Anuluj") << 1;
    QTest::newRow("Escape") << 2;
    QTest::newRow("window closed") << 3;
  }
  // Zakończ keeps the settlement as a new modified one; every other way out drops it and brings the welcome back.
  void waysOut() {
    QFETCH(int, sposob);
    T().PokazPowitanie(false);
    Start(Indywidualne);
    Ogolnie({NIE, TAK, NIE, NIE, NIE, TAK});  // PIT-36 with a PIT/B
    for (; sposob == 0 && k_->Krok < k_->LiczbaKrokow; Dalej()) OdpowiedzKrok({});
    if (sposob < 2) QTest::mouseClick(sposob == 0 ? k_->Zakoncz : k_->Anuluj, Qt::LeftButton);
    if (sposob == 2) QTest::keyClick(k_, Qt::Key_Escape);
    if (sposob == 3) k_->close();
    const bool zostaje = sposob == 0;
    QVERIFY(k_->isHidden());
    QCOMPARE(k_->result(), int{zostaje ? QDialog::Accepted : QDialog::Rejected});
    QCOMPARE(wybor::Rekordy(T()), zostaje ? QStringList({"PIT-36", "PIT/B>1"}) : QStringList());
    QCOMPARE(T().TV->topLevelItemCount(), int{zostaje});
    QCOMPARE(T().Zmodyfikowane, int{zostaje});
    QCOMPARE(T().ToolButtonSave->isEnabled(), zostaje);
    QCOMPARE(T().Powitanie->isHidden() && T().RozpocznijPrace->isHidden(), zostaje);
    QCOMPARE(zostaje ? T().NazwaRozliczenia : T().DobraneFormularze->text(),
             zostaje ? QStringLiteral("nowe_rozliczenie.dc8")
                     : QStringLiteral("Informacja o programie Velmar 2008 - rozliczenie roczne podatku dochodowego."));
  }
};

VELMAR_TEST_MAIN(TstKreator)
#include "tst_kreator.moc"
