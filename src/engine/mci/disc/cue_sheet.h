#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::mci {

// A compact disc holds at most this many tracks.
constexpr int kMaxTracks = 99;

// How a sheet says a file holds its sound: raw CD sectors (little- or big-endian samples) or an
// audio file (WAVE, MP3, AIFF) to be decoded.
enum class CueFileKind { kBinary, kMotorola, kAudio };

struct CueFile {
  std::string name;  // as the sheet writes it, relative to the sheet's folder unless absolute
  CueFileKind kind = CueFileKind::kBinary;
};

// A place in one of the sheet's files, in sectors from the file's start.
struct CuePoint {
  int file = -1;  // index into CueSheet::files; -1 when the sheet does not give the point
  int32_t sector = 0;
};

struct CueTrackEntry {
  bool audio = true;
  CuePoint index0;        // where the track's gap starts in a file, if the sheet gives it
  CuePoint index1;        // where the track itself starts
  int32_t pregap = 0;     // sectors of silence before the track that no file holds
  int32_t postgap = 0;    // sectors of silence after the track that no file holds
  std::string title;      // CD-TEXT
  std::string performer;  // CD-TEXT
};

struct CueSheet {
  std::vector<CueFile> files;
  std::vector<CueTrackEntry> tracks;
  std::string title;      // CD-TEXT of the disc
  std::string performer;  // CD-TEXT of the disc
};

enum class CueResult { kOk, kUnreadable, kNoTracks, kTooManyTracks };

// Reads a cue sheet as rippers write them: keywords in any case, with or without a UTF-8 byte
// order mark, one file for the disc or one per track.
CueResult ParseCueSheet(std::string_view text, CueSheet& sheet);

}  // namespace qrv::mci
