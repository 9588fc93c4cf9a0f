#pragma once
// What an SVG document reaches beyond itself: Qt SVG opens the files an image element names, so a picture that names
// a FIFO would hang the program and one that names a large file would be read in full.

#include <QByteArray>

namespace platform {

enum class OdwolaniaSvg {
  Wewnetrzne,   // each href names a fragment of the document ("#...") or carries its data inline ("data:...")
  Zewnetrzne,   // some href names anything else: a file, an address
  Nieczytelne,  // the document is not well-formed XML to its end, so what it names cannot be told
};

// Qt SVG reads on past what an XML reader calls an error (an undeclared namespace prefix among them) and follows
// the references it finds there, so a document that cannot be read to its end is never taken as self-contained.
OdwolaniaSvg OdwolaniaDokumentu(const QByteArray& dokument);

}  // namespace platform
