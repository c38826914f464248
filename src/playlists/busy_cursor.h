#pragma once

#include <QApplication>

namespace qrv {

// Shows the hourglass from Start() until the object goes, and restores the previous cursor.
class BusyCursor {
 public:
  BusyCursor() = default;
  ~BusyCursor() {
    if (active_) QApplication::restoreOverrideCursor();
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

  void Start() {
    if (active_) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    active_ = true;
  }
  bool Active() const { return active_; }

 private:
  bool active_ = false;
};

}  // namespace qrv
