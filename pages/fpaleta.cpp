#include "pages/fpaleta.h"

#include "pages/kolory.h"
#include "platform/cp1250.h"

TFPaleta* FPaleta = nullptr;

TFPaleta::TFPaleta(QWidget* parent) : QDialog(parent) {
  setObjectName("FPaleta");
  FPaleta = this;
  setWindowTitle(QStringLiteral("Właściwości obiektu"));
}

TFPaleta::~TFPaleta() {
  if (FPaleta == this) FPaleta = nullptr;
}

std::int32_t TFPaleta::KolorZTekstu(const QString& tekst) { return ::KolorZTekstu(platform::DoCp1250(tekst)); }
