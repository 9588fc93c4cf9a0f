#include "calc/pitb.h"

#include <QString>
#include <functional>
#include <string>

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/oblicz.h"
#include "calc/pola.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

// A partnership: the taxpayer's share in percent, the partnership's two amounts and the taxpayer's part of each,
// the difference of the amounts and of the parts.
struct Spolka {
  int procent, pierwsza, pierwszaUdzial, druga, drugaUdzial, roznica, roznicaUdzial;
};
constexpr Spolka kSpolki[] = {{21, 26, 27, 28, 29, 30, 31}, {34, 38, 39, 40, 41, 42, 43}, {46, 50, 51, 52, 53, 54, 55}};

// The first amounts of a PIT/B that make its first total, and the second amounts that make the second.
constexpr int kPierwsze[] = {10, 16, 27, 39, 51};
constexpr int kDrugie[] = {11, 17, 29, 41, 53};

// The totals over a group of PIT/B, as double like the running sums they are, and whether the group has any.
struct Sumy {
  double pierwsza = 0;
  double druga = 0;
  bool sa = false;
};

bool Zaznaczone(KontekstObliczen& kx, int k, int j) { return PoleDruku(kx, k, j).Zaznaczone == 1; }

class ObliczeniePitB {
 public:
  ObliczeniePitB(KontekstObliczen& kx, int j)
      : kx_(kx), j_(j), rodzic_(kx.R.Druk(j).IdParent), pm_(kx.R.Druk(j).PM) {}

  void Oblicz() {
    const int pit36 = kx_.R.ZnajdzDrukRodzicPM(Pit36, 0, PMWspolny);
    const int pit36L = kx_.R.ZnajdzDrukRodzicPM(Pit36L, 0, PMWspolny);
    const bool dlaPit36 = pit36 > 0 && rodzic_ == pit36;
    const bool dlaPit36L = pit36L > 0 && rodzic_ == pit36L;
    if (dlaPit36 && BrakKratkiPit36(pit36)) return;
    if (dlaPit36L && BrakKratkiPit36L(pit36L)) return;
    WczytajDaneOsobZDruku(kx_.R, j_);
    ZapiszDaneOsobDoDrukow(kx_.R);
    WlasnePola();
    if (dlaPit36) DoPit36(pit36);
    if (dlaPit36L) DoPit36L(pit36L);
    DoPitZ(dlaPit36, dlaPit36L);
  }

 private:
  long double W(int k) { return WartoscPola(kx_, k, j_); }
  void Zapisz(int k, long double x) { ZapiszKwote(kx_, k, j_, x); }

  // The PIT/Z of the owner goes with the box of the PIT-36 that says what it covers; without it the PIT/B waits.
  bool BrakKratkiPit36(int pit36) {
    if (kx_.R.ZnajdzDrukRodzicPM(PitZ, pit36, pm_) <= 0) return false;
    const bool malzonek = pm_ == PMMalzonek;
    if (malzonek ? Zaznaczone(kx_, 40, pit36) || Zaznaczone(kx_, 42, pit36)
                 : Zaznaczone(kx_, 39, pit36) || Zaznaczone(kx_, 41, pit36))
      return false;
    kx_.Ekran.Komunikat(
        malzonek ? QStringLiteral("UWAGA! \nPrzed wypełnieniem Pit/B (Małżonka), należy zaznaczyć odpowiednie pola "
                                  "41a lub 42a w Pit-36. ")
                 : QStringLiteral("UWAGA! \nPrzed wypełnieniem Pit/B (Podatnika), należy zaznaczyć odpowiednie pola "
                                  "41 lub 42 w Pit-36."));
    PokazGlowny(pit36, 2);
    return true;
  }

  bool BrakKratkiPit36L(int pit36L) {
    if (kx_.R.ZnajdzDrukRodzicPM(PitZ, pit36L, PMWspolny) <= 0 || Zaznaczone(kx_, 19, pit36L)) return false;
    kx_.Ekran.Komunikat(QStringLiteral("UWAGA! \nPrzed wypełnieniem Pit/B, należy zaznaczyć pole 22 w Pit-36L."));
    PokazGlowny(pit36L, 1);
    return true;
  }

  void PokazGlowny(int glowny, int strona) {
    kx_.Ekran.PokazDruk(glowny, strona);
  }

  void WlasnePola() {
    for (const Spolka& s : kSpolki)
      if (W(s.procent) > 100) UstawTekstPola(kx_, s.procent, j_, "100,00");
    UstawTekstPola(kx_, 2, j_, std::to_string(kx_.R.PoliczDruki(PitB, rodzic_, pm_)));
    Zapisz(12, W(10) - W(11));
    Zapisz(18, W(16) - W(17));
    for (const Spolka& s : kSpolki) {
      // The percentage turns into a factor first, then applies to each amount.
      Zapisz(s.pierwszaUdzial, ZaokraglijDoGroszy(W(s.pierwsza) * (W(s.procent) * 0.01)));
      Zapisz(s.drugaUdzial, ZaokraglijDoGroszy(W(s.druga) * (W(s.procent) * 0.01)));
      Zapisz(s.roznica, W(s.pierwsza) - W(s.druga));
      Zapisz(s.roznicaUdzial, W(s.pierwszaUdzial) - W(s.drugaUdzial));
    }
  }

