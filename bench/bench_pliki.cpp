// Saves and opens a settlement of 49 records (6.7 MB) and prints the medians beside the time `cp` takes to copy the
// same file.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "main/tools.h"
#include "platform/aplikacja.h"
#include "srodowisko.h"

namespace {

constexpr int kPowtorzenia = 15;
constexpr int kLiczbaDrukow = 49;

template <typename F>
double Czas(F&& dzialanie) {
  QElapsedTimer zegar;
  zegar.start();
  dzialanie();
  return static_cast<double>(zegar.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const SrodowiskoPomiaru srodowisko;
  QTemporaryDir folder;
  platform::Aplikacja aplikacja(argc, argv);
  TTools tools(folder.path());

  tools.PrzydzielDruki(kLiczbaDrukow);
  tools.DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
  for (int i = 1; i < kLiczbaDrukow; ++i) tools.DodajDruk(PitO, 1, PMWspolny, Indywidualne);
  for (int i = 1; i <= kLiczbaDrukow; ++i)
    for (TPoleDruku& pole : tools.Druki[static_cast<std::size_t>(i)].Pola) UstawBajty(pole.Wartosc, "1234,56");
  tools.BudujDrzewo();

  const QString plik = folder.path() + QStringLiteral("/rozliczenie.dc8");
  const QString kopia = folder.path() + QStringLiteral("/kopia.dc8");
  std::vector<double> zapis, odczyt, cp;
  for (int i = 0; i < kPowtorzenia; ++i) {
    zapis.push_back(Czas([&] {
      if (!tools.ZapiszDruki(plik)) qFatal("the save failed");
    }));
    odczyt.push_back(Czas([&] {
      if (!tools.OtworzRozliczenie(plik)) qFatal("the open failed");
    }));
    QFile::remove(kopia);
    cp.push_back(Czas([&] { QProcess::execute(QStringLiteral("cp"), {plik, kopia}); }));
  }
  std::printf("settlement of %d records, %lld bytes\n", kLiczbaDrukow, static_cast<long long>(QFile(plik).size()));
  std::printf("save: median %7.2f ms\nopen: median %7.2f ms\ncp:   median %7.2f ms\n", Mediana(zapis),
              Mediana(odczyt), Mediana(cp));
  return 0;
}
