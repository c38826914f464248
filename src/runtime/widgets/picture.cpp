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

QPixmap TImage::Picture() const {
  return picture_.isNull() && !keyed_.isNull() ? Unkeyed() : picture_;
}

void TImage::SetPicture(const QPixmap& picture) {
  if (keyed_.isNull() && picture.cacheKey() == picture_.cacheKey()) return;
  picture_ = picture;
  keyed_ = QPixmap();
  update();
}

void TImage::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  if (picture_.isNull() && !keyed_.isNull()) picture_ = Unkeyed();
  transparent_ = transparent;
  keyed_ = QPixmap();
  update();
}

namespace {

// Gives every pixel of `image` (ARGB32) the colour `change` makes of it.
template <typename Change>
void ChangePixels(QImage& image, Change change) {
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) line[x] = change(line[x]);
  }
}

}  // namespace

const QPixmap& TImage::Shown() {
  if (!transparent_) return picture_;
  if (keyed_.isNull() && !picture_.isNull()) {
    QImage image = picture_.toImage().convertToFormat(QImage::Format_ARGB32);
    key_ = image.pixel(0, image.height() - 1) | 0xFF000000u;
    ChangePixels(image, [key = key_](QRgb c) { return (c | 0xFF000000u) == key ? 0 : c; });
    keyed_ = QPixmap::fromImage(std::move(image));
    // An opaque picture is told again exactly from its keyed copy (the left-out pixels were all
    // of the key colour), so only one of the two is kept: a background holds 600 kB.
    if (!picture_.hasAlphaChannel()) picture_ = QPixmap();
  }
  return keyed_.isNull() ? picture_ : keyed_;
}

QPixmap TImage::Unkeyed() const {
  QImage image = keyed_.toImage().convertToFormat(QImage::Format_ARGB32);
  ChangePixels(image, [key = key_](QRgb c) { return qAlpha(c) == 0 ? key : c; });
  return QPixmap::fromImage(image.convertToFormat(QImage::Format_RGB32));
}

void TImage::SetFit(PictureFit fit) {
  if (fit == fit_) return;
  fit_ = fit;
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  const QPixmap& shown = Shown();
  if (shown.isNull()) return;
  QPainter painter(this);
  if (fit_ == PictureFit::Stretch) {
    // Smoothing would blend the left-out pixels into their neighbours' edges.
    if (!transparent_) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), shown);
  } else {
    painter.drawPixmap(0, 0, shown);
  }
}

}  // namespace qrv
