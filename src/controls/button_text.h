#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPalette>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;

namespace qrv {

// How the flat button lays out its caption: word-wrapped within the rectangle's width, each line
// that still does not fit ended with "...", lines left- or right-aligned.
struct ButtonTextFormat {
  bool show_accel = true;      // "&" marks the next character; false: shown as typed
  bool right_aligned = false;  // lines hug the right edge
  bool right_to_left = false;  // reading order of the control
};

struct ButtonTextLine {
  QString text;
  QList<int> underlined;  // positions in text of underlined characters
  int width = 0;
};

// The laid-out lines of a caption for a width (no wrapping when the width is not positive).
std::vector<ButtonTextLine> LayoutButtonText(const QString& text, const QFont& font, int width,
                                             const ButtonTextFormat& format);

// Measuring: R keeps its left and top edges and gets right and bottom at the extent of the
// laid-out text. An empty text, or a lone "&" when prefixes are shown, measures as one space.
QRect MeasureButtonText(const QString& text, const QFont& font, const QRect& r,
                        const ButtonTextFormat& format);

// Drawing with a transparent background: in the font colour when enabled; when disabled, first in
// the highlight colour one pixel right and down, then in the shadow colour.
void DrawButtonText(QPainter& p, const QString& text, const QFont& font, const QRect& r,
                    const ButtonTextFormat& format, bool enabled, const QColor& color,
                    const QPalette& palette);

}  // namespace qrv
