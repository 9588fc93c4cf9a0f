#include "main/wydruk.h"

TWydruk* Wydruk = nullptr;

TWydruk::TWydruk(QWidget* parent) : QDialog(parent) {
  setObjectName("Wydruk");
  Wydruk = this;
  setWindowTitle(QStringLiteral("Parametry wydruku"));
}

TWydruk::~TWydruk() {
  if (Wydruk == this) Wydruk = nullptr;
}
