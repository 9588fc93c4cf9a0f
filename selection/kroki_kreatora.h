#pragma once
// The wizard's step tables. One table per settlement kind gives, for each question step, the form asked, the answer
// groups shown and, for every group, the places a record of that form may go to. Which steps are shown, the attach
// boxes with their captions, and the records added and undone are all read from these rows, so they cannot disagree.

#include <array>
#include <cstdint>
#include <span>

class TTools;

// One step of the wizard with the answers last given there.
struct TKrokKreatora {
  std::uint8_t PokazPodatnik = 0;
  std::uint8_t PokazMalzonek = 0;
  std::uint8_t PokazOdpowiedz = 0;
  std::int16_t OdpowiedzPodatnika = -1;  // -1 none, 0 TAK, 1 NIE
  std::int16_t OdpowiedzMalzonka = -1;
  std::int16_t OdpowiedzOgolna = -1;
  std::uint8_t JedenDrukGlowny = 0;  // the attachment may go to one main form only
  std::array<std::uint8_t, 4> StanPZ{};
  std::array<std::uint8_t, 4> StanMZ{};
  std::array<std::uint8_t, 5> StanOZ{};
  std::int32_t IdPit = 0;
};

constexpr int kLiczbaRekordowKrokow = 21;  // steps 0..20; 20 is the largest summary step
using TKrokiKreatora = std::array<TKrokKreatora, kLiczbaRekordowKrokow>;

constexpr std::int16_t kBrakOdpowiedzi = -1;
constexpr std::int16_t kTak = 0;
constexpr std::int16_t kNie = 1;

// The answer groups: the taxpayer's (boxes PZ), the spouse's (MZ) and the common one (OZ).
enum class Grupa { Podatnik, Malzonek, Ogolna };
constexpr int LiczbaPolGrupy(Grupa g) { return g == Grupa::Ogolna ? 5 : 4; }

std::int16_t& OdpowiedzGrupy(TKrokKreatora& krok, Grupa g);
std::int16_t OdpowiedzGrupy(const TKrokKreatora& krok, Grupa g);
// The stored box states of a group; element i is box i+1.
std::span<std::uint8_t> StanyPol(TKrokKreatora& krok, Grupa g);
std::span<const std::uint8_t> StanyPol(const TKrokKreatora& krok, Grupa g);

// Where a record of the step goes: a main form (rodzic 0) or an attachment of the main form (rodzic, pmRodzica).
struct Miejsce {
  int rodzic = 0;
  int pmRodzica = 0;
  const char* podpis = nullptr;  // caption of the attach box (UTF-8); none: the place has no box
  int pm = 0;                    // owner of the record added
};

struct GrupaWiersza {
  Grupa grupa = Grupa::Ogolna;
  int liczbaMiejsc = 0;
  std::array<Miejsce, 5> miejsca{};  // in box order
  constexpr bool MaPola() const { return liczbaMiejsc > 0 && miejsca[0].podpis != nullptr; }
};

enum class Warunek {
  Zawsze,     // always shown
  BrakPit37,  // shown while no PIT-37 exists
  JestRodzic  // shown while one of the row's main forms exists
};

struct WierszKroku {
  int idPit = 0;
  bool jedenDrukGlowny = false;
  Warunek warunek = Warunek::Zawsze;
  int liczbaGrup = 0;
  std::array<GrupaWiersza, 2> grupy{};  // the taxpayer's before the spouse's
};

struct TabelaKrokow {
  int liczbaWierszy = 0;                 // question steps 1..liczbaWierszy
  std::array<WierszKroku, 19> wiersze{};  // row of step s at s-1
  constexpr int LiczbaKrokow() const { return liczbaWierszy + 1; }  // the summary step
};

// The table of a settlement kind (0 individual, 1 joint, 2 single parent); none for another value.
const TabelaKrokow* Tabela(int rodzaj);
// The row of a step; none for step 0, the summary step and beyond, or an unknown kind.
const WierszKroku* Wiersz(int rodzaj, int krok);
// The most records a settlement of the kind can get: one per step, group and place.
int NajwiecejDrukow(int rodzaj);

// Whether the settlement holds the main form (type, owner).
bool JestDrukGlowny(const TTools& tools, int idPit, int pm);
// The record index of a place's main form: 0 for a main form itself, -1 when its main form is missing.
int IndeksRodzica(const TTools& tools, const Miejsce& miejsce);

// Resets a step's record: nothing shown, no answers, no boxes ticked, no form.
void WyczyscKrok(TKrokKreatora& krok);
// Fills records 0..LiczbaKrokow of the kind's table; the records above are left alone.
void UstawKroki(int rodzaj, TKrokiKreatora& kroki);
// From step krok (already moved by one), passes over the steps whose main forms are missing, answering them NIE, and
// returns the step to show.
int NastepnyKrok(int rodzaj, TKrokiKreatora& kroki, int krok, bool naprzod, const TTools& tools);
