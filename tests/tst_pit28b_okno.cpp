// The PIT-28/B in the program's windows, on the generated form structures: the warning that rows 7 to 12 reach the
// PIT-28 only through a PIT-28/A is told once when those rows come to hold amounts, not on every key nor on the click
// that leaves the form; again when the rows were emptied and filled anew, and when a settlement is opened in that
// state.

#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "main/tools.h"
#include "pages/fimage.h"
#include "support/program.h"
#include "support/test_main.h"
#include "support/wpis.h"

namespace {

constexpr int kWiersz1 = 26;  // PIT-28/B: the first partnership's revenue, row 1
constexpr int kWiersz7 = 32;  // the same, row 7: a business run with the spouse
constexpr int kWiersz8 = 33;
constexpr int kWiersz9 = 34;
const QString kOstrzezenie = QStringLiteral(
    "UWAGA! \nPrzychody z wierszy 7-12 Pit-28/B (działalność wspólnie z małżonkiem) są przenoszone do części D "
    "Pit-28 tylko wtedy, gdy do Pit-28 jest załączony Pit-28/A. Dołącz Pit-28/A albo wpisz te przychody w części D "
    "Pit-28.");

}  // namespace

class TestPit28BOkno : public QObject {
  Q_OBJECT

  std::unique_ptr<TTools> tools_;
  std::unique_ptr<TFImage> image_;

  TTools& T() { return *tools_; }
  QStringList Komunikaty() { return SkryptDialogow().Teksty(); }
  void KliknijWDrzewie(int j) { velmar_test::KliknijWDrzewie(T(), j); }
  // Opens field k of the page on screen with a click and types the text over what it showed.
  void Wpisz(int k, const QString& tekst) {
    const TObiekt& pole = image_->Obiekty[static_cast<std::size_t>(k)];
    QTest::mouseClick(image_->Formatka, Qt::LeftButton, {},
                      QPoint((pole.Lewy + pole.Prawy) / 2, (pole.Gorny + pole.Dolny) / 2));
    QVERIFY(image_->Memo());
    velmar_test::Pisz(image_->Memo(), tekst);
  }
  void Tabulator() {
    QVERIFY(image_->Memo());
    QTest::keyClick(image_->Memo(), Qt::Key_Tab);
    QCoreApplication::processEvents();
  }
  QString Wartosc(int j, int k) {
    return NaQString(T().Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)].Wartosc);
  }
  // The record on screen and the record whose node is the tree's current one.
  std::pair<int, int> Ekran() {
    int wezel = 0;
    for (int j = 1; j <= T().LiczbaDrukow; ++j)
      if (T().Druki[static_cast<std::size_t>(j)].Wezel == T().TV->currentItem()) wezel = j;
    return {T().BiezacyDruk.Id, wezel};
  }
  // The PIT-28/B, with the amount of row 7 in place, shown from the tree: told once.
  void PokazZWierszem7() {
    UstawBajty(T().Druki[2].Pola[kWiersz7].Wartosc, "100,00");
    KliknijWDrzewie(2);
    QCOMPARE(Komunikaty(), QStringList{kOstrzezenie});
  }

 private slots:
  // The taxpayer's PIT-28 (record 1) with a PIT-28/B and no PIT-28/A, the window shown.
  void init() {
    const QString folder = QStringLiteral(VELMAR_BIN_DIR "/");
    if (!QFile::exists(folder + QStringLiteral("dc/19.dcs"))) QSKIP("form structures not generated");
    velmar_test::UstawRegionalne();
    tools_ = std::make_unique<TTools>(folder);
    image_ = std::make_unique<TFImage>();
    T().show();
    SkryptDialogow().Wyczysc();
    T().PrzydzielDruki(2);
    T().DodajDruk(Pit28, 0, PMPodatnik, Indywidualne);
    T().DodajDruk(Pit28B, 1, PMPodatnik, Indywidualne);
    T().BudujDrzewo();
  }
  void cleanup() {
    image_.reset();
    tools_.reset();
  }

  // Tab after Tab while the rows hold amounts tells nothing more; emptied, and filled again, the rows are told of
  // anew. The PIT-28's joint revenue stays what the user typed throughout.
  void razNaStan() {
    UstawBajty(T().Druki[1].Pola[43].Wartosc, "70,00");
    KliknijWDrzewie(2);
    QCOMPARE(Ekran(), (std::pair{2, 2}));
    Wpisz(kWiersz7, QStringLiteral("100"));
    Tabulator();
    QCOMPARE(Komunikaty(), QStringList{kOstrzezenie});
    velmar_test::Pisz(image_->Memo(), QStringLiteral("50"));
    Tabulator();
    Tabulator();
    Wpisz(kWiersz1, QStringLiteral("10"));
    Tabulator();
    QCOMPARE(Komunikaty(), QStringList{kOstrzezenie});

    Wpisz(kWiersz7, QStringLiteral("0"));
    Tabulator();
    velmar_test::Pisz(image_->Memo(), QStringLiteral("0"));
    Tabulator();
    QCOMPARE(Komunikaty(), QStringList{kOstrzezenie});
    QCOMPARE(Wartosc(2, kWiersz9), QStringLiteral("0,00"));
    velmar_test::Pisz(image_->Memo(), QStringLiteral("7"));
    Tabulator();
    QCOMPARE(Komunikaty(), (QStringList{kOstrzezenie, kOstrzezenie}));
    QCOMPARE((QStringList{Wartosc(2, kWiersz8), Wartosc(2, kWiersz9), Wartosc(1, 43)}),
             (QStringList{"0,00", "7,00", "70,00"}));
  }

  // The same settlement saved and opened again is told of once more, when its PIT-28/B is shown.
  void otwarteRozliczenie() {
    PokazZWierszem7();
    Wpisz(kWiersz1, QStringLiteral("10"));
    Tabulator();
    QCOMPARE(Komunikaty(), QStringList{kOstrzezenie});
    const QTemporaryDir folder;
    const QString plik = folder.filePath(QStringLiteral("r.dc8"));
    QVERIFY(T().ZapiszDruki(plik));
    QVERIFY(T().OtworzRozliczenie(plik));
    T().PokazPierwszyDruk();
    QCOMPARE(Ekran(), (std::pair{1, 1}));
    QCOMPARE(Komunikaty(), QStringList{kOstrzezenie});
    KliknijWDrzewie(2);
    QCOMPARE(Komunikaty(), (QStringList{kOstrzezenie, kOstrzezenie}));
  }

  // Once told, an amount left in its editor and a click on the PIT-28 in the tree: the value is stored and the
  // PIT-28 is on screen, with no box in between.
  void klikniecieWDrzewie() {
    PokazZWierszem7();
    Wpisz(kWiersz1, QStringLiteral("300"));
    KliknijWDrzewie(1);
    QCOMPARE(Komunikaty(), QStringList{kOstrzezenie});
    QCOMPARE(Ekran(), (std::pair{1, 1}));
    QCOMPARE(Wartosc(2, kWiersz1), QStringLiteral("300,00"));
  }
};

VELMAR_TEST_MAIN(TestPit28BOkno)
#include "tst_pit28b_okno.moc"
