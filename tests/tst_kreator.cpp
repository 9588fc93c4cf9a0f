// The question wizard: walks read from data/wybor_kreator.txt (answers given, questions asked, forms chosen, and
// every step undone on the way back), then the checks before Dalej, the attach boxes, the summary and the ways out.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTreeWidget>

#include <algorithm>
#include <map>

#include <sys/stat.h>

#include "main/tools.h"
#include "selection/grupa_opcji.h"
#include "selection/kreator.h"
#include "support/program.h"
#include "support/test_main.h"

using namespace velmar_test;

namespace {

constexpr int TAK = 0;
constexpr int NIE = 1;

// One walk of the data file: the answers by form asked, the forms asked, the records made, the summary lines.
struct Przejscie {
  int rodzaj = 0;
  int podsumowanie = 0;
  int pokazany = -1;
  std::map<QString, QStringList> odpowiedzi;
  QStringList pokazane, druki, podsumowania;
};

}  // namespace
Q_DECLARE_METATYPE(Przejscie)
namespace {

std::vector<std::pair<QString, Przejscie>> WczytajPrzejscia() {
  QFile plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/wybor_kreator.txt"));
  if (!plik.open(QIODevice::ReadOnly | QIODevice::Text)) qFatal("no wizard walks");
  std::vector<std::pair<QString, Przejscie>> wynik;
  for (const QString& surowy : QString::fromUtf8(plik.readAll()).split(QLatin1Char('\n'))) {
    if (surowy.startsWith(QLatin1String("= "))) wynik.emplace_back(surowy.mid(2), Przejscie{});
    const QStringList s = surowy.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (s.isEmpty() || s[0] == QLatin1String("#") || s[0] == QLatin1String("=") || wynik.empty()) continue;
    Przejscie& p = wynik.back().second;
    if (s[0] == QLatin1String("kind")) {
      p.rodzaj = static_cast<int>(QStringLiteral("IJS").indexOf(s.value(1)));
      p.podsumowanie = s.value(2).toInt();
    } else if (s[0] == QLatin1String("answer")) {
      p.odpowiedzi[s.value(1)] = s.mid(2);
    } else if (s[0] == QLatin1String("shown")) {
      p.pokazane += s.mid(1);
    } else if (s[0] == QLatin1String("forms")) {
      p.druki += s.mid(1);
    } else if (s[0] == QLatin1String("shows")) {
      p.pokazany = s.value(1).toInt();
    } else if (s[0] == QLatin1String("summary")) {
      p.podsumowania << surowy.section(QLatin1Char('"'), 1, 1);
    } else {
      qFatal("unknown line in the wizard walks: %s", qPrintable(surowy));
    }
  }
  return wynik;
}

QStringList Wiersze(const QTextEdit* edycja) { return edycja->toPlainText().split(QLatin1Char('\n')); }

const QString kBezOdpowiedzi =
    QStringLiteral("Nie udzielono wszystkich odpowiedzi. Udziel odpowiedzi i spróbuj ponownie.");
const QString kBezZalacznika =
    QStringLiteral("Nie zaznaczono żadnego z załączników. Udziel odpowiedzi i spróbuj ponownie.");
const QString kRodzaje[] = {QStringLiteral(" - rozliczenie indywidualne "),
                            QStringLiteral(" - rozliczenie wspólnie z małżonkiem "),
                            QStringLiteral(" - rozliczenie osoby samotnie wychowującej dziecko")};

}  // namespace

