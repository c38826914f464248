#include "controls/bit_btn.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "controls/accelerator.h"
#include "runtime/guard.h"

namespace qrv {

TCustomDDMBitBtn::TCustomDDMBitBtn(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover, false);
  setMouseTracking(true);
  resize(25, 25);
  InstallButtonAccessibility();
  AttachDialogKeys(this);
}

TCustomDDMBitBtn::~TCustomDDMBitBtn() = default;

void TCustomDDMBitBtn::SetTransparentColor(TColor value) {
  if (transparent_color_ == value) return;
  // The gray and disabled images keep the key they were built with until their next rebuild.
  transparent_color_ = value;
  UpdateSize();
}

void TCustomDDMBitBtn::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  UpdateSize();
}

void TCustomDDMBitBtn::SetLayout(TButtonLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  UpdateSize();
}

void TCustomDDMBitBtn::SetCaption(const QString& value) {
  if (caption_ == value) return;
  caption_ = value;
  NotifyAccessibleNameChanged(this);
  AttachDialogKeys(this);
  UpdateSize();
  update();
}

void TCustomDDMBitBtn::SetTransparent(bool value) {
  transparent_ = value;
  UpdateSize();
}

void TCustomDDMBitBtn::SetDown(bool value) {
  down_ = value;
  UpdateSize();
}

void TCustomDDMBitBtn::SetShowCaption(bool value) {
  show_caption_ = value;
  UpdateSize();
}

void TCustomDDMBitBtn::SetGrayPortion(int value) {
  if (value < 1 || value > 255 || value == gray_portion_) return;
  gray_portion_ = value;
  RebuildImages();
  UpdateSize();
}

void TCustomDDMBitBtn::SetStyle(TGrayImageListStyle value) {
  if (style_ == value) return;
  style_ = value;
  RebuildImages();
  UpdateSize();
}

void TCustomDDMBitBtn::SetGlyph(const QImage& value) {
  glyph_ = value.isNull() ? QImage() : value.convertToFormat(QImage::Format_RGB32);
  RebuildImages();
  if (on_change_glyph_) Guard([&] { on_change_glyph_(this); });
  if (glyph_.isNull()) return;
  // The key is set directly: the images just built keep the key that was in force before.
  transparent_color_ = FromQRgb(glyph_.pixel(0, glyph_.height() - 1));
  UpdateSize();
}

void TCustomDDMBitBtn::SetNumGlyphs(int value) {
  if (value < 1 || value > 4 || value == num_glyphs_) return;
  num_glyphs_ = value;
  UpdateSize();
}

void TCustomDDMBitBtn::SetSpacing(int value) {
  if (spacing_ == value) return;
  spacing_ = value;
  UpdateSize();
}

void TCustomDDMBitBtn::SetFont(const TFont& value) {
  if (&value == &font_) return;
  font_ = value;
  UpdateSize();
}

void TCustomDDMBitBtn::SetAutoSize(bool value) {
  if (auto_size_ == value) return;
  auto_size_ = value;
  UpdateSize();
}

void TCustomDDMBitBtn::RebuildImages() {
  ++image_rebuilds_;
  const QPalette palette = QApplication::palette();
  gray_ = glyph_.copy();
  GrayTransform(gray_, gray_portion_, style_, transparent_color_, palette);
  gray_key_ = gray_.isNull() ? 0 : FromQRgb(gray_.pixel(0, gray_.height() - 1));
  UpdateSize();
  disabled_ = gray_.copy();
  GrayTransform(disabled_, 255, style_, transparent_color_, palette);
  disabled_key_ = disabled_.isNull() ? 0 : FromQRgb(disabled_.pixel(0, disabled_.height() - 1));
  UpdateSize();
}

int TCustomDDMBitBtn::CellWidth() const {
  return glyph_.isNull() ? 0 : glyph_.width() / num_glyphs_;
}

