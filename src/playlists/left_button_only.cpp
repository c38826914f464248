#include "left_button_only.h"

#include <QMouseEvent>
#include <QWidget>

namespace qrv {

void LeftButtonOnly::InstallOn(QWidget* target) {
  target->installEventFilter(new LeftButtonOnly(target));
}

bool LeftButtonOnly::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
    case QEvent::MouseMove: {
      // Moving with only another button held would drag the selection along.
      const Qt::MouseButtons held = static_cast<QMouseEvent*>(event)->buttons();
      return held != Qt::NoButton && !(held & Qt::LeftButton);
    }
    default:
      return false;
  }
}

}  // namespace qrv
