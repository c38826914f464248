#include "picture.h"

#include <QPainter>
#include <QPixmapCache>

#include "accessibility.h"
#include "picture_file.h"
#include "picture_scaled.h"
#include "runtime/exceptions.h"

namespace qrv {

TImage::TImage(QWidget* parent) : QWidget(parent) {
  InstallWidgetAccessibility();
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  setFocusPolicy(Qt::NoFocus);
}

void TImage::LoadFromFile(const std::string& path) {
  // A stretched picture is only ever seen at the control's size, so a larger one is decoded to
  // that size; the pixels of a transparent one are picked, not blended, to keep its key colour.
  const QSize shown = fit_ == PictureFit::Stretch ? size() : QSize();
  SetPicture(QPixmap::fromImage(DecodePictureFileScaled(path, shown, !transparent_)));
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
