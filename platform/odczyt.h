#pragma once
// Every file the program reads is opened here: only a regular file of a size fit for its kind is read. A FIFO, a
// device, a socket or a folder under the expected name is refused before anything waits on it or reads from it, and
// so is a file larger than its kind can be.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

namespace platform {

// Caps of the kinds of file read through platform/ itself; the domain's files name theirs beside their formats. A
// text of the cap's size lays out in about a second; the program's own are a few kilobytes.
inline constexpr qint64 kNajwiekszyTekstRtf = qint64{1} << 20;
inline constexpr qint64 kNajwiekszyPlikIni = qint64{4} << 20;
inline constexpr qint64 kNajwiekszyObrazJpeg = qint64{32} << 20;

enum class Odmowa {
  Brak,         // the file was opened
  NieMaPliku,   // no file of that name
  NieZwykly,    // a FIFO, a device, a socket or a folder
  ZaDuzy,       // larger than its kind may be
  BladOdczytu,  // the system refused to open or read it
};

struct OtwartyPlik {
  std::unique_ptr<QFile> plik;  // open for reading; null when refused
  qint64 rozmiar = 0;           // the size it had when opened
  Odmowa odmowa = Odmowa::Brak;
  QString blad;                 // what the user is told, naming the file; empty when opened
};

// Opens the file for reading when it is a regular file of at most `najwiecej` bytes. The name is opened without
// waiting (a FIFO without a writer does not block) and checked on the open descriptor, so what is read is what was
// checked.
OtwartyPlik OtworzDoOdczytu(const QString& sciezka, qint64 najwiecej);

struct OdczytanyPlik {
  QByteArray dane;
  Odmowa odmowa = Odmowa::Brak;
  QString blad;
  bool Udany() const { return odmowa == Odmowa::Brak; }
};

// The whole file under the same rules; one that grows beyond the cap while it is read is refused too.
OdczytanyPlik CzytajPlik(const QString& sciezka, qint64 najwiecej);

// Whether a file may be written (replaced) under this name: there is none, or it is a regular file, a link being
// followed to what it names. Saving over a device, a FIFO or a folder is refused, so a settings file linked to a
// device never replaces the device.
bool MoznaZapisac(const QString& sciezka);

}  // namespace platform
