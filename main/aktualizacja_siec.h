#pragma once
// The online update around the main window: the system services it reaches, the server paths, and the checks of
// what the update server sends.

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

#include "main/tools.h"
#include "platform/system.h"

// The system's own services; a test derives from it to observe the calls without reaching the network or starting
// anything.
struct TTools::UslugiSystemu {
  virtual ~UslugiSystemu() = default;
  // The connection state as platform::FlagaPolaczenia bits; 0 = not connected.
  virtual unsigned StanPolaczenia(const QUrl& serwer);
  // One ICMP echo to the host, answered from the event loop while the context lives: false only when the echo failed
  // with an error (no name resolution, nothing sent).
  virtual void Echo(const QString& host, QObject* kontekst, std::function<void(bool)> wynik);
  // Starts a file held open as a program in its working folder.
  virtual bool Uruchom(const platform::PlikProgramu& plik, const QString& folder);
  // Opens a web address in the user's browser.
  virtual bool OtworzAdres(const QUrl& adres);
};

namespace aktualizacja {

inline const QString kDomyslnySerwer = QStringLiteral("https://www.korvanex.pl");
inline const QString kStronaProducenta = QStringLiteral("http://www.korvanex.pl");
// The description file on the server is small; anything longer is not one.
inline constexpr qint64 kMaksRozmiarOpisu = 64 * 1024;
// Nor does an installer exceed this.
inline constexpr qint64 kMaksRozmiarInstalatora = qint64{1} << 31;

QString AdresOpisu(const QString& serwer);
QString AdresInstalatora(const QString& serwer, const QString& plik);
QString PlikOpisu(const QString& folderProgramu);          // where the description file is kept
QString FolderInstalatora(const QString& folderProgramu);  // where the installer is written, ends with '/'
// A bare file name as UPDATE/File must be: no folder part, not "." or "..", no control characters.
bool JestNazwaPliku(const QString& nazwa);
// What came from the server is a description file: text holding an [UPDATE] section.
bool JestOpisemAktualizacji(const QByteArray& dane);
// The installer's SHA-256 as UPDATE/SHA256 names it: 64 hexadecimal digits, returned in lower case; empty when the
// description names none, null when what it names is no SHA-256.
std::optional<QByteArray> SumaZOpisu(const QString& tekst);

}  // namespace aktualizacja
