// The designer: structure commands (new, open, save as, add page, zoom),
// drawing, moving, resizing and copying objects with the mouse, the Shift and
// Ctrl keys, Delete, and the object popup.

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLine>
#include <QMenu>
#include <QSlider>

#include "model/struktura.h"
#include "pages/nakladka.h"
#include "pages/projektant.h"
#include "tst_strony_wspolne.h"

using namespace velmar_test;

class TstProjektant : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZeStronami> p_;
  TTools &T() { return p_->T(); }
  TFImage &V() { return p_->V(); }
  QString Dc() { return p_->Dc(); }
  QString Panel(int i) { return T().PanelStatusu[static_cast<std::size_t>(i)]->text(); }
  QStringList Komunikaty() {
    QStringList wynik;
    for (const auto &okno : SkryptDialogow().pokazane)
      if (okno.rodzaj == platform::PokazaneOkno::Rodzaj::Komunikat) wynik << okno.tekst;
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

  void nowaStrukturaIStrony();
  void zapisJako();
  void otwarcie_data();
  void otwarcie();
  void rysowanieObiektu_data();
  void rysowanieObiektu();
  void obrysPoZmianie();
  void przesuwanieIKopie_data();
  void przesuwanieIKopie();
  void zmianaRozmiaruUchwytem();
  void klawisze();
  void menuObiektuIPowiekszenie();
  void ramkaIEtykieta();
};

void TstProjektant::nowaStrukturaIStrony() {
  T().ButtonNew->trigger();
  QCOMPARE(T().FolderDruku, Dc() + "tmp");
  QCOMPARE(V().Formatka->Obraz().size(), QSize(800, 1000));
  QVERIFY(T().ButtonAddPage->isEnabled() && V().Otwarty());

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
  QVERIFY(!QFile::exists(Dc() + "tmp/tmp_3.dcg"));
  QCOMPARE(Komunikaty().size(), 1);
  QCOMPARE((std::array{T().LiczbaStron, T().BiezacaStrona}), (std::array{2, 2}));
  QCOMPARE(T().PlikDcg, Dc() + "tmp/tmp_2.dcg");
  QCOMPARE(struktura::CzytajNaglowek(Dc() + "tmp/tmp.dcd")->LiczbaStron, 2);
  QCOMPARE(Panel(5), QStringLiteral(" Roz.akt.druk: 800x800 Skala:1"));
}

void TstProjektant::zapisJako() {
  T().ButtonNew->trigger();
  // Without a page only the header is written, in the new folder.
  SkryptDialogow().pliki.push_back(Dc() + "pusty.dcd");
  T().ZapiszFormularzJako->trigger();
  QVERIFY(QFile::exists(Dc() + "pusty/pusty.dcd"));
  QCOMPARE(T().PodfolderDrukow, QStringLiteral("pusty"));

  OtworzAbc();
  ZapiszPlik(Dc() + "abc/notatka.txt", "x");
  SkryptDialogow().pliki.push_back(Dc() + "kopia.dcd");
  T().ButtonSave->trigger();
  QStringList pliki = QDir(Dc() + "kopia").entryList(QDir::Files, QDir::Name);
  QCOMPARE(pliki, (QStringList{"kopia.dcd", "kopia.dcs", "kopia_1.dcg", "kopianotatka.txt"}));
  QCOMPARE(CzytajPlik(Dc() + "kopia/kopia.dcs"), CzytajPlik(Dc() + "abc/abc.dcs"));
  QCOMPARE(T().PlikDcs, Dc() + "kopia/kopia.dcs");
  QCOMPARE(T().PlikDcg, Dc() + "kopia/kopia_1.dcg");

  // A folder that cannot be made: reported, and the structure stays where it was.
  ZapiszPlik(Dc() + "plik", "");
  QVERIFY(!T().ZapiszFormularz("plik"));
  QCOMPARE(Komunikaty().last(), "Tworzenie folderu [" + Dc() + "plik] nie powiodło się!");
  QCOMPARE(T().PlikDcd, Dc() + "kopia/kopia.dcd");
}

