#include "calc/wartosci.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "calc/ekran.h"
#include "model/druk.h"

namespace {

// Amounts are written with 15 significant digits; beyond 9 decimals a value carries only arithmetic noise.
constexpr int kCyfryZnaczace = 15;
constexpr int kNajwiecejMiejsc = 9;
constexpr long double kGranicaDziesietnej = 1e15L;

// A value as the decimal it denotes: mantysa / 10^skala, 0 <= skala <= 9.
struct Dziesietna {
  std::int64_t mantysa = 0;
  int skala = 0;
};

std::int64_t Potega10(int n) {
  std::int64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

std::int64_t PodlogaIlorazu(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

// The value rounded to 15 significant digits.
long double Do15Cyfr(long double x) {
  char bufor[64];
  const auto koniec =
      std::to_chars(bufor, bufor + sizeof bufor, x, std::chars_format::scientific, kCyfryZnaczace - 1).ptr;
  long double wynik = x;
  std::from_chars(bufor, koniec, wynik);
  return wynik;
}

// The integer nearest to p, unless p lies too near a tie for a long double product to tell the side reliably.
std::optional<std::int64_t> PewneZaokraglenie(long double p) {
  const long double ulamek = p - std::floor(p);
  if (std::fabs(ulamek - 0.5L) < 1e-3L) return std::nullopt;
  return static_cast<std::int64_t>(std::llround(p));
}

// Powers of ten held exactly in a long double.
long double Potega10L(int n) {
  long double p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// None for values that are not finite or too large to hold a fraction at 15 significant digits.
std::optional<Dziesietna> NaDziesietna(long double x) {
  if (!std::isfinite(x) || std::fabs(x) >= kGranicaDziesietnej) return std::nullopt;
  if (x == 0) return Dziesietna{};
  // Fast path: the decimal exponent from a comparison, the digits from one product.
  int wykladnik = 5;
  while (wykladnik < 14 && std::fabs(x) >= Potega10L(wykladnik + 1)) ++wykladnik;
  const int skalaSzybka = std::min(kNajwiecejMiejsc, kCyfryZnaczace - 1 - wykladnik);
  if (const auto m = PewneZaokraglenie(x * Potega10L(skalaSzybka))) return Dziesietna{*m, skalaSzybka};

  char bufor[64];
  auto koniec = std::to_chars(bufor, bufor + sizeof bufor, x, std::chars_format::scientific, kCyfryZnaczace - 1).ptr;
  const char* e = std::find(bufor, koniec, 'e');
  std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), koniec, wykladnik);
  const int skala = std::min(kNajwiecejMiejsc, kCyfryZnaczace - 1 - wykladnik);
  if (skala < 0) return std::nullopt;

  koniec = std::to_chars(bufor, bufor + sizeof bufor, x, std::chars_format::fixed, skala).ptr;
  std::string cyfry(bufor, koniec);
  std::erase(cyfry, '.');
  Dziesietna d;
  d.skala = skala;
  std::from_chars(cyfry.data(), cyfry.data() + cyfry.size(), d.mantysa);
  return d;
}

// n / mianownik as the nearest long double; zero without a sign.
long double Wynik(std::int64_t n, long double mianownik) {
  return n == 0 ? 0.0L : static_cast<long double>(n) / mianownik;
}

std::int64_t Grosze(const Dziesietna& d) {
  if (d.skala <= 2) return d.mantysa * Potega10(2 - d.skala);
  const std::int64_t tysieczne = PodlogaIlorazu(d.mantysa, Potega10(d.skala - 3));
  const std::int64_t grosze = PodlogaIlorazu(tysieczne, 10);
  const std::int64_t cyfra = tysieczne - 10 * grosze;
  return cyfra >= 5 ? grosze + 1 : grosze;
}

}  // namespace

TPoleDruku& PoleDruku(KontekstObliczen& kx, int k, int j) {
  TDruk& druk = kx.R.Druk(j);
  if (k < 0 || k >= kLiczbaPol)
    throw std::out_of_range("Field index " + std::to_string(k) + " outside 0.." + std::to_string(kLiczbaPol - 1));
  return druk.Pola[static_cast<std::size_t>(k)];
}

long double WartoscPola(KontekstObliczen& kx, int k, int j) { return StrToFloat(Tekst(PoleDruku(kx, k, j).Wartosc)); }

long double SumaPol(KontekstObliczen& kx, int a, int b, int j) {
  long double suma = 0;
  for (int i = a; i <= b; ++i) suma = WartoscPola(kx, i, j) + suma;
  return suma;
}

long double PoliczUdzial(KontekstObliczen& kx, int a, int b, int j) {
  const long double p = WartoscPola(kx, a, j) * 100.0L;
  const long double q = WartoscPola(kx, b, j) * 100.0L;
  return ((p * q) * 0.01L) * 0.0001L;
}

void ZapiszKwote(KontekstObliczen& kx, int k, int j, long double wartosc) {
  UstawBajty(PoleDruku(kx, k, j).Wartosc, TekstKwoty(wartosc));
}

void UstawTekstPola(KontekstObliczen& kx, int k, int j, std::string_view tekst) {
  UstawBajty(PoleDruku(kx, k, j).Wartosc, tekst);
}

long double ZaokraglijDoGroszy(long double x) {
  const auto d = NaDziesietna(x);
  if (!d) return std::isfinite(x) ? Do15Cyfr(x) : x;
  return Wynik(Grosze(*d), 100.0L);
}

long double ObetnijDoDziesiatekGroszy(double x) {
  const auto d = NaDziesietna(x);
  if (!d) return std::isfinite(x) ? Do15Cyfr(x) : x;
  const std::int64_t dziesiatki =
      d->skala >= 1 ? PodlogaIlorazu(d->mantysa, Potega10(d->skala - 1)) : d->mantysa * 10;
  return Wynik(dziesiatki, 10.0L);
}

long double ZaokraglijDoZlotych(long double x) {
  const auto d = NaDziesietna(x);
  if (!d) return std::isfinite(x) ? Do15Cyfr(x) : x;
  const std::int64_t grosze = Grosze(*d);
  const std::int64_t zlote = PodlogaIlorazu(grosze, 100);
  return Wynik(grosze - 100 * zlote >= 50 ? zlote + 1 : zlote, 1.0L);
}
