#include "audio_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "cd_disc.h"
#include "pcm_decoder.h"
#include "runtime/fs/regular_file.h"

namespace qrv::mci {
namespace {

constexpr int32_t kSamplesPerSector = kSectorBytes / 4;

uint32_t Le32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

struct WaveData {
  bool is_wave = false;    // a RIFF WAVE file at all
  bool cd_format = false;  // 16-bit stereo PCM at 44.1 kHz, readable straight
  int64_t offset = 0;
  int64_t bytes = 0;
};

// Finds the sound of a WAV file: its format chunk and where its data chunk lies.
WaveData ReadWaveHeader(std::ifstream& in, int64_t file_size) {
  WaveData wave;
  uint8_t head[12];
  if (!in.read(reinterpret_cast<char*>(head), sizeof head) || std::memcmp(head, "RIFF", 4) != 0 ||
      std::memcmp(head + 8, "WAVE", 4) != 0) {
    return wave;
  }
  wave.is_wave = true;
  bool pcm = false;
  int64_t at = 12;
  uint8_t chunk[8];
  while (at + 8 <= file_size && in.seekg(at) && in.read(reinterpret_cast<char*>(chunk), 8)) {
    const int64_t size = Le32(chunk + 4);
    if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
      uint8_t fmt[40] = {};
      in.read(reinterpret_cast<char*>(fmt), std::min<int64_t>(size, sizeof fmt));
      const uint16_t tag = Le16(fmt);
      // WAVE_FORMAT_EXTENSIBLE names its format in the first bytes of a sub-format GUID.
      const bool integer = tag == 1 || (tag == 0xFFFE && size >= 40 && Le16(fmt + 24) == 1);
      pcm = integer && Le16(fmt + 2) == 2 && Le32(fmt + 4) == 44100 && Le16(fmt + 14) == 16;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      wave.offset = at + 8;
      // Rippers that stream may leave the size unset; the file's end bounds it either way.
      wave.bytes = std::min(size, file_size - wave.offset);
      wave.cd_format = pcm;
      return wave;
    }
    at += 8 + size + (size & 1);
  }
  return wave;
}

bool Starts(const uint8_t* head, const char* magic) {
  return std::memcmp(head, magic, std::strlen(magic)) == 0;
}

}  // namespace

std::unique_ptr<AudioFile> AudioFile::Open(const std::string& path, const std::string& shown,
                                           CueFileKind kind, ErrorCode& error,
                                           const AudioWindow& window) {
  std::unique_ptr<AudioFile> file(new AudioFile());
  file->path_ = path;
  file->shown_ = shown;
  // Only a regular file is read: a FIFO or a device named by the sheet would hold the window
  // until something wrote to it.
  const fs::RegularFile regular = fs::OpenRegularFile(path);
  const int64_t size = regular.size;
  if (regular.Valid()) file->raw_.open(path, std::ios::binary);
  if (!regular.Valid() || !file->raw_) {
    error = DriverError("The audio file \"" + shown + "\" of the disc image cannot be read.");
    return nullptr;
  }
  uint8_t head[4] = {};
  file->raw_.read(reinterpret_cast<char*>(head), sizeof head);
  file->raw_.clear();
  file->raw_.seekg(0);
  const WaveData wave = ReadWaveHeader(file->raw_, size);
  file->raw_.clear();
  // Rippers label files loosely; what the file holds decides how it is read.
  const bool encoded = Starts(head, "fLaC") || Starts(head, "ID3") || Starts(head, "OggS") ||
                       Starts(head, "FORM") || (wave.is_wave && !wave.cd_format);
  const int64_t skip = window.start * 4;
  const auto limit = [&window](int64_t bytes) {
    return window.samples < 0 ? bytes : std::min(bytes, window.samples * 4);
  };
  if (wave.cd_format) {
    file->data_offset_ = wave.offset + skip;
    file->data_bytes_ = limit(std::max<int64_t>(0, wave.bytes - skip));
  } else if (!encoded && kind != CueFileKind::kAudio) {
    file->data_offset_ = window.header_bytes + skip;
    file->data_bytes_ = limit(std::max<int64_t>(0, size - file->data_offset_));
    file->swap_ = kind == CueFileKind::kMotorola;
  } else {
    file->raw_.close();
    file->decoder_ = PcmDecoder::Open(path);
    const std::string damaged =
        "The audio file \"" + shown + "\" of the disc image is damaged or cannot be decoded.";
    if (!file->decoder_) {
      error = DriverError(damaged);
      return nullptr;
    }
    file->first_sample_ = window.start;
    const int64_t samples =
        window.samples < 0 ? std::max<int64_t>(0, file->decoder_->Samples() - window.start)
                           : std::min(window.samples, file->decoder_->Samples() - window.start);
    file->sectors_ = static_cast<int32_t>((samples + kSamplesPerSector - 1) / kSamplesPerSector);
    // Headers give a file's length; a file cut short or broken on the way tells only when its
    // last seconds will not decode.
    if (samples <= 0 ||
        !file->decoder_->Reaches(window.start + std::max<int64_t>(0, samples - 2 * 44100))) {
      error = DriverError(damaged);
      return nullptr;
    }
    file->Release();
    return file;
  }
  file->sectors_ = static_cast<int32_t>((file->data_bytes_ + kSectorBytes - 1) / kSectorBytes);
  return file;
}

AudioFile::~AudioFile() = default;

void AudioFile::Release() {
  if (raw_.is_open()) return;
  decoder_.reset();
}

bool AudioFile::Read(int32_t sector, int32_t count, uint8_t* out) {
  if (raw_.is_open()) return ReadRaw(sector, count, out);
  if (!decoder_) decoder_ = PcmDecoder::Open(path_);
  if (!decoder_) return false;
  return decoder_->Read(first_sample_ + static_cast<int64_t>(sector) * kSamplesPerSector,
                        static_cast<int64_t>(count) * kSamplesPerSector, out);
}

bool AudioFile::ReadRaw(int32_t sector, int32_t count, uint8_t* out) {
  const int64_t bytes = static_cast<int64_t>(count) * kSectorBytes;
  const int64_t from = static_cast<int64_t>(sector) * kSectorBytes;
  const int64_t held = std::clamp<int64_t>(data_bytes_ - from, 0, bytes);
  std::memset(out + held, 0, static_cast<size_t>(bytes - held));
  if (held == 0) return true;
  raw_.clear();
  if (!raw_.seekg(data_offset_ + from) || !raw_.read(reinterpret_cast<char*>(out), held)) {
    return false;
  }
  if (swap_) {
    for (int64_t i = 0; i + 1 < held; i += 2) std::swap(out[i], out[i + 1]);
  }
  return true;
}

}  // namespace qrv::mci
