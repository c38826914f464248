#include <unistd.h>

#include <QDir>
#include <QLineEdit>

#include "controls/bit_btn.h"
#include "forms_fixture.h"
#include "playlists/directory_list_box.h"
#include "playlists/drive_combo_box.h"
#include "playlists/forms/first_run_window.h"
#include "playlists/forms/new_playlist_window.h"
#include "runtime/timer.h"
#include "runtime/widgets/label.h"

namespace qrv {
namespace {

class NewPlaylistTest : public test::FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    new_list_ = std::make_unique<TForm2>();
    prompt_ = std::make_unique<TForm5>();
    Form2 = new_list_.get();
    Form5 = prompt_.get();
  }
  void TearDown() override {
    Form2 = nullptr;
    Form5 = nullptr;
    prompt_.reset();
    new_list_.reset();
    FormsTest::TearDown();
  }

  // Opens a folder tree entry with a double-click, as the user walks into a folder.
  void OpenTreeEntry(const std::string& name) {
    TDirectoryListBox* tree = new_list_->Dir1;
    const auto& entries = tree->Entries();
    for (size_t row = 0; row < entries.size(); ++row) {
      if (entries[row].name != name) continue;
      const QPoint centre = tree->visualRect(tree->model()->index(int(row), 0)).center();
      QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, centre);
      return;
    }
    ADD_FAILURE() << "no tree entry " << name;
  }

  std::unique_ptr<TForm2> new_list_;
  std::unique_ptr<TForm5> prompt_;
};

TEST_F(NewPlaylistTest, ChosenFolderBecomesThePlaylist) {
  new_list_->Show();
  EXPECT_EQ(new_list_->Dir1->Folder(), "c:\\music");
  EXPECT_EQ(new_list_->Edit1->text(), "");
  OpenTreeEntry("rock");
  EXPECT_EQ(new_list_->Edit1->text(), "c:\\music\\rock");
  Form1->Timer2->SetEnabled(true);
  Form1->pause1->SetCaption(QStringLiteral("Resume"));
  Click(new_list_->dxButton1);
  EXPECT_FALSE(new_list_->isVisible());
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\music\\rock");
  EXPECT_EQ(Form1->playlist1->Count(), 2);
  EXPECT_EQ(Form1->Label6->Caption(), "New Playlist");
  EXPECT_FALSE(Form1->Timer2->Enabled());
  EXPECT_EQ(Form1->pause1->Caption(), "Pause");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(NewPlaylistTest, OkWithoutAChoiceKeepsTheFolderButStillResets) {
  Form1->playlist1->SelectPath("c:\\music\\jazz");
  Form1->seek1->SetEnabled(false);
  new_list_->Show();
  Click(new_list_->dxButton1);
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\music\\jazz");
  EXPECT_TRUE(Form1->seek1->Enabled());
  EXPECT_EQ(Form1->Label6->Caption(), "New Playlist");
}

TEST_F(NewPlaylistTest, TypedPathIsUsedAndAMissingFolderIsIgnored) {
  new_list_->Show();
  new_list_->Edit1->setText(QStringLiteral("c:\\music\\nowhere"));
  Click(new_list_->dxButton1);
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\music");
  EXPECT_EQ(Form1->Label6->Caption(), "New Playlist");
  EXPECT_TRUE(errors_.empty());

  new_list_->Show();
  new_list_->Edit1->clear();
  QTest::keyClicks(new_list_->Edit1, QStringLiteral("C:\\MUSIC\\JAZZ"));
  Click(new_list_->dxButton1);
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\music\\jazz");
}

TEST_F(NewPlaylistTest, CancelChangesNothingAndTheWindowKeepsItsContents) {
  Form1->Label6->SetCaption(QStringLiteral("Last Saved"));
  new_list_->Show();
  OpenTreeEntry("jazz");
  Click(new_list_->dxButton2);
  EXPECT_FALSE(new_list_->isVisible());
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\music");
  EXPECT_EQ(Form1->Label6->Caption(), "Last Saved");
  new_list_->Show();
  EXPECT_EQ(new_list_->Dir1->Folder(), "c:\\music\\jazz");
  EXPECT_EQ(new_list_->Edit1->text(), "c:\\music\\jazz");
}

TEST_F(NewPlaylistTest, AnotherDriveMovesTheTreeToThatDrivesFolder) {
  prefix_.MakeDir("other/songs");
  QDir(QString::fromStdString(prefix_.Root())).mkpath(QStringLiteral("dosdevices"));
  ASSERT_EQ(symlink((prefix_.Root() + "/drive_c/other").c_str(),
                    (prefix_.Root() + "/dosdevices/d:").c_str()),
            0);
  fs::ResetState();
  ASSERT_TRUE(fs::SetCurrentDir("c:\\music"));
  new_list_->Show();
  new_list_->Drive1->SetDrive('d');
  EXPECT_EQ(new_list_->Dir1->Folder(), "d:\\");
  EXPECT_EQ(new_list_->Edit1->text(), "d:\\");
}

TEST_F(NewPlaylistTest, FirstRunYesLeadsThroughTheNewPlaylistWindow) {
  bool prompt_visible_meanwhile = false;
  bool left_open = true;
  RunModal(
      *prompt_,
      [&] {
        QTimer::singleShot(0, new_list_.get(), [&] {
          prompt_visible_meanwhile = prompt_->isVisible();
          EXPECT_TRUE(new_list_->isVisible());
          OpenTreeEntry("rock");
          Click(new_list_->dxButton1);
        });
        Click(prompt_->dxButton1);
      },
      &left_open);
  EXPECT_TRUE(prompt_visible_meanwhile);
  EXPECT_FALSE(left_open);
  EXPECT_FALSE(new_list_->isVisible());
  EXPECT_EQ(Form1->Label6->Caption(), "New Playlist");
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\music\\rock");
}

TEST_F(NewPlaylistTest, FirstRunNoJustClosesThePrompt) {
  bool left_open = true;
  RunModal(
      *prompt_, [&] { Click(prompt_->dxButton2); }, &left_open);
  EXPECT_FALSE(left_open);
  EXPECT_FALSE(new_list_->isVisible());
  EXPECT_EQ(Form1->Label6->Caption(), "");
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\music");
}

TEST_F(NewPlaylistTest, EnterAndEscapeHaveNoSpecialEffect) {
  new_list_->Show();
  new_list_->Edit1->setFocus();
  QTest::keyClick(new_list_->Edit1, Qt::Key_Return);
  QTest::keyClick(new_list_->Edit1, Qt::Key_Escape);
  EXPECT_TRUE(new_list_->isVisible());
  EXPECT_EQ(Form1->Label6->Caption(), "");
}

}  // namespace
}  // namespace qrv