void TstProjektant::otwarcie_data() {
  QTest::addColumn<int>("strony");
  QTest::addColumn<QByteArray>("naglowek");
  QTest::addColumn<int>("obiekty");
  QTest::addColumn<QSize>("nakladka");
  QTest::newRow("bez stron") << 0 << QByteArray() << 0 << QSize(800, 1000);
  QTest::newRow("strona") << 1 << QByteArray() << 3 << QSize(800, 1131);
  QTest::newRow("krotki naglowek") << 1 << QByteArray(100, '\0') << 0 << QSize(0, 0);
}

void TstProjektant::otwarcie() {
  QFETCH(int, strony);
  QFETCH(QByteArray, naglowek);
  QFETCH(int, obiekty);
  QFETCH(QSize, nakladka);
  if (!naglowek.isEmpty()) {
    QDir(Dc()).mkdir("abc");
    ZapiszPlik(Dc() + "abc/abc.dcd", naglowek);
    SkryptDialogow().pliki.push_back(Dc() + "abc/abc.dcd");
    T().OtworzFormularz->trigger();
    QCOMPARE(Komunikaty().size(), 1);
    QVERIFY(T().PlikDcd.isEmpty());
    return;
  }
  OtworzAbc(strony);
  QVERIFY(Komunikaty().isEmpty());
  QCOMPARE(T().FolderDruku, Dc() + "abc/");
  QCOMPARE(T().LiczbaObiektow, obiekty);
  QCOMPARE(V().Formatka->Obraz().size(), nakladka);
  QCOMPARE(T().StronaWczytana, strony > 0 ? 1 : 0);
  if (strony > 0) {
    QCOMPARE(T().PlikDcg, Dc() + "abc/abc_1.dcg");
    QCOMPARE(Panel(4), QStringLiteral(" Roz.rob.druk: 800x1131"));
    QCOMPARE(Panel(5), QStringLiteral("  Roz.akt.druk: 800x1131 Skala:1"));
  }
}

void TstProjektant::rysowanieObiektu_data() {
  QTest::addColumn<QLine>("ciagniecie");  // press point to release point
  QTest::addColumn<QRect>("nowy");        // empty: no object
  QTest::newRow("4 x 20") << QLine(600, 600, 604, 620) << QRect();
  QTest::newRow("5 x 5") << QLine(600, 600, 605, 605) << ProstokatZRogow(600, 600, 605, 605);
  QTest::newRow("odwrotnie") << QLine(650, 700, 600, 640) << ProstokatZRogow(600, 640, 650, 700);
}

void TstProjektant::rysowanieObiektu() {
  QFETCH(QLine, ciagniecie);
  QFETCH(QRect, nowy);
  OtworzAbc();
  T().SelectObj->setCurrentIndex(Liczba);
  Przeciagnij(ciagniecie.x1(), ciagniecie.y1(), ciagniecie.x2(), ciagniecie.y2());
  const auto pliki = Plik();
  QCOMPARE(static_cast<int>(pliki.size()), nowy.isNull() ? 3 : 4);
  QCOMPARE(T().LiczbaObiektow, static_cast<int>(pliki.size()));
  QVERIFY(!V().Rysowanie && !V().Obrysy->Ramka());
  if (nowy.isNull()) return;
  QCOMPARE(Prostokat(pliki.back()), nowy);
  // A new object is numbered and named by its 1-based position.
  QCOMPARE((std::array{pliki.back().Typ, pliki.back().Strona, pliki.back().NrObiektu}), (std::array{int(Liczba), 1, 4}));
  QCOMPARE(Tekst(pliki.back().Nazwa), "4");
}

