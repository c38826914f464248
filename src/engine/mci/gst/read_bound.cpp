#include "engine/mci/gst/read_bound.h"

#include <atomic>

namespace qrv::mci {

// What the file sources of one pipeline have handed on before its preroll. Shared between the
// user-interface thread and the streaming threads; each probe and signal holds a share.
struct ReadBudget {
  explicit ReadBudget(uint64_t bytes) : limit(bytes) {}
  const uint64_t limit;
  std::atomic<uint64_t> read{0};
  std::atomic<bool> over{false};
  std::atomic<bool> prerolled{false};  // counting ends here
};

namespace {

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
  // A decoder still looking for its stream this far into the file has found damage, not music;
  // the open is told so at once.
  ElementPtr source(GST_ELEMENT(gst_pad_get_parent(pad)));
  if (source) {
    ErrorPtr error(g_error_new_literal(GST_STREAM_ERROR, GST_STREAM_ERROR_DECODE,
                                       "No stream found within the bytes a file may take"));
    gst_element_post_message(source.get(),
                             gst_message_new_error(GST_OBJECT(source.get()), error.get(), nullptr));
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

ReadBound::ReadBound(GstElement* pipeline, uint64_t bytes) {
  if (bytes == 0) return;
  budget_ = std::make_shared<ReadBudget>(bytes);
  watch_ = SignalConnection(
      pipeline,
      g_signal_connect_data(
          pipeline, "deep-element-added", G_CALLBACK(&WatchSources), new BudgetShare(budget_),
          [](gpointer share, GClosure*) { ReleaseShare(share); }, GConnectFlags{}));
}

ReadBound::~ReadBound() {
  // Probes still in place remove themselves at their next buffer.
  if (budget_) budget_->prerolled.store(true);
}

}  // namespace qrv::mci
