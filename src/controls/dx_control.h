#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "controls/action.h"
#include "controls/color.h"
#include "controls/control_events.h"
#include "controls/dialog_keys.h"
#include "controls/font.h"
#include "controls/held_key.h"

namespace qrv {

// The base of the flat controls: it turns the platform's notifications (pointer enter and leave,
// focus changes, mouse presses, enabled, caption and size changes) into three state flags and a
// set of overridable state-change operations, each of which repaints. Painting is double-buffered.
class TdxCustomControl : public QWidget, public ControlEvents, public DialogKeyReceiver {
 public:
  using KeyEvent = std::function<void(QObject* sender, int key, Qt::KeyboardModifiers shift)>;
  using KeyPressEvent = std::function<void(QObject* sender, QChar key)>;

  explicit TdxCustomControl(QWidget* parent = nullptr);
  ~TdxCustomControl() override;

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& value);
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int value) { modal_result_ = value; }
  QString About() const { return QStringLiteral("Flat controls for Quorvin Pro"); }
  void SetAbout(const QString&) {}
  virtual QString Version() const { return QString(); }
  void SetVersion(const QString&) {}

  // Colour: with ParentColor (the default) the parent's background colour.
  TColor Color() const;
  void SetColor(TColor value);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool value);
  // Font: with ParentFont (the default) the parent's font; the colour is the control's own.
  TFont Font() const;
  void SetFont(const TFont& value);
  bool ParentFont() const { return !testAttribute(Qt::WA_SetFont); }
  void SetParentFont(bool value);
  bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
  void SetEnabled(bool value) { setEnabled(value); }
  bool Visible() const { return !isHidden(); }
  void SetVisible(bool value) { setVisible(value); }
  QString Hint() const { return toolTip(); }
  void SetHint(const QString& value) { setToolTip(value); }
  // Only a left press gives a flat control the focus, which it takes itself; the platform's
  // focus on any click is therefore left out of the policy.
  bool TabStop() const { return focusPolicy() == Qt::TabFocus; }
  void SetTabStop(bool value) { setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus); }

  bool Hot() const { return hot_; }
  bool Focused() const { return focused_; }
  bool Pressed() const { return pressed_; }
  bool FlatControlActive() const { return flat_active_; }

  void SetOnMouseEnter(NotifyEvent h) { on_mouse_enter_ = std::move(h); }
  void SetOnMouseLeave(NotifyEvent h) { on_mouse_leave_ = std::move(h); }
  void SetOnKeyDown(KeyEvent h) { on_key_down_ = std::move(h); }
  void SetOnKeyUp(KeyEvent h) { on_key_up_ = std::move(h); }
  void SetOnKeyPress(KeyPressEvent h) { on_key_press_ = std::move(h); }
  void SetOnEnter(NotifyEvent h) { on_enter_ = std::move(h); }
  void SetOnExit(NotifyEvent h) { on_exit_ = std::move(h); }

  TAction* Action() const { return action_; }
  virtual void SetAction(TAction* action);

  // The framework's click: the window's modal result first, then OnClick or the linked action.
  // The window is the form the control sits on; a control on no form skips the modal result.
  virtual void Click();
  // Whether the control could take the focus now (enabled and shown).
  bool CanFocus() const;
  // Paints the whole control into an image of its size, as the screen receives it.
  void PaintTo(QImage& target);

  bool DialogChar(QChar c, Qt::KeyboardModifiers modifiers) override;
  bool DialogKey(int, Qt::KeyboardModifiers) override { return false; }
  QChar AltAccelerator() const override;

  // Every flat control of the window re-reads the focus, as when the focused control changes.
  static void AnnounceFocusChange(QWidget* window);

 protected:
  virtual void StateEnabledChanged();
  virtual void StateFocusChanged();
  virtual void StateMouseDown();
  virtual void StateMouseEnter();
  virtual void StateMouseLeave();
  virtual void StateMouseMove() {}
  virtual void StateMouseUp();
  virtual void StateParentColorChanged();
  virtual void StateResized() {}
  virtual void StateTextChanged();
  // A key's real release, after the held-key check; raises OnKeyUp.
  virtual void KeyReleased(int key, Qt::KeyboardModifiers modifiers);
  // Draws the whole control onto the off-screen image, which has the control's size.
  virtual void Paint(QPainter& painter) = 0;
  // The linked action changed; copies its standard properties.
  virtual void ActionChange();

  // The background colour as drawn.
  QColor BackgroundColor() const;
  QColor FontColor() const { return ToQColor(font_color_, palette()); }

  void SetHotFlag(bool on) { hot_ = on; }
  void SetPressedFlag(bool on) { pressed_ = on; }
  void RaiseKeyDown(int key, Qt::KeyboardModifiers m);
  void RaiseKeyUp(int key, Qt::KeyboardModifiers m);
  bool PointerInside() const;
  // Every key press passes here first: it settles a release still waiting, or drops it when this
  // press is its repeat.
  void NoteKeyPress(int key) { held_key_->Pressed(key); }

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QString caption_;
  int modal_result_ = 0;
  TColor color_ = clWindow;
  bool parent_color_ = true;
  TColor font_color_ = clWindowText;
  bool hot_ = false;
  bool focused_ = false;
  bool pressed_ = false;
  bool flat_active_ = false;
  bool click_armed_ = false;
  QPointer<TAction> action_;
  QImage buffer_;
  QMetaObject::Connection focus_link_;
  HeldKey* held_key_ = nullptr;

  NotifyEvent on_mouse_enter_;
  NotifyEvent on_mouse_leave_;
  KeyEvent on_key_down_;
  KeyEvent on_key_up_;
  KeyPressEvent on_key_press_;
  NotifyEvent on_enter_;
  NotifyEvent on_exit_;
};

}  // namespace qrv
