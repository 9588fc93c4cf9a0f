#pragma once
// What the program relies on in a form structure, per form type, and the checks that refuse a source breaking it.

#include <string>
#include <vector>

#include "zrodlo.h"

namespace formularze {

constexpr int kMaksObiektow = 350;

// A form field that the identification exchange copies to or from field `pole` (0..15) of a person's block.
struct PoleOsoby {
  int indeks = 0;
  int pole = 0;
};

struct RegulyFormularza {
  int kod = 0;
  std::string symbol;
  int liczbaStron = 0;
  std::vector<int> liczbowe;     // read as numbers by a computation: Liczba with default "0,00"
  std::vector<int> polaWyboru;   // ticked or read as boxes by a computation
  std::vector<PoleOsoby> osoby;  // identification fields
  int najwyzszyIndeks = 0;       // the highest index a computation or the locking names
};

// The rules of a form type; nullptr for a type this generator does not know.
const RegulyFormularza* RegulyDla(int kod);

// Every broken rule of a source, in line order; empty when the source is sound.
std::vector<Blad> Sprawdz(const Zrodlo& zrodlo, const RegulyFormularza& reguly);

}  // namespace formularze
