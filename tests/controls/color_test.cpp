#include "controls/color.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include "controls/accelerator.h"
#include "controls/font.h"
#include "render_helpers.h"

namespace qrv {
namespace {

using ColorTest = test::ControlsTest;

TEST_F(ColorTest, PlainColoursKeepTheirComponentsAndSystemColoursFollowThePalette) {
  EXPECT_EQ(RedOf(clBlue), 0);
  EXPECT_EQ(BlueOf(clBlue), 255);
  EXPECT_EQ(RGBColor(0x12, 0x34, 0x56), 0x563412u);
  EXPECT_EQ(ToQRgb(clBlue), qRgb(0, 0, 255));
  EXPECT_EQ(ColorToRGB(clBtnFace), RGBColor(0xD4, 0xD0, 0xC8));
  EXPECT_EQ(ColorToRGB(clBtnShadow), RGBColor(0x80, 0x80, 0x80));
  EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
  EXPECT_EQ(ColorToRGB(clBtnText), clBlack);

  // Resolution happens at use: a new scheme gives a new colour.
  QPalette other = test::ClassicPalette();
  other.setColor(QPalette::Button, QColor(1, 2, 3));
  EXPECT_EQ(ColorToRGB(clBtnFace, other), RGBColor(1, 2, 3));
  EXPECT_TRUE(IsSystemColor(clBtnFace));
  EXPECT_FALSE(IsSystemColor(clWhite));
}

TEST(AcceleratorTest, FirstAmpersandRuleOfTheBitmapButton) {
  EXPECT_EQ(FirstAccelerator("Pre&v"), QChar('v'));
  EXPECT_TRUE(FirstAccelerator("Play&").isNull());
  EXPECT_TRUE(FirstAccelerator("Play").isNull());
  // Only the first ampersand counts, even when it is doubled.
  EXPECT_EQ(FirstAccelerator("A&&B&c"), QChar('&'));
}

TEST(AcceleratorTest, LastMarkedCharacterRuleOfTheFlatButton) {
  EXPECT_EQ(LastAccelerator("&Save"), QChar('S'));
  EXPECT_EQ(LastAccelerator("&Save &as"), QChar('a'));
  EXPECT_TRUE(LastAccelerator("Fish && Chips").isNull());
  EXPECT_EQ(LastAccelerator("A&&&b"), QChar('b'));
  EXPECT_TRUE(LastAccelerator("End&").isNull());
  EXPECT_EQ(AsciiUpperChar(QChar('q')), QChar('Q'));
  EXPECT_EQ(AsciiUpperChar(QChar(0xE9)), QChar(0xE9));
}

TEST(AcceleratorTest, PrefixProcessingUnderlinesAndUnescapes) {
  const PrefixedText t = ProcessPrefixes("&Open && Save&");
  EXPECT_EQ(t.text, QString("Open & Save"));
  ASSERT_EQ(t.underlined.size(), 1);
  EXPECT_EQ(t.underlined[0], 0);
  EXPECT_EQ(StripAccelerators("Pre&v"), QString("Prev"));
}

TEST(FontTest, LayoutFacesMapToInstalledFacesWithTheirPixelSize) {
  TFont f;
  f.SetName("MS Sans Serif");
  f.SetHeight(-13);
  f.SetBold(true);
  const QFont q = f.ToQFont();
  EXPECT_EQ(q.pixelSize(), 13);
  EXPECT_TRUE(q.bold());
  EXPECT_NE(MapFontFace("MS Sans Serif"), QString("MS Sans Serif"));
  EXPECT_EQ(QFontInfo(q).family(), MapFontFace("MS Sans Serif"));
  // A positive height is the whole cell.
  f.SetHeight(16);
  EXPECT_LE(QFontMetrics(f.ToQFont()).height(), 16);
}

}  // namespace
}  // namespace qrv
