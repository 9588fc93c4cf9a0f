// The program's entry: the application, its title and the twelve windows, created once in this order.

#include <QScreen>

#include "main/okna.h"
#include "platform/aplikacja.h"

int main(int argc, char** argv) {
  platform::Aplikacja aplikacja(argc, argv);
  UstawAplikacje(aplikacja);

  TTools tools;
  const OknaProgramu okna(tools);

  if (aplikacja.Zakonczona()) return 0;
  // Without a window manager a maximised window keeps its own size: start at the whole screen.
  if (QScreen* ekran = QGuiApplication::primaryScreen()) tools.setGeometry(ekran->availableGeometry());
  tools.showMaximized();
  if (aplikacja.Zakonczona()) return 0;
  return aplikacja.exec();
}
