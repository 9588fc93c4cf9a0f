#pragma once
// What an SVG document reaches beyond itself: Qt SVG opens the files an image element names, so a picture that names
// a FIFO would hang the program and one that names a large file would be read in full.

#include <QByteArray>

namespace platform {

// True when every reference of the document stays inside it: each href names a fragment of the document ("#...")
// or carries its data inline ("data:..."). A document that is not well-formed XML counts as self-contained here;
// whether it is a picture at all is the SVG reader's to say.
bool SvgSamodzielny(const QByteArray& dokument);

}  // namespace platform
