// The settlement file reader on hostile bytes: it either refuses with a message or returns the file's whole records,
// saying so exactly when a partial one was left out at the end, and they pass its own checks again after a write and
// a read.

#include <cstdint>
#include <cstdlib>

#include "model/plik_rozliczenia.h"
#include "model/rekordy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  const QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
  const OdczytRozliczenia odczyt = CzytajRozliczenie(bajty, QStringLiteral("fuzz.dc8"));
  if (!odczyt.blad.isEmpty()) {
    if (!odczyt.druki.empty() || !odczyt.uwaga.isEmpty()) std::abort();
    return 0;
  }
  const int liczba = static_cast<int>(odczyt.druki.size()) - 1;
  if (static_cast<std::size_t>(liczba) != rozmiar / rekordy::kRozmiarDruku ||
      odczyt.uwaga.isEmpty() != (rozmiar % rekordy::kRozmiarDruku == 0))
    std::abort();
  const OdczytRozliczenia znow = CzytajRozliczenie(ZakodujRozliczenie(odczyt.druki, liczba), QStringLiteral("x"));
  if (!znow.blad.isEmpty() || !znow.uwaga.isEmpty() || znow.druki.size() != odczyt.druki.size()) std::abort();
  for (int i = 1; i <= liczba; ++i)
    if (znow.druki[i].IdPit != odczyt.druki[i].IdPit || znow.druki[i].IdParent != odczyt.druki[i].IdParent ||
        znow.druki[i].Pola[349].Wartosc != odczyt.druki[i].Pola[349].Wartosc)
      std::abort();
  return 0;
}
