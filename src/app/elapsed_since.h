#pragma once

#include <QElapsedTimer>
#include <QtGlobal>
#include <atomic>

namespace qrv {

// How long ago something happened, read as from a QElapsedTimer, on a monotonic clock that
// tests may move on with Skip so that "a while later" needs no sleep. The program never skips.
class ElapsedSince {
 public:
  void start() {
    started_at_ = Now();
    valid_ = true;
  }
  bool isValid() const { return valid_; }
  qint64 elapsed() const { return Now() - started_at_; }

  // Moves the clock on by `ms` for every measurement at once.
  static void Skip(qint64 ms) { skipped_ += ms; }

 private:
  static qint64 Now() {
    static const QElapsedTimer steady = [] {
      QElapsedTimer timer;
      timer.start();
      return timer;
    }();
    return steady.elapsed() + skipped_.load();
  }

  inline static std::atomic<qint64> skipped_{0};
  qint64 started_at_ = 0;
  bool valid_ = false;
};

}  // namespace qrv
