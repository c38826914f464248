#include "engine/orb_player.h"

#include <gtest/gtest.h>

#include "engine/mci/scripted_device.h"

namespace qrv {
namespace {

TEST(OrbPlayer, ConstructionDefaults) {
  TOrbPlayer player;
  EXPECT_TRUE(player.AutoEnable());
  EXPECT_FALSE(player.AutoOpen());
  EXPECT_TRUE(player.AutoRewind());
  EXPECT_EQ(player.DeviceType(), TMPDeviceTypes::dtAutoSelect);
  EXPECT_FALSE(player.Shareable());
  EXPECT_TRUE(player.Visible());
  EXPECT_EQ(player.VisibleButtons(), (TButtonSet{TMPBtnType::btPlay, TMPBtnType::btStop}));
  EXPECT_EQ(player.MediaFileIndex(), -1);
  EXPECT_TRUE(player.MediaFiles().empty());
  EXPECT_FALSE(player.About().empty());
  EXPECT_FALSE(player.DeviceOpen());
  player.SetVisible(false);
  EXPECT_FALSE(player.Visible());
}

TEST(OrbPlayer, AboutIgnoresWrites) {
  TOrbPlayer player;
  const std::string about = player.About();
  player.SetAbout("changed");
  EXPECT_EQ(player.About(), about);
}

TEST(OrbPlayer, MediaFileIndexRule) {
  mci::ScriptedDriver driver;
  TOrbPlayer player;
  player.SetFileName("keep");
  player.SetMediaFiles({"a.mp3", "b.mp3", "c.mp3"});
  EXPECT_EQ(player.MediaFileIndex(), -1) << "writing the list changes no index";
  EXPECT_EQ(player.FileName(), "keep");

  player.SetMediaFileIndex(2);
  EXPECT_EQ(player.MediaFileIndex(), 2);
  EXPECT_EQ(player.FileName(), "c.mp3");
  EXPECT_TRUE(driver.Log().empty()) << "choosing opens nothing";

  player.SetMediaFileIndex(0);
  player.SetMediaFileIndex(7);
  EXPECT_EQ(player.MediaFileIndex(), 2);
  EXPECT_EQ(player.FileName(), "a.mp3");

  player.SetMediaFileIndex(-1);
  EXPECT_EQ(player.MediaFileIndex(), 2);
  EXPECT_EQ(player.FileName(), "a.mp3");
}

TEST(OrbPlayer, EmptyListKeepsNoIndex) {
  TOrbPlayer player;
  player.SetMediaFileIndex(0);
  EXPECT_EQ(player.MediaFileIndex(), -1);
  player.SetMediaFileIndex(5);
  EXPECT_EQ(player.MediaFileIndex(), -1);
  EXPECT_EQ(player.FileName(), "");
}

TEST(OrbPlayer, MediaFilesAreCopied) {
  TOrbPlayer player;
  std::vector<std::string> files = {"x.wav"};
  player.SetMediaFiles(files);
  files[0] = "changed";
  EXPECT_EQ(player.MediaFiles(), std::vector<std::string>{"x.wav"});
  player.SetMediaFiles({"y.wav", "z.wav"});
  EXPECT_EQ(player.MediaFiles().size(), 2u);
}

TEST(OrbPlayer, DestructionClosesAnOpenDevice) {
  mci::ScriptedDriver driver;
  {
    TOrbPlayer player;
    player.SetFileName("c:\\a.wav");
    player.Open();
    EXPECT_EQ(mci::DeviceTable::Instance().OpenCount(), 1u);
  }
  EXPECT_EQ(mci::DeviceTable::Instance().OpenCount(), 0u);
  EXPECT_EQ(driver.Log().back().command, mci::MCI_CLOSE);
}

}  // namespace
}  // namespace qrv
