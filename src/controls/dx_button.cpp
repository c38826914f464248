#include "controls/dx_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <cstdlib>

#include "controls/accelerator.h"
#include "controls/button_text.h"
#include "controls/gradient.h"
#include "runtime/guard.h"

namespace qrv {

namespace {

constexpr TColor kFaceTop = RGBColor(255, 255, 255);
constexpr TColor kFaceBottom = RGBColor(239, 235, 231);
constexpr TColor kPressedTop = RGBColor(214, 207, 198);
constexpr TColor kPressedBottom = RGBColor(247, 243, 235);
constexpr TColor kHotTop = RGBColor(255, 243, 206);
constexpr TColor kHotBottom = RGBColor(231, 150, 0);
constexpr TColor kFocusTop = RGBColor(206, 231, 255);
constexpr TColor kFocusBottom = RGBColor(109, 132, 239);
const QColor kOutline(0, 60, 115);
const QColor kCorner(123, 150, 173);

int BandCount(TdxQuality q) {
  switch (q) {
    case TdxQuality::bqLow:
      return 8;
    case TdxQuality::bqMiddle:
      return 16;
    case TdxQuality::bqHigh:
      return 32;
  }
  return 16;
}

// A one-pixel line that leaves out its end point, stepping along the longer axis; a position
// halfway between two pixels goes to the one farther from the start.
void LineWithoutEnd(QPainter& p, int x0, int y0, int x1, int y1, const QColor& color) {
  const int dx = x1 - x0;
  const int dy = y1 - y0;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  for (int i = 0; i < steps; ++i) {
    const auto along = [&](int d) {
      const int num = 2 * i * std::abs(d) + steps;  // rounds i*|d|/steps, halves away from start
      return (d < 0 ? -1 : 1) * (num / (2 * steps));
    };
    p.fillRect(QRect(x0 + along(dx), y0 + along(dy), 1, 1), color);
  }
}

// A copy of the picture with every pixel of its bottom-left colour made transparent.
QImage KeyedPicture(const QImage& picture) {
  QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = keyed.pixel(0, keyed.height() - 1);
  for (int y = 0; y < keyed.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < keyed.width(); ++x) {
      if (line[x] == key) line[x] = 0;
    }
  }
  return keyed;
}

}  // namespace

TdxButton::TdxButton(QWidget* parent) : TdxCustomControl(parent), random_(0x51A7u) {
  SetTabStop(true);
  resize(73, 25);
  // A hidden widget hears of its size only when shown; build for the constructor's size now.
  StateResized();
  InstallButtonAccessibility();
}

TdxButton::~TdxButton() {
  if (image_link_) disconnect(image_link_);
}

void TdxButton::SetAutoGray(bool value) {
  if (auto_gray_ == value) return;
  auto_gray_ = value;
  update();
}

void TdxButton::SetDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  if (parentWidget()) AnnounceFocusChange(window());
}

void TdxButton::SetGlyph(const QImage& value) {
  glyph_ = value.copy();
  update();
}

void TdxButton::SetLayout(TdxLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  update();
}

void TdxButton::SetQuality(TdxQuality value) {
  if (quality_ == value) return;
  quality_ = value;
  BuildGradients();
  update();
}

void TdxButton::SetShowAccelChar(bool value) {
  if (show_accel_char_ == value) return;
  show_accel_char_ = value;
  update();
}

void TdxButton::SetShowFocusRect(bool value) {
  if (show_focus_rect_ == value) return;
  show_focus_rect_ = value;
  update();
}

void TdxButton::SetSpacing(std::uint8_t value) {
  if (spacing_ == value) return;
  spacing_ = value;
  update();
}

bool TdxButton::IsHighlighted(bool exclude_default) const {
  bool h = Pressed() ? !Hot() : (Hot() || Focused());
  if (!exclude_default) h = h || (default_ && !FlatControlActive());
  return h;
}

void TdxButton::StateResized() {
  // A size announcement that does not change the size keeps the gradients already built.
  if (size() == built_size_) return;
  BuildGradients();
}

