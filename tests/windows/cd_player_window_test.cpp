#include "windows/cd_player_window.h"

#include <gtest/gtest.h>

#include <QTest>
#include <fstream>
#include <memory>

#include "controls/bit_btn.h"
#include "disc_image.h"
#include "engine/orb_player.h"
#include "runtime/timer.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/picture.h"
#include "temp_prefix.h"
#include "test_clock.h"
#include "window_helpers.h"
#include "windows/main_background.h"

namespace qrv {
namespace {

constexpr int kWaitMs = 10000;

// The CD window on a four-track image of three-second tracks, played on GStreamer's test clock.
class CdWindowTest : public ::testing::Test {
 protected:
  CdWindowTest() : disc(prefix.Root(), 4, 3), window(std::make_unique<Tcdplayer>()) {}
  ~CdWindowTest() override { window.reset(); }

  TOrbPlayer& Player() { return *window->cdplayer1; }
  int Track() { return Player().Position() & 0xFF; }
  bool WaitForMode(TMPModes mode) {
    return clock.RunUntil(50, [&] { return Player().Mode() == mode; });
  }
  // What the window shows beside "Track nr:" after its next tick.
  QString TrackNr() {
    window->Timer1Timer(window->Timer1);
    return window->Label3->Caption();
  }
  void OpenAndPlay() {
    window->DDMBitBtn1->Click();
    window->DDMBitBtn6->Click();
    ASSERT_TRUE(WaitForMode(TMPModes::ModePlaying));
  }

  test::SystemTestClock clock;  // outlives the window's pipelines
  test::TempPrefix prefix;
  test::MessageLog log;
  test::DiscImage disc;
  std::unique_ptr<Tcdplayer> window;
};

TEST_F(CdWindowTest, EveryButtonButOpenNeedsAnOpenDisc) {
  window->pause1->SetCaption(QStringLiteral("Resume"));
  window->DDMBitBtn6->Click();
  EXPECT_EQ(window->pause1->Caption(), QStringLiteral("Resume")) << "Play fails before the caption";
  window->pause1->Click();
  EXPECT_EQ(window->pause1->Caption(), QStringLiteral("Pause")) << "Resume changes it first";
  window->pause1->Click();
  EXPECT_EQ(window->pause1->Caption(), QStringLiteral("Pause")) << "Pause fails before it";
  window->DDMBitBtn3->Click();
  window->DDMBitBtn4->Click();
  window->DDMBitBtn2->Click();
  EXPECT_EQ(log.texts, std::vector<std::string>(6, "No MCI device open."));
  EXPECT_TRUE(window->Label1->Caption().isEmpty());
}

TEST_F(CdWindowTest, OpenShowsTheTrackCountAndOpensAgain) {
  EXPECT_TRUE(window->Label1->Caption().isEmpty());
  window->DDMBitBtn1->Click();
  EXPECT_EQ(window->Label1->Caption(), QStringLiteral("4"));
  EXPECT_TRUE(Player().DeviceOpen());
  window->DDMBitBtn1->Click();
  EXPECT_EQ(window->Label1->Caption(), QStringLiteral("4"));
  EXPECT_TRUE(log.texts.empty());
}

TEST(CdWindow, OpenWithoutADiscReportsAndKeepsTheCount) {
  test::TempPrefix prefix;
  test::MessageLog log;
  auto window = std::make_unique<Tcdplayer>();
  {
    test::DiscImage disc(prefix.Root(), 2, 1);
    window->DDMBitBtn1->Click();
    ASSERT_EQ(window->Label1->Caption(), QStringLiteral("2"));
  }
  const QByteArray previous = qgetenv("QUORVIN_CDROM");
  qputenv("QUORVIN_CDROM", QByteArray::fromStdString(prefix.Root() + "/missing.cue"));
  window->DDMBitBtn1->Click();
  qputenv("QUORVIN_CDROM", previous);
  ASSERT_EQ(log.texts.size(), 1u);
  EXPECT_FALSE(log.texts[0].empty());
  EXPECT_EQ(window->Label1->Caption(), QStringLiteral("2"));
}

// Images as rippers write them open, play and jump like a disc.
class CdWindowImageTest : public ::testing::TestWithParam<test::DiscFiles> {};

TEST_P(CdWindowImageTest, OpensPlaysAndJumps) {
  test::TempPrefix prefix;
  test::MessageLog log;
  test::DiscImage disc(prefix.Root(), 3, 2, GetParam());
  auto window = std::make_unique<Tcdplayer>();
  window->DDMBitBtn1->Click();
  EXPECT_EQ(window->Label1->Caption(), QStringLiteral("3"));
  window->DDMBitBtn6->Click();
  TOrbPlayer& player = *window->cdplayer1;
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.Mode() == TMPModes::ModePlaying; }, kWaitMs));
  window->DDMBitBtn4->Click();
  EXPECT_EQ(player.Position() & 0xFF, 2);
  EXPECT_EQ(player.Mode(), TMPModes::ModePlaying);
  EXPECT_TRUE(log.texts.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, CdWindowImageTest,
                         ::testing::Values(test::DiscFiles::kOneWave,
                                           test::DiscFiles::kBinPerTrack));

