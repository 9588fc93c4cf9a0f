#pragma once
// What the page tests share: form structures (header, objects, page pictures) in a temporary program folder, and
// the main window with its page view on that folder.

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QString>
#include <QTreeWidget>
#include <array>
#include <memory>
#include <tuple>
#include <vector>

#include "calc/oblicz.h"
#include "main/tools.h"
#include "model/rekordy.h"
#include "pages/fimage.h"
#include "support/pliki.h"
#include "support/program.h"
#include "support/test_main.h"

namespace velmar_test {

// A page picture: an SVG of w x h units filled with one colour.
inline QByteArray Svg(int w, int h, QRgb kolor) {
  const QString rgb = QStringLiteral("%1").arg(kolor & 0xFFFFFF, 6, 16, QLatin1Char('0'));
  return QStringLiteral(
             "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %1 %2\">"
             "<rect x=\"0\" y=\"0\" width=\"%1\" height=\"%2\" fill=\"#%3\"/></svg>\n")
      .arg(QString::number(w), QString::number(h), rgb)
      .toUtf8();
}

inline QByteArray Naglowek(int liczbaStron) {
  TNaglowekFormularza n;
  std::tie(n.LiczbaStron, n.SzerokoscEkranu, n.WysokoscEkranu, n.WysokoscWidoku, n.SzerokoscWidoku) =
      std::tuple{liczbaStron, 1280, 1024, 1131, 800};
  std::array<std::uint8_t, rekordy::kRozmiarNaglowkaFormularza> bajty{};
  rekordy::Zakoduj(n, bajty);
  return QByteArray(reinterpret_cast<const char*>(bajty.data()), static_cast<qsizetype>(bajty.size()));
}

// A field object at a rectangle of a page.
inline TObiekt Pole(int typ, int strona, int l, int t, int r, int b, const char* domyslna = "") {
  TObiekt o = NowyObiekt(typ, strona, "pole", domyslna);
  std::tie(o.Lewy, o.Gorny, o.Prawy, o.Dolny) = std::tuple{l, t, r, b};
  return o;
}

// The main window and the page view on a program folder; the view goes first, as at the program's end. The
// forms' computations are left out while it lives: the test structures are not the real forms they compute on.
class ProgramZeStronami {
 public:
  ProgramZeStronami() {
    for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod)
      obliczenia_[static_cast<std::size_t>(kod)] = UstawObliczenie(kod, nullptr);
  }
  ~ProgramZeStronami() {
    image_.reset();
    tools_.reset();
    for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod)
      UstawObliczenie(kod, obliczenia_[static_cast<std::size_t>(kod)]);
  }

  const FolderProgramu& Folder() const { return folder_; }
  QString Dc() const { return folder_.Dc(); }
  QString PlikStrony(int kod, int strona) const { return Dc() + QStringLiteral("%1_%2.dcg").arg(kod).arg(strona); }

  // A form: header with its page count, objects, and one picture per page in the given colour.
  void ZapiszFormularz(int kod, int liczbaStron, const std::vector<TObiekt>& obiekty, QRgb kolor = qRgb(255, 0, 0)) {
    ZapiszPlik(Dc() + QStringLiteral("%1.dcd").arg(kod), Naglowek(liczbaStron));
    folder_.ZapiszDcs(kod, obiekty);
    for (int strona = 1; strona <= liczbaStron; ++strona) ZapiszPlik(PlikStrony(kod, strona), Svg(1600, 2263, kolor));
  }

  void Uruchom() {
    UruchomOkno();
    UtworzWidok();
  }
  // The main window alone; the page view comes with UtworzWidok.
  void UruchomOkno() { tools_ = NoweOkno(folder_); }
  void UtworzWidok() {
    image_ = std::make_unique<TFImage>();
    SkryptDialogow().pokazane.clear();
  }

  TTools& T() { return *tools_; }
  TFImage& V() { return *image_; }

  // A settlement of these records (type, parent, owner), its tree built.
  void Rozliczenie(const std::vector<std::array<int, 3>>& druki, int rodzaj = Indywidualne) {
    T().PrzydzielDruki(static_cast<int>(druki.size()));
    for (const auto& [kod, rodzic, pm] : druki) T().DodajDruk(kod, rodzic, pm, rodzaj);
    T().BudujDrzewo();
  }

  void Pokaz(int j, int strona = 1) { T().PokazDruk(T().Druki[static_cast<std::size_t>(j)].Wezel, strona); }
  // Whether the part of the sheet in sight shows on the screen what the page composed afresh holds; a widget lying
  // over the sheet (an open editor) left out of both. The screen is grabbed, not painted afresh as QWidget::grab
  // would, so a repaint never asked for shows.
  bool EkranJakStrona(const QWidget* pominiety = nullptr) {
    QWidget* kartka = V().Kartka();
    const QRect widoczna =
        QRect(kartka->mapFrom(V().viewport(), QPoint(0, 0)), V().viewport()->size()) & kartka->rect();
    QImage ekran = T().screen()->grabWindow(T().winId()).toImage().convertToFormat(QImage::Format_RGB32);
    ekran = ekran.copy(QRect(kartka->mapTo(&T(), widoczna.topLeft()), widoczna.size()));
    QImage strona = V().Zlozenie().copy(widoczna);
    if (pominiety)
      for (QImage* obraz : {&ekran, &strona})
        QPainter(obraz).fillRect(pominiety->geometry().translated(-widoczna.topLeft()), Qt::black);
    return !widoczna.isEmpty() && ekran == strona;
  }

 private:
  std::array<Obliczenie, kLiczbaTypowDrukow + 1> obliczenia_{};
  FolderProgramu folder_;
  std::unique_ptr<TTools> tools_;
  std::unique_ptr<TFImage> image_;
};

}  // namespace velmar_test
