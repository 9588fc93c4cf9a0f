#include "main/wydruk.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstdint>

#include "main/tools.h"
#include "pages/fimage.h"
#include "pages/gdi.h"
#include "selection/grupa_opcji.h"

TWydruk* Wydruk = nullptr;

namespace {

// A read-only edit with its up-down: the value changes only by the arrows and keys.
QSpinBox* PoleZeStrzalkami(QWidget* rodzic, const char* nazwa, int od, int doWartosci) {
  auto* pole = new QSpinBox(rodzic);
  pole->setObjectName(QString::fromLatin1(nazwa));
  pole->setRange(od, doWartosci);
  pole->setValue(0);
  pole->setMinimumWidth(64);
  if (auto* edycja = pole->findChild<QLineEdit*>()) edycja->setReadOnly(true);
  return pole;
}

QLabel* Etykieta(QWidget* rodzic, const QString& tekst) { return new QLabel(tekst, rodzic); }

struct PoleGrupy {
  const char* nazwa;
  QString podpis;
  QSpinBox** pole;
};

// A frame with two "+/-" fields of -100..100 under each other, each with its caption.
QGroupBox* GrupaDwochPol(QWidget* rodzic, const char* nazwa, const QString& tytul, const PoleGrupy& pierwsze,
                         const PoleGrupy& drugie) {
  auto* grupa = new QGroupBox(tytul, rodzic);
  grupa->setObjectName(QString::fromLatin1(nazwa));
  auto* siatka = new QGridLayout(grupa);
  siatka->addWidget(Etykieta(grupa, QStringLiteral("+/-")), 0, 1);
  int wiersz = 1;
  for (const PoleGrupy* p : {&pierwsze, &drugie}) {
    *p->pole = PoleZeStrzalkami(grupa, p->nazwa, -100, 100);
    siatka->addWidget(Etykieta(grupa, p->podpis), wiersz, 0);
    siatka->addWidget(*p->pole, wiersz, 1);
    ++wiersz;
  }
  return grupa;
}

int Krotka(const QSpinBox* pole) { return static_cast<std::int16_t>(pole->value()); }

}  // namespace

TWydruk::TWydruk(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("Wydruk");
  Wydruk = this;
  setWindowTitle(QStringLiteral("Parametry wydruku"));
  setFont(QFont(gdi::RodzinaCzcionki(), 8));

  ZakresDruku =
      new TGrupaOpcji(QStringLiteral(" Zakres wydruku  "),
                      {QStringLiteral("Bieżąca strona formularza"), QStringLiteral("Wszystkie strony formularza"),
                       QStringLiteral("Zeznanie wraz z załącznikami"),
                       QStringLiteral("Wszystkie zeznania i załączniki bieżącego rozliczenia")},
                      1, this);
  ZakresDruku->setObjectName("ZakresDruku");
  ZakresDruku->UstawItemIndex(0);

  GroupBox1 = GrupaDwochPol(this, "GroupBox1", QStringLiteral(" Marginesy "),
                            {"MarginesGora", QStringLiteral("margines górny:"), &MarginesGora},
                            {"MarginesLewa", QStringLiteral("margines lewy:"), &MarginesLewa});
  GroupPrzesText = GrupaDwochPol(this, "GroupPrzesText", QStringLiteral(" Przesunięcie tekstu "),
                                 {"Dx", QStringLiteral("przesunięcie poziome:"), &Dx},
                                 {"Dy", QStringLiteral("przesunięcie pionowe:"), &Dy});

  GroupBox3 = new QGroupBox(QStringLiteral(" Rozmiar druku "), this);
  GroupBox3->setObjectName("GroupBox3");
  RozmiarDruku = PoleZeStrzalkami(GroupBox3, "RozmiarDruku", -50, 50);
  auto* rozmiar = new QHBoxLayout(GroupBox3);
  rozmiar->addWidget(Etykieta(GroupBox3, QStringLiteral("+/-")));
  rozmiar->addWidget(RozmiarDruku);
  rozmiar->addStretch(1);

  ZawDruk = new TGrupaOpcji(
      QStringLiteral(" Zawartość wydruku "),
      {QStringLiteral("drukuj tylko druk formularza"), QStringLiteral("drukuj dane i druk formularza")}, 1, this);
  ZawDruk->setObjectName("ZawDruk");
  ZawDruk->UstawItemIndex(1);

  Drukuj = new QPushButton(QStringLiteral("Drukuj"), this);
  Drukuj->setObjectName("Drukuj");
  Drukuj->setDefault(true);
  SpeedButton1 = new QPushButton(QStringLiteral("Anuluj"), this);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton3 = new QPushButton(QStringLiteral("Ustawtenia drukarki"), this);
  SpeedButton3->setObjectName("SpeedButton3");
  SpeedButton3->setVisible(false);

  auto* uklad = new QVBoxLayout(this);
  uklad->addWidget(ZakresDruku);
  auto* srodek = new QGridLayout;
  srodek->addWidget(GroupBox1, 0, 0);
  srodek->addWidget(GroupPrzesText, 0, 1);
  srodek->addWidget(GroupBox3, 1, 0);
  srodek->addWidget(ZawDruk, 1, 1);
  uklad->addLayout(srodek);
  auto* przyciski = new QHBoxLayout;
  przyciski->addWidget(SpeedButton3);
  przyciski->addStretch(1);
  przyciski->addWidget(Drukuj);
  przyciski->addWidget(SpeedButton1);
  uklad->addLayout(przyciski);
  // A fixed border: the window keeps the size of its contents.
  uklad->setSizeConstraint(QLayout::SetFixedSize);

  PrintDialog = [this](QPrinter& drukarka) {
    QPrintDialog okno(&drukarka, this);
    // Every job prints whole forms: no page range to choose.
    okno.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies |
                    QAbstractPrintDialog::PrintShowPageSize);
    return okno.exec() == QDialog::Accepted;
  };
  PrinterSetupDialog = [this](QPrinter& drukarka) {
    QPageSetupDialog okno(&drukarka, this);
    return okno.exec() == QDialog::Accepted;
  };

  connect(ZawDruk, &TGrupaOpcji::Klik, this, &TWydruk::ZawDrukClick);
  connect(Drukuj, &QPushButton::clicked, this, &TWydruk::DrukujClick);
  connect(SpeedButton1, &QPushButton::clicked, this, &TWydruk::SpeedButton1Click);
  connect(SpeedButton3, &QPushButton::clicked, this, &TWydruk::SpeedButton3Click);
  PolaczPolecenia();
}

