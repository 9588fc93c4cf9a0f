#include "main/konwersja.h"

#include <QListWidget>
#include <QProgressBar>
#include <QVBoxLayout>

TKonwersja* Konwersja = nullptr;

TKonwersja::TKonwersja(QWidget* parent) : QDialog(parent) {
  setObjectName("Konwersja");
  Konwersja = this;
  setWindowTitle(QStringLiteral("Postęp konwersji"));

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  auto* uklad = new QVBoxLayout(this);
  uklad->addWidget(ProgressBar1);
  uklad->addWidget(ListBox1);
}

TKonwersja::~TKonwersja() {
  if (Konwersja == this) Konwersja = nullptr;
}
