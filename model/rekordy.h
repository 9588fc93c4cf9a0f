#pragma once
// Byte-exact codecs of the file records: .dc8 (TDruk), .dcs (TObiekt), .dcd (TNaglowekFormularza).
// Little-endian, field by field; pointers and padding are written as zeros unless the record keeps them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/druk.h"
#include "model/obiekt.h"

namespace rekordy {

constexpr std::size_t kRozmiarPolaDruku = 392;
constexpr std::size_t kRozmiarNaglowkaDruku = 32;
constexpr std::size_t kRozmiarDruku = kRozmiarNaglowkaDruku + kLiczbaPol * kRozmiarPolaDruku;  // 137,232
constexpr std::size_t kRozmiarObiektu = 3808;
constexpr std::size_t kRozmiarNaglowkaFormularza = 276;

void Zakoduj(const TDruk& druk, std::span<std::uint8_t, kRozmiarDruku> wyjscie);
TDruk DekodujDruk(std::span<const std::uint8_t, kRozmiarDruku> wejscie);

void Zakoduj(const TObiekt& obiekt, std::span<std::uint8_t, kRozmiarObiektu> wyjscie);
TObiekt DekodujObiekt(std::span<const std::uint8_t, kRozmiarObiektu> wejscie);

void Zakoduj(const TNaglowekFormularza& naglowek, std::span<std::uint8_t, kRozmiarNaglowkaFormularza> wyjscie);
TNaglowekFormularza DekodujNaglowek(std::span<const std::uint8_t, kRozmiarNaglowkaFormularza> wejscie);

// Whole records of a byte block; a partial tail is ignored.
std::vector<TObiekt> DekodujObiekty(std::span<const std::uint8_t> bajty);
std::vector<std::uint8_t> ZakodujObiekty(std::span<const TObiekt> obiekty);

}  // namespace rekordy
