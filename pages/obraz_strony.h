#pragma once
// The picture of one page of a form (.dcg): SVG, PNG or JPEG, told apart by content. An SVG of the kind the form
// generator writes becomes a drawing list (pages/lista_rysunku.h); any other SVG is drawn by Qt SVG. It is decoded
// once, rendered once at its display size and kept, so repaints and turning back to a page cost no rendering.

#include <QDateTime>
#include <QImage>
#include <QRect>
#include <QString>
#include <deque>
#include <memory>
#include <optional>

#include "pages/lista_rysunku.h"

class QPainter;
class QSvgRenderer;

class TObrazStrony {
 public:
  ~TObrazStrony();

  // Reads and decodes a picture file; null with a message for the user in blad when the file cannot be read, its
  // content is none of the three kinds, it cannot be decoded, or its page would have no size or be absurdly tall.
  // A JPEG is decoded no larger than it must be to stay szerokosc wide (0: at its full size).
  static std::shared_ptr<TObrazStrony> Wczytaj(const QString& sciezka, QString& blad, int szerokosc = 0);
  // The same for bytes already read; sciezka only names them in the message.
  static std::shared_ptr<TObrazStrony> ZBajtow(const QByteArray& dane, const QString& sciezka, QString& blad,
                                               int szerokosc = 0);

  // The picture's own size: the SVG's view box (or width and height), a raster's pixels.
  int SzerokoscMetapliku() const { return naturalny_.width(); }
  int WysokoscMetapliku() const { return naturalny_.height(); }

  // Renders the picture stretched to the display size, once per size.
  void Dopasuj(int szerokosc, int wysokosc);
  // The rendering at the display size, opaque (RGB32).
  const QImage& Obraz() const { return obraz_; }
  int Szerokosc() const { return obraz_.width(); }
  int Wysokosc() const { return obraz_.height(); }

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
};

// The display height of a picture shown 800 (szerokoscWidoku) pixels wide: height x width / own width in integer
// arithmetic; 0 when it is no page: nothing high, or more than four times as high as wide.
int WysokoscDopasowana(int szerokoscMetapliku, int wysokoscMetapliku, int szerokoscWidoku);

// Pictures already decoded and fitted to the display width, the most recently used first, so turning back to a page
// renders nothing; a file changed on disk is read again.
class TPamiecObrazow {
 public:
  explicit TPamiecObrazow(std::size_t pojemnosc = 8) : pojemnosc_(pojemnosc) {}

  // The picture of a file fitted to the width; null with a message in blad as TObrazStrony::Wczytaj gives it.
  std::shared_ptr<TObrazStrony> Wczytaj(const QString& sciezka, int szerokosc, QString& blad);
  void Wyczysc() { obrazy_.clear(); }

 private:
  std::size_t pojemnosc_;
  std::deque<std::shared_ptr<TObrazStrony>> obrazy_;
};
