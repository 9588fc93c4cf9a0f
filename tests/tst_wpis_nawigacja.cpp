// Moving through a form while entering values: tab order, the page question, the computation after a store, and an
// open editor's text stored (or refused) before the view moves on.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>

#include "calc/konwersje.h"
#include "pages/wpis.h"
#include "tst_wpis_wspolne.h"

using namespace velmar_test;

namespace {

// Forms of n text fields in a grid of 20 columns, field i at tab position i, in a joint settlement; the first shown.
void Otworz(ProgramZeStronami& p, std::initializer_list<int> kody, int n) {
  std::vector<TObiekt> pola;
  for (int i = 0; i < n; ++i) {
    const int l = 10 + (i % 20) * 39, t = 40 + (i / 20) * 30;
    pola.push_back(Pole(Text, 1, l, t, l + 35, t + 20));
    pola.back().PozycjaPrzegladania = i;
  }
  std::vector<std::array<int, 3>> druki;
  for (const int kod : kody) {
    p.ZapiszFormularz(kod, 1, pola);
    druki.push_back({kod, 0, PMWspolny});
  }
  p.Uruchom();
  p.Rozliczenie(druki, WspolneZMalzonkiem);
  p.Pokaz(1);
}

void Kliknij(ProgramZeStronami& p, int k) {
  const TObiekt& o = p.V().Obiekty[static_cast<std::size_t>(k)];
  QTest::mouseClick(p.V().Formatka, Qt::LeftButton, Qt::NoModifier, QPoint(o.Lewy + 5, o.Gorny + 5));
}

// What moves the view away from the field being edited.
enum Odejscie { NastepnaStrona, InnyDruk, ZapisRozliczenia, Zamkniecie };

}  // namespace

class TstWpisNawigacja : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramWpisu> p_;
  TTools& T() { return p_->T(); }
  TFImage& V() { return p_->V(); }
  TEdytorTekstu* Memo() { return p_->Memo(); }

  // The fields reached by following the tab order from `od`, until it stays on one.
  std::vector<int> Kolejnosc(int od) {
    std::vector<int> wynik{od};
    for (int i = ZnajdzNastepnePole(&V(), od); i != wynik.back() && wynik.size() < 100; i = ZnajdzNastepnePole(&V(), i))
      wynik.push_back(i);
    return wynik;
  }

  // Replaces the text of the open memo as a paste does, past the key filter.
  void Wklej(const QString& tekst) {
    QApplication::clipboard()->setText(tekst);
    Memo()->selectAll();
    Memo()->paste();
  }

 private slots:
  void init() { p_ = std::make_unique<ProgramWpisu>(); }
  void cleanup() { p_.reset(); }

  void kolejnoscPol();
  void tabPrzechodziPrzezPola();
  void pytanieOStronie();
  void obliczeniePoZapisie();
  void bladObliczeniaNieGubiWartosci();
  void zapisPrzedOdejsciem_data();
  void zapisPrzedOdejsciem();
  void podpowiedzZbycia();
  void obiektyPozaRekordem();
};

void TstWpisNawigacja::kolejnoscPol() {
  // Object 0 is reached; equal positions go by index; read-only, hidden and check-box objects are passed over;
  // pages play no part; the last field stays.
  QCOMPARE(Kolejnosc(kPierwszy),
           (std::vector<int>{kPierwszy, kNip, kRownaZeraPoz, kKwota, kGrosze, kZlote, kCalkowita, kDodatnia, kData,
                             kKrotki, kLista, kNipFirmy, kStrona2a, kStrona2b}));
  // A lock set at run time counts as well.
  V().Obiekty[kGrosze].TylkoDoOdczytu = 1;
  QCOMPARE(ZnajdzNastepnePole(&V(), kKwota), int{kZlote});
  // Positions never set: index order, and Tab never stays on one field.
  for (TObiekt& o : V().Obiekty) o.PozycjaPrzegladania = 0;
  QCOMPARE(Kolejnosc(kNip), (std::vector<int>{kNip, kKwota, kZlote, kCalkowita, kDodatnia, kData, kKrotki, kLista,
                                              kNipFirmy, kStrona2a, kStrona2b, kRownaZeraPoz, kPierwszy}));
}

