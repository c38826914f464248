#include "gst_util.h"

#include <cstdlib>
#include <mutex>

namespace qrv::mci {
namespace {

// The factory that autoaudiosink settles on, found once: probing every output costs tens of
// milliseconds, far too much to repeat on every open.
std::string ProbeSystemSink() {
  ElementPtr probe = MakeElement("autoaudiosink");
  if (!probe) return "fakesink";
  std::string chosen = "fakesink";
  if (gst_element_set_state(probe.get(), GST_STATE_READY) != GST_STATE_CHANGE_FAILURE) {
    GstIterator* it = gst_bin_iterate_elements(GST_BIN(probe.get()));
    GValue item = G_VALUE_INIT;
    if (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
      auto* child = GST_ELEMENT(g_value_get_object(&item));
      if (GstElementFactory* factory = gst_element_get_factory(child)) {
        chosen = gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory));
      }
      g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
  }
  gst_element_set_state(probe.get(), GST_STATE_NULL);
  return chosen;
}

}  // namespace

void EnsureGstInit() {
  static std::once_flag once;
  std::call_once(once, [] { gst_init(nullptr, nullptr); });
}

ElementPtr MakeElement(const char* factory, const char* name) {
  return AdoptElement(gst_element_factory_make(factory, name));
}

ElementPtr MakeAudioSink() {
  EnsureGstInit();
  if (const char* description = std::getenv("QUORVIN_AUDIO_SINK");
      description != nullptr && *description != '\0') {
    GError* raw_error = nullptr;
    GstElement* bin = gst_parse_bin_from_description(description, TRUE, &raw_error);
    ErrorPtr error(raw_error);
    if (bin != nullptr && !error) return AdoptElement(bin);
    if (bin != nullptr) AdoptElement(bin);  // released: a broken description is not used
  }
  static const std::string system_sink = ProbeSystemSink();
  ElementPtr sink = MakeElement(system_sink.c_str());
  if (!sink || system_sink == "fakesink") {
    sink = MakeElement("fakesink");
    // Without a sound card the medium still plays in real time, to nowhere.
    if (sink) g_object_set(sink.get(), "sync", TRUE, nullptr);
  }
  return sink;
}

}  // namespace qrv::mci
