#include "calc/pit36l.h"

#include <QString>
#include <cstdint>
#include <string>
#include <utility>

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/pola.h"
#include "calc/raport.h"
#include "calc/wartosci.h"
#include "model/druk.h"

namespace {

// Ticked, the business income and loss come from the attached PIT/Z.
constexpr int kKratkaPitZ = 19;

// One run of the computation on one record. Every value is read from the field text at the step that uses it, so
// a step reads the rounded text an earlier step wrote.
class ObliczeniePit36L {
 public:
  ObliczeniePit36L(KontekstObliczen& kx, int j) : kx_(kx), j_(j) {}

  void Oblicz() {
    WyczyscListError(kx_);
    WczytajDaneOsobZDruku(kx_.R, j_);
    ZapiszDaneOsobDoDrukow(kx_.R);
    // The PIT/B fills the business revenue and costs.
    if (kx_.R.ZnajdzDrukRodzic(PitB, j_) > 0 && NaEkranie(kx_, Pit36L)) UstawTylkoDoOdczytu(kx_, {21, 22}, 1);
    const int pitZ = kx_.R.ZnajdzDrukRodzic(PitZ, j_);
    if (pitZ <= 0) OdrzucKratkePitZ();
    Dochody(pitZ);
    OdliczeniaOdDochodu();
    Podatek();
    OdliczeniaOdPodatku();
    Rozliczenie();
    LiczbyZalacznikow();
    JedenProcent();
    ZakonczRaport(kx_, Pit36L, redukcja_);
  }

 private:
  long double W(int k) { return WartoscPola(kx_, k, j_); }
  long double G(long double x) { return ZaokraglijDoGroszy(x); }
  void Zapisz(int k, long double x) { ZapiszKwote(kx_, k, j_, x); }
  void Zeruj(int k) { UstawTekstPola(kx_, k, j_, "0,00"); }
  std::uint8_t& Kratka(int k) { return PoleDruku(kx_, k, j_).Zaznaczone; }
  // The difference in whole zloty, or "0,00" when that is not above zero.
  void ZapiszNieujemnaWZlotych(int k, long double roznica) {
    const long double zlote = ZaokraglijDoZlotych(roznica);
    if (zlote > 0)
      Zapisz(k, zlote);
    else
      Zeruj(k);
  }
  // Field k takes the text of field limit when it is above it.
  bool Ogranicz(int k, int limit) {
    if (!Wieksze(W(k), W(limit))) return false;
    KopiujPole(kx_, limit, j_, k, j_);
    return true;
  }

  // Without a PIT/Z the box cannot say that the PIT/Z sets the income. The message names the box as the page prints
  // it, as the PIT/B warning does.
  void OdrzucKratkePitZ() {
    if (Kratka(kKratkaPitZ) == 1)
      kx_.Ekran.Komunikat(QStringLiteral("Zaznaczenie poz.22 jezt możliwe jeżeli do Pit36L jest załączony Pit/Z."));
    Kratka(kKratkaPitZ) = 0;
  }

  void Dochody(int pitZ) {
    if (Kratka(kKratkaPitZ) == 0) {
      ZapiszNieujemna(kx_, 23, j_, W(21) - W(22));
      ZapiszNieujemna(kx_, 24, j_, W(22) - W(21));
    } else {
      KopiujPole(kx_, 34, pitZ, 23, j_);
      KopiujPole(kx_, 35, pitZ, 24, j_);
    }
    ZapiszNieujemna(kx_, 28, j_, W(26) - W(27));
    ZapiszNieujemna(kx_, 29, j_, W(27) - W(26));
  }

