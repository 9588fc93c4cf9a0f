#include "selection/kroki_kreatora.h"

#include <initializer_list>

#include "main/tools.h"
#include "model/druk.h"

namespace {

constexpr Miejsce Glowny(int pm) { return {0, 0, nullptr, pm}; }
// An attachment with one possible main form: no box is shown.
constexpr Miejsce Do(int rodzic, int pmRodzica, int pm) { return {rodzic, pmRodzica, nullptr, pm}; }
// An attachment whose main form is chosen with a box.
constexpr Miejsce Pole(int rodzic, int pmRodzica, const char* podpis, int pm) { return {rodzic, pmRodzica, podpis, pm}; }

constexpr GrupaWiersza G(Grupa grupa, std::initializer_list<Miejsce> miejsca) {
  GrupaWiersza g;
  g.grupa = grupa;
  for (const Miejsce& m : miejsca) g.miejsca[static_cast<std::size_t>(g.liczbaMiejsc++)] = m;
  return g;
}

// The common group alone.
constexpr WierszKroku W(int idPit, Warunek warunek, bool jeden, std::initializer_list<Miejsce> miejsca) {
  WierszKroku w;
  w.idPit = idPit;
  w.warunek = warunek;
  w.jedenDrukGlowny = jeden;
  w.liczbaGrup = 1;
  w.grupy[0] = G(Grupa::Ogolna, miejsca);
  return w;
}

// The taxpayer's and the spouse's groups.
constexpr WierszKroku WO(int idPit, Warunek warunek, bool jeden, std::initializer_list<Miejsce> podatnik,
                         std::initializer_list<Miejsce> malzonek) {
  WierszKroku w;
  w.idPit = idPit;
  w.warunek = warunek;
  w.jedenDrukGlowny = jeden;
  w.liczbaGrup = 2;
  w.grupy[0] = G(Grupa::Podatnik, podatnik);
  w.grupy[1] = G(Grupa::Malzonek, malzonek);
  return w;
}

constexpr TabelaKrokow T(std::initializer_list<WierszKroku> wiersze) {
  TabelaKrokow t;
  for (const WierszKroku& w : wiersze) t.wiersze[static_cast<std::size_t>(t.liczbaWierszy++)] = w;
  return t;
}

constexpr Warunek Zawsze = Warunek::Zawsze;
constexpr Warunek BrakPit37 = Warunek::BrakPit37;
constexpr Warunek JestRodzic = Warunek::JestRodzic;
constexpr int P = PMPodatnik;
constexpr int M = PMMalzonek;

constexpr TabelaKrokow kIndywidualnie = T({
    W(Pit37, Zawsze, false, {Glowny(0)}),
    W(Pit36, BrakPit37, false, {Glowny(0)}),
    W(Pit36L, Zawsze, false, {Glowny(0)}),
    W(Pit28, Zawsze, false, {Glowny(0)}),
    W(Pit38, Zawsze, false, {Glowny(0)}),
    W(PitB, JestRodzic, false, {Pole(Pit36, 0, "Pit-36", 0), Pole(Pit36L, 0, "Pit-36L", 0)}),
    W(PitZ, JestRodzic, true, {Pole(Pit36, 0, "Pit-36", 0), Pole(Pit36L, 0, "Pit-36L", 0)}),
    W(SseR, JestRodzic, false, {Do(Pit36, 0, 0)}),
    W(SseA, JestRodzic, false, {Do(Pit36, 0, 0)}),
    W(SseRA, JestRodzic, false, {Do(Pit36, 0, 0)}),
    W(PitZG, JestRodzic, false,
      {Pole(Pit36, 0, "Pit-36", 0), Pole(Pit36L, 0, "Pit-36L", 0), Pole(Pit38, 0, "Pit-38", 0)}),
    W(PitM, JestRodzic, false, {Do(Pit36, 0, 0)}),
    W(Pit28A, JestRodzic, false, {Do(Pit28, 0, 0)}),
    W(Pit28B, JestRodzic, false, {Do(Pit28, 0, 0)}),
    W(PitD, JestRodzic, true, {Pole(Pit28, 0, "Pit-28", 0), Pole(Pit36, 0, "Pit-36", 0), Pole(Pit37, 0, "Pit-37", 0)}),
    W(Pit2K, JestRodzic, true, {Pole(Pit28, 0, "Pit-28", 0), Pole(Pit36, 0, "Pit-36", 0), Pole(Pit37, 0, "Pit-37", 0)}),
    W(PitO, JestRodzic, false, {Pole(Pit28, 0, "Pit-28", 0), Pole(Pit36, 0, "Pit-36", 0), Pole(Pit37, 0, "Pit-37", 0)}),
    W(Nip1, JestRodzic, true,
      {Pole(Pit28, 0, "Pit-28", 0), Pole(Pit36L, 0, "Pit-36L", 0), Pole(Pit36, 0, "Pit-36", 0)}),
    W(Nip3, JestRodzic, true,
      {Pole(Pit28, 0, "Pit-28", 0), Pole(Pit36L, 0, "Pit-36L", 0), Pole(Pit36, 0, "Pit-36", 0),
       Pole(Pit37, 0, "Pit-37", 0), Pole(Pit38, 0, "Pit-38", 0)}),
});

constexpr TabelaKrokow kWspolnie = T({
    W(Pit37, Zawsze, false, {Glowny(0)}),
    W(Pit36, BrakPit37, false, {Glowny(0)}),
    WO(Pit28, Zawsze, false, {Glowny(P)}, {Glowny(M)}),
    WO(Pit38, Zawsze, false, {Glowny(P)}, {Glowny(M)}),
    WO(PitB, JestRodzic, false, {Do(Pit36, 0, P)}, {Do(Pit36, 0, M)}),
    WO(PitZ, JestRodzic, false, {Do(Pit36, 0, P)}, {Do(Pit36, 0, M)}),
    WO(SseR, JestRodzic, false, {Do(Pit36, 0, P)}, {Do(Pit36, 0, M)}),
    WO(SseA, JestRodzic, false, {Do(Pit36, 0, P)}, {Do(Pit36, 0, M)}),
    WO(SseRA, JestRodzic, false, {Do(Pit36, 0, P)}, {Do(Pit36, 0, M)}),
    WO(PitZG, JestRodzic, false, {Pole(Pit36, 0, "Pit-36", P), Pole(Pit38, P, "Pit-38 (Podatnika)", P)},
       {Pole(Pit36, 0, "Pit-36", M), Pole(Pit38, M, "Pit-38 (Małżonka)", M)}),
    WO(PitM, JestRodzic, false, {Do(Pit36, 0, P)}, {Do(Pit36, 0, M)}),
    WO(Pit28A, JestRodzic, false, {Do(Pit28, P, P)}, {Do(Pit28, M, M)}),
    W(PitD, JestRodzic, true,
      {Pole(Pit28, P, "Pit-28 (Podatnika)", P), Pole(Pit28, M, "Pit-28 (Małżonka)", M), Pole(Pit36, 0, "Pit-36", 0),
       Pole(Pit37, 0, "Pit-37", 0)}),
    // A PIT/2K belongs to the settlement as a whole even when it goes with a person's PIT-28.
    W(Pit2K, JestRodzic, true,
      {Pole(Pit28, P, "Pit-28 (Podatnika)", 0), Pole(Pit28, M, "Pit-28 (Małżonka)", 0), Pole(Pit36, 0, "Pit-36", 0),
       Pole(Pit37, 0, "Pit-37", 0)}),
    W(PitO, JestRodzic, false,
      {Pole(Pit28, P, "Pit-28 (Podatnika)", P), Pole(Pit28, M, "Pit-28 (Małżonka)", M), Pole(Pit36, 0, "Pit-36", 0),
       Pole(Pit37, 0, "Pit-37", 0)}),
    WO(Nip1, JestRodzic, true, {Pole(Pit28, P, "Pit-28 (Podatnika)", P), Pole(Pit36, 0, "Pit-36", P)},
       {Pole(Pit28, M, "Pit-28 (Małżonka)", M), Pole(Pit36, 0, "Pit-36", M)}),
    WO(Nip3, JestRodzic, true,
       {Pole(Pit28, P, "Pit-28 (Podatnika)", P), Pole(Pit36, 0, "Pit-36", P), Pole(Pit37, 0, "Pit-37", P),
        Pole(Pit38, P, "Pit-38 (Podatnika)", P)},
       {Pole(Pit28, M, "Pit-28 (Małżonka)", M), Pole(Pit36, 0, "Pit-36", M), Pole(Pit37, 0, "Pit-37", M),
        Pole(Pit38, M, "Pit-38 (Małżonka)", M)}),
});

constexpr TabelaKrokow kSamotnie = T({
    W(Pit37, Zawsze, false, {Glowny(0)}),
    W(Pit36, BrakPit37, false, {Glowny(0)}),
    W(Pit28, Zawsze, false, {Glowny(0)}),
    W(Pit38, Zawsze, false, {Glowny(0)}),
    W(PitB, JestRodzic, false, {Do(Pit36, 0, 0)}),
    W(PitZ, JestRodzic, false, {Do(Pit36, 0, 0)}),
    W(SseR, JestRodzic, false, {Do(Pit36, 0, 0)}),
    W(SseA, JestRodzic, false, {Do(Pit36, 0, 0)}),
    W(SseRA, JestRodzic, false, {Do(Pit36, 0, 0)}),
    W(PitZG, JestRodzic, false, {Pole(Pit36, 0, "Pit-36", 0), Pole(Pit38, 0, "Pit-38", 0)}),
    W(PitM, JestRodzic, false, {Do(Pit36, 0, 0)}),
    W(Pit28A, JestRodzic, false, {Do(Pit28, 0, 0)}),
    W(PitD, JestRodzic, true, {Pole(Pit28, 0, "Pit-28", 0), Pole(Pit36, 0, "Pit-36", 0), Pole(Pit37, 0, "Pit-37", 0)}),
    W(Pit2K, JestRodzic, true, {Pole(Pit28, 0, "Pit-28", 0), Pole(Pit36, 0, "Pit-36", 0), Pole(Pit37, 0, "Pit-37", 0)}),
    W(PitO, JestRodzic, false, {Pole(Pit28, 0, "Pit-28", 0), Pole(Pit36, 0, "Pit-36", 0), Pole(Pit37, 0, "Pit-37", 0)}),
    W(Nip1, JestRodzic, true, {Pole(Pit28, 0, "Pit-28", 0), Pole(Pit36, 0, "Pit-36", 0)}),
    W(Nip3, JestRodzic, true,
      {Pole(Pit28, 0, "Pit-28", 0), Pole(Pit36, 0, "Pit-36", 0), Pole(Pit37, 0, "Pit-37", 0),
       Pole(Pit38, 0, "Pit-38", 0)}),
});

static_assert(kIndywidualnie.LiczbaKrokow() == 20 && kWspolnie.LiczbaKrokow() == 18 &&
              kSamotnie.LiczbaKrokow() == 18);
static_assert(kIndywidualnie.LiczbaKrokow() < kLiczbaRekordowKrokow);

bool Spelniony(const WierszKroku& w, const TTools& tools) {
  switch (w.warunek) {
    case Warunek::Zawsze: return true;
    case Warunek::BrakPit37: return !JestDrukGlowny(tools, Pit37, PMWspolny);
    case Warunek::JestRodzic: break;
  }
  for (int g = 0; g < w.liczbaGrup; ++g) {
    const GrupaWiersza& grupa = w.grupy[static_cast<std::size_t>(g)];
    for (int i = 0; i < grupa.liczbaMiejsc; ++i)
      if (IndeksRodzica(tools, grupa.miejsca[static_cast<std::size_t>(i)]) > 0) return true;
  }
  return false;
}

}  // namespace

