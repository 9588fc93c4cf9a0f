#pragma once
// The page picture (.dcg) as an SVG file: A4 in 1600 x 2263 units, the layout's display pixels doubled.

#include <string>

#include "uklad.h"

namespace formularze {

constexpr int kSzerokoscObrazu = 2 * kSzerokoscStrony;  // 1600
constexpr int kWysokoscObrazu = 2263;                   // shown 800 x 1131

// The picture of page `strona` (1-based).
std::string ObrazStrony(const Uklad& uklad, int strona);

}  // namespace formularze
