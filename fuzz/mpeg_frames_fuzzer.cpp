// Feeds arbitrary files to the MPEG frame walk (ID3v2 sizes included) and checks that it ends
// with a length the file can hold: every frame lasts at most 1152 samples at 8 kHz and takes at
// least 24 bytes.
#include <cstdint>

#include "engine/mci/formats/mpeg_audio_length.h"
#include "fuzz_support.h"
#include "fuzz_support_files.h"

using qrv::fuzz::Check;
using namespace qrv::mci;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qrv::fuzz::MemoryFile file;
  const std::string& path = file.Hold(data, size);
  const int64_t length = MpegAudioLength(path);
  constexpr int64_t kLongestFrameNs = 1152LL * 1000000000 / 8000;
  Check(length >= 0 && length <= static_cast<int64_t>(size / 24 + 1) * kLongestFrameNs);
  return 0;
}
