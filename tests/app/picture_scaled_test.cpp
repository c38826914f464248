// Pictures decoded at the size they are shown at: the pixels kept, the colours exact where
// they are picked, and damage still found.
#include "runtime/widgets/picture_scaled.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <set>

#include "runtime/exceptions.h"
#include "runtime/widgets/picture.h"
#include "temp_prefix.h"

namespace qrv {
namespace {

// A picture of distinct colours: each pixel tells where it came from.
QImage Pattern(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16));
  }
  return image;
}

std::string Le32(uint32_t v) {
  std::string out;
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

// An uncompressed bitmap written by hand: 24 or 32 bits a pixel, bottom-up or top-down.
std::string Bitmap(const QImage& image, int bits, bool top_down) {
  const int stride = ((image.width() * bits / 8) + 3) & ~3;
  std::string pixels;
  for (int row = 0; row < image.height(); ++row) {
    const int y = top_down ? row : image.height() - 1 - row;
    std::string line;
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      line += static_cast<char>(qBlue(c));
      line += static_cast<char>(qGreen(c));
      line += static_cast<char>(qRed(c));
      if (bits == 32) line += '\0';
    }
    line.resize(static_cast<size_t>(stride), '\0');
    pixels += line;
  }
  std::string out = "BM" + Le32(static_cast<uint32_t>(54 + pixels.size())) + Le32(0) + Le32(54);
  out += Le32(40) + Le32(static_cast<uint32_t>(image.width()));
  out += Le32(static_cast<uint32_t>(top_down ? -image.height() : image.height()));
  out += std::string("\x01\x00", 2) + static_cast<char>(bits) + '\0';
  out += Le32(0) + Le32(static_cast<uint32_t>(pixels.size())) + Le32(2835) + Le32(2835);
  out += Le32(0) + Le32(0);
  return out + pixels;
}

std::set<QRgb> Colours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) | 0xFF000000u);
  }
  return colours;
}

TEST(PictureScaled, BitmapsComeBackAtTheShownSizeWithTheirOwnColours) {
  test::TempPrefix prefix;
  const QImage full = Pattern(300, 200);
  const std::set<QRgb> own = Colours(full);
  const struct {
    const char* name;
    int bits;
    bool top_down;
  } kinds[] = {{"b24.bmp", 24, false}, {"b32.bmp", 32, false}, {"down.bmp", 24, true}};
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.name);
    prefix.WriteFile(kind.name, Bitmap(full, kind.bits, kind.top_down));
    const std::string path = std::string("c:\\") + kind.name;
    const QImage picked = DecodePictureFileScaled(path, QSize(30, 20), false);
    ASSERT_EQ(picked.size(), QSize(30, 20));
    for (const QRgb c : Colours(picked)) EXPECT_TRUE(own.count(c)) << std::hex << c;
    // The corners are the picture's corners; the bottom-left one is the transparent key.
    EXPECT_EQ(picked.pixel(0, 0), full.pixel(0, 0));
    EXPECT_EQ(picked.pixel(29, 0), full.pixel(299, 0));
    EXPECT_EQ(picked.pixel(0, 19), full.pixel(0, 199));
    EXPECT_EQ(picked.pixel(29, 19), full.pixel(299, 199));

    const QImage smooth = DecodePictureFileScaled(path, QSize(30, 20), true);
    ASSERT_EQ(smooth.size(), QSize(30, 20));
    EXPECT_EQ(smooth.pixel(0, 19), full.pixel(0, 199));
    // A picture that fits is left as it is; only what is larger is brought down.
    EXPECT_EQ(DecodePictureFileScaled(path, QSize(1000, 50), false).size(), QSize(300, 50));
    EXPECT_EQ(DecodePictureFileScaled(path, QSize(1000, 1000), true), full);
  }
}

TEST(PictureScaled, DamageAndOtherKindsAreFoundAsInTheFullDecode) {
  test::TempPrefix prefix;
  const QImage full = Pattern(64, 48);
  std::string cut = Bitmap(full, 24, false);
  cut.resize(cut.size() - 100);
  prefix.WriteFile("cut.bmp", cut);
  EXPECT_THROW(DecodePictureFileScaled("c:\\cut.bmp", QSize(8, 8), false), EInvalidGraphic);
  EXPECT_THROW(DecodePictureFileScaled("c:\\missing.bmp", QSize(8, 8), false), EFOpenError);

  // Kinds read whole (a palette bitmap, a JPEG image) are brought down the same way.
  QImage palette = full.convertToFormat(QImage::Format_Indexed8);
  ASSERT_TRUE(palette.save(QString::fromStdString(prefix.DriveC() + "/pal.bmp"), "BMP"));
  const QImage small = DecodePictureFileScaled("c:\\pal.bmp", QSize(16, 12), false);
  EXPECT_EQ(small.size(), QSize(16, 12));
  EXPECT_EQ(small.pixel(0, 11), palette.pixel(0, 47));
  ASSERT_TRUE(full.save(QString::fromStdString(prefix.DriveC() + "/photo.jpg"), "JPEG"));
  EXPECT_EQ(DecodePictureFileScaled("c:\\photo.jpg", QSize(16, 12), true).size(), QSize(16, 12));
}

TEST(PictureScaled, AStretchedBackgroundKeepsOnlyWhatItShows) {
  test::TempPrefix prefix;
  prefix.WriteFile("big.bmp", Bitmap(Pattern(1200, 900), 24, false));
  TImage stretched;
  stretched.resize(120, 90);
  stretched.SetFit(PictureFit::Stretch);
  stretched.SetTransparent(true);
  stretched.LoadFromFile("c:\\big.bmp");
  EXPECT_EQ(stretched.Picture().size(), QSize(120, 90));
  // A picture at its natural size shows its own pixels, so it is kept whole.
  TImage natural;
  natural.resize(120, 90);
  natural.LoadFromFile("c:\\big.bmp");
  EXPECT_EQ(natural.Picture().size(), QSize(1200, 900));
}

}  // namespace
}  // namespace qrv
