#include "windows/background_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "controls/dx_button.h"
#include "playlists/file_list_box.h"
#include "runtime/widgets/picture.h"
#include "temp_prefix.h"
#include "window_helpers.h"
#include "windows/main_background.h"

namespace qrv {
namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kGray(128, 128, 128);

// A data folder with three good bitmaps and one that only carries the extension, a stand-in for
// the main window's background showing gray, and the chooser, shown.
class BackgroundChooserTest : public ::testing::Test {
 protected:
  BackgroundChooserTest() {
    prefix.MakeDir("qrv30/backgrounds");
    test::WriteBitmap(prefix.DriveC() + "/qrv30/backgrounds/red.bmp", kRed);
    test::WriteBitmap(prefix.DriveC() + "/qrv30/backgrounds/green.bmp", kGreen);
    test::WriteBitmap(prefix.DriveC() + "/qrv30/backgrounds/standar.bmp", kBlue);
    prefix.WriteFile("qrv30/backgrounds/broken.bmp", "this is not a picture");
    QImage gray(8, 8, QImage::Format_RGB32);
    gray.fill(kGray);
    background.SetPicture(QPixmap::fromImage(gray));
    SetMainBackground(&background);
    form = std::make_unique<TForm8>();
    form->Show();
  }
  ~BackgroundChooserTest() override {
    form.reset();
    SetMainBackground(nullptr);
  }

  // Clicks the list entry with the given name, as the user does.
  void ClickEntry(const std::string& name) {
    TFileListBox* list = form->FileListBox1;
    for (int row = 0; row < list->Count(); ++row) {
      if (list->Item(row) != name) continue;
      const QRect cell = list->visualRect(list->model()->index(row, 0));
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
      return;
    }
    ADD_FAILURE() << "no entry " << name;
  }
  QColor Shown() const { return background.Picture().toImage().pixelColor(0, 0); }
  std::string Backgrounds(const std::string& name) const {
    return prefix.ReadFile("qrv30/backgrounds/" + name);
  }

