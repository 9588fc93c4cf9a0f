// The palette's work on the edited object: filling the controls on show, the changes stored at once, and applying.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>
#include <algorithm>
#include <utility>

#include "main/tools.h"
#include "pages/fimage.h"
#include "pages/fpaleta.h"
#include "pages/kolory.h"
#include "pages/obiekty_plik.h"
#include "platform/dialogi.h"

namespace {

constexpr std::array<const char*, 7> kNazwyTypow = {"TEKST ", "LICZBA ", "NIP ", "DATA ", "SELECT ", "CHECBOX ",
                                                    "RADIO "};
constexpr std::array<const char*, 9> kRozmiary = {"4", "6", "8", "10", "12", "14", "16", "18", "20"};
constexpr std::array<const char*, 4> kWyrownania = {"do lewej", "do prawej", "centruj", "justuj"};

// A whole number as the user typed it; surrounding blanks are allowed.
std::optional<std::int32_t> Calkowita(const QString& tekst) {
  bool ok = false;
  const int wartosc = tekst.trimmed().toInt(&ok);
  return ok ? std::optional<std::int32_t>(wartosc) : std::nullopt;
}

// A font size that fits the two characters of its field.
bool PoprawnyRozmiar(const QString& tekst) {
  const auto r = Calkowita(tekst);
  return r && *r >= 1 && *r <= 99 && tekst.trimmed().size() <= 2;
}

void Odmowa(const QString& pole) {
  platform::ShowMessage(QStringLiteral("W polu \"%1\" należy wpisać liczbę całkowitą.").arg(pole));
}

QColor KolorPola(const TTekst<7>& tekst) { return QColor(KolorLubDomyslny(Tekst(tekst), qRgb(255, 255, 255))); }

// A colour text as a Windows colour value (red low), the default for a text that is no colour.
std::int32_t KolorWindows(const TTekst<7>& tekst, QRgb domyslny) {
  const QRgb kolor = KolorLubDomyslny(Tekst(tekst), domyslny);
  return qRed(kolor) | (qGreen(kolor) << 8) | (qBlue(kolor) << 16);
}

}  // namespace

TObiekt* TFPaleta::Obiekt() const {
  if (!FImage || !Tools) return nullptr;
  const int liczba = std::min(Tools->LiczbaObiektow, static_cast<int>(FImage->Obiekty.size()));
  if (EdytowanyObiekt < 0 || EdytowanyObiekt >= liczba) return nullptr;
  return &FImage->Obiekty[static_cast<std::size_t>(EdytowanyObiekt)];
}

void TFPaleta::FormShow() {
  if (FImage && FImage->isVisible()) {
    const QPoint punkt(FImage->MyszX - FImage->horizontalScrollBar()->value(),
                       FImage->MyszY - FImage->verticalScrollBar()->value());
    move(FImage->viewport()->mapToGlobal(punkt));
  }
  if (Tools) EdytowanyObiekt = Tools->ObiektNadKursorem >= 0 ? Tools->ObiektNadKursorem : Tools->LiczbaObiektow - 1;

  {
    const QSignalBlocker blokada(TabControl);
    TabControl->setCurrentIndex(2);
  }
  const TObiekt* o = Obiekt();
  Zastosuj->setEnabled(o != nullptr);
  if (!o) {
    setWindowTitle(QStringLiteral("Właściwości obiektu"));
    UlozPanelOpcji();
    return;
  }
  const QString typ = o->Typ >= 0 && o->Typ < static_cast<int>(kNazwyTypow.size())
                          ? QLatin1String(kNazwyTypow[static_cast<std::size_t>(o->Typ)])
                          : QString();
  setWindowTitle(QStringLiteral("Właściwości obiektu %1[%2.%3]").arg(typ).arg(o->DrugiNumer).arg(o->NrObiektu));
  UlozPanelOpcji();

  wypelnianie_ = true;
  WypelnijOgolne(*o);
  WypelnijKolory(*o);
  WypelnijOpcje(*o);
  wypelnianie_ = false;
}

void TFPaleta::WypelnijOgolne(const TObiekt& o) {
  Nazwa->setText(NaQString(o.Nazwa));
  Pomoc->setText(NaQString(o.Pomoc));
  PozPrzeg->setText(QString::number(o.PozycjaPrzegladania));
  DrukPage->setText(QString::number(o.Strona));
  StanPola->setCurrentIndex(o.Widoczne ? 1 : 0);
  ReadOlny->setChecked(o.TylkoDoOdczytu != 0);
  MustBe->setChecked(o.Wymagane != 0);
  Block->setChecked(o.Zablokowane != 0);
}

