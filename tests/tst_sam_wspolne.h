#pragma once
// What the manual chooser's tests share: a main window on a program folder with structure files, the chooser, and
// short ways to reach candidates and to tick them as the user does.

#include <QFile>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <array>
#include <memory>

#include "main/tools.h"
#include "model/rekordy.h"
#include "pages/fimage.h"
#include "selection/grupa_opcji.h"
#include "selection/sam.h"
#include "support/program.h"
#include "support/test_main.h"

namespace velmar_test {

class ProgramZWyborem {
 public:
  ProgramZWyborem() {
    // Every form gets two fields with defaults, a text and an amount, and a header
    // of no pages: a form chosen to be shown is shown without any computation touching the values.
    TNaglowekFormularza bezStron;
    std::array<std::uint8_t, rekordy::kRozmiarNaglowkaFormularza> naglowek{};
    rekordy::Zakoduj(bezStron, naglowek);
    for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod) {
      folder_.ZapiszDcs(kod, {NowyObiekt(Text, 1, "nazwa", ""), NowyObiekt(Liczba, 1, "kwota", "0,00")});
      QFile plik(folder_.Dc() + QStringLiteral("%1.dcd").arg(kod));
      if (!plik.open(QIODevice::WriteOnly)) qFatal("cannot write a form header");
      plik.write(reinterpret_cast<const char*>(naglowek.data()), static_cast<qint64>(naglowek.size()));
    }
    tools_ = NoweOkno(folder_);
    image_ = std::make_unique<TFImage>();
    sam_ = new TSam(tools_.get());
    SkryptDialogow().pokazane.clear();
  }
  // The page view goes first, as at the program's end.
  ~ProgramZWyborem() {
    image_.reset();
    tools_.reset();
  }
  ProgramZWyborem(const ProgramZWyborem&) = delete;
  ProgramZWyborem& operator=(const ProgramZWyborem&) = delete;

  TTools& T() { return *tools_; }
  TSam& S() { return *sam_; }

  TDruk& K(int i) { return T().Kandydaci.at(static_cast<std::size_t>(i)); }
  QTreeWidgetItem* W(int i) { return K(i).Wezel; }
  // The candidate of a form type by owner, under the main form of a type and owner (0 = itself a main form).
  int Indeks(int idPit, int pm = PMWspolny, int glowny = 0, int pmGlownego = PMWspolny) {
    const int rodzic = glowny == 0 ? 0 : S().ZnajdzKandydata(glowny, 0, pmGlownego);
    return S().ZnajdzKandydata(idPit, rodzic, pm);
  }
  void Zaznacz(int i) { W(i)->setCheckState(0, Qt::Checked); }
  void Odznacz(int i) { W(i)->setCheckState(0, Qt::Unchecked); }
  bool Zaznaczony(int i) { return W(i)->checkState(0) == Qt::Checked; }
  bool Wybrany(int i) { return K(i).Wybrany == 1; }

  // The chooser opened for a new settlement of a kind, as "samodzielnie" opens it.
  void NoweRozliczenie(int rodzaj) {
    T().RodzajRozliczenia = rodzaj;
    S().show();
  }

  // A field of every form that neither the structure files nor the identification exchange touch: what a test
  // writes there stays only as long as the record does.
  static constexpr std::size_t kPoleTestu = 50;

  // A settlement record, with a value in the test's field when given one.
  struct Rekord {
    int idPit, idParent, pm, rodzaj;
    const char* wartosc = nullptr;
  };
  // A settlement of these records, as opening a file leaves it.
  void Rozliczenie(std::initializer_list<Rekord> rekordy) {
    T().PrzydzielDruki(static_cast<int>(rekordy.size()));
    for (const Rekord& r : rekordy) Dodaj(r.idPit, r.idParent, r.pm, r.rodzaj, r.wartosc);
    T().BudujDrzewo();
  }
  int Dodaj(int idPit, int idParent, int pm, int rodzaj, const char* wartosc = nullptr) {
    T().DodajDruk(idPit, idParent, pm, rodzaj);
    if (wartosc) {
      TDruk& d = T().Druki[static_cast<std::size_t>(T().LiczbaDrukow)];
      UstawBajty(d.Pola[kPoleTestu].Wartosc, wartosc);
      d.Wczytany = 1;
    }
    return T().LiczbaDrukow;
  }

  // Records in the main window's list: type, owner, main-form type and the test's value, one line each.
  QStringList Opis() {
    QStringList wiersze;
    for (int i = 1; i <= T().LiczbaDrukow; ++i) {
      const TDruk& d = T().Druki[static_cast<std::size_t>(i)];
      const int glowny = d.IdParent > 0 ? T().Druki[static_cast<std::size_t>(d.IdParent)].IdPit : 0;
      wiersze << QStringLiteral("%1/%2<%3 %4")
                     .arg(d.IdPit)
                     .arg(d.PM)
                     .arg(glowny)
                     .arg(QString::fromLatin1(Tekst(d.Pola[kPoleTestu].Wartosc)));
    }
    return wiersze;
  }

 private:
  FolderProgramu folder_;
  std::unique_ptr<TTools> tools_;
  std::unique_ptr<TFImage> image_;
  TSam* sam_ = nullptr;  // a child of the main window
};

}  // namespace velmar_test
