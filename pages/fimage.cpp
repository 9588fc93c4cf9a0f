#include "pages/fimage.h"

TFImage* FImage = nullptr;

TFImage::TFImage(QWidget* parent) : QWidget(parent) {
  setObjectName("FImage");
  FImage = this;
  setWindowTitle(QStringLiteral(""));
}

TFImage::~TFImage() {
  if (FImage == this) FImage = nullptr;
}
