// The chooser's tree of candidates and the check-box logic with the exclusion rules of each settlement kind.

#include <QCollator>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

#include "main/tools.h"
#include "platform/dialogi.h"
#include "selection/kandydaci.h"
#include "selection/grupa_opcji.h"
#include "selection/sam.h"

namespace {

void SortujDzieci(QTreeWidgetItem* wezel) {
  QList<QTreeWidgetItem*> dzieci = wezel->takeChildren();
  std::stable_sort(dzieci.begin(), dzieci.end(), [](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
    return PorownajTekstyWezlow(a->text(0), b->text(0)) < 0;
  });
  wezel->addChildren(dzieci);
}

// Sets for the span of a scope that the chooser itself is changing check states.
class ZmianaWlasna {
 public:
  explicit ZmianaWlasna(bool& flaga) : flaga_(flaga), bylo_(flaga) { flaga_ = true; }
  ~ZmianaWlasna() { flaga_ = bylo_; }
  ZmianaWlasna(const ZmianaWlasna&) = delete;
  ZmianaWlasna& operator=(const ZmianaWlasna&) = delete;

 private:
  bool& flaga_;
  bool bylo_;
};

}  // namespace

// The user's locale orders the texts, copy numbers included, as the texts they are.
int PorownajTekstyWezlow(const QString& a, const QString& b) { return QCollator(QLocale()).compare(a, b); }

QString TSam::NazwaTypu(int idPit) const {
  if (idPit < 1 || idPit > kLiczbaTypowDrukow) return {};
  return NaQString(Tools->TypyDrukow[static_cast<std::size_t>(idPit)].Nazwa);
}

QString TSam::TekstWezla(const TDruk& k) const {
  QString tekst = NazwaTypu(k.IdPit);
  if (k.IdParent == 0) return tekst;
  if (k.PM == PMPodatnik) tekst += QStringLiteral(" (Podatnik)");
  if (k.PM == PMMalzonek) tekst += QStringLiteral(" (Małżonek)");
  if (JestWieleKopii(k.IdPit)) tekst += QStringLiteral(" (") + QString::number(k.NrKopii) + QLatin1Char(')');
  return tekst;
}

void TSam::BudujDrzewoKandydatow() {
  const ZmianaWlasna wlasna(zmianaWlasna_);
  STV->clear();
  if (Tools->Kandydaci.empty()) return;
  IstniejeRozliczenie = Tools->MaDruki() ? 1 : 0;
  const int zTablicy = Tools->LiczbaKandydatow;

  // The count grows while the loop runs: the extra copies are appended behind the table's candidates.
  for (int i = 1; i <= Tools->LiczbaKandydatow; ++i) {
    const int idPit = Kandydat(i).IdPit, idParent = Kandydat(i).IdParent, pm = Kandydat(i).PM;
    const bool kopie = JestWieleKopii(idPit);
    Kandydat(i).Wybrany = 0;
    QTreeWidgetItem* wezel = nullptr;
    if (idParent > 0) {
      if (kopie && Kandydat(i).NrKopii == 0) Kandydat(i).NrKopii = 1;
      const int dodatkowe = kopie && IstniejeRozliczenie == 1 && i <= zTablicy
                                ? PoliczDodatkoweKopie(idPit, Kandydat(idParent).IdPit, pm)
                                : 0;
      for (int c = 0; c < dodatkowe; ++c) {
        DodajKandydata(idPit, idParent, pm, Kandydat(i).Rodzaj);
        Kandydat(Tools->LiczbaKandydatow).NrKopii = c + 2;
      }
      wezel = new QTreeWidgetItem(Kandydat(idParent).Wezel);
      wezel->setText(0, TekstWezla(Kandydat(i)));
    } else {
      wezel = new QTreeWidgetItem(STV);
      wezel->setText(0, TekstWezla(Kandydat(i)));
      QFont czcionka = wezel->font(0);
      czcionka.setBold(true);
      wezel->setFont(0, czcionka);
    }
    const auto obrazek = static_cast<std::size_t>(std::clamp(pm, 0, 2));
    QIcon ikona = Tools->ImagePit[obrazek];
    ikona.addPixmap(Tools->ImagePit[obrazek + 3].pixmap(16, 16), QIcon::Selected);
    wezel->setIcon(0, ikona);
    wezel->setFlags(wezel->flags() | Qt::ItemIsUserCheckable);
    wezel->setCheckState(0, Qt::Unchecked);
    Kandydat(i).Wezel = wezel;
    Kandydat(i).Id = i;
  }

  for (int i = 0; i < STV->topLevelItemCount(); ++i) {
    QTreeWidgetItem* korzen = STV->topLevelItem(i);
    SortujDzieci(korzen);
    if (korzen->childCount() > 0) korzen->setExpanded(true);
  }
  if (Tools->LiczbaKandydatow >= 1) STV->setCurrentItem(Kandydat(1).Wezel);
}

