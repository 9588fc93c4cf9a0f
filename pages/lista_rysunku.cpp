#include "pages/lista_rysunku.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <tuple>

namespace {

constexpr QStringView kPrzestrzenSvg = u"http://www.w3.org/2000/svg";
// Beyond any page; keeps the arithmetic of a damaged picture in range.
constexpr double kGranica = 1e6;
constexpr int kNajglebszeZagniezdzenie = 32;
constexpr std::size_t kNajwiecejWygladow = 0xFFFF;
// A font of a size that is no whole number of units is set at this many pixels and scaled to its size.
constexpr int kPikseleUlamkowe = 100;

// A plain decimal of up to 15 digits is exactly a whole number over a power of ten, so one division rounds it
// correctly; anything else takes the general conversion.
std::optional<double> ProstaLiczba(QStringView tekst) {
  static constexpr double kPotegi[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  qsizetype i = 0;
  const bool ujemna = !tekst.isEmpty() && tekst[0] == u'-';
  if (ujemna) ++i;
  long long mantysa = 0;
  int cyfry = 0, poPrzecinku = -1;
  for (; i < tekst.size(); ++i) {
    const char16_t z = tekst[i].unicode();
    if (z == u'.' && poPrzecinku < 0) {
      poPrzecinku = 0;
    } else if (z >= u'0' && z <= u'9' && cyfry < 15) {
      mantysa = mantysa * 10 + (z - u'0');
      ++cyfry;
      if (poPrzecinku >= 0) ++poPrzecinku;
    } else {
      return std::nullopt;
    }
  }
  if (cyfry == 0) return std::nullopt;
  const double wartosc = static_cast<double>(mantysa) / kPotegi[std::max(poPrzecinku, 0)];
  return ujemna ? -wartosc : wartosc;
}

std::optional<double> Liczba(QStringView tekst) {
  std::optional<double> wartosc = ProstaLiczba(tekst);
  if (!wartosc) {
    bool dobra = false;
    wartosc = tekst.trimmed().toDouble(&dobra);
    if (!dobra) return std::nullopt;
  }
  if (!std::isfinite(*wartosc) || std::fabs(*wartosc) > kGranica) return std::nullopt;
  return wartosc;
}

// "#RRGGBB" or "#RGB"; an empty result for "none". False for anything else.
bool Kolor(QStringView tekst, std::optional<QRgb>& kolor) {
  if (tekst == u"none") {
    kolor.reset();
    return true;
  }
  if (!tekst.startsWith(u'#') || (tekst.size() != 7 && tekst.size() != 4)) return false;
  const QStringView cyfry = tekst.mid(1);
  if (!std::all_of(cyfry.begin(), cyfry.end(),
                   [](QChar z) { return std::isxdigit(z.toLatin1()) && z.unicode() < 128; }))
    return false;
  const uint wartosc = cyfry.toUInt(nullptr, 16);
  if (tekst.size() == 7) {
    kolor = qRgb(int(wartosc >> 16) & 0xFF, int(wartosc >> 8) & 0xFF, int(wartosc) & 0xFF);
  } else {
    const auto dwa = [&](int przesuniecie) { return int((wartosc >> przesuniecie) & 0xF) * 0x11; };
    kolor = qRgb(dwa(8), dwa(4), dwa(0));
  }
  return true;
}

bool ZwyklaNazwa(QStringView nazwa) {
  if (nazwa.isEmpty()) return false;
  for (const QChar z : nazwa)
    if (!z.isLetterOrNumber() && z != u' ' && z != u'-') return false;
  return true;
}

}  // namespace

// Reads the subset: an svg root with a view box (or width and height), groups, rectangles, lines and texts with the
// presentation attributes fill, stroke, stroke-width, font-family, font-size, font-weight and text-anchor, inherited
// from group to member as SVG inherits them.
class TCzytnikRysunku {
 public:
  explicit TCzytnikRysunku(const QByteArray& svg) : xml_(svg) {}

  std::optional<TListaRysunku> Czytaj() {
    while (!xml_.atEnd()) {
      switch (xml_.readNext()) {
        case QXmlStreamReader::StartElement:
          if (!Otworz()) return std::nullopt;
          break;
        case QXmlStreamReader::EndElement:
          stos_.pop_back();
          break;
        case QXmlStreamReader::Characters:
          if (!xml_.isWhitespace()) return std::nullopt;
          break;
        case QXmlStreamReader::StartDocument:
        case QXmlStreamReader::EndDocument:
        case QXmlStreamReader::Comment:
          break;
        default:  // a DTD, an entity reference, a processing instruction, an error
          return std::nullopt;
      }
    }
    if (xml_.hasError() || !korzen_) return std::nullopt;
    return std::move(lista_);
  }

