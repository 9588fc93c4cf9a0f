#include "main/licencja.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "main/tools.h"
#include "pages/gdi.h"
#include "platform/dialogi.h"
#include "platform/rtf.h"

TUmowaLicencyjna* UmowaLicencyjna = nullptr;

TUmowaLicencyjna::TUmowaLicencyjna(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("UmowaLicencyjna");
  UmowaLicencyjna = this;
  setWindowTitle(QStringLiteral("Umowa licencyjna"));
  setFont(QFont(gdi::RodzinaCzcionki(), 8));

  // The text may be edited for reading's sake, but nothing typed here is ever saved.
  Licencja = new QTextEdit(this);
  Licencja->setObjectName("Licencja");
  Licencja->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Licencja->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SpeedButton1 = new QPushButton(QStringLiteral("Zamknij"), this);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setMinimumWidth(90);
  SpeedButton1->setDefault(true);

  auto* przyciski = new QHBoxLayout;
  przyciski->addStretch();
  przyciski->addWidget(SpeedButton1);
  auto* uklad = new QVBoxLayout(this);
  uklad->setContentsMargins(10, 10, 10, 10);
  uklad->addWidget(Licencja);
  uklad->addLayout(przyciski);
  setFixedSize(600, 460);

  connect(SpeedButton1, &QPushButton::clicked, this, &TUmowaLicencyjna::SpeedButton1Click);
  FormCreate();
}

TUmowaLicencyjna::~TUmowaLicencyjna() {
  if (UmowaLicencyjna == this) UmowaLicencyjna = nullptr;
}

void TUmowaLicencyjna::FormCreate() {
  const QString folder = Tools ? Tools->FolderProgramu : QCoreApplication::applicationDirPath() + QLatin1Char('/');
  const QString plik = folder + QStringLiteral("alg/licence.rtf");
  QString blad;
  if (!platform::WczytajPlikRtf(*Licencja->document(), plik, &blad)) {
    if (!blad.isEmpty()) platform::ShowMessage(blad);
    return;
  }
  Licencja->document()->setDocumentMargin(8);
  Licencja->moveCursor(QTextCursor::Start);
}

void TUmowaLicencyjna::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (const QScreen* ekran = screen()) move(ekran->availableGeometry().center() - rect().center());
}

void TUmowaLicencyjna::SpeedButton1Click() { close(); }
