#include "srodowisko.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

#include "platform/aplikacja.h"
#include "platform/dialogi.h"

namespace fuzz {
namespace {

// Files written for every input, and saved with a flush to the disk, go to memory where the system offers it.
QString Szablon() {
  return (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
         QStringLiteral("/velmar-fuzz-XXXXXX");
}

struct Srodowisko {
  QTemporaryDir ustawienia;
  QTemporaryDir roboczy{Szablon()};
  std::unique_ptr<platform::Aplikacja> aplikacja;

  Srodowisko() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VELMAR_CONFIG_DIR", QFile::encodeName(ustawienia.path()));
    QFile regionalne(ustawienia.path() + QStringLiteral("/regionalne.ini"));
    if (!regionalne.open(QIODevice::WriteOnly) || regionalne.write("[Regional]\nDecimalSeparator=,\nDateSeparator=-\n") < 0)
      qFatal("cannot prepare the settings folder");
    regionalne.close();
    static int argc = 1;
    static char nazwa[] = "velmar-fuzz";
    static char* argv[] = {nazwa, nullptr};
    aplikacja = std::make_unique<platform::Aplikacja>(argc, argv);
    aplikacja->UstawDialogi(std::make_unique<platform::DialogiCiche>());
  }
};

Srodowisko& Dane() {
  // Made on first use and never destroyed: it lives as long as the run and stays reachable.
  static Srodowisko* srodowisko = new Srodowisko;
  return *srodowisko;
}

}  // namespace

platform::Aplikacja& Aplikacja() { return *Dane().aplikacja; }

QString FolderProgramu() { return QStringLiteral(VELMAR_BIN_DIR "/"); }

QString FolderRoboczy() { return Dane().roboczy.path() + QLatin1Char('/'); }

void PoWejsciu() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void PokazBezEkranu(QWidget& okno) {
  okno.setAttribute(Qt::WA_DontShowOnScreen);
  okno.show();
}

QString FolderProgramuProstychStron() {
  static const QString folder = [] {
    const QString wynik = FolderRoboczy() + QStringLiteral("program/");
    const QDir zrodlo(FolderProgramu() + QStringLiteral("dc"));
    QDir().mkpath(wynik + QStringLiteral("dc"));
    QDir().mkpath(wynik + QStringLiteral("alg"));
    QImage strona(80, 4, QImage::Format_RGB32);
    strona.fill(Qt::white);
    for (const QFileInfo& plik : zrodlo.entryInfoList(QDir::Files)) {
      const QString cel = wynik + QStringLiteral("dc/") + plik.fileName();
      const bool skopiowany = plik.suffix() == QLatin1String("dcg") ? strona.save(cel, "PNG") : QFile::copy(plik.filePath(), cel);
      if (!skopiowany) qFatal("cannot prepare the program folder");
    }
    return wynik;
  }();
  return folder;
}

}  // namespace fuzz
