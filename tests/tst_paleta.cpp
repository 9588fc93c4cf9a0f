// The designer's properties palette and type change: what they put into the object and into the structure file.

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
#include <QToolButton>
#include <functional>

#include "model/struktura.h"
#include "pages/fobj.h"
#include "pages/fpaleta.h"
#include "pages/obiekty_plik.h"
#include "tst_strony_wspolne.h"

using namespace velmar_test;

namespace {

QByteArray Bajty(const TObiekt& o) {
  const auto b = rekordy::ZakodujObiekty(std::span<const TObiekt>(&o, 1));
  return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

}  // namespace

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
  TObiekt Zapisany() { return struktura::CzytajObiekt(PlikDcs(), 1).value(); }
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

  void koloryZOknaIPaneli();
  void zastosujPiszeObiektWMiejscu();
  void opcjeTypuPrzyZastosowaniu();
  void domyslnaPrzyZmianieRodzajuLiczby();
  void rozmiarCzcionki();
  void odmowaNiczegoNieZmienia_data();
  void odmowaNiczegoNieZmienia();
  void elementyListy();
  void tytulIBrakObiektu_data();
  void tytulIBrakObiektu();
  void zmianaTypuResetujeObiekt();
  void anulowanieZmianyTypu();
};

void TstPaleta::koloryZOknaIPaneli() {
  // Only the three colour bytes count: a system-colour flag in the high byte is not a fourth pair.
  QCOMPARE(TFPaleta::KolorNaTekst(static_cast<std::int32_t>(0x80563412u)), QStringLiteral("123456"));
  TObiekt o = Pole(Text, 1, 0, 0, 50, 20);
  UstawBajty(o.KolorTekstu, "GGGGGG");  // no colour: shown as the default, not thrown
  TFPaleta& f = Paleta(o);
  QCOMPARE(f.KT->text(), QStringLiteral("  000000"));

  std::vector<QColor> poczatkowe;
  std::optional<QColor> odpowiedz = QColor(0x12, 0x34, 0x56);
  f.WybierzKolor = [&](const QColor& c) {
    poczatkowe.push_back(c);
    return odpowiedz;
  };
  f.KolorKrawedz->click();
  QCOMPARE(Tekst(Edytowany().KolorKrawedzi), "123456");
  QCOMPARE(f.KK->text(), QStringLiteral("  123456"));
  QCOMPARE(poczatkowe.back(), QColor(Qt::white));
  odpowiedz = std::nullopt;
  f.KolorTekst->click();
  QCOMPARE(Tekst(Edytowany().KolorTekstu), "GGGGGG");
  QCOMPARE(f.KT->text(), QStringLiteral("  000000"));

  f.Panel1->click();
  QCOMPARE(Tekst(Edytowany().KolorTla), "FFFFFE");
  QCOMPARE(f.KW->text(), QStringLiteral("  FFFFFE"));
  f.Panel2->click();
  QCOMPARE(Tekst(Edytowany().KolorTla), "FFFFFF");
  // Stored at once in memory, but the file waits for "zastosuj".
  QCOMPARE(Tekst(Zapisany().KolorKrawedzi), "FFFFFF");
}

