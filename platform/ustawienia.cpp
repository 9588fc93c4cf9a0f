#include "platform/ustawienia.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "platform/cp1250.h"

namespace platform {
namespace {

// Our own files are UTF-8; a file written elsewhere (an update description from the server) may be Windows-1250.
QString Dekoduj(const QByteArray& bajty) {
  if (bajty.isValidUtf8()) return QString::fromUtf8(bajty);
  return ZCp1250(std::string_view(bajty.constData(), static_cast<std::size_t>(bajty.size())));
}

// Values lose their surrounding blanks and one pair of enclosing quotes, as the system's INI reader does.
QString Wartosc(QStringView surowa) {
  QStringView w = surowa.trimmed();
  if (w.size() >= 2 && (w.front() == u'"' || w.front() == u'\'') && w.back() == w.front()) w = w.sliced(1, w.size() - 2);
  return w.toString();
}

using Klucze = std::vector<std::pair<QString, QString>>;
using Sekcje = std::vector<std::pair<QString, Klucze>>;

// Section and key names compare without regard to case.
const Klucze* ZnajdzSekcje(const Sekcje& sekcje, const QString& sekcja) {
  for (const auto& [nazwa, klucze] : sekcje)
    if (nazwa.compare(sekcja, Qt::CaseInsensitive) == 0) return &klucze;
  return nullptr;
}

const QString* ZnajdzWartosc(const Sekcje& sekcje, const QString& sekcja, const QString& klucz) {
  const Klucze* klucze = ZnajdzSekcje(sekcje, sekcja);
  if (!klucze) return nullptr;
  for (const auto& [k, wartosc] : *klucze)
    if (k.compare(klucz, Qt::CaseInsensitive) == 0) return &wartosc;
  return nullptr;
}

}  // namespace

QString FolderUstawien() {
  QString folder = qEnvironmentVariable("VELMAR_CONFIG_DIR");
  if (folder.isEmpty()) {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    folder = (xdg.isEmpty() ? QDir::homePath() + QLatin1String("/.config") : xdg) + QLatin1String("/velmar2008");
  }
  QDir().mkpath(folder);
  return folder;
}

TIniFile::TIniFile(const QString& nazwa)
    : sciezka_(nazwa.contains(QLatin1Char('/')) ? nazwa : FolderUstawien() + QLatin1Char('/') + nazwa) {
  QFile plik(sciezka_);
  if (!plik.open(QIODevice::ReadOnly)) return;
  const QString tekst = Dekoduj(plik.readAll());
  Klucze* sekcja = nullptr;
  for (QStringView linia : QStringView(tekst).split(u'\n')) {
    linia = linia.trimmed();
    if (linia.isEmpty() || linia.front() == u';') continue;
    if (linia.front() == u'[') {
      const qsizetype koniec = linia.indexOf(u']');
      const QString nazwaSekcji = linia.sliced(1, (koniec < 0 ? linia.size() : koniec) - 1).trimmed().toString();
      // A section repeated further down continues the first one of that name.
      sekcja = const_cast<Klucze*>(ZnajdzSekcje(sekcje_, nazwaSekcji));
      if (!sekcja) sekcja = &sekcje_.emplace_back(nazwaSekcji, Klucze{}).second;
      continue;
    }
    const qsizetype rownosc = linia.indexOf(u'=');
    if (!sekcja || rownosc <= 0) continue;  // lines outside a section or without a key mean nothing
    sekcja->emplace_back(linia.first(rownosc).trimmed().toString(), Wartosc(linia.sliced(rownosc + 1)));
  }
}

QString TIniFile::ReadString(const QString& sekcja, const QString& klucz, const QString& domyslna) const {
  const QString* wartosc = ZnajdzWartosc(sekcje_, sekcja, klucz);
  return wartosc ? *wartosc : domyslna;
}

bool TIniFile::ReadBool(const QString& sekcja, const QString& klucz, bool domyslna) const {
  // Read as an integer: any non-zero number is true; an empty or non-numeric value gives the default.
  const QString tekst = ReadString(sekcja, klucz, QString());
  bool liczba = false;
  const qlonglong wartosc = tekst.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                                ? tekst.sliced(2).toLongLong(&liczba, 16)
                                : tekst.toLongLong(&liczba, 10);
  return liczba ? wartosc != 0 : domyslna;
}

bool TIniFile::ValueExists(const QString& sekcja, const QString& klucz) const {
  return ZnajdzWartosc(sekcje_, sekcja, klucz) != nullptr;
}

bool TIniFile::WriteString(const QString& sekcja, const QString& klucz, const QString& wartosc) {
  if (const QString* istniejaca = ZnajdzWartosc(sekcje_, sekcja, klucz)) {
    *const_cast<QString*>(istniejaca) = wartosc;
  } else {
    auto* klucze = const_cast<Klucze*>(ZnajdzSekcje(sekcje_, sekcja));
    if (!klucze) klucze = &sekcje_.emplace_back(sekcja, Klucze{}).second;
    klucze->emplace_back(klucz, wartosc);
  }
  return Zapisz();
}

bool TIniFile::WriteBool(const QString& sekcja, const QString& klucz, bool wartosc) {
  return WriteString(sekcja, klucz, wartosc ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::Zapisz() const {
  QString tekst;
  for (const auto& [nazwa, klucze] : sekcje_) {
    if (!tekst.isEmpty()) tekst += QLatin1Char('\n');
    tekst += QLatin1Char('[') + nazwa + QLatin1String("]\n");
    for (const auto& [klucz, wartosc] : klucze) tekst += klucz + QLatin1Char('=') + wartosc + QLatin1Char('\n');
  }
  QSaveFile plik(sciezka_);
  if (!plik.open(QIODevice::WriteOnly)) return false;
  plik.write(tekst.toUtf8());
  return plik.commit();
}

}  // namespace platform
