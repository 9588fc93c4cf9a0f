#include "main/drukowanie.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <map>

#include "main/tools.h"
#include "model/struktura.h"
#include "pages/fimage.h"
#include "pages/gdi.h"
#include "pages/kolory.h"
#include "pages/obraz_strony.h"
#include "pages/rysowanie.h"
#include "platform/dialogi.h"

namespace {

using gdi::Prostokat;

constexpr QRgb kCzarny = qRgb(0, 0, 0);
constexpr QRgb kBialy = qRgb(255, 255, 255);
// The width every page picture is shown at; object coordinates are in that space.
constexpr int kSzerokoscWidoku = 800;
constexpr int kRozmiarPisma = 9;
constexpr int kPioroKrzyzyka = 10;
constexpr int kPioroKrzyzykaProjektu = 3;
// Keeps coordinates from a damaged structure file within range of the arithmetic on them.
constexpr int kGranicaWspolrzednych = 1'000'000;
// More cells than any field holds characters; a damaged count does not turn into endless drawing.
constexpr int kNajwiecejKomorek = 4096;

int Obetnij(double x) { return static_cast<int>(std::clamp(std::trunc(x), -2147483647.0, 2147483647.0)); }

int Wspolrzedna(std::int32_t x) { return std::clamp(x, -kGranicaWspolrzednych, kGranicaWspolrzednych); }

// White is the overlay's transparent colour: a white fill or frame lets the page picture show through, on paper as
// on screen, so the boxes and cell marks of the picture under a field stay visible.
std::optional<QRgb> Krycie(QRgb kolor) {
  if (qRed(kolor) == 255 && qGreen(kolor) == 255 && qBlue(kolor) == 255) return std::nullopt;
  return kolor;
}

unsigned FlagiPola(const TObiekt& o) {
  unsigned flagi = gdi::DT_NOPREFIX | (o.Wielowierszowe == 1 ? gdi::DT_WORDBREAK : gdi::DT_SINGLELINE);
  switch (o.Wyrownanie) {
    case DoPrawej:
      return flagi | gdi::DT_RIGHT;
    case Centruj:
    case Justuj:
      return flagi | gdi::DT_CENTER;
    default:
      return flagi | gdi::DT_LEFT;
  }
}

// Frame and fill in the object's colours, then the pen, brush and text colours for its text.
void UstawKoloryPola(gdi::Plotno& plotno, const TObiekt& o, const Prostokat& p) {
  gdi::Stan& stan = plotno.stan();
  const QRgb tlo = KolorLubDomyslny(Tekst(o.KolorTla), kBialy);
  stan.pedzel = Krycie(tlo);
  stan.pioro = Krycie(KolorLubDomyslny(Tekst(o.KolorKrawedzi), kBialy));
  stan.szerokoscPiora = 1;
  plotno.Rysuj(p);
  stan.pedzel = Krycie(tlo);
  stan.pioro = kCzarny;
  stan.tloTekstu = tlo;
  stan.kolorTekstu = KolorLubDomyslny(Tekst(o.KolorTekstu), kCzarny);
}

void Krzyzyk(gdi::Plotno& plotno, const Prostokat& p, int szerokoscPiora) {
  gdi::Stan& stan = plotno.stan();
  stan.pioro = kCzarny;
  stan.szerokoscPiora = szerokoscPiora;
  plotno.Linia(p.l + 3, p.t + 3, p.r - 3, p.b - 3);
  plotno.Linia(p.l + 3, p.b - 3, p.r - 3, p.t + 3);
  stan.szerokoscPiora = 1;
}

// One character per cell over n cells; the last cell ends at the field's right edge.
void RysujKomorki(gdi::Plotno& plotno, const QString& tekst, int n, const Prostokat& p, unsigned flagi) {
  const int w = std::abs(p.r - p.l) / n;
  for (int j = 0; j < n; ++j) {
    const int x0 = p.l + j * w;
    const int x1 = j == n - 1 ? p.r : x0 + w + 1;
    if (j < tekst.size()) plotno.RysujTekst(QString(tekst[j]), {x0, p.t + 1, x1, p.b - 1}, flagi);
  }
}

// A field of a record on paper.
void RysujPoleWydruku(gdi::Plotno& plotno, const TObiekt& o, const TPoleDruku& pole, const Wymiary& w) {
  const Prostokat p{Obetnij(Wspolrzedna(o.Lewy) * w.S + w.Lm + w.DX), Obetnij(Wspolrzedna(o.Gorny) * w.S + w.G + w.DY),
                    Obetnij(Wspolrzedna(o.Prawy) * w.S + w.Lm + w.DX),
                    Obetnij(Wspolrzedna(o.Dolny) * w.S + w.G + w.DY)};
  if (o.Typ == Checbox) {
    if (pole.Zaznaczone != 0) Krzyzyk(plotno, p, kPioroKrzyzyka);
    return;
  }
  UstawKoloryPola(plotno, o, p);
  const unsigned flagi = FlagiPola(o);

  std::string bajty(Tekst(pole.Wartosc));
  // The same dashes as on screen, so a partial NIP or date keeps its digits in their groups' cells.
  if (o.Typ == NIP) bajty = WstawMyslnikiNip(std::move(bajty));
  if (o.Typ == Data) bajty = WstawMyslnikiDaty(std::move(bajty));
  if (bajty.empty()) return;
  QString tekst = platform::ZCp1250(bajty);
  const int komorki = std::min(o.Typ == Data ? 10 : o.LimitZnakow, kNajwiecejKomorek);
  if (o.Wyrownanie == Justuj && komorki > 0) {
    RysujKomorki(plotno, tekst, komorki, p, flagi);
    return;
  }
  // An amount that is no number prints as it stands.
  if (o.Typ == Liczba && o.Format != FormatCalkowita)
    if (const auto kwota = KwotaDoWyswietlenia(bajty)) tekst = *kwota;
  RysujTekstPola(plotno, tekst, p, flagi);
}

void RysujStrone(QPainter& malarz, gdi::Plotno& plotno, const ZadanieWydruku& zadanie, const StronaWydruku& strona,
                 int szerokoscStrony, const UstawieniaWydruku& ustawienia) {
  const TObrazStrony& obraz = *strona.obraz;
  // Each page is scaled by its own picture, fitted to the display width as on screen.
  const Wymiary w = ObliczWymiary(szerokoscStrony, kSzerokoscWidoku, ustawienia);
  const int wysokosc = WysokoscDopasowana(obraz.SzerokoscMetapliku(), obraz.WysokoscMetapliku(), kSzerokoscWidoku);
  const int prawa = Obetnij(kSzerokoscWidoku * w.S + w.Lm);
  const int dolna = Obetnij(wysokosc * w.S + w.G);
  obraz.Rysuj(malarz, QRect(w.Lm, w.G, prawa - w.Lm, dolna - w.G));
  if (!ustawienia.Dane) return;
  const int liczba = std::min(static_cast<int>(zadanie.obiekty.size()), kLiczbaPol);
  for (int k = 0; k < liczba; ++k) {
    const TObiekt& o = zadanie.obiekty[static_cast<std::size_t>(k)];
    if (o.Widoczne && o.Strona == strona.numer)
      RysujPoleWydruku(plotno, o, zadanie.pola[static_cast<std::size_t>(k)], w);
  }
}

QString Opis(const QPrinter& drukarka) {
  return drukarka.outputFileName().isEmpty() ? QStringLiteral("na drukarce ") + drukarka.printerName()
                                             : QStringLiteral("do pliku ") + drukarka.outputFileName();
}

// One document: the pages of the jobs in order, a new sheet before every page but the first.
bool DrukujDokument(QPrinter& drukarka, std::span<const ZadanieWydruku> zadania, const UstawieniaWydruku& ustawienia,
                    QString& blad) {
  if (zadania.empty()) return true;
  const QString nazwa = zadania.size() == 1 ? zadania.front().nazwa : QStringLiteral("Velmar 2008");
  drukarka.setDocName(nazwa);
  QPainter malarz;
  if (!malarz.begin(&drukarka)) {
    blad = QStringLiteral("Nie można rozpocząć wydruku formularza %1 %2.").arg(zadania.front().nazwa, Opis(drukarka));
    return false;
  }
  gdi::Stan stan;
  gdi::Plotno plotno(malarz, stan, drukarka.resolution() / 96.0);
  plotno.UstawRozmiarCzcionki(kRozmiarPisma);
  const int szerokoscStrony = drukarka.width();
  bool pierwsza = true;
  for (const ZadanieWydruku& zadanie : zadania) {
    for (const StronaWydruku& strona : zadanie.strony) {
      if (!pierwsza && !drukarka.newPage()) {
        malarz.end();
        blad = QStringLiteral("Wydruk formularza %1 został przerwany: strona %2 nie została przyjęta %3.")
                   .arg(zadanie.nazwa)
                   .arg(strona.numer)
                   .arg(Opis(drukarka));
        return false;
      }
      pierwsza = false;
      RysujStrone(malarz, plotno, zadanie, strona, szerokoscStrony, ustawienia);
    }
  }
  if (!malarz.end() || drukarka.printerState() == QPrinter::Error) {
    blad = QStringLiteral("Wydruk formularza %1 %2 nie powiódł się.").arg(nazwa, Opis(drukarka));
    return false;
  }
  return true;
}

QString NazwaDruku(const TTools& tools, int kod) {
  const QString nazwa = kod >= 1 && kod <= kLiczbaTypowDrukow
                            ? NaQString(tools.TypyDrukow[static_cast<std::size_t>(kod)].Nazwa)
                            : QString();
  return nazwa.isEmpty() ? QString::number(kod) : nazwa;
}

QString FolderFormularzy(const TTools& tools) {
  return tools.FolderProgramu + QStringLiteral("dc/") + tools.PodfolderDrukow;
}

}  // namespace

