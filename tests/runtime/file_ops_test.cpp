#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "runtime/exceptions.h"
#include "runtime/fs/drive_map.h"
#include "temp_prefix.h"

namespace qrv::fs {
namespace {

// True when a failed write left a temporary file behind in the folder.
bool HasStrayTemporary(const test::TempPrefix& prefix, const std::string& folder) {
  for (const auto& name : prefix.List(folder)) {
    if (name.rfind(".qrv-", 0) == 0) return true;
  }
  return false;
}

TEST(FileOps, ExistenceTellsFilesFromFolders) {
  test::TempPrefix prefix;
  prefix.WriteFile("Data/Song.mp3", "x");
  EXPECT_TRUE(FileExists("c:\\data\\song.MP3"));
  EXPECT_FALSE(FileExists("c:\\data"));
  EXPECT_TRUE(DirectoryExists("C:\\DATA"));
  EXPECT_FALSE(DirectoryExists("c:\\data\\song.mp3"));
  EXPECT_FALSE(FileExists("c:\\data\\none.mp3"));
  EXPECT_FALSE(FileExists("q:\\data\\song.mp3"));
  EXPECT_TRUE(DirectoryExists("c:\\"));
}

TEST(FileOps, DeleteRemovesFilesOnly) {
  test::TempPrefix prefix;
  prefix.WriteFile("qrv30/start.bmp", "BM");
  prefix.MakeDir("qrv30/playlists");
  EXPECT_TRUE(DeleteFile("c:\\QRV30\\START.BMP"));
  EXPECT_FALSE(prefix.Exists("qrv30/start.bmp"));
  EXPECT_FALSE(DeleteFile("c:\\qrv30\\start.bmp"));
  EXPECT_FALSE(DeleteFile("c:\\qrv30\\playlists"));
  EXPECT_TRUE(prefix.Exists("qrv30/playlists"));
}

TEST(FileOps, CopyHonoursFailIfExistsAndReplacesInOneStep) {
  test::TempPrefix prefix;
  prefix.WriteFile("qrv30/backgrounds/standar.bmp", "standard");
  prefix.WriteFile("qrv30/backgrounds/dawn.bmp", "dawn");

  EXPECT_TRUE(CopyFile("c:\\qrv30\\backgrounds\\standar.bmp", "c:\\qrv30\\start.bmp", true));
  EXPECT_EQ(prefix.ReadFile("qrv30/start.bmp"), "standard");
  // The target exists: with fail_if_exists it is left alone.
  EXPECT_FALSE(CopyFile("c:\\qrv30\\backgrounds\\dawn.bmp", "c:\\qrv30\\start.bmp", true));
  EXPECT_EQ(prefix.ReadFile("qrv30/start.bmp"), "standard");
  EXPECT_TRUE(CopyFile("c:\\qrv30\\backgrounds\\dawn.bmp", "c:\\qrv30\\start.bmp", false));
  EXPECT_EQ(prefix.ReadFile("qrv30/start.bmp"), "dawn");
  // Copying a file onto itself keeps its bytes.
  EXPECT_TRUE(CopyFile("c:\\qrv30\\start.bmp", "c:\\QRV30\\Start.bmp", false));
  EXPECT_EQ(prefix.ReadFile("qrv30/start.bmp"), "dawn");
  EXPECT_FALSE(HasStrayTemporary(prefix, "qrv30"));
}

TEST(FileOps, FailedCopiesWriteNothing) {
  test::TempPrefix prefix;
  prefix.WriteFile("src.bin", std::string(200000, 'z'));
  prefix.WriteFile("plain", "a file, not a folder");
  prefix.MakeDir("folder");

  EXPECT_FALSE(CopyFile("c:\\missing.bin", "c:\\out.bin", false));
  EXPECT_FALSE(CopyFile("c:\\folder", "c:\\out.bin", false));
  EXPECT_FALSE(CopyFile("c:\\src.bin", "c:\\no\\such\\folder\\out.bin", false));
  EXPECT_FALSE(CopyFile("c:\\src.bin", "c:\\plain\\out.bin", false));
  EXPECT_FALSE(CopyFile("c:\\src.bin", "c:\\folder", false));
  EXPECT_FALSE(CopyFile("c:\\src.bin", "q:\\out.bin", false));
  EXPECT_FALSE(prefix.Exists("out.bin"));
  EXPECT_EQ(prefix.ReadFile("plain"), "a file, not a folder");
  EXPECT_FALSE(HasStrayTemporary(prefix, ""));
  EXPECT_FALSE(HasStrayTemporary(prefix, "folder"));
  // A large copy arrives whole.
  EXPECT_TRUE(CopyFile("c:\\src.bin", "c:\\folder\\copy.bin", true));
  EXPECT_EQ(prefix.ReadFile("folder/copy.bin"), std::string(200000, 'z'));
}

TEST(FileOps, AtomicWriteReplacesOrLeavesTheOldFile) {
  test::TempPrefix prefix;
  prefix.WriteFile("qrv30/last.lst", "a much longer old line\r\nsecond\r\n");
  WriteFileAtomic("c:\\qrv30\\LAST.LST", "new");
  EXPECT_EQ(prefix.ReadFile("qrv30/last.lst"), "new");

  prefix.MakeDir("qrv30/folder.lst");
  try {
    WriteFileAtomic("c:\\qrv30\\folder.lst", "x");
    FAIL() << "a folder cannot be replaced by a file";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file c:\\qrv30\\folder.lst");
  }
  EXPECT_THROW(WriteFileAtomic("c:\\gone\\last.lst", "x"), EFCreateError);
  EXPECT_THROW(WriteFileAtomic("c:\\qrv30\\last.lst\\x", "x"), EFCreateError);
  EXPECT_THROW(WriteFileAtomic("c:\\bad*name", "x"), EFCreateError);
  EXPECT_EQ(prefix.ReadFile("qrv30/last.lst"), "new");
  EXPECT_FALSE(prefix.Exists("gone"));
  EXPECT_FALSE(HasStrayTemporary(prefix, "qrv30"));
}

TEST(FileOps, AtomicWriteKeepsTheOldFileWhenItsFolderRefusesWrites) {
  test::TempPrefix prefix;
  prefix.WriteFile("locked/last.lst", "old\r\n");
  const QString folder = QString::fromStdString(prefix.DriveC() + "/locked");
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
  QFile probe(folder + "/probe");
  if (probe.open(QIODevice::WriteOnly)) {
    probe.remove();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    GTEST_SKIP() << "permissions do not bind this user";
  }
  EXPECT_THROW(WriteFileAtomic("c:\\locked\\last.lst", "new\r\n"), EFCreateError);
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(prefix.ReadFile("locked/last.lst"), "old\r\n");
}

TEST(FileOps, AtomicWriteGoesThroughASymbolicLink) {
  test::TempPrefix prefix;
  prefix.WriteFile("real/last.lst", "old");
  prefix.MakeDir("qrv30");
  ASSERT_TRUE(QFile::link(QString::fromStdString(prefix.DriveC() + "/real/last.lst"),
                          QString::fromStdString(prefix.DriveC() + "/qrv30/last.lst")));
  WriteFileAtomic("c:\\qrv30\\last.lst", "new");
  EXPECT_EQ(prefix.ReadFile("real/last.lst"), "new");
  EXPECT_TRUE(QFileInfo(QString::fromStdString(prefix.DriveC() + "/qrv30/last.lst")).isSymLink());
}

TEST(FileOps, AtomicWriteRefusesAReadOnlyFileEvenForTheSuperuser) {
  test::TempPrefix prefix;
  const QString host = QString::fromStdString(prefix.WriteFile("qrv30/last.lst", "old\r\n"));
  // 0444: the folder lets a rename through, but the file says it must not change.
  QFile::setPermissions(host, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  try {
    WriteFileAtomic("c:\\qrv30\\last.lst", "new\r\n");
    FAIL() << "a read-only file must be refused";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file c:\\qrv30\\last.lst");
  }
  EXPECT_EQ(prefix.ReadFile("qrv30/last.lst"), "old\r\n");
  EXPECT_FALSE(HasStrayTemporary(prefix, "qrv30"));

  // A writable file keeps its own permissions when it is replaced.
  const auto kept = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
  QFile::setPermissions(host, kept);
  WriteFileAtomic("c:\\qrv30\\last.lst", "new\r\n");
  EXPECT_EQ(prefix.ReadFile("qrv30/last.lst"), "new\r\n");
  EXPECT_EQ(QFile::permissions(host) & ~(QFile::ReadUser | QFile::WriteUser),
            kept & ~(QFile::ReadUser | QFile::WriteUser));

  // Something that is not a plain file is never replaced.
  ASSERT_FALSE(prefix.MakeFifo("qrv30/fifo.lst").empty());
  EXPECT_THROW(WriteFileAtomic("c:\\qrv30\\fifo.lst", "x"), EFCreateError);
  EXPECT_TRUE(QFileInfo(QString::fromStdString(prefix.DriveC() + "/qrv30/fifo.lst")).exists());
}

TEST(FileOps, AtomicWriteThroughALinkToAFileNotMadeYetCreatesThatFile) {
  test::TempPrefix prefix;
  prefix.MakeDir("real");
  prefix.MakeDir("qrv30");
  ASSERT_TRUE(QFile::link(QStringLiteral("../real/last.lst"),
                          QString::fromStdString(prefix.DriveC() + "/qrv30/last.lst")));
  WriteFileAtomic("c:\\qrv30\\last.lst", "new");
  EXPECT_EQ(prefix.ReadFile("real/last.lst"), "new");
  EXPECT_TRUE(QFileInfo(QString::fromStdString(prefix.DriveC() + "/qrv30/last.lst")).isSymLink());
}

TEST(FileOps, CopyRefusesASourceThatIsNotAPlainFile) {
  test::TempPrefix prefix;
  ASSERT_FALSE(prefix.MakeFifo("qrv30/backgrounds/fifo.bmp").empty());
  EXPECT_FALSE(CopyFile("c:\\qrv30\\backgrounds\\fifo.bmp", "c:\\qrv30\\start.bmp", false));
  EXPECT_FALSE(prefix.Exists("qrv30/start.bmp"));
}

TEST(FileOps, CreateNewFileNeverOverwrites) {
  test::TempPrefix prefix;
  prefix.MakeDir("qrv30");
  EXPECT_TRUE(CreateNewFile("c:\\qrv30\\helppro.txt", "first"));
  EXPECT_FALSE(CreateNewFile("c:\\QRV30\\HELPPRO.TXT", "second"));
  EXPECT_EQ(prefix.ReadFile("qrv30/helppro.txt"), "first");
  EXPECT_FALSE(CreateNewFile("c:\\missing\\x.txt", "x"));
  EXPECT_FALSE(HasStrayTemporary(prefix, "qrv30"));
}

TEST(FileOps, ForceDirectoriesCreatesTheWholeChain) {
  test::TempPrefix prefix;
  prefix.WriteFile("file", "x");
  EXPECT_TRUE(ForceDirectories("c:\\qrv30\\playlists"));
  EXPECT_TRUE(DirectoryExists("c:\\qrv30\\playlists"));
  EXPECT_TRUE(ForceDirectories("C:\\QRV30"));
  EXPECT_FALSE(ForceDirectories("c:\\file\\sub"));
  EXPECT_EQ(prefix.ReadFile("file"), "x");
}

TEST(FileOps, HostErrorsMapToWindowsNumbers) {
  EXPECT_EQ(WindowsErrorFromErrno(ENOENT), 2);
  EXPECT_EQ(WindowsErrorFromErrno(ENOTDIR), 3);
  EXPECT_EQ(WindowsErrorFromErrno(EACCES), 5);
  EXPECT_EQ(WindowsErrorFromErrno(EISDIR), 5);
  EXPECT_EQ(WindowsErrorFromErrno(ENAMETOOLONG), 206);
  EXPECT_EQ(WindowsErrorFromErrno(ENOSPC), 112);
}

}  // namespace
}  // namespace qrv::fs
