#pragma once
// The entry of a test of the core: no window and no application beyond Qt Core, a private settings folder whose
// regional settings give the separators the computations need (',' and '-').

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace velmar_test {

class SrodowiskoRdzenia {
 public:
  SrodowiskoRdzenia() {
    QFile regionalne(folder_.path() + QStringLiteral("/regionalne.ini"));
    if (!folder_.isValid() || !regionalne.open(QIODevice::WriteOnly) ||
        regionalne.write("[Regional]\nDecimalSeparator=,\nDateSeparator=-\n") < 0)
      qFatal("Cannot prepare a temporary settings folder");
    qputenv("VELMAR_CONFIG_DIR", QFile::encodeName(folder_.path()));
  }

 private:
  QTemporaryDir folder_;
};

}  // namespace velmar_test

#define VELMAR_TEST_MAIN_RDZEN(TestClass)                  \
  int main(int argc, char** argv) {                        \
    const velmar_test::SrodowiskoRdzenia srodowisko;       \
    QCoreApplication aplikacja(argc, argv);                \
    TestClass test;                                        \
    QTEST_SET_MAIN_SOURCE_PATH                             \
    return QTest::qExec(&test, argc, argv);                \
  }
