// Builds the form structures of the program's dc folder from the readable sources:
//   velmar_formgen <output folder> <source>...
// A source that breaks a rule the program relies on is refused with file, line and rule, and nothing of it is
// written; the exit status is then 1.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "formularz.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: velmar_formgen <output folder> <source>...\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code blad;
  std::filesystem::create_directories(folder, blad);
  if (blad) {
    std::cerr << "cannot create " << folder.string() << ": " << blad.message() << "\n";
    return 1;
  }
  int wynik = 0;
  for (int i = 2; i < argc; ++i) {
    const std::filesystem::path sciezka = argv[i];
    std::ifstream plik(sciezka, std::ios::binary);
    if (!plik) {
      std::cerr << sciezka.string() << ": cannot read\n";
      wynik = 1;
      continue;
    }
    std::ostringstream tekst;
    tekst << plik.rdbuf();
    const auto przygotowanie = formularze::Przygotuj(tekst.str(), sciezka.string());
    for (const auto& b : przygotowanie.bledy) std::cerr << formularze::Opis(b) << "\n";
    if (!przygotowanie.bledy.empty()) {
      wynik = 1;
      continue;
    }
    try {
      formularze::Zapisz(przygotowanie.formularz, folder);
    } catch (const std::exception& e) {
      std::cerr << sciezka.string() << ": " << e.what() << "\n";
      wynik = 1;
    }
  }
  return wynik;
}
