#include "pages/obiekty_plik.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "calc/konwersje.h"
#include "calc/wartosci.h"
#include "main/tools.h"
#include "model/struktura.h"
#include "pages/fimage.h"
#include "pages/nakladka.h"
#include "pages/rysowanie.h"

namespace {

void PokazLiczbeObiektow() { UstawPanelStatusu(0, QStringLiteral("Liczba obiektow:%1").arg(Tools->LiczbaObiektow)); }

// The amount in the text editor brought to the stored form: two decimals, rounded for formats 11 and 12.
std::string ZnormalizowanaKwota(const std::string& tekst, int format) {
  std::string wynik = FormatujKwote(tekst);
  if (format == FormatZaokrGroszy) wynik = FloatToStr(ZaokraglijDoGroszy(StrToFloat(wynik)));
  if (format == FormatZaokrZloty) wynik = FloatToStr(ZaokraglijDoZlotych(StrToFloat(wynik)));
  return FormatujKwote(wynik);
}

// Takes the open editor's content into the object, by its type; a missing editor takes nothing.
void WezZEdytora(TFImage* view, TObiekt& obiekt) {
  switch (obiekt.Typ) {
    case Text:
      if (view->EdytorTekstu) UstawTekst(obiekt.Wartosc, view->EdytorTekstu->toPlainText());
      break;
    case Liczba:
      if (view->EdytorTekstu) {
        if (obiekt.Format == FormatDziesietna || obiekt.Format == FormatZaokrGroszy ||
            obiekt.Format == FormatZaokrZloty) {
          const std::string tekst = platform::DoCp1250(view->EdytorTekstu->toPlainText());
          view->EdytorTekstu->setPlainText(platform::ZCp1250(ZnormalizowanaKwota(tekst, obiekt.Format)));
        }
        UstawTekst(obiekt.Wartosc, view->EdytorTekstu->toPlainText());
      }
      break;
    case NIP:
      if (view->EdytorMaski && !view->EdytorMaski->text().isEmpty())
        UstawTekst(obiekt.Wartosc, view->EdytorMaski->text());
      break;
    case Select:
      if (view->EdytorListy && view->EdytorListy->currentIndex() >= 0) {
        obiekt.Format = view->EdytorListy->currentIndex();
        UstawTekst(obiekt.Wartosc, view->EdytorListy->currentText());
      }
      break;
    case Checbox:
      if (view->EdytorZaznaczenia) obiekt.Opcje[0].Zaznaczona = view->EdytorZaznaczenia->isChecked() ? 1 : 0;
      break;
    default:
      break;
  }
}

// The defaults of a new object.
TObiekt NowyObiekt(int typ) {
  TObiekt o;
  o.NrObiektu = Tools->LiczbaObiektow;
  o.Strona = Tools->BiezacaStrona;
  o.Typ = typ;
  UstawBajty(o.Nazwa, std::to_string(o.NrObiektu));
  UstawBajty(o.RozmiarCzcionki, "10");
  UstawBajty(o.KolorKrawedzi, "FFFFFF");
  UstawBajty(o.KolorTla, "FFFFFF");
  UstawBajty(o.KolorTekstu, "000000");
  o.Widoczne = 1;
  for (auto* tabela : {&o.Opcje, &o.OpcjeDodatkowe})
    for (TOpcjaObiektu& opcja : *tabela) UstawBajty(opcja.Wartosc, "0");
  for (TElementListy& element : o.ElementyListy) UstawBajty(element.Wartosc, "0");
  if (typ == Liczba) {
    o.Wyrownanie = DoPrawej;
    o.Format = FormatDziesietna;
    UstawBajty(o.WartoscDomyslna, "0,00");
  }
  if (typ == NIP) o.Format = NipOsobaFizyczna;
  return o;
}

}  // namespace

void UstawObiekty(TFImage* view, std::vector<TObiekt> obiekty) {
  if (!view || !Tools) return;
  view->Obiekty = std::move(obiekty);
  Tools->LiczbaObiektow = static_cast<int>(view->Obiekty.size());
  PokazLiczbeObiektow();
}

