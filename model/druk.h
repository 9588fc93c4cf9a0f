#pragma once
// The settlement's records: one chosen form instance with its field values, the identification data of a person
// and the form-type catalogue.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/tekst.h"

class QTreeWidgetItem;

// Form type, 1..19 in catalogue order.
enum KodDruku : std::int32_t {
  Pit36 = 1, Pit37 = 2, Pit36L = 3, Pit38 = 4, Pit28 = 5, PitO = 6, PitD = 7, Pit2K = 8, PitM = 9, PitB = 10,
  PitZ = 11, PitZG = 12, SseR = 13, SseA = 14, SseRA = 15, Nip1 = 16, Nip3 = 17, Pit28A = 18, Pit28B = 19
};
constexpr int kLiczbaTypowDrukow = 19;
constexpr bool JestDrukiemGlownym(int kod) { return kod >= Pit36 && kod <= Pit28; }

// Whose form it is; also the tree image index.
enum PM : std::int32_t { PMWspolny = 0, PMPodatnik = 1, PMMalzonek = 2 };

enum RodzajRozliczenia : std::int32_t { Indywidualne = 0, WspolneZMalzonkiem = 1, SamotnieWychowujacy = 2 };

constexpr int kLiczbaPol = 350;

struct TPoleDruku {
  std::int32_t Format = 0;
  std::int32_t Typ = 0;
  TTekst<16> Nazwa{};
  std::int32_t IdPit = 0;
  std::int32_t Strona = 0;
  std::int32_t NrObiektu = 0;
  TTekst<355> Wartosc{};
  std::uint8_t Zaznaczone = 0;
};

struct TDruk {
  QTreeWidgetItem* Wezel = nullptr;  // node in the tree view; never stored
  std::int32_t Id = 0;
  std::int32_t IdPit = 0;
  std::int32_t IdParent = 0;
  std::int32_t PM = 0;
  std::int32_t Rodzaj = 0;
  std::int32_t NrKopii = 0;
  std::uint8_t Wybrany = 0;
  std::uint8_t Wczytany = 0;
  std::array<TPoleDruku, kLiczbaPol> Pola{};
};

// Identification data of the taxpayer or the spouse: sixteen texts of fixed widths.
struct TOsoba {
  static constexpr std::array<std::size_t, 16> kSzerokosci = {14, 255, 255, 255, 11, 13, 255, 255,
                                                              255, 255, 255, 10, 10, 255, 8, 255};
  TTekst<14> Pole00{};
  TTekst<255> Pole01{}, Pole02{}, Pole03{};
  TTekst<11> Pole04{};
  TTekst<13> Pole05{};
  TTekst<255> Pole06{}, Pole07{}, Pole08{}, Pole09{}, Pole10{};
  TTekst<10> Pole11{}, Pole12{};
  TTekst<255> Pole13{};
  TTekst<8> Pole14{};
  TTekst<255> Pole15{};

  // Field i (0..15) as bytes; an index outside the block reads as empty and writes nothing.
  std::string_view Pole(int i) const;
  void UstawPole(int i, std::string_view bajty);  // cut at the field's width
  void Wyczysc();
};

struct TTypDruku {
  TTekst<52> Nazwa{};
  std::int32_t LiczbaStron = 0;
  std::uint8_t WieleKopii = 0;
};

// Appends a record as index liczba + 1 of a block whose slot 0 holds no record; a full block grows.
void DolaczDruk(std::vector<TDruk>& blok, std::int32_t& liczba, int idPit, int idParent, int pm, int rodzaj);
