#pragma once
// The field objects (.dcs) and the header (.dcd) the program reads, built from a source and its layout.

#include <string>
#include <vector>

#include "model/obiekt.h"
#include "uklad.h"

namespace formularze {

// One TObiekt a field, in field order, with the rectangle the layout gave its box.
std::vector<TObiekt> Obiekty(const Zrodlo& zrodlo, const Uklad& uklad);

// The header of a structure written to `sciezka` (kept in the record as text, never read back).
TNaglowekFormularza Naglowek(const Zrodlo& zrodlo, const std::string& sciezka);

}  // namespace formularze
