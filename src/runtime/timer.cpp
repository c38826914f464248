#include "timer.h"

#include <QPointer>
#include <algorithm>

#include "guard.h"

namespace qrv {

Timer::Timer(QObject* parent) : QObject(parent) {
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
}

void Timer::SetInterval(int milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = std::max(0, milliseconds);
  Update();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void Timer::SetOnTimer(std::function<void()> handler) {
  on_timer_ = std::move(handler);
  Update();
}

void Timer::Update() {
  timer_.stop();
  timer_.setTimerType(interval_ >= kExactFrom ? Qt::PreciseTimer : Qt::CoarseTimer);
  if (enabled_ && interval_ > 0 && on_timer_) timer_.start(std::max(interval_, kMinimumInterval));
}

void Timer::Tick() {
  // A handler that is still running (it opened a message box or a modal window, whose loop
  // delivers further ticks) is not entered again: the ticks would otherwise pile up boxes.
  if (in_handler_ || !on_timer_) return;
  in_handler_ = true;
  // The handler may replace itself; the copy keeps the running one alive.
  const auto handler = on_timer_;
  // The handler may also destroy the window that owns this timer.
  const QPointer<Timer> alive(this);
  Guard(handler);
  if (alive) in_handler_ = false;
}

}  // namespace qrv
