#pragma once
// The designer's work on the page view: the outlines that follow the mouse
// while an object is drawn, moved or resized, and the outline an object takes
// from a handle's displacement.

#include <QRect>
#include <QWidget>
#include <optional>

#include "pages/fimage.h"

// A layer over the overlay that shows the rubber band and the outline of the
// object being moved, in a red dotted pen over a hatch. Each is replaced as the
// mouse moves and both go when the overlay is drawn afresh, so the overlay
// itself is never touched by them.
class TObrysy : public QWidget {
  Q_OBJECT
 public:
  explicit TObrysy(QWidget *nakladka);

  void UstawRamke(const QRect &ramka);
  void UstawObrys(const QRect &obrys);
  void Wyczysc();

  const std::optional<QRect> &Ramka() const { return ramka_; }
  const std::optional<QRect> &Obrys() const { return obrys_; }

 protected:
  void paintEvent(QPaintEvent *zdarzenie) override;

 private:
  void Pokaz();

  std::optional<QRect> ramka_;
  std::optional<QRect> obrys_;
};

// The rectangle of two corners, either way round.
QRect ProstokatZRogow(int x1, int y1, int x2, int y2);
QRect ProstokatObrysu(const TFImage::Obrys &obrys);

// The object's outline displaced by (wektorX, wektorY) through a handle: 0
// moves the whole object; 1 to 8 move the edges that meet at that handle (1
// top-left, clockwise to 8 left middle).
TFImage::Obrys ObrysPoZmianie(const TObiekt &obiekt, int uchwyt, int wektorX, int wektorY);
