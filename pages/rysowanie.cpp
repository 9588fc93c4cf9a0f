#include "pages/rysowanie.h"

#include <QAction>
#include <QFile>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "calc/konwersje.h"
#include "main/tools.h"
#include "model/struktura.h"
#include "pages/blokada_pol.h"
#include "pages/fimage.h"
#include "pages/gdi.h"
#include "pages/kolory.h"
#include "pages/nakladka.h"
#include "platform/dialogi.h"

namespace {

using gdi::Prostokat;

constexpr QRgb kCzarny = qRgb(0, 0, 0);
constexpr QRgb kBialy = qRgb(255, 255, 255);
constexpr QRgb kTloEtykiety = qRgb(255, 255, 128);
constexpr int kDomyslnyRozmiar = 10;
// Far beyond any page; keeps the arithmetic on coordinates from a damaged file within range.
constexpr int kGranicaWspolrzednych = 1'000'000;
// More cells than any field holds characters; a damaged count does not turn into endless drawing.
constexpr int kNajwiecejKomorek = 4096;

Prostokat Obszar(const TObiekt& o) {
  const auto w = [](std::int32_t x) { return std::clamp(x, -kGranicaWspolrzednych, kGranicaWspolrzednych); };
  return {w(o.Lewy), w(o.Gorny), w(o.Prawy), w(o.Dolny)};
}

std::string WstawMyslniki(std::string tekst, std::initializer_list<std::size_t> pozycje) {
  if (tekst.empty() || tekst.find('-') != std::string::npos) return tekst;
  for (const std::size_t pozycja : pozycje) tekst.insert(std::min(pozycja - 1, tekst.size()), 1, '-');
  return tekst;
}

// The font size text of an object: "0" sets the font by the field's width; a text that is no whole number is
// taken as 10 points.
void UstawCzcionkePola(gdi::Plotno& plotno, const TObiekt& o) {
  const auto [L, T, R, B] = Obszar(o);
  const std::string_view rozmiar = Tekst(o.RozmiarCzcionki);
  if (rozmiar == "0") {
    plotno.UstawWysokoscCzcionki(std::abs(L - R));
    return;
  }
  // Leading blanks and a plus sign are part of a whole number's text, as the runtime reads it.
  std::string_view liczba = rozmiar.substr(std::min(rozmiar.find_first_not_of(' '), rozmiar.size()));
  if (liczba.starts_with('+')) liczba.remove_prefix(1);
  int punkty = 0;
  const auto [koniec, blad] = std::from_chars(liczba.data(), liczba.data() + liczba.size(), punkty);
  if (liczba.empty() || blad != std::errc() || koniec != liczba.data() + liczba.size()) punkty = kDomyslnyRozmiar;
  plotno.UstawRozmiarCzcionki(punkty);
}

unsigned Wyrownanie(const TObiekt& o) {
  switch (o.Wyrownanie) {
    case DoPrawej:
      return gdi::DT_RIGHT;
    case Centruj:
    case Justuj:
      return gdi::DT_CENTER;
    default:
      return gdi::DT_LEFT;
  }
}

// The entry of field k in the record on screen; null when there is no such record or field.
const TPoleDruku* PoleBiezacegoDruku(int k) {
  const TTools& t = *Tools;
  const int j = t.BiezacyDruk.Id;
  if (j < 1 || j > t.LiczbaDrukow || static_cast<std::size_t>(j) >= t.Druki.size() || k < 0 || k >= kLiczbaPol)
    return nullptr;
  return &t.Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)];
}

bool NazwyPolWlaczone() { return Tools->NazwyPol && Tools->NazwyPol->isChecked(); }
bool PodswietlanieWlaczone() { return Tools->PodswietlPol && Tools->PodswietlPol->isChecked(); }

