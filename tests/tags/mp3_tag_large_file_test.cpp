#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tag_bytes.h"
#include "tags/mp3_tag.h"
#include "temp_prefix.h"

namespace qrv {
namespace {

std::string ReadAt(const std::string& host, int64_t offset, size_t count) {
  std::ifstream in(host, std::ios::binary);
  in.seekg(offset);
  std::string out(count, '\0');
  in.read(out.data(), static_cast<std::streamsize>(count));
  out.resize(static_cast<size_t>(in.gcount()));
  return out;
}

// Sparse files cost no disk space. Each starts with a decoy block, which a reader that cut the
// size to 32 bits would mistake for the tag at the end.
class Tmp3TagLargeFile : public ::testing::TestWithParam<int64_t> {};

TEST_P(Tmp3TagLargeFile, TagAtTheEndIsWrittenAndReadWithFullSizes) {
  const int64_t size = GetParam();
  test::TempPrefix prefix;
  auto decoy = test::SpacedTagBlock();
  decoy.Put(3, "Decoy");
  const std::string host = prefix.WriteFile("big.mp3", decoy.bytes);
  std::filesystem::resize_file(host, static_cast<uintmax_t>(size));

  Tmp3Tag tag;
  tag.ReadFromFile("c:\\big.mp3");
  EXPECT_FALSE(tag.TagPresent());
  EXPECT_EQ(tag.Title(), "");

  tag.SetTitle("Far away");
  tag.SetTrack(9);
  tag.WriteToFile("c:\\big.mp3");
  ASSERT_EQ(static_cast<int64_t>(std::filesystem::file_size(host)), size + 128);
  EXPECT_EQ(ReadAt(host, size, 11), "TAGFar away");
  EXPECT_EQ(ReadAt(host, size + 126, 2)[0], 9);

  Tmp3Tag reader;
  reader.ReadFromFile("c:\\big.mp3");
  EXPECT_TRUE(reader.TagPresent());
  EXPECT_EQ(reader.Title(), "Far away");
  EXPECT_EQ(reader.Track(), 9);

  reader.SetTitle("Moved on");
  reader.WriteToFile("c:\\big.mp3");
  EXPECT_EQ(static_cast<int64_t>(std::filesystem::file_size(host)), size + 128);
  EXPECT_EQ(ReadAt(host, size, 11), "TAGMoved on");
  EXPECT_EQ(ReadAt(host, 0, 128), decoy.bytes);
  EXPECT_EQ(ReadAt(host, size - 4, 4), std::string(4, '\0'));
}

INSTANTIATE_TEST_SUITE_P(Sizes, Tmp3TagLargeFile,
                         ::testing::Values(int64_t{1} << 31, (int64_t{1} << 31) + 77,
                                           int64_t{1} << 32, (int64_t{1} << 32) + 1000));

}  // namespace
}  // namespace qrv
