#include "main/info.h"

TInfo* Info = nullptr;

TInfo::TInfo(QWidget* parent) : QDialog(parent) {
  setObjectName("Info");
  Info = this;
  setWindowTitle(QStringLiteral("Informacja o programie"));
}

TInfo::~TInfo() {
  if (Info == this) Info = nullptr;
}
