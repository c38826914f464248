#include "controls/gray_transform.h"

#include <gtest/gtest.h>

#include "render_helpers.h"

namespace qrv {
namespace {

using GrayTest = test::ControlsTest;
using S = TGrayImageListStyle;

TEST_F(GrayTest, LevelRoundsHalvesToEvenAndCaps) {
  EXPECT_EQ(GrayLevel(101, 255), 255);  // 257.55 capped
  EXPECT_EQ(GrayLevel(100, 100), 100);
  EXPECT_EQ(GrayLevel(25, 10), 2);  // 2.5 goes to the even 2
  EXPECT_EQ(GrayLevel(35, 10), 4);  // 3.5 goes to the even 4
  EXPECT_EQ(GrayLevel(50, 1), 0);   // 0.5 goes to 0
  EXPECT_EQ(GrayLevel(51, 1), 1);   // 0.51 goes up
  EXPECT_EQ(GrayLevel(200, 50), 100);
}

TEST_F(GrayTest, SystemDeactiveBoundaries) {
  const QPalette p = test::ClassicPalette();
  EXPECT_EQ(GrayStyleColor(181, S::gisSystemDeactive, p), clWhite);
  EXPECT_EQ(GrayStyleColor(180, S::gisSystemDeactive, p), RGBColor(0xD4, 0xD0, 0xC8));
  EXPECT_EQ(GrayStyleColor(81, S::gisSystemDeactive, p), RGBColor(0xD4, 0xD0, 0xC8));
  EXPECT_EQ(GrayStyleColor(80, S::gisSystemDeactive, p), clGray);
  EXPECT_EQ(GrayStyleColor(31, S::gisSystemDeactive, p), clGray);
  EXPECT_EQ(GrayStyleColor(30, S::gisSystemDeactive, p), clBlack);
}

TEST_F(GrayTest, GrayAndBlueStyles) {
  const QPalette p = test::ClassicPalette();
  EXPECT_EQ(GrayStyleColor(77, S::gisGray, p), RGBColor(77, 77, 77));
  // Blue keeps a in blue and puts a / 1.1 rounded in red and green: 100 / 1.1 = 90.9.
  EXPECT_EQ(GrayStyleColor(100, S::gisBlue, p), RGBColor(91, 91, 100));
  EXPECT_EQ(GrayStyleColor(255, S::gisBlue, p), RGBColor(232, 232, 255));
  EXPECT_EQ(GrayStyleColor(6, S::gisBlue, p), RGBColor(5, 5, 6));  // 5.45
}

TEST_F(GrayTest, TransformLeavesKeyPixelsAndConvertsTheRest) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(qRgb(255, 255, 255));
  image.setPixel(0, 0, qRgb(90, 100, 113));  // avg 101
  image.setPixel(1, 0, qRgb(255, 0, 0));     // avg 85
  image.setPixel(2, 1, qRgb(10, 20, 30));    // avg 20
  GrayTransform(image, 255, S::gisGray, clWhite, test::ClassicPalette());
  EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);  // capped 255
  EXPECT_EQ(image.pixel(1, 0), qRgb(217, 217, 217));   // 85 x 2.55 = 216.75
  EXPECT_EQ(image.pixel(2, 1), qRgb(51, 51, 51));      // 20 x 2.55 = 51
  EXPECT_EQ(image.pixel(0, 1), qRgb(255, 255, 255));   // key colour untouched
}

TEST(KeyedImageTest, KeyPixelsBecomeTransparentAndTheCopyIsKept) {
  QImage image(2, 1, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(255, 0, 255));
  image.setPixel(1, 0, qRgb(1, 2, 3));
  KeyedImage keyed;
  const QImage& a = keyed.Get(image, clFuchsia);
  EXPECT_EQ(qAlpha(a.pixel(0, 0)), 0);
  EXPECT_EQ(a.pixel(1, 0), qRgb(1, 2, 3));
  const qint64 first = a.cacheKey();
  EXPECT_EQ(keyed.Get(image, clFuchsia).cacheKey(), first);
  EXPECT_EQ(qAlpha(keyed.Get(image, RGBColor(1, 2, 3)).pixel(1, 0)), 0);
}

}  // namespace
}  // namespace qrv
