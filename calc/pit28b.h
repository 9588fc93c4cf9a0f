#pragma once
// The computation of a PIT-28/B.

struct KontekstObliczen;

// Recomputes the PIT-28/B record j: its count among the PIT-28/B of the same form and owner, the two partnership blocks
// (each percentage capped at 99,99, the block sum, the taxpayer's share of it and of every row) and the row sums of
// both shares. When j is attached to its owner's main PIT-28, the row sums of all PIT-28/B of that PIT-28 are totalled
// into the last of them, carried into the PIT-28 (rows 7 to 12 only together with an attached PIT-28/A) and the PIT-28
// is recomputed. Whether j's rows 7 to 12 hold amounts that its PIT-28 cannot take goes to the screen as a lasting
// state of j. Starts with the identification exchange. A field text that is not a number ends the computation with
// BladKonwersjiLiczby.
void ObliczPit28B(KontekstObliczen& kx, int j);
