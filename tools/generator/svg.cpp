#include "svg.h"

#include <array>
#include <cstdio>
#include <map>
#include <tuple>

namespace formularze {

namespace {

// Qt SVG takes a font-family list as one family name and falls back to its default font, whose wider glyphs
// overflow the boxes; Liberation Sans alone is found, and where it is missing the system substitutes a sans font.
constexpr const char* kCzcionka = "Liberation Sans";

// Colours of the official forms: white boxes on a light green tint, darker bars for the sections.
struct WygladStylu {
  Styl styl;
  const char* atrybuty;
};
constexpr std::array<WygladStylu, 11> kWyglad = {{
    {Styl::Tlo, R"(fill="#E6F1D8" stroke="#3E4C35" stroke-width="1.6")"},
    {Styl::Sekcja, R"(fill="#B9D69C" stroke="#3E4C35" stroke-width="1.6")"},
    {Styl::Podsekcja, R"(fill="#D2E6BD" stroke="#3E4C35" stroke-width="1.6")"},
    {Styl::Glowka, R"(fill="#D9EAC7" stroke="#3E4C35" stroke-width="1.6")"},
    {Styl::Tytul, R"(fill="#FFFFFF" stroke="#3E4C35" stroke-width="2.4")"},
    {Styl::Pusta, R"(fill="#C5CCBD" stroke="none")"},
    {Styl::Linia, R"(stroke="#3E4C35" stroke-width="1.6")"},
    {Styl::Szara, R"(fill="#D5D8D0" stroke="#6B7762" stroke-width="1.2")"},
    {Styl::Biala, R"(fill="#FFFFFF" stroke="#6B7762" stroke-width="1.2")"},
    {Styl::Kwadrat, R"(fill="#FFFFFF" stroke="#2E3A27" stroke-width="1.8")"},
    {Styl::Kreska, R"(stroke="#8C9884" stroke-width="1.2")"},
}};

std::string Xml(const std::string& s) {
  std::string wynik;
  wynik.reserve(s.size());
  for (const char c : s) {
    switch (c) {
      case '&':
        wynik += "&amp;";
        break;
      case '<':
        wynik += "&lt;";
        break;
      case '>':
        wynik += "&gt;";
        break;
      case '"':
        wynik += "&quot;";
        break;
      default:
        wynik += c;
    }
  }
  return wynik;
}

// A coordinate in picture units: display pixels doubled, at most one decimal.
std::string J(double piksele) {
  char bufor[32];
  const double v = piksele * 2;
  if (v == static_cast<long>(v))
    std::snprintf(bufor, sizeof bufor, "%ld", static_cast<long>(v));
  else
    std::snprintf(bufor, sizeof bufor, "%.1f", v);
  return bufor;
}

bool JestLinia(Styl s) { return s == Styl::Linia || s == Styl::Kreska; }

}  // namespace

std::string ObrazStrony(const Uklad& uklad, int strona) {
  const RysunekStrony& rys = uklad.strony.at(static_cast<std::size_t>(strona - 1));
  std::string svg;
  svg += R"(<?xml version="1.0" encoding="UTF-8"?>)"
         "\n";
  svg += R"(<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width=")" + std::to_string(kSzerokoscObrazu) +
         R"(" height=")" + std::to_string(kWysokoscObrazu) + R"(" viewBox="0 0 )" + std::to_string(kSzerokoscObrazu) +
         " " + std::to_string(kWysokoscObrazu) + R"(" font-family=")" + kCzcionka + "\">\n";
  svg += R"(<rect x="0" y="0" width=")" + std::to_string(kSzerokoscObrazu) + R"(" height=")" +
         std::to_string(kWysokoscObrazu) +
         R"(" fill="#FFFFFF"/>)"
         "\n";

  // Shapes by style, in the order of the table, so boxes and lines lie over the tint.
  for (const WygladStylu& w : kWyglad) {
    std::string grupa;
    for (const Ksztalt& k : rys.ksztalty) {
      if (k.styl != w.styl) continue;
      const Prostokat& p = k.p;
      if (JestLinia(k.styl)) {
        grupa += "<line x1=\"" + J(p.lewy) + "\" y1=\"" + J(p.gorny) + "\" x2=\"" + J(p.prawy) + "\" y2=\"" +
                 J(p.dolny) + "\"/>\n";
      } else {
        grupa += "<rect x=\"" + J(p.lewy) + "\" y=\"" + J(p.gorny) + "\" width=\"" + J(p.prawy - p.lewy) +
                 "\" height=\"" + J(p.dolny - p.gorny) + "\"/>\n";
      }
    }
    if (!grupa.empty()) svg += std::string("<g ") + w.atrybuty + ">\n" + grupa + "</g>\n";
  }

  // Texts grouped by size, weight and anchor.
  std::map<std::tuple<double, bool, Kotwica>, std::string> teksty;
  for (const Napis& n : rys.napisy) {
    std::string& grupa = teksty[{n.rozmiar, n.pogrubiony, n.kotwica}];
    grupa += "<text x=\"" + J(n.x) + "\" y=\"" + J(n.y) + "\">" + Xml(n.tekst) + "</text>\n";
  }
  for (const auto& [klucz, grupa] : teksty) {
    const auto& [rozmiar, pogrubiony, kotwica] = klucz;
    svg += "<g fill=\"#1A2214\" font-size=\"" + J(rozmiar) + "\"";
    if (pogrubiony) svg += " font-weight=\"bold\"";
    if (kotwica == Kotwica::Srodek) svg += " text-anchor=\"middle\"";
    if (kotwica == Kotwica::Prawo) svg += " text-anchor=\"end\"";
    svg += ">\n" + grupa + "</g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace formularze
