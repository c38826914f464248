#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

#include "engine/bar_bitmaps.h"
#include "scripted_fixture.h"

namespace qrv {
namespace {

using namespace qrv::mci;

class BarTest : public test::ScriptedPlayerTest {
 protected:
  void Show() {
    player->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(player.get()));
  }
  void ClickOn(TMPBtnType b) {
    QTest::mouseClick(player.get(), Qt::LeftButton, {}, player->ButtonRect(b).center());
  }
};

TEST(BarBitmaps, TwentySevenBitmapsWithinTheirSizes) {
  int found = 0;
  for (const char* prefix : {"EN", "DI", "CL"}) {
    for (const char* part : {"MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK",
                             "MPRECORD", "MPEJECT"}) {
      const QImage& image = BarBitmap(std::string(prefix) + "_" + part);
      ASSERT_FALSE(image.isNull()) << prefix << part;
      EXPECT_GE(image.width(), 12);
      EXPECT_LE(image.width(), 21);
      EXPECT_TRUE(image.height() == 13 || image.height() == 16);
      EXPECT_EQ(image.pixel(0, 0), kBarTransparent) << "the corner is background";
      ++found;
    }
  }
  EXPECT_EQ(found, 27);
  EXPECT_TRUE(BarBitmap("EN_MPNOTHING").isNull());
  EXPECT_NE(BarBitmap("EN_MPPLAY"), BarBitmap("CL_MPPLAY"));
  EXPECT_NE(BarBitmap("EN_MPPLAY"), BarBitmap("DI_MPPLAY"));
}

TEST_F(BarTest, NewControlDefaults) {
  EXPECT_EQ(player->size(), QSize(240, 30));
  EXPECT_EQ(player->VisibleButtons(), TButtonSet::All());
  EXPECT_EQ(player->EnabledButtons().Bits(), 511);
  EXPECT_EQ(player->ColoredButtons().Bits(), 511);
  EXPECT_EQ(player->AutoEnabledButtons(), TButtonSet{});
  EXPECT_EQ(player->FocusedButton(), TMPBtnType::btPlay);
  EXPECT_TRUE(player->TabStop());
  EXPECT_TRUE(player->AutoEnable());
  EXPECT_TRUE(player->AutoRewind());
  EXPECT_FALSE(player->AutoOpen());
}

TEST_F(BarTest, LayoutGrowsToTheSmallestButtons) {
  Show();
  // Nine buttons of at least 29 pixels sharing edges.
  EXPECT_EQ(player->width(), 9 * 28 + 1);
  EXPECT_EQ(player->ButtonRect(TMPBtnType::btPause).x(), 28);
  EXPECT_EQ(player->ButtonRect(TMPBtnType::btPlay).width(), 29);
  player->SetVisibleButtons({TMPBtnType::btPlay, TMPBtnType::btEject});
  player->resize(100, 10);
  EXPECT_EQ(player->height(), 20);
  EXPECT_EQ(player->width(), 2 * ((100 - 1) / 2 + 1 - 1) + 1);
  EXPECT_EQ(player->ButtonRect(TMPBtnType::btEject).x(),
            player->ButtonRect(TMPBtnType::btPlay).width() - 1);
  EXPECT_TRUE(player->ButtonRect(TMPBtnType::btStop).isEmpty());
}

TEST_F(BarTest, BitmapChoiceFollowsTheEnablingRules) {
  OpenFile();  // auto-enabled: Play, Next, Prev
  EXPECT_EQ(player->ButtonBitmap(TMPBtnType::btPlay).cacheKey(),
            player->ButtonBitmap(TMPBtnType::btPlay).cacheKey());
  const QImage coloured = player->ButtonBitmap(TMPBtnType::btPlay).toImage();
  player->SetColoredButtons({});
  const QImage plain = player->ButtonBitmap(TMPBtnType::btPlay).toImage();
  EXPECT_NE(coloured, plain);
  const QImage disabled = player->ButtonBitmap(TMPBtnType::btStop).toImage();
  EXPECT_NE(disabled, player->ButtonBitmap(TMPBtnType::btNext).toImage());
  EXPECT_FALSE(player->ButtonEnabled(TMPBtnType::btStop));

  player->SetAutoEnable(false);  // the EnabledButtons set rules now
  EXPECT_TRUE(player->ButtonEnabled(TMPBtnType::btStop));
  player->SetEnabledButtons({TMPBtnType::btStop});
  EXPECT_FALSE(player->ButtonEnabled(TMPBtnType::btPlay));
  player->SetEnabled(false);
  EXPECT_EQ(player->ButtonBitmap(TMPBtnType::btStop).toImage(), disabled);
}

TEST_F(BarTest, MouseClickRunsTheOperationAndTheAfterClickRule) {
  OpenFile();
  Show();
  std::vector<std::string> events;
  player->SetOnClick([&](TMediaPlayer*, TMPBtnType b, bool& do_default) {
    EXPECT_TRUE(do_default);
    events.push_back("click " + std::to_string(static_cast<int>(b)));
  });
  player->SetOnPostClick([&](TMediaPlayer*, TMPBtnType b) {
    events.push_back("post " + std::to_string(static_cast<int>(b)));
  });
  ClickOn(TMPBtnType::btPlay);
  EXPECT_EQ(events, (std::vector<std::string>{"click 0", "post 0"}));
  EXPECT_EQ(driver.Log().back().command, MCI_PLAY);
  EXPECT_EQ(player->AutoEnabledButtons(), (TButtonSet{TMPBtnType::btNext, TMPBtnType::btPrev,
                                                      TMPBtnType::btPause, TMPBtnType::btStop}));
  EXPECT_EQ(player->FocusedButton(), TMPBtnType::btPlay);

  ClickOn(TMPBtnType::btStop);
  EXPECT_EQ(driver.Log().back().command, MCI_STOP);
  EXPECT_EQ(player->AutoEnabledButtons(),
            (TButtonSet{TMPBtnType::btNext, TMPBtnType::btPrev, TMPBtnType::btPlay}));
}

TEST_F(BarTest, OnClickCanSuppressTheOperation) {
  OpenFile();
  Show();
  bool posted = false;
  player->SetOnClick([](TMediaPlayer*, TMPBtnType, bool& do_default) { do_default = false; });
  player->SetOnPostClick([&](TMediaPlayer*, TMPBtnType) { posted = true; });
  ClickOn(TMPBtnType::btPlay);
  EXPECT_TRUE(driver.Log().empty());
  EXPECT_FALSE(posted);
}

TEST_F(BarTest, FailedClickAppliesNoRuleAndDisabledButtonsIgnoreTheMouse) {
  OpenFile();
  Show();
  ClickOn(TMPBtnType::btStop);  // not auto-enabled: nothing happens
  EXPECT_TRUE(driver.Log().empty());
  script().failures[MCI_PLAY] = MCIERR_HARDWARE;
  ClickOn(TMPBtnType::btPlay);
  EXPECT_EQ(player->LastError(), MCIERR_HARDWARE);
  EXPECT_TRUE(player->AutoEnabledButtons().Contains(TMPBtnType::btPlay));
}

TEST_F(BarTest, DraggingOffTheButtonCancelsTheClick) {
  OpenFile();
  Show();
  const QPoint inside = player->ButtonRect(TMPBtnType::btPlay).center();
  QTest::mousePress(player.get(), Qt::LeftButton, {}, inside);
  QMouseEvent move(QEvent::MouseMove, QPointF(player->width() + 50, 5), QPointF(), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(player.get(), &move);
  QTest::mouseRelease(player.get(), Qt::LeftButton, {}, QPoint(player->width() + 50, 5));
  EXPECT_TRUE(driver.Log().empty());
}

TEST_F(BarTest, KeyboardMovesTheFocusAndSpaceClicks) {
  Show();
  player->setFocus();
  player->SetVisibleButtons({TMPBtnType::btPlay, TMPBtnType::btStop, TMPBtnType::btEject});
  QTest::keyClick(player.get(), Qt::Key_Right);
  EXPECT_EQ(player->FocusedButton(), TMPBtnType::btStop);
  QTest::keyClick(player.get(), Qt::Key_Right);
  QTest::keyClick(player.get(), Qt::Key_Right);
  EXPECT_EQ(player->FocusedButton(), TMPBtnType::btEject);
  QTest::keyClick(player.get(), Qt::Key_Left);
  QTest::keyClick(player.get(), Qt::Key_Left);
  QTest::keyClick(player.get(), Qt::Key_Left);
  EXPECT_EQ(player->FocusedButton(), TMPBtnType::btPlay);

  // Space goes by EnabledButtons, so with no device the operation's error is shown.
  QTest::keyClick(player.get(), Qt::Key_Space);
  EXPECT_EQ(shown, std::vector<std::string>{"No MCI device open."});

  OpenFile();
  QTest::keyClick(player.get(), Qt::Key_Space);
  EXPECT_EQ(driver.Log().back().command, MCI_PLAY);
  EXPECT_TRUE(player->AutoEnabledButtons().Contains(TMPBtnType::btPause));
}

TEST_F(BarTest, NextThatRestartsPlaybackCountsAsPlay) {
  script().tracks = 3;
  player->SetDeviceType(TMPDeviceTypes::dtCDAudio);
  player->Open();
  Show();
  script().mode = MCI_MODE_PLAY;
  script().position = MakeTmsf(1, 0, 30, 0);
  player->ClickButton(TMPBtnType::btNext, true);
  EXPECT_EQ(driver.Log().back().command, MCI_PLAY);
  EXPECT_TRUE(player->AutoEnabledButtons().Contains(TMPBtnType::btPause));
  EXPECT_FALSE(player->AutoEnabledButtons().Contains(TMPBtnType::btPlay));
}

TEST_F(BarTest, AccessibleButtonsPressLikeAClick) {
  OpenFile();
  player->SetVisibleButtons({TMPBtnType::btPlay, TMPBtnType::btStop});
  Show();
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(player.get());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->role(), QAccessible::ToolBar);
  ASSERT_EQ(bar->childCount(), 2);
  QAccessibleInterface* play = bar->child(0);
  EXPECT_EQ(play->role(), QAccessible::Button);
  EXPECT_EQ(play->text(QAccessible::Name), "Play");
  EXPECT_EQ(bar->child(1)->text(QAccessible::Name), "Stop");
  EXPECT_TRUE(bar->child(1)->state().disabled);
  EXPECT_EQ(bar->indexOfChild(play), 0);
  auto* action = play->actionInterface();
  ASSERT_NE(action, nullptr);
  action->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(driver.Log().back().command, MCI_PLAY);
  EXPECT_FALSE(bar->child(1)->state().disabled);
}

}  // namespace
}  // namespace qrv
