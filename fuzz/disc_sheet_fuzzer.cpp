// Feeds arbitrary text to the readers of disc images (cue sheets and cdrdao tables of contents)
// and checks what they give: no more tracks than a disc holds, every track placed in a file the
// sheet names, and a bounded count of pieces.
#include <cstdint>
#include <string_view>

#include "engine/mci/disc/cue_sheet.h"
#include "engine/mci/disc/toc_sheet.h"
#include "fuzz_support.h"

using qrv::fuzz::Check;
using namespace qrv::mci;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CueSheet cue;
  if (ParseCueSheet(text, cue) == CueResult::kOk) {
    Check(!cue.tracks.empty() && cue.tracks.size() <= static_cast<size_t>(kMaxTracks));
    Check(cue.files.size() <= 2 * static_cast<size_t>(kMaxTracks));
    for (const CueTrackEntry& t : cue.tracks) {
      Check(t.index1.file >= 0 && t.index1.file < static_cast<int>(cue.files.size()));
      Check(t.index0.file < static_cast<int>(cue.files.size()));
      Check(t.index1.sector >= 0 && t.pregap >= 0 && t.postgap >= 0);
    }
  }
  TocSheet toc;
  if (ParseTocSheet(text, toc) == CueResult::kOk) {
    Check(!toc.tracks.empty() && toc.tracks.size() <= static_cast<size_t>(kMaxTracks));
    size_t pieces = 0;
    for (const TocTrack& t : toc.tracks) {
      Check(!t.segments.empty() && t.start >= 0);
      Check(t.start_after <= static_cast<int>(t.segments.size()));
      pieces += t.segments.size();
      for (const TocSegment& s : t.segments) Check(s.start >= 0 && s.byte_offset >= 0);
    }
    Check(pieces <= kMaxTocSegments);
  }
  return 0;
}
