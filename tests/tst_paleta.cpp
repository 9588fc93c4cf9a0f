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

  // The form's objects, in the file and in the view.
  void Obiekty(const std::vector<TObiekt>& obiekty) {
    p_->Folder().ZapiszDcs(2, obiekty);
    UstawObiekty(&V(), obiekty);
  }
  // One object of a type between two others, the palette shown on it.
  TFPaleta& Paleta(const TObiekt& o, int nadKursorem = 1) {
    Obiekty({Pole(Text, 1, 0, 0, 10, 10), o, Pole(Text, 1, 20, 20, 30, 30)});
    p_->T().ObiektNadKursorem = nadKursorem;
    paleta_->hide();
    paleta_->show();
    return *paleta_;
  }
  TObiekt& Edytowany() { return V().Obiekty[1]; }
  TObiekt Zapisany(int k) { return struktura::CzytajObiekt(PlikDcs(), k).value(); }

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

  void tekstyKolorowWObieStrony();
  void koloryZOknaIPaneli();
  void zastosujPiszeObiektWMiejscu();
  void opcjeTypuPrzyZastosowaniu();
  void domyslnaPrzyZmianieRodzajuLiczby();
  void rozmiarCzcionki();
  void niepoprawneLiczbyNiczegoNieZmieniaja();
  void zbytDlugieTekstyObciete();
  void elementyListy();
  void edytowanyObiektIPodpis();
  void zmianaTypuResetujeObiekt();
  void anulowanieZmianyTypu();
};

void TstPaleta::tekstyKolorowWObieStrony() {
  struct {
    const char* tekst;
    std::int32_t kolor;
    const char* zPowrotem;
  } const przypadki[] = {
      {"FFFFFF", 16777215, "FFFFFF"}, {"000000", 0, "000000"},       {"D9FFD9", 14286809, "D9FFD9"},
      {"0000ff", 0xFF0000, "0000FF"}, {"123456", 0x563412, "123456"}, {"FFFFFE", 0xFEFFFF, "FFFFFE"},
  };
  for (const auto& p : przypadki) {
    QCOMPARE(TFPaleta::KolorZTekstu(QLatin1String(p.tekst)), p.kolor);
    QCOMPARE(TFPaleta::KolorNaTekst(p.kolor), QLatin1String(p.zPowrotem));
  }
  // Only the three colour bytes count: a system-colour flag in the high byte is not a fourth pair.
  QCOMPARE(TFPaleta::KolorNaTekst(static_cast<std::int32_t>(0x80FF0000u)), QStringLiteral("0000FF"));
}

void TstPaleta::koloryZOknaIPaneli() {
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
  QCOMPARE(Tekst(Zapisany(1).KolorKrawedzi), "FFFFFF");
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
  const QByteArray po = CzytajPlik(PlikDcs());
  QCOMPARE(po.size(), przed.size());
  const qsizetype r = static_cast<qsizetype>(rekordy::kRozmiarObiektu);
  QCOMPARE(po.left(r), przed.left(r));
  QCOMPARE(po.mid(2 * r), przed.mid(2 * r));
  QCOMPARE(po.mid(r, r), Bajty(Edytowany()));

  const TObiekt z = Zapisany(1);
  QCOMPARE((std::array{NaQString(z.Nazwa), NaQString(z.Pomoc), NaQString(z.WartoscDomyslna)}),
           (std::array{QStringLiteral("kwota"), QStringLiteral("Wpisz kwotę"), QStringLiteral("5,00")}));
  QCOMPARE((std::array{z.PozycjaPrzegladania, z.Strona, z.Wyrownanie, z.Format}),
           (std::array{7, 2, int(Centruj), int(FormatZaokrGroszy)}));
  QCOMPARE((std::array{z.Widoczne, z.TylkoDoOdczytu, z.Wymagane, z.Zablokowane, z.TylkoDodatnia}),
           (std::array<std::uint8_t, 5>{0, 1, 0, 1, 1}));
  QCOMPARE((std::array{z.Lewy, z.Gorny, z.Prawy, z.Dolny, z.NrObiektu}), (std::array{40, 50, 140, 70, 2}));
}

