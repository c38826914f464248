// The CD player, background chooser, help and about windows as built, against their layout tables.
#include <gtest/gtest.h>

#include "engine/orb_player.h"
#include "layout_check.h"
#include "runtime/timer.h"
#include "runtime/widgets/picture.h"
#include "temp_prefix.h"
#include "windows/about_window.h"
#include "windows/background_window.h"
#include "windows/cd_player_window.h"
#include "windows/help_window.h"

namespace qrv::test {
namespace {

const QColor kBlue(Qt::blue);
const LayoutFont kSans11{"MS Sans Serif", 11};
const LayoutFont kSans13{"MS Sans Serif", 13};
const LayoutFont kSans13Bold{"MS Sans Serif", 13, true};
const LayoutFont kSans20{"MS Sans Serif", 20};

TEST(WindowsLayout, CdPlayerWindow) {
  TempPrefix prefix;
  Tcdplayer w;
  const BitButtonLook black{clBlack};
  const BitButtonLook white{clWhite};
  ExpectLayout(w, {
                      {"Image1", {0, 0, 329, 233}},
                      {"Image14", {56, 223, 225, 1}},
                      {"DDMBitBtn2", {72, 197, 33, 25}, "|<<", kSans13, kBlue, black},
                      {"DDMBitBtn4", {224, 197, 33, 25}, ">>|", kSans13, kBlue, white},
                      {"DDMBitBtn6", {104, 152, 41, 33}, "Play", kSans13Bold, kBlue, white},
                      {"pause1", {176, 152, 57, 33}, "Pause", kSans13Bold, kBlue, white},
                      {"Image12", {280, 192, 1, 30}},
                      {"Image2", {56, 192, 1, 30}},
                      {"Image10", {56, 192, 41, 1}},
                      {"Image3", {240, 192, 41, 1}},
                      {"Image11", {96, 144, 1, 49}},
                      {"Image8", {240, 144, 1, 49}},
                      {"Image7", {96, 144, 145, 1}},
                      {"Label1", {176, 47, 81, 17}, "", kSans20, kBlue},
                      {"Label2", {88, 46, 0, 0}, "Tracks  :", kSans20, kBlue},
                      {"DDMBitBtn1", {104, 197, 57, 25}, "Open", kSans13Bold, kBlue, white},
                      {"DDMBitBtn3", {168, 197, 57, 25}, "Stop", kSans13Bold, kBlue, white},
                      {"Label3", {176, 72, 89, 25}, "", kSans20, kBlue},
                      {"Label4", {86, 72, 0, 0}, "Track nr:", kSans20, kBlue},
                      {"cdplayer1", {248, 8, 29, 20}},
                  });
  EXPECT_TRUE(w.Image1->Transparent());
  EXPECT_EQ(w.Image1->Fit(), PictureFit::Stretch);
  EXPECT_EQ(w.cdplayer1->DeviceType(), TMPDeviceTypes::dtCDAudio);
  EXPECT_EQ(w.Timer1->Interval(), 1000);
  EXPECT_FALSE(w.Timer1->Enabled());  // it ticks only while the window is shown
}

TEST(WindowsLayout, BackgroundHelpAndAboutWindows) {
  TempPrefix prefix;
  TForm8 background;
  ExpectLayout(background, {
                               {"FileListBox1", {0, 8, 241, 137}, nullptr, kSans11},
                               {"dxButton2", {48, 152, 57, 33}, "Cancel", kSans11},
                               {"dxButton1", {144, 152, 57, 33}, "Ok", kSans11},
                           });
  TForm6 help;
  ExpectLayout(help, {
                         {"RichEdit1", {8, 8, 617, 337}, nullptr, kSans11},
                         {"dxButton1", {280, 352, 73, 25}, "Ok", kSans11},
                     });
  TForm7 about;
  ExpectLayout(
      about,
      {
          {"Label1", {48, 40, 0, 0}, "Quorvin", LayoutFont{"Times New Roman", 32, true}, kBlue},
          {"Label2", {48, 88, 0, 0}, "Version: 3.0 Pro", kSans13, kBlue},
          {"GroupBox1", {48, 128, 273, 97}, "Creators: ", kSans11},
          {"Label3", {8, 24, 0, 0}, nullptr, kSans13, kBlue},
          {"Label4", {8, 48, 0, 0}, nullptr, kSans13, kBlue},
          {"Bevel2", {0, 72, 273, 1}},
          {"Label5", {24, 75, 0, 0}, nullptr, kSans11, kBlue},
          {"Bevel1", {0, 232, 377, 1}},
          {"dxButton1", {128, 240, 105, 25}, "Ok", kSans11},
      });
}

}  // namespace
}  // namespace qrv::test
