#include "wave_file.h"

namespace qrv::test {

std::string LittleEndian(uint32_t value, int size) {
  std::string out;
  for (int i = 0; i < size; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return out;
}

std::string PcmWaveHeader(int channels, int rate, int bits, uint32_t data_bytes) {
  const auto block_align = static_cast<uint32_t>(channels * bits / 8);
  std::string out = "RIFF" + LittleEndian(36 + data_bytes, 4) + "WAVEfmt ";
  out +=
      LittleEndian(16, 4) + LittleEndian(1, 2) + LittleEndian(static_cast<uint32_t>(channels), 2);
  out += LittleEndian(static_cast<uint32_t>(rate), 4) +
         LittleEndian(static_cast<uint32_t>(rate) * block_align, 4);
  out += LittleEndian(block_align, 2) + LittleEndian(static_cast<uint32_t>(bits), 2);
  return out + "data" + LittleEndian(data_bytes, 4);
}

std::string PcmWave(int channels, int rate, int bits, const std::string& data) {
  return PcmWaveHeader(channels, rate, bits, static_cast<uint32_t>(data.size())) + data;
}

}  // namespace qrv::test
