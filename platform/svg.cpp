#include "platform/svg.h"

#include <QXmlStreamReader>

namespace platform {

bool SvgSamodzielny(const QByteArray& dokument) {
  QXmlStreamReader xml(dokument);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    for (const QXmlStreamAttribute& atrybut : xml.attributes()) {
      if (atrybut.name() != QLatin1String("href")) continue;
      const QStringView cel = atrybut.value().trimmed();
      if (!cel.startsWith(u'#') && !cel.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) return false;
    }
  }
  return true;
}

}  // namespace platform
