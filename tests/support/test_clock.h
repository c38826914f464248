#pragma once

#include <gst/check/gsttestclock.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <functional>

#include "engine/mci/gst/gst_util.h"

namespace qrv::test {

// GStreamer's test clock as the system clock for as long as this lives. Pipelines keep time by
// it (every one whose output brings no clock of its own, as the test output does), so their
// positions move only when the test advances it, and their outputs wait until the test lets the
// clock run.
class SystemTestClock {
 public:
  SystemTestClock() {
    mci::EnsureGstInit();
    gst_system_clock_set_default(clock_.get());
  }
  ~SystemTestClock() { gst_system_clock_set_default(nullptr); }
  SystemTestClock(const SystemTestClock&) = delete;
  SystemTestClock& operator=(const SystemTestClock&) = delete;

  void Advance(int ms) { gst_test_clock_advance_time(Test(), ms * GST_MSECOND); }

  // Lets the clock run in steps of `step_ms` until `done` (false when it never is): after each
  // step every output goes on up to the new time, and the event loop takes the bus messages.
  bool RunUntil(int step_ms, const std::function<bool()>& done) {
    const QDeadlineTimer deadline(10000);
    while (!done()) {
      if (deadline.hasExpired()) return false;
      Advance(step_ms);
      ReleaseDueWaits();
      QCoreApplication::processEvents();
      gst_test_clock_timed_wait_for_multiple_pending_ids(Test(), 1, 5, nullptr);
      ReleaseDueWaits();
      QCoreApplication::processEvents();
    }
    return true;
  }

 private:
  GstTestClock* Test() const { return GST_TEST_CLOCK(clock_.get()); }
  void ReleaseDueWaits() {
    const GstClockTime now = gst_clock_get_time(clock_.get());
    while (gst_test_clock_peek_id_count(Test()) > 0 &&
           gst_test_clock_get_next_entry_time(Test()) <= now) {
      if (GstClockID id = gst_test_clock_process_next_clock_id(Test())) gst_clock_id_unref(id);
    }
  }

  mci::ClockPtr clock_{gst_test_clock_new_with_start_time(GST_SECOND)};
};

}  // namespace qrv::test
