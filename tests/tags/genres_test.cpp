#include "tags/genres.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(Genres, TableHoldsEveryIdInItsPlace) {
  const auto table = BuildGenreTable();
  ASSERT_EQ(table.size(), static_cast<size_t>(kGenreCount));
  EXPECT_EQ(table[0], "Blues");
  EXPECT_EQ(table[12], "Other");
  EXPECT_EQ(table[14], "R&B");
  EXPECT_EQ(table[17], "Rock");
  EXPECT_EQ(table[29], "Jazz+Funk");
  EXPECT_EQ(table[62], "Pop/Funk");
  EXPECT_EQ(table[78], "Rock & Roll");
  EXPECT_EQ(table[94], "Symphonic Rock");
  EXPECT_EQ(table[127], "Drum & Bass");
  EXPECT_EQ(table[140], "Contemporary Ch?");
  EXPECT_EQ(table[141], "Cristian Rock");
  EXPECT_EQ(table[147], "Synthpop");
  EXPECT_EQ(table[148], "");
  for (int i = 0; i < 148; ++i) EXPECT_FALSE(table[i].empty()) << i;
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
