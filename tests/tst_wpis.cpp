// Value entry in one field, driven with keys on the page view: the amount filter, what a store writes per number
// format, masks, check-box groups, selections, text limits, font fitting, and refused texts that bypass the filter.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>

#include "calc/konwersje.h"
#include "tst_wpis_wspolne.h"

using namespace velmar_test;

class TstWpis : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramWpisu> p_;
  TTools& T() { return p_->T(); }
  TFImage& V() { return p_->V(); }
  TEdytorTekstu* Memo() { return p_->Memo(); }

  // Opens field k with a click and types into its editor.
  void Wpisz(int k, const QString& tekst) {
    p_->Kliknij(k);
    QWidget* edytor = V().EdytorTekstu ? static_cast<QWidget*>(V().EdytorTekstu) : V().EdytorMaski;
    QVERIFY(edytor);
    Pisz(edytor, tekst);
  }

 private slots:
  void init() { p_ = std::make_unique<ProgramWpisu>(); }
  void cleanup() { p_.reset(); }

  void klikniecieOtwieraEdytorTypu();
  void trafienieWKrawedzie_data();
  void trafienieWKrawedzie();
  void filtrKlawiszy();
  void kwotaWpisanaPoKliknieciu_data();
  void kwotaWpisanaPoKliknieciu();
  void kwoty_data();
  void kwoty();
  void maskiNipIDaty();
  void grupaZaznaczen();
  void lista();
  void limitTekstu();
  void dopasowanieCzcionki();
};

void TstWpis::klikniecieOtwieraEdytorTypu() {
  p_->UstawWartosc(kKwota, "12,50");
  p_->Kliknij(kKwota);
  QCOMPARE(T().WybranyObiekt, int{kKwota});
  QCOMPARE(V().OtwartyEdytor(), int{kKwota});
  QVERIFY(Memo() && !Memo()->isHidden());
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("12,50"));
  QCOMPARE(Memo()->textCursor().selectedText(), QStringLiteral("12,50"));
  // Over the rectangle less its frame, on the page as it lies in the view.
  const TObiekt& o = V().Obiekty[kKwota];
  QCOMPARE(Memo()->geometry(), QRect(T().LewaKrawedzStrony + o.Lewy + 1, o.Gorny + 1, 158, 22));
  QCOMPARE(Memo()->MaxLength(), 14);

  p_->Kliknij(kNip);
  QVERIFY(V().EdytorMaski && !V().EdytorMaski->isHidden());
  QVERIFY(!V().EdytorTekstu);  // the amount's memo went with the store
  QCOMPARE(V().OtwartyEdytor(), int{kNip});

  p_->Kliknij(kTylkoOdczyt);
  QCOMPARE(T().WybranyObiekt, int{kTylkoOdczyt});
  QCOMPARE(V().OtwartyEdytor(), -1);
  QVERIFY(!V().EdytorMaski && !V().EdytorTekstu);

  // A hidden object under the mouse is selected but gets no editor.
  p_->Kliknij(kUkryte);
  QCOMPARE(V().OtwartyEdytor(), -1);
  QVERIFY(p_->Komunikaty().isEmpty());

  // A radio object shows its own value at (1, 1) of its rectangle.
  TObiekt radio = V().Obiekty[kKrotki];
  radio.Typ = Radio;
  UstawBajty(radio.Wartosc, "r");
  UtworzEdytorPola(&V(), kKrotki, radio);
  const auto* obraz = V().Kartka()->findChild<QLabel*>(QStringLiteral("Radio%1").arg(int{kKrotki}));
  QVERIFY(obraz);
  QCOMPARE(obraz->text(), QStringLiteral("r"));
  QCOMPARE(obraz->geometry(), QRect(T().LewaKrawedzStrony + radio.Lewy, radio.Gorny, 160, 24));
  QCOMPARE(obraz->contentsRect().topLeft(), QPoint(1, 1));
}

// With the hover margin at 3 pixels a click opens the field within its rectangle less the margin, and no nearer
// to the edges.
void TstWpis::trafienieWKrawedzie_data() {
  QTest::addColumn<QPoint>("przesuniecie");  // from the corner named by the row's sign: left/top when >= 0
  QTest::addColumn<bool>("trafiony");
  QTest::newRow("left edge") << QPoint(3, 12) << true;
  QTest::newRow("left of it") << QPoint(2, 12) << false;
  QTest::newRow("top edge") << QPoint(80, 3) << true;
  QTest::newRow("above it") << QPoint(80, 2) << false;
  QTest::newRow("right edge") << QPoint(-3, 12) << true;
  QTest::newRow("right of it") << QPoint(-2, 12) << false;
  QTest::newRow("bottom edge") << QPoint(80, -3) << true;
  QTest::newRow("below it") << QPoint(80, -2) << false;
}

