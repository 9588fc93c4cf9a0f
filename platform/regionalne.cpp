#include "platform/regionalne.h"

#include <langinfo.h>
#include <locale.h>
#include <utility>

#include "platform/ustawienia.h"

namespace platform {
namespace {

// Where the consented change is kept, beside the other settings.
constexpr QLatin1String kPlik("/regionalne.ini");
constexpr QLatin1String kSekcja("Regional");
constexpr QLatin1String kDziesietny("DecimalSeparator");
constexpr QLatin1String kDaty("DateSeparator");

// The user's locale as a separate object, so the process keeps the "C" numerics that Qt and our number parsing
// rely on. A category the system lacks falls back to "C".
class Lokalizacja {
 public:
  Lokalizacja() {
    const QByteArray nazwa = qgetenv("VELMAR_LOCALE");  // empty: from LANG and LC_*, as setlocale(LC_ALL, "") does
    for (int maska : {LC_NUMERIC_MASK, LC_TIME_MASK}) {
      locale_t nowa = newlocale(maska, nazwa.constData(), lokalizacja_);
      if (!nowa) nowa = newlocale(maska, "C", lokalizacja_);
      if (nowa) lokalizacja_ = nowa;  // newlocale took over the previous object
    }
  }
  ~Lokalizacja() {
    if (lokalizacja_) freelocale(lokalizacja_);
  }
  Lokalizacja(const Lokalizacja&) = delete;
  Lokalizacja& operator=(const Lokalizacja&) = delete;

  QString Tekst(nl_item co) const {
    return lokalizacja_ ? QString::fromUtf8(nl_langinfo_l(co, lokalizacja_)) : QString();
  }

 private:
  locale_t lokalizacja_ = nullptr;
};

}  // namespace

UstawieniaRegionalne::UstawieniaRegionalne(QString folderUstawien) : folder_(std::move(folderUstawien)) {
  const Lokalizacja lokalizacja;
  const QString przecinek = lokalizacja.Tekst(RADIXCHAR);
  dziesietny_ = przecinek.isEmpty() ? QChar(u'.') : przecinek.front();
  daty_ = SeparatorDatyZFormatu(lokalizacja.Tekst(D_FMT));

  const TIniFile zmiana(folder_ + kPlik);
  blad_ = zmiana.Blad();
  if (!blad_.isEmpty()) {
    // The file only ever holds the change to the separators the program needs; they hold when it cannot be read, so
    // amounts and dates are still read and written as the program writes them.
    dziesietny_ = u',';
    daty_ = u'-';
    return;
  }
  const QString dziesietny = zmiana.ReadString(kSekcja, kDziesietny, QString());
  const QString daty = zmiana.ReadString(kSekcja, kDaty, QString());
  if (!dziesietny.isEmpty()) dziesietny_ = dziesietny.front();
  if (!daty.isEmpty()) daty_ = daty.front();
}

bool UstawieniaRegionalne::Zmien(QChar dziesietny, QChar daty) {
  TIniFile zmiana(folder_ + kPlik);
  const bool dziesietnyZapisany = zmiana.WriteString(kSekcja, kDziesietny, QString(dziesietny));
  const bool datyZapisane = zmiana.WriteString(kSekcja, kDaty, QString(daty));
  return dziesietnyZapisany && datyZapisane;
}

QChar SeparatorDatyZFormatu(const QString& format) {
  for (qsizetype i = 0; i < format.size(); ++i) {
    if (format[i] != u'%') return format[i];
    ++i;
    while (i < format.size() && (format[i] == u'E' || format[i] == u'O' || format[i] == u'_' || format[i] == u'-' ||
                                 format[i] == u'0' || format[i] == u'^' || format[i] == u'#' || format[i].isDigit()))
      ++i;
    if (i >= format.size()) break;
    if (format[i] == u'D') return u'/';  // %D is %m/%d/%y
    if (format[i] == u'F') return u'-';  // %F is %Y-%m-%d
  }
  return u'/';
}

const UstawieniaRegionalne& Regionalne() {
  static const UstawieniaRegionalne regionalne(FolderUstawien());
  return regionalne;
}

}  // namespace platform
