#pragma once
// Our RTF reader: the rich texts delivered beside the program (welcome, licence, wizard questions) loaded into a
// QTextDocument with the subset of RTF those texts use.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace platform {

// Replaces the document's content by the RTF text. Returns false (and leaves plain text of what could be read)
// when the input is not RTF at all (does not start with "{\rtf"). Never throws, never crashes on hostile input.
bool WczytajRtf(QTextDocument& dokument, const QByteArray& rtf);
// Reads a file as platform::CzytajPlik allows it (a regular file of at most kNajwiekszyTekstRtf bytes). False, the
// document untouched, when there is no such file or it is refused (blad then says why); false with the document
// emptied when its text is too much for the memory. Never throws.
bool WczytajPlikRtf(QTextDocument& dokument, const QString& sciezka, QString* blad = nullptr);

}  // namespace platform
