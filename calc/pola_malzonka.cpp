#include "calc/pola_malzonka.h"

#include <map>
#include <optional>
#include <span>

#include "calc/identyfikacja.h"
#include "model/rozliczenie.h"
#include "model/struktura.h"

namespace {

// Inclusive ranges of field indexes, in the order they are locked.
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

std::span<const Zakres> Zakresy(int idPit) {
  switch (idPit) {
    case Pit36: return kPit36;
    case Pit37: return kPit37;
    case PitO: return kPitO;
    default: return {};
  }
}

}  // namespace

bool ZamykaPolaMalzonka(int rodzaj) { return rodzaj != WspolneZMalzonkiem; }

std::vector<int> PolaMalzonka(int idPit) {
  std::vector<int> pola;
  for (const Zakres& z : Zakresy(idPit))
    for (int k = z.od; k <= z.doKonca; ++k) pola.push_back(k);
  return pola;
}

void PominMalzonka(Rozliczenie& r, const QString& folderDc) {
  // Each form type's structure is read once.
  std::map<int, std::optional<std::vector<TObiekt>>> struktury;
  for (int j = 1; j <= r.LiczbaDrukow; ++j) {
    TDruk& druk = r.Druk(j);
    std::vector<int> pola = PolaMalzonka(druk.IdPit);
    const std::vector<int> dane = PolaDanychMalzonka(druk.IdPit);
    pola.insert(pola.end(), dane.begin(), dane.end());
    if (pola.empty()) continue;
    auto [miejsce, nowa] = struktury.try_emplace(druk.IdPit);
    if (nowa)
      miejsce->second = struktura::CzytajObiekty(folderDc + QString::number(druk.IdPit) + QStringLiteral(".dcs"), 1.0f);
    if (!miejsce->second) continue;
    const std::vector<TObiekt>& obiekty = *miejsce->second;
    for (int k : pola)
      if (k >= 0 && static_cast<std::size_t>(k) < obiekty.size() && static_cast<std::size_t>(k) < druk.Pola.size())
        struktura::PrzywrocDomyslne(druk.Pola[static_cast<std::size_t>(k)], obiekty[static_cast<std::size_t>(k)]);
  }
  r.Osoby[1].Wyczysc();
}
