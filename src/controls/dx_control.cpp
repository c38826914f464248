#include "controls/dx_control.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/accelerator.h"
#include "runtime/form.h"
#include "runtime/guard.h"

namespace qrv {

TdxCustomControl::TdxCustomControl(QWidget* parent) : QWidget(parent) {
  SetTabStop(true);
  setMouseTracking(true);
  held_key_ = new HeldKey(this, [this](int key, Qt::KeyboardModifiers modifiers) {
    Guard([&] { KeyReleased(key, modifiers); });
  });
  // The control paints every pixel itself, into its own off-screen image.
  setAttribute(Qt::WA_OpaquePaintEvent);
  focus_link_ =
      connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        QWidget* own = window();
        if ((old && old->window() == own) || (now && now->window() == own) || old == this) {
          Guard([&] { StateFocusChanged(); });
        }
      });
  AttachDialogKeys(this);
}

TdxCustomControl::~TdxCustomControl() {
  // The widget base still moves the focus away while it is destroyed; by then this part is gone.
  disconnect(focus_link_);
}

void TdxCustomControl::SetCaption(const QString& value) {
  if (caption_ == value) return;
  caption_ = value;
  AttachDialogKeys(this);
  StateTextChanged();
}

TColor TdxCustomControl::Color() const {
  if (parent_color_ && parentWidget()) {
    return FromQRgb(parentWidget()->palette().color(parentWidget()->backgroundRole()).rgb());
  }
  return color_;
}

void TdxCustomControl::SetColor(TColor value) {
  if (color_ == value && !parent_color_) return;
  color_ = value;
  parent_color_ = false;
  update();
}

void TdxCustomControl::SetParentColor(bool value) {
  if (parent_color_ == value) return;
  parent_color_ = value;
  update();
}

QColor TdxCustomControl::BackgroundColor() const {
  return ToQColor(Color(), palette());
}

TFont TdxCustomControl::Font() const {
  return TFont::FromQFont(font(), font_color_);
}

void TdxCustomControl::SetFont(const TFont& value) {
  font_color_ = value.Color();
  setFont(value.ToQFont());
  update();
}

void TdxCustomControl::SetParentFont(bool value) {
  if (value) setFont(QFont());
  setAttribute(Qt::WA_SetFont, !value);
  update();
}

bool TdxCustomControl::CanFocus() const {
  return isEnabled() && isVisible();
}

void TdxCustomControl::PaintTo(QImage& target) {
  if (target.size() != size() || target.format() != QImage::Format_RGB32) {
    target = QImage(size(), QImage::Format_RGB32);
  }
  if (target.isNull()) return;
  QPainter p(&target);
  Paint(p);
}

void TdxCustomControl::paintEvent(QPaintEvent*) {
  PaintTo(buffer_);
  QPainter p(this);
  p.drawImage(0, 0, buffer_);
}

void TdxCustomControl::SetAction(TAction* action) {
  if (action_ == action) return;
  if (action_) disconnect(action_, nullptr, this, nullptr);
  action_ = action;
  if (action_) {
    connect(action_, &TAction::Changed, this, [this] { Guard([&] { ActionChange(); }); });
    ActionChange();
  }
  update();
}

void TdxCustomControl::ActionChange() {
  if (!action_) return;
  SetCaption(action_->Caption());
  setEnabled(action_->Enabled());
  SetHint(action_->Hint());
  // An unparented control only records hiding; showing it would open a window of its own.
  if (parentWidget() || !action_->Visible()) setVisible(action_->Visible());
}

void TdxCustomControl::Click() {
  if (parentWidget()) {
    if (auto* form = dynamic_cast<TForm*>(window())) {
      Guard([&] { form->SetModalResult(static_cast<qrv::ModalResult>(modal_result_)); });
    }
  }
  RaiseClick(this, action_);
}

bool TdxCustomControl::DialogChar(QChar c, Qt::KeyboardModifiers modifiers) {
  const QChar accel = LastAccelerator(caption_);
  if (accel.isNull() || AsciiUpperChar(accel) != AsciiUpperChar(c) || !CanFocus()) return false;
  if (hasFocus() || (modifiers & Qt::AltModifier)) Click();
  // The character stays unhandled, so other controls may still see it.
  return false;
}

QChar TdxCustomControl::AltAccelerator() const {
  return LastAccelerator(caption_);
}

void TdxCustomControl::AnnounceFocusChange(QWidget* window) {
  if (!window) return;
  // The flat controls carry no meta-object of their own, so they are told apart by their type.
  for (QWidget* w : window->findChildren<QWidget*>()) {
    auto* control = dynamic_cast<TdxCustomControl*>(w);
    if (control && w->window() == window) control->StateFocusChanged();
  }
}

