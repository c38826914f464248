#include "engine/mci/formats/container_length.h"

#include <algorithm>
#include <cstring>

#include "engine/mci/formats/mpeg_audio_length.h"
#include "engine/mci/formats/riff.h"
#include "runtime/fs/byte_order.h"
#include "runtime/fs/regular_file.h"

namespace qrv::mci {
namespace {

constexpr int64_t kNsPerSecond = 1000000000;
constexpr uint16_t kFormatPcm = 1, kFormatFloat = 3, kFormatALaw = 6, kFormatMuLaw = 7;
constexpr uint16_t kFormatMpeg = 0x50, kFormatMpegLayer3 = 0x55;
constexpr uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

bool HoldsOnlySound(const fs::RegularFile& file) {
  if (!file.Valid()) return false;
  unsigned char head[4] = {};
  const int64_t n = fs::ReadAt(file.fd.Get(), 0, head, sizeof head);
  if (n < 4) return false;
  const std::string form = RiffForm(RiffFile(file.fd.Get()));
  if (form == "WAVE" || form == "RMID") return true;
  return std::memcmp(head, "MThd", 4) == 0 || StartsAsMpegAudio(head, static_cast<size_t>(n));
}

bool HoldsOnlySound(const std::string& host_path) {
  return HoldsOnlySound(fs::OpenRegularFile(host_path));
}

std::optional<WaveLayout> ReadWaveLayout(const fs::RegularFile& file) {
  if (!file.Valid()) return std::nullopt;
  const RiffSource read = RiffFile(file.fd.Get());
  if (RiffForm(read) != "WAVE") return std::nullopt;
  const auto file_size = static_cast<uint64_t>(file.size);
  WaveLayout layout;
  bool have_format = false, have_data = false;
  WalkRiffChunks(read, file_size, [&](const RiffChunk& chunk) {
    const uint64_t size = chunk.size, body = chunk.body;
    if (chunk.id == "fmt " && size >= 16) {
      unsigned char f[40] = {};
      if (!read(body, f, static_cast<size_t>(std::min<uint64_t>(size, sizeof f)))) return false;
      layout.format = static_cast<uint16_t>(fs::LittleEndian(f, 2));
      layout.channels = static_cast<uint16_t>(fs::LittleEndian(f + 2, 2));
      layout.rate = fs::LittleEndian(f + 4, 4);
      layout.byte_rate = fs::LittleEndian(f + 8, 4);
      layout.bits = static_cast<uint16_t>(fs::LittleEndian(f + 14, 2));
      if (layout.format == kFormatExtensible && size >= 40) {
        layout.sub_format = static_cast<uint16_t>(fs::LittleEndian(f + 24, 2));
      }
      have_format = true;
    } else if (chunk.id == "fact" && size >= 4) {
      unsigned char f[4];
      if (!read(body, f, sizeof f)) return false;
      layout.fact_samples = fs::LittleEndian(f, 4);
    } else if (chunk.id == "data") {
      layout.data_offset = body;
      layout.data_size = std::min(size, file_size - body);
      layout.data_is_last = body + size + (size & 1) >= file_size;
      layout.ends_on_pad = (size & 1) != 0 && body + size + 1 == file_size;
      have_data = true;
    }
    return !(have_format && have_data && !layout.data_is_last);
  });
  layout.complete = have_format && have_data;
  return layout;
}

std::optional<WaveLayout> ReadWaveLayout(const std::string& host_path) {
  return ReadWaveLayout(fs::OpenRegularFile(host_path));
}

bool WaveHoldsMpeg(const WaveLayout& layout) {
  return layout.format == kFormatMpeg || layout.format == kFormatMpegLayer3;
}

bool ReadWaveAsStream(const WaveLayout& layout) {
  return layout.complete && layout.ends_on_pad;
}

bool WaveIsCompressed(const WaveLayout& layout) {
  const uint16_t f = layout.format;
  return !(f == kFormatPcm || f == kFormatFloat || f == kFormatALaw || f == kFormatMuLaw ||
           f == kFormatExtensible);
}

int64_t WaveLength(const WaveLayout& layout, const fs::RegularFile& file) {
  if (!layout.complete) return 0;
  const bool plain = !WaveIsCompressed(layout);
  // MPEG data may vary its bitrate; its frames tell the time. Without a single frame there is no
  // sound to time: the data is damaged.
  if (WaveHoldsMpeg(layout)) {
    const auto end = static_cast<int64_t>(layout.data_offset + layout.data_size);
    return MpegAudioLength(file, static_cast<int64_t>(layout.data_offset), end);
  }
  // Compressed formats count their samples; the byte rate of their header is an average.
  if (!plain && layout.fact_samples && *layout.fact_samples > 0 && layout.rate > 0) {
    return static_cast<int64_t>(*layout.fact_samples) * kNsPerSecond / layout.rate;
  }
  if (layout.byte_rate == 0) return 0;
  return static_cast<int64_t>(layout.data_size * kNsPerSecond / layout.byte_rate);
}

bool AviHeaderComplete(const fs::RegularFile& file) {
  if (!file.Valid() || file.size < 24) return true;  // not judged here
  const RiffSource read = RiffFile(file.fd.Get());
  if (RiffForm(read) != "AVI ") return true;
  bool complete = false;
  WalkRiffChunks(read, static_cast<uint64_t>(file.size), [&](const RiffChunk& chunk) {
    complete = chunk.id == "LIST" && chunk.body + chunk.size <= static_cast<uint64_t>(file.size);
    return false;  // the header list comes first
  });
  return complete;
}

}  // namespace qrv::mci
