#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

#include "audio_fixtures.h"
#include "engine/mci/device_table.h"
#include "engine/mci/formats/midi_file.h"
#include "engine/mci/gst/sound_pipeline.h"
#include "engine/media_player.h"
#include "midi_writer.h"
#include "runtime/exceptions.h"
#include "temp_prefix.h"
#include "test_clock.h"

namespace qrv {
namespace {

using namespace qrv::mci;
using test::ErrorOf;

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

// A one-track MIDI file, written byte by byte: one middle C held for half a second.
std::string HalfSecondMidi() {
  const std::string track = Bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // 120 beats/min
                                   0x00, 0x90, 0x3C, 0x64,                    // note on
                                   0x83, 0x60, 0x80, 0x3C, 0x40,              // 480 ticks later off
                                   0x00, 0xFF, 0x2F, 0x00});
  return "MThd" + Bytes({0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0}) + "MTrk" +
         Bytes({0, 0, 0, static_cast<int>(track.size())}) + track;
}

// Each kind plays on GStreamer's test clock, so its last stretch takes no time on the wall clock.
class MediaKindsTest : public ::testing::Test {
 protected:
  MediaKindsTest() {
    prefix.MakeDir("media");
    player.SetOnNotify([this](TMediaPlayer*) { ++notified; });
  }
  std::string Host(const std::string& name) const { return prefix.DriveC() + "/media/" + name; }
  static std::string Win(const std::string& name) { return "c:\\media\\" + name; }

  // Opens the file, checks its length, and plays its last 300 ms to the end.
  void ExpectPlaysToItsEnd(const std::string& name, int length_ms, int tolerance_ms) {
    SCOPED_TRACE(name);
    player.SetFileName(Win(name));
    ASSERT_NO_THROW(player.Open());
    EXPECT_NEAR(player.Length(), length_ms, tolerance_ms);
    ASSERT_GT(player.Length(), 300);
    notified = 0;
    player.SetPosition(player.Length() - 300);
    player.Play();
    ASSERT_TRUE(clock.RunUntil(100, [&] { return notified >= 1; }));
    EXPECT_EQ(player.Position(), player.Length());
    player.Close();
  }
  std::string OpenError(const std::string& name) { return test::OpenError(player, Win(name)); }

  test::SystemTestClock clock;  // outlives the player's pipelines
  test::TempPrefix prefix;
  TMediaPlayer player;
  int notified = 0;
};

TEST_F(MediaKindsTest, WaveCodecsPlayWithTheLengthTheirContainerStates) {
  using test::FormatBlock;
  // 8-bit mono at 11025 Hz with an odd-sized data chunk: 22051 samples.
  std::string bytes(22051, '\x80');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(128 + (i % 50) - 25);
  test::WriteRiffWave(Host("odd8.wav"), FormatBlock(1, 1, 11025, 11025, 1, 8), bytes);
  ExpectPlaysToItsEnd("odd8.wav", 2000, 1);

  // IMA ADPCM with its fact chunk: 40 blocks of 505 samples at 22050 Hz.
  test::WriteRiffWave(Host("ima.wav"),
                      FormatBlock(0x11, 1, 22050, 11100, 256, 4, test::Bytes2(505)),
                      test::ImaAdpcm(40 * 505), 40 * 505);
  ExpectPlaysToItsEnd("ima.wav", 40 * 505 * 1000 / 22050, 1);

  struct Encoded {
    const char* name;
    const char* chain;  // from raw audio to the file's format
  };
  const Encoded encoded[] = {
      {"s24.wav", "audio/x-raw,format=S24LE ! wavenc"},
      {"s32.wav", "audio/x-raw,format=S32LE ! wavenc"},
      {"float.wav", "audio/x-raw,format=F32LE ! wavenc"},
      {"mulaw.wav", "audio/x-raw,format=S16LE,rate=8000 ! mulawenc ! wavenc"},
      {"alaw.wav", "audio/x-raw,format=S16LE,rate=8000 ! alawenc ! wavenc"},
  };
  for (const Encoded& e : encoded) {
    const std::string made =
        "audiotestsrc num-buffers=15 samplesperbuffer=1600 ! "
        "audio/x-raw,rate=44100 ! audioconvert ! audioresample ! " +
        std::string(e.chain) + " ! filesink location=\"" + Host(e.name) + "\"";
    if (!test::RunPipeline(made)) {
      ADD_FAILURE() << "could not make " << e.name;
      continue;
    }
    ExpectPlaysToItsEnd(e.name, 15 * 1600 * 1000 / 44100, 30);
  }
}

TEST_F(MediaKindsTest, MpegAudioInAWaveWithAnOddDataChunk) {
  test::WriteWave(Host("source.wav"), 1500);
  ASSERT_TRUE(test::EncodeMp3(Host("source.wav"), Host("source.mp3")));
  std::string mp3 = test::ReadAll(Host("source.mp3"));
  if (mp3.size() % 2 == 0) mp3.pop_back();
  // MPEGLAYER3WAVEFORMAT: 128 kbit/s stereo, no fact chunk.
  test::WriteRiffWave(
      Host("mp3.wav"),
      test::FormatBlock(0x55, 2, 44100, 16000, 1, 0,
                        test::Bytes2(1) + std::string("\x02\0\0\0\xa1\x01\x01\0\x71\x05", 10)),
      mp3);
  ExpectPlaysToItsEnd("mp3.wav", 1500, 80);
}

