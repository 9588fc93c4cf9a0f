#pragma once
// Number <-> text conversions with the rules the settlement's amount texts were written by: a decimal separator
// taken from the regional settings, general format with 15 significant digits.

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/regionalne.h"

// A text that is not a number. what() is "'<text>' is not a valid floating point value", in UTF-8.
class BladKonwersjiLiczby : public std::runtime_error {
 public:
  explicit BladKonwersjiLiczby(std::string_view tekstCp1250);
};

// Every number of the settlement is an amount written with at most 15 digits before its decimal separator: its
// magnitude stays below this.
inline constexpr long double kGranicaKwoty = 1e15L;

// Windows-1250 text to a number: blanks around, an optional sign, digits with at most one separator and at least
// one digit, an optional exponent (E or e, optional sign, digits). Anything else, the empty text and thousands
// separators included, throws BladKonwersjiLiczby, and so does a value that is no amount: not below kGranicaKwoty
// in magnitude ("1e308", 16 digits and more), the more so "nan" or "inf". Converts to the nearest value.
long double StrToFloat(std::string_view tekst, char separator);

inline long double StrToFloat(std::string_view tekst) {
  return StrToFloat(tekst, platform::Regionalne().SeparatorDziesietny().toLatin1());
}

// General format with 15 significant digits: fixed notation while the decimal exponent lies in -5..14, otherwise
// d,dddE<exp>; no trailing zeros, no thousands separator; "NAN", "INF", "-INF" for the special values.
std::string FloatToStr(long double x, char separator = ',');

// An amount text brought to two decimals after its first ',': "12" -> "12,00", "12," -> "12,00", "12,5" -> "12,50",
// "1,23," -> "1,23" (a trailing ',' is dropped). Two decimals already, more than two, and the empty text are kept.
std::string FormatujKwote(std::string_view tekst);

// The amount text of the write sequence: FloatToStr, then two decimals. A value within a binary remnant (10^-6) of
// a whole number of grosze is written as those grosze, as sums and differences of amounts come out ("1,02", never
// "1,01999999999998"); a real fraction of a grosz keeps its digits ("12,345"). Values too small for fixed notation
// are rounding noise and give "0,00"; values too large for it are written in full digits instead of exponent form.
std::string TekstKwoty(long double x);
