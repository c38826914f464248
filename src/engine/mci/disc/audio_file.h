#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/mci/disc/cue_sheet.h"
#include "engine/mci/formats/container_length.h"
#include "engine/mci/mci.h"
#include "runtime/fs/regular_file.h"

namespace qrv::mci {

class PcmDecoder;

// The part of a file that is read, in samples (1/44100 s), after `header_bytes` that hold no
// sound; `samples` -1 reads to the end.
struct AudioWindow {
  int64_t header_bytes = 0;
  int64_t start = 0;
  int64_t samples = -1;
};

// One file a cue sheet names, read in compact-disc sectors: raw sectors and plain CD-format WAV
// files straight from the file, every other audio file through a decoder.
class AudioFile {
 public:
  // Opens and measures the file; `error` names the file when it cannot be played. `shown` is
  // the name the sheet gives it, used in the error texts.
  static std::unique_ptr<AudioFile> Open(const std::string& path, const std::string& shown,
                                         CueFileKind kind, ErrorCode& error,
                                         const AudioWindow& window = {});
  ~AudioFile();
  AudioFile(const AudioFile&) = delete;
  AudioFile& operator=(const AudioFile&) = delete;

  int32_t Sectors() const { return sectors_; }
  const std::string& Shown() const { return shown_; }
  // Reads `count` sectors from `sector`; past the file's end reads silence.
  bool Read(int32_t sector, int32_t count, uint8_t* out);
  // Lets go of the decoder (and its threads) until the file is read again.
  void Release();

 private:
  AudioFile() = default;
  bool ReadRaw(int32_t sector, int32_t count, uint8_t* out);

  std::string shown_;
  // Open while the image is: read straight, or by the decoder, which opens it afresh after a
  // release.
  std::shared_ptr<const fs::RegularFile> file_;
  std::optional<WaveLayout> layout_;  // of a decoded wave file
  bool decoded_ = false;
  int64_t data_offset_ = 0;
  int64_t data_bytes_ = 0;
  bool swap_ = false;  // big-endian samples
  std::unique_ptr<PcmDecoder> decoder_;
  int64_t first_sample_ = 0;  // of a decoded file, where the window starts
  int64_t known_ns_ = 0;      // of a decoded file, its length as its container states it
  int32_t sectors_ = 0;
};

}  // namespace qrv::mci
