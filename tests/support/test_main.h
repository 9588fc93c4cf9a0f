#pragma once
// The entry of every test executable: like QTEST_MAIN, but with the program's application object, scripted dialogs
// and a private settings folder, so tests neither block on a dialog nor touch the user's settings.

#include <QTemporaryDir>
#include <QTest>

#include "platform/aplikacja.h"
#include "support/dialogi_skryptowe.h"

namespace velmar_test {

// The environment of one test run: offscreen windows unless chosen otherwise, and a fresh settings folder that
// lives as long as this object.
class SrodowiskoTestow {
 public:
  SrodowiskoTestow();
  QString FolderUstawien() const { return folder_.path(); }

 private:
  QTemporaryDir folder_;
};

// Replaces the application's dialogs with a DialogiSkryptowe.
void ZainstalujSkrypt(platform::Aplikacja& aplikacja);

}  // namespace velmar_test

// The scripted dialog service of the running test application.
velmar_test::DialogiSkryptowe& SkryptDialogow();

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
