#include "calc/pit36.h"

#include <cstddef>
#include <string>

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/kratki_rodzaju.h"
#include "calc/pit36_obliczenie.h"
#include "calc/pitb.h"
#include "calc/pola.h"
#include "calc/raport.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

// Every field of the spouse's income rows and totals is the taxpayer's field plus this.
constexpr int kPolaMalzonka = 43;

// One income row: the first and the second amount, the surplus of the first and the shortfall, and a third amount
// that is only summed. Row 2 has no second amount: its income is its first amount.
constexpr int kBrak = -1;
struct WierszDochodu {
  int pierwsza, druga, nadwyzka, niedobor, trzecia;
};
constexpr WierszDochodu kWiersze[] = {{45, 46, 47, 48, 49}, {50, kBrak, 51, kBrak, 52}, {53, 54, 55, 56, 57},
                                      {59, 60, 61, 62, 63}, {64, 65, 66, 67, 68},       {69, 70, 71, 72, 73},
                                      {74, 75, 76, 77, 78}, {79, 80, 81, 82, 83}};
// Row 3, the business income, which a PIT/Z may supply.
constexpr std::size_t kWierszDzialalnosci = 2;
constexpr int kSumaPierwszych = 84, kSumaDrugich = 85, kSumaNadwyzek = 86, kSumaTrzecich = 87;

// The boxes by which a person's row 3 comes from the first or the second part of the PIT/Z.
struct KratkiPitZ {
  int pierwsza, druga;
};
constexpr KratkiPitZ kKratkiPodatnika{39, 41};
constexpr KratkiPitZ kKratkiMalzonka{40, 42};

}  // namespace

bool ObliczeniePit36::Oblicz() {
  WczytajDaneOsobZDruku(kx_.R, j_);
  ZapiszDaneOsobDoDrukow(kx_.R);
  // Called from a PIT/B or PIT/Z, this run is already part of their recomputation.
  if (!zZalacznika_) PrzeliczPitB();
  BlokadaPitD();
  WartosciZPitZ();
  BlokadaPitB();
  UstawKratkiRodzaju(kx_, j_);
  Dochody(0);
  Dochody(kPolaMalzonka);
  Odliczenia();
  PodstawaOpodatkowania();
  PodatekWgStopy();
  PodatekWgSkali();
  Ulgi();
  Zobowiazanie();
  Salda();
  LiczbyZalacznikow();
  JedenProcent();
  return redukcja_;
}

// The PIT/B of a person whose PIT/Z boxes are ticked, so that the PIT/Z follows the boxes as they stand.
void ObliczeniePit36::PrzeliczPitB() {
  const auto przelicz = [&](int pm) {
    if (const int b = Zalacznik(PitB, pm); b > 0) ObliczPitB(kx_, b);
  };
  if (Zaznaczona(kKratkiPodatnika.pierwsza) || Zaznaczona(kKratkiPodatnika.druga)) {
    przelicz(PMWspolny);
    przelicz(PMPodatnik);
  }
  if (Zaznaczona(kKratkiMalzonka.pierwsza) || Zaznaczona(kKratkiMalzonka.druga)) przelicz(PMMalzonek);
}

void ObliczeniePit36::BlokadaPitD() {
  if (NaEkranie(kx_, Pit36) && Zalacznik(PitD) > 0) UstawTylkoDoOdczytu(kx_, {146, 149, 179}, 1);
}

// A later PIT/Z of the same person, and the second part over the first, overwrite what an earlier one wrote. Row 3
// stays open on screen; the next computation writes the PIT/Z's amounts over what was typed there.
void ObliczeniePit36::WartosciZPitZ() {
  const auto zPitZ = [&](int pm, KratkiPitZ kratki, int p) {
    const int z = Zalacznik(PitZ, pm);
    if (z <= 0) return;
    if (Zaznaczona(kratki.pierwsza)) {
      Przejmij(20, z, 55 + p);
      Przejmij(21, z, 56 + p);
      Przejmij(22, z, 58 + p);
    }
    if (Zaznaczona(kratki.druga)) {
      Przejmij(34, z, 55 + p);
      Przejmij(35, z, 56 + p);
      Zeruj({58 + p});
    }
  };
  zPitZ(PMWspolny, kKratkiPodatnika, 0);
  zPitZ(PMPodatnik, kKratkiPodatnika, 0);
  zPitZ(PMMalzonek, kKratkiMalzonka, kPolaMalzonka);
}

// A person's PIT/B writes that person's totals, so only those are the PIT/B's.
void ObliczeniePit36::BlokadaPitB() {
  if (!NaEkranie(kx_, Pit36)) return;
  if (Zalacznik(PitB, PMWspolny) > 0 || Zalacznik(PitB, PMPodatnik) > 0) UstawTylkoDoOdczytu(kx_, {53, 54}, 1);
  if (Zalacznik(PitB, PMMalzonek) > 0) UstawTylkoDoOdczytu(kx_, {96, 97}, 1);
}

