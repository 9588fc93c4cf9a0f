#pragma once
// The computation of a PIT-28.

struct KontekstObliczen;

// Recomputes the PIT-28 record j: the revenue of the six lump-sum rates summed by column, each column's share of the
// whole revenue, the deductions from revenue taken in their order of priority (with those of the attached PIT/O and of
// the settlement's PIT/D) and spread over the columns by those shares, the bases in whole zloty, the lump sum at each
// rate, the deductions from it, the amount due and the balance, the attachment counts and the 1% cap. Starts with the
// identification exchange. While a PIT-28 is on screen, the fields its attachments fill are read-only and a cut
// deduction is reported in ListError; otherwise ListError is hidden. A field text that is not a number ends the
// computation with BladKonwersjiLiczby.
void ObliczPit28(KontekstObliczen& kx, int j);
