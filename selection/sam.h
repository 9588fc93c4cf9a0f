#pragma once
// The manual chooser: the user ticks the forms of a settlement in a tree of candidate forms, under the exclusion
// rules of the settlement kind, and hands the choice over to the main window. It also opens on the current
// settlement ("dodaj/usuń druk") so that forms can be added and dropped with the values of the others kept.
//
// The candidate list itself lives in the main window (Tools->Kandydaci, slot 0 empty, LiczbaKandydatow in use).

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>

#include "model/druk.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TGrupaOpcji;

// Sibling order of the chooser's tree: the collation of the user's locale, the texts compared as they are, so that
// copy 10 comes before copy 2. Negative, zero or positive like strcmp.
int PorownajTekstyWezlow(const QString& a, const QString& b);

class TSam : public QDialog {
  Q_OBJECT
 public:
  explicit TSam(QWidget* parent = nullptr);
  ~TSam() override;

  // --- the candidate list (indexes 1-based, -1 = none; searches take the lowest index) ---
  void DodajKandydata(int idPit, int idParent, int pm, int rodzaj);
  int ZnajdzKandydata(int idPit, int idParent, int pm) const;
  int ZnajdzWybranegoKandydataPM(int idPit, int pm) const;
  int ZnajdzWybranegoKandydata(int idPit) const;
  int ZnajdzWolnegoKandydata(int idPit, int idParent, int pm) const;
  // A copy of the candidate shown by the node; none: Wezel null, Id and IdPit -1.
  TDruk ZnajdzKandydataWezla(const QTreeWidgetItem* wezel) const;
  int LiczbaWybranych() const;
  // The owner a settlement record of that form and main-form candidate takes in the list: its own when the list
  // offers it, else the other of the settlement as a whole and the taxpayer when the list offers that.
  int WlascicielKandydata(int idPit, int idParent, int pm) const;
  // Where settlement record r goes in the list: its main form's candidate (0 for a main form, -1 for none) and owner.
  std::pair<int, int> MiejsceRekordu(int r) const;
  // Copies beyond the first that the settlement holds of a form type by owner under a main-form type.
  int PoliczDodatkoweKopie(int idPit, int idPitRodzica, int pm) const;
  int PoliczWszystkieDodatkoweKopie() const;
  void BudujKandydatowIndywidualnie(int dodatkowe);
  void BudujKandydatowWspolnie(int dodatkowe);
  void BudujKandydatowSamotnie(int dodatkowe);
  // The list of a settlement kind with no extra room asked; false (and no list) for an unknown kind.
  bool BudujKandydatow(int rodzaj);
  void UsunKandydatow();

  // --- the tree and the exclusion rules ---
  void BudujDrzewoKandydatow();
  // The node's text: the form's name, for an attachment its owner and, for a multi-copy form, its copy number.
  QString TekstWezla(const TDruk& kandydat) const;
  bool WezelZaznaczony(const QTreeWidgetItem* wezel) const;
  void ZaznaczWezel(QTreeWidgetItem* wezel);
  void OdznaczWezel(QTreeWidgetItem* wezel);
  void OdznaczDrukGlowny(int indeks);
  // True = objection: the message was shown and what the rule names unticked.
  bool SprawdzWyborIndywidualnie();
  bool SprawdzWyborWspolnie();
  bool SprawdzWyborSamotnie();
  bool SprawdzZalacznikOsoby(int idPit, int pm);
  bool SprawdzZalacznik(int idPit);

  // --- the form ---
  void FormShow();
  void RodzRozlClick();
  void ZatwierdzamClick();
  void RezygnujeClick();
  // Opens the chooser on the current settlement with its forms ticked and their values carried.
  void WczytajRozliczenie();

  // 1 when the last tree build found a settlement record list.
  std::uint8_t IstniejeRozliczenie = 0;

  QLabel* Tytul = nullptr;
  TGrupaOpcji* RodzRozl = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QTreeWidget* STV = nullptr;
  QPushButton* Zatwierdzam = nullptr;
  QPushButton* Rezygnuje = nullptr;

 public slots:
  // Every way of leaving without the hand-over (Rezygnuje, the close box, Escape) ends here.
  void reject() override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void BudujKontrolki();
  void BudujKandydatow(int rodzaj, int baza, int dodatkowe);
  // The check-box logic, run for every check-state change the user makes and every other press on a node.
  void WezelZmieniony(QTreeWidgetItem* wezel);
  bool RegulaGlownych(int wlasny, int inny, const QString& koncowka);
  bool JedenDlaOsoby(int idPit, int pm, bool zOsoba);
  void Sprzeciw(const TDruk& p, const QString& osoba, const QString& koncowka);
  void UstawPrzyciski();
  // Copies each settlement record onto the first free candidate of its form, main form and owner, ticked or not;
  // gives the records that found none.
  QStringList PrzeniesRekordy(bool zaznacz);
  // The box naming what a confirmation would leave out: the records with no place, and with bezMalzonka the
  // spouse's values in the forms kept.
  void ZglosNieumieszczone(const QStringList& nieumieszczone, bool bezMalzonka);
  // Whether confirming the chosen kind leaves the spouse out: the settlement's kind opens the spouse's fields, the
  // chosen one closes them.
  bool PominieMalzonka() const;
  QString NazwaTypu(int idPit) const;
  TDruk& Kandydat(int i);
  const TDruk& Kandydat(int i) const;

  // Set while the chooser itself changes check states, so those changes are not taken as the user's.
  bool zmianaWlasna_ = false;
};

extern TSam* Sam;