std::int16_t& OdpowiedzGrupy(TKrokKreatora& krok, Grupa g) {
  switch (g) {
    case Grupa::Podatnik: return krok.OdpowiedzPodatnika;
    case Grupa::Malzonek: return krok.OdpowiedzMalzonka;
    case Grupa::Ogolna: break;
  }
  return krok.OdpowiedzOgolna;
}

std::int16_t OdpowiedzGrupy(const TKrokKreatora& krok, Grupa g) {
  return OdpowiedzGrupy(const_cast<TKrokKreatora&>(krok), g);
}

std::span<std::uint8_t> StanyPol(TKrokKreatora& krok, Grupa g) {
  switch (g) {
    case Grupa::Podatnik: return krok.StanPZ;
    case Grupa::Malzonek: return krok.StanMZ;
    case Grupa::Ogolna: break;
  }
  return krok.StanOZ;
}

std::span<const std::uint8_t> StanyPol(const TKrokKreatora& krok, Grupa g) {
  return StanyPol(const_cast<TKrokKreatora&>(krok), g);
}

const TabelaKrokow* Tabela(int rodzaj) {
  switch (rodzaj) {
    case Indywidualne: return &kIndywidualnie;
    case WspolneZMalzonkiem: return &kWspolnie;
    case SamotnieWychowujacy: return &kSamotnie;
    default: return nullptr;
  }
}

