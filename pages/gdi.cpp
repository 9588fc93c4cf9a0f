#include "pages/gdi.h"

#include <QFontDatabase>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

namespace gdi {
namespace {

// Cell height over character height of the family: a font set by its cell height (positive Windows height) gets
// the character size that gives that cell.
double WspolczynnikKomorki() {
  static const double wspolczynnik = [] {
    QFont wzor(RodzinaCzcionki());
    wzor.setPixelSize(1000);
    const double wysokosc = QFontMetricsF(wzor).height();
    return wysokosc > 0 ? wysokosc / 1000.0 : 1.0;
  }();
  return wspolczynnik;
}

// Lines of a text broken at blanks to a width; a word wider than the width keeps a line of its own.
std::vector<QString> Wiersze(const QString& tekst, int szerokosc, const QFontMetrics& miary) {
  std::vector<QString> wiersze;
  QString akapitowy = tekst;
  akapitowy.remove(QLatin1Char('\r'));
  for (const QString& akapit : akapitowy.split(QLatin1Char('\n'))) {
    QString wiersz;
    int i = 0;
    const int n = static_cast<int>(akapit.size());
    while (i < n) {
      int j = i;
      while (j < n && akapit[j] == QLatin1Char(' ')) ++j;
      while (j < n && akapit[j] != QLatin1Char(' ')) ++j;
      const QString slowo = akapit.mid(i, j - i);
      const QString proba = wiersz + slowo;
      if (!wiersz.isEmpty() && miary.horizontalAdvance(proba) > szerokosc) {
        wiersze.push_back(wiersz);
        wiersz = slowo.trimmed();
      } else {
        wiersz = proba;
      }
      i = j;
    }
    wiersze.push_back(wiersz);
  }
  return wiersze;
}

QString ZWielokropkiem(const QString& tekst, int szerokosc, const QFontMetrics& miary) {
  if (miary.horizontalAdvance(tekst) <= szerokosc) return tekst;
  const QString wielokropek = QStringLiteral("...");
  int dlugosc = static_cast<int>(tekst.size());
  while (dlugosc > 0 && miary.horizontalAdvance(tekst.left(dlugosc) + wielokropek) > szerokosc) --dlugosc;
  return tekst.left(dlugosc) + wielokropek;
}

}  // namespace

const QString& RodzinaCzcionki() {
  static const QString rodzina = [] {
    const QStringList rodziny = QFontDatabase::families();
    for (const char* nazwa : {"Liberation Sans", "DejaVu Sans"})
      if (rodziny.contains(QLatin1String(nazwa))) return QString::fromLatin1(nazwa);
    return QStringLiteral("DejaVu Sans");
  }();
  return rodzina;
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long double wynik = std::roundl(static_cast<long double>(a) * b / c);
  return static_cast<int>(std::clamp<long double>(wynik, -2147483647.0L, 2147483647.0L));
}

Plotno::Plotno(QPainter& malarz, Stan& stan, double skala) : malarz_(malarz), stan_(stan), skala_(skala) {
  malarz_.setRenderHint(QPainter::Antialiasing, false);
  malarz_.setRenderHint(QPainter::TextAntialiasing, true);
}

int Plotno::RozmiarCzcionki() const {
  const int dpi = static_cast<int>(std::lround(96 * skala_));
  if (stan_.wysokoscCzcionki == 0) return 8;
  return -MulDiv(stan_.wysokoscCzcionki, 72, dpi);
}

void Plotno::UstawRozmiarCzcionki(int punkty) {
  const int dpi = static_cast<int>(std::lround(96 * skala_));
  stan_.wysokoscCzcionki = -MulDiv(punkty, dpi, 72);
}

const QFont& Plotno::Czcionka() {
  if (!czcionka_ || wysokoscCzcionki_ != stan_.wysokoscCzcionki || pogrubiona_ != stan_.pogrubiona) {
    wysokoscCzcionki_ = stan_.wysokoscCzcionki;
    pogrubiona_ = stan_.pogrubiona;
    int wysokosc = wysokoscCzcionki_;
    if (wysokosc == 0) wysokosc = -MulDiv(8, static_cast<int>(std::lround(96 * skala_)), 72);
    const int piksele = wysokosc < 0 ? -wysokosc : static_cast<int>(std::lround(wysokosc / WspolczynnikKomorki()));
    QFont czcionka(RodzinaCzcionki());
    czcionka.setPixelSize(std::clamp(piksele, 1, 4000));
    czcionka.setBold(pogrubiona_);
    czcionka.setStyleStrategy(QFont::NoSubpixelAntialias);
    czcionka_ = czcionka;
    miary_.emplace(czcionka, malarz_.device());
  }
  return *czcionka_;
}

void Plotno::Zmiana(const QRect& obszar) {
  if (zmiany_ && obszar.isValid()) zmiany_->push_back(obszar);
}

void Plotno::Rysuj(const Prostokat& p) {
  const int l = std::min(p.l, p.r), r = std::max(p.l, p.r);
  const int t = std::min(p.t, p.b), b = std::max(p.t, p.b);
  if (stan_.pedzel || stan_.pioro) Zmiana(QRect(l, t, r - l, b - t));
  if (stan_.pedzel) {
    const QRect wypelnienie = stan_.pioro ? QRect(l, t, r - l, b - t) : QRect(l, t, r - l - 1, b - t - 1);
    if (wypelnienie.isValid()) malarz_.fillRect(wypelnienie, QColor(*stan_.pedzel));
  }
  if (stan_.pioro && r > l && b > t) {
    const QColor kolor(*stan_.pioro);
    const int w = std::max(stan_.szerokoscPiora, 1);
    malarz_.fillRect(QRect(l, t, r - l, std::min(w, b - t)), kolor);
    malarz_.fillRect(QRect(l, std::max(b - w, t), r - l, std::min(w, b - t)), kolor);
    malarz_.fillRect(QRect(l, t, std::min(w, r - l), b - t), kolor);
    malarz_.fillRect(QRect(std::max(r - w, l), t, std::min(w, r - l), b - t), kolor);
  }
}

void Plotno::Linia(int x1, int y1, int x2, int y2) {
  if (!stan_.pioro || (x1 == x2 && y1 == y2)) return;
  const QColor kolor(*stan_.pioro);
  const int w = std::max(stan_.szerokoscPiora, 1);
  Zmiana(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
             .adjusted(-w, -w, w, w));
  if (w == 1 && (y1 == y2 || x1 == x2)) {
    // Axis-parallel lines, the common case, exactly: the end point is left out.
    if (y1 == y2)
      malarz_.fillRect(x1 < x2 ? QRect(x1, y1, x2 - x1, 1) : QRect(x2 + 1, y1, x1 - x2, 1), kolor);
    else
      malarz_.fillRect(y1 < y2 ? QRect(x1, y1, 1, y2 - y1) : QRect(x1, y2 + 1, 1, y1 - y2), kolor);
    return;
  }
  QPen pioro(kolor);
  pioro.setWidth(w);
  pioro.setCapStyle(w > 1 ? Qt::RoundCap : Qt::FlatCap);
  malarz_.save();
  malarz_.setPen(pioro);
  malarz_.drawLine(x1, y1, x2, y2);
  malarz_.restore();
}

int Plotno::SzerokoscTekstu(const QString& tekst) {
  Czcionka();
  return miary_->horizontalAdvance(tekst);
}

void Plotno::RysujTekst(const QString& tekst, const Prostokat& p, unsigned flagi) {
  if (tekst.isEmpty()) return;
  const QFont& czcionka = Czcionka();
  const QFontMetrics& miary = *miary_;
  const int szerokosc = p.r - p.l;
  const int wysokoscWiersza = miary.height();

  std::vector<QString> wiersze;
  if (flagi & DT_SINGLELINE) {
    QString wiersz = tekst;
    wiersz.remove(QLatin1Char('\r')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    wiersze.push_back((flagi & DT_END_ELLIPSIS) ? ZWielokropkiem(wiersz, szerokosc, miary) : wiersz);
  } else if (flagi & DT_WORDBREAK) {
    wiersze = Wiersze(tekst, szerokosc, miary);
  } else {
    QString bezCr = tekst;
    bezCr.remove(QLatin1Char('\r'));
    for (const QString& w : bezCr.split(QLatin1Char('\n'))) wiersze.push_back(w);
  }

  int y = p.t;
  if ((flagi & DT_SINGLELINE) && (flagi & DT_VCENTER))
    y = p.t + (p.b - p.t - wysokoscWiersza) / 2;
  else if ((flagi & DT_SINGLELINE) && (flagi & DT_BOTTOM))
    y = p.b - wysokoscWiersza;

  malarz_.save();
  const QRect obciecie(p.l, p.t, std::max(szerokosc, 0), std::max(p.b - p.t, 0));
  if (!(flagi & DT_NOCLIP)) malarz_.setClipRect(obciecie);
  malarz_.setFont(czcionka);
  malarz_.setPen(QColor(stan_.kolorTekstu));
  for (const QString& wiersz : wiersze) {
    const int w = miary.horizontalAdvance(wiersz);
    int x = p.l;
    if (flagi & DT_CENTER)
      x = p.l + (szerokosc - w) / 2;
    else if (flagi & DT_RIGHT)
      x = p.r - w;
    if (stan_.pedzel && w > 0) malarz_.fillRect(QRect(x, y, w, wysokoscWiersza), QColor(stan_.tloTekstu));
    malarz_.drawText(QPoint(x, y + miary.ascent()), wiersz);
    // Glyphs may reach a little beyond their advances.
    const int zapas = 2 + wysokoscWiersza / 4;
    const QRect wiersza = QRect(x, y, w, wysokoscWiersza).adjusted(-zapas, -1, zapas, 1);
    Zmiana(flagi & DT_NOCLIP ? wiersza : wiersza & obciecie);
    y += wysokoscWiersza;
  }
  malarz_.restore();
}

}  // namespace gdi
