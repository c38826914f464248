// What a file may cost before it plays: a file that makes the decoders read on and on without
// finding sound is refused as damaged within a bounded read, while real files with long lead-ins
// still open.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "audio_fixtures.h"
#include "engine/mci/gst/playback.h"
#include "engine/mci/gst/sound_pipeline.h"
#include "engine/mci/mci.h"
#include "engine/media_player.h"
#include "temp_prefix.h"

namespace qrv {
namespace {

std::string TextOf(mci::ErrorCode code) {
  std::string text;
  mci::GetErrorString(code, text);
  return text;
}

// A wave header whose format tag names compressed audio, then `size` bytes of file that are
// zeros without taking space on disk.
void WriteSparseWave(const std::string& path, int format_tag, off_t size) {
  test::WriteRiffWave(path, test::FormatBlock(format_tag, 2, 44100, 16000, 1, 0), "");
  const int fd = ::open(path.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, size), 0);
  ::close(fd);
}

class PrerollBoundsTest : public ::testing::Test {
 protected:
  PrerollBoundsTest() { prefix.MakeDir("media"); }
  std::string Host(const std::string& name) const { return prefix.DriveC() + "/media/" + name; }
  std::string Open(const std::string& name) {
    return test::OpenError(player, "c:\\media\\" + name);
  }

  test::TempPrefix prefix;
  TMediaPlayer player;
};

TEST_F(PrerollBoundsTest, ZerosWhereCompressedSoundShouldBeAreDamageNotADisc) {
  const std::string damaged = TextOf(mci::MCIERR_INVALID_FILE);
  for (const int tag : {0x55, 0x50}) {  // MPEG layer 3, MPEG layers 1 and 2
    SCOPED_TRACE(tag);
    WriteSparseWave(Host("zeros.wav"), tag, off_t{256} << 20);
    const std::string outcome = Open("zeros.wav");
    EXPECT_EQ(outcome, damaged);
    EXPECT_NE(outcome, TextOf(mci::MCIERR_DEVICE_NOT_READY));
    EXPECT_FALSE(player.DeviceOpen());
  }
}

TEST_F(PrerollBoundsTest, ALongLeadInBeforeTheSoundStillOpens) {
  // An MP3 behind a 4 MB ID3v2 tag (cover pictures make such tags), and a long wave file.
  test::WriteWave(Host("tone.wav"), 300);
  if (!test::EncodeMp3(Host("tone.wav"), Host("plain.mp3"))) GTEST_SKIP() << "no MP3 encoder";
  constexpr size_t kTagBody = size_t{4} << 20;
  std::string tag = "ID3";
  tag += '\x03';
  tag += '\0';
  tag += '\0';
  for (int shift : {21, 14, 7, 0}) tag += static_cast<char>((kTagBody >> shift) & 0x7F);
  tag += std::string(kTagBody, '\0');
  test::WriteAll(Host("tagged.mp3"), tag + test::ReadAll(Host("plain.mp3")));
  EXPECT_EQ(Open("tagged.mp3"), "opened");
  EXPECT_GE(player.Length(), 250);
  player.Close();

  test::WriteWave(Host("long.wav"), 400000);  // 70 MB of sound, read as it plays
  EXPECT_EQ(Open("long.wav"), "opened");
  EXPECT_GE(player.Length(), 399000);
}

TEST_F(PrerollBoundsTest, TheReadBoundEndsThePrerollLongBeforeItsTime) {
  WriteSparseWave(Host("zeros.wav"), 0x55, off_t{64} << 20);
  const mci::SharedFile file = mci::OpenSharedFile(Host("zeros.wav"));
  mci::Playback playback(
      {}, [&] { return mci::MakeSoundPipeline(file, mci::SourceReading::kRandomAccess); });
  // The time allowed is far more than reading a megabyte needs; only the bytes end the wait.
  const mci::PrerollResult result = playback.Preroll({30 * GST_SECOND, uint64_t{1} << 20});
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.timed_out);
  ASSERT_TRUE(result.error);
  EXPECT_EQ(result.error->domain, GST_STREAM_ERROR);
  EXPECT_EQ(result.error_factory, "filesrc");
}

}  // namespace
}  // namespace qrv
