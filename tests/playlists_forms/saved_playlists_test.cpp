#include "playlists/forms/saved_playlists.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(SavedPlaylistNames, PathKeepsTheNameExactlyAsTyped) {
  EXPECT_EQ(SavedPlaylistPath("rock"), "c:\\qrv30\\playlists\\rock.pm3");
  EXPECT_EQ(SavedPlaylistPath(" my list "), "c:\\qrv30\\playlists\\ my list .pm3");
  EXPECT_EQ(SavedPlaylistPath(""), "c:\\qrv30\\playlists\\.pm3");
}

TEST(SavedPlaylistNames, NamesThatLeaveTheFolderOrCannotBeFileNamesAreRefused) {
  for (const char* bad : {"..\\evil", "a\\b", "a/b", "c:evil", "what?", "st*r", "quote\"d", "<x>",
                          "pipe|d", "tab\tbed", "nl\nx"}) {
    EXPECT_FALSE(IsValidPlaylistName(bad)) << bad;
  }
  EXPECT_FALSE(IsValidPlaylistName(std::string(252, 'a')));
  for (const char* good : {"", "rock", " spaced ", "a.b", ".", "..", "...", "Ümlaut", "x..y"}) {
    EXPECT_TRUE(IsValidPlaylistName(good)) << good;
  }
  EXPECT_TRUE(IsValidPlaylistName(std::string(251, 'a')));
}

TEST(SavedPlaylistNames, PathMustStandDirectlyInThePlaylistsFolder) {
  EXPECT_TRUE(IsSavedPlaylistPath("c:\\qrv30\\playlists\\rock.pm3"));
  EXPECT_TRUE(IsSavedPlaylistPath("C:\\QRV30\\Playlists\\.pm3"));
  EXPECT_TRUE(IsSavedPlaylistPath("c:\\qrv30\\playlists\\..pm3"));
  EXPECT_TRUE(IsSavedPlaylistPath("c:\\qrv30\\playlists\\...pm3"));
  EXPECT_FALSE(IsSavedPlaylistPath(""));
  EXPECT_FALSE(IsSavedPlaylistPath("c:\\qrv30\\playlists\\..\\last.lst.pm3"));
  EXPECT_FALSE(IsSavedPlaylistPath("c:\\qrv30\\playlists\\sub\\rock.pm3"));
  EXPECT_FALSE(IsSavedPlaylistPath("c:\\qrv30\\rock.pm3"));
  EXPECT_FALSE(IsSavedPlaylistPath("c:\\qrv30\\playlists\\rock.txt"));
  EXPECT_FALSE(IsSavedPlaylistPath("d:\\qrv30\\playlists\\rock.pm3"));
}

}  // namespace
}  // namespace qrv