void TFPaleta::WypelnijKolory(const TObiekt& o) {
  // A colour text that is no colour is shown, not thrown: the palette is where it gets mended.
  PokazKolor(KolorKrawedz, KolorWindows(o.KolorKrawedzi, qRgb(255, 255, 255)));
  PokazKolor(KolorTlo, KolorWindows(o.KolorTla, qRgb(255, 255, 255)));
  PokazKolor(KolorTekst, KolorWindows(o.KolorTekstu, qRgb(0, 0, 0)));
  WypelnijRozmiary(NaQString(o.RozmiarCzcionki));
}

void TFPaleta::WypelnijOpcje(const TObiekt& o) {
  WypelnijWyrownanie(o.Wyrownanie);
  DefValue->setPlainText(NaQString(o.WartoscDomyslna));
  Multiline->setChecked(o.Wielowierszowe != 0);

  const bool zLimitem = (o.Typ == Text || o.Typ == Liczba) && o.LimitZnakow >= 1;
  MaxChar->setChecked(zLimitem);
  CharLimit->setText(zLimitem ? QString::number(o.LimitZnakow) : QString());
  UstawLimitZnakow();

  switch (o.Typ) {
    case Liczba:
      UstawOpcjeLiczby(o.Format);
      PlusValue->setChecked(o.TylkoDodatnia != 0);
      break;
    case NIP:
      Zaznacz(NipPrawna, o.Format == NipOsobaPrawna);
      Zaznacz(NipFizyczna, o.Format != NipOsobaPrawna);
      break;
    case Data:
      BiezacaData->setChecked(o.Format != 0);
      break;
    case Select:
      WypelnijListe(o);
      EListBox->setCurrentRow(o.Format >= 0 && o.Format < EListBox->count() ? o.Format : -1);
      EListBoxClick();
      break;
    case Checbox:
      CheckBoxChecked->setChecked(o.Opcje[0].Zaznaczona != 0);
      ChecBoxValue->setText(NaQString(o.Opcje[0].Wartosc));
      break;
    default:
      break;
  }
}

void TFPaleta::WypelnijListe(const TObiekt& o) {
  EListBox->clear();
  for (const TElementListy& e : o.ElementyListy) EListBox->addItem(NaQString(e.Tekst));
}

void TFPaleta::Zaznacz(QRadioButton* przycisk, bool stan) {
  // An exclusive radio button cannot be cleared directly.
  przycisk->setAutoExclusive(false);
  przycisk->setChecked(stan);
  przycisk->setAutoExclusive(true);
}

void TFPaleta::UstawOpcjeLiczby(int format) {
  switch (format) {
    case 0:
      break;
    case FormatDziesietna:
    case FormatZaokrGroszy:
    case FormatZaokrZloty:
      Zaznacz(LiczbaDziesietna, true);
      Zaznacz(LiczbaCalkowita, false);
      Zaznacz(BezZaokr, format == FormatDziesietna);
      Zaznacz(ZaokrGroszy, format == FormatZaokrGroszy);
      Zaznacz(ZaokrZloty, format == FormatZaokrZloty);
      break;
    default:
      // A whole number, or an unknown format shown as one; switching it to decimal starts without rounding
      // rather than with whatever the previous object left ticked.
      Zaznacz(LiczbaCalkowita, format == FormatCalkowita);
      Zaznacz(LiczbaDziesietna, false);
      Zaznacz(BezZaokr, true);
      Zaznacz(ZaokrGroszy, false);
      Zaznacz(ZaokrZloty, false);
      break;
  }
  Zaokraglanie->setVisible(LiczbaDziesietna->isChecked());
}

void TFPaleta::LiczbaDziesietnaClick() {
  UstawOpcjeLiczby(0);
  const QString d = DefValue->toPlainText();
  if (d.isEmpty() || d == QLatin1String("0")) DefValue->setPlainText(QStringLiteral("0,00"));
}

void TFPaleta::LiczbaCalkowitaClick() {
  UstawOpcjeLiczby(0);
  const QString d = DefValue->toPlainText();
  if (d.isEmpty() || d == QLatin1String("0,00")) DefValue->setPlainText(QStringLiteral("0"));
}

