#include "model/rekordy.h"

#include <tuple>

#include "platform/binarny.h"

namespace rekordy {
namespace {

using binarny::Czytaj;
using binarny::Zapisz;
using binarny::Zeruj;

// .dc8: TDruk
namespace druk {
constexpr std::size_t Wezel = 0, Id = 4, IdPit = 8, IdParent = 12, PM = 16, Rodzaj = 20, NrKopii = 24, Wybrany = 28,
                      Wczytany = 29, Wypelnienie = 30, Pola = 32;
static_assert(Pola == kRozmiarNaglowkaDruku);
static_assert(Pola + kLiczbaPol * kRozmiarPolaDruku == kRozmiarDruku && kRozmiarDruku == 137232);
}  // namespace druk

// .dc8: TPoleDruku
namespace pole {
constexpr std::size_t Format = 0, Typ = 4, Nazwa = 8, IdPit = 24, Strona = 28, NrObiektu = 32, Wartosc = 36,
                      Zaznaczone = 391;
static_assert(Nazwa + std::tuple_size_v<decltype(TPoleDruku::Nazwa)> == IdPit);
static_assert(Wartosc + std::tuple_size_v<decltype(TPoleDruku::Wartosc)> == Zaznaczone);
static_assert(Zaznaczone + 1 == kRozmiarPolaDruku);
}  // namespace pole

// .dcs: TObiekt
namespace obiekt {
constexpr std::size_t Lewy = 0, Gorny = 4, Prawy = 8, Dolny = 12, NrObiektu = 16, Strona = 20, DrugiNumer = 24,
                      Format = 28, Typ = 32, Wyrownanie = 36, LimitZnakow = 40, Nazwa = 44, Wartosc = 59,
                      WartoscDomyslna = 314, Pomoc = 569, Rezerwa = 649, RozmiarCzcionki = 749, KolorKrawedzi = 752,
                      KolorTla = 759, KolorTekstu = 766, Widoczne = 773, TylkoDoOdczytu = 774, Wymagane = 775,
                      Zablokowane = 776, Wielowierszowe = 777, TylkoDodatnia = 778, Wypelnienie = 779,
                      PozycjaPrzegladania = 780, Zarezerwowane = 784, Opcje = 788, ElementyListy = 1798,
                      OpcjeDodatkowe = 2798;
constexpr std::size_t kRozmiarOpcji = 101, kRozmiarElementu = 100, kLiczbaOpcji = 10;
template <typename T>
constexpr std::size_t Szerokosc = std::tuple_size_v<T>;
static_assert(Nazwa + Szerokosc<decltype(TObiekt::Nazwa)> == Wartosc);
static_assert(Wartosc + Szerokosc<decltype(TObiekt::Wartosc)> == WartoscDomyslna);
static_assert(WartoscDomyslna + Szerokosc<decltype(TObiekt::WartoscDomyslna)> == Pomoc);
static_assert(Pomoc + Szerokosc<decltype(TObiekt::Pomoc)> == Rezerwa);
static_assert(Rezerwa + Szerokosc<decltype(TObiekt::Rezerwa)> == RozmiarCzcionki);
static_assert(RozmiarCzcionki + Szerokosc<decltype(TObiekt::RozmiarCzcionki)> == KolorKrawedzi);
static_assert(KolorKrawedzi + Szerokosc<decltype(TObiekt::KolorKrawedzi)> == KolorTla);
static_assert(KolorTla + Szerokosc<decltype(TObiekt::KolorTla)> == KolorTekstu);
static_assert(KolorTekstu + Szerokosc<decltype(TObiekt::KolorTekstu)> == Widoczne);
static_assert(Opcje + kRozmiarOpcji * Szerokosc<decltype(TObiekt::Opcje)> == ElementyListy);
static_assert(ElementyListy + kRozmiarElementu * Szerokosc<decltype(TObiekt::ElementyListy)> == OpcjeDodatkowe);
static_assert(OpcjeDodatkowe + kRozmiarOpcji * Szerokosc<decltype(TObiekt::OpcjeDodatkowe)> == kRozmiarObiektu);
static_assert(Szerokosc<decltype(TObiekt::Opcje)> == kLiczbaOpcji &&
              Szerokosc<decltype(TObiekt::ElementyListy)> == kLiczbaOpcji &&
              Szerokosc<decltype(TObiekt::OpcjeDodatkowe)> == kLiczbaOpcji);
}  // namespace obiekt

// TOpcjaObiektu and TElementListy share the first two fields.
namespace opcja {
constexpr std::size_t Tekst = 0, Wartosc = 50, Zaznaczona = 100;
static_assert(std::tuple_size_v<decltype(TOpcjaObiektu::Tekst)> == Wartosc);
static_assert(Wartosc + std::tuple_size_v<decltype(TOpcjaObiektu::Wartosc)> == Zaznaczona);
static_assert(Zaznaczona + 1 == obiekt::kRozmiarOpcji);
static_assert(std::tuple_size_v<decltype(TElementListy::Tekst)> == Wartosc);
static_assert(Wartosc + std::tuple_size_v<decltype(TElementListy::Wartosc)> == obiekt::kRozmiarElementu);
}  // namespace opcja

// .dcd: TNaglowekFormularza
namespace naglowek {
constexpr std::size_t Sciezka = 0, LiczbaStron = 256, SzerokoscEkranu = 260, WysokoscEkranu = 264,
                      WysokoscWidoku = 268, SzerokoscWidoku = 272;
static_assert(Sciezka + std::tuple_size_v<decltype(TNaglowekFormularza::Sciezka)> == LiczbaStron);
static_assert(SzerokoscWidoku + 4 == kRozmiarNaglowkaFormularza);
}  // namespace naglowek

void ZakodujPole(const TPoleDruku& p, std::span<std::uint8_t, kRozmiarPolaDruku> w) {
  Zapisz<pole::Format>(w, p.Format);
  Zapisz<pole::Typ>(w, p.Typ);
  Zapisz<pole::Nazwa>(w, p.Nazwa);
  Zapisz<pole::IdPit>(w, p.IdPit);
  Zapisz<pole::Strona>(w, p.Strona);
  Zapisz<pole::NrObiektu>(w, p.NrObiektu);
  Zapisz<pole::Wartosc>(w, p.Wartosc);
  Zapisz<pole::Zaznaczone>(w, p.Zaznaczone);
}

void DekodujPole(std::span<const std::uint8_t, kRozmiarPolaDruku> w, TPoleDruku& p) {
  Czytaj<pole::Format>(w, p.Format);
  Czytaj<pole::Typ>(w, p.Typ);
  Czytaj<pole::Nazwa>(w, p.Nazwa);
  Czytaj<pole::IdPit>(w, p.IdPit);
  Czytaj<pole::Strona>(w, p.Strona);
  Czytaj<pole::NrObiektu>(w, p.NrObiektu);
  Czytaj<pole::Wartosc>(w, p.Wartosc);
  Czytaj<pole::Zaznaczone>(w, p.Zaznaczone);
}

// Entry k of Opcje or OpcjeDodatkowe, which share one shape.
template <std::size_t Tablica, typename Bajt>
std::span<Bajt, obiekt::kRozmiarOpcji> Opcja(std::span<Bajt, kRozmiarObiektu> rekord, std::size_t k) {
  return binarny::Wpis<Tablica, obiekt::kRozmiarOpcji, obiekt::kLiczbaOpcji>(rekord, k);
}

template <typename Bajt>
std::span<Bajt, obiekt::kRozmiarElementu> Element(std::span<Bajt, kRozmiarObiektu> rekord, std::size_t k) {
  return binarny::Wpis<obiekt::ElementyListy, obiekt::kRozmiarElementu, obiekt::kLiczbaOpcji>(rekord, k);
}

void ZakodujOpcje(const TOpcjaObiektu& o, std::span<std::uint8_t, obiekt::kRozmiarOpcji> w) {
  Zapisz<opcja::Tekst>(w, o.Tekst);
  Zapisz<opcja::Wartosc>(w, o.Wartosc);
  Zapisz<opcja::Zaznaczona>(w, o.Zaznaczona);
}

void DekodujOpcje(std::span<const std::uint8_t, obiekt::kRozmiarOpcji> w, TOpcjaObiektu& o) {
  Czytaj<opcja::Tekst>(w, o.Tekst);
  Czytaj<opcja::Wartosc>(w, o.Wartosc);
  Czytaj<opcja::Zaznaczona>(w, o.Zaznaczona);
}

void ZakodujElement(const TElementListy& e, std::span<std::uint8_t, obiekt::kRozmiarElementu> w) {
  Zapisz<opcja::Tekst>(w, e.Tekst);
  Zapisz<opcja::Wartosc>(w, e.Wartosc);
}

void DekodujElement(std::span<const std::uint8_t, obiekt::kRozmiarElementu> w, TElementListy& e) {
  Czytaj<opcja::Tekst>(w, e.Tekst);
  Czytaj<opcja::Wartosc>(w, e.Wartosc);
}

}  // namespace

void Zakoduj(const TDruk& d, std::span<std::uint8_t, kRozmiarDruku> w) {
  Zeruj<druk::Wezel, 4>(w);  // the tree node means nothing outside this process
  Zapisz<druk::Id>(w, d.Id);
  Zapisz<druk::IdPit>(w, d.IdPit);
  Zapisz<druk::IdParent>(w, d.IdParent);
  Zapisz<druk::PM>(w, d.PM);
  Zapisz<druk::Rodzaj>(w, d.Rodzaj);
  Zapisz<druk::NrKopii>(w, d.NrKopii);
  Zapisz<druk::Wybrany>(w, d.Wybrany);
  Zapisz<druk::Wczytany>(w, d.Wczytany);
  Zeruj<druk::Wypelnienie, 2>(w);
  for (std::size_t k = 0; k < kLiczbaPol; ++k)
    ZakodujPole(d.Pola[k], binarny::Wpis<druk::Pola, kRozmiarPolaDruku, kLiczbaPol>(w, k));
}

TDruk DekodujDruk(std::span<const std::uint8_t, kRozmiarDruku> w) {
  TDruk d;
  d.Wezel = nullptr;
  Czytaj<druk::Id>(w, d.Id);
  Czytaj<druk::IdPit>(w, d.IdPit);
  Czytaj<druk::IdParent>(w, d.IdParent);
  Czytaj<druk::PM>(w, d.PM);
  Czytaj<druk::Rodzaj>(w, d.Rodzaj);
  Czytaj<druk::NrKopii>(w, d.NrKopii);
  Czytaj<druk::Wybrany>(w, d.Wybrany);
  Czytaj<druk::Wczytany>(w, d.Wczytany);
  for (std::size_t k = 0; k < kLiczbaPol; ++k)
    DekodujPole(binarny::Wpis<druk::Pola, kRozmiarPolaDruku, kLiczbaPol>(w, k), d.Pola[k]);
  return d;
}

void Zakoduj(const TObiekt& o, std::span<std::uint8_t, kRozmiarObiektu> w) {
  Zapisz<obiekt::Lewy>(w, o.Lewy);
  Zapisz<obiekt::Gorny>(w, o.Gorny);
  Zapisz<obiekt::Prawy>(w, o.Prawy);
  Zapisz<obiekt::Dolny>(w, o.Dolny);
  Zapisz<obiekt::NrObiektu>(w, o.NrObiektu);
  Zapisz<obiekt::Strona>(w, o.Strona);
  Zapisz<obiekt::DrugiNumer>(w, o.DrugiNumer);
  Zapisz<obiekt::Format>(w, o.Format);
  Zapisz<obiekt::Typ>(w, o.Typ);
  Zapisz<obiekt::Wyrownanie>(w, o.Wyrownanie);
  Zapisz<obiekt::LimitZnakow>(w, o.LimitZnakow);
  Zapisz<obiekt::Nazwa>(w, o.Nazwa);
  Zapisz<obiekt::Wartosc>(w, o.Wartosc);
  Zapisz<obiekt::WartoscDomyslna>(w, o.WartoscDomyslna);
  Zapisz<obiekt::Pomoc>(w, o.Pomoc);
  Zapisz<obiekt::Rezerwa>(w, o.Rezerwa);
  Zapisz<obiekt::RozmiarCzcionki>(w, o.RozmiarCzcionki);
  Zapisz<obiekt::KolorKrawedzi>(w, o.KolorKrawedzi);
  Zapisz<obiekt::KolorTla>(w, o.KolorTla);
  Zapisz<obiekt::KolorTekstu>(w, o.KolorTekstu);
  Zapisz<obiekt::Widoczne>(w, o.Widoczne);
  Zapisz<obiekt::TylkoDoOdczytu>(w, o.TylkoDoOdczytu);
  Zapisz<obiekt::Wymagane>(w, o.Wymagane);
  Zapisz<obiekt::Zablokowane>(w, o.Zablokowane);
  Zapisz<obiekt::Wielowierszowe>(w, o.Wielowierszowe);
  Zapisz<obiekt::TylkoDodatnia>(w, o.TylkoDodatnia);
  Zapisz<obiekt::Wypelnienie>(w, o.Wypelnienie);
  Zapisz<obiekt::PozycjaPrzegladania>(w, o.PozycjaPrzegladania);
  Zapisz<obiekt::Zarezerwowane>(w, o.Zarezerwowane);
  for (std::size_t k = 0; k < obiekt::kLiczbaOpcji; ++k) {
    ZakodujOpcje(o.Opcje[k], Opcja<obiekt::Opcje>(w, k));
    ZakodujElement(o.ElementyListy[k], Element(w, k));
    ZakodujOpcje(o.OpcjeDodatkowe[k], Opcja<obiekt::OpcjeDodatkowe>(w, k));
  }
}

namespace {

// Every field of o is written, so a record decodes straight into its place in an array.
void DekodujObiektDo(std::span<const std::uint8_t, kRozmiarObiektu> w, TObiekt& o) {
  Czytaj<obiekt::Lewy>(w, o.Lewy);
  Czytaj<obiekt::Gorny>(w, o.Gorny);
  Czytaj<obiekt::Prawy>(w, o.Prawy);
  Czytaj<obiekt::Dolny>(w, o.Dolny);
  Czytaj<obiekt::NrObiektu>(w, o.NrObiektu);
  Czytaj<obiekt::Strona>(w, o.Strona);
  Czytaj<obiekt::DrugiNumer>(w, o.DrugiNumer);
  Czytaj<obiekt::Format>(w, o.Format);
  Czytaj<obiekt::Typ>(w, o.Typ);
  Czytaj<obiekt::Wyrownanie>(w, o.Wyrownanie);
  Czytaj<obiekt::LimitZnakow>(w, o.LimitZnakow);
  Czytaj<obiekt::Nazwa>(w, o.Nazwa);
  Czytaj<obiekt::Wartosc>(w, o.Wartosc);
  Czytaj<obiekt::WartoscDomyslna>(w, o.WartoscDomyslna);
  Czytaj<obiekt::Pomoc>(w, o.Pomoc);
  Czytaj<obiekt::Rezerwa>(w, o.Rezerwa);
  Czytaj<obiekt::RozmiarCzcionki>(w, o.RozmiarCzcionki);
  Czytaj<obiekt::KolorKrawedzi>(w, o.KolorKrawedzi);
  Czytaj<obiekt::KolorTla>(w, o.KolorTla);
  Czytaj<obiekt::KolorTekstu>(w, o.KolorTekstu);
  Czytaj<obiekt::Widoczne>(w, o.Widoczne);
  Czytaj<obiekt::TylkoDoOdczytu>(w, o.TylkoDoOdczytu);
  Czytaj<obiekt::Wymagane>(w, o.Wymagane);
  Czytaj<obiekt::Zablokowane>(w, o.Zablokowane);
  Czytaj<obiekt::Wielowierszowe>(w, o.Wielowierszowe);
  Czytaj<obiekt::TylkoDodatnia>(w, o.TylkoDodatnia);
  Czytaj<obiekt::Wypelnienie>(w, o.Wypelnienie);
  Czytaj<obiekt::PozycjaPrzegladania>(w, o.PozycjaPrzegladania);
  Czytaj<obiekt::Zarezerwowane>(w, o.Zarezerwowane);
  for (std::size_t k = 0; k < obiekt::kLiczbaOpcji; ++k) {
    DekodujOpcje(Opcja<obiekt::Opcje>(w, k), o.Opcje[k]);
    DekodujElement(Element(w, k), o.ElementyListy[k]);
    DekodujOpcje(Opcja<obiekt::OpcjeDodatkowe>(w, k), o.OpcjeDodatkowe[k]);
  }
}

}  // namespace

TObiekt DekodujObiekt(std::span<const std::uint8_t, kRozmiarObiektu> w) {
  TObiekt o;
  DekodujObiektDo(w, o);
  return o;
}

void Zakoduj(const TNaglowekFormularza& n, std::span<std::uint8_t, kRozmiarNaglowkaFormularza> w) {
  Zapisz<naglowek::Sciezka>(w, n.Sciezka);
  Zapisz<naglowek::LiczbaStron>(w, n.LiczbaStron);
  Zapisz<naglowek::SzerokoscEkranu>(w, n.SzerokoscEkranu);
  Zapisz<naglowek::WysokoscEkranu>(w, n.WysokoscEkranu);
  Zapisz<naglowek::WysokoscWidoku>(w, n.WysokoscWidoku);
  Zapisz<naglowek::SzerokoscWidoku>(w, n.SzerokoscWidoku);
}

TNaglowekFormularza DekodujNaglowek(std::span<const std::uint8_t, kRozmiarNaglowkaFormularza> w) {
  TNaglowekFormularza n;
  Czytaj<naglowek::Sciezka>(w, n.Sciezka);
  Czytaj<naglowek::LiczbaStron>(w, n.LiczbaStron);
  Czytaj<naglowek::SzerokoscEkranu>(w, n.SzerokoscEkranu);
  Czytaj<naglowek::WysokoscEkranu>(w, n.WysokoscEkranu);
  Czytaj<naglowek::WysokoscWidoku>(w, n.WysokoscWidoku);
  Czytaj<naglowek::SzerokoscWidoku>(w, n.SzerokoscWidoku);
  return n;
}

std::vector<TObiekt> DekodujObiekty(std::span<const std::uint8_t> bajty) {
  const std::size_t n = bajty.size() / kRozmiarObiektu;
  std::vector<TObiekt> obiekty(n);
  for (std::size_t i = 0; i < n; ++i)
    DekodujObiektDo(bajty.subspan(i * kRozmiarObiektu).first<kRozmiarObiektu>(), obiekty[i]);
  return obiekty;
}

std::vector<std::uint8_t> ZakodujObiekty(std::span<const TObiekt> obiekty) {
  std::vector<std::uint8_t> bajty(obiekty.size() * kRozmiarObiektu);
  const std::span<std::uint8_t> wyjscie(bajty);
  for (std::size_t i = 0; i < obiekty.size(); ++i)
    Zakoduj(obiekty[i], wyjscie.subspan(i * kRozmiarObiektu).first<kRozmiarObiektu>());
  return bajty;
}

}  // namespace rekordy
