#include "main/licencja.h"

TUmowaLicencyjna* UmowaLicencyjna = nullptr;

TUmowaLicencyjna::TUmowaLicencyjna(QWidget* parent) : QDialog(parent) {
  setObjectName("UmowaLicencyjna");
  UmowaLicencyjna = this;
  setWindowTitle(QStringLiteral("Umowa licencyjna"));
}

TUmowaLicencyjna::~TUmowaLicencyjna() {
  if (UmowaLicencyjna == this) UmowaLicencyjna = nullptr;
}
