#pragma once
// The layers of the page view: the page picture IDruk and, over it, the overlay Formatka, on a sheet that shows them
// composed. The overlay is a retained image on which the fields are drawn from the handlers, never while painting;
// its exactly white pixels are transparent, so a white field lets the picture show through. Neither layer paints
// itself: the sheet keeps the page composed in one opaque image, brings up to date only the parts a layer changed,
// and paints by copying that image.

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "pages/gdi.h"

class QPainter;
class TKartka;

// IDruk: the place of the rendered page picture on the sheet.
class TObrazDruku : public QWidget {
  Q_OBJECT
 public:
  explicit TObrazDruku(TKartka* kartka);
  void UstawObraz(const QImage& obraz);
  const QImage& Obraz() const { return obraz_; }

 protected:
  void moveEvent(QMoveEvent* zdarzenie) override;
  void resizeEvent(QResizeEvent* zdarzenie) override;

 private:
  TKartka& kartka_;
  QImage obraz_;
};

class TRysowanieNakladki;

// Formatka: the overlay canvas and the mouse events of the page.
class TNakladka : public QWidget {
  Q_OBJECT
 public:
  explicit TNakladka(TKartka* kartka);

  // A blank white canvas of this size, the widget sized to it; pen none, brush solid white.
  void Wyczysc(int szerokosc, int wysokosc);
  // The canvas as drawn, opaque; white means transparent.
  const QImage& Obraz() const { return obraz_; }
  // What the canvas holds between drawings: pen, brush, text colours and font.
  gdi::Stan& Stan() { return stan_; }
  // Rectangles of the canvas drawn on since it was last cleared; outside them it is white.
  const std::vector<QRect>& Narysowane() const { return narysowane_; }

 signals:
  void Ruch(int x, int y, Qt::KeyboardModifiers klawisze);
  void Nacisniecie(Qt::MouseButton przycisk, Qt::KeyboardModifiers klawisze, int x, int y);
  void Zwolnienie(Qt::MouseButton przycisk, Qt::KeyboardModifiers klawisze, int x, int y);
  // A left press and release on the overlay.
  void Klikniecie();

 protected:
  bool event(QEvent* zdarzenie) override;
  void moveEvent(QMoveEvent* zdarzenie) override;
  void resizeEvent(QResizeEvent* zdarzenie) override;
  void mouseMoveEvent(QMouseEvent* zdarzenie) override;
  void mousePressEvent(QMouseEvent* zdarzenie) override;
  void mouseReleaseEvent(QMouseEvent* zdarzenie) override;

 private:
  friend class TRysowanieNakladki;
  // The canvas changed within these rectangles: remembered, and shown on the sheet.
  void Narysowano(const std::vector<QRect>& obszary);

  TKartka& kartka_;
  QImage obraz_;
  std::vector<QRect> narysowane_;
  gdi::Stan stan_;
  TRysowanieNakladki* rysowanie_ = nullptr;
};

// The sheet under the scroll area: the picture and the overlay composed into one opaque image.
class TKartka : public QWidget {
  Q_OBJECT
 public:
  TKartka();
  // The layers it composes; set once, by the page view.
  void UstawWarstwy(TObrazDruku* obraz, TNakladka* nakladka);
  // Something changed within this area of the sheet: composed again and repainted when the event loop gets to it.
  void Zmiana(const QRect& obszar);
  // The page as shown: the picture, the overlay's non-white pixels over it, white elsewhere.
  const QImage& Zlozenie();

 protected:
  void paintEvent(QPaintEvent* zdarzenie) override;
  void resizeEvent(QResizeEvent* zdarzenie) override;
  void showEvent(QShowEvent* zdarzenie) override;

 private:
  void DopasujRozmiar();
  void Skladaj(const QRect& obszar);

  TObrazDruku* obraz_ = nullptr;
  TNakladka* nakladka_ = nullptr;
  QImage zlozenie_;
  QRegion nieaktualne_;
};

// One drawing on the overlay: opens a painter on its canvas, or joins the drawing already under way, and has the
// changed parts shown when the outermost one ends.
class TRysowanieNakladki {
 public:
  explicit TRysowanieNakladki(TNakladka& nakladka);
  ~TRysowanieNakladki();
  TRysowanieNakladki(const TRysowanieNakladki&) = delete;
  TRysowanieNakladki& operator=(const TRysowanieNakladki&) = delete;

  // Null when the overlay has no canvas (zero size).
  gdi::Plotno* Plotno();

 private:
  TNakladka& nakladka_;
  TRysowanieNakladki* zewnetrzne_;
  std::unique_ptr<QPainter> malarz_;
  std::optional<gdi::Plotno> plotno_;
  std::vector<QRect> zmiany_;
};
