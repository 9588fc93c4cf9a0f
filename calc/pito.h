#pragma once
// The computation of a PIT/O, the attachment of deductions from income and from tax in two columns.

struct KontekstObliczen;

// Recomputes the PIT/O record j: the identification exchange; with the PIT/O on screen, the locks of the fields
// that do not apply and the unticking of the box groups that a governing box makes void; the count of copies,
// the caps of 760 on fields 20 and 21 and the four column totals; then the totals copied into its main form
// (the settlement's PIT-37 or PIT-36, or the PIT-28 of its owner) and that form recomputed. A cap is reported in
// ListError while the PIT/O is on screen; otherwise ListError is hidden.
void ObliczPitO(KontekstObliczen& kx, int j);
