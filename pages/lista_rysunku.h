#pragma once
// A page picture of the kind the form generator writes (SVG of rectangles, lines and texts, grouped by their look)
// read once into a list of drawing operations and drawn with QPainter: shapes with the pens and brushes Qt SVG
// would use, texts as text in the same fonts, so a screen draws them from the glyph cache and a PDF holds them as
// text. Anything outside that subset is refused; such a picture is drawn by Qt SVG instead.

#include <QByteArray>
#include <QFont>
#include <QRectF>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QPainter;

class TListaRysunku {
 public:
  // The operations of an SVG document; null when it uses anything beyond the subset or is not well-formed.
  static std::optional<TListaRysunku> Czytaj(const QByteArray& svg);

  // The view box: the picture's own coordinates.
  const QRectF& Pole() const { return pole_; }
  // Draws the view box stretched over the target rectangle.
  void Rysuj(QPainter& malarz, const QRectF& cel) const;
  // Bytes the list holds, for the picture cache's accounting.
  std::size_t Rozmiar() const;

  // How a shape or text is drawn: fill (also a text's colour) and outline with its width; empty means none.
  struct Wyglad {
    std::optional<QRgb> wypelnienie;
    std::optional<QRgb> obrys;
    float grubosc = 1;
    bool operator==(const Wyglad&) const = default;
  };
  enum class Kotwica : std::uint8_t { Poczatek, Srodek, Koniec };
  enum class Rodzaj : std::uint8_t { Prostokat, Linia, Tekst };
  struct Operacja {
    Rodzaj rodzaj = Rodzaj::Prostokat;
    Kotwica kotwica = Kotwica::Poczatek;
    std::uint16_t wyglad = 0;
    std::uint16_t pismo = 0;  // texts: index of the font
    std::uint32_t tekst = 0;  // texts: index of the text
    // Rectangle: x, y, width, height; line: x1, y1, x2, y2; text: the anchor point on the baseline.
    float a = 0, b = 0, c = 0, d = 0;
  };

 private:
  TListaRysunku() = default;
  void RysujTekst(QPainter& malarz, const Operacja& o) const;
  friend class TCzytnikRysunku;

  QRectF pole_;
  std::vector<Operacja> operacje_;
  std::vector<Wyglad> wyglady_;
  // A font, and the scale that brings it to its size when that is no whole number of pixels.
  struct Pismo {
    QFont font;
    float skala = 1;
  };
  std::vector<Pismo> pisma_;
  std::vector<QString> teksty_;
};
