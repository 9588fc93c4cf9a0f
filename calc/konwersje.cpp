#include "calc/konwersje.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "platform/cp1250.h"

namespace {

constexpr int kCyfryZnaczace = 15;
// General format switches to exponent form outside this range of decimal exponents.
constexpr int kNajmniejszyWykladnikStaly = -5;
constexpr int kNajwiekszyWykladnikStaly = kCyfryZnaczace - 1;

// A finite non-zero value rounded to 15 significant digits: d.ddd... x 10^wykladnik, trailing zeros dropped.
struct Rozklad {
  bool ujemna = false;
  std::string cyfry;
  int wykladnik = 0;
};

long double Potega10(int n) {
  long double p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// The digits of a value from 1e-5 up to 1e15 from one product, unless it lies too near a rounding tie for a long
// double product to tell the side reliably.
bool RozlozSzybko(long double a, Rozklad& r) {
  if (!(a >= 1e-5L && a < 1e15L)) return false;
  int wykladnik = static_cast<int>(std::floor(std::log10(a)));
  const long double p = a * Potega10(kCyfryZnaczace - 1 - wykladnik);
  const long double ulamek = p - std::floor(p);
  if (std::fabs(ulamek - 0.5L) < 1e-3L) return false;
  auto m = static_cast<long long>(std::llround(p));
  if (m == 1000000000000000LL) {
    m /= 10;
    ++wykladnik;
  }
  // A logarithm a hair off at a power of ten: leave it to the exact conversion.
  if (m < 100000000000000LL || m >= 1000000000000000LL) return false;
  r.cyfry = std::to_string(m);
  r.wykladnik = wykladnik;
  while (r.cyfry.size() > 1 && r.cyfry.back() == '0') r.cyfry.pop_back();
  return true;
}

Rozklad Rozloz(long double x) {
  Rozklad r;
  r.ujemna = std::signbit(x);
  if (RozlozSzybko(std::fabs(x), r)) return r;
  char bufor[64];
  const auto wynik =
      std::to_chars(bufor, bufor + sizeof bufor, std::fabs(x), std::chars_format::scientific, kCyfryZnaczace - 1);
  const std::string_view tekst(bufor, static_cast<std::size_t>(wynik.ptr - bufor));
  const std::size_t e = tekst.find('e');
  for (char c : tekst.substr(0, e))
    if (c != '.') r.cyfry.push_back(c);
  while (r.cyfry.size() > 1 && r.cyfry.back() == '0') r.cyfry.pop_back();
  const std::string_view wykladnik = tekst.substr(e + 1);
  std::from_chars(wykladnik.data() + (wykladnik.front() == '+' ? 1 : 0), wykladnik.data() + wykladnik.size(),
                  r.wykladnik);
  return r;
}

// Fixed notation; whole digits beyond the significant ones are zeros.
std::string ZapisStaly(const Rozklad& r, char separator) {
  std::string wynik = r.ujemna ? "-" : "";
  const int n = static_cast<int>(r.cyfry.size());
  if (r.wykladnik < 0) {
    wynik += '0';
    wynik += separator;
    wynik.append(static_cast<std::size_t>(-r.wykladnik - 1), '0');
    wynik += r.cyfry;
    return wynik;
  }
  const int calkowite = r.wykladnik + 1;
  if (n <= calkowite) {
    wynik += r.cyfry;
    wynik.append(static_cast<std::size_t>(calkowite - n), '0');
  } else {
    wynik.append(r.cyfry, 0, static_cast<std::size_t>(calkowite));
    wynik += separator;
    wynik.append(r.cyfry, static_cast<std::size_t>(calkowite));
  }
  return wynik;
}

std::string ZapisWykladniczy(const Rozklad& r, char separator) {
  std::string wynik = r.ujemna ? "-" : "";
  wynik += r.cyfry.front();
  if (r.cyfry.size() > 1) {
    wynik += separator;
    wynik.append(r.cyfry, 1);
  }
  wynik += 'E';
  wynik += std::to_string(r.wykladnik);
  return wynik;
}

std::size_t PominSpacje(std::string_view t, std::size_t i) {
  while (i < t.size() && t[i] == ' ') ++i;
  return i;
}

bool JestCyfra(char c) { return c >= '0' && c <= '9'; }

// The binary remnant, in grosze (10^-4 grosz is 10^-6 zloty): amounts typed in grosze and only added, subtracted or
// copied miss their exact result by far less; a share or a product with a real fraction of a grosz lies further off.
constexpr long double kResztaBinarnaWGroszach = 1e-4L;
// Whole grosze are written out while they fit the 15 significant digits of the general format.
constexpr long double kGranicaGroszy = 1e15L;

// The whole number of grosze x stands for, when it lies within the binary remnant of one. The product's own
// rounding is far below the tolerance wherever a remnant could show in 15 digits.
std::optional<long long> CaleGrosze(long double x) {
  const long double wGroszach = x * 100;
  const long double grosze = std::round(wGroszach);
  if (!(std::fabs(grosze) < kGranicaGroszy) || std::fabs(wGroszach - grosze) > kResztaBinarnaWGroszach)
    return std::nullopt;
  return static_cast<long long>(grosze);
}

std::string TekstGroszy(long long grosze) {
  const long long bez = grosze < 0 ? -grosze : grosze;
  const long long reszta = bez % 100;
  std::string wynik = grosze < 0 ? "-" : "";
  wynik += std::to_string(bez / 100);
  wynik += reszta < 10 ? ",0" : ",";
  return wynik += std::to_string(reszta);
}

}  // namespace

BladKonwersjiLiczby::BladKonwersjiLiczby(std::string_view tekstCp1250)
    : std::runtime_error(
          ("'" + platform::ZCp1250(tekstCp1250) + "' is not a valid floating point value").toStdString()) {}

long double StrToFloat(std::string_view tekst, char separator) {
  // The accepted shape is rebuilt in C notation, so the conversion does not depend on the process locale.
  std::string c;
  std::size_t i = PominSpacje(tekst, 0);
  if (i < tekst.size() && (tekst[i] == '+' || tekst[i] == '-')) {
    if (tekst[i] == '-') c += '-';
    ++i;
  }
  int cyfry = 0;
  int miejsca = 0;
  long long mantysa = 0;
  for (; i < tekst.size() && JestCyfra(tekst[i]); ++i, ++cyfry) {
    c += tekst[i];
    if (cyfry < 18) mantysa = mantysa * 10 + (tekst[i] - '0');
  }
  if (i < tekst.size() && tekst[i] == separator) {
    c += '.';
    for (++i; i < tekst.size() && JestCyfra(tekst[i]); ++i, ++cyfry, ++miejsca) {
      c += tekst[i];
      if (cyfry < 18) mantysa = mantysa * 10 + (tekst[i] - '0');
    }
  }
  if (cyfry == 0) throw BladKonwersjiLiczby(tekst);
  const bool mantysaDokladna = cyfry <= 18;
  bool ujemnyWykladnik = false;
  bool maWykladnik = false;
  if (i < tekst.size() && (tekst[i] == 'E' || tekst[i] == 'e')) {
    maWykladnik = true;
    c += 'e';
    ++i;
    if (i < tekst.size() && (tekst[i] == '+' || tekst[i] == '-')) {
      ujemnyWykladnik = tekst[i] == '-';
      if (ujemnyWykladnik) c += '-';
      ++i;
    }
    int cyfryWykladnika = 0;
    for (; i < tekst.size() && JestCyfra(tekst[i]); ++i, ++cyfryWykladnika) c += tekst[i];
    if (cyfryWykladnika == 0) throw BladKonwersjiLiczby(tekst);
  }
  if (PominSpacje(tekst, i) != tekst.size()) throw BladKonwersjiLiczby(tekst);

  // Both operands exact, so the one division is correctly rounded, as the full conversion is.
  long double wartosc = 0;
  if (mantysaDokladna && !maWykladnik) {
    const long double w = static_cast<long double>(mantysa) / Potega10(miejsca);
    wartosc = c.front() == '-' ? -w : w;
  } else {
    const auto wynik = std::from_chars(c.data(), c.data() + c.size(), wartosc);
    if (wynik.ec == std::errc::result_out_of_range) {
      // Too small to hold is zero; too large is not a value.
      if (!ujemnyWykladnik) throw BladKonwersjiLiczby(tekst);
      return c.front() == '-' ? -0.0L : 0.0L;
    }
  }
  if (!(std::fabs(wartosc) < kGranicaKwoty)) throw BladKonwersjiLiczby(tekst);
  return wartosc;
}

std::string FloatToStr(long double x, char separator) {
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
  if (x == 0) return "0";
  const Rozklad r = Rozloz(x);
  if (r.wykladnik < kNajmniejszyWykladnikStaly || r.wykladnik > kNajwiekszyWykladnikStaly)
    return ZapisWykladniczy(r, separator);
  return ZapisStaly(r, separator);
}

std::string FormatujKwote(std::string_view tekst) {
  std::string wynik(tekst);
  std::size_t przecinek = wynik.find(',');
  if (przecinek != std::string::npos && wynik.size() - przecinek == 3) return wynik;
  if (wynik.empty()) return wynik;
  // A trailing ',' goes whichever comma it is, so "1,23," is "1,23"; the first comma is then looked for again.
  if (wynik.back() == ',') {
    wynik.pop_back();
    przecinek = wynik.find(',');
  }
  if (przecinek == std::string::npos) {
    przecinek = wynik.size();
    wynik += ",00";
  }
  if (wynik.size() - przecinek == 2) wynik += '0';
  return wynik;
}

std::string TekstKwoty(long double x) {
  if (!std::isfinite(x)) return FormatujKwote(FloatToStr(x));
  if (const auto grosze = CaleGrosze(x)) return TekstGroszy(*grosze);
  // Noise below the fixed notation's range is zero; beyond it the whole digits are written out, never an exponent.
  const Rozklad r = Rozloz(x);
  if (r.wykladnik < kNajmniejszyWykladnikStaly) return "0,00";
  return FormatujKwote(ZapisStaly(r, ','));
}
