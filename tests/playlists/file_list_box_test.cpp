#include "playlists/file_list_box.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <cstdlib>

#include "runtime/exceptions.h"
#include "runtime/fs/drive_map.h"
#include "temp_prefix.h"

namespace qrv {
namespace {

constexpr const char* kPlaylistMask = "*.mp?;*.wav;*.wave";

class FileListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::ResetState();
    prefix_.WriteFile("music/b.mp3", "x");
    prefix_.WriteFile("music/A.mp2", "x");
    prefix_.WriteFile("music/c.wav", "x");
    prefix_.WriteFile("music/notes.txt", "x");
    prefix_.WriteFile("music/.hidden.mp3", "x");
    prefix_.MakeDir("music/sub.mp3");
    prefix_.WriteFile("pics/one.bmp", "x");
    prefix_.WriteFile("pics/two.bmp", "x");
    ASSERT_TRUE(fs::SetCurrentDir("c:\\"));
    list_ = std::make_unique<TFileListBox>();
    list_->resize(200, 200);
    list_->SetOnClick([this] { events_ += "click;"; });
    list_->SetOnChange([this] { events_ += "change;"; });
    list_->SetOnDblClick([this] { events_ += "dbl;"; });
  }
  void TearDown() override {
    list_.reset();
    fs::ResetState();
  }

  std::vector<std::string> Entries() {
    std::vector<std::string> entries;
    for (int i = 0; i < list_->Count(); ++i) entries.push_back(list_->Item(i));
    return entries;
  }

  void ShowAt(const std::string& folder) {
    list_->SetMask(kPlaylistMask);
    list_->SelectPath(folder);
    list_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list_.get()));
    events_.clear();
  }

  QPoint RowCentre(int row) { return list_->visualRect(list_->model()->index(row, 0)).center(); }

  test::TempPrefix prefix_;
  std::unique_ptr<TFileListBox> list_;
  std::string events_;
};

TEST_F(FileListBoxTest, ThePlaylistMaskListsAudioFilesInNameOrder) {
  ShowAt("c:\\music");
  EXPECT_EQ(list_->Folder(), "c:\\music");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"A.mp2", "b.mp3", "c.wav"}));
  EXPECT_EQ(list_->ItemIndex(), -1);
  EXPECT_EQ(list_->SelectedPath(), "");
}

TEST_F(FileListBoxTest, TwoPatternsMatchingOneFileListItTwiceSideBySide) {
  list_->SelectPath("c:\\music");
  list_->SetMask("*.wav;c.*;b.mp3");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"b.mp3", "c.wav", "c.wav"}));
  list_->SetMask(";;");
  EXPECT_EQ(list_->Count(), 0);
}

TEST_F(FileListBoxTest, ListingWaitsUntilTheListIsFirstNeeded) {
  list_->SetMask(kPlaylistMask);
  list_->SelectPath("c:\\music");
  EXPECT_EQ(events_, "");
  list_->show();
  EXPECT_EQ(events_, "change;");
  EXPECT_EQ(list_->Count(), 3);
  EXPECT_EQ(events_, "change;");
}

TEST_F(FileListBoxTest, ADriveRootGivesPathsWithOneBackslash) {
  prefix_.WriteFile("root.mp3", "x");
  ShowAt("c:\\");
  EXPECT_EQ(list_->Folder(), "c:\\");
  list_->SetItemIndex(0);
  EXPECT_EQ(list_->SelectedPath(), "c:\\root.mp3");
}

TEST_F(FileListBoxTest, TheSameFolderInOtherCaseKeepsListingAndSelection) {
  ShowAt("c:\\music");
  list_->SetItemIndex(1);
  prefix_.WriteFile("music/new.mp3", "x");
  list_->SelectPath("C:\\MUSIC");
  EXPECT_EQ(events_, "");
  EXPECT_EQ(list_->Count(), 3);
  EXPECT_EQ(list_->SelectedName(), "b.mp3");
  // Going elsewhere and back re-reads and shows the new file.
  list_->SelectPath("c:\\pics");
  list_->SelectPath("c:\\music");
  EXPECT_EQ(list_->Count(), 4);
}

