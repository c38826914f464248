#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace qrv::test {

// A 128-byte tag block laid out by hand, so that tests state the bytes on disk independently
// of the component's own encoder.
struct RawBlock {
  std::string bytes = std::string(128, '\0');

  RawBlock& Put(size_t offset, const std::string& text) {
    std::memcpy(bytes.data() + offset, text.data(), text.size());
    return *this;
  }
  RawBlock& Byte(size_t offset, uint8_t value) {
    bytes[offset] = static_cast<char>(value);
    return *this;
  }
  uint8_t At(size_t offset) const { return static_cast<uint8_t>(bytes[offset]); }
};

// A block with the marker and every text field filled with spaces, genre 0.
inline RawBlock SpacedTagBlock() {
  RawBlock b;
  b.Put(0, "TAG").Put(3, std::string(124, ' ')).Byte(127, 0);
  return b;
}

inline std::string Field(const std::string& block, size_t offset, size_t width) {
  return block.substr(offset, width);
}

inline std::string Padded(const std::string& text, size_t width) {
  return text + std::string(width - text.size(), ' ');
}

}  // namespace qrv::test