void TdxCustomControl::StateEnabledChanged() {
  update();
}

void TdxCustomControl::StateFocusChanged() {
  focused_ = hasFocus();
  if (!focused_) pressed_ = false;
  flat_active_ = dynamic_cast<TdxCustomControl*>(window()->focusWidget()) != nullptr;
  update();
}

void TdxCustomControl::StateMouseDown() {
  setFocus(Qt::MouseFocusReason);
  pressed_ = true;
  update();
}

void TdxCustomControl::StateMouseEnter() {
  hot_ = true;
  update();
  if (on_mouse_enter_) Guard([&] { on_mouse_enter_(this); });
}

void TdxCustomControl::StateMouseLeave() {
  hot_ = false;
  update();
  if (on_mouse_leave_) Guard([&] { on_mouse_leave_(this); });
}

void TdxCustomControl::StateMouseUp() {
  pressed_ = false;
  update();
}

void TdxCustomControl::StateParentColorChanged() {
  update();
}

void TdxCustomControl::StateTextChanged() {
  update();
}

bool TdxCustomControl::PointerInside() const {
  return rect().contains(mapFromGlobal(QCursor::pos()));
}

void TdxCustomControl::RaiseKeyDown(int key, Qt::KeyboardModifiers m) {
  if (on_key_down_) Guard([&] { on_key_down_(this, key, m); });
}

void TdxCustomControl::RaiseKeyUp(int key, Qt::KeyboardModifiers m) {
  if (on_key_up_) Guard([&] { on_key_up_(this, key, m); });
}

void TdxCustomControl::resizeEvent(QResizeEvent*) {
  StateResized();
}

void TdxCustomControl::enterEvent(QEnterEvent*) {
  if (!hot_) StateMouseEnter();
}

void TdxCustomControl::leaveEvent(QEvent*) {
  if (hot_) StateMouseLeave();
}

void TdxCustomControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    StateMouseDown();
    click_armed_ = true;
  }
  RaiseMouseDown(this, *event);
}

void TdxCustomControl::mouseDoubleClickEvent(QMouseEvent* event) {
  // A widget receives the second press of a double click only as this event. It is a press like
  // any other, of whichever mouse button, so two quick clicks click twice.
  mousePressEvent(event);
}

void TdxCustomControl::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    const bool clicked = click_armed_ && rect().contains(pos);
    click_armed_ = false;
    // The click comes before the release handling, so OnClick still sees the pressed flag.
    if (clicked) Click();
  }
  StateMouseUp();
  RaiseMouseUp(this, *event);
}

void TdxCustomControl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  StateMouseMove();
  // While a button is held the pointer is captured and no enter or leave arrives; follow it here.
  if (event->buttons() != Qt::NoButton) {
    const bool inside = rect().contains(pos);
    if (inside && !hot_) StateMouseEnter();
    if (!inside && hot_) StateMouseLeave();
  }
  RaiseMouseMove(this, *event);
}

void TdxCustomControl::keyPressEvent(QKeyEvent* event) {
  NoteKeyPress(event->key());
  RaiseKeyDown(event->key(), event->modifiers());
  const QString text = event->text();
  if (on_key_press_ && text.size() == 1 && text[0].isPrint()) {
    Guard([&] { on_key_press_(this, text[0]); });
  }
  // Unhandled keys travel on to the window, which offers accelerators and dialog keys.
  event->ignore();
}

void TdxCustomControl::keyReleaseEvent(QKeyEvent* event) {
  // A held key's repeats are presses only; the release comes once, when the key is let go.
  if (!event->isAutoRepeat()) held_key_->Released(event->key(), event->modifiers());
  event->ignore();
}

void TdxCustomControl::KeyReleased(int key, Qt::KeyboardModifiers modifiers) {
  RaiseKeyUp(key, modifiers);
}

void TdxCustomControl::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (on_enter_) Guard([&] { on_enter_(this); });
}

void TdxCustomControl::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (on_exit_) Guard([&] { on_exit_(this); });
}

void TdxCustomControl::changeEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::EnabledChange:
      if (!isEnabled()) click_armed_ = false;
      StateEnabledChanged();
      break;
    case QEvent::PaletteChange:
      if (parent_color_) StateParentColorChanged();
      break;
    case QEvent::FontChange:
      update();
      break;
    default:
      break;
  }
  QWidget::changeEvent(event);
}

bool TdxCustomControl::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) {
    AttachDialogKeys(this);
    update();
  }
  return QWidget::event(event);
}

}  // namespace qrv
