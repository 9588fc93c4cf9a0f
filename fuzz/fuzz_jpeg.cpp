// The JPEG decoder on hostile bytes: a picture or a null image, never a crash.

#include <cstdint>
#include <cstdlib>

#include "platform/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  const QImage obraz = platform::DekodujJpeg(QByteArrayView(dane, static_cast<qsizetype>(rozmiar)));
  if (!obraz.isNull() && (obraz.width() <= 0 || obraz.height() <= 0)) std::abort();
  return 0;
}
