// The main window's menu: its entries, in order, and which window each command opens and whether
// that window holds the rest of the program until it closes.
#include <QMenu>
#include <QTimer>

#include "main_window_fixture.h"
#include "playlists/forms/new_playlist_window.h"
#include "playlists/forms/open_file_window.h"
#include "playlists/forms/open_playlist_window.h"
#include "playlists/forms/save_playlist_window.h"
#include "runtime/widgets/menu_bar.h"
#include "tags/forms/audio_editor_window.h"
#include "windows/about_window.h"
#include "windows/background_window.h"
#include "windows/cd_player_window.h"
#include "windows/help_window.h"

namespace qrv::test {
namespace {

class MenuCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    StartProgram();
  }

  // Every menu's caption followed by its entries' captions.
  std::vector<std::vector<QString>> MenuTexts() {
    std::vector<std::vector<QString>> menus;
    for (QAction* top : Main().ActionMainMenuBar1->actions()) {
      std::vector<QString> texts{top->text()};
      for (QAction* entry : top->menu()->actions()) texts.push_back(entry->text());
      menus.push_back(texts);
    }
    return menus;
  }
};

TEST_F(MenuCommandsTest, EntriesStandInTheirMenusInOrder) {
  EXPECT_EQ(MenuTexts(), (std::vector<std::vector<QString>>{
                             {"&File", "Open &File", "E&xit"},
                             {"&Playlist", "&New Playlist", "&Open Playlist", "&Save Playlist"},
                             {"&Background", "&Change Background"},
                             {"&Tools", "Cd Player", "Audio Editor"},
                             {"&Help", "&About", "Help"},
                         }));
}

TEST_F(MenuCommandsTest, EachCommandOpensItsWindowModallyOrNot) {
  const struct {
    TMenuAction* command;
    TForm* window;
    bool modal;
  } commands[] = {
      {Main().fileopen1, Form9, true},    {Main().newlist, Form2, true},
      {Main().openlist, Form3, true},     {Main().savelist, Form4, true},
      {Main().cback1, Form8, false},      {Main().cdpl, cdplayer, false},
      {Main().mp3edit1, mp3tools, false}, {Main().about1, Form7, true},
      {Main().help1, Form6, false},
  };
  for (const auto& c : commands) {
    SCOPED_TRACE(c.command->text().toStdString());
    ASSERT_NE(c.window, nullptr);
    bool seen_modal = false;
    bool seen_visible = false;
    if (c.modal) {
      // A modal window runs its own loop; it is looked at and closed from inside it.
      QTimer::singleShot(0, c.window, [&] {
        seen_visible = c.window->isVisible();
        seen_modal = c.window->IsModal();
        c.window->Close();
      });
      c.command->Execute();
    } else {
      c.command->Execute();
      seen_visible = c.window->isVisible();
      seen_modal = c.window->IsModal();
      c.window->Close();
    }
    EXPECT_TRUE(seen_visible);
    EXPECT_EQ(seen_modal, c.modal);
    EXPECT_FALSE(c.window->isVisible());
  }
}

}  // namespace
}  // namespace qrv::test
