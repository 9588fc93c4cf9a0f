#pragma once
// The picture of one page of a form (.dcg): SVG, PNG or JPEG, told apart by content. An SVG of the kind the form
// generator writes becomes a drawing list (pages/lista_rysunku.h); any other SVG is drawn by Qt SVG. It is decoded
// once and rendered at its display size; the rendering can be kept packed (the flat colours of a form page pack to a
// tenth or less) and read a few rows at a time, so turning back to the page renders nothing again.

#include <QDateTime>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "pages/lista_rysunku.h"

class QPainter;
class QSvgRenderer;

class TObrazStrony {
 public:
  ~TObrazStrony();

  // Reads and decodes a picture file; null with a message for the user in blad when the file cannot be read, its
  // content is none of the three kinds, it cannot be decoded, it holds more pixels than a page may (a raster, or an
  // SVG's inline pictures together), or its page would have no size or be absurdly tall.
  // A JPEG is decoded no larger than it must be to stay szerokosc wide (0: at its full size).
  static std::shared_ptr<TObrazStrony> Wczytaj(const QString& sciezka, QString& blad, int szerokosc = 0);
  // The same for bytes already read; sciezka only names them in the message.
  static std::shared_ptr<TObrazStrony> ZBajtow(const QByteArray& dane, const QString& sciezka, QString& blad,
                                               int szerokosc = 0);

  // The picture's own size: the SVG's view box (or width and height), a raster's pixels.
  int SzerokoscMetapliku() const { return naturalny_.width(); }
  int WysokoscMetapliku() const { return naturalny_.height(); }

  // Renders the picture stretched to the display size, or unpacks the rendering kept packed; into bufor when that is
  // an unshared image of the size.
  void Dopasuj(int szerokosc, int wysokosc, QImage bufor = {});
  // Packs the rendering (when it packs well) and hands its memory back for another rendering.
  QImage Oddaj();
  // Packs the rendering and hands its memory back painted white; one that does not pack well stays as it is and
  // nothing is handed back.
  QImage Upakuj();
  // Bytes the picture holds besides its rendering: the decoded picture (a drawing list, a raster, an estimate for Qt
  // SVG) and the packed rendering.
  std::size_t Rozmiar() const;
  // The rendering at the display size, opaque (RGB32); null while it is packed.
  const QImage& Obraz() const { return obraz_; }
  // The size of the rendering kept, as it is or packed; 0 when none is.
  int Szerokosc() const { return obraz_.isNull() ? rozmiarSpakowanego_.width() : obraz_.width(); }
  int Wysokosc() const { return obraz_.isNull() ? rozmiarSpakowanego_.height() : obraz_.height(); }
  // Copies n rows of the rendering kept, from row y on, into cel, Szerokosc() pixels a row; rows outside it are left
  // as they are.
  void Wiersze(int y, int n, QRgb* cel) const;

  // Draws the picture stretched into a rectangle of any painter, an SVG as vectors (for printing).
  void Rysuj(QPainter& malarz, const QRect& cel) const;

  // The picture came from this file and the file has not changed since.
  bool TenSamPlik(const QString& sciezka) const;

 private:
  friend class TPamiecObrazow;
  TObrazStrony() = default;

  QString sciezka_;
  QDateTime zmiana_;
  qint64 rozmiarPliku_ = -1;
  std::optional<TListaRysunku> lista_;
  std::unique_ptr<QSvgRenderer> svg_;
  QImage raster_;
  QSize naturalny_;
  QImage obraz_;
  // The rendering packed as runs: a word n < 2^31 and n pixels as they are, or 2^31 + n and one pixel n times.
  std::vector<std::uint32_t> spakowany_;
  QSize rozmiarSpakowanego_;
  // Where each row of the packed rendering starts: the index of its run's first word and the run's pixels before it.
  std::vector<std::uint32_t> poczatkiWierszy_;

  // Packs the rendering unless it is packed at its size already.
  void Spakuj();
};

// The display height of a picture shown 800 (szerokoscWidoku) pixels wide: height x width / own width in integer
// arithmetic; 0 when it is no page: nothing high, or more than four times as high as wide.
int WysokoscDopasowana(int szerokoscMetapliku, int wysokoscMetapliku, int szerokoscWidoku);

// Pictures already decoded, the most recently used first, so turning back to a page decodes nothing and renders
// nothing: renderings are kept packed, but for one that does not pack well, and that only while it is shown. A file
// changed on disk is read again.
class TPamiecObrazow {
 public:
  // How many pictures are kept, within bajty bytes of decoded pictures and packed renderings.
  explicit TPamiecObrazow(std::size_t obrazy = 64, std::size_t bajty = 16u << 20) : obrazy_(obrazy), bajty_(bajty) {}

  // The decoded picture of a file, not yet rendered, a JPEG decoded no wider than it needs for szerokosc; null with
  // a message in blad as TObrazStrony::Wczytaj gives it.
  std::shared_ptr<TObrazStrony> Wczytaj(const QString& sciezka, QString& blad, int szerokosc = 800);
  // Renders the picture at the display width, unless a rendering of that size is kept, and keeps it packed (as it is
  // when it does not pack well), so a page shown holds no full-size image of its own. It is drawn in bufor's memory
  // when that is an unshared image of the size, else in that of another picture's rendering kept as it is, which is
  // packed; bufor is handed the memory no longer needed, painted white, or emptied. True when the picture was rendered
  // (and bufor's old content is gone).
  bool Dopasuj(TObrazStrony& obraz, int szerokosc, QImage& bufor);
  void Wyczysc() { pamiec_.clear(); }

 private:
  std::size_t obrazy_;
  std::size_t bajty_;
  std::deque<std::shared_ptr<TObrazStrony>> pamiec_;
};
