#pragma once

#include <QFont>
#include <QString>
#include <cstdint>

#include "controls/button_accessible.h"
#include "runtime/form.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/picture.h"

namespace qrv {

class TDDMBitBtn;
class TImage;
class TdxButton;

enum class LineDirection { kHorizontal, kVertical };

// Makes the program's own art (frame strips, lines) available to the layouts.
void InitLayoutArt();

// A picture control showing one piece of the program's art, placed and fitted as its layout says.
TImage* ArtPicture(QWidget* parent, const char* name, Bounds bounds, const QString& art,
                   PictureFit fit);

// A one-pixel decorative line: the program's line art shown unscaled, so that a control shorter
// than the art shows just its first part, as a picture in a small control does.
TImage* DecorativeLine(QWidget* parent, const char* name, Bounds bounds, LineDirection direction);

// A label with the given font, sizing and caption, drawn in the layouts' blue.
TLabel* LayoutLabel(QWidget* parent, const char* name, Bounds bounds, LabelSizing sizing,
                    const QFont& font, const QString& caption);

// A transport-style bitmap button with a caption and no glyph, in blue "MS Sans Serif" of the
// given pixel height, and what it does for screen readers.
TDDMBitBtn* CaptionButton(QWidget* parent, const char* name, Bounds bounds, const QString& caption,
                          int font_pixels, bool bold, std::uint32_t transparent_color,
                          ButtonDescriptions description);

// A dialog push button with its caption and what it does for screen readers; it takes the
// window's font and colour.
TdxButton* DialogButton(QWidget* parent, const char* name, Bounds bounds, const QString& caption,
                        ButtonDescriptions description);

}  // namespace qrv
