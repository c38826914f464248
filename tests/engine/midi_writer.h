#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace qrv::test {

// Writes standard MIDI files event by event, for tests.
class MidiTrack {
 public:
  // An event `delta` ticks after the one before, with its bytes as given.
  MidiTrack& Add(int delta, std::initializer_list<int> bytes) {
    PutVarLen(delta);
    for (int b : bytes) data_.push_back(static_cast<char>(b));
    return *this;
  }
  MidiTrack& Tempo(int delta, int bpm) {
    const int us = 60000000 / bpm;
    return Add(delta, {0xFF, 0x51, 0x03, us >> 16 & 0xFF, us >> 8 & 0xFF, us & 0xFF});
  }
  MidiTrack& End(int delta) { return Add(delta, {0xFF, 0x2F, 0x00}); }
  std::string Chunk() const {
    const auto n = data_.size();
    return std::string("MTrk") + static_cast<char>(n >> 24 & 0xFF) +
           static_cast<char>(n >> 16 & 0xFF) + static_cast<char>(n >> 8 & 0xFF) +
           static_cast<char>(n & 0xFF) + data_;
  }

 private:
  void PutVarLen(int value) {
    std::string bytes(1, static_cast<char>(value & 0x7F));
    while ((value >>= 7) != 0) bytes.insert(0, 1, static_cast<char>(0x80 | (value & 0x7F)));
    data_ += bytes;
  }
  std::string data_;
};

// A whole file: header of the given format and division (ticks a quarter note), then the tracks.
inline std::string MidiFile(int format, int division, const std::vector<MidiTrack>& tracks,
                            int declared_tracks = -1) {
  const int n = declared_tracks >= 0 ? declared_tracks : static_cast<int>(tracks.size());
  std::string out = std::string("MThd\0\0\0\6\0", 9) + static_cast<char>(format) +
                    static_cast<char>(n >> 8 & 0xFF) + static_cast<char>(n & 0xFF) +
                    static_cast<char>(division >> 8 & 0xFF) + static_cast<char>(division & 0xFF);
  for (const MidiTrack& t : tracks) out += t.Chunk();
  return out;
}

// Organ notes, one a beat, each held to the next: `beats` beats of `ticks` ticks.
inline void HeldBeats(MidiTrack& track, int beats, int ticks, int first_delta = 0) {
  for (int i = 0; i < beats; ++i) {
    track.Add(i == 0 ? first_delta : 0, {0x90, 60 + (i % 12), 100});
    track.Add(ticks, {0x80, 60 + (i % 12), 64});
  }
}

}  // namespace qrv::test
