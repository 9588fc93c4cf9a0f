#include "platform/jpeg.h"


#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "platform/odczyt.h"

namespace platform {
namespace {

// Bigger pictures are refused before any memory is taken for them.
constexpr long long kNajwiecejPikseli = 64LL * 1024 * 1024;
// What libjpeg may take for itself (progressive pictures keep every coefficient in memory).
constexpr long kNajwiecejPamieci = 256L << 20;

struct BladJpeg {
  jpeg_error_mgr pub;
  std::jmp_buf powrot;
};

[[noreturn]] void PrzerwijDekodowanie(j_common_ptr info) {
  std::longjmp(reinterpret_cast<BladJpeg*>(info->err)->powrot, 1);
}

// A warning means corrupt or missing data that libjpeg would paint over in grey; such a picture is refused too.
void Ostrzezenie(j_common_ptr info, int poziom) {
  if (poziom < 0) PrzerwijDekodowanie(info);
}

void BezKomunikatu(j_common_ptr) {}

// The largest reduction libjpeg offers that keeps the picture at least `szerokosc` wide.
unsigned Mianownik(JDIMENSION szerokoscObrazu, int szerokosc) {
  if (szerokosc <= 0) return 1;
  for (unsigned mianownik : {8u, 4u, 2u})
    if ((szerokoscObrazu + mianownik - 1) / mianownik >= static_cast<unsigned>(szerokosc)) return mianownik;
  return 1;
}

// Everything that can fail inside libjpeg runs here. Only trivially destructible objects are alive in this frame
// when libjpeg jumps back, so the jump skips no destructor; the image is owned by the caller.
bool Dekoduj(jpeg_decompress_struct* info, BladJpeg* blad, const unsigned char* dane, unsigned long rozmiar,
             int szerokoscDocelowa, QImage* obraz, QSize* rozmiarObrazu) {
  if (setjmp(blad->powrot) != 0) return false;
  jpeg_create_decompress(info);
  info->mem->max_memory_to_use = kNajwiecejPamieci;
  jpeg_mem_src(info, dane, rozmiar);
  if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
  info->out_color_space = JCS_RGB;
  *rozmiarObrazu = QSize(static_cast<int>(info->image_width), static_cast<int>(info->image_height));
  const long long piksele = static_cast<long long>(info->image_width) * info->image_height;
  if (info->image_width == 0 || info->image_height == 0 || piksele > kNajwiecejPikseli) return false;
  info->scale_num = 1;
  info->scale_denom = Mianownik(info->image_width, szerokoscDocelowa);
  jpeg_start_decompress(info);
  if (info->output_components != 3) return false;
  *obraz = QImage(static_cast<int>(info->output_width), static_cast<int>(info->output_height), QImage::Format_RGB888);
  if (obraz->isNull()) return false;
  while (info->output_scanline < info->output_height) {
    JSAMPROW wiersz = obraz->scanLine(static_cast<int>(info->output_scanline));
    if (jpeg_read_scanlines(info, &wiersz, 1) != 1) return false;
  }
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

QImage DekodujJpeg(QByteArrayView dane, int szerokoscDocelowa, QSize* rozmiar) {
  if (dane.isEmpty()) return {};
  jpeg_decompress_struct info{};
  BladJpeg blad{};
  info.err = jpeg_std_error(&blad.pub);
  blad.pub.error_exit = PrzerwijDekodowanie;
  blad.pub.emit_message = Ostrzezenie;
  blad.pub.output_message = BezKomunikatu;
  QImage obraz;
  QSize wlasny;
  const bool dobry = Dekoduj(&info, &blad, reinterpret_cast<const unsigned char*>(dane.data()),
                             static_cast<unsigned long>(dane.size()), szerokoscDocelowa, &obraz, &wlasny);
  jpeg_destroy_decompress(&info);
  if (rozmiar) *rozmiar = wlasny;
  return dobry ? obraz : QImage();
}

QImage WczytajJpeg(const QString& sciezka, QString* blad) {
  const OdczytanyPlik plik = CzytajPlik(sciezka, kNajwiekszyObrazJpeg);
  if (!plik.Udany()) {
    if (blad && plik.odmowa != Odmowa::NieMaPliku) *blad = plik.blad;
    return {};
  }
  return DekodujJpeg(plik.dane);
}

}  // namespace platform
