// The sheet of the page view: what the screen shows after the picture and the overlay changed, painted piece by piece,
// must equal the page composed afresh, through page turns, values, highlighting, another form, the designer's frames
// and zoom; and what changed is painted later, by the event loop, and no more of it than changed.

#include <QAction>
#include <QDir>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>

#include "pages/nakladka.h"
#include "pages/rysowanie.h"
#include "tst_strony_wspolne.h"

using namespace velmar_test;

namespace {

// The regions a widget was asked to paint.
class Malowania : public QObject {
 public:
  explicit Malowania(QWidget* widget) { widget->installEventFilter(this); }
  std::vector<QRegion> regiony;
  bool eventFilter(QObject*, QEvent* zdarzenie) override {
    if (zdarzenie->type() == QEvent::Paint) regiony.push_back(static_cast<QPaintEvent*>(zdarzenie)->region());
    return false;
  }
  QRect Razem() const {
    QRect r;
    for (const QRegion& g : regiony) r |= g.boundingRect();
    return r;
  }
};

}  // namespace

class TstKartka : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZeStronami> p_;
  TTools& T() { return p_->T(); }
  TFImage& V() { return p_->V(); }
  TKartka& Kartka() { return *qobject_cast<TKartka*>(V().Kartka()); }

  // The visible part of the page on screen, as painted piece by piece, against the page composed from nothing.
  void JakOdNowa(const char* po) {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const QImage ekran = T().screen()->grabWindow(T().winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage strona = V().Zlozenie();
    const QRect widoczna =
        QRect(Kartka().mapFrom(V().viewport(), QPoint(0, 0)), V().viewport()->size()) & Kartka().rect();
    QVERIFY2(!widoczna.isEmpty(), po);
    const QPoint naEkranie = Kartka().mapTo(&T(), widoczna.topLeft());
    QVERIFY2(ekran.copy(QRect(naEkranie, widoczna.size())) == strona.copy(widoczna), po);
  }

 private slots:
  void init();
  void cleanup() { p_.reset(); }

  void skladanaNaBiezacoJakOdNowa();
  void malowaneTylkoZmienione();
};

void TstKartka::init() {
  const QString dc = QStringLiteral(VELMAR_BIN_DIR "/dc/");
  if (!QFile::exists(dc + QStringLiteral("2.dcs"))) QSKIP("the generated forms are not built");
  p_ = std::make_unique<ProgramZeStronami>();
  for (const QString& plik : QDir(dc).entryList({"2.*", "2_*", "6.*", "6_*"})) {
    QFile::remove(p_->Dc() + plik);
    QVERIFY(QFile::copy(dc + plik, p_->Dc() + plik));
  }
  p_->Uruchom();
  p_->Rozliczenie({{Pit37, 0, PMWspolny}, {PitO, 1, PMPodatnik}});
  p_->Pokaz(1);
  QVERIFY(T().StronaWczytana);
}

void TstKartka::skladanaNaBiezacoJakOdNowa() {
  T().show();
  QVERIFY(QTest::qWaitForWindowExposed(&T()));
  JakOdNowa("the first page");
  // Every field of both records given a value of its kind, the check boxes ticked.
  for (int j = 1; j <= 2; ++j)
    for (int k = 0; k < kLiczbaPol; ++k) {
      TPoleDruku& pole = T().Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)];
      UstawBajty(pole.Wartosc, k % 3 == 0 ? "1234567890" : k % 3 == 1 ? "01022009" : "987654,32");
      pole.Zaznaczone = 1;
    }
  T().WyczyscNakladke();
  RysujObiekty(&V());
  JakOdNowa("values drawn");
  T().PitNextPageClick();
  JakOdNowa("the next page");
  T().PitPrevPageClick();
  JakOdNowa("back to the first page");
  T().PodswietlPol->setChecked(false);
  RysujObiekty(&V());
  JakOdNowa("fields drawn over, no highlight");
  T().WyczyscNakladke();
  JakOdNowa("the overlay cleared");
  p_->Pokaz(2);
  JakOdNowa("another form");
  p_->Pokaz(1, 3);
  JakOdNowa("the first form's last page");
  V().verticalScrollBar()->setValue(V().verticalScrollBar()->maximum() / 2);
  JakOdNowa("scrolled");
  T().UstawTryb(false);
  JakOdNowa("the designer's frames");
  T().TrackBar->setValue(50);
  JakOdNowa("the overlay zoomed");
  T().UstawTryb(true);
  JakOdNowa("the client mode again");
}

void TstKartka::malowaneTylkoZmienione() {
  int k = 0;
  while (k < V().LiczbaPol() && (V().Obiekty[k].Strona != 1 || V().Obiekty[k].Typ != Liczba)) ++k;
  QVERIFY(k < V().LiczbaPol());
  const TObiekt& o = V().Obiekty[static_cast<std::size_t>(k)];
  T().show();
  QVERIFY(QTest::qWaitForWindowExposed(&T()));
  V().ensureVisible(o.Lewy, o.Gorny);
  QCoreApplication::processEvents();
  Malowania malowania(&Kartka());

  // One field drawn: nothing is painted until the event loop runs, then the field and its surroundings only.
  UstawBajty(T().Druki[1].Pola[static_cast<std::size_t>(k)].Wartosc, "4321,5");
  RysujPole(&V(), k, o);
  QVERIFY(malowania.regiony.empty());
  QTRY_VERIFY(!malowania.regiony.empty());
  const QRect pole = QRect(QPoint(o.Lewy, o.Gorny), QPoint(o.Prawy, o.Dolny)).translated(V().Formatka->pos());
  QVERIFY(pole.adjusted(-8, -8, 8, 8).contains(malowania.Razem()));

  // A page turn: the whole visible page, once the event loop runs.
  malowania.regiony.clear();
  T().PitNextPageClick();
  QVERIFY(malowania.regiony.empty());
  QTRY_VERIFY(!malowania.regiony.empty());
  const QRect widoczna =
      QRect(Kartka().mapFrom(V().viewport(), QPoint(0, 0)), V().viewport()->size()) & Kartka().rect();
  QVERIFY(malowania.Razem().contains(widoczna));
}

VELMAR_TEST_MAIN(TstKartka)
#include "tst_kartka.moc"
