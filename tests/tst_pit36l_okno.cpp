// The PIT-36L in the program's windows, on the generated form structures: the PIT/B's warning turns to page 1 of the
// PIT-36L from inside the PIT/B's computation, and the tree of chosen forms follows the page, whether the PIT/B was
// reached with a click on the tree or an amount typed into it was stored with Tab; the box the warning names is the
// one the page prints under that number.

#include <QFile>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QtTest>

#include "main/tools.h"
#include "pages/fimage.h"
#include "support/program.h"
#include "support/test_main.h"
#include "support/wpis.h"

namespace {

constexpr int kKratkaPitZ = 19;  // PIT-36L: the income comes from the PIT/Z
constexpr int kPrzychod = 10;    // PIT/B: the first place's revenue
const QString kOstrzezenie =
    QStringLiteral("UWAGA! \nPrzed wypełnieniem Pit/B, należy zaznaczyć pole 22 w Pit-36L.");

}  // namespace

class TestPit36LOkno : public QObject {
  Q_OBJECT

  std::unique_ptr<TTools> tools_;
  std::unique_ptr<TFImage> image_;

  TTools& T() { return *tools_; }
  void KliknijWDrzewie(int j) { velmar_test::KliknijWDrzewie(T(), j); }
  // The page on screen (record, page), the record whose node is the tree's current one and the record whose node
  // alone is selected (0 none, or more than one).
  QList<int> Ekran() {
    const auto rekord = [this](const QTreeWidgetItem* wezel) {
      for (int j = 1; j <= T().LiczbaDrukow; ++j)
        if (T().Druki[static_cast<std::size_t>(j)].Wezel == wezel) return j;
      return 0;
    };
    const QList<QTreeWidgetItem*> wybrane = T().TV->selectedItems();
    return {T().BiezacyDruk.Id, T().BiezacaStrona, rekord(T().TV->currentItem()),
            wybrane.size() == 1 ? rekord(wybrane.front()) : 0};
  }

 private slots:
  // A PIT-36L (record 1) with a PIT/Z and a PIT/B (records 2 and 3), the window shown.
  void init() {
    const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
    if (!QFile::exists(folder + QStringLiteral("dc/3.dcs"))) QSKIP("form structures not generated");
    velmar_test::UstawRegionalne();
    tools_ = std::make_unique<TTools>(folder);
    image_ = std::make_unique<TFImage>();
    T().show();
    SkryptDialogow().Wyczysc();
    T().PrzydzielDruki(3);
    for (const int kod : {Pit36L, PitZ, PitB}) T().DodajDruk(kod, kod == Pit36L ? 0 : 1, PMWspolny, Indywidualne);
    T().BudujDrzewo();
  }
  void cleanup() {
    image_.reset();
    tools_.reset();
  }

  // The PIT/B asked for with a click warns while its page is shown; the tree's own selection of the node clicked
  // comes after the page has turned to the PIT-36L, and must not stay.
  void klikniecieWDrzewie() {
    KliknijWDrzewie(3);
    QCOMPARE(SkryptDialogow().Teksty(), QStringList{kOstrzezenie});
    QCOMPARE(Ekran(), (QList<int>{1, 1, 1, 1}));
  }

  // The same turn from the keys: the PIT/B is open on an amount while the box is ticked, the box goes behind the
  // page, and Tab stores the amount; the computation warns, its OK (Enter) is given, and the PIT-36L is on screen.
  // The editor that stored the amount belongs to the PIT/B, and must not take the tree back to it.
  void kwotaZatwierdzonaTabulatorem() {
    T().Druki[1].Pola[kKratkaPitZ].Zaznaczone = 1;
    KliknijWDrzewie(3);
    QCOMPARE(Ekran(), (QList<int>{3, 1, 3, 3}));
    const TObiekt& pole = image_->Obiekty[kPrzychod];
    QTest::mouseClick(image_->Formatka, Qt::LeftButton, {},
                      QPoint((pole.Lewy + pole.Prawy) / 2, (pole.Gorny + pole.Dolny) / 2));
    QVERIFY(image_->Memo());
    velmar_test::Pisz(image_->Memo(), QStringLiteral("500"));
    T().Druki[1].Pola[kKratkaPitZ].Zaznaczone = 0;
    QTest::keyClick(image_->Memo(), Qt::Key_Tab);
    QCoreApplication::processEvents();

    QCOMPARE(SkryptDialogow().Teksty(), QStringList{kOstrzezenie});
    QCOMPARE(::Tekst(T().Druki[3].Pola[kPrzychod].Wartosc), std::string_view("500,00"));
    QCOMPARE(Ekran(), (QList<int>{1, 1, 1, 1}));
  }

  // The position the warning asks to tick is the one printed for the PIT/Z box on the page it turns to, and no other
  // field is printed under it; the explanations on the PIT-36L and the PIT/Z name that position too.
  void numerKratki() {
    KliknijWDrzewie(3);
    QCOMPARE(SkryptDialogow().Teksty(), QStringList{kOstrzezenie});
    const QString numer = QRegularExpression(QStringLiteral("pole (\\d+) w Pit-36L")).match(kOstrzezenie).captured(1);
    const QString pozycja = QStringLiteral("poz. ") + numer + u' ';
    QVERIFY2(NaQString(image_->Obiekty[kKratkaPitZ].Pomoc).startsWith(pozycja),
             qPrintable(NaQString(image_->Obiekty[kKratkaPitZ].Pomoc)));
    for (int k = 0; k < image_->LiczbaPol(); ++k)
      QVERIFY2(k == kKratkaPitZ || !NaQString(image_->Obiekty[static_cast<std::size_t>(k)].Pomoc).startsWith(pozycja),
               qPrintable(QString::number(k)));

    const struct {
      const char* plik;
      const char* wzor;
      int ile;
    } odwolania[] = {{"pit36l.txt", "przy zaznaczonej poz\\. (\\d+)", 1},
                     {"pitz.txt", "PIT-36L,? (?:jeżeli )?zaznaczył(?: w nim)? poz\\. (\\d+)", 2}};
    for (const auto& o : odwolania) {
      QFile plik(QStringLiteral(VELMAR_SOURCE_DIR "/data/forms/") + QString::fromLatin1(o.plik));
      QVERIFY(plik.open(QIODevice::ReadOnly));
      QStringList numery;
      for (const auto& m : QRegularExpression(QString::fromUtf8(o.wzor)).globalMatch(QString::fromUtf8(plik.readAll())))
        numery << m.captured(1);
      QCOMPARE(numery, QStringList(o.ile, numer));
    }
  }
};

VELMAR_TEST_MAIN(TestPit36LOkno)
#include "tst_pit36l_okno.moc"
