// Reads a settings file of 200 000 sections and prints the median beside the floor measured in the same run: the
// file read and decoded, its lines split and trimmed, which any reader must do. Then times the program's start (the
// main window and its windows made and shown) with that file as its settings, beside the same start with a settings
// file of one section: the difference is what the settings cost at start-up, a single read when they are read once.
//
//   bench_ini [program folder]      default: ../bin beside this program

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "main/okna.h"
#include "main/tools.h"
#include "platform/aplikacja.h"
#include "platform/odczyt.h"
#include "platform/ustawienia.h"
#include "srodowisko.h"

namespace {

constexpr int kPowtorzenia = 7;
constexpr int kSekcje = 200000;

void Zapisz(const QString& sciezka, const QByteArray& tresc) {
  QFile plik(sciezka);
  if (!plik.open(QIODevice::WriteOnly) || plik.write(tresc) != tresc.size()) qFatal("cannot write the file");
}

// The median time of the program's start with these settings, the update check off.
double Start(const QString& folder, const QByteArray& ustawienia) {
  Zapisz(platform::FolderUstawien() + QStringLiteral("/velmar2008.ini"), ustawienia);
  std::vector<double> czasy;
  for (int i = 0; i < kPowtorzenia; ++i)
    czasy.push_back(Czas([&] {
      TTools tools(folder);
      const OknaProgramu okna(tools);
      tools.ParametrWiersza.clear();
      tools.show();
      QCoreApplication::processEvents();
    }));
  return Mediana(czasy);
}

}  // namespace

int main(int argc, char** argv) {
  const SrodowiskoPomiaru srodowisko;
  platform::Aplikacja aplikacja(argc, argv);
  QTemporaryDir folder;
  const QString sciezka = folder.path() + QStringLiteral("/wiele.ini");
  QByteArray tresc;
  for (int i = 0; i < kSekcje; ++i) tresc += "[S" + QByteArray::number(i) + "]\nK=" + QByteArray::number(i) + "\n";
  Zapisz(sciezka, tresc);

  std::vector<double> odczyt, podstawa;
  qsizetype wiersze = 0;
  for (int i = 0; i < kPowtorzenia; ++i) {
    odczyt.push_back(Czas([&] {
      const platform::TIniFile ini(sciezka);
      if (ini.ReadString(QStringLiteral("S199999"), QStringLiteral("K"), {}) != QStringLiteral("199999"))
        qFatal("the last section was not read");
    }));
    podstawa.push_back(Czas([&] {
      const QString tekst = QString::fromUtf8(platform::CzytajPlik(sciezka, platform::kNajwiekszyPlikIni).dane);
      wiersze = 0;
      for (QStringView linia : QStringView(tekst).split(u'\n')) wiersze += linia.trimmed().isEmpty() ? 0 : 1;
    }));
  }
  std::printf("settings file of %d sections, %lld bytes, %lld lines\n", kSekcje, static_cast<long long>(tresc.size()),
              static_cast<long long>(wiersze));
  std::printf("TIniFile: median %8.2f ms\nfloor:    median %8.2f ms (read, decode, split and trim the lines)\n",
              Mediana(odczyt), Mediana(podstawa));

  const QByteArray pit = "[PIT]\nRun=1\nAutoUpdate=0\n";
  const QString program = FolderProgramu(argc, argv);
  const double duze = Start(program, pit + tresc), male = Start(program, pit);
  std::printf("start with these settings: median %8.2f ms\nstart with one section:    median %8.2f ms\n"
              "the settings at start-up: %8.2f ms, %.1f reads of the file\n",
              duze, male, duze - male, (duze - male) / Mediana(odczyt));
  return 0;
}
