#include "pages/obraz_strony.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

#include "platform/jpeg.h"
#include "platform/odczyt.h"
#include "platform/svg.h"

namespace {

// A page at most this many times as high as it is wide; anything taller would be rendered into hundreds of
// megabytes and is no form page.
constexpr long long kNajwiekszaProporcja = 4;
// A raster page holds at most this many pixels (a page scanned at 600 dpi has 35 million); a PNG declaring more is
// refused before it is decoded.
constexpr long long kNajwiecejPikseli = 40LL * 1000 * 1000;
// A page picture file is read whole; a larger one is refused unread.
constexpr qint64 kNajwiekszyPlikObrazu = qint64{32} << 20;

enum class Rodzaj { Nieznany, Svg, Png, Jpeg };

Rodzaj RozpoznajRodzaj(const QByteArray& dane) {
  if (dane.startsWith("\x89PNG\r\n\x1a\n")) return Rodzaj::Png;
  if (dane.startsWith("\xFF\xD8\xFF")) return Rodzaj::Jpeg;
  // An SVG document: markup (after an optional byte order mark and blanks) with an svg element near its start.
  qsizetype i = dane.startsWith("\xEF\xBB\xBF") ? 3 : 0;
  while (i < dane.size() && (dane[i] == ' ' || dane[i] == '\t' || dane[i] == '\r' || dane[i] == '\n')) ++i;
  if (i < dane.size() && dane[i] == '<' && dane.left(4096).contains("<svg")) return Rodzaj::Svg;
  return Rodzaj::Nieznany;
}

QString ZlyRozmiar(QSize rozmiar, const QString& sciezka) {
  return QStringLiteral("Obraz strony formularza ma nieprawidłowy rozmiar (%1x%2):\n")
             .arg(rozmiar.width())
             .arg(rozmiar.height()) +
         sciezka;
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
    blad = odmowa ? plik.blad : QStringLiteral("Nie można odczytać obrazu strony formularza:\n") + sciezka;
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
  switch (RozpoznajRodzaj(dane)) {
    case Rodzaj::Svg: {
      if (!platform::SvgSamodzielny(dane)) {
        blad = QStringLiteral("Obraz strony formularza odwołuje się do innych plików:\n") + sciezka;
        return nullptr;
      }
      if ((obraz->lista_ = TListaRysunku::Czytaj(dane))) {
        const QRectF& pole = obraz->lista_->Pole();
        obraz->naturalny_ =
            QSize(static_cast<int>(std::lround(pole.width())), static_cast<int>(std::lround(pole.height())));
        break;
      }
      auto svg = std::make_unique<QSvgRenderer>(dane);
      if (!svg->isValid()) break;
      const QRectF pole = svg->viewBoxF();
      obraz->naturalny_ =
          QSize(static_cast<int>(std::lround(pole.width())), static_cast<int>(std::lround(pole.height())));
      obraz->svg_ = std::move(svg);
      break;
    }
    case Rodzaj::Png: {
      // The size the header declares is checked before a pixel is decoded.
      QBuffer bufor;
      bufor.setData(dane);
      QImageReader czytnik(&bufor, "PNG");
      const QSize rozmiar = czytnik.size();
      if (rozmiar.isValid() && static_cast<long long>(rozmiar.width()) * rozmiar.height() > kNajwiecejPikseli) {
        blad = ZlyRozmiar(rozmiar, sciezka);
        return nullptr;
      }
      obraz->raster_ = czytnik.read();
      obraz->naturalny_ = obraz->raster_.size();
      break;
    }
    case Rodzaj::Jpeg:
      obraz->raster_ = platform::DekodujJpeg(dane, szerokosc, &obraz->naturalny_);
      break;
    case Rodzaj::Nieznany:
      blad = QStringLiteral("Nieznany format obrazu strony formularza (oczekiwany SVG, PNG lub JPEG):\n") + sciezka;
      return nullptr;
  }
  if (!obraz->lista_ && !obraz->svg_ && obraz->raster_.isNull()) {
    blad = QStringLiteral("Nie można odczytać obrazu strony formularza:\n") + sciezka;
    return nullptr;
  }
  if (WysokoscDopasowana(obraz->SzerokoscMetapliku(), obraz->WysokoscMetapliku(), 800) == 0) {
    blad = ZlyRozmiar(obraz->naturalny_, sciezka);
    return nullptr;
  }
  return obraz;
}

void TObrazStrony::Dopasuj(int szerokosc, int wysokosc) {
  if (szerokosc <= 0 || wysokosc <= 0) return;
  if (obraz_.width() == szerokosc && obraz_.height() == wysokosc) return;
  QImage obraz(szerokosc, wysokosc, QImage::Format_RGB32);
  obraz.fill(Qt::white);
  QPainter malarz(&obraz);
  malarz.setRenderHint(QPainter::SmoothPixmapTransform, true);
  Rysuj(malarz, QRect(0, 0, szerokosc, wysokosc));
  malarz.end();
  obraz_ = std::move(obraz);
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

std::shared_ptr<TObrazStrony> TPamiecObrazow::Wczytaj(const QString& sciezka, int szerokosc, QString& blad) {
  const auto znaleziony =
      std::find_if(obrazy_.begin(), obrazy_.end(), [&](const auto& o) { return o->sciezka_ == sciezka; });
  std::shared_ptr<TObrazStrony> obraz;
  if (znaleziony != obrazy_.end()) {
    if ((*znaleziony)->TenSamPlik(sciezka)) obraz = *znaleziony;
    obrazy_.erase(znaleziony);
  }
  if (!obraz) obraz = TObrazStrony::Wczytaj(sciezka, blad, szerokosc);
  if (!obraz) return nullptr;
  obraz->Dopasuj(szerokosc, WysokoscDopasowana(obraz->SzerokoscMetapliku(), obraz->WysokoscMetapliku(), szerokosc));
  obrazy_.push_front(obraz);
  if (obrazy_.size() > pojemnosc_) obrazy_.pop_back();
  return obraz;
}