const WierszKroku* Wiersz(int rodzaj, int krok) {
  const TabelaKrokow* t = Tabela(rodzaj);
  if (!t || krok < 1 || krok > t->liczbaWierszy) return nullptr;
  return &t->wiersze[static_cast<std::size_t>(krok - 1)];
}

int NajwiecejDrukow(int rodzaj) {
  const TabelaKrokow* t = Tabela(rodzaj);
  if (!t) return 0;
  int n = 0;
  for (int s = 0; s < t->liczbaWierszy; ++s) {
    const WierszKroku& w = t->wiersze[static_cast<std::size_t>(s)];
    for (int g = 0; g < w.liczbaGrup; ++g) n += w.grupy[static_cast<std::size_t>(g)].liczbaMiejsc;
  }
  return n;
}

bool JestDrukGlowny(const TTools& tools, int idPit, int pm) {
  return tools.ZnajdzDrukRodzicPM(idPit, 0, pm) > 0;
}

int IndeksRodzica(const TTools& tools, const Miejsce& miejsce) {
  if (miejsce.rodzic == 0) return 0;
  const int i = tools.ZnajdzDrukRodzicPM(miejsce.rodzic, 0, miejsce.pmRodzica);
  return i > 0 ? i : -1;
}

void WyczyscKrok(TKrokKreatora& krok) {
  krok = TKrokKreatora{};
}

