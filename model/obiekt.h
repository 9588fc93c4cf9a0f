#pragma once
// A field object of a form structure (one record of the .dcs file) and the .dcd header.

#include <array>
#include <cstdint>

#include "platform/tekst.h"

enum TypObiektu : std::int32_t { Text = 0, Liczba = 1, NIP = 2, Data = 3, Select = 4, Checbox = 5, Radio = 6 };

enum FormatLiczby : std::int32_t {
  FormatDziesietna = 1, FormatCalkowita = 2, FormatZaokrGroszy = 11, FormatZaokrZloty = 12
};
enum RodzajNip : std::int32_t { NipOsobaFizyczna = 1, NipOsobaPrawna = 2 };
enum Wyrownanie : std::int32_t { DoLewej = 0, DoPrawej = 1, Centruj = 2, Justuj = 3 };

struct TOpcjaObiektu {
  TTekst<50> Tekst{};
  TTekst<50> Wartosc{};
  std::uint8_t Zaznaczona = 0;
};

struct TElementListy {
  TTekst<50> Tekst{};
  TTekst<50> Wartosc{};
};

struct TObiekt {
  std::int32_t Lewy = 0, Gorny = 0, Prawy = 0, Dolny = 0;
  std::int32_t NrObiektu = 0;
  std::int32_t Strona = 0;
  std::int32_t DrugiNumer = 0;
  std::int32_t Format = 0;
  std::int32_t Typ = 0;
  std::int32_t Wyrownanie = 0;
  std::int32_t LimitZnakow = 0;
  TTekst<15> Nazwa{};
  TTekst<255> Wartosc{};
  TTekst<255> WartoscDomyslna{};
  TTekst<80> Pomoc{};
  TTekst<100> Rezerwa{};
  TTekst<3> RozmiarCzcionki{};
  TTekst<7> KolorKrawedzi{};
  TTekst<7> KolorTla{};
  TTekst<7> KolorTekstu{};
  std::uint8_t Widoczne = 0;
  std::uint8_t TylkoDoOdczytu = 0;
  std::uint8_t Wymagane = 0;
  std::uint8_t Zablokowane = 0;
  std::uint8_t Wielowierszowe = 0;
  std::uint8_t TylkoDodatnia = 0;
  std::uint8_t Wypelnienie = 0;   // padding byte, kept as read
  std::int32_t PozycjaPrzegladania = 0;
  std::int32_t Zarezerwowane = 0;  // never interpreted, kept as read
  std::array<TOpcjaObiektu, 10> Opcje{};
  std::array<TElementListy, 10> ElementyListy{};
  std::array<TOpcjaObiektu, 10> OpcjeDodatkowe{};
};

struct TNaglowekFormularza {
  TTekst<256> Sciezka{};
  std::int32_t LiczbaStron = 0;
  std::int32_t SzerokoscEkranu = 0;
  std::int32_t WysokoscEkranu = 0;
  std::int32_t WysokoscWidoku = 0;
  std::int32_t SzerokoscWidoku = 0;
};
