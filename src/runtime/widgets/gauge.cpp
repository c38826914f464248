#include "gauge.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>

#include "accessibility.h"

namespace qrv {

TGauge::TGauge(QWidget* parent) : QWidget(parent) {
  InstallWidgetAccessibility();
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

int TGauge::PercentDone() const {
  const int64_t span = max_ - min_;
  if (span <= 0) return 0;
  // Computed in 128 bits: positions of long media times 100 could overflow 64 bits only in
  // theory, but the clamp below must never see a wrapped value.
  const __int128 done = static_cast<__int128>(progress_ - min_) * 100 / span;
  return static_cast<int>(std::clamp<__int128>(done, 0, 100));
}

void TGauge::SetMaxValue(int64_t value) {
  value = std::max(value, min_);
  if (value == max_) return;
  const int old = PercentDone();
  max_ = value;
  progress_ = std::clamp(progress_, min_, max_);
  Changed(old);
}

void TGauge::SetMinValue(int64_t value) {
  value = std::min(value, max_);
  if (value == min_) return;
  const int old = PercentDone();
  min_ = value;
  progress_ = std::clamp(progress_, min_, max_);
  Changed(old);
}

int64_t TGauge::NextStep() const {
  const int64_t span = max_ - min_;
  const int percent = PercentDone();
  if (span <= 0 || percent >= 100) return max_;
  // The least p with (p - min) * 100 / span >= percent + 1.
  const __int128 needed = (static_cast<__int128>(percent + 1) * span + 99) / 100;
  return min_ + static_cast<int64_t>(needed);
}

void TGauge::SetProgress(int64_t value) {
  value = std::clamp(value, min_, max_);
  if (value == progress_) return;
  const int old = PercentDone();
  progress_ = value;
  Changed(old);
}

void TGauge::SetBackColor(const QColor& color) {
  if (color == back_) return;
  back_ = color;
  Refresh();
}

void TGauge::SetForeColor(const QColor& color) {
  if (color == fore_) return;
  fore_ = color;
  Refresh();
}

void TGauge::Changed(int old_percent) {
  const int percent = PercentDone();
  if (percent == old_percent) return;
  Refresh();
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent event(this, percent);
  QAccessible::updateAccessibility(&event);
  AnnounceShownText(this, QAccessible::NameChanged);
}

void TGauge::Refresh() {
  ++repaint_requests_;
  update();
}

void TGauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), back_);
  const int filled = width() * PercentDone() / 100;
  if (filled > 0) painter.fillRect(0, 0, filled, height(), fore_);
}

}  // namespace qrv
