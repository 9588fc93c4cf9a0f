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

  TPoleDruku& Pole(int j, int k) {
    return T().Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)];
  }
  void Ustaw(int j, int k, const std::string& tekst) { UstawBajty(Pole(j, k).Wartosc, tekst); }
  QString Tekst(int j, int k) { return QString::fromLatin1(::Tekst(Pole(j, k).Wartosc)); }
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

}  // namespace velmar_test
