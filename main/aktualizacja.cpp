#include "main/aktualizacja.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "main/aktualizacja_siec.h"
#include "main/tools.h"
#include "pages/gdi.h"
#include "platform/ustawienia.h"

TAktualizacja* Aktualizacja = nullptr;

namespace {

int NaPasek(qint64 wartosc) {
  return static_cast<int>(std::clamp<qint64>(wartosc, 0, std::numeric_limits<int>::max()));
}

}  // namespace

TAktualizacja::TAktualizacja(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  setObjectName("Aktualizacja");
  Aktualizacja = this;
  setWindowTitle(QStringLiteral("Aktualizacja on-line programu Velmar"));
  setFont(QFont(gdi::RodzinaCzcionki(), 8));

  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setMinimumSize(380, 140);
  ProgressHTTP = new QProgressBar(this);
  ProgressHTTP->setObjectName("ProgressHTTP");
  ProgressHTTP->setRange(0, 100);
  ProgressHTTP->setTextVisible(false);
  AutoInstall = new QCheckBox(QStringLiteral("Uruchom aktualizacje automatycznie"), this);
  AutoInstall->setObjectName("AutoInstall");
  AutoInstall->setChecked(true);
  Instaluj = new QPushButton(QStringLiteral("Instaluj"), this);
  Instaluj->setObjectName("Instaluj");
  Instaluj->setEnabled(false);
  Instaluj->setAutoDefault(false);
  Anuluj = new QPushButton(QStringLiteral("Anuluj"), this);
  Anuluj->setObjectName("Anuluj");
  Anuluj->setAutoDefault(false);

  auto* przyciski = new QHBoxLayout;
  przyciski->addWidget(AutoInstall);
  przyciski->addStretch();
  przyciski->addWidget(Instaluj);
  przyciski->addWidget(Anuluj);
  auto* uklad = new QVBoxLayout(this);
  uklad->addWidget(ListBox1);
  uklad->addWidget(ProgressHTTP);
  uklad->addLayout(przyciski);
  setFixedSize(sizeHint());

  connect(Anuluj, &QPushButton::clicked, this, &TAktualizacja::AnulujClick);
  connect(Instaluj, &QPushButton::clicked, this, &TAktualizacja::InstalujClick);
  if (Tools) {
    connect(Tools->ToolButton10, &QAction::triggered, Tools, &TTools::ToolButton10Click, Qt::UniqueConnection);
    connect(Tools->ButtonInternet, &QAction::triggered, Tools, &TTools::ButtonInternetClick, Qt::UniqueConnection);
  }
  FormCreate();
}

TAktualizacja::~TAktualizacja() {
  if (Aktualizacja == this) Aktualizacja = nullptr;
}

void TAktualizacja::FormCreate() {
  Wyczysc();
  if (!Tools) return;
  // The silent check runs once the main window is shown and never holds it back; a failed transfer is not reported.
  if (Tools->Ustawienia().ReadBool(QStringLiteral("PIT"), QStringLiteral("AutoUpdate"), false))
    Tools->SprawdzAktualizacjePrzyStarcie();
}

void TAktualizacja::FormShow() {
  Wyczysc();
  Instaluj->setEnabled(false);
}

void TAktualizacja::Wyczysc() {
  ListBox1->clear();
  ProgressHTTP->setRange(0, 100);
  ProgressHTTP->setValue(0);
}

void TAktualizacja::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (const QScreen* ekran = screen()) move(ekran->availableGeometry().center() - rect().center());
  FormShow();
}

void TAktualizacja::Pokaz() {
  if (isVisible()) FormShow();
  else show();
}

void TAktualizacja::DodajWiersz(const QString& wiersz) {
  ListBox1->addItem(wiersz);
  ListBox1->scrollToBottom();
}

void TAktualizacja::UstawCalosc(qint64 calosc) {
  ProgressHTTP->setRange(0, calosc < 0 ? 0 : NaPasek(calosc));
  ProgressHTTP->setValue(0);
}

void TAktualizacja::UstawPostep(qint64 pobrane) {
  if (ProgressHTTP->maximum() > 0) ProgressHTTP->setValue(std::min(NaPasek(pobrane), ProgressHTTP->maximum()));
}

void TAktualizacja::PostepPelny() {
  if (ProgressHTTP->maximum() == 0) ProgressHTTP->setRange(0, 100);
  ProgressHTTP->setValue(ProgressHTTP->maximum());
}

void TAktualizacja::PozwolInstalowac() {
  Instaluj->setEnabled(true);
  Instaluj->setFocus();
}

void TAktualizacja::AnulujClick() {
  close();
}

void TAktualizacja::InstalujClick() {
  if (Tools) {
    const QString nazwa = Tools->NazwaPlikuAktualizacji();
    const QString instalator = aktualizacja::FolderInstalatora(Tools->FolderProgramu) + nazwa;
    if (aktualizacja::JestNazwaPliku(nazwa) && QFileInfo::exists(instalator)) Tools->UruchomInstalator(instalator);
  }
  close();
}
