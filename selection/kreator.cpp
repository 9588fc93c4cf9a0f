#include "selection/kreator.h"

TKreator* Kreator = nullptr;

TKreator::TKreator(QWidget* parent) : QDialog(parent) {
  setObjectName("Kreator");
  Kreator = this;
  setWindowTitle(QStringLiteral("Kreator doboru formularzy Velmar 2008"));
}

TKreator::~TKreator() {
  if (Kreator == this) Kreator = nullptr;
}
