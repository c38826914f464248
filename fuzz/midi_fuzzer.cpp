// Feeds arbitrary files to the MIDI reader and checks the re-timed stream it makes: it reads back
// as a MIDI file of the same length, within the rounding of its 0.1 ms ticks.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/mci/formats/midi_file.h"
#include "fuzz_support.h"

using qrv::fuzz::Check;
using namespace qrv::mci;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<RetimedMidi> midi = RetimeMidi(bytes);
  if (!midi) return 0;
  Check(midi->length_ns >= 0);
  const std::optional<RetimedMidi> again = RetimeMidi(midi->bytes);
  Check(again.has_value());
  Check(std::llabs(again->length_ns - midi->length_ns) <= 100000);
  return 0;
}