void TstPaleta::opcjeTypuPrzyZastosowaniu() {
  struct Przypadek {
    const char* nazwa;
    int typ, format, limit;
    std::function<bool(TFPaleta&)> pokazane;  // what the palette shows on opening
    std::function<void(TFPaleta&)> zmiana;
    int formatPo, limitPo;
  };
  const auto nic = [](TFPaleta&) {};
  const auto zawsze = [](TFPaleta&) { return true; };
  const Przypadek przypadki[] = {
      {"NIP with a limit typed", NIP, 1, 0, [](TFPaleta& f) { return f.NipFizyczna->isChecked(); },
       [](TFPaleta& f) {
         f.MaxChar->setChecked(true);
         f.CharLimit->setText(QStringLiteral("5"));
       },
       NipOsobaFizyczna, 13},
      {"NIP of a legal person", NIP, 2, 0, [](TFPaleta& f) { return f.NipPrawna->isChecked(); }, nic,
       NipOsobaPrawna, 13},
      {"NIP switched", NIP, 7, 0, [](TFPaleta& f) { return f.NipFizyczna->isChecked(); },
       [](TFPaleta& f) { f.NipPrawna->click(); }, NipOsobaPrawna, 13},
      {"decimal rounded to grosze, made whole", Liczba, 11, 0,
       [](TFPaleta& f) {
         return f.LiczbaDziesietna->isChecked() && f.ZaokrGroszy->isChecked() && !f.Zaokraglanie->isHidden();
       },
       [](TFPaleta& f) { f.LiczbaCalkowita->click(); }, FormatCalkowita, 0},
      {"whole made decimal", Liczba, 2, 0,
       [](TFPaleta& f) { return f.LiczbaCalkowita->isChecked() && f.Zaokraglanie->isHidden(); },
       [](TFPaleta& f) { f.LiczbaDziesietna->click(); }, FormatDziesietna, 0},
      {"rounding to złoty kept", Liczba, 12, 4,
       [](TFPaleta& f) { return f.ZaokrZloty->isChecked() && f.CharLimit->text() == QLatin1String("4"); }, nic,
       FormatZaokrZloty, 4},
      {"today's date", Data, 1, 0, [](TFPaleta& f) { return f.BiezacaData->isChecked(); }, nic, 1, 0},
      {"today's date cleared", Data, 1, 0, zawsze, [](TFPaleta& f) { f.BiezacaData->setChecked(false); }, 0, 0},
      {"text limit", Text, 0, 7,
       [](TFPaleta& f) { return f.MaxChar->isChecked() && f.CharLimit->isEnabled(); }, nic, 0, 7},
      {"text limit cleared", Text, 0, 7, zawsze, [](TFPaleta& f) { f.MaxChar->click(); }, 0, 0},
      {"no limit shown", Text, 0, 0,
       [](TFPaleta& f) { return !f.MaxChar->isChecked() && f.CharLimit->text().isEmpty() && !f.CharLimit->isEnabled(); },
       nic, 0, 0},
      {"date ignores a stale limit", Data, 0, 9, zawsze, nic, 0, 0},
      {"selection outside the list", Select, 15, 0, [](TFPaleta& f) { return f.EListBox->currentRow() == -1; }, nic,
       15, 0},
  };
  for (const Przypadek& p : przypadki) {
    TObiekt o = Pole(p.typ, 1, 0, 0, 50, 20);
    o.Format = p.format;
    o.LimitZnakow = p.limit;
    TFPaleta& f = Paleta(o);
    QVERIFY2(p.pokazane(f), p.nazwa);
    p.zmiana(f);
    f.Zastosuj->click();
    const TObiekt z = Zapisany(1);
    QVERIFY2(z.Format == p.formatPo, p.nazwa);
    QVERIFY2(z.LimitZnakow == p.limitPo, p.nazwa);
  }
}

