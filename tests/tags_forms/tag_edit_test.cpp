#include "tags/forms/tag_edit.h"

#include <gtest/gtest.h>

#include "runtime/exceptions.h"

namespace qrv {
namespace {

TEST(TrackNumberFromText, WholeNumbersWithOptionalSignAndBlanks) {
  EXPECT_EQ(TrackNumberFromText("0"), 0);
  EXPECT_EQ(TrackNumberFromText("256"), 256);
  EXPECT_EQ(TrackNumberFromText(" 7\t"), 7);
  EXPECT_EQ(TrackNumberFromText("+3"), 3);
  EXPECT_EQ(TrackNumberFromText("-1"), -1);
  EXPECT_EQ(TrackNumberFromText("007"), 7);
  EXPECT_EQ(TrackNumberFromText("2147483647"), 2147483647);
}

TEST(TrackNumberFromText, AnythingElseFailsWithTheTextInTheMessage) {
  for (const char* text :
       {"", "  ", "1x", "x1", "3.5", "+", "-", "+-1", "1 2", "2147483648", "0x10", "\xC3\xA9"}) {
    SCOPED_TRACE(text);
    try {
      TrackNumberFromText(text);
      ADD_FAILURE() << "accepted";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

TEST(TagEdit, EveryTagByteComesBackUnchanged) {
  TTagEdit box;
  std::string bytes;
  for (int c = 1; c < 256; ++c) bytes.push_back(static_cast<char>(c));
  box.SetText(bytes);
  EXPECT_EQ(box.Text(), bytes);
}

TEST(TagEdit, TypedTextBecomesWindows1252AndUnknownCharactersAQuestionMark) {
  TTagEdit box;
  box.setText(QString::fromUtf8("Caf\u00e9 \u20ac \u4e2d"));
  EXPECT_EQ(box.Text(), "Caf\xE9 \x80 ?");
}

}  // namespace
}  // namespace qrv
