#pragma once
// The settlement held in memory: the chosen form instances with their field values, the identification data of the
// taxpayer and the spouse, and the settlement kind. Knows no window; the main window owns one and shows it.

#include <array>
#include <cstdint>
#include <vector>

#include "model/druk.h"

class Rozliczenie {
 public:
  // Slot 0 holds no record; empty = no settlement.
  std::vector<TDruk> Druki;
  std::int32_t LiczbaDrukow = 0;
  // [0] the taxpayer, [1] the spouse.
  std::array<TOsoba, 2> Osoby{};
  std::int32_t RodzajRozliczenia = Indywidualne;

  bool MaDruki() const { return !Druki.empty(); }
  // Record j; j outside 1..LiczbaDrukow (or the block) throws std::out_of_range.
  TDruk& Druk(int j);
  const TDruk& Druk(int j) const;

  // The look-ups answer the first matching index, or -1.
  int ZnajdzDruk(int idPit) const;
  int ZnajdzDrukRodzic(int idPit, int idParent) const;
  int ZnajdzDrukPM(int idPit, int pm) const;
  int ZnajdzDrukRodzicPM(int idPit, int idParent, int pm) const;
  // Records of a type under a parent; pm -1 counts every owner.
  int PoliczDruki(int idPit, int idParent, int pm) const;
  // The first attachment; else 1 when there are records, 0 when none.
  int ZnajdzPierwszyZalacznik() const;

  // A fresh block for n records plus the empty slot 0.
  void PrzydzielDruki(int n);
  // Appends a record; a negative parent adds nothing.
  void DodajDruk(int idPit, int idParent, int pm, int rodzaj);
  // Removes the record; a main form goes with its attachments and the parents above it are renumbered.
  void UsunDruk(int idPit, int idParent, int pm);
  // Drops every record; the identification blocks stay.
  void Wyczysc();
  // Empties both identification blocks.
  void WyczyscOsoby();
};
