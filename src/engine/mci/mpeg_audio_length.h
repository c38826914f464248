#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qrv::mci {

// The playing time of an MPEG audio file (layers I to III) in nanoseconds, by walking its frame
// headers; 0 when the file holds no run of valid frames. Decoders only estimate the length of a
// variable-bitrate file without an index, and the player needs the exact length to tell that a
// file has played to its end.
int64_t MpegAudioLength(const std::string& host_path);

// Whether bytes that start a file start MPEG audio: an ID3v2 tag or a valid frame header.
bool StartsAsMpegAudio(const uint8_t* bytes, size_t count);

}  // namespace qrv::mci
