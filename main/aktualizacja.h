#pragma once
// The online update's progress window: the lines and the bar of an installer download, the choice to install at
// once, and, when it is created at start-up, the automatic check.

#include <QDialog>

class QCheckBox;
class QListWidget;
class QProgressBar;
class QPushButton;

class TAktualizacja : public QDialog {
  Q_OBJECT
 public:
  explicit TAktualizacja(QWidget* parent = nullptr);
  ~TAktualizacja() override;

  QListWidget* ListBox1 = nullptr;
  QProgressBar* ProgressHTTP = nullptr;
  QPushButton* Instaluj = nullptr;
  QCheckBox* AutoInstall = nullptr;
  QPushButton* Anuluj = nullptr;

  // Shown afresh for a download, also when a finished one still stands open.
  void Pokaz();
  void DodajWiersz(const QString& wiersz);
  // The download's announced size; a negative one (unknown) makes the bar a busy indicator.
  void UstawCalosc(qint64 calosc);
  void UstawPostep(qint64 pobrane);
  void PostepPelny();
  // A completed download left for the user to install: Instaluj enabled, the window stays open.
  void PozwolInstalowac();

  void AnulujClick();
  void InstalujClick();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void FormCreate();
  void FormShow();
  void Wyczysc();
};

extern TAktualizacja* Aktualizacja;