void RysujPoleNa(gdi::Plotno& plotno, TFImage* view, int indeks, const TObiekt& o) {
  gdi::Stan& stan = plotno.stan();
  stan.pogrubiona = true;
  if (!o.Widoczne) return;
  const TPoleDruku* pole = PoleBiezacegoDruku(indeks);
  const auto [L, T, R, B] = Obszar(o);

  if (o.Typ == Checbox) {
    if (!pole || !pole->Zaznaczone) return;
    stan.pioro = kCzarny;
    stan.szerokoscPiora = 3;
    plotno.Linia(L + 3, T + 3, R - 3, B - 3);
    plotno.Linia(L + 3, B - 3, R - 3, T + 3);
    stan.szerokoscPiora = 1;
    return;
  }

  UstawCzcionkePola(plotno, o);
  const QRgb tlo = KolorLubDomyslny(Tekst(o.KolorTla), kBialy);
  stan.pedzel = tlo;
  stan.pioro = KolorLubDomyslny(Tekst(o.KolorKrawedzi), kBialy);
  plotno.Rysuj({L, T, R, B});
  stan.pedzel = tlo;
  stan.pioro = kCzarny;
  stan.tloTekstu = tlo;
  stan.kolorTekstu = KolorLubDomyslny(Tekst(o.KolorTekstu), kCzarny);

  const unsigned flagi = gdi::DT_NOPREFIX | Wyrownanie(o) | (o.Wielowierszowe == 1 ? gdi::DT_WORDBREAK : gdi::DT_SINGLELINE);

  std::string bajty(pole ? Tekst(pole->Wartosc) : std::string_view());
  if (o.Typ == NIP) bajty = WstawMyslnikiNip(std::move(bajty));
  if (o.Typ == Data) bajty = WstawMyslnikiDaty(std::move(bajty));
  if (bajty.empty()) bajty = Tekst(o.WartoscDomyslna);
  QString tekst = platform::ZCp1250(bajty);
  DopasujCzcionke(view, std::abs(L - R), tekst);

  const bool podswietl = PodswietlanieWlaczone() && o.TylkoDoOdczytu == 0;
  const QRgb podswietlenie1 = KolorLubDomyslny(Tekst(view->KolorPodswietlenia[0]), qRgb(217, 255, 217));
  const QRgb podswietlenie2 = KolorLubDomyslny(Tekst(view->KolorPodswietlenia[1]), qRgb(217, 255, 217));
  const int komorki = std::min(o.Typ == Data ? 10 : o.LimitZnakow, kNajwiecejKomorek);

  if (o.Wyrownanie == Justuj && komorki > 0 && !tekst.isEmpty()) {
    const int w = std::abs(R - L) / komorki;
    if (podswietl) {
      stan.pioro = podswietlenie1;
      stan.pedzel = podswietlenie2;
      plotno.Linia(L, T, R, T);
      plotno.Linia(L, B, R, B);
      plotno.Linia(L, T, L, B);
    }
    for (int k = 0; k < komorki; ++k) {
      const int x1 = L + k * w;
      const int x2 = k == komorki - 1 ? R : x1 + w + 1;
      if (podswietl) {
        stan.pioro = podswietlenie2;
        plotno.Rysuj({x1 + 1, T + 1, x2, B});
        // The highlight's fill becomes the text background, as the brush's colour does on the canvas.
        stan.tloTekstu = podswietlenie2;
      }
      const QString znak = k < tekst.size() ? QString(tekst[k]) : QString();
      plotno.RysujTekst(znak, {x1, T + 1, x2, B - 1}, flagi);
    }
    if (podswietl) {
      stan.pioro = podswietlenie1;
      plotno.Linia(R, T, R, B);
    }
  } else {
    if (podswietl) {
      stan.pioro = podswietlenie1;
      stan.pedzel = podswietlenie2;
      plotno.Rysuj({L, T, R, B});
      stan.tloTekstu = podswietlenie2;
    }
    if (o.Typ == Liczba && o.Format != FormatCalkowita)
      if (const auto kwota = KwotaDoWyswietlenia(platform::DoCp1250(tekst))) tekst = *kwota;
    RysujTekstPola(plotno, tekst, {L, T, R, B}, flagi);
  }
  if (podswietl) stan.pioro = kCzarny;
}

void RysujRamke(gdi::Plotno& plotno, const TObiekt& o, int numer) {
  const auto [L, T, R, B] = Obszar(o);
  gdi::Stan& stan = plotno.stan();
  stan.pioro = kCzarny;
  stan.szerokoscPiora = 1;
  stan.pedzel = kBialy;
  plotno.Rysuj({L, T, R, B});
  stan.tloTekstu = kTloEtykiety;
  stan.kolorTekstu = kCzarny;
  const QString etykieta = NazwyPolWlaczone() ? QStringLiteral("%1.0.%2").arg(Tools->BiezacyTyp).arg(numer) : QString();
  plotno.RysujTekst(etykieta, {L, T, R, B},
                    gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_END_ELLIPSIS);
}

}  // namespace

std::string WstawMyslnikiNip(std::string tekst) { return WstawMyslniki(std::move(tekst), {4, 8, 11}); }

std::string WstawMyslnikiDaty(std::string tekst) { return WstawMyslniki(std::move(tekst), {3, 6}); }

std::optional<QString> KwotaDoWyswietlenia(std::string_view tekst) {
  long double wartosc = 0;
  try {
    wartosc = StrToFloat(tekst);
  } catch (const BladKonwersjiLiczby&) {
    return std::nullopt;
  }
  // A currency holds four decimals within the range of a 64-bit count of them.
  constexpr long double kNajwieksza = 922337203685477.5807L;
  if (!std::isfinite(wartosc) || std::fabs(wartosc) > kNajwieksza) return std::nullopt;
  const long long czesci = std::llroundl(wartosc * 10000.0L);
  const unsigned long long grosze = (static_cast<unsigned long long>(std::llabs(czesci)) + 50) / 100;
  const QString calosc = QString::number(grosze / 100);
  QString wynik;
  const QChar separatorTysiecy =
      platform::Regionalne().SeparatorDziesietny() == QLatin1Char(',') ? QChar(0x00A0) : QLatin1Char(',');
  for (qsizetype i = 0; i < calosc.size(); ++i) {
    if (i > 0 && (calosc.size() - i) % 3 == 0) wynik += separatorTysiecy;
    wynik += calosc[i];
  }
  wynik += platform::Regionalne().SeparatorDziesietny();
  wynik += QStringLiteral("%1").arg(grosze % 100, 2, 10, QLatin1Char('0'));
  if (czesci < 0 && grosze > 0) wynik.prepend(QLatin1Char('-'));
  return wynik;
}

