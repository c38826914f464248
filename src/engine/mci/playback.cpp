#include "playback.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <memory>

namespace qrv::mci {
namespace {

// A rebuilt output that has not prerolled by then is given up.
constexpr int kRebuildTimeoutMs = 5000;
// How long a prerolled output may wait for its first play before it is opened afresh.
constexpr qint64 kFreshOutputMs = 200;

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

// What the file sources of one pipeline have handed on before its preroll. Shared between the
// user-interface thread and the streaming threads; each probe and signal holds a share.
struct ReadBudget {
  explicit ReadBudget(uint64_t bytes) : limit(bytes) {}
  const uint64_t limit;
  std::atomic<uint64_t> read{0};
  std::atomic<bool> over{false};
  std::atomic<bool> prerolled{false};  // counting ends here
};
using BudgetShare = std::shared_ptr<ReadBudget>;

void ReleaseShare(gpointer share) {
  delete static_cast<BudgetShare*>(share);
}

GstPadProbeReturn CountRead(GstPad* pad, GstPadProbeInfo* info, gpointer share) {
  // Runs on a streaming thread.
  ReadBudget& budget = **static_cast<BudgetShare*>(share);
  if (budget.prerolled.load()) return GST_PAD_PROBE_REMOVE;
  GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
  if (buffer == nullptr) return GST_PAD_PROBE_OK;
  if (budget.read.fetch_add(gst_buffer_get_size(buffer)) + gst_buffer_get_size(buffer) <=
          budget.limit ||
      budget.over.exchange(true)) {
    return GST_PAD_PROBE_OK;
  }
  // A decoder still looking for its stream this far into the file (a sparse file of zeros, say)
  // has found damage, not music; the open is told so at once.
  ElementPtr source(GST_ELEMENT(gst_pad_get_parent(pad)));
  if (source) {
    GError* error = g_error_new_literal(GST_STREAM_ERROR, GST_STREAM_ERROR_DECODE,
                                        "No stream found within the bytes a file may take");
    gst_element_post_message(source.get(),
                             gst_message_new_error(GST_OBJECT(source.get()), error, nullptr));
    g_error_free(error);
  }
  return GST_PAD_PROBE_REMOVE;
}

// Every file source the pipeline gains, at any depth, counts against the budget.
void WatchSources(GstBin*, GstBin*, GstElement* element, gpointer share) {
  if (!MadeBy(element, "filesrc")) return;
  const PadPtr pad(gst_element_get_static_pad(element, "src"));
  if (!pad) return;
  const auto types = static_cast<GstPadProbeType>(
      GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_PUSH | GST_PAD_PROBE_TYPE_PULL);
  gst_pad_add_probe(pad.get(), types, &CountRead,
                    new BudgetShare(*static_cast<BudgetShare*>(share)), &ReleaseShare);
}

}  // namespace

Playback::Playback(Handlers handlers, Builder builder)
    : handlers_(std::move(handlers)), builder_(std::move(builder)) {
  rebuild_watchdog_.setSingleShot(true);
  rebuild_watchdog_.setInterval(kRebuildTimeoutMs);
  connect(&rebuild_watchdog_, &QTimer::timeout, this, [this] {
    if (phase_ == Phase::kRebuilding) Fail(Failure::kOutput);
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

void Playback::Drop() {
  if (!pipeline_) return;
  // Stopping the pipeline joins its streaming threads, so no message can arrive afterwards.
  gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
  gst_bus_set_sync_handler(bus_.get(), nullptr, nullptr, nullptr);
  bus_.reset();
  output_ = nullptr;
  pipeline_.reset();
}

PrerollResult Playback::Preroll(PrerollBounds bounds) {
  PrerollResult result;
  BuiltPipeline built = builder_();
  if (!built.pipeline || built.output == nullptr) {
    result.no_output = built.pipeline != nullptr;
    return result;
  }
  Install(std::move(built));
  BudgetShare budget;
  if (bounds.bytes > 0) {
    budget = std::make_shared<ReadBudget>(bounds.bytes);
    g_signal_connect_data(
        pipeline_.get(), "deep-element-added", G_CALLBACK(&WatchSources), new BudgetShare(budget),
        [](gpointer share, GClosure*) { ReleaseShare(share); }, GConnectFlags{});
  }
  const GstStateChangeReturn change = gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED);
  if (change == GST_STATE_CHANGE_ASYNC || change == GST_STATE_CHANGE_FAILURE) {
    // Open is a request that returns when done, so this is the one wait on the caller's thread.
    const auto types = static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR);
    MessagePtr message(gst_bus_timed_pop_filtered(bus_.get(), bounds.time, types));
    if (!message) {
      result.timed_out = change != GST_STATE_CHANGE_FAILURE;
    } else if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR) {
      GError* error = nullptr;
      gst_message_parse_error(message.get(), &error, nullptr);
      result.error.reset(error);
      // The source may be gone once the pipeline stops (a decoder plugged in on the way is
      // removed again), so what is asked of it is noted now.
      GstObject* source = GST_MESSAGE_SRC(message.get());
      if (GST_IS_ELEMENT(source)) {
        if (GstElementFactory* factory = gst_element_get_factory(GST_ELEMENT(source))) {
          result.error_factory = gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory));
        }
        result.no_output = IsWithin(GST_ELEMENT(source), output_);
      }
    } else {
      result.ok = true;
    }
  } else {
    result.ok = true;
  }
  // Once prerolled, the medium plays on to its end however long it is.
  if (budget) budget->prerolled.store(true);
  if (!result.ok) {
    gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
    return result;
  }
  // From here on the bus hands its messages to the event loop.
  while (MessagePtr stale{gst_bus_pop(bus_.get())}) {
  }
  gst_bus_set_sync_handler(bus_.get(), &Playback::OnBusMessage, this, nullptr);
  if (!duration_pinned_) duration_ = std::max<int64_t>(QueryDuration(), 0);
  prerolled_.start();
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
    if (phase_ == Phase::kRebuilding && GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline_.get())) {
      OnPrerolled();
    }
    return true;
  }
  if (bus_event->Generation() != generation_.load()) return true;
  switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR:
      OnError(message);
      break;
    case GST_MESSAGE_EOS:
      if (!playing_) break;
      if (!duration_pinned_ && duration_ <= 0) duration_ = Position();
      Halt();
      stopped_ = duration_;
      if (handlers_.on_end) handlers_.on_end();
      break;
    default:
      break;
  }
  return true;
}

