#include "selection/kreator_odpowiedzi.h"

#include "main/tools.h"

void ZastosujKrok(int rodzaj, const TKrokiKreatora& kroki, int krok, bool naprzod, TTools& tools) {
  if (krok == 0) {
    tools.PrzydzielDruki(kMiejsceNaDruki);
    return;
  }
  const WierszKroku* w = Wiersz(rodzaj, krok);
  if (!w) return;
  const TKrokKreatora& k = kroki[static_cast<std::size_t>(krok)];

  for (int g = 0; g < w->liczbaGrup; ++g) {
    const GrupaWiersza& grupa = w->grupy[static_cast<std::size_t>(g)];
    const bool tak = OdpowiedzGrupy(k, grupa.grupa) == kTak;
    const auto stany = StanyPol(k, grupa.grupa);
    const bool zPolami = grupa.MaPola();
    for (int i = 0; i < grupa.liczbaMiejsc; ++i) {
      const Miejsce& m = grupa.miejsca[static_cast<std::size_t>(i)];
      // The main form is looked up again now: a missing one keeps its attachment from being added or removed.
      const int rodzic = IndeksRodzica(tools, m);
      if (rodzic < 0) continue;
      if (!naprzod)
        tools.UsunDruk(w->idPit, rodzic, m.pm);
      else if (tak && (!zPolami || stany[static_cast<std::size_t>(i)] != 0))
        tools.DodajDruk(w->idPit, rodzic, m.pm, rodzaj);
    }
  }
}