void TstProjektant::obrysPoZmianie() {
  const TObiekt o = Pole(Text, 1, 100, 200, 300, 400);
  // Per handle: left, right, top, bottom after a displacement of (10, 20).
  const std::array<TFImage::Obrys, 9> oczekiwane{{{110, 310, 220, 420}, {110, 300, 220, 400}, {100, 300, 220, 400},
                                                  {100, 310, 220, 400}, {100, 310, 200, 400}, {100, 310, 200, 420},
                                                  {100, 300, 200, 420}, {110, 300, 200, 420}, {110, 300, 200, 400}}};
  for (int uchwyt = 0; uchwyt <= 8; ++uchwyt)
    QCOMPARE(ObrysPoZmianie(o, uchwyt, 10, 20), oczekiwane[static_cast<std::size_t>(uchwyt)]);
}

void TstProjektant::przesuwanieIKopie_data() {
  QTest::addColumn<int>("klawisz");
  QTest::addColumn<int>("obiekt");
  QTest::addColumn<int>("liczba");
  QTest::addColumn<bool>("zrodloPrzesuniete");
  QTest::addColumn<bool>("taSamaNazwa");
  QTest::newRow("w miejscu") << 0 << 0 << 3 << true << false;
  QTest::newRow("Shift kopiuje") << int(Qt::Key_Shift) << 0 << 4 << false << false;
  QTest::newRow("Ctrl: pole wyboru do grupy") << int(Qt::Key_Control) << 1 << 4 << false << true;
  QTest::newRow("Ctrl: tekst bez kopii") << int(Qt::Key_Control) << 0 << 3 << false << false;
  QTest::newRow("zablokowany") << 0 << 2 << 3 << false << false;
}

void TstProjektant::przesuwanieIKopie() {
  QFETCH(int, klawisz);
  QFETCH(int, obiekt);
  QFETCH(int, liczba);
  QFETCH(bool, zrodloPrzesuniete);
  QFETCH(bool, taSamaNazwa);
  OtworzAbc();
  const TObiekt przed = Plik()[static_cast<std::size_t>(obiekt)];
  if (klawisz) V().FormKeyDown(klawisz);
  const QPoint srodek = Prostokat(przed).center();
  Przeciagnij(srodek.x(), srodek.y(), srodek.x() + 20, srodek.y() + 30);
  const auto pliki = Plik();
  QCOMPARE(static_cast<int>(pliki.size()), liczba);
  const QRect przesuniety = Prostokat(przed).translated(20, 30);
  QCOMPARE(Prostokat(pliki[static_cast<std::size_t>(obiekt)]), zrodloPrzesuniete ? przesuniety : Prostokat(przed));
  if (liczba == 4) {
    QCOMPARE(Prostokat(pliki.back()), przesuniety);
    QCOMPARE(pliki.back().NrObiektu, 4);
    QCOMPARE(Tekst(pliki.back().Nazwa), taSamaNazwa ? Tekst(przed.Nazwa) : std::string_view("0.4"));
  }
  QCOMPARE(V().WektorX, 0);
}

void TstProjektant::zmianaRozmiaruUchwytem() {
  OtworzAbc();
  Przeciagnij(150, 120, 150, 120);  // a click selects the text and shows its handles
  QVERIFY(V().UchwytyWidoczne);
  QCOMPARE(T().WybranyObiekt, 0);
  // The bottom-right handle of the text; the check box's corners are no handles while the text is selected.
  V().FormatkaMouseMove(440, 130);
  QCOMPARE(V().UchwytPodKursorem, 0);
  Przeciagnij(300, 140, 330, 170);
  QCOMPARE(Prostokat(Plik()[0]), ProstokatZRogow(100, 100, 330, 170));
  QCOMPARE(Plik().size(), std::size_t{3});
  // With handles shown a press on an empty spot draws nothing; the click there clears the selection.
  Przeciagnij(600, 600, 700, 700);
  QCOMPARE(Plik().size(), std::size_t{3});
  QVERIFY(!V().UchwytyWidoczne);
  Przeciagnij(600, 600, 700, 700);
  QCOMPARE(Plik().size(), std::size_t{4});
}