void WczytajObiekty(TFImage* view) {
  if (!view || !Tools) return;
  auto obiekty = QFile::exists(Tools->PlikDcs) ? struktura::CzytajObiekty(Tools->PlikDcs, Tools->Skala) : std::nullopt;
  if (obiekty)
    UstawObiekty(view, std::move(*obiekty));
  else
    PokazLiczbeObiektow();
}

void DodajObiekt(TFImage* view) {
  if (!view || !Tools) return;
  TObiekt o = NowyObiekt(Tools->SelectObj ? Tools->SelectObj->currentIndex() : 0);
  o.Lewy = view->Zaznaczenie.X1;
  o.Gorny = view->Zaznaczenie.Y1;
  o.Prawy = view->Zaznaczenie.X2;
  o.Dolny = view->Zaznaczenie.Y2;
  struktura::DopiszObiekt(Tools->PlikDcs, o);
  PokazLiczbeObiektow();
}

void DodajKopieObiektu(TFImage*, int, TObiekt obiekt) {
  if (!Tools) return;
  obiekt.NrObiektu = Tools->LiczbaObiektow;
  UstawBajty(obiekt.Nazwa, std::to_string(obiekt.DrugiNumer) + "." + std::to_string(obiekt.NrObiektu));
  struktura::DopiszObiekt(Tools->PlikDcs, obiekt);
}

void DodajKopieWGrupie(TFImage*, int, TObiekt obiekt) {
  if (!Tools) return;
  obiekt.NrObiektu = Tools->LiczbaObiektow;
  struktura::DopiszObiekt(Tools->PlikDcs, obiekt);
}

void ZapiszObiekt(TFImage* view, int indeks, TObiekt obiekt) {
  if (!view || !Tools || !QFile::exists(Tools->PlikDcs)) return;
  // A text that is not an amount stops here, before anything is written.
  WezZEdytora(view, obiekt);
  if (obiekt.Typ == Checbox) {
    const std::string_view nazwa = Tekst(obiekt.Nazwa);
    const int liczba = std::min(Tools->LiczbaObiektow, static_cast<int>(view->Obiekty.size()));
    for (int i = 0; i < liczba; ++i) {
      const TObiekt& inny = view->Obiekty[static_cast<std::size_t>(i)];
      if (inny.Typ != Checbox || Tekst(inny.Nazwa) != nazwa) continue;
      if (auto zapisany = struktura::CzytajObiekt(Tools->PlikDcs, i)) {
        zapisany->Opcje[0].Zaznaczona = 0;
        struktura::ZapiszObiekt(Tools->PlikDcs, i, *zapisany);
      }
    }
  }
  struktura::ZapiszObiekt(Tools->PlikDcs, indeks, obiekt);
}

void UsunObiekt(TFImage* view) {
  if (!view || !Tools) return;
  TTools& t = *Tools;
  bool usuniety = false;
  const int liczba = std::min(t.LiczbaObiektow, static_cast<int>(view->Obiekty.size()));
  if (t.WybranyObiekt >= 0 && t.WybranyObiekt < liczba) {
    std::vector<TObiekt> pozostale;
    pozostale.reserve(static_cast<std::size_t>(liczba));
    for (int i = 0; i < liczba; ++i)
      if (i != t.WybranyObiekt) pozostale.push_back(view->Obiekty[static_cast<std::size_t>(i)]);
    struktura::ZapiszObiekty(t.PlikDcs, pozostale);
    t.LiczbaObiektow -= 1;
    usuniety = true;
  }
  t.ObiektPodKursorem = 0;
  t.ObiektNadKursorem = -1;
  t.WybranyObiekt = -1;
  view->PrzesuwanyObiekt = -1;
  view->Formatka->setCursor(Qt::CrossCursor);
  if (usuniety && t.LiczbaObiektow == 0) QFile::remove(t.PlikDcs);
  t.WyczyscNakladke();
  WczytajIRysujObiekty(view);
}
