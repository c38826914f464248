#pragma once

#include <QColor>
#include <QWidget>
#include <string>

namespace qrv {

enum class LabelAlignment { Left, Center, Right };
enum class LabelSizing { AutoSize, Fixed };

// A caption drawn straight onto its parent's background. With AutoSize the label grows and
// shrinks to its text from its left edge; with Fixed it keeps the size it was given and clips.
// Setting the caption it already shows does nothing, so timers may set it freely.
class TLabel : public QWidget {
  Q_OBJECT

 public:
  explicit TLabel(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  void SetCaption(const std::string& caption) { SetCaption(QString::fromStdString(caption)); }

  LabelAlignment Alignment() const { return alignment_; }
  void SetAlignment(LabelAlignment alignment);

  LabelSizing Sizing() const { return sizing_; }
  void SetSizing(LabelSizing sizing);

  QColor FontColor() const { return color_; }
  void SetFontColor(const QColor& color);

  // How often the label asked to be repainted; lets callers check that it repaints on change only.
  int RepaintRequests() const { return repaint_requests_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Refresh();

  QString caption_;
  LabelAlignment alignment_ = LabelAlignment::Left;
  LabelSizing sizing_ = LabelSizing::AutoSize;
  QColor color_ = Qt::blue;
  int repaint_requests_ = 0;
};

}  // namespace qrv
