#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/fs/regular_file.h"

namespace qrv::mci {

// A standard MIDI file (plain or wrapped in RIFF) as this player plays it: its length from its
// own events and tempo changes, and its events re-timed into a single track at one fixed tempo.
// The synthesizer's parser reads every beat of a file at the last tempo it has seen, which leaves
// silent holes and cuts the file short where the tempo changes; the re-timed stream sounds the
// same with nothing left to get wrong.
struct RetimedMidi {
  int64_t length_ns = 0;
  std::string bytes;  // a format-0 standard MIDI file
};

// Bounds on what a file controls, so that a hostile file costs a bounded moment to read.
constexpr int64_t kMaxMidiFileBytes = 16 << 20;
constexpr int kMaxMidiTracks = 1024;
constexpr int64_t kMaxMidiEvents = 2000000;

// Reads and re-times the MIDI file; nothing when it is not one (or is too large or too damaged to
// hold a header and one track). A track cut short keeps the events before the cut.
std::optional<RetimedMidi> RetimeMidiFile(const std::string& host_path);
std::optional<RetimedMidi> RetimeMidiFile(const fs::RegularFile& file);
// The same for the bytes of a file.
std::optional<RetimedMidi> RetimeMidi(const std::string& file_bytes);

}  // namespace qrv::mci
