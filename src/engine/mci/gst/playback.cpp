#include "engine/mci/gst/playback.h"

#include <malloc.h>

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

#include "engine/mci/gst/media_log.h"
#include "engine/mci/gst/output_connection.h"
#include "engine/mci/gst/read_bound.h"

namespace qrv::mci {
namespace {

class BusEvent : public QEvent {
 public:
  BusEvent(GstMessage* message, uint64_t generation)
      : QEvent(Type()), message_(gst_message_ref(message)), generation_(generation) {}
  static QEvent::Type Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }
  GstMessage* Message() const { return message_.get(); }
  uint64_t Generation() const { return generation_; }

 private:
  MessagePtr message_;
  uint64_t generation_;
};

GstClockTime SystemNow() {
  const ClockPtr clock(gst_system_clock_obtain());
  return gst_clock_get_time(clock.get());
}

}  // namespace

Playback::Playback(Handlers handlers, Builder builder)
    : handlers_(std::move(handlers)), builder_(std::move(builder)) {
  rebuild_watchdog_.setSingleShot(true);
  rebuild_watchdog_.setInterval(kRebuildTimeoutMs);
  connect(&rebuild_watchdog_, &QTimer::timeout, this, [this] {
    if (!Rebuilding()) return;
    qCDebug(MediaLog) << "the rebuilt pipeline did not preroll in time";
    Fail(Failure::kOutput);
  });
}

Playback::~Playback() {
  Drop();
}

void Playback::Install(BuiltPipeline built) {
  pipeline_ = std::move(built.pipeline);
  CountWhileAlive(pipeline_.get());
  output_ = built.output;
  bus_.reset(gst_element_get_bus(pipeline_.get()));
}

void Playback::HandOverBus() {
  gst_bus_set_sync_handler(bus_.get(), &Playback::OnBusMessage, this, nullptr);
}

void Playback::Drop() {
  if (!pipeline_) return;
  // Stopping the pipeline joins its streaming threads, so no message can arrive afterwards.
  gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
  gst_bus_set_sync_handler(bus_.get(), nullptr, nullptr, nullptr);
  bus_.reset();
  output_ = nullptr;
  pipeline_.reset();
  // The streaming threads' freed buffers stay in malloc's arenas; hand them back once per medium.
  malloc_trim(0);
}

PrerollResult Playback::Preroll(PrerollBounds bounds) {
  PrerollResult result = PrerollOnce(bounds);
  // A held connection to a sound server that has gone away fails every output that joins it;
  // without it the output connects afresh.
  if (!result.ok && result.no_output && ReleaseOutputConnection()) result = PrerollOnce(bounds);
  if (result.ok) HoldOutputConnection(output_);
  return result;
}

PrerollResult Playback::PrerollOnce(PrerollBounds bounds) {
  BuiltPipeline built = builder_();
  if (!built.pipeline || built.output == nullptr) {
    PrerollResult result;
    result.no_output = built.pipeline != nullptr;
    return result;
  }
  Install(std::move(built));
  PrerollResult result = [&] {
    const ReadBound bound(pipeline_.get(), bounds.bytes);
    return AwaitPreroll(bounds.time);
  }();
  // What the bus still holds is noted and let go; from here on it goes to the event loop.
  while (MessagePtr stale{gst_bus_pop(bus_.get())}) LogBusMessage(stale.get());
  if (!result.ok) {
    gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
    return result;
  }
  HandOverBus();
  if (!duration_pinned_) duration_ = std::max<int64_t>(QueryDuration(), 0);
  state_ = State::kPrimed;
  primed_at_ = SystemNow();
  return result;
}

PrerollResult Playback::AwaitPreroll(GstClockTime timeout) {
  PrerollResult result;
  const GstStateChangeReturn change = gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED);
  if (change != GST_STATE_CHANGE_ASYNC && change != GST_STATE_CHANGE_FAILURE) {
    result.ok = true;
    return result;
  }
  // Open is a request that returns when done, so this is the one wait on the caller's thread.
  const auto types = static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR);
  const MessagePtr message(gst_bus_timed_pop_filtered(bus_.get(), timeout, types));
  if (!message) {
    result.timed_out = change != GST_STATE_CHANGE_FAILURE;
    qCDebug(MediaLog) << "the pipeline did not preroll" << (result.timed_out ? "in time" : "");
    return result;
  }
  if (GST_MESSAGE_TYPE(message.get()) != GST_MESSAGE_ERROR) {
    result.ok = true;
    return result;
  }
  LogBusMessage(message.get());
  GError* error = nullptr;
  gst_message_parse_error(message.get(), &error, nullptr);
  result.error.reset(error);
  // The source may be gone once the pipeline stops (a decoder plugged in on the way is removed
  // again), so what is asked of it is noted now.
  GstObject* source = GST_MESSAGE_SRC(message.get());
  if (GST_IS_ELEMENT(source)) {
    if (GstElementFactory* factory = gst_element_get_factory(GST_ELEMENT(source))) {
      result.error_factory = gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory));
    }
    result.no_output = IsWithin(GST_ELEMENT(source), output_);
  }
  return result;
}