void TstWpis::trafienieWKrawedzie() {
  QFETCH(QPoint, przesuniecie);
  QFETCH(bool, trafiony);
  const TObiekt& o = V().Obiekty[kKwota];
  V().Tolerancja = 3;
  p_->Kliknij(QPoint(przesuniecie.x() >= 0 ? o.Lewy + przesuniecie.x() : o.Prawy + przesuniecie.x(),
                     przesuniecie.y() >= 0 ? o.Gorny + przesuniecie.y() : o.Dolny + przesuniecie.y()));
  QCOMPARE(V().OtwartyEdytor(), trafiony ? int{kKwota} : -1);
}

void TstWpis::filtrKlawiszy() {
  Wpisz(kKwota, QStringLiteral("12.5"));
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("12,5"));
  Pisz(Memo(), QStringLiteral(",.x78"));  // a second separator, a letter, a third decimal
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("12,57"));
  QCOMPARE(Memo()->textCursor().position(), 5);
  // A minus typed after the first character is removed; typed first it stays.
  QTest::keyClick(Memo(), Qt::Key_Home);
  QTest::keyClick(Memo(), Qt::Key_Right);
  Pisz(Memo(), QStringLiteral("-"));
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("12,57"));
  QTest::keyClick(Memo(), Qt::Key_Home);
  Pisz(Memo(), QStringLiteral("-"));
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("-12,57"));
  // No separator into an empty text.
  Memo()->selectAll();
  QTest::keyClick(Memo(), Qt::Key_Delete);
  Pisz(Memo(), QStringLiteral(",5ą 1"));
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("51"));

  // No minus where negatives are not allowed, no separator in a whole number; a text field takes anything.
  Wpisz(kDodatnia, QStringLiteral("-5"));
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("5"));
  Wpisz(kCalkowita, QStringLiteral("-1.5,2"));
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("-152"));
  Wpisz(kKrotki, QStringLiteral("a,-.b"));
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("a,-.b"));
}

void TstWpis::kwotaWpisanaPoKliknieciu_data() {
  QTest::addColumn<int>("klikniecia");  // clicks into the open editor before typing
  QTest::addColumn<bool>("podwojne");
  QTest::addColumn<double>("gdzie");  // where across the editor, 0 left edge to 1 right edge
  QTest::newRow("typed as the editor opens") << 0 << false << 0.0;
  QTest::newRow("a click at the left of the open editor") << 1 << false << 0.05;
  QTest::newRow("a click inside the amount") << 1 << false << 0.93;
  QTest::newRow("a click past the amount") << 1 << false << 0.99;
  QTest::newRow("two clicks") << 2 << false << 0.5;
  QTest::newRow("a double click") << 1 << true << 0.95;
}

// Typing an amount into a field gives that amount, however the editor came to have the caret.
void TstWpis::kwotaWpisanaPoKliknieciu() {
  QFETCH(int, klikniecia);
  QFETCH(bool, podwojne);
  QFETCH(double, gdzie);
  p_->Kliknij(kKwota);
  QVERIFY(Memo());
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("0,00"));
  const QPoint punkt(static_cast<int>(Memo()->viewport()->width() * gdzie), Memo()->viewport()->height() / 2);
  for (int i = 0; i < klikniecia; ++i) {
    if (podwojne)
      QTest::mouseDClick(Memo()->viewport(), Qt::LeftButton, Qt::NoModifier, punkt);
    else
      QTest::mouseClick(Memo()->viewport(), Qt::LeftButton, Qt::NoModifier, punkt);
  }
  Pisz(Memo(), QStringLiteral("2290,16"));
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("2290,16"));
  QTest::keyClick(Memo(), Qt::Key_Return);
  QCOMPARE(p_->Wartosc(kKwota), QStringLiteral("2290,16"));
}

