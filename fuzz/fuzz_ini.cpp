// A settings file and an update description of any bytes: the INI reader, and what the update takes from a
// description (is it one, the offered version, the installer's name and SHA-256). Reading never fails; a value
// written back leaves every other one as it was read; versions compare as an order does.

#include <QFile>
#include <QString>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "main/aktualizacja_siec.h"
#include "main/tools.h"
#include "platform/ustawienia.h"
#include "srodowisko.h"

namespace {

// The keys the program reads, plus a few the mutations tend to make.
constexpr std::array<std::pair<const char*, const char*>, 9> kKlucze = {{
    {"PIT", "Run"}, {"PIT", "AutoUpdate"}, {"PIT", "SerwerAktualizacji"}, {"UPDATE", "Ver"}, {"UPDATE", "File"},
    {"UPDATE", "SHA256"}, {"Regional", "DecimalSeparator"}, {"a", "b"}, {"", ""},
}};

// What a missing key reads as: no value can hold a line break, so no file can give it.
const QString kBrak = QStringLiteral("\n");

// A value written back as it stands reads back the same unless it begins or ends with what reading takes off: a blank
// or a quote (it could only have come inside quotes).
bool ZmienionaPrzezZapis(const QString& wartosc) {
  if (wartosc.isEmpty()) return false;
  const auto brzeg = [](QChar c) { return c.isSpace() || c == u'"' || c == u'\''; };
  return brzeg(wartosc.front()) || brzeg(wartosc.back());
}

void SprawdzWersje(const QString& wersja) {
  for (const char* inna : {"8.0.1.0", "8.0.0.15", "", "9", "8.0.1"}) {
    const QString b = QString::fromLatin1(inna);
    if (TTools::PorownajWersje(wersja, b) != -TTools::PorownajWersje(b, wersja)) std::abort();
  }
  if (TTools::PorownajWersje(wersja, wersja) != 0) std::abort();
  // A text that is no version is version 0.
  if (TTools::WersjaNaLiczby(wersja).empty() && TTools::PorownajWersje(wersja, QStringLiteral("0")) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  fuzz::Aplikacja();
  const QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
  const QString sciezka = fuzz::FolderRoboczy() + QStringLiteral("fuzz.ini");
  {
    QFile plik(sciezka);
    if (!plik.open(QIODevice::WriteOnly | QIODevice::Truncate) || plik.write(bajty) != bajty.size()) std::abort();
  }
  platform::TIniFile ini(sciezka);
  if (!ini.Blad().isEmpty()) std::abort();
  std::vector<QString> przed;
  for (const auto& [sekcja, klucz] : kKlucze) {
    const QString wartosc = ini.ReadString(QString::fromLatin1(sekcja), QString::fromLatin1(klucz), kBrak);
    if ((wartosc != kBrak) != ini.ValueExists(QString::fromLatin1(sekcja), QString::fromLatin1(klucz)))
      std::abort();
    przed.push_back(wartosc);
  }

  // The description as the update reads it.
  if (aktualizacja::JestOpisemAktualizacji(bajty)) {
    SprawdzWersje(ini.ReadString(QStringLiteral("UPDATE"), QStringLiteral("Ver"), {}));
    const QString nazwa = ini.ReadString(QStringLiteral("UPDATE"), QStringLiteral("File"), {});
    if (aktualizacja::JestNazwaPliku(nazwa) && (nazwa.contains(u'/') || nazwa == QLatin1String(".."))) std::abort();
    const auto suma = aktualizacja::SumaZOpisu(ini.ReadString(QStringLiteral("UPDATE"), QStringLiteral("SHA256"), {}));
    if (suma && !suma->isEmpty() && (suma->size() != 64 || *suma != suma->toLower())) std::abort();
  }

  // A key written back: it reads as written, and every other key as before.
  if (!ini.WriteString(QStringLiteral("Fuzz"), QStringLiteral("Zapisany"), QStringLiteral("tak"))) std::abort();
  const platform::TIniFile znow(sciezka);
  if (znow.ReadString(QStringLiteral("Fuzz"), QStringLiteral("Zapisany"), {}) != QStringLiteral("tak")) std::abort();
  for (std::size_t i = 0; i < kKlucze.size(); ++i) {
    const auto& [sekcja, klucz] = kKlucze[i];
    if (QString::fromLatin1(sekcja) == QLatin1String("Fuzz") || ZmienionaPrzezZapis(przed[i])) continue;
    if (znow.ReadString(QString::fromLatin1(sekcja), QString::fromLatin1(klucz), kBrak) != przed[i])
      std::abort();
  }
  return 0;
}
