#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/mci/gst/gst_util.h"

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
// States (State) and what moves between them:
//
//   kEmpty     Nothing prerolled yet, or the preroll failed. Preroll -> kPrimed; Start and
//              Seek refuse.
//   kPrimed    Prerolled and paused, never played since the open. Start -> kPlaying, or ->
//              kRebuildingToPlay when it waited longer than kFreshOutputWait (see below);
//              Seek -> kPrimed; a bus error -> kBroken.
//   kPaused    Prerolled and paused after it played (Halt, Seek, the end or a rebuild left it
//              here). Start -> kPlaying; Seek -> kPaused; a bus error -> kBroken.
//   kPlaying   Playing; the position runs with the pipeline clock. Halt, Seek -> kPaused;
//              end of stream -> kPaused at the end (on_end); the output fails -> kRebuildingToPlay
//              once per play request, else -> kBroken (on_failure kOutput); anything else
//              fails -> kBroken (on_failure kStream).
//   kRebuildingToPlay  A new pipeline prerolls and plays where the old one stood once ready
//              (-> kPlaying, or kBroken with on_failure kStream when it cannot go there).
//              Halt, Seek -> kRebuildingToPause; its output fails -> kRebuildingToPlay once
//              per play request; any other failure, or no preroll within kRebuildTimeoutMs ->
//              kBroken (on_failure kOutput).
//   kRebuildingToPause  A new pipeline prerolls and stays paused once ready (-> kPaused).
//              Start -> kRebuildingToPlay; Seek moves where it will stand; a bus error ->
//              kBroken; no preroll within kRebuildTimeoutMs -> kBroken (on_failure kOutput).
//   kBroken    The pipeline failed. The position is where it stood, or the end after a
//              failure while playing (so that whoever waits for the end moves on). Start builds
//              a new pipeline (-> kRebuildingToPlay, or kBroken when that fails); Seek moves
//              where it will start.
//
// Why kPrimed is a state of its own: a sound server's clock runs on while a stream that never
// played waits, and the output would first play that long a silence. A primed pipeline that
// waited longer than kFreshOutputWait for its first play is therefore built afresh, which takes
// a few tens of milliseconds. The wait is measured by GStreamer's system clock (which tests may
// replace with a clock of their own).
//
// Every message is stamped with a generation; a start, halt, seek, rebuild or failure makes
// all messages still on their way stale, so an end or error from before it is never acted on.
class Playback : public QObject {
 public:
  enum class State {
    kEmpty,
    kPrimed,
    kPaused,
    kPlaying,
    kRebuildingToPlay,
    kRebuildingToPause,
    kBroken,
  };
  enum class Failure { kOutput, kStream };
  struct Handlers {
    std::function<void()> on_end;             // the medium played to its end
    std::function<void(Failure)> on_failure;  // playing failed for good
  };
  // Builds a new pipeline, at the open and for every rebuild.
  using Builder = std::function<BuiltPipeline()>;

  static constexpr GstClockTime kFreshOutputWait = 200 * GST_MSECOND;
  static constexpr int kRebuildTimeoutMs = 5000;

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
  State Current() const { return state_; }
  // Whether a play request stands (the pipeline plays, or will once rebuilt).
  bool Playing() const { return state_ == State::kPlaying || state_ == State::kRebuildingToPlay; }

  // Starts playing, from `from` when given, else where it stands.
  bool Start(std::optional<int64_t> from);
  // Pauses the pipeline and keeps the position; used for both pause and stop.
  void Halt();
  // Moves to a new position and leaves the pipeline paused there.
  bool Seek(int64_t ns);

 protected:
  bool event(QEvent* e) override;

 private:
  static GstBusSyncReply OnBusMessage(GstBus* bus, GstMessage* message, gpointer self);
  void Install(BuiltPipeline built);
  void HandOverBus();
  PrerollResult PrerollOnce(PrerollBounds bounds);
  void Drop();
  PrerollResult AwaitPreroll(GstClockTime timeout);
  bool Rebuilding() const {
    return state_ == State::kRebuildingToPlay || state_ == State::kRebuildingToPause;
  }
  bool OutputAged() const;
  bool PlayPipeline(bool resume);
  bool RebuildToPlay(int64_t resume_at);
  void OnPrerolled();
  void OnError(GstMessage* message);
  void OnEnd();
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
  State state_ = State::kEmpty;
  GstClockTime primed_at_ = 0;   // by the system clock, when it entered kPrimed
  bool output_rebuilt_ = false;  // the standing play request already rebuilt its output once
  int64_t duration_ = 0;
  bool duration_pinned_ = false;
  int64_t base_ = 0;     // stream position where the running time started at zero
  int64_t stopped_ = 0;  // position while not playing, and where a rebuilt pipeline resumes
  // Messages carry the generation current when they were posted.
  std::atomic<uint64_t> generation_{0};
};

}  // namespace qrv::mci
