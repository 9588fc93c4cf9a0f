// Storing a field's value from its editor, the click on the page that stores and opens editors, and the move to
// the next field in tab order.

#include "pages/wpis.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "calc/oblicz.h"
#include "main/tools.h"
#include "pages/filtr_klawiszy.h"
#include "pages/fimage.h"
#include "pages/nakladka.h"
#include "pages/rysowanie.h"
#include "platform/dialogi.h"

void ZglosBladObliczenia(const std::exception_ptr& blad) {
  try {
    std::rethrow_exception(blad);
  } catch (const std::exception& e) {
    platform::AktywneDialogi().Wyjatek(QString::fromUtf8(e.what()));
  } catch (...) {
    platform::AktywneDialogi().Wyjatek(QString());
  }
}

QWidget* TFImage::EdytorTypu(int typ) const {
  switch (typ) {
    case Text:
    case Liczba:
      return EdytorTekstu;
    case NIP:
    case Data:
      return EdytorMaski;
    case Select:
      return EdytorListy;
    case Checbox:
      return EdytorZaznaczenia;
    default:
      return nullptr;
  }
}

int TFImage::OtwartyEdytor() const {
  if (!Tools || !JestPolem(obiektEdytora_) || drukEdytora_ != Tools->BiezacyDruk.Id) return -1;
  const QWidget* edytor = EdytorTypu(Obiekty[static_cast<std::size_t>(obiektEdytora_)].Typ);
  return edytor && !edytor->isHidden() ? obiektEdytora_ : -1;
}

bool TFImage::ZapiszPole(int k, TObiekt& obiekt) {
  if (!Tools || !JestPolem(k)) return false;
  TTools& t = *Tools;
  const int j = t.BiezacyDruk.Id;
  if (j < 1 || j > t.LiczbaDrukow || static_cast<std::size_t>(j) >= t.Druki.size()) return false;
  TDruk& druk = t.Druki[static_cast<std::size_t>(j)];
  TPoleDruku& pole = druk.Pola[static_cast<std::size_t>(k)];
  // Only the editor opened for this object on this record holds its value.
  const bool swoj = obiektEdytora_ == k && drukEdytora_ == j;

  switch (obiekt.Typ) {
    case Text:
      if (swoj && EdytorTekstu) {
        const QString tekst = TekstDoZapisu(EdytorTekstu->toPlainText(), obiekt);
        UstawTekst(obiekt.Wartosc, tekst);
        UstawTekst(pole.Wartosc, tekst);
      }
      break;
    case Liczba:
      if (swoj && EdytorTekstu) {
        const KwotaPola kwota = KwotaDoZapisu(EdytorTekstu->toPlainText(), obiekt);
        if (!kwota.tekst) {
          if (kwota.bladKonwersji)
            platform::AktywneDialogi().Wyjatek(kwota.blad);
          else
            platform::ShowMessage(kwota.blad);
          EdytorTekstu->setFocus();
          return false;
        }
        // The memo shows what is stored.
        const QString pokazany = platform::ZCp1250(*kwota.tekst);
        if (EdytorTekstu->toPlainText() != pokazany) EdytorTekstu->setPlainText(pokazany);
        UstawBajty(pole.Wartosc, *kwota.tekst);
      }
      break;
    case NIP:
    case Data:
      if (swoj && EdytorMaski) UstawTekst(pole.Wartosc, TekstDoZapisu(TekstZMaski(EdytorMaski->displayText()), obiekt));
      break;
    case Select:
      if (swoj && EdytorListy && EdytorListy->currentIndex() >= 0) {
        obiekt.Format = EdytorListy->currentIndex();
        const QString tekst = TekstDoZapisu(EdytorListy->currentText(), obiekt);
        UstawTekst(obiekt.Wartosc, tekst);
        UstawTekst(pole.Wartosc, tekst);
      }
      break;
    case Checbox:
      if (swoj && EdytorZaznaczenia) {
        // Same-named check boxes are one group across the whole form: ticking one clears the others.
        const std::string_view nazwa = Tekst(obiekt.Nazwa);
        for (int i = 0; i < LiczbaPol(); ++i) {
          TObiekt& inny = Obiekty[static_cast<std::size_t>(i)];
          if (inny.Typ != Checbox || Tekst(inny.Nazwa) != nazwa) continue;
          inny.Opcje[0].Zaznaczona = 0;
          druk.Pola[static_cast<std::size_t>(i)].Zaznaczone = 0;
        }
        const std::uint8_t zaznaczone = EdytorZaznaczenia->isChecked() ? 1 : 0;
        obiekt.Opcje[0].Zaznaczona = zaznaczone;
        pole.Zaznaczone = zaznaczone;
      }
      break;
    default:
      break;
  }
  t.Zmodyfikowane = 1;
  if (t.ToolButtonSave) t.ToolButtonSave->setEnabled(true);
  Obiekty[static_cast<std::size_t>(k)] = obiekt;
  return true;
}

bool TFImage::ZapiszWartoscPola(int k, TObiekt obiekt, std::exception_ptr* bladObliczenia) {
  if (!ZapiszPole(k, obiekt)) return false;
  // A computation that shows another form comes back here through the page display; the value is stored already.
  const QScopedValueRollback<bool> zapisywanie(zapisywanie_, true);
  KontekstObliczen kx = Kontekst();
  if (!bladObliczenia) {
    Oblicz(kx, Tools->BiezacyDruk.Id);
    return true;
  }
  try {
    Oblicz(kx, Tools->BiezacyDruk.Id);
  } catch (...) {
    *bladObliczenia = std::current_exception();
  }
  return true;
}

