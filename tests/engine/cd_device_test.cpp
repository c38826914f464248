#include <gtest/gtest.h>

#include "audio_fixtures.h"
#include "engine/mci/device_table.h"
#include "engine/media_player.h"
#include "runtime/exceptions.h"
#include "temp_prefix.h"
#include "test_clock.h"

namespace qrv {
namespace {

using namespace qrv::mci;

// A disc image of three one-second tracks, named by $QUORVIN_CDROM for the test's duration,
// played on GStreamer's test clock.
class CdDeviceTest : public ::testing::Test {
 protected:
  CdDeviceTest() {
    const std::string dir = prefix.Root();
    for (int i = 0; i < 3; ++i) test::AppendCdAudio(dir + "/disc.bin", 75);
    test::WriteAll(dir + "/disc.cue",
                   "FILE \"disc.bin\" BINARY\n"
                   "  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                   "  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n"
                   "  TRACK 03 AUDIO\n    INDEX 01 00:02:00\n");
    previous_ = qgetenv("QUORVIN_CDROM");
    qputenv("QUORVIN_CDROM", QByteArray::fromStdString(dir + "/disc.cue"));
    player.SetDeviceType(TMPDeviceTypes::dtCDAudio);
    player.SetOnNotify([this](TMediaPlayer*) { ++notified; });
  }
  ~CdDeviceTest() override {
    player.Close();
    qputenv("QUORVIN_CDROM", previous_);
  }
  bool WaitFor(const std::function<bool()>& condition) { return clock.RunUntil(100, condition); }

  test::SystemTestClock clock;  // outlives the player's pipelines
  test::TempPrefix prefix;
  TMediaPlayer player;
  int notified = 0;
  QByteArray previous_;
};

TEST_F(CdDeviceTest, TableOfContentsInTmsf) {
  player.Open();
  EXPECT_EQ(player.TimeFormat(), 10);
  EXPECT_EQ(player.Tracks(), 3);
  EXPECT_EQ(player.TrackStart(1), 1);
  EXPECT_EQ(player.TrackStart(2), 2);
  EXPECT_EQ(player.TrackStart(3), 3);
  EXPECT_EQ(player.TrackStart(4), 0);
  EXPECT_EQ(player.Position(), 1);
  EXPECT_EQ(static_cast<uint32_t>(player.Length()), MakeTmsf(3, 0, 1, 0));
  EXPECT_FALSE(player.SupportsEject()) << "an image has no door";
  EXPECT_EQ(player.Mode(), TMPModes::ModeStopped);
}

TEST_F(CdDeviceTest, SeeksInTmsf) {
  player.Open();
  player.SetPosition(static_cast<int32_t>(MakeTmsf(2, 0, 0, 30)));
  EXPECT_EQ(player.LastError(), 0u);
  EXPECT_EQ(static_cast<uint32_t>(player.Position()), MakeTmsf(2, 0, 0, 30));
  player.SetPosition(static_cast<int32_t>(MakeTmsf(4, 0, 0, 0)));
  EXPECT_EQ(player.LastError(), MCIERR_OUTOFRANGE);
  player.SetPosition(static_cast<int32_t>(MakeTmsf(3, 0, 1, 1)));
  EXPECT_EQ(player.LastError(), MCIERR_OUTOFRANGE);
  EXPECT_EQ(static_cast<uint32_t>(player.Position()), MakeTmsf(2, 0, 0, 30));
}

TEST_F(CdDeviceTest, NextAndPreviousWhileStopped) {
  player.Open();
  player.Next();
  EXPECT_EQ(player.Position(), 2);
  EXPECT_EQ(player.Mode(), TMPModes::ModeStopped);
  player.Next();
  player.Next();
  EXPECT_EQ(player.Position(), 3) << "the last track stays the target";
  player.Previous();  // within the first second of track 3
  EXPECT_EQ(player.Position(), 2);
  player.SetPosition(static_cast<int32_t>(MakeTmsf(2, 0, 1, 0)));  // not a position on this disc
  player.SetPosition(static_cast<int32_t>(MakeTmsf(2, 0, 0, 74)));
  player.Previous();
  EXPECT_EQ(player.Position(), 1);
}

TEST_F(CdDeviceTest, NextAndPreviousWhilePlaying) {
  player.Open();
  player.Play();
  player.Next();
  EXPECT_EQ(player.FromPosition(), 2);
  EXPECT_EQ(player.Mode(), TMPModes::ModePlaying);
  EXPECT_EQ(TmsfTrack(static_cast<uint32_t>(player.Position())), 2u);
  player.Previous();  // less than a second into track 2
  EXPECT_EQ(player.FromPosition(), 1);
  EXPECT_EQ(TmsfTrack(static_cast<uint32_t>(player.Position())), 1u);
  EXPECT_EQ(player.Mode(), TMPModes::ModePlaying);
  player.Stop();
}

TEST_F(CdDeviceTest, PlaysToTheEndOfTheDisc) {
  player.Open();
  // Setting the time format at open asked to be told; that notice is not the end of the disc.
  ASSERT_TRUE(WaitFor([&] { return notified >= 1; }));
  notified = 0;
  player.SetPosition(static_cast<int32_t>(MakeTmsf(3, 0, 0, 40)));
  player.Play();
  ASSERT_TRUE(WaitFor([&] { return notified >= 1; }));
  EXPECT_EQ(player.Mode(), TMPModes::ModeStopped);
  EXPECT_EQ(player.Position(), player.Length());
}

TEST(CdDeviceMissing, NoDriveGivesAClearError) {
  const QByteArray previous = qgetenv("QUORVIN_CDROM");
  qputenv("QUORVIN_CDROM", "/nonexistent/drive");
  TMediaPlayer player;
  player.SetDeviceType(TMPDeviceTypes::dtCDAudio);
  std::string expected;
  GetErrorString(MCIERR_DEVICE_NOT_INSTALLED, expected);
  try {
    player.Open();
    ADD_FAILURE() << "opened a missing drive";
  } catch (const EMCIDeviceError& e) {
    EXPECT_EQ(e.Message(), expected);
  }
  qputenv("QUORVIN_CDROM", previous);
  EXPECT_FALSE(player.DeviceOpen());
}

}  // namespace
}  // namespace qrv
