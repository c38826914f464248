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

// Organ notes at 120, 60 and 180 beats a minute, four beats each, in one track (type 0):
// 2 + 4 + 1.333 s.
inline std::string TypeZeroTempoChanges() {
  MidiTrack t;
  t.Tempo(0, 120).Add(0, {0xC0, 19});
  HeldBeats(t, 4, 480);
  t.Tempo(0, 60);
  HeldBeats(t, 4, 480);
  t.Tempo(0, 180);
  HeldBeats(t, 4, 480);
  t.End(0);
  return MidiFile(0, 480, {t});
}

// Twelve organ notes under a tempo track of 100, 150 and 80 beats a minute, four beats each
// (type 1): 2.4 + 1.6 + 3 s.
inline std::string TypeOneTempoMap() {
  MidiTrack tempo;
  tempo.Tempo(0, 100).Tempo(384, 150).Tempo(384, 80).End(384);
  MidiTrack notes;
  notes.Add(0, {0xC0, 19});
  HeldBeats(notes, 12, 96);
  notes.End(0);
  return MidiFile(1, 96, {tempo, notes});
}

}  // namespace qrv::test
