#pragma once
// The computation of a PIT/ZG, the attachment of foreign income.

struct KontekstObliczen;

// Recomputes the PIT/ZG record j: the identification exchange, then each of the three columns of the six-row grid
// (fields 8..25) summed into its total (26, 27, 28), written without rounding. Reports nothing and recomputes no
// main form: they only count their PIT/ZG attachments.
void ObliczPitZG(KontekstObliczen& kx, int j);
