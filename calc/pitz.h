#pragma once
// The computation of a PIT/Z.

struct KontekstObliczen;

// Recomputes the PIT/Z record j: the positive differences of its three pairs of amounts and their totals, and the
// income of the business less the loss made in the zone; then carries the totals into the main PIT-36 (under its
// boxes 39/41, or 40/42 for the spouse) or the main PIT-36L (under its box 19) that the PIT/Z is attached to, and
// recomputes that form (the PIT-36 through ObliczPit36ZZalacznika). Starts with the identification exchange. With
// a PIT/B of the same main form and owner and a PIT/Z on screen, fields 6, 7, 23 and 24 are locked. Applies no
// rounding. A field text that is not a number ends the computation with BladKonwersjiLiczby.
void ObliczPitZ(KontekstObliczen& kx, int j);
