#pragma once

#include <cstdint>

namespace qrv::fs {

// Reads a number of 1 to 4 bytes stored lowest byte first, as RIFF (wave, AVI, RIFF MIDI) and
// BMP headers store every number. Standard MIDI files store theirs highest byte first.
constexpr uint32_t LittleEndian(const unsigned char* p, int bytes) {
  uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
  return value;
}
constexpr uint32_t BigEndian(const unsigned char* p, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | p[i];
  return value;
}

}  // namespace qrv::fs