void TstWpisNawigacja::tabPrzechodziPrzezPola() {
  const ObliczenieTestowe sonda(Pit37, &Sonda);
  p_->Kliknij(kKwota);
  Pisz(Memo(), QStringLiteral("1"));
  QTest::keyClick(Memo(), Qt::Key_Tab);
  QCOMPARE(p_->Wartosc(kKwota), QStringLiteral("1,00"));
  QCOMPARE(V().OtwartyEdytor(), int{kGrosze});
  QCOMPARE(T().WybranyObiekt, int{kGrosze});
  QCOMPARE(Memo()->textCursor().selectedText(), QStringLiteral("0,00"));
  // Enter does the same, and writes no line break.
  Pisz(Memo(), QStringLiteral("2"));
  QTest::keyClick(Memo(), Qt::Key_Enter);
  QCOMPARE(p_->Wartosc(kGrosze), QStringLiteral("2,00"));
  QCOMPARE(V().OtwartyEdytor(), int{kZlote});
  for (int i = 0; i < 3; ++i) QTest::keyClick(Memo(), Qt::Key_Tab);
  QCOMPARE(V().OtwartyEdytor(), int{kData});
  QVERIFY(V().EdytorMaski);
  QTest::keyClick(V().EdytorMaski, Qt::Key_Tab);
  QCOMPARE(V().OtwartyEdytor(), int{kKrotki});
  QCOMPARE(Wywolania().size(), std::size_t{6});
  // Shift+Tab neither stores nor leaves the field.
  Pisz(Memo(), QStringLiteral("abc"));
  QTest::keyClick(Memo(), Qt::Key_Backtab, Qt::ShiftModifier);
  QCOMPARE(V().OtwartyEdytor(), int{kKrotki});
  QCOMPARE(Memo()->toPlainText(), QStringLiteral("abc"));
  QVERIFY(p_->Komunikaty().isEmpty());
}

void TstWpisNawigacja::pytanieOStronie() {
  p_->Kliknij(kNipFirmy);
  Pisz(V().EdytorMaski, QStringLiteral("1234567890"));
  SkryptDialogow().odpowiedzi.push_back(platform::Odpowiedz::Nie);
  QTest::keyClick(V().EdytorMaski, Qt::Key_Return);
  QCOMPARE(p_->Komunikaty(), QStringList{QStringLiteral("Czy przejść na 2 stronę druku PIT-37 ?")});
  const platform::PokazaneOkno& pytanie = SkryptDialogow().pokazane[0];
  QCOMPARE(pytanie.rodzaj, platform::PokazaneOkno::Rodzaj::Pytanie);
  QCOMPARE(pytanie.tytul, QStringLiteral("Pytanie"));
  QCOMPARE(pytanie.przyciski, platform::Przyciski::TakNie);
  QCOMPARE(pytanie.ikona, platform::Ikona::Wykrzyknik);
  QCOMPARE(p_->Wartosc(kNipFirmy), QStringLiteral("123-45-67-890"));
  // Answered No: the field just stored opens again with what it holds.
  QCOMPARE(T().BiezacaStrona, 1);
  QCOMPARE(V().OtwartyEdytor(), int{kNipFirmy});
  QCOMPARE(T().WybranyObiekt, int{kNipFirmy});
  QCOMPARE(V().EdytorMaski->displayText(), QStringLiteral("123-45-67-890"));
  // Answered Yes: the page turns and its first field opens.
  SkryptDialogow().odpowiedzi.push_back(platform::Odpowiedz::Tak);
  QTest::keyClick(V().EdytorMaski, Qt::Key_Tab);
  QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{2});
  QCOMPARE(T().BiezacaStrona, 2);
  QCOMPARE(T().InfoPage->text(), QStringLiteral("2 z 2"));
  QCOMPARE(T().PlikDcg, p_->P().PlikStrony(Pit37, 2));
  QCOMPARE(V().OtwartyEdytor(), int{kStrona2a});
  QCOMPARE(V().PoprzedniObiekt, -1);
  QVERIFY(!V().EdytorMaski || V().EdytorMaski->isHidden());
  // A next field on an earlier page turns nothing and asks nothing.
  V().Obiekty[kNipFirmy].PozycjaPrzegladania = 14;
  QTest::keyClick(Memo(), Qt::Key_Tab);
  QCOMPARE(V().OtwartyEdytor(), int{kStrona2b});
  QTest::keyClick(Memo(), Qt::Key_Tab);
  QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{2});
  QCOMPARE(T().BiezacaStrona, 2);
  QCOMPARE(T().WybranyObiekt, int{kNipFirmy});
}