void TFPaleta::UstawLimitZnakow() {
  const bool wlaczony = MaxChar->isChecked();
  CharLimit->setEnabled(wlaczony);
  QPalette paleta = CharLimit->palette();
  paleta.setColor(QPalette::Base, wlaczony ? QColor(Qt::white) : palette().color(QPalette::Button));
  CharLimit->setPalette(paleta);
}

void TFPaleta::MaxCharClick() { UstawLimitZnakow(); }

void TFPaleta::WypelnijRozmiary(const QString& rozmiar) {
  for (std::size_t i = 0; i < kRozmiary.size(); ++i) Rozmiary[i] = QLatin1String(kRozmiary[i]);
  const bool wypelnianie = std::exchange(wypelnianie_, true);
  RozmiarCzcionki->clear();
  for (std::size_t i = 0; i < kRozmiary.size(); ++i) RozmiarCzcionki->addItem(Rozmiary[i]);
  WybranyRozmiar = 0;
  for (std::size_t i = 0; i < kRozmiary.size(); ++i)
    if (Rozmiary[i] == rozmiar) WybranyRozmiar = static_cast<int>(i);
  RozmiarCzcionki->setCurrentIndex(WybranyRozmiar);
  wypelnianie_ = wypelnianie;
}

void TFPaleta::RozmiarCzcionkiChange() {
  if (wypelnianie_) return;
  TObiekt* o = Obiekt();
  const QString tekst = RozmiarCzcionki->currentText().trimmed();
  // A size still being typed, or no number at all, waits for "zastosuj" to be refused there.
  if (o && PoprawnyRozmiar(tekst)) UstawTekst(o->RozmiarCzcionki, tekst);
}

void TFPaleta::WypelnijWyrownanie(int wyrownanie) {
  for (std::size_t i = 0; i < kWyrownania.size(); ++i) Wyrownania[i] = QLatin1String(kWyrownania[i]);
  TextAlign->clear();
  for (const QString& w : Wyrownania) TextAlign->addItem(w);
  WybraneWyrownanie = wyrownanie >= 0 && wyrownanie < static_cast<int>(Wyrownania.size()) ? wyrownanie : 0;
  TextAlign->setCurrentIndex(WybraneWyrownanie);
}

void TFPaleta::WybierzKolorPola(QToolButton* przycisk, TTekst<7> TObiekt::*pole) {
  TObiekt* o = Obiekt();
  if (!o || !WybierzKolor) return;
  const auto kolor = WybierzKolor(KolorPola(o->*pole));
  // Cancelled: the field and its sample stay as they are.
  if (!kolor) return;
  const std::int32_t wartosc = kolor->red() | (kolor->green() << 8) | (kolor->blue() << 16);
  PokazKolor(przycisk, wartosc);
  UstawTekst(o->*pole, KolorNaTekst(wartosc));
}

void TFPaleta::KolorKrawedzClick() { WybierzKolorPola(KolorKrawedz, &TObiekt::KolorKrawedzi); }
void TFPaleta::KolorTloClick() { WybierzKolorPola(KolorTlo, &TObiekt::KolorTla); }
void TFPaleta::KolorTekstClick() { WybierzKolorPola(KolorTekst, &TObiekt::KolorTekstu); }

void TFPaleta::Panel1Click() {
  TObiekt* o = Obiekt();
  if (!o) return;
  UstawBajty(o->KolorTla, "FFFFFE");
  PokazKolor(KolorTlo, 0xFEFFFF);
}

void TFPaleta::Panel2Click() {
  TObiekt* o = Obiekt();
  if (!o) return;
  UstawBajty(o->KolorTla, "FFFFFF");
  PokazKolor(KolorTlo, 0xFFFFFF);
}

void TFPaleta::EListBoxClick() {
  const TObiekt* o = Obiekt();
  const int i = EListBox->currentRow();
  if (!o || i < 0 || i >= static_cast<int>(o->ElementyListy.size())) {
    SelectText->clear();
    SelectValue->clear();
    return;
  }
  SelectText->setText(NaQString(o->ElementyListy[static_cast<std::size_t>(i)].Tekst));
  SelectValue->setText(NaQString(o->ElementyListy[static_cast<std::size_t>(i)].Wartosc));
}

