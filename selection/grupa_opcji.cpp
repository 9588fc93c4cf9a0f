#include "selection/grupa_opcji.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include <algorithm>

TGrupaOpcji::TGrupaOpcji(const QString& tytul, const QStringList& pozycje, int kolumny, QWidget* parent)
    : QGroupBox(tytul, parent), grupa_(new QButtonGroup(this)) {
  auto* siatka = new QGridLayout(this);
  siatka->setContentsMargins(6, 2, 6, 2);
  siatka->setVerticalSpacing(2);
  kolumny = std::max(kolumny, 1);
  for (int i = 0; i < pozycje.size(); ++i) {
    auto* p = new QRadioButton(pozycje[i], this);
    grupa_->addButton(p, i);
    siatka->addWidget(p, i / kolumny, i % kolumny);
    pozycje_.push_back(p);
  }
  connect(grupa_, &QButtonGroup::idClicked, this, [this] { emit Klik(); });
}

int TGrupaOpcji::ItemIndex() const {
  return grupa_->checkedId();
}

void TGrupaOpcji::UstawItemIndex(int indeks) {
  if (indeks >= 0 && indeks < LiczbaPozycji()) {
    Pozycja(indeks)->setChecked(true);
    return;
  }
  // An exclusive group keeps its checked button; it is cleared with the group open for a moment.
  grupa_->setExclusive(false);
  for (QRadioButton* p : pozycje_) p->setChecked(false);
  grupa_->setExclusive(true);
}