void TdxButton::BuildGradients() {
  ++gradient_builds_;
  built_size_ = size();
  const int w = width();
  const int h = height();
  const int bands = BandCount(quality_);
  const bool dither = quality_ == TdxQuality::bqHigh;
  const int a = IsHighlighted(true) ? 6 : 2;
  face_ = CreateGradient(w - a, h - a, kFaceTop, kFaceBottom, bands, dither, random_);
  pressed_gradient_ =
      CreateGradient(w - 2, h - 2, kPressedTop, kPressedBottom, bands, dither, random_);
  hot_gradient_ = CreateGradient(w - 2, h - 2, kHotTop, kHotBottom, bands, dither, random_);
  focus_gradient_ = CreateGradient(w - 2, h - 2, kFocusTop, kFocusBottom, bands, dither, random_);
}

void TdxButton::StateTextChanged() {
  NotifyAccessibleNameChanged(this);
  TdxCustomControl::StateTextChanged();
}

QImage TdxButton::Picture() const {
  QImage picture;
  TImageList* images = Action() ? Action()->Images() : nullptr;
  if (images && image_index_ >= 0 && image_index_ < images->Count()) {
    picture = images->Image(image_index_);
  } else {
    picture = glyph_.copy();
  }
  if (picture.isNull() || !auto_gray_ || isEnabled()) return picture;
  picture = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb c = line[x];
      const int v = ((qRed(c) + qGreen(c) + qBlue(c)) / 3) / 2 + 96;
      line[x] = qRgba(v, v, v, qAlpha(c));
    }
  }
  return picture;
}

void TdxButton::DrawFrame(QPainter& p) const {
  const int w = width();
  const int h = height();
  // A rounded rectangle with a 5 x 5 corner ellipse: straight edges stop two pixels short of each
  // corner, and one pixel on the diagonal closes the curve.
  p.fillRect(QRect(2, 0, w - 4, 1), kOutline);
  p.fillRect(QRect(2, h - 1, w - 4, 1), kOutline);
  p.fillRect(QRect(0, 2, 1, h - 4), kOutline);
  p.fillRect(QRect(w - 1, 2, 1, h - 4), kOutline);
  for (const QPoint c : {QPoint(1, 1), QPoint(w - 2, 1), QPoint(1, h - 2), QPoint(w - 2, h - 2)}) {
    p.fillRect(QRect(c, QSize(1, 1)), kOutline);
  }
  LineWithoutEnd(p, 0, 1, 2, 0, kCorner);
  LineWithoutEnd(p, w - 2, 0, w, 2, kCorner);
  LineWithoutEnd(p, 0, h - 2, 2, h, kCorner);
  LineWithoutEnd(p, w - 3, h, w, h - 3, kCorner);
}

void TdxButton::Paint(QPainter& p) {
  const int w = width();
  const int h = height();
  p.fillRect(QRect(0, 0, w, h), BackgroundColor());

  const bool hl = IsHighlighted(false);
  if (hl) p.drawImage(1, 1, Hot() ? hot_gradient_ : focus_gradient_);
  if (Hot() && Pressed()) {
    p.drawImage(1, 1, pressed_gradient_);
  } else {
    const int k = hl ? 1 : 0;
    const int fw = std::min(w - 6 * k, face_.width());
    const int fh = std::min(h - 6 * k, face_.height());
    if (fw > 0 && fh > 0) p.drawImage(QPoint(1 + 2 * k, 1 + 2 * k), face_, QRect(0, 0, fw, fh));
  }

  if (Focused() && show_focus_rect_) {
    // The dotted focus rectangle inverts every other pixel of its border.
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const int l = 3, t = 3, r = w - 4, b = h - 4;
    for (int x = l; x <= r; ++x) {
      for (int y : {t, b}) {
        if ((x + y) % 2 == 0 && (y == t || b != t)) p.fillRect(QRect(x, y, 1, 1), Qt::white);
      }
    }
    for (int y = t + 1; y < b; ++y) {
      for (int x : {l, r}) {
        if ((x + y) % 2 == 0 && (x == l || r != l)) p.fillRect(QRect(x, y, 1, 1), Qt::white);
      }
    }
    p.restore();
  }

  DrawFrame(p);

  const QImage picture = Picture();
  const int pw = picture.width();
  const int ph = picture.height();
  const int s = spacing_;
  int left = 0, top = 0, right = w, bottom = h;
  ButtonTextFormat format;
  format.show_accel = show_accel_char_;
  format.right_to_left = layoutDirection() == Qt::RightToLeft;
  if (!picture.isNull()) {
    switch (layout_) {
      case TdxLayout::blGlyphLeft:
        left += pw + s;
        break;
      case TdxLayout::blGlyphRight:
        left -= pw + s;
        right -= 2 * (pw + s);
        format.right_aligned = true;
        break;
      case TdxLayout::blGlyphTop:
        top += ph + s;
        break;
      case TdxLayout::blGlyphBottom:
        top -= ph + s;
        break;
    }
  }
  const QFont font = this->font();
  QRect r =
      MeasureButtonText(Caption(), font, QRect(left, top, right - left, bottom - top), format);
  r.translate((w - (r.left() + r.width())) / 2, (h - (r.top() + r.height())) / 2);
  const int shift = (Hot() && Pressed()) ? 1 : 0;
  r.translate(shift, shift);

  if (!picture.isNull()) {
    QPoint at;
    switch (layout_) {
      case TdxLayout::blGlyphLeft:
        at = QPoint(r.left() - pw - s, (h - ph) / 2 + shift);
        break;
      case TdxLayout::blGlyphRight:
        at = QPoint(r.left() + r.width() + s, (h - ph) / 2 + shift);
        break;
      case TdxLayout::blGlyphTop:
        at = QPoint((w - pw) / 2 + shift, r.top() - ph - s);
        break;
      case TdxLayout::blGlyphBottom:
        at = QPoint((w - pw) / 2 + shift, r.top() + r.height() + s);
        break;
    }
    p.drawImage(at, KeyedPicture(picture));
  }
  DrawButtonText(p, Caption(), font, r, format, isEnabled(), FontColor(), palette());
}