QSize TCustomDDMBitBtn::CaptionSize() const {
  const QFontMetrics fm(font_.ToQFont());
  return QSize(fm.horizontalAdvance(caption_), fm.height());
}

void TCustomDDMBitBtn::UpdateSize() {
  if (auto_size_) {
    const int gw = glyph_.width();
    const int gh = glyph_.height();
    const int s = spacing_;
    int w = width();
    int h = height();
    if (show_caption_) {
      const QSize t = CaptionSize();
      if (layout_ == TButtonLayout::blGlyphTop || layout_ == TButtonLayout::blGlyphBottom) {
        if (t.width() + 2 * s + 4 > w) w = t.width() + 2 * s + 4;
        if (gw < w && t.width() + 2 * s + 4 < w) w = t.width() + 2 * s + 4;
        if (gw > w) w = gw + 2 * s + 4;
        h = gh + 2 * s + t.height() + 2 * s;
      } else {
        w = gw + t.width() + 4 * s + 8;
        h = gh + 2 * s;
      }
    } else {
      w = gw + 2 * s;
      h = gh + 2 * s;
    }
    resize(w, h);
  }
  update();
}

void TCustomDDMBitBtn::PaintBackground(QPainter& p) {
  if (transparent_) return;
  p.fillRect(QRect(0, 0, width(), height()), ToQColor(color_, palette()));
}

void TCustomDDMBitBtn::ComputeLayout(QPainter& p) {
  PaintBackground(p);
  const int w = width();
  const int h = height();
  const int cw = CellWidth();
  const int gw = glyph_.width();
  const int gh = glyph_.height();
  const int s = spacing_;
  origins_.glyph_left = (w - cw) / 2;
  origins_.glyph_top = (h - gh) / 2;
  if (!show_caption_ || caption_.isEmpty()) return;
  const QSize t = CaptionSize();
  const int tw = t.width();
  const int th = t.height();
  switch (layout_) {
    case TButtonLayout::blGlyphBottom:
      origins_.glyph_top = (h - gh) / 2 + s;
      origins_.caption_left = (w - tw) / 2;
      origins_.caption_top = (h - th) / 2 - gh / 2 - s;
      break;
    case TButtonLayout::blGlyphLeft:
      origins_.glyph_left = (w - cw - tw - s) / 2;
      origins_.caption_left = origins_.glyph_left + cw + s;
      origins_.caption_top = (h - th) / 2;
      break;
    case TButtonLayout::blGlyphRight:
      origins_.glyph_left = (w + tw + s - gw) / 2;
      origins_.caption_left = origins_.glyph_left - tw - s;
      origins_.caption_top = (h - th) / 2;
      break;
    case TButtonLayout::blGlyphTop:
      origins_.glyph_top = (h - gh) / 2 - s;
      origins_.caption_left = (w - tw) / 2;
      origins_.caption_top = (h - th) / 2 + gh / 2 + s;
      break;
  }
}

void TCustomDDMBitBtn::DrawCaption(QPainter& p, int dx, int dy, QColor color) {
  const QSize t = CaptionSize();
  const QRect r(origins_.caption_left + dx, origins_.caption_top + dy, t.width(), t.height());
  p.setFont(font_.ToQFont());
  p.setPen(color);
  p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, caption_);
}

void TCustomDDMBitBtn::DrawGlyph(QPainter& p, const QImage& image, KeyedImage& cache, TColor key,
                                 int dx, int dy) {
  if (image.isNull()) return;
  const int cw = CellWidth();
  if (cw <= 0) return;
  const QImage& keyed = cache.Get(image, key);
  p.drawImage(QPoint(origins_.glyph_left + dx, origins_.glyph_top + dy), keyed,
              QRect(0, 0, cw, image.height()));
}

