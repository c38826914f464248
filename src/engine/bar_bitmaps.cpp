#include "bar_bitmaps.h"

#include <QPainter>
#include <QPainterPath>
#include <map>

namespace qrv {
namespace {

enum class Look { Enabled, Disabled, Coloured };

struct Glyph {
  const char* name;
  int width;
  int height;
  QColor colour;  // the coloured look's ink
};

// Widths 12 to 21 and heights 13 or 16, as the classic bar's artwork had.
const Glyph kGlyphs[] = {
    {"MPPLAY", 15, 16, QColor(0, 128, 0)},  {"MPPAUSE", 14, 16, QColor(0, 0, 128)},
    {"MPSTOP", 13, 16, QColor(128, 0, 0)},  {"MPNEXT", 16, 16, QColor(0, 0, 128)},
    {"MPPREV", 16, 16, QColor(0, 0, 128)},  {"MPSTEP", 21, 13, QColor(0, 0, 128)},
    {"MPBACK", 21, 13, QColor(0, 0, 128)},  {"MPRECORD", 12, 16, QColor(255, 0, 0)},
    {"MPEJECT", 17, 16, QColor(0, 0, 128)},
};

void Triangle(QPainterPath& path, QPointF a, QPointF b, QPointF c) {
  path.moveTo(a);
  path.lineTo(b);
  path.lineTo(c);
  path.closeSubpath();
}

QPainterPath Shape(const std::string& name, int w, int h) {
  QPainterPath p;
  const double top = 3, bottom = h - 3, mid = h / 2.0;
  if (name == "MPPLAY") {
    Triangle(p, {4, top}, {w - 4.0, mid}, {4, bottom});
  } else if (name == "MPPAUSE") {
    p.addRect(3, top, 3, bottom - top);
    p.addRect(w - 6, top, 3, bottom - top);
  } else if (name == "MPSTOP") {
    p.addRect(3, top + 1, w - 6, bottom - top - 2);
  } else if (name == "MPNEXT") {
    Triangle(p, {3, top}, {w - 6.0, mid}, {3, bottom});
    p.addRect(w - 5, top, 2, bottom - top);
  } else if (name == "MPPREV") {
    p.addRect(3, top, 2, bottom - top);
    Triangle(p, {w - 3.0, top}, {6, mid}, {w - 3.0, bottom});
  } else if (name == "MPSTEP") {
    Triangle(p, {3, top}, {10, mid}, {3, bottom});
    Triangle(p, {10, top}, {17, mid}, {10, bottom});
    p.addRect(18, top, 1, bottom - top);
  } else if (name == "MPBACK") {
    p.addRect(2, top, 1, bottom - top);
    Triangle(p, {11, top}, {4, mid}, {11, bottom});
    Triangle(p, {18, top}, {11, mid}, {18, bottom});
  } else if (name == "MPRECORD") {
    p.addEllipse(QRectF(2, mid - 4, 8, 8));
  } else if (name == "MPEJECT") {
    Triangle(p, {3, mid}, {w / 2.0, top}, {w - 3.0, mid});
    p.addRect(3, mid + 2, w - 6, 3);
  }
  return p;
}

QImage Draw(const Glyph& glyph, Look look) {
  QImage image(glyph.width, glyph.height, QImage::Format_RGB32);
  image.fill(kBarTransparent);
  QPainter painter(&image);
  const QPainterPath shape = Shape(glyph.name, glyph.width, glyph.height);
  painter.setPen(Qt::NoPen);
  switch (look) {
    case Look::Enabled:
      painter.fillPath(shape, Qt::black);
      break;
    case Look::Coloured:
      painter.fillPath(shape, glyph.colour);
      break;
    case Look::Disabled:
      // The engraved look of a disabled glyph: a white copy one pixel down and right.
      painter.fillPath(shape.translated(1, 1), Qt::white);
      painter.fillPath(shape, QColor(128, 128, 128));
      break;
  }
  return image;
}

std::map<std::string, QImage> BuildAll() {
  std::map<std::string, QImage> all;
  for (const Glyph& g : kGlyphs) {
    all[std::string("EN_") + g.name] = Draw(g, Look::Enabled);
    all[std::string("DI_") + g.name] = Draw(g, Look::Disabled);
    all[std::string("CL_") + g.name] = Draw(g, Look::Coloured);
  }
  return all;
}

}  // namespace

const QImage& BarBitmap(const std::string& name) {
  static const std::map<std::string, QImage> all = BuildAll();
  static const QImage none;
  auto it = all.find(name);
  return it == all.end() ? none : it->second;
}

}  // namespace qrv
