#pragma once
// The page view: the picture of one page of a form with the overlay of field objects over it, in a scroll area
// shown as the maximised child of the main window's MDI area.

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>
#include <array>
#include <cstdint>
#include <vector>

#include "pages/obiekt.h"
#include "pages/obraz_strony.h"

class TNakladka;
class TObrazDruku;

class TFImage : public QScrollArea {
  Q_OBJECT
 public:
  explicit TFImage(QWidget* parent = nullptr);
  ~TFImage() override;

  // The objects of the form shown, in structure-file order: an object's index is its field number.
  std::vector<TObiekt> Obiekty;
  // Rubber band of the designer: press point and release point.
  struct {
    std::int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  } Zaznaczenie;
  std::int32_t MyszX = 0, MyszY = 0;
  std::int32_t PoprzedniObiekt = -1;
  std::array<TTekst<7>, 2> KolorPodswietlenia{};
  std::int32_t MinimalnyRozmiar = 4;
  std::int32_t Tolerancja = 0;
  std::int32_t PrzesuwanyObiekt = 0;
  std::int32_t UchwytPodKursorem = 0;
  std::uint8_t UchwytyWidoczne = 0;
  std::uint8_t Shift = 0, Ctrl = 0;
  // In-place editors of value entry; a slot is empty while it holds no editor.
  QPointer<QCheckBox> EdytorZaznaczenia;
  QPointer<QComboBox> EdytorListy;
  QPointer<QLineEdit> EdytorMaski;
  QPointer<QPlainTextEdit> EdytorTekstu;

  TObrazDruku* IDruk = nullptr;
  TNakladka* Formatka = nullptr;
  // Page pictures rendered at the display width, kept for turning back.
  TPamiecObrazow ObrazyStron;

  // Frees every editor and empties its slot.
  void UsunEdytory();

  // Field k takes part in drawing and editing: an object of the array within the count and the record's 350
  // fields.
  bool JestPolem(int k) const;
  // How many objects take part in drawing and editing.
  int LiczbaPol() const;

  // The view is open in the main window's MDI area.
  bool Otwarty() const { return okno_ != nullptr; }
  // Opens it there maximised and in front (the overlay without a popup menu); an open view stays as it is.
  void Otworz();

  int PozycjaPionowa() const;
  void UstawPozycjePionowa(int pozycja);

  // The page as the user sees it: the picture with the overlay over it, white overlay pixels transparent.
  QImage Zlozenie() const;
  // Renders a page picture into ObrazyStron once the program is idle, so turning to it costs no rendering; a
  // missing or damaged file is left for the page display to report.
  void PrzygotujObraz(const QString& sciezka);
  // Sizes the area that holds the picture and the overlay to both layers.
  void DopasujKartke();

  void FormatkaMouseMove(int x, int y);
  void FormMouseWheelUp();
  void FormMouseWheelDown();

 protected:
  void closeEvent(QCloseEvent* zdarzenie) override;
  void wheelEvent(QWheelEvent* zdarzenie) override;

 private:
  friend void ZamknijWidokStrony(TFImage* view);
  QWidget* kartka_ = nullptr;
  QPointer<QMdiSubWindow> okno_;
  int resztaKolka_ = 0;  // wheel turn not yet worth a whole notch
};

extern TFImage* FImage;

// Closes the page view: out of the MDI area, picture freed, the commands that need a form disabled.
void ZamknijWidokStrony(TFImage* view);

// Writes a panel of the main window's status bar.
void UstawPanelStatusu(int panel, const QString& tekst);

// The hover test: which object lies under (x, y) of the overlay; sets the cursor, the hint and the status texts.
void ZnajdzObiektPodKursorem(TFImage* view, int x, int y);
