#include "pages/fpaleta.h"

TFPaleta* FPaleta = nullptr;

TFPaleta::TFPaleta(QWidget* parent) : QDialog(parent) {
  setObjectName("FPaleta");
  FPaleta = this;
  setWindowTitle(QStringLiteral("Właściwości obiektu"));
}

TFPaleta::~TFPaleta() {
  if (FPaleta == this) FPaleta = nullptr;
}
