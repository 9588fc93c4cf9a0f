#pragma once
// One form type from source to files: read, check, lay out, and write N.dcd, N.dcs and N_p.dcg.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/obiekt.h"
#include "uklad.h"
#include "zrodlo.h"

namespace formularze {

struct Formularz {
  Zrodlo zrodlo;
  Uklad uklad;
  std::vector<TObiekt> obiekty;
};

struct Przygotowanie {
  Formularz formularz;
  std::vector<Blad> bledy;  // empty: the form may be written
};

// Reads and checks a source against the rules of its form type, then lays it out.
Przygotowanie Przygotuj(std::string_view tekst, const std::string& plik);

// Writes the structure into `folder`, which must exist; throws std::runtime_error when a file cannot be written.
void Zapisz(const Formularz& formularz, const std::filesystem::path& folder);

}  // namespace formularze
