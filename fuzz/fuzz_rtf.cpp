// Feeds arbitrary bytes to the RTF reader and lays the result out, as the welcome and wizard views would.

#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

#include "platform/rtf.h"

namespace {

// Fonts and layout need a GUI application; one for the whole run, on the offscreen platform.
void ZapewnijAplikacje() {
  struct Offscreen {
    Offscreen() { qputenv("QT_QPA_PLATFORM", "offscreen"); }
  };
  static Offscreen offscreen;
  static int argc = 1;
  static char nazwa[] = "fuzz_rtf";
  static char* argv[] = {nazwa, nullptr};
  static QGuiApplication aplikacja(argc, argv);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
  ZapewnijAplikacje();
  QTextDocument dokument;
  dokument.setTextWidth(400);
  platform::WczytajRtf(dokument, QByteArray(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar)));
  dokument.documentLayout()->documentSize();
  dokument.toPlainText();
  return 0;
}
