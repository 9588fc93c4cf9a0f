#pragma once
// What a computation may do to the screen, and what it is given to work on. The page view implements the screen;
// a computation run with no window (a test, a benchmark, a fuzz target) gets a screen that shows nothing.

#include <QString>
#include <cstdint>

#include "model/druk.h"
#include "model/rozliczenie.h"

class EkranObliczen {
 public:
  virtual ~EkranObliczen() = default;

  // The main window's copy of the record on screen; IdPit 0 while no form is shown.
  virtual const TDruk& BiezacyDruk() const = 0;

  // The main window's ListError: the computations' report line.
  virtual void WyczyscListError() = 0;
  virtual void DodajDoListError(const QString& linia) = 0;
  virtual int WysokoscListError() const = 0;
  virtual void UstawWysokoscListError(int wysokosc) = 0;

  // The read-only byte of object k of the page view; objects the view does not hold as fields are passed over.
  virtual void UstawTylkoDoOdczytu(int k, std::uint8_t wartosc) = 0;

  // A plain message box.
  virtual void Komunikat(const QString& tekst) = 0;

  // A message about a state of record j that outlasts the computation: trwa says whether it holds now. The user is
  // told when the state begins, not on every computation while it lasts.
  virtual void KomunikatStanu(int j, bool trwa, const QString& tekst) = 0;

  // Shows page strona of record j of the settlement, as a click on its tree node does.
  virtual void PokazDruk(int j, int strona) = 0;
};

// A screen with no window: the record on screen is what Biezacy holds (none at first), ListError is a height alone
// and nothing else shows.
class EkranBezWidoku : public EkranObliczen {
 public:
  TDruk Biezacy{};

  const TDruk& BiezacyDruk() const override { return Biezacy; }
  void WyczyscListError() override {}
  void DodajDoListError(const QString&) override {}
  int WysokoscListError() const override { return wysokosc_; }
  void UstawWysokoscListError(int wysokosc) override { wysokosc_ = wysokosc; }
  void UstawTylkoDoOdczytu(int, std::uint8_t) override {}
  void Komunikat(const QString&) override {}
  void KomunikatStanu(int, bool, const QString&) override {}
  void PokazDruk(int, int) override {}

 private:
  int wysokosc_ = 0;
};

class RaportPit36;

// The settlement a computation reads and writes, and the screen it reports on.
struct KontekstObliczen {
  Rozliczenie& R;
  EkranObliczen& Ekran;
  // The PIT-36 run that started the chain of PIT-36 runs under way, which reports for all of them (calc/raport.h);
  // none between computations.
  RaportPit36* LancuchPit36 = nullptr;
};
