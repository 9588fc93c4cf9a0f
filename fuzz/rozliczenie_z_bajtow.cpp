#include "rozliczenie_z_bajtow.h"

#include <algorithm>

#include "model/rekordy.h"

namespace fuzz {

QByteArray RozliczenieZBajtow(std::span<const std::uint8_t> wejscie) {
  constexpr auto kRekord = static_cast<qsizetype>(rekordy::kRozmiarDruku);
  constexpr qsizetype kNaglowek = rekordy::kRozmiarNaglowkaDruku;
  constexpr qsizetype kPole = rekordy::kRozmiarPolaDruku;
  if (wejscie.empty()) return {};
  const qsizetype liczba = wejscie[0] % 9;
  std::size_t i = 1;
  QByteArray plik(liczba * kRekord, '\0');
  for (qsizetype r = 0; r < liczba; ++r) {
    const std::size_t ile = std::min<std::size_t>(kNaglowek, wejscie.size() - std::min(i, wejscie.size()));
    std::copy_n(wejscie.begin() + static_cast<std::ptrdiff_t>(std::min(i, wejscie.size())), ile, plik.begin() + r * kRekord);
    i += kNaglowek;
  }
  while (liczba > 0 && i + 5 <= wejscie.size()) {
    const qsizetype r = wejscie[i] % liczba;
    const qsizetype k = (wejscie[i + 1] | (wejscie[i + 2] << 8)) % static_cast<int>(kLiczbaPol);
    const std::uint8_t flagi = wejscie[i + 3];
    const std::size_t dlugosc = std::min<std::size_t>({wejscie[i + 4], 355, wejscie.size() - (i + 5)});
    i += 5;
    const qsizetype pole = r * kRekord + kNaglowek + k * kPole;
    std::fill_n(plik.begin() + pole + 36, 355, '\0');
    for (std::size_t z = 0; z < ((flagi & 2) && dlugosc > 0 ? 355 : dlugosc); ++z)
      plik[pole + 36 + static_cast<qsizetype>(z)] = static_cast<char>(wejscie[i + z % dlugosc]);
    plik[pole + 391] = static_cast<char>(flagi & 1);
    i += dlugosc;
  }
  return plik;
}

}  // namespace fuzz
