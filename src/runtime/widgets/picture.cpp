#include "picture.h"

#include <QPainter>

#include "accessibility.h"
#include "picture_file.h"
#include "runtime/exceptions.h"

namespace qrv {

TImage::TImage(QWidget* parent) : QWidget(parent) {
  InstallWidgetAccessibility();
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
  setFocusPolicy(Qt::NoFocus);
}

void TImage::LoadFromFile(const std::string& path) {
  SetPicture(QPixmap::fromImage(DecodePictureFile(path)));
}

void TImage::LoadFromResource(const QString& resource) {
  QPixmap picture(resource);
  if (picture.isNull()) throw EInvalidGraphic();
  SetPicture(picture);
}

void TImage::SetPicture(const QPixmap& picture) {
  if (picture.cacheKey() == picture_.cacheKey()) return;
  picture_ = picture;
  update();
}

void TImage::SetFit(PictureFit fit) {
  if (fit == fit_) return;
  fit_ = fit;
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  if (fit_ == PictureFit::Stretch) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture_);
  } else {
    painter.drawPixmap(0, 0, picture_);
  }
}

}  // namespace qrv
