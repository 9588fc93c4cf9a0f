#pragma once
// Whole files in one call, and table files, for tests that prepare or inspect what the program reads and
// writes.

#include <QByteArray>
#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <sys/stat.h>

namespace velmar_test {

// Writes the bytes over the file, its folder made if missing, or ends the test run: a test whose input is missing
// proves nothing.
inline void ZapiszPlik(const QString& sciezka, const QByteArray& dane) {
  QDir().mkpath(QFileInfo(sciezka).path());
  QFile plik(sciezka);
  if (!plik.open(QIODevice::WriteOnly | QIODevice::Truncate) || plik.write(dane) != dane.size())
    qFatal("cannot write %s", qPrintable(sciezka));
}

// The file's bytes; none when it cannot be read.
inline QByteArray CzytajPlik(const QString& sciezka) {
  QFile plik(sciezka);
  return plik.open(QIODevice::ReadOnly) ? plik.readAll() : QByteArray();
}

// The rows of a table file: fields split by tabs, %XX the byte XX; blank lines and lines from '#' skipped.
inline QList<QByteArrayList> WierszeDanych(const QString& sciezka) {
  QList<QByteArrayList> wiersze;
  for (const QByteArray& linia : CzytajPlik(sciezka).split('\n')) {
    if (linia.trimmed().isEmpty() || linia.startsWith('#')) continue;
    wiersze.append(linia.split('\t'));
    for (QByteArray& pole : wiersze.last()) pole = QByteArray::fromPercentEncoding(pole);
  }
  if (wiersze.isEmpty()) qFatal("no rows in %s", qPrintable(sciezka));
  return wiersze;
}

// A file the program must refuse to read, put under the name: one over the cap holding the text and comment lines
// after it, one over the cap that is a hole only (sparse), or a FIFO. Ends the test run when it cannot be made.
enum class Odrzucany { ZaDuzy, Rzadki, Fifo };
inline void PolozOdrzucany(const QString& sciezka, Odrzucany rodzaj, qint64 limit, const QByteArray& tekst = {}) {
  QFile::remove(sciezka);
  QFile plik(sciezka);
  bool udane = false;
  if (rodzaj == Odrzucany::Fifo) udane = ::mkfifo(QFile::encodeName(sciezka).constData(), 0600) == 0;
  if (rodzaj == Odrzucany::Rzadki) udane = plik.open(QIODevice::WriteOnly) && plik.resize(limit + 1);
  if (rodzaj == Odrzucany::ZaDuzy) {
    QByteArray dane = tekst;
    while (dane.size() <= limit) dane += "; " + QByteArray(77, 'x') + '\n';
    udane = plik.open(QIODevice::WriteOnly) && plik.write(dane) == dane.size();
  }
  if (!udane) qFatal("cannot put a refused file at %s", qPrintable(sciezka));
}

// What tells a file from its replacement: the inode, the kind, the size, the time of the last change and the bytes
// (none of a FIFO).
inline QByteArray Odcisk(const QString& sciezka) {
  struct stat info {};
  if (::stat(QFile::encodeName(sciezka).constData(), &info) != 0) return {};
  const QByteArray opis = QByteArray::number(qulonglong(info.st_ino)) + ' ' + QByteArray::number(info.st_mode) + ' ' +
                          QByteArray::number(qlonglong(info.st_size)) + ' ' +
                          QByteArray::number(qlonglong(info.st_mtim.tv_sec)) + '.' +
                          QByteArray::number(qlonglong(info.st_mtim.tv_nsec));
  return S_ISREG(info.st_mode) ? opis + '\n' + CzytajPlik(sciezka) : opis;
}

}  // namespace velmar_test
