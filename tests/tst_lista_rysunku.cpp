// Page pictures as drawing lists: which SVG documents are read as lists and which are left to Qt SVG, and that a list
// draws every generated page, and every construct of the subset, as Qt SVG draws it.
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
  const int w = rozmiar.width(), h = rozmiar.height();
  const auto piksel = [](const QImage& obraz, int x, int y) {
    return reinterpret_cast<const QRgb*>(obraz.constScanLine(y))[x];
  };
  // Where either drawing has text, and the grey difference between the two drawings.
  std::vector<char> tekst(static_cast<std::size_t>(w * h));
  std::vector<int> szarosc(static_cast<std::size_t>(w * h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (piksel(qtKsztalty, x, y) != piksel(listaKsztalty, x, y))
        return QStringLiteral("the shapes differ at %1,%2").arg(x).arg(y);
      const std::size_t i = static_cast<std::size_t>(y * w + x);
      tekst[i] = piksel(qt, x, y) != piksel(qtKsztalty, x, y) || piksel(lista, x, y) != piksel(listaKsztalty, x, y);
      szarosc[i] = qGray(piksel(qt, x, y)) - qGray(piksel(lista, x, y));
    }
  const auto wTekscie = [&](int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int xx = std::clamp(x + dx, 0, w - 1), yy = std::clamp(y + dy, 0, h - 1);
        if (tekst[static_cast<std::size_t>(yy * w + xx)]) return true;
      }
    return false;
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (szarosc[static_cast<std::size_t>(y * w + x)] == 0 && piksel(qt, x, y) == piksel(lista, x, y)) continue;
      if (!wTekscie(x, y)) return QStringLiteral("a pixel away from any text differs at %1,%2").arg(x).arg(y);
      int suma = 0;
      for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
          suma += szarosc[static_cast<std::size_t>(std::clamp(y + dy, 0, h - 1) * w + std::clamp(x + dx, 0, w - 1))];
      if (std::abs(suma) > kPrzesuniecieTekstu * 25)
        return QStringLiteral("the text differs by %1 grey levels around %2,%3").arg(std::abs(suma) / 25).arg(x).arg(y);
    }
  return {};
}

QByteArray Svg(const char* tresc, const char* korzen = R"(viewBox="0 0 200 100")") {
  return QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?><svg xmlns="http://www.w3.org/2000/svg" )") + korzen +
         ">" + tresc + "</svg>";
}

}  // namespace

class TstListaRysunku : public QObject {
  Q_OBJECT

 private slots:
  void stronyGenerowane_data();
  void stronyGenerowane();
  void podzbior_data();
  void podzbior();
  void fragmentyJakWQtSvg_data();
  void fragmentyJakWQtSvg();
};

void TstListaRysunku::stronyGenerowane_data() {
  QTest::addColumn<QString>("plik");
  const QDir dc(QStringLiteral(VELMAR_BIN_DIR "/dc"));
  const QStringList strony = dc.entryList({QStringLiteral("*.dcg")}, QDir::Files, QDir::Name);
  QVERIFY2(!strony.isEmpty(), "no generated pages: build the velmar_dc target");
  for (const QString& strona : strony) QTest::newRow(qPrintable(strona)) << dc.filePath(strona);
}

