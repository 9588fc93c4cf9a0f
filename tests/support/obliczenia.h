#pragma once
// A settlement built by hand on a recording screen, with no window: what the computations' tests share.

#include <QString>
#include <QStringList>
#include <array>
#include <string>
#include <vector>

#include "calc/ekran.h"
#include "calc/oblicz.h"
#include "model/rozliczenie.h"
#include "model/struktura.h"
#include "support/rdzen_main.h"

namespace velmar_test {

// The screen of a computation test: the record on screen, ListError, the read-only bytes of the objects a page
// view would hold, and the messages and page turns asked for.
class EkranTestowy : public EkranObliczen {
 public:
  TDruk Biezacy{};
  std::vector<std::uint8_t> TylkoDoOdczytu;  // one byte an object; objects past the end are not held
  QStringList ListError;
  int Wysokosc = 0;
  QStringList Komunikaty;
  QStringList Strony;  // "record/page" of every page turn

  const TDruk& BiezacyDruk() const override { return Biezacy; }
  void WyczyscListError() override { ListError.clear(); }
  void DodajDoListError(const QString& linia) override { ListError << linia; }
  int WysokoscListError() const override { return Wysokosc; }
  void UstawWysokoscListError(int wysokosc) override { Wysokosc = wysokosc; }
  void UstawTylkoDoOdczytu(int k, std::uint8_t wartosc) override {
    if (k >= 0 && k < static_cast<int>(TylkoDoOdczytu.size())) TylkoDoOdczytu[static_cast<std::size_t>(k)] = wartosc;
  }
  void Komunikat(const QString& tekst) override { Komunikaty << tekst; }
  // A lasting state's message is noted on every computation that finds the state; telling it once is the window's.
  void KomunikatStanu(int, bool trwa, const QString& tekst) override {
    if (trwa) Komunikaty << tekst;
  }
  void PokazDruk(int j, int strona) override { Strony << QStringLiteral("%1/%2").arg(j).arg(strona); }
};

// A settlement built by hand, with every entry "0,00" and every box clear, on a recording screen.
class ProgramZObliczeniami {
 public:
  ProgramZObliczeniami() = default;
  // Records get the defaults of the form structures in this program folder, as the tree gives them on loading.
  explicit ProgramZObliczeniami(const QString& folderProgramu) : folderDc_(folderProgramu + QStringLiteral("dc/")) {}

  ::Rozliczenie& T() { return r_; }
  KontekstObliczen& V() { return kx_; }
  EkranTestowy& Ekran() { return ekran_; }

  // Records (type, parent, owner) of one settlement kind, loaded, every entry "0,00".
  void Rozliczenie(const std::vector<std::array<int, 3>>& druki, int rodzaj) {
    r_.PrzydzielDruki(static_cast<int>(druki.size()));
    for (const auto& [kod, rodzic, pm] : druki) {
      r_.DodajDruk(kod, rodzic, pm, rodzaj);
      TDruk& d = r_.Druk(r_.LiczbaDrukow);
      d.Wczytany = 1;
      for (TPoleDruku& p : d.Pola) UstawBajty(p.Wartosc, "0,00");
    }
    r_.RodzajRozliczenia = rodzaj;
  }
  // Records not yet loaded get the defaults of their form structures, as the tree gives them.
  void WczytajStruktury() {
    for (int j = 1; j <= r_.LiczbaDrukow; ++j) {
      TDruk& d = r_.Druk(j);
      d.Id = j;
      if (d.Wczytany == 0) struktura::WczytajDomyslne(d, folderDc_ + QString::number(d.IdPit) + QStringLiteral(".dcs"));
    }
  }

  // Record j is the form on screen.
  void Pokaz(int j) { ekran_.Biezacy = r_.Druk(j); }

  TPoleDruku& Pole(int j, int k) { return r_.Druk(j).Pola[static_cast<std::size_t>(k)]; }
  void Ustaw(int j, int k, const std::string& tekst) { UstawBajty(Pole(j, k).Wartosc, tekst); }
  // Entries "k=text" of record j; "#k=n" is box k.
  void Wpisz(int j, const QStringList& wpisy) {
    for (const QString& w : wpisy) {
      const QString k = w.section(u'=', 0, 0), tekst = w.section(u'=', 1);
      if (k.startsWith(u'#'))
        Pole(j, k.mid(1).toInt()).Zaznaczone = static_cast<std::uint8_t>(tekst.toInt());
      else
        Ustaw(j, k.toInt(), tekst.toStdString());
    }
  }
  // Record j now, written as Wpisz reads it, for the fields and boxes named in wzor.
  QStringList Stan(int j, const QStringList& wzor) {
    QStringList wynik;
    for (const QString& w : wzor) {
      const QString k = w.section(u'=', 0, 0);
      const TPoleDruku& p = Pole(j, k.mid(k.startsWith(u'#') ? 1 : 0).toInt());
      wynik << k + u'=' + (k.startsWith(u'#') ? QString::number(p.Zaznaczone) : QString::fromLatin1(Tekst(p.Wartosc)));
    }
    return wynik;
  }

 private:
  QString folderDc_;
  ::Rozliczenie r_;
  EkranTestowy ekran_;
  KontekstObliczen kx_{r_, ekran_};
};

}  // namespace velmar_test
