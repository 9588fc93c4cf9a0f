#include "calc/pito.h"

#include <initializer_list>
#include <string>

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/oblicz.h"
#include "calc/pit37.h"
#include "calc/pola.h"
#include "calc/raport.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

// A ticked governing box makes its group of boxes void.
struct GrupaKratek {
  int kratka;
  int od, doKonca;
  int dodatkowa = -1;
};
constexpr GrupaKratek kGrupy[] = {{73, 74, 85},    {86, 87, 97, 219}, {102, 103, 114}, {115, 116, 127},
                                  {157, 133, 144}, {132, 145, 156},   {161, 163, 174}, {162, 175, 186},
                                  {192, 193, 204}, {205, 206, 217}};

constexpr long double kLimit = 760;
constexpr const char* kTekstLimitu = "760,00";

// A total: the fields added up left to right, written without rounding.
void ZapiszSume(KontekstObliczen& kx, int j, int pole, std::initializer_list<int> skladniki) {
  long double suma = 0;
  for (int k : skladniki) suma += WartoscPola(kx, k, j);
  ZapiszKwote(kx, pole, j, suma);
}

// Copies of the totals into a main form: PIT/O field -> main-form field.
struct Przeniesienie {
  int z, doPola;
};
constexpr Przeniesienie kDoPit28[] = {{28, 64}, {41, 98}};
constexpr Przeniesienie kDoPit36[] = {{28, 144}, {29, 145}, {41, 177}, {42, 178}};
constexpr Przeniesienie kDoPit37[] = {{28, 94}, {29, 95}, {41, 107}, {42, 108}};

template <std::size_t N>
void Przenies(KontekstObliczen& kx, int j, int cel, const Przeniesienie (&pola)[N]) {
  for (const Przeniesienie& p : pola) KopiujPole(kx, p.z, j, p.doPola, cel);
}

void OdznaczGrupy(KontekstObliczen& kx, int j) {
  for (const GrupaKratek& g : kGrupy) {
    if (PoleDruku(kx, g.kratka, j).Zaznaczone == 0) continue;
    for (int k = g.od; k <= g.doKonca; ++k) PoleDruku(kx, k, j).Zaznaczone = 0;
    if (g.dodatkowa >= 0) PoleDruku(kx, g.dodatkowa, j).Zaznaczone = 0;
  }
}

// What only the PIT/O on screen gets: the locks of the fields that do not apply, and the voided box groups.
void UstawPolaNaEkranie(KontekstObliczen& kx, int j, int rodzic, int pm) {
  const int pierwsza = kx.R.ZnajdzDrukRodzicPM(PitO, rodzic, pm);
  // The main form takes its amounts from the first copy for it and this owner; a further copy enters none.
  if (pierwsza > 0 && pierwsza < j) UstawTylkoDoOdczytu(kx, {{12, 42}, 65, 66}, 1);
  if (pm > PMWspolny) {
    UstawTylkoDoOdczytu(kx, {{8, 11}}, 1);
    const bool przyPit28 = rodzic >= 1 && rodzic <= kx.R.LiczbaDrukow && kx.R.Druk(rodzic).IdPit == Pit28;
    if (przyPit28) UstawTylkoDoOdczytu(kx, {1, 13, 15, 17, 19, 21, 23, 27, 31, 33, 36, 66, 40, 42}, 1);
  }
  OdznaczGrupy(kx, j);
}

}  // namespace

void ObliczPitO(KontekstObliczen& kx, int j) {
  const TDruk& druk = kx.R.Druk(j);
  const int rodzic = druk.IdParent;
  const int pm = druk.PM;

  WyczyscListError(kx);
  bool redukcja = false;
  WczytajDaneOsobZDruku(kx.R, j);
  ZapiszDaneOsobDoDrukow(kx.R);
  if (NaEkranie(kx, PitO)) UstawPolaNaEkranie(kx, j, rodzic, pm);

  if (WartoscPola(kx, 3, j) == 0) UstawTekstPola(kx, 3, j, std::to_string(kx.R.PoliczDruki(PitO, rodzic, -1)));
  for (int k : {20, 21}) {
    if (WartoscPola(kx, k, j) > kLimit) {
      UstawTekstPola(kx, k, j, kTekstLimitu);
      redukcja = true;
    }
  }
  ZapiszSume(kx, j, 28, {12, 14, 16, 18, 20, 22, 26});
  ZapiszSume(kx, j, 29, {13, 15, 17, 19, 21, 23, 27});
  ZapiszSume(kx, j, 41, {30, 32, 35, 39, 65});
  ZapiszSume(kx, j, 42, {31, 33, 36, 40, 66});

  // The PIT-28 fed is the owner's; the PIT-36 and PIT-37 those of the whole settlement.
  if (const int t = kx.R.ZnajdzDrukRodzicPM(Pit28, 0, pm); t > 0 && rodzic == t) {
    Przenies(kx, j, t, kDoPit28);
    ObliczDruk(Pit28, kx, t);
  }
  if (const int t = kx.R.ZnajdzDrukRodzicPM(Pit36, 0, PMWspolny); t > 0 && rodzic == t) {
    Przenies(kx, j, t, kDoPit36);
    ObliczDruk(Pit36, kx, t);
  }
  if (const int t = kx.R.ZnajdzDrukRodzicPM(Pit37, 0, PMWspolny); t > 0 && rodzic == t) {
    Przenies(kx, j, t, kDoPit37);
    ObliczPit37(kx, t);
  }
  // After the main form's computation, so that the PIT/O decides what ListError shows.
  ZakonczRaport(kx, PitO, redukcja);
}
