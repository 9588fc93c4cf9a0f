#include "platform/svg.h"

#include <QXmlStreamReader>

namespace platform {

OdwolaniaSvg OdwolaniaDokumentu(const QByteArray& dokument) {
  QXmlStreamReader xml(dokument);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    for (const QXmlStreamAttribute& atrybut : xml.attributes()) {
      if (atrybut.name() != QLatin1String("href")) continue;
      const QStringView cel = atrybut.value().trimmed();
      if (!cel.startsWith(u'#') && !cel.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
        return OdwolaniaSvg::Zewnetrzne;
    }
  }
  return xml.hasError() ? OdwolaniaSvg::Nieczytelne : OdwolaniaSvg::Wewnetrzne;
}

}  // namespace platform
