#include "sound_pipeline.h"

#include <gst/app/gstappsrc.h>

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

BuiltPipeline MakeSoundPipeline(const std::string& host_path, SourceReading reading) {
  EnsureGstInit();
  ElementPtr pipeline = AdoptElement(gst_pipeline_new("sound"));
  if (!pipeline) return {};
  ElementPtr output = MakeAudioSink();
  // Without an output the pipeline is still handed back, so that the open says so.
  if (!output) return {std::move(pipeline), nullptr};
  GstElement* out = output.get();
  GstElement* entry = AddOutputChain(GST_BIN(pipeline.get()), std::move(output));
  if (entry == nullptr) return {};
  GstBin* bin = GST_BIN(pipeline.get());
  if (reading == SourceReading::kRandomAccess) {
    ElementPtr decode = MakeElement("uridecodebin");
    CharPtr uri(gst_filename_to_uri(host_path.c_str(), nullptr));
    if (!decode || !uri) return {};
    g_object_set(decode.get(), "uri", uri.get(), nullptr);
    g_signal_connect(decode.get(), "pad-added", G_CALLBACK(&LinkSound), entry);
    gst_bin_add(bin, decode.get());
  } else {
    // A queue between the file and the decoder hands the file on as a stream.
    ElementPtr source = MakeElement("filesrc");
    ElementPtr queue = MakeElement("queue");
    ElementPtr decode = MakeElement("decodebin");
    if (!source || !queue || !decode) return {};
    g_object_set(source.get(), "location", host_path.c_str(), nullptr);
    g_signal_connect(decode.get(), "pad-added", G_CALLBACK(&LinkSound), entry);
    gst_bin_add_many(bin, source.get(), queue.get(), decode.get(), nullptr);
    if (!gst_element_link_many(source.get(), queue.get(), decode.get(), nullptr)) return {};
  }
  return {std::move(pipeline), out};
}

BuiltPipeline MakeSoundFilePipeline(const std::string& host_path,
                                    const std::optional<WaveLayout>& wave) {
  const bool stream = wave && ReadWaveAsStream(*wave);
  return MakeSoundPipeline(host_path,
                           stream ? SourceReading::kStream : SourceReading::kRandomAccess);
}

BuiltPipeline MakeMidiPipeline(std::shared_ptr<const std::string> smf) {
  EnsureGstInit();
  ElementPtr pipeline = AdoptElement(gst_pipeline_new("sound"));
  if (!pipeline) return {};
  ElementPtr output = MakeAudioSink();
  if (!output) return {std::move(pipeline), nullptr};
  GstElement* out = output.get();
  GstElement* entry = AddOutputChain(GST_BIN(pipeline.get()), std::move(output));
  ElementPtr source = MakeElement("appsrc");
  ElementPtr decode = MakeElement("decodebin");
  if (entry == nullptr || !source || !decode) return {};
  // The parser reads the whole file before it plays; it is handed over at once, then its end.
  CapsPtr caps(gst_caps_new_empty_simple("audio/midi"));
  g_object_set(source.get(), "caps", caps.get(), "format", GST_FORMAT_BYTES, nullptr);
  g_signal_connect(decode.get(), "pad-added", G_CALLBACK(&LinkSound), entry);
  GstBin* bin = GST_BIN(pipeline.get());
  gst_bin_add_many(bin, source.get(), decode.get(), nullptr);
  if (!gst_element_link(source.get(), decode.get())) return {};
  // The buffer keeps the bytes alive for as long as it lives.
  auto* held = new std::shared_ptr<const std::string>(std::move(smf));
  GstBuffer* buffer = gst_buffer_new_wrapped_full(
      GST_MEMORY_FLAG_READONLY, const_cast<char*>((*held)->data()), (*held)->size(), 0,
      (*held)->size(), held,
      [](gpointer data) { delete static_cast<std::shared_ptr<const std::string>*>(data); });
  gst_app_src_push_buffer(GST_APP_SRC(source.get()), buffer);
  gst_app_src_end_of_stream(GST_APP_SRC(source.get()));
  return {std::move(pipeline), out};
}

bool SoundPipelinePlaysSound(GstElement* pipeline) {
  const ElementPtr entry(gst_bin_get_by_name(GST_BIN(pipeline), kEntryName));
  if (!entry) return false;
  const PadPtr sink(gst_element_get_static_pad(entry.get(), "sink"));
  return sink && gst_pad_is_linked(sink.get());
}

}  // namespace qrv::mci
