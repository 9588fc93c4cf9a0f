// Times the PIT-36 computation on a joint settlement whose every amount is filled, with a PIT/O, a PIT/D and the
// taxpayer's and the spouse's PIT/B attached (their boxes ticked, so the PIT/B are recomputed too), and prints
// medians in microseconds:
//   - one ObliczPit36 from the dispatch (it recomputes both PIT/B, each of which runs the PIT-36 again);
//   - the chain from a PIT/D value stored: PIT/D, then the PIT-36 with its PIT/B and their PIT-36 runs.
// Beside each, its floor measured in the same run: the field traffic alone, one conversion of every amount each
// computation of that work reads and one write of every amount it writes, with no arithmetic between them. Each run
// starts from the same records.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "calc/ekran.h"
#include "calc/oblicz.h"
#include "calc/wartosci.h"
#include "srodowisko.h"
#include "wypelnienie.h"

namespace {

constexpr int kPowtorzenia = 2000;

struct Zakres {
  int od, doKonca;
};

// The amounts a computation reads and those it writes.
struct Ruch {
  std::vector<Zakres> czytane, pisane;
};
const Ruch kPit36{{{45, 136}, {138, 153}, {156, 161}, {166, 205}, {322, 322}, {329, 332}},
                  {{47, 48}, {51, 51}, {55, 56}, {58, 58}, {61, 62}, {66, 67}, {71, 72}, {76, 77}, {81, 87},
                   {90, 91}, {94, 94}, {98, 99}, {101, 101}, {104, 105}, {109, 110}, {114, 115}, {119, 120},
                   {124, 130}, {142, 146}, {149, 151}, {166, 166}, {169, 170}, {174, 174}, {177, 182}, {185, 188},
                   {200, 205}, {302, 310}, {329, 330}}};
const Ruch kPitB{{{10, 11}, {16, 17}, {21, 21}, {26, 29}, {34, 34}, {38, 41}, {46, 46}, {50, 53}},
                 {{2, 2}, {12, 12}, {18, 18}, {27, 31}, {39, 43}, {51, 59}}};
const Ruch kPitD{{{29, 35}, {38, 55}}, {{31, 31}, {40, 40}, {42, 42}, {49, 49}, {51, 51}}};

// The amounts written are amounts read, in grosze as the computations' results are.
void Przenies(KontekstObliczen& kx, const Ruch& ruch, int j) {
  std::vector<long double> wartosci;
  for (const Zakres& z : ruch.czytane)
    for (int k = z.od; k <= z.doKonca; ++k) wartosci.push_back(WartoscPola(kx, k, j));
  std::size_t i = 0;
  for (const Zakres& z : ruch.pisane)
    for (int k = z.od; k <= z.doKonca; ++k) ZapiszKwote(kx, k, j, wartosci[i++ % wartosci.size()]);
}

// The medians of a work and of its floor, timed by turns so that both meet the same load of the machine.
struct Pomiar {
  double praca, podloga;
};

Pomiar Zmierz(Rozliczenie& r, const std::vector<TDruk>& poczatek, const std::function<void()>& praca,
              const std::function<void()>& podloga) {
  std::vector<double> czasy[2];
  for (auto& c : czasy) c.reserve(kPowtorzenia);
  for (int i = 0; i < 2 * kPowtorzenia; ++i) {
    std::copy(poczatek.begin(), poczatek.end(), r.Druki.begin());
    const auto& f = i % 2 == 0 ? praca : podloga;
    const auto start = std::chrono::steady_clock::now();
    f();
    const auto koniec = std::chrono::steady_clock::now();
    czasy[i % 2].push_back(std::chrono::duration<double, std::micro>(koniec - start).count());
  }
  return {Mediana(std::move(czasy[0])), Mediana(std::move(czasy[1]))};
}

}  // namespace

int main() {
  const SrodowiskoPomiaru srodowisko;
  Rozliczenie r;
  EkranBezWidoku ekran;
  KontekstObliczen kx{r, ekran};

  r.PrzydzielDruki(5);
  r.DodajDruk(Pit36, 0, PMWspolny, WspolneZMalzonkiem);
  r.DodajDruk(PitO, 1, PMWspolny, WspolneZMalzonkiem);
  r.DodajDruk(PitD, 1, PMWspolny, WspolneZMalzonkiem);
  r.DodajDruk(PitB, 1, PMPodatnik, WspolneZMalzonkiem);
  r.DodajDruk(PitB, 1, PMMalzonek, WspolneZMalzonkiem);
  for (int j = 1; j <= r.LiczbaDrukow; ++j) Wypelnij(r.Druk(j));
  for (const int kratka : {4, 39, 40}) r.Druk(1).Pola[static_cast<std::size_t>(kratka)].Zaznaczone = 1;
  const std::vector<TDruk> poczatek(r.Druki.begin(), r.Druki.end());

  ekran.Biezacy = r.Druk(1);
  // The dispatch's PIT-36 runs itself and, through each PIT/B, once more.
  const Pomiar pit36 = Zmierz(
      r, poczatek, [&] { Oblicz(kx, 1); },
      [&] {
        for (int i = 0; i < 3; ++i) Przenies(kx, kPit36, 1);
        Przenies(kx, kPitB, 4);
        Przenies(kx, kPitB, 5);
      });

  ekran.Biezacy = r.Druk(3);
  const Pomiar lancuch = Zmierz(
      r, poczatek,
      [&] {
        UstawTekstPola(kx, 29, 3, "12345,67");
        Oblicz(kx, 3);
      },
      [&] {
        UstawTekstPola(kx, 29, 3, "12345,67");
        Przenies(kx, kPitD, 3);
        for (int i = 0; i < 3; ++i) Przenies(kx, kPit36, 1);
        Przenies(kx, kPitB, 4);
        Przenies(kx, kPitB, 5);
      });

  std::printf("ObliczPit36 from the dispatch, joint, all amounts filled, two PIT/B: median %.2f us "
              "(floor %.2f us, %.1fx) over %d runs\n",
              pit36.praca, pit36.podloga, pit36.praca / pit36.podloga, kPowtorzenia);
  std::printf("PIT/D value stored -> PIT/D -> PIT-36 -> its PIT/B -> PIT-36: median %.2f us "
              "(floor %.2f us, %.1fx) over %d runs\n",
              lancuch.praca, lancuch.podloga, lancuch.praca / lancuch.podloga, kPowtorzenia);
  return 0;
}
