#include "pages/obraz_strony.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QScopeGuard>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/jpeg.h"
#include "platform/odczyt.h"
#include "platform/svg.h"

namespace {

// A page at most this many times as high as it is wide; anything taller would be rendered into hundreds of
// megabytes and is no form page.
constexpr long long kNajwiekszaProporcja = 4;
// A raster page holds at most this many pixels (a page scanned at 600 dpi has 35 million); a picture declaring more
// is refused, a PNG before it is decoded.
constexpr long long kNajwiecejPikseli = 40LL * 1000 * 1000;
// Megabytes Qt's image readers may take for one picture: a PNG within the pixel bound, eight bytes a pixel when its
// channels are 16-bit. Their own default bound (128 MB) is lower than a 6000 x 6000 page takes.
constexpr int kPamiecCzytnikaMb = static_cast<int>((kNajwiecejPikseli * 8 + (1 << 20) - 1) >> 20);
// A page picture file is read whole; a larger one is refused unread.
constexpr qint64 kNajwiekszyPlikObrazu = qint64{32} << 20;

enum class Rodzaj { Nieznany, Svg, Png, Jpeg };

// Runs shorter than this are packed among the pixels as they are.
constexpr std::size_t kNajkrotszaSeria = 3;
constexpr std::uint32_t kSeria = 0x80000000u;
constexpr std::uint32_t kBialy = 0xFFFFFFFFu;

// Packs the pixels as runs; empty when the packing would not take under half of them.
std::vector<std::uint32_t> SpakujPiksele(const QImage& obraz) {
  const auto* piksele = reinterpret_cast<const std::uint32_t*>(obraz.constBits());
  const std::size_t n = static_cast<std::size_t>(obraz.width()) * static_cast<std::size_t>(obraz.height());
  std::vector<std::uint32_t> wynik;
  std::size_t poczatekDoslownych = 0;
  const auto doslowne = [&](std::size_t do_) {
    if (do_ == poczatekDoslownych) return;
    wynik.push_back(static_cast<std::uint32_t>(do_ - poczatekDoslownych));
    wynik.insert(wynik.end(), piksele + poczatekDoslownych, piksele + do_);
  };
  for (std::size_t i = 0; i < n;) {
    // The pixel held apart: the words written could otherwise be the pixels read, for all the compiler knows.
    const std::uint32_t piksel = piksele[i];
    const std::size_t koniec = std::min(n, i + (kSeria - 1));
    std::size_t j = i + 1;
    // Eight pixels at a time while they all match, a comparison the compiler does side by side.
    for (; j + 8 <= koniec; j += 8) {
      std::uint32_t rozne = 0;
      for (std::size_t k = 0; k < 8; ++k) rozne |= piksele[j + k] ^ piksel;
      if (rozne != 0) break;
    }
    while (j < koniec && piksele[j] == piksel) ++j;
    if (j - i >= kNajkrotszaSeria) {
      doslowne(i);
      wynik.push_back(kSeria | static_cast<std::uint32_t>(j - i));
      wynik.push_back(piksel);
      poczatekDoslownych = j;
    }
    i = j;
    if (wynik.size() + (i - poczatekDoslownych) > n / 2) return {};
  }
  doslowne(n);
  wynik.shrink_to_fit();
  return wynik;
}

// A run's pixels, and the words it takes with its header.
std::size_t PikseleSerii(std::uint32_t naglowek) { return naglowek & ~kSeria; }
std::size_t SlowaSerii(std::uint32_t naglowek) { return (naglowek & kSeria) ? 2 : 1 + PikseleSerii(naglowek); }

// Paints white every pixel the runs do not give as white, so the image they were packed from becomes blank.
void Wybiel(const std::vector<std::uint32_t>& spakowany, QImage& obraz) {
  auto* piksele = reinterpret_cast<std::uint32_t*>(obraz.bits());
  for (std::size_t k = 0; k < spakowany.size();) {
    const std::uint32_t naglowek = spakowany[k];
    const bool biala = (naglowek & kSeria) && spakowany[k + 1] == kBialy;
    if (!biala) std::fill_n(piksele, PikseleSerii(naglowek), kBialy);
    piksele += PikseleSerii(naglowek);
    k += SlowaSerii(naglowek);
  }
}

// Unpacks runs into an image of the size they were packed from; false when they do not fill it exactly.
bool Rozpakuj(const std::vector<std::uint32_t>& spakowany, QImage& obraz) {
  auto* piksele = reinterpret_cast<std::uint32_t*>(obraz.bits());
  const std::size_t n = static_cast<std::size_t>(obraz.width()) * static_cast<std::size_t>(obraz.height());
  std::size_t i = 0;
  for (std::size_t k = 0; k < spakowany.size();) {
    const std::uint32_t naglowek = spakowany[k++];
    const std::size_t dlugosc = PikseleSerii(naglowek);
    if (i + dlugosc > n) return false;
    if (naglowek & kSeria) {
      if (k >= spakowany.size()) return false;
      std::fill_n(piksele + i, dlugosc, spakowany[k++]);
    } else {
      if (k + dlugosc > spakowany.size()) return false;
      std::copy_n(spakowany.begin() + static_cast<std::ptrdiff_t>(k), dlugosc, piksele + i);
      k += dlugosc;
    }
    i += dlugosc;
  }
  return i == n;
}

Rodzaj RozpoznajRodzaj(const QByteArray& dane) {
  if (dane.startsWith("\x89PNG\r\n\x1a\n")) return Rodzaj::Png;
  if (dane.startsWith("\xFF\xD8\xFF")) return Rodzaj::Jpeg;
  // An SVG document: markup (after an optional byte order mark and blanks) with an svg element near its start.
  qsizetype i = dane.startsWith("\xEF\xBB\xBF") ? 3 : 0;
  while (i < dane.size() && (dane[i] == ' ' || dane[i] == '\t' || dane[i] == '\r' || dane[i] == '\n')) ++i;
  if (i < dane.size() && dane[i] == '<' && dane.left(4096).contains("<svg")) return Rodzaj::Svg;
  return Rodzaj::Nieznany;
}

QString NieczytelnyObraz(const QString& sciezka) {
  return QStringLiteral("Nie można odczytać obrazu strony formularza:\n") + sciezka;
}

bool ZaDuzyRaster(QSize rozmiar) {
  return rozmiar.isValid() && static_cast<long long>(rozmiar.width()) * rozmiar.height() > kNajwiecejPikseli;
}

QString ZaDuzyObraz(QSize rozmiar, const QString& sciezka) {
  return QStringLiteral("Obraz strony formularza jest za duży (%1x%2 pikseli, dopuszczalne najwyżej %3 pikseli):\n")
             .arg(rozmiar.width())
             .arg(rozmiar.height())
             .arg(kNajwiecejPikseli) +
         sciezka;
}

// The picture unless its header declares more pixels than a page may hold; rozmiar receives its size, or what the
// header declares when it is not decoded.
QImage DekodujPng(const QByteArray& dane, QSize& rozmiar) {
  QBuffer bufor;
  bufor.setData(dane);
  QImageReader czytnik(&bufor, "PNG");
  rozmiar = czytnik.size();
  if (ZaDuzyRaster(rozmiar)) return {};
  // The readers' bound is one for the whole process: raised for this picture alone.
  const int granica = QImageReader::allocationLimit();  // 0: none
  if (granica > 0) QImageReader::setAllocationLimit(std::max(granica, kPamiecCzytnikaMb));
  const auto przywroc = qScopeGuard([granica] { QImageReader::setAllocationLimit(granica); });
  QImage obraz = czytnik.read();
  if (!obraz.isNull()) rozmiar = obraz.size();
  return obraz;
}

QString ZlyRozmiar(QSize rozmiar, const QString& sciezka) {
  return QStringLiteral("Obraz strony formularza ma nieprawidłowy rozmiar (%1x%2):\n")
             .arg(rozmiar.width())
             .arg(rozmiar.height()) +
         sciezka;
}

// A picture the drawing list does not take, read by Qt SVG once nothing in it reaches beyond it and its inline
// pictures stay within a page's pixels; null with a message in blad when it is refused or Qt SVG cannot read it. The
// drawing list needs no such check: it takes no reference and no picture.
std::unique_ptr<QSvgRenderer> CzytajQtSvg(const QByteArray& dane, const QString& sciezka, QString& blad) {
  switch (platform::OdwolaniaDokumentu(dane, kNajwiecejPikseli)) {
    case platform::OdwolaniaSvg::Wewnetrzne: break;
    case platform::OdwolaniaSvg::Zewnetrzne:
      blad = QStringLiteral("Obraz strony formularza odwołuje się do innych plików:\n") + sciezka;
      return nullptr;
    case platform::OdwolaniaSvg::Nieczytelne:
    case platform::OdwolaniaSvg::ZaDuze:
      blad = NieczytelnyObraz(sciezka);
      return nullptr;
  }
  auto svg = std::make_unique<QSvgRenderer>(dane);
  if (svg->isValid()) return svg;
  blad = NieczytelnyObraz(sciezka);
  return nullptr;
}

QSize RozmiarPola(const QRectF& pole) {
  return QSize(static_cast<int>(std::lround(pole.width())), static_cast<int>(std::lround(pole.height())));
}

}  // namespace

