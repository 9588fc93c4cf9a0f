#pragma once
// The computation of a PIT-37.

struct KontekstObliczen;

// Recomputes the PIT-37 record j: the incomes of the taxpayer and the spouse, the deductions limited to the income
// (with those of the first attached PIT/O and of the settlement's first PIT/D), the tax base and the tax by the 2008
// scale (base halved and tax doubled for a joint or single-parent settlement), the reliefs limited to the tax, the
// amount to pay or overpaid, the attachment counts and the 1% cap. Starts with the identification exchange. A
// lowered amount is reported in ListError while a PIT-37 is on screen; otherwise ListError is hidden. A field text
// that is not a number ends the computation with BladKonwersjiLiczby.
void ObliczPit37(KontekstObliczen& kx, int j);
