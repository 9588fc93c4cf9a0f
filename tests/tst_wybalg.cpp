// The choice dialog: both ways into a new settlement, with the save question before a modified one is dropped.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "main/tools.h"
#include "selection/grupa_opcji.h"
#include "selection/kreator.h"
#include "selection/sam.h"
#include "selection/wybalg.h"
#include "support/program.h"
#include "support/test_main.h"

using namespace velmar_test;
using platform::Odpowiedz;

class TstWybAlg : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<TTools> tools_;
  TFWybAlg* wyb_ = nullptr;

  TTools& T() { return *tools_; }

 private slots:
  void init() {
    folder_ = std::make_unique<FolderProgramu>();
    tools_ = NoweOkno(*folder_);
    new TKreator(tools_.get());
    new TSam(tools_.get());
    wyb_ = new TFWybAlg(tools_.get());
    SkryptDialogow().pokazane.clear();
    SkryptDialogow().odpowiedzi.clear();
    SkryptDialogow().pliki.clear();
    wyb_->show();
  }
  void cleanup() {
    tools_.reset();
    folder_.reset();
  }

  void newSettlement_data() {
    QTest::addColumn<bool>("kreator");
    QTest::addColumn<bool>("zmienione");
    QTest::addColumn<int>("odpowiedz");
    QTest::addColumn<bool>("zapisano");  // a file is chosen in the save dialog
    QTest::newRow("samodzielnie, unchanged") << false << false << int(Odpowiedz::Nie) << false;
    QTest::newRow("samodzielnie, No drops the changes") << false << true << int(Odpowiedz::Nie) << false;
    QTest::newRow("samodzielnie, Yes saves first") << false << true << int(Odpowiedz::Tak) << true;
    QTest::newRow("samodzielnie, save cancelled") << false << true << int(Odpowiedz::Tak) << false;
    QTest::newRow("ścieżka wyboru, No drops the changes") << true << true << int(Odpowiedz::Nie) << false;
    QTest::newRow("ścieżka wyboru, save cancelled") << true << true << int(Odpowiedz::Tak) << false;
  }
  // Either way into a new settlement asks before a modified one is dropped; a Yes whose save is cancelled keeps the
  // settlement and neither way goes on. The wizard opens modal on a cleared settlement; the manual chooser opens with
  // its kind free.
  void newSettlement() {
    QFETCH(bool, kreator);
    QFETCH(bool, zmienione);
    QFETCH(int, odpowiedz);
    QFETCH(bool, zapisano);
    const bool tak = odpowiedz == int(Odpowiedz::Tak), dalej = !tak || zapisano;
    Sam->RodzRozl->setEnabled(false);
    // A one-form settlement with an identification text, as the user left it.
    T().PrzydzielDruki(49);
    T().DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
    T().BudujDrzewo();
    T().PokazPowitanie(false);
    T().NazwaRozliczenia = QStringLiteral("moje.dc8");
    T().setWindowTitle(T().NazwaRozliczenia);
    T().Zmodyfikowane = zmienione ? 1 : 0;
    T().ToolButtonSave->setEnabled(zmienione);
    T().Osoby[0].UstawPole(0, "1234567890");
    const QString plik = folder_->Sciezka() + QStringLiteral("zapis.dc8");
    SkryptDialogow().odpowiedzi = {static_cast<Odpowiedz>(odpowiedz)};
    SkryptDialogow().pliki = {zapisano ? std::optional<QString>(plik) : std::nullopt};
    // The wizard, once shown, is looked at and cancelled.
    QTimer czuwanie;
    int krok = -1, drukow = -1;
    connect(&czuwanie, &QTimer::timeout, this, [&] {
      if (!Kreator->isVisible() || !Kreator->isModal()) return;
      std::tie(krok, drukow) = std::pair(Kreator->Krok, T().LiczbaDrukow);
      QTest::mouseClick(Kreator->Anuluj, Qt::LeftButton);
    });
    czuwanie.start(0);
    QTest::mouseClick(kreator ? wyb_->Button1 : wyb_->Button2, Qt::LeftButton);

    const auto& okna = SkryptDialogow().pokazane;
    QCOMPARE(okna.size(), std::size_t(zmienione ? 1 + tak : 0));
    if (zmienione) {
      QCOMPARE(okna[0].tekst, QStringLiteral("Rozliczenie \"moje.dc8\" zostało zmodyfikowane.\nCzy zapisać zmiany w "
                                             "bieżącym rozliczeniu ?"));
      QVERIFY(okna[0].tytul == QStringLiteral("Zapisanie zmian") && okna[0].przyciski == platform::Przyciski::TakNie &&
              okna[0].ikona == platform::Ikona::Wykrzyknik);
    }
    if (tak) QCOMPARE(okna[1].rodzaj, velmar_test::PokazaneOkno::Rodzaj::PlikDoZapisu);
    QCOMPARE(QFile::exists(plik) && QFile(plik).size() > 0, zapisano);
    QCOMPARE(krok, kreator && dalej ? 0 : -1);
    QCOMPARE(drukow, kreator && dalej ? 0 : -1);
    QCOMPARE(Sam->isVisible(), !kreator && dalej);
    QVERIFY(wyb_->isHidden());
    QCOMPARE(T().LiczbaDrukow, dalej ? 0 : 1);
    QCOMPARE(T().Zmodyfikowane, dalej ? 0 : 1);
    QCOMPARE(T().ToolButtonSave->isEnabled(), !dalej);
    QCOMPARE(T().Osoby[0].Pole(0), std::string_view(dalej ? "" : "1234567890"));
    QCOMPARE(T().windowTitle(), dalej ? TTools::kTytulBezRozliczenia : QStringLiteral("moje.dc8"));
    // The cancelled wizard brings the welcome back.
    QCOMPARE(T().Powitanie->isHidden(), !(kreator && dalej));
    if (!dalej) return;
    QVERIFY(T().PlikRozliczenia.isEmpty() && T().ListError->isHidden());
    if (kreator) return;
    QCOMPARE(T().DobraneFormularze->text(), QStringLiteral("Dobrane formularze"));
    QVERIFY(T().RozpocznijPrace->isHidden() && Sam->RodzRozl->isEnabled());
  }
};

VELMAR_TEST_MAIN(TstWybAlg)
#include "tst_wybalg.moc"