TEST_F(FileListBoxTest, AMissingFolderKeepsTheListWhereItWasReReadAndUnselected) {
  ShowAt("c:\\music");
  list_->SetItemIndex(0);
  list_->SelectPath("c:\\no such folder");
  EXPECT_EQ(list_->Folder(), "c:\\music");
  EXPECT_EQ(list_->ItemIndex(), -1);
  EXPECT_EQ(events_, "change;");
  list_->SelectPath("q:\\nodrive");
  EXPECT_EQ(list_->Folder(), "c:\\music");
  list_->SelectPath("");
  EXPECT_EQ(events_, "change;change;");
}

TEST_F(FileListBoxTest, APatternAfterTheFolderBecomesTheMask) {
  ShowAt("c:\\music");
  list_->SelectPath("c:\\pics\\*.bmp");
  EXPECT_EQ(list_->Folder(), "c:\\pics");
  EXPECT_EQ(list_->Mask(), "*.bmp");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"one.bmp", "two.bmp"}));
}

TEST_F(FileListBoxTest, AFilePathSelectsTheFileAndNarrowsAHidingMask) {
  ShowAt("c:\\pics");
  list_->SelectPath("c:\\music\\B.MP3");
  EXPECT_EQ(list_->Folder(), "c:\\music");
  EXPECT_EQ(list_->SelectedName(), "b.mp3");
  EXPECT_EQ(list_->SelectedPath(), "c:\\music\\b.mp3");
  EXPECT_EQ(list_->Mask(), kPlaylistMask);
  events_.clear();
  list_->SelectPath("c:\\music\\b.mp3");  // Already the selected path.
  EXPECT_EQ(events_, "");
  list_->SelectPath("c:\\music\\notes.txt");
  EXPECT_EQ(list_->Mask(), "notes.txt");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"notes.txt"}));
  EXPECT_EQ(list_->ItemIndex(), 0);
}

TEST_F(FileListBoxTest, SelectedIndexRulesAtBothEnds) {
  ShowAt("c:\\music");
  list_->SetItemIndex(2);
  list_->SetItemIndex(3);  // At the number of entries: nothing changes.
  EXPECT_EQ(list_->ItemIndex(), 2);
  list_->SetItemIndex(-2);
  EXPECT_EQ(list_->ItemIndex(), 2);
  list_->SetItemIndex(0);
  list_->SetItemIndex(-1);
  EXPECT_EQ(list_->ItemIndex(), -1);
  EXPECT_EQ(list_->SelectedPath(), "");
  EXPECT_EQ(events_, "");  // Program changes raise nothing.
  EXPECT_THROW(list_->Item(3), EListError);
}

TEST_F(FileListBoxTest, ClicksRaiseClickThenChangeOnlyWhenTheIndexMoved) {
  ShowAt("c:\\music");
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, RowCentre(1));
  EXPECT_EQ(list_->ItemIndex(), 1);
  EXPECT_EQ(events_, "click;change;");
  events_.clear();
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, RowCentre(1));
  EXPECT_EQ(events_, "click;");
  events_.clear();
  // Ctrl+click cannot clear the selection of a single-selection list.
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, Qt::ControlModifier, RowCentre(1));
  EXPECT_EQ(list_->ItemIndex(), 1);
  events_.clear();
  // Below the last entry nothing happens.
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, QPoint(20, 190));
  EXPECT_EQ(list_->ItemIndex(), 1);
  EXPECT_EQ(events_, "");
  QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, RowCentre(2));
  EXPECT_NE(events_.find("dbl;"), std::string::npos);
  EXPECT_EQ(list_->ItemIndex(), 2);
}

TEST_F(FileListBoxTest, KeysMoveTheSelectionAndNotifyOnlyWhenItMoves) {
  ShowAt("c:\\music");
  list_->setFocus();
  list_->SetItemIndex(1);
  QTest::keyClick(list_.get(), Qt::Key_Down);
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_EQ(events_, "click;change;");
  events_.clear();
  QTest::keyClick(list_.get(), Qt::Key_Down);  // Already at the bottom.
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_EQ(events_, "");
  QTest::keyClick(list_.get(), Qt::Key_Home);
  EXPECT_EQ(list_->ItemIndex(), 0);
  EXPECT_EQ(events_, "click;change;");
  events_.clear();
  QTest::keyClick(list_.get(), Qt::Key_Up);  // Already at the top.
  EXPECT_EQ(events_, "");
}