void Playback::OnError(GstMessage* message) {
  const bool from_output = IsWithin(GST_ELEMENT(GST_MESSAGE_SRC(message)), output_);
  if (!playing_) {
    // Nothing is heard now; the next play starts with a fresh pipeline.
    Invalidate();
    phase_ = Phase::kBroken;
    return;
  }
  if (from_output && !reconnected_) {
    reconnected_ = true;
    // A failing output may already have left the playing state, in which case Position would
    // answer where the medium last stopped; the clock still says how far it had played.
    if (Rebuild(phase_ == Phase::kReady ? ClockPosition() : Position())) return;
  }
  Fail(from_output || phase_ == Phase::kRebuilding ? Failure::kOutput : Failure::kStream);
}

void Playback::Fail(Failure failure) {
  rebuild_watchdog_.stop();
  Invalidate();
  if (pipeline_) gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
  phase_ = Phase::kBroken;
  playing_ = false;
  // The medium counts as played out, so that whoever waits for its end moves on.
  stopped_ = duration_;
  if (handlers_.on_failure) handlers_.on_failure(failure);
}

bool Playback::Rebuild(int64_t resume_at) {
  rebuild_watchdog_.stop();
  Invalidate();
  Drop();
  stopped_ = resume_at;
  base_ = resume_at;
  BuiltPipeline built = builder_();
  if (!built.pipeline || built.output == nullptr) return false;
  Install(std::move(built));
  gst_bus_set_sync_handler(bus_.get(), &Playback::OnBusMessage, this, nullptr);
  phase_ = Phase::kRebuilding;
  if (gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
    return false;
  }
  rebuild_watchdog_.start();
  return true;
}

void Playback::OnPrerolled() {
  rebuild_watchdog_.stop();
  phase_ = Phase::kReady;
  if (!SeekPipeline(stopped_)) {
    if (playing_) Fail(Failure::kStream);
    return;
  }
  if (playing_ &&
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
  if (!playing_ || phase_ != Phase::kReady) return stopped_;
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
  if (phase_ != Phase::kReady) {
    // The pipeline being rebuilt resumes here; a broken one is rebuilt here by the next play.
    stopped_ = ns;
    base_ = ns;
    return true;
  }
  return SeekPipeline(ns);
}

bool Playback::Start(std::optional<int64_t> from) {
  if (from && !Seek(*from)) return false;
  if (playing_) return true;
  reconnected_ = false;
  // A sound server's clock runs on while a stream that never played waits, and the output
  // would first play that long a silence. After a moment's wait the first play therefore
  // starts from a fresh pipeline, which is ready within a few tens of milliseconds.
  const bool stale = !played_ && prerolled_.isValid() && prerolled_.elapsed() > kFreshOutputMs;
  played_ = true;
  if (phase_ == Phase::kBroken || (stale && phase_ == Phase::kReady)) {
    playing_ = true;
    if (Rebuild(stopped_)) return true;
    playing_ = false;
    phase_ = Phase::kBroken;
    return false;
  }
  if (phase_ == Phase::kReady && !from) {
    // Where playback stopped, the running time paused too; it goes on from there.
    base_ = stopped_ - static_cast<int64_t>(gst_element_get_start_time(pipeline_.get()));
  }
  Invalidate();
  playing_ = true;
  if (phase_ == Phase::kRebuilding) return true;  // plays once the new pipeline is ready
  if (gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    playing_ = false;
    return false;
  }
  return true;
}

void Playback::Halt() {
  if (!playing_) return;
  const int64_t position = Position();
  GstState state = GST_STATE_VOID_PENDING;
  gst_element_get_state(pipeline_.get(), &state, nullptr, 0);
  if (phase_ == Phase::kReady) gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED);
  Invalidate();
  playing_ = false;
  if (phase_ != Phase::kReady || state != GST_STATE_PLAYING) {
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
