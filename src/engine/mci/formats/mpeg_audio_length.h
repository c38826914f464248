#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/fs/regular_file.h"

namespace qrv::mci {

// The playing time of an MPEG audio file (layers I to III) in nanoseconds, by walking its frame
// headers; 0 when the file holds no run of valid frames. Decoders only estimate the length of a
// variable-bitrate file without an index, and the player needs the exact length to tell that a
// file has played to its end.
// The walk gives up after a megabyte with no frame, or 64 kilobytes between two frames: what
// follows is damage. The second form walks the bytes from `begin` to `end` (-1: the file's end).
int64_t MpegAudioLength(const fs::RegularFile& file, int64_t begin = 0, int64_t end = -1);
int64_t MpegAudioLength(const std::string& host_path);
int64_t MpegAudioLength(const std::string& host_path, int64_t begin, int64_t end);

// Whether bytes that start a file start MPEG audio: an ID3v2 tag or a valid frame header.
bool StartsAsMpegAudio(const uint8_t* bytes, size_t count);

}  // namespace qrv::mci
