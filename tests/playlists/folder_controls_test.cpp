#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QDir>
#include <QImage>
#include <QSet>
#include <QTest>

#include "playlists/directory_list_box.h"
#include "playlists/drive_combo_box.h"
#include "playlists/file_list_box.h"
#include "runtime/fs/drive_map.h"
#include "runtime/fs/volumes.h"
#include "temp_prefix.h"

namespace qrv {
namespace {

class FolderControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::ResetState();
    prefix_.MakeDir("music/Rock");
    prefix_.MakeDir("music/jazz");
    prefix_.MakeDir("music/.cache");
    prefix_.WriteFile("music/file.mp3", "x");
    ASSERT_TRUE(fs::SetCurrentDir("c:\\music"));
  }
  void TearDown() override { fs::ResetState(); }
  test::TempPrefix prefix_;
};

TEST(ListIconsTest, EveryIconIsDrawnWithItsName) {
  const ListIcon all[] = {ListIcon::OpenFolder, ListIcon::ClosedFolder, ListIcon::CurrentFolder,
                          ListIcon::Floppy,     ListIcon::Hard,         ListIcon::Network,
                          ListIcon::CdRom,      ListIcon::Ram,          ListIcon::Document};
  QSet<QString> names;
  for (ListIcon icon : all) {
    const QImage image = ListIconPixmap(icon).toImage();
    EXPECT_EQ(image.size(), QSize(16, 16));
    int painted = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    EXPECT_GT(painted, 20) << ListIconName(icon).toStdString();
    EXPECT_LT(painted, 256) << ListIconName(icon).toStdString();
    names.insert(ListIconName(icon));
  }
  EXPECT_EQ(names.size(), 9);
  EXPECT_TRUE(names.contains("OPENFOLDER") && names.contains("CDROM") && names.contains("HARD"));
}

TEST_F(FolderControlsTest, TreeEntriesRunFromTheRootDownThenSubfolders) {
  const auto entries = BuildFolderEntries("c:\\music");
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].name, "c:\\");
  EXPECT_EQ(entries[0].icon, ListIcon::OpenFolder);
  EXPECT_EQ(entries[0].indent, 2);
  EXPECT_EQ(entries[1].name, "music");
  EXPECT_EQ(entries[1].icon, ListIcon::CurrentFolder);
  EXPECT_EQ(entries[1].indent, 6);
  EXPECT_EQ(entries[2].name, "jazz");
  EXPECT_EQ(entries[3].name, "Rock");
  EXPECT_EQ(entries[3].icon, ListIcon::ClosedFolder);
  EXPECT_EQ(entries[3].indent, 4 * 1 + 6);
  EXPECT_EQ(entries[3].path, "c:\\music\\Rock");

  const auto root = BuildFolderEntries("c:\\");
  ASSERT_FALSE(root.empty());
  EXPECT_EQ(root[0].icon, ListIcon::CurrentFolder);
  EXPECT_EQ(root[1].name, "music");
  EXPECT_EQ(root[1].indent, 10);
}

TEST_F(FolderControlsTest, TreeWalksIntoFoldersAndNotifiesEveryChange) {
  TDirectoryListBox tree;
  int changes = 0;
  tree.SetOnChange([&changes] { ++changes; });
  EXPECT_EQ(tree.Folder(), "c:\\music");
  tree.SetFolder("C:\\MUSIC");
  EXPECT_EQ(changes, 0);
  tree.SetFolder("c:\\music\\rock");
  EXPECT_EQ(tree.Folder(), "c:\\music\\Rock");
  EXPECT_EQ(fs::GetCurrentDir(), "c:\\music\\Rock");
  EXPECT_EQ(changes, 1);
  tree.SetFolder("c:\\music\\gone");
  EXPECT_EQ(tree.Folder(), "c:\\music\\Rock");
  EXPECT_EQ(changes, 2);
  tree.OpenEntry(0);
  EXPECT_EQ(tree.Folder(), "c:\\");
  EXPECT_EQ(tree.Entries().size(), 2u);
  EXPECT_EQ(tree.currentIndex().row(), 0);
  tree.SetFolder("");
  tree.OpenEntry(0);  // The root is now the current folder: nothing changes.
  tree.OpenEntry(99);
  EXPECT_EQ(changes, 3);
}

TEST_F(FolderControlsTest, TreeOpensEntriesWithEnterAndDoubleClick) {
  TDirectoryListBox tree;
  tree.resize(200, 200);
  tree.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
  EXPECT_EQ(tree.visualRect(tree.model()->index(1, 0)).height(), 16);  // rows are 16 px high
  tree.setFocus();
  QTest::keyClick(&tree, Qt::Key_Down);  // Highlight only.
  EXPECT_EQ(tree.Folder(), "c:\\music");
  QTest::keyClick(&tree, Qt::Key_Return);
  EXPECT_EQ(tree.Folder(), "c:\\music\\jazz");
  const QPoint root = tree.visualRect(tree.model()->index(0, 0)).center();
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, root);
  EXPECT_EQ(tree.Folder(), "c:\\music\\jazz");
  QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, root);
  EXPECT_EQ(tree.Folder(), "c:\\");
}

