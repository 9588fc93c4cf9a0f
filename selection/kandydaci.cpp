// The candidate tables of the three settlement kinds and the chooser's operations on its candidate list.

#include "selection/kandydaci.h"

#include <array>

#include "main/tools.h"
#include "selection/sam.h"

namespace {

constexpr TWzorKandydata G(KodDruku typ, int pm = PMWspolny) { return {typ, pm, 0, 0}; }
constexpr TWzorKandydata Z(KodDruku typ, KodDruku glowny, int pm = PMWspolny, int pmGlownego = PMWspolny) {
  return {typ, pm, glowny, pmGlownego};
}

constexpr std::array<TWzorKandydata, 35> kIndywidualnie = {{
    G(Pit36),
    Z(PitO, Pit36), Z(PitD, Pit36), Z(Pit2K, Pit36), Z(PitM, Pit36), Z(PitB, Pit36), Z(PitZ, Pit36),
    Z(PitZG, Pit36), Z(SseR, Pit36), Z(SseA, Pit36), Z(SseRA, Pit36), Z(Nip1, Pit36), Z(Nip3, Pit36),
    G(Pit36L),
    Z(PitB, Pit36L), Z(PitZ, Pit36L), Z(PitZG, Pit36L), Z(Nip1, Pit36L), Z(Nip3, Pit36L),
    G(Pit37),
    Z(PitO, Pit37), Z(PitD, Pit37), Z(Pit2K, Pit37), Z(Nip3, Pit37),
    G(Pit38),
    Z(PitZG, Pit38), Z(Nip3, Pit38),
    G(Pit28),
    Z(Pit28A, Pit28), Z(Pit28B, Pit28), Z(PitO, Pit28), Z(PitD, Pit28), Z(Pit2K, Pit28), Z(Nip1, Pit28),
    Z(Nip3, Pit28),
}};

constexpr int P = PMPodatnik;
constexpr int M = PMMalzonek;

constexpr std::array<TWzorKandydata, 48> kWspolnie = {{
    G(Pit36),
    Z(PitO, Pit36), Z(PitD, Pit36), Z(Pit2K, Pit36),
    Z(PitM, Pit36, P), Z(PitM, Pit36, M), Z(PitB, Pit36, P), Z(PitB, Pit36, M), Z(PitZ, Pit36, P),
    Z(PitZ, Pit36, M), Z(PitZG, Pit36, P), Z(PitZG, Pit36, M), Z(SseR, Pit36, P), Z(SseR, Pit36, M),
    Z(SseA, Pit36, P), Z(SseA, Pit36, M), Z(SseRA, Pit36, P), Z(SseRA, Pit36, M), Z(Nip1, Pit36, P),
    Z(Nip1, Pit36, M), Z(Nip3, Pit36, P), Z(Nip3, Pit36, M),
    G(Pit37),
    Z(PitO, Pit37), Z(PitD, Pit37), Z(Pit2K, Pit37), Z(Nip3, Pit37, P), Z(Nip3, Pit37, M),
    G(Pit38, P),
    Z(PitZG, Pit38, P, P), Z(Nip3, Pit38, P, P),
    G(Pit38, M),
    Z(PitZG, Pit38, M, M), Z(Nip3, Pit38, M, M),
    G(Pit28, P),
    Z(Pit28A, Pit28, P, P), Z(PitO, Pit28, P, P), Z(PitD, Pit28, P, P), Z(Pit2K, Pit28, P, P),
    Z(Nip1, Pit28, P, P), Z(Nip3, Pit28, P, P),
    G(Pit28, M),
    Z(Pit28A, Pit28, M, M), Z(PitO, Pit28, M, M), Z(PitD, Pit28, M, M), Z(Pit2K, Pit28, M, M),
    Z(Nip1, Pit28, M, M), Z(Nip3, Pit28, M, M),
}};

constexpr std::array<TWzorKandydata, 28> kSamotnie = {{
    G(Pit36),
    Z(PitO, Pit36), Z(PitD, Pit36), Z(Pit2K, Pit36), Z(PitM, Pit36), Z(PitB, Pit36), Z(PitZ, Pit36),
    Z(PitZG, Pit36), Z(SseR, Pit36), Z(SseA, Pit36), Z(SseRA, Pit36), Z(Nip1, Pit36), Z(Nip3, Pit36),
    G(Pit37),
    Z(PitO, Pit37), Z(PitD, Pit37), Z(Pit2K, Pit37), Z(Nip3, Pit37),
    G(Pit38),
    Z(PitZG, Pit38), Z(Nip3, Pit38),
    G(Pit28),
    Z(Pit28A, Pit28), Z(PitO, Pit28), Z(PitD, Pit28), Z(Pit2K, Pit28), Z(Nip1, Pit28), Z(Nip3, Pit28),
}};

}  // namespace

