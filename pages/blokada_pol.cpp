#include "pages/blokada_pol.h"

#include <initializer_list>

#include "main/tools.h"
#include "pages/fimage.h"

namespace {

// Inclusive ranges of object indexes, in the order they are locked.
struct Zakres {
  int od, doKonca;
  constexpr Zakres(int jeden) : od(jeden), doKonca(jeden) {}
  constexpr Zakres(int a, int b) : od(a), doKonca(b) {}
};

// The spouse's amounts carried in from the attachments (PIT/M 132, 134; PIT/O 145, 178; PIT-37 95, 108) and the
// spouse's PIT/Z boxes are the spouse's too: typed into outside a joint settlement they would change the own tax.
constexpr Zakres kPit36[] = {4,          5,          1,          {22, 33}, 324, 328, {88, 126}, 136, 139, 141,
                             148,        153,        155,        157,      159, 161, 163,       165, 168, 330,
                             173,        176,        184,        191,      193, 195, 197,       199, 332, {218, 229},
                             {242, 253}, {266, 277}, {290, 301}, 132,      134, 145, 178,       40,  42};
constexpr Zakres kPit37[] = {4, 5, 1, {23, 35}, {63, 89}, 91, 106, 141, 137, 143, 95, 108};
constexpr Zakres kPitO[] = {1,  8,        9,   10,         11,  13,         15,  17,         19,
                            21, 23,       27,  31,         33,  36,         40,  66,         53,
                            64, {86, 97}, 219, {115, 127}, 132, {145, 156}, 162, {175, 186}, {205, 217}};
constexpr Zakres kPitOPrzyPit28[] = {22, 34, 35};

template <std::size_t N>
void Zablokuj(TFImage& view, const Zakres (&zakresy)[N]) {
  const int liczba = std::min(Tools->LiczbaObiektow, static_cast<int>(view.Obiekty.size()));
  for (const Zakres& z : zakresy)
    for (int k = z.od; k <= z.doKonca; ++k)
      if (k >= 0 && k < liczba) view.Obiekty[static_cast<std::size_t>(k)].TylkoDoOdczytu = 1;
}

}  // namespace

void ZablokujPolaDruku(TFImage*) {
  if (!Tools || !FImage) return;
  const TTools& t = *Tools;
  const TDruk& druk = t.BiezacyDruk;
  const bool wspolne = druk.Rodzaj == WspolneZMalzonkiem;
  switch (druk.IdPit) {
    case Pit36:
      if (!wspolne) Zablokuj(*FImage, kPit36);
      break;
    case Pit37:
      if (!wspolne) Zablokuj(*FImage, kPit37);
      break;
    case PitO: {
      if (!wspolne) Zablokuj(*FImage, kPitO);
      const int rodzic = druk.IdParent;
      if (rodzic >= 1 && rodzic <= t.LiczbaDrukow && static_cast<std::size_t>(rodzic) < t.Druki.size() &&
          t.Druki[static_cast<std::size_t>(rodzic)].IdPit == Pit28)
        Zablokuj(*FImage, kPitOPrzyPit28);
      break;
    }
    default:
      break;
  }
}
