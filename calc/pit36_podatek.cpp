// The PIT-36's tax: the base from the income after deductions, the tax by the 2008 scale (or by the rate of the
// scale when exempt income counts for the progression), the reliefs limited to the tax, the tax due and the
// balances, the attachment counts and the 1% cap.

#include <string>
#include <tuple>
#include <utility>

#include "calc/pit36_obliczenie.h"
#include "calc/pola.h"
#include "calc/skala.h"
#include "calc/wartosci.h"

namespace {

// The amounts each person adds to the base beyond the loss of one source: (amount, that source's loss).
constexpr std::pair<int, int> kDoliczeniaPonadStrate[] = {{158, 56}, {159, 99}, {160, 62}, {161, 105}};

}  // namespace

void ObliczeniePit36::PodstawaOpodatkowania() {
  long double podstawa =
      ZaokraglijDoGroszy(Suma({142, 143}) - Suma({144, 145, 146, 147, 148, 150, 152, 153}) + Suma({156, 157}));
  for (const auto& [kwota, strata] : kDoliczeniaPonadStrate)
    if (Wieksze(W(kwota), W(strata))) podstawa = (W(kwota) + podstawa) - W(strata);
  ZapiszGrosze(166, podstawa);
  // Joint and single-parent settlements are taxed on half the base.
  if (Zaznaczona(3))
    Zapisz(169, ZaokraglijDoZlotych(W(166)));
  else
    Zapisz(169, ZaokraglijDoZlotych(W(166) * 0.5L));
}

// Income exempt with progression (167, 168) sets the rate: the scale's tax on the base with that income, as a
// percentage of it, applied to the base alone.
void ObliczeniePit36::PodatekWgStopy() {
  if (!(W(167) > 0 || W(168) > 0)) return;
  long double suma = 0;
  bool polowa = true;
  switch (RodzajRekordu()) {
    case Indywidualne:
      suma = W(166) + W(167);
      polowa = false;
      break;
    case WspolneZMalzonkiem: suma = (W(166) + W(167) + W(168)) * 0.5L; break;
    case SamotnieWychowujacy: suma = (W(166) + W(167)) * 0.5L; break;
    default: return;
  }
  const long double zlote = ZaokraglijDoZlotych(suma);
  // A sum that rounds to no zloty at all has no rate.
  if (zlote == 0) return;
  const long double stopa =
      ZaokraglijDoGroszy(ObliczPodatekWgSkali(static_cast<double>(zlote)) * 100.0L / zlote);
  if (polowa)
    ZapiszGrosze(170, ZaokraglijDoZlotych(W(166) * 0.5L) * stopa * 0.01L * 2.0L);
  else
    ZapiszGrosze(170, ZaokraglijDoZlotych(W(166)) * stopa * 0.01L);
}

void ObliczeniePit36::PodatekWgSkali() {
  if (W(167) == 0 && W(168) == 0) {
    const long double podatek = ObliczPodatekWgSkali(static_cast<double>(ZaokraglijDoZlotych(W(169))));
    if (Zaznaczona(4) || Zaznaczona(5) || Zaznaczona(6))
      ZapiszGrosze(170, podatek * 2.0L);
    else
      ZapiszGrosze(170, podatek);
  }
  if (W(170) < 0) Zeruj({170});
  if (Wieksze(Suma({170, 171}), Suma({172, 173})))
    ZapiszGrosze(174, Suma({170, 171}) - Suma({172, 173}));
  else
    Zeruj({174});
}

