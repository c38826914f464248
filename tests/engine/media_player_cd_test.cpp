#include <gtest/gtest.h>

#include "scripted_fixture.h"

namespace qrv {
namespace {

using namespace qrv::mci;
using test::Call, test::CallList, test::kStatus;
constexpr uint32_t kTrackStatus = MCI_WAIT | MCI_STATUS_ITEM | MCI_TRACK;

// A ten-track disc in TMSF, opened as the CD window opens it.
class CdPlayerTest : public test::ScriptedPlayerTest {
 protected:
  void SetUp() override {
    script().tracks = 10;
    script().device_type = MCI_DEVTYPE_CD_AUDIO;
    script().length = MakeTmsf(10, 3, 0, 0);
    player->SetDeviceType(TMPDeviceTypes::dtCDAudio);
    player->SetFileName("ignored.mp3");
    player->Open();
  }
  void Stand(uint32_t tmsf, uint32_t mode) {
    script().position = tmsf;
    script().mode = mode;
    driver.ClearLog();
  }
};

TEST(CdOpen, OpenByTypeIgnoresTheFileAndSwitchesToTmsf) {
  mci::ScriptedDriver driver;
  TMediaPlayer player;
  player.SetDeviceType(TMPDeviceTypes::dtCDAudio);
  player.SetFileName("c:\\x.mp3");
  player.Open();
  const auto& log = driver.Log();
  ASSERT_EQ(log.size(), 9u);
  EXPECT_EQ(log[0].flags, MCI_WAIT | MCI_OPEN_TYPE);
  EXPECT_EQ(log[0].fields.device_type, "CDAudio");
  EXPECT_EQ(log[7].command, MCI_SET);
  EXPECT_EQ(log[7].flags, MCI_NOTIFY | MCI_SET_TIME_FORMAT);
  EXPECT_EQ(log[7].fields.time_format, MCI_FORMAT_TMSF);
  EXPECT_EQ(log[8].command, MCI_STATUS);
  EXPECT_EQ(player.TimeFormat(), 10);
}

TEST_F(CdPlayerTest, NextWhilePlayingPlaysTheNextTrack) {
  Stand(MakeTmsf(3, 1, 20, 5), MCI_MODE_PLAY);
  player->Next();
  EXPECT_EQ(Calls(), (CallList{{MCI_STATUS, kStatus},
                               {MCI_STATUS, kStatus},
                               {MCI_STATUS, kStatus},
                               {MCI_STATUS, kTrackStatus},
                               {MCI_STATUS, kStatus},
                               {MCI_PLAY, MCI_NOTIFY | MCI_FROM}}));
  EXPECT_EQ(At(1).fields.item, MCI_STATUS_POSITION);
  EXPECT_EQ(At(2).fields.item, MCI_STATUS_NUMBER_OF_TRACKS);
  EXPECT_EQ(At(3).fields.track, 4u);
  EXPECT_EQ(At(4).fields.item, MCI_STATUS_MODE);
  EXPECT_EQ(At(5).fields.from, 4u);
  EXPECT_EQ(player->FromPosition(), 4);
}

TEST_F(CdPlayerTest, NextOnTheLastTrackPlaysItAgain) {
  Stand(MakeTmsf(10, 2, 0, 0), MCI_MODE_PLAY);
  player->Next();
  EXPECT_EQ(At(3).fields.track, 10u);
  EXPECT_EQ(Calls().back(), (Call{MCI_PLAY, MCI_NOTIFY | MCI_FROM}));
  EXPECT_EQ(At(5).fields.from, 10u);
}

TEST_F(CdPlayerTest, NextWhileStoppedOnlyMoves) {
  Stand(MakeTmsf(3, 0, 5, 0), MCI_MODE_STOP);
  player->Next();
  EXPECT_EQ(Calls().back(), (Call{MCI_SEEK, MCI_WAIT | MCI_TO}));
  EXPECT_EQ(driver.Log().back().fields.to, 4u);
  EXPECT_EQ(script().mode, MCI_MODE_STOP);
  EXPECT_EQ(script().position, 4u);
}

TEST_F(CdPlayerTest, PreviousWithinTheFirstSecondGoesToThePreviousTrack) {
  Stand(MakeTmsf(5, 0, 0, 40), MCI_MODE_PLAY);
  player->Previous();
  EXPECT_EQ(Calls(), (CallList{{MCI_STATUS, kStatus},
                               {MCI_STATUS, kStatus},
                               {MCI_STATUS, kTrackStatus},
                               {MCI_STATUS, kTrackStatus},
                               {MCI_STATUS, kStatus},
                               {MCI_PLAY, MCI_NOTIFY | MCI_FROM}}));
  EXPECT_EQ(At(2).fields.track, 5u);
  EXPECT_EQ(At(3).fields.track, 4u);
  EXPECT_EQ(At(5).fields.from, 4u);
}

TEST_F(CdPlayerTest, PreviousLaterInATrackRestartsIt) {
  Stand(MakeTmsf(5, 0, 10, 0), MCI_MODE_PLAY);
  player->Previous();
  EXPECT_EQ(driver.Log().back().fields.from, 5u);
  Stand(MakeTmsf(1, 0, 0, 10), MCI_MODE_PLAY);
  player->Previous();
  EXPECT_EQ(driver.Log().back().fields.from, 1u);
  Stand(MakeTmsf(5, 0, 0, 3), MCI_MODE_PAUSE);
  player->Previous();
  EXPECT_EQ(Calls().back(), (Call{MCI_SEEK, MCI_WAIT | MCI_TO}));
  EXPECT_EQ(driver.Log().back().fields.to, 4u);
}

TEST_F(CdPlayerTest, PreviousComparesWithTheTrackStartTheDeviceReports) {
  // A track that starts two seconds in: one second into it is still its first second.
  script().track_starts[5] = MakeTmsf(5, 0, 2, 0);
  Stand(MakeTmsf(5, 0, 2, 30), MCI_MODE_PLAY);
  player->Previous();
  EXPECT_EQ(driver.Log().back().fields.from, 4u);
}

}  // namespace
}  // namespace qrv
