#pragma once
// The print-parameters window "Parametry wydruku": the range, margins, text shifts, size correction and content of a
// print, kept while the program runs; and the print commands of the main window that lead to it.

#include <QDialog>
#include <QPrinter>
#include <functional>
#include <memory>

#include "main/drukowanie.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TGrupaOpcji;

class TWydruk : public QDialog {
  Q_OBJECT
 public:
  // Created once with the main window as parent; connects the print commands of the main window when it exists.
  explicit TWydruk(QWidget* parent = nullptr);
  ~TWydruk() override;

  // The system print dialog and printer set-up dialog on the window's printer; false when cancelled. Tests set up a
  // PDF printer here instead.
  std::function<bool(QPrinter&)> PrintDialog;
  std::function<bool(QPrinter&)> PrinterSetupDialog;

  // The settings in the controls, each up-down read as a signed 16-bit number.
  UstawieniaWydruku Ustawienia() const;
  // The printer every print of the window goes to; the dialogs keep their choices on it. Made at its first use:
  // setting up a printer loads the system's print support.
  QPrinter& Drukarka();

  void FormShow();
  void ZawDrukClick();
  void SpeedButton1Click();
  void SpeedButton3Click();
  // The print dialog, then the records of the chosen range, each as its own job; then the window closes. Cancelling
  // the dialog leaves the window open.
  void DrukujClick();

  // The main window's commands: the window modally (the client's ones only while BWydruk is enabled), and the
  // designer's print of the shown page.
  void PokazOkno();
  void Drukuj1Click();

  // Controls; each edit with its up-down (UpDownMG, UpDownML, UpDownDx, UpDownDy, UpDownRozmDruku) is one spin box.
  TGrupaOpcji* ZakresDruku = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QSpinBox* MarginesGora = nullptr;
  QSpinBox* MarginesLewa = nullptr;
  QGroupBox* GroupPrzesText = nullptr;
  QSpinBox* Dx = nullptr;
  QSpinBox* Dy = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QSpinBox* RozmiarDruku = nullptr;
  TGrupaOpcji* ZawDruk = nullptr;
  QPushButton* Drukuj = nullptr;
  QPushButton* SpeedButton1 = nullptr;
  QPushButton* SpeedButton3 = nullptr;

 protected:
  void showEvent(QShowEvent* zdarzenie) override;

 private:
  void PolaczPolecenia();

  std::unique_ptr<QPrinter> drukarka_;
};

extern TWydruk* Wydruk;