// The income rows of one person: p is 0 for the taxpayer, kPolaMalzonka for the spouse. Sums and differences are
// written as they come, without rounding.
void ObliczeniePit36::Dochody(int p) {
  const KratkiPitZ kratki = p == 0 ? kKratkiPodatnika : kKratkiMalzonka;
  // With a PIT/Z part chosen, row 3's income and loss are the PIT/Z's (or the user's), not computed here.
  const bool wiersz3ZPitZ = Zaznaczona(kratki.pierwsza) || Zaznaczona(kratki.druga);
  const auto liczony = [&](std::size_t i) { return i != kWierszDzialalnosci || !wiersz3ZPitZ; };

  long double pierwsze = 0, drugie = 0;
  for (const WierszDochodu& w : kWiersze) {
    pierwsze += W(w.pierwsza + p);
    if (w.druga != kBrak) drugie += W(w.druga + p);
  }
  Zapisz(kSumaPierwszych + p, pierwsze);
  Zapisz(kSumaDrugich + p, drugie);

  for (std::size_t i = 0; i < std::size(kWiersze); ++i) {
    const WierszDochodu& w = kWiersze[i];
    if (w.druga == kBrak)
      Kopiuj(w.pierwsza + p, w.nadwyzka + p);
    else if (liczony(i))
      ZapiszNadwyzke(w.nadwyzka + p, w.pierwsza + p, w.druga + p);
  }
  long double nadwyzki = 0;
  for (const WierszDochodu& w : kWiersze) nadwyzki += W(w.nadwyzka + p);
  Zapisz(kSumaNadwyzek + p, nadwyzki);

  for (std::size_t i = 0; i < std::size(kWiersze); ++i) {
    const WierszDochodu& w = kWiersze[i];
    if (w.druga != kBrak && liczony(i)) ZapiszNadwyzke(w.niedobor + p, w.druga + p, w.pierwsza + p);
  }
  long double trzecie = 0;
  for (const WierszDochodu& w : kWiersze) trzecie += W(w.trzecia + p);
  Zapisz(kSumaTrzecich + p, trzecie);
}

int ObliczeniePit36::Zalacznik(int kod) const { return kx_.R.ZnajdzDrukRodzic(kod, j_); }
int ObliczeniePit36::Zalacznik(int kod, int pm) const { return kx_.R.ZnajdzDrukRodzicPM(kod, j_, pm); }
int ObliczeniePit36::PierwszyDruk(int kod) const { return kx_.R.ZnajdzDruk(kod); }
int ObliczeniePit36::LiczbaZalacznikow(int kod) const { return kx_.R.PoliczDruki(kod, j_, -1); }
int ObliczeniePit36::RodzajRekordu() const { return kx_.R.Druk(j_).Rodzaj; }

long double ObliczeniePit36::W(int k) {
  const auto i = static_cast<std::size_t>(k);
  if (!przeczytane_.test(i)) {
    wartosci_[i] = WartoscPola(kx_, k, j_);
    przeczytane_.set(i);
  }
  return wartosci_[i];
}

long double ObliczeniePit36::Suma(std::initializer_list<int> pola) {
  long double suma = 0;
  for (int k : pola) suma += W(k);
  return suma;
}

bool ObliczeniePit36::Zaznaczona(int k) { return PoleDruku(kx_, k, j_).Zaznaczone == 1; }

void ObliczeniePit36::Zapisz(int k, long double x) {
  ZapiszKwote(kx_, k, j_, x);
  przeczytane_.reset(static_cast<std::size_t>(k));
}

void ObliczeniePit36::ZapiszGrosze(int k, long double x) { Zapisz(k, ZaokraglijDoGroszy(x)); }

void ObliczeniePit36::UstawTekst(int k, std::string_view tekst) {
  UstawTekstPola(kx_, k, j_, tekst);
  przeczytane_.reset(static_cast<std::size_t>(k));
}

void ObliczeniePit36::Zeruj(std::initializer_list<int> pola) {
  for (int k : pola) UstawTekst(k, "0,00");
}

void ObliczeniePit36::Kopiuj(int z, int doPola) { Przejmij(z, j_, doPola); }

void ObliczeniePit36::Przejmij(int zPola, int zDruku, int doPola) {
  KopiujPole(kx_, zPola, zDruku, doPola, j_);
  przeczytane_.reset(static_cast<std::size_t>(doPola));
}

void ObliczeniePit36::ZapiszNadwyzke(int k, int a, int b) {
  if (W(a) - W(b) > 0)
    Zapisz(k, W(a) - W(b));
  else
    Zeruj({k});
}

void ObliczeniePit36::OgraniczKopia(int pole, int limit) {
  if (Wieksze(W(pole), W(limit))) Kopiuj(limit, pole);
}

void ObliczPit36(KontekstObliczen& kx, int j, bool WywolanyZZalacznika) {
  kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  RaportPit36 raport(kx);
  raport.Zakoncz(ObliczeniePit36(kx, j, WywolanyZZalacznika).Oblicz());
}