// Reliefs come off the tax in the order 175..178; the first that does not fit takes what remains and the later
// ones nothing. The housing relief 179 is used as far as the tax left allows, the rest carried forward.
void ObliczeniePit36::Ulgi() {
  if (pitO_ > 0) {
    Przejmij(41, pitO_, 177);
    Przejmij(42, pitO_, 178);
  }
  if (Wieksze(W(175), W(174))) {
    Kopiuj(174, 175);
    Zeruj({176, 177, 178});
    redukcja_ = true;
  }
  if (Wieksze(Suma({175, 176}), W(174))) {
    ZapiszGrosze(176, W(174) - W(175));
    Zeruj({177, 178});
    redukcja_ = true;
  }
  if (Wieksze(Suma({175, 176, 177}), W(174))) {
    ZapiszGrosze(177, W(174) - W(175) - W(176));
    Zeruj({178});
    redukcja_ = true;
  }
  if (Wieksze(Suma({175, 176, 177, 178}), W(174))) {
    ZapiszGrosze(178, W(174) - W(175) - W(176) - W(177));
    redukcja_ = true;
  }
  if (Wieksze(W(179) + Suma({175, 176, 177, 178}), W(174)))
    ZapiszGrosze(180, W(174) - W(175) - W(176) - W(177) - W(178));
  else
    Kopiuj(179, 180);
  ZapiszGrosze(181, W(179) - W(180));
  OgraniczKopia(331, 175);
  OgraniczKopia(332, 176);
}

void ObliczeniePit36::Zobowiazanie() {
  ZapiszGrosze(182, W(174) - Suma({175, 176, 177, 178, 180}));
  Zapisz(185, ZaokraglijDoZlotych(Suma({182, 183, 184})));
  ZapiszGrosze(186, Suma({87, 130, 133, 134}));
  for (const auto& [pole, a, b] : {std::tuple{187, 185, 186}, std::tuple{188, 186, 185}}) {
    if (Wieksze(W(a), W(b)))
      ZapiszGrosze(pole, W(a) - W(b));
    else
      Zeruj({pole});
  }
}

// The flat tax on foreign income in two columns (taxpayer, spouse): the tax, the tax paid abroad (at most the tax)
// and the tax the payer took; what remains to pay or was overpaid, in whole zloty. Then the final balance, which
// starts from the tax due less the advances (187 or 188), so advances that covered the tax are not asked again.
void ObliczeniePit36::Salda() {
  struct Kolumna {
    int podatek, zagranica, platnik, doZaplaty, nadplata;
  };
  constexpr Kolumna kKolumny[] = {{194, 196, 198, 200, 202}, {195, 197, 199, 201, 203}};
  for (const Kolumna& k : kKolumny) OgraniczKopia(k.zagranica, k.podatek);
  for (const Kolumna& k : kKolumny) {
    if (Wieksze(W(k.podatek), Suma({k.zagranica, k.platnik})))
      Zapisz(k.doZaplaty, ZaokraglijDoZlotych(W(k.podatek) - Suma({k.zagranica, k.platnik})));
    else
      Zeruj({k.doZaplaty});
  }
  for (const Kolumna& k : kKolumny) {
    if (Wieksze(Suma({k.zagranica, k.platnik}), W(k.podatek)))
      Zapisz(k.nadplata, ZaokraglijDoZlotych(Suma({k.zagranica, k.platnik}) - W(k.podatek)));
    else
      Zeruj({k.nadplata});
  }
  const long double naleznosci = Suma({187, 190, 191, 192, 193, 200, 201});
  const long double pomniejszenia = Suma({188, 189, 202, 203});
  const long double doZaplaty = ZaokraglijDoGroszy(naleznosci - pomniejszenia);
  if (doZaplaty > 0)
    Zapisz(204, doZaplaty);
  else
    Zeruj({204});
  const long double nadwyzka = ZaokraglijDoGroszy(pomniejszenia - naleznosci);
  if (nadwyzka > 0)
    Zapisz(205, nadwyzka);
  else
    Zeruj({205});
}

void ObliczeniePit36::LiczbyZalacznikow() {
  constexpr std::pair<int, int> kLiczby[] = {{302, PitB},  {303, PitD}, {304, Pit2K}, {305, PitM},
                                             {306, PitO},  {307, PitZG}, {308, PitZ}, {309, SseR}};
  for (const auto& [pole, kod] : kLiczby) UstawTekst(pole, std::to_string(LiczbaZalacznikow(kod)));
  UstawTekst(310, std::to_string(LiczbaZalacznikow(Nip1) + LiczbaZalacznikow(Nip3)));
}

void ObliczeniePit36::JedenProcent() {
  const long double limit = ObetnijDoDziesiatekGroszy(static_cast<double>(W(185) * 0.01L));
  if (Wieksze(W(322), limit)) {
    Zapisz(322, limit);
    redukcja_ = true;
  }
}
