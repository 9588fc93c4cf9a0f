// Showing a form and its pages: the tree's choice, page buttons, switching forms, a computation that fails, a further
// copy, the wheel, the hover hint, closing the view, the page drawn again on a change of mode, the view as the
// computations' screen, and pages that cannot be shown.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <tuple>

#include "calc/ekran.h"
#include "model/plik_rozliczenia.h"
#include "pages/gdi.h"
#include "selection/sam.h"
#include "support/program.h"
#include "support/wpis.h"

using namespace velmar_test;

class TstPokaz : public QObject {
  Q_OBJECT

  static constexpr QRgb kNiebieski = qRgb(0, 0, 255), kZielony = qRgb(0, 160, 0);
  std::unique_ptr<ProgramZeStronami> p_;
  TTools& T() { return p_->T(); }
  TFImage& V() { return p_->V(); }
  QRgb NaEkranie(int x, int y) { return V().Zlozenie().pixel(x + T().LewaKrawedzStrony, y); }
  QStringList Komunikaty() { return SkryptDialogow().Teksty(); }

 private slots:
  void init() {
    p_ = std::make_unique<ProgramZeStronami>();
    // PIT-37: two pages, an amount on page 1 and a text on page 2. PIT/O: one page, three fields.
    TObiekt kwota = Pole(Liczba, 1, 100, 100, 300, 120, "0,00");
    UstawBajty(kwota.Pomoc, "Kwota przychodu");
    TObiekt tekst = Pole(Text, 2, 100, 100, 300, 120);
    UstawBajty(tekst.KolorTla, "00A000");
    p_->ZapiszFormularz(Pit37, 2, {kwota, tekst}, kNiebieski);
    p_->ZapiszFormularz(PitO, 1, std::vector<TObiekt>(3, Pole(Text, 1, 50, 50, 150, 70, "domyślny")));
    p_->Uruchom();
    p_->Rozliczenie({{Pit37, 0, PMWspolny}, {PitO, 1, PMPodatnik}});
  }
  void cleanup() { p_.reset(); }

