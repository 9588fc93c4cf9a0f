#pragma once
// The computation of a PIT-36.

struct KontekstObliczen;

// Recomputes the PIT-36 record j. Starts with the identification exchange; unless WywolanyZZalacznika (the caller
// is the PIT/B or PIT/Z computation), first recomputes the PIT/B attached to j whose boxes are ticked, which
// computes this PIT-36 again from the attachment. Then: the locks of the fields the attachments fill (PIT-36 on
// screen only), the values of an attached PIT/Z, the settlement-kind boxes set to the kind, both persons' incomes
// in eight rows, the deductions limited to the income (with those of the first attached PIT/O and the settlement's
// first PIT/D), the tax base and the tax by the 2008 scale (base halved and tax doubled for a joint or
// single-parent settlement, or the rate of the scale when exempt income counts for the progression), the reliefs
// limited to the tax, the amounts due or overpaid after the advances, the attachment counts and the 1% cap. A
// lowered amount is reported in ListError while a PIT-36 is on screen, once for the whole chain of PIT-36 runs;
// otherwise ListError is hidden. A field text that is not a number ends the computation with BladKonwersjiLiczby;
// j outside the settlement throws std::out_of_range before anything changes.
void ObliczPit36(KontekstObliczen& kx, int j, bool WywolanyZZalacznika);
