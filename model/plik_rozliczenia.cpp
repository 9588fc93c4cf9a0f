#include "model/plik_rozliczenia.h"

#include "model/rekordy.h"

OdczytRozliczenia CzytajRozliczenie(const QByteArray& bajty, const QString& nazwa) {
  OdczytRozliczenia wynik;
  const auto rozmiar = static_cast<std::size_t>(bajty.size());
  if (rozmiar % rekordy::kRozmiarDruku != 0) {
    wynik.blad = QStringLiteral("Plik \"%1\" nie jest poprawnym plikiem rozliczenia: jego rozmiar (%2 B) nie jest "
                                "wielokrotnością rozmiaru druku (%3 B).")
                     .arg(nazwa)
                     .arg(rozmiar)
                     .arg(rekordy::kRozmiarDruku);
    return wynik;
  }
  const std::size_t n = rozmiar / rekordy::kRozmiarDruku;
  wynik.druki.resize(n + 1);
  const auto* dane = reinterpret_cast<const std::uint8_t*>(bajty.constData());
  for (std::size_t i = 1; i <= n; ++i) {
    TDruk& d = wynik.druki[i];
    d = rekordy::DekodujDruk(
        std::span<const std::uint8_t, rekordy::kRozmiarDruku>(dane + (i - 1) * rekordy::kRozmiarDruku,
                                                             rekordy::kRozmiarDruku));
    QString powod;
    if (d.IdPit < 1 || d.IdPit > kLiczbaTypowDrukow)
      powod = QStringLiteral("nieznany rodzaj druku %1").arg(d.IdPit);
    else if (d.PM < 0 || d.PM > 2)
      powod = QStringLiteral("nieznany właściciel druku %1").arg(d.PM);
    else if (d.Rodzaj < 0 || d.Rodzaj > 2)
      powod = QStringLiteral("nieznany rodzaj rozliczenia %1").arg(d.Rodzaj);
    else if (d.IdParent != 0 &&
             (d.IdParent < 0 || static_cast<std::size_t>(d.IdParent) >= i || wynik.druki[d.IdParent].IdParent != 0))
      powod = QStringLiteral("załącznik wskazuje druk główny %1, którego nie ma przed nim").arg(d.IdParent);
    if (!powod.isEmpty()) {
      wynik.druki.clear();
      wynik.blad = QStringLiteral("Plik \"%1\" nie jest poprawnym plikiem rozliczenia: druk nr %2 - %3.")
                       .arg(nazwa)
                       .arg(i)
                       .arg(powod);
      return wynik;
    }
    d.Id = static_cast<std::int32_t>(i);
  }
  return wynik;
}

QByteArray ZakodujRozliczenie(const std::vector<TDruk>& druki, int liczba) {
  QByteArray bajty(static_cast<qsizetype>(rekordy::kRozmiarDruku) * liczba, '\0');
  auto* dane = reinterpret_cast<std::uint8_t*>(bajty.data());
  for (int i = 1; i <= liczba; ++i)
    rekordy::Zakoduj(druki[static_cast<std::size_t>(i)],
                     std::span<std::uint8_t, rekordy::kRozmiarDruku>(dane + (i - 1) * rekordy::kRozmiarDruku,
                                                                    rekordy::kRozmiarDruku));
  return bajty;
}
