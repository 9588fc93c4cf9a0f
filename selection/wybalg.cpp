#include "selection/wybalg.h"

TFWybAlg* FWybAlg = nullptr;

TFWybAlg::TFWybAlg(QWidget* parent) : QDialog(parent) {
  setObjectName("FWybAlg");
  FWybAlg = this;
  setWindowTitle(QStringLiteral("Wybór sposobu doboru formularzy"));
}

TFWybAlg::~TFWybAlg() {
  if (FWybAlg == this) FWybAlg = nullptr;
}
