#include "main/konwersja.h"

TKonwersja* Konwersja = nullptr;

TKonwersja::TKonwersja(QWidget* parent) : QDialog(parent) {
  setObjectName("Konwersja");
  Konwersja = this;
  setWindowTitle(QStringLiteral("Postęp konwersji"));
}

TKonwersja::~TKonwersja() {
  if (Konwersja == this) Konwersja = nullptr;
}
