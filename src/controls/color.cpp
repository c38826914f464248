#include "controls/color.h"

#include <QApplication>

namespace qrv {

namespace {

// Which palette entry stands for each colour of the desktop scheme. The classic scheme has more
// entries than a Qt palette; the nearest role in meaning is used for the others.
QColor SchemeColor(unsigned index, const QPalette& p) {
  using R = QPalette::ColorRole;
  switch (index) {
    case 0:
      return p.color(R::Mid);  // scroll bar
    case 1:
      return p.color(R::Shadow);  // desktop
    case 2:
      return p.color(R::Highlight);  // active caption
    case 3:
      return p.color(QPalette::Inactive, R::Highlight);  // inactive caption
    case 4:
      return p.color(R::Window);  // menu
    case 5:
      return p.color(R::Base);  // window
    case 6:
      return p.color(R::Shadow);  // window frame
    case 7:
      return p.color(R::WindowText);  // menu text
    case 8:
      return p.color(R::Text);  // window text
    case 9:
      return p.color(R::HighlightedText);  // caption text
    case 10:
      return p.color(R::Button);  // active border
    case 11:
      return p.color(R::Button);  // inactive border
    case 12:
      return p.color(R::Dark);  // application work space
    case 13:
      return p.color(R::Highlight);  // highlight
    case 14:
      return p.color(R::HighlightedText);  // highlight text
    case 15:
      return p.color(R::Button);  // button face
    case 16:
      return p.color(R::Dark);  // button shadow
    case 17:
      return p.color(QPalette::Disabled, R::Text);  // gray text
    case 18:
      return p.color(R::ButtonText);  // button text
    case 19:
      return p.color(QPalette::Inactive, R::HighlightedText);
    case 20:
      return p.color(R::Light);  // button highlight
    case 21:
      return p.color(R::Shadow);  // dark 3D shadow
    case 22:
      return p.color(R::Midlight);  // 3D light
    case 23:
      return p.color(R::ToolTipText);  // info text
    case 24:
      return p.color(R::ToolTipBase);  // info background
    default:
      return p.color(R::Button);
  }
}

QPalette AppPalette() {
  return QApplication::instance() ? QApplication::palette() : QPalette();
}

}  // namespace

TColor ColorToRGB(TColor c, const QPalette& palette) {
  if (IsSystemColor(c)) return FromQRgb(SchemeColor(c & 0xFFu, palette).rgb());
  return c & 0x00FFFFFFu;
}

TColor ColorToRGB(TColor c) {
  return ColorToRGB(c, AppPalette());
}

QRgb ToQRgb(TColor c, const QPalette& palette) {
  const TColor rgb = ColorToRGB(c, palette);
  return qRgb(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

QRgb ToQRgb(TColor c) {
  return ToQRgb(c, AppPalette());
}

QColor ToQColor(TColor c, const QPalette& palette) {
  return QColor(ToQRgb(c, palette));
}

QColor ToQColor(TColor c) {
  return QColor(ToQRgb(c));
}

}  // namespace qrv
