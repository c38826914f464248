#include "label.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include "accessibility.h"

namespace qrv {

TLabel::TLabel(QWidget* parent) : QWidget(parent) {
  InstallWidgetAccessibility();
  // The parent's picture shows through everywhere the text does not cover.
  setAttribute(Qt::WA_TranslucentBackground);
  setAutoFillBackground(false);
  setFocusPolicy(Qt::NoFocus);
}

void TLabel::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (sizing_ == LabelSizing::AutoSize) resize(sizeHint());
  Refresh();
  AnnounceShownText(this, QAccessible::NameChanged);
}

void TLabel::SetAlignment(LabelAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Refresh();
}

void TLabel::SetSizing(LabelSizing sizing) {
  if (sizing == sizing_) return;
  sizing_ = sizing;
  if (sizing_ == LabelSizing::AutoSize) resize(sizeHint());
  Refresh();
}

void TLabel::SetFontColor(const QColor& color) {
  if (color == color_) return;
  color_ = color;
  Refresh();
}

QSize TLabel::sizeHint() const {
  const QFontMetrics metrics(font());
  return QSize(metrics.horizontalAdvance(caption_), metrics.height());
}

void TLabel::Refresh() {
  ++repaint_requests_;
  update();
}

void TLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange && sizing_ == LabelSizing::AutoSize) resize(sizeHint());
  QWidget::changeEvent(event);
}

void TLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(color_);
  Qt::Alignment flags = Qt::AlignTop;
  switch (alignment_) {
    case LabelAlignment::Left:
      flags |= Qt::AlignLeft;
      break;
    case LabelAlignment::Center:
      flags |= Qt::AlignHCenter;
      break;
    case LabelAlignment::Right:
      flags |= Qt::AlignRight;
      break;
  }
  painter.drawText(rect(), static_cast<int>(flags) | Qt::TextSingleLine, caption_);
}

}  // namespace qrv
