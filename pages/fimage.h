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
#include <exception>
#include <vector>

#include "calc/ekran.h"
#include "model/obiekt.h"
#include "pages/edytory.h"
#include "pages/obraz_strony.h"

class QAction;
class QKeyEvent;
class QMenu;
class TKartka;
class TNakladka;
class TObrazDruku;
class TObrysy;

// The computations report on the screen through the page view: the read-only objects are its own, the rest lies in
// the main window.
class TFImage : public QScrollArea, public EkranObliczen {
  Q_OBJECT
 public:
  explicit TFImage(QWidget* parent = nullptr);
  ~TFImage() override;

  // The main window's settlement with this view as its screen.
  KontekstObliczen Kontekst();
  const TDruk& BiezacyDruk() const override;
  void WyczyscListError() override;
  void DodajDoListError(const QString& linia) override;
  int WysokoscListError() const override;
  void UstawWysokoscListError(int wysokosc) override;
  void UstawTylkoDoOdczytu(int k, std::uint8_t wartosc) override;
  void Komunikat(const QString& tekst) override;
  void KomunikatStanu(int j, bool trwa, const QString& tekst) override;
  void PokazDruk(int j, int strona) override;

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
  // --- designer ---
  // An outline: left, right, top, bottom edges.
  struct Obrys {
    std::int32_t Lewy = 0, Prawy = 0, Gorny = 0, Dolny = 0;
    bool operator==(const Obrys&) const = default;
  };
  struct {
    std::int32_t X = 0, Y = 0;
  } PoprzedniPunkt;
  Obrys PoprzedniObrys, NowyObrys;
  std::int32_t WektorX = 0, WektorY = 0;
  std::int32_t UchwytAktywny = 0;
  std::uint8_t Rysowanie = 0;
  std::uint8_t Przesuwanie = 0;
  // The popup of an object under the mouse: "Zmień typ", "Właściwości", "Usuń".
  QMenu* PopupObiekt = nullptr;
  QAction* Data1 = nullptr;
  QAction* usu1 = nullptr;
  QAction* Usu2 = nullptr;
  // The rubber band and the outline of a moved object, drawn over the overlay.
  TObrysy* Obrysy = nullptr;
  // In-place editors of value entry; a slot is empty while it holds no editor.
  QPointer<QCheckBox> EdytorZaznaczenia;
  QPointer<QComboBox> EdytorListy;
  QPointer<QLineEdit> EdytorMaski;
  QPointer<QPlainTextEdit> EdytorTekstu;
  // Length of the memo's text at its last change: tells a shrinking text from a growing one.
  std::int32_t DlugoscTekstu = 0;

  TObrazDruku* IDruk = nullptr;
  TNakladka* Formatka = nullptr;
  // Page pictures decoded, and their renderings at the display width packed, kept for turning back.
  TPamiecObrazow ObrazyStron;

  // Frees every editor and empties its slot.
  void UsunEdytory();
  // Hides every editor; a hidden editor is open no more.
  void UkryjEdytory();

  // --- value entry ---
  // A click on the overlay. Client mode: the open editor is stored first; then the editor of the object under the
  // mouse opens, or, beside every object, the page is drawn afresh.
  void FormatkaClick();
  // Stores the editor opened for object k on the record on screen into entry k of that record, writes the object
  // back and runs the form's computation. False, with a message, when the editor's text is refused: nothing
  // changes then and the editor stays open. A computation's error is thrown, or handed over in bladObliczenia when
  // that is given (the value is stored all the same).
  bool ZapiszWartoscPola(int k, TObiekt obiekt, std::exception_ptr* bladObliczenia = nullptr);
  // Stores and closes the editor still open, as before a page turn, saving, printing or closing. False when its
  // text was refused: the editor stays open and the caller stops.
  bool ZatwierdzEdytor();
  // The object whose editor is open on the page; -1 none.
  int OtwartyEdytor() const;
  // Enter (and Tab) in an editor, client mode: the press stores, the release moves to the next field.
  void EdytorKeyDown(int klawisz);
  void EdytorKeyUp(int klawisz);
  // The memo's change rule: font size, and the corrections of an amount.
  void EdytorChange();
  // The amount filter on a typed character; a null character refuses it.
  QChar LiczbaKeyPress(QChar znak) const;
  // Shrinks the memo's font until its text fits; below 5 points the text may grow no more.
  void DopasujCzcionkeEdytora();

