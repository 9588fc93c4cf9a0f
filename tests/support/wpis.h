#pragma once
// What the value-entry tests share: a two-page PIT-37 with a field of every kind, a PIT/O under it, clicks on the
// page and probes in the computation table (the page tests use the probes too).

#include <QTest>
#include <memory>
#include <utility>
#include <vector>

#include "calc/konwersje.h"
#include "calc/oblicz.h"
#include "pages/edytory.h"
#include "pages/nakladka.h"
#include "support/strony.h"

namespace velmar_test {

// Types a text into a widget key by key, each key with its character, Polish letters included.
inline void Pisz(QWidget* widget, const QString& tekst) {
  for (const QChar znak : tekst)
    QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(znak.toUpper().unicode()), QString(znak),
                        Qt::NoModifier);
}

// The fields of the test PIT-37, by index: NIP of a natural person; amounts of formats 1 (at most 14 characters),
// 11, 12, 2 and 1 with no negatives; read-only text; date; check boxes of group "grupa" and of group "inna"; hidden
// text; text of at most 5 characters; selection with item 1 chosen; NIP of a legal person; two texts on page 2 with
// equal tab positions; a text with object 0's tab position; a text first in tab order.
// clang-format off
enum PoleTestowe : int {
  kNip, kKwota, kGrosze, kZlote, kCalkowita, kDodatnia, kTylkoOdczyt, kData, kGrupa1, kGrupa2, kGrupa3, kInnaGrupa,
  kUkryte, kKrotki, kLista, kNipFirmy, kStrona2a, kStrona2b, kRownaZeraPoz, kPierwszy, kLiczbaPolTestowych
};
// clang-format on

// Who the computation of the form on screen was called for, and what the stored amount field held then.
struct WywolanieObliczenia {
  int kodDruku;
  int j;
  std::string kwota;
};

inline std::vector<WywolanieObliczenia>& Wywolania() {
  static std::vector<WywolanieObliczenia> wywolania;
  return wywolania;
}

inline void Sonda(KontekstObliczen& kx, int j) {
  const TPoleDruku& kwota = kx.R.Druk(j).Pola[kKwota];
  Wywolania().push_back({kx.Ekran.BiezacyDruk().IdPit, j, std::string(Tekst(kwota.Wartosc))});
}

// A computation that fails after it has been called.
inline void Wadliwa(KontekstObliczen& kx, int j) {
  Sonda(kx, j);
  throw BladKonwersjiLiczby("abc");
}

// A probe in the computation table for one test.
class ObliczenieTestowe {
 public:
  ObliczenieTestowe(int kod, Obliczenie f) : kod_(kod), poprzednie_(UstawObliczenie(kod, f)) { Wywolania().clear(); }
  ~ObliczenieTestowe() { UstawObliczenie(kod_, poprzednie_); }
  ObliczenieTestowe(const ObliczenieTestowe&) = delete;
  ObliczenieTestowe& operator=(const ObliczenieTestowe&) = delete;

 private:
  int kod_;
  Obliczenie poprzednie_;
};

inline TObiekt PoleWSiatce(int typ, int indeks, int strona, int pozycja, const char* domyslna = "") {
  // Four fields a row, 180 pixels apart, rows 40 pixels apart, from (40, 60).
  const int l = 40 + (indeks % 4) * 180, t = 60 + (indeks / 4) * 40;
  TObiekt o = Pole(typ, strona, l, t, l + 160, t + 24, domyslna);
  o.PozycjaPrzegladania = pozycja;
  return o;
}

