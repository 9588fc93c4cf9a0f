#pragma once

#include <QDialog>

class TKonwersja : public QDialog {
  Q_OBJECT
 public:
  explicit TKonwersja(QWidget* parent = nullptr);
  ~TKonwersja() override;
};

extern TKonwersja* Konwersja;
