#include "pages/projektant.h"

#include <QAction>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <utility>

#include "main/tools.h"
#include "model/rekordy.h"
#include "pages/fobj.h"
#include "pages/fpaleta.h"
#include "pages/nakladka.h"
#include "pages/obiekty_plik.h"
#include "pages/rysowanie.h"
#include "platform/dialogi.h"

namespace {

// Records in a structure file; -1 when it is not there.
qint64 LiczbaRekordow(const QString &sciezka) {
  const QFileInfo plik(sciezka);
  return plik.isFile() ? plik.size() / static_cast<qint64>(rekordy::kRozmiarObiektu) : -1;
}

// The overlay drawn afresh from the structure file: the page's frames over a
// blank overlay, or the blank designer page while the structure has no picture.
// A structure without objects yet has no file to report as missing.
void OdswiezStrone(TFImage *view) {
  TTools &t = *Tools;
  view->Obrysy->Wyczysc();
  if (t.StronaWczytana)
    t.WyczyscNakladke();
  else
    t.WyczyscStrone();
  if (QFileInfo::exists(t.PlikDcs))
    WczytajIRysujObiekty(view);
  else
    UstawObiekty(view, {});
}

// Runs a write that appends one record; false, with a message, when the file
// did not grow by it.
template <typename Zapis>
bool Dopisz(Zapis &&zapis) {
  TTools &t = *Tools;
  const qint64 przed = std::max<qint64>(LiczbaRekordow(t.PlikDcs), 0);
  t.LiczbaObiektow += 1;
  std::forward<Zapis>(zapis)();
  if (LiczbaRekordow(t.PlikDcs) == przed + 1) return true;
  t.LiczbaObiektow -= 1;
  platform::ShowMessage(QStringLiteral("Nie można zapisać obiektu w pliku struktury formularza:\n") + t.PlikDcs);
  return false;
}

bool Projektant() { return Tools && Tools->TrybKlienta == 0; }

}  // namespace

TObrysy::TObrysy(QWidget *nakladka) : QWidget(nakladka) {
  setObjectName("Obrysy");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  hide();
}

void TObrysy::UstawRamke(const QRect &ramka) {
  ramka_ = ramka;
  Pokaz();
}

void TObrysy::UstawObrys(const QRect &obrys) {
  obrys_ = obrys;
  Pokaz();
}

void TObrysy::Wyczysc() {
  ramka_.reset();
  obrys_.reset();
  hide();
}

void TObrysy::Pokaz() {
  // The overlay changes size with every page; the layer covers it whenever it
  // shows something.
  if (parentWidget()) setGeometry(parentWidget()->rect());
  raise();
  show();
  update();
}

void TObrysy::paintEvent(QPaintEvent *) {
  QPainter malarz(this);
  malarz.setPen(QPen(Qt::red, 1, Qt::DotLine));
  malarz.setBrush(QBrush(Qt::red, Qt::BDiagPattern));
  for (const auto *p : {&ramka_, &obrys_})
    if (*p) malarz.drawRect(**p);
}

QRect ProstokatZRogow(int x1, int y1, int x2, int y2) {
  return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
}

QRect ProstokatObrysu(const TFImage::Obrys &obrys) {
  return ProstokatZRogow(obrys.Lewy, obrys.Gorny, obrys.Prawy, obrys.Dolny);
}

TFImage::Obrys ObrysPoZmianie(const TObiekt &obiekt, int uchwyt, int wektorX, int wektorY) {
  TFImage::Obrys o{obiekt.Lewy, obiekt.Prawy, obiekt.Gorny, obiekt.Dolny};
  // Which edges each handle drags: left, right, top, bottom.
  struct Krawedzie {
    bool l, r, t, b;
  };
  static constexpr Krawedzie kUchwyty[] = {
      {true, true, true, true},    {true, false, true, false},  {false, false, true, false},
      {false, true, true, false},  {false, true, false, false}, {false, true, false, true},
      {false, false, false, true}, {true, false, false, true},  {true, false, false, false}};
  if (uchwyt < 0 || uchwyt > 8) return o;
  const Krawedzie &k = kUchwyty[uchwyt];
  if (k.l) o.Lewy += wektorX;
  if (k.r) o.Prawy += wektorX;
  if (k.t) o.Gorny += wektorY;
  if (k.b) o.Dolny += wektorY;
  return o;
}

