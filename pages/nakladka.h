#pragma once
// The layers of the page view: the page picture IDruk and, over it, the overlay Formatka, on a sheet that shows them
// composed. The overlay is a retained image on which the fields are drawn from the handlers, never while painting;
// its exactly white pixels are transparent, so a white field lets the picture show through. Neither layer paints
// itself: the sheet paints, opaque, only the parts a layer changed, copying the picture and laying over it the
// overlay's pixels where it was drawn on.

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "pages/gdi.h"

class QPainter;
class TKartka;
class TObrazStrony;

// A layer of the sheet: wherever it moves or grows, the sheet repaints the place it left and the place it takes.
class TWarstwaKartki : public QWidget {
 public:
  explicit TWarstwaKartki(TKartka* kartka);

 protected:
  void moveEvent(QMoveEvent* zdarzenie) override;
  void resizeEvent(QResizeEvent* zdarzenie) override;

  TKartka& kartka_;
};

// IDruk: the place of the rendered page picture on the sheet.
class TObrazDruku : public TWarstwaKartki {
  Q_OBJECT
 public:
  explicit TObrazDruku(TKartka* kartka);
  // The picture whose rendering (kept as it is or packed) the sheet shows; null shows none.
  void UstawObraz(std::shared_ptr<const TObrazStrony> obraz);
  const TObrazStrony* Obraz() const { return obraz_.get(); }

 private:
  std::shared_ptr<const TObrazStrony> obraz_;
  QSize rozmiar_;  // of its rendering when it was set
};

class TRysowanieNakladki;

// Formatka: the overlay canvas and the mouse events of the page.
class TNakladka : public TWarstwaKartki {
  Q_OBJECT
 public:
  explicit TNakladka(TKartka* kartka);

  // A blank white canvas of this size, the widget sized to it; pen none, brush solid white.
  void Wyczysc(int szerokosc, int wysokosc);
  // The canvas as drawn, opaque; white means transparent.
  const QImage& Obraz() const { return obraz_; }
  // What the canvas holds between drawings: pen, brush, text colours and font.
  gdi::Stan& Stan() { return stan_; }
  // The rectangle around everything drawn on the canvas since it was last cleared; outside it the canvas is white.
  const QRect& ObszarRysunku() const { return obszarRysunku_; }
  // Lends the canvas's memory (none while a drawing is under way) to render a page picture in, before the overlay is
  // cleared for that page; until it is given back the overlay shows nothing.
  QImage PozyczPlotno();
  // Takes the memory back, or other memory: blank (white) when wyczyszczone, else as it was lent.
  void ZwrocPlotno(QImage obraz, bool wyczyszczone);

 signals:
  void Ruch(int x, int y, Qt::KeyboardModifiers klawisze);
  void Nacisniecie(Qt::MouseButton przycisk, Qt::KeyboardModifiers klawisze, int x, int y);
  void Zwolnienie(Qt::MouseButton przycisk, Qt::KeyboardModifiers klawisze, int x, int y);
  // A left press and release on the overlay.
  void Klikniecie();

 protected:
  bool event(QEvent* zdarzenie) override;
  void mouseMoveEvent(QMouseEvent* zdarzenie) override;
  void mousePressEvent(QMouseEvent* zdarzenie) override;
  void mouseReleaseEvent(QMouseEvent* zdarzenie) override;

 private:
  friend class TRysowanieNakladki;
  // The canvas changed within these rectangles: remembered, and shown on the sheet.
  void Narysowano(const std::vector<QRect>& obszary);

  QImage obraz_;
  std::vector<QRect> narysowane_;  // what was drawn since the last clearing, to be cleared next
  QRect obszarRysunku_;
  gdi::Stan stan_;
  TRysowanieNakladki* rysowanie_ = nullptr;
};

// The sheet under the scroll area: the page as the two layers compose it.
class TKartka : public QWidget {
  Q_OBJECT
 public:
  TKartka();
  // The layers it composes; set once, by the page view.
  void UstawWarstwy(TObrazDruku* obraz, TNakladka* nakladka);
  // Something changed within this area of the sheet: painted again when the event loop gets to it.
  void Zmiana(const QRect& obszar);
  // The page as shown: the picture, the overlay's non-white pixels over it, white elsewhere.
  QImage Zlozenie();

 protected:
  void paintEvent(QPaintEvent* zdarzenie) override;

 private:
  // Draws the composed page within obszar (sheet coordinates) with a painter whose origin is the sheet's.
  void Rysuj(QPainter& malarz, const QRect& obszar);
  // Composes a strip of the sheet in pas_: the picture's rendering within p, the overlay drawn on within n.
  void SkladajPas(const QRect& pas, const TObrazStrony* strona, const QRect& p, const QRect& n);

  TObrazDruku* obraz_ = nullptr;
  TNakladka* nakladka_ = nullptr;
  std::vector<QRgb> pas_;      // a strip of the page as composed
  std::vector<QRgb> wiersze_;  // rows of the picture, when the strip does not take them whole
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
