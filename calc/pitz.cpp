#include "calc/pitz.h"

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/oblicz.h"
#include "calc/pola.h"
#include "calc/raport.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

// A pair of amounts and the fields of what the first exceeds the second by and the second the first.
struct Para {
  int pierwsza, druga, nadwyzka, niedobor;
};
constexpr Para kPary[] = {{6, 7, 8, 9}, {10, 11, 12, 13}, {14, 15, 16, 17}};

// The PIT-36 fields a PIT/Z fills: the income, the loss and, counted from the first of them, the exempt income.
constexpr int kPit36Podatnika = 55;
constexpr int kPit36Malzonka = 98;
constexpr int kZwolniony = 3;

class ObliczeniePitZ {
 public:
  ObliczeniePitZ(KontekstObliczen& kx, int j)
      : kx_(kx), j_(j), rodzic_(kx.R.Druk(j).IdParent), pm_(kx.R.Druk(j).PM) {}

  void Oblicz() {
    WczytajDaneOsobZDruku(kx_.R, j_);
    ZapiszDaneOsobDoDrukow(kx_.R);
    // The PIT/B of the same main form and owner fills both pairs of business amounts.
    if (kx_.R.ZnajdzDrukRodzicPM(PitB, rodzic_, pm_) > 0 && NaEkranie(kx_, PitZ))
      UstawTylkoDoOdczytu(kx_, {{6, 7}, {23, 24}}, 1);
    const int pit36L = GlownyDruk(Pit36L);
    const int pit36 = GlownyDruk(Pit36);
    for (const Para& p : kPary) {
      ZapiszDodatnia(p.nadwyzka, W(p.pierwsza) - W(p.druga));
      ZapiszDodatnia(p.niedobor, W(p.druga) - W(p.pierwsza));
    }
    OdrebnaEwidencja();
    BezOdrebnejEwidencji();
    if (pit36 > 0) DoPit36(pit36);
    if (pit36L > 0) DoPit36L(pit36L);
  }

 private:
  long double W(int k) { return WartoscPola(kx_, k, j_); }
  void Zapisz(int k, long double x) { ZapiszKwote(kx_, k, j_, x); }
  void Kopiuj(int z, int doPola) { KopiujPole(kx_, z, j_, doPola, j_); }
  void Zeruj(int k) { UstawTekstPola(kx_, k, j_, "0,00"); }
  // The difference as it stands, or "0,00" when it is not above zero.
  void ZapiszDodatnia(int k, long double roznica) {
    if (roznica > 0)
      Zapisz(k, roznica);
    else
      Zeruj(k);
  }
  bool Zaznaczone(int k, int druk) { return PoleDruku(kx_, k, druk).Zaznaczone == 1; }

  // The settlement's main form of type kod when this PIT/Z is attached to it, else 0: a PIT/Z of one main form
  // leaves the other alone.
  int GlownyDruk(int kod) const {
    const int glowny = kx_.R.ZnajdzDrukRodzicPM(kod, 0, PMWspolny);
    return glowny > 0 && glowny == rodzic_ ? glowny : 0;
  }

  // Separate records: the whole business, the part outside the zone and the exempt part in it.
  void OdrebnaEwidencja() {
    Kopiuj(6, 18);
    Kopiuj(7, 19);
    Kopiuj(12, 20);
    Zapisz(21, W(13) + W(17));
    Kopiuj(16, 22);
  }

  // Without separate records the zone's loss cannot lower the taxed income: what it exceeds the whole loss by is
  // income.
  void BezOdrebnejEwidencji() {
    if (W(23) - W(24) >= 0)
      Zapisz(25, W(23) - W(24));
    else
      Zeruj(25);
    if (W(24) - W(23) >= 0)
      Zapisz(26, W(24) - W(23));
    else
      Zeruj(26);
    ZapiszDodatnia(29, W(26) - W(28));
    ZapiszDodatnia(30, W(28) - W(26));
    Zapisz(31, W(25) + W(30));
    Kopiuj(23, 32);
    Kopiuj(24, 33);
    Kopiuj(31, 34);
    Kopiuj(29, 35);
  }

  // The PIT-36 boxes of the owner choose which part goes there; with both boxes the second part stands.
  void DoPit36(int pit36) {
    const bool malzonek = pm_ == PMMalzonek;
    const int pole = malzonek ? kPit36Malzonka : kPit36Podatnika;
    if (Zaznaczone(malzonek ? 40 : 39, pit36)) {
      KopiujPole(kx_, 20, j_, pole, pit36);
      KopiujPole(kx_, 21, j_, pole + 1, pit36);
      KopiujPole(kx_, 22, j_, pole + kZwolniony, pit36);
    }
    if (Zaznaczone(malzonek ? 42 : 41, pit36)) {
      KopiujPole(kx_, 34, j_, pole, pit36);
      KopiujPole(kx_, 35, j_, pole + 1, pit36);
      UstawTekstPola(kx_, pole + kZwolniony, pit36, "0,00");
    }
    ObliczPit36ZZalacznika(kx_, pit36);
  }

  void DoPit36L(int pit36L) {
    if (Zaznaczone(19, pit36L)) {
      KopiujPole(kx_, 34, j_, 23, pit36L);
      KopiujPole(kx_, 35, j_, 24, pit36L);
    }
    ObliczDruk(Pit36L, kx_, pit36L);
  }

  KontekstObliczen& kx_;
  int j_;
  int rodzic_;
  int pm_;
};

}  // namespace

void ObliczPitZ(KontekstObliczen& kx, int j) {
  kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  ObliczeniePitZ(kx, j).Oblicz();
}
