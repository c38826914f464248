#include "controls/font.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <cmath>

namespace qrv {

namespace {

bool Installed(const QString& family) {
  static const QStringList families = QFontDatabase::families();
  return families.contains(family, Qt::CaseInsensitive);
}

QString FirstInstalled(std::initializer_list<const char*> candidates, const QString& fallback) {
  for (const char* c : candidates) {
    if (Installed(QString::fromLatin1(c))) return QString::fromLatin1(c);
  }
  return fallback;
}

}  // namespace

QString MapFontFace(const QString& face) {
  const QString f = face.trimmed().toLower();
  if (f == "ms sans serif" || f == "microsoft sans serif" || f == "arial" || f == "tahoma" ||
      f == "verdana" || f == "ms shell dlg" || f == "ms shell dlg 2" || f == "system") {
    return FirstInstalled({"Liberation Sans", "Arimo", "DejaVu Sans"}, "Sans Serif");
  }
  if (f == "ms serif" || f == "times new roman") {
    return FirstInstalled({"Liberation Serif", "Tinos", "DejaVu Serif"}, "Serif");
  }
  if (f == "courier" || f == "courier new" || f == "fixedsys" || f == "terminal") {
    return FirstInstalled({"Liberation Mono", "Cousine", "DejaVu Sans Mono"}, "Monospace");
  }
  if (f.isEmpty()) return FirstInstalled({"Liberation Sans", "DejaVu Sans"}, "Sans Serif");
  return face;
}

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