  // The memo in its slot when it is value entry's own (with a character limit and a font size in points).
  TEdytorTekstu* Memo() const { return qobject_cast<TEdytorTekstu*>(EdytorTekstu.data()); }

  // The page under the scroll area: the picture, the overlay and the editors over it.
  QWidget* Kartka() const;

  // Field k takes part in drawing and editing: an object of the array within the count and the record's 350
  // fields.
  bool JestPolem(int k) const;
  // How many objects take part in drawing and editing.
  int LiczbaPol() const;

  // The view is open in the main window's MDI area.
  bool Otwarty() const { return okno_ != nullptr; }
  // Opens it there maximised and in front (the overlay without a popup menu); an open view stays as it is. The page
  // display and the designer's commands open it when they first show something.
  void Otworz();

  int PozycjaPionowa() const;
  void UstawPozycjePionowa(int pozycja);

  // The page as the user sees it: the picture with the overlay over it, white overlay pixels transparent.
  QImage Zlozenie() const;
  // Reads and decodes a page picture into ObrazyStron once the events waiting now (the repaint of the page shown)
  // are done, so turning to it costs only its rendering; a missing or damaged file is left for the page display to
  // report.
  void PrzygotujObraz(const QString& sciezka);
  // Sizes the area that holds the picture and the overlay to both layers.
  void DopasujKartke();

  void FormatkaMouseMove(int x, int y);
  // --- designer ---
  // Left button only, designer mode only: a press starts a rubber band, a move or a resize; the release creates,
  // moves, resizes or copies the object.
  void FormatkaMouseDown(Qt::MouseButton przycisk, int x, int y);
  void FormatkaMouseUp(Qt::MouseButton przycisk, int x, int y);
  // Designer mode's part of a click: selects the object under the mouse and shows its handles.
  void FormatkaClickProjektanta();
  // Shift and Ctrl held for copying, Delete released deletes the selected object; designer mode only. True when
  // the key was taken.
  bool FormKeyDown(int klawisz);
  bool FormKeyUp(int klawisz);
  void Data1Click();
  void usu1Click();
  void Usu2Click() {}
  void Edycja1Click();
  // The overlay offers PopupObiekt on a right click, or no menu.
  void UstawMenuObiektu(bool wlacz);
  bool MaMenuObiektu() const;
  void FormMouseWheelUp();
  void FormMouseWheelDown();

 protected:
  void closeEvent(QCloseEvent* zdarzenie) override;
  void customEvent(QEvent* zdarzenie) override;
  void wheelEvent(QWheelEvent* zdarzenie) override;
  // Enter, Tab and the amount filter of the editors.
  bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;
  void keyPressEvent(QKeyEvent* zdarzenie) override;
  void keyReleaseEvent(QKeyEvent* zdarzenie) override;

 private:
  friend void ZamknijWidokStrony(TFImage* view);
  friend void UtworzEdytorPola(TFImage* view, int k, TObiekt obiekt);
  // The store itself, without the computation.
  bool ZapiszPole(int k, TObiekt& obiekt);
  // Puts the tree back on the record the open editor belongs to.
  void PokazDrukEdytora();
  // The slot's editor that serves objects of this type; null when it holds none.
  QWidget* EdytorTypu(int typ) const;
  // The popup menu and the outline layer.
  void UtworzProjektanta();
  // Designer mode's part of a mouse move: the rubber band and the outline follow the mouse.
  void RuchProjektanta(int x, int y);

  int obiektEdytora_ = -1;  // the object the editors in the slots were last opened for
  int drukEdytora_ = 0;     // the record on screen then
  bool zapisanoKlawiszem_ = false;  // the last press of Enter stored; its release moves on
  bool zapisywanie_ = false;        // a store is running its computation
  TKartka* kartka_ = nullptr;
  QPointer<QMdiSubWindow> okno_;
  int resztaKolka_ = 0;  // wheel turn not yet worth a whole notch
  // The picture PrzygotujObraz was last asked for, until it is rendered.
  QString doPrzygotowania_;
};

extern TFImage* FImage;

// Closes the page view: out of the MDI area, picture freed, the commands that need a form disabled.
void ZamknijWidokStrony(TFImage* view);

// Writes a panel of the main window's status bar.
void UstawPanelStatusu(int panel, const QString& tekst);

// The hover test: which object lies under (x, y) of the overlay; sets the cursor, the hint and the status texts.
void ZnajdzObiektPodKursorem(TFImage* view, int x, int y);
