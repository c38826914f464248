#include "runtime/fs/text_file.h"

#include <gtest/gtest.h>

#include "runtime/exceptions.h"
#include "runtime/fs/file_stream.h"
#include "temp_prefix.h"

namespace qrv {
namespace {

// The code and text of the error that reading the first line raises.
std::pair<int, std::string> FirstLineError(const std::string& path) {
  try {
    ReadFirstLine(path);
  } catch (const EInOutError& e) {
    return {e.ErrorCode(), e.Message()};
  }
  return {0, "no error"};
}

TEST(ReadFirstLine, StopsAtTheFirstCarriageReturnOrLineFeed) {
  test::TempPrefix prefix;
  const std::pair<std::string, std::string> cases[] = {
      {"c:\\Music\r\nd:\\second\r\n", "c:\\Music"},
      {"d:\\\n", "d:\\"},
      {"c:\\a\rc:\\b", "c:\\a"},
      {"c:\\no line end", "c:\\no line end"},
      {"", ""},
      {"\r\nc:\\later", ""},
      {"\nc:\\later", ""},
      {"c:\\caf\xC3\xA9\r\n", "c:\\caf\xC3\xA9"},
  };
  for (const auto& [content, expected] : cases) {
    prefix.WriteFile("qrv30/last.lst", content);
    EXPECT_EQ(ReadFirstLine("C:\\QRV30\\last.LST"), expected) << content;
  }
  // A first line that spans many reads comes back whole.
  const std::string long_line(10000, 'x');
  prefix.WriteFile("qrv30/last.lst", long_line + "\r\nrest");
  EXPECT_EQ(ReadFirstLine("c:\\qrv30\\last.lst"), long_line);
}

TEST(ReadFirstLine, FailuresCarryTheWindowsErrorTexts) {
  test::TempPrefix prefix;
  prefix.MakeDir("qrv30/folder");
  prefix.WriteFile("qrv30/file", "x");
  EXPECT_EQ(FirstLineError("c:\\qrv30\\last.lst"),
            std::make_pair(2, std::string("File not found")));
  EXPECT_EQ(FirstLineError("c:\\nowhere\\last.lst").second, "File not found");
  EXPECT_EQ(FirstLineError("q:\\last.lst").second, "File not found");
  EXPECT_EQ(FirstLineError("c:\\qrv30\\file\\x").second, "File not found");
  EXPECT_EQ(FirstLineError("c:\\qrv30\\folder"),
            std::make_pair(5, std::string("File access denied")));
  EXPECT_EQ(FirstLineError("c:\\qrv30\\a?b"), std::make_pair(123, std::string("Invalid filename")));
  EXPECT_EQ(FirstLineError("c:\\qrv30\\\xFF").second, "Invalid filename");
  // A FIFO would block the window until something wrote to it: it is refused at once.
  ASSERT_FALSE(prefix.MakeFifo("qrv30/fifo.lst").empty());
  EXPECT_EQ(FirstLineError("c:\\qrv30\\fifo.lst"),
            std::make_pair(5, std::string("File access denied")));
}

TEST(ReadFirstLine, AFileHeldExclusivelyIsLocked) {
  test::TempPrefix prefix;
  prefix.WriteFile("qrv30/last.lst", "c:\\x\r\n");
  {
    FileStream holder("c:\\qrv30\\last.lst", FileMode::OpenRead, ShareMode::Exclusive);
    EXPECT_EQ(FirstLineError("c:\\qrv30\\last.lst"),
              std::make_pair(33, std::string("I/O error 33")));
  }
  EXPECT_EQ(ReadFirstLine("c:\\qrv30\\last.lst"), "c:\\x");
}

TEST(WriteTextLine, WritesOneLineWithCrLfReplacingTheFile) {
  test::TempPrefix prefix;
  prefix.WriteFile("qrv30/last.lst", "c:\\a much longer earlier folder\r\nand more\r\n");
  WriteTextLine("c:\\qrv30\\last.lst", "d:\\");
  EXPECT_EQ(prefix.ReadFile("qrv30/last.lst"), "d:\\\r\n");
  prefix.MakeDir("qrv30/playlists");
  WriteTextLine("c:\\qrv30\\playlists\\rock.pm3", "c:\\Music");
  EXPECT_EQ(prefix.ReadFile("qrv30/playlists/rock.pm3"), "c:\\Music\r\n");
  EXPECT_EQ(ReadFirstLine("c:\\qrv30\\playlists\\rock.pm3"), "c:\\Music");
}

TEST(WriteTextLine, FailuresLeaveTheOldFileAndNameThePath) {
  test::TempPrefix prefix;
  prefix.WriteFile("qrv30/last.lst", "c:\\old\r\n");
  try {
    WriteTextLine("c:\\missing\\last.lst", "c:\\x");
    FAIL() << "the folder does not exist";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file c:\\missing\\last.lst");
  }
  EXPECT_THROW(WriteTextLine("c:\\qrv30\\last.lst\\inner", "c:\\x"), EFCreateError);
  // A line that would not read back as one line is refused and the old one stays.
  EXPECT_THROW(WriteTextLine("c:\\qrv30\\last.lst", "c:\\a\nb"), EFCreateError);
  EXPECT_EQ(prefix.ReadFile("qrv30/last.lst"), "c:\\old\r\n");
  EXPECT_FALSE(prefix.Exists("missing"));
  EXPECT_EQ(prefix.List("qrv30"), std::vector<std::string>{"last.lst"});
}

TEST(ReadTextFile, ReadsUpToTheLimitAndSaysWhenItCut) {
  test::TempPrefix prefix;
  const std::string text = "Quorvin help\r\n\r\nLine three\r\nno end";
  prefix.WriteFile("qrv30/helppro.txt", text);
  TextPrefix whole = ReadTextFile("c:\\qrv30\\HelpPro.txt", text.size());
  EXPECT_EQ(whole.text, text);
  EXPECT_FALSE(whole.cut);
  TextPrefix start = ReadTextFile("c:\\qrv30\\helppro.txt", 12);
  EXPECT_EQ(start.text, "Quorvin help");
  EXPECT_TRUE(start.cut);

  prefix.MakeDir("qrv30/folder");
  ASSERT_FALSE(prefix.MakeFifo("qrv30/fifo.txt").empty());
  for (const char* path : {"c:\\qrv30\\missing.txt", "c:\\qrv30\\folder", "c:\\qrv30\\fifo.txt"}) {
    try {
      ReadTextFile(path, 100);
      ADD_FAILURE() << path;
    } catch (const EFOpenError& e) {
      EXPECT_EQ(e.Message(), std::string("Cannot open file ") + path);
    }
  }
}

}  // namespace
}  // namespace qrv
