#include "picture.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

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
