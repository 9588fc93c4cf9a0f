#pragma once
// A record whose every field holds an amount of its own, as the computation benchmarks start from.

#include <string>

#include "model/druk.h"

// A non-zero amount that differs from field to field: whole zloty up to about 5000 and grosze.
inline std::string KwotaPola(int k) {
  const int zlote = (k * 37) % 5000 + 1;
  const int grosze = (k * 13) % 100;
  return std::to_string(zlote) + (grosze < 10 ? ",0" : ",") + std::to_string(grosze);
}

inline void Wypelnij(TDruk& druk) {
  druk.Wczytany = 1;
  for (int k = 0; k < kLiczbaPol; ++k) UstawBajty(druk.Pola[static_cast<std::size_t>(k)].Wartosc, KwotaPola(k));
}
