#include "playback.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

namespace qrv::mci {
namespace {

// Long enough for a slow disk, short enough that a stuck device is reported as not ready.
constexpr GstClockTime kPrerollTimeout = 10 * GST_SECOND;

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

}  // namespace

Playback::Playback(Handlers handlers) : handlers_(std::move(handlers)) {}

Playback::~Playback() {
  if (pipeline_) {
    // Stopping the pipeline joins its streaming threads, so no message can arrive afterwards.
    gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
  }
  if (bus_) gst_bus_set_sync_handler(bus_.get(), nullptr, nullptr, nullptr);
}

PrerollResult Playback::Preroll(ElementPtr pipeline) {
  PrerollResult result;
  pipeline_ = std::move(pipeline);
  bus_.reset(gst_element_get_bus(pipeline_.get()));
  const GstStateChangeReturn change = gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED);
  if (change == GST_STATE_CHANGE_ASYNC || change == GST_STATE_CHANGE_FAILURE) {
    const auto types = static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR);
    MessagePtr message(gst_bus_timed_pop_filtered(bus_.get(), kPrerollTimeout, types));
    if (!message) {
      result.timed_out = change != GST_STATE_CHANGE_FAILURE;
    } else if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR) {
      GError* error = nullptr;
      gst_message_parse_error(message.get(), &error, nullptr);
      result.error.reset(error);
      result.error_source = GST_ELEMENT(GST_MESSAGE_SRC(message.get()));
    } else {
      result.ok = true;
    }
  } else {
    result.ok = true;
  }
  if (!result.ok) {
    gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
    return result;
  }
  // From here on the bus hands its messages to the event loop.
  while (MessagePtr stale{gst_bus_pop(bus_.get())}) {
  }
  gst_bus_set_sync_handler(bus_.get(), &Playback::OnBusMessage, this, nullptr);
  clock_.reset(gst_pipeline_get_clock(GST_PIPELINE(pipeline_.get())));
  duration_ = std::max<int64_t>(QueryDuration(), 0);
  return result;
}

int64_t Playback::QueryDuration() const {
  gint64 duration = -1;
  if (!gst_element_query_duration(pipeline_.get(), GST_FORMAT_TIME, &duration)) return -1;
  return duration;
}

GstBusSyncReply Playback::OnBusMessage(GstBus*, GstMessage* message, gpointer self) {
  // Runs on a streaming thread: only hand over what the user-interface thread acts on.
  const GstMessageType type = GST_MESSAGE_TYPE(message);
  if (type == GST_MESSAGE_EOS || type == GST_MESSAGE_ERROR) {
    auto* playback = static_cast<Playback*>(self);
    QCoreApplication::postEvent(playback, new BusEvent(message, playback->generation_.load()));
  }
  return GST_BUS_DROP;
}

bool Playback::event(QEvent* e) {
  if (e->type() != BusEvent::Type()) return QObject::event(e);
  auto* bus_event = static_cast<BusEvent*>(e);
  if (bus_event->Generation() != generation_.load() || !playing_) return true;
  const bool end = GST_MESSAGE_TYPE(bus_event->Message()) == GST_MESSAGE_EOS;
  Halt();
  if (end) {
    stopped_ = duration_;
    if (handlers_.on_end) handlers_.on_end();
  } else if (handlers_.on_error) {
    handlers_.on_error();
  }
  return true;
}

int64_t Playback::RunningTime() const {
  if (!clock_) return 0;
  const GstClockTime now = gst_clock_get_time(clock_.get());
  const GstClockTime base = gst_element_get_base_time(pipeline_.get());
  return now > base ? static_cast<int64_t>(now - base) : 0;
}

int64_t Playback::Position() const {
  if (!playing_) return stopped_;
  GstState state = GST_STATE_VOID_PENDING;
  gst_element_get_state(pipeline_.get(), &state, nullptr, 0);
  if (state != GST_STATE_PLAYING) return stopped_;
  return std::clamp<int64_t>(base_ + RunningTime(), 0, duration_);
}

bool Playback::WaitForPreroll() {
  return gst_element_get_state(pipeline_.get(), nullptr, nullptr, kPrerollTimeout) !=
         GST_STATE_CHANGE_FAILURE;
}

bool Playback::Seek(int64_t ns) {
  Halt();
  const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
  const bool ok =
      gst_element_seek_simple(pipeline_.get(), GST_FORMAT_TIME, flags, ns) && WaitForPreroll();
  Invalidate();
  if (!ok) return false;
  // After a flushing seek the running time starts again from zero at the new position.
  base_ = ns;
  stopped_ = ns;
  return true;
}

bool Playback::Start(std::optional<int64_t> from) {
  if (from && !Seek(*from)) return false;
  if (playing_) return true;
  if (!from) {
    // Where playback stopped, the running time paused too; it goes on from there.
    base_ = stopped_ - static_cast<int64_t>(gst_element_get_start_time(pipeline_.get()));
  }
  Invalidate();
  if (gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    return false;
  }
  playing_ = true;
  return true;
}

void Playback::Halt() {
  if (!playing_) return;
  const int64_t position = Position();
  gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED);
  WaitForPreroll();
  Invalidate();
  playing_ = false;
  const GstClockTime paused_at = gst_element_get_start_time(pipeline_.get());
  stopped_ = GST_CLOCK_TIME_IS_VALID(paused_at)
                 ? std::clamp<int64_t>(base_ + static_cast<int64_t>(paused_at), 0, duration_)
                 : position;
}

}  // namespace qrv::mci
