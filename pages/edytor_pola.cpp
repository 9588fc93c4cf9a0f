// The editors of value entry: opening the one a field's type takes, the keys they answer to, and the memo's
// change rule with its font fitting.

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "main/tools.h"
#include "pages/fimage.h"
#include "pages/filtr_klawiszy.h"
#include "pages/gdi.h"
#include "pages/nakladka.h"
#include "pages/rysowanie.h"
#include "pages/wpis.h"
#include "platform/dialogi.h"

namespace {

constexpr int kRozmiarDomyslny = 10;
// The memo's limit once a shrinking text lets it grow again, for a field that sets none.
constexpr int kLimitBezOgraniczenia = 253;

bool JestEnter(int klawisz) { return klawisz == Qt::Key_Return || klawisz == Qt::Key_Enter; }

// The overlay's canvas font takes a size; the memo's text is measured with it.
void UstawCzcionkeNakladki(TFImage* view, int punkty) {
  view->Formatka->Stan().wysokoscCzcionki = -gdi::MulDiv(punkty, 96, 72);
}

const TPoleDruku* PoleNaEkranie(int k) {
  const TTools& t = *Tools;
  const int j = t.BiezacyDruk.Id;
  if (j < 1 || j > t.LiczbaDrukow || static_cast<std::size_t>(j) >= t.Druki.size() || k < 0 || k >= kLiczbaPol)
    return nullptr;
  return &t.Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)];
}

}  // namespace

void UtworzEdytorPola(TFImage* view, int k, TObiekt obiekt) {
  if (!view || !Tools || !view->JestPolem(k) || !obiekt.Widoczne) return;
  TTools& t = *Tools;
  const TPoleDruku* pole = PoleNaEkranie(k);
  if (!pole) return;
  const int lewy = t.LewaKrawedzStrony + obiekt.Lewy;
  const int szerokosc = std::abs(obiekt.Prawy - obiekt.Lewy);
  const int wysokosc = std::abs(obiekt.Gorny - obiekt.Dolny);
  const QRect obszar(lewy + 1, obiekt.Gorny + 1, std::max(szerokosc - 2, 1), std::max(wysokosc - 2, 1));
  const auto otwarty = [&] {
    view->obiektEdytora_ = k;
    view->drukEdytora_ = t.BiezacyDruk.Id;
  };

  switch (obiekt.Typ) {
    case Text:
    case Liczba: {
      if (PodpowiedzZbycia(t.BiezacyDruk.IdPit, k)) platform::ShowMessage(kPodpowiedzZbycia);
      UsunEdytor(view->EdytorTekstu);
      auto* memo = new TEdytorTekstu(view->Kartka());
      memo->setGeometry(obszar);
      memo->setPlainText(NaQString(pole->Wartosc));
      memo->UstawWyrownanie(obiekt.Wyrownanie);
      memo->UstawMaxLength(obiekt.LimitZnakow);
      memo->UstawZaznaczanieCalosci(obiekt.Typ == Liczba);
      const int rozmiar = RozmiarCzcionkiObiektu(obiekt).value_or(kRozmiarDomyslny);
      memo->UstawRozmiarCzcionki(rozmiar > 0 ? rozmiar : std::max(obszar.height() - 12, 1));
      UstawCzcionkeNakladki(view, memo->RozmiarCzcionki());
      view->EdytorTekstu = memo;
      otwarty();
      view->DlugoscTekstu = static_cast<std::int32_t>(memo->toPlainText().size());
      if (!memo->toPlainText().isEmpty()) view->DopasujCzcionkeEdytora();
      memo->show();
      // Scrolled into sight, so Tab can run down the whole page.
      view->ensureWidgetVisible(memo);
      memo->setFocus();
      memo->selectAll();
      QObject::connect(memo, &QPlainTextEdit::textChanged, view, &TFImage::EdytorChange);
      memo->installEventFilter(view);
      break;
    }
    case NIP:
    case Data: {
      UsunEdytor(view->EdytorMaski);
      auto* maska = new TEdytorMaski(view->Kartka());
      UstawWygladEdytora(maska, kRozmiarDomyslny);
      maska->setFrame(false);
      maska->setTextMargins(0, 0, 0, 0);
      maska->setInputMask(MaskaPola(obiekt));
      const std::string wartosc(Tekst(pole->Wartosc));
      maska->setText(platform::ZCp1250(obiekt.Typ == NIP ? WstawMyslnikiNip(wartosc) : WstawMyslnikiDaty(wartosc)));
      maska->setGeometry(obszar);
      view->EdytorMaski = maska;
      otwarty();
      maska->show();
      view->ensureWidgetVisible(maska);
      maska->setFocus();
      maska->selectAll();
      maska->installEventFilter(view);
      break;
    }
    case Select: {
      UsunEdytor(view->EdytorListy);
      auto* lista = new QComboBox(view->Kartka());
      lista->setObjectName("EdytorListy");
      for (int i = 0; i < static_cast<int>(obiekt.ElementyListy.size()); ++i) {
        const TElementListy& element = obiekt.ElementyListy[static_cast<std::size_t>(i)];
        if (!Tekst(element.Tekst).empty()) lista->insertItem(i, NaQString(element.Tekst));
      }
      lista->setCurrentIndex(obiekt.Format >= 0 && obiekt.Format < lista->count() ? obiekt.Format : -1);
      const QRect obszarListy(lewy + 1, obiekt.Gorny + 1, std::max(szerokosc - 1, 1), std::max(wysokosc - 1, 1));
      const int rozmiar = RozmiarCzcionkiObiektu(obiekt).value_or(kRozmiarDomyslny);
      QFont czcionka(gdi::RodzinaCzcionki());
      czcionka.setPixelSize(PikseleCzcionki(rozmiar > 0 ? rozmiar : std::max(obszarListy.height() - 5, 1)));
      lista->setFont(czcionka);
      lista->setGeometry(obszarListy);
      view->EdytorListy = lista;
      otwarty();
      lista->show();
      view->ensureWidgetVisible(lista);
      lista->setFocus();
      break;
    }
    case Checbox: {
      UsunEdytor(view->EdytorZaznaczenia);
      auto* zaznaczenie = new QCheckBox(view->Kartka());
      zaznaczenie->setObjectName("EdytorZaznaczenia");
      zaznaczenie->hide();
      zaznaczenie->setGeometry(lewy, obiekt.Gorny, std::max(szerokosc, 1), std::max(wysokosc, 1));
      zaznaczenie->setChecked(pole->Zaznaczone != 1);
      view->EdytorZaznaczenia = zaznaczenie;
      otwarty();
      // A check box toggles, stores and recomputes at once; no editor stays open.
      std::exception_ptr blad;
      view->ZapiszWartoscPola(k, obiekt, &blad);
      t.WybranyObiekt = -1;
      view->UkryjEdytory();
      t.WyczyscNakladke();
      RysujObiekty(view);
      if (blad) ZglosBladObliczenia(blad);
      break;
    }
    default: {
      // A radio object only shows its own text; it takes no value.
      const QString nazwa = QStringLiteral("Radio%1").arg(k);
      auto* obraz = view->Kartka()->findChild<QLabel*>(nazwa, Qt::FindDirectChildrenOnly);
      if (!obraz) obraz = new QLabel(view->Kartka());
      obraz->setObjectName(nazwa);
      obraz->setAttribute(Qt::WA_TranslucentBackground);
      obraz->setAttribute(Qt::WA_TransparentForMouseEvents);
      obraz->setContentsMargins(1, 1, 0, 0);
      obraz->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      obraz->setText(NaQString(obiekt.Wartosc));
      obraz->setGeometry(lewy, obiekt.Gorny, std::max(szerokosc, 1), std::max(wysokosc, 1));
      obraz->show();
      break;
    }
  }
}

