// Rules of the media player a user would notice: which buttons each click leaves usable, the
// modes it reports, which devices step, and what the bar looks like on screen.
#include <gtest/gtest.h>

#include <QTest>

#include "scripted_fixture.h"

namespace qrv {
namespace {

using namespace qrv::mci;
using B = TMPBtnType;

class PlayerRules : public test::ScriptedPlayerTest {
 protected:
  // A device that plays, records, ejects and steps, so that every button takes part.
  void OpenEverythingDevice() {
    script().can_record = 1;
    script().can_eject = 1;
    script().device_type = MCI_DEVTYPE_VCR;
    script().mode = MCI_MODE_STOP;
    OpenFile();
    player->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(player.get()));
  }
  void ClickOn(B b) {
    ASSERT_TRUE(player->ButtonEnabled(b)) << static_cast<int>(b);
    QTest::mouseClick(player.get(), Qt::LeftButton, {}, player->ButtonRect(b).center());
  }
};

TEST_F(PlayerRules, EachButtonLeavesItsOwnSetOfUsableButtons) {
  const TButtonSet common{B::btNext, B::btPrev, B::btStep, B::btBack, B::btEject};
  const auto with = [&](std::initializer_list<B> more) {
    TButtonSet s = common;
    for (B b : more) s.Include(b);
    return s;
  };
  const TButtonSet playing = with({B::btPause, B::btStop});
  const TButtonSet idle = with({B::btPlay, B::btRecord});
  const struct {
    B clicked;
    std::vector<B> before;  // clicks that lead to the state the rule starts from
    TButtonSet after;
  } rules[] = {
      {B::btPlay, {B::btPlay, B::btPause}, playing},
      {B::btRecord, {B::btPlay, B::btPause}, playing},
      {B::btPause, {B::btPlay}, with({B::btPause, B::btStop, B::btPlay, B::btRecord})},
      {B::btStop, {B::btPlay, B::btPause}, idle},
      {B::btNext, {B::btPlay, B::btPause}, idle},
      {B::btPrev, {B::btPlay, B::btPause}, idle},
      {B::btStep, {B::btPlay, B::btPause}, idle},
      {B::btBack, {B::btPlay, B::btPause}, idle},
      {B::btEject, {B::btPlay, B::btPause}, idle},
  };
  for (const auto& rule : rules) {
    SCOPED_TRACE(static_cast<int>(rule.clicked));
    OpenEverythingDevice();
    EXPECT_EQ(player->AutoEnabledButtons().Bits(), idle.Bits()) << "after the open";
    for (B b : rule.before) ClickOn(b);
    ClickOn(rule.clicked);
    EXPECT_EQ(player->AutoEnabledButtons().Bits(), rule.after.Bits());
    EXPECT_TRUE(shown.empty());
  }
}

TEST_F(PlayerRules, TheEndOfPlaybackTakesAwayPauseAndStop) {
  for (const bool auto_enable : {true, false}) {
    SCOPED_TRACE(auto_enable);
    OpenEverythingDevice();
    ClickOn(B::btPlay);
    const TButtonSet while_playing = player->AutoEnabledButtons();
    ASSERT_TRUE(while_playing.Contains(B::btStop));
    player->SetAutoEnable(auto_enable);
    driver.Advance(script().length);
    QCoreApplication::sendPostedEvents(player.get());
    ASSERT_EQ(player->Mode(), TMPModes::ModeStopped);
    const TButtonSet after = player->AutoEnabledButtons();
    EXPECT_EQ(after.Contains(B::btPause), !auto_enable);
    EXPECT_EQ(after.Contains(B::btStop), !auto_enable);
    EXPECT_EQ(after.Contains(B::btPlay), auto_enable);
    EXPECT_EQ(after.Contains(B::btRecord), auto_enable);
    player->SetAutoEnable(true);
  }
}

TEST_F(PlayerRules, ModeIsTheDevicesModeCodeCountedFrom524) {
  OpenFile();
  const std::pair<uint32_t, TMPModes> modes[] = {
      {MCI_MODE_NOT_READY, TMPModes::ModeNotReady}, {MCI_MODE_STOP, TMPModes::ModeStopped},
      {MCI_MODE_PLAY, TMPModes::ModePlaying},       {MCI_MODE_RECORD, TMPModes::ModeRecording},
      {MCI_MODE_SEEK, TMPModes::ModeSeeking},       {MCI_MODE_PAUSE, TMPModes::ModePaused},
      {MCI_MODE_OPEN, TMPModes::ModeOpen},
  };
  for (const auto& [code, mode] : modes) {
    script().mode = code;
    EXPECT_EQ(player->Mode(), mode) << code;
    EXPECT_EQ(static_cast<uint32_t>(player->Mode()), code - 524);
  }
}

TEST_F(PlayerRules, OnlyVideoLikeDevicesStep) {
  const std::pair<uint32_t, bool> kinds[] = {
      {MCI_DEVTYPE_VCR, true},        {MCI_DEVTYPE_VIDEODISC, false},
      {MCI_DEVTYPE_OVERLAY, true},    {MCI_DEVTYPE_CD_AUDIO, false},
      {MCI_DEVTYPE_DAT, false},       {MCI_DEVTYPE_SCANNER, false},
      {MCI_DEVTYPE_ANIMATION, true},  {MCI_DEVTYPE_DIGITAL_VIDEO, true},
      {MCI_DEVTYPE_OTHER, false},     {MCI_DEVTYPE_WAVEFORM_AUDIO, false},
      {MCI_DEVTYPE_SEQUENCER, false},
  };
  for (const auto& [kind, steps] : kinds) {
    script().device_type = kind;
    OpenFile();
    EXPECT_EQ(player->SupportsStep(), steps) << kind;
    EXPECT_EQ(player->AutoEnabledButtons().Contains(B::btStep), steps) << kind;
    EXPECT_EQ(player->AutoEnabledButtons().Contains(B::btBack), steps) << kind;
  }
}

TEST_F(PlayerRules, TheBarDrawsFrameBevelsAndFocusWithoutItsTransparentColour) {
  OpenEverythingDevice();
  player->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return player->hasFocus(); }, 2000));
  const QImage bar = player->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QPalette& pal = player->palette();
  const QRgb frame = pal.color(QPalette::WindowText).rgb();
  EXPECT_EQ(bar.pixel(0, 0), frame);
  EXPECT_EQ(bar.pixel(bar.width() - 1, bar.height() - 1), frame);
  const QRect play = player->ButtonRect(B::btPlay);
  // Raised: light on the left edge inside the outline, dark on the right one.
  const auto near_edge = [&](int from, int step, QRgb colour) {
    for (int i = 0; i < 3; ++i) {
      if (bar.pixel(from + i * step, play.center().y()) == colour) return true;
    }
    return false;
  };
  EXPECT_TRUE(near_edge(play.left(), 1, pal.color(QPalette::Light).rgb()));
  EXPECT_TRUE(near_edge(play.right(), -1, pal.color(QPalette::Dark).rgb()));
  // The dotted focus rectangle, 3 pixels in, on the focused button only.
  const auto frame_pixels_on_row = [&](const QRect& r) {
    int n = 0;
    for (int x = r.left() + 3; x <= r.right() - 3; ++x) n += bar.pixel(x, r.top() + 3) == frame;
    return n;
  };
  EXPECT_GT(frame_pixels_on_row(play), 3);
  EXPECT_EQ(frame_pixels_on_row(player->ButtonRect(B::btStop)), 0);
  for (int y = 0; y < bar.height(); ++y) {
    for (int x = 0; x < bar.width(); ++x) {
      ASSERT_NE(bar.pixel(x, y), qRgb(128, 128, 0)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace qrv
