#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qrv::mci {

// What a RIFF wave file says about its sound: the format block, the sample count of its fact
// chunk, and where its data chunk lies.
struct WaveLayout {
  uint16_t format = 0;  // the format tag: 1 PCM, 2 MS ADPCM, 0x11 IMA ADPCM, 0x55 MPEG layer 3 ...
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint32_t byte_rate = 0;
  std::optional<uint32_t> fact_samples;
  uint64_t data_offset = 0;
  uint64_t data_size = 0;    // as far as the file really holds it
  bool data_is_last = true;  // nothing but a pad byte follows the data
};

// The layout of a wave file; nothing when the file is not one.
std::optional<WaveLayout> ReadWaveLayout(const std::string& host_path);

// Whether a file that starts as an AVI holds its whole header list. A file cut short inside it
// can never start, and the demultiplexer's complaint about it does not always come through.
bool AviHeaderComplete(const std::string& host_path);

// Whether a file is of a kind that holds sound and never pictures, by its first bytes: a wave
// file, a MIDI file (plain or in RIFF) or MPEG audio. Such a file needs no picture output.
bool HoldsOnlySound(const std::string& host_path);

// Playing time in nanoseconds as the container states it, 0 when it says nothing usable: a wave
// file's sample count (fact chunk) or data size over byte rate, or an MPEG file's frames.
// Decoders leave the length of some files open (an odd-sized data chunk, variable bitrate) or
// guess it from averages; the player needs it at open and exact.
int64_t ContainerLength(const std::string& host_path);
int64_t WaveLength(const WaveLayout& layout, const std::string& host_path);

}  // namespace qrv::mci
