// The settlement model: finding, adding and removing records and the tree of chosen forms.

#include <QTreeWidget>
#include <QToolButton>

#include "main/tools.h"
#include "pages/fimage.h"
#include "pages/struktura.h"
#include "platform/odczyt.h"
#include "platform/rekordy.h"

void WyczyscOsoby(TFImage*) {
  if (!Tools) return;
  for (TOsoba& o : Tools->Osoby) o.Wyczysc();
}

int TTools::ZnajdzDruk(int idPit) const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdPit == idPit) return i;
  return -1;
}

int TTools::ZnajdzDrukRodzic(int idPit, int idParent) const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdPit == idPit && Druki[i].IdParent == idParent) return i;
  return -1;
}

int TTools::ZnajdzDrukPM(int idPit, int pm) const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdPit == idPit && Druki[i].PM == pm) return i;
  return -1;
}

int TTools::PoliczDruki(int idPit, int idParent, int pm) const {
  int n = 0;
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdPit == idPit && Druki[i].IdParent == idParent && (pm == -1 || Druki[i].PM == pm)) ++n;
  return n;
}

int TTools::ZnajdzDrukRodzicPM(int idPit, int idParent, int pm) const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdPit == idPit && Druki[i].IdParent == idParent && Druki[i].PM == pm) return i;
  return -1;
}

int TTools::ZnajdzPierwszyZalacznik() const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].IdParent > 0) return i;
  return LiczbaDrukow > 0 ? 1 : 0;
}

void TTools::PrzydzielDruki(int n) {
  Druki.assign(static_cast<std::size_t>(std::max(n, 0)) + 1, TDruk{});
  LiczbaDrukow = 0;
}

void TTools::DodajDruk(int idPit, int idParent, int pm, int rodzaj) {
  if (idParent >= 0) DolaczDruk(Druki, LiczbaDrukow, idPit, idParent, pm, rodzaj);
}

void TTools::UsunDruk(int idPit, int idParent, int pm) {
  const int usuwany = ZnajdzDrukRodzicPM(idPit, idParent, pm);
  if (usuwany <= 0) return;
  // A main form goes with its attachments, and the parents of the records that move down are renumbered, so no
  // attachment is left pointing at another form.
  std::vector<int> nowyIndeks(static_cast<std::size_t>(LiczbaDrukow) + 1, 0);
  int n = 0;
  for (int i = 1; i <= LiczbaDrukow; ++i) {
    const bool usun = i == usuwany || (Druki[usuwany].IdParent == 0 && Druki[i].IdParent == usuwany);
    nowyIndeks[i] = usun ? 0 : ++n;
  }
  for (int i = 1; i <= LiczbaDrukow; ++i) {
    if (nowyIndeks[i] == 0) continue;
    TDruk& d = Druki[nowyIndeks[i]];
    if (nowyIndeks[i] != i) d = Druki[i];
    if (d.IdParent > 0 && d.IdParent <= LiczbaDrukow && nowyIndeks[d.IdParent] > 0) d.IdParent = nowyIndeks[d.IdParent];
  }
  LiczbaDrukow = n;
}

void TTools::WyczyscRozliczenie() {
  if (MaDruki()) {
    BiezacyDruk.Wezel = nullptr;
    TV->clear();
    if (FImage && FImage->Otwarty()) ZamknijWidokStrony(FImage);
    Druki.clear();
    LiczbaDrukow = 0;
  }
  PokazWPasku(Zmiana, false);
  PokazWPasku(ZalAdd, false);
}

TDruk TTools::ZnajdzDrukWezla(const QTreeWidgetItem* wezel) const {
  for (int i = 1; i <= LiczbaDrukow; ++i)
    if (Druki[i].Wezel == wezel && wezel) return Druki[i];
  TDruk brak{};
  brak.Id = -1;
  brak.IdPit = -1;
  return brak;
}

namespace {

// Fills a record's entries with the defaults of its form's field objects; a missing or empty file leaves it.
void WczytajDomyslne(TDruk& druk, const QString& plikDcs) {
  // A file that is refused is reported when its form is shown.
  const platform::OtwartyPlik plik = platform::OtworzDoOdczytu(plikDcs, struktura::kNajwiekszyPlikDcs);
  if (!plik.plik) return;
  const QByteArray bajty = plik.plik->read(static_cast<qint64>(rekordy::kRozmiarObiektu) * kLiczbaPol);
  const auto obiekty = rekordy::DekodujObiekty(
      std::span(reinterpret_cast<const std::uint8_t*>(bajty.constData()), static_cast<std::size_t>(bajty.size())));
  if (obiekty.empty()) return;
  druk.Wczytany = 1;
  for (std::size_t k = 0; k < obiekty.size() && k < druk.Pola.size(); ++k) {
    const TObiekt& o = obiekty[k];
    TPoleDruku& p = druk.Pola[k];
    UstawBajty(p.Nazwa, Tekst(o.Nazwa));
    p.IdPit = druk.IdPit;
    p.NrObiektu = o.NrObiektu;
    p.Typ = o.Typ;
    p.Format = o.Format;
    p.Strona = o.Strona;
    UstawBajty(p.Wartosc, Tekst(o.WartoscDomyslna));
    p.Zaznaczone = o.Format != 0 ? 1 : 0;
  }
}

}  // namespace

void TTools::BudujDrzewo() {
  BudowanieDrzewa = 1;
  TV->clear();
  BiezacyDruk.Wezel = nullptr;
  for (int i = 1; i <= LiczbaDrukow; ++i) Druki[i].Wezel = nullptr;

  for (int i = 1; i <= LiczbaDrukow; ++i) {
    TDruk& d = Druki[i];
    if (d.IdPit <= 0) continue;
    const bool znanyTyp = d.IdPit <= kLiczbaTypowDrukow;
    QString tekst = znanyTyp ? NaQString(TypyDrukow[d.IdPit].Nazwa) : QStringLiteral("Nieznany druk (%1)").arg(d.IdPit);
    // An attachment hangs under a main form placed earlier in this rebuild; anything else is shown as a root.
    QTreeWidgetItem* rodzic = nullptr;
    if (d.IdParent > 0 && d.IdParent < i && Druki[d.IdParent].IdParent == 0) rodzic = Druki[d.IdParent].Wezel;
    if (d.IdParent != 0) {
      if (d.PM == PMPodatnik) tekst += QStringLiteral(" (P)");
      if (d.PM == PMMalzonek) tekst += QStringLiteral(" (M)");
    }
    auto* wezel = rodzic ? new QTreeWidgetItem(rodzic) : new QTreeWidgetItem(TV);
    wezel->setText(0, tekst);
    const int obrazek = (d.PM >= 0 && d.PM <= 2) ? d.PM : 0;
    QIcon ikona = ImagePit[obrazek];
    ikona.addPixmap(ImagePit[obrazek + 3].pixmap(16, 16), QIcon::Selected);
    wezel->setIcon(0, ikona);
    if (d.IdParent == 0) {
      QFont czcionka = wezel->font(0);
      czcionka.setBold(true);
      wezel->setFont(0, czcionka);
    }
    if (rodzic) rodzic->setExpanded(true);
    d.Wezel = wezel;
    d.Id = i;
    if (d.Wczytany == 0 && znanyTyp) WczytajDomyslne(d, FolderDc + QString::number(d.IdPit) + QStringLiteral(".dcs"));
  }
  TV->expandAll();
  BudowanieDrzewa = 0;
  if (MaDruki()) PokazWPasku(Zmiana, true);
}
