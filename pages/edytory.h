#pragma once
// The in-place editors' widgets: the memo over a text or amount field, with a character limit that holds for
// typing, pasting and input methods alike, the masked edit over a NIP or date field, and the look every editor
// shares.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

class QWidget;

// Frees the editor a slot holds, later, so it may be freed from inside its own event; the slot is empty at once.
template <typename T>
void UsunEdytor(QPointer<T>& slot) {
  if (T* edytor = slot.data()) {
    edytor->hide();
    edytor->deleteLater();
  }
  slot.clear();
}

// Font size in points at 96 pixels per inch, as pixels.
int PikseleCzcionki(int punkty);

// Yellow, borderless, black text in the form's font at the given size in points.
void UstawWygladEdytora(QWidget* edytor, int punkty);

class TEdytorTekstu : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TEdytorTekstu(QWidget* rodzic);

  // Most characters the user may bring in; 0 = no limit. A text set by the program is not cut.
  int MaxLength() const { return maxLength_; }
  void UstawMaxLength(int dlugosc) { maxLength_ = std::max(dlugosc, 0); }

  int RozmiarCzcionki() const { return rozmiar_; }
  void UstawRozmiarCzcionki(int punkty);

  // By the object's Wyrownanie: 1 right, 2 centred, anything else left.
  void UstawWyrownanie(int wyrownanie);

  // A click selects the whole text instead of placing the caret, so what is typed next replaces it (amounts).
  void UstawZaznaczanieCalosci(bool zaznaczaj) { zaznaczajCalosc_ = zaznaczaj; }

  // The text as it stands once what is typed next has replaced the selection.
  QString TekstPozaZaznaczeniem() const;

 protected:
  void keyPressEvent(QKeyEvent* zdarzenie) override;
  void insertFromMimeData(const QMimeData* zrodlo) override;
  void inputMethodEvent(QInputMethodEvent* zdarzenie) override;
  void mousePressEvent(QMouseEvent* zdarzenie) override;
  void mouseDoubleClickEvent(QMouseEvent* zdarzenie) override;
  void mouseReleaseEvent(QMouseEvent* zdarzenie) override;

 private:
  // How many characters may still come in, in place of the selection; -1 = any.
  qsizetype Miejsce() const;

  // A left press that selected the whole text: its move and release place no caret.
  bool ZaznaczCalosc(QMouseEvent* zdarzenie);

  int maxLength_ = 0;
  int rozmiar_ = 10;
  bool zaznaczajCalosc_ = false;
};

// A click into a masked field that holds no digit yet leaves the caret at its first blank: where the click fell,
// past the mask's end or between its blanks, what is typed next would be dropped or land in the wrong places.
class TEdytorMaski : public QLineEdit {
  Q_OBJECT
 public:
  explicit TEdytorMaski(QWidget* rodzic);

 protected:
  void mouseReleaseEvent(QMouseEvent* zdarzenie) override;
};
