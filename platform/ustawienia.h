#pragma once
// INI files "in the Windows directory": a bare-named INI file lives in one settings folder,
// $VELMAR_CONFIG_DIR, else $XDG_CONFIG_HOME/velmar2008, else ~/.config/velmar2008.

#include <QString>
#include <map>
#include <utility>
#include <vector>

namespace platform {

QString FolderUstawien();

// The INI syntax of the program's settings files: [Section] lines and Key=Value lines; booleans "1"/"0".
// Every write is stored at once (atomically); reads see the file as it was when opened or last written.
class TIniFile {
 public:
  // A bare name is placed in FolderUstawien(); a name with a folder is used as it stands.
  explicit TIniFile(const QString& nazwa);

  QString ReadString(const QString& sekcja, const QString& klucz, const QString& domyslna) const;
  bool ReadBool(const QString& sekcja, const QString& klucz, bool domyslna) const;
  bool WriteString(const QString& sekcja, const QString& klucz, const QString& wartosc);
  bool WriteBool(const QString& sekcja, const QString& klucz, bool wartosc);
  bool ValueExists(const QString& sekcja, const QString& klucz) const;

  const QString& Sciezka() const { return sciezka_; }
  // Why a file that is there could not be read (not a regular file, too large); the settings then start empty.
  const QString& Blad() const { return blad_; }

 private:
  bool Zapisz() const;

  QString sciezka_;
  QString blad_;
  std::vector<std::pair<QString, std::vector<std::pair<QString, QString>>>> sekcje_;  // in file order
};

}  // namespace platform
