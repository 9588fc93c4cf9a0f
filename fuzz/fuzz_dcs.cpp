// Any bytes split into .dcs records; writing the objects back must reproduce every whole record exactly.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "model/rekordy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  const std::span<const std::uint8_t> wejscie(dane, rozmiar);
  const auto obiekty = rekordy::DekodujObiekty(wejscie);
  if (obiekty.size() != rozmiar / rekordy::kRozmiarObiektu) std::abort();
  const auto bajty = rekordy::ZakodujObiekty(obiekty);
  if (bajty.size() != obiekty.size() * rekordy::kRozmiarObiektu) std::abort();
  if (!std::equal(bajty.begin(), bajty.end(), wejscie.begin())) std::abort();
  return 0;
}
