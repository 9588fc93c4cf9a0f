// Printing a settlement opened from a file: every record's pages with their values, through the program's own
// preparation and printing to a PDF file, with print settings taken from the input too. Nothing may crash, hang on
// the printer or leak; a print that is refused must say why.

#include <QFile>
#include <QPrinter>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "calc/konwersje.h"
#include "main/drukowanie.h"
#include "main/tools.h"
#include "pages/fimage.h"
#include "rozliczenie_z_bajtow.h"
#include "srodowisko.h"

namespace {

struct Program {
  TTools tools{fuzz::FolderProgramuProstychStron()};
  TFImage widok;
  // At screen resolution: the pages are drawn as on paper, only smaller.
  QPrinter drukarka{QPrinter::ScreenResolution};
  Program() {
    fuzz::PokazBezEkranu(tools);
    drukarka.setOutputFormat(QPrinter::PdfFormat);
    drukarka.setOutputFileName(fuzz::FolderRoboczy() + QStringLiteral("wydruk.pdf"));
  }
};

Program& Okna() {
  fuzz::Aplikacja();
  static Program* program = new Program;  // lives as long as the run
  return *program;
}

// The print window's settings from the first bytes, within the ranges its controls allow; the range in bits 1-2 of
// the sixth.
UstawieniaWydruku Ustawienia(std::span<const std::uint8_t> bajty) {
  const auto bajt = [&](std::size_t i) { return i < bajty.size() ? static_cast<int>(bajty[i]) : 0; };
  UstawieniaWydruku u;
  u.MarginesGora = (bajt(0) % 21) * 10;
  u.MarginesLewa = (bajt(1) % 21) * 10;
  u.Dx = bajt(2) % 41 - 20;
  u.Dy = bajt(3) % 41 - 20;
  u.RozmiarDruku = (bajt(4) % 21 - 10) * 10;
  u.Dane = (bajt(5) & 1) == 0;
  return u;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  Program& p = Okna();
  const std::span<const std::uint8_t> wejscie(dane, rozmiar);
  const std::size_t ustawienia = std::min<std::size_t>(6, rozmiar);
  const UstawieniaWydruku u = Ustawienia(wejscie.first(ustawienia));
  const QString plik = fuzz::FolderRoboczy() + QStringLiteral("fuzz.dc8");
  {
    QFile zapis(plik);
    const QByteArray bajty = fuzz::RozliczenieZBajtow(wejscie.subspan(ustawienia));
    if (!zapis.open(QIODevice::WriteOnly | QIODevice::Truncate) || zapis.write(bajty) != bajty.size()) std::abort();
  }
  p.tools.Zmodyfikowane = 0;
  if (!p.tools.OtworzRozliczenie(plik)) return 0;
  try {
    p.tools.PokazPierwszyDruk();
  } catch (const BladKonwersjiLiczby&) {
  }
  const auto druki = DrukiZakresu(p.tools, (wejscie.size() > 5 ? wejscie[5] >> 1 : 0) & 3);
  QString blad;
  const auto zadania = PrzygotujZadania(p.tools, druki, u.Dane, blad);
  if (!zadania) {
    if (blad.isEmpty()) std::abort();
    return 0;
  }
  if (!DrukujZadania(p.drukarka, *zadania, u, blad) && blad.isEmpty()) std::abort();
  fuzz::PoWejsciu();
  return 0;
}
