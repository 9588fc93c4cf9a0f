// The JPEG decoder on hostile bytes: a picture or a null image, never a crash.

#include <cstdint>
#include <algorithm>
#include <cstdlib>

#include "platform/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  if (rozmiar == 0) return 0;
  // The first byte asks for a width (0: full size), so the scaled decoding is tried as the page view uses it.
  const int docelowa = dane[0] * 8;
  QSize wlasny;
  const QImage obraz =
      platform::DekodujJpeg(QByteArrayView(dane + 1, static_cast<qsizetype>(rozmiar - 1)), docelowa, &wlasny);
  if (obraz.isNull()) return 0;
  if (obraz.width() <= 0 || obraz.height() <= 0 || wlasny.width() < obraz.width() || wlasny.height() < obraz.height())
    std::abort();
  // Scaled no further than the width asked for allows.
  if (obraz.width() < std::min(docelowa, wlasny.width())) std::abort();
  if (docelowa == 0 && obraz.size() != wlasny) std::abort();
  return 0;
}