TObrazStrony::~TObrazStrony() = default;

int WysokoscDopasowana(int szerokoscMetapliku, int wysokoscMetapliku, int szerokoscWidoku) {
  if (szerokoscMetapliku <= 0 || wysokoscMetapliku <= 0) return 0;
  const long long wysokosc = static_cast<long long>(wysokoscMetapliku) * szerokoscWidoku / szerokoscMetapliku;
  return wysokosc >= 1 && wysokosc <= kNajwiekszaProporcja * szerokoscWidoku ? static_cast<int>(wysokosc) : 0;
}

std::shared_ptr<TObrazStrony> TObrazStrony::Wczytaj(const QString& sciezka, QString& blad, int szerokosc) {
  const platform::OdczytanyPlik plik = platform::CzytajPlik(sciezka, kNajwiekszyPlikObrazu);
  if (!plik.Udany()) {
    const bool odmowa = plik.odmowa == platform::Odmowa::NieZwykly || plik.odmowa == platform::Odmowa::ZaDuzy;
    blad = odmowa ? plik.blad : NieczytelnyObraz(sciezka);
    return nullptr;
  }
  auto obraz = ZBajtow(plik.dane, sciezka, blad, szerokosc);
  if (obraz) {
    const QFileInfo info(sciezka);
    obraz->sciezka_ = sciezka;
    obraz->zmiana_ = info.lastModified();
    obraz->rozmiarPliku_ = info.size();
  }
  return obraz;
}

