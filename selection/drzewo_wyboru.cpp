#include "selection/drzewo_wyboru.h"

#include <QMouseEvent>

TDrzewoWyboru::TDrzewoWyboru(QWidget* parent) : QTreeWidget(parent) {
  connect(this, &QTreeWidget::itemChanged, this, [this] { zmieniony_ = true; });
}

void TDrzewoWyboru::mousePressEvent(QMouseEvent* e) {
  nacisniety_ = itemAt(e->position().toPoint());
  QTreeWidget::mousePressEvent(e);
}

void TDrzewoWyboru::mouseDoubleClickEvent(QMouseEvent* e) {
  nacisniety_ = itemAt(e->position().toPoint());
  QTreeWidget::mouseDoubleClickEvent(e);
}

void TDrzewoWyboru::mouseReleaseEvent(QMouseEvent* e) {
  // The box toggles on the release; a toggle is reported as a check-state change, not here.
  zmieniony_ = false;
  QTreeWidgetItem* const wezel = nacisniety_;
  nacisniety_ = nullptr;
  QTreeWidget::mouseReleaseEvent(e);
  if (wezel && !zmieniony_ && itemAt(e->position().toPoint()) == wezel) emit Nacisniety(wezel);
}
