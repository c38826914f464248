// Input of the bitmap button: the pointer, mouse buttons, accelerators, group announcements and
// the linked action.
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include "controls/accelerator.h"
#include "controls/bit_btn.h"
#include "runtime/guard.h"

namespace qrv {

bool TCustomDDMBitBtn::PointerInside() const {
  return rect().contains(mapFromGlobal(QCursor::pos()));
}

void TCustomDDMBitBtn::enterEvent(QEnterEvent*) {
  hot_ = true;
  // Entering shows the hot look at once rather than at the next deferred paint.
  repaint();
}

void TCustomDDMBitBtn::leaveEvent(QEvent*) {
  hot_ = false;
  update();
}

void TCustomDDMBitBtn::PressAt(const QMouseEvent& event) {
  SetDown(true);
  RaiseMouseDown(this, event);
  update();
}

void TCustomDDMBitBtn::mousePressEvent(QMouseEvent* event) {
  if (!Enabled()) return;
  if (event->button() == Qt::LeftButton) click_armed_ = true;
  PressAt(*event);
}

void TCustomDDMBitBtn::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!Enabled()) return;
  // A widget receives the second press of a double click only as this event, so it is the
  // press as well: OnDblClick first, then the press. It never ends in a click.
  if (event->button() == Qt::LeftButton && on_dbl_click_) Guard([&] { on_dbl_click_(this); });
  click_armed_ = false;
  PressAt(*event);
}

void TCustomDDMBitBtn::mouseReleaseEvent(QMouseEvent* event) {
  if (!Enabled()) return;
  const QPoint pos = event->position().toPoint();
  const bool inside = rect().contains(pos);
  if (event->button() == Qt::LeftButton) {
    const bool clicked = click_armed_ && inside;
    click_armed_ = false;
    // The click runs before the release handling, so OnClick still sees the button down.
    if (clicked) Click();
  }
  down_ = false;
  RaiseMouseUp(this, *event);
  hot_ = inside;
  update();
}

void TCustomDDMBitBtn::mouseMoveEvent(QMouseEvent* event) {
  RaiseMouseMove(this, *event);
  // While a button is held the pointer is captured and no enter or leave arrives; follow it here.
  if (event->buttons() != Qt::NoButton) {
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != hot_) {
      hot_ = inside;
      update();
    }
  }
}

void TCustomDDMBitBtn::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    if (isEnabled()) {
      hot_ = PointerInside();
    } else {
      click_armed_ = false;  // A press that the disabling interrupted never becomes a click.
    }
    repaint();
  }
  QWidget::changeEvent(event);
}

bool TCustomDDMBitBtn::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) AttachDialogKeys(this);
  return QWidget::event(event);
}

void TCustomDDMBitBtn::Click() {
  RaiseClick(this, action_);
}

bool TCustomDDMBitBtn::DialogChar(QChar c, Qt::KeyboardModifiers) {
  const QChar accel = FirstAccelerator(caption_);
  if (accel.isNull() || AsciiUpperChar(accel) != AsciiUpperChar(c)) return false;
  if (Enabled()) Click();
  return true;
}

QChar TCustomDDMBitBtn::AltAccelerator() const {
  return FirstAccelerator(caption_);
}

QString TCustomDDMBitBtn::AccessibleName() const {
  return StripAccelerators(caption_);
}

void TCustomDDMBitBtn::GroupAnnouncement(QWidget* announcer, int group_index) {
  if (!Enabled() || group_index != group_index_ || announcer == this) return;
  auto* other = dynamic_cast<TCustomDDMBitBtn*>(announcer);
  if (!other || !other->Down() || !down_) return;
  down_ = false;
  update();
}

void TCustomDDMBitBtn::SetAction(TAction* action) {
  if (action_ == action) return;
  if (action_) disconnect(action_, nullptr, this, nullptr);
  action_ = action;
  if (!action_) return;
  connect(action_, &TAction::Changed, this, [this] { Guard([&] { ActionChanged(); }); });
  ActionChanged();
}

void TCustomDDMBitBtn::ActionChanged() {
  if (!action_) return;
  SetCaption(action_->Caption());
  setEnabled(action_->Enabled());
  SetHint(action_->Hint());
  // An unparented control only records hiding; showing it would open a window of its own.
  if (parentWidget() || !action_->Visible()) setVisible(action_->Visible());
  ApplyActionGlyph();
}

void TCustomDDMBitBtn::ApplyActionGlyph() {
  TImageList* images = action_ ? action_->Images() : nullptr;
  if (!glyph_.isNull() || !images) return;
  const int index = action_->ImageIndex();
  if (index < 0 || index >= images->Count()) return;
  QImage bitmap(images->Width(), images->Height(), QImage::Format_RGB32);
  bitmap.fill(ToQRgb(clFuchsia));
  {
    QPainter p(&bitmap);
    images->Draw(p, 0, 0, index, true);
  }
  SetGlyph(bitmap);
  update();
}

void AnnounceGroupDown(QWidget* announcer, int group_index) {
  if (!announcer || !announcer->parentWidget()) return;
  for (QObject* child : announcer->parentWidget()->children()) {
    if (auto* button = dynamic_cast<TCustomDDMBitBtn*>(child)) {
      button->GroupAnnouncement(announcer, group_index);
    }
  }
}

}  // namespace qrv
