#include "calc/pit38.h"

#include <string>
#include <utility>

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/pola.h"
#include "calc/raport.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

// One run of the computation on one record. Every value is read from the field text at the step that uses it, so
// a step reads the rounded text an earlier step wrote.
class ObliczeniePit38 {
 public:
  ObliczeniePit38(KontekstObliczen& kx, int j) : kx_(kx), j_(j) {}

  void Oblicz() {
    WyczyscListError(kx_);
    WczytajDaneOsobZDruku(kx_.R, j_);
    ZapiszDaneOsobDoDrukow(kx_.R);
    Dochod();
    Podatek();
    ZryczaltowanyIRazem();
    LiczbyZalacznikow();
    JedenProcent();
    ZakonczRaport(kx_, Pit38, redukcja_);
  }

 private:
  long double W(int k) { return WartoscPola(kx_, k, j_); }
  void Zapisz(int k, long double x) { ZapiszKwote(kx_, k, j_, x); }
  // The difference in whole zloty, or "0,00" when that is not above zero.
  void ZapiszNieujemnaWZlotych(int k, long double roznica) {
    const long double zlote = ZaokraglijDoZlotych(roznica);
    if (zlote <= 0)
      UstawTekstPola(kx_, k, j_, "0,00");
    else
      Zapisz(k, zlote);
  }
  // Field k takes the text of field limit when it is above it.
  bool Ogranicz(int k, int limit) {
    if (!Wieksze(W(k), W(limit))) return false;
    KopiujPole(kx_, limit, j_, k, j_);
    return true;
  }

  void Dochod() {
    Zapisz(22, ZaokraglijDoGroszy(W(18) + W(20)));
    Zapisz(23, ZaokraglijDoGroszy(W(19) + W(21)));
    ZapiszNieujemna(kx_, 24, j_, W(22) - W(23));
    ZapiszNieujemna(kx_, 25, j_, W(23) - W(22));
    // Losses of past years come off the income alone.
    if (Ogranicz(26, 24)) redukcja_ = true;
  }

  void Podatek() {
    Zapisz(27, ZaokraglijDoZlotych(W(24) - W(26)));
    // The rate is a percentage: turned into a factor first, then applied to the base.
    Zapisz(29, ZaokraglijDoGroszy(W(27) * (W(28) * 0.01L)));
    // As the flat tax's: the tax paid abroad is credited up to the tax and never refunded beyond it.
    Ogranicz(30, 29);
    ZapiszNieujemnaWZlotych(32, W(29) - (W(30) + W(31)));
    ZapiszNieujemnaWZlotych(33, (W(30) + W(31)) - W(29));
  }

  void ZryczaltowanyIRazem() {
    // The tax paid abroad is credited up to the flat tax; this is a limit of the law, not a cut deduction.
    Ogranicz(37, 36);
    ZapiszNieujemnaWZlotych(39, W(36) - (W(37) + W(38)));
    ZapiszNieujemnaWZlotych(40, (W(37) + W(38)) - W(36));
    const long double doZaplaty = W(32) + W(34) + W(35) + W(39);
    const long double nadplata = W(33) + W(40);
    ZapiszNieujemnaWZlotych(41, doZaplaty - nadplata);
    ZapiszNieujemnaWZlotych(42, nadplata - doZaplaty);
  }

  void LiczbyZalacznikow() {
    const std::pair<int, int> liczby[] = {{55, Nip3}, {56, PitZG}};
    for (const auto& [pole, kod] : liczby)
      UstawTekstPola(kx_, pole, j_, std::to_string(kx_.R.PoliczDruki(kod, j_, -1)));
  }

  void JedenProcent() {
    const long double limit = ObetnijDoDziesiatekGroszy(static_cast<double>(W(32) * 0.01L));
    if (Wieksze(W(60), limit)) {
      Zapisz(60, limit);
      redukcja_ = true;
    }
  }

  KontekstObliczen& kx_;
  int j_;
  bool redukcja_ = false;
};

}  // namespace

void ObliczPit38(KontekstObliczen& kx, int j) {
  kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  ObliczeniePit38(kx, j).Oblicz();
}
