#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "runtime/exceptions.h"
#include "runtime/fs/file_stream.h"
#include "tag_bytes.h"
#include "tags/mp3_tag.h"
#include "temp_prefix.h"

namespace qrv {
namespace {

using test::Field;
using test::Padded;
using test::SpacedTagBlock;

std::string Audio(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 + 1);
  return s;
}

std::string TagWith(const std::string& title, uint8_t track, uint8_t genre) {
  auto b = SpacedTagBlock();
  b.Put(3, title).Byte(125, track ? 0 : ' ').Byte(126, track ? track : ' ').Byte(127, genre);
  return b.bytes;
}

TEST(Tmp3TagFile, ExactlyOneBlockIsATagButOneByteLessIsNot) {
  test::TempPrefix prefix;
  prefix.WriteFile("full.mp3", TagWith("Whole", 0, 12));
  prefix.WriteFile("short.mp3", Audio(127));
  Tmp3Tag tag;
  tag.ReadFromFile("c:\\full.mp3");
  EXPECT_TRUE(tag.TagPresent());
  EXPECT_EQ(tag.Title(), "Whole");
  EXPECT_EQ(tag.Genre(), "Other");

  tag.ReadFromFile("c:\\SHORT.MP3");
  EXPECT_FALSE(tag.TagPresent());
  EXPECT_EQ(tag.Title(), "");

  tag.SetTitle("New");
  tag.WriteToFile("c:\\short.mp3");
  const std::string disk = prefix.ReadFile("short.mp3");
  ASSERT_EQ(disk.size(), 255u);
  EXPECT_EQ(disk.substr(0, 127), Audio(127));
  EXPECT_EQ(disk.substr(127, 3), "TAG");
  EXPECT_EQ(Field(disk, 130, 30), Padded("New", 30));
  EXPECT_FALSE(tag.TagModified());
}

TEST(Tmp3TagFile, OnlyAnUpperCaseMarkerIsOverwrittenInPlace) {
  test::TempPrefix prefix;
  std::string lower = TagWith("low", 0, 1);
  lower.replace(0, 3, "tag");
  prefix.WriteFile("lower.mp3", Audio(300) + lower);
  prefix.WriteFile("upper.mp3", Audio(300) + TagWith("old title", 3, 1));

  Tmp3Tag tag;
  tag.ReadFromFile("c:\\lower.mp3");
  EXPECT_FALSE(tag.TagPresent());
  tag.SetTitle("fresh");
  tag.WriteToFile("c:\\lower.mp3");
  std::string disk = prefix.ReadFile("lower.mp3");
  ASSERT_EQ(disk.size(), 300u + 256u);
  EXPECT_EQ(disk.substr(0, 428), Audio(300) + lower);
  EXPECT_EQ(Field(disk, 428 + 3, 30), Padded("fresh", 30));

  tag.ReadFromFile("c:\\upper.mp3");
  ASSERT_EQ(tag.Title(), "old title");
  tag.SetTitle("new title");
  tag.WriteToFile("c:\\upper.mp3");
  disk = prefix.ReadFile("upper.mp3");
  ASSERT_EQ(disk.size(), 428u);
  EXPECT_EQ(disk.substr(0, 300), Audio(300));
  EXPECT_EQ(disk.substr(300), TagWith("new title", 3, 1));
}

TEST(Tmp3TagFile, ATaglessReadClearsTrackAndGenreSoSaveWritesNoneOfThePreviousFile) {
  test::TempPrefix prefix;
  prefix.WriteFile("five.mp3", Audio(500) + TagWith("Five", 5, 17));
  prefix.WriteFile("plain.mp3", Audio(500));
  Tmp3Tag tag;
  tag.ReadFromFile("c:\\five.mp3");
  ASSERT_EQ(tag.Track(), 5);
  tag.ReadFromFile("c:\\plain.mp3");
  EXPECT_FALSE(tag.TagPresent());
  EXPECT_EQ(tag.Track(), 0);
  EXPECT_TRUE(tag.v1Tag());
  EXPECT_EQ(tag.GenreID(), 255);
  EXPECT_EQ(tag.Genre(), "");
  EXPECT_FALSE(tag.TagModified());

  tag.WriteToFile("c:\\plain.mp3");
  const std::string disk = prefix.ReadFile("plain.mp3");
  ASSERT_EQ(disk.size(), 628u);
  EXPECT_EQ(disk.substr(0, 500), Audio(500));
  EXPECT_EQ(disk.substr(500), TagWith("", 0, 255));
}

TEST(Tmp3TagFile, MissingOrVanishedFilesFailWithoutChangesOrNewFiles) {
  test::TempPrefix prefix;
  const std::string host = prefix.WriteFile("gone.mp3", Audio(200) + TagWith("Here", 2, 8));
  Tmp3Tag tag;
  tag.ReadFromFile("c:\\gone.mp3");
  tag.SetArtist("Someone");
  std::filesystem::remove(host);

  try {
    tag.ReadFromFile("c:\\gone.mp3");
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file c:\\gone.mp3");
  }
  EXPECT_EQ(tag.Title(), "Here");
  EXPECT_EQ(tag.Artist(), "Someone");
  EXPECT_EQ(tag.GenreID(), 8);
  EXPECT_TRUE(tag.TagModified());

  EXPECT_THROW(tag.WriteToFile("c:\\gone.mp3"), EFOpenError);
  EXPECT_FALSE(std::filesystem::exists(host));
  EXPECT_TRUE(tag.TagModified());
  EXPECT_THROW(tag.ReadFromFile("c:\\"), EFOpenError);
  EXPECT_THROW(tag.WriteToFile("no drive"), EFOpenError);
}

TEST(Tmp3TagFile, ReadOnlyFilesAreReadButNotWritten) {
  test::TempPrefix prefix;
  const std::string bytes = Audio(200) + TagWith("Locked", 1, 2);
  const std::string host = prefix.WriteFile("ro.mp3", bytes);
  namespace stdfs = std::filesystem;
  stdfs::permissions(
      host, stdfs::perms::owner_read | stdfs::perms::group_read | stdfs::perms::others_read);

  Tmp3Tag tag;
  tag.ReadFromFile("c:\\ro.mp3");
  EXPECT_EQ(tag.Title(), "Locked");
  tag.SetTitle("Changed");

  std::string path = "c:\\ro.mp3";
  if (std::ofstream(host, std::ios::in | std::ios::out).is_open()) {
    // Permissions do not bind the superuser; a sysfs file without a writer refuses anyone.
    path = "z:\\sys\\devices\\system\\cpu\\online";
    if (!stdfs::exists("/sys/devices/system/cpu/online")) {
      GTEST_SKIP() << "no file here refuses writing to this user";
    }
  }
  try {
    tag.WriteToFile(path);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + path);
  }
  EXPECT_EQ(prefix.ReadFile("ro.mp3"), bytes);
  EXPECT_EQ(tag.Title(), "Changed");
  EXPECT_TRUE(tag.TagModified());
}

