#pragma once
// The about box: the program, its maker and version, the licence, and the automatic-update switch.

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

class TInfo : public QDialog {
  Q_OBJECT
 public:
  explicit TInfo(QWidget* parent = nullptr);
  ~TInfo() override;

  QLabel* Image1 = nullptr;
  QFrame* Panel1 = nullptr;
  QLabel* Image2 = nullptr;
  QLabel* StaticText1 = nullptr;
  QLabel* StaticText2 = nullptr;
  QLabel* StaticText3 = nullptr;
  QLabel* StaticText4 = nullptr;
  QLabel* StaticText5 = nullptr;
  QLabel* StaticText6 = nullptr;
  QLabel* StaticText7 = nullptr;
  QLabel* StaticText8 = nullptr;
  QLabel* WersjaProg = nullptr;
  QCheckBox* AutoAktualzacja = nullptr;
  QPushButton* SpeedButton1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QFrame* Bevel1 = nullptr;
  QFrame* Bevel2 = nullptr;

  // "Informacja o programie" of the client menu: the box, modally.
  void Informacjaoprogramie1Click();
  void AutoAktualzacjaClick();
  // Reads the automatic-update switch of the settings file into the box: at creation, and again when the first
  // start has just written the settings, which happens after the box exists.
  void WczytajPrzelacznik();
  void Image2Click();
  void StaticText7Click();
  void SpeedButton1Click();
  void BitBtn1Click();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;

 private:
  void FormCreate();
  void FormShow();
  void OtworzStroneProducenta();

  // The pictures are decoded and the box sized at its first showing.
  bool przygotowane_ = false;
};

extern TInfo* Info;
