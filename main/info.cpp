#include "main/info.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "main/aktualizacja_siec.h"
#include "main/licencja.h"
#include "main/tools.h"
#include "pages/gdi.h"
#include "platform/dialogi.h"
#include "platform/jpeg.h"
#include "platform/ustawienia.h"

TInfo* Info = nullptr;

namespace {

QString FolderProgramu() {
  return Tools ? Tools->FolderProgramu : QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

QLabel* Tekst(QWidget* rodzic, const char* nazwa, const QString& tekst) {
  auto* l = new QLabel(tekst, rodzic);
  l->setObjectName(QString::fromLatin1(nazwa));
  return l;
}

QLabel* Obraz(QWidget* rodzic, const char* nazwa, QSize rozmiar) {
  auto* l = new QLabel(rodzic);
  l->setObjectName(QString::fromLatin1(nazwa));
  l->setFixedSize(rozmiar);
  l->setAlignment(Qt::AlignCenter);
  return l;
}

// The pictures are delivered beside the program; a missing one leaves its place empty.
void WczytajObraz(QLabel* l, const QString& plik) {
  QString blad;
  const QImage obraz = platform::WczytajJpeg(FolderProgramu() + QStringLiteral("alg/") + plik, &blad);
  if (!blad.isEmpty()) platform::ShowMessage(blad);
  if (!obraz.isNull())
    l->setPixmap(QPixmap::fromImage(obraz.scaled(l->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

QFrame* Linia(QWidget* rodzic, const char* nazwa) {
  auto* f = new QFrame(rodzic);
  f->setObjectName(QString::fromLatin1(nazwa));
  f->setFrameShape(QFrame::HLine);
  f->setFrameShadow(QFrame::Sunken);
  return f;
}

}  // namespace

TInfo::TInfo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("Info");
  Info = this;
  setWindowTitle(QStringLiteral("Informacja o programie"));
  setFont(QFont(gdi::RodzinaCzcionki(), 8));

  Image1 = Obraz(this, "Image1", QSize(150, 270));
  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setFrameShadow(QFrame::Sunken);
  Panel1->setAutoFillBackground(true);
  QPalette tlo = Panel1->palette();
  tlo.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(tlo);

  Image2 = Obraz(Panel1, "Image2", QSize(240, 64));
  Image2->setCursor(Qt::PointingHandCursor);
  Image2->setToolTip(aktualizacja::kStronaProducenta);
  StaticText1 = Tekst(Panel1, "StaticText1", QStringLiteral("Program Velmar 2008"));
  QFont tytul = StaticText1->font();
  tytul.setPointSize(14);
  tytul.setBold(true);
  StaticText1->setFont(tytul);
  StaticText2 = Tekst(Panel1, "StaticText2", QStringLiteral("Roczne rozliczenie podatku dochodowego."));
  WersjaProg = Tekst(Panel1, "WersjaProg", QStringLiteral("wersja: 0.0.0.0"));
  Bevel1 = Linia(Panel1, "Bevel1");
  StaticText3 = Tekst(Panel1, "StaticText3", QStringLiteral("Korvanex"));
  QFont producent = StaticText3->font();
  producent.setBold(true);
  StaticText3->setFont(producent);
  StaticText4 = Tekst(Panel1, "StaticText4", QStringLiteral("ul. Słoneczna 14, 02-495 Warszawa"));
  StaticText5 = Tekst(Panel1, "StaticText5", QStringLiteral("tel. (22) 555 01 20, faks (22) 555 01 21"));
  StaticText6 = Tekst(Panel1, "StaticText6", QStringLiteral("e-mail: biuro@korvanex.pl"));
  StaticText7 = Tekst(Panel1, "StaticText7", aktualizacja::kStronaProducenta);
  StaticText7->setCursor(Qt::PointingHandCursor);
  QPalette odnosnik = StaticText7->palette();
  odnosnik.setColor(QPalette::WindowText, QColor(0, 51, 153));
  StaticText7->setPalette(odnosnik);
  QFont podkreslenie = StaticText7->font();
  podkreslenie.setUnderline(true);
  StaticText7->setFont(podkreslenie);
  StaticText8 = Tekst(Panel1, "StaticText8", QStringLiteral("© 2026 autorzy programu Velmar 2008. Licencja MIT."));

  auto* panel = new QVBoxLayout(Panel1);
  panel->setContentsMargins(16, 12, 16, 12);
  panel->setSpacing(3);
  panel->addWidget(Image2, 0, Qt::AlignLeft);
  panel->addSpacing(6);
  panel->addWidget(StaticText1);
  panel->addWidget(StaticText2);
  panel->addWidget(WersjaProg);
  panel->addSpacing(6);
  panel->addWidget(Bevel1);
  panel->addSpacing(6);
  for (QLabel* l : {StaticText3, StaticText4, StaticText5, StaticText6}) panel->addWidget(l);
  panel->addWidget(StaticText7, 0, Qt::AlignLeft);
  panel->addStretch();
  panel->addSpacing(8);
  panel->addWidget(StaticText8);

  Bevel2 = Linia(this, "Bevel2");
  AutoAktualzacja =
      new QCheckBox(QStringLiteral("Automatycznie sprawdzaj aktualizacje przy uruchamianiu programu."), this);
  AutoAktualzacja->setObjectName("AutoAktualzacja");
  AutoAktualzacja->setChecked(true);
  SpeedButton1 = new QPushButton(QStringLiteral("Licencja "), this);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setAutoDefault(false);
  BitBtn1 = new QPushButton(QStringLiteral("Zamknij"), this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setDefault(true);
  for (QPushButton* b : {SpeedButton1, BitBtn1}) b->setMinimumWidth(90);

  auto* gora = new QHBoxLayout;
  gora->setSpacing(10);
  gora->addWidget(Image1, 0, Qt::AlignTop);
  gora->addWidget(Panel1, 1);
  auto* przyciski = new QHBoxLayout;
  przyciski->addWidget(SpeedButton1);
  przyciski->addStretch();
  przyciski->addWidget(BitBtn1);
  auto* uklad = new QVBoxLayout(this);
  uklad->setContentsMargins(10, 10, 10, 10);
  uklad->addLayout(gora);
  uklad->addWidget(Bevel2);
  uklad->addWidget(AutoAktualzacja);
  uklad->addLayout(przyciski);

  Image2->installEventFilter(this);
  StaticText7->installEventFilter(this);
  connect(SpeedButton1, &QPushButton::clicked, this, &TInfo::SpeedButton1Click);
  connect(BitBtn1, &QPushButton::clicked, this, &TInfo::BitBtn1Click);
  connect(AutoAktualzacja, &QCheckBox::toggled, this, &TInfo::AutoAktualzacjaClick);
  FormCreate();
  if (Tools)
    connect(Tools->Informacjaoprogramie1, &QAction::triggered, this, &TInfo::Informacjaoprogramie1Click,
            Qt::UniqueConnection);
}

TInfo::~TInfo() {
  if (Info == this) Info = nullptr;
}

void TInfo::FormCreate() { WczytajPrzelacznik(); }

void TInfo::WczytajPrzelacznik() {
  if (!Tools) return;
  // Setting the box counts as a click when it changes it: a missing switch is written back as off.
  const bool wlaczony = Tools->Ustawienia().ReadBool(QStringLiteral("PIT"), QStringLiteral("AutoUpdate"), false);
  AutoAktualzacja->setChecked(wlaczony);
}

void TInfo::FormShow() {
  WersjaProg->setText(QStringLiteral("wersja: ") + (Tools ? Tools->WersjaProgramu() : QString()));
}

void TInfo::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  // Decoded and measured when the box is first shown rather than when the program starts.
  if (!przygotowane_) {
    WczytajObraz(Image1, QStringLiteral("info1.jpg"));
    WczytajObraz(Image2, QStringLiteral("info2.jpg"));
    setFixedSize(sizeHint().expandedTo(QSize(520, 0)));
    przygotowane_ = true;
  }
  if (const QScreen* ekran = screen()) move(ekran->availableGeometry().center() - rect().center());
  FormShow();
}

bool TInfo::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
  if (zdarzenie->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(zdarzenie)->button() == Qt::LeftButton) {
    if (obiekt == Image2) Image2Click();
    else if (obiekt == StaticText7) StaticText7Click();
  }
  return QDialog::eventFilter(obiekt, zdarzenie);
}

void TInfo::Informacjaoprogramie1Click() { exec(); }

void TInfo::AutoAktualzacjaClick() {
  if (!Tools) return;
  platform::TIniFile& ini = Tools->Ustawienia();
  // A file that already holds the value (as when the box is set from it at start-up) is not written again.
  const QString sekcja = QStringLiteral("PIT"), klucz = QStringLiteral("AutoUpdate");
  const QString wartosc = AutoAktualzacja->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
  if (ini.ValueExists(sekcja, klucz) && ini.ReadString(sekcja, klucz, {}) == wartosc) return;
  // A file refused at start-up (which said why) is not written: the switch then holds in memory.
  if (!ini.WriteString(sekcja, klucz, wartosc) && ini.Blad().isEmpty())
    platform::AktywneDialogi().Wyjatek(QStringLiteral("Unable to write to %1").arg(ini.Sciezka()));
}

void TInfo::Image2Click() { OtworzStroneProducenta(); }

void TInfo::StaticText7Click() { OtworzStroneProducenta(); }

void TInfo::OtworzStroneProducenta() {
  const QUrl strona(aktualizacja::kStronaProducenta);
  if (Tools) Tools->UslugiWUzyciu().OtworzAdres(strona);
  else TTools::UslugiSystemu().OtworzAdres(strona);
}

void TInfo::SpeedButton1Click() {
  if (UmowaLicencyjna) UmowaLicencyjna->exec();
}

void TInfo::BitBtn1Click() { close(); }
