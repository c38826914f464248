// Feeds arbitrary files to the wave reader and checks its layout against the file: the data lies
// within it, the walk ends, and the length it states is never negative.
#include <cstdint>

#include "engine/mci/formats/container_length.h"
#include "fuzz_support.h"
#include "fuzz_support_files.h"

using qrv::fuzz::Check;
using namespace qrv::mci;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qrv::fuzz::MemoryFile memory;
  const qrv::fs::RegularFile file = qrv::fs::OpenRegularFile(memory.Hold(data, size));
  const std::optional<WaveLayout> layout = ReadWaveLayout(file);
  if (!layout) return 0;
  Check(size >= 12);
  if (layout->complete) {
    Check(layout->data_offset + layout->data_size <= size);
    Check(WaveLength(*layout, file) >= 0);
  }
  return 0;
}
