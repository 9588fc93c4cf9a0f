#pragma once
// The two layers of the page view: the page picture IDruk and, over it, the overlay Formatka. The overlay is a
// retained image on which the fields are drawn from the handlers, never while painting; its exactly white pixels
// are transparent, so a white field lets the picture show through.

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>

#include "pages/gdi.h"

class QPainter;

// IDruk: shows the rendered page picture as it is.
class TObrazDruku : public QWidget {
  Q_OBJECT
 public:
  explicit TObrazDruku(QWidget* rodzic);
  void UstawObraz(const QImage& obraz);
  const QImage& Obraz() const { return obraz_; }

 protected:
  void paintEvent(QPaintEvent* zdarzenie) override;

 private:
  QImage obraz_;
};

class TRysowanieNakladki;

// Formatka: the overlay canvas and the mouse events of the page.
class TNakladka : public QWidget {
  Q_OBJECT
 public:
  explicit TNakladka(QWidget* rodzic);

  // A blank white canvas of this size, the widget sized to it; pen none, brush solid white.
  void Wyczysc(int szerokosc, int wysokosc);
  // The canvas as drawn, opaque; white means transparent.
  const QImage& Obraz() const { return obraz_; }
  // What the canvas holds between drawings: pen, brush, text colours and font.
  gdi::Stan& Stan() { return stan_; }
  // The canvas with white made transparent, rebuilt at its first use after a change.
  const QImage& Widok();

 signals:
  void Ruch(int x, int y, Qt::KeyboardModifiers klawisze);
  void Nacisniecie(Qt::MouseButton przycisk, Qt::KeyboardModifiers klawisze, int x, int y);
  void Zwolnienie(Qt::MouseButton przycisk, Qt::KeyboardModifiers klawisze, int x, int y);
  // A left press and release on the overlay.
  void Klikniecie();

 protected:
  void paintEvent(QPaintEvent* zdarzenie) override;
  void mouseMoveEvent(QMouseEvent* zdarzenie) override;
  void mousePressEvent(QMouseEvent* zdarzenie) override;
  void mouseReleaseEvent(QMouseEvent* zdarzenie) override;

 private:
  friend class TRysowanieNakladki;

  QImage obraz_;
  QImage widok_;
  bool widokAktualny_ = false;
  gdi::Stan stan_;
  TRysowanieNakladki* rysowanie_ = nullptr;
};

// One drawing on the overlay: opens a painter on its canvas, or joins the drawing already under way, and has the
// overlay repainted when the outermost one ends.
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
};
