#include "engine/mci/gst/sound_pipeline.h"

#include <gst/app/gstappsrc.h>
#include <gst/audio/audio.h>

#include <utility>

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

// Links the decoder's first stream of sound to `entry` once the decoder finds it. The handler
// needs no owner: it lives as long as the decoder, and the pipeline holds both the decoder and
// the entry, so neither outlives the other.
void LinkSoundOnceFound(GstElement* decode, GstElement* entry) {
  g_signal_connect(decode, "pad-added", G_CALLBACK(&LinkSound), entry);
}

// Times the decoded sound by its own samples from the first buffer of each segment on. The wave
// parser stamps the blocks of some compressed waves (mono ADPCM) with times that run at a
// different pace than their samples, and the decoder follows them back and forth, so that the
// output overlaps itself and a three-second file is heard in two.
class SampleClock {
 public:
  static void Attach(GstElement* entry) {
    const PadPtr sink(gst_element_get_static_pad(entry, "sink"));
    if (!sink) return;
    gst_pad_add_probe(
        sink.get(),
        static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_BOTH),
        &SampleClock::OnProbe, new SampleClock(),
        [](gpointer clock) { delete static_cast<SampleClock*>(clock); });
  }

 private:
  static GstPadProbeReturn OnProbe(GstPad*, GstPadProbeInfo* info, gpointer data) {
    auto* clock = static_cast<SampleClock*>(data);
    if ((GST_PAD_PROBE_INFO_TYPE(info) & GST_PAD_PROBE_TYPE_BUFFER) != 0) {
      GstBuffer* buffer = gst_buffer_make_writable(GST_PAD_PROBE_INFO_BUFFER(info));
      GST_PAD_PROBE_INFO_DATA(info) = buffer;
      clock->Stamp(buffer);
      return GST_PAD_PROBE_OK;
    }
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    if (GST_EVENT_TYPE(event) == GST_EVENT_CAPS) {
      GstCaps* caps = nullptr;
      gst_event_parse_caps(event, &caps);
      GstAudioInfo audio;
      if (caps != nullptr && gst_audio_info_from_caps(&audio, caps)) {
        clock->rate_ = GST_AUDIO_INFO_RATE(&audio);
        clock->frame_bytes_ = GST_AUDIO_INFO_BPF(&audio);
      }
    } else if (GST_EVENT_TYPE(event) == GST_EVENT_SEGMENT ||
               GST_EVENT_TYPE(event) == GST_EVENT_FLUSH_STOP) {
      clock->base_ = GST_CLOCK_TIME_NONE;
    }
    return GST_PAD_PROBE_OK;
  }

  void Stamp(GstBuffer* buffer) {
    if (rate_ <= 0 || frame_bytes_ <= 0 || !GST_BUFFER_PTS_IS_VALID(buffer)) return;
    if (!GST_CLOCK_TIME_IS_VALID(base_)) {
      base_ = GST_BUFFER_PTS(buffer);
      frames_ = 0;
    }
    const guint64 frames = gst_buffer_get_size(buffer) / static_cast<guint64>(frame_bytes_);
    const auto at = [this](guint64 n) {
      return base_ + gst_util_uint64_scale_int(n, GST_SECOND, rate_);
    };
    GST_BUFFER_PTS(buffer) = at(frames_);
    GST_BUFFER_DURATION(buffer) = at(frames_ + frames) - at(frames_);
    frames_ += frames;
  }

  GstClockTime base_ = GST_CLOCK_TIME_NONE;
  guint64 frames_ = 0;
  int rate_ = 0;
  int frame_bytes_ = 0;
};

}  // namespace

GstElement* AddOutputChain(GstBin* bin, ElementPtr output) {
  ElementPtr convert = MakeElement("audioconvert", kEntryName);
  ElementPtr channels = MakeElement("capsfilter");
  ElementPtr resample = MakeElement("audioresample");
  if (!convert || !channels || !resample || !output) return nullptr;
  // One channel goes on as two. The sound server plays a single channel that names its speaker
  // (WAVE_FORMAT_EXTENSIBLE files say "front centre") at half the level of a plain mono one.
  CapsPtr two_or_more(gst_caps_from_string("audio/x-raw,channels=[2,2147483647]"));
  g_object_set(channels.get(), "caps", two_or_more.get(), nullptr);
  GstElement* entry = convert.get();
  gst_bin_add_many(bin, convert.get(), channels.get(), resample.get(), output.get(), nullptr);
  if (!gst_element_link_many(convert.get(), channels.get(), resample.get(), output.get(),
                             nullptr)) {
    return nullptr;
  }
  return entry;
}

