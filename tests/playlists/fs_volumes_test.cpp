#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "runtime/fs/drive_map.h"
#include "runtime/fs/volumes.h"
#include "temp_prefix.h"

namespace qrv::fs {
namespace {

TEST(MountTableTest, ParsesFieldsAndUndoesEscapes) {
  const auto mounts = ParseMountTable(
      "/dev/sda1 / ext4 rw 0 0\n"
      "//srv/my\\040music /mnt/my\\040music cifs rw 0 0\n"
      "garbage\n"
      "tmpfs /tmp tmpfs rw 0 0\n");
  ASSERT_EQ(mounts.size(), 3u);
  EXPECT_EQ(mounts[1].source, "//srv/my music");
  EXPECT_EQ(mounts[1].mount_point, "/mnt/my music");
  EXPECT_EQ(mounts[1].fs_type, "cifs");
}

TEST(MountTableTest, TheLongestMountPointHoldingThePathWins) {
  const auto mounts = ParseMountTable(
      "/dev/sda1 / ext4 rw 0 0\n"
      "tmpfs /tmp tmpfs rw 0 0\n"
      "/dev/sr0 /tmp/cd iso9660 ro 0 0\n");
  EXPECT_EQ(MountFor(mounts, "/tmp/cd/track")->fs_type, "iso9660");
  EXPECT_EQ(MountFor(mounts, "/tmp/cdx")->fs_type, "tmpfs");
  EXPECT_EQ(MountFor(mounts, "/home")->fs_type, "ext4");
}

TEST(MountTableTest, KindsFollowFileSystemAndPlace) {
  EXPECT_EQ(KindOfMount({"//s/x", "/mnt/x", "cifs"}), DriveKind::Network);
  EXPECT_EQ(KindOfMount({"s:/x", "/mnt/x", "nfs4"}), DriveKind::Network);
  EXPECT_EQ(KindOfMount({"/dev/sr0", "/mnt/cd", "iso9660"}), DriveKind::CdRom);
  EXPECT_EQ(KindOfMount({"tmpfs", "/run", "tmpfs"}), DriveKind::RamDisk);
  EXPECT_EQ(KindOfMount({"/dev/sdz1", "/media/stick", "vfat"}), DriveKind::Removable);
  EXPECT_EQ(KindOfMount({"overlay", "/", "overlay"}), DriveKind::Fixed);
}

TEST(MountTableTest, RemoteNamesAreWrittenAsShares) {
  EXPECT_EQ(RemoteNameOfSource("//server/music"), "\\\\server\\music");
  EXPECT_EQ(RemoteNameOfSource("server:/export/music/"), "\\\\server\\export\\music");
  EXPECT_EQ(RemoteNameOfSource("me@host:/home/me"), "\\\\host\\home\\me");
  EXPECT_EQ(RemoteNameOfSource("//server"), "\\\\server");
  EXPECT_EQ(RemoteNameOfSource("/dev/sda1"), "");
}

class DriveVolumeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetState();
    QDir(prefix_.Root().c_str()).mkpath("dosdevices");
    QDir().mkpath(share_.path() + "/music");
    char resolved[PATH_MAX];
    ASSERT_TRUE(::realpath(share_.path().toLocal8Bit().constData(), resolved));
    share_root_ = resolved;
    ASSERT_EQ(::symlink(share_root_.c_str(), (prefix_.Root() + "/dosdevices/n:").c_str()), 0);
    table_ = prefix_.Root() + "/mounts";
    QFile file(QString::fromStdString(table_));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        ("/dev/sda1 / ext4 rw 0 0\n//fileserver/Tunes " + share_root_ + " cifs rw 0 0\n").c_str());
    file.close();
    SetMountTablePath(table_);
  }
  void TearDown() override {
    SetMountTablePath("");
    ResetState();
  }

  test::TempPrefix prefix_;
  QTemporaryDir share_;
  std::string share_root_;
  std::string table_;
};

TEST_F(DriveVolumeTest, NetworkDrivesGiveTheirRemoteNameAndNoLabel) {
  QFile label(QString::fromStdString(share_root_ + "/.windows-label"));
  ASSERT_TRUE(label.open(QIODevice::WriteOnly));
  label.write("SHARE");
  label.close();
  EXPECT_EQ(GetDriveKind('n'), DriveKind::Network);
  EXPECT_EQ(RemoteName('N'), "\\\\fileserver\\Tunes");
  EXPECT_EQ(VolumeLabel('n'), "");
}

TEST_F(DriveVolumeTest, LabelsAreTheFirstLineOfTheLabelFile) {
  EXPECT_EQ(GetDriveKind('c'), DriveKind::Fixed);
  EXPECT_EQ(VolumeLabel('c'), "");
  prefix_.WriteFile(".windows-label", "System Disk\r\nsecond line\n");
  EXPECT_EQ(VolumeLabel('c'), "System Disk");
  EXPECT_FALSE(RemoteName('c'));
  prefix_.WriteFile(".windows-label", std::string(40, 'x') + "\n");
  EXPECT_EQ(VolumeLabel('c').size(), 32u);
}

TEST_F(DriveVolumeTest, LettersWithoutADriveHaveNoKind) {
  EXPECT_EQ(GetDriveKind('q'), DriveKind::NoDrive);
  EXPECT_EQ(VolumeLabel('q'), "");
  EXPECT_FALSE(RemoteName('q'));
  ASSERT_EQ(::symlink("/nonexistent/drive", (prefix_.Root() + "/dosdevices/m:").c_str()), 0);
  EXPECT_EQ(GetDriveKind('m'), DriveKind::NoDrive);
}

}  // namespace
}  // namespace qrv::fs
