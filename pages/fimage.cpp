#include "pages/fimage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>

#include "main/tools.h"
#include "pages/nakladka.h"

TFImage* FImage = nullptr;

void UstawPanelStatusu(int panel, const QString& tekst) {
  if (!Tools || panel < 0 || panel >= static_cast<int>(Tools->PanelStatusu.size())) return;
  if (QLabel* etykieta = Tools->PanelStatusu[static_cast<std::size_t>(panel)]) etykieta->setText(tekst);
}

TFImage::TFImage(QWidget* parent) : QScrollArea(parent) {
  setObjectName("FImage");
  FImage = this;
  setWindowTitle(QStringLiteral(""));
  // A page wider than the view (a small screen) scrolls sideways as well.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setWidgetResizable(false);
  setFrameShape(QFrame::NoFrame);

  kartka_ = new TKartka;
  IDruk = new TObrazDruku(kartka_);
  Formatka = new TNakladka(kartka_);
  Formatka->resize(0, 0);
  Formatka->hide();
  kartka_->UstawWarstwy(IDruk, Formatka);
  setWidget(kartka_);

  UstawBajty(KolorPodswietlenia[0], "D9FFD9");
  UstawBajty(KolorPodswietlenia[1], "D9FFD9");
  connect(Formatka, &TNakladka::Ruch, this, [this](int x, int y, Qt::KeyboardModifiers) { FormatkaMouseMove(x, y); });
  // A click acts on the object under the press, even when no move told where the mouse came to.
  connect(Formatka, &TNakladka::Nacisniecie, this,
          [this](Qt::MouseButton przycisk, Qt::KeyboardModifiers, int x, int y) {
            if (Tools && Tools->TrybKlienta != 0)
              FormatkaMouseMove(x, y);
            else
              FormatkaMouseDown(przycisk, x, y);
          });
  // The designer's click comes before its release, so the release's drawing is the one left on the overlay.
  connect(Formatka, &TNakladka::Zwolnienie, this, [this](Qt::MouseButton przycisk, Qt::KeyboardModifiers, int x, int y) {
    if (!Tools || Tools->TrybKlienta != 0) return;
    if (przycisk == Qt::LeftButton && Formatka->rect().contains(x, y)) FormatkaClickProjektanta();
    FormatkaMouseUp(przycisk, x, y);
  });
  connect(Formatka, &TNakladka::Klikniecie, this, [this] {
    if (Tools && Tools->TrybKlienta != 0) FormatkaClick();
  });
  UtworzProjektanta();

  // The view joins the main window's MDI area when a page is first shown in it: until then the welcome text stands
  // there, and the program starts without laying out a maximised child it does not show.
  if (Tools && Tools->LiczbaDrukow >= 1 && Tools->Druki.size() > 1 && Tools->Druki[1].Wezel)
    Tools->PokazDruk(Tools->Druki[1].Wezel, 1);
}

TFImage::~TFImage() {
  if (Tools) {
    Tools->StronaWczytana = 0;
    Tools->LiczbaObiektow = 0;
    Tools->LiczbaStron = 0;
  }
  if (FImage == this) FImage = nullptr;
}

void TFImage::UsunEdytory() {
  UsunEdytor(EdytorZaznaczenia);
  UsunEdytor(EdytorListy);
  UsunEdytor(EdytorMaski);
  UsunEdytor(EdytorTekstu);
  obiektEdytora_ = -1;
}

void TFImage::UkryjEdytory() {
  for (QWidget* edytor : std::initializer_list<QWidget*>{EdytorZaznaczenia, EdytorListy, EdytorMaski, EdytorTekstu})
    if (edytor) edytor->hide();
}

int TFImage::LiczbaPol() const {
  const int liczba = Tools ? Tools->LiczbaObiektow : 0;
  return std::clamp(std::min(liczba, static_cast<int>(Obiekty.size())), 0, kLiczbaPol);
}

bool TFImage::JestPolem(int k) const { return k >= 0 && k < LiczbaPol(); }

void TFImage::Otworz() {
  if (okno_ || !Tools || !Tools->ObszarMdi) return;
  okno_ = Tools->ObszarMdi->addSubWindow(this, Qt::SubWindow | Qt::FramelessWindowHint);
  show();
  okno_->showMaximized();
  Tools->ObszarMdi->setActiveSubWindow(okno_);
}

int TFImage::PozycjaPionowa() const { return verticalScrollBar()->value(); }

void TFImage::UstawPozycjePionowa(int pozycja) { verticalScrollBar()->setValue(pozycja); }

void TFImage::DopasujKartke() {
  const QRect obszar = IDruk->geometry().united(Formatka->geometry());
  kartka_->resize(std::max(obszar.right() + 1, 0), std::max(obszar.bottom() + 1, 0));
}

QWidget* TFImage::Kartka() const { return kartka_; }

QImage TFImage::Zlozenie() const { return kartka_->Zlozenie(); }

namespace {

// Posted at low priority, behind the repaint of the page just shown.
const QEvent::Type kPrzygotujObraz = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

void TFImage::PrzygotujObraz(const QString& sciezka) {
  if (doPrzygotowania_.isEmpty()) QCoreApplication::postEvent(this, new QEvent(kPrzygotujObraz), Qt::LowEventPriority);
  doPrzygotowania_ = sciezka;
}

void TFImage::customEvent(QEvent* zdarzenie) {
  if (zdarzenie->type() != kPrzygotujObraz) return;
  const QString sciezka = std::exchange(doPrzygotowania_, QString());
  if (!Otwarty() || !QFileInfo::exists(sciezka)) return;
  QString blad;
  ObrazyStron.Wczytaj(sciezka, blad);
}

void TFImage::FormMouseWheelUp() {
  if (EdytorListy || PozycjaPionowa() < 0 || !Tools) return;
  UstawPozycjePionowa(PozycjaPionowa() - Tools->KrokKolka);
}

void TFImage::FormMouseWheelDown() {
  if (EdytorListy || PozycjaPionowa() < 0 || !Tools) return;
  UstawPozycjePionowa(PozycjaPionowa() + Tools->KrokKolka);
}

void TFImage::wheelEvent(QWheelEvent* zdarzenie) {
  // One step of KrokKolka pixels per notch (120 units), however finely the device reports the turn.
  resztaKolka_ += zdarzenie->angleDelta().y();
  for (; resztaKolka_ >= 120; resztaKolka_ -= 120) FormMouseWheelUp();
  for (; resztaKolka_ <= -120; resztaKolka_ += 120) FormMouseWheelDown();
  zdarzenie->accept();
}

void TFImage::closeEvent(QCloseEvent* zdarzenie) {
  ZamknijWidokStrony(this);
  zdarzenie->accept();
}

void ZamknijWidokStrony(TFImage* view) {
  if (!view) return;
  view->UsunEdytory();
  if (QMdiSubWindow* okno = view->okno_.data()) {
    view->okno_.clear();
    if (Tools && Tools->ObszarMdi) Tools->ObszarMdi->removeSubWindow(view);
    okno->deleteLater();
  }
  view->hide();
  view->IDruk->UstawObraz({});
  view->ObrazyStron.Wyczysc();
  if (!Tools) return;
  Tools->ObrazStrony.reset();
  Tools->UstawDostepnosc(false);
  Tools->StronaWczytana = 0;
  Tools->LiczbaObiektow = 0;
  Tools->LiczbaStron = 0;
  // Objects are loaded again when a form is next shown.
  Tools->PierwszeWyswietlenie = 1;
}