void TstPaleta::domyslnaPrzyZmianieRodzajuLiczby() {
  TFPaleta& f = Paleta(Pole(Liczba, 1, 0, 0, 50, 20, "0,00"));
  f.LiczbaCalkowita->click();
  QCOMPARE(f.DefValue->toPlainText(), QStringLiteral("0"));
  f.LiczbaDziesietna->click();
  QCOMPARE(f.DefValue->toPlainText(), QStringLiteral("0,00"));
  f.DefValue->clear();
  f.LiczbaCalkowita->click();
  QCOMPARE(f.DefValue->toPlainText(), QStringLiteral("0"));
  f.DefValue->setPlainText(QStringLiteral("1,50"));
  f.LiczbaDziesietna->click();
  f.LiczbaCalkowita->click();
  QCOMPARE(f.DefValue->toPlainText(), QStringLiteral("1,50"));
}

void TstPaleta::rozmiarCzcionki() {
  TObiekt o = Pole(Text, 1, 0, 0, 50, 20);
  UstawBajty(o.RozmiarCzcionki, "20");
  TFPaleta& f = Paleta(o);
  QCOMPARE(f.RozmiarCzcionki->currentText(), QStringLiteral("20"));

  UstawBajty(o.RozmiarCzcionki, "11");
  Paleta(o);
  QCOMPARE(f.RozmiarCzcionki->currentIndex(), 0);
  QCOMPARE(f.RozmiarCzcionki->currentText(), QStringLiteral("4"));
  QCOMPARE(Tekst(Edytowany().RozmiarCzcionki), "11");
  f.RozmiarCzcionki->setCurrentIndex(5);
  QCOMPARE(Tekst(Edytowany().RozmiarCzcionki), "14");

  // A size that is no number is neither stored nor applied.
  const QByteArray przed = CzytajPlik(PlikDcs());
  f.Nazwa->setText(QStringLiteral("inna"));
  for (const char* zly : {"ab", "0", "120", ""}) {
    SkryptDialogow().pokazane.clear();
    f.RozmiarCzcionki->setEditText(QLatin1String(zly));
    f.Zastosuj->click();
    QVERIFY2(f.isVisible(), zly);
    QCOMPARE(SkryptDialogow().Teksty(), QStringList{QStringLiteral("Rozmiar czcionki musi być liczbą od 1 do 99.")});
  }
  QCOMPARE(Tekst(Edytowany().RozmiarCzcionki), "14");
  QCOMPARE(Tekst(Edytowany().Nazwa), "pole");
  QCOMPARE(CzytajPlik(PlikDcs()), przed);
  f.RozmiarCzcionki->setEditText(QStringLiteral("9"));
  f.Zastosuj->click();
  QCOMPARE(Tekst(Zapisany(1).RozmiarCzcionki), "9");
}

void TstPaleta::niepoprawneLiczbyNiczegoNieZmieniaja() {
  struct {
    QLineEdit* TFPaleta::*pole;
    const char* tekst;
    const char* etykieta;
  } const przypadki[] = {
      {&TFPaleta::PozPrzeg, "x", "Pozycja przegladania"},
      {&TFPaleta::DrukPage, "", "Strona druku"},
      {&TFPaleta::DrukPage, "99999999999", "Strona druku"},
      {&TFPaleta::CharLimit, "1a", "ograniczenie"},
  };
  for (const auto& p : przypadki) {
    TFPaleta& f = Paleta(Pole(Text, 1, 0, 0, 50, 20));
    const QByteArray plik = CzytajPlik(PlikDcs());
    const QByteArray obiekt = Bajty(Edytowany());
    SkryptDialogow().pokazane.clear();
    f.Nazwa->setText(QStringLiteral("zmieniona"));
    f.MaxChar->setChecked(true);
    f.CharLimit->setText(QStringLiteral("5"));
    (f.*p.pole)->setText(QLatin1String(p.tekst));
    f.Zastosuj->click();
    QVERIFY2(f.isVisible(), p.etykieta);
    QCOMPARE(SkryptDialogow().Teksty(),
             QStringList{QStringLiteral("W polu \"%1\" należy wpisać liczbę całkowitą.").arg(p.etykieta)});
    QCOMPARE(Bajty(Edytowany()), obiekt);
    QCOMPARE(CzytajPlik(PlikDcs()), plik);
  }
}

