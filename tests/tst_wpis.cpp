// Value entry on the page view, driven with the mouse and keys: the editors, the amount filter, what a store writes
// per number format, masks and a click into an empty one, the pointer over fields, check-box groups, selections, text
// limits and the editor's font fitted to its text; then moving through a form: tab order, the page question, the
// computation after a store and what of it reaches the screen, the reminder of the sale-of-property field, and an
// open editor's text stored (or refused) before the view moves on.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QTreeWidget>

#include "calc/konwersje.h"
#include "pages/filtr_klawiszy.h"
#include "pages/wpis.h"
#include "support/wpis.h"

using namespace velmar_test;

class TstWpis : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramWpisu> p_;
  TTools& T() { return p_->T(); }
  TFImage& V() { return p_->V(); }
  TEdytorTekstu* Memo() { return p_->Memo(); }
  QString Plik() { return p_->P().Folder().Sciezka() + QStringLiteral("r.dc8"); }

  // Opens field k with a click and types into its editor.
  void Wpisz(int k, const QString& tekst) {
    p_->Kliknij(k);
    QVERIFY(V().EdytorTekstu || V().EdytorMaski);
    Pisz(V().EdytorTekstu ? static_cast<QWidget*>(V().EdytorTekstu) : V().EdytorMaski, tekst);
  }
  void Klawisz(Qt::Key klawisz) { QTest::keyClick(Memo(), klawisz); }
  // Replaces the text of the open memo as a paste does, past the key filter.
  void Wklej(const QString& tekst) {
    QApplication::clipboard()->setText(tekst);
    Memo()->selectAll();
    Memo()->paste();
  }
  // Forms of n text fields in a grid of 20 columns, field i at tab position i, in a joint settlement in that order;
  // the last one shown.
  static void OtworzSiatke(ProgramZeStronami& p, const QList<int>& kody, int n) {
    std::vector<TObiekt> pola;
    for (int i = 0; i < n; ++i) {
      pola.push_back(Pole(Text, 1, 10 + i % 20 * 39, 40 + i / 20 * 30, 45 + i % 20 * 39, 60 + i / 20 * 30));
      pola.back().PozycjaPrzegladania = i;
    }
    std::vector<std::array<int, 3>> druki;
    for (const int kod : kody) {
      p.ZapiszFormularz(kod, 1, pola);
      druki.push_back({kod, 0, PMWspolny});
    }
    p.Uruchom();
    p.Rozliczenie(druki, WspolneZMalzonkiem);
    p.Pokaz(static_cast<int>(kody.size()));
  }
  static void KliknijWSiatce(ProgramZeStronami& p, int k) {
    const TObiekt& o = p.V().Obiekty[static_cast<std::size_t>(k)];
    QTest::mouseClick(p.V().Formatka, Qt::LeftButton, {}, QPoint(o.Lewy + 5, o.Gorny + 5));
  }
  bool EkranJakStrona() { return p_->P().EkranJakStrona(Memo()); }
  // The fields reached by following the tab order from `od`, until it stays on one.
  std::vector<int> Kolejnosc(int od) {
    std::vector<int> wynik{od};
    for (int i = ZnajdzNastepnePole(&V(), od); i != wynik.back() && wynik.size() < 100; i = ZnajdzNastepnePole(&V(), i))
      wynik.push_back(i);
    return wynik;
  }

 private slots:
  void init() { p_ = std::make_unique<ProgramWpisu>(); }
  void cleanup() { p_.reset(); }

  void klikniecieOtwieraEdytorTypu() {
    p_->UstawWartosc(kKwota, "12,50");
    p_->Kliknij(kKwota);
    QCOMPARE((std::pair{T().WybranyObiekt, V().OtwartyEdytor()}), (std::pair{int{kKwota}, int{kKwota}}));
    QVERIFY(Memo() && !Memo()->isHidden());
    QCOMPARE(Memo()->textCursor().selectedText(), QStringLiteral("12,50"));
    // Over the rectangle less its frame, on the page as it lies in the view.
    const TObiekt& o = V().Obiekty[kKwota];
    QCOMPARE(Memo()->geometry(), QRect(T().LewaKrawedzStrony + o.Lewy + 1, o.Gorny + 1, 158, 22));
    p_->Kliknij(kNip);
    QVERIFY(V().EdytorMaski && !V().EdytorMaski->isHidden() && !V().EdytorTekstu);
    // Read-only and hidden objects are selected but get no editor.
    for (const int k : {kTylkoOdczyt, kUkryte}) {
      p_->Kliknij(k);
      QCOMPARE((std::pair{T().WybranyObiekt, V().OtwartyEdytor()}), (std::pair{k, -1}));
      QVERIFY(!V().EdytorMaski && !V().EdytorTekstu && p_->Komunikaty().isEmpty());
    }
    // A radio object shows its own value at (1, 1) of its rectangle.
    TObiekt radio = V().Obiekty[kKrotki];
    radio.Typ = Radio;
    UstawBajty(radio.Wartosc, "r");
    UtworzEdytorPola(&V(), kKrotki, radio);
    const auto* obraz = V().Kartka()->findChild<QLabel*>(QStringLiteral("Radio%1").arg(int{kKrotki}));
    QVERIFY(obraz && obraz->text() == QStringLiteral("r"));
    QCOMPARE(obraz->geometry(), QRect(T().LewaKrawedzStrony + radio.Lewy, radio.Gorny, 160, 24));
    QCOMPARE(obraz->contentsRect().topLeft(), QPoint(1, 1));
  }

  // With the hover margin at 3 pixels a click opens the field within its rectangle less the margin, and no nearer
  // to the edges.
  void trafienieWKrawedzie_data() {
    QTest::addColumn<QPoint>("krawedz");  // from the corner named by the sign: left/top when >= 0
    QTest::addColumn<QPoint>("dalej");    // a pixel further out
    QTest::newRow("left") << QPoint(3, 12) << QPoint(-1, 0);
    QTest::newRow("top") << QPoint(80, 3) << QPoint(0, -1);
    QTest::newRow("right") << QPoint(-3, 12) << QPoint(1, 0);
    QTest::newRow("bottom") << QPoint(80, -3) << QPoint(0, 1);
  }

  void trafienieWKrawedzie() {
    QFETCH(QPoint, krawedz);
    QFETCH(QPoint, dalej);
    const TObiekt& o = V().Obiekty[kKwota];
    V().Tolerancja = 3;
    const QPoint punkt((krawedz.x() >= 0 ? o.Lewy : o.Prawy) + krawedz.x(),
                       (krawedz.y() >= 0 ? o.Gorny : o.Dolny) + krawedz.y());
    p_->Kliknij(punkt);
    QCOMPARE(V().OtwartyEdytor(), int{kKwota});
    p_->Kliknij(punkt + dalej);
    QCOMPARE(V().OtwartyEdytor(), -1);
  }

  void filtrKlawiszy_data() {
    QTest::addColumn<int>("pole");
    QTest::addColumn<QString>("klawisze");
    QTest::addColumn<QString>("tekst");
    // clang-format off
    QTest::newRow("a point is a comma") << int{kKwota} << "12.5" << "12,5";
    QTest::newRow("a second separator, a letter, a third decimal") << int{kKwota} << "12.5,.x78" << "12,57";
    QTest::newRow("digits past the second decimal, the caret kept at the end") << int{kKwota} << "12,5789" << "12,57";
    QTest::newRow("a minus after the first character") << int{kKwota} << "1-2" << "12";
    QTest::newRow("a minus first") << int{kKwota} << "-12" << "-12";
    QTest::newRow("no separator into an empty text") << int{kKwota} << ",5ą 1" << "51";
    QTest::newRow("no minus where negatives are not allowed") << int{kDodatnia} << "-5" << "5";
    QTest::newRow("no separator in a whole number") << int{kCalkowita} << "-1.5,2" << "-152";
    QTest::newRow("a text field takes anything") << int{kKrotki} << "a,-.b" << "a,-.b";
    // clang-format on
  }

  void filtrKlawiszy() {
    QFETCH(int, pole);
    QFETCH(QString, klawisze);
    QFETCH(QString, tekst);
    p_->UstawWartosc(pole, "");
    Wpisz(pole, klawisze);
    QCOMPARE(Memo()->toPlainText(), tekst);
  }

  // An editor's font size as the runtime reads a whole number: a blank or a plus sign before it, nothing after.
  void rozmiarCzcionki() {
    for (const auto& [tekst, rozmiar] : {std::pair{"+8", 8}, std::pair{" 7", 7}, std::pair{"12", 12}, std::pair{"1x", -1},
                                         std::pair{"", -1}, std::pair{"+", -1}}) {
      TObiekt o;
      UstawBajty(o.RozmiarCzcionki, tekst);
      QCOMPARE(RozmiarCzcionkiObiektu(o).value_or(-1), rozmiar);
    }
  }
  void kwotaWpisanaPoKliknieciu_data() {
    QTest::addColumn<int>("klikniecia");  // clicks into the open editor before typing; -1 a double click
    QTest::addColumn<double>("gdzie");    // where across the editor, 0 left edge to 1 right edge
    QTest::newRow("typed as the editor opens") << 0 << 0.0;
    QTest::newRow("a click inside the amount") << 1 << 0.93;
    QTest::newRow("two clicks") << 2 << 0.5;
    QTest::newRow("a double click") << -1 << 0.95;
  }

  // Typing an amount into a field gives that amount, however the editor came to have the caret.
  void kwotaWpisanaPoKliknieciu() {
    QFETCH(int, klikniecia);
    QFETCH(double, gdzie);
    p_->Kliknij(kKwota);
    QCOMPARE(Memo()->toPlainText(), QStringLiteral("0,00"));
    const QPoint punkt(static_cast<int>(Memo()->viewport()->width() * gdzie), Memo()->viewport()->height() / 2);
    if (klikniecia < 0) QTest::mouseDClick(Memo()->viewport(), Qt::LeftButton, Qt::NoModifier, punkt);
    for (int i = 0; i < klikniecia; ++i) QTest::mouseClick(Memo()->viewport(), Qt::LeftButton, Qt::NoModifier, punkt);
    Pisz(Memo(), QStringLiteral("2290,16"));
    Klawisz(Qt::Key_Return);
    QCOMPARE(p_->Wartosc(kKwota), QStringLiteral("2290,16"));
  }

  void kwoty_data() {
    QTest::addColumn<int>("pole");
    QTest::addColumn<QString>("domyslna");
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<QString>("wynik");
    const QMap<QString, int> pola{
        {"kwota", kKwota}, {"grosze", kGrosze}, {"zlote", kZlote}, {"calkowita", kCalkowita}, {"dodatnia", kDodatnia}};
    QFile plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/strony_kwoty.txt"));
    QVERIFY(plik.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!plik.atEnd()) {
      const QString wiersz = QString::fromUtf8(plik.readLine()).trimmed();
      if (wiersz.isEmpty() || wiersz.startsWith(QLatin1Char('#'))) continue;
      QStringList k = wiersz.split(QLatin1Char('|'));
      for (QString& t : k) t = t.trimmed().replace(QStringLiteral("0*308"), QString(308, QLatin1Char('0')));
      QVERIFY2(k.size() == 5 && pola.contains(k[1]), qPrintable(wiersz));
      QTest::newRow(qPrintable(k[0])) << pola[k[1]] << k[2] << k[3] << k[4];
    }
  }

  void kwoty() {
    QFETCH(int, pole);
    QFETCH(QString, domyslna);
    QFETCH(QString, tekst);
    QFETCH(QString, wynik);
    UstawTekst(V().Obiekty[static_cast<std::size_t>(pole)].WartoscDomyslna, domyslna);
    p_->UstawWartosc(pole, "7");
    const ObliczenieTestowe sonda(Pit37, &Sonda);
    p_->Kliknij(pole);
    if (!wynik.startsWith(QLatin1Char('!'))) {
      Memo()->selectAll();
      Klawisz(Qt::Key_Delete);
      Pisz(Memo(), tekst);
      QTest::keyPress(Memo(), Qt::Key_Return);
      // The press stores and shows the stored text, and computes the form once; the release moves on.
      QCOMPARE((std::pair{p_->Wartosc(pole), Memo()->toPlainText()}), (std::pair{wynik, wynik}));
      QVERIFY(T().Zmodyfikowane == 1 && T().ToolButtonSave->isEnabled() && p_->Komunikaty().isEmpty());
      QCOMPARE(Wywolania().size(), std::size_t{1});
      QCOMPARE((std::pair{Wywolania()[0].kodDruku, Wywolania()[0].j}), (std::pair{int{Pit37}, 1}));
      QTest::keyRelease(Memo(), Qt::Key_Return);
      QVERIFY(T().WybranyObiekt != pole);
      return;
    }
    Wklej(tekst);
    Klawisz(Qt::Key_Return);
    QVERIFY2(p_->Komunikaty().size() == 1 && p_->Komunikaty()[0].contains(wynik.mid(1)),
             qPrintable(p_->Komunikaty().join(u'|')));
    // The number conversion's own error comes in the box of an escaped error, the program's refusals in a message.
    const bool konwersja = wynik.endsWith(QStringLiteral("is not a valid floating point value"));
    QCOMPARE(SkryptDialogow().pokazane.back().rodzaj,
             konwersja ? PokazaneOkno::Rodzaj::Wyjatek : PokazaneOkno::Rodzaj::Komunikat);
    QCOMPARE(p_->Wartosc(pole), QStringLiteral("7"));
    QVERIFY(T().Zmodyfikowane == 0 && Wywolania().empty());
    // Nor does a click elsewhere let it go; once corrected it is stored.
    p_->KliknijObok();
    QCOMPARE((std::pair{T().WybranyObiekt, V().OtwartyEdytor()}), (std::pair{pole, pole}));
    Memo()->setPlainText(QStringLiteral("8"));
    p_->KliknijObok();
    QCOMPARE((std::pair{T().WybranyObiekt, V().OtwartyEdytor()}), (std::pair{-1, -1}));
    QCOMPARE(p_->Wartosc(pole), pole == kCalkowita ? QStringLiteral("8") : QStringLiteral("8,00"));
    QCOMPARE(Wywolania().size(), std::size_t{1});
  }

  void maskiNipIDaty() {
    p_->UstawWartosc(kNip, "1234567890");
    p_->Kliknij(kNip);
    QCOMPARE(V().EdytorMaski->selectedText(), QStringLiteral("123-456-78-90"));
    Wpisz(kNip, QStringLiteral("98x7a6543210"));
    QTest::keyClick(V().EdytorMaski, Qt::Key_Return);
    QCOMPARE(p_->Wartosc(kNip), QStringLiteral("987-654-32-10"));
    // A legal person's NIP groups 3-2-2-3; a partial one keeps its digits in place.
    for (const auto& [wpisane, zapisane] :
         {std::pair{"1234567890", "123-45-67-890"}, std::pair{"12", "12 -  -  -   "}}) {
      p_->Kliknij(kNipFirmy);
      V().EdytorMaski->selectAll();
      Pisz(V().EdytorMaski, QString::fromLatin1(wpisane));
      QTest::keyClick(V().EdytorMaski, Qt::Key_Return);
      QCOMPARE(p_->Wartosc(kNipFirmy), QString::fromLatin1(zapisane));
    }
    p_->UstawWartosc(kData, "01022009");
    p_->Kliknij(kData);
    QCOMPARE(V().EdytorMaski->displayText(), QStringLiteral("01-02-2009"));
    Pisz(V().EdytorMaski, QStringLiteral("31122008"));
    p_->KliknijObok();
    QCOMPARE(p_->Wartosc(kData), QStringLiteral("31-12-2008"));
    // Every digit removed clears the field.
    p_->Kliknij(kData);
    QTest::keyClick(V().EdytorMaski, Qt::Key_Delete);
    QTest::keyClick(V().EdytorMaski, Qt::Key_Return);
    QCOMPARE(p_->Wartosc(kData), QString());
  }

  void maskaPoKliknieciu_data() {
    QTest::addColumn<int>("pole");
    QTest::addColumn<double>("gdzie");  // where across the empty editor the click falls, 0 left edge to 1 right edge
    QTest::addColumn<QString>("wartosc");
    QTest::newRow("date, right half") << int{kData} << 0.75 << "20-06-1974";
    QTest::newRow("date, between its blanks") << int{kData} << 0.3 << "20-06-1974";
    QTest::newRow("NIP, right edge") << int{kNip} << 0.95 << "123-456-78-90";
    QTest::newRow("legal person's NIP, middle") << int{kNipFirmy} << 0.5 << "123-45-67-890";
  }
  // Digits typed after a click into an empty masked field fill it from its first blank, wherever the click fell.
  void maskaPoKliknieciu() {
    QFETCH(int, pole);
    QFETCH(double, gdzie);
    QFETCH(QString, wartosc);
    p_->Kliknij(pole);
    QLineEdit* maska = V().EdytorMaski;
    QVERIFY(maska && TekstZMaski(maska->displayText()).isEmpty());
    QTest::mouseClick(maska, Qt::LeftButton, Qt::NoModifier,
                      QPoint(static_cast<int>(maska->width() * gdzie), maska->height() / 2));
    Pisz(maska, QString(wartosc).remove(QLatin1Char('-')));
    QTest::keyClick(maska, Qt::Key_Return);
    QCOMPARE(p_->Wartosc(pole), wartosc);
  }

  void kursorNadPolem_data() {
    QTest::addColumn<int>("pole");
    QTest::addColumn<bool>("zablokowane");  // locked at run time, as the settlement kind locks the spouse's fields
    QTest::addColumn<int>("kursor");
    QTest::newRow("amount") << int{kKwota} << false << int{Qt::PointingHandCursor};
    QTest::newRow("date") << int{kData} << false << int{Qt::PointingHandCursor};
    QTest::newRow("check box") << int{kGrupa1} << false << int{Qt::PointingHandCursor};
    QTest::newRow("read-only in its file") << int{kTylkoOdczyt} << false << int{Qt::ArrowCursor};
    QTest::newRow("amount locked") << int{kKwota} << true << int{Qt::ArrowCursor};
    QTest::newRow("hidden") << int{kUkryte} << false << int{Qt::ArrowCursor};
  }
  // In client mode the pointer over a field that takes a value is the hand, over any other the arrow.
  void kursorNadPolem() {
    QFETCH(int, pole);
    QFETCH(bool, zablokowane);
    QFETCH(int, kursor);
    if (zablokowane) V().Obiekty[static_cast<std::size_t>(pole)].TylkoDoOdczytu = 1;
    // Over the editable amount first, then beside every field, then over the field.
    for (const QPoint punkt : {p_->Srodek(kDodatnia), QPoint(10, 10), p_->Srodek(pole)})
      V().FormatkaMouseMove(punkt.x(), punkt.y());
    QCOMPARE(T().ObiektNadKursorem, pole);
    QCOMPARE(V().Formatka->cursor().shape(), Qt::CursorShape(kursor));
  }

  void grupaZaznaczen() {
    const ObliczenieTestowe sonda(Pit37, &Sonda);
    T().Druki[1].Pola[kInnaGrupa].Zaznaczone = 1;
    // The ticks of the group, of the other group, and the one the page's object holds.
    const auto zaznaczone = [&] {
      return std::array{p_->Zaznaczone(kGrupa1), p_->Zaznaczone(kGrupa2), p_->Zaznaczone(kGrupa3),
                        p_->Zaznaczone(kInnaGrupa), V().Obiekty[kGrupa1].Opcje[0].Zaznaczona};
    };
    p_->Kliknij(kGrupa1);
    QCOMPARE(zaznaczone(), (std::array<std::uint8_t, 5>{1, 0, 0, 1, 1}));
    QCOMPARE((std::pair{T().WybranyObiekt, V().OtwartyEdytor()}), (std::pair{-1, -1}));
    QVERIFY(T().Zmodyfikowane == 1 && Wywolania().size() == 1);
    // The cross is on the page at once.
    QCOMPARE(V().Formatka->Obraz().pixel(p_->Srodek(kGrupa1)), qRgb(0, 0, 0));
    // Another box of the group unticks the rest, the other group keeps its own; unticking leaves the group clear.
    p_->Kliknij(kGrupa3);
    QCOMPARE(zaznaczone(), (std::array<std::uint8_t, 5>{0, 0, 1, 1, 0}));
    QCOMPARE(V().Formatka->Obraz().pixel(p_->Srodek(kGrupa1)), qRgb(255, 255, 255));
    p_->Kliknij(kGrupa3);
    QCOMPARE(zaznaczone(), (std::array<std::uint8_t, 5>{0, 0, 0, 1, 0}));
    QCOMPARE(Wywolania().size(), std::size_t{3});
    // An amount being edited is stored before the box toggles.
    Wpisz(kKwota, QStringLiteral("4"));
    p_->Kliknij(kInnaGrupa);
    QCOMPARE(p_->Wartosc(kKwota), QStringLiteral("4,00"));
    QCOMPARE(p_->Zaznaczone(kInnaGrupa), std::uint8_t{0});
  }

  void lista() {
    p_->Kliknij(kLista);
    QComboBox* lista = V().EdytorListy;
    QVERIFY(lista && !lista->isHidden() && !lista->isEditable());
    QCOMPARE((std::pair{lista->count(), lista->currentText()}), (std::pair{3, QStringLiteral("dwa")}));
    lista->setCurrentIndex(2);
    // The choice is stored by the next click on the page, and shown when the list opens again.
    QCOMPARE(p_->Wartosc(kLista), QString());
    p_->KliknijObok();
    const TObiekt& o = V().Obiekty[kLista];
    QCOMPARE((std::tuple{p_->Wartosc(kLista), o.Format, NaQString(o.Wartosc)}),
             (std::tuple{QStringLiteral("trzy"), 2, QStringLiteral("trzy")}));
    QVERIFY(!V().EdytorListy);  // no stale list left over the page to take a choice nobody stores
    p_->Kliknij(kLista);
    QCOMPARE(V().EdytorListy->currentIndex(), 2);
  }

  void limitTekstu() {
    Wpisz(kKrotki, QStringLiteral("Zażółć"));
    QCOMPARE(Memo()->toPlainText(), QStringLiteral("Zażół"));
    Wklej(QStringLiteral("123456789"));
    QCOMPARE(Memo()->toPlainText(), QStringLiteral("12345"));
    // A text set from outside the keyboard is cut when stored.
    Memo()->setPlainText(QStringLiteral("ąęśćżźńół"));
    Klawisz(Qt::Key_Return);
    QCOMPARE(Tekst(T().Druki[1].Pola[kKrotki].Wartosc), std::string_view("\xB9\xEA\x9C\xE6\xBF"));
    QCOMPARE(Tekst(V().Obiekty[kKrotki].Wartosc), std::string_view("\xB9\xEA\x9C\xE6\xBF"));
    // A text as long as a record holds is cut at its width.
    p_->Kliknij(kRownaZeraPoz);
    Memo()->setPlainText(QString(400, QLatin1Char('x')));
    Klawisz(Qt::Key_Return);
    QCOMPARE(Tekst(T().Druki[1].Pola[kRownaZeraPoz].Wartosc).size(), std::size_t{354});
    QCOMPARE(Tekst(V().Obiekty[kRownaZeraPoz].Wartosc).size(), std::size_t{254});
  }

  void dopasowanieCzcionkiEdytora() {
    p_->Kliknij(kRownaZeraPoz);
    QCOMPARE(Memo()->RozmiarCzcionki(), 10);
    // A text wider than the memo shrinks the font two points at a time; at 4 points no more characters come in.
    Pisz(Memo(), QString(40, QLatin1Char('W')));
    QVERIFY(Memo()->RozmiarCzcionki() < 10);
    Pisz(Memo(), QString(60, QLatin1Char('W')));
    QCOMPARE(Memo()->RozmiarCzcionki(), 4);
    const qsizetype dlugosc = Memo()->toPlainText().size();
    QVERIFY(dlugosc < 100);
    QCOMPARE(Memo()->MaxLength(), static_cast<int>(dlugosc));
    Pisz(Memo(), QStringLiteral("WW"));
    QCOMPARE(Memo()->toPlainText().size(), dlugosc);
    // Removing characters lets the font grow back and the text grow again.
    Memo()->selectAll();
    Klawisz(Qt::Key_Backspace);
    QCOMPARE(Memo()->RozmiarCzcionki(), 6);
    QCOMPARE(Memo()->MaxLength(), 253);
    Pisz(Memo(), QStringLiteral("ab"));
    QCOMPARE(Memo()->toPlainText(), QStringLiteral("ab"));
  }

  void kolejnoscPol() {
    // Object 0 is reached; the next field has the next higher position, the lower index of equal ones, and a field
    // of the same position as the current one is passed over; read-only, hidden and check-box objects are passed
    // over; pages play no part; the last field stays.
    QCOMPARE(Kolejnosc(kPierwszy), (std::vector<int>{kPierwszy, kNip, kKwota, kGrosze, kZlote, kCalkowita, kDodatnia,
                                                     kData, kKrotki, kLista, kNipFirmy, kStrona2a}));
    QCOMPARE(ZnajdzNastepnePole(&V(), kRownaZeraPoz), int{kKwota});
    // A radio object is a field of the tab order like any other.
    V().Obiekty[kLista].Typ = Radio;
    QCOMPARE(ZnajdzNastepnePole(&V(), kKrotki), int{kLista});
    // A lock set at run time counts as well.
    V().Obiekty[kGrosze].TylkoDoOdczytu = 1;
    QCOMPARE(ZnajdzNastepnePole(&V(), kKwota), int{kZlote});
    // Positions never set: no field comes after another, so Tab stays on its field.
    for (TObiekt& o : V().Obiekty) o.PozycjaPrzegladania = 0;
    QCOMPARE(Kolejnosc(kNip), std::vector<int>{kNip});
  }

  void tabPrzechodziPrzezPola() {
    Wpisz(kKwota, QStringLiteral("1"));
    Klawisz(Qt::Key_Tab);
    QCOMPARE(p_->Wartosc(kKwota), QStringLiteral("1,00"));
    QCOMPARE((std::pair{T().WybranyObiekt, V().OtwartyEdytor()}), (std::pair{int{kGrosze}, int{kGrosze}}));
    // Enter does the same, and writes no line break.
    Pisz(Memo(), QStringLiteral("2"));
    Klawisz(Qt::Key_Enter);
    QCOMPARE(p_->Wartosc(kGrosze), QStringLiteral("2,00"));
    QCOMPARE(V().OtwartyEdytor(), int{kZlote});
    for (int i = 0; i < 3; ++i) Klawisz(Qt::Key_Tab);
    QCOMPARE(V().OtwartyEdytor(), int{kData});
    QTest::keyClick(V().EdytorMaski, Qt::Key_Tab);
    QCOMPARE(V().OtwartyEdytor(), int{kKrotki});
    // Shift+Tab is Tab, in a memo and in a masked field: it stores and moves on, never to a control beside the page.
    Pisz(Memo(), QStringLiteral("abc"));
    QTest::keyClick(Memo(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE((std::pair{p_->Wartosc(kKrotki), V().OtwartyEdytor()}), (std::pair{QStringLiteral("abc"), int{kLista}}));
    Wpisz(kNip, QStringLiteral("1234567890"));
    QTest::keyClick(V().EdytorMaski, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE((std::pair{p_->Wartosc(kNip), V().OtwartyEdytor()}),
             (std::pair{QStringLiteral("123-456-78-90"), int{kKwota}}));
    QCOMPARE(Memo()->window()->focusWidget(), Memo());
    QVERIFY(p_->Komunikaty().isEmpty());
  }

  void pytanieOStronie() {
    Wpisz(kNipFirmy, QStringLiteral("1234567890"));
    SkryptDialogow().odpowiedzi.push_back(platform::Odpowiedz::Nie);
    QTest::keyClick(V().EdytorMaski, Qt::Key_Return);
    QCOMPARE(p_->Komunikaty(), QStringList{QStringLiteral("Czy przejść na 2 stronę druku PIT-37 ?")});
    const velmar_test::PokazaneOkno& o = SkryptDialogow().pokazane[0];
    QCOMPARE((std::tuple{o.rodzaj, o.tytul, o.przyciski, o.ikona}),
             (std::tuple{velmar_test::PokazaneOkno::Rodzaj::Pytanie, QStringLiteral("Pytanie"),
                         platform::Przyciski::TakNie, platform::Ikona::Wykrzyknik}));
    // Answered No: the field just stored opens again with what it holds.
    QCOMPARE((std::array{T().BiezacaStrona, T().WybranyObiekt, V().OtwartyEdytor()}),
             (std::array{1, int{kNipFirmy}, int{kNipFirmy}}));
    QCOMPARE((std::pair{p_->Wartosc(kNipFirmy), V().EdytorMaski->displayText()}),
             (std::pair{QStringLiteral("123-45-67-890"), QStringLiteral("123-45-67-890")}));
    // Answered Yes: the page turns and its first field opens.
    SkryptDialogow().odpowiedzi.push_back(platform::Odpowiedz::Tak);
    QTest::keyClick(V().EdytorMaski, Qt::Key_Tab);
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{2});
    QCOMPARE((std::pair{T().BiezacaStrona, T().InfoPage->text()}), (std::pair{2, QStringLiteral("2 z 2")}));
    QCOMPARE((std::pair{V().OtwartyEdytor(), V().PoprzedniObiekt}), (std::pair{int{kStrona2a}, -1}));
    // A next field on an earlier page turns nothing and asks nothing.
    V().Obiekty[kNipFirmy].PozycjaPrzegladania = 14;
    Klawisz(Qt::Key_Tab);
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{2});
    QCOMPARE((std::pair{T().BiezacaStrona, T().WybranyObiekt}), (std::pair{2, int{kNipFirmy}}));
  }

  void obliczeniePoZapisie() {
    const ObliczenieTestowe sonda(Pit37, &Sonda);
    const TObiekt& o = V().Obiekty[kKwota];
    const QRect obszar(o.Lewy, o.Gorny, o.Prawy - o.Lewy, o.Dolny - o.Gorny);
    const QImage przed = V().Formatka->Obraz().copy(obszar);
    Wpisz(kKwota, QStringLiteral("12,5"));
    Klawisz(Qt::Key_Return);
    // With the value already stored; the page shows it under the next editor.
    QCOMPARE(Wywolania().size(), std::size_t{1});
    QCOMPARE(Wywolania()[0].kwota, std::string("12,50"));
    QVERIFY(V().Formatka->Obraz().copy(obszar) != przed);
    // A click on a check box and a click beside every object dispatch as well.
    p_->Kliknij(kGrupa2);
    QCOMPARE(Wywolania().size(), std::size_t{3});  // the open editor of kGrosze, then the box
    p_->Kliknij(kKwota);
    p_->KliknijObok();
    QCOMPARE(Wywolania().size(), std::size_t{4});
  }

  // What a store draws reaches the screen: the value stored, and a total its computation writes into a field that no
  // editor covered.
  void ekranPoZapisie() {
    const ObliczenieTestowe suma(Pit37, [](KontekstObliczen& kx, int j) {
      TDruk& d = kx.R.Druk(j);
      d.Pola[kDodatnia].Wartosc = d.Pola[kKwota].Wartosc;
    });
    T().resize(1000, 700);
    T().show();
    QVERIFY(QTest::qWaitForWindowExposed(&T()));
    const TObiekt& o = V().Obiekty[kDodatnia];
    const QRect pole = QRect(QPoint(o.Lewy, o.Gorny), QPoint(o.Prawy, o.Dolny)).translated(V().Formatka->pos());
    QTRY_VERIFY2(EkranJakStrona(), "the page shown");
    const QImage przed = V().Zlozenie().copy(pole);
    Wpisz(kKwota, QStringLiteral("12,5"));
    Klawisz(Qt::Key_Return);
    QCOMPARE(p_->Wartosc(kDodatnia), QStringLiteral("12,50"));
    QVERIFY(V().Zlozenie().copy(pole) != przed);
    QTRY_VERIFY2(EkranJakStrona(), "the value and the total stored");
    p_->KliknijObok();
    QTRY_VERIFY2(EkranJakStrona(), "the editor closed");
  }

  void bladObliczeniaNieGubiWartosci() {
    const ObliczenieTestowe wadliwa(Pit37, &Wadliwa);
    Wpisz(kKwota, QStringLiteral("3"));
    Klawisz(Qt::Key_Return);
    QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});
    QCOMPARE(SkryptDialogow().pokazane[0].rodzaj, velmar_test::PokazaneOkno::Rodzaj::Wyjatek);
    QCOMPARE(p_->Komunikaty()[0], QStringLiteral("'abc' is not a valid floating point value"));
    QCOMPARE(p_->Wartosc(kKwota), QStringLiteral("3,00"));
    QCOMPARE(V().OtwartyEdytor(), int{kGrosze});
    // Saving stores the open editor's value and goes on after the error is shown.
    ZapiszPlik(Plik(), {});
    Pisz(Memo(), QStringLiteral("4"));
    QVERIFY(T().ZapiszRozliczenie(Plik()));
    QCOMPARE(p_->Wartosc(kGrosze), QStringLiteral("4,00"));
    QVERIFY(SkryptDialogow().pokazane.size() == 2 && T().Zmodyfikowane == 0 && CzytajPlik(Plik()).contains("4,00"));
  }

  void zapisPrzedOdejsciem_data() {
    QTest::addColumn<int>("odejscie");
    QTest::newRow("page turn") << 0;
    QTest::newRow("another form") << 1;
    QTest::newRow("saving") << 2;
    QTest::newRow("closing") << 3;
  }

  // An open editor's text is stored before the view moves on; a refused one keeps the page, the form and the editor.
  void zapisPrzedOdejsciem() {
    QFETCH(int, odejscie);
    ZapiszPlik(Plik(), {});
    // Whether the view moved on. The typed text made the settlement modified, so closing asks about saving;
    // Cancel keeps it open.
    const auto odejdz = [&] {
      SkryptDialogow().pokazane.clear();
      SkryptDialogow().odpowiedzi = {platform::Odpowiedz::Anuluj};
      if (odejscie == 0) T().PitNextPage->click();
      if (odejscie == 1) T().TV->setCurrentItem(T().Druki[2].Wezel);
      if (odejscie == 2) return T().ZapiszRozliczenie(Plik());
      if (odejscie == 3) T().Zamknij1Click();
      const auto& pokazane = SkryptDialogow().pokazane;
      return odejscie == 0   ? T().BiezacaStrona == 2
             : odejscie == 1 ? T().BiezacyDruk.Id == 2
                             : pokazane.size() == 1 && pokazane[0].tytul == QStringLiteral("Zapisanie zmian");
    };
    Wpisz(kKwota, QStringLiteral("55"));
    QVERIFY(odejdz());
    QCOMPARE(p_->Wartosc(kKwota), QStringLiteral("55,00"));
    QCOMPARE(T().Zmodyfikowane, std::uint8_t(odejscie != 2));
    if (odejscie != 3) QVERIFY(V().OtwartyEdytor() == -1 && !V().EdytorTekstu);
    if (T().BiezacaStrona != 1) T().PitPrevPage->click();
    if (T().BiezacyDruk.Id != 1) T().TV->setCurrentItem(T().Druki[1].Wezel);
    p_->Kliknij(kKwota);
    Wklej(QStringLiteral("5x"));
    QVERIFY(!odejdz());
    QVERIFY2(p_->Komunikaty().size() == 1 && p_->Komunikaty()[0].contains(QStringLiteral("kwotą")),
             qPrintable(p_->Komunikaty().join(u'|')));
    QCOMPARE((std::array{T().BiezacaStrona, T().BiezacyDruk.Id, T().WybranyObiekt, V().OtwartyEdytor()}),
             (std::array{1, 1, int{kKwota}, int{kKwota}}));
    QVERIFY(T().MaDruki() && T().TV->currentItem() == T().Druki[1].Wezel && !CzytajPlik(Plik()).contains("5x"));
  }

  void podpowiedzZbycia_data() {
    QTest::addColumn<QList<int>>("kody");  // the settlement's forms, the last one on screen
    QTest::addColumn<int>("pole");
    QTest::addColumn<bool>("przypomina");
    QTest::newRow("PIT-38, field 34") << QList<int>{Pit38} << 34 << true;
    QTest::newRow("PIT-38, field 33") << QList<int>{Pit38} << 33 << false;
    QTest::newRow("PIT-38, field 35") << QList<int>{Pit38} << 35 << false;
    QTest::newRow("PIT-37, field 34") << QList<int>{Pit37} << 34 << false;
    QTest::newRow("PIT-37 after a PIT-38, field 34") << QList<int>{Pit38, Pit37} << 34 << false;
  }
  // Field 34 of a PIT-38 reminds, each time it opens, by a click or by Tab, that of several returns only one fills it
  // in; the field still opens. No other field reminds, nor the same one of another form.
  void podpowiedzZbycia() {
    QFETCH(QList<int>, kody);
    QFETCH(int, pole);
    QFETCH(bool, przypomina);
    p_.reset();
    ProgramZeStronami p;
    OtworzSiatke(p, kody, 36);
    const QStringList podpowiedz = przypomina ? QStringList{QStringLiteral(
        "Jeżeli podatnik składa więcej niż jedno zeznanie, w którym możliwe jest rozliczenie podatku \nz odpłatnego "
        "zbycia nieruchomości i praw majątkowych, pole to wypełnia tylko w jednym z nich.")} : QStringList{};
    for (int raz = 0; raz < 2; ++raz) {
      KliknijWSiatce(p, pole - 1);
      SkryptDialogow().pokazane.clear();
      if (raz == 0)
        KliknijWSiatce(p, pole);
      else
        QTest::keyClick(p.V().EdytorTekstu, Qt::Key_Tab);
      QCOMPARE(SkryptDialogow().Teksty(), podpowiedz);
      QCOMPARE(p.V().OtwartyEdytor(), pole);
    }
  }

  // Objects past the record's fields get no editor.
  void obiektyPozaRekordem() {
    p_.reset();
    ProgramZeStronami p;
    OtworzSiatke(p, {Pit37}, 352);
    KliknijWSiatce(p, 350);
    QVERIFY(p.V().OtwartyEdytor() == -1 && p.T().WybranyObiekt < 350);
    UtworzEdytorPola(&p.V(), 351, p.V().Obiekty[351]);
    QVERIFY(!p.V().EdytorTekstu);
    // The record's last field is the last in tab order: stored, it opens again with its value, nothing asked.
    KliknijWSiatce(p, 349);
    Pisz(p.V().EdytorTekstu, QStringLiteral("koniec"));
    QTest::keyClick(p.V().EdytorTekstu, Qt::Key_Return);
    QCOMPARE((std::pair{p.V().OtwartyEdytor(), NaQString(p.T().Druki[1].Pola[349].Wartosc)}),
             (std::pair{349, QStringLiteral("koniec")}));
    QVERIFY(SkryptDialogow().Teksty().isEmpty());
  }
};

VELMAR_TEST_MAIN(TstWpis)
#include "tst_wpis.moc"
