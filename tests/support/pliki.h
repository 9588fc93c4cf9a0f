#pragma once
// Whole files in one call, and table files, for tests that prepare or inspect what the program reads and
// writes.

#include <QByteArray>
#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

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

}  // namespace velmar_test
