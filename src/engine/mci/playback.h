#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gst_util.h"

namespace qrv::mci {

// A pipeline as a device builds it, with the audio output inside it (not owned) so that a
// failing output can be told from a failing decoder.
struct BuiltPipeline {
  ElementPtr pipeline;
  GstElement* output = nullptr;
};

// How long, and how far into its files, a new pipeline may go before it must have prerolled.
struct PrerollBounds {
  GstClockTime time = 10 * GST_SECOND;
  // Bytes the pipeline's file sources may hand on before the preroll; 0 leaves them unbounded.
  uint64_t bytes = 0;
};

// The result of prerolling a new pipeline.
struct PrerollResult {
  bool ok = false;
  bool timed_out = false;
  bool no_output = false;     // no sound output could be made or opened
  ErrorPtr error;             // the first error the pipeline posted
  std::string error_factory;  // the factory of the element that posted it
};

// Drives one GStreamer pipeline on the user-interface thread. Only the preroll at open waits
// (bounded); play, pause, stop and seek return at once and the pipeline catches up on its own.
// The position is computed from the pipeline clock, so reading it never waits for the
// streaming threads. End of stream, errors, finished prerolls and new durations arrive through
// the Qt event loop (the bus hands them over from the streaming threads), never by polling.
//
// When the sound output fails while playing, the pipeline is built afresh once and goes on
// from where it stood; when that fails too, playback stops at the end of the medium so that
// whoever waits for the end moves on.
class Playback : public QObject {
 public:
  enum class Failure { kOutput, kStream };
  struct Handlers {
    std::function<void()> on_end;             // the medium played to its end
    std::function<void(Failure)> on_failure;  // playing failed for good
  };
  using Builder = std::function<BuiltPipeline()>;

  Playback(Handlers handlers, Builder builder);
  ~Playback() override;
  Playback(const Playback&) = delete;
  Playback& operator=(const Playback&) = delete;

  // Builds the pipeline and brings it to a paused, prerolled state at its start. A pipeline that
  // reads more of its files than the bound allows fails with a stream error from its source.
  PrerollResult Preroll(PrerollBounds bounds = {});
  GstElement* Pipeline() const { return pipeline_.get(); }

  // The stream's duration in nanoseconds. A length the device read from the container itself
  // is kept; otherwise a duration the pipeline learns later replaces the one known at open.
  int64_t Duration() const { return duration_; }
  void PinDuration(int64_t ns);
  int64_t QueryDuration() const;

  // Position in nanoseconds, clamped to the duration; exact at the end of the medium.
  int64_t Position() const;
  bool Playing() const { return playing_; }

  // Starts playing, from `from` when given, else where it stands.
  bool Start(std::optional<int64_t> from);
  // Pauses the pipeline and keeps the position; used for both pause and stop.
  void Halt();
  // Moves to a new position and leaves the pipeline paused there.
  bool Seek(int64_t ns);

 protected:
  bool event(QEvent* e) override;

 private:
  enum class Phase { kReady, kRebuilding, kBroken };
  static GstBusSyncReply OnBusMessage(GstBus* bus, GstMessage* message, gpointer self);
  void Install(BuiltPipeline built);
  void Drop();
  bool Rebuild(int64_t resume_at);
  void OnPrerolled();
  void OnError(GstMessage* message);
  void Fail(Failure failure);
  bool SeekPipeline(int64_t ns);
  void Invalidate() { generation_.fetch_add(1); }
  int64_t RunningTime() const;
  // Where playback stands by the pipeline's clock, whatever state the pipeline is in now.
  int64_t ClockPosition() const;

  Handlers handlers_;
  Builder builder_;
  ElementPtr pipeline_;
  GstElement* output_ = nullptr;
  BusPtr bus_;
  QTimer rebuild_watchdog_;
  Phase phase_ = Phase::kReady;
  int64_t duration_ = 0;
  bool duration_pinned_ = false;
  int64_t base_ = 0;     // stream position where the running time started at zero
  int64_t stopped_ = 0;  // position while not playing, and where a rebuilt pipeline resumes
  bool playing_ = false;
  bool reconnected_ = false;  // this play request already rebuilt its output once
  bool played_ = false;       // the pipeline has played since the open
  QElapsedTimer prerolled_;
  // Messages carry the generation current when they were posted; a seek, stop, pause or
  // rebuild makes every message still on its way stale.
  std::atomic<uint64_t> generation_{0};
};

}  // namespace qrv::mci
