#pragma once
// The licence window: shows the licence text delivered beside the program.

#include <QDialog>

class QPushButton;
class QTextEdit;

class TUmowaLicencyjna : public QDialog {
  Q_OBJECT
 public:
  explicit TUmowaLicencyjna(QWidget* parent = nullptr);
  ~TUmowaLicencyjna() override;

  QTextEdit* Licencja = nullptr;
  QPushButton* SpeedButton1 = nullptr;

  void SpeedButton1Click();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void FormCreate();
};

extern TUmowaLicencyjna* UmowaLicencyjna;
