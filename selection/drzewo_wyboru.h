#pragma once
// The chooser's tree of check boxes. Besides the check-state changes every tree reports, it reports a press on a
// node that left the node's box as it was (its text, its picture, another mouse button), once the tree has handled
// it, so that the chooser can answer every press.

#include <QTreeWidget>

class TDrzewoWyboru : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TDrzewoWyboru(QWidget* parent = nullptr);

 signals:
  // Pressed and released on the same node, with no check state changed meanwhile.
  void Nacisniety(QTreeWidgetItem* wezel);

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  // The second press of a double click is a press too.
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QTreeWidgetItem* nacisniety_ = nullptr;
  bool zmieniony_ = false;
};
