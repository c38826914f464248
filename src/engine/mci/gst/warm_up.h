#pragma once

#include <thread>

namespace qrv::mci {

// Readies the sound engine on a thread of its own while the user looks at the first window: its
// plugin list read, its output chosen, and the plugins that every sound file needs (sources,
// converters, the MP3 reader) loaded, so that the first file opened does not wait for
// them. An Open that comes first waits only for the plugin list (read once per process).
// Destroying this waits until the work is done.
class SoundEngineWarmUp {
 public:
  SoundEngineWarmUp();

 private:
  std::jthread thread_;
};

}  // namespace qrv::mci
