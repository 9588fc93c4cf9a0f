#pragma once
// The computation of a PIT/D, the attachment that shares three deductions between the main forms.

struct KontekstObliczen;

// Recomputes the PIT/D record j: the identification exchange, the three deduction blocks (amount used at most the
// amount available, the remainder, and each split into two shares that never exceed their whole; the third block's
// entry capped at 11340), then the results copied into the settlement's PIT-37, PIT-36 and PIT-28 and into the
// taxpayer's and the spouse's PIT-28, each recomputed when it exists. Nothing is rounded and nothing reported.
void ObliczPitD(KontekstObliczen& kx, int j);

// The field of PIT/D record d that a main form takes from a block: the first share when either share is not 0,
// otherwise the whole.
int PoleDoPrzeniesienia(KontekstObliczen& kx, int d, int pierwszyUdzial, int drugiUdzial, int calosc);
