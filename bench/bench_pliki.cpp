// Saves and opens a settlement of 49 records (6.7 MB) and prints the medians beside their floors, measured in the same
// runs: for saving, the same bytes written to a temporary file, flushed to the disk and renamed over the file (an atomic
// save can take no less); for opening, the same file read whole. Then "Zapisz" again under the current name, in a
// folder that holds 20 000 other files, beside the same floor in that folder.

#include <fcntl.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "model/plik_rozliczenia.h"
#include "main/tools.h"
#include "platform/aplikacja.h"
#include "srodowisko.h"

namespace {

constexpr int kPowtorzenia = 15;
constexpr int kLiczbaDrukow = 49;
constexpr int kPlikiObok = 20000;

// write, fsync and rename of the bytes, with the system's calls and nothing else.
void ZapiszAtomowo(const QByteArray& bajty, const QString& plik) {
  const QByteArray cel = QFile::encodeName(plik), tymczasowy = cel + ".tmp";
  const int f = ::open(tymczasowy.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (f < 0) qFatal("cannot create %s", tymczasowy.constData());
  for (qsizetype zapisane = 0; zapisane < bajty.size();) {
    const ssize_t n = ::write(f, bajty.constData() + zapisane, static_cast<std::size_t>(bajty.size() - zapisane));
    if (n <= 0) qFatal("cannot write %s", tymczasowy.constData());
    zapisane += n;
  }
  if (::fsync(f) != 0 || ::close(f) != 0 || ::rename(tymczasowy.constData(), cel.constData()) != 0)
    qFatal("cannot finish %s", cel.constData());
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
  const QString podloga = folder.path() + QStringLiteral("/podloga.dc8");
  const QByteArray bajty = ZakodujRozliczenie(tools.Druki, tools.LiczbaDrukow);
  std::vector<double> zapis, odczyt, zapisPodloga, odczytPodloga;
  for (int i = 0; i < kPowtorzenia; ++i) {
    zapis.push_back(Czas([&] {
      if (!tools.ZapiszDruki(plik)) qFatal("the save failed");
    }));
    zapisPodloga.push_back(Czas([&] { ZapiszAtomowo(bajty, podloga); }));
    odczyt.push_back(Czas([&] {
      if (!tools.OtworzRozliczenie(plik)) qFatal("the open failed");
    }));
    odczytPodloga.push_back(Czas([&] {
      QFile f(podloga);
      if (!f.open(QIODevice::ReadOnly) || f.readAll().size() != bajty.size()) qFatal("cannot read the floor's file");
    }));
  }
  std::printf("settlement of %d records, %lld bytes, medians of %d runs\n", kLiczbaDrukow,
              static_cast<long long>(QFile(plik).size()), kPowtorzenia);
  std::printf("save: %7.2f ms   write + fsync + rename of the same bytes: %7.2f ms\n", Mediana(zapis),
              Mediana(zapisPodloga));
  std::printf("open: %7.2f ms   reading the same file whole:              %7.2f ms\n", Mediana(odczyt),
              Mediana(odczytPodloga));

  QTemporaryDir pelny;
  for (int i = 0; i < kPlikiObok; ++i)
    if (!QFile(pelny.filePath(QStringLiteral("inny%1.dc8").arg(i))).open(QIODevice::WriteOnly))
      qFatal("cannot fill the folder");
  tools.PlikRozliczenia = pelny.filePath(QStringLiteral("rozliczenie.dc8"));
  if (!tools.ZapiszDruki(tools.PlikRozliczenia)) qFatal("the first save failed");
  const QString podlogaObok = pelny.filePath(QStringLiteral("podloga.dc8"));
  std::vector<double> zapisObok, podlogaWFolderze;
  for (int i = 0; i < kPowtorzenia; ++i) {
    zapisObok.push_back(Czas([&] {
      if (!tools.ZapiszRozliczenie(tools.PlikRozliczenia)) qFatal("the save failed");
    }));
    podlogaWFolderze.push_back(Czas([&] { ZapiszAtomowo(bajty, podlogaObok); }));
  }
  std::printf("save among %d files: %7.2f ms   write + fsync + rename there: %7.2f ms\n", kPlikiObok,
              Mediana(zapisObok), Mediana(podlogaWFolderze));
  return 0;
}
