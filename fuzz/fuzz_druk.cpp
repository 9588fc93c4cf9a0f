// A .dc8 record read, written and read again must give the same record, and the written bytes must be the input
// with the node reference and the padding zeroed.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "model/rekordy.h"

namespace {

bool Rowne(const TPoleDruku& a, const TPoleDruku& b) {
  return a.Format == b.Format && a.Typ == b.Typ && a.Nazwa == b.Nazwa && a.IdPit == b.IdPit &&
         a.Strona == b.Strona && a.NrObiektu == b.NrObiektu && a.Wartosc == b.Wartosc &&
         a.Zaznaczone == b.Zaznaczone;
}

bool Rowne(const TDruk& a, const TDruk& b) {
  if (a.Wezel != b.Wezel || a.Id != b.Id || a.IdPit != b.IdPit || a.IdParent != b.IdParent || a.PM != b.PM ||
      a.Rodzaj != b.Rodzaj || a.NrKopii != b.NrKopii || a.Wybrany != b.Wybrany || a.Wczytany != b.Wczytany)
    return false;
  for (std::size_t k = 0; k < a.Pola.size(); ++k)
    if (!Rowne(a.Pola[k], b.Pola[k])) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  if (rozmiar < rekordy::kRozmiarDruku) return 0;
  const std::span<const std::uint8_t, rekordy::kRozmiarDruku> wejscie(dane, rekordy::kRozmiarDruku);
  const auto pierwszy = std::make_unique<TDruk>(rekordy::DekodujDruk(wejscie));
  if (pierwszy->Wezel != nullptr) std::abort();

  std::vector<std::uint8_t> bajty(rekordy::kRozmiarDruku, 0xCC);
  rekordy::Zakoduj(*pierwszy, std::span<std::uint8_t, rekordy::kRozmiarDruku>(bajty));
  for (std::size_t i = 0; i < bajty.size(); ++i) {
    const bool zerowany = i < 4 || i == 30 || i == 31;
    if (bajty[i] != (zerowany ? 0 : wejscie[i])) std::abort();
  }

  const auto drugi = std::make_unique<TDruk>(
      rekordy::DekodujDruk(std::span<const std::uint8_t, rekordy::kRozmiarDruku>(bajty)));
  if (!Rowne(*pierwszy, *drugi)) std::abort();
  return 0;
}