 private:
  // What a member inherits from its group.
  struct Dziedziczone {
    std::optional<QRgb> wypelnienie = qRgb(0, 0, 0);
    std::optional<QRgb> obrys;
    double grubosc = 1;
    QString rodzina;
    double rozmiar = 0;  // 0: not set
    int waga = QFont::Normal;
    TListaRysunku::Kotwica kotwica = TListaRysunku::Kotwica::Poczatek;
  };

  bool Otworz() {
    const QStringView nazwa = xml_.name();
    if (!xml_.namespaceUri().isEmpty() && xml_.namespaceUri() != kPrzestrzenSvg) return false;
    if (stos_.size() >= kNajglebszeZagniezdzenie || (stos_.empty() == (nazwa != u"svg"))) return false;
    Dziedziczone styl = stos_.empty() ? Dziedziczone{} : stos_.back();
    wlasne_.clear();
    for (const QXmlStreamAttribute& a : xml_.attributes()) {
      if (!a.namespaceUri().isEmpty()) return false;
      if (!Prezentacja(a.name(), a.value(), styl)) wlasne_.push_back({a.name(), a.value()});
    }
    if (blad_) return false;
    stos_.push_back(styl);
    if (nazwa == u"svg") return Korzen();
    if (nazwa == u"g") return wlasne_.empty();
    if (nazwa == u"rect") return Prostokat(styl);
    if (nazwa == u"line") return Linia(styl);
    if (nazwa == u"text") return Tekst(styl);
    return false;
  }

  // Takes a presentation attribute into the style; false when the name is none of them. A value outside the subset
  // sets blad_, which refuses the picture.
  bool Prezentacja(QStringView nazwa, QStringView wartosc, Dziedziczone& styl) {
    bool dobra = true;
    if (nazwa == u"fill") {
      dobra = Kolor(wartosc, styl.wypelnienie);
    } else if (nazwa == u"stroke") {
      dobra = Kolor(wartosc, styl.obrys);
    } else if (nazwa == u"stroke-width") {
      const auto w = Liczba(wartosc);
      dobra = w && *w >= 0;
      if (dobra) styl.grubosc = *w;
    } else if (nazwa == u"font-family") {
      dobra = ZwyklaNazwa(wartosc);
      if (dobra && wartosc != styl.rodzina) styl.rodzina = wartosc.toString();
    } else if (nazwa == u"font-size") {
      const auto r = Liczba(wartosc);
      dobra = r && *r > 0 && *r <= 10000;
      if (dobra) styl.rozmiar = *r;
    } else if (nazwa == u"font-weight") {
      dobra = wartosc == u"bold" || wartosc == u"normal";
      styl.waga = wartosc == u"bold" ? QFont::Bold : QFont::Normal;
    } else if (nazwa == u"text-anchor") {
      dobra = wartosc == u"start" || wartosc == u"middle" || wartosc == u"end";
      styl.kotwica = wartosc == u"middle" ? TListaRysunku::Kotwica::Srodek
                     : wartosc == u"end"  ? TListaRysunku::Kotwica::Koniec
                                          : TListaRysunku::Kotwica::Poczatek;
    } else {
      return false;
    }
    if (!dobra) blad_ = true;
    return true;
  }

  // The element's own attribute of this name; null when it has none.
  const QStringView* Wlasny(QStringView nazwa) const {
    for (const Atrybut& a : wlasne_)
      if (a.nazwa == nazwa) return &a.wartosc;
    return nullptr;
  }

  // The numbers of exactly the listed attributes, each within range; any other attribute refuses.
  template <std::size_t N>
  std::optional<std::array<double, N>> Liczby(const std::array<QStringView, N>& nazwy) const {
    if (wlasne_.size() != N) return std::nullopt;
    std::array<double, N> liczby{};
    for (std::size_t i = 0; i < N; ++i) {
      const QStringView* wartosc = Wlasny(nazwy[i]);
      const auto liczba = wartosc ? Liczba(*wartosc) : std::nullopt;
      if (!liczba) return std::nullopt;
      liczby[i] = *liczba;
    }
    return liczby;
  }

