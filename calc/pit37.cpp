#include "calc/pit37.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/kratki_rodzaju.h"
#include "calc/pitd.h"
#include "calc/pola.h"
#include "calc/raport.h"
#include "calc/skala.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

// Every field of the spouse's income rows is the taxpayer's field plus this.
constexpr int kPolaMalzonka = 27;

// One run of the computation on one record. Every step reads the fields as the steps before it left them.
class ObliczeniePit37 {
 public:
  ObliczeniePit37(KontekstObliczen& kx, int j) : kx_(kx), j_(j) {}

  void Oblicz() {
    WyczyscListError(kx_);
    if (kx_.R.ZnajdzDrukRodzic(PitD, j_) > 0 && NaEkranie(kx_, Pit37)) UstawTylkoDoOdczytu(kx_, {96, 97, 110}, 1);
    WczytajDaneOsobZDruku(kx_.R, j_);
    ZapiszDaneOsobDoDrukow(kx_.R);
    UstawKratkiRodzaju(kx_, j_);
    Dochody(0);
    Dochody(kPolaMalzonka);
    OdliczeniaOdDochodu();
    OdliczeniaZPitO();
    OdliczeniaZPitD();
    Podatek();
    Ulgi();
    Naleznosc();
    LiczbyZalacznikow();
    JedenProcent();
    ZakonczRaport(kx_, Pit37, redukcja_);
  }

 private:
  // The value of field k as its text stands. A text is read once and again only after this run wrote the field,
  // so a step still reads what the steps before it left.
  long double W(int k) {
    if (!przeczytane_.test(static_cast<std::size_t>(k))) {
      wartosci_[static_cast<std::size_t>(k)] = WartoscPola(kx_, k, j_);
      przeczytane_.set(static_cast<std::size_t>(k));
    }
    return wartosci_[static_cast<std::size_t>(k)];
  }
  // Every write to the record goes through one of the functions below, which forget the value read.
  void Zmieniono(int k) { przeczytane_.reset(static_cast<std::size_t>(k)); }
  long double Suma(std::initializer_list<int> pola) {
    long double suma = 0;
    for (int k : pola) suma += W(k);
    return suma;
  }
  std::uint8_t& Kratka(int k) { return PoleDruku(kx_, k, j_).Zaznaczone; }
  void Zapisz(int k, long double x) {
    ZapiszKwote(kx_, k, j_, x);
    Zmieniono(k);
  }
  void ZapiszGrosze(int k, long double x) { Zapisz(k, ZaokraglijDoGroszy(x)); }
  void ZapiszRoznice(int k, int odjemna, int odjemnik) {
    const long double a = W(odjemna);
    ZapiszNieujemna(kx_, k, j_, a - W(odjemnik));
    Zmieniono(k);
  }
  // The text of field zPola of record zDruku into field doPola.
  void Przejmij(int zPola, int zDruku, int doPola) {
    KopiujPole(kx_, zPola, zDruku, doPola, j_);
    Zmieniono(doPola);
  }
  void Kopiuj(int z, int doPola) { Przejmij(z, j_, doPola); }
  void Zeruj(std::initializer_list<int> pola) {
    for (int k : pola) {
      UstawTekstPola(kx_, k, j_, "0,00");
      Zmieniono(k);
    }
  }

  // Income rows of one person: p is 0 for the taxpayer, kPolaMalzonka for the spouse.
  void Dochody(int p) {
    ZapiszGrosze(59 + p, Suma({36 + p, 41 + p, 44 + p, 49 + p, 54 + p}));
    ZapiszGrosze(60 + p, Suma({37 + p, 45 + p, 50 + p, 55 + p}));
    ZapiszGrosze(62 + p, Suma({40 + p, 43 + p, 48 + p, 53 + p, 58 + p}));
    ZapiszRoznice(38 + p, 36 + p, 37 + p);
    Kopiuj(41 + p, 42 + p);
    ZapiszRoznice(46 + p, 44 + p, 45 + p);
    ZapiszRoznice(51 + p, 49 + p, 50 + p);
    ZapiszRoznice(56 + p, 54 + p, 55 + p);
    ZapiszRoznice(39 + p, 37 + p, 36 + p);
    ZapiszRoznice(47 + p, 45 + p, 44 + p);
    ZapiszRoznice(52 + p, 50 + p, 49 + p);
    ZapiszRoznice(57 + p, 55 + p, 54 + p);
    ZapiszGrosze(61 + p, Suma({38 + p, 42 + p, 46 + p, 51 + p, 56 + p}));
  }

  // An entered amount above its limit takes the limit's text.
  void Ogranicz(int pole, int limit, bool odliczenie) {
    if (!Wieksze(W(pole), W(limit))) return;
    Kopiuj(limit, pole);
    if (odliczenie) redukcja_ = true;
  }

  void OdliczeniaOdDochodu() {
    Ogranicz(90, 61, true);
    Ogranicz(136, 90, false);
    Ogranicz(91, 88, true);
    Ogranicz(137, 91, false);
    ZapiszGrosze(92, W(61) - W(90));
    ZapiszGrosze(93, W(88) - W(91));
  }

