#include "test_main.h"

#include <cstdlib>

namespace velmar_test {

SrodowiskoTestow::SrodowiskoTestow() {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!folder_.isValid()) {
    qCritical("Cannot create a temporary settings folder: %s", qPrintable(folder_.errorString()));
    std::abort();
  }
  qputenv("VELMAR_CONFIG_DIR", QFile::encodeName(folder_.path()));
}

void ZainstalujSkrypt(platform::Aplikacja& aplikacja) {
  aplikacja.UstawDialogi(std::make_unique<DialogiSkryptowe>());
}

}  // namespace velmar_test

velmar_test::DialogiSkryptowe& SkryptDialogow() {
  return static_cast<velmar_test::DialogiSkryptowe&>(platform::Aplikacja::Instancja()->dialogi());
}
