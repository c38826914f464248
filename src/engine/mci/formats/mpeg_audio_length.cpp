#include "engine/mci/formats/mpeg_audio_length.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "runtime/fs/regular_file.h"

namespace qrv::mci {
namespace {

struct FrameHeader {
  int length = 0;   // bytes, header included
  int samples = 0;  // per channel
  int rate = 0;
};

// Kilobits per second by [version is MPEG-1][layer - 1][index].
constexpr int kBitrates[2][3][16] = {
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}}};
constexpr int kRates[3] = {44100, 48000, 32000};

bool ParseHeader(const uint8_t* p, FrameHeader& h) {
  if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return false;
  const int version_bits = (p[1] >> 3) & 3;  // 3 = MPEG-1, 2 = MPEG-2, 0 = MPEG-2.5
  const int layer_bits = (p[1] >> 1) & 3;    // 3 = layer I, 2 = II, 1 = III
  const int bitrate_index = p[2] >> 4;
  const int rate_index = (p[2] >> 2) & 3;
  if (version_bits == 1 || layer_bits == 0 || bitrate_index == 0 || bitrate_index == 15 ||
      rate_index == 3) {
    return false;
  }
  const bool mpeg1 = version_bits == 3;
  const int layer = 4 - layer_bits;
  const int padding = (p[2] >> 1) & 1;
  const int kbps = kBitrates[mpeg1 ? 1 : 0][layer - 1][bitrate_index];
  h.rate = kRates[rate_index] >> (mpeg1 ? 0 : version_bits == 2 ? 1 : 2);
  if (layer == 1) {
    h.samples = 384;
    h.length = (12 * kbps * 1000 / h.rate + padding) * 4;
  } else {
    h.samples = layer == 3 && !mpeg1 ? 576 : 1152;
    h.length = h.samples / 8 * kbps * 1000 / h.rate + padding;
  }
  return h.length > 4;
}

// How far the walk looks for the first frame, and for the next one after damage.
constexpr int64_t kMaxLeadingJunk = 1 << 20;
constexpr int64_t kMaxGap = 1 << 16;

// The bytes of a frame's start that may hold an encoder's index marker.
constexpr int64_t kInfoProbeBytes = 68;

// A frame that carries an encoder's index instead of sound.
bool IsInfoFrame(const uint8_t* frame, int length) {
  for (int i = 4; i + 4 <= length && i < 64; ++i) {
    if (std::memcmp(frame + i, "Xing", 4) == 0 || std::memcmp(frame + i, "Info", 4) == 0) {
      return true;
    }
  }
  return false;
}

int64_t FrameNs(const FrameHeader& h) {
  return static_cast<int64_t>(h.samples) * 1000000000LL / h.rate;
}

// Reads a file through a small window, so that the walk over a long recording holds a few
// kilobytes rather than the whole file.
class WindowedReader {
 public:
  WindowedReader(int fd, int64_t end) : fd_(fd), end_(end), window_(kWindowBytes) {}

  // The `count` bytes at `offset`, or nullptr when the file ends before them.
  const uint8_t* At(int64_t offset, size_t count) {
    if (offset < base_ || offset + static_cast<int64_t>(count) > base_ + filled_) {
      Fill(offset);
      if (static_cast<int64_t>(count) > filled_) return nullptr;
    }
    return window_.data() + (offset - base_);
  }

 private:
  static constexpr size_t kWindowBytes = 1 << 16;

  void Fill(int64_t offset) {
    base_ = offset;
    filled_ = 0;
    const int64_t room = std::clamp<int64_t>(end_ - base_, 0, static_cast<int64_t>(window_.size()));
    const int64_t n = fs::ReadAt(fd_, base_, window_.data(), static_cast<size_t>(room));
    filled_ = std::max<int64_t>(n, 0);
  }

  int fd_;
  int64_t end_;  // nothing at or past it is read
  std::vector<uint8_t> window_;
  int64_t base_ = 0;
  int64_t filled_ = 0;
};

}  // namespace

bool StartsAsMpegAudio(const uint8_t* bytes, size_t count) {
  if (count >= 3 && std::memcmp(bytes, "ID3", 3) == 0) return true;
  FrameHeader h;
  return count >= 4 && ParseHeader(bytes, h);
}

int64_t MpegAudioLength(const std::string& host_path) {
  return MpegAudioLength(host_path, 0, -1);
}

int64_t MpegAudioLength(const std::string& host_path, int64_t begin, int64_t end) {
  return MpegAudioLength(fs::OpenRegularFile(host_path), begin, end);
}

int64_t MpegAudioLength(const fs::RegularFile& file, int64_t begin, int64_t end) {
  if (!file.Valid() || file.size <= 0) return 0;
  WindowedReader reader(file.fd.Get(), end < 0 ? file.size : std::min(end, file.size));
  const int64_t size = end < 0 ? file.size : std::min(end, file.size);

  int64_t pos = begin;
  if (const uint8_t* id3 = reader.At(pos, 10); id3 != nullptr && std::memcmp(id3, "ID3", 3) == 0) {
    // The size is the tag's, without its header and its footer (when the flags give one).
    const int64_t footer = (id3[5] & 0x10) != 0 ? 10 : 0;
    pos += 10 + footer +
           ((id3[6] & 0x7Fu) << 21 | (id3[7] & 0x7Fu) << 14 | (id3[8] & 0x7Fu) << 7 |
            (id3[9] & 0x7Fu));
  }
  int64_t total = 0;  // nanoseconds
  int frames = 0;
  int64_t lost = 0;  // bytes passed over since the last frame
  FrameHeader h;
  while (const uint8_t* header = reader.At(pos, 4)) {
    if (!ParseHeader(header, h) || pos + h.length > size + 1) {
      if (frames > 0 && pos + 128 >= size) break;  // a trailing tag
      // What follows so much that is not sound is damage, not more of the recording.
      if (++lost > (frames == 0 ? kMaxLeadingJunk : kMaxGap)) break;
      ++pos;  // resynchronise
      continue;
    }
    lost = 0;
    if (frames == 0) {
      // Only the first frame may be an encoder's index; its marker lies in its first bytes.
      const int64_t probe = std::min<int64_t>({h.length, kInfoProbeBytes, size - pos});
      const uint8_t* frame = reader.At(pos, static_cast<size_t>(probe));
      if (frame == nullptr) break;
      if (!IsInfoFrame(frame, static_cast<int>(probe))) total += FrameNs(h);
    } else {
      total += FrameNs(h);
    }
    ++frames;
    pos += h.length;
  }
  return frames >= 2 ? total : 0;
}

}  // namespace qrv::mci
