#include "tags/cp1252.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(Cp1252, EveryByteSurvivesTheWayThroughAnEditBox) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const QString text = Cp1252ToQString(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(QStringToCp1252(text), all);
}

TEST(Cp1252, DecodesTheHighBlockAsWindowsDoes) {
  EXPECT_EQ(Cp1252ToQString("\x80"), QString(QChar(0x20AC)));
  EXPECT_EQ(Cp1252ToQString("\x8A\x9F"), QString::fromUtf8("\u0160\u0178"));
  EXPECT_EQ(Cp1252ToQString("caf\xE9"), QString::fromUtf8("caf\u00E9"));
  // The undefined bytes stay distinct characters instead of collapsing into one placeholder.
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    const QString c = Cp1252ToQString(std::string(1, static_cast<char>(b)));
    ASSERT_EQ(c.size(), 1);
    EXPECT_EQ(c[0].unicode(), b);
  }
  EXPECT_EQ(Cp1252ToQString(std::string("a\0b", 3)).size(), 3);
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(QStringToCp1252(QString::fromUtf8("\u20AC 5")), "\x80 5");
  EXPECT_EQ(QStringToCp1252(QString::fromUtf8("\u0100x")), "?x");
  EXPECT_EQ(QStringToCp1252(QString::fromUtf8("\u4E2D\u6587")), "??");
  // Outside the basic plane a character takes two code units but is still one '?'.
  EXPECT_EQ(QStringToCp1252(QString::fromUtf8("a\U0001F3B5b")), "a?b");
  // U+0080 is not the euro sign's byte: that byte already belongs to U+20AC.
  EXPECT_EQ(QStringToCp1252(QString(QChar(0x80))), "?");
  // A stray half of a surrogate pair is not a character either.
  EXPECT_EQ(QStringToCp1252(QString(QChar(0xD800))), "?");
}

}  // namespace
}  // namespace qrv
