#include <QDirIterator>
#include <QLineEdit>
#include <set>

#include "controls/bit_btn.h"
#include "engine/orb_player.h"
#include "forms_fixture.h"
#include "playlists/forms/dialog_controls.h"
#include "playlists/forms/open_playlist_window.h"
#include "playlists/forms/save_playlist_window.h"
#include "runtime/timer.h"
#include "runtime/widgets/label.h"

namespace qrv {
namespace {

// The two windows as the program creates them: the open window first, pointing its list at the
// playlists folder on creation.
class SaveOpenTest : public test::FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    open_ = std::make_unique<TForm3>();
    save_ = std::make_unique<TForm4>();
    Form3 = open_.get();
    Form4 = save_.get();
  }
  void TearDown() override {
    Form3 = nullptr;
    Form4 = nullptr;
    save_.reset();
    open_.reset();
    FormsTest::TearDown();
  }

  // Saves the main playlist's folder under a name typed into the save window.
  void SaveAs(const QString& name) {
    save_->Show();
    save_->LabeledEdit1->clear();
    QTest::keyClicks(save_->LabeledEdit1, name);
    Click(save_->dxButton1);
  }

  // Leaves the transport in a state that the reset visibly undoes.
  void DisturbTransport() {
    Form1->Timer2->SetEnabled(true);
    Form1->pause1->SetCaption(QStringLiteral("Resume"));
    Form1->seek1->SetCaption(QStringLiteral("Resume"));
    Form1->DDMBitBtn1->SetEnabled(false);
    Form1->seek1->SetEnabled(false);
  }

  void ExpectTransportReset() {
    EXPECT_FALSE(Form1->Timer2->Enabled());
    EXPECT_EQ(Form1->pause1->Caption(), "Pause");
    EXPECT_EQ(Form1->seek1->Caption(), "Seek");
    EXPECT_TRUE(Form1->DDMBitBtn1->Enabled());
    EXPECT_TRUE(Form1->seek1->Enabled());
  }

  // Every file and folder below the prefix, as host paths.
  std::set<QString> Snapshot() const {
    std::set<QString> all;
    QDirIterator it(QString::fromStdString(prefix_.Root()),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) all.insert(it.next());
    return all;
  }

  std::unique_ptr<TForm3> open_;
  std::unique_ptr<TForm4> save_;
};

