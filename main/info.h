#pragma once

#include <QDialog>

class TInfo : public QDialog {
  Q_OBJECT
 public:
  explicit TInfo(QWidget* parent = nullptr);
  ~TInfo() override;
};

extern TInfo* Info;