Wymiary ObliczWymiary(int szerokoscStrony, int szerokoscObrazu, const UstawieniaWydruku& u) {
  Wymiary w;
  w.W = szerokoscStrony + 10 * u.RozmiarDruku;
  w.S = szerokoscObrazu > 0 ? static_cast<double>(w.W) / szerokoscObrazu : 0.0;
  w.G = 10 * u.MarginesGora;
  // A reduced page is moved right by half the reduction, whatever the left margin says.
  w.Lm = u.RozmiarDruku < 0 ? static_cast<int>(std::floor(-10.0 * u.RozmiarDruku * 0.5)) : 10 * u.MarginesLewa;
  w.DX = u.Dx;
  w.DY = u.Dy;
  return w;
}

std::vector<std::pair<int, int>> DrukiZakresu(const TTools& t, int zakres) {
  const int biezacy = t.BiezacyDruk.Id;
  const int liczba = std::min(t.LiczbaDrukow, static_cast<int>(t.Druki.size()) - 1);
  if (biezacy < 1 || biezacy > liczba) return {};
  std::vector<std::pair<int, int>> druki;
  switch (zakres) {
    case 0:
    case 1:
      druki.emplace_back(biezacy, zakres);
      break;
    case 2: {
      const int glowny = t.BiezacyDruk.IdParent != 0 ? t.BiezacyDruk.IdParent : biezacy;
      druki.emplace_back(glowny, 1);
      for (int i = 1; i <= liczba; ++i)
        if (t.Druki[static_cast<std::size_t>(i)].IdParent == glowny) druki.emplace_back(i, 1);
      break;
    }
    case 3:
      for (int i = 1; i <= liczba; ++i) druki.emplace_back(i, 1);
      break;
    default:
      break;
  }
  return druki;
}