void TFImage::DopasujCzcionkeEdytora() {
  TEdytorTekstu* memo = Memo();
  if (!memo) return;
  QImage miejsce(1, 1, QImage::Format_RGB32);
  QPainter malarz(&miejsce);
  gdi::Plotno plotno(malarz, Formatka->Stan());
  plotno.UstawRozmiarCzcionki(memo->RozmiarCzcionki());
  const QString tekst = memo->toPlainText();
  while (plotno.SzerokoscTekstu(tekst) > memo->width() - 10) {
    if (memo->RozmiarCzcionki() <= 4) {
      // No smaller font: what is there is all that fits.
      memo->UstawMaxLength(static_cast<int>(tekst.size()));
      return;
    }
    memo->UstawRozmiarCzcionki(memo->RozmiarCzcionki() - 2);
    plotno.UstawRozmiarCzcionki(memo->RozmiarCzcionki());
  }
}

void TFImage::EdytorChange() {
  TEdytorTekstu* memo = Memo();
  if (!memo || !JestPolem(obiektEdytora_)) return;
  const TObiekt& o = Obiekty[static_cast<std::size_t>(obiektEdytora_)];
  if (o.Typ != Text && o.Typ != Liczba) return;
  const QString tekst = memo->toPlainText();
  if (tekst.size() < DlugoscTekstu) {
    // Characters were removed: the font may grow back towards the field's own size.
    const int rozmiar = RozmiarCzcionkiObiektu(o).value_or(kRozmiarDomyslny);
    if (memo->RozmiarCzcionki() > rozmiar) {
      memo->UstawRozmiarCzcionki(rozmiar);
    } else if (memo->RozmiarCzcionki() < rozmiar) {
      memo->UstawMaxLength(o.LimitZnakow > 0 ? o.LimitZnakow : kLimitBezOgraniczenia);
      memo->UstawRozmiarCzcionki(memo->RozmiarCzcionki() + 2);
      UstawCzcionkeNakladki(this, memo->RozmiarCzcionki());
    }
  }
  if (!tekst.isEmpty()) DopasujCzcionkeEdytora();
  DlugoscTekstu = static_cast<std::int32_t>(tekst.size());
  if (o.Typ != Liczba) return;
  const QString poprawiony = PoprawionaLiczba(tekst);
  if (poprawiony == tekst) return;
  // The correction is a change of its own and runs this rule again.
  const int kursor = memo->textCursor().position();
  const bool zaDuzoMiejsc = poprawiony.size() < tekst.size() && tekst.indexOf(QLatin1Char(',')) >= 0 &&
                            tekst.size() - tekst.indexOf(QLatin1Char(',')) > 3;
  memo->setPlainText(poprawiony);
  QTextCursor nowy = memo->textCursor();
  nowy.setPosition(zaDuzoMiejsc ? static_cast<int>(poprawiony.size())
                                : std::clamp(kursor - static_cast<int>(tekst.size() - poprawiony.size()), 0,
                                             static_cast<int>(poprawiony.size())));
  memo->setTextCursor(nowy);
}