TEST_F(FolderControlsTest, TreeSwitchesDrivesThroughTheirCurrentFolders) {
  TDirectoryListBox tree;
  int changes = 0;
  tree.SetOnChange([&changes] { ++changes; });
  tree.SetDrive('C');
  EXPECT_EQ(changes, 0);
  tree.SetDrive('z');
  EXPECT_EQ(tree.Folder(), fs::GetDriveCurrentDir('z'));
  EXPECT_EQ(changes, 1);
  tree.SetDrive('q');  // No such drive: the tree stays, and says so.
  EXPECT_EQ(tree.Drive(), 'z');
}

TEST_F(FolderControlsTest, DriveEntriesShowKindsAndLowerCaseLabels) {
  prefix_.WriteFile(".windows-label", "Music DISK\n");
  const auto entries = BuildDriveEntries(TTextCase::tcLowerCase);
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries[0].letter, 'c');
  EXPECT_EQ(entries[0].text, "c: [music disk]");
  EXPECT_NE(entries[0].icon, ListIcon::Network);
  EXPECT_EQ(entries.back().letter, 'z');
  EXPECT_EQ(BuildDriveEntries(TTextCase::tcUpperCase)[0].text, "C: [MUSIC DISK]");
}

TEST_F(FolderControlsTest, NetworkDrivesShowTheirRemoteName) {
  const std::string table = prefix_.ConnectShare('n', "music", "//Server/Music");
  ASSERT_FALSE(table.empty());
  fs::SetMountTablePath(table);
  const auto entries = BuildDriveEntries(TTextCase::tcLowerCase);
  fs::SetMountTablePath("");
  bool found = false;
  for (const auto& entry : entries) {
    if (entry.letter != 'n') continue;
    found = true;
    EXPECT_EQ(entry.text, "n: \\\\server\\music");
    EXPECT_EQ(entry.icon, ListIcon::Network);
  }
  EXPECT_TRUE(found);
}

TEST_F(FolderControlsTest, DriveChooserNotifiesOnceWhenShownAndOnEveryChange) {
  TDriveComboBox drives;
  int changes = 0;
  drives.SetOnChange([&changes] { ++changes; });
  EXPECT_EQ(drives.Drive(), 'c');
  drives.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&drives));
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(drives.currentText().startsWith("c:"));
  drives.SetDrive('C');
  EXPECT_EQ(changes, 1);
  drives.SetDrive('Z');
  EXPECT_EQ(drives.Drive(), 'z');
  EXPECT_TRUE(drives.currentText().startsWith("z:"));
  EXPECT_EQ(changes, 2);
  drives.SetDrive('q');  // A letter with no drive: stored, nothing selected.
  EXPECT_EQ(drives.Drive(), 'q');
  EXPECT_EQ(drives.currentIndex(), -1);
  EXPECT_EQ(changes, 3);
}

TEST_F(FolderControlsTest, TheUserChoosingAnEntrySetsItsDrive) {
  TDriveComboBox drives;
  drives.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&drives));
  std::string seen;
  drives.SetOnChange([&] { seen += drives.Drive(); });
  drives.setFocus();
  QTest::keyClick(&drives, Qt::Key_End);
  EXPECT_EQ(drives.Drive(), 'z');
  EXPECT_EQ(seen, "z");
  QTest::keyClick(&drives, Qt::Key_Home);
  EXPECT_EQ(seen, "zc");
}

TEST_F(FolderControlsTest, OnlyTheLeftButtonSelectsInTheThreeLists) {
  TFileListBox files;
  files.SelectPath("c:\\music\\*.mp3");
  int clicks = 0;
  files.SetOnClick([&] { ++clicks; });
  TDirectoryListBox tree;
  TDriveComboBox drives;
  for (QWidget* list : {static_cast<QWidget*>(&files), static_cast<QWidget*>(&tree),
                        static_cast<QWidget*>(&drives)}) {
    list->resize(200, 120);
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
  }
  const auto centre = [](QAbstractItemView& view, int row) {
    return view.visualRect(view.model()->index(row, 0)).center();
  };
  const int tree_current = tree.currentIndex().row();
  ASSERT_GT(tree_current, 0);
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    SCOPED_TRACE(button);
    QTest::mouseClick(files.viewport(), button, {}, centre(files, 0));
    QTest::mouseDClick(files.viewport(), button, {}, centre(files, 0));
    EXPECT_EQ(files.ItemIndex(), -1);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(tree.viewport(), button, {}, centre(tree, 0));
    QTest::mouseDClick(tree.viewport(), button, {}, centre(tree, 0));
    EXPECT_EQ(tree.currentIndex().row(), tree_current);
    EXPECT_EQ(tree.Folder(), "c:\\music");

    drives.showPopup();
    QAbstractItemView* popup = drives.view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup->window()));
    const int other = drives.currentIndex() == 0 ? drives.count() - 1 : 0;
    QTest::mouseMove(popup->viewport(), centre(*popup, other));
    QTest::mouseClick(popup->viewport(), button, {}, centre(*popup, other));
    EXPECT_EQ(drives.Drive(), 'c');
    drives.hidePopup();
  }
  QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, centre(files, 0));
  EXPECT_EQ(files.ItemIndex(), 0);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace qrv
