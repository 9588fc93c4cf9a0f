#include "calc/pit28.h"

#include <array>
#include <string>
#include <utility>

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/pola.h"
#include "calc/raport.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

constexpr int kKolumny = 6;
constexpr std::array<long double, kKolumny> kStawki = {0.03L, 0.055L, 0.085L, 0.10L, 0.17L, 0.20L};
constexpr long double kSetnaCzesc = 0.01L;

// The first field of each per-column row: field first + n belongs to column n.
constexpr int kSumyKolumn = 36;
constexpr int kUdzialyPierwszegoBloku = 50;
constexpr int kDrugiBlok = 43;
constexpr int kUdzialyDrugiegoBloku = 56;
constexpr int kOdliczeniaKolumn = 72;
constexpr int kPodstawy = 79;
constexpr int kRyczalty = 87;

// PIT/D fields copied into fields 66, 68 and 99: the common amount, the taxpayer's share and the spouse's share; a
// common PIT-28 takes the pair of shares, or the whole when both shares are 0.
struct ZPitD {
  int cel, calosc, podatnik, malzonek;
};
constexpr ZPitD kZPitD[] = {{66, 30, 32, 33}, {68, 41, 43, 44}, {99, 50, 52, 53}};

// One run of the computation on one record. Every value is read from the field text at the step that uses it, so a step
// reads the rounded text an earlier step wrote.
class ObliczeniePit28 {
 public:
  ObliczeniePit28(KontekstObliczen& kx, int j) : kx_(kx), j_(j), naEkranie_(NaEkranie(kx, Pit28)) {}

  void Oblicz() {
    WyczyscListError(kx_);
    if (naEkranie_ && kx_.R.ZnajdzDrukRodzic(PitD, j_) > 0) UstawTylkoDoOdczytu(kx_, {66, 68, 99}, 1);
    WczytajDaneOsobZDruku(kx_.R, j_);
    ZapiszDaneOsobDoDrukow(kx_.R);
    if (naEkranie_ && kx_.R.ZnajdzDrukRodzic(Pit28A, j_) > 0) UstawTylkoDoOdczytu(kx_, {{19, 25}, 33, {43, 49}}, 1);
    if (naEkranie_ && kx_.R.ZnajdzDrukRodzic(Pit28B, j_) > 0) UstawTylkoDoOdczytu(kx_, {{26, 32}}, 1);
    pitO_ = kx_.R.ZnajdzDrukRodzic(PitO, j_);
    Sumy();
    Udzialy();
    OdliczeniaOdPrzychodu();
    OdliczeniaZPitD();
    PodstawyIRyczalt();
    OdliczeniaOdRyczaltu();
    Saldo();
    LiczbyZalacznikow();
    JedenProcent();
    ZakonczRaport(kx_, Pit28, redukcja_);
  }

 private:
  long double W(int k) { return WartoscPola(kx_, k, j_); }
  long double T() { return W(42) + W(49); }
  long double Grosze(long double x) { return ZaokraglijDoGroszy(x); }
  long double Zlote(long double x) { return ZaokraglijDoZlotych(x); }
  void Zapisz(int k, long double x) { ZapiszKwote(kx_, k, j_, x); }
  void Zero(int k) { UstawTekstPola(kx_, k, j_, "0,00"); }
  void Kopiuj(int z, int k) { KopiujPole(kx_, z, j_, k, j_); }
  void Redukcja() { redukcja_ = true; }

  void Sumy() {
    Zapisz(25, SumaPol(kx_, 19, 24, j_));
    Zapisz(32, SumaPol(kx_, 26, 31, j_));
    Zapisz(35, W(33) + W(34));
    Zapisz(49, SumaPol(kx_, 43, 48, j_));
    // The rent of rows 33 and 34 is taxed at 8.5% and 20%, columns 3 and 6.
    for (int n = 0; n < kKolumny; ++n) {
      const long double najem = n == 2 ? W(33) : n == 5 ? W(34) : 0;
      Zapisz(kSumyKolumn + n, W(19 + n) + W(26 + n) + najem);
    }
    Zapisz(42, Grosze(W(25) + W(32) + W(35)));
  }

  void Udzialy() {
    for (const int pierwsze : {kSumyKolumn, kDrugiBlok}) {
      const int udzialy = pierwsze == kSumyKolumn ? kUdzialyPierwszegoBloku : kUdzialyDrugiegoBloku;
      for (int n = 0; n < kKolumny; ++n) {
        const long double t = T();
        if (t != 0) Zapisz(udzialy + n, Grosze(W(pierwsze + n) * 100 / t));
      }
    }
  }

  // 63 is taken first, then 62, then 64: the last one cut is the first one taken.
  void OdliczeniaOdPrzychodu() {
    if (pitO_ > 0) KopiujPole(kx_, 28, pitO_, 64, j_);
    if (Wieksze(W(63), T())) {
      Zero(62);
      Zapisz(63, Grosze(T()));
      Zero(64);
      Redukcja();
    }
    if (Wieksze(W(62) + W(63), T())) {
      Zapisz(62, Grosze(T() - W(63)));
      Zero(64);
      Redukcja();
    }
    if (Wieksze(W(62) + W(63) + W(64), T())) {
      Zapisz(64, Grosze(T() - W(63) - W(62)));
      Redukcja();
    }
    ZapiszNieujemna(kx_, 65, j_, T() - (W(62) + W(63) + W(64)));
    // A part of a deduction is limited by it without a report.
    if (Wieksze(W(146), W(63))) Kopiuj(63, 146);
  }