int LiczbaStronDruku(const TTools& tools, int kod) {
  const QString plikDcd = tools.FolderProgramu + QStringLiteral("dc/%1.dcd").arg(kod);
  if (QFileInfo::exists(plikDcd))
    if (const auto naglowek = struktura::CzytajNaglowek(plikDcd)) return naglowek->LiczbaStron;
  return kod >= 1 && kod <= kLiczbaTypowDrukow ? tools.TypyDrukow[static_cast<std::size_t>(kod)].LiczbaStron : 0;
}

std::optional<std::vector<ZadanieWydruku>> PrzygotujZadania(const TTools& t, std::span<const std::pair<int, int>> druki,
                                                            bool dane, QString& blad) {
  const QString folder = FolderFormularzy(t);
  const int liczba = std::min(t.LiczbaDrukow, static_cast<int>(t.Druki.size()) - 1);
  std::map<QString, std::shared_ptr<const TObrazStrony>> obrazy;
  std::map<int, std::vector<TObiekt>> struktury;
  std::vector<ZadanieWydruku> zadania;
  const QString przerwany = QStringLiteral("Wydruk nie został rozpoczęty.\n");
  for (const auto& [druk, zakres] : druki) {
    if (druk < 1 || druk > liczba) continue;
    const TDruk& rekord = t.Druki[static_cast<std::size_t>(druk)];
    const int kod = rekord.IdPit;
    const QString nazwa = NazwaDruku(t, kod);
    ZadanieWydruku zadanie;
    zadanie.druk = druk;
    zadanie.nazwa = nazwa;
    zadanie.pola = rekord.Pola;
    const int liczbaStron = LiczbaStronDruku(t, kod);
    const int pierwsza = zakres == 0 ? t.BiezacaStrona : 1;
    const int ostatnia = zakres == 0 ? t.BiezacaStrona : liczbaStron;
    for (int p = pierwsza; p <= ostatnia; ++p) {
      const QString plik = folder + QStringLiteral("%1_%2.dcg").arg(kod).arg(p);
      auto& obraz = obrazy[plik];
      if (!obraz) {
        if (!QFileInfo::exists(plik)) {
          blad =
              przerwany + QStringLiteral("Brak wymaganego pliku strony %1 formularza %2:\n%3").arg(p).arg(nazwa, plik);
          return std::nullopt;
        }
        QString bladObrazu;
        obraz = TObrazStrony::Wczytaj(plik, bladObrazu);
        if (!obraz) {
          blad = przerwany + bladObrazu;
          return std::nullopt;
        }
      }
      zadanie.strony.push_back({p, obraz});
    }
    if (zadanie.strony.empty()) continue;
    if (dane) {
      auto znaleziona = struktury.find(kod);
      if (znaleziona == struktury.end()) {
        const QString plik = folder + QStringLiteral("%1.dcs").arg(kod);
        if (!QFileInfo::exists(plik)) {
          blad = przerwany + QStringLiteral("Brak wymaganego pliku obiektów formularza %1:\n%2").arg(nazwa, plik);
          return std::nullopt;
        }
        auto obiekty = struktura::CzytajObiekty(plik, 1.0f);
        if (!obiekty) {
          blad = przerwany + QStringLiteral("Nie można odczytać pliku obiektów formularza %1:\n%2").arg(nazwa, plik);
          return std::nullopt;
        }
        znaleziona = struktury.emplace(kod, std::move(*obiekty)).first;
      }
      zadanie.obiekty = znaleziona->second;
    }
    zadania.push_back(std::move(zadanie));
  }
  return zadania;
}

