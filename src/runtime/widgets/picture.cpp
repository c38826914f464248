#include "picture.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>

#include "accessibility.h"
#include "runtime/exceptions.h"
#include "runtime/fs/drive_map.h"

namespace qrv {

TImage::TImage(QWidget* parent) : QWidget(parent) {
  InstallWidgetAccessibility();
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  setFocusPolicy(Qt::NoFocus);
}

void TImage::LoadFromFile(const std::string& path) {
  const auto host = fs::ToHostPath(path);
  if (!host) throw EFOpenError(path);
  QFile file(QString::fromStdString(*host));
  if (!file.open(QIODevice::ReadOnly)) throw EFOpenError(path);
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  QImage image = reader.read();
  if (image.isNull()) throw EInvalidGraphic();
  SetPicture(QPixmap::fromImage(std::move(image)));
}

void TImage::LoadFromResource(const QString& resource) {
  // The same frame and line pictures appear in many windows; each is decoded once and shared.
  QPixmap picture;
  if (!QPixmapCache::find(resource, &picture)) {
    if (!picture.load(resource)) throw EInvalidGraphic();
    QPixmapCache::insert(resource, picture);
  }
  SetPicture(picture);
}

void TImage::SetPicture(const QPixmap& picture) {
  if (picture.cacheKey() == picture_.cacheKey()) return;
  picture_ = picture;
  keyed_ = QPixmap();
  update();
}

void TImage::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  keyed_ = QPixmap();
  update();
}

const QPixmap& TImage::Shown() {
  if (!transparent_ || picture_.isNull()) return picture_;
  if (keyed_.isNull()) {
    QImage image = picture_.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1) | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        if ((line[x] | 0xFF000000u) == key) line[x] = 0;
      }
    }
    keyed_ = QPixmap::fromImage(std::move(image));
  }
  return keyed_;
}

void TImage::SetFit(PictureFit fit) {
  if (fit == fit_) return;
  fit_ = fit;
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  const QPixmap& shown = Shown();
  if (fit_ == PictureFit::Stretch) {
    // Smoothing would blend the left-out pixels into their neighbours' edges.
    if (!transparent_) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), shown);
  } else {
    painter.drawPixmap(0, 0, shown);
  }
}

}  // namespace qrv
