#include "model/struktura.h"

#include <QFile>
#include <QSaveFile>
#include <array>
#include <cmath>
#include <limits>

#include "model/rekordy.h"
#include "platform/odczyt.h"

namespace struktura {
namespace {

constexpr qint64 kRozmiar = static_cast<qint64>(rekordy::kRozmiarObiektu);

std::span<const std::uint8_t> Bajty(const QByteArray& dane) {
  return {reinterpret_cast<const std::uint8_t*>(dane.constData()), static_cast<std::size_t>(dane.size())};
}

std::int32_t Przeskaluj(std::int32_t wspolrzedna, float skala) {
  if (skala == 1.0f) return wspolrzedna;
  const double wynik = std::trunc(static_cast<double>(wspolrzedna) * static_cast<double>(skala));
  if (!(wynik >= std::numeric_limits<std::int32_t>::min() && wynik <= std::numeric_limits<std::int32_t>::max()))
    return wspolrzedna < 0 ? std::numeric_limits<std::int32_t>::min() : std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(wynik);
}

// Where record k starts, when the file holds it whole.
std::optional<qint64> Pozycja(const QFile& plik, int k) {
  if (k < 0 || (static_cast<qint64>(k) + 1) * kRozmiar > plik.size()) return std::nullopt;
  return static_cast<qint64>(k) * kRozmiar;
}

QByteArray Zakodowany(const TObiekt& obiekt) {
  QByteArray bajty(kRozmiar, '\0');
  rekordy::Zakoduj(obiekt, std::span<std::uint8_t, rekordy::kRozmiarObiektu>(
                               reinterpret_cast<std::uint8_t*>(bajty.data()), rekordy::kRozmiarObiektu));
  return bajty;
}

}  // namespace

std::vector<TObiekt> ObiektyZBajtow(std::span<const std::uint8_t> bajty, float skala) {
  std::vector<TObiekt> obiekty = rekordy::DekodujObiekty(bajty);
  for (TObiekt& o : obiekty)
    for (std::int32_t* w : {&o.Lewy, &o.Gorny, &o.Prawy, &o.Dolny}) *w = Przeskaluj(*w, skala);
  return obiekty;
}

std::optional<std::vector<TObiekt>> CzytajObiekty(const QString& sciezka, float skala, QString* blad) {
  const platform::OdczytanyPlik plik = platform::CzytajPlik(sciezka, kNajwiekszyPlikDcs);
  if (!plik.Udany()) {
    if (blad) *blad = plik.blad;
    return std::nullopt;
  }
  return ObiektyZBajtow(Bajty(plik.dane), skala);
}

bool DopiszObiekt(const QString& sciezka, const TObiekt& obiekt) {
  QFile plik(sciezka);
  if (!plik.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
  return plik.write(Zakodowany(obiekt)) == kRozmiar;
}

std::optional<TObiekt> CzytajObiekt(const QString& sciezka, int k) {
  const platform::OtwartyPlik otwarty = platform::OtworzDoOdczytu(sciezka, kNajwiekszyPlikDcs);
  if (!otwarty.plik) return std::nullopt;
  QFile& plik = *otwarty.plik;
  const auto pozycja = Pozycja(plik, k);
  if (!pozycja || !plik.seek(*pozycja)) return std::nullopt;
  const QByteArray dane = plik.read(kRozmiar);
  if (dane.size() != kRozmiar) return std::nullopt;
  return rekordy::DekodujObiekt(std::span<const std::uint8_t, rekordy::kRozmiarObiektu>(
      reinterpret_cast<const std::uint8_t*>(dane.constData()), rekordy::kRozmiarObiektu));
}

bool ZapiszObiekt(const QString& sciezka, int k, const TObiekt& obiekt) {
  QFile plik(sciezka);
  if (!plik.exists() || !plik.open(QIODevice::ReadWrite)) return false;
  const auto pozycja = Pozycja(plik, k);
  if (!pozycja || !plik.seek(*pozycja)) return false;
  return plik.write(Zakodowany(obiekt)) == kRozmiar;
}

bool ZapiszObiekty(const QString& sciezka, std::span<const TObiekt> obiekty) {
  QFile plik(sciezka);
  if (!plik.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const std::vector<std::uint8_t> bajty = rekordy::ZakodujObiekty(obiekty);
  return plik.write(reinterpret_cast<const char*>(bajty.data()), static_cast<qint64>(bajty.size())) ==
         static_cast<qint64>(bajty.size());
}

std::optional<TNaglowekFormularza> NaglowekZBajtow(std::span<const std::uint8_t> bajty) {
  if (bajty.size() < rekordy::kRozmiarNaglowkaFormularza) return std::nullopt;
  return rekordy::DekodujNaglowek(bajty.first<rekordy::kRozmiarNaglowkaFormularza>());
}

std::optional<TNaglowekFormularza> CzytajNaglowek(const QString& sciezka, QString* blad) {
  const platform::OdczytanyPlik plik = platform::CzytajPlik(sciezka, kNajwiekszyPlikDcd);
  if (!plik.Udany()) {
    if (blad) *blad = plik.blad;
    return std::nullopt;
  }
  return NaglowekZBajtow(Bajty(plik.dane));
}

bool ZapiszNaglowek(const QString& sciezka, const TNaglowekFormularza& naglowek) {
  std::array<std::uint8_t, rekordy::kRozmiarNaglowkaFormularza> bajty{};
  rekordy::Zakoduj(naglowek, bajty);
  QSaveFile plik(sciezka);
  return plik.open(QIODevice::WriteOnly) &&
         plik.write(reinterpret_cast<const char*>(bajty.data()), static_cast<qint64>(bajty.size())) ==
             static_cast<qint64>(bajty.size()) &&
         plik.commit();
}

void WczytajDomyslne(TDruk& druk, const QString& plikDcs) {
  // A file that is refused is reported when its form is shown.
  const platform::OtwartyPlik plik = platform::OtworzDoOdczytu(plikDcs, kNajwiekszyPlikDcs);
  if (!plik.plik) return;
  const QByteArray bajty = plik.plik->read(static_cast<qint64>(rekordy::kRozmiarObiektu) * kLiczbaPol);
  const auto obiekty = rekordy::DekodujObiekty(
      std::span(reinterpret_cast<const std::uint8_t*>(bajty.constData()), static_cast<std::size_t>(bajty.size())));
  if (obiekty.empty()) return;
  druk.Wczytany = 1;
  for (std::size_t k = 0; k < obiekty.size() && k < druk.Pola.size(); ++k) {
    const TObiekt& o = obiekty[k];
    TPoleDruku& p = druk.Pola[k];
    UstawBajty(p.Nazwa, Tekst(o.Nazwa));
    p.IdPit = druk.IdPit;
    p.NrObiektu = o.NrObiektu;
    p.Typ = o.Typ;
    p.Format = o.Format;
    p.Strona = o.Strona;
    PrzywrocDomyslne(p, o);
  }
}

void PrzywrocDomyslne(TPoleDruku& pole, const TObiekt& obiekt) {
  UstawBajty(pole.Wartosc, Tekst(obiekt.WartoscDomyslna));
  pole.Zaznaczone = obiekt.Format != 0 ? 1 : 0;
}

}  // namespace struktura
