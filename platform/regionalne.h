#pragma once
// Regional settings the program depends on: the decimal separator and the date separator. They start from the C
// library's locale; a change the user consents to is kept in the settings folder and holds from the next start.

#include <QChar>
#include <QString>

namespace platform {

class UstawieniaRegionalne {
 public:
  explicit UstawieniaRegionalne(QString folderUstawien);

  QChar SeparatorDziesietny() const { return dziesietny_; }
  QChar SeparatorDaty() const { return daty_; }
  // Why the kept change could not be read (its file is no regular file or too large); the program's own separators
  // (',' and '-') then hold.
  const QString& Blad() const { return blad_; }

  // Keeps the new separators for the next start; false when they could not be stored.
  bool Zmien(QChar dziesietny, QChar daty);

 private:
  QString folder_;
  QChar dziesietny_;
  QChar daty_;
  QString blad_;
};

// The settings in force for this process, read once at the first call.
const UstawieniaRegionalne& Regionalne();

// The separator of a strftime date format: its first character outside the conversions ("%d.%m.%Y" gives '.').
QChar SeparatorDatyZFormatu(const QString& format);

}  // namespace platform
