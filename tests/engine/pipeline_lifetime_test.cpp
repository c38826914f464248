// Every pipeline an open builds is gone after the close that ends it, whatever happened to the
// medium in between: played out, stopped while playing, or refused at the open.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "audio_fixtures.h"
#include "engine/mci/gst/gst_util.h"
#include "engine/media_player.h"
#include "temp_prefix.h"
#include "test_clock.h"

namespace qrv {
namespace {

class PipelineLifetimeTest : public ::testing::Test {
 protected:
  PipelineLifetimeTest() {
    prefix.MakeDir("media");
    test::WriteWave(Host("tone.wav"), 150);
    has_mp3 = test::EncodeMp3(Host("tone.wav"), Host("tone.mp3"));
    // Something the decoders recognise as no sound at all.
    test::WriteAll(Host("notes.mp3"), std::string(4096, 'x'));
  }
  std::string Host(const std::string& name) const { return prefix.DriveC() + "/media/" + name; }

  // Opens, plays and closes the file, as a change of item does; `to_end` lets it play out.
  void Cycle(const std::string& name, bool to_end) {
    int ended = 0;
    player.SetOnNotify([&](TMediaPlayer*) { ++ended; });
    player.SetFileName("c:\\media\\" + name);
    player.Open();
    player.Play();
    if (to_end) {
      ASSERT_TRUE(clock.RunUntil(50, [&] { return ended > 0; }));
    }
    player.Close();
    QCoreApplication::processEvents();
  }

  test::SystemTestClock clock;  // the sound plays out on it; it outlives the player's pipelines
  test::TempPrefix prefix;
  TMediaPlayer player;
  bool has_mp3 = false;
};

TEST_F(PipelineLifetimeTest, EveryPipelineIsFinalisedByTheCloseThatEndsIt) {
  const int before = mci::LivePipelineCount();
  for (int i = 0; i < 3; ++i) {
    Cycle("tone.wav", i == 0);
    EXPECT_EQ(mci::LivePipelineCount(), before) << "wave, round " << i;
    if (has_mp3) {
      Cycle("tone.mp3", i == 1);
      EXPECT_EQ(mci::LivePipelineCount(), before) << "MP3, round " << i;
    }
    EXPECT_NE(test::OpenError(player, "c:\\media\\notes.mp3"), "opened");
    EXPECT_EQ(mci::LivePipelineCount(), before) << "refused file, round " << i;
  }
}

TEST_F(PipelineLifetimeTest, OnlyTheOpenMediumHoldsAPipeline) {
  const int before = mci::LivePipelineCount();
  player.SetFileName("c:\\media\\tone.wav");
  player.Open();
  player.Play();
  EXPECT_EQ(mci::LivePipelineCount(), before + 1);
  // Opening the next item closes this one first.
  player.Open();
  EXPECT_EQ(mci::LivePipelineCount(), before + 1);
  player.Close();
  EXPECT_EQ(mci::LivePipelineCount(), before);
}

}  // namespace
}  // namespace qrv
