#pragma once
// The computation of a PIT/B.

struct KontekstObliczen;

// Recomputes the PIT/B record j and carries the totals of the PIT/B of its main form and owner into that main
// form (PIT-36 or PIT-36L) and into the owner's PIT/Z, recomputing each. While the main form lacks the box its
// PIT/Z needs, warns, turns to the main form's page and changes nothing. Every owner and parent is taken from
// record j, never from the form on screen, since the PIT-36 computation runs this for forms not shown. A field
// text that is not a number ends the computation with BladKonwersjiLiczby.
void ObliczPitB(KontekstObliczen& kx, int j);