TEST_F(MediaKindsTest, MidiPlaysThroughTheSoundFont) {
  test::WriteAll(Host("tune.mid"), HalfSecondMidi());
  player.SetFileName(Win("tune.mid"));
  ASSERT_NO_THROW(player.Open());
  EXPECT_EQ(player.Length(), 500);
  EXPECT_FALSE(player.SupportsVideo());
  player.Play();
  ASSERT_TRUE(clock.RunUntil(100, [&] { return notified >= 1; }));
  EXPECT_EQ(player.Position(), 500);
}

TEST_F(MediaKindsTest, MidiTempoChangesShowAndPlayTheirRealLength) {
  // Organ notes held from beat to beat through 120, 60 and 180 beats a minute (type 0), and
  // through 100, 150 and 80 from a tempo track (type 1).
  test::WriteAll(Host("type0.mid"), test::TypeZeroTempoChanges());
  test::WriteAll(Host("type1.mid"), test::TypeOneTempoMap());

  for (const auto& [name, length_ms] : {std::pair{"type0.mid", 7333}, {"type1.mid", 7000}}) {
    ExpectPlaysToItsEnd(name, length_ms, 2);
    // What the synthesizer plays: as long as the file, sound in every tenth of a second, no hole.
    const std::string host = Host(name);
    const test::Heard heard = test::Listen([&host] {
      const auto midi = RetimeMidiFile(host);
      return MakeMidiPipeline(std::make_shared<const std::string>(midi ? midi->bytes : ""));
    });
    ASSERT_EQ(heard.error, "");
    ASSERT_GT(heard.rate, 0);
    const size_t window = static_cast<size_t>(heard.rate / 10) * heard.channels;
    const size_t sounding = static_cast<size_t>(heard.rate) * (length_ms - 100) / 1000 *
                            static_cast<size_t>(heard.channels);
    // Played at the wrong tempo, the notes last longer or shorter than the file.
    const double heard_ms = 1000.0 * heard.samples.size() / heard.channels / heard.rate;
    EXPECT_NEAR(heard_ms, length_ms, 100);
    ASSERT_GE(heard.samples.size(), sounding);
    for (size_t at = 0; at + window <= sounding; at += window) {
      double sum = 0;
      for (size_t i = at; i < at + window; ++i) sum += heard.samples[i] * heard.samples[i];
      EXPECT_GT(std::sqrt(sum / window), 0.005)
          << "silent at " << at / heard.channels * 1000 / heard.rate << " ms";
    }
  }
}

// Files whose headers would have the window walk millions of chunks or gigabytes of nothing are
// refused at once as damaged files, never with a disc's text.
TEST_F(MediaKindsTest, HostileHeadersAreBoundedAndSayTheFileIsDamaged) {
  using test::FormatBlock;
  const std::string damaged = ErrorOf(MCIERR_INVALID_FILE);
  // 300,000 empty chunks between the format and the data.
  std::string chunks;
  for (int i = 0; i < 300000; ++i) chunks += std::string("junk\0\0\0\0", 8);
  std::string body = "WAVEfmt " + Bytes({16, 0, 0, 0}) + FormatBlock(1, 1, 8000, 16000, 2, 16) +
                     chunks + "data" + Bytes({4, 0, 0, 0}) + std::string(4, '\0');
  test::WriteAll(Host("chunks.wav"), "RIFF" + Bytes({0, 0, 0, 0}) + body);
  EXPECT_EQ(OpenError("chunks.wav"), damaged);

  // A sparse 4 GB file of zeros whose format tag says MPEG.
  test::WriteRiffWave(Host("sparse.wav"),
                      FormatBlock(0x55, 2, 44100, 16000, 1, 0, std::string(12, '\0')),
                      std::string(64, '\0'));
  std::string sparse = test::ReadAll(Host("sparse.wav"));
  sparse.replace(sparse.find("data") + 4, 4, Bytes({0x00, 0xFF, 0xFF, 0xFF}));
  test::WriteAll(Host("sparse.wav"), sparse);
  std::filesystem::resize_file(Host("sparse.wav"), 4ULL << 30);
  EXPECT_EQ(OpenError("sparse.wav"), damaged);

  // A MIDI file declaring 50,000 tracks and holding one opens with the one.
  test::MidiTrack one;
  test::HeldBeats(one, 2, 96);
  test::WriteAll(Host("many.mid"), test::MidiFile(1, 96, {one}, 50000));
  EXPECT_EQ(OpenError("many.mid"), "opened");
  EXPECT_EQ(player.Length(), 1000);
  player.Close();
}

TEST_F(MediaKindsTest, AviPlaysPictureAndSoundAndATruncatedOneFailsClearly) {
  const std::string made =
      "avimux name=mux ! filesink location=\"" + Host("clip.avi") +
      "\" videotestsrc num-buffers=25 ! video/x-raw,width=160,height=120,framerate=25/1 ! "
      "jpegenc ! mux. audiotestsrc num-buffers=25 samplesperbuffer=1764 ! "
      "audio/x-raw,format=S16LE,rate=44100,channels=2 ! mux.";
  ASSERT_TRUE(test::RunPipeline(made));
  player.SetFileName(Win("clip.avi"));
  ASSERT_NO_THROW(player.Open());
  EXPECT_TRUE(player.SupportsVideo());
  player.Close();
  ExpectPlaysToItsEnd("clip.avi", 1000, 40);

  const std::string whole = test::ReadAll(Host("clip.avi"));
  test::WriteAll(Host("cut.avi"), whole.substr(0, 300));
  EXPECT_EQ(OpenError("cut.avi"), ErrorOf(MCIERR_INVALID_FILE));
  EXPECT_EQ(DeviceTable::Instance().OpenCount(), 0u);
}

}  // namespace
}  // namespace qrv