void TstListaRysunku::stronyGenerowane() {
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

void TstListaRysunku::podzbior_data() {
  QTest::addColumn<QByteArray>("svg");
  QTest::addColumn<bool>("lista");
  const auto wiersz = [](const char* nazwa, QByteArray svg, bool lista) { QTest::newRow(nazwa) << svg << lista; };
  wiersz("groups, rectangles, lines, texts", Svg(R"(<g fill="#E6F1D8" stroke="#3E4C35" stroke-width="1.6">
         <rect x="1" y="2" width="3" height="4"/></g><line x1="0" y1="0" x2="5" y2="5" stroke="#000"/>
         <text x="1" y="9" font-size="8" font-family="Liberation Sans">&#x141;&amp;</text><!-- a comment -->)"),
         true);
  wiersz("size from width and height", Svg("", R"(width="10" height="20")"), true);
  wiersz("view box with commas", Svg("", R"(viewBox="0,0,10,20")"), true);
  wiersz("no namespace", QByteArray(R"(<svg viewBox="0 0 1 1"><rect x="0" y="0" width="1" height="1"/></svg>)"), true);
  wiersz("not XML", QByteArray("<svg viewBox=\"0 0 1 1\"><rect"), false);
  wiersz("no size", Svg("", R"(version="1.1")"), false);
  wiersz("empty view box", Svg("", R"(viewBox="0 0 0 20")"), false);
  wiersz("three numbers in the view box", Svg("", R"(viewBox="0 0 20")"), false);
  wiersz("size in units", Svg("", R"(width="10mm" height="20mm")"), false);
  wiersz("aspect ratio", Svg("", R"(viewBox="0 0 1 1" preserveAspectRatio="none")"), false);
  wiersz("root other than svg", QByteArray(R"(<g xmlns="http://www.w3.org/2000/svg"/>)"), false);
  wiersz("svg inside svg", Svg(R"(<svg viewBox="0 0 1 1"/>)"), false);
  wiersz("other namespace", QByteArray(R"(<svg xmlns="urn:x" viewBox="0 0 1 1"/>)"), false);
  wiersz("document type", QByteArray(R"(<!DOCTYPE svg [<!ENTITY a "b">]><svg viewBox="0 0 1 1"/>)"), false);
  wiersz("processing instruction", Svg(R"(<?xml-stylesheet href="a.css"?>)"), false);
  wiersz("text outside a text", Svg("a"), false);
  wiersz("path", Svg(R"(<path d="M0 0L1 1"/>)"), false);
  wiersz("circle", Svg(R"(<circle cx="1" cy="1" r="1"/>)"), false);
  wiersz("image", Svg(R"(<image x="0" y="0" width="1" height="1" href="a.png"/>)"), false);
  wiersz("tspan", Svg(R"(<text x="0" y="0" font-size="5">a<tspan>b</tspan></text>)"), false);
  wiersz("transform", Svg(R"x(<g transform="scale(2)"/>)x"), false);
  wiersz("style", Svg(R"(<rect x="0" y="0" width="1" height="1" style="fill:red"/>)"), false);
  wiersz("class", Svg(R"(<rect class="a" x="0" y="0" width="1" height="1"/>)"), false);
  wiersz("rounded corners", Svg(R"(<rect x="0" y="0" width="1" height="1" rx="1"/>)"), false);
  wiersz("rectangle without area", Svg(R"(<rect x="0" y="0" width="0" height="1"/>)"), false);
  wiersz("rectangle missing a side", Svg(R"(<rect x="0" y="0" width="1"/>)"), false);
  wiersz("a number in units", Svg(R"(<line x1="0" y1="0" x2="1px" y2="1"/>)"), false);
  wiersz("a number out of range", Svg(R"(<line x1="0" y1="0" x2="1e300" y2="1"/>)"), false);
  wiersz("a named colour", Svg(R"(<rect x="0" y="0" width="1" height="1" fill="red"/>)"), false);
  wiersz("a colour with a sign", Svg(R"(<rect x="0" y="0" width="1" height="1" fill="#+12345"/>)"), false);
  wiersz("an opacity", Svg(R"(<rect x="0" y="0" width="1" height="1" fill-opacity="0.5"/>)"), false);
  wiersz("a dashed line", Svg(R"(<line x1="0" y1="0" x2="1" y2="1" stroke="#000" stroke-dasharray="2"/>)"), false);
  wiersz("a negative stroke", Svg(R"(<g stroke-width="-1"/>)"), false);
  wiersz("a font list", Svg(R"(<g font-family="Arial, sans-serif"/>)"), false);
  wiersz("a font size in units", Svg(R"(<g font-size="12px"/>)"), false);
  wiersz("a relative weight", Svg(R"(<g font-weight="bolder"/>)"), false);
  wiersz("an unknown anchor", Svg(R"(<g text-anchor="inherit"/>)"), false);
  wiersz("a text without a size", Svg(R"(<text x="0" y="0">a</text>)"), false);
  wiersz("a text with a list of places", Svg(R"(<text x="0 5" y="0" font-size="5">ab</text>)"), false);
  wiersz("preserved white space", Svg(R"(<text x="0" y="0" font-size="5" xml:space="preserve">a</text>)"), false);
  wiersz("a link", Svg(R"(<a href="x"><rect x="0" y="0" width="1" height="1"/></a>)"), false);
}

void TstListaRysunku::podzbior() {
  QFETCH(QByteArray, svg);
  QFETCH(bool, lista);
  QCOMPARE(TListaRysunku::Czytaj(svg).has_value(), lista);
}

void TstListaRysunku::fragmentyJakWQtSvg_data() {
  QTest::addColumn<QByteArray>("svg");
  const auto wiersz = [](const char* nazwa, const QByteArray& svg) { QTest::newRow(nazwa) << svg; };
  wiersz("fill and outline inherited and overridden",
         Svg(R"(<g fill="#C00" stroke="#00F" stroke-width="3"><rect x="10" y="10" width="50" height="30"/>
                <rect x="70" y="10" width="50" height="30" fill="#0A0" stroke="none"/>
                <g stroke-width="0"><rect x="130" y="10" width="50" height="30"/></g></g>
                <rect x="10" y="50" width="50" height="30"/>
                <rect x="70" y="50" width="50" height="30" fill="none" stroke="#123456"/>)"));
  wiersz("lines of several widths",
         Svg(R"(<g stroke="#3E4C35"><line x1="5" y1="5" x2="195" y2="5"/><line x1="5" y1="20" x2="195" y2="80"
                stroke-width="2.4"/><line x1="100" y1="0" x2="100" y2="100" stroke-width="0.5"/></g>
                <line x1="5" y1="95" x2="195" y2="95"/>)"));
  wiersz("anchors, weights and sizes",
         Svg(R"(<g fill="#1A2214" font-family="Liberation Sans" font-size="14"><text x="100" y="20">Początek</text>
                <text x="100" y="40" text-anchor="middle" font-weight="bold">Środek ZAŻÓŁĆ</text>
                <text x="100" y="60" text-anchor="end">Koniec „tekstu”</text>
                <text x="10" y="90" font-size="13.5">  ułamkowy   rozmiar  </text>
                <text x="190" y="90" text-anchor="end" font-size="21.5" font-weight="bold">Duży</text></g>)",
             R"(viewBox="0 0 200 100" width="400" height="200")"));
  wiersz("a text in the application's font", Svg(R"(<text x="10" y="50" font-size="20">Bez rodziny</text>)"));
  wiersz("a text without fill and an empty text",
         Svg(R"(<g font-size="10" font-family="Liberation Sans"><text x="10" y="50" fill="none">niewidoczny</text>
                <text x="10" y="70">   </text></g>)"));
  wiersz("a shifted view box",
         Svg(R"(<rect x="20" y="20" width="30" height="30" fill="#abc" stroke="#000"/>)", R"(viewBox="10 15 60 40")"));
}

void TstListaRysunku::fragmentyJakWQtSvg() {
  QFETCH(QByteArray, svg);
  QVERIFY(TListaRysunku::Czytaj(svg));
  for (const QSize rozmiar : {QSize(400, 200), QSize(173, 311)}) {
    const QString roznica = Porownaj(svg, rozmiar);
    QVERIFY2(roznica.isEmpty(), qPrintable(roznica));
  }
}

VELMAR_TEST_MAIN(TstListaRysunku)
#include "tst_lista_rysunku.moc"