bool TSam::WezelZaznaczony(const QTreeWidgetItem* wezel) const {
  return wezel && wezel->checkState(0) == Qt::Checked;
}

void TSam::ZaznaczWezel(QTreeWidgetItem* wezel) {
  const ZmianaWlasna wlasna(zmianaWlasna_);
  if (wezel) wezel->setCheckState(0, Qt::Checked);
}

void TSam::OdznaczWezel(QTreeWidgetItem* wezel) {
  const ZmianaWlasna wlasna(zmianaWlasna_);
  if (wezel) wezel->setCheckState(0, Qt::Unchecked);
}

void TSam::OdznaczDrukGlowny(int indeks) {
  if (indeks < 1 || indeks > Tools->LiczbaKandydatow || Kandydat(indeks).IdParent != 0) return;
  for (int i = 1; i <= Tools->LiczbaKandydatow; ++i) {
    if (i != indeks && Kandydat(i).IdParent != indeks) continue;
    Kandydat(i).Wybrany = 0;
    OdznaczWezel(Kandydat(i).Wezel);
  }
}

void TSam::WezelZmieniony(QTreeWidgetItem* wezel) {
  if (zmianaWlasna_) return;
  const ZmianaWlasna wlasna(zmianaWlasna_);
  const TDruk p = ZnajdzKandydataWezla(wezel);
  if (p.Id < 1) return;
  Tools->KandydatKlikniety = p;

  if (WezelZaznaczony(wezel)) {
    bool sprzeciw = false;
    switch (RodzRozl->ItemIndex()) {
      case Indywidualne: sprzeciw = SprawdzWyborIndywidualnie(); break;
      case WspolneZMalzonkiem: sprzeciw = SprawdzWyborWspolnie(); break;
      case SamotnieWychowujacy: sprzeciw = SprawdzWyborSamotnie(); break;
      default: break;
    }
    if (sprzeciw) {
      Kandydat(p.Id).Wybrany = 0;
      OdznaczWezel(wezel);
    } else {
      Kandydat(p.Id).Wybrany = 1;
      if (p.IdParent > 0) {
        Kandydat(p.IdParent).Wybrany = 1;
        ZaznaczWezel(Kandydat(p.IdParent).Wezel);
      }
    }
  } else {
    Kandydat(p.Id).Wybrany = 0;
    if (p.IdParent == 0)
      for (int i = 1; i <= Tools->LiczbaKandydatow; ++i)
        if (Kandydat(i).IdParent == p.Id) {
          Kandydat(i).Wybrany = 0;
          OdznaczWezel(Kandydat(i).Wezel);
        }
  }
  UstawPrzyciski();
}

void TSam::UstawPrzyciski() {
  const bool cosWybrane = LiczbaWybranych() >= 1;
  Zatwierdzam->setEnabled(cosWybrane);
  RodzRozl->setEnabled(!cosWybrane);
}

void TSam::Sprzeciw(const TDruk& p, const QString& osoba, const QString& koncowka) {
  QString tekst = QStringLiteral("UWAGA!\n") + QStringLiteral("Nie można załączyć druku:") + NazwaTypu(p.IdPit) + osoba;
  if (p.IdParent > 0) tekst += QStringLiteral(" do ") + NazwaTypu(Kandydat(p.IdParent).IdPit);
  platform::ShowMessage(tekst + koncowka);
}