  bool Korzen() {
    korzen_ = true;
    std::size_t znane = 0;
    const auto liczba = [&](QStringView nazwa, std::optional<double>& cel) {
      const QStringView* wartosc = Wlasny(nazwa);
      if (!wartosc) return true;
      ++znane;
      cel = Liczba(*wartosc);
      return cel.has_value();
    };
    std::optional<double> szerokosc, wysokosc;
    if (!liczba(u"width", szerokosc) || !liczba(u"height", wysokosc)) return false;
    if (Wlasny(u"version")) ++znane;
    QRectF pole;
    if (const QStringView* tekst = Wlasny(u"viewBox")) {
      ++znane;
      const QStringList czesci = tekst->toString().replace(u',', u' ').split(u' ', Qt::SkipEmptyParts);
      std::array<double, 4> v{};
      for (int i = 0; i < 4; ++i) {
        const auto n = czesci.size() == 4 ? Liczba(czesci[i]) : std::nullopt;
        if (!n) return false;
        v[static_cast<std::size_t>(i)] = *n;
      }
      pole = QRectF(v[0], v[1], v[2], v[3]);
    } else if (szerokosc && wysokosc) {
      pole = QRectF(0, 0, *szerokosc, *wysokosc);
    }
    lista_.pole_ = pole;
    return znane == wlasne_.size() && pole.width() > 0 && pole.height() > 0;
  }

  bool Prostokat(const Dziedziczone& styl) {
    const auto p = Liczby<4>({u"x", u"y", u"width", u"height"});
    // A rectangle without area is left to Qt SVG's own rules.
    if (!p || (*p)[2] <= 0 || (*p)[3] <= 0) return false;
    return Dodaj(TListaRysunku::Rodzaj::Prostokat, *p, styl);
  }

  bool Linia(const Dziedziczone& styl) {
    const auto p = Liczby<4>({u"x1", u"y1", u"x2", u"y2"});
    return p && Dodaj(TListaRysunku::Rodzaj::Linia, *p, styl);
  }

  bool Tekst(const Dziedziczone& styl) {
    const auto p = Liczby<2>({u"x", u"y"});
    if (!p || styl.rozmiar <= 0) return false;
    // Character data only, its white space collapsed as SVG's default treatment does.
    QString tekst;
    for (;;) {
      const auto rodzaj = xml_.readNext();
      if (rodzaj == QXmlStreamReader::Characters) {
        tekst += xml_.text();
      } else if (rodzaj == QXmlStreamReader::EndElement) {
        break;
      } else if (rodzaj != QXmlStreamReader::Comment) {
        return false;
      }
    }
    stos_.pop_back();
    tekst = tekst.simplified();
    if (tekst.isEmpty() || !styl.wypelnienie) return true;
    if (!Dodaj(TListaRysunku::Rodzaj::Tekst, {(*p)[0], (*p)[1], 0, 0}, styl)) return false;
    TListaRysunku::Operacja& o = lista_.operacje_.back();
    o.kotwica = styl.kotwica;
    o.pismo = IndeksPisma(styl);
    o.tekst = static_cast<std::uint32_t>(lista_.teksty_.size());
    lista_.teksty_.push_back(std::move(tekst));
    return true;
  }

  bool Dodaj(TListaRysunku::Rodzaj rodzaj, const std::array<double, 4>& p, const Dziedziczone& styl) {
    const TListaRysunku::Wyglad wyglad{styl.wypelnienie, styl.obrys, static_cast<float>(styl.grubosc)};
    auto& wyglady = lista_.wyglady_;
    auto znaleziony = std::find(wyglady.begin(), wyglady.end(), wyglad);
    if (znaleziony == wyglady.end()) {
      if (wyglady.size() >= kNajwiecejWygladow) return false;
      znaleziony = wyglady.insert(wyglady.end(), wyglad);
    }
    TListaRysunku::Operacja o;
    o.rodzaj = rodzaj;
    o.wyglad = static_cast<std::uint16_t>(znaleziony - wyglady.begin());
    o.a = static_cast<float>(p[0]);
    o.b = static_cast<float>(p[1]);
    o.c = static_cast<float>(p[2]);
    o.d = static_cast<float>(p[3]);
    lista_.operacje_.push_back(o);
    return true;
  }

  // The font Qt SVG would set: the family (else the application's), the size in pixels, the weight, no hinting.
  std::uint16_t IndeksPisma(const Dziedziczone& styl) {
    const auto klucz = std::make_tuple(styl.rodzina, styl.rozmiar, styl.waga);
    const auto znaleziony = pisma_.find(klucz);
    if (znaleziony != pisma_.end()) return znaleziony->second;
    if (lista_.pisma_.size() >= kNajwiecejWygladow) return 0;
    QFont pismo;
    if (!styl.rodzina.isEmpty()) pismo.setFamily(styl.rodzina);
    const bool cale = styl.rozmiar == std::floor(styl.rozmiar);
    pismo.setPixelSize(cale ? static_cast<int>(styl.rozmiar) : kPikseleUlamkowe);
    pismo.setWeight(static_cast<QFont::Weight>(styl.waga));
    pismo.setHintingPreference(QFont::PreferNoHinting);
    pismo.setStyleStrategy(QFont::NoSubpixelAntialias);
    const auto indeks = static_cast<std::uint16_t>(lista_.pisma_.size());
    lista_.pisma_.push_back({pismo, cale ? 1.0f : static_cast<float>(styl.rozmiar / kPikseleUlamkowe)});
    pisma_.emplace(klucz, indeks);
    return indeks;
  }

