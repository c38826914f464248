#include <gtest/gtest.h>

#include "runtime/exceptions.h"
#include "tag_bytes.h"
#include "tags/mp3_tag.h"

namespace qrv {
namespace {

using test::Field;
using test::Padded;
using test::RawBlock;
using test::SpacedTagBlock;

void Parse(Tmp3Tag& tag, const RawBlock& b) {
  tag.ParseBlock(b.bytes.data(), b.bytes.size());
}

std::string Build(Tmp3Tag& tag) {
  std::string out(128, '\xCC');
  tag.BuildBlock(out.data(), out.size());
  return out;
}

TEST(Tmp3TagBlock, StartsEmptyWithBluesAndTheWholeTable) {
  Tmp3Tag tag;
  EXPECT_FALSE(tag.TagPresent());
  EXPECT_FALSE(tag.TagModified());
  EXPECT_FALSE(tag.v1Tag());
  EXPECT_EQ(tag.Track(), 0);
  EXPECT_EQ(tag.GenreID(), 0);
  EXPECT_EQ(tag.Genre(), "Blues");
  EXPECT_EQ(tag.Title() + tag.Artist() + tag.Album() + tag.Year() + tag.Comment(), "");
  EXPECT_EQ(tag.Genres().size(), 149u);
}

TEST(Tmp3TagBlock, ShortOrUnmarkedBlocksReadAsNoTag) {
  Tmp3Tag tag;
  auto b = SpacedTagBlock();
  b.Put(3, "Title").Byte(125, 0).Byte(126, 9).Byte(127, 12);
  Parse(tag, b);
  ASSERT_TRUE(tag.TagPresent());
  ASSERT_EQ(tag.Track(), 9);

  tag.ParseBlock(b.bytes.data(), 127);
  EXPECT_FALSE(tag.TagPresent());
  EXPECT_EQ(tag.Title(), "");
  EXPECT_EQ(tag.GenreID(), 255);

  for (const char* marker : {"tag", "TAg", "TA\0", " TA"}) {
    Parse(tag, b);
    auto other = b;
    other.Put(0, std::string(marker, 3));
    Parse(tag, other);
    EXPECT_FALSE(tag.TagPresent()) << marker;
    EXPECT_EQ(tag.Title(), "");
    EXPECT_EQ(tag.Genre(), "");
    EXPECT_EQ(tag.GenreID(), 255);
    EXPECT_EQ(tag.Track(), 0);
    EXPECT_TRUE(tag.v1Tag());
  }
  tag.ParseBlock(nullptr, 0);
  EXPECT_FALSE(tag.TagPresent());
}

TEST(Tmp3TagBlock, FieldsEndAtZeroAndLoseTrailingPadding) {
  Tmp3Tag tag;
  auto b = SpacedTagBlock();
  const std::string full(30, 'T');
  b.Put(3, full).Put(33, "abc").Put(63, std::string("ab\0cd", 5)).Put(93, "1999");
  b.Put(97, std::string("  lead\t\x01 \x1F", 10));
  Parse(tag, b);
  EXPECT_EQ(tag.Title(), full);
  EXPECT_EQ(tag.Artist(), "abc");
  EXPECT_EQ(tag.Album(), "ab");
  EXPECT_EQ(tag.Year(), "1999");
  EXPECT_EQ(tag.Comment(), "  lead");
  EXPECT_FALSE(tag.TagModified());

  // Bytes above 0x20 are text, even at the end; bytes from 0x80 are copied as they are.
  b.Put(3, Padded("x!\xE9\xFF", 30));
  Parse(tag, b);
  EXPECT_EQ(tag.Title(), "x!\xE9\xFF");
  // "<TAG>" is just a title that a file may hold.
  b.Put(3, Padded("<TAG>", 30));
  Parse(tag, b);
  EXPECT_EQ(tag.Title(), "<TAG>");
}

TEST(Tmp3TagBlock, TrackBytesChooseTheLayout) {
  Tmp3Tag tag;
  auto b = SpacedTagBlock();
  b.Put(97, std::string(30, 'c'));

  b.Byte(125, 0).Byte(126, 7);
  Parse(tag, b);
  EXPECT_FALSE(tag.v1Tag());
  EXPECT_EQ(tag.Track(), 7);
  EXPECT_EQ(tag.Comment(), std::string(28, 'c'));

  b.Byte(125, 0).Byte(126, 0);
  Parse(tag, b);
  EXPECT_TRUE(tag.v1Tag());
  EXPECT_EQ(tag.Track(), 0);
  EXPECT_EQ(tag.Comment(), std::string(28, 'c'));

  b.Byte(125, 0x41).Byte(126, 0x42);
  Parse(tag, b);
  EXPECT_TRUE(tag.v1Tag());
  EXPECT_EQ(tag.Track(), 0);
  EXPECT_EQ(tag.Comment(), std::string(28, 'c') + "AB");

  b.Byte(125, 0x41).Byte(126, 0);
  Parse(tag, b);
  EXPECT_TRUE(tag.v1Tag());
  EXPECT_EQ(tag.Comment(), std::string(28, 'c') + "A");
}

TEST(Tmp3TagBlock, GenreByteNamesTheTableEntry) {
  Tmp3Tag tag;
  auto b = SpacedTagBlock();
  const std::pair<uint8_t, const char*> cases[] = {{0, "Blues"}, {12, "Other"}, {147, "Synthpop"},
                                                   {148, ""},    {149, ""},     {255, ""}};
  for (const auto& [id, name] : cases) {
    b.Byte(127, id);
    Parse(tag, b);
    EXPECT_EQ(tag.GenreID(), id);
    EXPECT_EQ(tag.Genre(), name);
  }
}

TEST(Tmp3TagBlock, BuildSetsEveryByte) {
  Tmp3Tag tag;
  tag.SetTitle("abc");
  tag.SetArtist(std::string(30, 'A'));
  tag.SetAlbum("Al");
  tag.SetYear("2001");
  tag.SetComment("note");
  tag.SetTrack(3);
  tag.SetGenreID(12);
  ASSERT_TRUE(tag.TagModified());
  const std::string out = Build(tag);
  EXPECT_FALSE(tag.TagModified());

  auto want = SpacedTagBlock();
  want.Put(3, "abc").Put(33, std::string(30, 'A')).Put(63, "Al").Put(93, "2001").Put(97, "note");
  want.Byte(125, 0).Byte(126, 3).Byte(127, 12);
  EXPECT_EQ(out, want.bytes);
}

TEST(Tmp3TagBlock, LayoutDecidesWhatTheCommentsLastBytesHold) {
  Tmp3Tag tag;
  const std::string comment = std::string(28, 'c') + "XY";
  tag.Setv1Tag(true);
  tag.SetComment(comment);
  std::string out = Build(tag);
  EXPECT_EQ(Field(out, 97, 30), comment);

  tag.Setv1Tag(false);
  tag.SetTrack(5);
  out = Build(tag);
  EXPECT_EQ(Field(out, 97, 28), std::string(28, 'c'));
  EXPECT_EQ(static_cast<uint8_t>(out[125]), 0);
  EXPECT_EQ(static_cast<uint8_t>(out[126]), 5);

  // With the 1.0 layout an empty comment leaves spaces where a track would stand.
  Tmp3Tag plain;
  plain.Setv1Tag(true);
  out = Build(plain);
  EXPECT_EQ(Field(out, 97, 30), std::string(30, ' '));
}

TEST(Tmp3TagBlock, TrackAndGenreAreStoredModulo256) {
  Tmp3Tag tag;
  tag.SetTrack(300);
  tag.SetGenre("no such genre");
  ASSERT_EQ(tag.GenreID(), -1);
  std::string out = Build(tag);
  EXPECT_EQ(static_cast<uint8_t>(out[126]), 44);
  EXPECT_EQ(static_cast<uint8_t>(out[127]), 255);
  EXPECT_EQ(tag.Track(), 300);

  // Track 256 stores a zero byte, which reads back as the 1.0 layout without a track.
  tag.SetTrack(256);
  out = Build(tag);
  tag.ParseBlock(out.data(), out.size());
  EXPECT_TRUE(tag.v1Tag());
  EXPECT_EQ(tag.Track(), 0);
}

TEST(Tmp3TagBlock, SmallBufferIsRefusedUntouched) {
  Tmp3Tag tag;
  tag.SetTitle("x");
  std::string buf(127, '\x55');
  try {
    tag.BuildBlock(buf.data(), buf.size());
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TID3v1Tag.Save: Buffer too small");
  }
  EXPECT_EQ(buf, std::string(127, '\x55'));
  EXPECT_TRUE(tag.TagModified());
  EXPECT_THROW(tag.BuildBlock(nullptr, 128), Exception);
  // A larger buffer gets its first 128 bytes written and nothing beyond.
  std::string big(200, '\x55');
  tag.BuildBlock(big.data(), big.size());
  EXPECT_EQ(big.substr(0, 3), "TAG");
  EXPECT_EQ(big.substr(128), std::string(72, '\x55'));
}

TEST(Tmp3TagBlock, ParsedBlocksBuildBackToTheSameProperties) {
  auto b = SpacedTagBlock();
  b.Put(3, "Song").Put(33, " Band").Put(63, std::string(30, 'z')).Put(93, "99");
  b.Put(97, "hello").Byte(125, 0).Byte(126, 200).Byte(127, 147);
  Tmp3Tag first;
  Parse(first, b);
  const std::string built = Build(first);
  Tmp3Tag second;
  second.ParseBlock(built.data(), built.size());
  EXPECT_EQ(second.Title(), "Song");
  EXPECT_EQ(second.Artist(), " Band");
  EXPECT_EQ(second.Album(), std::string(30, 'z'));
  EXPECT_EQ(second.Year(), "99");
  EXPECT_EQ(second.Comment(), "hello");
  EXPECT_EQ(second.Track(), 200);
  EXPECT_EQ(second.Genre(), "Synthpop");
  EXPECT_EQ(built, Build(second));
}

}  // namespace
}  // namespace qrv
