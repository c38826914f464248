#include <gtest/gtest.h>

#include "runtime/exceptions.h"
#include "tags/mp3_tag.h"

namespace qrv {
namespace {

// Building a block is the one way besides a read to clear the modified flag.
void Settle(Tmp3Tag& tag) {
  char buf[128];
  tag.BuildBlock(buf, sizeof buf);
  ASSERT_FALSE(tag.TagModified());
}

TEST(Tmp3TagSetters, TextFieldsAreCutToTheirWidth) {
  Tmp3Tag tag;
  const std::string forty(40, 'x');
  tag.SetTitle(forty);
  EXPECT_EQ(tag.Title(), std::string(30, 'x'));
  EXPECT_TRUE(tag.TagModified());

  Settle(tag);
  tag.SetTitle(forty);  // Cuts to what is already there.
  EXPECT_FALSE(tag.TagModified());
  tag.SetTitle(std::string(30, 'x'));
  EXPECT_FALSE(tag.TagModified());

  tag.SetYear("19999");
  EXPECT_EQ(tag.Year(), "1999");
  tag.SetArtist(forty);
  tag.SetAlbum(forty);
  EXPECT_EQ(tag.Artist().size(), 30u);
  EXPECT_EQ(tag.Album().size(), 30u);
}

TEST(Tmp3TagSetters, CommentWidthFollowsTheLayoutAtTheTimeOfSetting) {
  Tmp3Tag tag;
  const std::string thirty(30, 'c');
  ASSERT_FALSE(tag.v1Tag());
  tag.SetComment(thirty);
  EXPECT_EQ(tag.Comment(), std::string(28, 'c'));
  tag.Setv1Tag(true);
  EXPECT_EQ(tag.Comment().size(), 28u);  // Switching the layout does not touch the comment.
  tag.SetComment(thirty);
  EXPECT_EQ(tag.Comment(), thirty);
  tag.Setv1Tag(false);
  EXPECT_EQ(tag.Comment(), thirty);
  EXPECT_EQ(tag.Track(), 0);
}

TEST(Tmp3TagSetters, EqualValuesAndUnknownFieldsChangeNothing) {
  Tmp3Tag tag;
  tag.SetTitle("");
  tag.SetGenre("Blues");
  tag.SetGenreID(0);
  tag.SetTrack(0);
  tag.Setv1Tag(false);
  EXPECT_FALSE(tag.TagModified());

  tag.SetTitle("Same");
  Settle(tag);
  tag.SetTitle("Same");
  tag.SetField(static_cast<TagField>(0), "x");
  tag.SetField(static_cast<TagField>(6), "x");
  EXPECT_FALSE(tag.TagModified());
  EXPECT_EQ(tag.Title(), "Same");
  // Comparison is case-sensitive: a change of case is a change.
  tag.SetTitle("same");
  EXPECT_TRUE(tag.TagModified());
  EXPECT_EQ(tag.Title(), "same");
}

TEST(Tmp3TagSetters, TrackChoosesTheLayout) {
  Tmp3Tag tag;
  tag.SetTrack(5);
  EXPECT_FALSE(tag.v1Tag());
  EXPECT_TRUE(tag.TagModified());
  tag.Setv1Tag(true);
  EXPECT_EQ(tag.Track(), 5);  // The layout flag leaves the number alone.
  tag.SetTrack(0);
  EXPECT_TRUE(tag.v1Tag());
  tag.SetTrack(300);
  EXPECT_EQ(tag.Track(), 300);
  EXPECT_FALSE(tag.v1Tag());
}

TEST(Tmp3TagSetters, GenreIdOutsideTheTableFailsAfterStoringTheId) {
  Tmp3Tag tag;
  tag.SetGenreID(17);
  EXPECT_EQ(tag.Genre(), "Rock");
  tag.SetGenreID(148);
  EXPECT_EQ(tag.Genre(), "");
  tag.SetGenreID(12);
  Settle(tag);

  for (int id : {149, -1, 1000}) {
    try {
      tag.SetGenreID(id);
      FAIL() << id;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(id) + ")");
    }
    EXPECT_EQ(tag.GenreID(), id);
    EXPECT_EQ(tag.Genre(), "Other");
    EXPECT_FALSE(tag.TagModified());
  }
  // Once stored, setting the same bad ID again is an unchanged value, not a new failure.
  EXPECT_NO_THROW(tag.SetGenreID(1000));
}

TEST(Tmp3TagSetters, GenreNameIsLookedUpIgnoringCaseAndKeptAsGiven) {
  Tmp3Tag tag;
  tag.SetGenre("rock");
  EXPECT_EQ(tag.GenreID(), 17);
  EXPECT_EQ(tag.Genre(), "rock");
  EXPECT_TRUE(tag.TagModified());
  tag.SetGenre("Polka Techno");
  EXPECT_EQ(tag.GenreID(), -1);
  EXPECT_EQ(tag.Genre(), "Polka Techno");
  tag.SetGenre("");
  EXPECT_EQ(tag.GenreID(), 148);
  tag.SetGenre("OTHER");
  EXPECT_EQ(tag.GenreID(), 12);
}

TEST(Tmp3TagSetters, ClearFieldsClearsTrackAndGenreAndKeepsTheFlags) {
  Tmp3Tag tag;
  tag.SetTitle("t");
  tag.SetArtist("a");
  tag.SetAlbum("b");
  tag.SetYear("1");
  tag.SetComment("c");
  tag.SetTrack(4);
  tag.SetTagPresent(true);
  tag.ClearFields();
  EXPECT_EQ(tag.Title() + tag.Artist() + tag.Album() + tag.Year() + tag.Comment(), "");
  EXPECT_EQ(tag.Genre(), "");
  EXPECT_EQ(tag.GenreID(), 255);
  EXPECT_EQ(tag.Track(), 0);
  EXPECT_TRUE(tag.v1Tag());
  EXPECT_TRUE(tag.TagPresent());
  EXPECT_TRUE(tag.TagModified());
}

TEST(Tmp3TagSetters, TableAndCreditCannotBeReplaced) {
  Tmp3Tag tag;
  const std::string about = tag.About();
  tag.SetGenres({"only"});
  tag.SetAbout("someone else");
  EXPECT_EQ(tag.Genres().size(), 149u);
  EXPECT_EQ(tag.Genres()[0], "Blues");
  EXPECT_EQ(tag.About(), about);
  EXPECT_FALSE(tag.TagModified());
}

}  // namespace
}  // namespace qrv
