#pragma once
// Colour texts of the field objects: six hexadecimal digits RRGGBB, red first.

#include <QRgb>
#include <cstdint>
#include <stdexcept>
#include <string_view>

// A text that is not an integer. what() is "'<text>' is not a valid integer value", in UTF-8.
class BladKonwersjiCalkowitej : public std::runtime_error {
 public:
  explicit BladKonwersjiCalkowitej(std::string_view tekstCp1250);
};

// The palette's colour text conversion, kept beside the drawing that reads the record's bytes: a colour text as a
// Windows colour value, red in the low byte: "FFFFFF" 16777215, "D9FFD9" 14286809. The empty
// text is white; a fifth character alone forms the blue pair and characters after the sixth are ignored. Fewer than
// five characters, or a pair that is not hexadecimal, throws BladKonwersjiCalkowitej naming that pair.
std::int32_t KolorZTekstu(std::string_view tekst);

// A Windows colour value as a Qt colour.
constexpr QRgb KolorQt(std::int32_t kolor) {
  const auto u = static_cast<std::uint32_t>(kolor);
  return qRgb(static_cast<int>(u & 0xFF), static_cast<int>((u >> 8) & 0xFF), static_cast<int>((u >> 16) & 0xFF));
}

// For drawing: the colour of a text of exactly six hexadecimal digits, white for the empty text, and the given
// default for anything else, so one bad field never stops a page.
QRgb KolorLubDomyslny(std::string_view tekst, QRgb domyslny);
