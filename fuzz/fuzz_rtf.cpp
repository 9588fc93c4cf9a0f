// Feeds arbitrary bytes to the RTF reader and lays the result out, as the welcome and wizard views would.

#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

#include "platform/rtf.h"
#include "srodowisko.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  fuzz::Aplikacja();
  QTextDocument dokument;
  dokument.setTextWidth(400);
  platform::WczytajRtf(dokument, QByteArray(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar)));
  dokument.documentLayout()->documentSize();
  dokument.toPlainText();
  fuzz::PoWejsciu();
  return 0;
}