void TstWpisNawigacja::obliczeniePoZapisie() {
  const ObliczenieTestowe sonda(Pit37, &Sonda);
  const TObiekt& o = V().Obiekty[kKwota];
  const QRect obszar(o.Lewy, o.Gorny, o.Prawy - o.Lewy, o.Dolny - o.Gorny);
  const QImage przed = V().Formatka->Obraz().copy(obszar);
  p_->Kliknij(kKwota);
  Pisz(Memo(), QStringLiteral("12,5"));
  QTest::keyClick(Memo(), Qt::Key_Return);
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
  // The PIT/O on screen runs its own computation.
  const ObliczenieTestowe sondaO(PitO, &Sonda);
  p_->P().Pokaz(2);
  Wywolania().clear();
  p_->Kliknij(0);
  Pisz(Memo(), QStringLiteral("x"));
  QTest::keyClick(Memo(), Qt::Key_Return);
  QCOMPARE(Wywolania().size(), std::size_t{1});
  QCOMPARE(Wywolania()[0].kodDruku, int{PitO});
  QCOMPARE(Wywolania()[0].j, 2);
  QCOMPARE(p_->Wartosc(0, 2), QStringLiteral("x"));
}

void TstWpisNawigacja::bladObliczeniaNieGubiWartosci() {
  const ObliczenieTestowe wadliwa(Pit37, &Wadliwa);
  p_->Kliknij(kKwota);
  Pisz(Memo(), QStringLiteral("3"));
  QTest::keyClick(Memo(), Qt::Key_Return);
  QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{1});
  QCOMPARE(SkryptDialogow().pokazane[0].rodzaj, platform::PokazaneOkno::Rodzaj::Wyjatek);
  QCOMPARE(p_->Komunikaty()[0], QStringLiteral("'abc' is not a valid floating point value"));
  QCOMPARE(p_->Wartosc(kKwota), QStringLiteral("3,00"));
  QCOMPARE(V().OtwartyEdytor(), int{kGrosze});
  // Saving goes on after the error is shown.
  const QString plik = p_->P().Folder().Sciezka() + QStringLiteral("r.dc8");
  ZapiszPlik(plik, {});
  Pisz(Memo(), QStringLiteral("4"));
  QVERIFY(T().ZapiszRozliczenie(plik));
  QCOMPARE(p_->Wartosc(kGrosze), QStringLiteral("4,00"));
  QCOMPARE(SkryptDialogow().pokazane.size(), std::size_t{2});
  QCOMPARE(T().Zmodyfikowane, std::uint8_t{0});
}

void TstWpisNawigacja::zapisPrzedOdejsciem_data() {
  QTest::addColumn<int>("odejscie");
  QTest::newRow("page turn") << int{NastepnaStrona};
  QTest::newRow("another form") << int{InnyDruk};
  QTest::newRow("saving") << int{ZapisRozliczenia};
  QTest::newRow("closing") << int{Zamkniecie};
}

