// Draws the program's icon, the blue disc of the main window's icon, at the sizes desktop icon
// themes ask for, so that menus and task bars show it sharp at any size:
//   qrv_draw_icons OUTPUT_DIR NAME  writes OUTPUT_DIR/hicolor/<n>x<n>/apps/NAME.png
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The artwork on a 32-unit grid: a deep blue disc, a pale ring round its black hole, and the
// pale block at the lower right that makes the disc read as a "Q".
QImage DrawIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  p.setPen(Qt::NoPen);
  const QPointF centre(15.5, 15.5);
  p.setBrush(QColor(16, 48, 192));
  p.drawEllipse(centre, 13.5, 13.5);
  p.setBrush(QColor(127, 156, 200));
  p.drawEllipse(centre, 6.5, 6.5);
  p.setBrush(QColor(2, 7, 30));
  p.drawEllipse(centre, 3.8, 3.8);
  p.setBrush(QColor(127, 156, 200));
  p.setPen(QPen(QColor(6, 20, 83), 0.6));
  p.drawRect(QRectF(20, 18, 9, 12.5));
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qrv_draw_icons OUTPUT_DIR NAME\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (int size : kSizes) {
    const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
    const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
    if (!QDir().mkpath(dir) || !DrawIcon(size).save(file, "PNG")) {
      std::fprintf(stderr, "qrv_draw_icons: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
