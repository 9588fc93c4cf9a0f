#pragma once
// What the computations' tests share: a main window and a page view around a settlement built by hand, with every
// entry "0,00" and every box clear, and short ways to set and read fields, boxes, locks and ListError.

#include <QListWidget>
#include <QString>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "calc/oblicz.h"
#include "main/tools.h"
#include "pages/fimage.h"
#include "support/program.h"
#include "support/test_main.h"

namespace velmar_test {

inline const QString kKomunikatRedukcji =
    QStringLiteral("Program dokonał redukcji odliczeń. Sprawdź wysokość poszczególnych kwot.");

class ProgramZObliczeniami {
 public:
  ProgramZObliczeniami() : tools_(NoweOkno(folder_)), view_(std::make_unique<TFImage>()) {}
  // On another program folder, such as the build's own with the generated form structures.
  explicit ProgramZObliczeniami(const QString& folderProgramu) {
    UstawRegionalne();
    tools_ = std::make_unique<TTools>(folderProgramu);
    view_ = std::make_unique<TFImage>();
  }
  // The page view goes first, as at the program's end.
  ~ProgramZObliczeniami() {
    view_.reset();
    tools_.reset();
  }

  TTools& T() { return *tools_; }
  TFImage* V() { return view_.get(); }

  // Records (type, parent, owner) of one settlement kind, loaded, every entry "0,00".
  void Rozliczenie(const std::vector<std::array<int, 3>>& druki, int rodzaj) {
    T().PrzydzielDruki(static_cast<int>(druki.size()));
    for (const auto& [kod, rodzic, pm] : druki) {
      T().DodajDruk(kod, rodzic, pm, rodzaj);
      TDruk& d = T().Druki[static_cast<std::size_t>(T().LiczbaDrukow)];
      d.Wczytany = 1;
      for (TPoleDruku& p : d.Pola) UstawBajty(p.Wartosc, "0,00");
    }
    T().RodzajRozliczenia = rodzaj;
  }

  // Record j is the form on screen.
  void Pokaz(int j) { T().BiezacyDruk = T().Druki[static_cast<std::size_t>(j)]; }
  // A form of type kod is on screen, none of this settlement's records.
  void PokazTyp(int kod, int rodzaj) {
    T().BiezacyDruk = TDruk{};
    T().BiezacyDruk.IdPit = kod;
    T().BiezacyDruk.Rodzaj = rodzaj;
  }

  // The page view holds n objects, none read-only, or all read-only.
  void Obiekty(int n, std::uint8_t tylkoDoOdczytu = 0) {
    V()->Obiekty.assign(static_cast<std::size_t>(n), TObiekt{});
    for (TObiekt& o : V()->Obiekty) o.TylkoDoOdczytu = tylkoDoOdczytu;
    T().LiczbaObiektow = n;
  }
  bool Zablokowany(int k) { return V()->Obiekty[static_cast<std::size_t>(k)].TylkoDoOdczytu == 1; }
  QList<int> Zablokowane() {
    QList<int> wynik;
    for (int k = 0; k < static_cast<int>(V()->Obiekty.size()); ++k)
      if (Zablokowany(k)) wynik << k;
    return wynik;
  }

  TPoleDruku& Pole(int j, int k) {
    return T().Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)];
  }
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
    T().ListError->addItem(QStringLiteral("stary"));
    T().UstawWysokoscListError(40);
  }
  int WysokoscListError() { return T().WysokoscListError(); }
  QStringList PozycjeListError() {
    QStringList wynik;
    for (int i = 0; i < T().ListError->count(); ++i) wynik << T().ListError->item(i)->text();
    return wynik;
  }
  // ListError shows exactly the reduced-deductions line, or is empty and hidden.
  bool Komunikat() { return WysokoscListError() == 40 && PozycjeListError() == QStringList{kKomunikatRedukcji}; }
  bool BezKomunikatu() { return WysokoscListError() == 0 && PozycjeListError().isEmpty(); }

 private:
  FolderProgramu folder_;
  std::unique_ptr<TTools> tools_;
  std::unique_ptr<TFImage> view_;
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
inline QStringList Teksty(int j, std::initializer_list<int> pola) {
  QStringList wynik;
  for (int k : pola)
    wynik << QString::fromLatin1(
        Tekst(Tools->Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)].Wartosc));
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
