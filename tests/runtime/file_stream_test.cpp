#include "runtime/fs/file_stream.h"

#include <gtest/gtest.h>

#include "runtime/exceptions.h"
#include "temp_prefix.h"

namespace qrv {
namespace {

TEST(FileStream, ReadsAndWritesThroughWindowsPathsIgnoringCase) {
  test::TempPrefix prefix;
  prefix.WriteFile("Music/Song.BIN", "0123456789");

  FileStream in("C:\\music\\song.bin", FileMode::OpenReadWrite);
  EXPECT_EQ(in.Size(), 10);
  in.Seek(-4, SeekOrigin::End);
  char buf[8];
  in.ReadBuffer(buf, 4);
  EXPECT_EQ(std::string(buf, 4), "6789");
  in.Seek(2, SeekOrigin::Begin);
  in.WriteBuffer("ab", 2);
  EXPECT_EQ(prefix.ReadFile("Music/Song.BIN"), "01ab456789");
  EXPECT_THROW(in.ReadBuffer(buf, 8), EReadError);  // Only 6 bytes are left.
}

TEST(FileStream, OpenFailuresNameThePath) {
  test::TempPrefix prefix;
  prefix.MakeDir("folder");
  try {
    FileStream("c:\\missing.mp3", FileMode::OpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file c:\\missing.mp3");
  }
  EXPECT_THROW(FileStream("c:\\folder", FileMode::OpenRead), EFOpenError);
  EXPECT_THROW(FileStream("q:\\nodrive\\x", FileMode::Create), EFCreateError);
  // A FIFO in place of a song fails at once in every mode instead of waiting for a writer.
  ASSERT_FALSE(prefix.MakeFifo("fifo.mp3").empty());
  EXPECT_THROW(FileStream("c:\\fifo.mp3", FileMode::OpenRead), EFOpenError);
  EXPECT_THROW(FileStream("c:\\fifo.mp3", FileMode::OpenWrite), EFOpenError);
  EXPECT_THROW(FileStream("c:\\fifo.mp3", FileMode::OpenReadWrite), EFOpenError);
  EXPECT_THROW(FileStream("c:\\fifo.mp3", FileMode::Create), EFCreateError);
}

TEST(FileStream, CannotClimbAboveTheDriveRoot) {
  test::TempPrefix prefix;
  prefix.WriteFile("top.txt", "x");
  FileStream s("c:\\..\\..\\top.txt", FileMode::OpenRead);
  EXPECT_EQ(s.Size(), 1);
}

}  // namespace
}  // namespace qrv
