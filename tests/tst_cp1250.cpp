#include <QtTest>

#include <iconv.h>

#include <cerrno>
#include <optional>
#include <string>

#include "platform/cp1250.h"

namespace {

// glibc's converter as the independent reference for the code page.
class Iconv {
 public:
  Iconv() : cd_(iconv_open("UTF-16LE", "CP1250")) {}
  ~Iconv() {
    if (Dziala()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool Dziala() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The UTF-16 unit of one byte, or nothing when the converter refuses the byte.
  std::optional<char16_t> Znak(unsigned char bajt) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char wejscie[1] = {static_cast<char>(bajt)};
    unsigned char wyjscie[4] = {};
    char* we = wejscie;
    char* wy = reinterpret_cast<char*>(wyjscie);
    std::size_t zostalo_we = 1, zostalo_wy = sizeof wyjscie;
    if (iconv(cd_, &we, &zostalo_we, &wy, &zostalo_wy) == static_cast<std::size_t>(-1)) return std::nullopt;
    if (sizeof wyjscie - zostalo_wy != 2) return std::nullopt;
    return static_cast<char16_t>(wyjscie[0] | (wyjscie[1] << 8));
  }

 private:
  iconv_t cd_;
};

bool Nieprzypisany(int b) { return b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98; }

std::string Bajt(int b) { return std::string(1, static_cast<char>(b)); }

}  // namespace

class TstCp1250 : public QObject {
  Q_OBJECT

 private slots:
  void tablicaJakIconv();
  void nieprzypisaneBajtyJakoC1();
  void bajtyWracajaBezZmian();
  void znakSpozaStronyKodowej();
};

void TstCp1250::tablicaJakIconv() {
  Iconv iconv;
  if (!iconv.Dziala()) QSKIP("the C library has no CP1250 converter");
  int sprawdzone = 0;
  for (int b = 0; b < 256; ++b) {
    const auto oczekiwany = iconv.Znak(static_cast<unsigned char>(b));
    if (!oczekiwany) {
      QVERIFY2(Nieprzypisany(b), qPrintable(QStringLiteral("iconv refused byte 0x%1").arg(b, 2, 16)));
      continue;
    }
    const QString znak = platform::ZCp1250(Bajt(b));
    QCOMPARE(znak.size(), 1);
    QVERIFY2(znak[0].unicode() == *oczekiwany,
             qPrintable(QStringLiteral("byte 0x%1: U+%2, iconv U+%3")
                            .arg(b, 2, 16)
                            .arg(znak[0].unicode(), 4, 16, QChar('0'))
                            .arg(int(*oczekiwany), 4, 16, QChar('0'))));
    ++sprawdzone;
  }
  QVERIFY(sprawdzone >= 251);
}

void TstCp1250::nieprzypisaneBajtyJakoC1() {
  for (int b : {0x81, 0x83, 0x88, 0x90, 0x98}) {
    QCOMPARE(platform::ZCp1250(Bajt(b)), QString(QChar(b)));
    QCOMPARE(platform::DoCp1250(QString(QChar(b))), Bajt(b));
  }
}

void TstCp1250::bajtyWracajaBezZmian() {
  std::string wszystkie;
  for (int b = 0; b < 256; ++b) {
    QCOMPARE(platform::DoCp1250(platform::ZCp1250(Bajt(b))), Bajt(b));
    wszystkie += Bajt(b);
  }
  const QString tekst = platform::ZCp1250(wszystkie);
  QCOMPARE(tekst.size(), 256);
  QCOMPARE(platform::DoCp1250(tekst), wszystkie);
}

void TstCp1250::znakSpozaStronyKodowej() {
  QCOMPARE(platform::DoCp1250(QStringLiteral("Zażółć")), std::string("Za\xBF\xF3\xB3\xE6"));
  QCOMPARE(platform::DoCp1250(QStringLiteral("a\u00F1b")), std::string("a?b"));  // ñ
  QCOMPARE(platform::DoCp1250(QStringLiteral("\u4E2D")), std::string("?"));
  QCOMPARE(platform::DoCp1250(QStringLiteral("\u20AC")), std::string("\x80"));
  QCOMPARE(platform::DoCp1250(QString()), std::string());
}

QTEST_APPLESS_MAIN(TstCp1250)
#include "tst_cp1250.moc"