std::shared_ptr<TObrazStrony> TObrazStrony::ZBajtow(const QByteArray& dane, const QString& sciezka, QString& blad,
                                                    int szerokosc) {
  std::shared_ptr<TObrazStrony> obraz(new TObrazStrony);
  const Rodzaj rodzaj = RozpoznajRodzaj(dane);
  switch (rodzaj) {
    case Rodzaj::Svg:
      if ((obraz->lista_ = TListaRysunku::Czytaj(dane))) {
        obraz->naturalny_ = RozmiarPola(obraz->lista_->Pole());
        break;
      }
      if (!(obraz->svg_ = CzytajQtSvg(dane, sciezka, blad))) return nullptr;
      obraz->naturalny_ = RozmiarPola(obraz->svg_->viewBoxF());
      break;
    case Rodzaj::Png:
      obraz->raster_ = DekodujPng(dane, obraz->naturalny_);
      break;
    case Rodzaj::Jpeg:
      obraz->raster_ = platform::DekodujJpeg(dane, szerokosc, &obraz->naturalny_);
      break;
    case Rodzaj::Nieznany:
      blad = QStringLiteral("Nieznany format obrazu strony formularza (oczekiwany SVG, PNG lub JPEG):\n") + sciezka;
      return nullptr;
  }
  if ((rodzaj == Rodzaj::Png || rodzaj == Rodzaj::Jpeg) && ZaDuzyRaster(obraz->naturalny_)) {
    blad = ZaDuzyObraz(obraz->naturalny_, sciezka);
    return nullptr;
  }
  if (!obraz->lista_ && !obraz->svg_ && obraz->raster_.isNull()) {
    blad = NieczytelnyObraz(sciezka);
    return nullptr;
  }
  if (WysokoscDopasowana(obraz->SzerokoscMetapliku(), obraz->WysokoscMetapliku(), 800) == 0) {
    blad = ZlyRozmiar(obraz->naturalny_, sciezka);
    return nullptr;
  }
  return obraz;
}

