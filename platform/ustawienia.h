#pragma once
// INI files "in the Windows directory": a bare-named INI file lives in one settings folder,
// $VELMAR_CONFIG_DIR, else $XDG_CONFIG_HOME/velmar2008, else ~/.config/velmar2008.

#include <QHash>
#include <QString>
#include <utility>
#include <vector>

namespace platform {

QString FolderUstawien();

// The INI syntax of the program's settings files: [Section] lines and Key=Value lines; booleans "1"/"0".
// Every write is stored at once (atomically); reads see the file as it was when opened or last written. A file that
// was there but refused (see Blad) is never written: writes then change the settings in memory and return false.
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
  // Why a file that is there could not be read (not a regular file, too large); the settings then start empty and
  // the file is left as it is.
  const QString& Blad() const { return blad_; }

 private:
  // Names are found through hashes of their case-folded form, so reading a file costs time in proportion to it.
  struct Sekcja {
    QString nazwa;
    QString klucz;                                    // the name folded to one case
    std::vector<std::pair<QString, QString>> wpisy;  // in file order, repeated keys too
  };
  struct Miejsce {
    std::size_t sekcja, wpis;
  };

  const QString* ZnajdzWartosc(const QString& sekcja, const QString& klucz) const;
  std::size_t DajSekcje(const QString& nazwa);  // the section of that name, made at the end when missing
  void Dodaj(std::size_t sekcja, const QString& klucz, const QString& wartosc);
  bool Zapisz() const;

  QString sciezka_;
  QString blad_;
  std::vector<Sekcja> sekcje_;            // in file order
  QHash<QString, std::size_t> indeks_;    // a section's folded name -> its place
  QHash<QString, Miejsce> pierwszeWpisy_;  // folded section and key names -> the key's first entry
};

}  // namespace platform
