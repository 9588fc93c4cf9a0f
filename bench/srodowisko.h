#pragma once
// What every benchmark sets up before it starts the program's windows: offscreen windows, a private settings folder
// with the regional settings start-up requires, the program folder, and timing helpers.

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

class SrodowiskoPomiaru {
 public:
  SrodowiskoPomiaru() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VELMAR_CONFIG_DIR", QFile::encodeName(ustawienia_.path()));
    QFile regionalne(ustawienia_.path() + QStringLiteral("/regionalne.ini"));
    if (!regionalne.open(QIODevice::WriteOnly) ||
        regionalne.write("[Regional]\nDecimalSeparator=,\nDateSeparator=-\n") < 0)
      qFatal("cannot prepare the settings folder");
  }

 private:
  QTemporaryDir ustawienia_;
};

inline double Mediana(std::vector<double> czasy) {
  std::sort(czasy.begin(), czasy.end());
  return czasy.empty() ? 0.0 : czasy[czasy.size() / 2];
}

// The program folder: the first argument, or ../bin beside the benchmark.
inline QString FolderProgramu(int argc, char** argv) {
  return argc > 1 ? QString::fromLocal8Bit(argv[1]) : QCoreApplication::applicationDirPath() + "/../bin";
}

// Milliseconds one call takes.
template <typename F>
double Czas(F&& dzialanie) {
  QElapsedTimer zegar;
  zegar.start();
  dzialanie();
  return static_cast<double>(zegar.nsecsElapsed()) / 1e6;
}
