#pragma once
// The computation of a PIT/M.

struct KontekstObliczen;

// Recomputes the PIT/M record j: the income or loss of each row of the children's income, the advances in whole
// zloty, the totals, and the half or whole of the income and advances that boxes 28 and 29 carry to the parent.
// Starts with the identification exchange. Writes those two amounts into the main PIT-36 (fields 131 and 133 for
// the taxpayer or the whole settlement, 132 and 134 for the spouse) and recomputes it; without a main PIT-36 only
// the PIT/M's own fields change. A field text that is not a number ends the computation with BladKonwersjiLiczby.
void ObliczPitM(KontekstObliczen& kx, int j);
