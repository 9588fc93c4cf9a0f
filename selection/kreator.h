#pragma once

#include <QDialog>

class TKreator : public QDialog {
  Q_OBJECT
 public:
  explicit TKreator(QWidget* parent = nullptr);
  ~TKreator() override;
};

extern TKreator* Kreator;