class TstKreator : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<TTools> tools_;
  TKreator* k_ = nullptr;

  TTools& T() { return *tools_; }
  void Dalej() { QTest::mouseClick(k_->Dalej, Qt::LeftButton); }
  void Wstecz() { QTest::mouseClick(k_->Wstecz, Qt::LeftButton); }
  void Odpowiedz(Grupa g, int i) { k_->GrupaOdpowiedzi(g)->Pozycja(i)->click(); }
  void Zaznacz(QCheckBox* pole) { QTest::mouseClick(pole, Qt::LeftButton, {}, QPoint(6, pole->height() / 2)); }
  bool Widoczny(const QWidget* w) const { return w->isVisibleTo(k_); }
  QString Komunikat() { return SkryptDialogow().pokazane.back().tekst; }

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

  // The settlement as the data file writes it.
  QStringList Druki() {
    QStringList l;
    for (int i = 1; i <= T().LiczbaDrukow; ++i) {
      const TDruk& d = T().Druki[static_cast<std::size_t>(i)];
      QString r = NaQString(T().TypyDrukow[static_cast<std::size_t>(d.IdPit)].Nazwa);
      if (d.PM != 0) r += QStringLiteral(":%1").arg(d.PM);
      if (d.IdParent != 0) r += QStringLiteral(">%1").arg(d.IdParent);
      if (d.Rodzaj != k_->Rodzaj) r += QStringLiteral(" of kind %1").arg(d.Rodzaj);
      l << r;
    }
    return l;
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
  // Answers one group as the data file says: T, N, - (group not shown) or T:1,3 (boxes to click).
  void Odpowiedz(Grupa g, const QString& co) {
    QCOMPARE(Widoczny(k_->GrupaOdpowiedzi(g)), co != QStringLiteral("-"));
    if (co == QStringLiteral("-")) return;
    Odpowiedz(g, co.startsWith(QLatin1Char('T')) ? TAK : NIE);
    for (const QString& nr : co.section(QLatin1Char(':'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
      QCheckBox* pole = k_->Pola(g)[static_cast<std::size_t>(nr.toInt() - 1)];
      QVERIFY2(Widoczny(pole) && pole->isEnabled(), qPrintable(QStringLiteral("box ") + nr));
      Zaznacz(pole);
    }
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
    QVERIFY(SkryptDialogow().pokazane.empty());
  }

  void cleanup() {
    tools_.reset();
    folder_.reset();
  }

  void walks_data() {
    QTest::addColumn<Przejscie>("p");
    for (const auto& [nazwa, p] : WczytajPrzejscia()) QTest::newRow(qPrintable(nazwa)) << p;
  }
  void walks() {
    QFETCH(Przejscie, p);
    Start(p.rodzaj);
    QCOMPARE(k_->LiczbaKrokow, p.podsumowanie);
    QCOMPARE(T().RodzajRozliczenia, p.rodzaj);
    QStringList pokazane;
    std::vector<std::pair<int, QStringList>> przed;  // each step shown, with the settlement before it was left
    while (k_->Krok < k_->LiczbaKrokow) {
      const int krok = k_->Krok;
      const QString forma = FormaKroku();
      pokazane << forma;
      QVERIFY2(k_->Pytanie->toPlainText().startsWith(forma + QStringLiteral(" - ")), qPrintable(forma));
      QCOMPARE(Widoczny(k_->PIPodatnik), Widoczny(k_->Podatnik));
      QCOMPARE(Widoczny(k_->PIMalzonek), Widoczny(k_->Malzonek));
      przed.emplace_back(krok, Druki());
      const QStringList odp = p.odpowiedzi.count(forma) ? p.odpowiedzi[forma] : QStringList{};
      if (odp.size() == 1) Odpowiedz(Grupa::Ogolna, odp[0]);
      if (odp.size() == 2) {
        Odpowiedz(Grupa::Podatnik, odp[0]);
        Odpowiedz(Grupa::Malzonek, odp[1]);
        QVERIFY(!Widoczny(k_->Odpowiedz));
      }
      SprawdzKontrolki();
      if (QTest::currentTestFailed()) return;
      if (odp.isEmpty())
        for (Grupa g : {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna})
          if (Widoczny(k_->GrupaOdpowiedzi(g))) Odpowiedz(g, NIE);
      Dalej();
      QVERIFY2(k_->Krok > krok, qPrintable(forma + QStringLiteral(" stays")));
      // The steps passed over are answered NIE.
      for (int s = krok + 1; s < k_->Krok; ++s)
        for (Grupa g : {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna})
          QCOMPARE(OdpowiedzGrupy(k_->Kroki[static_cast<std::size_t>(s)], g), kNie);
    }
    QCOMPARE(pokazane, p.pokazane);
    QCOMPARE(Druki(), p.druki);
    const auto glowne = std::count_if(p.druki.begin(), p.druki.end(), [](const QString& d) { return !d.contains('>'); });
    QCOMPARE(T().TV->topLevelItemCount(), static_cast<int>(glowne));
    QCOMPARE(k_->Zakoncz->isEnabled(), !p.druki.isEmpty());
    QVERIFY(!k_->Dalej->isEnabled());
    QCOMPARE(k_->HeadPytanie->text(), QStringLiteral(" Koniec doboru formularzy."));
    const QStringList wiersze = Wiersze(k_->Pytanie);
    if (p.druki.isEmpty())
      QVERIFY(k_->Pytanie->toPlainText().endsWith(
          QStringLiteral("UWAGA:\nNie wybrano żadnego formularza. Naciśnij przycisk \"Wstecz\", aby powrócić do "
                         "poprzednich kroków doboru formularzy, lub naciśnij przycisk \"Anuluj\" aby zakonczyć pracę "
                         "kreatora.")));
    else
      QCOMPARE(wiersze.mid(0, 2), (QStringList{"Na podstawie udzielonych odpowiedzi dobrano formularze:", ""}));
    if (!p.podsumowania.isEmpty()) QCOMPARE(wiersze.mid(2, p.podsumowania.size()), p.podsumowania);
    if (p.pokazany >= 0) QCOMPARE(k_->DrukDoPokazania(), p.pokazany);

    // Back to the start: each step reached again takes out what it added, and only that.
    for (auto it = przed.rbegin(); it != przed.rend(); ++it) {
      Wstecz();
      QCOMPARE(k_->Krok, it->first);
      QCOMPARE(Druki(), it->second);
    }
    Wstecz();
    QCOMPARE(k_->Krok, 0);
    QCOMPARE(T().LiczbaDrukow, 0);
    QCOMPARE(T().Druki.size(), std::size_t{50});
    QCOMPARE(T().TV->topLevelItemCount(), 0);
    QCOMPARE(k_->TypAlgorytm->ItemIndex(), p.rodzaj);
    QVERIFY(!k_->Wstecz->isEnabled());
    // The kind chosen again starts from a fresh table.
    Start(p.rodzaj);
    QCOMPARE(k_->Kroki[1].OdpowiedzOgolna, kBrakOdpowiedzi);
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

  void boxesStackFromTheTop() {
    Start(Indywidualne);
    Ogolnie({NIE, NIE, TAK, NIE, NIE});  // PIT-36L only
    QCOMPARE(k_->Krok, 6);
    QVERIFY(!Widoczny(k_->OZ[0]) && Widoczny(k_->OZ[1]) && Widoczny(k_->TextO) && Widoczny(k_->SPN));
    QCOMPARE(k_->OZ[1]->text(), QStringLiteral("Pit-36L"));
    QVERIFY(!k_->OZ[1]->isEnabled());  // no answer yet
    QTest::mouseClick(k_->SWstecz, Qt::LeftButton);
    QCOMPARE(k_->Krok, 5);
    for (QCheckBox* pole : k_->OZ) QVERIFY(!Widoczny(pole));
    QVERIFY(!Widoczny(k_->TextO));
  }

  void jointBoxesOfEachPerson() {
    Start(WspolneZMalzonkiem);
    Ogolnie({NIE, TAK});  // PIT-36
    NieDo(4);
    Odpowiedz(Grupa::Podatnik, NIE);
    Odpowiedz(Grupa::Malzonek, TAK);  // the spouse's PIT-38
    Dalej();
    NieDo(10);
    // The taxpayer has no PIT-38: one box; the spouse may attach to both.
    QVERIFY(Widoczny(k_->PZ[0]) && !Widoczny(k_->PZ[1]) && Widoczny(k_->PIPodatnik) && Widoczny(k_->TextP));
    QCOMPARE(k_->MZ[0]->text(), QStringLiteral("Pit-36"));
    QCOMPARE(k_->MZ[1]->text(), QStringLiteral("Pit-38 (Małżonka)"));
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
    QCOMPARE(Druki().value(2), QStringLiteral("PIT/B>2"));
  }

  void jointMissingAnswerTakesPrecedence() {
    Start(WspolneZMalzonkiem);
    Ogolnie({NIE, TAK});
    NieDo(4);
    Odpowiedz(Grupa::Podatnik, NIE);
    Odpowiedz(Grupa::Malzonek, TAK);
    Dalej();
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

  void headingCountsStepsWhenTheToolsAreOpen() {
    Start(Indywidualne);
    T().BlokadaNarzedzi = 0;
    Ogolnie({TAK});
    QCOMPARE(k_->HeadPytanie->text(), QStringLiteral("  Krok 3 / 19 Dobór: PIT-36L - rozliczenie indywidualne "));
    Ogolnie({NIE, NIE, NIE});
    QCOMPARE(k_->HeadPytanie->text(),
             QStringLiteral("  Krok 15 / 19 Dobór załączników: PIT/D - rozliczenie indywidualne "));
  }

  void finishKeepsTheSettlement() {
    Start(Indywidualne);
    Ogolnie({NIE, TAK, NIE, NIE, NIE, TAK});  // PIT-36 with a PIT/B
    NieDo(k_->LiczbaKrokow);
    QTest::mouseClick(k_->Zakoncz, Qt::LeftButton);
    QVERIFY(k_->isHidden());
    QCOMPARE(k_->result(), int{QDialog::Accepted});
    QCOMPARE(T().Zmodyfikowane, 1);
    QVERIFY(T().ToolButtonSave->isEnabled());
    QCOMPARE(T().NazwaRozliczenia, QStringLiteral("nowe_rozliczenie.dc8"));
    QCOMPARE(T().LiczbaDrukow, 2);
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

  void markerPicturesAreShown() {
    QVERIFY(k_->IPodatnik->pixmap().width() > 0);
    QVERIFY(k_->IMalzonek->pixmap().width() > 0);
    QVERIFY(k_->IPodatnik->pixmap().toImage() != k_->IMalzonek->pixmap().toImage());
  }
};

VELMAR_TEST_MAIN(TstKreator)
#include "tst_kreator.moc"
