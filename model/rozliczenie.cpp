#include "model/rozliczenie.h"

#include <algorithm>
#include <stdexcept>
#include <string>

TDruk& Rozliczenie::Druk(int j) {
  return const_cast<TDruk&>(static_cast<const Rozliczenie&>(*this).Druk(j));
}

const TDruk& Rozliczenie::Druk(int j) const {
  const int liczba = std::min<int>(LiczbaDrukow, static_cast<int>(Druki.size()) - 1);
  if (j < 1 || j > liczba)
    throw std::out_of_range("Record index " + std::to_string(j) + " outside 1.." + std::to_string(liczba));
  return Druki[static_cast<std::size_t>(j)];
}

int Rozliczenie::ZnajdzDruk(int idPit) const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdPit == idPit) return i;
  return -1;
}

int Rozliczenie::ZnajdzDrukRodzic(int idPit, int idParent) const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdPit == idPit && Druki[i].IdParent == idParent) return i;
  return -1;
}

int Rozliczenie::ZnajdzDrukPM(int idPit, int pm) const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdPit == idPit && Druki[i].PM == pm) return i;
  return -1;
}

int Rozliczenie::PoliczDruki(int idPit, int idParent, int pm) const {
  int n = 0;
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdPit == idPit && Druki[i].IdParent == idParent && (pm == -1 || Druki[i].PM == pm)) ++n;
  return n;
}

int Rozliczenie::ZnajdzDrukRodzicPM(int idPit, int idParent, int pm) const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdPit == idPit && Druki[i].IdParent == idParent && Druki[i].PM == pm) return i;
  return -1;
}

int Rozliczenie::ZnajdzPierwszyZalacznik() const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdParent > 0) return i;
  return LiczbaDrukow > 0 ? 1 : 0;
}

void Rozliczenie::PrzydzielDruki(int n) {
  Druki.assign(static_cast<std::size_t>(std::max(n, 0)) + 1, TDruk{});
  LiczbaDrukow = 0;
}

void Rozliczenie::DodajDruk(int idPit, int idParent, int pm, int rodzaj) {
  if (idParent >= 0) DolaczDruk(Druki, LiczbaDrukow, idPit, idParent, pm, rodzaj);
}

void Rozliczenie::UsunDruk(int idPit, int idParent, int pm) {
  const int usuwany = ZnajdzDrukRodzicPM(idPit, idParent, pm);
  if (usuwany <= 0) return;
  // A main form goes with its attachments, and the parents of the records that move down are renumbered, so no
  // attachment is left pointing at another form.
  std::vector<int> nowyIndeks(static_cast<std::size_t>(LiczbaDrukow) + 1, 0);
  int n = 0;
  for (int i = 1; i <= LiczbaDrukow; ++i) {
    const bool usun = i == usuwany || (Druki[usuwany].IdParent == 0 && Druki[i].IdParent == usuwany);
    nowyIndeks[i] = usun ? 0 : ++n;
  }
  for (int i = 1; i <= LiczbaDrukow; ++i) {
    if (nowyIndeks[i] == 0) continue;
    TDruk& d = Druki[nowyIndeks[i]];
    if (nowyIndeks[i] != i) d = Druki[i];
    if (d.IdParent > 0 && d.IdParent <= LiczbaDrukow && nowyIndeks[d.IdParent] > 0) d.IdParent = nowyIndeks[d.IdParent];
  }
  LiczbaDrukow = n;
}

void Rozliczenie::Wyczysc() {
  Druki.clear();
  LiczbaDrukow = 0;
}

void Rozliczenie::WyczyscOsoby() {
  for (TOsoba& o : Osoby) o.Wyczysc();
}
