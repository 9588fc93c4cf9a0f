// Reads a settings file of 200 000 sections and prints the median beside the floor measured in the same run: the
// file read and decoded, its lines split and trimmed, which any reader must do.

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "platform/odczyt.h"
#include "platform/ustawienia.h"
#include "srodowisko.h"

namespace {

constexpr int kPowtorzenia = 7;
constexpr int kSekcje = 200000;

}  // namespace

int main() {
  const SrodowiskoPomiaru srodowisko;
  QTemporaryDir folder;
  const QString sciezka = folder.path() + QStringLiteral("/wiele.ini");
  QByteArray tresc;
  for (int i = 0; i < kSekcje; ++i) tresc += "[S" + QByteArray::number(i) + "]\nK=" + QByteArray::number(i) + "\n";
  QFile plik(sciezka);
  if (!plik.open(QIODevice::WriteOnly) || plik.write(tresc) != tresc.size()) qFatal("cannot write the file");
  plik.close();

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
  return 0;
}
