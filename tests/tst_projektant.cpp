// The designer: structure commands (new, open, save as, add page, zoom),
// drawing, moving, resizing and copying objects with the mouse, the Shift and
// Ctrl keys, Delete, and the object popup.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLine>
#include <QMenu>
#include <QSlider>
#include <QToolBar>

#include "model/struktura.h"
#include "pages/nakladka.h"
#include "pages/projektant.h"
#include "support/widok_tabele.h"
#include "support/strony.h"

using namespace velmar_test;

class TstProjektant : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZeStronami> p_;
  TTools &T() { return p_->T(); }
  TFImage &V() { return p_->V(); }
  QString Dc() { return p_->Dc(); }
  QString Panel(int i) { return T().PanelStatusu[static_cast<std::size_t>(i)]->text(); }
  QStringList Komunikaty() {  // the messages, not the file dialogs
    QStringList wynik;
    for (const auto &okno : SkryptDialogow().pokazane)
      if (okno.rodzaj == velmar_test::PokazaneOkno::Rodzaj::Komunikat) wynik << okno.tekst;
    return wynik;
  }
  std::vector<TObiekt> Plik() {
    return struktura::CzytajObiekty(Dc() + "abc/abc.dcs", 1.0f).value_or(std::vector<TObiekt>{});
  }

  // dc/abc: a structure of the given pages with three objects on page 1 (a
  // text, a check box, a locked text), opened.
  void OtworzAbc(int strony = 1) {
    QDir(Dc()).mkdir("abc");
    ZapiszPlik(Dc() + "abc/abc.dcd", Naglowek(strony));
    ZapiszPlik(Dc() + "abc/abc_1.dcg", Svg(1600, 2263, qRgb(0, 0, 255)));
    TObiekt pole = Pole(Checbox, 1, 400, 100, 440, 130);
    UstawBajty(pole.Nazwa, "grupa");
    TObiekt zablokowany = Pole(Text, 1, 100, 300, 300, 340);
    zablokowany.Zablokowane = 1;
    struktura::ZapiszObiekty(Dc() + "abc/abc.dcs", std::vector{Pole(Text, 1, 100, 100, 300, 140), pole, zablokowany});
    SkryptDialogow().pliki.push_back(Dc() + "abc/abc.dcd");
    T().OtworzFormularz->trigger();
  }
  // A left-button drag on the overlay as the mouse gives it: moves, press,
  // move, release.
  void Przeciagnij(int x1, int y1, int x2, int y2) {
    V().FormatkaMouseMove(x1, y1);
    emit V().Formatka->Nacisniecie(Qt::LeftButton, {}, x1, y1);
    V().FormatkaMouseMove(x2, y2);
    emit V().Formatka->Zwolnienie(Qt::LeftButton, {}, x2, y2);
  }
  static QRect Prostokat(const TObiekt &o) { return ProstokatZRogow(o.Lewy, o.Gorny, o.Prawy, o.Dolny); }

 private slots:
  void init() {
    p_ = std::make_unique<ProgramZeStronami>();
    p_->Uruchom();
    T().TrybKlienta = 0;
    T().UstawTryb(false);
  }
  void cleanup() { p_.reset(); }

  void nowaStrukturaIStrony() {
    T().ButtonNew->trigger();
    QVERIFY(T().FolderDruku == Dc() + "tmp" && T().ButtonAddPage->isEnabled() && V().Otwarty());
    QCOMPARE(V().Formatka->Obraz().size(), QSize(800, 1000));

    const QString obraz = p_->Folder().Sciezka() + "strona.svg";
    ZapiszPlik(obraz, Svg(1600, 2263, qRgb(255, 0, 0)));
    ZapiszPlik(p_->Folder().Sciezka() + "zly.svg", "nie obraz");
    QDir(Dc()).mkdir("tmp");
    ZapiszPlik(Dc() + "tmp/tmp_2.dcg", Svg(800, 800, qRgb(0, 255, 0)));
    // Page 1 copied; page 2 already there and kept; a file that is no picture,
    // and a cancelled dialog, add nothing.
    for (const auto &wybor : {std::optional(obraz), std::optional(obraz),
                              std::optional(p_->Folder().Sciezka() + "zly.svg"), std::optional<QString>()}) {
      SkryptDialogow().pliki.push_back(wybor);
      T().DodajStroneDruku->trigger();
    }
    QCOMPARE(CzytajPlik(Dc() + "tmp/tmp_1.dcg"), CzytajPlik(obraz));
    QCOMPARE(CzytajPlik(Dc() + "tmp/tmp_2.dcg"), Svg(800, 800, qRgb(0, 255, 0)));
    QVERIFY(!QFile::exists(Dc() + "tmp/tmp_3.dcg") && Komunikaty().size() == 1);
    QCOMPARE(
        (std::array{T().LiczbaStron, T().BiezacaStrona, struktura::CzytajNaglowek(Dc() + "tmp/tmp.dcd")->LiczbaStron}),
        (std::array{2, 2, 2}));
    QCOMPARE(T().PlikDcg + '|' + Panel(5), Dc() + "tmp/tmp_2.dcg| Roz.akt.druk: 800x800 Skala:1");
  }
  void zapisJako() {
    T().ButtonNew->trigger();
    // Without a page only the header is written, in the new folder.
    SkryptDialogow().pliki.push_back(Dc() + "pusty.dcd");
    T().ZapiszFormularzJako->trigger();
    QVERIFY(QFile::exists(Dc() + "pusty/pusty.dcd") && T().PodfolderDrukow == QStringLiteral("pusty"));

    OtworzAbc();
    ZapiszPlik(Dc() + "abc/notatka.txt", "x");
    SkryptDialogow().pliki.push_back(Dc() + "kopia.dcd");
    T().ButtonSave->trigger();
    QCOMPARE(QDir(Dc() + "kopia").entryList(QDir::Files, QDir::Name),
             (QStringList{"kopia.dcd", "kopia.dcs", "kopia_1.dcg", "kopianotatka.txt"}));
    QCOMPARE(CzytajPlik(Dc() + "kopia/kopia.dcs"), CzytajPlik(Dc() + "abc/abc.dcs"));
    QCOMPARE(T().PlikDcs + ' ' + T().PlikDcg, Dc() + "kopia/kopia.dcs " + Dc() + "kopia/kopia_1.dcg");

    // A folder that cannot be made: reported, and the structure stays where it was.
    ZapiszPlik(Dc() + "plik", "");
    QVERIFY(!T().ZapiszFormularz("plik") && T().PlikDcd == Dc() + "kopia/kopia.dcd");
    QCOMPARE(Komunikaty().last(), "Tworzenie folderu [" + Dc() + "plik] nie powiodło się!");
  }
  // A click on the tool bar itself, beside its buttons, keeps the page loaded, so "Zapisz jako ..." still takes the
  // pages and objects along rather than writing a header that names pages its folder lacks.
  void klikNaPasekZostawiaStrone() {
    OtworzAbc();
    T().show();
    QToolBar *pasek = T().ToolBarNarzedziowy;
    const QPoint obok(pasek->width() - 2, pasek->height() / 2);
    QVERIFY(!pasek->childAt(obok));
    QTest::mouseClick(pasek, Qt::LeftButton, {}, obok);
    SkryptDialogow().pliki.push_back(Dc() + "kopia.dcd");
    T().ButtonSave->trigger();
    QCOMPARE(QDir(Dc() + "kopia").entryList(QDir::Files, QDir::Name),
             (QStringList{"kopia.dcd", "kopia.dcs", "kopia_1.dcg"}));
  }
  void otwarcie_data() { Wiersze("widok_tabele.txt", QStringLiteral("otwarcie")); }
  void otwarcie() {
    QFETCH(QStringList, w);
    const int strony = w[0].toInt(), obiekty = w[2].toInt();
    const QByteArray naglowek(w[1].toInt(), '\0');
    const QStringList n = w[3].split(u' ');
    const QSize nakladka(n[0].toInt(), n[1].toInt());
    if (!naglowek.isEmpty()) {
      QDir(Dc()).mkdir("abc");
      ZapiszPlik(Dc() + "abc/abc.dcd", naglowek);
      SkryptDialogow().pliki.push_back(Dc() + "abc/abc.dcd");
      T().OtworzFormularz->trigger();
      QVERIFY(Komunikaty().size() == 1 && T().PlikDcd.isEmpty());
      return;
    }
    OtworzAbc(strony);
    QVERIFY(Komunikaty().isEmpty() && T().FolderDruku == Dc() + "abc/");
    QCOMPARE((std::array{T().LiczbaObiektow, int(T().StronaWczytana)}), (std::array{obiekty, strony > 0 ? 1 : 0}));
    QCOMPARE(V().Formatka->Obraz().size(), nakladka);
    if (strony > 0)
      QCOMPARE(T().PlikDcg + '|' + Panel(4) + '|' + Panel(5),
               Dc() + "abc/abc_1.dcg| Roz.rob.druk: 800x1131|  Roz.akt.druk: 800x1131 Skala:1");
  }
  void rysowanieObiektu_data() { Wiersze("widok_tabele.txt", QStringLiteral("rysowanie")); }
  void rysowanieObiektu() {
    QFETCH(QStringList, w);
    const QStringList c = w[0].split(u' '), r = w[1].split(u' ');
    const QLine ciagniecie(c[0].toInt(), c[1].toInt(), c[2].toInt(), c[3].toInt());
    const QRect nowy = r.size() < 4 ? QRect() : ProstokatZRogow(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
    OtworzAbc();
    T().SelectObj->setCurrentIndex(Liczba);
    Przeciagnij(ciagniecie.x1(), ciagniecie.y1(), ciagniecie.x2(), ciagniecie.y2());
    const auto pliki = Plik();
    QCOMPARE((std::array{int(pliki.size()), T().LiczbaObiektow}),
             (std::array{nowy.isNull() ? 3 : 4, nowy.isNull() ? 3 : 4}));
    QVERIFY(!V().Rysowanie && !V().Obrysy->Ramka());
    if (nowy.isNull()) return;
    QCOMPARE(Prostokat(pliki.back()), nowy);
    // A new object is numbered and named by its 1-based position.
    QVERIFY(pliki.back().Typ == Liczba && pliki.back().Strona == 1 && pliki.back().NrObiektu == 4);
    QCOMPARE(Tekst(pliki.back().Nazwa), "4");
  }
  void obrysPoZmianie() {
    const TObiekt o = Pole(Text, 1, 100, 200, 300, 400);
    // Per handle: left, right, top, bottom after a displacement of (10, 20).
    // clang-format off
    const std::array<TFImage::Obrys, 9> oczekiwane{{{110, 310, 220, 420}, {110, 300, 220, 400}, {100, 300, 220, 400},
        {100, 310, 220, 400}, {100, 310, 200, 400}, {100, 310, 200, 420}, {100, 300, 200, 420}, {110, 300, 200, 420},
        {110, 300, 200, 400}}};
    // clang-format on
    for (int uchwyt = 0; uchwyt <= 8; ++uchwyt)
      QCOMPARE(ObrysPoZmianie(o, uchwyt, 10, 20), oczekiwane[static_cast<std::size_t>(uchwyt)]);
  }
  // A new object starts with its type's defaults: a number right-aligned with two decimals, a NIP a person's.
  void nowyObiektWedlugTypu() {
    OtworzAbc();
    struct Oczekiwany { int typ, format, wyrownanie; const char* domyslna; };
    for (const Oczekiwany& o : {Oczekiwany{Text, 0, DoLewej, ""},
                                Oczekiwany{Liczba, FormatDziesietna, DoPrawej, "0,00"},
                                Oczekiwany{NIP, NipOsobaFizyczna, DoLewej, ""}, Oczekiwany{Data, 0, DoLewej, ""}}) {
      T().SelectObj->setCurrentIndex(o.typ);
      Przeciagnij(600, 600 + 30 * o.typ, 650, 620 + 30 * o.typ);
      const TObiekt nowy = Plik().back();
      QCOMPARE((std::array{nowy.Typ, nowy.Format, nowy.Wyrownanie}), (std::array{o.typ, o.format, o.wyrownanie}));
      QCOMPARE(Tekst(nowy.WartoscDomyslna), std::string_view(o.domyslna));
    }
  }
  // A type chosen in the list moves the focus on, off the list.
  void wyborTypuPrzenosiFokus() {
    OtworzAbc();
    T().show();
    QApplication::setActiveWindow(&T());
    QVERIFY(QTest::qWaitForWindowActive(&T()));
    T().SelectObj->setFocus();
    QCOMPARE(T().focusWidget(), T().SelectObj);
    T().SelectObj->setCurrentIndex(2);
    emit T().SelectObj->activated(2);
    QVERIFY(T().focusWidget() && T().focusWidget() != T().SelectObj);
    QCOMPARE(T().SelectObj->currentIndex(), 2);
  }
  void przesuwanieIKopie_data() { Wiersze("widok_tabele.txt", QStringLiteral("przesuwanie")); }
  void przesuwanieIKopie() {
    QFETCH(QStringList, w);
    const int klawisz = w[0] == u"Shift" ? Qt::Key_Shift : w[0] == u"Ctrl" ? Qt::Key_Control : 0;
    const int obiekt = w[1].toInt(), liczba = w[2].toInt();
    const bool zrodloPrzesuniete = w[3] == u"1", taSamaNazwa = w[4] == u"1";
    OtworzAbc();
    const TObiekt przed = Plik()[static_cast<std::size_t>(obiekt)];
    if (klawisz) V().FormKeyDown(klawisz);
    const QPoint srodek = Prostokat(przed).center();
    Przeciagnij(srodek.x(), srodek.y(), srodek.x() + 20, srodek.y() + 30);
    const auto pliki = Plik();
    QCOMPARE(static_cast<int>(pliki.size()), liczba);
    const QRect przesuniety = Prostokat(przed).translated(20, 30);
    QCOMPARE(Prostokat(pliki[static_cast<std::size_t>(obiekt)]), zrodloPrzesuniete ? przesuniety : Prostokat(przed));
    if (liczba == 4)
      QVERIFY(Prostokat(pliki.back()) == przesuniety && pliki.back().NrObiektu == 4 &&
              Tekst(pliki.back().Nazwa) == (taSamaNazwa ? Tekst(przed.Nazwa) : std::string_view("0.4")));
    QCOMPARE(V().WektorX, 0);
  }
  void zmianaRozmiaruUchwytem() {
    OtworzAbc();
    Przeciagnij(150, 120, 150, 120);  // a click selects the text and shows its handles
    QVERIFY(V().UchwytyWidoczne && T().WybranyObiekt == 0);
    // The bottom-right handle of the text; the check box's corners are no handles while the text is selected.
    V().FormatkaMouseMove(440, 130);
    QCOMPARE(V().UchwytPodKursorem, 0);
    Przeciagnij(300, 140, 330, 170);
    QCOMPARE(Prostokat(Plik()[0]), ProstokatZRogow(100, 100, 330, 170));
    QCOMPARE(Plik().size(), std::size_t{3});
    // With handles shown a press on an empty spot draws nothing; the click there clears the selection.
    Przeciagnij(600, 600, 700, 700);
    QVERIFY(Plik().size() == 3 && !V().UchwytyWidoczne);
    Przeciagnij(600, 600, 700, 700);
    QCOMPARE(Plik().size(), std::size_t{4});
  }
  void klawisze() {
    OtworzAbc();
    // Shift and Ctrl held over the view, the main window or the tree set the copy modes.
    for (const auto &[cel, klawisz] :
         {std::pair<QWidget *, Qt::Key>{&V(), Qt::Key_Shift}, {&V(), Qt::Key_Control}, {&T(), Qt::Key_Shift},
          {T().TV, Qt::Key_Control}}) {
      std::uint8_t &flaga = klawisz == Qt::Key_Shift ? V().Shift : V().Ctrl;
      QTest::keyPress(cel, klawisz);
      QVERIFY(flaga == 1 && V().Formatka->cursor().shape() == Qt::DragMoveCursor);
      QTest::keyRelease(cel, klawisz);
      QCOMPARE(flaga, 0);
    }
    // Delete with nothing selected removes nothing; with an object selected, that object.
    QTest::keyRelease(&V(), Qt::Key_Delete);
    QVERIFY(Plik().size() == 3 && T().LiczbaObiektow == 3);
    Przeciagnij(150, 120, 150, 120);
    QTest::keyRelease(&V(), Qt::Key_Delete);
    QVERIFY(Plik().size() == 2 && T().LiczbaObiektow == 2);
    Przeciagnij(420, 115, 420, 115);
    QTest::keyRelease(&V(), Qt::Key_Delete);
    QCOMPARE(Plik().size(), std::size_t{1});
    // Client mode leaves the keys alone.
    T().TrybKlienta = 1;
    QTest::keyPress(&T(), Qt::Key_Shift);
    QCOMPARE(V().Shift, 0);
  }
  void menuObiektuIPowiekszenie() {
    OtworzAbc();
    V().FormatkaMouseMove(150, 120);
    QVERIFY(V().MaMenuObiektu() && V().PopupObiekt->actions().size() == 3);
    V().Usu2->trigger();
    QCOMPARE(Plik().size(), std::size_t{3});
    // The menu goes at the second move off the object.
    V().FormatkaMouseMove(600, 600);
    V().FormatkaMouseMove(600, 610);
    QVERIFY(!V().MaMenuObiektu());

    T().TrackBar->setValue(37);  // zoom steps of ten
    QVERIFY(T().TrackBar->value() == 30 && V().Formatka->Obraz().size() == QSize(480, 678));
    QCOMPARE(Panel(0) + '|' + Panel(2), QStringLiteral("2263 x 1600|Skala:480:678 - 30 %"));
  }
};

VELMAR_TEST_MAIN(TstProjektant)
#include "tst_projektant.moc"
