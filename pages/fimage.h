#pragma once

#include <QWidget>

class TFImage : public QWidget {
  Q_OBJECT
 public:
  explicit TFImage(QWidget* parent = nullptr);
  ~TFImage() override;
};

extern TFImage* FImage;
