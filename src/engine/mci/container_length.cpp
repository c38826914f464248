#include "container_length.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "mpeg_audio_length.h"
#include "runtime/fs/byte_order.h"
#include "runtime/fs/regular_file.h"

namespace qrv::mci {
namespace {

constexpr int64_t kNsPerSecond = 1000000000;
constexpr uint16_t kFormatPcm = 1, kFormatFloat = 3, kFormatALaw = 6, kFormatMuLaw = 7;
constexpr uint16_t kFormatMpeg = 0x50, kFormatMpegLayer3 = 0x55;
constexpr uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

bool HoldsOnlySound(const std::string& host_path) {
  const fs::RegularFile file = fs::OpenRegularFile(host_path);
  if (!file.Valid()) return false;
  unsigned char head[12] = {};
  const ssize_t n = ::pread(file.fd.Get(), head, sizeof head, 0);
  if (n < 4) return false;
  const auto is = [&head](size_t at, const char* tag) {
    return std::memcmp(head + at, tag, 4) == 0;
  };
  if (n == sizeof head && is(0, "RIFF") && (is(8, "WAVE") || is(8, "RMID"))) return true;
  return is(0, "MThd") || StartsAsMpegAudio(head, static_cast<size_t>(n));
}

std::optional<WaveLayout> ReadWaveLayout(const std::string& host_path) {
  const fs::RegularFile file = fs::OpenRegularFile(host_path);
  if (!file.Valid()) return std::nullopt;
  const int fd = file.fd.Get();
  const auto file_size = static_cast<uint64_t>(file.size);
  unsigned char header[12];
  if (::pread(fd, header, sizeof header, 0) != sizeof header ||
      std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }
  WaveLayout layout;
  bool have_format = false, have_data = false;
  uint64_t pos = 12;
  // Chunks are walked by their sizes; each starts on an even offset.
  for (int walked = 0; pos + 8 <= file_size && walked < kMaxWaveChunks; ++walked) {
    unsigned char chunk[8];
    if (::pread(fd, chunk, sizeof chunk, static_cast<off_t>(pos)) != sizeof chunk) break;
    const uint64_t size = fs::LittleEndian(chunk + 4, 4);
    const uint64_t body = pos + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
      unsigned char f[40] = {};
      const auto want = static_cast<size_t>(std::min<uint64_t>(size, sizeof f));
      if (::pread(fd, f, want, static_cast<off_t>(body)) != static_cast<ssize_t>(want)) break;
      layout.format = static_cast<uint16_t>(fs::LittleEndian(f, 2));
      layout.channels = static_cast<uint16_t>(fs::LittleEndian(f + 2, 2));
      layout.rate = fs::LittleEndian(f + 4, 4);
      layout.byte_rate = fs::LittleEndian(f + 8, 4);
      layout.bits = static_cast<uint16_t>(fs::LittleEndian(f + 14, 2));
      if (layout.format == kFormatExtensible && size >= 40) {
        layout.sub_format = static_cast<uint16_t>(fs::LittleEndian(f + 24, 2));
      }
      have_format = true;
    } else if (std::memcmp(chunk, "fact", 4) == 0 && size >= 4) {
      unsigned char f[4];
      if (::pread(fd, f, sizeof f, static_cast<off_t>(body)) != sizeof f) break;
      layout.fact_samples = fs::LittleEndian(f, 4);
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      layout.data_offset = body;
      layout.data_size = std::min(size, file_size - body);
      layout.data_is_last = body + size + (size & 1) >= file_size;
      layout.ends_on_pad = (size & 1) != 0 && body + size + 1 == file_size;
      have_data = true;
    }
    if (have_format && have_data && !layout.data_is_last) break;
    pos = body + size + (size & 1);
  }
  layout.complete = have_format && have_data;
  return layout;
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

int64_t WaveLength(const WaveLayout& layout, const std::string& host_path) {
  if (!layout.complete) return 0;
  const bool plain = !WaveIsCompressed(layout);
  // MPEG data may vary its bitrate; its frames tell the time. Without a single frame there is no
  // sound to time: the data is damaged.
  if (WaveHoldsMpeg(layout)) {
    const auto end = static_cast<int64_t>(layout.data_offset + layout.data_size);
    return MpegAudioLength(host_path, static_cast<int64_t>(layout.data_offset), end);
  }
  // Compressed formats count their samples; the byte rate of their header is an average.
  if (!plain && layout.fact_samples && *layout.fact_samples > 0 && layout.rate > 0) {
    return static_cast<int64_t>(*layout.fact_samples) * kNsPerSecond / layout.rate;
  }
  if (layout.byte_rate == 0) return 0;
  return static_cast<int64_t>(layout.data_size * kNsPerSecond / layout.byte_rate);
}

bool AviHeaderComplete(const std::string& host_path) {
  std::ifstream in(host_path, std::ios::binary);
  unsigned char head[24];
  if (!in.read(reinterpret_cast<char*>(head), 24)) return true;  // too short to be judged here
  if (std::string(reinterpret_cast<char*>(head), 4) != "RIFF" ||
      std::string(reinterpret_cast<char*>(head + 8), 4) != "AVI ") {
    return true;
  }
  in.seekg(0, std::ios::end);
  const auto file_size = static_cast<uint64_t>(in.tellg());
  const bool list = std::string(reinterpret_cast<char*>(head + 12), 4) == "LIST";
  return list && 20 + static_cast<uint64_t>(fs::LittleEndian(head + 16, 4)) <= file_size;
}

int64_t ContainerLength(const std::string& host_path) {
  if (auto layout = ReadWaveLayout(host_path)) return WaveLength(*layout, host_path);
  return MpegAudioLength(host_path);
}

}  // namespace qrv::mci