void TstPaleta::zastosujPiszeObiektWMiejscu() {
  TObiekt o = Pole(Liczba, 1, 40, 50, 140, 70, "0,00");
  o.NrObiektu = 2;
  TFPaleta& f = Paleta(o);
  const QByteArray przed = CzytajPlik(PlikDcs());
  f.Nazwa->setText(QStringLiteral("kwota"));
  f.Pomoc->setText(QStringLiteral("Wpisz kwotę"));
  f.PozPrzeg->setText(QStringLiteral(" 7 "));
  f.DrukPage->setText(QStringLiteral("2"));
  f.StanPola->setCurrentIndex(0);
  f.ReadOlny->setChecked(true);
  f.Block->setChecked(true);
  f.TextAlign->setCurrentIndex(Centruj);
  f.DefValue->setPlainText(QStringLiteral("5,00"));
  f.ZaokrGroszy->click();
  f.PlusValue->setChecked(true);
  f.Zastosuj->click();

  QVERIFY(!f.isVisible());
  QCOMPARE(f.result(), int(QDialog::Accepted));
  TylkoRekordZmieniony(przed, Bajty(Edytowany()));
  const TObiekt z = Zapisany();
  QCOMPARE((std::array{NaQString(z.Nazwa), NaQString(z.Pomoc), NaQString(z.WartoscDomyslna)}),
           (std::array{QStringLiteral("kwota"), QStringLiteral("Wpisz kwotę"), QStringLiteral("5,00")}));
  QCOMPARE((std::array{z.PozycjaPrzegladania, z.Strona, z.Wyrownanie, z.Format, z.Lewy, z.Dolny, z.NrObiektu}),
           (std::array{7, 2, int(Centruj), int(FormatZaokrGroszy), 40, 70, 2}));
  QCOMPARE((std::array{z.Widoczne, z.TylkoDoOdczytu, z.Wymagane, z.Zablokowane, z.TylkoDodatnia}),
           (std::array<std::uint8_t, 5>{0, 1, 0, 1, 1}));
}

void TstPaleta::opcjeTypuPrzyZastosowaniu() {
  using Widok = std::function<bool(TFPaleta&)>;
  using Zmiana = std::function<void(TFPaleta&)>;
  const auto zaznaczone = [](auto... przyciski) -> Widok {
    return [=](TFPaleta& f) { return ((f.*przyciski)->isChecked() && ...); };
  };
  const auto kliknij = [](auto przycisk) -> Zmiana { return [=](TFPaleta& f) { (f.*przycisk)->click(); }; };
  const Widok zawsze = [](TFPaleta&) { return true; };
  const Zmiana nic = [](TFPaleta&) {};
  const Zmiana limit5 = [](TFPaleta& f) {
    f.MaxChar->setChecked(true);
    f.CharLimit->setText(QStringLiteral("5"));
  };
  struct Przypadek {
    const char* nazwa;
    int typ, format, limit;
    Widok pokazane;  // what the palette shows on opening
    Zmiana zmiana;
    int formatPo, limitPo;
  };
  const Przypadek przypadki[] = {
      {"NIP with a limit typed", NIP, 1, 0, zaznaczone(&TFPaleta::NipFizyczna), limit5, NipOsobaFizyczna, 13},
      {"NIP of a legal person", NIP, 2, 0, zaznaczone(&TFPaleta::NipPrawna), nic, NipOsobaPrawna, 13},
      {"NIP switched", NIP, 7, 0, zaznaczone(&TFPaleta::NipFizyczna), kliknij(&TFPaleta::NipPrawna), NipOsobaPrawna, 13},
      {"decimal rounded to grosze, made whole", Liczba, 11, 0,
       [](TFPaleta& f) {
         return f.LiczbaDziesietna->isChecked() && f.ZaokrGroszy->isChecked() && !f.Zaokraglanie->isHidden();
       },
       kliknij(&TFPaleta::LiczbaCalkowita), FormatCalkowita, 0},
      {"whole made decimal", Liczba, 2, 0,
       [](TFPaleta& f) { return f.LiczbaCalkowita->isChecked() && f.Zaokraglanie->isHidden(); },
       kliknij(&TFPaleta::LiczbaDziesietna), FormatDziesietna, 0},
      {"decimal without rounding kept", Liczba, 1, 0, zaznaczone(&TFPaleta::LiczbaDziesietna, &TFPaleta::BezZaokr),
       nic, FormatDziesietna, 0},
      {"an unknown format shown as whole", Liczba, 5, 0, zaznaczone(&TFPaleta::BezZaokr), kliknij(&TFPaleta::LiczbaDziesietna),
       FormatDziesietna, 0},
      {"rounding to złoty and a limit kept", Liczba, 12, 4,
       [](TFPaleta& f) { return f.ZaokrZloty->isChecked() && f.CharLimit->text() == QLatin1String("4"); }, nic,
       FormatZaokrZloty, 4},
      {"limit of one", Liczba, 12, 1, zaznaczone(&TFPaleta::MaxChar), nic, FormatZaokrZloty, 1},
      {"today's date", Data, 1, 0, zaznaczone(&TFPaleta::BiezacaData), nic, 1, 0},
      {"today's date cleared", Data, 1, 0, zawsze, kliknij(&TFPaleta::BiezacaData), 0, 0},
      {"text limit", Text, 0, 7, [](TFPaleta& f) { return f.MaxChar->isChecked() && f.CharLimit->isEnabled(); }, nic,
       0, 7},
      {"text limit cleared", Text, 0, 7, zawsze, kliknij(&TFPaleta::MaxChar), 0, 0},
      {"text limit typed", Text, 0, 0, zawsze, limit5, 0, 5},
      {"no limit shown", Text, 0, 0,
       [](TFPaleta& f) { return !f.MaxChar->isChecked() && f.CharLimit->text().isEmpty() && !f.CharLimit->isEnabled(); },
       nic, 0, 0},
      {"date ignores a stale limit", Data, 0, 9, zawsze, nic, 0, 0},
      {"selection outside the list", Select, 15, 0, [](TFPaleta& f) { return f.EListBox->currentRow() == -1; }, nic,
       15, 0},
      {"last line of the list", Select, 9, 0, [](TFPaleta& f) { return f.EListBox->currentRow() == 9; }, nic, 9, 0},
  };
  for (const Przypadek& p : przypadki) {
    TObiekt o = Pole(p.typ, 1, 0, 0, 50, 20);
    o.Format = p.format;
    o.LimitZnakow = p.limit;
    TFPaleta& f = Paleta(o);
    QVERIFY2(p.pokazane(f), p.nazwa);
    p.zmiana(f);
    f.Zastosuj->click();
    QVERIFY2(Zapisany().Format == p.formatPo && Zapisany().LimitZnakow == p.limitPo, p.nazwa);
  }
}