inline std::vector<TObiekt> PolaTestowe() {
  struct Opis {
    int typ, strona, pozycja, format, limit;  // -1: as a new object has it
    const char* domyslna;
  };
  // clang-format off
  constexpr Opis kOpisy[kLiczbaPolTestowych] = {
      {NIP, 1, 1, NipOsobaFizyczna, 13, ""}, {Liczba, 1, 2, FormatDziesietna, 14, "0,00"},
      {Liczba, 1, 3, FormatZaokrGroszy, 14, "0,00"}, {Liczba, 1, 4, FormatZaokrZloty, 14, "0,00"},
      {Liczba, 1, 5, FormatCalkowita, -1, ""}, {Liczba, 1, 6, -1, -1, "0,00"},
      {Text, 1, 7, -1, -1, ""}, {Data, 1, 8, -1, -1, ""},
      {Checbox, 1, 0, -1, -1, ""}, {Checbox, 1, 0, -1, -1, ""}, {Checbox, 1, 0, -1, -1, ""}, {Checbox, 1, 0, -1, -1, ""},
      {Text, 1, 9, -1, -1, ""}, {Text, 1, 10, -1, 5, ""}, {Select, 1, 11, 1, -1, ""}, {NIP, 1, 12, NipOsobaPrawna, -1, ""},
      {Text, 2, 13, -1, -1, ""}, {Text, 2, 13, -1, -1, ""}, {Text, 1, 1, -1, -1, ""}, {Text, 1, 0, -1, -1, ""}};
  // clang-format on
  std::vector<TObiekt> o;
  for (int i = 0; i < kLiczbaPolTestowych; ++i) {
    const Opis& d = kOpisy[i];
    o.push_back(PoleWSiatce(d.typ, i, d.strona, d.pozycja, d.domyslna));
    if (d.format >= 0) o.back().Format = d.format;
    if (d.limit >= 0) o.back().LimitZnakow = d.limit;
    if (d.typ == Checbox) UstawBajty(o.back().Nazwa, i == kInnaGrupa ? "inna" : "grupa");
  }
  for (const int i : {kKwota, kGrosze, kZlote}) o[i].Wyrownanie = DoPrawej;
  o[kDodatnia].TylkoDodatnia = 1;
  o[kTylkoOdczyt].TylkoDoOdczytu = 1;
  o[kUkryte].Widoczne = 0;
  for (std::size_t e = 0; const char* tekst : {"jeden", "dwa", "trzy"})
    UstawBajty(o[kLista].ElementyListy[e++].Tekst, tekst);
  return o;
}

// The program with the test PIT-37 (record 1) and a PIT/O of one text field under it (record 2), PIT-37 page 1 on
// screen. The settlement is joint, so no spouse field is locked.
class ProgramWpisu {
 public:
  ProgramWpisu() {
    p_.ZapiszFormularz(Pit37, 2, PolaTestowe());
    p_.ZapiszFormularz(PitO, 1, {PoleWSiatce(Text, 0, 1, 1)});
    p_.Uruchom();
    SkryptDialogow().odpowiedzi.clear();
    p_.Rozliczenie({{Pit37, 0, PMWspolny}, {PitO, 1, PMPodatnik}}, WspolneZMalzonkiem);
    p_.Pokaz(1);
    T().Zmodyfikowane = 0;
    T().ToolButtonSave->setEnabled(false);
    SkryptDialogow().pokazane.clear();
  }

  ProgramZeStronami& P() { return p_; }
  TTools& T() { return p_.T(); }
  TFImage& V() { return p_.V(); }

  QPoint Srodek(int k) {
    const TObiekt& o = V().Obiekty[static_cast<std::size_t>(k)];
    return {(o.Lewy + o.Prawy) / 2, (o.Gorny + o.Dolny) / 2};
  }
  // A left click on the overlay, as the mouse gives it: the press tells where, the release clicks.
  void Kliknij(QPoint punkt) { QTest::mouseClick(V().Formatka, Qt::LeftButton, Qt::NoModifier, punkt); }
  void Kliknij(int k) { Kliknij(Srodek(k)); }
  void KliknijObok() { Kliknij(QPoint(10, 10)); }

  TEdytorTekstu* Memo() { return V().Memo(); }
  QString Wartosc(int k, int j = 1) {
    return NaQString(T().Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)].Wartosc);
  }
  void UstawWartosc(int k, const char* tekst, int j = 1) {
    UstawBajty(T().Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)].Wartosc, tekst);
  }
  std::uint8_t Zaznaczone(int k) { return T().Druki[1].Pola[static_cast<std::size_t>(k)].Zaznaczone; }

  // The texts of the boxes shown, in order.
  QStringList Komunikaty() { return SkryptDialogow().Teksty(); }

 private:
  ProgramZeStronami p_;
};

}  // namespace velmar_test
