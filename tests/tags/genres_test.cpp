#include "tags/genres.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(Genres, TableHoldsEveryIdInItsPlace) {
  // Every name as a tag's genre byte names it, with the table's own spellings (entry 140 ends in
  // a question mark, 141 is "Cristian") and an empty last entry.
  // clang-format off
  const std::vector<std::string> expected = {
      "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz",
      "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno",
      "Industrial", "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno",
      "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance", "Classical",
      "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise", "AlternRock",
      "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock",
      "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance",
      "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40", "Christian Rap",
      "Pop/Funk", "Jungle", "Native American", "Cabaret", "New Wave", "Psychedelic", "Rave",
      "Showtunes", "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro",
      "Musical", "Rock & Roll", "Hard Rock", "Folk", "Folk/Rock", "National Folk", "Swing",
      "Fast Fusion", "Bebob", "Latin", "Revival", "Celtic", "Bluegrass", "Avantgarde",
      "Gothic Rock", "Progressive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock",
      "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour", "Speech", "Chanson", "Opera",
      "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire",
      "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul",
      "Freestyle", "Duet", "Punk Rock", "Drum Solo", "Acapella", "Euro-House", "Dance Hall",
      "Goa", "Drum & Bass", "Club-House", "Hardcore", "Terror", "Indie", "BritPop", "Negerpunk",
      "Polsk Punk", "Beat", "Christian Gangs", "Heavy Metal", "Black Metal", "Crossover",
      "Contemporary Ch?", "Cristian Rock", "Merengue", "Salsa", "Thrash Metal", "Anime", "JPop",
      "Synthpop", "",
  };
  // clang-format on
  ASSERT_EQ(expected.size(), static_cast<size_t>(kGenreCount));
  EXPECT_EQ(BuildGenreTable(), expected);
}

TEST(Genres, QuotedListKeepsOrderDuplicatesAndEmptyNames) {
  EXPECT_EQ(SplitQuotedList("\"b\",\"a\",\"b\""), (std::vector<std::string>{"b", "a", "b"}));
  EXPECT_EQ(SplitQuotedList("\"x, y\",\"\""), (std::vector<std::string>{"x, y", ""}));
  EXPECT_EQ(SplitQuotedList("\"say \"\"hi\"\"\", plain ,\"\""),
            (std::vector<std::string>{"say \"hi\"", "plain", ""}));
  EXPECT_TRUE(SplitQuotedList("").empty());
  // An unterminated quote takes the rest of the text.
  EXPECT_EQ(SplitQuotedList("\"open"), (std::vector<std::string>{"open"}));
}

TEST(Genres, LookupIgnoresCaseAndFindsTheFirstMatch) {
  const auto table = BuildGenreTable();
  EXPECT_EQ(FindGenre(table, "rock"), 17);
  EXPECT_EQ(FindGenre(table, "ROCK & ROLL"), 78);
  EXPECT_EQ(FindGenre(table, "contemporary ch?"), 140);
  EXPECT_EQ(FindGenre(table, ""), 148);
  EXPECT_EQ(FindGenre(table, "Rock "), -1);
  EXPECT_EQ(FindGenre(table, "Polka Techno"), -1);
  EXPECT_EQ(FindGenre({"A", "b", "a"}, "a"), 0);
  // Accented letters fold too, as the user reads them.
  EXPECT_EQ(FindGenre({"Caf\xC9"}, "caf\xE9"), 0);
}

}  // namespace
}  // namespace qrv
