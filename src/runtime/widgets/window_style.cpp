#include "window_style.h"

#include <QPalette>

namespace qrv {

void SetColors(QWidget* widget, const QColor& background, const QColor& text) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::ButtonText, text);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace qrv