void TObrazStrony::Dopasuj(int szerokosc, int wysokosc, QImage bufor) {
  if (szerokosc <= 0 || wysokosc <= 0) return;
  if (obraz_.width() == szerokosc && obraz_.height() == wysokosc) return;
  const QSize rozmiar(szerokosc, wysokosc);
  // The memory handed in is used when nothing else refers to it; painting on it would copy it otherwise.
  if (bufor.size() != rozmiar || bufor.format() != QImage::Format_RGB32 || !bufor.isDetached()) {
    bufor = QImage();  // let go before the new one is taken
    bufor = QImage(rozmiar, QImage::Format_RGB32);
  }
  if (rozmiarSpakowanego_ == rozmiar && Rozpakuj(spakowany_, bufor)) {
    obraz_ = std::move(bufor);
    return;
  }
  bufor.fill(Qt::white);
  QPainter malarz(&bufor);
  malarz.setRenderHint(QPainter::SmoothPixmapTransform, true);
  Rysuj(malarz, QRect(QPoint(0, 0), rozmiar));
  malarz.end();
  obraz_ = std::move(bufor);
}

void TObrazStrony::Spakuj() {
  if (obraz_.isNull() || rozmiarSpakowanego_ == obraz_.size()) return;
  spakowany_ = SpakujPiksele(obraz_);
  rozmiarSpakowanego_ = spakowany_.empty() ? QSize() : obraz_.size();
  poczatkiWierszy_.clear();
  if (spakowany_.empty()) return;
  const auto szerokosc = static_cast<std::size_t>(obraz_.width());
  const auto wiersze = static_cast<std::size_t>(obraz_.height());
  poczatkiWierszy_.reserve(2 * wiersze);
  std::size_t piksel = 0, wiersz = 0;
  for (std::size_t k = 0; k < spakowany_.size();) {
    const std::size_t dlugosc = PikseleSerii(spakowany_[k]);
    for (; wiersz < wiersze && wiersz * szerokosc < piksel + dlugosc; ++wiersz) {
      poczatkiWierszy_.push_back(static_cast<std::uint32_t>(k));
      poczatkiWierszy_.push_back(static_cast<std::uint32_t>(wiersz * szerokosc - piksel));
    }
    piksel += dlugosc;
    k += SlowaSerii(spakowany_[k]);
  }
}

QImage TObrazStrony::Oddaj() {
  Spakuj();
  return std::exchange(obraz_, QImage());
}

QImage TObrazStrony::Upakuj() {
  Spakuj();
  if (!rozmiarSpakowanego_.isValid()) return {};
  Wybiel(spakowany_, obraz_);
  return std::exchange(obraz_, QImage());
}

