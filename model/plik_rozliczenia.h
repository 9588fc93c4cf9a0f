#pragma once
// The .dc8 settlement file: records 1..N one after another, no header. Reading checks the size first and then every
// record as it is read, before the caller replaces its settlement with them. A partial record at the end is left
// out, and the reading says so; a file with no whole record but some bytes is refused. An empty file is a settlement
// with no records, as the program writes one when it has none.

#include <QByteArray>
#include <QString>
#include <vector>

#include "model/druk.h"

class QIODevice;

// A settlement holds at most this many records; a larger file is refused before anything of it is read.
inline constexpr qint64 kNajwiecejDrukow = 1024;
inline constexpr qint64 kNajwiekszyPlikRozliczenia = kNajwiecejDrukow * 137232;

struct OdczytRozliczenia {
  std::vector<TDruk> druki;  // slot 0 empty, records 1..N; empty (its memory given back) when the file is refused
  QString blad;              // empty when the file is sound
  QString uwaga;             // for a file that opens: its partial last record was left out; empty when none
};

// Reads and checks a file from its start, record by record, stopping at the first refused one; `nazwa` names the
// file in the message.
OdczytRozliczenia CzytajRozliczenie(QIODevice& plik, const QString& nazwa);
// The same for a file's bytes already in memory.
OdczytRozliczenia CzytajRozliczenie(const QByteArray& bajty, const QString& nazwa);

// Encodes records 1..liczba.
QByteArray ZakodujRozliczenie(const std::vector<TDruk>& druki, int liczba);