  // Sums the PIT/B of the group in index order; the last of them shows the totals in 56 to 59, the others "0,00".
  Sumy Grupa(const std::function<bool(const TDruk&)>& wGrupie) {
    Sumy sumy;
    int ostatni = 0;
    for (int i = 1; i <= kx_.R.LiczbaDrukow; ++i) {
      const TDruk& d = kx_.R.Druk(i);
      if (d.IdPit != PitB || !wGrupie(d)) continue;
      long double pierwsza = 0, druga = 0;
      for (int k : kPierwsze) pierwsza += WartoscPola(kx_, k, i);
      for (int k : kDrugie) druga += WartoscPola(kx_, k, i);
      sumy.pierwsza = static_cast<double>(sumy.pierwsza + pierwsza);
      sumy.druga = static_cast<double>(sumy.druga + druga);
      for (int k = 56; k <= 59; ++k) UstawTekstPola(kx_, k, i, "0,00");
      ostatni = i;
    }
    if (ostatni == 0) return sumy;
    sumy.sa = true;
    ZapiszKwote(kx_, 56, ostatni, ZaokraglijDoGroszy(sumy.pierwsza));
    ZapiszKwote(kx_, 57, ostatni, ZaokraglijDoGroszy(sumy.druga));
    const long double f56 = WartoscPola(kx_, 56, ostatni);
    const long double f57 = WartoscPola(kx_, 57, ostatni);
    if (f56 > f57)
      ZapiszKwote(kx_, 58, ostatni, f56 - f57);
    else
      UstawTekstPola(kx_, 58, ostatni, "0,00");
    if (f57 > f56)
      ZapiszKwote(kx_, 59, ostatni, f57 - f56);
    else
      UstawTekstPola(kx_, 59, ostatni, "0,00");
    return sumy;
  }

  // The totals of a person who has a PIT/B, 0 included: the PIT-36 locks those fields, so a total that fell to 0
  // must not leave the old amount there. A person without a PIT/B keeps what the user entered.
  void ZapiszSumy(int pierwsze, int druk, const Sumy& sumy) {
    if (!sumy.sa) return;
    ZapiszKwote(kx_, pierwsze, druk, ZaokraglijDoGroszy(sumy.pierwsza));
    ZapiszKwote(kx_, pierwsze + 1, druk, ZaokraglijDoGroszy(sumy.druga));
  }

  void DoPit36(int pit36) {
    const Sumy podatnik = Grupa([&](const TDruk& d) { return d.IdParent == pit36 && d.PM != PMMalzonek; });
    const Sumy malzonek = Grupa([&](const TDruk& d) { return d.IdParent == pit36 && d.PM == PMMalzonek; });
    ZapiszSumy(53, pit36, podatnik);
    ZapiszSumy(96, pit36, malzonek);
    ObliczPit36ZZalacznika(kx_, pit36);
  }

  void DoPit36L(int pit36L) {
    const int pm = kx_.R.Druk(pit36L).PM;
    const Sumy sumy = Grupa([&](const TDruk& d) { return d.IdParent == pit36L && d.PM == pm; });
    ZapiszKwote(kx_, 21, pit36L, ZaokraglijDoGroszy(sumy.pierwsza));
    ZapiszKwote(kx_, 22, pit36L, ZaokraglijDoGroszy(sumy.druga));
    ObliczDruk(Pit36L, kx_, pit36L);
  }

  // The owner's PIT/Z takes the totals in the row that the PIT-36 boxes choose; with both boxes the second wins.
  void DoPitZ(bool dlaPit36, bool dlaPit36L) {
    const int z = kx_.R.ZnajdzDrukRodzicPM(PitZ, rodzic_, pm_);
    if (z <= 0) return;
    const int pm = kx_.R.Druk(z).PM;
    const Sumy sumy = Grupa([&](const TDruk& d) { return d.IdParent == rodzic_ && d.PM == pm; });
    const auto wpisz = [&](int pierwsze, bool zSum) {
      if (zSum) {
        ZapiszKwote(kx_, pierwsze, z, ZaokraglijDoGroszy(sumy.pierwsza));
        ZapiszKwote(kx_, pierwsze + 1, z, ZaokraglijDoGroszy(sumy.druga));
      } else {
        UstawTekstPola(kx_, pierwsze, z, "0,00");
        UstawTekstPola(kx_, pierwsze + 1, z, "0,00");
      }
    };
    if (dlaPit36L) wpisz(23, true);
    if (dlaPit36) {
      const bool malzonek = pm_ == PMMalzonek;
      const bool pierwszaKratka = Zaznaczone(kx_, malzonek ? 40 : 39, rodzic_);
      const bool drugaKratka = Zaznaczone(kx_, malzonek ? 42 : 41, rodzic_);
      wpisz(6, pierwszaKratka);
      if (pierwszaKratka) wpisz(23, false);
      if (drugaKratka) wpisz(6, false);
      wpisz(23, drugaKratka);
    }
    ObliczDruk(PitZ, kx_, z);
  }

  KontekstObliczen& kx_;
  int j_;
  int rodzic_;
  int pm_;
};

}  // namespace

void ObliczPitB(KontekstObliczen& kx, int j) {
  kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  ObliczeniePitB(kx, j).Oblicz();
}