  struct Atrybut {
    QStringView nazwa, wartosc;
  };

  QXmlStreamReader xml_;
  std::vector<Dziedziczone> stos_;
  std::vector<Atrybut> wlasne_;  // attributes of the element being read, other than presentation ones
  std::map<std::tuple<QString, double, int>, std::uint16_t> pisma_;
  TListaRysunku lista_;
  bool korzen_ = false;
  bool blad_ = false;
};

std::optional<TListaRysunku> TListaRysunku::Czytaj(const QByteArray& svg) { return TCzytnikRysunku(svg).Czytaj(); }

std::size_t TListaRysunku::Rozmiar() const {
  std::size_t bajty = sizeof(*this) + operacje_.capacity() * sizeof(Operacja) + wyglady_.capacity() * sizeof(Wyglad) +
                      pisma_.capacity() * sizeof(Pismo);
  for (const QString& t : teksty_) bajty += sizeof(QString) + static_cast<std::size_t>(t.capacity()) * sizeof(QChar);
  return bajty;
}

void TListaRysunku::RysujTekst(QPainter& malarz, const Operacja& o) const {
  const Pismo& p = pisma_[o.pismo];
  const QString& tekst = teksty_[o.tekst];
  qreal x = o.a;
  // An anchored text is moved back by its advance, or half of it.
  if (o.kotwica != Kotwica::Poczatek) {
    const qreal szerokosc = QFontMetricsF(p.font, malarz.device()).horizontalAdvance(tekst) * p.skala;
    x -= o.kotwica == Kotwica::Srodek ? szerokosc / 2 : szerokosc;
  }
  if (p.skala == 1) {
    malarz.drawText(QPointF(x, o.b), tekst);
    return;
  }
  const QTransform przed = malarz.transform();
  malarz.translate(x, o.b);
  malarz.scale(p.skala, p.skala);
  malarz.drawText(QPointF(0, 0), tekst);
  malarz.setTransform(przed);
}

void TListaRysunku::Rysuj(QPainter& malarz, const QRectF& cel) const {
  if (cel.isEmpty()) return;
  malarz.save();
  // The view box stretched over the target, in the same steps as Qt SVG takes.
  const double sx = cel.width() / pole_.width(), sy = cel.height() / pole_.height();
  malarz.translate(cel.x() - sx * pole_.x(), cel.y() - sy * pole_.y());
  malarz.scale(sx, sy);
  malarz.setRenderHint(QPainter::Antialiasing);
  malarz.setRenderHint(QPainter::SmoothPixmapTransform);

  std::vector<QPen> piora;
  std::vector<QBrush> pedzle;
  for (const Wyglad& w : wyglady_) {
    QPen pioro(w.obrys ? QBrush(QColor(*w.obrys)) : QBrush(), w.grubosc, Qt::SolidLine, Qt::FlatCap, Qt::SvgMiterJoin);
    pioro.setMiterLimit(4);
    piora.push_back(pioro);
    pedzle.push_back(w.wypelnienie ? QBrush(QColor(*w.wypelnienie)) : QBrush());
  }
  int pismo = -1;
  for (const Operacja& o : operacje_) {
    const Wyglad& w = wyglady_[o.wyglad];
    switch (o.rodzaj) {
      case Rodzaj::Prostokat: {
        const QRectF r(o.a, o.b, o.c, o.d);
        // The fill, then the outline over it, as two passes.
        if (w.wypelnienie) {
          malarz.setPen(Qt::NoPen);
          malarz.setBrush(pedzle[o.wyglad]);
          malarz.drawRect(r);
        }
        if (w.obrys && w.grubosc != 0) {
          malarz.setPen(piora[o.wyglad]);
          malarz.setBrush(Qt::NoBrush);
          malarz.drawRect(r);
        }
        break;
      }
      case Rodzaj::Linia:
        if (w.obrys && w.grubosc != 0) {
          malarz.setPen(piora[o.wyglad]);
          malarz.drawLine(QLineF(o.a, o.b, o.c, o.d));
        }
        break;
      case Rodzaj::Tekst:
        if (pismo != o.pismo) {
          malarz.setFont(pisma_[o.pismo].font);
          pismo = o.pismo;
        }
        malarz.setPen(QColor(*w.wypelnienie));
        RysujTekst(malarz, o);
        break;
    }
  }
  malarz.restore();
}
