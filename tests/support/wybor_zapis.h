#pragma once
// The notation the form-choice tests write their data files in: forms by catalogue name, settlement kinds by letter,
// settlement records as FORM[:owner][>main form's record number][=value].

#include <QFile>
#include <QStringList>
#include <utility>
#include <vector>

#include "main/tools.h"

namespace wybor {

// The walks of a file in tests/data: each "= TITLE" line starts one, the lines after it are its commands; blank lines
// and lines starting with '#' are left out.
inline std::vector<std::pair<QString, QStringList>> Przejscia(const char* nazwa) {
  QFile plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/") + QLatin1String(nazwa));
  if (!plik.open(QIODevice::ReadOnly | QIODevice::Text)) qFatal("no data file %s", nazwa);
  std::vector<std::pair<QString, QStringList>> wynik;
  for (const QString& w : QString::fromUtf8(plik.readAll()).split(QLatin1Char('\n'))) {
    if (w.startsWith(QLatin1String("= "))) wynik.emplace_back(w.mid(2), QStringList{});
    else if (!w.trimmed().isEmpty() && !w.startsWith(QLatin1Char('#')) && !wynik.empty()) wynik.back().second << w;
  }
  return wynik;
}

// I individual, J joint with the spouse, S single parent.
inline int Rodzaj(const QString& litera) { return static_cast<int>(QStringLiteral("IJS").indexOf(litera)); }

inline int Typ(const TTools& t, const QString& nazwa) {
  for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod)
    if (NaQString(t.TypyDrukow[static_cast<std::size_t>(kod)].Nazwa) == nazwa) return kod;
  qFatal("no form %s", qPrintable(nazwa));
}

// FORM[:owner]: owner 1 the taxpayer, 2 the spouse, none the settlement as a whole.
inline QString Nazwa(const TTools& t, const TDruk& d) {
  return NaQString(t.TypyDrukow[static_cast<std::size_t>(d.IdPit)].Nazwa) +
         (d.PM != 0 ? QStringLiteral(":%1").arg(d.PM) : QString());
}

// The settlement's records, with the value of field `pole` where one is filled in, and the kind of any record whose
// kind is not the settlement's.
inline QStringList Rekordy(const TTools& t, std::size_t pole = 0) {
  QStringList l;
  for (int i = 1; i <= t.LiczbaDrukow; ++i) {
    const TDruk& d = t.Druki[static_cast<std::size_t>(i)];
    QString r = Nazwa(t, d);
    if (d.IdParent != 0) r += QStringLiteral(">%1").arg(d.IdParent);
    if (pole != 0 && !Tekst(d.Pola[pole].Wartosc).empty()) r += QLatin1Char('=') + NaQString(d.Pola[pole].Wartosc);
    if (d.Rodzaj != t.RodzajRozliczenia) r += QStringLiteral(" of kind %1").arg(d.Rodzaj);
    l << r;
  }
  return l;
}

}  // namespace wybor
