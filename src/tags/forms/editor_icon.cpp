#include "editor_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qrv {
namespace {

QPixmap DrawIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);

  // The tag: a blue card with a cut corner and a punched hole, leaning a little.
  p.translate(16, 16);
  p.rotate(-20);
  p.translate(-16, -16);
  QPainterPath tag;
  tag.moveTo(9, 4);
  tag.lineTo(28, 4);
  tag.lineTo(28, 28);
  tag.lineTo(9, 28);
  tag.lineTo(3, 16);
  tag.closeSubpath();
  p.setPen(QPen(QColor(0, 0, 128), 1.5));
  p.setBrush(QColor(0, 0, 255));
  p.drawPath(tag);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(9, 16), 2, 2);

  // The note on it.
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(16.5, 22), 3, 2.2);
  p.drawEllipse(QPointF(23.5, 20), 3, 2.2);
  p.setPen(QPen(Qt::white, 1.6));
  p.drawLine(QPointF(19.2, 22), QPointF(19.2, 9));
  p.drawLine(QPointF(26.2, 20), QPointF(26.2, 7));
  p.setPen(QPen(Qt::white, 2.6));
  p.drawLine(QPointF(19.2, 9.5), QPointF(26.2, 7.5));
  return pixmap;
}

}  // namespace

QIcon AudioEditorIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addPixmap(DrawIcon(size));
  return icon;
}

}  // namespace qrv
