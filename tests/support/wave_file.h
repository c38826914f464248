#pragma once

#include <cstdint>
#include <string>

namespace qrv::test {

// `value` as `size` little-endian bytes, the way RIFF files store their numbers.
std::string LittleEndian(uint32_t value, int size);

// The 44-byte header of a plain PCM wave file whose data chunk holds `data_bytes` bytes.
std::string PcmWaveHeader(int channels, int rate, int bits, uint32_t data_bytes);

// A whole plain PCM wave file holding `data`.
std::string PcmWave(int channels, int rate, int bits, const std::string& data);

}  // namespace qrv::test
