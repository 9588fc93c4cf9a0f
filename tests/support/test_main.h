#pragma once
// The entry of every test executable: like QTEST_MAIN, but with the program's application object, scripted dialogs
// and a private settings folder, so tests neither block on a dialog nor touch the user's settings.

#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "platform/aplikacja.h"
#include "support/dialogi_skryptowe.h"

namespace velmar_test {

// The environment of one test run: offscreen windows unless chosen otherwise, and a fresh settings folder that
// lives as long as this object.
class SrodowiskoTestow {
 public:
  SrodowiskoTestow() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!folder_.isValid()) {
      qCritical("Cannot create a temporary settings folder: %s", qPrintable(folder_.errorString()));
      std::abort();
    }
    qputenv("VELMAR_CONFIG_DIR", QFile::encodeName(folder_.path()));
  }
  QString FolderUstawien() const { return folder_.path(); }

 private:
  QTemporaryDir folder_;
};

// Replaces the application's dialogs with a DialogiSkryptowe.
inline void ZainstalujSkrypt(platform::Aplikacja& aplikacja) {
  aplikacja.UstawDialogi(std::make_unique<DialogiSkryptowe>());
}

}  // namespace velmar_test

// The scripted dialog service of the running test application.
inline velmar_test::DialogiSkryptowe& SkryptDialogow() {
  return static_cast<velmar_test::DialogiSkryptowe&>(platform::Aplikacja::Instancja()->dialogi());
}

#define VELMAR_TEST_MAIN(TestClass)                          \
  int main(int argc, char** argv) {                          \
    const velmar_test::SrodowiskoTestow srodowisko;          \
    platform::Aplikacja aplikacja(argc, argv);               \
    aplikacja.setAttribute(Qt::AA_Use96Dpi, true);           \
    velmar_test::ZainstalujSkrypt(aplikacja);                \
    TestClass test;                                          \
    QTEST_SET_MAIN_SOURCE_PATH                               \
    return QTest::qExec(&test, argc, argv);                  \
  }
