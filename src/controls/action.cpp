#include "controls/action.h"

#include <QPainter>

namespace qrv {

TImageList::TImageList(int width, int height, QObject* parent)
    : QObject(parent), width_(width > 0 ? width : 16), height_(height > 0 ? height : 16) {}

QImage TImageList::Fit(const QImage& image) const {
  QImage fitted(width_, height_, QImage::Format_ARGB32);
  fitted.fill(Qt::transparent);
  QPainter p(&fitted);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(0, 0, image.convertToFormat(QImage::Format_ARGB32));
  return fitted;
}

int TImageList::Add(const QImage& image) {
  images_.push_back(Fit(image));
  emit Changed();
  return Count() - 1;
}

void TImageList::Replace(int index, const QImage& image) {
  if (index < 0 || index >= Count()) return;
  images_[static_cast<size_t>(index)] = Fit(image);
  emit Changed();
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  images_.erase(images_.begin() + index);
  emit Changed();
}

void TImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  emit Changed();
}

QImage TImageList::Image(int index) const {
  if (index < 0 || index >= Count()) return QImage();
  return images_[static_cast<size_t>(index)];
}

void TImageList::Draw(QPainter& painter, int x, int y, int index, bool enabled) const {
  QImage image = Image(index);
  if (image.isNull()) return;
  if (!enabled) {
    for (int row = 0; row < image.height(); ++row) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
      for (int col = 0; col < image.width(); ++col) {
        const int v = (qGray(line[col]) + 255) / 2;
        line[col] = qRgba(v, v, v, qAlpha(line[col]));
      }
    }
  }
  painter.drawImage(x, y, image);
}

TActionList::TActionList(QObject* parent) : QObject(parent) {}

void TActionList::SetImages(TImageList* images) {
  if (images_ == images) return;
  images_ = images;
  emit ImagesChanged();
}

TAction::TAction(TActionList* list) : QObject(list) {
  SetActionList(list);
}

void TAction::SetActionList(TActionList* list) {
  if (list_ == list) return;
  if (list_) disconnect(list_, nullptr, this, nullptr);
  list_ = list;
  if (list_) connect(list_, &TActionList::ImagesChanged, this, &TAction::Changed);
  emit Changed();
}

void TAction::SetCaption(const QString& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  emit Changed();
}

void TAction::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  emit Changed();
}

void TAction::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  emit Changed();
}

void TAction::SetHint(const QString& hint) {
  if (hint_ == hint) return;
  hint_ = hint;
  emit Changed();
}

void TAction::SetImageIndex(int index) {
  if (image_index_ == index) return;
  image_index_ = index;
  emit ImageIndexChanged(index);
  emit Changed();
}

bool TAction::Execute() {
  if (!enabled_ || !on_execute_) return false;
  on_execute_(this);
  return true;
}

}  // namespace qrv
