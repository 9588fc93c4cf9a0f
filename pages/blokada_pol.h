#pragma once
// Outside a joint settlement the spouse's fields of PIT-36, PIT-37 and PIT/O are read-only on screen; a PIT/O of a
// PIT-28 has three fields that never apply. Locks only accumulate: reloading the objects clears them.

class TFImage;

// Locks the fields of the form on screen (TTools::BiezacyDruk) in the global page view's objects; the view
// argument is passed and not used. Indexes beyond the loaded objects are passed over.
void ZablokujPolaDruku(TFImage* view);
