#pragma once
// The spouse's fields of PIT-36, PIT-37 and PIT/O, which only a joint settlement fills in: outside one they are
// read-only on screen, and a settlement that stops being joint takes them, with the spouse's identification, back
// to the defaults of its forms.

#include <QString>
#include <vector>

class Rozliczenie;

// Whether the settlement kind closes the spouse's fields (every kind but joint).
bool ZamykaPolaMalzonka(int rodzaj);

// The spouse's fields of a form type, in the order they are locked; empty for a type without them.
std::vector<int> PolaMalzonka(int idPit);

// Every spouse field and every identification field of the spouse in the settlement's records back to the default
// of its form's structure (read from folderDc), and the spouse's identification block emptied. A record whose
// structure cannot be read keeps its values.
void PominMalzonka(Rozliczenie& r, const QString& folderDc);
