#pragma once
// Replacing a document on disk atomically, with the system's own reason when it fails: a temporary file beside the
// document is written whole and flushed to the disk, then renamed over it. Whatever happens, the document is
// either the old one or the new one.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <sys/types.h>

namespace platform {

struct WynikZapisu {
  int kod = 0;     // the system's error number; 0 when the document was replaced
  QString powod;   // what went wrong, in Polish, for the user; empty on success
  bool Udany() const { return kod == 0; }
};

// The document's permission bits are kept, but never set-user-id, set-group-id or sticky, and so are its owner and
// group where the system lets this user give them; a link is followed, so the file it names is replaced and the link
// stays. A document whose own permission bits deny its user writing is kept and refused (EACCES), also for a user whom
// the system would let write anything; the reason says whether nobody may write it or only this user may not.
WynikZapisu ZapiszAtomowo(const QString& sciezka, QByteArrayView dane);

// Removes what saves of the document left when they were stopped before their rename: this user's regular files
// named as a save names its temporary and still without permission bits, as a save makes them, beside the file a
// link names. Nothing else goes, and nothing is reported. It reads the whole folder, so it is for the moment a file
// is taken up, not for every save.
void UsunPozostawioneTymczasowe(const QString& sciezka);

// The permission bits a new file gets under this user's mask.
mode_t TrybNowegoPliku();

// A new file for writing, named przedrostek and twelve random letters and digits, made with the bits tryb and without
// following a link: in the folder of the descriptor folder, or with AT_FDCWD where the path przedrostek leads. Its
// name is left in nazwa; -1 with errno when none can be made.
int NowyTymczasowy(int folder, const QByteArray& przedrostek, mode_t tryb, QByteArray& nazwa);

}  // namespace platform
