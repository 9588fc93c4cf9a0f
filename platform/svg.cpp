#include "platform/svg.h"

#include <QBuffer>
#include <QImageReader>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace platform {
namespace {

bool Litera(QChar z) { return (z >= u'a' && z <= u'z') || (z >= u'A' && z <= u'Z') || z == u'_'; }

// An element's id, as a fragment names it: no slash, blank or leading dot that would make a file name of it.
bool IdElementu(QStringView id) {
  return !id.isEmpty() && Litera(id.front()) && std::ranges::all_of(id, [](QChar z) {
    return Litera(z) || (z >= u'0' && z <= u'9') || z == u'-' || z == u'.';
  });
}

bool ZnakBase64(QChar z) {
  return Litera(z) || (z >= u'0' && z <= u'9') || z == u'+' || z == u'/' || z == u'=' || z == u' ' || z == u'\t' ||
         z == u'\n' || z == u'\r';
}

// The pixels of an inline PNG or JPEG, as its header gives them; none when the data is no such picture. Qt SVG
// decodes what follows the last "base64," and lets the image readers choose the format by content, whatever the media
// type says; its own SVG reader is among them and would follow what a picture inside the picture names. So the
// payload holds nothing but base64 (no second marker), and the reader Qt would choose for the decoded bytes is the one
// the media type names.
std::optional<long long> PikseleWDanych(QStringView cel) {
  static constexpr std::array<std::pair<QLatin1StringView, const char*>, 2> kRastry{{
      {QLatin1StringView("data:image/png;base64,"), "png"},
      {QLatin1StringView("data:image/jpeg;base64,"), "jpeg"},
  }};
  for (const auto& [przedrostek, format] : kRastry) {
    if (!cel.startsWith(przedrostek)) continue;
    const QStringView tresc = cel.sliced(przedrostek.size());
    if (!std::ranges::all_of(tresc, ZnakBase64)) return std::nullopt;
    QByteArray bajty = QByteArray::fromBase64(tresc.toLatin1());
    QBuffer bufor(&bajty);
    bufor.open(QIODevice::ReadOnly);
    QImageReader czytnik(&bufor);
    if (czytnik.format() != format) return std::nullopt;
    const QSize rozmiar = czytnik.size();  // the header alone
    if (!rozmiar.isValid()) return std::nullopt;
    return static_cast<long long>(rozmiar.width()) * rozmiar.height();
  }
  return std::nullopt;
}

// What one href of an element makes Qt SVG reach; piksele grows by an inline picture's. It trims the value as this
// does. An image element opens as a file whatever does not begin with "data" (a fragment too); elsewhere a fragment
// only names an element of the document.
OdwolaniaSvg Odwolanie(QStringView element, QStringView wartosc, long long& piksele) {
  const QStringView cel = wartosc.trimmed();
  if (cel.startsWith(u'#') && element != u"image")
    return IdElementu(cel.sliced(1)) ? OdwolaniaSvg::Wewnetrzne : OdwolaniaSvg::Zewnetrzne;
  if (cel.startsWith(QLatin1StringView("data:"))) {
    const std::optional<long long> obrazu = PikseleWDanych(cel);
    if (!obrazu) return OdwolaniaSvg::Nieczytelne;
    piksele += *obrazu;
    return OdwolaniaSvg::Wewnetrzne;
  }
  return OdwolaniaSvg::Zewnetrzne;
}

}  // namespace

OdwolaniaSvg OdwolaniaDokumentu(const QByteArray& dokument, long long najwiecejPikseli) {
  QXmlStreamReader xml(dokument);
  // At most the bound before a picture is added, so the sum cannot overflow.
  long long piksele = 0;
  while (!xml.atEnd()) {
    const QXmlStreamReader::TokenType rodzaj = xml.readNext();
    // Qt SVG reads the style sheet such an instruction names from its file.
    if (rodzaj == QXmlStreamReader::ProcessingInstruction &&
        xml.processingInstructionTarget().compare(QLatin1StringView("xml-stylesheet"), Qt::CaseInsensitive) == 0)
      return OdwolaniaSvg::Zewnetrzne;
    if (rodzaj != QXmlStreamReader::StartElement) continue;
    for (const QXmlStreamAttribute& atrybut : xml.attributes()) {
      if (atrybut.name() != QLatin1StringView("href")) continue;
      const OdwolaniaSvg odwolanie = Odwolanie(xml.name(), atrybut.value(), piksele);
      if (odwolanie != OdwolaniaSvg::Wewnetrzne) return odwolanie;
      if (piksele > najwiecejPikseli) return OdwolaniaSvg::ZaDuze;
    }
  }
  return xml.hasError() ? OdwolaniaSvg::Nieczytelne : OdwolaniaSvg::Wewnetrzne;
}

}  // namespace platform
