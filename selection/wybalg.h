#pragma once
// The choice dialog with which every new settlement begins: forms chosen by the question wizard or by hand.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TFWybAlg : public QDialog {
  Q_OBJECT
 public:
  explicit TFWybAlg(QWidget* parent = nullptr);
  ~TFWybAlg() override;

  // "ścieżka wyboru": the wizard, shown modally; the dialog closes when it returns.
  void Button1Click();
  // "samodzielnie": the current settlement offered for saving and cleared, then the manual chooser.
  void Button2Click();

  QLabel* Tytul = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
};

extern TFWybAlg* FWybAlg;
