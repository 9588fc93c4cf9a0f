#pragma once
// Test tables kept in data files of tests/data: one row a line, "kind | name | field | ...", blank lines and lines
// starting with '#' skipped. Each file's head says what its fields hold.

#include <QFile>
#include <QtTest>

namespace velmar_test {

// The rows of one kind as test rows under their names, their fields (trimmed) in the column "w".
inline void Wiersze(const char* plik, const QString& rodzaj) {
  QTest::addColumn<QStringList>("w");
  QFile f(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/") + QLatin1String(plik));
  QVERIFY2(f.open(QIODevice::ReadOnly | QIODevice::Text), plik);
  for (const QString& linia : QString::fromUtf8(f.readAll()).split(u'\n')) {
    QStringList pola = linia.split(u'|');
    for (QString& p : pola) p = p.trimmed();
    if (!linia.startsWith(u'#') && pola.size() >= 3 && pola[0] == rodzaj)
      QTest::newRow(qPrintable(pola[1])) << pola.mid(2);
  }
}

// A field as a number; an object type by its name.
inline int Numer(const QString& pole) {
  const qsizetype typ = QStringList{"Text", "Liczba", "NIP", "Data", "Select", "Checbox", "Radio"}.indexOf(pole);
  return typ >= 0 ? int(typ) : pole.toInt();
}

}  // namespace velmar_test
