#include "model/plik_rozliczenia.h"

#include <QBuffer>

#include "model/rekordy.h"

static_assert(kNajwiekszyPlikRozliczenia == kNajwiecejDrukow * static_cast<qint64>(rekordy::kRozmiarDruku));

namespace {

QString Niepoprawny(const QString& nazwa, const QString& powod) {
  return QStringLiteral("Plik \"%1\" nie jest poprawnym plikiem rozliczenia: %2").arg(nazwa, powod);
}

// Why record i (1-based) cannot stand in a settlement whose records before it are druki[1..i-1]; empty when it can.
QString PowodOdmowy(const TDruk& d, const std::vector<TDruk>& druki, std::size_t i) {
  if (d.IdPit < 1 || d.IdPit > kLiczbaTypowDrukow) return QStringLiteral("nieznany rodzaj druku %1").arg(d.IdPit);
  if (d.PM < 0 || d.PM > 2) return QStringLiteral("nieznany właściciel druku %1").arg(d.PM);
  if (d.Rodzaj < 0 || d.Rodzaj > 2) return QStringLiteral("nieznany rodzaj rozliczenia %1").arg(d.Rodzaj);
  if (d.IdParent == 0) return {};
  if (d.IdParent < 0 || static_cast<std::size_t>(d.IdParent) >= i)
    return QStringLiteral("załącznik wskazuje druk główny %1, którego nie ma przed nim").arg(d.IdParent);
  if (const TDruk& rodzic = druki[static_cast<std::size_t>(d.IdParent)]; rodzic.IdParent != 0)
    return QStringLiteral("załącznik wskazuje jako swój druk główny druk nr %1, który sam jest załącznikiem druku nr %2")
        .arg(d.IdParent)
        .arg(rodzic.IdParent);
  return {};
}

}  // namespace

OdczytRozliczenia CzytajRozliczenie(QIODevice& plik, const QString& nazwa) {
  OdczytRozliczenia wynik;
  const qint64 rozmiar = plik.size() - plik.pos();
  constexpr auto kRekord = static_cast<qint64>(rekordy::kRozmiarDruku);
  // A partial record counts towards the cap, so that the reading refuses what is over the file's size cap.
  const qint64 zaczete = (rozmiar + kRekord - 1) / kRekord;
  if (zaczete > kNajwiecejDrukow) {
    wynik.blad = Niepoprawny(nazwa, QStringLiteral("zawiera %1 druków, a rozliczenie może ich mieć najwyżej %2.")
                                        .arg(zaczete)
                                        .arg(kNajwiecejDrukow));
    return wynik;
  }
  // Less than one record is no settlement: opened, it would be empty, and its first save would write it so.
  if (rozmiar > 0 && rozmiar < kRekord) {
    wynik.blad =
        Niepoprawny(nazwa, QStringLiteral("ma tylko %1 B, mniej niż jeden druk (%2 B).").arg(rozmiar).arg(kRekord));
    return wynik;
  }
  const qint64 n = rozmiar / kRekord;
  wynik.druki.reserve(static_cast<std::size_t>(n) + 1);
  wynik.druki.emplace_back();
  std::vector<std::uint8_t> bufor(rekordy::kRozmiarDruku);
  for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i) {
    QString powod;
    if (plik.read(reinterpret_cast<char*>(bufor.data()), kRekord) != kRekord) {
      powod = QStringLiteral("nie można odczytać druku nr %1 (%2).").arg(i).arg(plik.errorString());
    } else {
      TDruk& d = wynik.druki.emplace_back(
          rekordy::DekodujDruk(std::span<const std::uint8_t, rekordy::kRozmiarDruku>(bufor.data(), bufor.size())));
      const QString przyczyna = PowodOdmowy(d, wynik.druki, i);
      if (!przyczyna.isEmpty()) powod = QStringLiteral("druk nr %1 - %2.").arg(i).arg(przyczyna);
      d.Id = static_cast<std::int32_t>(i);
    }
    if (!powod.isEmpty()) {
      std::vector<TDruk>().swap(wynik.druki);  // a refused file keeps no memory
      wynik.blad = Niepoprawny(nazwa, powod);
      return wynik;
    }
  }
  // Saving writes whole records only, so the user learns now that the end is not kept.
  if (const qint64 ogon = rozmiar % kRekord; ogon != 0)
    wynik.uwaga = QStringLiteral("Koniec pliku \"%1\" był niepełny i został pominięty (%2 B).").arg(nazwa).arg(ogon);
  return wynik;
}

OdczytRozliczenia CzytajRozliczenie(const QByteArray& bajty, const QString& nazwa) {
  QBuffer bufor;
  bufor.setData(bajty);
  bufor.open(QIODevice::ReadOnly);
  return CzytajRozliczenie(bufor, nazwa);
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