TEST(Tmp3TagFile, StreamRegionsAndShortReads) {
  test::TempPrefix prefix;
  const std::string first = Audio(50) + TagWith("First", 0, 3);
  const std::string second = Audio(70) + TagWith("Second", 0, 4);
  prefix.WriteFile("two.bin", first + second);

  Tmp3Tag tag;
  FileStream stream("c:\\two.bin", FileMode::OpenRead);
  tag.ReadFromStream(stream, static_cast<int64_t>(first.size()));
  EXPECT_EQ(tag.Title(), "First");
  stream.Seek(static_cast<int64_t>(first.size()), SeekOrigin::Begin);
  tag.ReadFromStream(stream, static_cast<int64_t>(second.size()));
  EXPECT_EQ(tag.Title(), "Second");
  EXPECT_EQ(tag.GenreID(), 4);

  // A region that claims more than the file holds cannot supply its last 128 bytes.
  stream.Seek(0, SeekOrigin::Begin);
  try {
    tag.ReadFromStream(stream, 10000);
    FAIL() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  EXPECT_EQ(tag.Title(), "");
  EXPECT_EQ(tag.Genre(), "");
  EXPECT_EQ(tag.GenreID(), 255);

  tag.ReadFromStream(stream, 127);
  EXPECT_FALSE(tag.TagPresent());
  tag.ReadFromStream(stream, -5);
  EXPECT_FALSE(tag.TagPresent());
}

TEST(Tmp3TagFile, FailedWritesLeaveChangesPending) {
  test::TempPrefix prefix;
  const std::string bytes = Audio(10);
  prefix.WriteFile("a.mp3", bytes);
  Tmp3Tag tag;
  tag.SetTitle("pending");
  {
    FileStream read_only("c:\\a.mp3", FileMode::OpenRead);
    try {
      tag.WriteToStream(read_only);
      FAIL() << "no exception";
    } catch (const EWriteError& e) {
      EXPECT_EQ(e.Message(), "Stream write error");
    }
  }
  EXPECT_TRUE(tag.TagModified());
  EXPECT_EQ(prefix.ReadFile("a.mp3"), bytes);

  // A device is no audio file: it is refused before anything is written.
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_THROW(tag.WriteToFile("z:\\dev\\full"), EFOpenError);
    EXPECT_TRUE(tag.TagModified());
  }

  FileStream writable("c:\\a.mp3", FileMode::OpenReadWrite);
  writable.Seek(4, SeekOrigin::Begin);
  tag.WriteToStream(writable);
  EXPECT_FALSE(tag.TagModified());
  const std::string disk = prefix.ReadFile("a.mp3");
  ASSERT_EQ(disk.size(), 132u);
  EXPECT_EQ(disk.substr(0, 4), bytes.substr(0, 4));
  EXPECT_EQ(disk.substr(4, 3), "TAG");
}

