#pragma once
// The computation of an SSE-R.

struct KontekstObliczen;

// Recomputes the SSE-R record j from its own fields alone: the column totals of the aid and of the qualifying
// costs, the aid as a percentage of the costs, the limits of the aid, the income and the tax base in whole zloty,
// the value of the exemption and the aid carried forward. Copies no identification data and touches no other
// record. A field text that is not a number ends the computation with BladKonwersjiLiczby.
void ObliczSseR(KontekstObliczen& kx, int j);
