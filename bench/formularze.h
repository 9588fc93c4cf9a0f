#pragma once
// What the page and print benchmarks share: the forms of a program folder that have pages, and records filled in as
// a user would fill them.

#include <QFile>
#include <QString>
#include <algorithm>
#include <vector>

#include "model/druk.h"
#include "model/struktura.h"

// A form type with its structure and page pictures in the folder.
struct FormularzPomiaru {
  int kod = 0;
  int strony = 0;
};

inline std::vector<FormularzPomiaru> FormularzeZeStronami(const QString& dc) {
  std::vector<FormularzPomiaru> formularze;
  for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod) {
    int strony = 0;
    while (QFile::exists(dc + QStringLiteral("/%1_%2.dcg").arg(kod).arg(strony + 1))) ++strony;
    if (strony > 0 && QFile::exists(dc + QStringLiteral("/%1.dcs").arg(kod))) formularze.push_back({kod, strony});
  }
  return formularze;
}

// Every field of a record given a value of its kind.
inline void Wypelnij(TDruk& druk, const QString& plikDcs) {
  const auto obiekty = struktura::CzytajObiekty(plikDcs, 1.0f);
  if (!obiekty) qFatal("cannot read %s", qPrintable(plikDcs));
  const int liczba = std::min(static_cast<int>(obiekty->size()), kLiczbaPol);
  for (int k = 0; k < liczba; ++k) {
    const TObiekt& o = (*obiekty)[static_cast<std::size_t>(k)];
    TPoleDruku& pole = druk.Pola[static_cast<std::size_t>(k)];
    switch (o.Typ) {
      case Liczba:
        UstawBajty(pole.Wartosc, o.Format == FormatCalkowita ? "2" : "123456,78");
        break;
      case NIP:
        UstawBajty(pole.Wartosc, "1234567890");
        break;
      case Data:
        UstawBajty(pole.Wartosc, "01022009");
        break;
      case Checbox:
        pole.Zaznaczone = static_cast<std::uint8_t>(k % 2);
        break;
      default:
        UstawTekst(pole.Wartosc, QStringLiteral("Żółć %1").arg(k).left(std::max(o.LimitZnakow, 1)));
        break;
    }
  }
}
