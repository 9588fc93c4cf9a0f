// JPEG decoding with libjpeg: whole pictures come out at their size and colour; cut or hostile data gives a null
// image.

#include <QBuffer>
#include <QImageWriter>
#include <QtTest>

#include "platform/jpeg.h"

namespace {

// A picture of one colour, as JPEG.
QByteArray Zakoduj(QSize rozmiar, QColor kolor, bool progresywnie = false, bool szary = false) {
  QImage obraz(rozmiar, szary ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
  obraz.fill(kolor);
  QByteArray bajty;
  QBuffer bufor(&bajty);
  bufor.open(QIODevice::WriteOnly);
  QImageWriter zapis(&bufor, "jpeg");
  zapis.setQuality(95);
  zapis.setProgressiveScanWrite(progresywnie);
  if (!zapis.write(obraz)) qFatal("cannot encode a test JPEG: %s", qPrintable(zapis.errorString()));
  return bajty;
}

bool Bliski(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 && std::abs(a.blue() - b.blue()) <= 8;
}

}  // namespace

class TstJpeg : public QObject {
  Q_OBJECT

 private slots:
  // A picture shown small is decoded small: at libjpeg's smallest scale that still covers the width asked for, in
  // its colour from corner to corner.
  void decodesScaledToTheWidthNeeded_data() {
    QTest::addColumn<bool>("progresywnie");
    QTest::addColumn<int>("docelowa");
    QTest::addColumn<QSize>("wynik");
    QTest::addColumn<bool>("szary");
    QTest::addColumn<QSize>("wlasny");
    for (bool p : {false, true}) {
      const char* rodzaj = p ? "progressive" : "baseline";
      QTest::addRow("%s, full size", rodzaj) << p << 0 << QSize(1600, 1200) << false << QSize(1600, 1200);
      QTest::addRow("%s, half exactly", rodzaj) << p << 800 << QSize(800, 600) << false << QSize(1600, 1200);
      QTest::addRow("%s, just over half", rodzaj) << p << 801 << QSize(1600, 1200) << false << QSize(1600, 1200);
      QTest::addRow("%s, an eighth", rodzaj) << p << 150 << QSize(200, 150) << false << QSize(1600, 1200);
      QTest::addRow("%s, smaller than an eighth", rodzaj) << p << 1 << QSize(200, 150) << false << QSize(1600, 1200);
      QTest::addRow("%s, wider than the picture", rodzaj) << p << 5000 << QSize(1600, 1200) << false << QSize(1600, 1200);
    }
    QTest::newRow("greyscale") << false << 0 << QSize(1600, 1200) << true << QSize(1600, 1200);
    QTest::newRow("one pixel wide") << false << 0 << QSize(1, 3) << false << QSize(1, 3);
    // An odd size: a scaled width rounds up, so it never falls short.
    QTest::newRow("odd width") << false << 251 << QSize(251, 38) << false << QSize(2001, 300);
  }
  void decodesScaledToTheWidthNeeded() {
    QFETCH(bool, progresywnie);
    QFETCH(int, docelowa);
    QFETCH(QSize, wynik);
    QFETCH(bool, szary);
    QFETCH(QSize, wlasny);
    const QColor kolor = szary ? QColor(100, 100, 100) : QColor(30, 160, 60);
    QSize rozmiar;
    const QImage obraz = platform::DekodujJpeg(Zakoduj(wlasny, kolor, progresywnie, szary), docelowa, &rozmiar);
    QCOMPARE(obraz.size(), wynik);
    QCOMPARE(rozmiar, wlasny);
    QVERIFY(obraz.width() >= std::min(docelowa, wlasny.width()));
    for (const QPoint p : {QPoint(0, 0), QPoint(obraz.width() / 2, obraz.height() / 2),
                           QPoint(obraz.width() - 1, obraz.height() - 1)})
      QVERIFY(Bliski(obraz.pixelColor(p), kolor));
  }

  // A picture read from its file comes at its own size; a missing file gives a null image.
  void shippedMarkerPictures() {
    for (const char* plik : {"podatnik.jpg", "malzonek.jpg"})
      QCOMPARE(platform::WczytajJpeg(QStringLiteral(VELMAR_SOURCE_DIR "/data/alg/") + QLatin1String(plik)).size(),
               QSize(40, 40));
    QVERIFY(platform::WczytajJpeg(QStringLiteral(VELMAR_SOURCE_DIR "/data/alg/brak.jpg")).isNull());
  }

  void badDataIsRefused_data() {
    QTest::addColumn<QByteArray>("dane");
    const QByteArray jpeg = Zakoduj(QSize(64, 64), Qt::blue);
    for (qsizetype n : {qsizetype{0}, qsizetype{1}, qsizetype{2}, qsizetype{20}, jpeg.size() / 2, jpeg.size() - 2})
      QTest::addRow("cut at %d", int(n)) << jpeg.left(n);
    QTest::newRow("text") << QByteArray("not a picture at all");
    QTest::newRow("markers alone") << QByteArray("\xFF\xD8\xFF\xD9", 4);
    QByteArray ogromny = Zakoduj(QSize(8, 8), Qt::green);
    const qsizetype h = ogromny.indexOf("\xFF\xC0") + 5;  // the baseline frame's height
    if (h < 5) qFatal("no frame header in the test JPEG");
    for (int i = 0; i < 4; ++i) ogromny[h + i] = '\xFF';  // 65535 x 65535
    QTest::newRow("huge frame") << ogromny;
  }
  void badDataIsRefused() {
    QFETCH(QByteArray, dane);
    QVERIFY(platform::DekodujJpeg(dane).isNull());
  }
};

QTEST_MAIN(TstJpeg)
#include "tst_jpeg.moc"