void TstPaleta::zbytDlugieTekstyObciete() {
  const QString dlugi = QString(300, QLatin1Char('x')) + QStringLiteral("ąę");
  TFPaleta& f = Paleta(Pole(Checbox, 1, 0, 0, 50, 20));
  f.Nazwa->setText(QStringLiteral("żółć") + dlugi);
  f.Pomoc->setText(dlugi);
  f.DefValue->setPlainText(QStringLiteral("ą") + dlugi);
  f.ChecBoxValue->setText(dlugi);
  f.Zastosuj->click();

  const TObiekt z = Zapisany(1);
  QCOMPARE(NaQString(z.Nazwa), QStringLiteral("żółć") + QString(10, QLatin1Char('x')));
  QCOMPARE(Tekst(z.Pomoc).size(), std::size_t{79});
  QCOMPARE(NaQString(z.WartoscDomyslna), QStringLiteral("ą") + QString(253, QLatin1Char('x')));
  QCOMPARE(Tekst(z.Opcje[0].Wartosc).size(), std::size_t{49});
  // The fields after the cut ones keep their own contents.
  QCOMPARE(Tekst(z.Wartosc), "");
  QCOMPARE(Tekst(z.Rezerwa), "");
  QCOMPARE(Tekst(z.RozmiarCzcionki), "10");
  QCOMPARE(z.Opcje[0].Zaznaczona, 0);
  QCOMPARE(Tekst(z.Opcje[1].Tekst), "");

  TObiekt lista = Pole(Select, 1, 0, 0, 50, 20);
  Paleta(lista);
  f.EListBox->setCurrentRow(9);
  f.SelectText->setText(dlugi);
  f.SelectValue->setText(dlugi);
  f.SelectDodaj->click();
  f.Zastosuj->click();
  const TObiekt s = Zapisany(1);
  QCOMPARE(Tekst(s.ElementyListy[9].Tekst).size(), std::size_t{49});
  QCOMPARE(Tekst(s.ElementyListy[9].Wartosc).size(), std::size_t{49});
  QCOMPARE(Tekst(s.OpcjeDodatkowe[0].Tekst), "");
  QCOMPARE(s.Format, 9);
  QCOMPARE(Tekst(s.Wartosc), Tekst(s.ElementyListy[9].Tekst));
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
  QCOMPARE(f.EListBox->currentRow(), 1);
  QCOMPARE(f.SelectText->text(), QStringLiteral("B"));
  QCOMPARE(f.SelectValue->text(), QStringLiteral("2"));

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
  f.EListBox->itemClicked(f.EListBox->item(0));
  QCOMPARE(f.SelectText->text(), QStringLiteral("A"));

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
  f.Zastosuj->click();
  QCOMPARE(Zapisany(1).Format, 1);
  QCOMPARE(Tekst(Zapisany(1).Wartosc), "X");
}

