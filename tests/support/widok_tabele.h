#pragma once
// Test tables kept in data files of tests/data: one row a line, "kind | name | field | ...", blank lines and lines
// starting with '#' skipped. Each file's head says what its fields hold.

#include <QFile>
#include <QStringList>
#include <QtTest>
#include <vector>

namespace velmar_test {

// The rows of one kind: each its name and fields, trimmed. None when the file cannot be read.
inline std::vector<QStringList> Tabela(const char* plik, const QString& rodzaj) {
  std::vector<QStringList> wiersze;
  QFile f(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/") + QLatin1String(plik));
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return wiersze;
  for (const QString& linia : QString::fromUtf8(f.readAll()).split(u'\n')) {
    QStringList pola = linia.split(u'|');
    for (QString& p : pola) p = p.trimmed();
    if (!linia.startsWith(u'#') && pola.size() >= 2 && pola[0] == rodzaj) wiersze.push_back(pola.mid(1));
  }
  return wiersze;
}

// The rows of one kind as test rows under their names, their fields in the column "w".
inline void Wiersze(const char* plik, const QString& rodzaj) {
  QTest::addColumn<QStringList>("w");
  const std::vector<QStringList> wiersze = Tabela(plik, rodzaj);
  QVERIFY2(!wiersze.empty(), plik);
  for (const QStringList& w : wiersze) QTest::newRow(qPrintable(w[0])) << w.mid(1);
}

// A field as a number; an object type by its name.
inline int Numer(const QString& pole) {
  const qsizetype typ = QStringList{"Text", "Liczba", "NIP", "Data", "Select", "Checbox", "Radio"}.indexOf(pole);
  return typ >= 0 ? int(typ) : pole.toInt();
}

}  // namespace velmar_test
