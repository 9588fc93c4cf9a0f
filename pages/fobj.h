#pragma once

#include <QDialog>

class TFObj : public QDialog {
  Q_OBJECT
 public:
  explicit TFObj(QWidget* parent = nullptr);
  ~TFObj() override;
};

extern TFObj* FObj;
