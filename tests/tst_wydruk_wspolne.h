#pragma once
// What the print tests share: a PDF printer at 600 dpi on A4 without margins, and poppler's tools to read the files
// back (the words with their boxes, a page as an image).

#include <QFile>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <vector>

namespace velmar_test {

constexpr int kDpiWydruku = 600;
constexpr double kPunkt = 72.0 / kDpiWydruku;  // PDF points per printer pixel

inline void NaPdf(QPrinter& drukarka, const QString& plik) {
  drukarka.setOutputFormat(QPrinter::PdfFormat);
  drukarka.setOutputFileName(plik);
  drukarka.setResolution(kDpiWydruku);
  drukarka.setPageSize(QPageSize(QPageSize::A4));
  drukarka.setPageOrientation(QPageLayout::Portrait);
  drukarka.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// A printed word and its box in PDF points from the page's top left corner.
struct Slowo {
  QString tekst;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The words of each page of a PDF file; no pages when the file is missing or unreadable.
struct TrescPdf {
  std::vector<std::vector<Slowo>> strony;

  int LiczbaStron() const { return static_cast<int>(strony.size()); }
  // The texts of page n, counted from 1.
  QStringList Teksty(int n) const {
    QStringList teksty;
    for (const Slowo& s : strony.at(static_cast<std::size_t>(n - 1))) teksty << s.tekst;
    return teksty;
  }
  // The first word of page n with this text; null when there is none.
  const Slowo* Znajdz(int n, const QString& tekst) const {
    for (const Slowo& s : strony.at(static_cast<std::size_t>(n - 1)))
      if (s.tekst == tekst) return &s;
    return nullptr;
  }
};

inline TrescPdf CzytajPdf(const QString& plik) {
  TrescPdf tresc;
  if (!QFile::exists(plik)) return tresc;
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), plik, QStringLiteral("-")});
  if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0) return tresc;
  QXmlStreamReader xml(pdftotext.readAllStandardOutput());
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("page")) {
      tresc.strony.emplace_back();
    } else if (xml.name() == QLatin1String("word") && !tresc.strony.empty()) {
      const auto a = xml.attributes();
      Slowo s;
      s.x0 = a.value(QLatin1String("xMin")).toDouble();
      s.y0 = a.value(QLatin1String("yMin")).toDouble();
      s.x1 = a.value(QLatin1String("xMax")).toDouble();
      s.y1 = a.value(QLatin1String("yMax")).toDouble();
      s.tekst = xml.readElementText();
      tresc.strony.back().push_back(s);
    }
  }
  return tresc;
}

// Page n of a PDF file as an image at dpi dots per inch; null when it cannot be rendered.
inline QImage ObrazStronyPdf(const QString& plik, int n, int dpi) {
  QTemporaryDir folder;
  const QString rdzen = folder.path() + QStringLiteral("/strona");
  QProcess pdftoppm;
  pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                                              QString::number(n), QStringLiteral("-l"), QString::number(n),
                                              QStringLiteral("-singlefile"), QStringLiteral("-png"), plik, rdzen});
  if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) return {};
  return QImage(rdzen + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

}  // namespace velmar_test