  void OdliczeniaZPitD() {
    if (const int d = kx_.R.ZnajdzDruk(PitD); d > 0) {
      const int pm = kx_.R.Druk(j_).PM;
      for (const ZPitD& z : kZPitD) {
        int zrodlo = pm == PMMalzonek ? z.malzonek : z.podatnik;
        if (pm == PMWspolny && WartoscPola(kx_, z.podatnik, d) == 0 && WartoscPola(kx_, z.malzonek, d) == 0)
          zrodlo = z.calosc;
        KopiujPole(kx_, zrodlo, d, z.cel, j_);
      }
    }
    if (Wieksze(W(66), W(65))) {
      Kopiuj(65, 66);
      Redukcja();
    }
    Zapisz(67, Grosze(W(65) - W(66)));
    Kopiuj(Wieksze(W(67), W(68)) ? 68 : 67, 69);
    Zapisz(70, W(68) - W(69));
    Zapisz(71, W(62) + W(63) + W(64) + W(66) + W(69));
  }

  // The second block's deduction share of column n, cut to its revenue.
  long double OdliczenieDrugiegoBloku(int n) {
    const long double przychod = W(kDrugiBlok + n);
    const long double udzial = Grosze(W(kUdzialyDrugiegoBloku + n) * kSetnaCzesc * W(71));
    return udzial > przychod ? przychod : udzial;
  }

  void PodstawyIRyczalt() {
    for (int n = 0; n < kKolumny; ++n) {
      Zapisz(kOdliczeniaKolumn + n, Grosze(W(kUdzialyPierwszegoBloku + n) * kSetnaCzesc * W(71)));
      if (Wieksze(W(kOdliczeniaKolumn + n), W(kSumyKolumn + n))) Kopiuj(kSumyKolumn + n, kOdliczeniaKolumn + n);
    }
    for (int n = 0; n < kKolumny; ++n) Zapisz(kPodstawy + n, Zlote(W(kSumyKolumn + n) - W(kOdliczeniaKolumn + n)));

    // The second block keeps its per-column values to itself; only its totals are written.
    long double odliczenia = 0, podstawy = 0, ryczalt = 0;
    for (int n = 0; n < kKolumny; ++n) {
      const long double odliczenie = OdliczenieDrugiegoBloku(n);
      const long double podstawa = Zlote(W(kDrugiBlok + n) - odliczenie);
      odliczenia += odliczenie;
      podstawy += podstawa;
      ryczalt += Grosze(podstawa * kStawki[static_cast<std::size_t>(n)]);
    }
    Zapisz(78, Grosze(odliczenia));
    Zapisz(85, podstawy);
    Zapisz(86, SumaPol(kx_, 79, 85, j_));
    for (int n = 0; n < kKolumny; ++n)
      Zapisz(kRyczalty + n, Grosze(W(kPodstawy + n) * kStawki[static_cast<std::size_t>(n)]));
    Zapisz(93, Grosze(ryczalt));
    Zapisz(94, SumaPol(kx_, 87, 93, j_));
    Zapisz(96, W(95) + W(94));
  }

  void OdliczeniaOdRyczaltu() {
    if (Wieksze(W(97), W(96))) {
      Kopiuj(96, 97);
      Redukcja();
    }
    // A part of the deduction, limited by it as finally cut, without a report.
    if (Wieksze(W(149), W(97))) Kopiuj(97, 149);
    if (pitO_ > 0) KopiujPole(kx_, 41, pitO_, 98, j_);
    if (Wieksze(W(97) + W(98), W(96))) {
      Zapisz(98, Grosze(W(96) - W(97)));
      Redukcja();
    }
    if (Wieksze(W(96), W(97) + W(98) + W(99)))
      Kopiuj(99, 100);
    else
      Zapisz(100, Grosze(W(96) - W(97) - W(98)));
    Zapisz(101, W(99) - W(100));
    Zapisz(102, Zlote(W(96) - (W(97) + W(98) + W(100))));
  }

  void Saldo() {
    if (Wieksze(W(102) + W(104), W(108)))
      Zapisz(109, W(102) + W(104) - W(108));
    else
      Zero(109);
    if (Wieksze(W(108), W(104) + W(102)))
      Zapisz(110, W(108) - (W(104) + W(102)));
    else
      Zero(110);
    Zapisz(122, SumaPol(kx_, 111, 121, j_));
  }

  void LiczbyZalacznikow() {
    const std::pair<int, int> liczby[] = {{124, PitO}, {125, PitD},   {126, Pit2K}, {127, Nip1},
                                          {128, Nip3}, {129, Pit28A}, {130, Pit28B}};
    for (const auto& [pole, kod] : liczby)
      UstawTekstPola(kx_, pole, j_, std::to_string(kx_.R.PoliczDruki(kod, j_, -1)));
  }

  void JedenProcent() {
    const long double limit = ObetnijDoDziesiatekGroszy(static_cast<double>(W(102) * kSetnaCzesc));
    if (Wieksze(W(143), limit)) {
      Zapisz(143, limit);
      Redukcja();
    }
  }

  KontekstObliczen& kx_;
  int j_;
  bool naEkranie_;
  int pitO_ = 0;
  bool redukcja_ = false;
};

}  // namespace

void ObliczPit28(KontekstObliczen& kx, int j) {
  kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  ObliczeniePit28(kx, j).Oblicz();
}