TEST(CdWindow, AnImageWithAMissingFileSaysSoOnceAndTheWindowGoesOn) {
  test::TempPrefix prefix;
  test::MessageLog log;
  auto window = std::make_unique<Tcdplayer>();
  const std::string cue = prefix.Root() + "/lost.cue";
  std::ofstream(cue) << "FILE \"Lost Album.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n";
  {
    const QByteArray previous = qgetenv("QUORVIN_CDROM");
    qputenv("QUORVIN_CDROM", QByteArray::fromStdString(cue));
    window->DDMBitBtn1->Click();
    qputenv("QUORVIN_CDROM", previous);
  }
  ASSERT_EQ(log.texts.size(), 1u);
  EXPECT_NE(log.texts[0].find("Lost Album.flac"), std::string::npos) << log.texts[0];
  EXPECT_TRUE(window->Label1->Caption().isEmpty());
  test::DiscImage disc(prefix.Root(), 2, 1);
  window->DDMBitBtn1->Click();
  EXPECT_EQ(window->Label1->Caption(), QStringLiteral("2"));
  EXPECT_EQ(log.texts.size(), 1u);
}

TEST_F(CdWindowTest, ValueLabelsKeepTheirPlaceWhateverTheyShow) {
  // Fixed labels never size themselves to their text: the values must show even while short.
  EXPECT_EQ(window->Label1->geometry(), QRect(176, 47, 81, 17));
  EXPECT_EQ(window->Label3->geometry(), QRect(176, 72, 89, 25));
  window->DDMBitBtn1->Click();
  window->Timer1Timer(window->Timer1);
  EXPECT_EQ(window->Label1->geometry(), QRect(176, 47, 81, 17));
  EXPECT_EQ(window->Label3->geometry(), QRect(176, 72, 89, 25));
  EXPECT_GT(window->Label2->width(), 0);
  EXPECT_EQ(window->Label2->pos(), QPoint(88, 46));
}

TEST_F(CdWindowTest, NextWhilePlayingShowsTheTrackJumpedTo) {
  OpenAndPlay();
  EXPECT_EQ(TrackNr(), QStringLiteral("0"));
  window->DDMBitBtn4->Click();
  EXPECT_EQ(TrackNr(), QStringLiteral("2"));
  window->DDMBitBtn4->Click();
  EXPECT_EQ(TrackNr(), QStringLiteral("3"));
  EXPECT_EQ(Track(), 3);
  EXPECT_EQ(Player().Mode(), TMPModes::ModePlaying);
  window->DDMBitBtn2->Click();  // Within the first second of track 3: back to track 2.
  EXPECT_EQ(TrackNr(), QStringLiteral("2"));
  EXPECT_TRUE(log.texts.empty());
}