bool JestWieleKopii(int idPit) {
  return idPit >= 1 && idPit <= kLiczbaTypowDrukow &&
         Tools->TypyDrukow[static_cast<std::size_t>(idPit)].WieleKopii == 1;
}

std::span<const TWzorKandydata> WzoryKandydatow(int rodzaj) {
  switch (rodzaj) {
    case Indywidualne: return kIndywidualnie;
    case WspolneZMalzonkiem: return kWspolnie;
    case SamotnieWychowujacy: return kSamotnie;
    default: return {};
  }
}

TDruk& TSam::Kandydat(int i) {
  return Tools->Kandydaci[static_cast<std::size_t>(i)];
}

const TDruk& TSam::Kandydat(int i) const {
  return Tools->Kandydaci[static_cast<std::size_t>(i)];
}

void TSam::DodajKandydata(int idPit, int idParent, int pm, int rodzaj) {
  if (idParent >= 0) DolaczDruk(Tools->Kandydaci, Tools->LiczbaKandydatow, idPit, idParent, pm, rodzaj);
}

int TSam::ZnajdzKandydata(int idPit, int idParent, int pm) const {
  for (int i = 1; i <= Tools->LiczbaKandydatow; ++i) {
    const TDruk& k = Kandydat(i);
    if (k.IdPit == idPit && k.IdParent == idParent && k.PM == pm) return i;
  }
  return -1;
}

int TSam::ZnajdzWybranegoKandydataPM(int idPit, int pm) const {
  for (int i = 1; i <= Tools->LiczbaKandydatow; ++i) {
    const TDruk& k = Kandydat(i);
    if (k.Wybrany == 1 && k.IdPit == idPit && k.PM == pm) return i;
  }
  return -1;
}

int TSam::ZnajdzWybranegoKandydata(int idPit) const {
  for (int i = 1; i <= Tools->LiczbaKandydatow; ++i)
    if (Kandydat(i).Wybrany == 1 && Kandydat(i).IdPit == idPit) return i;
  return -1;
}

int TSam::ZnajdzWolnegoKandydata(int idPit, int idParent, int pm) const {
  for (int i = 1; i <= Tools->LiczbaKandydatow; ++i) {
    const TDruk& k = Kandydat(i);
    if (k.Wybrany == 0 && k.IdPit == idPit && k.IdParent == idParent && k.PM == pm) return i;
  }
  return -1;
}

TDruk TSam::ZnajdzKandydataWezla(const QTreeWidgetItem* wezel) const {
  if (wezel)
    for (int i = 1; i <= Tools->LiczbaKandydatow; ++i)
      if (Kandydat(i).Wezel == wezel) return Kandydat(i);
  TDruk brak{};
  brak.Id = -1;
  brak.IdPit = -1;
  return brak;
}

int TSam::LiczbaWybranych() const {
  int n = 0;
  for (int i = 1; i <= Tools->LiczbaKandydatow; ++i)
    if (Kandydat(i).Wybrany == 1) ++n;
  return n;
}

int TSam::WlascicielKandydata(int idPit, int idParent, int pm) const {
  if (ZnajdzKandydata(idPit, idParent, pm) >= 1) return pm;
  // The one person of an individual or single-parent settlement is the taxpayer of a joint one, and back.
  const int inny = pm == PMWspolny ? PMPodatnik : pm == PMPodatnik ? PMWspolny : pm;
  return inny != pm && ZnajdzKandydata(idPit, idParent, inny) >= 1 ? inny : pm;
}

