#pragma once
// The text rules of value entry, apart from any widget: what an amount field lets through while typing, how its
// text is corrected after every change, what a field stores, and the masks of NIP and date fields.

#include <QChar>
#include <QString>
#include <optional>
#include <string>

#include "model/obiekt.h"

// The character a key press types into an amount field whose text is `tekst`, or a null character when the key is
// refused: '.' becomes ','; ',' only into a non-empty text without one and not in a whole-number field; '-' not in
// a field that allows no negatives; besides those only digits and backspace.
QChar ZnakLiczby(QChar znak, const QString& tekst, const TObiekt& obiekt);

// An amount text after a change: a '-' stands only first, and at most two characters follow the first ','
// (further ones are cut from the end).
QString PoprawionaLiczba(QString tekst);

// What an amount field stores from its editor's text (Windows-1250 bytes), or the reason it is refused. Formats
// 1, 11 and 12: an empty text takes the default; the text must be an amount (negative only where allowed) and is
// brought to two decimals, 11 rounded to grosze and 12 to whole zloty. Format 2 keeps a whole number as typed,
// the empty text included. No stored amount is longer than the field's character limit.
struct KwotaPola {
  std::optional<std::string> tekst;
  QString blad;
  bool bladKonwersji = false;  // the number conversion's own error, shown as any escaped error is
};
KwotaPola KwotaDoZapisu(const QString& wpisany, const TObiekt& obiekt);

// A text field's value as stored: cut at the character limit (0: none).
QString TekstDoZapisu(QString tekst, const TObiekt& obiekt);

// The input mask of a NIP (by the kind in Format) or date field; blanks show as '_'.
QString MaskaPola(const TObiekt& obiekt);
// The stored text of a masked field from its text as shown: blanks become spaces, and a text without any digit is
// the empty text.
QString TekstZMaski(const QString& wyswietlany);

// The font size of an object in points: its decimal RozmiarCzcionki, null when that is no whole number.
std::optional<int> RozmiarCzcionkiObiektu(const TObiekt& obiekt);

// Fields whose editor first reminds that the sale of real estate is settled in one return only.
bool PodpowiedzZbycia(int kodDruku, int indeks);
extern const QString kPodpowiedzZbycia;