TEST_F(CdWindowTest, NextWhileStoppedMovesButKeepsTheTrackNumber) {
  window->DDMBitBtn1->Click();
  window->DDMBitBtn4->Click();
  EXPECT_EQ(Track(), 2);
  EXPECT_EQ(Player().Mode(), TMPModes::ModeStopped);
  EXPECT_EQ(TrackNr(), QStringLiteral("0"));
  window->DDMBitBtn6->Click();
  ASSERT_TRUE(WaitForMode(TMPModes::ModePlaying));
  EXPECT_EQ(Track(), 2) << "Play starts from where the disc was moved to";
  EXPECT_EQ(TrackNr(), QStringLiteral("0"));
}

TEST_F(CdWindowTest, TheTrackNumberDoesNotFollowATrackChangeThatPlaybackMakes) {
  window->DDMBitBtn1->Click();
  Player().SetPosition(1 | (2 << 16));  // track 1, two seconds in: a second before its end
  const QString before = TrackNr();
  window->DDMBitBtn6->Click();
  ASSERT_TRUE(WaitForMode(TMPModes::ModePlaying));
  ASSERT_TRUE(clock.RunUntil(100, [&] { return Track() == 2; }));
  EXPECT_EQ(TrackNr(), before);
  EXPECT_TRUE(log.texts.empty());
}

TEST_F(CdWindowTest, HidingTheWindowLeavesTheDiscPlaying) {
  window->Show();
  OpenAndPlay();
  window->Close();
  EXPECT_FALSE(window->isVisible());
  // The disc goes on after the window has handled its hiding.
  const int32_t hidden_at = Player().Position();
  ASSERT_TRUE(clock.RunUntil(50, [&] {
    return Player().Position() != hidden_at || Player().Mode() != TMPModes::ModePlaying;
  }));
  EXPECT_EQ(Player().Mode(), TMPModes::ModePlaying);
}

TEST_F(CdWindowTest, ThePlayerItselfStaysOutOfSight) {
  // The window drives the disc through its own buttons; the player's bar is never shown and
  // opens no file of a list.
  EXPECT_EQ(Player().VisibleButtons(), TButtonSet{TMPBtnType::btPlay});
  EXPECT_FALSE(Player().Visible());
  EXPECT_EQ(Player().MediaFileIndex(), -1);
  window->Show();
  EXPECT_FALSE(Player().isVisible());
}

TEST_F(CdWindowTest, PauseResumeAndStopCaptions) {
  OpenAndPlay();
  window->pause1->Click();
  EXPECT_EQ(window->pause1->Caption(), QStringLiteral("Resume"));
  ASSERT_TRUE(WaitForMode(TMPModes::ModePaused));
  const int32_t paused_at = Player().Position();

  window->pause1->Click();
  EXPECT_EQ(window->pause1->Caption(), QStringLiteral("Pause"));
  ASSERT_TRUE(WaitForMode(TMPModes::ModePlaying));
  EXPECT_EQ(Track(), paused_at & 0xFF) << "resumed on the same track";

  window->pause1->Click();
  ASSERT_TRUE(WaitForMode(TMPModes::ModePaused));
  window->DDMBitBtn3->Click();
  ASSERT_TRUE(WaitForMode(TMPModes::ModeStopped));
  EXPECT_EQ(window->pause1->Caption(), QStringLiteral("Resume")) << "Stop leaves the caption";

  window->pause1->Click();  // "Resume" always ends in Play, which starts a stopped disc.
  EXPECT_EQ(window->pause1->Caption(), QStringLiteral("Pause"));
  EXPECT_TRUE(WaitForMode(TMPModes::ModePlaying));
  EXPECT_TRUE(log.texts.empty());
}

