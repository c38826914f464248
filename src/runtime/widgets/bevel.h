#pragma once

#include <QWidget>

namespace qrv {

// A lowered horizontal line that divides a window: a shadow line with a highlight below it,
// of which a one-pixel control shows only the shadow.
class TBevel : public QWidget {
  Q_OBJECT

 public:
  explicit TBevel(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qrv