TEST_F(SaveOpenTest, SavedPlaylistIsListedAndOpensItsFolderWithoutPlaying) {
  // A first showing before the save: the list must still pick the new playlist up later.
  open_->Show();
  Click(open_->Cancel);
  EXPECT_FALSE(open_->isVisible());
  EXPECT_EQ(open_->File1->Folder(), "c:\\qrv30");

  Form1->playlist1->SelectPath("c:\\music\\rock");
  SaveAs(QStringLiteral("rock"));
  EXPECT_EQ(save_->Edit1->text(), "c:\\qrv30\\playlists\\rock.pm3");
  EXPECT_FALSE(save_->isVisible());
  EXPECT_EQ(prefix_.ReadFile("qrv30/playlists/rock.pm3"), "c:\\music\\rock\r\n");
  EXPECT_EQ(Form1->Label6->Caption(), "rock.pm3");

  Form1->playlist1->SelectPath("c:\\music\\jazz");
  DisturbTransport();
  open_->Show();
  EXPECT_EQ(open_->File1->Folder(), "c:\\qrv30\\playlists");
  EXPECT_EQ(open_->File1->ItemIndex(), -1);
  ASSERT_TRUE(ClickEntry(open_->File1, "rock.pm3"));
  EXPECT_EQ(open_->Edit1->text(), "c:\\music\\rock");
  Click(open_->Ok);
  EXPECT_FALSE(open_->isVisible());
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\music\\rock");
  EXPECT_EQ(Form1->Label6->Caption(), "rock.pm3");
  ExpectTransportReset();
  EXPECT_FALSE(Form1->mp31->DeviceOpen());
  EXPECT_EQ(open_->File1->Folder(), "c:\\qrv30");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(SaveOpenTest, SavingTwiceWithoutTypingReplacesTheSameFile) {
  Form1->playlist1->SelectPath("c:\\music\\rock");
  SaveAs(QStringLiteral("mix"));
  Form1->playlist1->SelectPath("c:\\music\\jazz");
  save_->Show();
  EXPECT_EQ(save_->LabeledEdit1->text(), "mix");
  Click(save_->dxButton1);
  EXPECT_EQ(prefix_.ReadFile("qrv30/playlists/mix.pm3"), "c:\\music\\jazz\r\n");
  // Written in one step: no temporary file is left beside it.
  EXPECT_EQ(prefix_.List("qrv30/playlists"), std::vector<std::string>{"mix.pm3"});
}

TEST_F(SaveOpenTest, ErasedNameSavesTheFileWithAnEmptyNamePart) {
  save_->Show();
  QTest::keyClicks(save_->LabeledEdit1, QStringLiteral("a"));
  QTest::keyClick(save_->LabeledEdit1, Qt::Key_Backspace);
  EXPECT_EQ(save_->Edit1->text(), "c:\\qrv30\\playlists\\.pm3");
  Click(save_->dxButton1);
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(prefix_.ReadFile("qrv30/playlists/.pm3"), "c:\\music\r\n");
  EXPECT_EQ(Form1->Label6->Caption(), ".pm3");
  open_->Show();
  EXPECT_TRUE(ClickEntry(open_->File1, ".pm3"));
  EXPECT_EQ(open_->Edit1->text(), "c:\\music");
}

TEST_F(SaveOpenTest, DotNamesAreOrdinaryOnceTheExtensionFollows) {
  for (const char* name : {".", ".."}) {
    const std::string file = std::string(name) + ".pm3";
    SCOPED_TRACE(file);
    errors_.clear();
    SaveAs(QString::fromUtf8(name));
    EXPECT_TRUE(errors_.empty());
    EXPECT_FALSE(save_->isVisible());
    EXPECT_EQ(prefix_.ReadFile("qrv30/playlists/" + file), "c:\\music\r\n");
    EXPECT_EQ(Form1->Label6->Caption(), QString::fromStdString(file));
    open_->Show();
    EXPECT_TRUE(ClickEntry(open_->File1, file));
    EXPECT_EQ(open_->Edit1->text(), "c:\\music");
    open_->Close();
  }
}

TEST_F(SaveOpenTest, CancelInTheSaveWindowWritesNothing) {
  Form1->Label6->SetCaption(QStringLiteral("Last Saved"));
  const auto before = Snapshot();
  save_->Show();
  QTest::keyClicks(save_->LabeledEdit1, QStringLiteral("kept"));
  Click(save_->dxButton2);
  EXPECT_FALSE(save_->isVisible());
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(Form1->Label6->Caption(), "Last Saved");
}

TEST_F(SaveOpenTest, DriveRootReadsBackWithItsBackslashAndOpens) {
  Form1->playlist1->SelectPath("c:\\");
  ASSERT_EQ(Form1->playlist1->Folder(), "c:\\");
  SaveAs(QStringLiteral("root"));
  EXPECT_EQ(prefix_.ReadFile("qrv30/playlists/root.pm3"), "c:\\\r\n");
  Form1->playlist1->SelectPath("c:\\music\\rock");
  open_->Show();
  ASSERT_TRUE(ClickEntry(open_->File1, "root.pm3"));
  EXPECT_EQ(open_->Edit1->text(), "c:\\");
  Click(open_->Ok);
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\");
}

TEST_F(SaveOpenTest, DeleteRemovesTheSelectedPlaylistAndIgnoresNoSelection) {
  prefix_.WriteFile("qrv30/playlists/a.pm3", "c:\\music\r\n");
  prefix_.WriteFile("qrv30/playlists/b.pm3", "c:\\music\r\n");
  open_->Show();
  ASSERT_EQ(open_->File1->Count(), 2);
  Click(open_->dxButton1);
  EXPECT_EQ(open_->File1->Count(), 2);
  EXPECT_TRUE(prefix_.Exists("qrv30/playlists/a.pm3"));

  ASSERT_TRUE(ClickEntry(open_->File1, "a.pm3"));
  Click(open_->dxButton1);
  EXPECT_FALSE(prefix_.Exists("qrv30/playlists/a.pm3"));
  EXPECT_TRUE(prefix_.Exists("qrv30/playlists/b.pm3"));
  ASSERT_EQ(open_->File1->Count(), 1);
  EXPECT_EQ(open_->File1->Item(0), "b.pm3");
  EXPECT_EQ(open_->File1->ItemIndex(), -1);
  EXPECT_TRUE(open_->isVisible());
  EXPECT_TRUE(errors_.empty());
}

TEST_F(SaveOpenTest, EmptyFirstLineOrMissingFolderKeepsThePlaylistButResets) {
  prefix_.WriteFile("qrv30/playlists/blank.pm3", "\r\nc:\\music\\jazz\r\n");
  prefix_.WriteFile("qrv30/playlists/gone.pm3", "c:\\music\\gone\r\n");
  Form1->playlist1->SelectPath("c:\\music\\rock");

  DisturbTransport();
  open_->Show();
  ASSERT_TRUE(ClickEntry(open_->File1, "blank.pm3"));
  EXPECT_EQ(open_->Edit1->text(), "");
  Click(open_->Ok);
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\music\\rock");
  EXPECT_EQ(Form1->Label6->Caption(), "blank.pm3");
  ExpectTransportReset();

  DisturbTransport();
  open_->Show();
  ASSERT_TRUE(ClickEntry(open_->File1, "gone.pm3"));
  EXPECT_EQ(open_->Edit1->text(), "c:\\music\\gone");
  Click(open_->Ok);
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\music\\rock");
  EXPECT_EQ(Form1->Label6->Caption(), "gone.pm3");
  ExpectTransportReset();
  EXPECT_TRUE(errors_.empty());
}

TEST_F(SaveOpenTest, PlaylistGoneBeforeItIsReadReportsAndLeavesTheBoxEmpty) {
  prefix_.WriteFile("qrv30/playlists/old.pm3", "c:\\music\r\n");
  open_->Show();
  open_->Edit1->setText(QStringLiteral("left over"));
  ASSERT_EQ(open_->File1->Count(), 1);
  std::remove(Host("qrv30/playlists/old.pm3").c_str());
  ASSERT_TRUE(ClickEntry(open_->File1, "old.pm3"));
  EXPECT_EQ(errors_, std::vector<std::string>{"File not found."});
  EXPECT_EQ(open_->Edit1->text(), "");
}

TEST_F(SaveOpenTest, OkWithoutSelectionGivesAnEmptyName) {
  open_->Show();
  open_->Edit1->setText(QStringLiteral("c:\\music\\jazz"));
  Click(open_->Ok);
  EXPECT_EQ(Form1->playlist1->Folder(), "c:\\music\\jazz");
  EXPECT_EQ(Form1->Label6->Caption(), "");
}

TEST_F(SaveOpenTest, RefusedNamesWriteNothingAnywhere) {
  prefix_.WriteFile("qrv30/last.lst", "c:\\music\r\n");
  Form1->Label6->SetCaption(QStringLiteral("Last Saved"));
  const auto before = Snapshot();
  for (const char* name : {"..\\last", "../last", "sub\\x", "c:evil", "what?", "a|b"}) {
    SCOPED_TRACE(name);
    errors_.clear();
    SaveAs(QString::fromUtf8(name));
    const std::string path = "c:\\qrv30\\playlists\\" + std::string(name) + ".pm3";
    EXPECT_EQ(errors_, std::vector<std::string>{"Cannot create file " + path + "."});
    EXPECT_TRUE(save_->isVisible());
    EXPECT_EQ(Form1->Label6->Caption(), "Last Saved");
  }
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(prefix_.ReadFile("qrv30/last.lst"), "c:\\music\r\n");
}

TEST_F(SaveOpenTest, SaveBeforeAnyNameOrWithoutTheFolderFailsAndStaysOpen) {
  save_->Show();
  Click(save_->dxButton1);
  EXPECT_EQ(errors_, std::vector<std::string>{"Cannot create file "});
  EXPECT_TRUE(save_->isVisible());

  errors_.clear();
  ASSERT_EQ(std::remove(Host("qrv30/playlists").c_str()), 0);
  SaveAs(QStringLiteral("rock"));
  EXPECT_EQ(errors_,
            std::vector<std::string>{"Cannot create file c:\\qrv30\\playlists\\rock.pm3."});
  EXPECT_TRUE(save_->isVisible());
  EXPECT_EQ(Form1->Label6->Caption(), "");
  EXPECT_FALSE(prefix_.Exists("qrv30/playlists"));
}

TEST_F(SaveOpenTest, ClosingByOtherMeansStillRereadsOnTheNextShowing) {
  open_->Show();
  EXPECT_EQ(open_->File1->Count(), 0);
  open_->close();  // As the window manager's close key would.
  prefix_.WriteFile("qrv30/playlists/new.pm3", "c:\\music\r\n");
  open_->Show();
  EXPECT_EQ(open_->File1->Count(), 1);
}

TEST_F(SaveOpenTest, WindowsRunModallyFromTheMainMenu) {
  Form1->playlist1->SelectPath("c:\\music\\rock");
  bool left_open = true;
  RunModal(
      *save_,
      [this] {
        QTest::keyClicks(save_->LabeledEdit1, QStringLiteral("menu"));
        Click(save_->dxButton1);
      },
      &left_open);
  EXPECT_FALSE(left_open);
  EXPECT_TRUE(prefix_.Exists("qrv30/playlists/menu.pm3"));
  RunModal(
      *open_,
      [this] {
        ASSERT_TRUE(ClickEntry(open_->File1, "menu.pm3"));
        Click(open_->Ok);
      },
      &left_open);
  EXPECT_FALSE(left_open);
  EXPECT_EQ(Form1->Label6->Caption(), "menu.pm3");
}

}  // namespace
}  // namespace qrv
