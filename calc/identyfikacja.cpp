#include "calc/identyfikacja.h"

#include <algorithm>
#include <array>
#include <span>
#include <stdexcept>
#include <string>

#include "calc/ekran.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

// Block fields osoba..osoba+ile-1 pair in order with form fields druk..druk+ile-1. A block field of kPuste stands
// for the empty text: writing empties the form fields, reading skips them.
constexpr int kPuste = -1;
struct Kopia {
  int osoba;
  int druk;
  int ile = 1;
};

// Whose block a run of copies uses. Owner: the spouse's for a record of the spouse, the taxpayer's otherwise.
enum class Blok { Podatnik, Malzonek, Wlasciciel };

// When a run of copies applies, by the record's own settlement kind and owner.
enum class Warunek { Zawsze, Wspolnie, WspolnieDrukWspolny, DrukOsoby };

struct Odcinek {
  Blok blok;
  Warunek warunek;
  std::span<const Kopia> kopie;
};

constexpr Kopia kPit36Podatnik[] = {{0, 0}, {1, 7}, {2, 9, 6}, {9, 15, 7}, {8, 327}};
constexpr Kopia kPit36Malzonek[] = {{0, 1},   {1, 7},   {2, 22, 6}, {9, 28},  {10, 29},  {11, 30},
                                    {12, 324}, {13, 31}, {14, 32},   {15, 33}, {8, 328}};
constexpr Kopia kPit37Podatnik[] = {{0, 0}, {1, 7}, {2, 10, 6}, {9, 16, 7}, {8, 140}};
constexpr Kopia kPit37Malzonek[] = {{0, 1}, {1, 7}, {2, 23, 6}, {9, 29, 7}, {8, 141}};
constexpr Kopia kPit36L[] = {{0, 0}, {1, 2}, {2, 5, 6}, {9, 11, 7}, {8, 111}};
constexpr Kopia kPit38[] = {{0, 0}, {1, 2}, {2, 5, 6}, {9, 11, 7}, {8, 62}};
constexpr Kopia kPit28[] = {{0, 0}, {1, 2}, {2, 5, 4}, {8, 9}, {6, 10}, {7, 11}, {9, 12, 7}};
constexpr Kopia kPitOOsoba[] = {{0, 0}, {2, 4, 4}};
constexpr Kopia kPitOMalzonek[] = {{0, 1}, {2, 8, 4}};
constexpr Kopia kPitOPuste[] = {{kPuste, 1}, {kPuste, 8}, {kPuste, 9}, {kPuste, 10}, {kPuste, 11}};
constexpr Kopia kPitDPodatnik[] = {{0, 0}, {2, 3, 6}, {9, 9, 7}, {8, 56}};
constexpr Kopia kPitDMalzonek[] = {{0, 1}, {2, 16, 6}, {9, 22, 7}, {8, 57}};
constexpr Kopia kPit2KPodatnik[] = {{0, 0}, {2, 2}, {3, 3}, {5, 4}, {4, 5}, {6, 6}, {7, 7}, {9, 8, 7}};
constexpr Kopia kPit2KMalzonek[] = {{0, 1}, {2, 15}, {3, 16}, {5, 17}, {4, 18}, {6, 19}, {7, 20}, {9, 21, 7}};
constexpr Kopia kZalacznik[] = {{0, 0}, {2, 2, 4}};
constexpr Kopia kPitB[] = {{0, 0}, {2, 3, 4}};
constexpr Kopia kNip[] = {{0, 0}, {5, 7}, {2, 8}, {3, 9}, {4, 13}, {6, 39}, {7, 40}, {9, 41, 7}, {8, 38}};

constexpr Odcinek kMapaPit36[] = {{Blok::Podatnik, Warunek::Zawsze, kPit36Podatnik},
                                  {Blok::Malzonek, Warunek::Wspolnie, kPit36Malzonek}};
constexpr Odcinek kMapaPit37[] = {{Blok::Podatnik, Warunek::Zawsze, kPit37Podatnik},
                                  {Blok::Malzonek, Warunek::Wspolnie, kPit37Malzonek}};
constexpr Odcinek kMapaPit36L[] = {{Blok::Wlasciciel, Warunek::Zawsze, kPit36L}};
constexpr Odcinek kMapaPit38[] = {{Blok::Wlasciciel, Warunek::Zawsze, kPit38}};
constexpr Odcinek kMapaPit28[] = {{Blok::Wlasciciel, Warunek::Zawsze, kPit28}};
// A PIT/O of the whole settlement carries the spouse in a joint one; one of a person carries only that person, and
// whatever stands in the other person's fields goes.
constexpr Odcinek kMapaPitO[] = {{Blok::Wlasciciel, Warunek::Zawsze, kPitOOsoba},
                                 {Blok::Malzonek, Warunek::WspolnieDrukWspolny, kPitOMalzonek},
                                 {Blok::Wlasciciel, Warunek::DrukOsoby, kPitOPuste}};
constexpr Odcinek kMapaPitD[] = {{Blok::Podatnik, Warunek::Zawsze, kPitDPodatnik},
                                 {Blok::Malzonek, Warunek::Zawsze, kPitDMalzonek}};
constexpr Odcinek kMapaPit2K[] = {{Blok::Podatnik, Warunek::Zawsze, kPit2KPodatnik},
                                  {Blok::Malzonek, Warunek::Zawsze, kPit2KMalzonek}};
