#include "controls/font.h"

#include <QFontMetrics>
#include <cmath>

#include "runtime/fonts.h"

namespace qrv {

TFont::TFont() : name_(QStringLiteral("MS Sans Serif")), height_(-11), color_(clWindowText) {}

QFont TFont::ToQFont() const {
  QFont font(MapFontFace(name_));
  font.setBold(bold_);
  font.setItalic(italic_);
  font.setUnderline(underline_);
  font.setStrikeOut(strike_out_);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  if (height_ < 0) {
    font.setPixelSize(-height_);
  } else if (height_ > 0) {
    // A positive height names the whole cell; shrink the character size until the cell fits.
    int size = height_;
    font.setPixelSize(size);
    while (size > 1 && QFontMetrics(font).height() > height_) font.setPixelSize(--size);
  }
  return font;
}

TFont TFont::FromQFont(const QFont& font, TColor color) {
  TFont f;
  f.name_ = font.family();
  f.height_ = font.pixelSize() > 0
                  ? -font.pixelSize()
                  : -static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
  f.color_ = color;
  f.bold_ = font.bold();
  f.italic_ = font.italic();
  f.underline_ = font.underline();
  f.strike_out_ = font.strikeOut();
  return f;
}

}  // namespace qrv
