#include <gst/app/gstappsrc.h>

#include <atomic>

#include "engine/mci/disc/cd_device.h"
#include "engine/mci/gst/sound_pipeline.h"

namespace qrv::mci {
namespace {

// About a fifth of a second per buffer: small enough to seek quickly, large enough to be cheap.
constexpr int32_t kSectorsPerBuffer = 16;

GstClockTime SectorTime(int64_t lsn) {
  return static_cast<GstClockTime>(SectorsToNs(lsn));
}

// Feeds the source from the disc on the source's own streaming thread.
struct Feeder {
  std::shared_ptr<CdDisc> disc;
  std::atomic<int32_t> next{0};

  static void NeedData(GstAppSrc* src, guint, gpointer self) {
    auto* feeder = static_cast<Feeder*>(self);
    const int32_t lsn = feeder->next.load();
    const int32_t count = std::min(kSectorsPerBuffer, feeder->disc->Leadout() - lsn);
    if (count <= 0) {
      gst_app_src_end_of_stream(src);
      return;
    }
    BufferPtr buffer(
        gst_buffer_new_allocate(nullptr, static_cast<gsize>(count) * kSectorBytes, nullptr));
    if (!buffer || !Fill(*feeder->disc, lsn, count, buffer.get())) {
      GST_ELEMENT_ERROR(src, RESOURCE, READ, ("The disc could not be read."), (nullptr));
      return;
    }
    GST_BUFFER_PTS(buffer.get()) = SectorTime(lsn);
    GST_BUFFER_DURATION(buffer.get()) = SectorTime(lsn + count) - SectorTime(lsn);
    feeder->next.store(lsn + count);
    gst_app_src_push_buffer(src, buffer.release());
  }

  // Reads `count` sectors from `lsn` on into the buffer's memory.
  static bool Fill(CdDisc& disc, int32_t lsn, int32_t count, GstBuffer* buffer) {
    const BufferMap map(buffer, GST_MAP_WRITE);
    return map && disc.ReadAudio(lsn, count, map.Data());
  }

  static gboolean SeekData(GstAppSrc*, guint64 offset, gpointer self) {
    auto* feeder = static_cast<Feeder*>(self);
    const auto lsn = static_cast<int32_t>(NsToSectors(static_cast<int64_t>(offset)));
    feeder->next.store(std::clamp(lsn, 0, feeder->disc->Leadout()));
    return TRUE;
  }

  static void Free(gpointer self) { delete static_cast<Feeder*>(self); }
};

}  // namespace

BuiltPipeline MakeCdPipeline(std::shared_ptr<CdDisc> disc) {
  EnsureGstInit();
  ElementPtr pipeline = AdoptElement(gst_pipeline_new("cdaudio"));
  ElementPtr src = MakeElement("appsrc");
  ElementPtr sink = MakeAudioSink();
  if (!pipeline || !src || !sink) {
    // Without an output the pipeline is still handed back, so that the open says so.
    return {sink ? nullptr : std::move(pipeline), nullptr};
  }
  const CapsPtr caps(gst_caps_new_simple("audio/x-raw", "format", G_TYPE_STRING, "S16LE", "rate",
                                         G_TYPE_INT, 44100, "channels", G_TYPE_INT, 2, "layout",
                                         G_TYPE_STRING, "interleaved", nullptr));
  g_object_set(src.get(), "caps", caps.get(), "format", GST_FORMAT_TIME, "stream-type",
               GST_APP_STREAM_TYPE_SEEKABLE, "duration", SectorTime(disc->Leadout()), nullptr);
  auto* feeder = new Feeder{std::move(disc), {}};
  GstAppSrcCallbacks callbacks{};
  callbacks.need_data = &Feeder::NeedData;
  callbacks.seek_data = &Feeder::SeekData;
  gst_app_src_set_callbacks(GST_APP_SRC(src.get()), &callbacks, feeder, &Feeder::Free);

  GstElement* out = sink.get();
  GstElement* entry = AddOutputChain(GST_BIN(pipeline.get()), std::move(sink));
  if (entry == nullptr) return {};
  gst_bin_add(GST_BIN(pipeline.get()), src.get());
  if (!gst_element_link(src.get(), entry)) return {};
  return {std::move(pipeline), out};
}

}  // namespace qrv::mci