namespace {

// A new pipeline ending in the output chain, and the chain's entry. Without an output the
// pipeline is still handed back (with no entry), so that the open says so; nothing at all when a
// part is missing.
std::pair<BuiltPipeline, GstElement*> StartSoundPipeline() {
  EnsureGstInit();
  ElementPtr pipeline = AdoptElement(gst_pipeline_new("sound"));
  if (!pipeline) return {};
  ElementPtr output = MakeAudioSink();
  if (!output) return {BuiltPipeline{std::move(pipeline), nullptr}, nullptr};
  GstElement* out = output.get();
  GstElement* entry = AddOutputChain(GST_BIN(pipeline.get()), std::move(output));
  if (entry == nullptr) return {};
  return {BuiltPipeline{std::move(pipeline), out}, entry};
}

}  // namespace

BuiltPipeline MakeSoundPipeline(const SharedFile& file, SourceReading reading) {
  auto [built, entry] = StartSoundPipeline();
  if (entry == nullptr) return std::move(built);
  GstBin* bin = GST_BIN(built.pipeline.get());
  if (reading == SourceReading::kRandomAccess) {
    ElementPtr decode = MakeElement("uridecodebin");
    const std::string uri = SourceUri(built.pipeline.get(), file);
    if (!decode || uri.empty()) return {};
    g_object_set(decode.get(), "uri", uri.c_str(), nullptr);
    LinkSoundOnceFound(decode.get(), entry);
    gst_bin_add(bin, decode.get());
  } else {
    // A queue between the file and the decoder hands the file on as a stream.
    ElementPtr source = MakeElement("filesrc");
    ElementPtr queue = MakeElement("queue");
    ElementPtr decode = MakeElement("decodebin");
    if (!source || !queue || !decode) return {};
    g_object_set(source.get(), "location", SourceLocation(built.pipeline.get(), file).c_str(),
                 nullptr);
    LinkSoundOnceFound(decode.get(), entry);
    gst_bin_add_many(bin, source.get(), queue.get(), decode.get(), nullptr);
    if (!gst_element_link_many(source.get(), queue.get(), decode.get(), nullptr)) return {};
  }
  return std::move(built);
}

BuiltPipeline MakeSoundFilePipeline(const SharedFile& file, const std::optional<WaveLayout>& wave) {
  const bool stream = wave && ReadWaveAsStream(*wave);
  BuiltPipeline built =
      MakeSoundPipeline(file, stream ? SourceReading::kStream : SourceReading::kRandomAccess);
  if (built.pipeline && wave && WaveIsCompressed(*wave)) {
    if (const ElementPtr entry{gst_bin_get_by_name(GST_BIN(built.pipeline.get()), kEntryName)}) {
      SampleClock::Attach(entry.get());
    }
  }
  return built;
}

BuiltPipeline MakeMidiPipeline(std::shared_ptr<const std::string> smf) {
  auto [built, entry] = StartSoundPipeline();
  if (entry == nullptr) return std::move(built);
  ElementPtr source = MakeElement("appsrc");
  ElementPtr decode = MakeElement("decodebin");
  if (!source || !decode) return {};
  // The parser reads the whole file before it plays; it is handed over at once, then its end.
  CapsPtr caps(gst_caps_new_empty_simple("audio/midi"));
  g_object_set(source.get(), "caps", caps.get(), "format", GST_FORMAT_BYTES, nullptr);
  LinkSoundOnceFound(decode.get(), entry);
  GstBin* bin = GST_BIN(built.pipeline.get());
  gst_bin_add_many(bin, source.get(), decode.get(), nullptr);
  if (!gst_element_link(source.get(), decode.get())) return {};
  // The source takes the buffer; a pipeline rebuilt later gets its own copy.
  gst_app_src_push_buffer(GST_APP_SRC(source.get()),
                          gst_buffer_new_memdup(smf->data(), smf->size()));
  gst_app_src_end_of_stream(GST_APP_SRC(source.get()));
  return std::move(built);
}

bool SoundPipelinePlaysSound(GstElement* pipeline) {
  const ElementPtr entry(gst_bin_get_by_name(GST_BIN(pipeline), kEntryName));
  if (!entry) return false;
  const PadPtr sink(gst_element_get_static_pad(entry.get(), "sink"));
  return sink && gst_pad_is_linked(sink.get());
}

}  // namespace qrv::mci
