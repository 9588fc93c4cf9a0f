// Peak memory of the program (its twelve windows made as at its start) with a settlement of 49 records (a PIT-37 and
// 48 PIT/O, every field filled) after every page of every record was shown in the shown main window, beside the peak
// of the same process before, when it held an application and one empty main window on screen.
//
//   bench_pamiec [program folder]      default: ../bin beside this program

#include <QCoreApplication>
#include <QFile>
#include <QMainWindow>
#include <QScreen>
#include <cstdio>

#include "formularze.h"
#include "main/okna.h"
#include "main/tools.h"
#include "platform/aplikacja.h"
#include "srodowisko.h"

namespace {

constexpr int kLiczbaDrukow = 49;

// A line of /proc/self/status in kB: VmHWM is the peak resident size, VmRSS the present one.
long long Kilobajty(const char* pole) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& wiersz : status.readAll().split('\n'))
    if (wiersz.startsWith(pole))
      return wiersz.mid(static_cast<qsizetype>(qstrlen(pole))).trimmed().split(' ')[0].toLongLong();
  return -1;
}

void Wyczerp() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  const SrodowiskoPomiaru srodowisko;
  platform::Aplikacja aplikacja(argc, argv);
  const QString folder = FolderProgramu(argc, argv);
  if (!QFile::exists(folder + "/dc/2_1.dcg") || !QFile::exists(folder + "/dc/6_1.dcg"))
    qFatal("no PIT-37 or PIT/O in %s/dc: build the velmar_dc target first", qPrintable(folder));
  const QRect ekran = QGuiApplication::primaryScreen()->availableGeometry();

  {
    QMainWindow puste;
    puste.setGeometry(ekran);
    puste.show();
    Wyczerp();
  }
  const long long podloga = Kilobajty("VmHWM:");

  TTools tools(folder);
  const OknaProgramu okna(tools);
  tools.PrzydzielDruki(kLiczbaDrukow);
  tools.DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
  for (int i = 1; i < kLiczbaDrukow; ++i) tools.DodajDruk(PitO, 1, PMWspolny, Indywidualne);
  tools.BudujDrzewo();
  for (int j = 1; j <= kLiczbaDrukow; ++j)
    Wypelnij(tools.Druki[static_cast<std::size_t>(j)], folder + QStringLiteral("/dc/%1.dcs").arg(tools.Druki[j].IdPit));
  tools.ParametrWiersza.clear();
  tools.setGeometry(ekran);
  tools.show();
  Wyczerp();

  int strony = 0;
  for (int j = 1; j <= kLiczbaDrukow; ++j) {
    tools.PokazDruk(tools.Druki[static_cast<std::size_t>(j)].Wezel, 1);
    Wyczerp();
    ++strony;
    while (tools.BiezacaStrona < tools.LiczbaStron) {
      tools.PitNextPageClick();
      Wyczerp();
      ++strony;
    }
  }
  const long long szczyt = Kilobajty("VmHWM:"), teraz = Kilobajty("VmRSS:");
  std::printf("%d records, %d pages shown on %s\n", kLiczbaDrukow, strony, qPrintable(QGuiApplication::platformName()));
  std::printf("peak resident memory: %.1f MB (now %.1f MB)\n", szczyt / 1024.0, teraz / 1024.0);
  std::printf("an empty main window, peak before: %.1f MB; the program adds %.1f MB\n", podloga / 1024.0,
              (szczyt - podloga) / 1024.0);
  return 0;
}
