// The page view's readers on any bytes, as the page display uses them: the first byte chooses a .dcs structure
// (its objects then drawn on a page as in client mode), a .dcd header, or a page picture (decoded, fitted, packed
// and unpacked).
// Nothing may crash; the record counts and the header's bytes must come out as the formats define them.

#include <QByteArray>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "main/tools.h"
#include "model/rekordy.h"
#include "model/struktura.h"
#include "pages/fimage.h"
#include "pages/obiekty_plik.h"
#include "pages/obraz_strony.h"
#include "pages/rysowanie.h"
#include "srodowisko.h"

namespace {

struct Program {
  TTools tools{fuzz::FolderRoboczy()};
  TFImage widok;
  Program() {
    tools.PrzydzielDruki(1);
    tools.DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
    tools.BiezacyDruk = tools.Druki[1];
    tools.WysokoscWidoku = 1131;
    tools.WyczyscNakladke();
  }
};

Program& Srodowisko() {
  fuzz::Aplikacja();
  static Program* program = new Program;  // lives as long as the run
  return *program;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  if (rozmiar == 0) return 0;
  Program& p = Srodowisko();
  const std::span<const std::uint8_t> bajty(dane + 1, rozmiar - 1);
  switch (dane[0] % 3) {
    case 0: {
      auto obiekty = struktura::ObiektyZBajtow(bajty, 1.0f);
      if (obiekty.size() != bajty.size() / rekordy::kRozmiarObiektu) std::abort();
      // Values for the fields, taken from the objects' own texts, so damaged values are drawn too.
      for (std::size_t k = 0; k < obiekty.size() && k < kLiczbaPol; ++k) {
        UstawBajty(p.tools.Druki[1].Pola[k].Wartosc, Tekst(obiekty[k].Wartosc));
        p.tools.Druki[1].Pola[k].Zaznaczone = obiekty[k].Opcje[0].Zaznaczona;
      }
      p.tools.BiezacaStrona = obiekty.empty() ? 1 : obiekty[0].Strona;
      UstawObiekty(&p.widok, std::move(obiekty));
      RysujObiekty(&p.widok);
      break;
    }
    case 1: {
      const auto naglowek = struktura::NaglowekZBajtow(bajty);
      if (naglowek.has_value() != (bajty.size() >= rekordy::kRozmiarNaglowkaFormularza)) std::abort();
      if (naglowek) {
        std::array<std::uint8_t, rekordy::kRozmiarNaglowkaFormularza> wynik{};
        rekordy::Zakoduj(*naglowek, wynik);
        if (!std::equal(wynik.begin(), wynik.end(), bajty.begin())) std::abort();
      }
      break;
    }
    default: {
      QString blad;
      const QByteArray obraz(reinterpret_cast<const char*>(bajty.data()), static_cast<qsizetype>(bajty.size()));
      if (auto strona = TObrazStrony::ZBajtow(obraz, QStringLiteral("fuzz.dcg"), blad, 800)) {
        // Every page taken is one the view can show: at most four times as tall as wide.
        const int wysokosc = WysokoscDopasowana(strona->SzerokoscMetapliku(), strona->WysokoscMetapliku(), 800);
        if (wysokosc <= 0 || wysokosc > 3200) std::abort();
        strona->Dopasuj(800, wysokosc);
        // A rendering packed and unpacked into its own memory comes back pixel for pixel, and so do rows read from
        // the packing.
        const QImage wyrenderowany = strona->Obraz().copy();
        QImage bufor = strona->Oddaj();
        std::vector<QRgb> wiersz(800);
        for (int y = 0; y < strona->Wysokosc(); ++y) {
          strona->Wiersze(y, 1, wiersz.data());
          if (!std::equal(wiersz.begin(), wiersz.end(), reinterpret_cast<const QRgb*>(wyrenderowany.constScanLine(y))))
            std::abort();
        }
        strona->Dopasuj(800, wysokosc, std::move(bufor));
        if (strona->Obraz() != wyrenderowany) std::abort();
      } else if (blad.isEmpty()) {
        std::abort();
      }
      break;
    }
  }
  fuzz::PoWejsciu();
  return 0;
}
