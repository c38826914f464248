#include "runtime/fs/drive_map.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "temp_prefix.h"

namespace qrv::fs {
namespace {

// Makes dosdevices/<letter>: point at a host folder.
void LinkDrive(const test::TempPrefix& prefix, char letter, const std::string& target) {
  QDir().mkpath(QString::fromStdString(prefix.Root() + "/dosdevices"));
  ASSERT_TRUE(QFile::link(QString::fromStdString(target),
                          QString::fromStdString(prefix.Root() + "/dosdevices/" + letter + ":")));
}

// The drive table's clock, moved on by hand.
std::chrono::steady_clock::time_point test_now{};
std::chrono::steady_clock::time_point TestNow() {
  return test_now;
}

// Lets a moment pass for the drive table without waiting for it.
struct TableClock {
  TableClock() { SetDriveTableClock(&TestNow); }
  ~TableClock() { SetDriveTableClock(nullptr); }
  void Pass(std::chrono::milliseconds moment) { test_now += moment; }
};

std::string Real(const std::string& host) {
  return QFileInfo(QString::fromStdString(host)).canonicalFilePath().toStdString();
}

TEST(DriveTable, ListsDriveCTableLinksAndZInLetterOrder) {
  test::TempPrefix prefix;
  prefix.MakeDir("elsewhere/music");
  LinkDrive(prefix, 'd', prefix.DriveC() + "/elsewhere/music");
  LinkDrive(prefix, 'e', prefix.Root() + "/does-not-exist");  // A dangling link is no drive.

  const auto drives = Drives();
  ASSERT_EQ(drives.size(), 3u);
  EXPECT_EQ(drives[0].letter, 'c');
  EXPECT_EQ(drives[0].host_root, Real(prefix.DriveC()));
  EXPECT_EQ(drives[1].letter, 'd');
  EXPECT_EQ(drives[1].host_root, Real(prefix.DriveC() + "/elsewhere/music"));
  EXPECT_EQ(drives[2].letter, 'z');
  EXPECT_EQ(drives[2].host_root, "/");
  EXPECT_EQ(DriveHostRoot('D'), drives[1].host_root);
  EXPECT_FALSE(DriveHostRoot('e'));
  EXPECT_FALSE(DriveHostRoot('q'));
  EXPECT_FALSE(DriveHostRoot('1'));
}

TEST(DriveTable, LinksAddedOrRemovedWhileRunningAreSeenAtOnce) {
  test::TempPrefix prefix;
  prefix.MakeDir("one");
  prefix.MakeDir("two");
  LinkDrive(prefix, 'f', prefix.DriveC() + "/one");
  ASSERT_EQ(Drives().size(), 3u);
  LinkDrive(prefix, 'g', prefix.DriveC() + "/two");
  EXPECT_EQ(DriveHostRoot('g'), Real(prefix.DriveC() + "/two"));
  ASSERT_TRUE(QFile::remove(QString::fromStdString(prefix.Root() + "/dosdevices/f:")));
  EXPECT_FALSE(DriveHostRoot('f'));
  EXPECT_EQ(Drives().size(), 3u);
}

// Dates a folder back, as a folder left alone for a while is.
void AgeFolder(const std::string& host, int seconds_ago) {
  struct timespec times[2];
  ::clock_gettime(CLOCK_REALTIME, &times[0]);
  times[0].tv_sec -= seconds_ago;
  times[1] = times[0];
  ASSERT_EQ(::utimensat(AT_FDCWD, host.c_str(), times, 0), 0);
}

void AgeTable(const test::TempPrefix& prefix, int seconds_ago) {
  AgeFolder(prefix.Root() + "/dosdevices", seconds_ago);
}

TEST(DriveTable, ASettledTableSeesALinkMadeLaterWithinAMoment) {
  TableClock clock;
  test::TempPrefix prefix;
  prefix.MakeDir("one");
  prefix.MakeDir("two");
  LinkDrive(prefix, 'f', prefix.DriveC() + "/one");
  AgeTable(prefix, 60);
  ASSERT_EQ(Drives().size(), 3u);
  LinkDrive(prefix, 'g', prefix.DriveC() + "/two");
  AgeTable(prefix, 30);
  clock.Pass(std::chrono::milliseconds(400));
  EXPECT_EQ(DriveHostRoot('g'), Real(prefix.DriveC() + "/two"));
  EXPECT_EQ(Drives().size(), 4u);
}

TEST(DriveTable, ASettledTableWithoutLinksSeesTheFirstLinkWithinAMoment) {
  TableClock clock;
  test::TempPrefix prefix;
  prefix.MakeDir("one");
  AgeFolder(prefix.Root(), 60);
  ASSERT_EQ(Drives().size(), 2u);
  LinkDrive(prefix, 'f', prefix.DriveC() + "/one");
  AgeFolder(prefix.Root(), 30);
  AgeTable(prefix, 30);
  clock.Pass(std::chrono::milliseconds(400));
  EXPECT_EQ(DriveHostRoot('f'), Real(prefix.DriveC() + "/one"));
  EXPECT_EQ(Drives().size(), 3u);
}

TEST(DriveTable, TableEntryForZReplacesTheHostRoot) {
  test::TempPrefix prefix;
  prefix.MakeDir("zroot");
  LinkDrive(prefix, 'z', prefix.DriveC() + "/zroot");
  EXPECT_EQ(DriveHostRoot('z'), Real(prefix.DriveC() + "/zroot"));
  EXPECT_FALSE(FromHostPath("/usr"));  // No drive holds it any more.
}

TEST(HostMapping, LooksUpNamesExactlyFirstThenIgnoringCase) {
  test::TempPrefix prefix;
  prefix.WriteFile("Music/Song.MP3", "a");
  prefix.WriteFile("Music/Abc", "upper");
  prefix.WriteFile("Music/abc", "lower");
  prefix.WriteFile("Music/\xC3\x84rger.mp3", "umlaut");  // "Ärger.mp3"
  const std::string music = Real(prefix.DriveC()) + "/Music";

  EXPECT_EQ(ToHostPath("C:\\MUSIC\\song.mp3"), music + "/Song.MP3");
  EXPECT_EQ(ToHostPath("c:\\music\\abc"), music + "/abc");
  EXPECT_EQ(ToHostPath("c:\\music\\Abc"), music + "/Abc");
  // Neither spelling is exact: the lowest in byte order is the one found, every time.
  EXPECT_EQ(ToHostPath("c:\\music\\ABC"), music + "/Abc");
  EXPECT_EQ(ToHostPath("c:\\music\\\xC3\xA4RGER.MP3"), music + "/\xC3\x84rger.mp3");
  // Missing names are kept as written, so that files can be created under them.
  EXPECT_EQ(ToHostPath("c:\\Music\\New\\Name.txt"), music + "/New/Name.txt");
  EXPECT_EQ(ToHostPath("z:\\"), "/");
}

TEST(HostMapping, NeverClimbsAboveADriveRoot) {
  test::TempPrefix prefix;
  prefix.WriteFile("top.txt", "x");
  const std::string c = Real(prefix.DriveC());
  EXPECT_EQ(ToHostPath("c:\\..\\..\\top.txt"), c + "/top.txt");
  EXPECT_EQ(ToHostPath("c:\\a\\..\\..\\..\\"), c);
  EXPECT_EQ(ExpandFileName("c:\\.."), "c:\\");
  EXPECT_TRUE(FileExists("c:\\..\\top.txt"));
  EXPECT_FALSE(FileExists("c:\\..\\drive_c\\top.txt"));
}

TEST(HostMapping, NamesNoWindowsPathCanSpellAreNeverAliased) {
  test::TempPrefix prefix;
  prefix.WriteFile("a\\b.mp3", "backslash");
  prefix.WriteFile("bad\xFF.mp3", "odd byte");
  prefix.WriteFile("BAD\xFF.MP3", "odd byte too");
  prefix.WriteFile("x:y.mp3", "colon");
  prefix.WriteFile("Q?.mp3", "wildcard");
  const std::string c = Real(prefix.DriveC());

  EXPECT_FALSE(FromHostPath(c + "/a\\b.mp3"));
  EXPECT_FALSE(FromHostPath(c + "/bad\xFF.mp3"));
  EXPECT_FALSE(FromHostPath(c + "/x:y.mp3"));
  EXPECT_FALSE(FromHostPath(c + "/Q?.mp3"));
  // "c:\a\b.mp3" is b.mp3 in folder a, not the file whose name holds a backslash.
  EXPECT_FALSE(FileExists("c:\\a\\b.mp3"));
  EXPECT_EQ(ToHostPath("c:\\a\\b.mp3"), c + "/a/b.mp3");
  // Paths that are no valid names at all map to nothing.
  EXPECT_FALSE(ToHostPath("c:\\bad\xFF.mp3"));
  EXPECT_FALSE(ToHostPath("c:\\x:y.mp3"));
  EXPECT_FALSE(ToHostPath("c:\\q?.mp3"));
  PathProblem problem = PathProblem::kNone;
  EXPECT_FALSE(ToHostPath("c:\\q*.mp3", problem));
  EXPECT_EQ(problem, PathProblem::kBadName);
  EXPECT_FALSE(ToHostPath("q:\\x", problem));
  EXPECT_EQ(problem, PathProblem::kNoDrive);
  // An overlong encoding of "/" must not pass as a name either.
  EXPECT_FALSE(IsExpressibleName("\xC0\xAF"));
  EXPECT_FALSE(IsExpressibleName("\xED\xA0\x80"));  // A lone surrogate.
  EXPECT_TRUE(IsExpressibleName("\xF0\x9F\x8E\xB5 tune \"live\".mp3"));
}

TEST(HostMapping, FromHostPathTakesTheLongestDriveRoot) {
  test::TempPrefix prefix;
  prefix.MakeDir("Music/Rock");
  LinkDrive(prefix, 'm', prefix.DriveC() + "/Music");
  const std::string c = Real(prefix.DriveC());

  EXPECT_EQ(FromHostPath(c), "c:\\");
  EXPECT_EQ(FromHostPath(c + "/Music"), "m:\\");
  EXPECT_EQ(FromHostPath(c + "/Music/Rock/../Rock/./"), "m:\\Rock");
  EXPECT_EQ(FromHostPath(c + "/Musical"), "c:\\Musical");  // Whole names only.
  EXPECT_EQ(FromHostPath("/usr/lib"), "z:\\usr\\lib");
  // The table's own spelling of a root (through its link) finds the drive as well.
  EXPECT_EQ(FromHostPath(prefix.Root() + "/dosdevices/m:/Rock"), "m:\\Rock");
}

TEST(ExpandFileName, NormalisesAgainstTheCurrentFolders) {
  test::TempPrefix prefix;
  prefix.MakeDir("Music/Jazz");
  ASSERT_TRUE(SetCurrentDir("c:\\music"));

  EXPECT_EQ(ExpandFileName(""), "");
  EXPECT_EQ(ExpandFileName("C:\\A\\.\\b\\..\\c\\"), "c:\\A\\c");
  EXPECT_EQ(ExpandFileName("c:/a//b"), "c:\\a\\b");
  EXPECT_EQ(ExpandFileName("c:"), "c:\\Music");
  EXPECT_EQ(ExpandFileName("C:jazz"), "c:\\Music\\jazz");
  EXPECT_EQ(ExpandFileName("jazz\\..\\..\\..\\x"), "c:\\x");
  EXPECT_EQ(ExpandFileName("\\other"), "c:\\other");
  EXPECT_EQ(ExpandFileName("d:"), "d:\\");  // Never entered: its root.
  EXPECT_EQ(ExpandFileName("d:x"), "d:\\x");
  EXPECT_EQ(ExpandFileName("\\\\server\\share\\a\\..\\..\\b"), "\\\\server\\share\\b");
  EXPECT_FALSE(ToHostPath("\\\\server\\share\\b"));
}

TEST(CurrentFolder, EachDriveKeepsItsOwnAndFailuresChangeNothing) {
  test::TempPrefix prefix;
  prefix.MakeDir("Music/Jazz");
  prefix.MakeDir("other/deep");
  prefix.WriteFile("Music/file.mp3", "x");
  LinkDrive(prefix, 'd', prefix.DriveC() + "/other");

  ASSERT_TRUE(SetCurrentDir("C:\\MUSIC"));
  EXPECT_EQ(GetCurrentDir(), "c:\\Music");  // The names as they are on disk.
  ASSERT_TRUE(SetCurrentDir("jazz"));
  EXPECT_EQ(GetCurrentDir(), "c:\\Music\\Jazz");
  EXPECT_EQ(GetDriveCurrentDir('d'), "d:\\");
  ASSERT_TRUE(SetCurrentDir("d:\\deep"));
  EXPECT_EQ(GetCurrentDir(), "d:\\deep");
  EXPECT_EQ(GetDriveCurrentDir('C'), "c:\\Music\\Jazz");
  ASSERT_TRUE(SetCurrentDir("c:"));
  EXPECT_EQ(GetCurrentDir(), "c:\\Music\\Jazz");

  EXPECT_FALSE(SetCurrentDir("c:\\missing"));
  EXPECT_FALSE(SetCurrentDir("c:\\Music\\file.mp3"));
  EXPECT_FALSE(SetCurrentDir("q:\\"));
  EXPECT_FALSE(SetCurrentDir(""));
  EXPECT_EQ(GetCurrentDir(), "c:\\Music\\Jazz");
  EXPECT_EQ(GetDriveCurrentDir('d'), "d:\\deep");

  ASSERT_TRUE(SetCurrentDir("c:\\..\\.."));
  EXPECT_EQ(GetCurrentDir(), "c:\\");
}

TEST(CurrentFolder, StartsAsTheHostWorkingDirectory) {
  test::TempPrefix prefix;
  prefix.MakeDir("Start Here");
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(prefix.DriveC() + "/Start Here")));
  ResetState();
  const std::string start = GetCurrentDir();
  const std::string drive_c = GetDriveCurrentDir('c');
  QDir::setCurrent(previous);
  EXPECT_EQ(start, "c:\\Start Here");
  EXPECT_EQ(drive_c, "c:\\Start Here");
}

}  // namespace
}  // namespace qrv::fs
