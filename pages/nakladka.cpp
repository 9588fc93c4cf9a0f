#include "pages/nakladka.h"

#include <QMouseEvent>
#include <QPainter>
#include <cstring>

namespace {

constexpr QRgb kBialy = 0xFFFFFFFFu;
// Beyond this many rectangles the overlay remembers only their bounding rectangle.
constexpr std::size_t kNajwiecejProstokatow = 4096;
// Beyond this many parts a region to compose is taken whole.
constexpr int kNajwiecejCzesci = 32;

QRect Obejmujacy(const std::vector<QRect>& prostokaty) {
  QRect wynik;
  for (const QRect& p : prostokaty) wynik |= p;
  return wynik;
}

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
    for (const QRect& p : narysowane_) {
      malarz.fillRect(p, Qt::white);
      kartka_.Zmiana(p.translated(pos()));
    }
  }
  narysowane_.clear();
  stan_.pioro.reset();
  stan_.pedzel = qRgb(255, 255, 255);
  resize(szerokosc, wysokosc);
}

void TNakladka::Narysowano(const std::vector<QRect>& obszary) {
  const QRect plotno = obraz_.rect();
  for (const QRect& o : obszary) {
    const QRect p = o & plotno;
    if (p.isEmpty()) continue;
    narysowane_.push_back(p);
    kartka_.Zmiana(p.translated(pos()));
  }
  if (narysowane_.size() > kNajwiecejProstokatow) narysowane_ = {Obejmujacy(narysowane_)};
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
  // Every pixel comes from the composed image: nothing under it needs painting first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TKartka::UstawWarstwy(TObrazDruku* obraz, TNakladka* nakladka) {
  obraz_ = obraz;
  nakladka_ = nakladka;
  Zmiana(rect());
}

void TKartka::Zmiana(const QRect& obszar) {
  const QRect r = obszar & rect();
  if (r.isEmpty()) return;
  nieaktualne_ += r;
  update(r);
}

const QImage& TKartka::Zlozenie() {
  DopasujRozmiar();
  for (const QRect& r : nieaktualne_) Skladaj(r);
  nieaktualne_ = QRegion();
  return zlozenie_;
}

void TKartka::resizeEvent(QResizeEvent*) { DopasujRozmiar(); }

void TKartka::DopasujRozmiar() {
  // A hidden sheet hears of its new size only when it is shown; whoever needs the image asks first.
  const QSize rozmiar = size().expandedTo(QSize(1, 1));
  if (zlozenie_.size() == rozmiar) return;
  zlozenie_ = QImage(rozmiar, QImage::Format_RGB32);
  nieaktualne_ = rect();
}

void TKartka::showEvent(QShowEvent*) { nieaktualne_ = rect(); }

void TKartka::paintEvent(QPaintEvent* zdarzenie) {
  DopasujRozmiar();
  // Many small parts are composed as the one rectangle around them: composing is cheaper than keeping count.
  QRegion teraz = nieaktualne_ & zdarzenie->region();
  if (teraz.rectCount() > kNajwiecejCzesci) teraz = teraz.boundingRect();
  for (const QRect& r : teraz) Skladaj(r);
  nieaktualne_ -= teraz;
  const QRect obszar = zdarzenie->region().boundingRect();
  QPainter(this).drawImage(obszar.topLeft(), zlozenie_, obszar);
}

void TKartka::Skladaj(const QRect& obszar) {
  const QRect r = obszar & zlozenie_.rect();
  if (r.isEmpty()) return;
  const auto wiersz = [](QImage& obraz, int x, int y) { return reinterpret_cast<QRgb*>(obraz.scanLine(y)) + x; };
  const auto bialy = [&](const QRect& p) {
    for (int y = p.top(); y <= p.bottom(); ++y) std::fill_n(wiersz(zlozenie_, p.left(), y), p.width(), kBialy);
  };
  // The picture where it lies, paper white around it.
  QRect o;
  if (obraz_ && obraz_->isVisibleTo(this) && !obraz_->Obraz().isNull())
    o = r & obraz_->geometry() & QRect(obraz_->pos(), obraz_->Obraz().size());
  if (o.isEmpty()) {
    bialy(r);
  } else {
    bialy(QRect(QPoint(r.left(), r.top()), QPoint(r.right(), o.top() - 1)));
    bialy(QRect(QPoint(r.left(), o.bottom() + 1), QPoint(r.right(), r.bottom())));
    bialy(QRect(QPoint(r.left(), o.top()), QPoint(o.left() - 1, o.bottom())));
    bialy(QRect(QPoint(o.right() + 1, o.top()), QPoint(r.right(), o.bottom())));
    const QImage& obraz = obraz_->Obraz();
    for (int y = o.top(); y <= o.bottom(); ++y)
      std::memcpy(wiersz(zlozenie_, o.left(), y),
                  obraz.constScanLine(y - obraz_->y()) + (o.left() - obraz_->x()) * sizeof(QRgb),
                  static_cast<std::size_t>(o.width()) * sizeof(QRgb));
  }
  if (!nakladka_ || !nakladka_->isVisibleTo(this) || nakladka_->Obraz().isNull()) return;
  // The overlay's white is transparent, any other colour covers the picture; it is white but where it was drawn.
  const QImage& nakladka = nakladka_->Obraz();
  const QPoint przesuniecie = nakladka_->pos();
  const QRect widoczna = r & nakladka_->geometry();
  for (const QRect& narysowany : nakladka_->Narysowane()) {
    const QRect n = narysowany.translated(przesuniecie) & widoczna;
    for (int y = n.top(); y <= n.bottom(); ++y) {
      const auto* zrodlo =
          reinterpret_cast<const QRgb*>(nakladka.constScanLine(y - przesuniecie.y())) + (n.left() - przesuniecie.x());
      QRgb* cel = wiersz(zlozenie_, n.left(), y);
      for (int x = 0; x < n.width(); ++x)
        if (zrodlo[x] != kBialy) cel[x] = zrodlo[x];
    }
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
