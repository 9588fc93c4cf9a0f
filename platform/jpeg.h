#pragma once
// JPEG pictures decoded with libjpeg. Damaged or hostile input gives a null image, never a crash.

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace platform {

// The picture in RGB; null when the data is not a whole, readable JPEG (corrupt or cut-short data included) or the
// picture is unreasonably large.
QImage DekodujJpeg(QByteArrayView dane);
// Reads (as platform::CzytajPlik allows, at most kNajwiekszyObrazJpeg bytes) and decodes a file; null when it is
// missing, refused or no picture. blad receives the refusal of a file that is there.
QImage WczytajJpeg(const QString& sciezka, QString* blad = nullptr);

}  // namespace platform
