// The main window as built, against its layout table: every control in stacking order.
#include "layout_check.h"
#include "main_window_fixture.h"
#include "runtime/widgets/picture.h"
#include "runtime/widgets/rich_buffer.h"
#include "runtime/widgets/track_bar.h"

namespace qrv::test {
namespace {

using MainWindowLayout = MainWindowTest;

TEST_F(MainWindowLayout, EveryControlStandsAsTheLayoutTableSays) {
  StartProgram();
  TForm1& f = Main();
  EXPECT_EQ(f.Caption(), "Quorvin 3.0 Pro");
  EXPECT_EQ(QSize(f.ClientWidth(), f.ClientHeight()), QSize(330, 495));
  EXPECT_EQ(f.Position(), FormPosition::kDesktopCenter);
  EXPECT_FALSE(f.Icons().maximize);

  const QColor blue(Qt::blue);
  const LayoutFont sans11{"MS Sans Serif", 11};
  const LayoutFont sans13{"MS Sans Serif", 13};
  const LayoutFont sans13_bold{"MS Sans Serif", 13, true};
  const LayoutFont mono13{"Lucida Console", 13};
  const BitButtonLook keyed_black{clBlack};
  const BitButtonLook keyed_white{clWhite};
  ExpectLayout(
      f, {
             {"Image1", {1, 8, 7, 481}},
             {"Image2", {321, 8, 7, 481}},
             {"Image3", {0, 1, 329, 7}},
             {"Image4", {0, 489, 329, 7}},
             {"back1", {8, 24, 313, 481}},
             {"Image6", {16, 264, 297, 1}},
             {"Label1", {120, 272, 0, 0}, "Playlist", LayoutFont{"Lucida Console", 16, true}, blue},
             {"title1", {56, 36, 265, 19}, "Loading QRV3 Engine..", mono13, blue},
             {"Gauge1", {40, 96, 249, 17}},
             {"Image7", {96, 144, 137, 1}},
             {"Image8", {232, 144, 1, 49}},
             {"Image9", {232, 192, 49, 1}},
             {"Image10", {48, 192, 49, 1}},
             {"Image11", {96, 144, 1, 49}},
             {"Image12", {280, 192, 1, 49}},
             {"Image13", {48, 192, 1, 49}},
             {"Image14", {48, 240, 233, 1}},
             {"Label3", {58, 472, 216, 13}, nullptr, sans11, blue},
             {"DDMBitBtn1", {56, 208, 25, 25}, "|<", sans13_bold, blue, keyed_black},
             {"DDMBitBtn2", {88, 208, 25, 25}, "<<", sans13, blue, keyed_black},
             {"seek1", {128, 208, 65, 25}, "Seek", sans13, blue, keyed_white},
             {"DDMBitBtn4", {216, 208, 25, 25}, ">>", sans13, blue, keyed_white},
             {"DDMBitBtn5", {248, 208, 25, 25}, ">|", sans13_bold, blue, keyed_white},
             {"DDMBitBtn6", {104, 152, 41, 33}, "Play", sans13_bold, blue, keyed_white},
             {"pause1", {168, 152, 57, 33}, "Pause", sans13_bold, blue, keyed_white},
             {"Label6", {208, 248, 105, 13}, nullptr, sans11, blue},
             {"Image15", {16, 248, 297, 1}},
             {"Image16", {16, 248, 1, 17}},
             {"Image17", {312, 248, 1, 17}},
             {"Image18", {56, 248, 1, 17}},
             {"Image19", {204, 248, 1, 17}},
             {"ch1", {16, 248, 41, 13}, "", LayoutFont{"MS Sans Serif", 11, false, true}, blue},
             {"Artist1", {56, 60, 265, 19}, "", mono13, blue},
             {"Label2", {16, 34, 0, 0}, "Title:", sans13, blue},
             {"Label7", {16, 58, 0, 0}, "Artist:", sans13, blue},
             {"Label4",
              {56, 248, 145, 17},
              "Brisona 3",
              LayoutFont{"Times New Roman", 11, true},
              blue},
             {"time1", {128, 128, 73, 16}, "00:00:00", sans13_bold, blue},
             {"Image5", {128, 128, 1, 17}},
             {"Image20", {200, 128, 1, 17}},
             {"Image21", {128, 128, 73, 1}},
             {"playlist1", {40, 296, 249, 169}, nullptr, LayoutFont{"Lucida Console", 12}, blue},
             {"ActionMainMenuBar1", {0, 0, 329, 25}, nullptr, LayoutFont{"Tahoma", 11}},
             {"TrackBar1", {40, 96, 249, 25}},
             {"Rich1", {40, 96, 249, 17}},
             {"mp31", {152, 64, 29, 25}},
         });
  // The background is stretched over its control and drawn transparently; the frame art is
  // stretched to its strips.
  EXPECT_TRUE(f.back1->Transparent());
  EXPECT_EQ(f.back1->Fit(), PictureFit::Stretch);
  EXPECT_EQ(f.Image1->Fit(), PictureFit::Stretch);
  EXPECT_FALSE(f.TrackBar1->isVisible());
  EXPECT_FALSE(f.Rich1->isVisible());
  EXPECT_FALSE(f.mp31->isVisible());
}

}  // namespace
}  // namespace qrv::test
