#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace qrv {

// A window timer: while it is enabled, has a period and has a handler, the handler runs every
// Interval milliseconds on the user-interface thread, through the handler guard.
class Timer : public QObject {
 public:
  // The shortest period a timer keeps; shorter intervals run at this one. Window timers on the
  // system this program comes from fire on its clock tick of 15.6 ms, whatever shorter period
  // they were given; a faster display would only cost more wake-ups.
  static constexpr int kMinimumInterval = 16;

  // From this period on a timer keeps exact time. A coarse timer may stray by a twentieth of its
  // period, a third of a second on the player's 6.5 s advance poll, while an exact one costs no
  // more wake-ups at such periods; shorter ones stay coarse so that one wake-up serves several.
  static constexpr int kExactFrom = 1000;

  explicit Timer(QObject* parent = nullptr);

  int Interval() const { return interval_; }
  // 0 stops the ticks. Changing the interval starts a new period.
  void SetInterval(int milliseconds);

  bool Enabled() const { return enabled_; }
  // Switching off and on again starts a new period.
  void SetEnabled(bool enabled);

  void SetOnTimer(std::function<void()> handler);

  // Whether ticks are being delivered now.
  bool IsTicking() const { return timer_.isActive(); }
  bool IsExact() const { return timer_.timerType() == Qt::PreciseTimer; }

 private:
  void Update();
  void Tick();

  QTimer timer_;
  int interval_ = 1000;
  bool enabled_ = true;
  bool in_handler_ = false;
  std::function<void()> on_timer_;
};

}  // namespace qrv