TEST_F(CdWindowTest, PlayResetsThePauseCaption) {
  window->DDMBitBtn1->Click();
  window->pause1->Click();  // Stopped: nothing changes on the disc, the caption still turns.
  EXPECT_EQ(window->pause1->Caption(), QStringLiteral("Resume"));
  EXPECT_EQ(Player().Mode(), TMPModes::ModeStopped);
  window->DDMBitBtn6->Click();
  EXPECT_EQ(window->pause1->Caption(), QStringLiteral("Pause"));
  EXPECT_TRUE(WaitForMode(TMPModes::ModePlaying));
}

TEST(CdWindow, TheTrackDisplayTicksOnlyWhileShownAndIsRightTheMomentItAppears) {
  test::TempPrefix prefix;
  Tcdplayer window;
  EXPECT_FALSE(window.Timer1->IsTicking());
  EXPECT_TRUE(window.Label3->Caption().isEmpty());
  EXPECT_TRUE(window.Label1->Caption().isEmpty());
  window.Show();
  EXPECT_EQ(window.Label3->Caption(), "0");
  EXPECT_TRUE(window.Timer1->IsTicking());
  EXPECT_EQ(window.Timer1->Interval(), 1000);
  window.Close();
  EXPECT_FALSE(window.Timer1->IsTicking());
}

TEST_F(CdWindowTest, AJumpMadeWhileHiddenShowsWhenTheWindowAppears) {
  OpenAndPlay();
  window->DDMBitBtn4->Click();
  window->Show();
  EXPECT_EQ(window->Label3->Caption(), "2");
}

TEST(CdWindow, ShowingCopiesTheMainBackgroundOfThatMoment) {
  test::TempPrefix prefix;
  TImage background;
  QImage red(4, 4, QImage::Format_RGB32);
  red.fill(Qt::red);
  background.SetPicture(QPixmap::fromImage(red));
  SetMainBackground(&background);
  {
    Tcdplayer window;
    EXPECT_TRUE(window.Image1->Picture().isNull());
    window.Show();
    EXPECT_EQ(window.Image1->Picture().toImage().pixelColor(0, 0), QColor(Qt::red));
    QImage green(4, 4, QImage::Format_RGB32);
    green.fill(Qt::green);
    background.SetPicture(QPixmap::fromImage(green));
    EXPECT_EQ(window.Image1->Picture().toImage().pixelColor(0, 0), QColor(Qt::red));
    window.Close();
    window.Show();
    EXPECT_EQ(window.Image1->Picture().toImage().pixelColor(0, 0), QColor(Qt::green));
  }
  SetMainBackground(nullptr);
}

TEST_F(CdWindowTest, ButtonsSpeakTheirCaptionsAndPressLikeAClick) {
  const std::pair<TDDMBitBtn*, const char*> buttons[] = {
      {window->DDMBitBtn1, "Open"}, {window->DDMBitBtn6, "Play"}, {window->pause1, "Pause"},
      {window->DDMBitBtn3, "Stop"}, {window->DDMBitBtn2, "|<<"},  {window->DDMBitBtn4, ">>|"}};
  for (const auto& [button, caption] : buttons) {
    EXPECT_EQ(test::AccessibleRole(button), static_cast<int>(QAccessible::Button)) << caption;
    EXPECT_EQ(test::AccessibleName(button), QString::fromLatin1(caption));
  }
  EXPECT_EQ(test::AccessibleName(window->Label2), QStringLiteral("Tracks  :"));
  EXPECT_EQ(test::AccessibleName(window->Label4), QStringLiteral("Track nr:"));
  ASSERT_TRUE(test::AccessiblePress(window->DDMBitBtn1));
  EXPECT_EQ(window->Label1->Caption(), QStringLiteral("4"));
  EXPECT_EQ(test::AccessibleName(window->Label1), QStringLiteral("4"));
}

}  // namespace
}  // namespace qrv
