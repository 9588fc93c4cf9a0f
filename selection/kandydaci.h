#pragma once
// The candidate forms of each settlement kind: every main form the kind allows and, under it, every attachment
// that may go with it, in the order the chooser lists them.

#include <cstdint>
#include <span>

#include "model/druk.h"

struct TWzorKandydata {
  KodDruku IdPit;
  std::int32_t PM;
  std::int32_t IdPitGlownego;  // 0 for a main form
  std::int32_t PMGlownego;
};

// The table of a kind (0 individual, 1 joint, 2 single parent); empty for any other value.
std::span<const TWzorKandydata> WzoryKandydatow(int rodzaj);

// A form type of which a settlement may hold several copies under one main form (PIT/O, PIT/B, PIT/ZG, PIT-28/B).
bool JestWieleKopii(int idPit);
