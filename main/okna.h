#pragma once
// The windows made at the program's start beside the main window, created in this order and ended in reverse; the
// memory benchmark makes the same set.

#include "main/aktualizacja.h"
#include "main/info.h"
#include "main/konwersja.h"
#include "main/licencja.h"
#include "main/tools.h"
#include "main/wydruk.h"
#include "pages/fimage.h"
#include "pages/fobj.h"
#include "pages/fpaleta.h"
#include "selection/kreator.h"
#include "selection/sam.h"
#include "selection/wybalg.h"

struct OknaProgramu {
  explicit OknaProgramu(TTools& t)
      : paleta(&t), konwersja(&t), obj(&t), kreator(&t), wydruk(&t), aktualizacja(&t), info(&t), licencja(&t),
        sam(&t), wybAlg(&t) {}

  TFPaleta paleta;
  TFImage image;
  TKonwersja konwersja;
  TFObj obj;
  TKreator kreator;
  TWydruk wydruk;
  TAktualizacja aktualizacja;
  TInfo info;
  TUmowaLicencyjna licencja;
  TSam sam;
  TFWybAlg wybAlg;
};