void TstPaleta::edytowanyObiektIPodpis() {
  TObiekt o = Pole(Liczba, 1, 0, 0, 50, 20);
  o.NrObiektu = 12;
  Obiekty({Pole(Text, 1, 0, 0, 10, 10), o});
  p_->T().ObiektNadKursorem = -1;
  paleta_->show();
  QCOMPARE(paleta_->EdytowanyObiekt, 1);
  QCOMPARE(paleta_->windowTitle(), QStringLiteral("Właściwości obiektu LICZBA [0.12]"));
  QVERIFY(!paleta_->PanelOpcje->isHidden() && !paleta_->PanelLiczba->isHidden() && paleta_->PanelNip->isHidden());
  paleta_->hide();

  // An index beyond the objects: nothing to edit and nothing written.
  const QByteArray przed = CzytajPlik(PlikDcs());
  p_->T().ObiektNadKursorem = 5;
  paleta_->show();
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
  UstawBajty(o.Rezerwa, "rezerwa");
  UstawBajty(o.Wartosc, "wartosc");
  UstawBajty(o.KolorTla, "123456");
  UstawBajty(o.RozmiarCzcionki, "14");
  UstawBajty(o.Opcje[0].Wartosc, "T");
  o.Opcje[0].Zaznaczona = 1;
  UstawBajty(o.ElementyListy[3].Tekst, "item");
  UstawBajty(o.OpcjeDodatkowe[9].Wartosc, "9");
  Obiekty({Pole(Text, 1, 0, 0, 10, 10), o, Pole(Text, 1, 20, 20, 30, 30)});
  p_->T().ObiektNadKursorem = 1;
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
    QCOMPARE(z.Typ, p.typ);
    QCOMPARE(z.Format, p.format);
    QCOMPARE(z.Wyrownanie, p.wyrownanie);
    QCOMPARE(Tekst(z.WartoscDomyslna), p.domyslna);
    QCOMPARE(z.LimitZnakow, 0);
    QCOMPARE((std::array{Tekst(z.Pomoc), Tekst(z.Rezerwa), Tekst(z.Wartosc)}), (std::array<std::string_view, 3>{}));
    QCOMPARE((std::array{Tekst(z.KolorKrawedzi), Tekst(z.KolorTla), Tekst(z.KolorTekstu), Tekst(z.RozmiarCzcionki)}),
             (std::array<std::string_view, 4>{"FFFFFF", "FFFFFF", "000000", "10"}));
    QCOMPARE((std::array{z.Widoczne, z.TylkoDoOdczytu, z.Wymagane, z.Zablokowane, z.Wielowierszowe}),
             (std::array<std::uint8_t, 5>{1, 0, 0, 0, 0}));
    QCOMPARE(Tekst(z.Opcje[0].Wartosc), "0");
    QCOMPARE(z.Opcje[0].Zaznaczona, 0);
    QCOMPARE(Tekst(z.ElementyListy[3].Tekst), "");
    QCOMPARE(Tekst(z.OpcjeDodatkowe[9].Wartosc), "0");
    // What a type change keeps.
    QCOMPARE((std::array{z.Lewy, z.Gorny, z.Prawy, z.Dolny, z.NrObiektu, z.Strona, z.DrugiNumer,
                         z.PozycjaPrzegladania}),
             (std::array{11, 12, 13, 14, 7, 2, 3, 5}));
    QCOMPARE(Tekst(z.Nazwa), "grupa");
    QCOMPARE(z.TylkoDodatnia, 1);
  }
  const QByteArray raz = Bajty(Edytowany());
  typ_->UstawTyp(-1);
  QCOMPARE(Bajty(Edytowany()), raz);
  QCOMPARE(typ_->ControlType->currentIndex(), int(Data));

  // Nothing reaches the file before "Zastosuj", which rewrites that one record.
  const QByteArray przed = CzytajPlik(PlikDcs());
  QCOMPARE(Bajty(Zapisany(1)), Bajty(o));
  typ_->zastosuj->click();
  QVERIFY(!typ_->isVisible());
  const QByteArray po = CzytajPlik(PlikDcs());
  const qsizetype r = static_cast<qsizetype>(rekordy::kRozmiarObiektu);
  QCOMPARE(po.size(), przed.size());
  QCOMPARE(po.left(r), przed.left(r));
  QCOMPARE(po.mid(r, r), raz);
  QCOMPARE(po.mid(2 * r), przed.mid(2 * r));
}

void TstPaleta::anulowanieZmianyTypu() {
  TObiekt o = Pole(Checbox, 1, 0, 0, 10, 10);
  UstawBajty(o.Opcje[0].Wartosc, "T");
  o.Opcje[0].Zaznaczona = 1;
  Obiekty({Pole(Text, 1, 0, 0, 10, 10), o});
  p_->T().ObiektNadKursorem = 1;
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
