#pragma once

#include <QObject>
#include <functional>

class QMouseEvent;

namespace qrv {

class TAction;

// The click and mouse events that both push buttons publish. Handlers run through the handler
// guard, so an error in one is shown and never reaches the event loop.
class ControlEvents {
 public:
  using NotifyEvent = std::function<void(QObject* sender)>;
  using MouseEvent = std::function<void(QObject* sender, Qt::MouseButton button,
                                        Qt::KeyboardModifiers shift, int x, int y)>;
  using MouseMoveEvent =
      std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y)>;

  void SetOnClick(NotifyEvent handler) { on_click_ = std::move(handler); }
  void SetOnMouseDown(MouseEvent handler) { on_mouse_down_ = std::move(handler); }
  void SetOnMouseUp(MouseEvent handler) { on_mouse_up_ = std::move(handler); }
  void SetOnMouseMove(MouseMoveEvent handler) { on_mouse_move_ = std::move(handler); }

 protected:
  // What a click does: OnClick, or else the linked action.
  void RaiseClick(QObject* sender, TAction* action) const;
  void RaiseMouseDown(QObject* sender, const QMouseEvent& event) const;
  void RaiseMouseUp(QObject* sender, const QMouseEvent& event) const;
  void RaiseMouseMove(QObject* sender, const QMouseEvent& event) const;

 private:
  NotifyEvent on_click_;
  MouseEvent on_mouse_down_;
  MouseEvent on_mouse_up_;
  MouseMoveEvent on_mouse_move_;
};

}  // namespace qrv