void UstawKroki(int rodzaj, TKrokiKreatora& kroki) {
  const TabelaKrokow* t = Tabela(rodzaj);
  if (!t) return;
  for (int s = 0; s <= t->LiczbaKrokow(); ++s) {
    TKrokKreatora& k = kroki[static_cast<std::size_t>(s)];
    WyczyscKrok(k);
    const WierszKroku* w = Wiersz(rodzaj, s);
    if (!w) continue;
    k.IdPit = w->idPit;
    k.JedenDrukGlowny = w->jedenDrukGlowny ? 1 : 0;
    for (int g = 0; g < w->liczbaGrup; ++g) {
      switch (w->grupy[static_cast<std::size_t>(g)].grupa) {
        case Grupa::Podatnik: k.PokazPodatnik = 1; break;
        case Grupa::Malzonek: k.PokazMalzonek = 1; break;
        case Grupa::Ogolna: k.PokazOdpowiedz = 1; break;
      }
    }
  }
}

int NastepnyKrok(int rodzaj, TKrokiKreatora& kroki, int krok, bool naprzod, const TTools& tools) {
  int s = krok;
  for (;;) {
    const WierszKroku* w = Wiersz(rodzaj, s);
    if (!w || Spelniony(*w, tools)) return s;
    TKrokKreatora& k = kroki[static_cast<std::size_t>(s)];
    k.OdpowiedzPodatnika = kNie;
    k.OdpowiedzMalzonka = kNie;
    k.OdpowiedzOgolna = kNie;
    s += naprzod ? 1 : -1;
  }
}