std::pair<int, int> TSam::MiejsceRekordu(int r) const {
  const TDruk& d = Tools->Druki[static_cast<std::size_t>(r)];
  if (d.IdParent == 0) return {0, WlascicielKandydata(d.IdPit, 0, d.PM)};
  if (d.IdParent < 1 || d.IdParent > Tools->LiczbaDrukow) return {-1, d.PM};
  const TDruk& g = Tools->Druki[static_cast<std::size_t>(d.IdParent)];
  const int rodzic = ZnajdzKandydata(g.IdPit, 0, WlascicielKandydata(g.IdPit, 0, g.PM));
  return {rodzic, rodzic < 0 ? d.PM : WlascicielKandydata(d.IdPit, rodzic, d.PM)};
}

int TSam::PoliczDodatkoweKopie(int idPit, int idPitRodzica, int pm) const {
  int n = 0;
  for (int r = 1; r <= Tools->LiczbaDrukow; ++r) {
    const TDruk& d = Tools->Druki[static_cast<std::size_t>(r)];
    if (d.IdPit != idPit || d.IdParent < 1 || d.IdParent > Tools->LiczbaDrukow) continue;
    if (Tools->Druki[static_cast<std::size_t>(d.IdParent)].IdPit == idPitRodzica && MiejsceRekordu(r).second == pm)
      ++n;
  }
  return n >= 1 ? n - 1 : 0;
}

int TSam::PoliczWszystkieDodatkoweKopie() const {
  int suma = 0;
  for (int i = 1; i <= Tools->LiczbaKandydatow; ++i) {
    const TDruk& k = Kandydat(i);
    if (JestWieleKopii(k.IdPit) && k.IdParent > 0)
      suma += PoliczDodatkoweKopie(k.IdPit, Kandydat(k.IdParent).IdPit, k.PM);
  }
  return suma;
}

void TSam::UsunKandydatow() {
  Tools->Kandydaci.clear();
  Tools->LiczbaKandydatow = 0;
}

void TSam::BudujKandydatow(int rodzaj, int baza, int dodatkowe) {
  // Room for the extra copies that the tree build appends after the table's candidates.
  UsunKandydatow();
  const int pojemnosc = dodatkowe == 0 ? baza : baza + dodatkowe;
  Tools->Kandydaci.assign(static_cast<std::size_t>(pojemnosc) + 1, TDruk{});
  for (const TWzorKandydata& w : WzoryKandydatow(rodzaj)) {
    const int rodzic = w.IdPitGlownego == 0 ? 0 : ZnajdzKandydata(w.IdPitGlownego, 0, w.PMGlownego);
    DodajKandydata(w.IdPit, rodzic, w.PM, rodzaj);
  }
  if (dodatkowe != 0) return;
  Tools->DodatkoweKopie = PoliczWszystkieDodatkoweKopie();
  if (Tools->DodatkoweKopie > 0) BudujKandydatow(rodzaj, baza, Tools->DodatkoweKopie);
}

void TSam::BudujKandydatowIndywidualnie(int dodatkowe) {
  BudujKandydatow(Indywidualne, static_cast<int>(kIndywidualnie.size()), dodatkowe);
}

void TSam::BudujKandydatowWspolnie(int dodatkowe) {
  BudujKandydatow(WspolneZMalzonkiem, static_cast<int>(kWspolnie.size()), dodatkowe);
}

void TSam::BudujKandydatowSamotnie(int dodatkowe) {
  BudujKandydatow(SamotnieWychowujacy, static_cast<int>(kSamotnie.size()), dodatkowe);
}

bool TSam::BudujKandydatow(int rodzaj) {
  switch (rodzaj) {
    case Indywidualne: BudujKandydatowIndywidualnie(0); return true;
    case WspolneZMalzonkiem: BudujKandydatowWspolnie(0); return true;
    case SamotnieWychowujacy: BudujKandydatowSamotnie(0); return true;
    default: UsunKandydatow(); return false;
  }
}
