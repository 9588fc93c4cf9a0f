#include "main/aktualizacja.h"

TAktualizacja* Aktualizacja = nullptr;

TAktualizacja::TAktualizacja(QWidget* parent) : QDialog(parent) {
  setObjectName("Aktualizacja");
  Aktualizacja = this;
  setWindowTitle(QStringLiteral("Aktualizacja on-line programu Velmar"));
}

TAktualizacja::~TAktualizacja() {
  if (Aktualizacja == this) Aktualizacja = nullptr;
}