TEST_F(FileListBoxTest, AProgramChangeBetweenClicksCountsAgainstTheLastNotification) {
  ShowAt("c:\\music");
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, RowCentre(0));
  list_->SetItemIndex(2);
  events_.clear();
  // The user picks the entry last notified: the index equals it, so no change is raised.
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, RowCentre(0));
  EXPECT_EQ(events_, "click;");
}

TEST_F(FileListBoxTest, AScreenReaderSelectingAnEntryActsLikeAClick) {
  ShowAt("c:\\music");
  QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list_.get());
  ASSERT_NE(view, nullptr);
  ASSERT_NE(view->tableInterface(), nullptr);
  QAccessibleInterface* cell = view->tableInterface()->cellAt(2, 0);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->text(QAccessible::Name), "c.wav");
  ASSERT_NE(cell->actionInterface(), nullptr);
  cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_EQ(events_, "click;change;");
}

TEST_F(FileListBoxTest, GlyphsAreOffByDefaultAndCanBeShown) {
  ShowAt("c:\\music");
  const QModelIndex first = list_->model()->index(0, 0);
  EXPECT_FALSE(first.data(Qt::DecorationRole).isValid());
  list_->SetShowGlyphs(true);
  EXPECT_FALSE(first.data(Qt::DecorationRole).value<QPixmap>().isNull());
  list_->SetShowGlyphs(false);
  EXPECT_FALSE(first.data(Qt::DecorationRole).isValid());
}

TEST_F(FileListBoxTest, AVanishedFolderKeepsItsEntriesUntilTheNextRead) {
  ShowAt("c:\\music");
  ASSERT_TRUE(fs::SetCurrentDir("c:\\"));
  QDir(QString::fromStdString(prefix_.DriveC() + "/music")).removeRecursively();
  EXPECT_EQ(list_->Count(), 3);
  list_->SetMask("*.*");
  EXPECT_EQ(list_->Count(), 0);
  list_->SelectPath("c:\\pics");
  EXPECT_EQ(list_->Folder(), "c:\\pics");
  EXPECT_EQ(list_->Count(), 2);
}

// Runs the rest of a test as an unprivileged user, as root reads every folder whatever its
// rights. The real and effective ids change, as access checks read the real one; the saved ids
// stay root's, so that the destructor can take them back.
class AsUnprivilegedUser {
 public:
  static constexpr uid_t kNobody = 65534;
  explicit AsUnprivilegedUser(const std::string& root) {
    if (::geteuid() != 0) return;
    // The temporary prefix is private to its creator; the stand-in user must reach into it.
    ::chmod(root.c_str(), 0755);
    if (::setresgid(kNobody, kNobody, 0) != 0) return;
    switched_ = ::setresuid(kNobody, kNobody, 0) == 0;
    if (!switched_ && ::setresgid(0, 0, 0) != 0) std::abort();
  }
  ~AsUnprivilegedUser() {
    if (!switched_) return;
    if (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0) std::abort();
  }
  bool Ok() const { return switched_ || ::geteuid() != 0; }

 private:
  bool switched_ = false;
};

TEST_F(FileListBoxTest, AFolderThatDeniesAccessListsNothingAndRaisesNothing) {
  prefix_.MakeDir("locked");
  prefix_.WriteFile("locked/secret.mp3", "x");
  const std::string host = prefix_.DriveC() + "/locked";
  ASSERT_EQ(::chmod(host.c_str(), 0), 0);
  {
    AsUnprivilegedUser user(prefix_.Root());
    if (!user.Ok()) GTEST_SKIP() << "no unprivileged user to run as";
    ShowAt("c:\\music");
    const auto before = Entries();
    list_->SelectPath("c:\\locked");
    EXPECT_EQ(list_->Folder(), "c:\\music");
    EXPECT_EQ(Entries(), before);
  }
  ::chmod(host.c_str(), 0755);
}

TEST_F(FileListBoxTest, ALongListingRestoresTheCursor) {
  for (int i = 0; i < 150; ++i) prefix_.WriteFile("many/f" + std::to_string(i) + ".mp3", "");
  ShowAt("c:\\many");
  EXPECT_EQ(list_->Count(), 150);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FileListBoxTest, AHugeMaskFinishes) {
  std::string mask;
  for (int i = 0; i < 20000; ++i) mask += "*.x" + std::to_string(i) + ";";
  mask += std::string(100000, '*') + "b.mp3";
  ShowAt("c:\\music");
  list_->SetMask(mask);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"b.mp3"}));
}

}  // namespace
}  // namespace qrv
