#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/mci/disc/cue_sheet.h"

namespace qrv::mci {

// One piece of a track in a cdrdao table of contents: silence, or a run of samples from a file.
// Times are in samples (1/44100 s); a compact-disc sector holds 588.
struct TocSegment {
  enum class Kind { kSilence, kAudio, kData };
  Kind kind = Kind::kSilence;
  std::string name;              // the file, relative to the table's folder unless absolute
  bool swap = false;             // little-endian samples (cdrdao writes big-endian ones)
  int64_t byte_offset = 0;       // bytes of the file before its samples
  int64_t start = 0;             // samples of the file before the piece
  int64_t length = -1;           // samples of the piece; -1 for the rest of the file
  int data_sector_bytes = 2048;  // for data files: bytes a sector
};

struct TocTrack {
  bool audio = true;
  std::vector<TocSegment> segments;
  int64_t start = 0;     // samples from the track's first piece to where it starts (its pregap)
  int start_after = -1;  // or: it starts after this many pieces (a START with no time)
  std::string title;
  std::string performer;
};

struct TocSheet {
  std::vector<TocTrack> tracks;
  std::string title;
  std::string performer;
};

// The most pieces a table may name; a disc of 99 tracks needs a few each.
constexpr size_t kMaxTocSegments = 4 * kMaxTracks;

// Reads a cdrdao table of contents (.toc) as cdrdao writes it.
CueResult ParseTocSheet(std::string_view text, TocSheet& sheet);

}  // namespace qrv::mci
