#pragma once

#include <QDialog>

class TFWybAlg : public QDialog {
  Q_OBJECT
 public:
  explicit TFWybAlg(QWidget* parent = nullptr);
  ~TFWybAlg() override;
};

extern TFWybAlg* FWybAlg;
