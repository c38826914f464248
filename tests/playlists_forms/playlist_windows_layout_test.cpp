// The playlist windows, the first-run prompt and the open-file window as built, against their
// layout tables.
#include <gtest/gtest.h>

#include "layout_check.h"
#include "playlists/directory_list_box.h"
#include "playlists/file_list_box.h"
#include "playlists/forms/dialog_controls.h"
#include "playlists/forms/first_run_window.h"
#include "playlists/forms/new_playlist_window.h"
#include "playlists/forms/open_file_window.h"
#include "playlists/forms/open_playlist_window.h"
#include "playlists/forms/save_playlist_window.h"
#include "runtime/widgets/label.h"
#include "temp_prefix.h"

namespace qrv::test {
namespace {

const QColor kBlue(Qt::blue);
const LayoutFont kSans11{"MS Sans Serif", 11};

TEST(PlaylistWindowsLayout, NewOpenAndSavePlaylistWindows) {
  TempPrefix prefix;
  TForm2 new_playlist;
  ExpectLayout(new_playlist, {
                                 {"dxButton1", {224, 16, 57, 25}, "Ok", kSans11},
                                 {"dxButton2", {224, 48, 57, 25}, "Cancel", kSans11},
                                 {"Drive1", {8, 16, 209, 19}, nullptr, kSans11},
                                 {"Dir1", {8, 40, 209, 145}, nullptr, kSans11},
                                 {"Edit1", {8, 184, 209, 21}, "", kSans11},
                             });
  EXPECT_EQ(TDirectoryListBox::kItemHeight, 16);

  TForm3 open_playlist;
  ExpectLayout(
      open_playlist,
      {
          {"File1", {8, 16, 273, 129}, nullptr, kSans11, kBlue},
          {"Edit1", {8, 144, 273, 21}, nullptr, kSans11},
          {"Cancel", {16, 176, 81, 25}, "Cancel", kSans11},
          {"dxButton1", {104, 176, 89, 25}, "Delete this playlist", LayoutFont{"MS Sans Serif", 8}},
          {"Ok", {200, 176, 81, 25}, "Ok", kSans11},
      });
  EXPECT_EQ(open_playlist.File1->ItemHeight(), 13);

  TForm4 save_playlist;
  ExpectLayout(save_playlist, {
                                  {"LabeledEdit1", {8, 40, 241, 21}, "", kSans11},
                                  {"dxButton2", {16, 72, 89, 25}, "Cancel", kSans11},
                                  {"dxButton1", {152, 72, 89, 25}, "Save", kSans11},
                                  {"Edit1", {64, 96, 153, 21}, nullptr, kSans11},
                              });
  const TLabel* label = save_playlist.LabeledEdit1->EditLabel();
  EXPECT_EQ(label->Caption(), QStringLiteral("Enter a name for you playlist?"));
  EXPECT_EQ(label->FontColor(), kBlue);
  EXPECT_EQ(label->geometry().bottom() + 1 + TLabeledEdit::kLabelSpacing, 40);
  EXPECT_TRUE(save_playlist.Edit1->isHidden());
}

TEST(PlaylistWindowsLayout, FirstRunPromptAndOpenFileWindow) {
  TempPrefix prefix;
  TForm5 prompt;
  ExpectLayout(prompt, {
                           {"Label1",
                            {8, 24, 0, 0},
                            "This is the first time you run Quorvin 3.0",
                            LayoutFont{"MS Sans Serif", 16, true},
                            kBlue},
                           {"Label2",
                            {96, 64, 0, 0},
                            "Do you want to open a playlist?",
                            LayoutFont{"MS Sans Serif", 16},
                            kBlue},
                           {"Bevel1", {0, 104, 433, 1}},
                           {"dxButton2", {104, 112, 81, 25}, "No", kSans11},
                           {"dxButton1", {232, 112, 81, 25}, "Yes", kSans11},
                       });

  TForm9 open_file;
  ExpectLayout(open_file, {
                              {"Drive1", {8, 8, 345, 19}, nullptr, kSans11},
                              {"Dir1", {8, 32, 345, 105}, nullptr, kSans11},
                              {"File1", {8, 144, 345, 137}, nullptr, kSans11},
                              {"Edit1", {8, 288, 345, 21}, nullptr, kSans11},
                              {"Bevel1", {0, 312, 361, 1}},
                              {"dxButton2", {72, 320, 73, 25}, "Cancel", kSans11},
                              {"dxButton1", {208, 320, 73, 25}, "Ok", kSans11},
                          });
  EXPECT_EQ(open_file.File1->Mask(), "*.mp?;*.wav;*.wave;*.avi;*.mid;*.midi;*.mv?");
  EXPECT_EQ(open_file.File1->ItemHeight(), 13);
}

}  // namespace
}  // namespace qrv::test