void TstPaleta::domyslnaPrzyZmianieRodzajuLiczby() {
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

void TstPaleta::rozmiarCzcionki() {
  TObiekt o = Pole(Text, 1, 0, 0, 50, 20);
  UstawBajty(o.RozmiarCzcionki, "20");
  TFPaleta& f = Paleta(o);
  QCOMPARE(f.RozmiarCzcionki->currentText(), QStringLiteral("20"));
  UstawBajty(o.RozmiarCzcionki, "11");  // no size of the list: the first shown, the object's kept
  Paleta(o);
  QCOMPARE(f.RozmiarCzcionki->currentText(), QStringLiteral("4"));
  QCOMPARE(Tekst(Edytowany().RozmiarCzcionki), "11");
  f.RozmiarCzcionki->setCurrentIndex(5);
  QCOMPARE(Tekst(Edytowany().RozmiarCzcionki), "14");
  f.RozmiarCzcionki->setEditText(QStringLiteral("99"));
  QCOMPARE(Tekst(Edytowany().RozmiarCzcionki), "99");
  f.RozmiarCzcionki->setEditText(QStringLiteral("1"));
  f.Zastosuj->click();
  QCOMPARE(Tekst(Zapisany().RozmiarCzcionki), "1");
}

void TstPaleta::odmowaNiczegoNieZmienia_data() {
  QTest::addColumn<int>("pole");  // 0 position, 1 page, 2 limit, -1 the font size
  QTest::addColumn<QString>("tekst");
  QTest::addColumn<QString>("komunikat");
  const QString liczba = QStringLiteral("W polu \"%1\" należy wpisać liczbę całkowitą.");
  const QString rozmiar = QStringLiteral("Rozmiar czcionki musi być liczbą od 1 do 99.");
  QTest::newRow("position") << 0 << "x" << liczba.arg(QStringLiteral("Pozycja przegladania"));
  QTest::newRow("empty page") << 1 << "" << liczba.arg(QStringLiteral("Strona druku"));
  QTest::newRow("page too large") << 1 << "99999999999" << liczba.arg(QStringLiteral("Strona druku"));
  QTest::newRow("limit") << 2 << "1a" << liczba.arg(QStringLiteral("ograniczenie"));
  QTest::newRow("size no number") << -1 << "ab" << rozmiar;
  QTest::newRow("size 0") << -1 << "0" << rozmiar;
  QTest::newRow("size 100") << -1 << "100" << rozmiar;
  QTest::newRow("size of three digits") << -1 << "010" << rozmiar;
  QTest::newRow("no size") << -1 << "" << rozmiar;
}

// A number that is none: the message, the palette stays open, nothing changes in memory or in the file.
void TstPaleta::odmowaNiczegoNieZmienia() {
  QFETCH(int, pole);
  QFETCH(QString, tekst);
  QFETCH(QString, komunikat);
  TFPaleta& f = Paleta(Pole(Text, 1, 0, 0, 50, 20));
  const QByteArray plik = CzytajPlik(PlikDcs());
  const QByteArray obiekt = Bajty(Edytowany());
  f.Nazwa->setText(QStringLiteral("zmieniona"));
  f.MaxChar->setChecked(true);
  f.CharLimit->setText(QStringLiteral("5"));
  if (pole < 0)
    f.RozmiarCzcionki->setEditText(tekst);
  else
    (std::array{f.PozPrzeg, f.DrukPage, f.CharLimit}[static_cast<std::size_t>(pole)])->setText(tekst);
  f.Zastosuj->click();
  QVERIFY(f.isVisible());
  QCOMPARE(SkryptDialogow().Teksty(), QStringList{komunikat});
  QCOMPARE(Bajty(Edytowany()), obiekt);
  QCOMPARE(CzytajPlik(PlikDcs()), plik);
}

void TstPaleta::elementyListy() {
  TObiekt o = Pole(Select, 1, 0, 0, 50, 20);
  for (std::size_t i = 0; i < 3; ++i) {
    UstawBajty(o.ElementyListy[i].Tekst, std::string(1, static_cast<char>('A' + i)));
    UstawBajty(o.ElementyListy[i].Wartosc, std::to_string(i + 1));
  }
  o.Format = 1;
  TFPaleta& f = Paleta(o);
  QCOMPARE(f.EListBox->count(), 10);
  QCOMPARE(f.SelectText->text() + f.SelectValue->text(), QStringLiteral("B2"));
  f.SelectText->setText(QStringLiteral("X"));
  f.SelectDodaj->click();
  QCOMPARE(Tekst(Edytowany().ElementyListy[1].Tekst), "X");
  QCOMPARE(f.EListBox->currentRow(), 2);
  f.SelectUsun->click();
  QCOMPARE(Tekst(Edytowany().ElementyListy[2].Tekst), "");
  QCOMPARE(Tekst(Edytowany().ElementyListy[2].Wartosc), "");
  // Every line still stands for the slot of its position.
  QCOMPARE(f.EListBox->count(), 10);
  QCOMPARE(f.EListBox->item(2)->text(), QString());
  QCOMPARE(f.EListBox->currentRow(), 1);
  f.EListBox->setCurrentRow(0);
  f.SelectUsun->click();
  QCOMPARE(f.EListBox->currentRow(), -1);
  QCOMPARE(Tekst(Edytowany().ElementyListy[0].Tekst), "");
  f.EListBox->setCurrentRow(0);
  f.SelectDodaj->click();
  QCOMPARE(Tekst(Edytowany().ElementyListy[0].Tekst), "X");
  // The last slot moves the selection no further; with no line chosen the buttons do nothing.
  f.EListBox->setCurrentRow(9);
  f.SelectDodaj->click();
  QCOMPARE(f.EListBox->currentRow(), 9);
  const QByteArray przed = Bajty(Edytowany());
  f.EListBox->setCurrentRow(-1);
  f.SelectDodaj->click();
  f.SelectUsun->click();
  QCOMPARE(Bajty(Edytowany()), przed);
  f.EListBox->setCurrentRow(1);
  f.EListBox->itemClicked(f.EListBox->item(1));
  QCOMPARE(f.SelectText->text(), QStringLiteral("X"));
  f.Zastosuj->click();
  QCOMPARE(Zapisany().Format, 1);
  QCOMPARE(Tekst(Zapisany().Wartosc), "X");
}

void TstPaleta::tytulIBrakObiektu_data() {
  QTest::addColumn<int>("typ");
  QTest::addColumn<int>("nadKursorem");
  QTest::addColumn<int>("edytowany");  // -1: no object to edit
  QTest::addColumn<QString>("tytul");
  QTest::newRow("the last object when none is under the mouse")
      << int(Liczba) << -1 << 2 << "Właściwości obiektu LICZBA [0.12]";
  QTest::newRow("the first object") << int(Liczba) << 0 << 0 << "Właściwości obiektu TEKST [0.0]";
  QTest::newRow("the last type") << int(Radio) << 1 << 1 << "Właściwości obiektu RADIO [0.12]";
  QTest::newRow("a type past the names") << 7 << 1 << 1 << "Właściwości obiektu [0.12]";
  QTest::newRow("a negative type") << -1 << 1 << 1 << "Właściwości obiektu [0.12]";
  QTest::newRow("an index past the objects") << int(Text) << 3 << -1 << "Właściwości obiektu";
}

void TstPaleta::tytulIBrakObiektu() {
  QFETCH(int, typ);
  QFETCH(int, nadKursorem);
  QFETCH(int, edytowany);
  QFETCH(QString, tytul);
  TObiekt o = Pole(Text, 1, 0, 0, 50, 20);
  o.Typ = typ;
  o.NrObiektu = 12;
  Obiekty(o, nadKursorem);
  if (nadKursorem == -1) std::swap(V().Obiekty[1], V().Obiekty[2]);
  paleta_->show();
  QCOMPARE(paleta_->windowTitle(), tytul);
  if (edytowany >= 0) {
    QCOMPARE(paleta_->Obiekt(), &V().Obiekty[static_cast<std::size_t>(edytowany)]);
    if (tytul.contains(QLatin1String("LICZBA")))
      QVERIFY(!paleta_->PanelOpcje->isHidden() && !paleta_->PanelLiczba->isHidden() && paleta_->PanelNip->isHidden());
    return;
  }
  // Nothing to edit and nothing written.
  const QByteArray przed = CzytajPlik(PlikDcs());
  QVERIFY(paleta_->Obiekt() == nullptr);
  QVERIFY(!paleta_->Zastosuj->isEnabled());
  paleta_->ZastosujClick();
  paleta_->Panel1Click();
  paleta_->RozmiarCzcionki->setCurrentIndex(3);
  QCOMPARE(CzytajPlik(PlikDcs()), przed);
}

void TstPaleta::zmianaTypuResetujeObiekt() {
  TObiekt o = Pole(Text, 2, 11, 12, 13, 14, "domyślna");
  o.NrObiektu = 7;
  o.DrugiNumer = 3;
  o.PozycjaPrzegladania = 5;
  o.TylkoDodatnia = 1;
  o.LimitZnakow = 8;
  o.TylkoDoOdczytu = o.Wymagane = o.Zablokowane = o.Wielowierszowe = 1;
  o.Widoczne = 0;
  o.Wyrownanie = Justuj;
  UstawBajty(o.Nazwa, "grupa");
  UstawBajty(o.Pomoc, "pomoc");
  UstawBajty(o.Rezerwa, "r");
  UstawBajty(o.Wartosc, "w");
  UstawBajty(o.KolorTla, "123456");
  UstawBajty(o.RozmiarCzcionki, "14");
  UstawBajty(o.Opcje[0].Wartosc, "T");
  o.Opcje[0].Zaznaczona = 1;
  UstawBajty(o.ElementyListy[3].Tekst, "item");
  UstawBajty(o.OpcjeDodatkowe[9].Wartosc, "9");
  Obiekty(o);
  typ_->show();
  QCOMPARE(typ_->windowTitle(), QStringLiteral("Zmiana typu obiektu [3.7]"));
  QCOMPARE(Bajty(Edytowany()), Bajty(o));  // opening changes nothing

  struct {
    int typ, format, wyrownanie;
    const char* domyslna;
  } const przypadki[] = {{Liczba, 1, DoPrawej, "0,00"}, {NIP, 1, DoLewej, ""}, {Checbox, 0, DoLewej, ""},
                         {Data, 0, DoLewej, ""}};
  for (const auto& p : przypadki) {
    typ_->ControlType->setCurrentIndex(p.typ);
    const TObiekt& z = Edytowany();
    QCOMPARE((std::array{z.Typ, z.Format, z.Wyrownanie, z.LimitZnakow}), (std::array{p.typ, p.format, p.wyrownanie, 0}));
    QCOMPARE((std::array{Tekst(z.WartoscDomyslna), Tekst(z.Pomoc), Tekst(z.Rezerwa), Tekst(z.Wartosc),
                         Tekst(z.KolorKrawedzi), Tekst(z.KolorTla), Tekst(z.KolorTekstu), Tekst(z.RozmiarCzcionki),
                         Tekst(z.Opcje[0].Wartosc), Tekst(z.ElementyListy[3].Tekst), Tekst(z.OpcjeDodatkowe[9].Wartosc)}),
             (std::array<std::string_view, 11>{p.domyslna, "", "", "", "FFFFFF", "FFFFFF", "000000", "10", "0", "", "0"}));
    QCOMPARE((std::array{z.Widoczne, z.TylkoDoOdczytu, z.Wymagane, z.Zablokowane, z.Wielowierszowe,
                         z.Opcje[0].Zaznaczona, z.TylkoDodatnia}),
             (std::array<std::uint8_t, 7>{1, 0, 0, 0, 0, 0, 1}));
    // What a type change keeps.
    QCOMPARE((std::array{z.Lewy, z.Gorny, z.Prawy, z.Dolny, z.NrObiektu, z.Strona, z.DrugiNumer,
                         z.PozycjaPrzegladania}),
             (std::array{11, 12, 13, 14, 7, 2, 3, 5}));
    QCOMPARE(Tekst(z.Nazwa), "grupa");
  }
  const QByteArray raz = Bajty(Edytowany());
  typ_->UstawTyp(-1);
  QCOMPARE(Bajty(Edytowany()), raz);
  QCOMPARE(typ_->ControlType->currentIndex(), int(Data));

  // Nothing reaches the file before "Zastosuj", which rewrites that one record.
  const QByteArray przed = CzytajPlik(PlikDcs());
  QCOMPARE(Bajty(Zapisany()), Bajty(o));
  typ_->zastosuj->click();
  QVERIFY(!typ_->isVisible());
  TylkoRekordZmieniony(przed, raz);
}

void TstPaleta::anulowanieZmianyTypu() {
  TObiekt o = Pole(Checbox, 1, 0, 0, 10, 10);
  UstawBajty(o.Opcje[0].Wartosc, "T");
  o.Opcje[0].Zaznaczona = 1;
  Obiekty(o);
  const QByteArray plik = CzytajPlik(PlikDcs());
  typ_->show();
  QCOMPARE(typ_->ControlType->currentIndex(), int(Checbox));
  typ_->ControlType->setCurrentIndex(Liczba);
  QCOMPARE(Edytowany().Typ, int(Liczba));
  typ_->anuluj->click();
  QCOMPARE(Bajty(Edytowany()), Bajty(o));
  QCOMPARE(CzytajPlik(PlikDcs()), plik);

  // No object under the mouse: the dialog changes and writes nothing.
  p_->T().ObiektNadKursorem = -1;
  typ_->show();
  QVERIFY(!typ_->zastosuj->isEnabled());
  typ_->UstawTyp(Liczba);
  typ_->zastosujClick();
  QCOMPARE(Bajty(Edytowany()), Bajty(o));
  QCOMPARE(CzytajPlik(PlikDcs()), plik);
}

VELMAR_TEST_MAIN(TstPaleta)
#include "tst_paleta.moc"
