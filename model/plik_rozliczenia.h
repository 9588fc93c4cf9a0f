#pragma once
// The .dc8 settlement file: records 1..N one after another, no header. Reading checks every record before the
// caller replaces its settlement with them.

#include <QByteArray>
#include <QString>
#include <vector>

#include "model/druk.h"

struct OdczytRozliczenia {
  std::vector<TDruk> druki;  // slot 0 empty, records 1..N
  QString blad;              // empty when the file is sound
};

// Decodes and checks a whole file's bytes; `nazwa` names the file in the message.
OdczytRozliczenia CzytajRozliczenie(const QByteArray& bajty, const QString& nazwa);

// Encodes records 1..liczba.
QByteArray ZakodujRozliczenie(const std::vector<TDruk>& druki, int liczba);