void TstWpisNawigacja::zapisPrzedOdejsciem() {
  QFETCH(int, odejscie);
  const QString plik = p_->P().Folder().Sciezka() + QStringLiteral("r.dc8");
  ZapiszPlik(plik, {});
  // Whether the view moved on.
  const auto odejdz = [&] {
    SkryptDialogow().pokazane.clear();
    switch (odejscie) {
      case NastepnaStrona:
        T().PitNextPage->click();
        return T().BiezacaStrona == 2;
      case InnyDruk:
        T().TV->setCurrentItem(T().Druki[2].Wezel);
        return T().BiezacyDruk.Id == 2;
      case ZapisRozliczenia:
        return T().ZapiszRozliczenie(plik);
      default:  // the typed text made the settlement modified, so closing asks about saving; Cancel keeps it open
        SkryptDialogow().odpowiedzi = {platform::Odpowiedz::Anuluj};
        T().Zamknij1Click();
        return SkryptDialogow().pokazane.size() == 1 &&
               SkryptDialogow().pokazane[0].tytul == QStringLiteral("Zapisanie zmian");
    }
  };

  p_->Kliknij(kKwota);
  Pisz(Memo(), QStringLiteral("55"));
  QVERIFY(odejdz());
  QCOMPARE(p_->Wartosc(kKwota), QStringLiteral("55,00"));
  QCOMPARE(p_->Wartosc(kKwota, 2), QString());
  QVERIFY(T().MaDruki());
  if (odejscie == ZapisRozliczenia) {
    QVERIFY(CzytajPlik(plik).contains("55,00"));
    QCOMPARE(T().Zmodyfikowane, std::uint8_t{0});
  } else {
    QCOMPARE(T().Zmodyfikowane, std::uint8_t{1});
  }
  if (odejscie != Zamkniecie) {
    QCOMPARE(V().OtwartyEdytor(), -1);
    QVERIFY(!V().EdytorTekstu);
  }

  // A refused text keeps the page, the form, the settlement and the editor.
  if (T().BiezacaStrona != 1) T().PitPrevPage->click();
  if (T().BiezacyDruk.Id != 1) T().TV->setCurrentItem(T().Druki[1].Wezel);
  p_->Kliknij(kKwota);
  Wklej(QStringLiteral("5x"));
  QVERIFY(!odejdz());
  QCOMPARE(p_->Komunikaty().size(), 1);
  QVERIFY2(p_->Komunikaty()[0].contains(QStringLiteral("kwotą")), qPrintable(p_->Komunikaty()[0]));
  QCOMPARE(T().BiezacaStrona, 1);
  QCOMPARE(T().BiezacyDruk.Id, 1);
  QCOMPARE(T().TV->currentItem(), T().Druki[1].Wezel);
  QVERIFY(T().MaDruki());
  QVERIFY(!CzytajPlik(plik).contains("5x"));
  QCOMPARE(V().OtwartyEdytor(), int{kKwota});
  QCOMPARE(T().WybranyObiekt, int{kKwota});
  QCOMPARE(p_->Wartosc(kKwota), QStringLiteral("55,00"));
}

void TstWpisNawigacja::podpowiedzZbycia() {
  p_.reset();
  ProgramZeStronami p;
  Otworz(p, {Pit38, Pit37}, 36);
  const QString podpowiedz = QStringLiteral(
      "Jeżeli podatnik składa więcej niż jedno zeznanie, w którym możliwe jest rozliczenie podatku \nz odpłatnego "
      "zbycia nieruchomości i praw majątkowych, pole to wypełnia tylko w jednym z nich.");
  Kliknij(p, 34);
  QCOMPARE(SkryptDialogow().Teksty(), QStringList{podpowiedz});
  QCOMPARE(p.V().OtwartyEdytor(), 34);
  Kliknij(p, 33);
  Kliknij(p, 34);
  QCOMPARE(SkryptDialogow().Teksty(), (QStringList{podpowiedz, podpowiedz}));
  // Reached with Tab it reminds as well; the same index of another form does not.
  Kliknij(p, 33);
  QTest::keyClick(p.V().EdytorTekstu, Qt::Key_Tab);
  QCOMPARE(SkryptDialogow().Teksty().size(), 3);
  p.Pokaz(2);
  SkryptDialogow().pokazane.clear();
  Kliknij(p, 34);
  QCOMPARE(p.V().OtwartyEdytor(), 34);
  QVERIFY(SkryptDialogow().Teksty().isEmpty());
}

void TstWpisNawigacja::obiektyPozaRekordem() {
  p_.reset();
  ProgramZeStronami p;
  Otworz(p, {Pit37}, 352);
  QCOMPARE(p.T().LiczbaObiektow, 352);
  Kliknij(p, 350);
  QCOMPARE(p.V().OtwartyEdytor(), -1);
  QVERIFY(p.T().WybranyObiekt < 350);
  UtworzEdytorPola(&p.V(), 351, p.V().Obiekty[351]);
  QVERIFY(!p.V().EdytorTekstu);
  // The last field of the record is the last in tab order: stored, it opens again with its value, nothing asked.
  Kliknij(p, 349);
  QCOMPARE(p.V().OtwartyEdytor(), 349);
  QCOMPARE(ZnajdzNastepnePole(&p.V(), 349), 349);
  Pisz(p.V().EdytorTekstu, QStringLiteral("koniec"));
  QTest::keyClick(p.V().EdytorTekstu, Qt::Key_Return);
  QCOMPARE(p.V().OtwartyEdytor(), 349);
  QCOMPARE(p.V().EdytorTekstu->toPlainText(), QStringLiteral("koniec"));
  QCOMPARE(NaQString(p.T().Druki[1].Pola[349].Wartosc), QStringLiteral("koniec"));
  QVERIFY(SkryptDialogow().Teksty().isEmpty());
}

VELMAR_TEST_MAIN(TstWpisNawigacja)
#include "tst_wpis_nawigacja.moc"
