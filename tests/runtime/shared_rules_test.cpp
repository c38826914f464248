#include <gtest/gtest.h>

#include <string>

#include "runtime/fs/byte_order.h"
#include "runtime/fs/code_page.h"
#include "runtime/paths.h"

namespace qrv {
namespace {

TEST(CodePage, EveryByteIsOneCharacterAndBackAgain) {
  for (int b = 0; b < 256; ++b) {
    const char32_t c = fs::Cp1252Char(static_cast<unsigned char>(b));
    EXPECT_EQ(fs::Cp1252Byte(c), static_cast<unsigned char>(b)) << b;
  }
  EXPECT_EQ(fs::Cp1252Char(0x80), U'\u20AC');
  EXPECT_EQ(fs::Cp1252Char(0x81), U'\u0081');  // undefined: the control character
  EXPECT_EQ(fs::Cp1252Byte(U'\u0100'), std::nullopt);
  EXPECT_EQ(fs::Cp1252Byte(U'\U0001F600'), std::nullopt);
}

TEST(NameRule, CaseFoldsForEveryLetterAndNothingElse) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"Song.MP3", "song.mp3", true},
           {"\xC3\x84rger.mp3", "\xC3\xA4RGER.MP3", true},  // Ärger, äRGER
           {"abc", "abd", false},
           {"abc", "abc ", false},
           {"\xC3\x84", "A", false},
           {"", "", true},
       }) {
    EXPECT_EQ(SameTextIgnoringCase(c.a, c.b), c.same) << c.a << " / " << c.b;
  }
  EXPECT_TRUE(EndsWithIgnoringCase("c:\\music\\TUNE.MID", ".mid"));
  EXPECT_FALSE(EndsWithIgnoringCase("mid", ".mid"));
}

TEST(ByteOrder, ReadsRiffAndMidiNumbers) {
  const unsigned char bytes[4] = {0x78, 0x56, 0x34, 0x12};
  EXPECT_EQ(fs::LittleEndian(bytes, 4), 0x12345678u);
  EXPECT_EQ(fs::LittleEndian(bytes, 2), 0x5678u);
  EXPECT_EQ(fs::BigEndian(bytes, 4), 0x78563412u);
}

}  // namespace
}  // namespace qrv