  void stronyDrukuIPrzyciski() {
    p_->Pokaz(1);
    QCOMPARE((std::array{T().BiezacyDruk.Id, T().BiezacyTyp, T().BiezacaStrona, T().LiczbaStron}),
             (std::array{1, int(Pit37), 1, 2}));
    QCOMPARE(QStringList({T().PlikDcg, T().InfoPit->text(), T().InfoPage->text(), T().DobraneFormularze->text()}),
             QStringList({p_->PlikStrony(Pit37, 1), "Druk: PIT-37", "1 z 2",
                          " Dobrane formularze - rozliczenie indywidualne "}));
    QVERIFY(V().Otwarty() && T().BWydruk->isEnabled() && !WidocznaWPasku(T().ZalAdd));
    QVERIFY(T().TV->currentItem() == T().Druki[1].Wezel && V().Formatka->Obraz().size() == QSize(800, 1131));
    // The page's picture to its last row; the amount's "0,00" drawn at the right.
    QVERIFY(NaEkranie(10, 1130) == kNiebieski && NaEkranie(290, 110) != kNiebieski);

    T().PitNextPage->click();
    QCOMPARE(T().PlikDcg + T().InfoPage->text(), p_->PlikStrony(Pit37, 2) + QStringLiteral("2 z 2"));
    QCOMPARE(NaEkranie(200, 110), kZielony);  // the text field of page 2, the amount of page 1 gone
    QVERIFY(!T().PitNextPage->isEnabled() && !T().PitNextPageEnd->isEnabled() && T().PitPrevPage->isEnabled());
    T().PitNextPageClick();  // the handler checks too
    T().PitPrevPage->click();
    QCOMPARE(NaEkranie(200, 110), qRgb(217, 255, 217));  // the amount, highlighted
    T().PitNextPageEnd->click();
    QCOMPARE(T().BiezacaStrona, 2);
    // Page 1 of 1: no button leads anywhere; a more-copies form offers another copy.
    p_->Pokaz(2);
    QCOMPARE(T().InfoPit->text() + '|' + T().InfoPage->text(), QStringLiteral("Druk: PIT/O (Podatnika)|1 z 1"));
    for (const QToolButton* przycisk : {T().PitNextPage, T().PitNextPageEnd, T().PitPrevPage, T().PitPrevPageEnd})
      QVERIFY(!przycisk->isEnabled());
    QVERIFY(WidocznaWPasku(T().ZalAdd) && Komunikaty().isEmpty());
  }
  void zmianaDrukuWczytujeObiektyIOblicza() {
    const ObliczenieTestowe sonda37(Pit37, &Sonda);
    const ObliczenieTestowe sondaO(PitO, &Sonda);
    for (const int j : {1, 2, 1}) {
      T().TV->setCurrentItem(T().Druki[std::size_t(j)].Wezel);
      QCOMPARE((std::array{T().BiezacyDruk.Id, T().LiczbaObiektow, V().Obiekty[std::size_t(j)].Lewy}),
               (std::array{j, j + 1, j == 1 ? 100 : 50}));
      QCOMPARE((std::pair{Wywolania().back().kodDruku, Wywolania().back().j}),
               (std::pair{int(j == 1 ? Pit37 : PitO), j}));
    }
    QCOMPARE(Wywolania().size(), std::size_t{3});
    // Turning a page runs the computation again but keeps the objects, their locks included.
    V().Obiekty[0].TylkoDoOdczytu = 1;
    T().PitNextPage->click();
    QVERIFY(Wywolania().size() == 4 && V().Obiekty[0].TylkoDoOdczytu == 1 && T().WybranyObiekt == -1);
  }
  // A computation that fails once the page is shown leaves it drawn and counted; its error is thrown after.
  void bladObliczeniaPoNarysowaniu() {
    const ObliczenieTestowe wadliwa(PitO, &Wadliwa);
    p_->Pokaz(1);
    QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, p_->Pokaz(2));
    QCOMPARE(T().BiezacyDruk.Id, 2);
    QVERIFY(NaEkranie(60, 60) != qRgb(255, 0, 0));  // the field's default text is on the page
    QCOMPARE(T().InfoPage->text(), QStringLiteral("1 z 1"));
  }
  void dodatkowyEgzemplarz() {
    p_->Pokaz(2);
    T().Zmodyfikowane = 0;
    T().Osoby[0].UstawPole(0, "123-456-78-90");
    T().ZalAdd->click();
    const TDruk& nowy = T().Druki[3];
    QCOMPARE((std::array{T().LiczbaDrukow, nowy.IdPit, nowy.IdParent, nowy.PM, T().BiezacyDruk.Id, T().BiezacaStrona}),
             (std::array{3, int(PitO), 1, int(PMPodatnik), 3, 1}));
    // The defaults of the structure, then the identification data over them.
    QVERIFY(nowy.Wczytany == 1 && Tekst(nowy.Pola[0].Wartosc) == "123-456-78-90");
    QTreeWidgetItem* korzen = T().TV->topLevelItem(0);
    QVERIFY(korzen->childCount() == 2 && korzen->child(1)->text(0) == korzen->child(0)->text(0));
    QVERIFY(T().TV->currentItem() == korzen->child(1) && T().Zmodyfikowane == 1 && T().ToolButtonSave->isEnabled());
  }
  void brakDcgZostawiaPoprzedniaStrone() {
    p_->Pokaz(1);
    const auto obraz = T().ObrazStrony;
    QFile::remove(p_->PlikStrony(Pit37, 2));
    T().PitNextPage->click();
    QCOMPARE(Komunikaty(), QStringList{QStringLiteral("Brak wynaganych plik plików: \n") + p_->Dc() +
                                       QStringLiteral("2.dcs\n") + p_->PlikStrony(Pit37, 2)});
    QCOMPARE(T().PlikDcg + ' ' + T().InfoPage->text(), p_->PlikStrony(Pit37, 1) + QStringLiteral(" 1 z 2"));
    QVERIFY(T().BiezacaStrona == 1 && T().ObrazStrony == obraz && !T().BWydruk->isEnabled());
  }
  // A form whose header has no pages shows an empty sheet and nothing to print.
  void formularzBezStronIZamkniecie() {
    p_->Pokaz(1);
    ZapiszPlik(p_->Dc() + QStringLiteral("6.dcd"), Naglowek(0));
    p_->Pokaz(2);
    QVERIFY(Komunikaty().isEmpty() && !T().BWydruk->isEnabled());
    QCOMPARE((std::array{T().LiczbaStron, int(T().StronaWczytana), T().LiczbaObiektow}), (std::array{0, 0, 0}));
    QCOMPARE(V().Formatka->Obraz().size(), QSize(800, 1000));
    QCOMPARE(NaEkranie(10, 900), qRgb(255, 255, 255));
    // Closing the view empties it; choosing the form again opens it with its objects.
    p_->Pokaz(1);
    V().close();
    QVERIFY(!V().Otwarty() && !T().ObrazStrony && !WidocznaWPasku(T().PitNextPage));
    QCOMPARE((std::array{int(T().StronaWczytana), T().LiczbaObiektow, T().LiczbaStron}), (std::array{0, 0, 0}));
    QCOMPARE(T().InfoPage->text(), QString());
    T().TV->setCurrentItem(nullptr);
    T().TV->setCurrentItem(T().Druki[1].Wezel);
    QVERIFY(V().Otwarty() && WidocznaWPasku(T().PitNextPage));
    QCOMPARE(T().LiczbaObiektow, 2);
  }
  void otwarciePokazujePierwszyDruk_data() {
    QTest::addColumn<bool>("zZalacznikiem");
    QTest::addColumn<bool>("zPowitania");  // the settlement on screen was closed first
    QTest::newRow("a lone form over another form") << false << false;
    QTest::newRow("a lone form from the welcome") << false << true;
    QTest::newRow("a form and its attachment") << true << false;
  }
  // A settlement opened from a file shows its first form's first page at once, selected in the tree, with the
  // header, the page buttons and the caption of the file's settlement kind, and nothing of what was on screen before.
  void otwarciePokazujePierwszyDruk() {
    QFETCH(bool, zZalacznikiem);
    QFETCH(bool, zPowitania);
    std::vector<TDruk> druki(zZalacznikiem ? 3 : 2);
    std::tie(druki[1].Id, druki[1].IdPit, druki[1].Rodzaj) = std::tuple{1, int{Pit37}, int{WspolneZMalzonkiem}};
    if (zZalacznikiem)
      std::tie(druki[2].Id, druki[2].IdPit, druki[2].IdParent, druki[2].PM, druki[2].Rodzaj) =
          std::tuple{2, int{PitO}, 1, int{PMPodatnik}, int{WspolneZMalzonkiem}};
    const QString plik = p_->Folder().Sciezka() + QStringLiteral("jeden.dc8");
    ZapiszPlik(plik, ZakodujRozliczenie(druki, static_cast<int>(druki.size()) - 1));
    p_->Pokaz(2);
    // The line the computation of the form on screen left there.
    T().ListError->addItem(QStringLiteral("Program dokonał redukcji odliczeń."));
    T().UstawWysokoscListError(40);
    if (zPowitania) T().Zamknij1->trigger();
    SkryptDialogow().pliki = {plik};
    T().Otw1->trigger();
    QCOMPARE((std::array{T().LiczbaDrukow, T().BiezacyDruk.Id, T().BiezacyTyp, T().BiezacaStrona}),
             (std::array{static_cast<int>(druki.size()) - 1, 1, int(Pit37), 1}));
    QVERIFY(V().Otwarty() && T().TV->currentItem() == T().Druki[1].Wezel && T().Druki[1].Wezel->isSelected());
    QCOMPARE(QStringList({T().InfoPit->text(), T().InfoPage->text(), T().DobraneFormularze->text()}),
             QStringList({"Druk: PIT-37", "1 z 2", " Dobrane formularze - rozliczenie wspólne z małżonkiem "}));
    QVERIFY(T().PitNextPage->isEnabled() && !T().PitPrevPage->isEnabled() && T().BWydruk->isEnabled());
    QVERIFY(T().Powitanie->isHidden() && !T().ObszarMdi->isHidden() && T().WysokoscListError() == 0);
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});  // the file dialog alone
    QCOMPARE(NaEkranie(10, 1130), kNiebieski);
  }
  void podpowiedzNadPolem() {
    p_->Pokaz(1);
    V().FormatkaMouseMove(150, 110);
    QVERIFY(T().ObiektNadKursorem == 0 && T().ObiektPodKursorem == 1);
    QVERIFY(V().Formatka->cursor().shape() == Qt::PointingHandCursor);
    QCOMPARE(QStringList({V().Formatka->toolTip(), T().PanelStatusu[1]->text(), T().PanelStatusu[2]->text()}),
             QStringList({"Kwota przychodu", "x,y [150,110]", "Nr obj: 0"}));
    // The edges belong to the object; the text field of page 2 lies under the same point but is not on screen.
    V().FormatkaMouseMove(300, 120);
    QCOMPARE(T().ObiektNadKursorem, 0);
    V().FormatkaMouseMove(301, 120);
    QVERIFY(T().ObiektNadKursorem == -1 && V().Formatka->toolTip().isEmpty());
    V().FormatkaMouseMove(400, 400);
    QVERIFY(V().Formatka->cursor().shape() == Qt::ArrowCursor && T().PanelStatusu[2]->text().isEmpty());
  }
  // Switching to the designer and back redraws the page on screen in each mode's way, without loading the form again.
  void zmianaTrybuRysujeStroneOdNowa() {
    p_->Pokaz(1);
    const QRgb wKliencie = NaEkranie(100, 110);
    T().TrybKlienta = 0;
    T().UstawTryb(false);
    QVERIFY(NaEkranie(100, 110) != wKliencie && V().MaMenuObiektu());  // the designer's frame on the object's edge
    T().TrybKlienta = 1;
    T().UstawTryb(true);
    QVERIFY(NaEkranie(100, 110) == wKliencie && !V().MaMenuObiektu());
    QCOMPARE((std::array{T().BiezacyDruk.Id, T().LiczbaObiektow}), (std::array{1, 2}));
  }
  // What a computation does to the screen lands on the page view and the main window.
  void widokJakoEkranObliczen() {
    p_->Pokaz(2);
    EkranObliczen& ekran = V();
    QCOMPARE(ekran.BiezacyDruk().Id, 2);
    // Only the form's fields take a lock: not objects past its count, nor past the array.
    T().LiczbaObiektow = 2;
    for (int k : {1, 2, 3, -1}) ekran.UstawTylkoDoOdczytu(k, 1);
    QCOMPARE((std::array{V().Obiekty[0].TylkoDoOdczytu, V().Obiekty[1].TylkoDoOdczytu, V().Obiekty[2].TylkoDoOdczytu}),
             (std::array<std::uint8_t, 3>{0, 1, 0}));
    ekran.UstawWysokoscListError(40);
    ekran.DodajDoListError(QStringLiteral("linia"));
    QVERIFY(T().WysokoscListError() == 40 && T().ListError->count() == 1);
    ekran.WyczyscListError();
    QCOMPARE(T().ListError->count(), 0);
    // A page turn asked by a computation shows the record as its tree node does; an index outside does nothing.
    ekran.PokazDruk(1, 2);
    QCOMPARE((std::array{T().BiezacyDruk.Id, T().BiezacaStrona}), (std::array{1, 2}));
    ekran.PokazDruk(3, 1);
    QCOMPARE(T().BiezacyDruk.Id, 1);
    // A lasting state is told when it begins, for each record and message of its own, and again once it has ended.
    SkryptDialogow().pokazane.clear();
    const QString a = QStringLiteral("a"), b = QStringLiteral("b");
    for (const auto& [j, trwa, tekst] : {std::tuple{2, true, a}, {2, true, a}, {1, true, a}, {2, true, b}, {1, true, a},
                                         {2, false, a}, {2, true, b}, {2, true, a}, {1, true, a}})
      ekran.KomunikatStanu(j, trwa, tekst);
    QCOMPARE(Komunikaty(), (QStringList{a, a, b, a}));
  }
  void przekazanieWyboruZOtwartymEdytorem_data() {
    QTest::addColumn<bool>("pokazywalny");
    QTest::newRow("the form shown after it can be shown") << true;
    QTest::newRow("the form shown after it cannot be shown") << false;
  }
  // "dodaj/usuń druk" with a value still in its editor: a form ticked in front of the one on screen moves it to
  // another index, and neither the value nor the computation of the old form may land on what took its place.
  void przekazanieWyboruZOtwartymEdytorem() {
    QFETCH(bool, pokazywalny);
    static std::vector<int> obce;
    obce.clear();
    const ObliczenieTestowe sondaO(PitO, [](KontekstObliczen& kx, int j) {
      if (kx.R.Druk(j).IdPit != PitO) obce.push_back(j);
    });
    // The amount lies past every field the identification exchange writes on a PIT/O or a PIT-37.
    constexpr int kKwotaO = 30;
    std::vector<TObiekt> pola(kKwotaO, Pole(Text, 1, 50, 500, 150, 520));
    pola.push_back(Pole(Liczba, 1, 50, 50, 150, 70, "0,00"));
    p_->ZapiszFormularz(PitO, 1, pola);
    p_->Rozliczenie({{Pit37, 0, PMWspolny}, {PitO, 1, PMWspolny}});
    auto* sam = new TSam(&T());
    p_->Pokaz(2);
    QTest::mouseClick(V().Formatka, Qt::LeftButton, Qt::NoModifier, QPoint(100, 60));
    QVERIFY(V().Memo());
    Pisz(V().Memo(), QStringLiteral("555"));

    T().Zmiana->click();
    QVERIFY(sam->isVisible() && !V().Memo() && Tekst(T().Druki[2].Pola[kKwotaO].Wartosc) == "555,00");
    const int pit36L = sam->ZnajdzKandydata(Pit36L, 0, PMWspolny);
    QVERIFY(pit36L >= 1);
    T().Kandydaci[static_cast<std::size_t>(pit36L)].Wezel->setCheckState(0, Qt::Checked);
    if (!pokazywalny) QFile::remove(p_->PlikStrony(PitO, 1));
    QTest::mouseClick(sam->Zatwierdzam, Qt::LeftButton);

    // PIT-36L, PIT-37 and its PIT/O, in the chooser's order.
    QCOMPARE((std::array{T().LiczbaDrukow, T().Druki[2].IdPit, T().Druki[3].IdPit}),
             (std::array{3, int(Pit37), int(PitO)}));
    QVERIFY(Tekst(T().Druki[3].Pola[kKwotaO].Wartosc) == "555,00" && Tekst(T().Druki[2].Pola[kKwotaO].Wartosc).empty());
    QVERIFY2(obce.empty(), "the PIT/O computation ran on another form's record");
    // When it cannot be shown nothing is on screen, so no record is current: the next store has no old index to land
    // on.
    QCOMPARE(Komunikaty().filter(QStringLiteral("Brak wynaganych plik plików")).size(), pokazywalny ? 0 : 1);
    QVERIFY(T().BiezacyDruk.Id == (pokazywalny ? 3 : 0) && V().Otwarty() == pokazywalny);
  }
  void nieudanePokazanieZostawiaZgodnyEkran_data() {
    QTest::addColumn<QString>("plik");     // the PIT/O's file made bad, in the dc folder
    QTest::addColumn<QByteArray>("dane");  // null: the file is missing
    QTest::addColumn<QString>("komunikat");
    QTest::newRow("no page picture") << "6_1.dcg" << QByteArray() << "Brak wynaganych plik plików";
    QTest::newRow("short header") << "6.dcd" << Naglowek(1).left(275) << "nagłówka";
    QTest::newRow("no picture") << "6_1.dcg" << QByteArray("nie obraz") << "Nieznany format";
    QTest::newRow("picture without width") << "6_1.dcg" << Svg(0, 100, 0) << "nieprawidłowy rozmiar";
  }
  // A form that cannot be shown, chosen with the mouse in the tree: the screen, its header, the tree and the current
  // record all stay on what is shown, and every other form still opens.
  void nieudanePokazanieZostawiaZgodnyEkran() {
    QFETCH(QString, plik);
    QFETCH(QByteArray, dane);
    QFETCH(QString, komunikat);
    p_->ZapiszFormularz(PitD, 1, {Pole(Text, 1, 50, 50, 150, 70)}, kZielony);
    p_->Rozliczenie({{Pit37, 0, PMWspolny}, {PitO, 1, PMPodatnik}, {PitD, 1, PMWspolny}});
    T().resize(1000, 700);
    T().show();
    QApplication::processEvents();
    const auto kliknij = [&](int j) { velmar_test::KliknijWDrzewie(T(), j); };
    // The record shown, as the tree selects it; -1 when the tree disagrees.
    const auto wybrany = [&]() {
      const int j = T().BiezacyDruk.Id;
      QTreeWidgetItem* wezel = j >= 1 ? T().Druki[static_cast<std::size_t>(j)].Wezel : nullptr;
      const QList<QTreeWidgetItem*> zaznaczone = wezel ? QList{wezel} : QList<QTreeWidgetItem*>{};
      return T().TV->currentItem() == wezel && T().TV->selectedItems() == zaznaczone ? j : -1;
    };
    QFile::remove(p_->Dc() + plik);
    if (!dane.isNull()) ZapiszPlik(p_->Dc() + plik, dane);

    kliknij(1);
    T().PitNextPage->click();
    kliknij(2);
    QVERIFY2(Komunikaty().size() == 1 && Komunikaty()[0].contains(komunikat), qPrintable(Komunikaty().join('|')));
    QCOMPARE(wybrany(), 1);
    QCOMPARE((std::array{T().BiezacyTyp, T().BiezacaStrona, T().LiczbaStron, T().LiczbaObiektow, T().WysokoscWidoku}),
             (std::array{int(Pit37), 2, 2, 2, 1131}));
    QCOMPARE(T().PlikDcd, p_->Dc() + QStringLiteral("2.dcd"));
    QCOMPARE(T().InfoPit->text() + '|' + T().InfoPage->text(), QStringLiteral("Druk: PIT-37|2 z 2"));
    QVERIFY(!WidocznaWPasku(T().ZalAdd) && NaEkranie(10, 1130) == kNiebieski);
    kliknij(3);
    QVERIFY(wybrany() == 3 && NaEkranie(10, 1130) == kZielony);
    kliknij(1);
    QVERIFY(wybrany() == 1 && T().InfoPage->text() == QStringLiteral("1 z 2"));

    // With no page on screen a failure leaves no form current and no header.
    V().close();
    kliknij(2);
    QVERIFY(Komunikaty().size() == 2 && wybrany() == 0 && !V().Otwarty() && T().InfoPage->text().isEmpty());
    QVERIFY(!WidocznaWPasku(T().InfoPit) && !WidocznaWPasku(T().ZalAdd));
    kliknij(3);
    QVERIFY(wybrany() == 3 && V().Otwarty());
  }
  void stronaPrzewijaSieWObieStrony_data() {
    QTest::addColumn<QSize>("ekran");
    QTest::newRow("800x600") << QSize(800, 600);
    QTest::newRow("1280x1024") << QSize(1280, 1024);
  }
  // Every part of the page can be scrolled into the view, whatever the size of the main window. A page turned to opens
  // at its top, a form chosen at its top left corner; the page on screen drawn again stays where it was scrolled.
  void stronaPrzewijaSieWObieStrony() {
    QFETCH(QSize, ekran);
    T().setGeometry(QRect(QPoint(0, 0), ekran));
    T().show();
    p_->Pokaz(1);
    QApplication::processEvents();
    const QSize kartka = V().Kartka()->size(), widok = V().viewport()->size();
    QVERIFY2(kartka.width() > 800 && widok.width() > 0 && widok.height() > 0, "the view is shown");
    QScrollBar *poziomy = V().horizontalScrollBar(), *pasek = V().verticalScrollBar();
    // Scrolled to the end, the view shows the page's last column and row.
    QCOMPARE(poziomy->maximum() + widok.width(), std::max(kartka.width(), widok.width()));
    QCOMPARE(pasek->maximum() + widok.height(), std::max(kartka.height(), widok.height()));
    QVERIFY(pasek->maximum() > 100 && (ekran.width() > 800 || (poziomy->maximum() > 0 && poziomy->isVisible())));
    const auto wRogu = [&] {
      pasek->setValue(pasek->maximum());
      poziomy->setValue(poziomy->maximum());
    };
    // A page turn keeps the view's sideways place, another form starts at the left edge.
    for (int krok = 0; krok < 6; ++krok) {
      wRogu();
      if (krok < 4)
        (std::array{T().PitNextPage, T().PitPrevPage, T().PitNextPageEnd, T().PitPrevPageEnd}[krok])->click();
      else
        p_->Pokaz(krok == 4 ? 2 : 1);
      QVERIFY2(pasek->value() == 0 && poziomy->value() == (krok < 4 ? poziomy->maximum() : 0),
               qPrintable(QString::number(krok)));
    }
    // The wheel scrolls 50 pixels a notch turned towards the user, back up the other way, over the main window
    // outside any control too; not while a list editor is open.
    const auto krec = [&](QObject* cel, int obrot) {
      QWheelEvent zdarzenie(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, obrot), Qt::NoButton, Qt::NoModifier,
                            Qt::NoScrollPhase, false);
      QApplication::sendEvent(cel, &zdarzenie);
    };
    krec(V().viewport(), -240);
    QCOMPARE(pasek->value(), 50);
    krec(V().viewport(), 60);
    krec(V().viewport(), 60);
    krec(&T(), -240);
    QCOMPARE(pasek->value(), 75);
    V().EdytorListy = new QComboBox(&V());
    krec(V().viewport(), -120);
    QCOMPARE(pasek->value(), 75);
    delete V().EdytorListy;
    wRogu();
    const int dol = pasek->value();
    QVERIFY(dol > 0 && T().PokazStrone(T().BiezacyTyp, T().BiezacaStrona, true));
    QVERIFY(pasek->value() == dol && poziomy->value() == poziomy->maximum() && T().BiezacaStrona == 1);
  }
  // What the page view repaints and the overlay later wipes: every rectangle drawn with a pen, a brush or both.
  void plotnoZglaszaZmiany() {
    QImage obraz(100, 40, QImage::Format_RGB32);
    QPainter malarz(&obraz);
    gdi::Stan stan;
    gdi::Plotno plotno(malarz, stan);
    std::vector<QRect> zmiany;
    plotno.SledzZmiany(&zmiany);
    for (const auto& [pioro, pedzel] : {std::pair{true, false}, {false, true}, {true, true}, {false, false}}) {
      zmiany.clear();
      stan.pioro = pioro ? std::optional(qRgb(0, 0, 0)) : std::nullopt;
      stan.pedzel = pedzel ? std::optional(qRgb(0, 0, 255)) : std::nullopt;
      plotno.Rysuj({10, 10, 30, 20});
      QCOMPARE(zmiany, (pioro || pedzel ? std::vector{QRect(10, 10, 20, 10)} : std::vector<QRect>{}));
    }
  }
};

VELMAR_TEST_MAIN(TstPokaz)
#include "tst_pokaz.moc"
