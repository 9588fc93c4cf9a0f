// A .dcd header read and written back must reproduce its 276 bytes exactly.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "model/rekordy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  if (rozmiar < rekordy::kRozmiarNaglowkaFormularza) return 0;
  const std::span<const std::uint8_t, rekordy::kRozmiarNaglowkaFormularza> wejscie(
      dane, rekordy::kRozmiarNaglowkaFormularza);
  const TNaglowekFormularza naglowek = rekordy::DekodujNaglowek(wejscie);
  std::array<std::uint8_t, rekordy::kRozmiarNaglowkaFormularza> bajty{};
  rekordy::Zakoduj(naglowek, bajty);
  if (!std::equal(bajty.begin(), bajty.end(), wejscie.begin())) std::abort();
  return 0;
}
