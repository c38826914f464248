#include "engine/mci/gst/output_connection.h"

#include <mutex>

#include "engine/mci/gst/gst_util.h"
#include "engine/mci/gst/media_log.h"

namespace qrv::mci {
namespace {

// The sound server's output is the one whose elements share their connection.
constexpr const char* kSharingOutput = "pulsesink";

std::mutex mutex;
// Kept for the whole run once made: it is let go only on a failure, never at exit, when the
// server's client thread may already be gone.
GstElement* held = nullptr;

}  // namespace

void HoldOutputConnection(GstElement* output) {
  if (!MadeBy(output, kSharingOutput)) return;
  std::lock_guard lock(mutex);
  if (held != nullptr) return;
  ElementPtr keeper = MakeElement(kSharingOutput);
  if (!keeper) return;
  // Readied, the output is connected to the server but has no stream: nothing plays and
  // nothing wakes up.
  if (gst_element_set_state(keeper.get(), GST_STATE_READY) == GST_STATE_CHANGE_FAILURE) {
    gst_element_set_state(keeper.get(), GST_STATE_NULL);
    return;
  }
  held = keeper.release();
}

bool ReleaseOutputConnection() {
  GstElement* keeper = nullptr;
  {
    std::lock_guard lock(mutex);
    keeper = std::exchange(held, nullptr);
  }
  if (keeper == nullptr) return false;
  qCDebug(MediaLog) << "letting the held connection to the sound server go";
  gst_element_set_state(keeper, GST_STATE_NULL);
  gst_object_unref(keeper);
  return true;
}

}  // namespace qrv::mci
