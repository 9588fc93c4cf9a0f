#include "pages/nakladka.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr QRgb kBialy = 0xFFFFFFFFu;
// Beyond this many rectangles the overlay remembers only their bounding rectangle.
constexpr std::size_t kNajwiecejProstokatow = 4096;
// The overlay is laid over the picture this many rows at a time.
constexpr int kWierszePasa = 32;

}  // namespace

TObrazDruku::TObrazDruku(TKartka* kartka) : QWidget(kartka), kartka_(*kartka) {
  setObjectName("IDruk");
  // The sheet draws the picture; this widget only holds its place.
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TObrazDruku::UstawObraz(const QImage& obraz) {
  // The same rendering again changes nothing on screen.
  if (obraz.cacheKey() == obraz_.cacheKey()) return;
  obraz_ =
      obraz.isNull() || obraz.format() == QImage::Format_RGB32 ? obraz : obraz.convertToFormat(QImage::Format_RGB32);
  kartka_.Zmiana(geometry());
}

void TObrazDruku::moveEvent(QMoveEvent* zdarzenie) {
  kartka_.Zmiana(QRect(zdarzenie->oldPos(), size()));
  kartka_.Zmiana(geometry());
}

void TObrazDruku::resizeEvent(QResizeEvent* zdarzenie) {
  kartka_.Zmiana(QRect(pos(), zdarzenie->oldSize()));
  kartka_.Zmiana(geometry());
}

TNakladka::TNakladka(TKartka* kartka) : QWidget(kartka), kartka_(*kartka) {
  setObjectName("Formatka");
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
}

void TNakladka::Wyczysc(int szerokosc, int wysokosc) {
  szerokosc = std::max(szerokosc, 0);
  wysokosc = std::max(wysokosc, 0);
  if (obraz_.width() != szerokosc || obraz_.height() != wysokosc) {
    obraz_ = szerokosc > 0 && wysokosc > 0 ? QImage(szerokosc, wysokosc, QImage::Format_RGB32) : QImage();
    if (!obraz_.isNull()) obraz_.fill(Qt::white);
    kartka_.Zmiana(geometry());
  } else {
    // Only what was drawn is not white already.
    QPainter malarz(&obraz_);
    for (const QRect& p : narysowane_) malarz.fillRect(p, Qt::white);
    kartka_.Zmiana(obszarRysunku_.translated(pos()));
  }
  narysowane_.clear();
  obszarRysunku_ = QRect();
  stan_.pioro.reset();
  stan_.pedzel = qRgb(255, 255, 255);
  resize(szerokosc, wysokosc);
}

void TNakladka::Narysowano(const std::vector<QRect>& obszary) {
  const QRect plotno = obraz_.rect();
  // One repaint of the rectangle around this drawing: copying a little more costs less than keeping many parts.
  QRect zmieniony;
  for (const QRect& o : obszary) {
    const QRect p = o & plotno;
    if (p.isEmpty()) continue;
    narysowane_.push_back(p);
    zmieniony |= p;
  }
  obszarRysunku_ |= zmieniony;
  if (narysowane_.size() > kNajwiecejProstokatow) narysowane_ = {obszarRysunku_};
  kartka_.Zmiana(zmieniony.translated(pos()));
}

void TNakladka::moveEvent(QMoveEvent* zdarzenie) {
  kartka_.Zmiana(QRect(zdarzenie->oldPos(), size()));
  kartka_.Zmiana(geometry());
}

void TNakladka::resizeEvent(QResizeEvent* zdarzenie) {
  kartka_.Zmiana(QRect(pos(), zdarzenie->oldSize()));
  kartka_.Zmiana(geometry());
}

bool TNakladka::event(QEvent* zdarzenie) {
  // Shown or hidden on the sheet, also while the sheet itself is not on screen.
  if (zdarzenie->type() == QEvent::ShowToParent || zdarzenie->type() == QEvent::HideToParent)
    kartka_.Zmiana(geometry());
  return QWidget::event(zdarzenie);
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

TKartka::TKartka() {
  setObjectName("Kartka");
  // Every pixel is painted here: nothing under the sheet needs painting first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TKartka::UstawWarstwy(TObrazDruku* obraz, TNakladka* nakladka) {
  obraz_ = obraz;
  nakladka_ = nakladka;
  update();
}

void TKartka::Zmiana(const QRect& obszar) {
  const QRect r = obszar & rect();
  if (!r.isEmpty()) update(r);
}

QImage TKartka::Zlozenie() {
  QImage obraz(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  QPainter malarz(&obraz);
  Rysuj(malarz, obraz.rect());
  return obraz;
}

void TKartka::paintEvent(QPaintEvent* zdarzenie) {
  QPainter malarz(this);
  Rysuj(malarz, zdarzenie->region().boundingRect());
}

void TKartka::Rysuj(QPainter& malarz, const QRect& obszar) {
  const QRect r = obszar & rect();
  if (r.isEmpty()) return;
  // The picture where it lies, paper white around it.
  QRect o;
  if (obraz_ && obraz_->isVisibleTo(this) && !obraz_->Obraz().isNull())
    o = r & obraz_->geometry() & QRect(obraz_->pos(), obraz_->Obraz().size());
  if (o.isEmpty()) {
    malarz.fillRect(r, Qt::white);
  } else {
    for (const QRect& pas : {QRect(QPoint(r.left(), r.top()), QPoint(r.right(), o.top() - 1)),
                             QRect(QPoint(r.left(), o.bottom() + 1), QPoint(r.right(), r.bottom())),
                             QRect(QPoint(r.left(), o.top()), QPoint(o.left() - 1, o.bottom())),
                             QRect(QPoint(o.right() + 1, o.top()), QPoint(r.right(), o.bottom()))})
      if (pas.isValid()) malarz.fillRect(pas, Qt::white);
    malarz.drawImage(o.topLeft(), obraz_->Obraz(), o.translated(-obraz_->pos()));
  }
  if (!nakladka_ || !nakladka_->isVisibleTo(this) || nakladka_->Obraz().isNull()) return;
  // The overlay where it was drawn on, its white transparent and any other colour covering the picture; a strip at a
  // time, so the scratch stays small.
  const QImage& nakladka = nakladka_->Obraz();
  const QPoint przesuniecie = nakladka_->pos();
  const QRect n = r & nakladka_->geometry() & nakladka_->ObszarRysunku().translated(przesuniecie);
  if (n.isEmpty()) return;
  pas_.resize(static_cast<std::size_t>(n.width()) * kWierszePasa);
  for (int gora = n.top(); gora <= n.bottom(); gora += kWierszePasa) {
    const int wiersze = std::min(kWierszePasa, n.bottom() + 1 - gora);
    for (int w = 0; w < wiersze; ++w) {
      const auto* zrodlo = reinterpret_cast<const QRgb*>(nakladka.constScanLine(gora + w - przesuniecie.y())) +
                           (n.left() - przesuniecie.x());
      QRgb* cel = pas_.data() + static_cast<std::size_t>(w) * static_cast<std::size_t>(n.width());
      for (int x = 0; x < n.width(); ++x) cel[x] = zrodlo[x] == kBialy ? 0u : zrodlo[x];
    }
    const QImage pas(reinterpret_cast<const uchar*>(pas_.data()), n.width(), wiersze,
                     n.width() * static_cast<int>(sizeof(QRgb)), QImage::Format_ARGB32_Premultiplied);
    malarz.drawImage(QPoint(n.left(), gora), pas);
  }
}

TRysowanieNakladki::TRysowanieNakladki(TNakladka& nakladka) : nakladka_(nakladka), zewnetrzne_(nakladka.rysowanie_) {
  if (zewnetrzne_ || nakladka_.obraz_.isNull()) return;
  malarz_ = std::make_unique<QPainter>(&nakladka_.obraz_);
  plotno_.emplace(*malarz_, nakladka_.stan_);
  plotno_->SledzZmiany(&zmiany_);
  nakladka_.rysowanie_ = this;
}

TRysowanieNakladki::~TRysowanieNakladki() {
  if (nakladka_.rysowanie_ != this) return;
  nakladka_.rysowanie_ = nullptr;
  plotno_.reset();
  malarz_.reset();
  nakladka_.Narysowano(zmiany_);
}

gdi::Plotno* TRysowanieNakladki::Plotno() {
  if (zewnetrzne_) return zewnetrzne_->Plotno();
  return plotno_ ? &*plotno_ : nullptr;
}