bool TSam::RegulaGlownych(int wlasny, int inny, const QString& koncowka) {
  const TDruk& p = Tools->KandydatKlikniety;
  const int glowny = ZnajdzKandydata(wlasny, 0, PMWspolny);
  if (glowny < 1 || (p.Id != glowny && p.IdParent != glowny)) return false;
  const int drugi = ZnajdzKandydata(inny, 0, PMWspolny);
  if (drugi < 1 || Kandydat(drugi).Wybrany != 1) return false;
  OdznaczDrukGlowny(glowny);
  Sprzeciw(p, {}, koncowka);
  return true;
}

bool TSam::JedenDlaOsoby(int idPit, int pm, bool zOsoba) {
  const TDruk& p = Tools->KandydatKlikniety;
  if (p.IdPit != idPit || (pm >= 0 && p.PM != pm)) return false;
  int q = -1;
  for (int i = 1; i <= Tools->LiczbaKandydatow && q < 0; ++i) {
    const TDruk& k = Kandydat(i);
    if (i != p.Id && k.Wybrany == 1 && k.IdPit == idPit && (pm < 0 || k.PM == pm)) q = i;
  }
  if (q < 0) return false;
  OdznaczWezel(p.Wezel);
  QString osoba;
  if (zOsoba && p.PM == PMPodatnik) osoba = QStringLiteral(" Płatnika ");
  if (zOsoba && p.PM == PMMalzonek) osoba = QStringLiteral(" Małżonka ");
  const int glownyQ = Kandydat(q).IdParent;
  Sprzeciw(p, osoba,
           QStringLiteral(", ponieważ został załączony wcześniej do druku:") +
               (glownyQ > 0 ? NazwaTypu(Kandydat(glownyQ).IdPit) : QString()));
  return true;
}

bool TSam::SprawdzZalacznikOsoby(int idPit, int pm) {
  return JedenDlaOsoby(idPit, pm, true);
}

bool TSam::SprawdzZalacznik(int idPit) {
  return JedenDlaOsoby(idPit, -1, true);
}

namespace {

const QString kPoPit37 = QStringLiteral(", ponieważ został wybrany wcześniej druk Pit-37.");
const QString kPoPit36 = QStringLiteral(", ponieważ został wybrany wcześniej druk Pit-36.");

}  // namespace

bool TSam::SprawdzWyborIndywidualnie() {
  if (RegulaGlownych(Pit36, Pit37, kPoPit37) || RegulaGlownych(Pit37, Pit36, kPoPit36)) return true;
  return std::ranges::any_of(std::array{Nip1, Nip3, PitD, Pit2K, PitZ},
                             [this](int typ) { return JedenDlaOsoby(typ, PMWspolny, false); });
}

bool TSam::SprawdzWyborWspolnie() {
  if (RegulaGlownych(Pit36, Pit37, kPoPit37) || RegulaGlownych(Pit37, Pit36, kPoPit36)) return true;
  return SprawdzZalacznikOsoby(Nip1, PMPodatnik) || SprawdzZalacznikOsoby(Nip1, PMMalzonek) ||
         SprawdzZalacznikOsoby(Nip3, PMPodatnik) || SprawdzZalacznikOsoby(Nip3, PMMalzonek) ||
         SprawdzZalacznik(PitD) || SprawdzZalacznikOsoby(Pit2K, PMPodatnik) ||
         SprawdzZalacznikOsoby(Pit2K, PMMalzonek);
}

bool TSam::SprawdzWyborSamotnie() {
  if (RegulaGlownych(Pit36, Pit37, kPoPit37) || RegulaGlownych(Pit37, Pit36, kPoPit36)) return true;
  return std::ranges::any_of(std::array{Nip1, Nip3, PitD, Pit2K},
                             [this](int typ) { return JedenDlaOsoby(typ, PMWspolny, false); });
}
