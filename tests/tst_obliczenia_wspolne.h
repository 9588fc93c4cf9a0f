#pragma once
// What the computations' tests share: a settlement with a recording screen, no window, and the stand-ins that
// observe one computation calling another.

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "calc/ekran.h"
#include "calc/oblicz.h"
#include "model/rozliczenie.h"
#include "model/struktura.h"
#include "support/rdzen_main.h"

namespace velmar_test {

inline const QString kKomunikatRedukcji =
    QStringLiteral("Program dokonał redukcji odliczeń. Sprawdź wysokość poszczególnych kwot.");

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
  void PokazDruk(int j, int strona) override { Strony << QStringLiteral("%1/%2").arg(j).arg(strona); }
};

// A settlement built by hand, with every entry "0,00" and every box clear, on a recording screen; short ways to
// set and read fields, boxes, locks and ListError.
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
  // A form of type kod is on screen, none of this settlement's records.
  void PokazTyp(int kod, int rodzaj) {
    ekran_.Biezacy = TDruk{};
    ekran_.Biezacy.IdPit = kod;
    ekran_.Biezacy.Rodzaj = rodzaj;
  }

  // The page view holds n objects, none read-only, or all read-only.
  void Obiekty(int n, std::uint8_t tylkoDoOdczytu = 0) { ekran_.TylkoDoOdczytu.assign(static_cast<std::size_t>(n), tylkoDoOdczytu); }
  bool Zablokowany(int k) { return ekran_.TylkoDoOdczytu[static_cast<std::size_t>(k)] == 1; }
  QList<int> Zablokowane() {
    QList<int> wynik;
    for (int k = 0; k < static_cast<int>(ekran_.TylkoDoOdczytu.size()); ++k)
      if (Zablokowany(k)) wynik << k;
    return wynik;
  }

  TPoleDruku& Pole(int j, int k) { return r_.Druk(j).Pola[static_cast<std::size_t>(k)]; }
  void Ustaw(int j, int k, const std::string& tekst) { UstawBajty(Pole(j, k).Wartosc, tekst); }
  void Ustaw(int j, std::initializer_list<std::pair<int, const char*>> wpisy) {
    for (const auto& [k, tekst] : wpisy) Ustaw(j, k, tekst);
  }
  QString Tekst(int j, int k) { return QString::fromLatin1(::Tekst(Pole(j, k).Wartosc)); }
  // Entries of record j written "k=text" and separated by spaces; "#k=n" is box k.
  void Wpisz(int j, const QString& wpisy) {
    for (const QString& w : wpisy.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      const QString k = w.section(QLatin1Char('='), 0, 0);
      const QString tekst = w.section(QLatin1Char('='), 1);
      if (k.startsWith(QLatin1Char('#')))
        Kratka(j, k.mid(1).toInt()) = static_cast<std::uint8_t>(tekst.toInt());
      else
        Ustaw(j, k.toInt(), tekst.toStdString());
    }
  }
  // Record j now, written as Wpisz reads it, for the fields and boxes named in wzor.
  QString Stan(int j, const QString& wzor) {
    QStringList wynik;
    for (const QString& w : wzor.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      const QString k = w.section(QLatin1Char('='), 0, 0);
      const bool kratka = k.startsWith(QLatin1Char('#'));
      wynik << k + QLatin1Char('=') + (kratka ? QString::number(Kratka(j, k.mid(1).toInt())) : Tekst(j, k.toInt()));
    }
    return wynik.join(QLatin1Char(' '));
  }
  // The texts of fields of record j, joined by spaces.
  QString Teksty(int j, std::initializer_list<int> pola) {
    QStringList wynik;
    for (int k : pola) wynik << Tekst(j, k);
    return wynik.join(QLatin1Char(' '));
  }
  std::uint8_t& Kratka(int j, int k) { return Pole(j, k).Zaznaczone; }

  // ListError as a stale earlier computation left it: one item, shown.
  void StaryListError() {
    ekran_.ListError = {QStringLiteral("stary")};
    ekran_.Wysokosc = 40;
  }
  int WysokoscListError() { return ekran_.Wysokosc; }
  QStringList PozycjeListError() { return ekran_.ListError; }
  // ListError shows exactly the reduced-deductions line, or is empty and hidden.
  bool Komunikat() { return WysokoscListError() == 40 && PozycjeListError() == QStringList{kKomunikatRedukcji}; }
  bool BezKomunikatu() { return WysokoscListError() == 0 && PozycjeListError().isEmpty(); }

 private:
  QString folderDc_;
  ::Rozliczenie r_;
  EkranTestowy ekran_;
  KontekstObliczen kx_{r_, ekran_};
};

// Replaces the computation of one form type for the lifetime of the object.
class ZastepczeObliczenie {
 public:
  ZastepczeObliczenie(int kod, Obliczenie obliczenie) : kod_(kod), poprzednie_(UstawObliczenie(kod, obliczenie)) {}
  ~ZastepczeObliczenie() { UstawObliczenie(kod_, poprzednie_); }
  ZastepczeObliczenie(const ZastepczeObliczenie&) = delete;
  ZastepczeObliczenie& operator=(const ZastepczeObliczenie&) = delete;

 private:
  int kod_;
  Obliczenie poprzednie_;
};

// Replaces the PIT-36 computation that attachments run (WywolanyZZalacznika true) for the lifetime of the object.
class ZastepczyPit36ZZalacznika {
 public:
  explicit ZastepczyPit36ZZalacznika(Obliczenie obliczenie)
      : poprzedni_(UstawObliczeniePit36ZZalacznika(obliczenie)) {}
  ~ZastepczyPit36ZZalacznika() { UstawObliczeniePit36ZZalacznika(poprzedni_); }
  ZastepczyPit36ZZalacznika(const ZastepczyPit36ZZalacznika&) = delete;
  ZastepczyPit36ZZalacznika& operator=(const ZastepczyPit36ZZalacznika&) = delete;

 private:
  Obliczenie poprzedni_;
};

// What a stand-in main-form computation saw when it was called: the record and the fields an attachment fills.
struct Wywolanie {
  int kod;
  int j;
  QStringList pola;
};
inline std::vector<Wywolanie>& Wywolania() {
  static std::vector<Wywolanie> wywolania;
  return wywolania;
}
inline QStringList Teksty(KontekstObliczen& kx, int j, std::initializer_list<int> pola) {
  QStringList wynik;
  for (int k : pola) wynik << QString::fromLatin1(Tekst(kx.R.Druk(j).Pola[static_cast<std::size_t>(k)].Wartosc));
  return wynik;
}
// The calls seen so far, each as "kod/record: texts".
inline QString Opis(int kod, int j, const QString& pola) { return QStringLiteral("%1/%2: %3").arg(kod).arg(j).arg(pola); }
inline QStringList OpisWywolan() {
  QStringList wynik;
  for (const Wywolanie& w : Wywolania()) wynik << Opis(w.kod, w.j, w.pola.join(QLatin1Char(' ')));
  return wynik;
}
// Entries for Wpisz and Stan: the texts, separated by spaces, of the first fields given.
inline QString Wpisy(std::initializer_list<int> pola, const QString& teksty) {
  const QStringList t = teksty.split(QLatin1Char(' '));
  QStringList wynik;
  for (auto k = pola.begin(); k != pola.end() && wynik.size() < t.size(); ++k)
    wynik << QStringLiteral("%1=%2").arg(*k).arg(t[wynik.size()]);
  return wynik.join(QLatin1Char(' '));
}

}  // namespace velmar_test
