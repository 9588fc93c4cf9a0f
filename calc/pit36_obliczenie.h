#pragma once
// One run of the PIT-36 computation on one record, shared by the files that hold its stages: the entry and the
// incomes (pit36.cpp), the deductions from income (pit36_odliczenia.cpp), and the tax and the amounts due
// (pit36_podatek.cpp). Every step reads the fields as the steps before it left them.

#include <array>
#include <bitset>
#include <initializer_list>
#include <string_view>

#include "model/druk.h"

struct KontekstObliczen;

class ObliczeniePit36 {
 public:
  ObliczeniePit36(KontekstObliczen& kx, int j, bool zZalacznika) : kx_(kx), j_(j), zZalacznika_(zZalacznika) {}

  // The run; returns whether it lowered an entered amount.
  bool Oblicz();

 private:
  // pit36.cpp: the attachments and the incomes.
  void PrzeliczPitB();
  void BlokadaPitD();
  void WartosciZPitZ();
  void BlokadaPitB();
  void Dochody(int p);

  // pit36_odliczenia.cpp: the deductions from income.
  void Odliczenia();
  void OdliczeniaOsoby(long double dochod, int pierwsze, int drugie, int trzecie);
  void OdliczeniaZZalacznikow();
  void OdliczeniaLaczne();

  // pit36_podatek.cpp: the tax base, the tax, the reliefs and the amounts due.
  void PodstawaOpodatkowania();
  void PodatekWgStopy();
  void PodatekWgSkali();
  void Ulgi();
  void Zobowiazanie();
  void Salda();
  void LiczbyZalacznikow();
  void JedenProcent();

  // The settlement and the screen, reached only through these (pit36.cpp).
  int Zalacznik(int kod) const;          // the first of type kod attached to this record; 0 or less: none
  int Zalacznik(int kod, int pm) const;  // ... of that owner
  int PierwszyDruk(int kod) const;       // the first of the settlement, whatever its main form and owner
  int LiczbaZalacznikow(int kod) const;  // attached to this record, any owner
  int RodzajRekordu() const;             // this record's own settlement kind

  // The value of field k as its text stands. A text is read once and again only after this run wrote the field,
  // so a step still reads what the steps before it left; the attachments recomputed first write before any read.
  long double W(int k);
  long double Suma(std::initializer_list<int> pola);
  bool Zaznaczona(int k);
  // Every write to the record goes through one of these, which forget the value read.
  void Zapisz(int k, long double x);
  void ZapiszGrosze(int k, long double x);
  void UstawTekst(int k, std::string_view tekst);
  void Zeruj(std::initializer_list<int> pola);
  void Kopiuj(int z, int doPola);
  void Przejmij(int zPola, int zDruku, int doPola);
  // Field k gets a - b, or "0,00" when a is not above b.
  void ZapiszNadwyzke(int k, int a, int b);
  // An amount above its limit takes the limit's text; nothing is reported.
  void OgraniczKopia(int pole, int limit);

  KontekstObliczen& kx_;
  int j_;
  bool zZalacznika_;
  std::array<long double, kLiczbaPol> wartosci_{};
  std::bitset<kLiczbaPol> przeczytane_;
  bool redukcja_ = false;
  int pitO_ = -1;
};