void TdxButton::keyPressEvent(QKeyEvent* event) {
  const auto held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
  if (event->key() == Qt::Key_Space && !(event->modifiers() & held)) {
    NoteKeyPress(event->key());
    SetHotFlag(true);
    StateMouseDown();
    RaiseKeyDown(event->key(), event->modifiers());
    event->accept();
    return;
  }
  TdxCustomControl::keyPressEvent(event);
}

void TdxButton::KeyReleased(int key, Qt::KeyboardModifiers modifiers) {
  // Any key's real release ends a keyboard press.
  if (!Pressed()) {
    TdxCustomControl::KeyReleased(key, modifiers);
    return;
  }
  if (!PointerInside()) SetHotFlag(false);
  SetPressedFlag(false);
  update();
  Click();
  RaiseKeyUp(key, modifiers);
}

bool TdxButton::DialogKey(int key, Qt::KeyboardModifiers modifiers) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if ((hasFocus() || (default_ && !FlatControlActive())) && CanFocus()) {
      Click();
      return true;
    }
    return false;
  }
  if (key == Qt::Key_Escape) {
    const auto held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (cancel_ && !(modifiers & held) && CanFocus()) {
      Click();
      return true;
    }
  }
  return false;
}

QString TdxButton::AccessibleName() const {
  return show_accel_char_ ? StripAccelerators(Caption()) : Caption();
}

void TdxButton::SetAction(TAction* action) {
  if (!action && image_link_) {
    disconnect(image_link_);
    subscribed_images_ = nullptr;
  }
  TAction* old = Action();
  if (old && old != action) disconnect(old, &TAction::ImageIndexChanged, this, nullptr);
  if (action && action != old) {
    connect(action, &TAction::ImageIndexChanged, this, [this](int index) {
      image_index_ = index;
      update();
    });
  }
  TdxCustomControl::SetAction(action);
}

void TdxButton::SubscribeImages(TImageList* images) {
  if (subscribed_images_ == images) return;
  if (image_link_) disconnect(image_link_);
  subscribed_images_ = images;
  image_link_ = connect(images, &TImageList::Changed, this, [this] { ImageRefresh(); });
}

void TdxButton::ActionChange() {
  TdxCustomControl::ActionChange();
  TAction* action = Action();
  TImageList* images = action ? action->Images() : nullptr;
  if (images) {
    SubscribeImages(images);
    if (action->ImageIndex() >= 0 && action->ImageIndex() < images->Count()) {
      image_index_ = action->ImageIndex();
    }
  }
  update();
}

void TdxButton::ImageRefresh() {
  TAction* action = Action();
  TImageList* images = action ? action->Images() : nullptr;
  image_index_ = (images && action->ImageIndex() < images->Count()) ? action->ImageIndex() : -1;
  update();
}

}  // namespace qrv
