#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "runtime/fs/directory.h"
#include "runtime/fs/drive_map.h"
#include "temp_prefix.h"

namespace qrv::fs {
namespace {

std::vector<std::string> Names(const std::vector<DirEntry>& entries) {
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  return names;
}

TEST(MatchesPatternTest, WildcardsFollowTheUsualMeaningIgnoringCase) {
  EXPECT_TRUE(MatchesPattern("song.mp3", "*.mp?"));
  EXPECT_TRUE(MatchesPattern("SONG.MP2", "*.mp?"));
  EXPECT_FALSE(MatchesPattern("song.mp", "*.mp?"));
  EXPECT_FALSE(MatchesPattern("song.mp34", "*.mp?"));
  EXPECT_TRUE(MatchesPattern("a.b.wav", "*.wav"));
  EXPECT_FALSE(MatchesPattern("a.wave", "*.wav"));
  EXPECT_TRUE(MatchesPattern("noext", "*.*"));
  EXPECT_TRUE(MatchesPattern("Readme.TXT", "readme.txt"));
  EXPECT_FALSE(MatchesPattern("anything", ""));
  EXPECT_TRUE(MatchesPattern("abc", "a*c"));
  EXPECT_FALSE(MatchesPattern("abcd", "a*c"));
}

TEST(MatchesPatternTest, ManyStarsStayQuick) {
  const std::string name(200, 'a');
  const std::string pattern = std::string(300, '*') + "b";
  EXPECT_FALSE(MatchesPattern(name, pattern));
  EXPECT_TRUE(MatchesPattern(name, std::string(300, '*')));
}

TEST(SplitMaskTest, PiecesAreKeptExactlyAsWritten) {
  EXPECT_EQ(SplitMask("*.mp?;*.wav;*.wave"),
            (std::vector<std::string>{"*.mp?", "*.wav", "*.wave"}));
  EXPECT_EQ(SplitMask("a; b;;"), (std::vector<std::string>{"a", " b", "", ""}));
  EXPECT_EQ(SplitMask(""), (std::vector<std::string>{""}));
}

TEST(NameLessTest, OrderIgnoresCaseAndIsTotal) {
  EXPECT_TRUE(NameLess("apple", "Banana"));
  EXPECT_TRUE(NameLess("B", "c"));
  EXPECT_FALSE(NameLess("b", "B") && NameLess("B", "b"));
  EXPECT_TRUE(NameLess("B", "b") || NameLess("b", "B"));
  EXPECT_TRUE(NameLess("ab", "ABC"));
}

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetState(); }
  void TearDown() override { ResetState(); }
  test::TempPrefix prefix_;
};

TEST_F(SearchTest, NormalFilesLeaveOutHiddenEntriesAndFolders) {
  prefix_.WriteFile("m/a.mp3", "x");
  prefix_.WriteFile("m/.hidden.mp3", "x");
  prefix_.MakeDir("m/sub.mp3");
  prefix_.MakeDir("m/.git");
  EXPECT_EQ(Names(FindEntries("c:\\m", "*.*", EntryFilter::NormalFiles)),
            (std::vector<std::string>{"a.mp3"}));
  EXPECT_EQ(Names(FindEntries("c:\\m", "*", EntryFilter::NormalFolders)),
            (std::vector<std::string>{"sub.mp3"}));
  EXPECT_EQ(FindEntries("c:\\m", "*.*").size(), 4u);
}

TEST_F(SearchTest, AttributesComeFromTheHostFile) {
  const std::string host = prefix_.WriteFile("m/ro.txt", "12345");
  ASSERT_EQ(::chmod(host.c_str(), 0444), 0);
  prefix_.WriteFile("m/rw.txt", "1");
  for (const auto& entry : FindEntries("c:\\m", "*.txt")) {
    EXPECT_EQ(entry.read_only, entry.name == "ro.txt") << entry.name;
    EXPECT_TRUE(entry.archive);
    EXPECT_FALSE(entry.is_directory);
    if (entry.name == "ro.txt") {
      EXPECT_EQ(entry.size, 5);
    }
  }
}

TEST_F(SearchTest, AnEntryMatchedByTwoPatternsIsHandedOutTwice) {
  prefix_.WriteFile("m/a.wav", "x");
  prefix_.WriteFile("m/b.mp3", "x");
  std::vector<std::string> seen;
  EXPECT_TRUE(SearchFolder("c:\\m", {"*.wav", "a.*", ""}, EntryFilter::NormalFiles,
                           EntryDetail::KindOnly,
                           [&seen](DirEntry&& e) { seen.push_back(e.name); }));
  EXPECT_EQ(seen, (std::vector<std::string>{"a.wav", "a.wav"}));
}

TEST_F(SearchTest, NamesAWindowsPathCannotSpellAreSkipped) {
  prefix_.WriteFile("m/back\\slash.mp3", "x");
  // Written with the raw bytes: Qt would turn them into replacement characters.
  const std::string raw = prefix_.DriveC() + "/m/bad\xff\xfe.mp3";
  const int fd = ::open(raw.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ::close(fd);
  prefix_.WriteFile("m/caf\xc3\xa9.mp3", "x");
  EXPECT_EQ(Names(FindEntries("c:\\m", "*.mp3", EntryFilter::NormalFiles)),
            (std::vector<std::string>{"caf\xc3\xa9.mp3"}));
}

TEST_F(SearchTest, DanglingLinksAreSystemEntries) {
  prefix_.MakeDir("m");
  ASSERT_EQ(::symlink("/nonexistent/target", (prefix_.DriveC() + "/m/gone.mp3").c_str()), 0);
  EXPECT_TRUE(FindEntries("c:\\m", "*.*", EntryFilter::NormalFiles).empty());
  const auto all = FindEntries("c:\\m", "*.*");
  ASSERT_EQ(all.size(), 1u);
  EXPECT_TRUE(all[0].system);
}

TEST_F(SearchTest, AFolderThatCannotBeReadGivesNothing) {
  int visits = 0;
  EXPECT_FALSE(SearchFolder("c:\\missing", {"*.*"}, EntryFilter::Everything, EntryDetail::Full,
                            [&visits](DirEntry&&) { ++visits; }));
  EXPECT_FALSE(SearchFolder("q:\\", {"*.*"}, EntryFilter::Everything, EntryDetail::Full,
                            [&visits](DirEntry&&) { ++visits; }));
  EXPECT_EQ(visits, 0);
}

}  // namespace
}  // namespace qrv::fs
