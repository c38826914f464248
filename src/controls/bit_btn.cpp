#include "controls/bit_btn.h"

#include <QFontMetrics>

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
  // The key is resolved against the same palette as when the glyph is drawn, so that a system
  // colour leaves the same pixels untouched in the gray images as it leaves out of the glyph.
  const QPalette& palette = this->palette();
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

}  // namespace qrv
