#include "main/obrazki.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <map>
#include <tuple>

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

// An icon drawn from an SVG file at each size and pixel ratio it is asked for, once; disabled as the style greys
// icons.
class TIkonaSvg : public QIconEngine {
 public:
  explicit TIkonaSvg(QString plik) : plik_(std::move(plik)) {}

  QIconEngine* clone() const override { return new TIkonaSvg(*this); }
  QSize actualSize(const QSize& rozmiar, QIcon::Mode, QIcon::State) override { return rozmiar; }
  QPixmap pixmap(const QSize& rozmiar, QIcon::Mode tryb, QIcon::State stan) override {
    return scaledPixmap(rozmiar, tryb, stan, 1.0);
  }
  void paint(QPainter* malarz, const QRect& prostokat, QIcon::Mode tryb, QIcon::State stan) override {
    malarz->drawPixmap(prostokat, scaledPixmap(prostokat.size(), tryb, stan, malarz->device()->devicePixelRatioF()));
  }

  QPixmap scaledPixmap(const QSize& rozmiar, QIcon::Mode tryb, QIcon::State, qreal skala) override {
    const QSize piksele = rozmiar * skala;
    const bool wylaczona = tryb == QIcon::Disabled;
    const auto klucz = std::make_tuple(piksele.width(), piksele.height(), wylaczona);
    if (const auto znaleziona = gotowe_.find(klucz); znaleziona != gotowe_.end()) return znaleziona->second;
    QImage obraz(piksele.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    obraz.fill(Qt::transparent);
    QPainter malarz(&obraz);
    QSvgRenderer(plik_).render(&malarz);
    malarz.end();
    QPixmap wynik = QPixmap::fromImage(std::move(obraz));
    if (wylaczona) {
      QStyleOption opcje;
      opcje.palette = QApplication::palette();
      wynik = QApplication::style()->generatedIconPixmap(QIcon::Disabled, wynik, &opcje);
    }
    wynik.setDevicePixelRatio(skala);
    return gotowe_[klucz] = wynik;
  }

 private:
  QString plik_;
  std::map<std::tuple<int, int, bool>, QPixmap> gotowe_;
};

}  // namespace

QIcon IkonaPaska(const QString& nazwa) {
  return QIcon(new TIkonaSvg(QStringLiteral(":/ikony/") + nazwa + QStringLiteral(".svg")));
}

std::array<QIcon, 6> ObrazkiDrukow() {
  const std::array<QColor, 3> kolory = {QColor(110, 110, 110), QColor(30, 90, 190), QColor(190, 40, 60)};
  std::array<QIcon, 6> obrazki;
  for (int pm = 0; pm < 3; ++pm) {
    obrazki[pm] = Obrazek(kolory[pm], false);
    obrazki[pm + 3] = Obrazek(kolory[pm], true);
  }
  return obrazki;
}
