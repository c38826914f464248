#include "engine/mci/disc/pcm_decoder.h"

#include <gst/app/gstappsink.h>

#include <algorithm>
#include <cstring>

namespace qrv::mci {
namespace {

constexpr int64_t kRate = 44100;
constexpr size_t kSampleBytes = 4;
// Reading on from a little further ahead is cheaper than seeking there.
constexpr int64_t kSkipAhead = 2 * kRate;
// A decoder that gives nothing for this long has stalled.
constexpr GstClockTime kStall = 3 * GST_SECOND;
constexpr GstClockTime kPoll = GST_SECOND / 10;

constexpr const char* kToDecoder = "filesrc name=src ! ";
// A queue hands the file on as a stream, for the files the decoder misreads by random access.
constexpr const char* kToDecoderAsStream = "filesrc name=src ! queue ! ";
constexpr const char* kFromDecoder =
    "decodebin ! audioconvert ! audioresample ! "
    "audio/x-raw,format=S16LE,rate=44100,channels=2,layout=interleaved ! "
    "appsink name=sink sync=false max-buffers=8";

GstClockTime SampleTime(int64_t sample) {
  return gst_util_uint64_scale(static_cast<guint64>(sample), GST_SECOND, kRate);
}

}  // namespace

std::unique_ptr<PcmDecoder> PcmDecoder::Open(const SharedFile& file,
                                             const std::optional<WaveLayout>& wave,
                                             int64_t known_ns) {
  EnsureGstInit();
  GError* raw_error = nullptr;
  const std::string description =
      std::string(wave && ReadWaveAsStream(*wave) ? kToDecoderAsStream : kToDecoder) + kFromDecoder;
  ElementPtr pipeline = AdoptElement(gst_parse_launch(description.c_str(), &raw_error));
  ErrorPtr error(raw_error);
  if (!pipeline || error) return nullptr;
  ElementPtr src(gst_bin_get_by_name(GST_BIN(pipeline.get()), "src"));
  ElementPtr sink(gst_bin_get_by_name(GST_BIN(pipeline.get()), "sink"));
  if (!src || !sink) return nullptr;
  g_object_set(src.get(), "location", SourceLocation(pipeline.get(), file).c_str(), nullptr);

  std::unique_ptr<PcmDecoder> decoder(new PcmDecoder());
  decoder->pipeline_ = std::move(pipeline);
  decoder->sink_ = sink.get();
  GstElement* p = decoder->pipeline_.get();
  if (gst_element_set_state(p, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE ||
      gst_element_get_state(p, nullptr, nullptr, kStall) != GST_STATE_CHANGE_SUCCESS) {
    return nullptr;
  }
  gint64 duration = known_ns;
  if (duration <= 0 &&
      (!gst_element_query_duration(p, GST_FORMAT_TIME, &duration) || duration <= 0)) {
    return nullptr;
  }
  decoder->samples_ = static_cast<int64_t>(
      gst_util_uint64_scale_round(static_cast<guint64>(duration), kRate, GST_SECOND));
  // The sink does not keep time, so the pipeline decodes as fast as it is read.
  if (gst_element_set_state(p, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) return nullptr;
  return decoder;
}

PcmDecoder::~PcmDecoder() {
  if (pipeline_) gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
}

bool PcmDecoder::SeekTo(int64_t sample) {
  pending_.clear();
  pending_at_ = 0;
  next_ = sample;
  placed_ = false;
  eos_ = sample >= samples_;
  if (eos_) return true;
  const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
  return gst_element_seek_simple(pipeline_.get(), GST_FORMAT_TIME, flags, SampleTime(sample)) != 0;
}

bool PcmDecoder::Fill() {
  BusPtr bus(gst_element_get_bus(pipeline_.get()));
  GstClockTime waited = 0;
  while (pending_at_ >= pending_.size() && !eos_) {
    if (MessagePtr failure{gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR)}) return false;
    const SamplePtr sample(gst_app_sink_try_pull_sample(GST_APP_SINK(sink_), kPoll));
    if (!sample) {
      if (gst_app_sink_is_eos(GST_APP_SINK(sink_))) {
        eos_ = true;
        break;
      }
      waited += kPoll;
      if (waited >= kStall) return false;
      continue;
    }
    GstBuffer* buffer = gst_sample_get_buffer(sample.get());
    const BufferMap map(buffer, GST_MAP_READ);
    if (!map) return false;
    pending_.assign(map.Data(), map.Data() + map.Size());
    pending_at_ = 0;
    const GstClockTime pts = GST_BUFFER_PTS(buffer);
    if (placed_) continue;
    // After a seek the first buffers may start a little early (or late): their time says which
    // sample they hold, and from there on the samples follow each other.
    if (!GST_CLOCK_TIME_IS_VALID(pts)) {
      placed_ = true;
      continue;
    }
    const auto start = static_cast<int64_t>(gst_util_uint64_scale_round(pts, kRate, GST_SECOND));
    const auto held = static_cast<int64_t>(pending_.size() / kSampleBytes);
    if (start + held <= next_) {
      pending_.clear();
    } else if (start <= next_) {
      pending_at_ = static_cast<size_t>(next_ - start) * kSampleBytes;
      placed_ = true;
    } else {
      pending_.insert(pending_.begin(), static_cast<size_t>(start - next_) * kSampleBytes, 0);
      placed_ = true;
    }
  }
  return true;
}

bool PcmDecoder::Read(int64_t first, int64_t count, uint8_t* out) {
  if (first != next_ && !(first > next_ && first - next_ < kSkipAhead && placed_)) {
    if (!SeekTo(first)) return false;
  }
  while (next_ < first) {
    if (!Fill()) return false;
    if (eos_ && pending_at_ >= pending_.size()) {
      next_ = first;
      break;
    }
    const auto skip = std::min<int64_t>(
        first - next_, static_cast<int64_t>((pending_.size() - pending_at_) / kSampleBytes));
    pending_at_ += static_cast<size_t>(skip) * kSampleBytes;
    next_ += skip;
  }
  while (count > 0) {
    if (!Fill()) return false;
    const auto held = static_cast<int64_t>((pending_.size() - pending_at_) / kSampleBytes);
    const int64_t n = held > 0 ? std::min(count, held) : count;
    const size_t bytes = static_cast<size_t>(n) * kSampleBytes;
    if (held > 0) {
      std::memcpy(out, pending_.data() + pending_at_, bytes);
      pending_at_ += bytes;
    } else {
      std::memset(out, 0, bytes);  // past the decoded end
    }
    out += bytes;
    next_ += n;
    count -= n;
  }
  return true;
}

bool PcmDecoder::Reaches(int64_t sample) {
  return SeekTo(sample) && Fill() && pending_at_ < pending_.size();
}

}  // namespace qrv::mci
