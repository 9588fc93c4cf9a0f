#include "pages/blokada_pol.h"

#include <algorithm>

#include "calc/pola_malzonka.h"
#include "main/tools.h"
#include "pages/fimage.h"

namespace {

// A PIT/O of a PIT-28 has three fields that never apply, in every kind.
constexpr int kPitOPrzyPit28[] = {22, 34, 35};

template <typename Pola>
void Zablokuj(TFImage& view, const Pola& pola) {
  const int liczba = std::min(Tools->LiczbaObiektow, static_cast<int>(view.Obiekty.size()));
  for (const int k : pola)
    if (k >= 0 && k < liczba) view.Obiekty[static_cast<std::size_t>(k)].TylkoDoOdczytu = 1;
}

}  // namespace

void ZablokujPolaDruku(TFImage*) {
  if (!Tools || !FImage) return;
  const TTools& t = *Tools;
  const TDruk& druk = t.BiezacyDruk;
  if (ZamykaPolaMalzonka(druk.Rodzaj)) Zablokuj(*FImage, PolaMalzonka(druk.IdPit));
  if (druk.IdPit != PitO) return;
  const int rodzic = druk.IdParent;
  if (rodzic >= 1 && rodzic <= t.LiczbaDrukow && static_cast<std::size_t>(rodzic) < t.Druki.size() &&
      t.Druki[static_cast<std::size_t>(rodzic)].IdPit == Pit28)
    Zablokuj(*FImage, kPitOPrzyPit28);
}
