// Page pictures as drawing lists: which SVG documents are read as lists and which are left to Qt SVG (the rows of
// data/widok_svg.txt), and that a list draws every generated page, and every construct of the subset, as Qt SVG
// draws it.
//
// The tolerance: with the texts left out, both drawings must be identical pixel for pixel (the shapes go through the
// same QPainter calls). With the texts, a pixel may differ only within one pixel of text, and the difference averaged
// over 5 x 5 pixels may not exceed 40 of 255 grey levels. A list draws a glyph from the glyph cache, whose rasterizer
// covers edge pixels a little differently from Qt SVG's filled outline and which puts the baseline on a whole pixel
// (up to half a pixel from the outline's place); on the generated pages that gives averages up to about 30. A text
// one pixel out of place gives about 50, a size one unit larger over 80, the bold weight over 100.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QtTest>

#include "pages/lista_rysunku.h"
#include "support/test_main.h"
#include "support/widok_tabele.h"

using velmar_test::Wiersze;

namespace {

constexpr int kPrzesuniecieTekstu = 40;

QImage Narysuj(const QByteArray& svg, QSize rozmiar, bool lista) {
  QImage obraz(rozmiar, QImage::Format_RGB32);
  obraz.fill(Qt::white);
  QPainter malarz(&obraz);
  if (lista)
    TListaRysunku::Czytaj(svg)->Rysuj(malarz, QRectF(QPointF(0, 0), rozmiar));
  else
    QSvgRenderer(svg).render(&malarz, QRectF(QPointF(0, 0), rozmiar));
  return obraz;
}

// Empty when the list draws the picture as Qt SVG does, within the tolerance above; else what differs.
QString Porownaj(const QByteArray& svg, QSize rozmiar) {
  const QByteArray bezTekstow =
      QString::fromUtf8(svg).remove(QRegularExpression(QStringLiteral("<text[^>]*>[^<]*</text>"))).toUtf8();
  const QImage qt = Narysuj(svg, rozmiar, false), lista = Narysuj(svg, rozmiar, true);
  const QImage qtKsztalty = Narysuj(bezTekstow, rozmiar, false), listaKsztalty = Narysuj(bezTekstow, rozmiar, true);
  if (qtKsztalty != listaKsztalty) return QStringLiteral("the shapes differ");
  const int w = rozmiar.width(), h = rozmiar.height();
  const auto piksel = [](const QImage& obraz, int x, int y) {
    return reinterpret_cast<const QRgb*>(obraz.constScanLine(y))[x];
  };
  const auto i = [&](int x, int y) { return std::size_t(std::clamp(y, 0, h - 1) * w + std::clamp(x, 0, w - 1)); };
  // Where either drawing has text, and the grey difference between the two drawings.
  std::vector<char> tekst(std::size_t(w * h));
  std::vector<int> szarosc(std::size_t(w * h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      tekst[i(x, y)] =
          piksel(qt, x, y) != piksel(qtKsztalty, x, y) || piksel(lista, x, y) != piksel(listaKsztalty, x, y);
      szarosc[i(x, y)] = qGray(piksel(qt, x, y)) - qGray(piksel(lista, x, y));
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (piksel(qt, x, y) == piksel(lista, x, y)) continue;
      int suma = 0, wTekscie = 0;
      for (int d = 0; d < 25; ++d) {
        suma += szarosc[i(x + d % 5 - 2, y + d / 5 - 2)];
        wTekscie += std::abs(d % 5 - 2) <= 1 && std::abs(d / 5 - 2) <= 1 && tekst[i(x + d % 5 - 2, y + d / 5 - 2)];
      }
      if (!wTekscie) return QStringLiteral("a pixel away from any text differs at %1,%2").arg(x).arg(y);
      if (std::abs(suma) > kPrzesuniecieTekstu * 25)
        return QStringLiteral("the text differs by %1 grey levels around %2,%3").arg(std::abs(suma) / 25).arg(x).arg(y);
    }
  return {};
}

// The document of a row of data/widok_svg.txt: its root's attributes and its content.
QByteArray Dokument(const QStringList& w) {
  const QString korzen = w[0], tresc = w.mid(1).join(u'|');
  if (korzen == u"=") return tresc.toUtf8();
  return QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?><svg xmlns=\"http://www.w3.org/2000/svg\" %1>%2</svg>")
      .arg(korzen.isEmpty() ? QStringLiteral("viewBox=\"0 0 200 100\"") : korzen, tresc)
      .toUtf8();
}

}  // namespace

class TstListaRysunku : public QObject {
  Q_OBJECT

 private slots:
  void stronyGenerowane_data() {
    QTest::addColumn<QString>("plik");
    const QDir dc(QStringLiteral(VELMAR_BIN_DIR "/dc"));
    const QStringList strony = dc.entryList({QStringLiteral("*.dcg")}, QDir::Files, QDir::Name);
    QVERIFY2(!strony.isEmpty(), "no generated pages: build the velmar_dc target");
    for (const QString& strona : strony) QTest::newRow(qPrintable(strona)) << dc.filePath(strona);
  }
  void stronyGenerowane() {
    QFETCH(QString, plik);
    QFile f(plik);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray svg = f.readAll();
    const auto lista = TListaRysunku::Czytaj(svg);
    QVERIFY2(lista, "a generated page must be read as a drawing list");
    QCOMPARE(lista->Pole(), QRectF(0, 0, 1600, 2263));
    const QString roznica = Porownaj(svg, QSize(800, 1131));
    QVERIFY2(roznica.isEmpty(), qPrintable(roznica));
  }
  void listy_data() { Wiersze("widok_svg.txt", QStringLiteral("lista")); }
  void listy() {
    QFETCH(QStringList, w);
    const QByteArray svg = Dokument(w);
    QVERIFY(TListaRysunku::Czytaj(svg));
  }
  void dlaQtSvg_data() { Wiersze("widok_svg.txt", QStringLiteral("qt")); }
  void dlaQtSvg() {
    QFETCH(QStringList, w);
    const QByteArray svg = Dokument(w);
    QVERIFY(!TListaRysunku::Czytaj(svg));
  }
  void fragmentyJakWQtSvg_data() { Wiersze("widok_svg.txt", QStringLiteral("obraz")); }
  void fragmentyJakWQtSvg() {
    QFETCH(QStringList, w);
    const QByteArray svg = Dokument(w);
    QVERIFY(TListaRysunku::Czytaj(svg));
    for (const QSize rozmiar : {QSize(400, 200), QSize(173, 311)}) {
      const QString roznica = Porownaj(svg, rozmiar);
      QVERIFY2(roznica.isEmpty(), qPrintable(roznica));
    }
  }
};

VELMAR_TEST_MAIN(TstListaRysunku)
#include "tst_lista_rysunku.moc"
