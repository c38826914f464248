#pragma once

#include <QColor>
#include <QWidget>
#include <cstdint>

namespace qrv {

// A horizontal progress bar without text. The progress is clamped into the range, and the bar
// repaints only when the whole percentage it shows changes, so a 10 ms poll costs nothing.
class TGauge : public QWidget {
  Q_OBJECT

 public:
  explicit TGauge(QWidget* parent = nullptr);

  int64_t MinValue() const { return min_; }
  int64_t MaxValue() const { return max_; }
  int64_t Progress() const { return progress_; }
  // The least progress above the current one at which the percentage shown changes; the
  // maximum when none does.
  int64_t NextStep() const;
  // A maximum below the minimum is raised to it, as a range cannot be inverted.
  void SetMaxValue(int64_t value);
  void SetMinValue(int64_t value);
  void SetProgress(int64_t value);

  // The whole percentage of the range that the progress covers, 0 to 100.
  int PercentDone() const;

  QColor BackColor() const { return back_; }
  QColor ForeColor() const { return fore_; }
  void SetBackColor(const QColor& color);
  void SetForeColor(const QColor& color);

  int RepaintRequests() const { return repaint_requests_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Changed(int old_percent);
  void Refresh();

  int64_t min_ = 0;
  int64_t max_ = 100;
  int64_t progress_ = 0;
  QColor back_ = Qt::black;
  QColor fore_ = Qt::blue;
  int repaint_requests_ = 0;
};

}  // namespace qrv