TWydruk::~TWydruk() {
  if (Wydruk == this) Wydruk = nullptr;
}

void TWydruk::PolaczPolecenia() {
  if (!Tools) return;
  for (QAction* polecenie : {Tools->BWydruk, Tools->Drukuj2, Tools->ToolButton8})
    if (polecenie) connect(polecenie, &QAction::triggered, this, &TWydruk::PokazOkno);
  for (QAction* polecenie : {Tools->Drukuj1, Tools->Drukuj})
    if (polecenie) connect(polecenie, &QAction::triggered, this, &TWydruk::Drukuj1Click);
}

QPrinter& TWydruk::Drukarka() {
  if (!drukarka_) drukarka_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *drukarka_;
}

UstawieniaWydruku TWydruk::Ustawienia() const {
  UstawieniaWydruku u;
  u.MarginesGora = Krotka(MarginesGora);
  u.MarginesLewa = Krotka(MarginesLewa);
  u.Dx = Krotka(Dx);
  u.Dy = Krotka(Dy);
  u.RozmiarDruku = Krotka(RozmiarDruku);
  u.Dane = ZawDruk->ItemIndex() == 1;
  return u;
}

void TWydruk::showEvent(QShowEvent* zdarzenie) {
  QDialog::showEvent(zdarzenie);
  if (QScreen* ekran = screen()) move(ekran->availableGeometry().center() - rect().center());
  FormShow();
}

void TWydruk::FormShow() { Drukuj->setEnabled(true); }

void TWydruk::ZawDrukClick() { GroupPrzesText->setEnabled(ZawDruk->ItemIndex() == 1); }

void TWydruk::SpeedButton1Click() { close(); }

void TWydruk::SpeedButton3Click() {
  if (PrinterSetupDialog) PrinterSetupDialog(Drukarka());
}

void TWydruk::DrukujClick() {
  if (!PrintDialog || !PrintDialog(Drukarka())) return;
  Drukuj->setEnabled(false);
  if (Tools) DrukujDruki(Drukarka(), *Tools, DrukiZakresu(*Tools, ZakresDruku->ItemIndex()), Ustawienia());
  close();
}

void TWydruk::PokazOkno() {
  // Printing needs a page on screen: BWydruk is enabled only while one is shown.
  if (!Tools || !Tools->BWydruk || !Tools->BWydruk->isEnabled()) return;
  // A value still in its editor is printed too; one refused keeps its editor open and nothing is printed.
  if (FImage && !FImage->ZatwierdzEdytor()) return;
  exec();
}

void TWydruk::Drukuj1Click() {
  if (!Tools || !Tools->StronaWczytana || !Tools->ObrazStrony) return;
  if (FImage && !FImage->ZatwierdzEdytor()) return;
  if (PrintDialog && PrintDialog(Drukarka())) Tools->Drukuj1Click(Drukarka());
}
