#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "gst_util.h"

namespace qrv::mci {

// The result of prerolling a new pipeline.
struct PrerollResult {
  bool ok = false;
  bool timed_out = false;
  ErrorPtr error;                      // the first error the pipeline posted
  GstElement* error_source = nullptr;  // not owned; only compared, never dereferenced
};

// Drives one GStreamer pipeline on the user-interface thread: synchronous preroll, play, pause,
// accurate seeks, and a position that is computed from the pipeline clock so that reading it
// never waits for the streaming threads. End of stream and errors arrive through the Qt event
// loop (the bus hands them over from the streaming threads), never by polling.
class Playback : public QObject {
 public:
  struct Handlers {
    std::function<void()> on_end;    // the medium played to its end
    std::function<void()> on_error;  // the pipeline failed while playing
  };

  explicit Playback(Handlers handlers);
  ~Playback() override;
  Playback(const Playback&) = delete;
  Playback& operator=(const Playback&) = delete;

  // Takes the pipeline and brings it to a paused, prerolled state at its start.
  PrerollResult Preroll(ElementPtr pipeline);
  GstElement* Pipeline() const { return pipeline_.get(); }

  // The stream's duration in nanoseconds (the device may set it when it knows better).
  int64_t Duration() const { return duration_; }
  void SetDuration(int64_t ns) { duration_ = ns; }
  int64_t QueryDuration() const;

  // Position in nanoseconds, clamped to the duration; exact at the end of the medium.
  int64_t Position() const;
  bool Playing() const { return playing_; }

  // Starts playing, from `from` when given (after an accurate seek), else where it stands.
  bool Start(std::optional<int64_t> from);
  // Pauses the pipeline and keeps the position; used for both pause and stop.
  void Halt();
  // Moves to a new position and leaves the pipeline paused there.
  bool Seek(int64_t ns);

 protected:
  bool event(QEvent* e) override;

 private:
  static GstBusSyncReply OnBusMessage(GstBus* bus, GstMessage* message, gpointer self);
  bool WaitForPreroll();
  void Invalidate() { generation_.fetch_add(1); }
  int64_t RunningTime() const;

  Handlers handlers_;
  ElementPtr pipeline_;
  BusPtr bus_;
  ClockPtr clock_;
  int64_t duration_ = 0;
  int64_t base_ = 0;     // stream position where the running time started at zero
  int64_t stopped_ = 0;  // position while not playing
  bool playing_ = false;
  // Messages carry the generation current when they were posted; a seek, stop or pause makes
  // every message still on its way stale.
  std::atomic<uint64_t> generation_{0};
};

}  // namespace qrv::mci
