// The four windows as the main window's menu reaches them, with all eleven windows created.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTimer>
#include <memory>

#include "app/main_window.h"
#include "app/start_up.h"
#include "controls/dx_button.h"
#include "playlists/file_list_box.h"
#include "runtime/timer.h"
#include "runtime/widgets/menu_bar.h"
#include "runtime/widgets/picture.h"
#include "temp_prefix.h"
#include "window_helpers.h"
#include "windows/about_window.h"
#include "windows/background_window.h"
#include "windows/cd_player_window.h"
#include "windows/help_window.h"

namespace qrv {
namespace {

const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);

class WholeProgramTest : public ::testing::Test {
 protected:
  WholeProgramTest() {
    prefix.MakeDir("qrv30/playlists");
    prefix.MakeDir("qrv30/backgrounds");
    test::WriteBitmap(prefix.DriveC() + "/qrv30/backgrounds/standar.bmp", kBlue);
    test::WriteBitmap(prefix.DriveC() + "/qrv30/backgrounds/yellow.bmp", kYellow);
    prefix.WriteFile("qrv30/helppro.txt", "How to play\r\n");
    windows = std::make_unique<ApplicationWindows>();
    // The start-up restore would show the first-run prompt in the middle of a test.
    Form1->Timer3->SetEnabled(false);
  }
  ~WholeProgramTest() override { windows.reset(); }

  static QColor Colour(const TImage* image) { return image->Picture().toImage().pixelColor(0, 0); }

  test::TempPrefix prefix;
  test::MessageLog log;
  std::unique_ptr<ApplicationWindows> windows;
};

TEST_F(WholeProgramTest, BackgroundChosenFromTheMenuChangesTheMainWindow) {
  EXPECT_EQ(Colour(Form1->back1), kBlue);
  Form1->cback1->Execute();
  ASSERT_TRUE(Form8->isVisible());
  TFileListBox* list = Form8->FileListBox1;
  ASSERT_EQ(list->Count(), 2);
  list->SetItemIndex(1);
  Form8->FileListBox1Click(list);
  EXPECT_EQ(Colour(Form1->back1), kYellow);
  Form8->dxButton1->Click();
  EXPECT_FALSE(Form8->isVisible());
  EXPECT_EQ(prefix.ReadFile("qrv30/start.bmp"), prefix.ReadFile("qrv30/backgrounds/yellow.bmp"));

  // The CD window takes the main window's background when it is shown.
  Form1->cdpl->Execute();
  ASSERT_TRUE(cdplayer->isVisible());
  EXPECT_EQ(Colour(cdplayer->Image1), kYellow);
  EXPECT_TRUE(log.texts.empty());
}

TEST_F(WholeProgramTest, HelpAndAboutFromTheMenu) {
  Form1->help1->Execute();
  ASSERT_TRUE(Form6->isVisible());
  EXPECT_EQ(Form6->RichEdit1->toPlainText(), QStringLiteral("How to play\n"));
  QTimer::singleShot(0, Form7, [] { Form7->dxButton1->Click(); });
  Form1->about1->Execute();
  EXPECT_FALSE(Form7->isVisible());
  EXPECT_TRUE(log.texts.empty());
}

}  // namespace
}  // namespace qrv
