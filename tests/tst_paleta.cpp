// The designer's properties palette and type change: what they put into the object and into the structure file, and
// when the type dialog opens.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <map>

#include "model/struktura.h"
#include "pages/fobj.h"
#include "pages/fpaleta.h"
#include "pages/obiekty_plik.h"
#include "support/widok_tabele.h"
#include "support/strony.h"

using namespace velmar_test;

class TstPaleta : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZeStronami> p_;
  std::unique_ptr<TFPaleta> paleta_;
  std::unique_ptr<TFObj> typ_;
  TFImage& V() { return p_->V(); }
  QString PlikDcs() const { return p_->Dc() + QStringLiteral("2.dcs"); }

  // One object between two others, in the file and in the view, under the mouse (or not: -1).
  void Obiekty(const TObiekt& o, int nadKursorem = 1) {
    const std::vector<TObiekt> obiekty{Pole(Text, 1, 0, 0, 10, 10), o, Pole(Text, 1, 20, 20, 30, 30)};
    p_->Folder().ZapiszDcs(2, obiekty);
    UstawObiekty(&V(), obiekty);
    p_->T().ObiektNadKursorem = nadKursorem;
  }
  TFPaleta& Paleta(const TObiekt& o) {
    Obiekty(o);
    paleta_->hide();
    paleta_->show();
    return *paleta_;
  }
  TObiekt& Edytowany() { return V().Obiekty[1]; }
  static QByteArray Bajty(const TObiekt& o) {
    const auto b = rekordy::ZakodujObiekty(std::span<const TObiekt>(&o, 1));
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
  }
  TObiekt Zapisany() { return struktura::CzytajObiekt(PlikDcs(), 1).value(); }
  static std::map<QString, QAbstractButton*> Przyciski(TFPaleta& f) {
    // clang-format off
    return {{"NipFizyczna", f.NipFizyczna}, {"NipPrawna", f.NipPrawna}, {"LiczbaDziesietna", f.LiczbaDziesietna},
            {"LiczbaCalkowita", f.LiczbaCalkowita}, {"ZaokrGroszy", f.ZaokrGroszy}, {"ZaokrZloty", f.ZaokrZloty},
            {"BezZaokr", f.BezZaokr}, {"MaxChar", f.MaxChar}, {"BiezacaData", f.BiezacaData}};
    // clang-format on
  }
  // Each word holds: a button's name, checked; "!name" unchecked; "+" / "-" the rounding group shown / hidden;
  // "=text" the limit's text; "^" / "~" the limit enabled / disabled; "#n" the list's current row.
  static bool Pokazuje(TFPaleta& f, const QString& opis) {
    for (const QString& w : opis.split(u' ', Qt::SkipEmptyParts)) {
      const QChar z = w[0];
      const QString reszta = w.mid(1);
      const bool ok = z == u'!'   ? !Przyciski(f).at(reszta)->isChecked()
                      : z == u'+' ? !f.Zaokraglanie->isHidden()
                      : z == u'-' ? f.Zaokraglanie->isHidden()
                      : z == u'=' ? f.CharLimit->text() == reszta
                      : z == u'^' ? f.CharLimit->isEnabled()
                      : z == u'~' ? !f.CharLimit->isEnabled()
                      : z == u'#' ? f.EListBox->currentRow() == reszta.toInt()
                                  : Przyciski(f).at(w)->isChecked();
      if (!ok) return false;
    }
    return true;
  }
  // The file differs from before only in the edited object's record, which holds these bytes.
  void TylkoRekordZmieniony(const QByteArray& przed, const QByteArray& rekord) {
    const QByteArray po = CzytajPlik(PlikDcs());
    const qsizetype r = static_cast<qsizetype>(rekordy::kRozmiarObiektu);
    QCOMPARE(po.size(), przed.size());
    QCOMPARE(po.left(r) + po.mid(2 * r), przed.left(r) + przed.mid(2 * r));
    QCOMPARE(po.mid(r, r), rekord);
  }

 private slots:
  void init() {
    p_ = std::make_unique<ProgramZeStronami>();
    p_->Uruchom();
    p_->T().PlikDcs = PlikDcs();
    paleta_ = std::make_unique<TFPaleta>();
    typ_ = std::make_unique<TFObj>();
  }
  void cleanup() {
    typ_.reset();
    paleta_.reset();
    p_.reset();
  }

  // A colour chosen in the window, a cancelled one, a quick panel: stored at once in memory, the file waits for
  // "zastosuj". A colour text that is none shows as the default.
  void koloryZOknaIPaneli() {
    // Only the three colour bytes count: a system-colour flag in the high byte is not a fourth pair.
    QCOMPARE(TFPaleta::KolorNaTekst(static_cast<std::int32_t>(0x80563412u)), QStringLiteral("123456"));
    TObiekt o = Pole(Text, 1, 0, 0, 50, 20);
    UstawBajty(o.KolorTekstu, "GGGGGG");
    TFPaleta& f = Paleta(o);
    std::optional<QColor> odpowiedz = QColor(0x12, 0x34, 0x56);
    f.WybierzKolor = [&](const QColor&) { return odpowiedz; };
    f.KolorKrawedz->click();
    odpowiedz = std::nullopt;
    f.KolorTekst->click();
    f.Panel1->click();
    QCOMPARE(QStringList({f.KK->text(), f.KT->text(), f.KW->text()}),
             QStringList({"  123456", "  000000", "  FFFFFE"}));
    const TObiekt& e = Edytowany();
    QCOMPARE(
        (std::array{Tekst(e.KolorKrawedzi), Tekst(e.KolorTekstu), Tekst(e.KolorTla), Tekst(Zapisany().KolorKrawedzi)}),
        (std::array<std::string_view, 4>{"123456", "GGGGGG", "FFFFFE", "FFFFFF"}));
  }
  void zastosujPiszeObiektWMiejscu() {
    TObiekt o = Pole(Liczba, 1, 40, 50, 140, 70, "0,00");
    o.NrObiektu = 2;
    TFPaleta& f = Paleta(o);
    const QByteArray przed = CzytajPlik(PlikDcs());
    for (const auto& [pole, tekst] :
         {std::pair{f.Nazwa, "kwota"}, {f.Pomoc, "Wpisz kwotę"}, {f.PozPrzeg, " 7 "}, {f.DrukPage, "2"}})
      pole->setText(QString::fromUtf8(tekst));
    f.StanPola->setCurrentIndex(0);
    for (QCheckBox* pole : {f.ReadOlny, f.Block, f.PlusValue}) pole->setChecked(true);
    f.TextAlign->setCurrentIndex(Centruj);
    f.DefValue->setPlainText(QStringLiteral("5,00"));
    f.ZaokrGroszy->click();
    f.RozmiarCzcionki->setEditText(QStringLiteral("99"));
    f.Zastosuj->click();

    QVERIFY(!f.isVisible() && f.result() == QDialog::Accepted);
    TylkoRekordZmieniony(przed, Bajty(Edytowany()));
    const TObiekt z = Zapisany();
    QCOMPARE(QStringList(
                 {NaQString(z.Nazwa), NaQString(z.Pomoc), NaQString(z.WartoscDomyslna), NaQString(z.RozmiarCzcionki)}),
             QStringList({"kwota", "Wpisz kwotę", "5,00", "99"}));
    QCOMPARE((std::array{z.PozycjaPrzegladania, z.Strona, z.Wyrownanie, z.Format, z.Lewy, z.Dolny, z.NrObiektu}),
             (std::array{7, 2, int(Centruj), int(FormatZaokrGroszy), 40, 70, 2}));
    QCOMPARE((std::array{z.Widoczne, z.TylkoDoOdczytu, z.Wymagane, z.Zablokowane, z.TylkoDodatnia}),
             (std::array<std::uint8_t, 5>{0, 1, 0, 1, 1}));
  }
  // A type's options as the palette shows them on opening, a button clicked or a limit typed, and the format and
  // limit "zastosuj" stores.
  void opcjeTypuPrzyZastosowaniu_data() { Wiersze("widok_tabele.txt", QStringLiteral("opcje")); }
  void opcjeTypuPrzyZastosowaniu() {
    QFETCH(QStringList, w);
    TObiekt o = Pole(Numer(w[0]), 1, 0, 0, 50, 20);
    o.Format = Numer(w[1]);
    o.LimitZnakow = Numer(w[2]);
    TFPaleta& f = Paleta(o);
    QVERIFY(Pokazuje(f, w[3]));
    if (w[4].toInt()) {
      f.MaxChar->setChecked(true);
      f.CharLimit->setText(w[4]);
    } else if (!w[4].isEmpty()) {
      Przyciski(f).at(w[4])->click();
    }
    f.Zastosuj->click();
    QCOMPARE((std::pair{Zapisany().Format, Zapisany().LimitZnakow}), (std::pair{Numer(w[5]), Numer(w[6])}));
  }
  void domyslnaPrzyZmianieRodzajuLiczby() {
    TFPaleta& f = Paleta(Pole(Liczba, 1, 0, 0, 50, 20, "0,00"));
    // Each click: the radio button, the default before it (null: leave as it is), the default after it.
    const std::tuple<QRadioButton*, const char*, const char*> kroki[] = {
        {f.LiczbaCalkowita, nullptr, "0"}, {f.LiczbaDziesietna, nullptr, "0,00"}, {f.LiczbaCalkowita, "", "0"},
        {f.LiczbaDziesietna, "", "0,00"},  {f.LiczbaDziesietna, "1,50", "1,50"},  {f.LiczbaCalkowita, nullptr, "1,50"}};
    for (const auto& [przycisk, przed, po] : kroki) {
      if (przed) f.DefValue->setPlainText(QLatin1String(przed));
      przycisk->click();
      QCOMPARE(f.DefValue->toPlainText(), QLatin1String(po));
    }
  }
  // A text field's multi-line option is shown as the object holds it and stored either way.
  void wielowierszowe() {
    for (const bool bylo : {false, true}) {
      TObiekt o = Pole(Text, 1, 0, 0, 50, 20);
      o.Wielowierszowe = bylo ? 1 : 0;
      TFPaleta& f = Paleta(o);
      QCOMPARE(f.Multiline->isChecked(), bylo);
      f.Multiline->click();
      f.Zastosuj->click();
      QCOMPARE(Zapisany().Wielowierszowe, std::uint8_t(bylo ? 0 : 1));
    }
  }
  void odmowaNiczegoNieZmienia_data() { Wiersze("widok_tabele.txt", QStringLiteral("odmowa")); }
  // A number that is none: the message, the palette stays open, nothing changes in memory or in the file.
  void odmowaNiczegoNieZmienia() {
    QFETCH(QStringList, w);
    const int pole = w[0].toInt();
    TFPaleta& f = Paleta(Pole(Text, 1, 0, 0, 50, 20));
    const QByteArray plik = CzytajPlik(PlikDcs());
    const QByteArray obiekt = Bajty(Edytowany());
    f.Nazwa->setText(QStringLiteral("zmieniona"));
    f.MaxChar->setChecked(true);
    f.CharLimit->setText(QStringLiteral("5"));
    if (pole < 0)
      f.RozmiarCzcionki->setEditText(w[1]);
    else
      (std::array{f.PozPrzeg, f.DrukPage, f.CharLimit}[static_cast<std::size_t>(pole)])->setText(w[1]);
    f.Zastosuj->click();
    QVERIFY(f.isVisible());
    QCOMPARE(SkryptDialogow().Teksty(), QStringList{w[2]});
    QCOMPARE(Bajty(Edytowany()), obiekt);
    QCOMPARE(CzytajPlik(PlikDcs()), plik);
  }
  void elementyListy() {
    TObiekt o = Pole(Select, 1, 0, 0, 50, 20);
    for (std::size_t i = 0; i < 3; ++i) {
      UstawBajty(o.ElementyListy[i].Tekst, std::string(1, static_cast<char>('A' + i)));
      UstawBajty(o.ElementyListy[i].Wartosc, std::to_string(i + 1));
    }
    o.Format = 1;
    TFPaleta& f = Paleta(o);
    QVERIFY(f.EListBox->count() == 10 && f.SelectText->text() + f.SelectValue->text() == QStringLiteral("B2"));
    f.SelectText->setText(QStringLiteral("X"));
    f.SelectDodaj->click();
    QVERIFY(Tekst(Edytowany().ElementyListy[1].Tekst) == "X" && f.EListBox->currentRow() == 2);
    f.SelectUsun->click();
    QVERIFY(Tekst(Edytowany().ElementyListy[2].Tekst).empty() && Tekst(Edytowany().ElementyListy[2].Wartosc).empty());
    // Every line still stands for the slot of its position.
    QVERIFY(f.EListBox->count() == 10 && f.EListBox->item(2)->text().isEmpty() && f.EListBox->currentRow() == 1);
    f.EListBox->setCurrentRow(0);
    QTest::mouseClick(f.EListBox->viewport(), Qt::LeftButton, {},
                      f.EListBox->visualItemRect(f.EListBox->item(0)).center());
    QCOMPARE(f.SelectText->text() + f.SelectValue->text(), QStringLiteral("A1"));  // the first line is a line too
    f.SelectText->setText(QStringLiteral("Y"));
    f.SelectDodaj->click();
    QVERIFY(Tekst(Edytowany().ElementyListy[0].Tekst) == "Y" && f.EListBox->currentRow() == 1);
    f.EListBox->setCurrentRow(0);
    f.SelectUsun->click();
    QVERIFY(f.EListBox->currentRow() == -1 && Tekst(Edytowany().ElementyListy[0].Tekst).empty());
    // The last slot moves the selection no further; with no line chosen the buttons do nothing.
    f.EListBox->setCurrentRow(9);
    f.SelectDodaj->click();
    QCOMPARE(f.EListBox->currentRow(), 9);
    const QByteArray przed = Bajty(Edytowany());
    f.EListBox->setCurrentRow(-1);
    f.SelectDodaj->click();
    f.SelectUsun->click();
    QVERIFY(Bajty(Edytowany()) == przed && f.EListBox->currentRow() == -1);
    f.EListBox->setCurrentRow(1);  // the chosen line is the selection's value
    f.Zastosuj->click();
    QVERIFY(Zapisany().Format == 1 && Tekst(Zapisany().Wartosc) == "X");
    f.EListBox->setCurrentRow(0);
    f.Zastosuj->click();
    QVERIFY(Zapisany().Format == 0 && Tekst(Zapisany().Wartosc).empty());
  }
  void tytulIBrakObiektu_data() { Wiersze("widok_tabele.txt", QStringLiteral("tytul")); }
  void tytulIBrakObiektu() {
    QFETCH(QStringList, w);
    const int typ = Numer(w[0]), nadKursorem = w[1].toInt(), edytowany = w[2].toInt();
    TObiekt o = Pole(Text, 1, 0, 0, 50, 20);
    std::tie(o.Typ, o.NrObiektu) = std::pair{typ, 12};
    Obiekty(o, nadKursorem);
    if (nadKursorem == -1) std::swap(V().Obiekty[1], V().Obiekty[2]);
    paleta_->show();
    QCOMPARE(paleta_->windowTitle(), w[3]);
    if (edytowany >= 0) {
      QCOMPARE(paleta_->Obiekt(), &V().Obiekty[static_cast<std::size_t>(edytowany)]);
      QVERIFY(!w[3].contains(u"LICZBA") || (!paleta_->PanelOpcje->isHidden() && !paleta_->PanelLiczba->isHidden() &&
                                            paleta_->PanelNip->isHidden()));
      return;
    }
    // Nothing to edit and nothing written.
    const QByteArray przed = CzytajPlik(PlikDcs());
    QVERIFY(paleta_->Obiekt() == nullptr && !paleta_->Zastosuj->isEnabled());
    paleta_->ZastosujClick();
    paleta_->Panel1Click();
    paleta_->RozmiarCzcionki->setCurrentIndex(3);
    QCOMPARE(CzytajPlik(PlikDcs()), przed);
  }
  // A type change resets what belongs to the type and keeps the place, the numbers and the name; an index outside the
  // types changes nothing. Only "Zastosuj" writes the file, that one record; cancelling restores the object, and with
  // no object under the mouse the dialog changes and writes nothing.
  void zmianaTypu() {
    TObiekt o = Pole(Checbox, 2, 11, 12, 13, 14, "T");
    o.NrObiektu = 7;
    o.DrugiNumer = 3;
    o.TylkoDoOdczytu = o.Wielowierszowe = o.Opcje[0].Zaznaczona = 1;
    o.Widoczne = 0;
    UstawBajty(o.Nazwa, "grupa");
    UstawBajty(o.KolorTla, "123456");
    UstawBajty(o.ElementyListy[3].Tekst, "item");
    Obiekty(o);
    const QByteArray plik = CzytajPlik(PlikDcs());
    for (const bool zastosuj : {false, true}) {
      typ_->show();
      QVERIFY(typ_->windowTitle() == QStringLiteral("Zmiana typu obiektu [3.7]") &&
              typ_->ControlType->currentIndex() == Checbox);
      typ_->ControlType->setCurrentIndex(Liczba);
      typ_->UstawTyp(-1);
      const TObiekt& z = Edytowany();
      QCOMPARE((std::array{z.Typ, z.Format, z.Wyrownanie, z.Lewy, z.Dolny, z.Strona, z.NrObiektu, z.DrugiNumer}),
               (std::array{int(Liczba), 1, int(DoPrawej), 11, 14, 2, 7, 3}));
      QCOMPARE(
          (std::array{Tekst(z.WartoscDomyslna), Tekst(z.KolorTla), Tekst(z.ElementyListy[3].Tekst), Tekst(z.Nazwa)}),
          (std::array<std::string_view, 4>{"0,00", "FFFFFF", "", "grupa"}));
      QCOMPARE((std::array{z.Widoczne, z.TylkoDoOdczytu, z.Wielowierszowe, z.Opcje[0].Zaznaczona}),
               (std::array<std::uint8_t, 4>{1, 0, 0, 0}));
      QCOMPARE(CzytajPlik(PlikDcs()), plik);
      const QByteArray zmieniony = Bajty(z);
      (zastosuj ? typ_->zastosuj : typ_->anuluj)->click();
      QVERIFY(!typ_->isVisible());
      if (zastosuj) TylkoRekordZmieniony(plik, zmieniony);
      if (!zastosuj) QCOMPARE(Bajty(Edytowany()), Bajty(o));
    }
    p_->T().ObiektNadKursorem = -1;
    typ_->show();
    QVERIFY(!typ_->zastosuj->isEnabled());
    const QByteArray przed = Bajty(Edytowany()), plikPrzed = CzytajPlik(PlikDcs());
    typ_->UstawTyp(Text);
    typ_->zastosujClick();
    QVERIFY(Bajty(Edytowany()) == przed && CzytajPlik(PlikDcs()) == plikPrzed);
  }
  // The popup's "Zmień typ" opens the type dialog, modal, over an object only: with the mouse elsewhere nothing opens.
  void typZMenuTylkoNadObiektem() {
    Obiekty(Pole(Liczba, 1, 100, 100, 300, 140));
    std::tie(p_->T().StronaWczytana, p_->T().BiezacaStrona) = std::pair{1, 1};  // page 1 on screen
    for (const auto& [mysz, tytul] : {std::pair{QPoint(200, 120), QStringLiteral("Zmiana typu obiektu [0.0]")},
                                      std::pair{QPoint(600, 600), QString()}}) {
      V().FormatkaMouseMove(mysz.x(), mysz.y());
      QString otwarty;
      QTimer::singleShot(0, typ_.get(), [&] {
        if (!typ_->isVisible()) return;
        otwarty = typ_->isModal() ? typ_->windowTitle() : QStringLiteral("not modal");
        typ_->anuluj->click();
      });
      V().Data1->trigger();
      QCoreApplication::processEvents();
      QCOMPARE(otwarty, tytul);
      QVERIFY(!typ_->isVisible());
    }
  }
};

VELMAR_TEST_MAIN(TstPaleta)
#include "tst_paleta.moc"
