// The program's entry: the application, its title and the twelve windows, created once in this order.

#include <QScreen>

#include "main/aktualizacja.h"
#include "main/info.h"
#include "main/konwersja.h"
#include "main/licencja.h"
#include "main/tools.h"
#include "main/wydruk.h"
#include "pages/fimage.h"
#include "pages/fobj.h"
#include "pages/fpaleta.h"
#include "platform/aplikacja.h"
#include "selection/kreator.h"
#include "selection/sam.h"
#include "selection/wybalg.h"

int main(int argc, char** argv) {
  platform::Aplikacja aplikacja(argc, argv);
  UstawAplikacje(aplikacja);

  TTools tools;
  TFPaleta paleta(&tools);
  TFImage image;
  TKonwersja konwersja(&tools);
  TFObj obj(&tools);
  TKreator kreator(&tools);
  TWydruk wydruk(&tools);
  TAktualizacja aktualizacja(&tools);
  TInfo info(&tools);
  TUmowaLicencyjna licencja(&tools);
  TSam sam(&tools);
  TFWybAlg wybAlg(&tools);

  if (aplikacja.Zakonczona()) return 0;
  // Without a window manager a maximised window keeps its own size: start at the whole screen.
  if (QScreen* ekran = QGuiApplication::primaryScreen()) tools.setGeometry(ekran->availableGeometry());
  tools.showMaximized();
  if (aplikacja.Zakonczona()) return 0;
  return aplikacja.exec();
}
