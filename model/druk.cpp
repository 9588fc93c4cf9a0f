#include "model/druk.h"

namespace {

template <typename F>
auto NaPolu(TOsoba& o, int i, F&& f) {
  switch (i) {
    case 0: return f(o.Pole00);
    case 1: return f(o.Pole01);
    case 2: return f(o.Pole02);
    case 3: return f(o.Pole03);
    case 4: return f(o.Pole04);
    case 5: return f(o.Pole05);
    case 6: return f(o.Pole06);
    case 7: return f(o.Pole07);
    case 8: return f(o.Pole08);
    case 9: return f(o.Pole09);
    case 10: return f(o.Pole10);
    case 11: return f(o.Pole11);
    case 12: return f(o.Pole12);
    case 13: return f(o.Pole13);
    case 14: return f(o.Pole14);
    default: return f(o.Pole15);
  }
}

}  // namespace

std::string_view TOsoba::Pole(int i) const {
  if (i < 0 || i > 15) return {};
  return NaPolu(const_cast<TOsoba&>(*this), i, [](auto& pole) { return Tekst(pole); });
}

void TOsoba::UstawPole(int i, std::string_view bajty) {
  if (i < 0 || i > 15) return;
  NaPolu(*this, i, [&](auto& pole) { UstawBajty(pole, bajty); });
}

void TOsoba::Wyczysc() {
  for (int i = 0; i < 16; ++i) UstawPole(i, {});
}

void DolaczDruk(std::vector<TDruk>& blok, std::int32_t& liczba, int idPit, int idParent, int pm, int rodzaj) {
  if (blok.size() < static_cast<std::size_t>(liczba) + 2) blok.resize(static_cast<std::size_t>(liczba) + 2);
  ++liczba;
  TDruk& d = blok[static_cast<std::size_t>(liczba)];
  d = TDruk{};
  d.Id = liczba;
  d.IdPit = idPit;
  d.IdParent = idParent;
  d.PM = pm;
  d.Rodzaj = rodzaj;
}
