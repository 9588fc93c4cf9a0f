#pragma once
// The question wizard: builds a new settlement from yes/no answers, one form type per step, adding the forms of a
// step when it is left with Dalej and removing them when the user comes back to it with Wstecz.

#include <QDialog>
#include <array>
#include <span>
#include <utility>
#include <vector>

#include "selection/kroki_kreatora.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class TGrupaOpcji;

class TKreator : public QDialog {
  Q_OBJECT
 public:
  explicit TKreator(QWidget* parent = nullptr);
  ~TKreator() override;

  std::int32_t Krok = 0;           // 0 the kind, 1..LiczbaKrokow-1 questions, LiczbaKrokow the summary
  std::int32_t LiczbaKrokow = 16;  // the summary step of the current table
  std::int32_t Rodzaj = 0;         // settlement kind chosen at step 0
  TKrokiKreatora Kroki{};

  // Shows step Krok: buttons, question text, heading, answer groups, attach boxes or the summary.
  void PokazKrok();
  void DalejClick();
  void WsteczClick();
  void ZakonczClick();
  void AnulujClick();
  // The user answered in a group.
  void OdpowiedzClick(Grupa g);

  // The attach boxes of the current step: captions, visibility, placing (one table per kind).
  void OpiszZalaczniki();
  // Hides the label panels and every box, disables the boxes and sets their ticks from step krok's record.
  void UstawPolaZalacznikow(int krok);
  // Ticks the group's one visible box when exactly one is visible.
  void ZaznaczJedyny(Grupa g);
  // One box of the group is enabled and visible.
  bool Dostepne(Grupa g) const;
  // One visible box of the group is ticked.
  bool Zaznaczone(Grupa g) const;
  // Clears the group's ticks, in the step's record and on the boxes.
  void Wyczysc(Grupa g);

  // The record Zakończ shows: record 1 when the first attachment is a PIT/B and a PIT/Z exists, else the first
  // attachment, else record 1; 0 with no records.
  int DrukDoPokazania() const;

  TGrupaOpcji* GrupaOdpowiedzi(Grupa g) const;
  std::span<QCheckBox* const> Pola(Grupa g) const;
  QLabel* EtykietaPol(Grupa g) const;

  // Controls, named as the form's.
  QLabel* Tytul = nullptr;
  QFrame* Bevel2 = nullptr;
  QLabel* HeadPytanie = nullptr;
  TGrupaOpcji* TypAlgorytm = nullptr;
  QTextEdit* Pytanie = nullptr;
  QLabel* POdpowiedzi = nullptr;
  QFrame* PPodatnik = nullptr;
  QFrame* PMalzonek = nullptr;
  QFrame* POgolnie = nullptr;
  TGrupaOpcji* Podatnik = nullptr;
  TGrupaOpcji* Malzonek = nullptr;
  TGrupaOpcji* Odpowiedz = nullptr;
  QLabel* TextP = nullptr;
  QLabel* TextM = nullptr;
  QLabel* TextO = nullptr;
  std::array<QCheckBox*, 4> PZ{};
  std::array<QCheckBox*, 4> MZ{};
  std::array<QCheckBox*, 5> OZ{};
  QFrame* PIPodatnik = nullptr;
  QFrame* PIMalzonek = nullptr;
  QLabel* IPodatnik = nullptr;
  QLabel* IMalzonek = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* Wstecz = nullptr;
  QPushButton* Dalej = nullptr;
  QPushButton* Zakoncz = nullptr;
  QPushButton* Anuluj = nullptr;
  QFrame* SPN = nullptr;
  QPushButton* SWstecz = nullptr;
  QPushButton* SDalej = nullptr;

 public slots:
  // Escape and the window's close both end the wizard as Anuluj does.
  void reject() override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  // Attach boxes stand this far from their panel's left edge, one under another at this spacing.
  static constexpr int kLewaPola = 8;
  static constexpr int kOdstepPol = 20;

  void BudujKontrolki();
  void FormCreate();
  void FormShow();
  void PokazPodsumowanie();
  void KliknietoPole(Grupa g, int i, bool zaznaczone);
  void ZmienionoPole(Grupa g, int i, bool zaznaczone);
  void ZastosujKrok(bool naprzod);
  TKrokKreatora& BiezacyKrok() { return Kroki[static_cast<std::size_t>(Krok)]; }

  // The pictures and their files, until the wizard is first shown.
  std::vector<std::pair<QLabel*, QString>> obrazyDoWczytania_;
};

extern TKreator* Kreator;
