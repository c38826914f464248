#include "list_icons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace qrv {

namespace {

constexpr int kSize = 16;

void DrawFolder(QPainter& p, bool open, bool current) {
  const QColor body = current ? QColor(0xF2, 0xC1, 0x4E) : QColor(0xE8, 0xB0, 0x30);
  p.setPen(QColor(0x80, 0x5A, 0x10));
  p.setBrush(body.darker(115));
  p.drawRect(1, 3, 6, 2);  // The tab.
  p.drawRect(1, 4, 13, 9);
  if (open) {
    // The front flap leans forward to show the folder is open.
    QPainterPath flap;
    flap.moveTo(3, 7);
    flap.lineTo(15, 7);
    flap.lineTo(13, 13);
    flap.lineTo(1, 13);
    flap.closeSubpath();
    p.setBrush(body.lighter(115));
    p.drawPath(flap);
  }
  if (current) {
    // A sheet of paper sticking out marks the folder being listed.
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(5, 1, 6, 7);
    p.drawLine(6, 3, 10, 3);
    p.drawLine(6, 5, 10, 5);
  }
}

void DrawDriveBody(QPainter& p, const QColor& face) {
  p.setPen(QColor(0x30, 0x30, 0x30));
  p.setBrush(face);
  p.drawRoundedRect(QRectF(0.5, 5.5, 15, 7), 1.5, 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x20, 0xC0, 0x20));
  p.drawRect(12, 9, 2, 2);  // The activity light.
}

void Draw(QPainter& p, ListIcon icon) {
  switch (icon) {
    case ListIcon::OpenFolder:
      DrawFolder(p, true, false);
      break;
    case ListIcon::ClosedFolder:
      DrawFolder(p, false, false);
      break;
    case ListIcon::CurrentFolder:
      DrawFolder(p, true, true);
      break;
    case ListIcon::Floppy:
      p.setPen(QColor(0x10, 0x10, 0x40));
      p.setBrush(QColor(0x30, 0x40, 0x90));
      p.drawRect(1, 1, 13, 13);
      p.setBrush(QColor(0xC0, 0xC0, 0xC8));
      p.drawRect(4, 1, 7, 4);  // The shutter.
      p.setBrush(Qt::white);
      p.drawRect(3, 8, 9, 6);  // The label.
      break;
    case ListIcon::Hard:
      DrawDriveBody(p, QColor(0xB8, 0xB8, 0xB8));
      break;
    case ListIcon::Network:
      DrawDriveBody(p, QColor(0xB8, 0xB8, 0xB8));
      p.setPen(QPen(QColor(0x20, 0x50, 0xB0), 1.5));
      p.drawLine(8, 12, 8, 15);
      p.drawLine(3, 15, 13, 15);
      break;
    case ListIcon::CdRom:
      p.setPen(QColor(0x50, 0x50, 0x60));
      p.setBrush(QColor(0xD8, 0xDC, 0xE8));
      p.drawEllipse(QRectF(1, 1, 14, 14));
      p.setBrush(Qt::white);
      p.drawEllipse(QRectF(6, 6, 4, 4));
      break;
    case ListIcon::Ram:
      p.setPen(QColor(0x10, 0x40, 0x10));
      p.setBrush(QColor(0x20, 0x80, 0x30));
      p.drawRect(0, 4, 15, 7);
      p.setBrush(QColor(0x20, 0x20, 0x20));
      for (int x = 2; x < 14; x += 4) p.drawRect(x, 6, 2, 3);  // Memory chips.
      p.setPen(QColor(0xD0, 0xA0, 0x20));
      for (int x = 1; x < 15; x += 2) p.drawLine(x, 12, x, 13);  // Contacts.
      break;
    case ListIcon::Document:
      p.setPen(QColor(0x50, 0x50, 0x50));
      p.setBrush(Qt::white);
      p.drawRect(3, 1, 9, 13);
      p.setPen(QColor(0x80, 0x80, 0xA0));
      for (int y = 4; y < 13; y += 2) p.drawLine(5, y, 10, y);  // Lines of text.
      break;
  }
}

QImage Render(ListIcon icon) {
  QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  Draw(painter, icon);
  return image;
}

}  // namespace

QString ListIconName(ListIcon icon) {
  switch (icon) {
    case ListIcon::OpenFolder:
      return QStringLiteral("OPENFOLDER");
    case ListIcon::ClosedFolder:
      return QStringLiteral("CLOSEDFOLDER");
    case ListIcon::CurrentFolder:
      return QStringLiteral("CURRENTFOLDER");
    case ListIcon::Floppy:
      return QStringLiteral("FLOPPY");
    case ListIcon::Hard:
      return QStringLiteral("HARD");
    case ListIcon::Network:
      return QStringLiteral("NETWORK");
    case ListIcon::CdRom:
      return QStringLiteral("CDROM");
    case ListIcon::Ram:
      return QStringLiteral("RAM");
    case ListIcon::Document:
      return QStringLiteral("DOCUMENT");
  }
  return {};
}

QPixmap ListIconPixmap(ListIcon icon) {
  // Images, unlike pixmaps, may outlive the application object that a static cache outlives.
  static std::array<QImage, 9> cache;
  QImage& slot = cache[static_cast<size_t>(icon)];
  if (slot.isNull()) slot = Render(icon);
  return QPixmap::fromImage(slot);
}

}  // namespace qrv
