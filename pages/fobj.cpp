#include "pages/fobj.h"

TFObj* FObj = nullptr;

TFObj::TFObj(QWidget* parent) : QDialog(parent) {
  setObjectName("FObj");
  FObj = this;
  setWindowTitle(QStringLiteral("Zmiana typu obiektu"));
}

TFObj::~TFObj() {
  if (FObj == this) FObj = nullptr;
}
