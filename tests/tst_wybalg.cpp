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

  // A modified one-form settlement with an identification text, as the user left it.
  void Rozliczenie() {
    T().PrzydzielDruki(49);
    T().DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
    T().BudujDrzewo();
    T().PokazPowitanie(false);
    T().NazwaRozliczenia = QStringLiteral("moje.dc8");
    T().setWindowTitle(T().NazwaRozliczenia);
    T().Zmodyfikowane = 1;
    T().ToolButtonSave->setEnabled(true);
    T().Osoby[0].UstawPole(0, "1234567890");
  }
  void SprawdzNietkniete() {
    QCOMPARE(T().LiczbaDrukow, 1);
    QCOMPARE(T().Zmodyfikowane, 1);
    QVERIFY(T().ToolButtonSave->isEnabled());
    QCOMPARE(T().Osoby[0].Pole(0), std::string_view("1234567890"));
    QCOMPARE(T().windowTitle(), QStringLiteral("moje.dc8"));
    QVERIFY(T().Powitanie->isHidden());
    QVERIFY(wyb_->isHidden());
  }
  // The save question, and after a Yes the save dialog.
  void SprawdzPytanie(bool zapis = false) {
    const auto& okna = SkryptDialogow().pokazane;
    QCOMPARE(okna.size(), std::size_t{zapis ? 2u : 1u});
    if (zapis) QCOMPARE(okna[1].rodzaj, platform::PokazaneOkno::Rodzaj::PlikDoZapisu);
    QCOMPARE(okna[0].tekst, QStringLiteral("Rozliczenie \"moje.dc8\" zostało zmodyfikowane.\nCzy zapisać zmiany w "
                                           "bieżącym rozliczeniu ?"));
    QCOMPARE(okna[0].tytul, QStringLiteral("Zapisanie zmian"));
    QCOMPARE(okna[0].przyciski, platform::Przyciski::TakNie);
    QCOMPARE(okna[0].ikona, platform::Ikona::Wykrzyknik);
  }

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

  void manualPathClearsTheSettlement_data() {
    QTest::addColumn<bool>("zmienione");
    QTest::addColumn<int>("odpowiedz");
    QTest::newRow("unchanged") << false << int(Odpowiedz::Nie);
    QTest::newRow("No drops the changes") << true << int(Odpowiedz::Nie);
    QTest::newRow("Yes saves first") << true << int(Odpowiedz::Tak);
  }
  void manualPathClearsTheSettlement() {
    QFETCH(bool, zmienione);
    QFETCH(int, odpowiedz);
    Sam->RodzRozl->setEnabled(false);
    Rozliczenie();
    T().Zmodyfikowane = zmienione ? 1 : 0;
    const QString plik = folder_->Sciezka() + QStringLiteral("zapis.dc8");
    SkryptDialogow().odpowiedzi = {static_cast<Odpowiedz>(odpowiedz)};
    SkryptDialogow().pliki = {plik};
    QTest::mouseClick(wyb_->Button2, Qt::LeftButton);
    if (zmienione) SprawdzPytanie(odpowiedz == int(Odpowiedz::Tak));
    else QVERIFY(SkryptDialogow().pokazane.empty());
    QCOMPARE(QFile::exists(plik), odpowiedz == int(Odpowiedz::Tak));
    if (QFile::exists(plik)) QVERIFY(QFile(plik).size() > 0);

    QVERIFY(!T().MaDruki());
    QCOMPARE(T().LiczbaDrukow, 0);
    QCOMPARE(T().Zmodyfikowane, 0);
    QVERIFY(T().PlikRozliczenia.isEmpty());
    QVERIFY(!T().ToolButtonSave->isEnabled());
    QVERIFY(T().Osoby[0].Pole(0).empty());
    QCOMPARE(T().DobraneFormularze->text(), QStringLiteral("Dobrane formularze"));
    QCOMPARE(T().windowTitle(), TTools::kTytulBezRozliczenia);
    QVERIFY(T().Powitanie->isHidden() && T().RozpocznijPrace->isHidden());
    QVERIFY(T().ListError->isHidden());
    QVERIFY(Sam->isVisible());
    QVERIFY(Sam->RodzRozl->isEnabled());
    QVERIFY(wyb_->isHidden());
  }

  void wizardPathShowsTheWizard() {
    Rozliczenie();
    SkryptDialogow().odpowiedzi = {Odpowiedz::Nie};
    bool pokazany = false;
    int krok = -1, drukow = -1;
    QTimer::singleShot(0, this, [&] {
      pokazany = Kreator->isVisible() && Kreator->isModal();
      krok = Kreator->Krok;
      drukow = T().LiczbaDrukow;
      QTest::mouseClick(Kreator->Anuluj, Qt::LeftButton);
    });
    QTest::mouseClick(wyb_->Button1, Qt::LeftButton);
    QVERIFY(pokazany);
    QCOMPARE(krok, 0);
    QCOMPARE(drukow, 0);
    SprawdzPytanie();
    QVERIFY(wyb_->isHidden() && Kreator->isHidden());
    QVERIFY(!T().MaDruki());
    QVERIFY(!T().Powitanie->isHidden());
  }

  // A Yes whose save is cancelled keeps the settlement, and neither way goes on.
  void cancelledSaveKeepsTheSettlement_data() {
    QTest::addColumn<bool>("kreator");
    QTest::newRow("ścieżka wyboru") << true;
    QTest::newRow("samodzielnie") << false;
  }
  void cancelledSaveKeepsTheSettlement() {
    QFETCH(bool, kreator);
    Rozliczenie();
    SkryptDialogow().odpowiedzi = {Odpowiedz::Tak};
    SkryptDialogow().pliki = {std::nullopt};
    QTimer czuwanie;
    bool pokazany = false;
    connect(&czuwanie, &QTimer::timeout, this, [&] {
      if (!Kreator->isVisible()) return;
      pokazany = true;
      QTest::mouseClick(Kreator->Anuluj, Qt::LeftButton);
    });
    czuwanie.start(0);
    QTest::mouseClick(kreator ? wyb_->Button1 : wyb_->Button2, Qt::LeftButton);
    QVERIFY(!pokazany);
    QVERIFY(!Sam->isVisible());
    SprawdzPytanie(true);
    SprawdzNietkniete();
  }
};

VELMAR_TEST_MAIN(TstWybAlg)
#include "tst_wybalg.moc"

