#pragma once

#include <QDialog>

class TFPaleta : public QDialog {
  Q_OBJECT
 public:
  explicit TFPaleta(QWidget* parent = nullptr);
  ~TFPaleta() override;
};

extern TFPaleta* FPaleta;