void TFPaleta::SelectDodajClick() {
  TObiekt* o = Obiekt();
  const int i = EListBox->currentRow();
  if (!o || i < 0 || i >= static_cast<int>(o->ElementyListy.size())) return;
  TElementListy& e = o->ElementyListy[static_cast<std::size_t>(i)];
  UstawTekst(e.Tekst, SelectText->text());
  UstawTekst(e.Wartosc, SelectValue->text());
  WypelnijListe(*o);
  EListBox->setCurrentRow(std::min(i + 1, static_cast<int>(o->ElementyListy.size()) - 1));
}

void TFPaleta::SelectUsunClick() {
  TObiekt* o = Obiekt();
  const int i = EListBox->currentRow();
  if (!o || i < 0 || i >= static_cast<int>(o->ElementyListy.size())) return;
  TElementListy& e = o->ElementyListy[static_cast<std::size_t>(i)];
  UstawBajty(e.Tekst, "");
  UstawBajty(e.Wartosc, "");
  // The emptied slot keeps its line, so every line still stands for the slot of its position.
  WypelnijListe(*o);
  EListBox->setCurrentRow(i > 0 ? i - 1 : -1);
}

void TFPaleta::ZastosujClick() {
  TObiekt* o = Obiekt();
  if (!o) return;

  // Every number is checked before anything changes, so a refusal leaves the object as it was.
  const auto pozycja = Calkowita(PozPrzeg->text());
  if (!pozycja) return Odmowa(QStringLiteral("Pozycja przegladania"));
  const auto strona = Calkowita(DrukPage->text());
  if (!strona) return Odmowa(QStringLiteral("Strona druku"));
  const bool zLimitem = (o->Typ == Text || o->Typ == Liczba) && MaxChar->isChecked();
  const auto limit = zLimitem ? Calkowita(CharLimit->text()) : std::optional<std::int32_t>(0);
  if (!limit) return Odmowa(QStringLiteral("ograniczenie"));
  if (!PoprawnyRozmiar(RozmiarCzcionki->currentText())) {
    platform::ShowMessage(QStringLiteral("Rozmiar czcionki musi być liczbą od 1 do 99."));
    return;
  }

  UstawTekst(o->Nazwa, Nazwa->text());
  UstawTekst(o->Pomoc, Pomoc->text());
  o->Widoczne = StanPola->currentIndex() != 0 ? 1 : 0;
  o->TylkoDoOdczytu = ReadOlny->isChecked() ? 1 : 0;
  o->Wymagane = MustBe->isChecked() ? 1 : 0;
  o->Zablokowane = Block->isChecked() ? 1 : 0;
  o->PozycjaPrzegladania = *pozycja;
  o->Strona = *strona;
  o->Wyrownanie = std::max(TextAlign->currentIndex(), 0);
  o->Wielowierszowe = Multiline->isChecked() ? 1 : 0;
  UstawTekst(o->WartoscDomyslna, DefValue->toPlainText());
  o->LimitZnakow = *limit;

  switch (o->Typ) {
    case Liczba:
      if (LiczbaDziesietna->isChecked()) {
        if (BezZaokr->isChecked()) o->Format = FormatDziesietna;
        else if (ZaokrGroszy->isChecked()) o->Format = FormatZaokrGroszy;
        else if (ZaokrZloty->isChecked()) o->Format = FormatZaokrZloty;
      } else {
        o->Format = FormatCalkowita;
      }
      o->TylkoDodatnia = PlusValue->isChecked() ? 1 : 0;
      break;
    case NIP:
      o->Format = NipFizyczna->isChecked() ? NipOsobaFizyczna : NipOsobaPrawna;
      o->LimitZnakow = 13;
      break;
    case Data:
      o->Format = BiezacaData->isChecked() ? 1 : 0;
      break;
    case Select: {
      // Without a chosen line the choice stays as it was.
      const int i = EListBox->currentRow();
      if (i >= 0 && i < static_cast<int>(o->ElementyListy.size())) {
        o->Format = i;
        UstawBajty(o->Wartosc, Tekst(o->ElementyListy[static_cast<std::size_t>(i)].Tekst));
      }
      break;
    }
    case Checbox:
      o->Opcje[0].Zaznaczona = CheckBoxChecked->isChecked() ? 1 : 0;
      UstawTekst(o->Opcje[0].Wartosc, ChecBoxValue->text());
      break;
    default:
      break;
  }

  ZapiszObiekt(FImage, EdytowanyObiekt, *o);
  accept();
}

void TFPaleta::AnulujClick() { reject(); }
