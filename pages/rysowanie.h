#pragma once
// Drawing the field objects of the shown page onto the overlay: in client mode each visible field with its value
// from the settlement, in designer mode each object's frame with its label, and the resize handles.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "model/obiekt.h"

class TFImage;
namespace gdi {
class Plotno;
struct Prostokat;
}  // namespace gdi

// Redraws the shown page from the view's objects, after locking the spouse fields the settlement kind excludes.
void RysujObiekty(TFImage* view);
// Reloads TTools::PlikDcs into the view and draws the shown page's objects; a missing file is reported and changes
// nothing.
void WczytajIRysujObiekty(TFImage* view);
// Client mode: draws one field with the value of entry indeks of the record on screen.
void RysujPole(TFImage* view, int indeks, TObiekt obiekt);
// Lowers the overlay font by 2 points at a time (not below 3 or 4) until the text fits the width less 10.
void DopasujCzcionke(TFImage* view, int szerokosc, const QString& tekst);
// Designer mode: the eight handles of TFImage::PrzesuwanyObiekt.
void RysujUchwytyObiektu(TFImage* view);

// Text preparation shared with printing, on Windows-1250 bytes. A value without '-' gets dashes: a NIP before
// characters 4, 8 and 11 (1234567890 -> 123-456-78-90), a date before characters 3 and 6; a short text gets them
// at its end. The empty text stays empty.
std::string WstawMyslnikiNip(std::string tekst);
std::string WstawMyslnikiDaty(std::string tekst);
// An amount as a currency value (four decimals) shown with two decimals and thousands separators, with the
// regional decimal separator: "1234567,5" -> "1 234 567,50" (no-break spaces). Null when it is not a number.
std::optional<QString> KwotaDoWyswietlenia(std::string_view tekst);
// A field's one text inside its frame, not clipped: a value too long for the field shows whole, running on beside it,
// on screen and on paper, rather than cut to digits that read as another value.
void RysujTekstPola(gdi::Plotno& plotno, const QString& tekst, const gdi::Prostokat& pole, unsigned flagi);
