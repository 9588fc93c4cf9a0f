#pragma once
// What a computation shows on screen: the reduced-deductions line in the main window's ListError and the
// read-only state of the field objects of the form on screen. A computation run for a form that is not on screen
// (recomputed from its attachment) shows neither.

#include <cstdint>
#include <initializer_list>

struct KontekstObliczen;

// An inclusive range of object indexes; a single index is a range of one.
struct ZakresObiektow {
  int od, doKonca;
  constexpr ZakresObiektow(int jeden) : od(jeden), doKonca(jeden) {}
  constexpr ZakresObiektow(int a, int b) : od(a), doKonca(b) {}
};

// The form type on screen (the main window's copy of the shown record) is kod.
bool NaEkranie(KontekstObliczen& kx, int kod);

// ListError loses its items; its height stays.
void WyczyscListError(KontekstObliczen& kx);

// The end of a computation that may lower entered amounts: with a reduction and a form of type kod on screen,
// ListError shows "Program dokonał redukcji odliczeń. Sprawdź wysokość poszczególnych kwot." at height 40;
// otherwise its height is 0.
void ZakonczRaport(KontekstObliczen& kx, int kod, bool redukcja);

// The reduced-deductions line of the PIT-36 computation. A PIT-36 run recomputes its PIT/B first, and they run the
// PIT-36 again from the attachment; a cut made by any run of that chain is reported once, at the end of the run
// that started it. Every run holds one of these for its length; the first, which the context records while the
// chain lasts, clears ListError's items.
class RaportPit36 {
 public:
  explicit RaportPit36(KontekstObliczen& kx);
  ~RaportPit36();
  RaportPit36(const RaportPit36&) = delete;
  RaportPit36& operator=(const RaportPit36&) = delete;

  // The end of a run, with whether it lowered an amount. The run that started the chain shows the line once (the
  // list cleared first) while a PIT-36 is on screen and any run of the chain cut, and hides ListError otherwise;
  // a run inside the chain only passes its cut on.
  void Zakoncz(bool redukcja);

 private:
  KontekstObliczen& kx_;
  RaportPit36* zewnetrzny_;
  bool redukcja_ = false;
};

// Sets the read-only byte of the listed objects of the page view (1 locks, 0 unlocks). Objects the view does not
// hold as fields are passed over.
void UstawTylkoDoOdczytu(KontekstObliczen& kx, std::initializer_list<ZakresObiektow> zakresy, std::uint8_t wartosc);
