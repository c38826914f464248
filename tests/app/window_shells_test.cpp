#include <gtest/gtest.h>

#include <memory>

#include "playlists/file_list_box.h"
#include "playlists/forms/first_run_window.h"
#include "playlists/forms/new_playlist_window.h"
#include "playlists/forms/open_file_window.h"
#include "playlists/forms/open_playlist_window.h"
#include "playlists/forms/save_playlist_window.h"
#include "tags/forms/audio_editor_window.h"
#include "temp_prefix.h"
#include "windows/about_window.h"
#include "windows/background_window.h"
#include "windows/cd_player_window.h"
#include "windows/help_window.h"

namespace qrv {
namespace {

struct Expected {
  std::string caption;
  int width;
  int height;
  bool system_menu;
  bool minimize;
  FormPosition position;
};

void ExpectShell(const TForm& form, const Expected& e) {
  SCOPED_TRACE(e.caption);
  EXPECT_EQ(form.Caption(), e.caption);
  EXPECT_EQ(form.ClientWidth(), e.width);
  EXPECT_EQ(form.ClientHeight(), e.height);
  EXPECT_EQ(form.BorderStyle(), FormBorderStyle::kSingle);
  EXPECT_EQ(form.Icons().system_menu, e.system_menu);
  EXPECT_EQ(form.Icons().minimize, e.minimize);
  EXPECT_FALSE(form.Icons().maximize);
  EXPECT_EQ(form.Position(), e.position);
  // Only the main window is visible from its creation.
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::black));
}

TEST(WindowShells, CaptionsSizesBordersAndPlacement) {
  test::TempPrefix prefix;
  const auto main_centre = FormPosition::kMainFormCenter;
  const auto desktop = FormPosition::kDesktopCenter;
  ExpectShell(TForm2(), {"New Play list", 288, 210, false, false, main_centre});
  ExpectShell(TForm3(), {"Open a Saved playlist", 287, 206, false, false, main_centre});
  ExpectShell(TForm4(), {"Save your playlist!", 259, 113, false, false, main_centre});
  ExpectShell(TForm5(), {"Fist time", 430, 140, false, false, desktop});
  ExpectShell(TForm6(), {"Help", 633, 381, false, false, desktop});
  ExpectShell(TForm7(), {"About Quorvin", 376, 270, false, false, main_centre});
  ExpectShell(TForm8(), {"Change Background", 244, 186, false, false, main_centre});
  ExpectShell(TForm9(), {"Open file", 362, 348, false, false, main_centre});
  ExpectShell(Tmp3tools(), {"Quorvin Audio Editor", 515, 323, true, true, main_centre});
  ExpectShell(Tcdplayer(), {"Quorvin Cd Player", 330, 230, true, true, main_centre});
}

TEST(WindowShells, ListsOfTheDataFolderArePointedAtOnCreation) {
  test::TempPrefix prefix;
  prefix.MakeDir("qrv30/playlists");
  prefix.MakeDir("qrv30/backgrounds");
  TForm3 open_playlist;
  EXPECT_EQ(open_playlist.File1->Folder(), "c:\\qrv30\\playlists");
  EXPECT_EQ(open_playlist.File1->Mask(), "*.pm3");
  TForm8 background;
  EXPECT_EQ(background.FileListBox1->Folder(), "c:\\qrv30\\backgrounds");
  EXPECT_EQ(background.FileListBox1->Mask(), "*.bmp");
}

}  // namespace
}  // namespace qrv
