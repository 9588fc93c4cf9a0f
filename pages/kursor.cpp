// The mouse over the page: position in the status bar, the hover test with its cursor and hint, and the narrow
// layout for structures designed on small screens.

#include <QSplitter>
#include <QToolTip>
#include <QTreeWidget>

#include "main/tools.h"
#include "pages/fimage.h"
#include "pages/nakladka.h"

namespace {

QString LiniaTypu(int typ) {
  switch (typ) {
    case Text:
      return QStringLiteral("\n Typ: txt");
    case Liczba:
      return QStringLiteral("\n Typ: liczba");
    case NIP:
      return QStringLiteral("\n Typ: nip");
    case Data:
      return QStringLiteral("\n Typ: data");
    case Select:
      return QStringLiteral("\n Typ: select");
    case Checbox:
      return QStringLiteral("\n Typ: checbox");
    case Radio:
      return QStringLiteral("\n Typ: radio");
    default:
      return {};
  }
}

bool Blisko(long long a, long long b, int tolerancja) { return a - tolerancja <= b && b <= a + tolerancja; }

// The handle codes in the order they are tested, with their cursors.
struct Uchwyt {
  int kod;
  Qt::CursorShape kursor;
};
constexpr Uchwyt kUchwyty[] = {{1, Qt::SizeFDiagCursor}, {3, Qt::SizeBDiagCursor}, {5, Qt::SizeFDiagCursor},
                               {7, Qt::SizeBDiagCursor}, {2, Qt::SizeVerCursor},   {6, Qt::SizeVerCursor},
                               {8, Qt::SizeHorCursor},   {4, Qt::SizeHorCursor}};

std::pair<long long, long long> PunktUchwytu(const TObiekt& o, int kod) {
  const long long l = o.Lewy, t = o.Gorny, r = o.Prawy, b = o.Dolny;
  const long long srodekX = l + std::llabs(l - r) / 2, srodekY = t + std::llabs(t - b) / 2;
  switch (kod) {
    case 1:
      return {l, t};
    case 2:
      return {srodekX, t};
    case 3:
      return {r, t};
    case 4:
      return {r, srodekY};
    case 5:
      return {r, b};
    case 6:
      return {srodekX, b};
    case 7:
      return {l, b};
    default:
      return {l, srodekY};
  }
}

}  // namespace

void ZnajdzObiektPodKursorem(TFImage* view, int x, int y) {
  if (!view || !Tools) return;
  TTools& t = *Tools;
  TNakladka* formatka = view->Formatka;
  const bool klient = t.TrybKlienta != 0;
  if (t.ObiektPodKursorem == 0) {
    UstawPanelStatusu(2, QString());
    if (klient) {
      formatka->setCursor(Qt::ArrowCursor);
    } else {
      formatka->setCursor(Qt::CrossCursor);
      view->UstawMenuObiektu(false);
      t.ObiektNadKursorem = -1;
    }
  }
  t.ObiektPodKursorem = 0;
  t.ObiektNadKursorem = -1;
  view->UchwytPodKursorem = 0;
  QString podpowiedz;

  const long long tolerancja = view->Tolerancja;
  for (int i = 0; i < view->LiczbaPol(); ++i) {
    const TObiekt& o = view->Obiekty[static_cast<std::size_t>(i)];
    if (o.Strona != t.BiezacaStrona) continue;
    if (o.Lewy + tolerancja <= x && x <= o.Prawy - tolerancja && o.Gorny + tolerancja <= y &&
        y <= o.Dolny - tolerancja) {
      t.ObiektPodKursorem = 1;
      t.ObiektNadKursorem = i;
      if (o.Widoczne && !o.TylkoDoOdczytu) formatka->setCursor(Qt::PointingHandCursor);
      if (klient) {
        podpowiedz = NaQString(o.Pomoc);
      } else {
        formatka->setCursor(view->Shift || view->Ctrl ? Qt::DragMoveCursor : Qt::SizeAllCursor);
        view->UstawMenuObiektu(true);
        podpowiedz = QStringLiteral(" Name: ") + NaQString(o.Nazwa) + LiniaTypu(o.Typ) +
                     QStringLiteral("\n Pozycja: %1").arg(o.PozycjaPrzegladania);
      }
      UstawPanelStatusu(2, QStringLiteral("Nr obj: %1").arg(i));
      UstawPanelStatusu(3, QStringLiteral("Pozycja: %1").arg(o.PozycjaPrzegladania));
    }
    // Only the selected object's handles are drawn, so only they resize.
    if (!klient && view->UchwytyWidoczne && i == view->PrzesuwanyObiekt)
      for (const Uchwyt& u : kUchwyty) {
        const auto [px, py] = PunktUchwytu(o, u.kod);
        if (Blisko(px, x, view->Tolerancja) && Blisko(py, y, view->Tolerancja)) {
          formatka->setCursor(u.kursor);
          view->UchwytPodKursorem = u.kod;
        }
      }
    if (view->UchwytPodKursorem > 0) {
      const QString numer =
          view->JestPolem(view->PrzesuwanyObiekt)
              ? QString::number(view->Obiekty[static_cast<std::size_t>(view->PrzesuwanyObiekt)].NrObiektu)
              : QString();
      UstawPanelStatusu(2, QStringLiteral("Resize Obiekt[%1]:%2 zm: %3")
                               .arg(view->PrzesuwanyObiekt)
                               .arg(numer)
                               .arg(view->UchwytPodKursorem));
    }
  }
  if (formatka->toolTip() != podpowiedz) {
    if (QToolTip::isVisible()) QToolTip::hideText();
    formatka->setToolTip(podpowiedz);
  }
}

void TFImage::FormatkaMouseMove(int x, int y) {
  if (!Tools) return;
  TTools& t = *Tools;
  if (t.SzerokoscEkranuProjektu <= 800 && t.Splitter && t.TV) {
    // Structures designed on small screens fold the tree away.
    t.Splitter->setHandleWidth(4);
    const QList<int> rozmiary = t.Splitter->sizes();
    if (rozmiary.size() == 2 && rozmiary[0] != 1) t.Splitter->setSizes({1, rozmiary[0] + rozmiary[1] - 1});
  }
  MyszX = x;
  MyszY = y;
  UstawPanelStatusu(1, QStringLiteral("x,y [%1,%2]").arg(x).arg(y));
  UstawPanelStatusu(0, QStringLiteral("Liczba obiektow:%1").arg(t.LiczbaObiektow));
  if (t.StronaWczytana && t.LiczbaObiektow > 0) ZnajdzObiektPodKursorem(this, x, y);
  if (t.TrybKlienta == 0) RuchProjektanta(x, y);
}