void TstProjektant::klawisze() {
  OtworzAbc();
  struct Wiersz {
    QWidget *cel;
    Qt::Key klawisz;
    const char *tekst;
  };
  for (const Wiersz &w : {Wiersz{&V(), Qt::Key_Shift, "Shift Image"}, Wiersz{&V(), Qt::Key_Control, "Ctrl Image"},
                          Wiersz{&T(), Qt::Key_Shift, "Shift Tools"}, Wiersz{T().TV, Qt::Key_Control, "Ctrl TV"}}) {
    std::uint8_t &flaga = w.klawisz == Qt::Key_Shift ? V().Shift : V().Ctrl;
    QTest::keyPress(w.cel, w.klawisz);
    QCOMPARE(Panel(3), QString::fromUtf8(w.tekst));
    QCOMPARE(flaga, 1);
    QCOMPARE(V().Formatka->cursor().shape(), Qt::DragMoveCursor);
    QTest::keyRelease(w.cel, w.klawisz);
    QCOMPARE(flaga, 0);
    // Only the main window's release empties the status text.
    QCOMPARE(Panel(3).isEmpty(), w.cel != &V());
  }
  // Delete removes the selected object.
  Przeciagnij(150, 120, 150, 120);
  QTest::keyRelease(&V(), Qt::Key_Delete);
  QCOMPARE(Plik().size(), std::size_t{2});
  QCOMPARE(T().LiczbaObiektow, 2);
  Przeciagnij(420, 115, 420, 115);
  QTest::keyRelease(&V(), Qt::Key_Delete);
  QCOMPARE(Plik().size(), std::size_t{1});
  // Client mode leaves the keys alone.
  T().TrybKlienta = 1;
  QTest::keyPress(&T(), Qt::Key_Shift);
  QCOMPARE(V().Shift, 0);
}

void TstProjektant::menuObiektuIPowiekszenie() {
  OtworzAbc();
  V().FormatkaMouseMove(150, 120);
  QVERIFY(V().MaMenuObiektu());
  QCOMPARE(V().PopupObiekt->actions().size(), 3);
  V().Usu2->trigger();
  QCOMPARE(Plik().size(), std::size_t{3});
  // The menu goes at the second move off the object.
  V().FormatkaMouseMove(600, 600);
  V().FormatkaMouseMove(600, 610);
  QVERIFY(!V().MaMenuObiektu());

  T().TrackBar->setValue(37);
  QCOMPARE(T().TrackBar->value(), 30);
  QCOMPARE(V().Formatka->Obraz().size(), QSize(480, 678));
  QCOMPARE(Panel(0), QStringLiteral("2263 x 1600"));
  QCOMPARE(Panel(2), QStringLiteral("Skala:480:678 - 30 %"));
}

// The first object's frame (100, 100)-(300, 140): one black pixel wide, white inside, its number's label centred.
void TstProjektant::ramkaIEtykieta() {
  T().NazwyPol->setChecked(true);
  OtworzAbc();
  const QImage obraz = V().Formatka->Obraz();
  QCOMPARE((std::array{obraz.pixel(100, 120), obraz.pixel(101, 120), obraz.pixel(298, 120), obraz.pixel(299, 120)}),
           (std::array{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(0, 0, 0)}));
  int gora = -1, dol = -1, lewa = 300, prawa = -1;
  for (int y = 101; y < 139; ++y)
    for (int x = 101; x < 299; ++x)
      if (obraz.pixel(x, y) == qRgb(255, 255, 128)) {
        if (gora < 0) gora = y;
        dol = y;
        lewa = std::min(lewa, x);
        prawa = std::max(prawa, x);
      }
  QVERIFY2(gora > 101 && lewa > 101, "a label with room around it");
  QVERIFY2(std::abs((gora - 101) - (138 - dol)) <= 1 && std::abs((lewa - 101) - (298 - prawa)) <= 1,
           qPrintable(QStringLiteral("%1 %2 %3 %4").arg(gora).arg(dol).arg(lewa).arg(prawa)));
}

VELMAR_TEST_MAIN(TstProjektant)
#include "tst_projektant.moc"
