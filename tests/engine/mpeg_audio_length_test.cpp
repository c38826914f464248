#include "engine/mci/formats/mpeg_audio_length.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

namespace qrv::mci {
namespace {

// MPEG-1 layer III, 128 kbit/s, 44.1 kHz, no padding: 417 bytes and 1152 samples a frame.
std::string Frame(bool info = false) {
  std::string frame(417, '\0');
  frame[0] = '\xFF';
  frame[1] = '\xFB';
  frame[2] = '\x90';
  frame[3] = '\x00';
  if (info) frame.replace(36, 4, "Info");
  return frame;
}

class MpegLengthTest : public ::testing::Test {
 protected:
  int64_t LengthOf(const std::string& bytes) {
    const std::string path = dir.path().toStdString() + "/f.mp3";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return MpegAudioLength(path);
  }
  QTemporaryDir dir;
};

constexpr int64_t kFrameNs = 1152LL * 1000000000LL / 44100;

TEST_F(MpegLengthTest, CountsFramesBetweenTags) {
  std::string file = "ID3";
  file += std::string("\x04\x00\x00\x00\x00\x01\x00", 7);  // a 128-byte tag body follows
  file += std::string(128, 'x');
  for (int i = 0; i < 100; ++i) file += Frame();
  file += "TAG" + std::string(125, ' ');
  EXPECT_EQ(LengthOf(file), 100 * kFrameNs);
}

TEST_F(MpegLengthTest, SkipsTheEncoderInfoFrameAndResynchronises) {
  std::string file = Frame(true);
  for (int i = 0; i < 10; ++i) file += Frame();
  file += "garbage";
  for (int i = 0; i < 10; ++i) file += Frame();
  EXPECT_EQ(LengthOf(file), 20 * kFrameNs);
}

// The walk reads through a window much smaller than the file: frames and junk that straddle the
// window's edges count exactly once.
TEST_F(MpegLengthTest, LongFilesAcrossReadWindows) {
  std::string file = Frame(true);
  for (int block = 0; block < 20; ++block) {
    for (int i = 0; i < 157; ++i) file += Frame();
    file += std::string(static_cast<size_t>(block * 37 + 3), '\x55');
  }
  file += "TAG" + std::string(125, ' ');
  ASSERT_GT(file.size(), 1000000u);
  EXPECT_EQ(LengthOf(file), 20 * 157 * kFrameNs);
}

// Damage ends the walk: frames after a long stretch of junk, or after a megabyte of junk at the
// start, are not looked for.
TEST_F(MpegLengthTest, TheWalkStopsAtLongDamage) {
  std::string file;
  for (int i = 0; i < 10; ++i) file += Frame();
  file += std::string(70000, '\0');
  for (int i = 0; i < 10; ++i) file += Frame();
  EXPECT_EQ(LengthOf(file), 10 * kFrameNs);
  std::string late(1100000, '\0');
  for (int i = 0; i < 10; ++i) late += Frame();
  EXPECT_EQ(LengthOf(late), 0);
  // An ID3v2.4 tag with a footer: the frames start after both.
  std::string footed = "ID3";
  footed += std::string("\x04\x00\x10\x00\x00\x00\x10", 7) + std::string(16, 'x') + "3DI" +
            std::string(7, '\0');
  for (int i = 0; i < 5; ++i) footed += Frame();
  EXPECT_EQ(LengthOf(footed), 5 * kFrameNs);
}

TEST_F(MpegLengthTest, NothingForOtherFiles) {
  EXPECT_EQ(LengthOf("plain words, no frames at all"), 0);
  EXPECT_EQ(LengthOf(""), 0);
  EXPECT_EQ(LengthOf(Frame().substr(0, 100)), 0);
  EXPECT_EQ(MpegAudioLength(dir.path().toStdString() + "/missing.mp3"), 0);
}

}  // namespace
}  // namespace qrv::mci
