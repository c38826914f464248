// Painting of the bitmap button: the layout of glyph and caption, and the rest, hot, pressed and
// disabled looks.
#include <QFontMetrics>
#include <QPainter>

#include "controls/bit_btn.h"

namespace qrv {

void TCustomDDMBitBtn::PaintBackground(QPainter& p) {
  if (transparent_) return;
  p.fillRect(QRect(0, 0, width(), height()), ToQColor(color_, palette()));
}

void TCustomDDMBitBtn::ComputeLayout(QPainter& p) {
  PaintBackground(p);
  const int w = width();
  const int h = height();
  const int cw = CellWidth();
  const int gw = glyph_.width();
  const int gh = glyph_.height();
  const int s = spacing_;
  origins_.glyph_left = (w - cw) / 2;
  origins_.glyph_top = (h - gh) / 2;
  if (!show_caption_ || caption_.isEmpty()) return;
  const QSize t = CaptionSize();
  const int tw = t.width();
  const int th = t.height();
  switch (layout_) {
    case TButtonLayout::blGlyphBottom:
      origins_.glyph_top = (h - gh) / 2 + s;
      origins_.caption_left = (w - tw) / 2;
      origins_.caption_top = (h - th) / 2 - gh / 2 - s;
      break;
    case TButtonLayout::blGlyphLeft:
      origins_.glyph_left = (w - cw - tw - s) / 2;
      origins_.caption_left = origins_.glyph_left + cw + s;
      origins_.caption_top = (h - th) / 2;
      break;
    case TButtonLayout::blGlyphRight:
      origins_.glyph_left = (w + tw + s - gw) / 2;
      origins_.caption_left = origins_.glyph_left - tw - s;
      origins_.caption_top = (h - th) / 2;
      break;
    case TButtonLayout::blGlyphTop:
      origins_.glyph_top = (h - gh) / 2 - s;
      origins_.caption_left = (w - tw) / 2;
      origins_.caption_top = (h - th) / 2 + gh / 2 + s;
      break;
  }
}

void TCustomDDMBitBtn::DrawCaption(QPainter& p, int dx, int dy, QColor color) {
  const QSize t = CaptionSize();
  const QRect r(origins_.caption_left + dx, origins_.caption_top + dy, t.width(), t.height());
  p.setFont(font_.ToQFont());
  p.setPen(color);
  p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, caption_);
}

void TCustomDDMBitBtn::DrawGlyph(QPainter& p, const QImage& image, KeyedImage& cache, TColor key,
                                 int dx, int dy) {
  if (image.isNull()) return;
  const int cw = CellWidth();
  if (cw <= 0) return;
  const QImage& keyed = cache.Get(image, ColorToRGB(key, palette()));
  p.drawImage(QPoint(origins_.glyph_left + dx, origins_.glyph_top + dy), keyed,
              QRect(0, 0, cw, image.height()));
}

void TCustomDDMBitBtn::Paint(QPainter& p) {
  ComputeLayout(p);
  const int w = width();
  const int h = height();
  const QColor white(Qt::white);
  const QColor shadow = ToQColor(clBtnShadow, palette());
  const QColor gray = ToQColor(clGray);
  if (down_) {
    p.fillRect(QRect(w - 1, 0, 1, h - 1), white);
    p.fillRect(QRect(0, h - 1, w, 1), white);
    p.fillRect(QRect(0, 0, 1, h - 1), shadow);
    p.fillRect(QRect(0, 0, w - 1, 1), shadow);
    if (show_caption_) {
      QColor color = ToQColor(font_.Color(), palette());
      if (!Enabled()) {
        DrawCaption(p, 2, 2, white);
        color = gray;
      }
      DrawCaption(p, 1, 1, color);
    }
    DrawGlyph(p, glyph_, glyph_keyed_, transparent_color_, 1, 1);
    return;
  }
  if (show_caption_) {
    QColor color = ToQColor(font_.Color(), palette());
    if (!Enabled()) {
      DrawCaption(p, 1, 1, white);
      color = gray;
    }
    DrawCaption(p, 0, 0, color);
  }
  if (Enabled()) {
    DrawGlyph(p, gray_, gray_keyed_, gray_key_, 0, 0);
    if (hot_) PaintHot(p);
  } else {
    DrawGlyph(p, disabled_, disabled_keyed_, disabled_key_, 0, 0);
  }
}

void TCustomDDMBitBtn::PaintHot(QPainter& p) {
  if (down_ || !Enabled()) return;
  if (parentWidget() && !parentWidget()->isEnabled()) return;
  if (!window()->isEnabled()) return;
  ComputeLayout(p);
  PaintBackground(p);
  const int w = width();
  const int h = height();
  const QColor shadow = ToQColor(clBtnShadow, palette());
  p.fillRect(QRect(0, 0, 1, h), Qt::white);
  p.fillRect(QRect(0, 0, w, 1), Qt::white);
  p.fillRect(QRect(w - 1, 0, 1, h - 1), shadow);
  p.fillRect(QRect(0, h - 1, w, 1), shadow);
  if (show_caption_) DrawCaption(p, 0, 0, ToQColor(font_.Color(), palette()));
  DrawGlyph(p, glyph_, glyph_keyed_, transparent_color_, 0, 0);
}

void TCustomDDMBitBtn::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Paint(p);
}

}  // namespace qrv