  void OdliczeniaZPitO() {
    pitO_ = kx_.R.ZnajdzDrukRodzic(PitO, j_);
    if (pitO_ > 0) Przejmij(28, pitO_, 94);
    Ogranicz(94, 92, true);
    if (pitO_ > 0) Przejmij(29, pitO_, 95);
    Ogranicz(95, 93, true);
  }

  void OdliczeniaZPitD() {
    const int d = kx_.R.ZnajdzDruk(PitD);
    if (d > 0) {
      Przejmij(PoleDoPrzeniesienia(kx_, d, 34, 35, 31), d, 96);
      Przejmij(PoleDoPrzeniesienia(kx_, d, 45, 46, 42), d, 97);
      Przejmij(PoleDoPrzeniesienia(kx_, d, 54, 55, 51), d, 110);
    }
    const long double dochod = Suma({92, 93});
    const long double zPitO = Suma({94, 95});
    if (Wieksze(W(96) + zPitO, dochod)) {
      ZapiszGrosze(96, dochod - zPitO);
      redukcja_ = true;
    }
    const long double wykorzystane = zPitO + W(96);
    if (Wieksze(W(97) + wykorzystane, dochod))
      ZapiszGrosze(98, dochod - wykorzystane);
    else
      Kopiuj(97, 98);
    ZapiszGrosze(99, W(97) - W(98));
    ZapiszGrosze(100, Suma({92, 93}) - Suma({94, 95, 96, 98}));
  }

  void Podatek() {
    if (Kratka(3) == 1)
      Zapisz(101, ZaokraglijDoZlotych(W(100)));
    else
      Zapisz(101, ZaokraglijDoZlotych(W(100) * 0.5L));
    // The scale's tax is already in grosze.
    const long double podatek = ObliczPodatekWgSkali(static_cast<double>(W(101)));
    if (Kratka(4) == 1 || Kratka(5) == 1 || Kratka(6) == 1)
      Zapisz(102, podatek * 2.0L);
    else
      Zapisz(102, podatek);
    if (W(102) < 0) Zeruj({102});
    ZapiszGrosze(104, Suma({102, 103}));
  }

  // Reliefs come off the tax in the order 105..108; the first that does not fit takes what remains and the later
  // ones nothing.
  void Ulgi() {
    if (pitO_ > 0) {
      Przejmij(41, pitO_, 107);
      Przejmij(42, pitO_, 108);
    }
    if (Wieksze(W(105), W(104))) {
      Kopiuj(104, 105);
      Zeruj({106, 107, 108});
      redukcja_ = true;
    }
    if (Wieksze(Suma({105, 106}), W(104))) {
      ZapiszGrosze(106, W(104) - W(105));
      Zeruj({107, 108});
      redukcja_ = true;
    }
    if (Wieksze(Suma({105, 106, 107}), W(104))) {
      ZapiszGrosze(107, W(104) - W(105) - W(106));
      Zeruj({108});
      redukcja_ = true;
    }
    if (Wieksze(Suma({105, 106, 107, 108}), W(104))) {
      ZapiszGrosze(108, W(104) - W(105) - W(106) - W(107));
      redukcja_ = true;
    }
    Ogranicz(142, 105, false);
    Ogranicz(143, 106, false);
    ZapiszGrosze(109, W(104) - Suma({105, 106, 107, 108}));
  }

  void Naleznosc() {
    Kopiuj(Wieksze(W(110), W(109)) ? 109 : 110, 111);
    ZapiszGrosze(112, W(110) - W(111));
    Zapisz(113, ZaokraglijDoZlotych(W(109) - W(111)));
    ZapiszGrosze(114, Suma({62, 89}));
    // Whether anything is due is decided in whole zloty; the amount is written in grosze.
    if (ZaokraglijDoZlotych(W(113) - W(114)) > 0)
      ZapiszGrosze(115, W(113) - W(114));
    else
      Zeruj({115});
    if (ZaokraglijDoZlotych(W(114) - W(113)) > 0)
      ZapiszGrosze(116, W(114) - W(113));
    else
      Zeruj({116});
  }

  void LiczbyZalacznikow() {
    const std::pair<int, int> liczby[] = {{117, PitO}, {118, PitD}, {119, Pit2K}, {120, Nip3}};
    for (const auto& [pole, kod] : liczby) {
      UstawTekstPola(kx_, pole, j_, std::to_string(kx_.R.PoliczDruki(kod, j_, -1)));
      Zmieniono(pole);
    }
  }

  void JedenProcent() {
    const long double limit = ObetnijDoDziesiatekGroszy(static_cast<double>(W(113) * 0.01L));
    if (Wieksze(W(132), limit)) {
      Zapisz(132, limit);
      redukcja_ = true;
    }
  }

  KontekstObliczen& kx_;
  int j_;
  std::array<long double, kLiczbaPol> wartosci_{};
  std::bitset<kLiczbaPol> przeczytane_;
  bool redukcja_ = false;
  int pitO_ = -1;
};

}  // namespace

void ObliczPit37(KontekstObliczen& kx, int j) {
  kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  ObliczeniePit37(kx, j).Oblicz();
}
