#pragma once
// The conversion-progress window: created at start-up and never shown.

#include <QDialog>

class QListWidget;
class QProgressBar;

class TKonwersja : public QDialog {
  Q_OBJECT
 public:
  explicit TKonwersja(QWidget* parent = nullptr);
  ~TKonwersja() override;

  QProgressBar* ProgressBar1 = nullptr;
  QListWidget* ListBox1 = nullptr;
};

extern TKonwersja* Konwersja;
