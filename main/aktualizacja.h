#pragma once

#include <QDialog>

class TAktualizacja : public QDialog {
  Q_OBJECT
 public:
  explicit TAktualizacja(QWidget* parent = nullptr);
  ~TAktualizacja() override;
};

extern TAktualizacja* Aktualizacja;
