#pragma once
// Drawing by the rules of the Windows GDI calls that the form structures are laid out for, on any
// QPainter: a rectangle (l, t, r, b) covers the pixels l..r-1 and t..b-1; a line leaves out its end point; text
// is placed from the top of its rectangle, on an opaque background while a brush is set, broken at blanks or cut
// with an ellipsis on request. Coordinates and pen widths are device pixels; font sizes in points are turned into
// pixels at 96 dots per inch times the scale (the overlay uses 1, a printer its own resolution over 96). Prefix
// characters ('&') are never interpreted.

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QRgb>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace gdi {

// DrawText flags, with the values of the Windows API.
enum Flagi : unsigned {
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_NOCLIP = 0x100,
  DT_NOPREFIX = 0x800,
  DT_END_ELLIPSIS = 0x8000,
};

// The family of every overlay and printed text: Liberation Sans, else DejaVu Sans.
const QString& RodzinaCzcionki();

// MulDiv of the Windows API: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c);

// What a canvas holds between calls: pen, brush, text colours and font.
struct Stan {
  std::optional<QRgb> pioro = qRgb(0, 0, 0);  // empty: no pen (clNone)
  int szerokoscPiora = 1;
  std::optional<QRgb> pedzel = qRgb(255, 255, 255);  // empty: clear brush, and text is drawn without background
  QRgb kolorTekstu = qRgb(0, 0, 0);
  QRgb tloTekstu = qRgb(255, 255, 255);
  // The font height as a Windows font holds it: negative = character height in pixels (what a size in points
  // gives), positive = cell height, 0 = the default of 8 points.
  int wysokoscCzcionki = 0;
  bool pogrubiona = false;
};

struct Prostokat {
  int l = 0, t = 0, r = 0, b = 0;
};

class Plotno {
 public:
  Plotno(QPainter& malarz, Stan& stan, double skala = 1.0);

  Stan& stan() { return stan_; }
  // Collects the device rectangle every later drawing may have touched (none is collected by default).
  void SledzZmiany(std::vector<QRect>* zmiany) { zmiany_ = zmiany; }

  // Font.Size in points (negative while the font is set by its cell height) and its setters.
  int RozmiarCzcionki() const;
  void UstawRozmiarCzcionki(int punkty);
  void UstawWysokoscCzcionki(int piksele) { stan_.wysokoscCzcionki = piksele; }

  // Frame with the pen (when set) and fill with the brush (when set). Without a pen the fill covers l..r-2 and
  // t..b-2, as GDI's does.
  void Rysuj(const Prostokat& p);
  // From (x1, y1) to (x2, y2) without the end point, with the pen's colour and width.
  void Linia(int x1, int y1, int x2, int y2);

  // The width of a text set on one line, in device pixels.
  int SzerokoscTekstu(const QString& tekst);
  void RysujTekst(const QString& tekst, const Prostokat& p, unsigned flagi);

 private:
  const QFont& Czcionka();
  void Zmiana(const QRect& obszar);

  QPainter& malarz_;
  Stan& stan_;
  double skala_;
  std::vector<QRect>* zmiany_ = nullptr;
  std::optional<QFont> czcionka_;
  std::optional<QFontMetrics> miary_;
  int wysokoscCzcionki_ = 0;
  bool pogrubiona_ = false;
};

}  // namespace gdi
