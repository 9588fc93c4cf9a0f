#pragma once
// The one table that maps a form type to its computation. The page display runs it after loading a page and the
// value entry after storing a value; both pass the settlement with the page view as
// its screen, and the index of the record on screen.

struct KontekstObliczen;

using Obliczenie = void (*)(KontekstObliczen& kx, int j);

// Runs the computation of the form type on screen (BiezacyDruk.IdPit) on record j; a type without one, or outside
// the catalogue, runs nothing.
void Oblicz(KontekstObliczen& kx, int j);

// Runs the computation of form type kod on record j, as the table holds it (PIT-36 with WywolanyZZalacznika
// false); a type without one runs nothing. An attachment recomputes its main forms through this.
void ObliczDruk(int kod, KontekstObliczen& kx, int j);

// Runs the PIT-36 computation on record j with WywolanyZZalacznika true, as an attachment that the PIT-36 itself
// recomputes first (PIT/B, PIT/Z) must call it, so that the two do not call each other without end. Runs nothing
// while a test has installed none.
void ObliczPit36ZZalacznika(KontekstObliczen& kx, int j);

// Replaces the computation ObliczPit36ZZalacznika runs and returns the one it replaced.
Obliczenie UstawObliczeniePit36ZZalacznika(Obliczenie obliczenie);

// Replaces the computation of one form type and returns the one it replaced; for tests, which install a probe.
// A kod outside the catalogue changes nothing and returns null.
Obliczenie UstawObliczenie(int kod, Obliczenie obliczenie);