void TFImage::PokazDrukEdytora() {
  TTools& t = *Tools;
  if (drukEdytora_ < 1 || static_cast<std::size_t>(drukEdytora_) >= t.Druki.size() || !t.TV) return;
  QTreeWidgetItem* wezel = t.Druki[static_cast<std::size_t>(drukEdytora_)].Wezel;
  if (!wezel || t.TV->currentItem() == wezel) return;
  const QSignalBlocker blokada(t.TV);
  t.TV->setCurrentItem(wezel);
}

bool TFImage::ZatwierdzEdytor() {
  if (zapisywanie_ || !Tools) return true;
  const int k = OtwartyEdytor();
  if (k < 0) return true;
  std::exception_ptr blad;
  if (!ZapiszWartoscPola(k, Obiekty[static_cast<std::size_t>(k)], &blad)) {
    // The caller may already have let the selection go; the refused field stays the selected one.
    Tools->WybranyObiekt = k;
    PokazDrukEdytora();
    return false;
  }
  Tools->WybranyObiekt = -1;
  UsunEdytory();
  RysujObiekty(this);
  // The caller goes on: saving or closing must not fail on another field's value.
  if (blad) ZglosBladObliczenia(blad);
  return true;
}

void TFImage::FormatkaClick() {
  UchwytyWidoczne = 0;
  if (!Tools || Tools->TrybKlienta == 0) return;
  TTools& t = *Tools;
  const int otwarty = OtwartyEdytor();
  std::exception_ptr blad;
  if (otwarty >= 0 && !ZapiszWartoscPola(otwarty, Obiekty[static_cast<std::size_t>(otwarty)], &blad)) return;
  const bool wybrany = otwarty >= 0 || t.WybranyObiekt >= 0;
  if (t.ObiektPodKursorem) {
    if (wybrany) {
      t.WybranyObiekt = -1;
      UsunEdytory();
      RysujObiekty(this);
    }
    t.WybranyObiekt = t.ObiektNadKursorem;
    // A read-only object stays selected without an editor.
    if (JestPolem(t.WybranyObiekt) && !Obiekty[static_cast<std::size_t>(t.WybranyObiekt)].TylkoDoOdczytu)
      UtworzEdytorPola(this, t.WybranyObiekt, Obiekty[static_cast<std::size_t>(t.WybranyObiekt)]);
  } else if (wybrany) {
    t.WybranyObiekt = -1;
    UsunEdytory();
    t.WczytajObrazStrony();
    t.WyczyscNakladke();
    RysujObiekty(this);
  }
  if (blad) ZglosBladObliczenia(blad);
}

int ZnajdzNastepnePole(TFImage* view, int biezacy) {
  if (!view || !view->JestPolem(biezacy)) return biezacy;
  const auto pozycja = [view](int i) { return view->Obiekty[static_cast<std::size_t>(i)].PozycjaPrzegladania; };
  int nastepne = biezacy;
  for (int i = 0; i < view->LiczbaPol(); ++i) {
    const TObiekt& o = view->Obiekty[static_cast<std::size_t>(i)];
    // Check boxes take their value by a click; a hidden object has no editor to open.
    if (!o.Widoczne || o.TylkoDoOdczytu || o.Typ == Checbox || pozycja(i) <= pozycja(biezacy)) continue;
    // Of equal positions the lower index comes first.
    if (nastepne == biezacy || pozycja(i) < pozycja(nastepne)) nastepne = i;
  }
  return nastepne;
}

void PrzejdzDoNastepnegoPola(TFImage* view) {
  if (!view || !Tools) return;
  TTools& t = *Tools;
  view->PoprzedniObiekt = t.WybranyObiekt;
  t.WybranyObiekt = -1;
  view->UkryjEdytory();
  if (t.TrybKlienta != 0)
    RysujObiekty(view);
  else
    WczytajIRysujObiekty(view);

  std::exception_ptr blad;
  if (view->JestPolem(view->PoprzedniObiekt)) {
    const int poprzedni = view->PoprzedniObiekt;
    const int nastepne = ZnajdzNastepnePole(view, poprzedni);
    const int strona = view->Obiekty[static_cast<std::size_t>(nastepne)].Strona;
    if (strona > t.BiezacaStrona) {
      const QString nazwa = t.BiezacyTyp >= 1 && t.BiezacyTyp <= kLiczbaTypowDrukow
                                ? NaQString(t.TypyDrukow[static_cast<std::size_t>(t.BiezacyTyp)].Nazwa)
                                : QString();
      const QString pytanie = QStringLiteral("Czy przejść na %1 stronę druku %2 ?").arg(strona).arg(nazwa);
      bool przewrocona = false;
      if (platform::MessageBox(pytanie, QStringLiteral("Pytanie"), platform::Przyciski::TakNie,
                               platform::Ikona::Wykrzyknik) == platform::Odpowiedz::Tak) {
        view->PoprzedniObiekt = nastepne;
        t.WybranyObiekt = nastepne;
        // The next field opens on the new page even when its computation fails; the error is shown after.
        try {
          przewrocona = t.PokazStrone(t.BiezacyTyp, strona, false);
        } catch (...) {
          przewrocona = true;
          blad = std::current_exception();
        }
      }
      // Declined, or the page could not be shown: the field just stored stays selected.
      if (!przewrocona) view->PoprzedniObiekt = t.WybranyObiekt = poprzedni;
    } else {
      t.WybranyObiekt = nastepne;
    }
  }
  if (view->Formatka->isVisibleTo(view)) {
    if (view->JestPolem(t.WybranyObiekt))
      UtworzEdytorPola(view, t.WybranyObiekt, view->Obiekty[static_cast<std::size_t>(t.WybranyObiekt)]);
    view->PoprzedniObiekt = -1;
  }
  if (blad) ZglosBladObliczenia(blad);
}
