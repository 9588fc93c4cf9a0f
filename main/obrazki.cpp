#include "main/obrazki.h"

#include <QPainter>
#include <QPixmap>

namespace {

QIcon Obrazek(QColor kolor, bool wybrany) {
  QPixmap p(16, 16);
  p.fill(Qt::transparent);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  g.setPen(QColor(60, 60, 60));
  g.setBrush(Qt::white);
  g.drawRect(2, 1, 11, 14);
  g.fillRect(QRect(3, 2, 10, 3), kolor);
  g.setPen(kolor.darker(130));
  for (int y = 7; y <= 12; y += 2) g.drawLine(4, y, 11, y);
  if (wybrany) {
    g.setPen(QPen(QColor(0, 140, 0), 2));
    g.drawLine(6, 10, 9, 13);
    g.drawLine(9, 13, 15, 5);
  }
  return QIcon(p);
}

}  // namespace

std::array<QIcon, 6> ObrazkiDrukow() {
  const std::array<QColor, 3> kolory = {QColor(110, 110, 110), QColor(30, 90, 190), QColor(190, 40, 60)};
  std::array<QIcon, 6> obrazki;
  for (int pm = 0; pm < 3; ++pm) {
    obrazki[pm] = Obrazek(kolory[pm], false);
    obrazki[pm + 3] = Obrazek(kolory[pm], true);
  }
  return obrazki;
}
