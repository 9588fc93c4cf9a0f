#pragma once
// Little-endian fields of fixed-layout file records. Every access names its offset at compile time, so a field
// that would reach past its record does not compile. Integers are assembled with shifts and therefore come out
// the same on any host byte order.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace binarny {

template <std::size_t Pozycja, std::size_t N>
void Zapisz(std::span<std::uint8_t, N> rekord, std::uint8_t wartosc) {
  rekord.template subspan<Pozycja, 1>()[0] = wartosc;
}

template <std::size_t Pozycja, std::size_t N>
void Zapisz(std::span<std::uint8_t, N> rekord, std::int32_t wartosc) {
  const auto bajty = rekord.template subspan<Pozycja, 4>();
  const auto u = static_cast<std::uint32_t>(wartosc);
  for (std::size_t i = 0; i < 4; ++i) bajty[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

// A text field goes out as its whole fixed width, bytes after the terminator included. Text fields are nearly all of
// a record's bytes, so they are copied as one block, in and out.
template <std::size_t Pozycja, std::size_t N, std::size_t M>
void Zapisz(std::span<std::uint8_t, N> rekord, const std::array<char, M>& tekst) {
  std::memcpy(rekord.template subspan<Pozycja, M>().data(), tekst.data(), M);
}

// Bytes that carry nothing (pointers, padding) are written as zeros.
template <std::size_t Pozycja, std::size_t Ile, std::size_t N>
void Zeruj(std::span<std::uint8_t, N> rekord) {
  const auto bajty = rekord.template subspan<Pozycja, Ile>();
  std::fill(bajty.begin(), bajty.end(), std::uint8_t{0});
}

template <std::size_t Pozycja, std::size_t N>
void Czytaj(std::span<const std::uint8_t, N> rekord, std::uint8_t& wartosc) {
  wartosc = rekord.template subspan<Pozycja, 1>()[0];
}

template <std::size_t Pozycja, std::size_t N>
void Czytaj(std::span<const std::uint8_t, N> rekord, std::int32_t& wartosc) {
  const auto bajty = rekord.template subspan<Pozycja, 4>();
  std::uint32_t u = 0;
  for (std::size_t i = 0; i < 4; ++i) u |= std::uint32_t{bajty[i]} << (8 * i);
  wartosc = static_cast<std::int32_t>(u);
}

template <std::size_t Pozycja, std::size_t N, std::size_t M>
void Czytaj(std::span<const std::uint8_t, N> rekord, std::array<char, M>& tekst) {
  std::memcpy(tekst.data(), rekord.template subspan<Pozycja, M>().data(), M);
}

// Entry k of an array of Rozmiar-byte entries that starts at Poczatek, as a record of its own.
template <std::size_t Poczatek, std::size_t Rozmiar, std::size_t Liczba, typename Bajt, std::size_t N>
std::span<Bajt, Rozmiar> Wpis(std::span<Bajt, N> rekord, std::size_t k) {
  static_assert(Poczatek + Rozmiar * Liczba <= N, "the entries reach past the record");
  return std::span<Bajt, Rozmiar>(rekord.template subspan<Poczatek, Rozmiar * Liczba>().subspan(k * Rozmiar, Rozmiar));
}

}  // namespace binarny
