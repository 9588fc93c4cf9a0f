#pragma once

#include <QDialog>

class TSam : public QDialog {
  Q_OBJECT
 public:
  explicit TSam(QWidget* parent = nullptr);
  ~TSam() override;
};

extern TSam* Sam;