void TCustomDDMBitBtn::Paint(QPainter& p) {
  ComputeLayout(p);
  const int w = width();
  const int h = height();
  const QColor white(Qt::white);
  const QColor shadow = ToQColor(clBtnShadow, palette());
  const QColor gray = ToQColor(clGray);
  if (down_) {
    p.fillRect(QRect(w - 1, 0, 1, h - 1), white);
    p.fillRect(QRect(0, h - 1, w, 1), white);
    p.fillRect(QRect(0, 0, 1, h - 1), shadow);
    p.fillRect(QRect(0, 0, w - 1, 1), shadow);
    if (show_caption_) {
      QColor color = ToQColor(font_.Color(), palette());
      if (!Enabled()) {
        DrawCaption(p, 2, 2, white);
        color = gray;
      }
      DrawCaption(p, 1, 1, color);
    }
    DrawGlyph(p, glyph_, glyph_keyed_, transparent_color_, 1, 1);
    return;
  }
  if (show_caption_) {
    QColor color = ToQColor(font_.Color(), palette());
    if (!Enabled()) {
      DrawCaption(p, 1, 1, white);
      color = gray;
    }
    DrawCaption(p, 0, 0, color);
  }
  if (Enabled()) {
    DrawGlyph(p, gray_, gray_keyed_, gray_key_, 0, 0);
    if (hot_) PaintHot(p);
  } else {
    DrawGlyph(p, disabled_, disabled_keyed_, disabled_key_, 0, 0);
  }
}

void TCustomDDMBitBtn::PaintHot(QPainter& p) {
  if (down_ || !Enabled()) return;
  if (parentWidget() && !parentWidget()->isEnabled()) return;
  if (!window()->isEnabled()) return;
  ComputeLayout(p);
  PaintBackground(p);
  const int w = width();
  const int h = height();
  const QColor shadow = ToQColor(clBtnShadow, palette());
  p.fillRect(QRect(0, 0, 1, h), Qt::white);
  p.fillRect(QRect(0, 0, w, 1), Qt::white);
  p.fillRect(QRect(w - 1, 0, 1, h - 1), shadow);
  p.fillRect(QRect(0, h - 1, w, 1), shadow);
  if (show_caption_) DrawCaption(p, 0, 0, ToQColor(font_.Color(), palette()));
  DrawGlyph(p, glyph_, glyph_keyed_, transparent_color_, 0, 0);
}

void TCustomDDMBitBtn::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Paint(p);
}

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

void TCustomDDMBitBtn::PressAt(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                               QPoint pos) {
  SetDown(true);
  if (on_mouse_down_) Guard([&] { on_mouse_down_(this, button, modifiers, pos.x(), pos.y()); });
  update();
}

void TCustomDDMBitBtn::mousePressEvent(QMouseEvent* event) {
  if (!Enabled()) return;
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton) click_armed_ = true;
  PressAt(event->button(), event->modifiers(), pos);
}

void TCustomDDMBitBtn::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!Enabled()) return;
  if (event->button() == Qt::LeftButton && on_dbl_click_) Guard([&] { on_dbl_click_(this); });
  // The second press of a double click never ends in a click. Qt usually delivers that press
  // itself just before this event; handle it as a press only when it did not.
  click_armed_ = false;
  if (!down_) PressAt(event->button(), event->modifiers(), event->position().toPoint());
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
  if (on_mouse_up_) {
    Guard([&] { on_mouse_up_(this, event->button(), event->modifiers(), pos.x(), pos.y()); });
  }
  hot_ = inside;
  update();
}

void TCustomDDMBitBtn::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (on_mouse_move_) Guard([&] { on_mouse_move_(this, event->modifiers(), pos.x(), pos.y()); });
  // While a button is held the pointer is captured and no enter or leave arrives; follow it here.
  if (event->buttons() != Qt::NoButton) {
    const bool inside = rect().contains(pos);
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
  if (on_click_) {
    Guard([&] { on_click_(this); });
  } else if (action_) {
    Guard([&] { action_->Execute(); });
  }
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
