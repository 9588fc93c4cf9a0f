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

// A structure holds at most this many objects; a header file needs no more than its one record. Larger files are
// refused unread.
inline constexpr qint64 kNajwiecejObiektow = 1024;
inline constexpr qint64 kNajwiekszyPlikDcs = kNajwiecejObiektow * 3808;
inline constexpr qint64 kNajwiekszyPlikDcd = 64 * 1024;

// The objects of a .dcs file's bytes: size div 3808 of them, a shorter tail ignored; each coordinate multiplied
// by skala and truncated toward zero (exact for every coordinate when skala is 1).
std::vector<TObiekt> ObiektyZBajtow(std::span<const std::uint8_t> bajty, float skala);
// Null when the file cannot be opened or read, or is refused (no regular file, too large); blad then says why.
std::optional<std::vector<TObiekt>> CzytajObiekty(const QString& sciezka, float skala, QString* blad = nullptr);

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
// Null when the file cannot be read, is refused or is shorter than a header; blad receives a refusal.
std::optional<TNaglowekFormularza> CzytajNaglowek(const QString& sciezka, QString* blad = nullptr);
// Creates or empties the file and writes the 276 bytes.
bool ZapiszNaglowek(const QString& sciezka, const TNaglowekFormularza& naglowek);

// A field's value and tick as a fresh record of the form has them: the object's default.
void PrzywrocDomyslne(TPoleDruku& pole, const TObiekt& obiekt);

// Fills a record's entries with the defaults of its form's field objects and marks it loaded; a missing or empty
// file leaves it as it is.
void WczytajDomyslne(TDruk& druk, const QString& plikDcs);

}  // namespace struktura
