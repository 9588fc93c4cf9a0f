#include "platform/ustawienia.h"

#include <QDir>
#include <QSaveFile>
#include <optional>

#include "platform/cp1250.h"
#include "platform/odczyt.h"

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

// Section and key names compare without regard to case.
QString Klucz(const QString& nazwa) { return nazwa.toCaseFolded(); }

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
  const OdczytanyPlik plik = CzytajPlik(sciezka_, kNajwiekszyPlikIni);
  if (!plik.Udany()) {
    if (plik.odmowa != Odmowa::NieMaPliku) blad_ = plik.blad;
    return;
  }
  const QString tekst = Dekoduj(plik.dane);
  const QList<QStringView> linie = QStringView(tekst).split(u'\n');
  indeks_.reserve(linie.size());
  pierwszeWpisy_.reserve(linie.size());
  std::optional<std::size_t> sekcja;
  for (QStringView linia : linie) {
    linia = linia.trimmed();
    if (linia.isEmpty() || linia.front() == u';') continue;
    if (linia.front() == u'[') {
      const qsizetype koniec = linia.indexOf(u']');
      // A section repeated further down continues the first one of that name.
      sekcja = DajSekcje(linia.sliced(1, (koniec < 0 ? linia.size() : koniec) - 1).trimmed().toString());
      continue;
    }
    const qsizetype rownosc = linia.indexOf(u'=');
    if (!sekcja || rownosc <= 0) continue;  // lines outside a section or without a key mean nothing
    Dodaj(*sekcja, linia.first(rownosc).trimmed().toString(), Wartosc(linia.sliced(rownosc + 1)));
  }
}

std::size_t TIniFile::DajSekcje(const QString& nazwa) {
  QString klucz = Klucz(nazwa);
  const auto miejsce = indeks_.constFind(klucz);
  if (miejsce != indeks_.cend()) return *miejsce;
  indeks_.insert(klucz, sekcje_.size());
  sekcje_.push_back({nazwa, std::move(klucz), {}});
  return sekcje_.size() - 1;
}

void TIniFile::Dodaj(std::size_t sekcja, const QString& klucz, const QString& wartosc) {
  Sekcja& s = sekcje_[sekcja];
  const QString pelny = s.klucz + QLatin1Char('\n') + Klucz(klucz);
  if (!pierwszeWpisy_.contains(pelny)) pierwszeWpisy_.insert(pelny, {sekcja, s.wpisy.size()});
  s.wpisy.emplace_back(klucz, wartosc);
}

const QString* TIniFile::ZnajdzWartosc(const QString& sekcja, const QString& klucz) const {
  const auto m = pierwszeWpisy_.constFind(Klucz(sekcja) + QLatin1Char('\n') + Klucz(klucz));
  return m == pierwszeWpisy_.cend() ? nullptr : &sekcje_[m->sekcja].wpisy[m->wpis].second;
}

QString TIniFile::ReadString(const QString& sekcja, const QString& klucz, const QString& domyslna) const {
  const QString* wartosc = ZnajdzWartosc(sekcja, klucz);
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
  return ZnajdzWartosc(sekcja, klucz) != nullptr;
}

bool TIniFile::WriteString(const QString& sekcja, const QString& klucz, const QString& wartosc) {
  if (const QString* istniejaca = ZnajdzWartosc(sekcja, klucz))
    *const_cast<QString*>(istniejaca) = wartosc;
  else
    Dodaj(DajSekcje(sekcja), klucz, wartosc);
  return Zapisz();
}

bool TIniFile::WriteBool(const QString& sekcja, const QString& klucz, bool wartosc) {
  return WriteString(sekcja, klucz, wartosc ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::Zapisz() const {
  if (!blad_.isEmpty()) return false;
  QString tekst;
  for (const Sekcja& sekcja : sekcje_) {
    if (!tekst.isEmpty()) tekst += QLatin1Char('\n');
    tekst += QLatin1Char('[') + sekcja.nazwa + QLatin1String("]\n");
    for (const auto& [klucz, wartosc] : sekcja.wpisy) tekst += klucz + QLatin1Char('=') + wartosc + QLatin1Char('\n');
  }
  QSaveFile plik(sciezka_);
  if (!MoznaZapisac(sciezka_) || !plik.open(QIODevice::WriteOnly)) return false;
  plik.write(tekst.toUtf8());
  return plik.commit();
}

}  // namespace platform
