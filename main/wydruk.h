#pragma once

#include <QDialog>

class TWydruk : public QDialog {
  Q_OBJECT
 public:
  explicit TWydruk(QWidget* parent = nullptr);
  ~TWydruk() override;
};

extern TWydruk* Wydruk;
