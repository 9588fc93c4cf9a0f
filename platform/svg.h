#pragma once
// What an SVG document reaches beyond itself: Qt SVG opens the files an image element names, so a picture that names
// a FIFO would hang the program and one that names a large file would be read in full. It also decodes every inline
// picture at its full size, so a few hundred kilobytes of them can take gigabytes.

#include <QByteArray>

namespace platform {

enum class OdwolaniaSvg {
  Wewnetrzne,   // each href names an element of the document ("#id", on no image) or carries a PNG or JPEG inline
  Zewnetrzne,   // something names anything else: a file, an address, a style sheet
  Nieczytelne,  // some inline data is no PNG or JPEG, or the document is not well-formed XML to its end
  ZaDuze,       // the inline pictures hold more pixels together than the bound
};

// Qt SVG reads on past what an XML reader calls an error (an undeclared namespace prefix among them) and follows
// the references it finds there, so a document that cannot be read to its end is never taken as self-contained.
// The pixels of the inline pictures are summed as their headers give them, before anything is decoded.
OdwolaniaSvg OdwolaniaDokumentu(const QByteArray& dokument, long long najwiecejPikseli);

}  // namespace platform
