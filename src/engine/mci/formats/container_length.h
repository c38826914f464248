#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/fs/regular_file.h"

namespace qrv::mci {

// What a RIFF wave file says about its sound: the format block, the sample count of its fact
// chunk, and where its data chunk lies.
struct WaveLayout {
  uint16_t format = 0;  // the format tag: 1 PCM, 2 MS ADPCM, 0x11 IMA ADPCM, 0x55 MPEG layer 3 ...
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint32_t byte_rate = 0;
  uint16_t bits = 0;
  uint16_t sub_format = 0;  // of WAVE_FORMAT_EXTENSIBLE: the first two bytes of its GUID
  std::optional<uint32_t> fact_samples;
  uint64_t data_offset = 0;
  uint64_t data_size = 0;    // as far as the file really holds it
  bool data_is_last = true;  // nothing but a pad byte follows the data
  bool ends_on_pad = false;  // the file ends with the pad byte of an odd-sized data chunk
  bool complete = true;      // the format and data chunks were found within the walk's bound
};

// The layout of a wave file; nothing when the file is not one. A RIFF wave file whose format or
// data chunk is missing, cut off, or lies beyond the walk's bound (kMaxRiffChunks) is not
// `complete`. Every reader here takes the file open (through runtime/fs, so a FIFO or device is
// never read) and reads it by offset, so that one descriptor serves them all; the forms that take
// a path open it so first.
std::optional<WaveLayout> ReadWaveLayout(const fs::RegularFile& file);
std::optional<WaveLayout> ReadWaveLayout(const std::string& host_path);

// Whether a wave file must be read as a stream rather than by random access. The wave parser,
// reading by random access, takes the pad byte that ends a file after an odd-sized data chunk
// for a cut-off chunk header and refuses the file; read as a stream, the same file plays. (Telling
// the parser to ignore the stated data size instead moves where it thinks the samples start, so
// that every sample wider than two bytes, and every compressed block, is read out of step.)
bool ReadWaveAsStream(const WaveLayout& layout);

// Whether the wave's samples are coded in blocks (ADPCM, GSM, MPEG), not one value each.
bool WaveIsCompressed(const WaveLayout& layout);

// Whether the wave's format tag says MPEG audio.
bool WaveHoldsMpeg(const WaveLayout& layout);

// Whether a file that starts as an AVI holds its whole header list. A file cut short inside it
// can never start, and the demultiplexer's complaint about it does not always come through.
bool AviHeaderComplete(const fs::RegularFile& file);

// Whether a file is of a kind that holds sound and never pictures, by its first bytes: a wave
// file, a MIDI file (plain or in RIFF) or MPEG audio. Such a file needs no picture output.
bool HoldsOnlySound(const fs::RegularFile& file);
bool HoldsOnlySound(const std::string& host_path);

// A wave file's playing time in nanoseconds as its header states it (the fact chunk's sample
// count, or the data size over the byte rate), 0 when it says nothing usable. Decoders leave the
// length of some files open (an odd-sized data chunk) or guess it; the player needs it at open
// and exact.
int64_t WaveLength(const WaveLayout& layout, const fs::RegularFile& file);

}  // namespace qrv::mci