void TFImage::UtworzProjektanta() {
  PopupObiekt = new QMenu(this);
  PopupObiekt->setObjectName("PopupObiekt");
  Data1 = PopupObiekt->addAction(QStringLiteral("Zmień typ"));
  Data1->setObjectName("Data1");
  usu1 = PopupObiekt->addAction(QStringLiteral("Właściwości"));
  usu1->setObjectName("usu1");
  Usu2 = PopupObiekt->addAction(QStringLiteral("Usuń"));
  Usu2->setObjectName("Usu2");
  connect(Data1, &QAction::triggered, this, &TFImage::Data1Click);
  connect(usu1, &QAction::triggered, this, &TFImage::usu1Click);
  connect(Usu2, &QAction::triggered, this, &TFImage::Usu2Click);
  connect(Formatka, &QWidget::customContextMenuRequested, this,
          [this](const QPoint &p) { PopupObiekt->popup(Formatka->mapToGlobal(p)); });
  UstawMenuObiektu(false);
  Obrysy = new TObrysy(Formatka);
}

void TFImage::UstawMenuObiektu(bool wlacz) {
  Formatka->setContextMenuPolicy(wlacz ? Qt::CustomContextMenu : Qt::NoContextMenu);
}

bool TFImage::MaMenuObiektu() const { return Formatka->contextMenuPolicy() == Qt::CustomContextMenu; }

void TFImage::RuchProjektanta(int x, int y) {
  if (Rysowanie) {
    UstawPanelStatusu(2, QStringLiteral("Rysowanie pola obiektu X,Y[%1,%2]").arg(x).arg(y));
    Obrysy->UstawRamke(ProstokatZRogow(Zaznaczenie.X1, Zaznaczenie.Y1, x, y));
  }
  PoprzedniPunkt = {x, y};
  if (Przesuwanie && JestPolem(PrzesuwanyObiekt)) {
    const TObiekt &o = Obiekty[static_cast<std::size_t>(PrzesuwanyObiekt)];
    if (!o.Zablokowane) {
      WektorX = x - Zaznaczenie.X1;
      WektorY = y - Zaznaczenie.Y1;
      UstawPanelStatusu(2, QStringLiteral("Wektor zmiany: X,Y[%1,%2]").arg(WektorX).arg(WektorY));
      NowyObrys = ObrysPoZmianie(o, UchwytAktywny, WektorX, WektorY);
      Obrysy->UstawObrys(ProstokatObrysu(NowyObrys));
    }
  }
  PoprzedniObrys = NowyObrys;
}

void TFImage::FormatkaMouseDown(Qt::MouseButton przycisk, int x, int y) {
  if (przycisk != Qt::LeftButton || !Projektant()) return;
  const TTools &t = *Tools;
  // The designer edits structures, never values.
  UsunEdytory();
  WektorX = WektorY = 0;
  Zaznaczenie.X1 = x;
  Zaznaczenie.Y1 = y;
  PoprzedniPunkt = {x, y};
  if (!t.ObiektPodKursorem) {
    if (!UchwytyWidoczne) {
      Rysowanie = 1;
    } else if (UchwytPodKursorem > 0 && JestPolem(PrzesuwanyObiekt)) {
      UchwytAktywny = UchwytPodKursorem;
      Przesuwanie = 1;
    }
  } else if (JestPolem(t.ObiektNadKursorem)) {
    PrzesuwanyObiekt = t.ObiektNadKursorem;
    UchwytAktywny = 0;
    Przesuwanie = 1;
  }
  if (Przesuwanie) {
    const TObiekt &o = Obiekty[static_cast<std::size_t>(PrzesuwanyObiekt)];
    NowyObrys = PoprzedniObrys = Obrys{o.Lewy, o.Prawy, o.Gorny, o.Dolny};
  }
}