void Playback::PinDuration(int64_t ns) {
  duration_ = ns;
  duration_pinned_ = true;
}

int64_t Playback::QueryDuration() const {
  gint64 duration = -1;
  if (!pipeline_ || !gst_element_query_duration(pipeline_.get(), GST_FORMAT_TIME, &duration)) {
    return -1;
  }
  return duration;
}

GstBusSyncReply Playback::OnBusMessage(GstBus*, GstMessage* message, gpointer self) {
  // Runs on a streaming thread: only hand over what the user-interface thread acts on. A
  // message the handler drops is the handler's to release: each one holds its source element,
  // and through it the whole pipeline, which would otherwise outlive every close.
  const MessagePtr dropped(message);
  LogBusMessage(message);
  switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
    case GST_MESSAGE_ERROR:
    case GST_MESSAGE_ASYNC_DONE:
    case GST_MESSAGE_DURATION_CHANGED: {
      auto* playback = static_cast<Playback*>(self);
      QCoreApplication::postEvent(playback, new BusEvent(message, playback->generation_.load()));
      break;
    }
    default:
      break;
  }
  return GST_BUS_DROP;
}

bool Playback::event(QEvent* e) {
  if (e->type() != BusEvent::Type()) return QObject::event(e);
  auto* bus_event = static_cast<BusEvent*>(e);
  GstMessage* message = bus_event->Message();
  if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_DURATION_CHANGED) {
    if (const int64_t learned = QueryDuration(); learned > 0 && !duration_pinned_) {
      duration_ = learned;
    }
    return true;
  }
  if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ASYNC_DONE) {
    // Only the first preroll of a rebuilt pipeline matters, however often it was paused or
    // played meanwhile.
    if (Rebuilding() && GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline_.get())) OnPrerolled();
    return true;
  }
  if (bus_event->Generation() != generation_.load()) return true;
  if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) OnError(message);
  if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS) OnEnd();
  return true;
}

void Playback::OnEnd() {
  if (!Playing()) return;
  if (!duration_pinned_ && duration_ <= 0) duration_ = Position();
  Halt();
  stopped_ = duration_;
  if (handlers_.on_end) handlers_.on_end();
}

void Playback::OnError(GstMessage* message) {
  const bool from_output = IsWithin(GST_ELEMENT(GST_MESSAGE_SRC(message)), output_);
  // The next output, rebuilt now or at the next play, connects afresh rather than joining a
  // connection that may have died with the server.
  if (from_output) ReleaseOutputConnection();
  if (!Playing()) {
    // Nothing is heard now; the next play starts with a fresh pipeline.
    Invalidate();
    state_ = State::kBroken;
    return;
  }
  if (from_output && !output_rebuilt_) {
    output_rebuilt_ = true;
    // A failing output may already have left the playing state, in which case Position would
    // answer where the medium last stopped; the clock still says how far it had played.
    const int64_t at = state_ == State::kPlaying ? ClockPosition() : Position();
    qCDebug(MediaLog) << "the output failed; building the pipeline afresh at" << at / 1000000
                      << "ms";
    if (RebuildToPlay(at)) return;
  }
  Fail(from_output || state_ == State::kRebuildingToPlay ? Failure::kOutput : Failure::kStream);
}

void Playback::Fail(Failure failure) {
  qCDebug(MediaLog) << "playing failed for good:"
                    << (failure == Failure::kOutput ? "the output" : "the stream");
  rebuild_watchdog_.stop();
  Invalidate();
  if (pipeline_) gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
  state_ = State::kBroken;
  // The medium counts as played out, so that whoever waits for its end moves on.
  stopped_ = duration_;
  if (handlers_.on_failure) handlers_.on_failure(failure);
}

bool Playback::RebuildToPlay(int64_t resume_at) {
  rebuild_watchdog_.stop();
  Invalidate();
  Drop();
  stopped_ = resume_at;
  base_ = resume_at;
  // Until the new pipeline is there, there is none to play; failing to build one leaves it so.
  state_ = State::kBroken;
  BuiltPipeline built = builder_();
  if (!built.pipeline || built.output == nullptr) return false;
  Install(std::move(built));
  HandOverBus();
  if (gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
    return false;
  }
  state_ = State::kRebuildingToPlay;
  rebuild_watchdog_.start();
  return true;
}

