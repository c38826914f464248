#include "playlists/path_analysis.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QCursor>
#include <QDir>

#include "playlists/busy_cursor.h"
#include "runtime/fs/drive_map.h"
#include "runtime/fs/volumes.h"
#include "temp_prefix.h"

namespace qrv {
namespace {

class PathAnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::ResetState();
    prefix_.WriteFile("music/song.mp3", "x");
    prefix_.MakeDir("music/rock");
    ASSERT_TRUE(fs::SetCurrentDir("c:\\music"));
  }
  void TearDown() override { fs::ResetState(); }
  test::TempPrefix prefix_;
};

TEST_F(PathAnalysisTest, AFolderPathIsAllFolder) {
  const PathParts parts = AnalysePath("c:\\music\\rock");
  EXPECT_EQ(parts.drive, 'c');
  EXPECT_EQ(parts.folder, "\\music\\rock");
  EXPECT_EQ(parts.file, "");
  EXPECT_EQ(parts.FolderPath(), "c:\\music\\rock");
  EXPECT_EQ(AnalysePath("C:\\").FolderPath(), "c:\\");
  EXPECT_EQ(AnalysePath("c:\\music\\").FolderPath(), "c:\\music");
}

TEST_F(PathAnalysisTest, AnExistingFileOrAPatternIsTheFilePart) {
  PathParts parts = AnalysePath("c:\\music\\SONG.MP3");
  EXPECT_EQ(parts.FolderPath(), "c:\\music");
  EXPECT_EQ(parts.file, "SONG.MP3");
  parts = AnalysePath("c:\\pics\\*.bmp");
  EXPECT_EQ(parts.FolderPath(), "c:\\pics");
  EXPECT_EQ(parts.file, "*.bmp");
  parts = AnalysePath("\\song.mp3");
  EXPECT_EQ(parts.FolderPath(), "c:\\song.mp3");  // Not a file in the root: taken as a folder.
}

TEST_F(PathAnalysisTest, NoSeparatorMeansTheDrivesCurrentFolder) {
  PathParts parts = AnalysePath("c:");
  EXPECT_EQ(parts.FolderPath(), "c:\\music");
  parts = AnalysePath("song.mp3");
  EXPECT_EQ(parts.FolderPath(), "c:\\music");
  EXPECT_EQ(parts.file, "song.mp3");
  parts = AnalysePath("rock");
  EXPECT_EQ(parts.FolderPath(), "c:\\music\\rock");
  EXPECT_EQ(AnalysePath("z:").FolderPath(), fs::GetDriveCurrentDir('z'));
}

TEST_F(PathAnalysisTest, BracketsNameAFolderOnTheCurrentDrive) {
  const PathParts parts = AnalysePath("[rock]");
  EXPECT_EQ(parts.drive, 'c');
  EXPECT_EQ(parts.folder, "rock");
  EXPECT_EQ(parts.file, "");
}

TEST_F(PathAnalysisTest, AShareWithNoDriveStaysAtTheFront) {
  const PathParts parts = AnalysePath("\\\\server\\share\\dir\\x.mp3");
  EXPECT_EQ(parts.drive, 0);
  EXPECT_EQ(parts.FolderPath(), "\\\\server\\share\\dir\\x.mp3");
  EXPECT_EQ(AnalysePath("\\\\server\\share").FolderPath(), "\\\\server\\share");
}

TEST_F(PathAnalysisTest, AShareThatADriveIsConnectedToIsReadAsThatDrive) {
  const std::string table = prefix_.ConnectShare('n', "music", "//server/tunes");
  ASSERT_FALSE(table.empty());
  fs::SetMountTablePath(table);
  const PathParts parts = AnalysePath("\\\\SERVER\\Tunes\\rock");
  fs::SetMountTablePath("");
  EXPECT_EQ(parts.drive, 'n');
  EXPECT_EQ(parts.FolderPath(), "n:\\rock");
}

TEST(BusyCursorTest, ShowsTheHourglassOnlyFromStartUntilItGoes) {
  {
    BusyCursor busy;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    busy.Start();
    busy.Start();  // A second start stacks nothing.
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace qrv
