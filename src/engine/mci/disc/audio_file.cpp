#include "engine/mci/disc/audio_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/mci/disc/cd_disc.h"
#include "engine/mci/disc/pcm_decoder.h"
#include "engine/mci/formats/container_length.h"
#include "engine/mci/formats/mpeg_audio_length.h"
#include "engine/mci/gst/source_file.h"
#include "runtime/fs/regular_file.h"

namespace qrv::mci {
namespace {

struct WaveData {
  bool is_wave = false;    // a RIFF WAVE file at all
  bool cd_format = false;  // 16-bit stereo PCM at 44.1 kHz, readable straight
  int64_t offset = 0;
  int64_t bytes = 0;
};

// Where the sound of a WAV file lies, and whether it is 16-bit stereo PCM at 44.1 kHz, readable
// straight. (WAVE_FORMAT_EXTENSIBLE names its format in the first bytes of a sub-format GUID.)
WaveData CdWave(const std::optional<WaveLayout>& layout) {
  WaveData wave;
  if (!layout) return wave;
  wave.is_wave = true;
  if (!layout->complete) return wave;
  const bool integer = layout->format == 1 || (layout->format == 0xFFFE && layout->sub_format == 1);
  wave.cd_format = integer && layout->channels == 2 && layout->rate == 44100 && layout->bits == 16;
  // Rippers that stream may leave the size unset; the file's end bounds it either way.
  wave.offset = static_cast<int64_t>(layout->data_offset);
  wave.bytes = static_cast<int64_t>(layout->data_size);
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
  file->shown_ = shown;
  // Only a regular file is read: a FIFO or a device named by the sheet would hold the window
  // until something wrote to it. The decoder, too, reads this open file, never the name again.
  file->file_ = OpenSharedFile(path);
  const fs::RegularFile& raw = *file->file_;
  const int64_t size = raw.size;
  if (!raw.Valid()) {
    error = DriverError("The audio file \"" + shown + "\" of the disc image cannot be read.");
    return nullptr;
  }
  uint8_t head[4] = {};
  fs::ReadAt(raw.fd.Get(), 0, head, sizeof head);
  const std::optional<WaveLayout> layout = ReadWaveLayout(raw);
  const WaveData wave = CdWave(layout);
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
    // The container's own count is exact where the decoder only estimates (compressed waves) or
    // knows nothing (MPEG audio in a wave).
    const bool mpeg = StartsAsMpegAudio(head, 4) || (layout && WaveHoldsMpeg(*layout));
    file->known_ns_ = layout && layout->complete ? WaveLength(*layout, raw)
                      : mpeg                     ? MpegAudioLength(raw)
                                                 : 0;
    file->layout_ = layout;
    file->decoded_ = true;
    const std::string damaged =
        "The audio file \"" + shown + "\" of the disc image is damaged or cannot be decoded.";
    // MPEG audio without a run of frames is damage the decoder would search to its end.
    if (mpeg && file->known_ns_ <= 0) {
      error = DriverError(damaged);
      return nullptr;
    }
    file->decoder_ = PcmDecoder::Open(file->file_, layout, file->known_ns_);
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
  decoder_.reset();
}

bool AudioFile::Read(int32_t sector, int32_t count, uint8_t* out) {
  if (!decoded_) return ReadRaw(sector, count, out);
  if (!decoder_) decoder_ = PcmDecoder::Open(file_, layout_, known_ns_);
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
  if (fs::ReadAt(file_->fd.Get(), data_offset_ + from, out, static_cast<size_t>(held)) != held) {
    return false;
  }
  if (swap_) {
    for (int64_t i = 0; i + 1 < held; i += 2) std::swap(out[i], out[i + 1]);
  }
  return true;
}

}  // namespace qrv::mci
