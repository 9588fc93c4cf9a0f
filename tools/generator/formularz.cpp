#include "formularz.h"

#include <array>
#include <fstream>
#include <stdexcept>

#include "model/rekordy.h"
#include "obiekty.h"
#include "reguly.h"
#include "svg.h"

namespace formularze {

namespace {

void ZapiszPlik(const std::filesystem::path& sciezka, const void* dane, std::size_t rozmiar) {
  std::ofstream plik(sciezka, std::ios::binary | std::ios::trunc);
  plik.write(static_cast<const char*>(dane), static_cast<std::streamsize>(rozmiar));
  plik.close();
  if (!plik) throw std::runtime_error("cannot write " + sciezka.string());
}

}  // namespace

Przygotowanie Przygotuj(std::string_view tekst, const std::string& plik) {
  Przygotowanie wynik;
  try {
    wynik.formularz.zrodlo = WczytajZrodlo(tekst, plik);
  } catch (const BladZrodla& b) {
    wynik.bledy.push_back(b.blad());
    return wynik;
  }
  const Zrodlo& z = wynik.formularz.zrodlo;
  const RegulyFormularza* reguly = RegulyDla(z.kod);
  if (!reguly) {
    wynik.bledy.push_back(Blad{plik, z.kodLinia, "form-code", "no rules for form " + std::to_string(z.kod)});
    return wynik;
  }
  wynik.bledy = Sprawdz(z, *reguly);
  if (!wynik.bledy.empty()) return wynik;
  wynik.formularz.uklad = Rozmiesc(z);
  wynik.bledy = wynik.formularz.uklad.bledy;
  if (wynik.bledy.empty()) wynik.formularz.obiekty = Obiekty(z, wynik.formularz.uklad);
  return wynik;
}

void Zapisz(const Formularz& formularz, const std::filesystem::path& folder) {
  const std::string stem = std::to_string(formularz.zrodlo.kod);

  const auto dcd = folder / (stem + ".dcd");
  std::array<std::uint8_t, rekordy::kRozmiarNaglowkaFormularza> naglowek{};
  rekordy::Zakoduj(Naglowek(formularz.zrodlo, dcd.string()),
                   std::span<std::uint8_t, rekordy::kRozmiarNaglowkaFormularza>(naglowek));
  ZapiszPlik(dcd, naglowek.data(), naglowek.size());

  const auto obiekty = rekordy::ZakodujObiekty(formularz.obiekty);
  ZapiszPlik(folder / (stem + ".dcs"), obiekty.data(), obiekty.size());

  for (int s = 1; s <= formularz.zrodlo.liczbaStron; ++s) {
    const std::string obraz = ObrazStrony(formularz.uklad, s);
    ZapiszPlik(folder / (stem + "_" + std::to_string(s) + ".dcg"), obraz.data(), obraz.size());
  }
}

}  // namespace formularze
