#pragma once
// A titled group of exclusive options whose selection is an item index, -1 meaning none selected.

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

class TGrupaOpcji : public QGroupBox {
  Q_OBJECT
 public:
  // Items laid out in the given number of columns, filled row by row.
  TGrupaOpcji(const QString& tytul, const QStringList& pozycje, int kolumny, QWidget* parent);

  int ItemIndex() const;
  // -1 clears the selection. Setting it from code does not emit Klik.
  void UstawItemIndex(int indeks);
  QRadioButton* Pozycja(int i) const { return pozycje_.at(static_cast<std::size_t>(i)); }
  int LiczbaPozycji() const { return static_cast<int>(pozycje_.size()); }

 signals:
  // The user picked an item.
  void Klik();

 private:
  QButtonGroup* grupa_;
  std::vector<QRadioButton*> pozycje_;
};