  test::TempPrefix prefix;
  test::MessageLog log;
  TImage background;
  std::unique_ptr<TForm8> form;
};

TEST_F(BackgroundChooserTest, ListsTheBitmapsOfTheBackgroundsFolder) {
  TFileListBox* list = form->FileListBox1;
  ASSERT_EQ(list->Count(), 4);
  EXPECT_EQ(list->Item(0), "broken.bmp");
  EXPECT_EQ(list->Item(3), "standar.bmp");
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(BackgroundChooserTest, OpensWithOkFocusedSoThatEnterKeepsTheChoice) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  EXPECT_EQ(QApplication::focusWidget(), form->dxButton1);
  EXPECT_TRUE(form->dxButton1->Focused());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(BackgroundChooserTest, ClickingAnEntryShowsItOnTheMainWindowAtOnce) {
  ClickEntry("red.bmp");
  EXPECT_EQ(Shown(), kRed);
  ClickEntry("green.bmp");
  EXPECT_EQ(Shown(), kGreen);
  EXPECT_TRUE(log.texts.empty());
  EXPECT_TRUE(form->isVisible()) << "a preview does not close the window";
  EXPECT_FALSE(prefix.Exists("qrv30/start.bmp")) << "a preview keeps nothing";
}

TEST_F(BackgroundChooserTest, OkKeepsTheChoiceAsTheStartBitmap) {
  prefix.WriteFile("qrv30/start.bmp", Backgrounds("red.bmp"));
  ClickEntry("green.bmp");
  form->dxButton1->Click();
  EXPECT_EQ(prefix.ReadFile("qrv30/start.bmp"), Backgrounds("green.bmp"));
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(Shown(), kGreen) << "the preview stays; nothing is reloaded";
  EXPECT_TRUE(log.texts.empty());
}

TEST_F(BackgroundChooserTest, OkOnTheStandardBitmapMakesStartBitmapACopyOfIt) {
  ClickEntry("standar.bmp");
  form->dxButton1->Click();
  EXPECT_EQ(prefix.ReadFile("qrv30/start.bmp"), Backgrounds("standar.bmp"));
}

TEST_F(BackgroundChooserTest, OkWithoutSelectionDeletesTheStartBitmapAndKeepsThePicture) {
  prefix.WriteFile("qrv30/start.bmp", Backgrounds("red.bmp"));
  form->dxButton1->Click();
  EXPECT_FALSE(prefix.Exists("qrv30/start.bmp"));
  EXPECT_EQ(Shown(), kGray);
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(log.texts.empty());
}

TEST_F(BackgroundChooserTest, CancelAfterTwoPreviewsShowsTheKeptBackground) {
  prefix.WriteFile("qrv30/start.bmp", Backgrounds("red.bmp"));
  ClickEntry("green.bmp");
  ClickEntry("standar.bmp");
  form->dxButton2->Click();
  EXPECT_EQ(Shown(), kRed);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(prefix.ReadFile("qrv30/start.bmp"), Backgrounds("red.bmp"));
}

TEST_F(BackgroundChooserTest, CancelWithoutStartBitmapShowsTheStandardOne) {
  ClickEntry("green.bmp");
  form->dxButton2->Click();
  EXPECT_EQ(Shown(), kBlue);
  EXPECT_FALSE(prefix.Exists("qrv30/start.bmp"));
}

TEST_F(BackgroundChooserTest, CancelWithNoBackgroundToRestoreReportsAndStaysOpen) {
  std::remove((prefix.DriveC() + "/qrv30/backgrounds/standar.bmp").c_str());
  ClickEntry("green.bmp");
  form->dxButton2->Click();
  EXPECT_EQ(log.texts,
            (std::vector<std::string>{"Cannot open file c:\\qrv30\\backgrounds\\standar.bmp."}));
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Shown(), kGreen);
}

TEST_F(BackgroundChooserTest, AFileThatIsNotABitmapIsReportedAndNeverKept) {
  ClickEntry("red.bmp");
  ClickEntry("broken.bmp");
  EXPECT_EQ(log.texts, (std::vector<std::string>{"Bitmap image is not valid."}));
  EXPECT_EQ(Shown(), kRed) << "the previous picture stays";

  // Keeping it would spoil every later start: Ok refuses it, says so and closes.
  prefix.WriteFile("qrv30/start.bmp", Backgrounds("green.bmp"));
  form->dxButton1->Click();
  EXPECT_EQ(log.texts.size(), 2u);
  EXPECT_EQ(log.texts.back(), "Bitmap image is not valid.");
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(prefix.ReadFile("qrv30/start.bmp"), Backgrounds("green.bmp"));
}

TEST_F(BackgroundChooserTest, OkThatCannotKeepTheChoiceSaysSoAndCloses) {
  // A folder in the way of the start bitmap: the copy cannot succeed.
  prefix.MakeDir("qrv30/start.bmp");
  ClickEntry("green.bmp");
  form->dxButton1->Click();
  EXPECT_EQ(log.texts, (std::vector<std::string>{"Cannot create file c:\\qrv30\\start.bmp."}));
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(prefix.List("qrv30/start.bmp"), std::vector<std::string>{});
}

TEST_F(BackgroundChooserTest, CancelWithABrokenStartBitmapReportsAndStaysOpen) {
  prefix.WriteFile("qrv30/start.bmp", "garbage");
  ClickEntry("green.bmp");
  form->dxButton2->Click();
  EXPECT_EQ(log.texts, (std::vector<std::string>{"Bitmap image is not valid."}));
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Shown(), kGreen);
}

TEST_F(BackgroundChooserTest, SelectionSurvivesHidingAndShowingAgain) {
  ClickEntry("red.bmp");
  form->dxButton2->Click();
  form->Show();
  EXPECT_EQ(form->FileListBox1->SelectedName(), "red.bmp");
}

TEST_F(BackgroundChooserTest, ButtonsAreReachableByScreenReaders) {
  EXPECT_EQ(test::AccessibleRole(form->dxButton1), static_cast<int>(QAccessible::Button));
  EXPECT_EQ(test::AccessibleName(form->dxButton1), QStringLiteral("Ok"));
  EXPECT_EQ(test::AccessibleName(form->dxButton2), QStringLiteral("Cancel"));
  EXPECT_EQ(test::AccessibleName(form->FileListBox1), QStringLiteral("Backgrounds"));
  ClickEntry("green.bmp");
  ASSERT_TRUE(test::AccessiblePress(form->dxButton2));
  EXPECT_FALSE(form->isVisible()) << "pressing Cancel for a screen reader cancels";
  EXPECT_EQ(Shown(), kBlue);
}

TEST(BackgroundChooser, WithoutTheBackgroundsFolderTheListStaysWhereItWas) {
  test::TempPrefix prefix;
  test::MessageLog log;
  TForm8 form;
  EXPECT_NE(form.FileListBox1->Folder(), "c:\\qrv30\\backgrounds");
  EXPECT_TRUE(log.texts.empty());
}

}  // namespace
}  // namespace qrv
