#pragma once
// The computation of a PIT-38.

struct KontekstObliczen;

// Recomputes the PIT-38 record j: the two income rows summed into income or loss, the losses of past years limited
// to the income, the tax at the rate of field 28 on the base in whole zloty, the balances of that tax and of the
// flat tax on foreign income, the amount to pay or overpaid, the counts of attached NIP-3 and PIT/ZG, and the 1%
// cap. Starts with the identification exchange. A lowered loss or 1% amount is reported in ListError while a PIT-38
// is on screen; otherwise ListError is hidden. A field text that is not a number ends the computation with
// BladKonwersjiLiczby.
void ObliczPit38(KontekstObliczen& kx, int j);
