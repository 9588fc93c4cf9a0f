// Times one PIT-37 computation on a joint settlement whose every amount is filled, with a PIT/O, a PIT/D, a PIT/2K
// and a NIP-3 attached, and prints the median in microseconds. Each run starts from the same record.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "calc/ekran.h"
#include "calc/pit37.h"
#include "srodowisko.h"
#include "wypelnienie.h"

namespace {

constexpr int kPowtorzenia = 2000;

}  // namespace

int main() {
  const SrodowiskoPomiaru srodowisko;
  Rozliczenie rozliczenie;
  EkranBezWidoku ekran;
  KontekstObliczen kx{rozliczenie, ekran};

  rozliczenie.PrzydzielDruki(5);
  rozliczenie.DodajDruk(Pit37, 0, PMWspolny, WspolneZMalzonkiem);
  rozliczenie.DodajDruk(PitO, 1, PMWspolny, WspolneZMalzonkiem);
  rozliczenie.DodajDruk(PitD, 1, PMWspolny, WspolneZMalzonkiem);
  rozliczenie.DodajDruk(Pit2K, 1, PMWspolny, WspolneZMalzonkiem);
  rozliczenie.DodajDruk(Nip3, 1, PMPodatnik, WspolneZMalzonkiem);
  for (int j = 1; j <= rozliczenie.LiczbaDrukow; ++j) Wypelnij(rozliczenie.Druk(j));
  ekran.Biezacy = rozliczenie.Druk(1);
  const std::vector<TDruk> poczatek(rozliczenie.Druki.begin(), rozliczenie.Druki.end());

  std::vector<double> czasy;
  czasy.reserve(kPowtorzenia);
  for (int i = 0; i < kPowtorzenia; ++i) {
    std::copy(poczatek.begin(), poczatek.end(), rozliczenie.Druki.begin());
    const auto start = std::chrono::steady_clock::now();
    ObliczPit37(kx, 1);
    const auto koniec = std::chrono::steady_clock::now();
    czasy.push_back(std::chrono::duration<double, std::micro>(koniec - start).count());
  }
  std::nth_element(czasy.begin(), czasy.begin() + kPowtorzenia / 2, czasy.end());
  std::printf("ObliczPit37, joint, all amounts filled: median %.2f us over %d runs\n", czasy[kPowtorzenia / 2],
              kPowtorzenia);
  return 0;
}
