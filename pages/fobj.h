#pragma once
// The designer's type change of a field object: choosing a type resets the object to the defaults of a fresh
// object of that type in the page view; "Zastosuj" writes it to the structure file, "Anuluj" gives it back as it
// was when the dialog opened.

#include <QDialog>
#include <cstdint>
#include <optional>

#include "model/obiekt.h"

class QPushButton;
class QTabBar;
class QTextEdit;

// The defaults a type change gives: what a fresh object of type typ carries, on the object's own rectangle,
// numbers, page, name, positive-only flag and tab order.
void UstawDomyslneTypu(TObiekt& obiekt, int typ);

class TFObj : public QDialog {
  Q_OBJECT
 public:
  explicit TFObj(QWidget* parent = nullptr);
  ~TFObj() override;

  // Index in the page view's objects of the object whose type is changed, fixed when the dialog is shown.
  std::int32_t EdytowanyObiekt = -1;

  // The edited object in the page view; null when the index names none.
  TObiekt* Obiekt() const;

  // Takes the object under the mouse and selects the tab of its type; the object is not changed yet.
  void FormShow();
  void ControlTypeChange(int indeks);
  void zastosujClick();
  void anulujClick();
  // Selects tab typ and resets the edited object to that type's defaults; -1 takes the object's own type.
  void UstawTyp(int typ);

  QTabBar* ControlType = nullptr;
  QPushButton* zastosuj = nullptr;
  QPushButton* anuluj = nullptr;
  QTextEdit* Memo1 = nullptr;

  void reject() override;

 protected:
  void showEvent(QShowEvent* zdarzenie) override;

 private:
  std::optional<TObiekt> przedZmiana_;  // the object as the dialog found it
};

extern TFObj* FObj;
