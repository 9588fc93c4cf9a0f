// The manual chooser: walks read from data/wybor_sam.txt (settlements opened, candidates ticked, the choice handed
// over), the exclusion rules of data/wybor_wykluczenia.txt, the candidate lists of data/wybor_kandydaci.txt.

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <array>
#include <map>
#include <memory>

#include "calc/identyfikacja.h"
#include "main/tools.h"
#include "model/plik_rozliczenia.h"
#include "model/rekordy.h"
#include "pages/fimage.h"
#include "selection/grupa_opcji.h"
#include "selection/kreator.h"
#include "selection/sam.h"
#include "support/program.h"
#include "support/test_main.h"
#include "support/wybor_zapis.h"

using namespace velmar_test;

namespace {

// A field of every form that neither the structure files nor the identification exchange touch: what a test writes
// there stays only as long as the record does.
constexpr std::size_t kPoleTestu = 50;
const QString kNowe = QStringLiteral("nowe_rozliczenie.dc8"), kPlik = QStringLiteral("/tmp/moje.dc8");

}  // namespace

class TstSam : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<TTools> tools_;
  std::unique_ptr<TFImage> image_;
  TSam* sam_ = nullptr;  // a child of the main window
  TKreator* kreator_ = nullptr;
  std::size_t komunikatow_ = 0;  // messages the walk has named so far
  bool generowane_ = false;      // the walk runs on the program's generated form structures

  TTools& T() { return *tools_; }
  TSam& S() { return *sam_; }
  TDruk& K(int i) { return T().Kandydaci.at(static_cast<std::size_t>(i)); }
  bool Zaznaczony(int i) { return K(i).Wezel->checkState(0) == Qt::Checked; }

  // A candidate as the data files write it: FORM[:owner][<MAIN FORM[:owner]][#copy from the second on].
  QString Kandydat(int i) {
    QString c = wybor::Nazwa(T(), K(i));
    if (K(i).IdParent != 0) c += QLatin1Char('<') + wybor::Nazwa(T(), K(K(i).IdParent));
    return K(i).NrKopii > 1 ? c + QStringLiteral("#%1").arg(K(i).NrKopii) : c;
  }
  int Indeks(const QString& c) {
    for (int i = 1; i <= T().LiczbaKandydatow; ++i)
      if (Kandydat(i) == c) return i;
    qFatal("no candidate %s", qPrintable(c));
  }
  // The candidates ticked, in list order; each tick on screen agrees with the candidate's choice.
  QStringList Zaznaczone() {
    QStringList l;
    for (int i = 1; i <= T().LiczbaKandydatow; ++i) {
      if (Zaznaczony(i) != (K(i).Wybrany == 1)) l << QStringLiteral("tick and choice differ at ") + Kandydat(i);
      if (Zaznaczony(i)) l << Kandydat(i);
    }
    return l;
  }
  void Zaznacz(const QString& c, bool tak) { K(Indeks(c)).Wezel->setCheckState(0, tak ? Qt::Checked : Qt::Unchecked); }

  // A settlement as opening a file leaves it: records FORM[:owner][>main record][=value].
  void Rozliczenie(int rodzaj, const QStringList& rekordy) {
    T().PrzydzielDruki(static_cast<int>(rekordy.size()));
    for (const QString& r : rekordy) {
      const QString druk = r.section(QLatin1Char('='), 0, 0), typ = druk.section(QLatin1Char('>'), 0, 0);
      T().DodajDruk(wybor::Typ(T(), typ.section(QLatin1Char(':'), 0, 0)), druk.section(QLatin1Char('>'), 1).toInt(),
                    typ.section(QLatin1Char(':'), 1).toInt(), rodzaj);
      if (!r.contains(QLatin1Char('='))) continue;
      TDruk& d = T().Druki[static_cast<std::size_t>(T().LiczbaDrukow)];
      UstawBajty(d.Pola[kPoleTestu].Wartosc, r.section(QLatin1Char('='), 1).toStdString());
      d.Wczytany = 1;
    }
    T().BudujDrzewo();
    T().PlikRozliczenia = kPlik;
    T().NazwaRozliczenia = QStringLiteral("moje.dc8");
  }
  int Glownych(const QStringList& rekordy) {
    return static_cast<int>(std::count_if(rekordy.begin(), rekordy.end(), [](const QString& r) { return !r.contains('>'); }));
  }
  // The record on screen; its node is the one selected in the main window's tree.
  int Pokazany() {
    const int id = T().BiezacyDruk.Id;
    return T().TV->currentItem() == T().Druki[static_cast<std::size_t>(id)].Wezel ? id : -1;
  }

  // The main window, page view, wizard and chooser anew, on a program folder.
  void NoweOknoNa(const QString& folder) {
    image_.reset();
    tools_.reset();
    UstawRegionalne();
    tools_ = std::make_unique<TTools>(folder);
    T().ParametrWiersza.clear();
    image_ = std::make_unique<TFImage>();
    kreator_ = new TKreator(tools_.get());
    sam_ = new TSam(tools_.get());
    T().PokazPowitanie(false);
  }

  // A field as the walks write it: K=TEXT, or K=[x] and K=[] for a box ticked or not.
  static QString Pole(const TDruk& d, int k, bool kratka) {
    const TPoleDruku& p = d.Pola.at(static_cast<std::size_t>(k));
    if (kratka) return QStringLiteral("%1=[%2]").arg(k).arg(p.Zaznaczone ? QStringLiteral("x") : QString());
    return QStringLiteral("%1=").arg(k) + NaQString(p.Wartosc);
  }
  static QStringList Pola(const TDruk& d, const QStringList& wzor) {
    QStringList l;
    for (const QString& w : wzor) l << Pole(d, w.section(QLatin1Char('='), 0, 0).toInt(), w.contains(QLatin1Char('[')));
    return l;
  }

  // The commands on fields of the generated forms.
  static bool NaPolach(const QString& polecenie) {
    return QStringList{"forms", "set", "show", "fields", "saved", "person"}.contains(polecenie);
  }
  void WykonajNaPolach(const QString& polecenie, const QStringList& slowa) {
    const int j = slowa.value(0).toInt();
    if (polecenie == QLatin1String("forms")) {
      QVERIFY2(QFile::exists(QStringLiteral(VELMAR_BIN_DIR "/dc/1.dcs")), "form structures not generated");
      NoweOknoNa(QStringLiteral(VELMAR_BIN_DIR "/"));
      generowane_ = true;
    } else if (polecenie == QLatin1String("set")) {
      // Typed into the form, whose computation then spreads the identification over the settlement.
      TDruk& d = T().Druki.at(static_cast<std::size_t>(j));
      for (const QString& w : slowa.mid(1)) {
        TPoleDruku& p = d.Pola.at(static_cast<std::size_t>(w.section(QLatin1Char('='), 0, 0).toInt()));
        const QString tekst = w.section(QLatin1Char('='), 1);
        if (tekst.startsWith(QLatin1Char('['))) p.Zaznaczone = tekst == QLatin1String("[x]") ? 1 : 0;
        else UstawTekst(p.Wartosc, tekst);
      }
      WczytajDaneOsobZDruku(T().Rozl, j);
      ZapiszDaneOsobDoDrukow(T().Rozl);
    } else if (polecenie == QLatin1String("show")) {
      KliknijWDrzewie(T(), j);
    } else if (polecenie == QLatin1String("fields")) {
      QCOMPARE(Pola(T().Druki.at(static_cast<std::size_t>(j)), slowa.mid(1)), slowa.mid(1));
    } else if (polecenie == QLatin1String("saved")) {
      const QString plik = folder_->Sciezka() + QStringLiteral("zapis.dc8");
      QVERIFY(T().ZapiszDruki(plik));
      QFile f(plik);
      QVERIFY(f.open(QIODevice::ReadOnly));
      const OdczytRozliczenia odczyt = CzytajRozliczenie(f, plik);
      QVERIFY2(odczyt.blad.isEmpty(), qPrintable(odczyt.blad));
      QCOMPARE(Pola(odczyt.druki.at(static_cast<std::size_t>(j)), slowa.mid(1)), slowa.mid(1));
    } else if (polecenie == QLatin1String("person")) {
      QStringList jest;
      for (const QString& w : slowa.mid(1)) {
        const int pole = w.section(QLatin1Char('='), 0, 0).toInt();
        const TOsoba& osoba = T().Osoby.at(static_cast<std::size_t>(j - 1));
        jest << QStringLiteral("%1=").arg(pole) + platform::ZCp1250(osoba.Pole(pole));
      }
      QCOMPARE(jest, slowa.mid(1));
    }
  }

  // One command of a walk; the notation is in data/wybor_sam.txt.
  void Wykonaj(const QString& wiersz) {
    const QString polecenie = wiersz.section(QLatin1Char(' '), 0, 0), reszta = wiersz.section(QLatin1Char(' '), 1);
    const QStringList slowa = reszta.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (polecenie != QLatin1String("message")) QCOMPARE(SkryptDialogow().pokazane.size(), komunikatow_);
    if (NaPolach(polecenie)) return WykonajNaPolach(polecenie, slowa);
    if (polecenie == QLatin1String("new")) {
      T().RodzajRozliczenia = wybor::Rodzaj(reszta);
      S().show();
      QCOMPARE(S().windowModality(), Qt::ApplicationModal);
    } else if (polecenie == QLatin1String("file")) {
      Rozliczenie(wybor::Rodzaj(slowa.value(0)), slowa.mid(1));
    } else if (polecenie == QLatin1String("change")) {
      T().Zmiana->click();
      QCOMPARE(S().isVisible(), T().MaDruki());
    } else if (polecenie == QLatin1String("choose")) {
      QTest::mouseClick(S().RodzRozl->Pozycja(wybor::Rodzaj(reszta)), Qt::LeftButton);
      QCOMPARE(kreator_->Rodzaj, wybor::Rodzaj(reszta));
    } else if (polecenie == QLatin1String("kind")) {
      QCOMPARE(S().RodzRozl->ItemIndex(), wybor::Rodzaj(reszta));
      QCOMPARE(T().RodzajRozliczenia, wybor::Rodzaj(reszta));
    } else if (polecenie == QLatin1String("tick") || polecenie == QLatin1String("untick")) {
      for (const QString& c : slowa) Zaznacz(c, polecenie == QLatin1String("tick"));
    } else if (polecenie == QLatin1String("press")) {
      QTreeWidgetItem* wezel = K(Indeks(reszta)).Wezel;
      S().STV->scrollToItem(wezel);
      const QRect r = S().STV->visualItemRect(wezel);
      QTest::mouseClick(S().STV->viewport(), Qt::LeftButton, {}, QPoint(r.right() - 4, r.center().y()));
    } else if (polecenie == QLatin1String("space")) {
      S().STV->setCurrentItem(K(Indeks(reszta)).Wezel);
      QTest::keyClick(S().STV, Qt::Key_Space);
    } else if (polecenie == QLatin1String("ticked")) {
      QCOMPARE(Zaznaczone(), slowa);
      QCOMPARE(S().LiczbaWybranych(), static_cast<int>(slowa.size()));
    } else if (polecenie == QLatin1String("candidates")) {
      QCOMPARE(T().LiczbaKandydatow, reszta.toInt());
      // The tree holds the list's main forms and nothing left from an earlier list.
      int korzenie = 0;
      for (int i = 1; i <= T().LiczbaKandydatow; ++i) korzenie += K(i).IdParent == 0;
      QCOMPARE(S().STV->topLevelItemCount(), korzenie);
    } else if (polecenie == QLatin1String("node")) {
      QCOMPARE(K(Indeks(slowa.value(0))).Wezel->text(0), reszta.section(QLatin1Char(' '), 1));
    } else if (polecenie == QLatin1String("under")) {
      QTreeWidgetItem* wezel = K(Indeks(reszta.section(QStringLiteral(" | "), 0, 0))).Wezel;
      QStringList dzieci;
      for (int i = 0; i < wezel->childCount(); ++i) dzieci << wezel->child(i)->text(0);
      QCOMPARE(dzieci.join(QStringLiteral(", ")), reszta.section(QStringLiteral(" | "), 1));
      QVERIFY(wezel->isExpanded());
    } else if (polecenie == QLatin1String("message")) {
      QCOMPARE(SkryptDialogow().Teksty().value(static_cast<qsizetype>(komunikatow_++)),
               QString(reszta).replace(QLatin1String("\\n"), QStringLiteral("\n")));
    } else if (polecenie == QLatin1String("enabled")) {
      QCOMPARE(S().Zatwierdzam->isEnabled(), slowa.contains(QLatin1String("Zatwierdzam")));
      QCOMPARE(S().RodzRozl->isEnabled(), slowa.contains(QLatin1String("RodzRozl")));
    } else if (polecenie == QLatin1String("confirm")) {
      const QString plik = T().PlikRozliczenia;
      QVERIFY(S().Zatwierdzam->isEnabled());
      QTest::mouseClick(S().Zatwierdzam, Qt::LeftButton);
      QVERIFY(!S().isVisible() && T().Kandydaci.empty());
      QCOMPARE(T().LiczbaKandydatow, 0);
      QCOMPARE(T().NazwaRozliczenia, kNowe);
      QCOMPARE(T().PlikRozliczenia, plik);
      QCOMPARE(T().Zmodyfikowane, std::uint8_t{1});
      QVERIFY(T().ToolButtonSave->isEnabled() && WidocznaWPasku(T().Zmiana));
      // Every record is read in; a new one with its structure and the taxpayer's identification.
      for (int i = 1; i <= T().LiczbaDrukow; ++i) {
        const TDruk& d = T().Druki[static_cast<std::size_t>(i)];
        QCOMPARE(d.Wczytany, std::uint8_t{1});
        if (generowane_ || !Tekst(d.Pola[kPoleTestu].Wartosc).empty()) continue;
        QCOMPARE(Tekst(d.Pola[1].Nazwa), std::string_view("kwota"));
        QCOMPARE(Tekst(d.Pola[0].Wartosc), std::string_view("1112223344"));
      }
    } else if (polecenie == QLatin1String("leave") || polecenie == QLatin1String("close")) {
      if (polecenie == QLatin1String("leave")) QTest::mouseClick(S().Rezygnuje, Qt::LeftButton);
      else S().close();
      QVERIFY(!S().isVisible());
      QCOMPARE(T().Zmodyfikowane, std::uint8_t{0});
      // With no settlement left the welcome is back.
      QCOMPARE(T().Powitanie->isHidden(), T().MaDruki());
      QCOMPARE(T().RozpocznijPrace->isHidden(), T().MaDruki());
      if (T().MaDruki()) return;
      QCOMPARE(T().LiczbaKandydatow, 0);
      QCOMPARE(T().DobraneFormularze->text(),
               QStringLiteral("Informacja o programie Velmar 2008 - rozliczenie roczne podatku dochodowego."));
    } else if (polecenie == QLatin1String("records")) {
      QCOMPARE(wybor::Rekordy(T(), generowane_ ? 0 : kPoleTestu), slowa);
      QCOMPARE(T().TV->topLevelItemCount(), Glownych(slowa));
    } else if (polecenie == QLatin1String("shows")) {
      QCOMPARE(Pokazany(), reszta.toInt());
    } else {
      QFAIL(qPrintable(QStringLiteral("unknown command: ") + wiersz));
    }
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
    kreator_ = new TKreator(tools_.get());
    sam_ = new TSam(tools_.get());
    T().Osoby[0].UstawPole(0, "1112223344");
    T().PokazPowitanie(false);
    SkryptDialogow().pokazane.clear();
    komunikatow_ = 0;
    generowane_ = false;
  }
  // The page view goes first, as at the program's end.
  void cleanup() {
    image_.reset();
    tools_.reset();
    folder_.reset();
  }

  void walks_data() {
    QTest::addColumn<QStringList>("polecenia");
    for (const auto& [tytul, polecenia] : wybor::Przejscia("wybor_sam.txt")) QTest::newRow(qPrintable(tytul)) << polecenia;
  }
  void walks() {
    QFETCH(QStringList, polecenia);
    for (const QString& p : polecenia) {
      Wykonaj(p);
      if (QTest::currentTestFailed()) return qWarning("at: %s", qPrintable(p));
    }
    QCOMPARE(SkryptDialogow().pokazane.size(), komunikatow_);
  }

  // Candidates ticked without objection, then one more: refused with the message given, or taken when none is.
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
    Wykonaj(QStringLiteral("new ") + wiersz[0]);
    Wykonaj(QStringLiteral("tick ") + wiersz[1]);
    const QStringList przed = Zaznaczone();
    QVERIFY(SkryptDialogow().pokazane.empty());
    for (const QString& c : wiersz[1].split(QLatin1Char(' '))) QVERIFY2(przed.contains(c), qPrintable(c));
    Zaznacz(wiersz[2], true);
    if (wiersz[3] == QStringLiteral("-")) {
      QVERIFY(SkryptDialogow().pokazane.empty());
      for (const QString& c : przed + QStringList{wiersz[2]}) QVERIFY2(Zaznaczone().contains(c), qPrintable(c));
      return;
    }
    // A refused tick leaves the candidate unticked and changes nothing else, its main form included.
    QCOMPARE(SkryptDialogow().Teksty(), QStringList{QStringLiteral("UWAGA!\n") + wiersz[3]});
    QCOMPARE(Zaznaczone(), przed);
  }

  // The lists of a new settlement, the tree over them, and the owner's picture on each node.
  void newSettlementLists_data() {
    QTest::addColumn<int>("rodzaj");
    QTest::addColumn<QStringList>("lista");
    QFile plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/wybor_kandydaci.txt"));
    QVERIFY(plik.open(QIODevice::ReadOnly | QIODevice::Text));
    std::vector<std::pair<QString, QStringList>> listy;
    QString glowny;
    for (const QString& wiersz : QString::fromUtf8(plik.readAll()).split(QLatin1Char('\n'))) {
      const QStringList s = wiersz.split(QLatin1Char(' '), Qt::SkipEmptyParts);
      if (s.isEmpty() || s[0] == QLatin1String("#")) continue;
      if (s[0] == QLatin1String("kind")) listy.emplace_back(s.value(1), QStringList{});
      else if (wiersz.startsWith(QLatin1Char(' ')))
        for (const QString& z : s) listy.back().second << z + QLatin1Char('<') + glowny;
      else listy.back().second << (glowny = s[0]);
    }
    for (const auto& [rodzaj, lista] : listy) QTest::newRow(qPrintable(rodzaj)) << wybor::Rodzaj(rodzaj) << lista;
  }
  void newSettlementLists() {
    QFETCH(int, rodzaj);
    QFETCH(QStringList, lista);
    T().RodzajRozliczenia = rodzaj;
    S().show();
    QStringList jest;
    std::map<int, QImage> obrazki;  // by owner
    int korzenie = 0;
    for (int i = 1; i <= T().LiczbaKandydatow; ++i) {
      const TDruk& k = K(i);
      jest << Kandydat(i);
      QCOMPARE(k.Wezel->parent(), k.IdParent == 0 ? nullptr : K(k.IdParent).Wezel);
      QCOMPARE(k.Wezel->font(0).bold(), k.IdParent == 0);
      korzenie += k.IdParent == 0;
      // Whose a form is shows in its picture: the same for one owner, another for each other owner.
      const QImage obrazek = k.Wezel->icon(0).pixmap(16, 16).toImage();
      QVERIFY(!obrazek.isNull());
      if (!obrazki.count(k.PM)) {
        for (const auto& [pm, inny] : obrazki) QVERIFY2(inny != obrazek, qPrintable(Kandydat(i)));
        obrazki[k.PM] = obrazek;
      }
      QVERIFY2(obrazki[k.PM] == obrazek, qPrintable(Kandydat(i)));
    }
    QCOMPARE(static_cast<int>(obrazki.size()), rodzaj == WspolneZMalzonkiem ? 3 : 1);
    QCOMPARE(jest, lista);
    QCOMPARE(S().STV->topLevelItemCount(), korzenie);
    QCOMPARE(S().STV->currentItem(), K(1).Wezel);
  }

  // The tree's siblings follow the collation of the user's locale: Polish letters with diacritics after the plain
  // ones, a Swedish ö after z, a German one beside o; copy numbers compare as the texts they are.
  void collationFollowsTheUsersLocale() {
    const QLocale bylo;
    const auto przed = [](const char* a, const char* b) {
      return PorownajTekstyWezlow(QString::fromUtf8(a), QString::fromUtf8(b)) < 0;
    };
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const char* const pary[][2] = {{"zebra", "żaba"}, {"cyrk", "ćma"}, {"Lublin", "Łódź"}, {"PIT/B (10)", "PIT/B (9)"}};
    for (const auto& [a, b] : pary) QVERIFY2(przed(a, b), a);
    QCOMPARE(PorownajTekstyWezlow(QStringLiteral("PIT/B (2)"), QStringLiteral("PIT/B (2)")), 0);
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    QVERIFY(przed("zebra", "öl"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QVERIFY(przed("öl", "zebra"));
    QLocale::setDefault(bylo);
  }
};

VELMAR_TEST_MAIN(TstSam)
#include "tst_sam.moc"