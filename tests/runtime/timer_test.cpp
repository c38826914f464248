#include "runtime/timer.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include "message_log.h"
#include "runtime/exceptions.h"

namespace qrv {
namespace {

TEST(Timer, TicksOnlyWhenEnabledWithAnIntervalAndAHandler) {
  Timer timer;
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000);
  EXPECT_FALSE(timer.IsTicking());  // No handler yet.
  int ticks = 0;
  timer.SetInterval(20);
  timer.SetOnTimer([&] { ++ticks; });
  EXPECT_TRUE(timer.IsTicking());
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 5000));

  timer.SetEnabled(false);
  const int stopped_at = ticks;
  QTest::qWait(60);
  EXPECT_EQ(ticks, stopped_at);

  timer.SetEnabled(true);
  timer.SetInterval(0);
  EXPECT_FALSE(timer.IsTicking());
  QTest::qWait(60);
  EXPECT_EQ(ticks, stopped_at);
}

TEST(Timer, PeriodsOfASecondAndMoreKeepExactTime) {
  // The player's advance poll (6.5 s) and restore delay (5 s) must not stray by a twentieth of
  // their period; the display's short periods may share wake-ups.
  const struct {
    int interval;
    bool exact;
  } cases[] = {{1, false}, {250, false}, {999, false}, {1000, true}, {5000, true}, {6500, true}};
  for (const auto& c : cases) {
    Timer timer;
    timer.SetOnTimer([] {});
    timer.SetInterval(c.interval);
    EXPECT_EQ(timer.IsExact(), c.exact) << c.interval;
    EXPECT_TRUE(timer.IsTicking());
  }
}

TEST(Timer, ShortIntervalsRunAtTheTenMillisecondFloor) {
  Timer timer;
  timer.SetInterval(1);
  int ticks = 0;
  QElapsedTimer clock;
  clock.start();
  timer.SetOnTimer([&] { ++ticks; });
  QTest::qWait(200);
  const qint64 elapsed = clock.elapsed();
  timer.SetEnabled(false);
  EXPECT_EQ(timer.Interval(), 1);  // The property keeps what was set.
  EXPECT_GE(ticks, 1);
  // At a 1 ms period there would be about 200 ticks; the floor allows one per system tick.
  EXPECT_LE(ticks, elapsed / Timer::kMinimumInterval + 1);
}

TEST(Timer, SwitchingOffAndOnRestartsThePeriod) {
  Timer timer;
  int ticks = 0;
  timer.SetInterval(600);
  timer.SetOnTimer([&] { ++ticks; });
  QTest::qWait(400);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  QElapsedTimer since_restart;
  since_restart.start();
  QTest::qWait(400);
  // Without the restart the first tick would have come 200 ms ago.
  if (since_restart.elapsed() < 600) {
    EXPECT_EQ(ticks, 0);
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 5000));
}

TEST(Timer, FailingTicksAreReportedAndTheTimerGoesOn) {
  test::MessageLog presenter;
  Timer timer;
  timer.SetInterval(10);
  int ticks = 0;
  timer.SetOnTimer([&] {
    ++ticks;
    throw EReadError();
  });
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
  timer.SetEnabled(false);
  ASSERT_EQ(presenter.texts.size(), static_cast<size_t>(ticks));
  EXPECT_EQ(presenter.texts.front(), "Stream read error.");
}

TEST(Timer, AHandlerStillRunningIsNotEnteredAgain) {
  Timer timer;
  timer.SetInterval(10);
  int entered = 0;
  int deepest = 0;
  int depth = 0;
  timer.SetOnTimer([&] {
    ++entered;
    deepest = std::max(deepest, ++depth);
    if (entered == 1) {
      // A nested loop, as a message box or a modal window runs one.
      QEventLoop nested;
      QTimer::singleShot(100, &nested, &QEventLoop::quit);
      nested.exec();
    }
    --depth;
  });
  EXPECT_TRUE(QTest::qWaitFor([&] { return entered >= 3; }, 5000));
  EXPECT_EQ(deepest, 1);
}

TEST(Timer, AHandlerMayDestroyItsTimer) {
  auto* timer = new Timer;
  timer->SetInterval(10);
  bool ran = false;
  timer->SetOnTimer([&] {
    ran = true;
    delete timer;
  });
  EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, 5000));
}

}  // namespace
}  // namespace qrv
