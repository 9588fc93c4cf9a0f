#include "pages/edytory.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>
#include <QTextDocument>

#include "pages/filtr_klawiszy.h"
#include "pages/gdi.h"

int PikseleCzcionki(int punkty) { return std::max(gdi::MulDiv(punkty, 96, 72), 1); }

void UstawWygladEdytora(QWidget* edytor, int punkty) {
  QPalette paleta = edytor->palette();
  paleta.setColor(QPalette::Base, qRgb(255, 255, 0));
  paleta.setColor(QPalette::Window, qRgb(255, 255, 0));
  paleta.setColor(QPalette::Text, Qt::black);
  paleta.setColor(QPalette::WindowText, Qt::black);
  edytor->setPalette(paleta);
  edytor->setAutoFillBackground(true);
  QFont czcionka(gdi::RodzinaCzcionki());
  czcionka.setPixelSize(PikseleCzcionki(punkty));
  edytor->setFont(czcionka);
}

TEdytorTekstu::TEdytorTekstu(QWidget* rodzic) : QPlainTextEdit(rodzic) {
  setObjectName("EdytorTekstu");
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  document()->setDocumentMargin(1);
  UstawWygladEdytora(this, rozmiar_);
}

void TEdytorTekstu::UstawRozmiarCzcionki(int punkty) {
  rozmiar_ = punkty;
  QFont czcionka = font();
  czcionka.setPixelSize(PikseleCzcionki(punkty));
  setFont(czcionka);
}

void TEdytorTekstu::UstawWyrownanie(int wyrownanie) {
  QTextOption opcje = document()->defaultTextOption();
  opcje.setAlignment(wyrownanie == 1 ? Qt::AlignRight : wyrownanie == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
  opcje.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  document()->setDefaultTextOption(opcje);
}

qsizetype TEdytorTekstu::Miejsce() const {
  if (maxLength_ <= 0) return -1;
  const QTextCursor kursor = textCursor();
  const qsizetype pozostaje = toPlainText().size() - (kursor.selectionEnd() - kursor.selectionStart());
  return std::max<qsizetype>(maxLength_ - pozostaje, 0);
}

void TEdytorTekstu::keyPressEvent(QKeyEvent* zdarzenie) {
  const QString tekst = zdarzenie->text();
  const bool wpisuje = !tekst.isEmpty() && tekst.front().isPrint();
  if (wpisuje && Miejsce() >= 0 && Miejsce() < tekst.size()) {
    zdarzenie->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(zdarzenie);
}

void TEdytorTekstu::insertFromMimeData(const QMimeData* zrodlo) {
  if (!zrodlo || !zrodlo->hasText()) return;
  const qsizetype miejsce = Miejsce();
  insertPlainText(miejsce < 0 ? zrodlo->text() : zrodlo->text().left(miejsce));
}

void TEdytorTekstu::inputMethodEvent(QInputMethodEvent* zdarzenie) {
  const qsizetype miejsce = Miejsce();
  if (miejsce < 0 || zdarzenie->commitString().size() <= miejsce) {
    QPlainTextEdit::inputMethodEvent(zdarzenie);
    return;
  }
  QInputMethodEvent obciete(zdarzenie->preeditString(), zdarzenie->attributes());
  obciete.setCommitString(zdarzenie->commitString().left(miejsce), zdarzenie->replacementStart(),
                          zdarzenie->replacementLength());
  QPlainTextEdit::inputMethodEvent(&obciete);
}

QString TEdytorTekstu::TekstPozaZaznaczeniem() const {
  const QTextCursor kursor = textCursor();
  return toPlainText().remove(kursor.selectionStart(), kursor.selectionEnd() - kursor.selectionStart());
}

bool TEdytorTekstu::ZaznaczCalosc(QMouseEvent* zdarzenie) {
  if (!zaznaczajCalosc_ || zdarzenie->button() != Qt::LeftButton) return false;
  setFocus(Qt::MouseFocusReason);
  selectAll();
  zdarzenie->accept();
  return true;
}

void TEdytorTekstu::mousePressEvent(QMouseEvent* zdarzenie) {
  if (!ZaznaczCalosc(zdarzenie)) QPlainTextEdit::mousePressEvent(zdarzenie);
}

void TEdytorTekstu::mouseDoubleClickEvent(QMouseEvent* zdarzenie) {
  if (!ZaznaczCalosc(zdarzenie)) QPlainTextEdit::mouseDoubleClickEvent(zdarzenie);
}

void TEdytorTekstu::mouseReleaseEvent(QMouseEvent* zdarzenie) {
  if (zaznaczajCalosc_ && zdarzenie->button() == Qt::LeftButton)
    zdarzenie->accept();
  else
    QPlainTextEdit::mouseReleaseEvent(zdarzenie);
}

TEdytorMaski::TEdytorMaski(QWidget* rodzic) : QLineEdit(rodzic) { setObjectName("EdytorMaski"); }

void TEdytorMaski::mouseReleaseEvent(QMouseEvent* zdarzenie) {
  QLineEdit::mouseReleaseEvent(zdarzenie);
  if (zdarzenie->button() == Qt::LeftButton && TekstZMaski(displayText()).isEmpty()) setCursorPosition(0);
}
