#include <QtTest>

#include <iconv.h>

#include <optional>
#include <string>

#include "platform/cp1250.h"

namespace {

// The UTF-16 unit of one byte by glibc's converter, the independent reference for the code page; nothing when the
// converter refuses the byte.
std::optional<char16_t> ZnakIconv(iconv_t cd, unsigned char bajt) {
  char wejscie[1] = {static_cast<char>(bajt)};
  unsigned char wyjscie[4] = {};
  char* we = wejscie;
  char* wy = reinterpret_cast<char*>(wyjscie);
  std::size_t zostalo_we = 1, zostalo_wy = sizeof wyjscie;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &we, &zostalo_we, &wy, &zostalo_wy) == static_cast<std::size_t>(-1)) return std::nullopt;
  if (sizeof wyjscie - zostalo_wy != 2) return std::nullopt;
  return static_cast<char16_t>(wyjscie[0] | (wyjscie[1] << 8));
}

bool Nieprzypisany(int b) { return b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98; }

std::string Bajt(int b) { return std::string(1, static_cast<char>(b)); }

}  // namespace

class TstCp1250 : public QObject {
  Q_OBJECT

 private slots:
  void tablicaJakIconv();
  void bajtyWracajaBezZmian();
};

void TstCp1250::tablicaJakIconv() {
  const iconv_t cd = iconv_open("UTF-16LE", "CP1250");
  if (cd == reinterpret_cast<iconv_t>(-1)) QSKIP("the C library has no CP1250 converter");
  const auto zamknij = qScopeGuard([cd] { iconv_close(cd); });
  for (int b = 0; b < 256; ++b) {
    const QString znak = platform::ZCp1250(Bajt(b));
    QCOMPARE(znak.size(), 1);
    const auto oczekiwany = ZnakIconv(cd, static_cast<unsigned char>(b));
    // The five unassigned bytes come out as the C1 controls of the same number.
    QVERIFY2(oczekiwany || Nieprzypisany(b), qPrintable(QStringLiteral("iconv refused byte 0x%1").arg(b, 2, 16)));
    QVERIFY2(znak[0].unicode() == oczekiwany.value_or(char16_t(b)),
             qPrintable(QStringLiteral("byte 0x%1: U+%2").arg(b, 2, 16).arg(znak[0].unicode(), 4, 16, QChar('0'))));
  }
}

// Every byte comes back unchanged; a character outside the code page becomes '?'.
void TstCp1250::bajtyWracajaBezZmian() {
  std::string wszystkie;
  for (int b = 0; b < 256; ++b) wszystkie += Bajt(b);
  QCOMPARE(platform::DoCp1250(platform::ZCp1250(wszystkie)), wszystkie);
  QCOMPARE(platform::DoCp1250(QStringLiteral("a\u00F1b\u4E2D")), std::string("a?b?"));
}

QTEST_APPLESS_MAIN(TstCp1250)
#include "tst_cp1250.moc"
