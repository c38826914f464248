#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace qrv::mci {

// The one reader of RIFF files (wave, AVI and RIFF MIDI). A RIFF file is "RIFF", a size and a
// four-letter form type, then chunks: a four-letter id, a little-endian size and the body, each
// chunk starting on an even offset (an odd-sized body is followed by a pad byte).

// Reads `count` bytes at `offset`; false when the source ends (or fails) before them.
using RiffSource = std::function<bool(uint64_t offset, unsigned char* out, size_t count)>;
RiffSource RiffFile(int fd);
RiffSource RiffBytes(const std::string& bytes);

// The form type ("WAVE", "AVI ", "RMID") of a source that starts as RIFF; empty otherwise.
std::string RiffForm(const RiffSource& read);

struct RiffChunk {
  std::string id;
  uint64_t body = 0;  // where the body starts
  uint64_t size = 0;  // as the header states it; the source may end sooner
};

// The most chunks a walk looks at. Real files hold a handful; a file of millions of tiny chunks is
// damaged, not a reason to keep the window waiting.
constexpr int kMaxRiffChunks = 1024;

// Walks the chunks that start before `size` (the source's length), in order, until `visit`
// returns false, a chunk header cannot be read, or kMaxRiffChunks have been seen.
void WalkRiffChunks(const RiffSource& read, uint64_t size,
                    const std::function<bool(const RiffChunk&)>& visit);

}  // namespace qrv::mci