void TFImage::FormatkaMouseUp(Qt::MouseButton przycisk, int x, int y) {
  if (przycisk != Qt::LeftButton || !Projektant()) return;
  TTools &t = *Tools;
  Obrysy->Wyczysc();
  if (Zaznaczenie.X1 > x) std::swap(Zaznaczenie.X1, x);
  if (Zaznaczenie.Y1 > y) std::swap(Zaznaczenie.Y1, y);

  if (Rysowanie && std::abs(Zaznaczenie.X1 - x) > MinimalnyRozmiar && std::abs(Zaznaczenie.Y1 - y) > MinimalnyRozmiar) {
    Zaznaczenie.X2 = x;
    Zaznaczenie.Y2 = y;
    if (Dopisz([this] { DodajObiekt(this); })) {
      OdswiezStrone(this);
      // The palette edits the object under the mouse: the new one, whatever lay
      // there before.
      t.WybranyObiekt = t.ObiektNadKursorem = t.LiczbaObiektow - 1;
      if (t.AutoOpcje && t.AutoOpcje->isChecked() && FPaleta) FPaleta->exec();
    }
  } else if (Przesuwanie && (WektorX != 0 || WektorY != 0) && JestPolem(PrzesuwanyObiekt)) {
    const int indeks = PrzesuwanyObiekt;
    TObiekt &o = Obiekty[static_cast<std::size_t>(indeks)];
    o.Lewy = NowyObrys.Lewy;
    o.Prawy = NowyObrys.Prawy;
    o.Gorny = NowyObrys.Gorny;
    o.Dolny = NowyObrys.Dolny;
    if (Shift) {
      Dopisz([this, indeks, o] { DodajKopieObiektu(this, indeks, o); });
    } else if (Ctrl) {
      // Only a check box has a group to join.
      if (o.Typ == Checbox) Dopisz([this, indeks, o] { DodajKopieWGrupie(this, indeks, o); });
    } else if (indeks < LiczbaRekordow(t.PlikDcs)) {
      ZapiszObiekt(this, indeks, o);
    } else {
      platform::ShowMessage(QStringLiteral("Brak obiektu %1 w pliku struktury formularza:\n").arg(indeks) + t.PlikDcs);
    }
    OdswiezStrone(this);
    WektorX = WektorY = 0;
    // The handles follow the object they belong to.
    if (UchwytyWidoczne && !UchwytAktywny) RysujUchwytyObiektu(this);
  }

  Rysowanie = 0;
  Przesuwanie = 0;
  if (UchwytAktywny) {
    UchwytAktywny = 0;
    RysujUchwytyObiektu(this);
    // Handles on screen answer a press.
    UchwytyWidoczne = JestPolem(PrzesuwanyObiekt) ? 1 : 0;
  }
}

void TFImage::FormatkaClickProjektanta() {
  UchwytyWidoczne = 0;
  if (!Projektant()) return;
  TTools &t = *Tools;
  if (t.ObiektPodKursorem && JestPolem(t.ObiektNadKursorem)) {
    t.WybranyObiekt = t.ObiektNadKursorem;
    OdswiezStrone(this);
    RysujUchwytyObiektu(this);
    UchwytyWidoczne = 1;
  } else {
    OdswiezStrone(this);
  }
}

bool TFImage::FormKeyDown(int klawisz) {
  if (!Projektant()) return false;
  if (klawisz == Qt::Key_Shift) {
    Shift = 1;
    UstawPanelStatusu(3, QStringLiteral("Shift Image"));
  } else if (klawisz == Qt::Key_Control) {
    Ctrl = 1;
    UstawPanelStatusu(3, QStringLiteral("Ctrl Image"));
  } else {
    return false;
  }
  Formatka->setCursor(Qt::DragMoveCursor);
  return true;
}

bool TFImage::FormKeyUp(int klawisz) {
  if (!Projektant()) return false;
  if (klawisz == Qt::Key_Shift || klawisz == Qt::Key_Control) {
    (klawisz == Qt::Key_Shift ? Shift : Ctrl) = 0;
    Formatka->setCursor(Qt::ArrowCursor);
    return true;
  }
  if (klawisz != Qt::Key_Delete) return false;
  Obrysy->Wyczysc();
  UsunObiekt(this);
  // The deleted object's handles went with it.
  UchwytyWidoczne = 0;
  return true;
}

void TFImage::keyPressEvent(QKeyEvent *zdarzenie) {
  if (FormKeyDown(zdarzenie->key()))
    zdarzenie->accept();
  else
    QScrollArea::keyPressEvent(zdarzenie);
}

void TFImage::keyReleaseEvent(QKeyEvent *zdarzenie) {
  if (!zdarzenie->isAutoRepeat() && FormKeyUp(zdarzenie->key()))
    zdarzenie->accept();
  else
    QScrollArea::keyReleaseEvent(zdarzenie);
}

void TFImage::Data1Click() {
  if (Tools && Tools->ObiektPodKursorem && FObj) FObj->exec();
}

void TFImage::usu1Click() {
  if (FPaleta) FPaleta->exec();
}

void TFImage::Edycja1Click() { RysujUchwytyObiektu(this); }
