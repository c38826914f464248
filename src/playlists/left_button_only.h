#pragma once

#include <QObject>

class QWidget;

namespace qrv {

// Lets only the left mouse button reach a list: a right or middle click would otherwise move the
// selection silently, so that the highlight and what the window acts on disagree. Install it on
// the widget that receives the list's mouse events (a view's viewport). It belongs to that widget.
class LeftButtonOnly : public QObject {
 public:
  static void InstallOn(QWidget* target);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit LeftButtonOnly(QObject* parent) : QObject(parent) {}
};

}  // namespace qrv
