#pragma once
// The computation of a PIT-36L.

struct KontekstObliczen;

// Recomputes the PIT-36L record j: the business income or loss (from its own revenue and costs, or from the PIT/Z
// when box 19 says so) and that of special branches of agriculture, the deductions from income limited to the
// income, the tax at 19% on the base in whole zloty, the deductions from the tax limited to the tax, the balances,
// the attachment counts and the 1% cap. Starts with the identification exchange. With a PIT/B attached and a
// PIT-36L on screen, fields 21 and 22 are locked; box 19 ticked without an attached PIT/Z is refused with a
// message and cleared. A lowered deduction or 1% amount is reported in ListError while a PIT-36L is on screen;
// otherwise ListError is hidden. A field text that is not a number ends the computation with BladKonwersjiLiczby.
void ObliczPit36L(KontekstObliczen& kx, int j);
