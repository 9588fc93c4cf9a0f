// The page view's readers on any bytes, as the page display uses them: the first byte chooses a .dcs structure
// (its objects then drawn on a page as in client mode), a .dcd header, or a page picture (decoded, fitted, packed
// and unpacked).
// Nothing may crash; the record counts and the header's bytes must come out as the formats define them.

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "main/tools.h"
#include "pages/fimage.h"
#include "pages/obiekty_plik.h"
#include "pages/obraz_strony.h"
#include "pages/rysowanie.h"
#include "pages/struktura.h"
#include "platform/rekordy.h"

namespace {

struct Program {
  QTemporaryDir ustawienia;
  QTemporaryDir folder;
  std::unique_ptr<QApplication> aplikacja;
  std::unique_ptr<TTools> tools;
  std::unique_ptr<TFImage> widok;
};

Program& Srodowisko() {
  static Program* program = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* p = new Program;
    qputenv("VELMAR_CONFIG_DIR", QFile::encodeName(p->ustawienia.path()));
    QFile regionalne(p->ustawienia.path() + "/regionalne.ini");
    regionalne.open(QIODevice::WriteOnly);
    regionalne.write("[Regional]\nDecimalSeparator=,\nDateSeparator=-\n");
    regionalne.close();
    QDir(p->folder.path()).mkpath("dc");
    static int argc = 1;
    static char nazwa[] = "fuzz_strona";
    static char* argv[] = {nazwa, nullptr};
    p->aplikacja = std::make_unique<QApplication>(argc, argv);
    p->tools = std::make_unique<TTools>(p->folder.path());
    p->widok = std::make_unique<TFImage>();
    p->tools->PrzydzielDruki(1);
    p->tools->DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
    p->tools->BiezacyDruk = p->tools->Druki[1];
    p->tools->WysokoscWidoku = 1131;
    p->tools->WyczyscNakladke();
    return p;
  }();
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
        UstawBajty(p.tools->Druki[1].Pola[k].Wartosc, Tekst(obiekty[k].Wartosc));
        p.tools->Druki[1].Pola[k].Zaznaczone = obiekty[k].Opcje[0].Zaznaczona;
      }
      p.tools->BiezacaStrona = obiekty.empty() ? 1 : obiekty[0].Strona;
      UstawObiekty(p.widok.get(), std::move(obiekty));
      RysujObiekty(p.widok.get());
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
      if (auto strona = TObrazStrony::ZBajtow(obraz, QStringLiteral("fuzz.dcg"), blad)) {
        const int wysokosc = WysokoscDopasowana(strona->SzerokoscMetapliku(), strona->WysokoscMetapliku(), 800);
        if (wysokosc <= 0) std::abort();
        // Tall pictures are valid; rendering them only costs time the fuzzer spends better elsewhere.
        if (wysokosc <= 2000) {
          strona->Dopasuj(800, wysokosc);
          // A rendering packed and unpacked into its own memory comes back pixel for pixel.
          const QImage wyrenderowany = strona->Obraz().copy();
          strona->Dopasuj(800, wysokosc, strona->Oddaj());
          if (strona->Obraz() != wyrenderowany) std::abort();
        }
      } else if (blad.isEmpty()) {
        std::abort();
      }
      break;
    }
  }
  return 0;
}
