#include "engine/mci/formats/midi_file.h"

#include <gtest/gtest.h>

#include "midi_writer.h"
#include "wave_file.h"

namespace qrv {
namespace {

using mci::RetimeMidi;
using test::MidiFile;
using test::MidiTrack;
using test::TypeOneTempoMap;
using test::TypeZeroTempoChanges;

constexpr int64_t kMs = 1000000;

struct LengthCase {
  const char* what;
  std::string file;
  int64_t length_ms;
};

TEST(MidiFileTest, LengthFollowsTheTempoMapAndReTimingKeepsEveryTime) {
  MidiTrack plain;
  test::HeldBeats(plain, 4, 480);
  plain.End(240);     // a rest after the last note counts
  MidiTrack running;  // running status: one status byte for several notes
  running.Add(0, {0x90, 60, 100}).Add(480, {62, 100}).Add(480, {60, 0}).Add(480, {62, 0});
  MidiTrack smpte;  // 25 frames of 40 ticks a second, tempo changes play no part
  smpte.Tempo(0, 60).Add(0, {0x90, 60, 100}).Add(2500, {0x80, 60, 0}).End(0);
  MidiTrack cut;
  cut.Add(0, {0x90, 60, 100}).Add(960, {0x80, 60, 0}).Add(960, {0x90, 61});
  std::string riff_body = MidiFile(0, 480, {plain});
  const auto n = riff_body.size();
  const std::string riff = std::string("RIFF") + std::string(4, '\0') + "RMIDdata" +
                           static_cast<char>(n & 0xFF) + static_cast<char>(n >> 8 & 0xFF) +
                           std::string(2, '\0') + riff_body;
  // Chunks before the data chunk (an INFO list) are walked over.
  const std::string riff_info = std::string("RIFF") + std::string(4, '\0') + "RMIDLIST" +
                                test::LittleEndian(4, 4) + "INFOdata" +
                                test::LittleEndian(static_cast<uint32_t>(n), 4) + riff_body;

  const LengthCase cases[] = {
      {"type 0 with tempo changes", TypeZeroTempoChanges(), 7333},
      {"type 1 with a tempo track", TypeOneTempoMap(), 7000},
      {"no tempo: 120 beats a minute", MidiFile(0, 480, {plain}), 2250},
      {"running status", MidiFile(0, 480, {running}), 1500},
      {"time code division", MidiFile(0, 0xE728, {smpte}), 2500},
      {"a header declaring 50000 tracks", MidiFile(1, 480, {plain, plain}, 50000), 2250},
      {"a track cut inside an event", MidiFile(0, 480, {cut}), 2000},
      {"wrapped in RIFF", riff, 2250},
      {"wrapped in RIFF after an INFO list", riff_info, 2250},
  };
  for (const LengthCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto midi = RetimeMidi(c.file);
    ASSERT_TRUE(midi.has_value());
    EXPECT_NEAR(midi->length_ns, c.length_ms * kMs, kMs);
    // The re-timed stream has one tempo; read again it lasts just as long.
    const auto again = RetimeMidi(midi->bytes);
    ASSERT_TRUE(again.has_value());
    EXPECT_NEAR(again->length_ns, midi->length_ns, kMs / 10);
  }
}

// The times of the note-ons in a re-timed stream (one track, explicit status bytes, a tick of
// 0.1 ms), in milliseconds.
std::vector<int> NoteOnTimes(const std::string& smf) {
  std::vector<int> times;
  size_t at = 22;  // past the header and the track's chunk header
  int64_t tick = 0;
  const auto byte = [&smf](size_t i) { return static_cast<uint8_t>(smf.at(i)); };
  while (at < smf.size()) {
    int64_t delta = 0;
    do delta = delta << 7 | (byte(at) & 0x7F);
    while ((byte(at++) & 0x80) != 0);
    tick += delta;
    const uint8_t status = byte(at++);
    if (status == 0xFF) {
      at += 2 + byte(at + 1);  // type, one-byte length, data
    } else if ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) {
      at += 1;
    } else {
      if ((status & 0xF0) == 0x90 && byte(at + 1) != 0)
        times.push_back(static_cast<int>(tick / 10));
      at += 2;
    }
  }
  return times;
}

TEST(MidiFileTest, ReTimedNotesStandWhereTheTempoMapPutsThem) {
  const auto type0 = RetimeMidi(TypeZeroTempoChanges());
  ASSERT_TRUE(type0.has_value());
  EXPECT_EQ(NoteOnTimes(type0->bytes),
            (std::vector<int>{0, 500, 1000, 1500, 2000, 3000, 4000, 5000, 6000, 6333, 6666, 7000}));
  const auto type1 = RetimeMidi(TypeOneTempoMap());
  ASSERT_TRUE(type1.has_value());
  EXPECT_EQ(NoteOnTimes(type1->bytes),
            (std::vector<int>{0, 600, 1200, 1800, 2400, 2800, 3200, 3600, 4000, 4750, 5500, 6250}));
}

TEST(MidiFileTest, HostileFilesAreReadWithinBounds) {
  EXPECT_FALSE(RetimeMidi("MThd").has_value());
  EXPECT_FALSE(RetimeMidi(std::string("MThd\0\0\0\6\0\1\0\1\1\xE0", 14)).has_value());
  EXPECT_FALSE(RetimeMidi("RIFF....WAVEfmt ").has_value());
  // Tracks past the bound are not read: the long note in the last one is left out.
  std::vector<MidiTrack> tracks(mci::kMaxMidiTracks);
  MidiTrack late;
  late.Add(0, {0x90, 60, 100}).Add(96000, {0x80, 60, 0});
  tracks.push_back(late);
  const auto many = RetimeMidi(MidiFile(1, 96, tracks));
  ASSERT_TRUE(many.has_value());
  EXPECT_EQ(many->length_ns, 0);
  // A track length beyond the file's end reads what is there.
  std::string file = MidiFile(0, 96, {late});
  file[18] = '\x7F';  // the first byte of the track's length
  const auto overlong = RetimeMidi(file);
  ASSERT_TRUE(overlong.has_value());
  EXPECT_NEAR(overlong->length_ns, 500000 * kMs, kMs);
}

}  // namespace
}  // namespace qrv