void Playback::OnPrerolled() {
  rebuild_watchdog_.stop();
  HoldOutputConnection(output_);
  const bool play = state_ == State::kRebuildingToPlay;
  state_ = play ? State::kPlaying : State::kPaused;
  if (!SeekPipeline(stopped_)) {
    if (play) Fail(Failure::kStream);
    return;
  }
  if (play &&
      gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    Fail(Failure::kOutput);
  }
}

int64_t Playback::RunningTime() const {
  // The clock is the one the pipeline chose when it started playing.
  ClockPtr clock(gst_element_get_clock(pipeline_.get()));
  if (!clock) return -1;
  const GstClockTime now = gst_clock_get_time(clock.get());
  const GstClockTime base = gst_element_get_base_time(pipeline_.get());
  return now > base ? static_cast<int64_t>(now - base) : 0;
}

int64_t Playback::Position() const {
  if (state_ != State::kPlaying) return stopped_;
  GstState state = GST_STATE_VOID_PENDING;
  gst_element_get_state(pipeline_.get(), &state, nullptr, 0);
  if (state != GST_STATE_PLAYING) return stopped_;
  return ClockPosition();
}

int64_t Playback::ClockPosition() const {
  const int64_t running = RunningTime();
  if (running < 0) return stopped_;
  const int64_t position = std::max<int64_t>(base_ + running, 0);
  return duration_ > 0 ? std::min(position, duration_) : position;
}

bool Playback::SeekPipeline(int64_t ns) {
  const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
  // The flushing seek returns once the pipeline has flushed; the new preroll completes on its
  // own and a play given meanwhile simply starts when it is there.
  if (!gst_element_seek_simple(pipeline_.get(), GST_FORMAT_TIME, flags, ns)) return false;
  Invalidate();
  // After a flushing seek the running time starts again from zero at the new position.
  base_ = ns;
  stopped_ = ns;
  return true;
}

bool Playback::Seek(int64_t ns) {
  Halt();
  switch (state_) {
    case State::kEmpty:
      return false;
    case State::kRebuildingToPause:
    case State::kBroken:
      // The pipeline being rebuilt resumes here; a broken one is rebuilt here by the next play.
      stopped_ = ns;
      base_ = ns;
      return true;
    default:
      return SeekPipeline(ns);
  }
}

bool Playback::OutputAged() const {
  const GstClockTime now = SystemNow();
  return now > primed_at_ && now - primed_at_ > kFreshOutputWait;
}

bool Playback::Start(std::optional<int64_t> from) {
  if (from && !Seek(*from)) return false;
  if (Playing()) return true;
  output_rebuilt_ = false;
  switch (state_) {
    case State::kEmpty:
      return false;
    case State::kRebuildingToPause:
      // It plays once the new pipeline is ready.
      Invalidate();
      state_ = State::kRebuildingToPlay;
      return true;
    case State::kPrimed:
      if (OutputAged()) return RebuildToPlay(stopped_);
      return PlayPipeline(!from);
    case State::kBroken:
      return RebuildToPlay(stopped_);
    default:
      return PlayPipeline(!from);
  }
}

bool Playback::PlayPipeline(bool resume) {
  if (resume) {
    // Where playback stopped, the running time paused too; it goes on from there.
    base_ = stopped_ - static_cast<int64_t>(gst_element_get_start_time(pipeline_.get()));
  }
  Invalidate();
  state_ = State::kPlaying;
  if (gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    state_ = State::kPaused;
    return false;
  }
  return true;
}

void Playback::Halt() {
  if (!Playing()) return;
  const int64_t position = Position();
  if (state_ == State::kRebuildingToPlay) {
    Invalidate();
    state_ = State::kRebuildingToPause;
    stopped_ = position;
    return;
  }
  GstState state = GST_STATE_VOID_PENDING;
  gst_element_get_state(pipeline_.get(), &state, nullptr, 0);
  gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED);
  // What the pipeline posted on its way to paused is stale too.
  Invalidate();
  state_ = State::kPaused;
  if (state != GST_STATE_PLAYING) {
    stopped_ = position;
    return;
  }
  // Going to paused noted the running time at which the pipeline stopped.
  const GstClockTime paused_at = gst_element_get_start_time(pipeline_.get());
  stopped_ = GST_CLOCK_TIME_IS_VALID(paused_at)
                 ? std::clamp<int64_t>(base_ + static_cast<int64_t>(paused_at), 0,
                                       duration_ > 0 ? duration_ : INT64_MAX)
                 : position;
}

}  // namespace qrv::mci
