#include "calc/pitm.h"

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/oblicz.h"
#include "calc/pola.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

// One row of the children's income: revenue, costs, income, loss, advance.
struct Wiersz {
  int przychod, koszty, dochod, strata, zaliczka;
};
constexpr Wiersz kWiersze[] = {{9, 10, 11, 12, 13}, {14, 15, 16, 17, 18}, {19, 20, 21, 22, 23}};

class ObliczeniePitM {
 public:
  ObliczeniePitM(KontekstObliczen& kx, int j) : kx_(kx), j_(j) {}

  void Oblicz() {
    WczytajDaneOsobZDruku(kx_.R, j_);
    ZapiszDaneOsobDoDrukow(kx_.R);
    Wiersze();
    Udzial();
    DoPit36();
  }

 private:
  long double W(int k) { return WartoscPola(kx_, k, j_); }
  void Zapisz(int k, long double x) { ZapiszKwote(kx_, k, j_, x); }
  // The difference as it stands, or "0,00" when it is not above zero.
  void ZapiszDodatnia(int k, long double roznica) {
    if (roznica > 0)
      Zapisz(k, roznica);
    else
      UstawTekstPola(kx_, k, j_, "0,00");
  }

  void Wiersze() {
    // Family pensions have no costs: their income is their revenue.
    KopiujPole(kx_, 6, j_, 7, j_);
    for (const Wiersz& w : kWiersze) ZapiszDodatnia(w.dochod, W(w.przychod) - W(w.koszty));
    for (const Wiersz& w : kWiersze) ZapiszDodatnia(w.strata, W(w.koszty) - W(w.przychod));
    Zapisz(24, W(6) + W(9) + W(14) + W(19));
    Zapisz(25, W(10) + W(15) + W(20));
    Zapisz(26, W(7) + W(11) + W(16) + W(21));
    for (int k : {8, 13, 18, 23}) Zapisz(k, ZaokraglijDoZlotych(W(k)));
    Zapisz(27, W(8) + W(13) + W(18) + W(23));
  }

  // Half for parents who share parental authority, the whole for one who has it alone; with both boxes ticked the
  // whole stands.
  void Udzial() {
    if (Zaznaczone(28)) {
      Zapisz(30, ZaokraglijDoGroszy(W(26) * 0.5L));
      Zapisz(31, ZaokraglijDoGroszy(W(27) * 0.5L));
    }
    if (Zaznaczone(29)) {
      KopiujPole(kx_, 26, j_, 30, j_);
      KopiujPole(kx_, 27, j_, 31, j_);
    }
    if (!Zaznaczone(28) && !Zaznaczone(29)) {
      UstawTekstPola(kx_, 30, j_, "0,00");
      UstawTekstPola(kx_, 31, j_, "0,00");
    }
  }

  void DoPit36() {
    const int pit36 = kx_.R.ZnajdzDrukRodzicPM(Pit36, 0, PMWspolny);
    if (pit36 <= 0) return;
    const bool malzonek = kx_.R.Druk(j_).PM == PMMalzonek;
    KopiujPole(kx_, 30, j_, malzonek ? 132 : 131, pit36);
    KopiujPole(kx_, 31, j_, malzonek ? 134 : 133, pit36);
    ObliczDruk(Pit36, kx_, pit36);
  }

  bool Zaznaczone(int k) { return PoleDruku(kx_, k, j_).Zaznaczone == 1; }

  KontekstObliczen& kx_;
  int j_;
};

}  // namespace

void ObliczPitM(KontekstObliczen& kx, int j) {
  kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  ObliczeniePitM(kx, j).Oblicz();
}
