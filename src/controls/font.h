#pragma once

#include <QFont>
#include <QString>

#include "controls/color.h"

namespace qrv {

// The face installed on this system that stands in for a face named by a window layout, keeping
// its metrics as close as possible ("MS Sans Serif" becomes a sans face of the same pixel size).
QString MapFontFace(const QString& face);

// A control's font as the layouts describe it: a face name, a height (negative: character height
// in pixels; positive: cell height including the internal leading), a colour and a style.
class TFont {
 public:
  TFont();

  const QString& Name() const { return name_; }
  void SetName(const QString& name) { name_ = name; }
  int Height() const { return height_; }
  void SetHeight(int height) { height_ = height; }
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  bool Bold() const { return bold_; }
  void SetBold(bool on) { bold_ = on; }
  bool Italic() const { return italic_; }
  void SetItalic(bool on) { italic_ = on; }
  bool Underline() const { return underline_; }
  void SetUnderline(bool on) { underline_ = on; }
  bool StrikeOut() const { return strike_out_; }
  void SetStrikeOut(bool on) { strike_out_ = on; }

  // The Qt font to draw with. Glyphs are drawn without smoothing, as the bitmap faces of the
  // layouts were, so that captions keep their crisp one-colour look.
  QFont ToQFont() const;

  // The attributes of a Qt font, with the given colour.
  static TFont FromQFont(const QFont& font, TColor color);

  bool operator==(const TFont&) const = default;

 private:
  QString name_;
  int height_;
  TColor color_;
  bool bold_ = false;
  bool italic_ = false;
  bool underline_ = false;
  bool strike_out_ = false;
};

}  // namespace qrv
