#include "pages/nakladka.h"

#include <QMouseEvent>
#include <QPainter>

TObrazDruku::TObrazDruku(QWidget* rodzic) : QWidget(rodzic) {
  setObjectName("IDruk");
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TObrazDruku::UstawObraz(const QImage& obraz) {
  obraz_ = obraz;
  update();
}

void TObrazDruku::paintEvent(QPaintEvent* zdarzenie) {
  if (obraz_.isNull()) return;
  QPainter malarz(this);
  malarz.drawImage(zdarzenie->rect().topLeft(), obraz_, zdarzenie->rect());
}

TNakladka::TNakladka(QWidget* rodzic) : QWidget(rodzic) {
  setObjectName("Formatka");
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
}

void TNakladka::Wyczysc(int szerokosc, int wysokosc) {
  szerokosc = std::max(szerokosc, 0);
  wysokosc = std::max(wysokosc, 0);
  if (obraz_.width() != szerokosc || obraz_.height() != wysokosc)
    obraz_ = szerokosc > 0 && wysokosc > 0 ? QImage(szerokosc, wysokosc, QImage::Format_RGB32) : QImage();
  if (!obraz_.isNull()) obraz_.fill(Qt::white);
  stan_.pioro.reset();
  stan_.pedzel = qRgb(255, 255, 255);
  widokAktualny_ = false;
  resize(szerokosc, wysokosc);
  update();
}

const QImage& TNakladka::Widok() {
  if (widokAktualny_) return widok_;
  if (widok_.size() != obraz_.size()) widok_ = QImage(obraz_.size(), QImage::Format_ARGB32_Premultiplied);
  constexpr QRgb kBialy = 0xFFFFFFFFu;
  for (int y = 0; y < obraz_.height(); ++y) {
    const auto* zrodlo = reinterpret_cast<const QRgb*>(obraz_.constScanLine(y));
    auto* cel = reinterpret_cast<QRgb*>(widok_.scanLine(y));
    for (int x = 0; x < obraz_.width(); ++x) cel[x] = zrodlo[x] == kBialy ? 0u : zrodlo[x];
  }
  widokAktualny_ = true;
  return widok_;
}

void TNakladka::paintEvent(QPaintEvent* zdarzenie) {
  if (obraz_.isNull()) return;
  QPainter malarz(this);
  malarz.drawImage(zdarzenie->rect().topLeft(), Widok(), zdarzenie->rect());
}

void TNakladka::mouseMoveEvent(QMouseEvent* zdarzenie) {
  const QPoint p = zdarzenie->position().toPoint();
  emit Ruch(p.x(), p.y(), zdarzenie->modifiers());
}

void TNakladka::mousePressEvent(QMouseEvent* zdarzenie) {
  const QPoint p = zdarzenie->position().toPoint();
  emit Nacisniecie(zdarzenie->button(), zdarzenie->modifiers(), p.x(), p.y());
}

void TNakladka::mouseReleaseEvent(QMouseEvent* zdarzenie) {
  const QPoint p = zdarzenie->position().toPoint();
  emit Zwolnienie(zdarzenie->button(), zdarzenie->modifiers(), p.x(), p.y());
  if (zdarzenie->button() == Qt::LeftButton && rect().contains(p)) emit Klikniecie();
}

TRysowanieNakladki::TRysowanieNakladki(TNakladka& nakladka) : nakladka_(nakladka), zewnetrzne_(nakladka.rysowanie_) {
  if (zewnetrzne_ || nakladka_.obraz_.isNull()) return;
  malarz_ = std::make_unique<QPainter>(&nakladka_.obraz_);
  plotno_.emplace(*malarz_, nakladka_.stan_);
  nakladka_.rysowanie_ = this;
}

TRysowanieNakladki::~TRysowanieNakladki() {
  if (nakladka_.rysowanie_ != this) return;
  nakladka_.rysowanie_ = nullptr;
  plotno_.reset();
  malarz_.reset();
  nakladka_.widokAktualny_ = false;
  nakladka_.update();
}

gdi::Plotno* TRysowanieNakladki::Plotno() {
  if (zewnetrzne_) return zewnetrzne_->Plotno();
  return plotno_ ? &*plotno_ : nullptr;
}
