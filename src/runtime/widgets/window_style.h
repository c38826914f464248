#pragma once

#include <QColor>
#include <QWidget>

namespace qrv {

// Gives a window or control a solid background and a text colour that its child controls
// inherit, as the window definitions set them.
void SetColors(QWidget* widget, const QColor& background, const QColor& text);

}  // namespace qrv
