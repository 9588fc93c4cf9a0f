#include "pages/nakladka.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

#include "pages/obraz_strony.h"

namespace {

constexpr QRgb kBialy = 0xFFFFFFFFu;
// Beyond this many rectangles the overlay remembers only their bounding rectangle.
constexpr std::size_t kNajwiecejProstokatow = 4096;
// The overlay is laid over the picture this many rows at a time.
constexpr int kWierszePasa = 32;

}  // namespace

TWarstwaKartki::TWarstwaKartki(TKartka* kartka) : QWidget(kartka), kartka_(*kartka) {}

TObrazDruku::TObrazDruku(TKartka* kartka) : TWarstwaKartki(kartka) {
  setObjectName("IDruk");
  // The sheet draws the picture; this widget only holds its place.
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TObrazDruku::UstawObraz(std::shared_ptr<const TObrazStrony> obraz) {
  const QSize rozmiar = obraz ? QSize(obraz->Szerokosc(), obraz->Wysokosc()) : QSize();
  // The same rendering again changes nothing on screen.
  if (obraz == obraz_ && rozmiar == rozmiar_) return;
  obraz_ = std::move(obraz);
  rozmiar_ = rozmiar;
  kartka_.Zmiana(geometry());
}

void TWarstwaKartki::moveEvent(QMoveEvent* zdarzenie) {
  kartka_.Zmiana(QRect(zdarzenie->oldPos(), size()));
  kartka_.Zmiana(geometry());
}

void TWarstwaKartki::resizeEvent(QResizeEvent* zdarzenie) {
  kartka_.Zmiana(QRect(pos(), zdarzenie->oldSize()));
  kartka_.Zmiana(geometry());
}

TNakladka::TNakladka(TKartka* kartka) : TWarstwaKartki(kartka) {
  setObjectName("Formatka");
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
}

void TNakladka::Wyczysc(int szerokosc, int wysokosc) {
  szerokosc = std::max(szerokosc, 0);
  wysokosc = std::max(wysokosc, 0);
  if (obraz_.width() != szerokosc || obraz_.height() != wysokosc) {
    obraz_ = QImage();  // let go before the new one is taken
    if (szerokosc > 0 && wysokosc > 0) obraz_ = QImage(szerokosc, wysokosc, QImage::Format_RGB32);
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

QImage TNakladka::PozyczPlotno() { return rysowanie_ ? QImage() : std::exchange(obraz_, QImage()); }

void TNakladka::ZwrocPlotno(QImage obraz, bool wyczyszczone) {
  obraz_ = std::move(obraz);
  if (!wyczyszczone) return;
  kartka_.Zmiana(obszarRysunku_.translated(pos()));
  narysowane_.clear();
  obszarRysunku_ = QRect();
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
  // The picture where it lies, and the overlay where it was drawn on.
  const TObrazStrony* strona = obraz_ && obraz_->isVisibleTo(this) ? obraz_->Obraz() : nullptr;
  QRect o;
  if (strona) o = r & obraz_->geometry() & QRect(obraz_->pos(), QSize(strona->Szerokosc(), strona->Wysokosc()));
  QRect n;
  if (nakladka_ && nakladka_->isVisibleTo(this) && !nakladka_->Obraz().isNull())
    n = r & nakladka_->geometry() & nakladka_->ObszarRysunku().translated(nakladka_->pos());
  // Paper white around them.
  const QRect u = o | n;
  if (u.isEmpty()) {
    malarz.fillRect(r, Qt::white);
    return;
  }
  for (const QRect& pas : {QRect(QPoint(r.left(), r.top()), QPoint(r.right(), u.top() - 1)),
                           QRect(QPoint(r.left(), u.bottom() + 1), QPoint(r.right(), r.bottom())),
                           QRect(QPoint(r.left(), u.top()), QPoint(u.left() - 1, u.bottom())),
                           QRect(QPoint(u.right() + 1, u.top()), QPoint(r.right(), u.bottom()))})
    if (pas.isValid()) malarz.fillRect(pas, Qt::white);
  // Within, a strip at a time, so the scratch stays small.
  pas_.resize(static_cast<std::size_t>(u.width()) * kWierszePasa);
  for (int gora = u.top(); gora <= u.bottom(); gora += kWierszePasa) {
    const QRect pas(u.left(), gora, u.width(), std::min(kWierszePasa, u.bottom() + 1 - gora));
    SkladajPas(pas, strona, pas & o, pas & n);
    malarz.drawImage(pas.topLeft(), QImage(reinterpret_cast<const uchar*>(pas_.data()), pas.width(), pas.height(),
                                           pas.width() * static_cast<int>(sizeof(QRgb)), QImage::Format_RGB32));
  }
}

void TKartka::SkladajPas(const QRect& pas, const TObrazStrony* strona, const QRect& p, const QRect& n) {
  const auto wiersz = [&](int y) { return pas_.data() + static_cast<std::size_t>(y - pas.top()) * pas.width(); };
  // The picture's rows: straight into the strip when they fill it, else beside it and copied, on white.
  const QPoint obraz = obraz_->pos();
  if (p == pas && p.left() == obraz.x() && p.width() == strona->Szerokosc()) {
    strona->Wiersze(p.top() - obraz.y(), p.height(), pas_.data());
  } else {
    std::fill_n(pas_.data(), static_cast<std::size_t>(pas.width()) * pas.height(), kBialy);
    if (!p.isEmpty()) {
      const auto szerokosc = static_cast<std::size_t>(strona->Szerokosc());
      wiersze_.resize(szerokosc * p.height());
      strona->Wiersze(p.top() - obraz.y(), p.height(), wiersze_.data());
      for (int y = p.top(); y <= p.bottom(); ++y)
        std::copy_n(wiersze_.data() + static_cast<std::size_t>(y - p.top()) * szerokosc + (p.left() - obraz.x()),
                    p.width(), wiersz(y) + (p.left() - pas.left()));
    }
  }
  // The overlay's pixels over them, but its white ones.
  if (n.isEmpty()) return;
  const QPoint przesuniecie = nakladka_->pos();
  for (int y = n.top(); y <= n.bottom(); ++y) {
    const auto* zrodlo = reinterpret_cast<const QRgb*>(nakladka_->Obraz().constScanLine(y - przesuniecie.y())) +
                         (n.left() - przesuniecie.x());
    QRgb* cel = wiersz(y) + (n.left() - pas.left());
    for (int x = 0; x < n.width(); ++x)
      if (zrodlo[x] != kBialy) cel[x] = zrodlo[x];
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