void TstWpis::kwoty_data() {
  QTest::addColumn<int>("pole");
  QTest::addColumn<QString>("domyslna");
  QTest::addColumn<QString>("tekst");
  QTest::addColumn<QString>("wynik");
  const QMap<QString, int> pola{
      {"kwota", kKwota}, {"grosze", kGrosze}, {"zlote", kZlote}, {"calkowita", kCalkowita}, {"dodatnia", kDodatnia}};
  QFile plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/support/strony_kwoty.txt"));
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

void TstWpis::kwoty() {
  QFETCH(int, pole);
  QFETCH(QString, domyslna);
  QFETCH(QString, tekst);
  QFETCH(QString, wynik);
  const bool odrzucony = wynik.startsWith(QLatin1Char('!'));
  UstawTekst(V().Obiekty[static_cast<std::size_t>(pole)].WartoscDomyslna, domyslna);
  p_->UstawWartosc(pole, "7");
  const ObliczenieTestowe sonda(Pit37, &Sonda);
  p_->Kliknij(pole);
  Memo()->selectAll();
  QTest::keyClick(Memo(), Qt::Key_Delete);
  if (!odrzucony) {
    Pisz(Memo(), tekst);
    QTest::keyPress(Memo(), Qt::Key_Return);
    // The press stores and shows the stored text, and computes the form once; the release moves on.
    QCOMPARE(p_->Wartosc(pole), wynik);
    QCOMPARE(Memo()->toPlainText(), wynik);
    QCOMPARE(T().Zmodyfikowane, std::uint8_t{1});
    QVERIFY(T().ToolButtonSave->isEnabled());
    QCOMPARE(Wywolania().size(), std::size_t{1});
    QCOMPARE((std::pair{Wywolania()[0].kodDruku, Wywolania()[0].j}), (std::pair{int{Pit37}, 1}));
    QTest::keyRelease(Memo(), Qt::Key_Return);
    QVERIFY(T().WybranyObiekt != pole);
    QVERIFY(p_->Komunikaty().isEmpty());
    return;
  }
  QApplication::clipboard()->setText(tekst);
  Memo()->paste();
  QTest::keyClick(Memo(), Qt::Key_Return);
  QCOMPARE(p_->Komunikaty().size(), 1);
  QVERIFY2(p_->Komunikaty()[0].contains(wynik.mid(1)), qPrintable(p_->Komunikaty()[0]));
  QCOMPARE(p_->Wartosc(pole), QStringLiteral("7"));
  QCOMPARE(T().Zmodyfikowane, std::uint8_t{0});
  QVERIFY(Wywolania().empty());
  QCOMPARE(V().OtwartyEdytor(), pole);
  QCOMPARE(T().WybranyObiekt, pole);
  // Nor does a click elsewhere let it go; once corrected it is stored.
  p_->KliknijObok();
  QCOMPARE(V().OtwartyEdytor(), pole);
  Memo()->setPlainText(QStringLiteral("8"));
  p_->KliknijObok();
  QCOMPARE(V().OtwartyEdytor(), -1);
  QCOMPARE(T().WybranyObiekt, -1);
  QCOMPARE(p_->Wartosc(pole), pole == kCalkowita ? QStringLiteral("8") : QStringLiteral("8,00"));
  QCOMPARE(Wywolania().size(), std::size_t{1});
}

void TstWpis::maskiNipIDaty() {
  p_->UstawWartosc(kNip, "1234567890");
  p_->Kliknij(kNip);
  QLineEdit* maska = V().EdytorMaski;
  QVERIFY(maska);
  QCOMPARE(maska->displayText(), QStringLiteral("123-456-78-90"));
  QCOMPARE(maska->selectedText(), QStringLiteral("123-456-78-90"));
  Pisz(maska, QStringLiteral("98x7a6543210"));
  QTest::keyClick(maska, Qt::Key_Return);
  QCOMPARE(p_->Wartosc(kNip), QStringLiteral("987-654-32-10"));
  QCOMPARE(T().Zmodyfikowane, std::uint8_t{1});

  // A legal person's NIP groups 3-2-2-3; a partial one keeps its digits in place.
  p_->Kliknij(kNipFirmy);
  Pisz(V().EdytorMaski, QStringLiteral("1234567890"));
  QTest::keyClick(V().EdytorMaski, Qt::Key_Return);
  QCOMPARE(p_->Wartosc(kNipFirmy), QStringLiteral("123-45-67-890"));
  p_->Kliknij(kNipFirmy);
  V().EdytorMaski->selectAll();
  Pisz(V().EdytorMaski, QStringLiteral("12"));
  QTest::keyClick(V().EdytorMaski, Qt::Key_Return);
  QCOMPARE(p_->Wartosc(kNipFirmy), QStringLiteral("12 -  -  -   "));

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

void TstWpis::grupaZaznaczen() {
  const ObliczenieTestowe sonda(Pit37, &Sonda);
  T().Druki[1].Pola[kInnaGrupa].Zaznaczone = 1;
  p_->Kliknij(kGrupa1);
  QCOMPARE(p_->Zaznaczone(kGrupa1), std::uint8_t{1});
  QCOMPARE(V().Obiekty[kGrupa1].Opcje[0].Zaznaczona, std::uint8_t{1});
  QCOMPARE(T().WybranyObiekt, -1);
  QCOMPARE(V().OtwartyEdytor(), -1);
  QCOMPARE(T().Zmodyfikowane, std::uint8_t{1});
  QCOMPARE(Wywolania().size(), std::size_t{1});
  // The cross is on the page at once.
  const QPoint srodek = p_->Srodek(kGrupa1);
  const TObiekt& o = V().Obiekty[kGrupa1];
  QCOMPARE(V().Formatka->Obraz().pixel(srodek), qRgb(0, 0, 0));
  QCOMPARE(V().Formatka->Obraz().pixel(o.Lewy + 5, srodek.y()), qRgb(255, 255, 255));

  p_->Kliknij(kGrupa3);
  QCOMPARE(p_->Zaznaczone(kGrupa1), std::uint8_t{0});
  QCOMPARE(p_->Zaznaczone(kGrupa2), std::uint8_t{0});
  QCOMPARE(p_->Zaznaczone(kGrupa3), std::uint8_t{1});
  QCOMPARE(V().Obiekty[kGrupa1].Opcje[0].Zaznaczona, std::uint8_t{0});
  QCOMPARE(p_->Zaznaczone(kInnaGrupa), std::uint8_t{1});
  QCOMPARE(V().Formatka->Obraz().pixel(srodek), qRgb(255, 255, 255));

  // Unticking leaves the whole group clear.
  p_->Kliknij(kGrupa3);
  for (int i = kGrupa1; i <= kGrupa3; ++i) QCOMPARE(p_->Zaznaczone(i), std::uint8_t{0});
  QCOMPARE(p_->Zaznaczone(kInnaGrupa), std::uint8_t{1});
  QCOMPARE(Wywolania().size(), std::size_t{3});

  // An amount being edited is stored before the box toggles.
  p_->Kliknij(kKwota);
  Pisz(Memo(), QStringLiteral("4"));
  p_->Kliknij(kInnaGrupa);
  QCOMPARE(p_->Wartosc(kKwota), QStringLiteral("4,00"));
  QCOMPARE(p_->Zaznaczone(kInnaGrupa), std::uint8_t{0});
}

void TstWpis::lista() {
  p_->Kliknij(kLista);
  QComboBox* lista = V().EdytorListy;
  QVERIFY(lista && !lista->isHidden());
  QCOMPARE(lista->count(), 3);
  QCOMPARE(lista->currentText(), QStringLiteral("dwa"));
  QVERIFY(!lista->isEditable());
  const TObiekt& o = V().Obiekty[kLista];
  QCOMPARE(lista->geometry(), QRect(T().LewaKrawedzStrony + o.Lewy + 1, o.Gorny + 1, 159, 23));
  lista->setCurrentIndex(2);
  // The choice is stored by the next click on the page.
  QCOMPARE(p_->Wartosc(kLista), QString());
  p_->KliknijObok();
  QCOMPARE(p_->Wartosc(kLista), QStringLiteral("trzy"));
  QCOMPARE(V().Obiekty[kLista].Format, 2);
  QCOMPARE(NaQString(V().Obiekty[kLista].Wartosc), QStringLiteral("trzy"));
  QVERIFY(!V().EdytorListy);
  p_->Kliknij(kLista);
  QCOMPARE(V().EdytorListy->currentIndex(), 2);
}

void TstWpis::limitTekstu() {
  p_->Kliknij(kKrotki);
  Pisz(Memo(), QStringLiteral("Zażółć"));
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("Zażół"));
  QApplication::clipboard()->setText(QStringLiteral("123456789"));
  Memo()->selectAll();
  Memo()->paste();
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("12345"));
  // A text set from outside the keyboard is cut when stored.
  Memo()->setPlainText(QStringLiteral("ąęśćżźńół"));
  QTest::keyClick(Memo(), Qt::Key_Return);
  QCOMPARE(Tekst(T().Druki[1].Pola[kKrotki].Wartosc), std::string_view("\xB9\xEA\x9C\xE6\xBF"));
  QCOMPARE(Tekst(V().Obiekty[kKrotki].Wartosc), std::string_view("\xB9\xEA\x9C\xE6\xBF"));

  // A text as long as a record holds is cut at its width.
  p_->Kliknij(kRownaZeraPoz);
  Memo()->setPlainText(QString(400, QLatin1Char('x')));
  QTest::keyClick(Memo(), Qt::Key_Return);
  QCOMPARE(Tekst(T().Druki[1].Pola[kRownaZeraPoz].Wartosc).size(), std::size_t{354});
  QCOMPARE(Tekst(V().Obiekty[kRownaZeraPoz].Wartosc).size(), std::size_t{254});
}

void TstWpis::dopasowanieCzcionki() {
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
  QTest::keyClick(Memo(), Qt::Key_Backspace);
  QCOMPARE(Memo()->RozmiarCzcionki(), 6);
  QCOMPARE(Memo()->MaxLength(), 253);
  Pisz(Memo(), QStringLiteral("ab"));
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("ab"));
}

VELMAR_TEST_MAIN(TstWpis)
#include "tst_wpis.moc"
