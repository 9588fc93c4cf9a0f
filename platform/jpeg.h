#pragma once
// JPEG pictures decoded with libjpeg. Damaged or hostile input gives a null image, never a crash.

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace platform {

// The picture in RGB; null when the data is not a whole, readable JPEG (corrupt or cut-short data included) or the
// picture is unreasonably large.
QImage DekodujJpeg(QByteArrayView dane);
// Reads and decodes a file; null when it is missing or unreadable.
QImage WczytajJpeg(const QString& sciezka);

}  // namespace platform