QChar TFImage::LiczbaKeyPress(QChar znak) const {
  if (!EdytorTekstu || !JestPolem(obiektEdytora_)) return znak;
  const TObiekt& o = Obiekty[static_cast<std::size_t>(obiektEdytora_)];
  if (o.Typ != Liczba) return znak;
  // A typed character replaces the selection, so the rules apply to what stays beside it.
  const TEdytorTekstu* memo = Memo();
  return ZnakLiczby(znak, memo ? memo->TekstPozaZaznaczeniem() : EdytorTekstu->toPlainText(), o);
}

void TFImage::EdytorKeyDown(int klawisz) {
  if (!Tools || Tools->TrybKlienta == 0 || !JestEnter(klawisz)) return;
  TTools& t = *Tools;
  zapisanoKlawiszem_ = false;
  t.ObiektPodKursorem = 0;
  if (!JestPolem(t.WybranyObiekt)) return;
  std::exception_ptr blad;
  zapisanoKlawiszem_ = ZapiszWartoscPola(t.WybranyObiekt, Obiekty[static_cast<std::size_t>(t.WybranyObiekt)], &blad);
  if (blad) ZglosBladObliczenia(blad);
}

void TFImage::EdytorKeyUp(int klawisz) {
  if (!Tools || Tools->TrybKlienta == 0 || !JestEnter(klawisz)) return;
  // A refused text keeps its field: only a press that stored moves on.
  if (!std::exchange(zapisanoKlawiszem_, false)) return;
  if (Tools->WybranyObiekt >= 0) PrzejdzDoNastepnegoPola(this);
}

bool TFImage::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
  const QEvent::Type rodzaj = zdarzenie->type();
  const bool edytor = obiekt == EdytorTekstu.data() || obiekt == EdytorMaski.data();
  if (!edytor || (rodzaj != QEvent::KeyPress && rodzaj != QEvent::KeyRelease))
    return QScrollArea::eventFilter(obiekt, zdarzenie);
  auto* klawisz = static_cast<QKeyEvent*>(zdarzenie);
  // Tab, with Shift or without, is Enter here: it stores and moves on, never to a control beside the page.
  const bool tab = klawisz->key() == Qt::Key_Tab || klawisz->key() == Qt::Key_Backtab;
  const int kod = tab ? Qt::Key_Return : klawisz->key();
  if (JestEnter(kod)) {
    if (rodzaj == QEvent::KeyPress)
      EdytorKeyDown(kod);
    else
      EdytorKeyUp(kod);
    return true;
  }
  if (rodzaj != QEvent::KeyPress || obiekt != EdytorTekstu.data()) return false;
  const QString tekst = klawisz->text();
  if (tekst.size() != 1 || (!tekst.front().isPrint() && tekst.front() != QChar(8))) return false;
  const QChar znak = LiczbaKeyPress(tekst.front());
  if (znak.isNull()) return true;
  if (znak == tekst.front()) return false;
  QKeyEvent zamiana(QEvent::KeyPress, Qt::Key_Comma, klawisz->modifiers(), QString(znak));
  QCoreApplication::sendEvent(obiekt, &zamiana);
  return true;
}