bool DrukujZadania(QPrinter& drukarka, std::span<const ZadanieWydruku> zadania, const UstawieniaWydruku& ustawienia,
                   QString& blad) {
  // A file is one document of every page; on a printer each record is a job of its own.
  if (!drukarka.outputFileName().isEmpty()) return DrukujDokument(drukarka, zadania, ustawienia, blad);
  for (std::size_t i = 0; i < zadania.size(); ++i)
    if (!DrukujDokument(drukarka, zadania.subspan(i, 1), ustawienia, blad)) return false;
  return true;
}

bool DrukujDruki(QPrinter& drukarka, const TTools& tools, std::span<const std::pair<int, int>> druki,
                 const UstawieniaWydruku& ustawienia) {
  QString blad;
  const auto zadania = PrzygotujZadania(tools, druki, ustawienia.Dane, blad);
  if (!zadania || !DrukujZadania(drukarka, *zadania, ustawienia, blad)) {
    platform::ShowMessage(blad);
    return false;
  }
  return !zadania->empty();
}

bool DrukujStroneProjektu(QPrinter& drukarka, const TObrazStrony& obraz, std::span<const TObiekt> obiekty, int strona,
                          QString& blad) {
  drukarka.setDocName(QStringLiteral("Velmar 2008"));
  QPainter malarz;
  if (!malarz.begin(&drukarka)) {
    blad = QStringLiteral("Nie można rozpocząć wydruku %1.").arg(Opis(drukarka));
    return false;
  }
  gdi::Stan stan;
  gdi::Plotno plotno(malarz, stan, drukarka.resolution() / 96.0);
  const int s = drukarka.width() / kSzerokoscWidoku;
  const int wysokosc = WysokoscDopasowana(obraz.SzerokoscMetapliku(), obraz.WysokoscMetapliku(), kSzerokoscWidoku);
  obraz.Rysuj(malarz, QRect(0, 0, kSzerokoscWidoku * s, wysokosc * s));
  const int liczba = std::min(static_cast<int>(obiekty.size()), kLiczbaPol);
  for (int i = 0; i < liczba; ++i) {
    const TObiekt& o = obiekty[static_cast<std::size_t>(i)];
    if (!o.Widoczne || o.Strona != strona) continue;
    const Prostokat p{Wspolrzedna(o.Lewy) * s, Wspolrzedna(o.Gorny) * s, Wspolrzedna(o.Prawy) * s,
                      Wspolrzedna(o.Dolny) * s};
    if (o.Typ == Checbox) {
      if (o.Opcje[0].Zaznaczona != 0) Krzyzyk(plotno, p, kPioroKrzyzykaProjektu);
      continue;
    }
    int wysokoscPisma = std::abs(p.b - p.t);
    plotno.UstawWysokoscCzcionki(wysokoscPisma);
    UstawKoloryPola(plotno, o, p);
    const unsigned flagi = FlagiPola(o);
    const QString tekst = Tekst(o.Wartosc).empty() ? NaQString(o.WartoscDomyslna) : NaQString(o.Wartosc);
    if (tekst.isEmpty()) continue;
    while (plotno.SzerokoscTekstu(tekst) > std::abs(p.l - p.r) && wysokoscPisma > 10)
      plotno.UstawWysokoscCzcionki(--wysokoscPisma);
    const int komorki = std::min(o.LimitZnakow, kNajwiecejKomorek);
    if (o.Wyrownanie == Justuj && komorki > 0)
      RysujKomorki(plotno, tekst, komorki, p, flagi);
    else
      RysujTekstPola(plotno, tekst, p, flagi);
  }
  if (!malarz.end() || drukarka.printerState() == QPrinter::Error) {
    blad = QStringLiteral("Wydruk %1 nie powiódł się.").arg(Opis(drukarka));
    return false;
  }
  return true;
}

bool TTools::Drukuj1Click(QPrinter& drukarka) {
  if (!StronaWczytana || !ObrazStrony || !FImage) return false;
  // What the page shows is what is printed.
  if (TrybKlienta != 0)
    RysujObiekty(FImage);
  else
    WczytajIRysujObiekty(FImage);
  const std::span<const TObiekt> obiekty(FImage->Obiekty.data(), static_cast<std::size_t>(FImage->LiczbaPol()));
  QString blad;
  if (!DrukujStroneProjektu(drukarka, *ObrazStrony, obiekty, BiezacaStrona, blad)) {
    platform::ShowMessage(blad);
    return false;
  }
  return true;
}