void RysujTekstPola(gdi::Plotno& plotno, const QString& tekst, const gdi::Prostokat& pole, unsigned flagi) {
  plotno.RysujTekst(tekst, {pole.l + 1, pole.t + 1, pole.r - 1, pole.b - 1}, flagi | gdi::DT_NOCLIP);
}

void DopasujCzcionke(TFImage* view, int szerokosc, const QString& tekst) {
  if (!view) return;
  TRysowanieNakladki rysowanie(*view->Formatka);
  gdi::Plotno* plotno = rysowanie.Plotno();
  if (!plotno) return;
  while (szerokosc - 10 < plotno->SzerokoscTekstu(tekst) && plotno->RozmiarCzcionki() > 4)
    plotno->UstawRozmiarCzcionki(plotno->RozmiarCzcionki() - 2);
}

void RysujPole(TFImage* view, int indeks, TObiekt obiekt) {
  if (!view || !Tools) return;
  TRysowanieNakladki rysowanie(*view->Formatka);
  if (gdi::Plotno* plotno = rysowanie.Plotno()) RysujPoleNa(*plotno, view, indeks, obiekt);
}

namespace {

// Every object of the shown page: its value in client mode, its frame in the designer, labelled with the object's
// own number or with its place in the file.
void RysujObiektyStrony(gdi::Plotno& plotno, TFImage* view, bool klient, bool numerZPliku) {
  for (int i = 0; i < view->LiczbaPol(); ++i) {
    const TObiekt& o = view->Obiekty[static_cast<std::size_t>(i)];
    if (o.Strona != Tools->BiezacaStrona) continue;
    if (klient)
      RysujPoleNa(plotno, view, i, o);
    else
      RysujRamke(plotno, o, numerZPliku ? o.NrObiektu : i);
  }
}

}  // namespace

void RysujObiekty(TFImage* view) {
  if (!view || !Tools) return;
  TTools& t = *Tools;
  if (t.LiczbaObiektow > 0) ZablokujPolaDruku(view);
  TRysowanieNakladki rysowanie(*view->Formatka);
  gdi::Plotno* plotno = rysowanie.Plotno();
  if (!plotno) return;
  const bool klient = t.TrybKlienta != 0;
  if (klient && view->PoprzedniObiekt > 0 && view->JestPolem(view->PoprzedniObiekt))
    RysujPoleNa(*plotno, view, view->PoprzedniObiekt, view->Obiekty[static_cast<std::size_t>(view->PoprzedniObiekt)]);
  RysujObiektyStrony(*plotno, view, klient, /*numerZPliku=*/true);
}

void WczytajIRysujObiekty(TFImage* view) {
  if (!view || !Tools) return;
  TTools& t = *Tools;
  if (!QFile::exists(t.PlikDcs)) {
    platform::ShowMessage(QStringLiteral("Brak pliku Dcs!: ") + t.PlikDcs);
    return;
  }
  QString blad;
  auto obiekty = struktura::CzytajObiekty(t.PlikDcs, t.Skala, &blad);
  if (!obiekty) {
    platform::ShowMessage(blad.isEmpty() ? QStringLiteral("Nie można odczytać pliku obiektów formularza:\n") + t.PlikDcs
                                         : blad);
    return;
  }
  view->Obiekty = std::move(*obiekty);
  t.LiczbaObiektow = static_cast<int>(view->Obiekty.size());
  TRysowanieNakladki rysowanie(*view->Formatka);
  gdi::Plotno* plotno = rysowanie.Plotno();
  if (!plotno) return;
  const bool klient = t.TrybKlienta != 0;
  RysujObiektyStrony(*plotno, view, klient, /*numerZPliku=*/false);
}

void RysujUchwytyObiektu(TFImage* view) {
  if (!view || !view->JestPolem(view->PrzesuwanyObiekt)) return;
  const TObiekt& o = view->Obiekty[static_cast<std::size_t>(view->PrzesuwanyObiekt)];
  const auto [L, T, R, B] = Obszar(o);
  view->Tolerancja = 3;
  TRysowanieNakladki rysowanie(*view->Formatka);
  gdi::Plotno* plotno = rysowanie.Plotno();
  if (!plotno) return;
  plotno->stan().pioro = kCzarny;
  plotno->stan().szerokoscPiora = 1;
  plotno->stan().pedzel = kCzarny;
  const int srodekX = L + std::abs(L - R) / 2;
  const int srodekY = T + std::abs(T - B) / 2;
  const std::pair<int, int> punkty[] = {{L, T},       {R, T},       {R, B},       {L, B},
                                        {srodekX, T}, {srodekX, B}, {L, srodekY}, {R, srodekY}};
  for (const auto& [x, y] : punkty) plotno->Rysuj({x - 3, y - 3, x + 3, y + 3});
}
