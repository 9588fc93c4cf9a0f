#pragma once
// The settlement-kind boxes that PIT-36 and PIT-37 share: 3 individual, 4 and 5 joint, 6 single parent. The base
// and the tax read them, so they must name one kind.

struct KontekstObliczen;

// The boxes of record j follow the settlement kind of the record on screen: that kind's box ticked and the others
// cleared, also after a kind change or a stale tick. Of the two joint boxes, 5 stands when the user ticked it,
// otherwise 4. A kind the boxes do not know leaves them as they are.
void UstawKratkiRodzaju(KontekstObliczen& kx, int j);
