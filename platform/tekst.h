#pragma once
// Fixed, NUL-terminated Windows-1250 text fields of the file records.

#include <QString>
#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "platform/cp1250.h"

template <std::size_t N>
using TTekst = std::array<char, N>;

// The text of a field, bounded by its width even when the bytes hold no terminator.
template <std::size_t N>
std::string_view Tekst(const TTekst<N>& pole) {
  const auto koniec = std::find(pole.begin(), pole.end(), '\0');
  return std::string_view(pole.data(), static_cast<std::size_t>(koniec - pole.begin()));
}

// Stores at most N-1 bytes (already Windows-1250), the terminator, and zeros after it.
template <std::size_t N>
void UstawBajty(TTekst<N>& pole, std::string_view tekst) {
  const std::size_t n = std::min(tekst.size(), N - 1);
  std::copy_n(tekst.data(), n, pole.begin());
  std::fill(pole.begin() + static_cast<std::ptrdiff_t>(n), pole.end(), '\0');
}

// The text for the user interface.
template <std::size_t N>
QString NaQString(const TTekst<N>& pole) {
  return platform::ZCp1250(Tekst(pole));
}

// Stores a user-interface text, converted to Windows-1250 and cut at the field's width.
template <std::size_t N>
void UstawTekst(TTekst<N>& pole, const QString& tekst) {
  UstawBajty(pole, platform::DoCp1250(tekst));
}
