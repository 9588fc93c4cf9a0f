#pragma once
// The designer's properties palette: edits one field object of the page view in place and writes it back to the
// structure file on "zastosuj". Colours, the font size and the selection items go into the object at once.

#include <QColor>
#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "model/obiekt.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QToolButton;
class QWidget;

class TFPaleta : public QDialog {
  Q_OBJECT
 public:
  explicit TFPaleta(QWidget* parent = nullptr);
  ~TFPaleta() override;

  // A Windows colour value (red in the low byte) as six upper-case hexadecimal digits RRGGBB.
  static QString KolorNaTekst(std::int32_t kolor);

  // Asks the user for a colour, starting from the given one; empty when cancelled. Tests answer it themselves.
  std::function<std::optional<QColor>(const QColor& poczatkowy)> WybierzKolor;

  std::array<QString, 10> Rozmiary;
  std::array<QString, 4> Wyrownania;
  std::int32_t WybranyRozmiar = 0;
  std::int32_t WybraneWyrownanie = 0;
  // Index in the page view's objects of the one being edited, fixed when the palette is shown.
  std::int32_t EdytowanyObiekt = -1;

  // The edited object in the page view; null when the index names none.
  TObiekt* Obiekt() const;

  // --- handlers ---
  void FormShow();
  void TabControlChange(int indeks);
  // Applies the controls to the object and writes it; a number field that is no whole number is refused with a
  // message before anything changes, and the palette stays open.
  void ZastosujClick();
  void AnulujClick();
  void KolorKrawedzClick();
  void KolorTloClick();
  void KolorTekstClick();
  void Panel1Click();
  void Panel2Click();
  void RozmiarCzcionkiChange();
  void MaxCharClick();
  void LiczbaDziesietnaClick();
  void LiczbaCalkowitaClick();
  void SelectDodajClick();
  void SelectUsunClick();
  void EListBoxClick();

  // --- own operations ---
  void UstawOpcjeLiczby(int format);
  void UlozPanelOpcji();
  void UstawLimitZnakow();
  void WypelnijWyrownanie(int wyrownanie);
  void WypelnijRozmiary(const QString& rozmiar);
  void PokazKolor(QToolButton* przycisk, std::int32_t kolor);

  // --- controls ---
  QTabBar* TabControl = nullptr;
  QWidget* PanelOgolne = nullptr;
  QWidget* PanelWyglad = nullptr;
  QWidget* PanelOpcje = nullptr;
  QWidget* PanelWyrownanie = nullptr;
  QWidget* PanelOgraniczenie = nullptr;
  QWidget* PanelWielowiersz = nullptr;
  QWidget* PanelLiczba = nullptr;
  QWidget* PanelNip = nullptr;
  QWidget* PanelData = nullptr;
  QWidget* PanelChecbox = nullptr;
  QWidget* PanelSelect = nullptr;

  QLineEdit* Nazwa = nullptr;
  QLineEdit* Pomoc = nullptr;
  QLineEdit* PozPrzeg = nullptr;
  QLineEdit* DrukPage = nullptr;
  QComboBox* StanPola = nullptr;
  QCheckBox* ReadOlny = nullptr;
  QCheckBox* MustBe = nullptr;
  QCheckBox* Block = nullptr;

  QToolButton* KolorKrawedz = nullptr;
  QToolButton* KolorTlo = nullptr;
  QToolButton* KolorTekst = nullptr;
  QLabel* KK = nullptr;
  QLabel* KW = nullptr;
  QLabel* KT = nullptr;
  QPushButton* Panel1 = nullptr;
  QPushButton* Panel2 = nullptr;
  QComboBox* RozmiarCzcionki = nullptr;

  QComboBox* TextAlign = nullptr;
  QPlainTextEdit* DefValue = nullptr;
  QCheckBox* MaxChar = nullptr;
  QLineEdit* CharLimit = nullptr;
  QCheckBox* Multiline = nullptr;
  QRadioButton* LiczbaCalkowita = nullptr;
  QRadioButton* LiczbaDziesietna = nullptr;
  QGroupBox* Zaokraglanie = nullptr;
  QRadioButton* ZaokrZloty = nullptr;
  QRadioButton* ZaokrGroszy = nullptr;
  QRadioButton* BezZaokr = nullptr;
  QCheckBox* PlusValue = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QRadioButton* NipFizyczna = nullptr;
  QRadioButton* NipPrawna = nullptr;
  QCheckBox* BiezacaData = nullptr;
  QCheckBox* CheckBoxChecked = nullptr;
  QLineEdit* ChecBoxValue = nullptr;
  QListWidget* EListBox = nullptr;
  QLineEdit* SelectText = nullptr;
  QLineEdit* SelectValue = nullptr;
  QPushButton* SelectDodaj = nullptr;
  QPushButton* SelectUsun = nullptr;

  QPushButton* Zastosuj = nullptr;
  QPushButton* Anuluj = nullptr;

 protected:
  void showEvent(QShowEvent* zdarzenie) override;

 private:
  // Makes the controls and their layout.
  void Zbuduj();
  void UtworzOgolne();
  void UtworzWyglad();
  void UtworzOpcje();
  // Shows the palette's one panel of this tab and sizes the dialog to it.
  void PokazPanel(QWidget* panel);
  // Sets both radio buttons of a group, also to "neither".
  static void Zaznacz(QRadioButton* przycisk, bool stan);
  void WypelnijOgolne(const TObiekt& o);
  void WypelnijKolory(const TObiekt& o);
  void WypelnijOpcje(const TObiekt& o);
  void WypelnijListe(const TObiekt& o);
  // Runs the colour dialog for one of the three colour fields of the object.
  void WybierzKolorPola(QToolButton* przycisk, TTekst<7> TObiekt::*pole);
  // The options sub-panels an object of this type shows, top to bottom.
  std::vector<QWidget*> PaneleTypu(int typ) const;

  bool wypelnianie_ = false;  // the controls are being filled from the object: their changes store nothing
};

extern TFPaleta* FPaleta;