  // The contributions (33) come off the income first, the losses of past years (32) take what remains.
  void OdliczeniaOdDochodu() {
    const auto dochod = [this] { return W(28) + W(23); };
    if (Wieksze(W(33), dochod())) {
      Zapisz(33, G(dochod()));
      Zeruj(32);
      redukcja_ = true;
    }
    if (Wieksze(W(32) + W(33), dochod())) {
      Zapisz(32, G(dochod() - W(33)));
      redukcja_ = true;
    }
    // The part paid abroad is limited to the contributions as they stand after their cut, so one run settles it.
    if (Ogranicz(112, 33)) redukcja_ = true;
    Zapisz(34, G(dochod() - (W(33) + W(32))));
  }

  void Podatek() {
    long double podstawa = W(34) + W(36);
    // The amounts added for a source count only beyond that source's loss.
    if (W(24) > 0 && W(37) > 0 && W(24) < W(37)) podstawa = podstawa + W(37) - W(24);
    if (W(29) > 0 && W(38) > 0 && W(29) < W(38)) podstawa = podstawa + W(38) - W(29);
    Zapisz(41, G(podstawa));
    Zapisz(42, ZaokraglijDoZlotych(W(41)));
    Zapisz(43, G(W(42) * 0.19L));
    ZapiszNieujemna(kx_, 46, j_, W(43) + W(44) - W(45));
  }

  // The health contributions (47) come off the tax first, the other deductions (114) take what remains.
  void OdliczeniaOdPodatku() {
    if (Wieksze(W(47), W(46))) {
      KopiujPole(kx_, 46, j_, 47, j_);
      Zeruj(114);
      redukcja_ = true;
    }
    if (Wieksze(W(47) + W(114), W(46))) {
      Zapisz(114, G(W(46) - W(47)));
      redukcja_ = true;
    }
    if (Ogranicz(113, 47)) redukcja_ = true;
    Zapisz(48, G(W(46) - (W(47) + W(114))));
  }

  void Rozliczenie() {
    Zapisz(50, ZaokraglijDoZlotych(W(48) + W(49)));
    Zapisz(51, G(W(25) + W(30)));
    ZapiszNieujemna(kx_, 52, j_, W(50) - W(51));
    ZapiszNieujemna(kx_, 53, j_, W(51) - W(50));
    // The tax paid abroad is credited up to the flat tax; this is a limit of the law, not a cut deduction.
    Ogranicz(58, 57);
    ZapiszNieujemnaWZlotych(60, W(57) - (W(58) + W(59)));
    ZapiszNieujemnaWZlotych(61, (W(58) + W(59)) - W(57));
    // The final balance starts from the tax due less the advances (52 or 53), so advances that covered the tax
    // are not asked again.
    const long double doZaplaty = W(52) + W(55) + W(56) + W(60);
    const long double nadplata = W(54) + W(61) + W(53);
    ZapiszNieujemnaWZlotych(62, doZaplaty - nadplata);
    ZapiszNieujemnaWZlotych(63, nadplata - doZaplaty);
  }

  void LiczbyZalacznikow() {
    const std::pair<int, int> liczby[] = {{100, PitB}, {101, PitZ}, {102, PitZG}};
    for (const auto& [pole, kod] : liczby)
      UstawTekstPola(kx_, pole, j_, std::to_string(kx_.R.PoliczDruki(kod, j_, -1)));
    UstawTekstPola(kx_, 103, j_,
                   std::to_string(kx_.R.PoliczDruki(Nip1, j_, -1) + kx_.R.PoliczDruki(Nip3, j_, -1)));
  }

  void JedenProcent() {
    const long double limit = ObetnijDoDziesiatekGroszy(static_cast<double>(W(50) * 0.01L));
    if (Wieksze(W(109), limit)) {
      Zapisz(109, limit);
      redukcja_ = true;
    }
  }

  KontekstObliczen& kx_;
  int j_;
  bool redukcja_ = false;
};

}  // namespace

void ObliczPit36L(KontekstObliczen& kx, int j) {
  kx.R.Druk(j);  // an index outside the settlement throws before anything changes
  ObliczeniePit36L(kx, j).Oblicz();
}
