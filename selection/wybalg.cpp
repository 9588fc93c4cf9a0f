#include "selection/wybalg.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "main/tools.h"
#include "pages/fimage.h"
#include "selection/grupa_opcji.h"
#include "selection/sam.h"

TFWybAlg* FWybAlg = nullptr;

TFWybAlg::TFWybAlg(QWidget* parent) : QDialog(parent) {
  setObjectName("FWybAlg");
  FWybAlg = this;
  setWindowTitle(QStringLiteral("Wybór sposobu doboru formularzy"));
  setFixedSize(476, 332);
  setAutoFillBackground(true);
  QPalette paleta = palette();
  paleta.setColor(QPalette::Window, paleta.color(QPalette::ToolTipBase));
  setPalette(paleta);

  Tytul = new QLabel(QStringLiteral("    Wybór sposobu doboru formularzy Velmar 2008"), this);
  Tytul->setObjectName("Tytul");
  Tytul->setGeometry(0, 0, 476, 41);
  Tytul->setAutoFillBackground(true);
  Tytul->setStyleSheet(QStringLiteral("background: white; font-weight: bold;"));

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setGeometry(8, 49, 460, 150);
  Memo1->setPlainText(QStringList{
      QStringLiteral("Program umożliwia wybór sposobu w jaki podatnik będzie dobierał formularze "),
      QStringLiteral("dla dokonania rozliczenia.  Można je wybrać poprzez  \"ścieżkę wyboru\"  "),
      QStringLiteral("lub \"samodzielnie\". "),
      QStringLiteral("    Opcja \"ścieżka wyboru\"  to zestaw pytań. "),
      QStringLiteral("    Opcja \"samodzielnie\" to bezpośredni wybór druków z listy. "),
      QString(),
      QStringLiteral("Należy jednak  pamiętać  o zaznaczeniu sposobu rozliczenia."),
  }.join(QLatin1Char('\n')));

  Button1 = new QPushButton(QStringLiteral("ścieżka wyboru"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(24, 220, 200, 90);
  Button1->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
  Button2 = new QPushButton(QStringLiteral("samodzielnie"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(252, 220, 200, 90);
  Button2->setStyleSheet(QStringLiteral("font-weight: bold;"));
  connect(Button1, &QPushButton::clicked, this, &TFWybAlg::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TFWybAlg::Button2Click);
}

TFWybAlg::~TFWybAlg() {
  if (FWybAlg == this) FWybAlg = nullptr;
}

void TFWybAlg::Button1Click() {
  // The identification blocks are emptied by the wizard's start once the settlement is really replaced.
  if (Tools) Tools->RozpocznijKreator();
  close();
}

void TFWybAlg::Button2Click() {
  if (!Tools) return;
  // A Yes whose save was cancelled or failed keeps the settlement as it is, captions included; a save that went
  // through has put its file's name in the title, which the new settlement replaces.
  if (!Tools->PytanieOZapis(false)) {
    close();
    return;
  }
  Tools->setWindowTitle(TTools::kTytulBezRozliczenia);
  Tools->DobraneFormularze->setText(QStringLiteral("Dobrane formularze"));
  Tools->Rozl.WyczyscOsoby();
  if (FImage && FImage->isVisible()) FImage->close();
  Tools->UstawWysokoscListError(0);
  Tools->PokazPowitanie(false);
  Tools->WyczyscRozliczenie();
  Tools->PlikRozliczenia.clear();
  Tools->Zmodyfikowane = 0;
  Tools->ToolButtonSave->setEnabled(false);
  if (Sam) {
    Sam->RodzRozl->setEnabled(!Tools->MaDruki());
    Sam->show();
  }
  close();
}
