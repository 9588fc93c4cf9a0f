#pragma once

#include <QDialog>

class TUmowaLicencyjna : public QDialog {
  Q_OBJECT
 public:
  explicit TUmowaLicencyjna(QWidget* parent = nullptr);
  ~TUmowaLicencyjna() override;
};

extern TUmowaLicencyjna* UmowaLicencyjna;
