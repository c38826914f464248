#include "engine/mci/gst/gst_util.h"

#include <atomic>
#include <cstdlib>
#include <mutex>

namespace qrv::mci {
namespace {

// The factory that autoaudiosink settles on, found once: probing every output costs tens of
// milliseconds, far too much to repeat on every open.
std::string ProbeSystemSink() {
  ElementPtr probe = MakeElement("autoaudiosink");
  if (!probe) return {};
  std::string chosen;
  if (gst_element_set_state(probe.get(), GST_STATE_READY) != GST_STATE_CHANGE_FAILURE) {
    const Owner<GstIterator> it(gst_bin_iterate_elements(GST_BIN(probe.get())));
    GValue item = G_VALUE_INIT;
    if (gst_iterator_next(it.get(), &item) == GST_ITERATOR_OK) {
      auto* child = GST_ELEMENT(g_value_get_object(&item));
      if (GstElementFactory* factory = gst_element_get_factory(child)) {
        chosen = gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory));
      }
    }
    g_value_unset(&item);
  }
  gst_element_set_state(probe.get(), GST_STATE_NULL);
  return chosen;
}

// Hands the output its sound in periods of 100 ms: the output then wakes ten times a second
// instead of a hundred, and its buffer (200 ms) holds two periods. Pausing and seeking stay
// immediate, because both drop or hold what the output still has, and the position comes from the
// output's clock, which counts played samples.
void SetPeriods(GstElement* sink) {
  if (g_object_class_find_property(G_OBJECT_GET_CLASS(sink), "latency-time") == nullptr) return;
  g_object_set(sink, "latency-time", gint64{100000}, nullptr);
}

// Among decoders of equal rank the first by name is chosen, which for MP3 is one that brings a
// whole general-purpose codec library into memory (some 25 MB); the dedicated decoder does the
// same work in a fraction of that.
void PreferLeanDecoders() {
  for (const char* name : {"mpg123audiodec"}) {
    const Owner<GstPluginFeature> feature(
        gst_registry_find_feature(gst_registry_get(), name, GST_TYPE_ELEMENT_FACTORY));
    if (feature && gst_plugin_feature_get_rank(feature.get()) < GST_RANK_PRIMARY) {
      gst_plugin_feature_set_rank(feature.get(), GST_RANK_PRIMARY);
    }
  }
}

std::atomic<int> live_pipelines{0};

void Finalised(gpointer, GObject*) {
  live_pipelines.fetch_sub(1);
}

}  // namespace

void CountWhileAlive(GstElement* pipeline) {
  if (pipeline == nullptr) return;
  live_pipelines.fetch_add(1);
  g_object_weak_ref(G_OBJECT(pipeline), &Finalised, nullptr);
}

int LivePipelineCount() {
  return live_pipelines.load();
}

void EnsureGstInit() {
  static std::once_flag once;
  std::call_once(once, [] {
    gst_init(nullptr, nullptr);
    PreferLeanDecoders();
  });
}

ElementPtr MakeElement(const char* factory, const char* name) {
  return AdoptElement(gst_element_factory_make(factory, name));
}

ElementPtr MakeAudioSink(bool fresh) {
  EnsureGstInit();
  if (const char* description = std::getenv("QUORVIN_AUDIO_SINK");
      description != nullptr && *description != '\0') {
    GError* raw_error = nullptr;
    ElementPtr bin = AdoptElement(gst_parse_bin_from_description(description, TRUE, &raw_error));
    ErrorPtr error(raw_error);
    // A description that names something missing is not quietly replaced by another output.
    return error ? nullptr : std::move(bin);
  }
  static std::mutex mutex;
  static std::string system_sink;
  std::lock_guard lock(mutex);
  if (fresh || system_sink.empty()) system_sink = ProbeSystemSink();
  // The automatic choice settles on a null output when no real one opens; that is no output.
  if (system_sink.empty() || system_sink == "fakesink") {
    system_sink.clear();
    return nullptr;
  }
  ElementPtr sink = MakeElement(system_sink.c_str());
  if (sink) SetPeriods(sink.get());
  return sink;
}

bool MadeBy(GstElement* element, const char* factory_name) {
  GstElementFactory* factory = element != nullptr ? gst_element_get_factory(element) : nullptr;
  return factory != nullptr &&
         g_strcmp0(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)), factory_name) == 0;
}

bool IsWithin(GstElement* element, GstElement* ancestor) {
  if (element == nullptr || ancestor == nullptr) return false;
  return element == ancestor ||
         gst_object_has_as_ancestor(GST_OBJECT(element), GST_OBJECT(ancestor));
}

}  // namespace qrv::mci
