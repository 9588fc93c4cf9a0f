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
// Convenience: reads a file; false when missing/unreadable (document untouched then).
bool WczytajPlikRtf(QTextDocument& dokument, const QString& sciezka);

}  // namespace platform
