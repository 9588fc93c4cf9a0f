#pragma once
// JPEG pictures decoded with libjpeg. Damaged or hostile input gives a null image, never a crash.

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace platform {

// The picture in RGB; null when the data is not a whole, readable JPEG (corrupt or cut-short data included) or the
// picture is unreasonably large. With a target width, libjpeg decodes at the smallest of its scales (1/8, 1/4, 1/2,
// 1) that is still at least that wide, so a large picture shown small never exists at its full size. rozmiar
// receives the picture's own size once its header is read, also when the picture is then refused.
QImage DekodujJpeg(QByteArrayView dane, int szerokoscDocelowa = 0, QSize* rozmiar = nullptr);
// Reads (as platform::CzytajPlik allows, at most kNajwiekszyObrazJpeg bytes) and decodes a file; null when it is
// missing, refused or no picture. blad receives the refusal of a file that is there.
QImage WczytajJpeg(const QString& sciezka, QString* blad = nullptr);

}  // namespace platform
