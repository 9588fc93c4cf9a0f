#include "calc/sser.h"

#include <initializer_list>

#include "calc/ekran.h"
#include "calc/pola.h"
#include "calc/wartosci.h"

namespace {

class ObliczenieSseR {
 public:
  ObliczenieSseR(KontekstObliczen& kx, int j) : kx_(kx), j_(j) {}

  void Oblicz() {
    Siatki();
    Intensywnosc();
    WielkoscPomocy();
    Dochod();
    PodstawaOpodatkowania();
    WartoscZwolnienia();
  }

 private:
  long double W(int k) { return WartoscPola(kx_, k, j_); }
  long double G(long double x) { return ZaokraglijDoGroszy(x); }
  void Zapisz(int k, long double x) { ZapiszKwote(kx_, k, j_, x); }
  void Kopiuj(int z, int doPola) { KopiujPole(kx_, z, j_, doPola, j_); }
  void Zeruj(int k) { UstawTekstPola(kx_, k, j_, "0,00"); }
  void ZapiszNieujemna(int k, long double x) { ::ZapiszNieujemna(kx_, k, j_, x); }

  long double Suma(std::initializer_list<int> pola) {
    long double suma = 0;
    for (int k : pola) suma += W(k);
    return suma;
  }

  // The column totals of the aid (row 3 is a part of row 2 and stays out) and of the qualifying costs.
  void Siatki() {
    Zapisz(25, G(Suma({14, 16, 22})));
    Zapisz(26, G(Suma({15, 17, 23})));
    Zapisz(27, G(Suma({18, 24})));
    Zapisz(40, G(Suma({28, 31, 34, 37})));
    Zapisz(41, G(Suma({29, 32, 35, 38})));
    Zapisz(42, G(Suma({30, 33, 36, 39})));
  }

  // The aid as a percentage of the costs; without costs there is no percentage, and an earlier one must not stay.
  void Intensywnosc() {
    // Totals of grosze amounts: a sum that is zero in grosze is zero, whatever hair its binary terms leave.
    const long double koszty = Suma({40, 41, 42});
    if (G(koszty) != 0)
      Zapisz(43, G(Suma({25, 26, 27}) * 100 / koszty));
    else
      Zeruj(43);
    // The rate is a percentage, and the amount is one hundredth of the share it gives.
    Zapisz(45, G(koszty * (W(44) * 0.01) * 0.01L));
  }

  void WielkoscPomocy() {
    ZapiszNieujemna(49, W(47) - W(48));
    ZapiszNieujemna(51, W(46) - W(50));
    ZapiszNieujemna(52, W(50) - W(46));
    Kopiuj(W(46) < W(50) ? 46 : 50, 53);
  }

  // The taxed income, the part of it that falls outside the zone (by a percentage, or an amount no larger than the
  // income) and the rest.
  void Dochod() {
    Zapisz(55, G(W(47) - W(54)));
    if (W(57) > 0)
      Zapisz(59, G(W(55) * (W(57) * 0.01)));
    else if (W(58) > 0 && W(58) > W(55))
      Kopiuj(55, 59);
    else
      Kopiuj(58, 59);
    if (W(55) == 0) Zeruj(59);
    Zapisz(60, G(W(55) - W(59)));
  }

  void PodstawaOpodatkowania() {
    ZapiszNieujemna(64, (W(60) + W(62)) - (W(61) + W(63)));
    ZapiszNieujemna(65, (W(61) + W(63)) - (W(60) + W(62)));
    if (W(66) > W(64)) Kopiuj(64, 66);
    // Field 64 is never below zero; a loss with no more added than it leaves no base, and an earlier base must not
    // stay.
    if (W(64) > 0)
      Zapisz(68, ZaokraglijDoZlotych(W(64) - W(66) + W(67)));
    else if (W(65) < W(67))
      Zapisz(68, ZaokraglijDoZlotych(W(67) - (W(65) + W(66))));
    else
      Zeruj(68);
    if (W(68) < 0) Zeruj(68);
    ZapiszNieujemna(69, (W(65) + W(66)) - (W(64) + W(67)));
  }

  void WartoscZwolnienia() {
    if (W(71) > W(70)) Kopiuj(70, 71);
    Zapisz(73, G(W(70) - W(71)));
    ZapiszNieujemna(74, W(72) - W(73));
    ZapiszNieujemna(76, W(74) - W(75));
    // Aid carried forward: what the allowed aid exceeds the aid used by, up to its limit, and none when the aid
    // used exceeds the allowed.
    Zapisz(79, G(W(75) - W(74)));
    if (W(79) > W(78)) Kopiuj(78, 79);
    if (W(76) > 0) Zeruj(79);
    Zapisz(80, G(W(77) - W(79) + W(76)));
    Zapisz(81, G(W(77) - W(78) - W(79)));
  }

  KontekstObliczen& kx_;
  int j_;
};

}  // namespace

void ObliczSseR(KontekstObliczen& kx, int j) {
  kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  ObliczenieSseR(kx, j).Oblicz();
}