TEST(Tmp3TagFile, ReadingDoesNotMindOtherOpenHandles) {
  test::TempPrefix prefix;
  prefix.WriteFile("shared.mp3", Audio(10) + TagWith("Shared", 0, 0));
  FileStream other("c:\\shared.mp3", FileMode::OpenReadWrite, ShareMode::DenyNone);
  Tmp3Tag tag;
  tag.ReadFromFile("c:\\shared.mp3");
  EXPECT_EQ(tag.Title(), "Shared");
  tag.SetTitle("Both");
  tag.WriteToFile("c:\\shared.mp3");
  char marker[4] = {};
  other.Seek(10 + 3, SeekOrigin::Begin);
  other.ReadBuffer(marker, 4);
  EXPECT_EQ(std::string(marker, 4), "Both");
}

// A file size limit cuts the write short at a chosen byte, as a disk that fills up does; the
// signal such a limit raises is ignored so that the write only fails.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previous_handler_)(int) = SIG_DFL;
};

TEST(Tmp3TagFile, AWriteCutShortLeavesTheFileAsItWas) {
  struct Case {
    const char* what;
    std::string bytes;
    int64_t room;  // bytes that can still be written past the start of the block
  };
  const std::string with_tag = Audio(300) + TagWith("Old title", 3, 12);
  const std::vector<Case> cases = {
      {"appended block, 50 bytes fit", Audio(1000), 50},
      {"appended block, nothing fits", Audio(1000), 0},
      {"appended block, all but one byte fit", Audio(1000), 127},
      {"block in place, 50 bytes fit", with_tag, 50},
      {"block in place, nothing fits", with_tag, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempPrefix prefix;
    prefix.WriteFile("song.mp3", c.bytes);
    const bool has_tag = c.bytes.compare(c.bytes.size() - 128, 3, "TAG") == 0;
    const int64_t block_at = static_cast<int64_t>(c.bytes.size()) - (has_tag ? 128 : 0);
    Tmp3Tag tag;
    tag.SetTitle("New title that is rather long");
    tag.SetTrack(9);
    {
      FileSizeLimit limit(static_cast<rlim_t>(block_at + c.room));
      try {
        tag.WriteToFile("c:\\song.mp3");
        ADD_FAILURE() << "no exception";
      } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message(), "Stream write error");
      }
    }
    EXPECT_EQ(prefix.ReadFile("song.mp3"), c.bytes);
    EXPECT_TRUE(tag.TagModified());
  }
}

}  // namespace
}  // namespace qrv
