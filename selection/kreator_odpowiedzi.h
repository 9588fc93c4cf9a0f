#pragma once
// Turning the answers of a wizard step into records of the settlement, and taking them out again.

#include "selection/kroki_kreatora.h"

class TTools;

// The room the wizard gives the settlement when step 0 is passed; the record list grows past it if ever needed.
constexpr int kMiejsceNaDruki = 49;

// Forward: appends one record per place of the step whose group was answered TAK and whose box, if it has one, is
// ticked and whose main form exists. Backward: removes every record the step can have added, whatever the answers.
// Step 0 in either direction starts a fresh, empty record list. Nothing happens on the summary step or beyond.
void ZastosujKrok(int rodzaj, const TKrokiKreatora& kroki, int krok, bool naprzod, TTools& tools);
