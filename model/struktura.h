#pragma once
// The form-structure files on disk: the field objects (.dcs, a flat run of 3808-byte records) and the header
// (.dcd, one 276-byte record). Each call opens the file and closes it before it returns.

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/druk.h"
#include "model/obiekt.h"

namespace struktura {

// The objects of a .dcs file's bytes: size div 3808 of them, a shorter tail ignored; each coordinate multiplied
// by skala and truncated toward zero (exact for every coordinate when skala is 1).
std::vector<TObiekt> ObiektyZBajtow(std::span<const std::uint8_t> bajty, float skala);
// Null when the file cannot be opened or read.
std::optional<std::vector<TObiekt>> CzytajObiekty(const QString& sciezka, float skala);

// Appends one record, creating the file when missing.
bool DopiszObiekt(const QString& sciezka, const TObiekt& obiekt);
// Record k of an existing file; null when the file or the record is not there.
std::optional<TObiekt> CzytajObiekt(const QString& sciezka, int k);
// Rewrites record k of an existing file in place; false when the file or the record is not there.
bool ZapiszObiekt(const QString& sciezka, int k, const TObiekt& obiekt);
// Rewrites the whole file with these records.
bool ZapiszObiekty(const QString& sciezka, std::span<const TObiekt> obiekty);

// The header of a .dcd file's bytes; null when they are fewer than 276 (bytes after them are ignored).
std::optional<TNaglowekFormularza> NaglowekZBajtow(std::span<const std::uint8_t> bajty);
// Null when the file cannot be read or is shorter than a header.
std::optional<TNaglowekFormularza> CzytajNaglowek(const QString& sciezka);
// Creates or empties the file and writes the 276 bytes.
bool ZapiszNaglowek(const QString& sciezka, const TNaglowekFormularza& naglowek);

// Fills a record's entries with the defaults of its form's field objects and marks it loaded; a missing or empty
// file leaves it as it is.
void WczytajDomyslne(TDruk& druk, const QString& plikDcs);

}  // namespace struktura
