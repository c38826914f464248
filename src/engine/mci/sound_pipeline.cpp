#include "sound_pipeline.h"

namespace qrv::mci {
namespace {

constexpr const char* kEntryName = "sound-entry";

// Links the first stream of sound the decoder finds to the output chain; anything else stays
// unlinked.
void LinkSound(GstElement*, GstPad* pad, gpointer entry) {
  const PadPtr sink(gst_element_get_static_pad(GST_ELEMENT(entry), "sink"));
  if (!sink || gst_pad_is_linked(sink.get())) return;
  CapsPtr caps(gst_pad_get_current_caps(pad));
  if (!caps) caps.reset(gst_pad_query_caps(pad, nullptr));
  if (!caps || gst_caps_get_size(caps.get()) == 0) return;
  if (gst_structure_has_name(gst_caps_get_structure(caps.get(), 0), "audio/x-raw")) {
    gst_pad_link(pad, sink.get());
  }
}

// Wave parsing trips over a data chunk of odd size and over compressed data that runs to the
// end of the file; such files are read as data up to their end.
void ReadDataToEnd(GstBin*, GstBin*, GstElement* element, gpointer) {
  if (MadeBy(element, "wavparse")) g_object_set(element, "ignore-length", TRUE, nullptr);
}

}  // namespace

GstElement* AddOutputChain(GstBin* bin, ElementPtr output) {
  ElementPtr convert = MakeElement("audioconvert", kEntryName);
  ElementPtr resample = MakeElement("audioresample");
  if (!convert || !resample || !output) return nullptr;
  GstElement* entry = convert.get();
  gst_bin_add_many(bin, convert.get(), resample.get(), output.get(), nullptr);
  if (!gst_element_link_many(convert.get(), resample.get(), output.get(), nullptr)) return nullptr;
  return entry;
}

BuiltPipeline MakeSoundPipeline(const std::string& uri, bool data_to_end) {
  EnsureGstInit();
  ElementPtr pipeline = AdoptElement(gst_pipeline_new("sound"));
  ElementPtr decode = MakeElement("uridecodebin");
  if (!pipeline || !decode) return {};
  ElementPtr output = MakeAudioSink();
  // Without an output the pipeline is still handed back, so that the open says so.
  if (!output) return {std::move(pipeline), nullptr};
  GstElement* out = output.get();
  GstElement* entry = AddOutputChain(GST_BIN(pipeline.get()), std::move(output));
  if (entry == nullptr) return {};
  g_object_set(decode.get(), "uri", uri.c_str(), nullptr);
  g_signal_connect(decode.get(), "pad-added", G_CALLBACK(&LinkSound), entry);
  if (data_to_end) {
    g_signal_connect(pipeline.get(), "deep-element-added", G_CALLBACK(&ReadDataToEnd), nullptr);
  }
  gst_bin_add(GST_BIN(pipeline.get()), decode.get());
  return {std::move(pipeline), out};
}

bool SoundPipelinePlaysSound(GstElement* pipeline) {
  const ElementPtr entry(gst_bin_get_by_name(GST_BIN(pipeline), kEntryName));
  if (!entry) return false;
  const PadPtr sink(gst_element_get_static_pad(entry.get(), "sink"));
  return sink && gst_pad_is_linked(sink.get());
}

}  // namespace qrv::mci
