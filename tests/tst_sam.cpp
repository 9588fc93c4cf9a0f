// The manual chooser: the candidate lists of each settlement kind with the copies of multi-copy forms, the tree and
// its exclusion rules, the kind group, leaving, and the hand-over of the choice to the settlement.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <array>
#include <memory>

#include "main/tools.h"
#include "model/rekordy.h"
#include "pages/fimage.h"
#include "selection/grupa_opcji.h"
#include "selection/kreator.h"
#include "selection/sam.h"
#include "support/program.h"
#include "support/test_main.h"

using namespace velmar_test;

namespace {

constexpr int W = PMWspolny, Pd = PMPodatnik;

// A field of every form that neither the structure files nor the identification exchange touch: what a test writes
// there stays only as long as the record does.
constexpr std::size_t kPoleTestu = 50;

}  // namespace

class TstSam : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<TTools> tools_;
  std::unique_ptr<TFImage> image_;
  TSam* sam_ = nullptr;  // a child of the main window

  TTools& T() { return *tools_; }
  TSam& S() { return *sam_; }
  TDruk& K(int i) { return T().Kandydaci.at(static_cast<std::size_t>(i)); }
  QTreeWidgetItem* Wezel(int i) { return K(i).Wezel; }
  // The candidate of a form type by owner, under the main form of a type and owner (0 = itself a main form).
  int Indeks(int idPit, int pm = PMWspolny, int glowny = 0, int pmGlownego = PMWspolny) {
    const int rodzic = glowny == 0 ? 0 : S().ZnajdzKandydata(glowny, 0, pmGlownego);
    return S().ZnajdzKandydata(idPit, rodzic, pm);
  }
  // The candidate written FORM[:owner][<MAIN FORM[:owner]], forms by their catalogue names.
  int Indeks(const QString& c) {
    const auto typ = [this](const QString& t) {
      const QString nazwa = t.section(QLatin1Char(':'), 0, 0);
      for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod)
        if (NaQString(T().TypyDrukow[static_cast<std::size_t>(kod)].Nazwa) == nazwa) return kod;
      return -1;
    };
    const QString druk = c.section(QLatin1Char('<'), 0, 0), glowny = c.section(QLatin1Char('<'), 1);
    return Indeks(typ(druk), druk.section(QLatin1Char(':'), 1).toInt(), glowny.isEmpty() ? 0 : typ(glowny),
                  glowny.section(QLatin1Char(':'), 1).toInt());
  }
  void Zaznacz(int i) { Wezel(i)->setCheckState(0, Qt::Checked); }
  void Odznacz(int i) { Wezel(i)->setCheckState(0, Qt::Unchecked); }
  bool Zaznaczony(int i) { return Wezel(i)->checkState(0) == Qt::Checked; }
  bool Wybrany(int i) { return K(i).Wybrany == 1; }
  QStringList Komunikaty() { return SkryptDialogow().Teksty(); }

  // The chooser opened for a new settlement of a kind, as "samodzielnie" opens it.
  void NoweRozliczenie(int rodzaj) {
    T().RodzajRozliczenia = rodzaj;
    S().show();
  }
  // A settlement record, with a value in the test's field when given one.
  struct Rekord {
    int idPit, idParent, pm = PMWspolny;
    const char* wartosc = nullptr;
  };
  // A settlement of these records, as opening a file leaves it.
  void Rozliczenie(int rodzaj, std::initializer_list<Rekord> rekordy) {
    T().PrzydzielDruki(static_cast<int>(rekordy.size()));
    for (const Rekord& r : rekordy) Dodaj(r.idPit, r.idParent, r.pm, rodzaj, r.wartosc);
    T().BudujDrzewo();
  }
  void Dodaj(int idPit, int idParent, int pm, int rodzaj, const char* wartosc = nullptr) {
    T().DodajDruk(idPit, idParent, pm, rodzaj);
    if (!wartosc) return;
    TDruk& d = T().Druki[static_cast<std::size_t>(T().LiczbaDrukow)];
    UstawBajty(d.Pola[kPoleTestu].Wartosc, wartosc);
    d.Wczytany = 1;
  }
  // Records in the main window's list: type, owner, main-form type and the test's value, one line each.
  QStringList Opis() {
    QStringList wiersze;
    for (int i = 1; i <= T().LiczbaDrukow; ++i) {
      const TDruk& d = T().Druki[static_cast<std::size_t>(i)];
      const int glowny = d.IdParent > 0 ? T().Druki[static_cast<std::size_t>(d.IdParent)].IdPit : 0;
      wiersze << QStringLiteral("%1/%2<%3 %4")
                     .arg(d.IdPit)
                     .arg(d.PM)
                     .arg(glowny)
                     .arg(QString::fromLatin1(Tekst(d.Pola[kPoleTestu].Wartosc)));
    }
    return wiersze;
  }
  static QStringList Dzieci(QTreeWidgetItem* wezel) {
    QStringList teksty;
    for (int i = 0; i < wezel->childCount(); ++i) teksty << wezel->child(i)->text(0);
    return teksty;
  }
  void Zatwierdz() {
    QVERIFY(S().Zatwierdzam->isEnabled());
    QTest::mouseClick(S().Zatwierdzam, Qt::LeftButton);
  }
  // The record on screen; its node is the one selected in the main window's tree.
  int Pokazany() {
    const int id = T().BiezacyDruk.Id;
    return T().TV->currentItem() == T().Druki[static_cast<std::size_t>(id)].Wezel ? id : -1;
  }

 private slots:
  // Every form gets two fields with defaults, a text and an amount, and a header of no pages: a form chosen to be
  // shown is shown without any computation touching the values.
  void init() {
    folder_ = std::make_unique<FolderProgramu>();
    TNaglowekFormularza bezStron;
    std::array<std::uint8_t, rekordy::kRozmiarNaglowkaFormularza> naglowek{};
    rekordy::Zakoduj(bezStron, naglowek);
    for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod) {
      folder_->ZapiszDcs(kod, {NowyObiekt(Text, 1, "nazwa", ""), NowyObiekt(Liczba, 1, "kwota", "0,00")});
      QFile plik(folder_->Dc() + QStringLiteral("%1.dcd").arg(kod));
      QVERIFY(plik.open(QIODevice::WriteOnly));
      plik.write(reinterpret_cast<const char*>(naglowek.data()), static_cast<qint64>(naglowek.size()));
    }
    tools_ = NoweOkno(*folder_);
    image_ = std::make_unique<TFImage>();
    sam_ = new TSam(tools_.get());
    SkryptDialogow().pokazane.clear();
  }
  // The page view goes first, as at the program's end.
  void cleanup() {
    image_.reset();
    tools_.reset();
    folder_.reset();
  }

  void tickingAnAttachmentTicksItsMainForm() {
    NoweRozliczenie(Indywidualne);
    const int pit37 = Indeks(Pit37), pitO = Indeks(PitO, W, Pit37);
    QVERIFY(S().RodzRozl->isEnabled());
    Zaznacz(pitO);
    QVERIFY(Zaznaczony(pit37) && Wybrany(pit37) && Wybrany(pitO));
    QCOMPARE(S().LiczbaWybranych(), 2);
    QVERIFY(S().Zatwierdzam->isEnabled());
    QVERIFY(!S().RodzRozl->isEnabled());
    QCOMPARE(T().KandydatKlikniety.Id, pitO);
    QVERIFY(Komunikaty().isEmpty());

    // Unticking the attachment leaves the main form.
    Odznacz(pitO);
    QVERIFY(!Wybrany(pitO));
    QVERIFY(Wybrany(pit37) && Zaznaczony(pit37));
    QVERIFY(S().Zatwierdzam->isEnabled());

    // Unticking the main form takes every attachment with it.
    const int pitD = Indeks(PitD, W, Pit37);
    Zaznacz(pitO);
    Zaznacz(pitD);
    Zaznacz(Indeks(Pit28));
    Odznacz(pit37);
    for (int i : {pit37, pitO, pitD}) QVERIFY(!Wybrany(i) && !Zaznaczony(i));
    QCOMPARE(S().LiczbaWybranych(), 1);

    // Nothing left: the kind may change again and there is nothing to confirm.
    Odznacz(Indeks(Pit28));
    QCOMPARE(S().LiczbaWybranych(), 0);
    QVERIFY(!S().Zatwierdzam->isEnabled());
    QVERIFY(S().RodzRozl->isEnabled());
  }

  void theSpaceKeyActsAsAPress() {
    NoweRozliczenie(Indywidualne);
    const int pitZG = Indeks(PitZG, W, Pit38);
    S().STV->setCurrentItem(Wezel(pitZG));
    QTest::keyClick(S().STV, Qt::Key_Space);
    QVERIFY(Zaznaczony(pitZG) && Wybrany(pitZG));
    QVERIFY(Wybrany(Indeks(Pit38)));
    QVERIFY(S().Zatwierdzam->isEnabled());
  }

  // Candidates ticked without objection, then one more: refused with the message given, or taken when none is.
  // The rows of data/wybor_wykluczenia.txt.
  void exclusionRules_data() {
    QTest::addColumn<QStringList>("wiersz");
    QFile plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/wybor_wykluczenia.txt"));
    QVERIFY(plik.open(QIODevice::ReadOnly | QIODevice::Text));
    for (const QString& w : QString::fromUtf8(plik.readAll()).split(QLatin1Char('\n'))) {
      const QStringList pola = w.split(QStringLiteral(" | "));
      if (pola.size() == 4 && !w.startsWith(QLatin1Char('#')))
        QTest::newRow(qPrintable(pola[0] + ": " + pola[2] + " after " + pola[1])) << pola;
    }
  }
  void exclusionRules() {
    QFETCH(QStringList, wiersz);
    NoweRozliczenie(static_cast<int>(QStringLiteral("IJS").indexOf(wiersz[0])));
    QList<int> przed;
    for (const QString& c : wiersz[1].split(QLatin1Char(' '))) przed << Indeks(c);
    const int i = Indeks(wiersz[2]);
    QVERIFY(!przed.contains(-1) && i > 0);
    for (int k : przed) Zaznacz(k);
    QVERIFY(Komunikaty().isEmpty());
    std::vector<bool> stan;
    for (int k = 1; k <= T().LiczbaKandydatow; ++k) stan.push_back(Wybrany(k));

    Zaznacz(i);
    if (wiersz[3] == QStringLiteral("-")) {
      QVERIFY(Komunikaty().isEmpty());
      for (int k : przed + QList<int>{i}) QVERIFY(Zaznaczony(k) && Wybrany(k));
      return;
    }
    // A refused tick leaves the candidate unticked and unselected and changes nothing else, its main form included.
    QCOMPARE(Komunikaty(), QStringList{QStringLiteral("UWAGA!\n") + wiersz[3]});
    for (int k = 1; k <= T().LiczbaKandydatow; ++k) {
      QCOMPARE(Wybrany(k), bool(stan[static_cast<std::size_t>(k - 1)]));
      QCOMPARE(Zaznaczony(k), Wybrany(k));
    }
  }

  void aNodeOfNoCandidateIsIgnored() {
    NoweRozliczenie(Indywidualne);
    auto* obcy = new QTreeWidgetItem(S().STV);
    obcy->setFlags(obcy->flags() | Qt::ItemIsUserCheckable);
    obcy->setCheckState(0, Qt::Checked);
    QCOMPARE(S().LiczbaWybranych(), 0);
    QVERIFY(!S().Zatwierdzam->isEnabled());
    QVERIFY(Komunikaty().isEmpty());
  }

  void choosingAnotherKindRebuilds() {
    TKreator kreator(&T());
    NoweRozliczenie(Indywidualne);
    QCOMPARE(S().windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), &S());
    QCOMPARE(S().windowTitle(), QStringLiteral("Samodzielny dobór formularzy rozliczeniowych Velmar 2008"));
    QTest::mouseClick(S().RodzRozl->Pozycja(WspolneZMalzonkiem), Qt::LeftButton);
    QCOMPARE(T().RodzajRozliczenia, int(WspolneZMalzonkiem));
    QCOMPARE(kreator.Rodzaj, int(WspolneZMalzonkiem));
    QCOMPARE(T().LiczbaKandydatow, 48);
    QCOMPARE(S().STV->topLevelItemCount(), 6);
    QTest::mouseClick(S().RodzRozl->Pozycja(SamotnieWychowujacy), Qt::LeftButton);
    QCOMPARE(T().LiczbaKandydatow, 28);
    QCOMPARE(kreator.Rodzaj, int(SamotnieWychowujacy));
  }

  void leavingANewChoiceReturnsToTheWelcome_data() {
    QTest::addColumn<bool>("przyciskiem");
    QTest::newRow("Rezygnuję") << true;
    QTest::newRow("close box") << false;
  }
  void leavingANewChoiceReturnsToTheWelcome() {
    QFETCH(bool, przyciskiem);
    T().PokazPowitanie(false);
    NoweRozliczenie(Indywidualne);
    Zaznacz(Indeks(Pit37));
    if (przyciskiem)
      QTest::mouseClick(S().Rezygnuje, Qt::LeftButton);
    else
      S().close();
    QVERIFY(!S().isVisible());
    QVERIFY(!T().Powitanie->isHidden() && !T().RozpocznijPrace->isHidden());
    QCOMPARE(T().DobraneFormularze->text(),
             QStringLiteral("Informacja o programie Velmar 2008 - rozliczenie roczne podatku dochodowego."));
    QCOMPARE(T().LiczbaKandydatow, 0);
    QVERIFY(!T().MaDruki());
  }

  void leavingOnTheCurrentSettlementChangesNothing() {
    TTools& t = T();
    Rozliczenie(Indywidualne, {{Pit37, 0, W, "100,00"}, {PitO, 1, W, "7,00"}});
    t.PokazPowitanie(false);
    const QStringList przed = Opis();
    t.Zmiana->click();
    Odznacz(Indeks(Pit37));
    QTest::mouseClick(S().Rezygnuje, Qt::LeftButton);
    QVERIFY(!S().isVisible());
    QCOMPARE(Opis(), przed);
    QCOMPARE(t.TV->topLevelItemCount(), 1);
    QVERIFY(t.Powitanie->isHidden());
    QCOMPARE(t.Zmodyfikowane, std::uint8_t{0});
  }

  // The lists of data/wybor_kandydaci.txt, and the tree over them.
  void newSettlementListsHoldTheirTables_data() {
    QTest::addColumn<int>("rodzaj");
    QTest::addColumn<QStringList>("lista");
    QFile plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/wybor_kandydaci.txt"));
    QVERIFY(plik.open(QIODevice::ReadOnly | QIODevice::Text));
    std::vector<std::pair<QString, QStringList>> listy;
    QString glowny;
    for (const QString& wiersz : QString::fromUtf8(plik.readAll()).split(QLatin1Char('\n'))) {
      const QStringList s = wiersz.split(QLatin1Char(' '), Qt::SkipEmptyParts);
      if (s.isEmpty() || s[0] == QLatin1String("#")) continue;
      if (s[0] == QLatin1String("kind"))
        listy.emplace_back(s.value(1), QStringList{});
      else if (wiersz.startsWith(QLatin1Char(' ')))
        for (const QString& z : s) listy.back().second << glowny + QStringLiteral(" > ") + z;
      else
        listy.back().second << (glowny = s[0]);
    }
    for (const auto& [rodzaj, lista] : listy)
      QTest::newRow(qPrintable(rodzaj)) << static_cast<int>(QStringLiteral("IJS").indexOf(rodzaj)) << lista;
  }
  void newSettlementListsHoldTheirTables() {
    QFETCH(int, rodzaj);
    QFETCH(QStringList, lista);
    NoweRozliczenie(rodzaj);
    QCOMPARE(T().DodatkoweKopie, 0);
    QCOMPARE(S().LiczbaWybranych(), 0);
    QVERIFY(!S().Zatwierdzam->isEnabled());
    QCOMPARE(S().RodzRozl->ItemIndex(), rodzaj);
    QStringList jest;
    int korzenie = 0;
    for (int i = 1; i <= T().LiczbaKandydatow; ++i) {
      const TDruk& k = K(i);
      const auto nazwa = [this](const TDruk& d) {
        return NaQString(T().TypyDrukow.at(static_cast<std::size_t>(d.IdPit)).Nazwa) +
               (d.PM ? QStringLiteral(":%1").arg(d.PM) : QString());
      };
      jest << (k.IdParent == 0 ? nazwa(k) : nazwa(K(k.IdParent)) + QStringLiteral(" > ") + nazwa(k));
      QCOMPARE(k.Id, i);
      QVERIFY(k.Wezel);
      QCOMPARE(k.Wezel->checkState(0), Qt::Unchecked);
      QCOMPARE(k.Wezel->parent(), k.IdParent == 0 ? nullptr : Wezel(k.IdParent));
      QCOMPARE(k.Wezel->font(0).bold(), k.IdParent == 0);
      korzenie += k.IdParent == 0;
    }
    QCOMPARE(jest, lista);
    QCOMPARE(S().STV->topLevelItemCount(), korzenie);
    QCOMPARE(S().STV->currentItem(), Wezel(1));
  }

  void copiesOfTheSettlementGetCandidates() {
    Rozliczenie(Indywidualne, {{Pit36, 0}, {PitB, 1}, {Pit36L, 0}, {PitB, 3}, {PitB, 1}, {PitB, 1}});
    T().Zmiana->click();

    QCOMPARE(T().DodatkoweKopie, 2);
    QCOMPARE(T().LiczbaKandydatow, 37);
    QCOMPARE(K(6).NrKopii, 1);
    QCOMPARE(K(15).NrKopii, 1);
    for (int i : {36, 37}) {
      QCOMPARE(K(i).IdPit, int(PitB));
      QCOMPARE(K(i).IdParent, 1);
      QCOMPARE(K(i).NrKopii, i - 34);
      QCOMPARE(K(i).Wezel->parent(), Wezel(1));
    }
    QCOMPARE(Wezel(6)->text(0), QStringLiteral("PIT/B (1)"));
    QCOMPARE(Wezel(36)->text(0), QStringLiteral("PIT/B (2)"));
    QCOMPARE(Wezel(37)->text(0), QStringLiteral("PIT/B (3)"));
    QCOMPARE(Wezel(15)->text(0), QStringLiteral("PIT/B (1)"));  // a single copy is still numbered
    QCOMPARE(Wezel(15)->parent(), Wezel(14));
    QCOMPARE(Wezel(7)->text(0), QStringLiteral("PIT/Z"));  // a one-copy form carries no number
    // Copies are matched in list order, so the three records tick copies 1, 2 and 3.
    for (int i : {1, 6, 14, 15, 36, 37}) QVERIFY2(Zaznaczony(i), qPrintable(QString::number(i)));
    QCOMPARE(S().LiczbaWybranych(), 6);
  }

  void copiesCountByMainFormTypeAndOwner() {
    Rozliczenie(Indywidualne, {{Pit28, 0}, {PitO, 1}, {PitO, 1}, {Pit37, 0}, {PitO, 4}});
    QCOMPARE(S().PoliczDodatkoweKopie(PitO, Pit28, PMWspolny), 1);
    QCOMPARE(S().PoliczDodatkoweKopie(PitO, Pit37, PMWspolny), 0);
    QCOMPARE(S().PoliczDodatkoweKopie(PitO, Pit36, PMWspolny), 0);
    T().Zmiana->click();
    QCOMPARE(T().LiczbaKandydatow, 36);
    QCOMPARE(K(36).NrKopii, 2);
    QCOMPARE(K(36).IdParent, 28);

    // Joint: the taxpayer's PIT/ZG under PIT-36 and under the taxpayer's PIT-38 are one copy each.
    T().WyczyscRozliczenie();
    Rozliczenie(WspolneZMalzonkiem, {{Pit36, 0}, {PitZG, 1, Pd}, {Pit38, 0, Pd}, {PitZG, 3, Pd}});
    S().reject();
    T().Zmiana->click();
    QCOMPARE(T().RodzajRozliczenia, int(WspolneZMalzonkiem));
    QCOMPARE(T().LiczbaKandydatow, 48);
    QCOMPARE(S().LiczbaWybranych(), 4);
    QCOMPARE(Wezel(Indeks(PitZG, PMPodatnik, Pit38, PMPodatnik))->text(0), QStringLiteral("PIT/ZG (Podatnik) (1)"));
  }

  void searchesFindTheLowestFreeCopy() {
    // No list yet, and a node that is no candidate's.
    QCOMPARE(S().ZnajdzKandydata(Pit36, 0, 0), -1);
    QCOMPARE(S().ZnajdzWolnegoKandydata(Pit36, 0, 0), -1);
    QCOMPARE(S().ZnajdzWybranegoKandydata(Pit36), -1);
    const TDruk brak = S().ZnajdzKandydataWezla(nullptr);
    QCOMPARE(brak.Id, -1);
    QVERIFY(!brak.Wezel);

    Rozliczenie(Indywidualne, {{Pit36, 0}, {PitO, 1}, {PitO, 1}, {PitO, 1}});
    T().Zmiana->click();
    // The chooser took the three PIT/O already: undo that to walk the copies from the start.
    for (int i = 1; i <= T().LiczbaKandydatow; ++i) K(i).Wybrany = 0;
    for (int wolny : {2, 36, 37}) {
      QCOMPARE(S().ZnajdzWolnegoKandydata(PitO, 1, PMWspolny), wolny);
      K(wolny).Wybrany = 1;
    }
    QCOMPARE(S().ZnajdzWolnegoKandydata(PitO, 1, PMWspolny), -1);
    QCOMPARE(S().ZnajdzWybranegoKandydata(PitO), 2);
    QCOMPARE(S().ZnajdzWybranegoKandydataPM(PitO, PMPodatnik), -1);
    QCOMPARE(S().ZnajdzKandydataWezla(Wezel(36)).NrKopii, 2);
    QTreeWidgetItem obcy;
    QCOMPARE(S().ZnajdzKandydataWezla(&obcy).Id, -1);
  }

  void jointNodesNameTheirOwners() {
    NoweRozliczenie(WspolneZMalzonkiem);
    QCOMPARE(Wezel(29)->text(0), QStringLiteral("PIT-38"));
    QCOMPARE(Wezel(32)->text(0), QStringLiteral("PIT-38"));
    QCOMPARE(Wezel(Indeks(PitB, PMPodatnik, Pit36))->text(0), QStringLiteral("PIT/B (Podatnik) (1)"));
    QCOMPARE(Wezel(Indeks(Nip1, PMMalzonek, Pit36))->text(0), QStringLiteral("NIP-1 (Małżonek)"));
    QCOMPARE(Wezel(Indeks(PitO, PMWspolny, Pit37))->text(0), QStringLiteral("PIT/O (1)"));
    // The spouse's PIT-38 differs from the taxpayer's only by its owner picture.
    QVERIFY(Wezel(29)->icon(0).cacheKey() != Wezel(32)->icon(0).cacheKey());
  }

  void siblingsFollowPolishOrder() {
    NoweRozliczenie(Indywidualne);
    QCOMPARE(Dzieci(Wezel(1)), (QStringList{"NIP-1", "NIP-3", "PIT/2K", "PIT/B (1)", "PIT/D", "PIT/M", "PIT/O (1)",
                                            "PIT/Z", "PIT/ZG (1)", "SSE-R", "SSE-R/A", "SSE/A"}));
    QCOMPARE(Dzieci(Wezel(28)),
             (QStringList{"NIP-1", "NIP-3", "PIT-28/A", "PIT-28/B (1)", "PIT/2K", "PIT/D", "PIT/O (1)"}));
    QVERIFY(Wezel(1)->isExpanded());
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
    Dodaj(Pit36, 0, PMWspolny, Indywidualne);
    for (int i = 0; i < 12; ++i) Dodaj(PitZG, 1, PMWspolny, Indywidualne);
    T().BudujDrzewo();
    T().Zmiana->click();
    QCOMPARE(T().LiczbaKandydatow, 46);
    const QStringList dzieci = Dzieci(Wezel(1));
    const int pierwsza = static_cast<int>(dzieci.indexOf(QStringLiteral("PIT/ZG (1)")));
    QVERIFY(pierwsza >= 0);
    for (int n = 1; n <= 12; ++n) QCOMPARE(dzieci.at(pierwsza + n - 1), QStringLiteral("PIT/ZG (%1)").arg(n));
  }

  void aNewChoiceBecomesTheSettlement() {
    T().Osoby[0].UstawPole(0, "1112223344");
    NoweRozliczenie(Indywidualne);
    Zaznacz(Indeks(PitO, PMWspolny, Pit37));
    Zatwierdz();

    QCOMPARE(Opis(), (QStringList{"2/0<0 ", "6/0<2 "}));
    QCOMPARE(T().Druki[2].IdParent, 1);
    for (int i = 1; i <= 2; ++i) {
      const TDruk& d = T().Druki[i];
      QCOMPARE(d.Wczytany, std::uint8_t{1});
      QCOMPARE(d.Rodzaj, int(Indywidualne));
      QCOMPARE(Tekst(d.Pola[1].Wartosc), std::string_view("0,00"));        // the structure's default
      QCOMPARE(Tekst(d.Pola[0].Wartosc), std::string_view("1112223344"));  // the taxpayer's identification
    }
    QVERIFY(SkryptDialogow().pokazane.empty());
    QCOMPARE(Pokazany(), 2);
    QCOMPARE(T().NazwaRozliczenia, QStringLiteral("nowe_rozliczenie.dc8"));
    QCOMPARE(T().Zmodyfikowane, std::uint8_t{1});
    QVERIFY(T().ToolButtonSave->isEnabled());
    QVERIFY(!S().isVisible());
    QVERIFY(T().Kandydaci.empty());
    QCOMPARE(T().LiczbaKandydatow, 0);
    QCOMPARE(T().TV->topLevelItemCount(), 1);
    QVERIFY(WidocznaWPasku(T().Zmiana));
  }

  void theRecordShownAfterConfirmation_data() {
    QTest::addColumn<QList<int>>("glowne");
    QTest::addColumn<QList<int>>("zalaczniki");  // of PIT-36
    QTest::addColumn<QStringList>("rekordy");
    QTest::addColumn<int>("pokazany");
    // Records follow the candidate order, not the order of the ticks.
    QTest::newRow("main forms only") << QList<int>{Pit38, Pit36L} << QList<int>{} << QStringList{"3/0<0 ", "4/0<0 "}
                                     << 1;
    QTest::newRow("PIT/B with PIT/Z") << QList<int>{} << QList<int>{PitZ, PitB}
                                      << QStringList{"1/0<0 ", "10/0<1 ", "11/0<1 "} << 1;
    QTest::newRow("PIT/B alone") << QList<int>{} << QList<int>{PitB} << QStringList{"1/0<0 ", "10/0<1 "} << 2;
  }
  void theRecordShownAfterConfirmation() {
    QFETCH(QList<int>, glowne);
    QFETCH(QList<int>, zalaczniki);
    QFETCH(QStringList, rekordy);
    QFETCH(int, pokazany);
    NoweRozliczenie(Indywidualne);
    for (int typ : glowne) Zaznacz(Indeks(typ));
    for (int typ : zalaczniki) Zaznacz(Indeks(typ, PMWspolny, Pit36));
    Zatwierdz();
    QCOMPARE(Opis(), rekordy);
    QCOMPARE(Pokazany(), pokazany);
  }

  void loadingAndConfirmingKeepsEveryFormAndValue() {
    Rozliczenie(Indywidualne, {{Pit36, 0, W, "1000,00"},
                               {PitB, 1, W, "1,00"},
                               {Pit28, 0, W, "2800,00"},
                               {PitB, 1, W, "2,00"},
                               {PitO, 3, W, "28,00"},
                               {PitB, 1, W, "3,00"},
                               {PitD, 1, W, "4,00"}});
    T().PlikRozliczenia = QStringLiteral("/tmp/moje.dc8");
    T().NazwaRozliczenia = QStringLiteral("moje.dc8");

    T().Zmiana->click();
    QVERIFY(S().isVisible());
    QVERIFY(!S().RodzRozl->isEnabled());
    QCOMPARE(S().LiczbaWybranych(), 7);
    // Copy n of the PIT/B under PIT-36 carries the n-th record's values.
    const std::array<std::string_view, 3> wartosci = {"1,00", "2,00", "3,00"};
    for (int n = 1; n <= 3; ++n) {
      const int i = n == 1 ? Indeks(PitB, PMWspolny, Pit36) : 34 + n;
      QCOMPARE(K(i).NrKopii, n);
      QVERIFY(Zaznaczony(i));
      QCOMPARE(Tekst(K(i).Pola[kPoleTestu].Wartosc), wartosci[static_cast<std::size_t>(n - 1)]);
    }
    QVERIFY(SkryptDialogow().pokazane.empty());
    Zatwierdz();

    // The extra copies stand after every other record.
    QCOMPARE(Opis(), (QStringList{"1/0<0 1000,00", "7/0<1 4,00", "10/0<1 1,00", "5/0<0 2800,00", "6/0<5 28,00",
                                  "10/0<1 2,00", "10/0<1 3,00"}));
    QCOMPARE(T().NazwaRozliczenia, QStringLiteral("nowe_rozliczenie.dc8"));
    QCOMPARE(T().PlikRozliczenia, QStringLiteral("/tmp/moje.dc8"));
    QCOMPARE(T().Zmodyfikowane, std::uint8_t{1});
  }

  void addingAndDroppingFormsKeepsTheOthersValues() {
    // By hand: a PIT-37 with its PIT/O, a value filled in, and a second PIT/O as "dod. egz." adds it.
    NoweRozliczenie(Indywidualne);
    Zaznacz(Indeks(PitO, PMWspolny, Pit37));
    Zatwierdz();
    UstawBajty(T().Druki[1].Pola[kPoleTestu].Wartosc, "1234,56");
    T().DodajDruk(PitO, 1, PMWspolny, Indywidualne);
    T().BudujDrzewo();
    UstawBajty(T().Druki[3].Pola[kPoleTestu].Wartosc, "5,50");

    // "dodaj/usuń druk" adds a PIT/D, which gets its structure's defaults.
    T().Zmiana->click();
    QCOMPARE(T().LiczbaKandydatow, 36);
    Zaznacz(Indeks(PitD, PMWspolny, Pit37));
    Zatwierdz();
    QCOMPARE(Opis(), (QStringList{"2/0<0 1234,56", "6/0<2 ", "7/0<2 ", "6/0<2 5,50"}));
    QCOMPARE(T().Druki[3].Wczytany, std::uint8_t{1});
    QCOMPARE(Tekst(T().Druki[3].Pola[1].Nazwa), std::string_view("kwota"));

    // Dropping a form drops its values with it; the others stay.
    T().Zmiana->click();
    Odznacz(Indeks(PitD, PMWspolny, Pit37));
    Zatwierdz();
    QCOMPARE(Opis(), (QStringList{"2/0<0 1234,56", "6/0<2 ", "6/0<2 5,50"}));
  }

  void jointAttachmentsFindTheNewMainRecord() {
    Rozliczenie(WspolneZMalzonkiem, {{Pit38, 0, Pd, "38,00"}, {Pit36, 0, W, "36,00"}, {PitB, 2, Pd, "1,00"}});
    T().RodzajRozliczenia = Indywidualne;
    T().Zmiana->click();
    QCOMPARE(T().RodzajRozliczenia, int(WspolneZMalzonkiem));
    QCOMPARE(S().RodzRozl->ItemIndex(), int(WspolneZMalzonkiem));
    Zatwierdz();
    // PIT-36 now comes first, and the taxpayer's PIT/B follows it as its attachment.
    QCOMPARE(Opis(), (QStringList{"1/0<0 36,00", "10/1<1 1,00", "4/1<0 38,00"}));
    QCOMPARE(T().Druki[2].IdParent, 1);
    QCOMPARE(T().Druki[2].Rodzaj, int(WspolneZMalzonkiem));
  }

  void unplacedRecordsAreReported() {
    // A joint settlement has no PIT-36L: the record and its attachment cannot be placed.
    Rozliczenie(WspolneZMalzonkiem, {{Pit37, 0, W, "37,00"}, {Pit36L, 0}, {PitB, 2, Pd}});
    T().Zmiana->click();
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});
    const platform::PokazaneOkno& okno = SkryptDialogow().pokazane.front();
    QCOMPARE(okno.tytul, QStringLiteral("UWAGA"));
    QCOMPARE(okno.ikona, platform::Ikona::Wykrzyknik);
    const QStringList wiersze = okno.tekst.split(QLatin1Char('\n'));
    QVERIFY(wiersze.contains(QStringLiteral("PIT-36L")));
    QVERIFY(wiersze.contains(QStringLiteral("PIT/B (Podatnik) do PIT-36L")));
    QVERIFY(!okno.tekst.contains(QStringLiteral("PIT-37")));
    QCOMPARE(S().LiczbaWybranych(), 1);
  }

  void everyOpeningStartsAFreshList() {
    // The button acts only on a settlement.
    T().Zmiana->click();
    QVERIFY(!S().isVisible());
    QCOMPARE(T().LiczbaKandydatow, 0);

    Rozliczenie(Indywidualne, {{Pit37, 0, W, "1,00"}, {PitO, 1, W, "2,00"}});
    T().Zmiana->click();
    Zaznacz(Indeks(PitD, PMWspolny, Pit37));
    Odznacz(Indeks(PitO, PMWspolny, Pit37));
    // Opened again while still open: the settlement's own forms, nothing from the first opening.
    T().Zmiana->click();
    QVERIFY(Wybrany(Indeks(PitO, PMWspolny, Pit37)));
    QVERIFY(!Wybrany(Indeks(PitD, PMWspolny, Pit37)));
    QCOMPARE(S().LiczbaWybranych(), 2);
    S().reject();
    T().Zmiana->click();
    QCOMPARE(S().LiczbaWybranych(), 2);
    // With nothing ticked there is nothing to confirm, and the kind of a current settlement stays locked.
    Odznacz(Indeks(Pit37));
    QCOMPARE(S().LiczbaWybranych(), 0);
    QVERIFY(!S().Zatwierdzam->isEnabled());
    QVERIFY(!S().RodzRozl->isEnabled());
  }
};

VELMAR_TEST_MAIN(TstSam)
#include "tst_sam.moc"