void TObrazStrony::Wiersze(int y, int n, QRgb* cel) const {
  const int wysokosc = Wysokosc();
  if (y < 0 || n <= 0 || y >= wysokosc) return;
  n = std::min(n, wysokosc - y);
  const auto szerokosc = static_cast<std::size_t>(Szerokosc());
  if (!obraz_.isNull()) {
    for (int w = 0; w < n; ++w)
      std::copy_n(reinterpret_cast<const QRgb*>(obraz_.constScanLine(y + w)), szerokosc,
                  cel + static_cast<std::size_t>(w) * szerokosc);
    return;
  }
  std::size_t k = poczatkiWierszy_[2 * static_cast<std::size_t>(y)];
  std::size_t pomin = poczatkiWierszy_[2 * static_cast<std::size_t>(y) + 1];
  for (std::size_t zostalo = static_cast<std::size_t>(n) * szerokosc; zostalo > 0;) {
    const std::uint32_t naglowek = spakowany_[k];
    const std::size_t ile = std::min(PikseleSerii(naglowek) - pomin, zostalo);
    if (naglowek & kSeria)
      std::fill_n(cel, ile, spakowany_[k + 1]);
    else
      std::copy_n(spakowany_.begin() + static_cast<std::ptrdiff_t>(k + 1 + pomin), ile, cel);
    k += SlowaSerii(naglowek);
    cel += ile;
    zostalo -= ile;
    pomin = 0;
  }
}

void TObrazStrony::Rysuj(QPainter& malarz, const QRect& cel) const {
  if (lista_)
    lista_->Rysuj(malarz, QRectF(cel));
  else if (svg_)
    svg_->render(&malarz, QRectF(cel));
  else
    malarz.drawImage(cel, raster_);
}

bool TObrazStrony::TenSamPlik(const QString& sciezka) const {
  if (sciezka_.isEmpty() || sciezka != sciezka_) return false;
  const QFileInfo info(sciezka);
  return info.exists() && info.lastModified() == zmiana_ && info.size() == rozmiarPliku_;
}

std::size_t TObrazStrony::Rozmiar() const {
  // Qt SVG's tree of a document takes some times the size of its text.
  constexpr std::size_t kNaBajtSvg = 8;
  std::size_t bajty = (spakowany_.size() + poczatkiWierszy_.size()) * sizeof(std::uint32_t);
  if (lista_) return bajty + lista_->Rozmiar();
  if (svg_) return bajty + static_cast<std::size_t>(std::max<qint64>(rozmiarPliku_, 0)) * kNaBajtSvg;
  return bajty + static_cast<std::size_t>(raster_.sizeInBytes());
}

std::shared_ptr<TObrazStrony> TPamiecObrazow::Wczytaj(const QString& sciezka, QString& blad, int szerokosc) {
  const auto znaleziony =
      std::find_if(pamiec_.begin(), pamiec_.end(), [&](const auto& o) { return o->sciezka_ == sciezka; });
  std::shared_ptr<TObrazStrony> obraz;
  if (znaleziony != pamiec_.end()) {
    if ((*znaleziony)->TenSamPlik(sciezka)) obraz = *znaleziony;
    pamiec_.erase(znaleziony);
  }
  if (!obraz) obraz = TObrazStrony::Wczytaj(sciezka, blad, szerokosc);
  if (!obraz) return nullptr;
  pamiec_.push_front(obraz);
  std::size_t bajty = 0;
  for (std::size_t i = 0; i < pamiec_.size(); ++i) {
    bajty += pamiec_[i]->Rozmiar();
    // The one just asked for stays whatever its size; one still shown stays while its page view refers to it.
    if (i > 0 && (i >= obrazy_ || bajty > bajty_)) {
      pamiec_.resize(i);
      break;
    }
  }
  return obraz;
}

bool TPamiecObrazow::Dopasuj(TObrazStrony& obraz, int szerokosc, QImage& bufor) {
  const QSize rozmiar(szerokosc, WysokoscDopasowana(obraz.SzerokoscMetapliku(), obraz.WysokoscMetapliku(), szerokosc));
  if (QSize(obraz.Szerokosc(), obraz.Wysokosc()) == rozmiar) return false;
  // Every other rendering kept as it is is packed; its memory serves when bufor's does not fit.
  QImage pamiec = std::exchange(bufor, QImage());
  for (const auto& inny : pamiec_)
    if (inny.get() != &obraz && !inny->Obraz().isNull()) {
      QImage oddany = inny->Oddaj();
      if (pamiec.size() != rozmiar) pamiec = std::move(oddany);
    }
  obraz.Dopasuj(rozmiar.width(), rozmiar.height(), std::move(pamiec));
  bufor = obraz.Upakuj();
  return true;
}
