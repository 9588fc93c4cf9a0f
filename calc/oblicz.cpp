#include "calc/oblicz.h"

#include <array>

#include "calc/ekran.h"
#include "calc/identyfikacja.h"
#include "calc/pit28.h"
#include "calc/pit28a.h"
#include "calc/pit28b.h"
#include "calc/pit36l.h"
#include "calc/pit37.h"
#include "calc/pit38.h"
#include "calc/pitb.h"
#include "calc/pitd.h"
#include "calc/pitm.h"
#include "calc/pito.h"
#include "calc/pitz.h"
#include "calc/pitzg.h"
#include "calc/sser.h"
#include "model/druk.h"

namespace {

// Indexed by KodDruku; entry 0 and the types without a computation (SSE/A, SSE-R/A) stay empty. PIT-36 takes a
// third argument, WywolanyZZalacznika = false, through a small adapter when its computation is entered here.
using TablicaObliczen = std::array<Obliczenie, kLiczbaTypowDrukow + 1>;

TablicaObliczen& Tablica() {
  static TablicaObliczen tablica = [] {
    TablicaObliczen t{};
    t[Pit37] = ObliczPit37;
    t[Pit36L] = ObliczPit36L;
    t[Pit28] = ObliczPit28;
    t[Pit28A] = ObliczPit28A;
    t[Pit28B] = ObliczPit28B;
    t[Pit38] = ObliczPit38;
    t[PitO] = ObliczPitO;
    t[PitD] = ObliczPitD;
    t[Pit2K] = ObliczPit2K;
    t[PitM] = ObliczPitM;
    t[PitB] = ObliczPitB;
    t[PitZ] = ObliczPitZ;
    t[PitZG] = ObliczPitZG;
    t[SseR] = ObliczSseR;
    t[Nip1] = ObliczNip1;
    t[Nip3] = ObliczNip3;
    return t;
  }();
  return tablica;
}

// The PIT-36 entry for its attachments, which pass WywolanyZZalacznika true; empty while PIT-36 has no computation.
Obliczenie& WpisPit36ZZalacznika() {
  static Obliczenie wpis = nullptr;
  return wpis;
}

bool ZnanyKod(int kod) { return kod >= 1 && kod <= kLiczbaTypowDrukow; }

}  // namespace

void Oblicz(KontekstObliczen& kx, int j) { ObliczDruk(kx.Ekran.BiezacyDruk().IdPit, kx, j); }

void ObliczDruk(int kod, KontekstObliczen& kx, int j) {
  if (!ZnanyKod(kod)) return;
  if (const Obliczenie obliczenie = Tablica()[static_cast<std::size_t>(kod)]) obliczenie(kx, j);
}

Obliczenie UstawObliczenie(int kod, Obliczenie obliczenie) {
  if (!ZnanyKod(kod)) return nullptr;
  Obliczenie& wpis = Tablica()[static_cast<std::size_t>(kod)];
  const Obliczenie poprzednie = wpis;
  wpis = obliczenie;
  return poprzednie;
}

void ObliczPit36ZZalacznika(KontekstObliczen& kx, int j) {
  if (const Obliczenie obliczenie = WpisPit36ZZalacznika()) obliczenie(kx, j);
}

Obliczenie UstawObliczeniePit36ZZalacznika(Obliczenie obliczenie) {
  const Obliczenie poprzednie = WpisPit36ZZalacznika();
  WpisPit36ZZalacznika() = obliczenie;
  return poprzednie;
}
