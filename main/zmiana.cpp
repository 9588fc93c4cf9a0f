// "dodaj/usuń druk": the current settlement's forms changed by hand in the manual chooser.

#include "main/tools.h"
#include "pages/fimage.h"
#include "selection/grupa_opcji.h"
#include "selection/sam.h"

void TTools::ZmianaClick() {
  if (!MaDruki() || LiczbaDrukow < 1 || !Sam) return;
  // The chooser carries the records' values as they are now: a value still in its editor goes in first.
  if (FImage && !FImage->ZatwierdzEdytor()) return;
  // The kind stays locked until a press on the tree leaves nothing ticked.
  Sam->RodzRozl->setEnabled(false);
  RodzajRozliczenia = Druki[1].Rodzaj;
  Sam->WczytajRozliczenie();
}
