// Opening a settlement and showing every record, as the user would click through it: the reader, the tree, the
// identification data, every form's computation and the drawing of its fields on the generated form structures;
// the first record is turned through all its pages with the page button. Then every record's computation once more
// on the core alone, with a screen that shows nothing, as the computations run without a window. A value the
// computations cannot read ends a computation as it does in the program (the exception box); anything else that
// escapes, crashes or leaks is a finding. Saving the result and reading it back must succeed.

#include <QFile>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "calc/ekran.h"
#include "calc/konwersje.h"
#include "calc/oblicz.h"
#include "main/drukowanie.h"
#include "main/tools.h"
#include "model/plik_rozliczenia.h"
#include "pages/fimage.h"
#include "rozliczenie_z_bajtow.h"
#include "srodowisko.h"

namespace {

struct Program {
  TTools tools{fuzz::FolderProgramuProstychStron()};
  TFImage widok;
  Program() { fuzz::PokazBezEkranu(tools); }
};

Program& Okna() {
  fuzz::Aplikacja();
  static Program* program = new Program;  // lives as long as the run
  return *program;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  Program& p = Okna();
  const QString plik = fuzz::FolderRoboczy() + QStringLiteral("fuzz.dc8");
  {
    QFile zapis(plik);
    const QByteArray bajty = fuzz::RozliczenieZBajtow(std::span(dane, rozmiar));
    if (!zapis.open(QIODevice::WriteOnly | QIODevice::Truncate) || zapis.write(bajty) != bajty.size()) std::abort();
  }
  p.tools.Zmodyfikowane = 0;
  if (!p.tools.OtworzRozliczenie(plik)) return 0;
  for (int j = 1; j <= p.tools.LiczbaDrukow; ++j) {
    const int strony = j == 1 ? LiczbaStronDruku(p.tools, p.tools.Druki[1].IdPit) : 1;
    for (int strona = 1; strona <= strony; ++strona) {
      try {
        if (strona == 1)
          p.tools.PokazDruk(p.tools.Druki[static_cast<std::size_t>(j)].Wezel, 1);
        else
          p.tools.PitNextPageClick();
      } catch (const BladKonwersjiLiczby&) {
      }
    }
  }
  for (int j = 1; j <= p.tools.LiczbaDrukow; ++j) {
    EkranBezWidoku ekran;
    ekran.Biezacy = p.tools.Rozl.Druk(j);
    KontekstObliczen kx{p.tools.Rozl, ekran};
    try {
      ObliczDruk(ekran.Biezacy.IdPit, kx, j);
    } catch (const BladKonwersjiLiczby&) {
    }
  }
  // What the computations wrote is saved and must open again.
  if (!p.tools.ZapiszDruki(plik)) std::abort();
  QFile odczyt(plik);
  if (!odczyt.open(QIODevice::ReadOnly)) std::abort();
  const OdczytRozliczenia znow = CzytajRozliczenie(odczyt, plik);
  if (!znow.blad.isEmpty() || static_cast<int>(znow.druki.size()) != p.tools.LiczbaDrukow + 1) std::abort();
  fuzz::PoWejsciu();
  return 0;
}
