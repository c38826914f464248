#include "controls/gradient.h"

#include <gtest/gtest.h>

#include <set>

namespace qrv {
namespace {

QRgb Rgb(TColor c) {
  return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

TEST(GradientTest, BandEdgesRoundHalvesAwayFromZero) {
  // 23 rows in 16 bands: 23 / 16 = 1.4375, 2 x 23 / 16 = 2.875, 8 x 23 / 16 = 11.5 -> 12.
  EXPECT_EQ(GradientBandTop(0, 16, 23), 0);
  EXPECT_EQ(GradientBandTop(1, 16, 23), 1);
  EXPECT_EQ(GradientBandTop(2, 16, 23), 3);
  EXPECT_EQ(GradientBandTop(8, 16, 23), 12);
  EXPECT_EQ(GradientBandTop(16, 16, 23), 23);
}

TEST(GradientTest, BandColoursRunFromTopToBottomColour) {
  const TColor top = RGBColor(255, 255, 255);
  const TColor bottom = RGBColor(239, 235, 231);
  EXPECT_EQ(GradientBandColor(top, bottom, 0, 16), top);
  EXPECT_EQ(GradientBandColor(top, bottom, 15, 16), bottom);
  // Band 7: 255 + round(7 x -16/15 = -7.47) = 248; green 255 + round(7 x -20/15 = -9.33) = 246;
  // blue 255 + round(7 x -24/15 = -11.2) = 244.
  EXPECT_EQ(GradientBandColor(top, bottom, 7, 16), RGBColor(248, 246, 244));
}

TEST(GradientTest, SolidBandsFillTheirRowsAcrossTheWidth) {
  QRandomGenerator random(1);
  const TColor top = RGBColor(214, 207, 198);
  const TColor bottom = RGBColor(247, 243, 235);
  const QImage g = CreateGradient(71, 23, top, bottom, 16, false, random);
  ASSERT_EQ(g.size(), QSize(71, 23));
  for (int i = 0; i < 16; ++i) {
    const QRgb band = Rgb(GradientBandColor(top, bottom, i, 16));
    for (int y = GradientBandTop(i, 16, 23); y < GradientBandTop(i + 1, 16, 23); ++y) {
      for (int x : {0, 15, 16, 40, 70}) EXPECT_EQ(g.pixel(x, y), band) << i << " " << x << " " << y;
    }
  }
}

TEST(GradientTest, DitherScattersTheBandAboveIntoTheTopOfEachBand) {
  QRandomGenerator random(7);
  const TColor top = RGBColor(255, 243, 206);
  const TColor bottom = RGBColor(231, 150, 0);
  // 62 rows in 32 bands: some bands are one row high, thinner than the scatter depth of 2.
  const int h = 62, n = 32;
  const QImage g = CreateGradient(50, h, top, bottom, n, true, random);
  int scattered = 0;
  for (int i = 1; i < n; ++i) {
    const int y0 = GradientBandTop(i, n, h);
    const int y1 = GradientBandTop(i + 1, n, h);
    const QRgb own = Rgb(GradientBandColor(top, bottom, i, n));
    const QRgb above = Rgb(GradientBandColor(top, bottom, i - 1, n));
    for (int y = y0; y < y1; ++y) {
      for (int x = 0; x < 16; ++x) {
        const QRgb c = g.pixel(x, y);
        // Band by band: a pixel shows its own band or the one above, never what a thin band's
        // scatter left in the rows of the band below it.
        EXPECT_TRUE(c == own || c == above) << x << "," << y;
        if (c == above) ++scattered;
        if (y - y0 >= h / (n - 1)) {
          EXPECT_EQ(c, own) << x << "," << y;
        }
      }
    }
  }
  EXPECT_GT(scattered, 0);
  // The dithered strip is repeated across the width.
  for (int y = 0; y < h; ++y) {
    for (int x = 16; x < 50; ++x) EXPECT_EQ(g.pixel(x, y), g.pixel(x % 16, y));
  }
}

TEST(GradientTest, DegenerateSizesGiveEmptyImages) {
  QRandomGenerator random(1);
  EXPECT_TRUE(CreateGradient(0, 10, 0, 0, 16, false, random).isNull());
  EXPECT_TRUE(CreateGradient(10, -4, 0, 0, 16, true, random).isNull());
  // Narrower than the strip and shorter than the band count still fills every pixel.
  const QImage g =
      CreateGradient(5, 3, RGBColor(0, 0, 0), RGBColor(255, 255, 255), 32, true, random);
  ASSERT_EQ(g.size(), QSize(5, 3));
}

}  // namespace
}  // namespace qrv