constexpr Odcinek kMapaZalacznika[] = {{Blok::Wlasciciel, Warunek::Zawsze, kZalacznik}};
constexpr Odcinek kMapaPitB[] = {{Blok::Wlasciciel, Warunek::Zawsze, kPitB}};
constexpr Odcinek kMapaNip[] = {{Blok::Wlasciciel, Warunek::Zawsze, kNip}};

// Indexed by KodDruku; empty for SSE-R, SSE/A and SSE-R/A.
constexpr std::array<std::span<const Odcinek>, kLiczbaTypowDrukow + 1> kMapy = {{
    {},              // 0
    kMapaPit36,      // PIT-36
    kMapaPit37,      // PIT-37
    kMapaPit36L,     // PIT-36L
    kMapaPit38,      // PIT-38
    kMapaPit28,      // PIT-28
    kMapaPitO,       // PIT/O
    kMapaPitD,       // PIT/D
    kMapaPit2K,      // PIT/2K
    kMapaZalacznika, // PIT/M
    kMapaPitB,       // PIT/B
    kMapaZalacznika, // PIT/Z
    kMapaZalacznika, // PIT/ZG
    {},              // SSE-R
    {},              // SSE/A
    {},              // SSE-R/A
    kMapaNip,        // NIP-1
    kMapaNip,        // NIP-3
    kMapaZalacznika, // PIT-28/A
    kMapaZalacznika, // PIT-28/B
}};

std::span<const Odcinek> Mapa(int kod) {
  if (kod < 1 || kod > kLiczbaTypowDrukow) return {};
  return kMapy[static_cast<std::size_t>(kod)];
}

bool Obowiazuje(Warunek warunek, const TDruk& druk) {
  const bool wspolne = druk.Rodzaj == WspolneZMalzonkiem;
  switch (warunek) {
    case Warunek::Zawsze: return true;
    case Warunek::Wspolnie: return wspolne;
    case Warunek::WspolnieDrukWspolny: return wspolne && druk.PM == PMWspolny;
    case Warunek::DrukOsoby: return druk.PM != PMWspolny;
  }
  return false;
}

TOsoba& BlokOsoby(Rozliczenie& r, Blok blok, const TDruk& druk) {
  const bool malzonek = blok == Blok::Malzonek || (blok == Blok::Wlasciciel && druk.PM == PMMalzonek);
  return r.Osoby[malzonek ? 1 : 0];
}

}  // namespace

void ZapiszDaneOsobDoDruku(Rozliczenie& r, int j) {
  TDruk& druk = r.Druk(j);
  for (const Odcinek& odcinek : Mapa(druk.IdPit)) {
    if (!Obowiazuje(odcinek.warunek, druk)) continue;
    const TOsoba& osoba = BlokOsoby(r, odcinek.blok, druk);
    for (const Kopia& k : odcinek.kopie)
      for (int i = 0; i < k.ile; ++i) {
        const std::string_view tekst = k.osoba == kPuste ? std::string_view{} : osoba.Pole(k.osoba + i);
        // Every computation runs this over the whole settlement; most fields already hold their text.
        auto& wartosc = druk.Pola.at(static_cast<std::size_t>(k.druk + i)).Wartosc;
        if (Tekst(wartosc) != tekst) UstawBajty(wartosc, tekst);
      }
  }
}

void WczytajDaneOsobZDruku(Rozliczenie& r, int j) {
  const TDruk& druk = r.Druk(j);
  for (const Odcinek& odcinek : Mapa(druk.IdPit)) {
    if (!Obowiazuje(odcinek.warunek, druk)) continue;
    TOsoba& osoba = BlokOsoby(r, odcinek.blok, druk);
    for (const Kopia& k : odcinek.kopie) {
      if (k.osoba == kPuste) continue;
      for (int i = 0; i < k.ile; ++i) osoba.UstawPole(k.osoba + i, Tekst(druk.Pola.at(static_cast<std::size_t>(k.druk + i)).Wartosc));
    }
  }
}

void ZapiszDaneOsobDoDrukow(Rozliczenie& r) {
  for (int j = 1; j <= r.LiczbaDrukow; ++j) ZapiszDaneOsobDoDruku(r, j);
}

void WczytajDaneOsobZDrukow(Rozliczenie& r) {
  for (int j = 1; j <= r.LiczbaDrukow; ++j) WczytajDaneOsobZDruku(r, j);
}

std::vector<int> PolaDanychMalzonka(int idPit) {
  // Block field 1 (the tax office) stands once on the form for both persons.
  constexpr int kWspolnePole = 1;
  std::vector<int> pola;
  for (const Odcinek& odcinek : Mapa(idPit)) {
    if (odcinek.blok != Blok::Malzonek) continue;
    for (const Kopia& k : odcinek.kopie)
      if (k.osoba != kWspolnePole)
        for (int i = 0; i < k.ile; ++i) pola.push_back(k.druk + i);
  }
  return pola;
}

namespace {

void WymianaDanych(KontekstObliczen& kx, int j) {
  WczytajDaneOsobZDruku(kx.R, j);
  ZapiszDaneOsobDoDrukow(kx.R);
}

}  // namespace

void ObliczNip1(KontekstObliczen& kx, int j) { WymianaDanych(kx, j); }
void ObliczNip3(KontekstObliczen& kx, int j) { WymianaDanych(kx, j); }
void ObliczPit2K(KontekstObliczen& kx, int j) { WymianaDanych(kx, j); }
