#include "selection/sam.h"

TSam* Sam = nullptr;

TSam::TSam(QWidget* parent) : QDialog(parent) {
  setObjectName("Sam");
  Sam = this;
  setWindowTitle(QStringLiteral("Samodzielny dobór formularzy rozliczeniowych Velmar 2008"));
}

TSam::~TSam() {
  if (Sam == this) Sam = nullptr;
}
