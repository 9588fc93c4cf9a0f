#pragma once
// The computation of a PIT-28/A.

struct KontekstObliczen;

// Carries the PIT-28/A record j into its owner's main PIT-28: the revenue at each rate and the rent as typed, and the
// joint revenue together with the totals of the PIT-28/B attached to that PIT-28; then recomputes the PIT-28. Starts
// with the identification exchange; without a PIT-28 of the owner it does nothing more. A field text that is not a
// number ends the computation with BladKonwersjiLiczby.
void ObliczPit28A(KontekstObliczen& kx, int j);
