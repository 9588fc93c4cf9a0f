#pragma once
// Replacing a document on disk atomically, with the system's own reason when it fails: a temporary file beside the
// document is written whole and flushed to the disk, then renamed over it. Whatever happens, the document is
// either the old one or the new one.

#include <QByteArrayView>
#include <QString>

namespace platform {

struct WynikZapisu {
  int kod = 0;     // the system's error number; 0 when the document was replaced
  QString powod;   // what went wrong, in Polish, for the user; empty on success
  bool Udany() const { return kod == 0; }
};

// The document's permissions are kept; a link is followed, so the file it names is replaced, not the link.
WynikZapisu ZapiszAtomowo(const QString& sciezka, QByteArrayView dane);

}  // namespace platform
