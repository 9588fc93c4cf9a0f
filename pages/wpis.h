#pragma once
// Value entry on the page view: the editor of a field, the move to the next field in tab order and the rule that
// picks it.

#include <exception>

#include "model/obiekt.h"

class TFImage;

// Opens the editor of object k over its rectangle: a memo for text and amounts, a masked edit for NIP and dates, a
// list for a selection; a check box is toggled, stored and drawn at once and leaves no editor open. Nothing for a
// hidden object or one beyond the record's fields.
void UtworzEdytorPola(TFImage* view, int k, TObiekt obiekt);

// After a store: the editors hidden, the page redrawn, and the editor of the next field in tab order opened; a
// field on a later page is reached only when the user agrees to turn to it.
void PrzejdzDoNastepnegoPola(TFImage* view);

// Shows the error of a computation that ran after a store in the application's exception box, as an escaped
// exception is shown, without letting it unwind through the toolkit's event dispatch (which would leave the
// toolkit's own bookkeeping behind).
void ZglosBladObliczenia(const std::exception_ptr& blad);

// Of the visible fields that are neither read-only nor check boxes, the one with the smallest tab position
// (PozycjaPrzegladania) above that of object `biezacy`, the lower index of equal ones; `biezacy` itself when none
// has a higher position.
int ZnajdzNastepnePole(TFImage* view, int biezacy);
