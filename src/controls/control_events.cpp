#include "controls/control_events.h"

#include <QMouseEvent>

#include "controls/action.h"
#include "runtime/guard.h"

namespace qrv {

void ControlEvents::RaiseClick(QObject* sender, TAction* action) const {
  if (on_click_) {
    Guard([&] { on_click_(sender); });
  } else if (action) {
    Guard([&] { action->Execute(); });
  }
}

void ControlEvents::RaiseMouseDown(QObject* sender, const QMouseEvent& event) const {
  if (!on_mouse_down_) return;
  const QPoint pos = event.position().toPoint();
  Guard([&] { on_mouse_down_(sender, event.button(), event.modifiers(), pos.x(), pos.y()); });
}

void ControlEvents::RaiseMouseUp(QObject* sender, const QMouseEvent& event) const {
  if (!on_mouse_up_) return;
  const QPoint pos = event.position().toPoint();
  Guard([&] { on_mouse_up_(sender, event.button(), event.modifiers(), pos.x(), pos.y()); });
}

void ControlEvents::RaiseMouseMove(QObject* sender, const QMouseEvent& event) const {
  if (!on_mouse_move_) return;
  const QPoint pos = event.position().toPoint();
  Guard([&] { on_mouse_move_(sender, event.modifiers(), pos.x(), pos.y()); });
}

}  // namespace qrv
