#include "pages/kolory.h"

#include <QString>
#include <string>

#include "platform/cp1250.h"

namespace {

int Cyfra(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// One pair (or the lone fifth character) read as "$" + pair; the empty pair is no number.
int Para(std::string_view para) {
  if (para.empty()) throw BladKonwersjiCalkowitej("$");
  int wartosc = 0;
  for (const char c : para) {
    const int cyfra = Cyfra(c);
    if (cyfra < 0) throw BladKonwersjiCalkowitej(std::string("$") + std::string(para));
    wartosc = wartosc * 16 + cyfra;
  }
  return wartosc;
}

}  // namespace

BladKonwersjiCalkowitej::BladKonwersjiCalkowitej(std::string_view tekstCp1250)
    : std::runtime_error(
          QStringLiteral("'%1' is not a valid integer value").arg(platform::ZCp1250(tekstCp1250)).toStdString()) {}

std::int32_t KolorZTekstu(std::string_view tekst) {
  if (tekst.empty()) tekst = "FFFFFF";
  const auto para = [&](std::size_t od) { return od < tekst.size() ? tekst.substr(od, 2) : std::string_view(); };
  const int r = Para(para(0));
  const int g = Para(para(2));
  const int b = Para(para(4));
  return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

QRgb KolorLubDomyslny(std::string_view tekst, QRgb domyslny) {
  if (tekst.empty()) return qRgb(255, 255, 255);
  if (tekst.size() != 6) return domyslny;
  for (const char c : tekst)
    if (Cyfra(c) < 0) return domyslny;
  return KolorQt(KolorZTekstu(tekst));
}
