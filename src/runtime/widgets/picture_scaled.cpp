#include "picture_scaled.h"

#include <QImageReader>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "picture_file.h"
#include "runtime/exceptions.h"
#include "runtime/fs/byte_order.h"
#include "runtime/fs/file_stream.h"
#include "runtime/paths.h"

namespace qrv {
namespace {

uint32_t Le32(const uint8_t* p) {
  return fs::LittleEndian(p, 4);
}
uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(fs::LittleEndian(p, 2));
}

// Picks `count` indexes spread evenly over `0 .. size - 1`, both ends included.
std::vector<int> Spread(int size, int count) {
  std::vector<int> picks(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    picks[static_cast<size_t>(i)] =
        count == 1 ? 0
                   : static_cast<int>((static_cast<int64_t>(i) * (size - 1) + (count - 1) / 2) /
                                      (count - 1));
  }
  return picks;
}

// An uncompressed bitmap of 24 or 32 bits a pixel, read in the rows and columns of a `target`
// sized picture only. Empty for any other kind of bitmap, which is decoded whole instead.
std::optional<QImage> ReadBitmapSampled(const std::string& path, QSize target) {
  FileStream file(path, FileMode::OpenRead);
  const int64_t size = file.Size();
  if (size > static_cast<int64_t>(kMaxPictureFileBytes)) throw EInvalidGraphic();
  std::array<uint8_t, 54> header{};
  if (file.Read(header.data(), header.size()) != header.size()) return std::nullopt;
  const uint32_t data_at = Le32(&header[10]);
  const uint32_t info_size = Le32(&header[14]);
  const auto width = static_cast<int32_t>(Le32(&header[18]));
  const auto height = static_cast<int32_t>(Le32(&header[22]));
  const uint16_t planes = Le16(&header[26]);
  const uint16_t bits = Le16(&header[28]);
  const uint32_t compression = Le32(&header[30]);
  if (header[0] != 'B' || header[1] != 'M' || info_size < 40 || planes != 1 ||
      (bits != 24 && bits != 32) || compression != 0 || width <= 0 || height == 0 ||
      height == INT32_MIN || data_at < 14 + info_size) {
    return std::nullopt;
  }
  const int rows = height < 0 ? -height : height;
  const int64_t stride = ((static_cast<int64_t>(width) * bits / 8) + 3) & ~int64_t{3};
  // A bitmap cut short is damaged, as the full decode finds it.
  if (static_cast<int64_t>(data_at) + stride * rows > size) throw EInvalidGraphic();

  const int out_width = std::min(target.width(), width);
  const int out_height = std::min(target.height(), rows);
  QImage image(out_width, out_height, QImage::Format_RGB32);
  if (image.isNull()) throw EInvalidGraphic();
  const std::vector<int> columns = Spread(width, out_width);
  const std::vector<int> picked_rows = Spread(rows, out_height);
  const int bytes_per_pixel = bits / 8;
  std::vector<uint8_t> line(static_cast<size_t>(stride));
  for (int y = 0; y < out_height; ++y) {
    const int row = picked_rows[static_cast<size_t>(y)];
    // Rows are stored from the bottom up unless the height is negative.
    const int stored = height > 0 ? rows - 1 - row : row;
    file.Seek(static_cast<int64_t>(data_at) + stride * stored, SeekOrigin::Begin);
    if (file.Read(line.data(), line.size()) != line.size()) throw EInvalidGraphic();
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < out_width; ++x) {
      const uint8_t* p = &line[static_cast<size_t>(columns[static_cast<size_t>(x)]) *
                               static_cast<size_t>(bytes_per_pixel)];
      out[x] = qRgb(p[2], p[1], p[0]);
    }
  }
  return image;
}

QImage ScaleDown(const QImage& full, QSize shown, bool smooth) {
  const QSize target(std::min(shown.width(), full.width()),
                     std::min(shown.height(), full.height()));
  if (target == full.size()) return full;
  QImage scaled = full.scaled(target, Qt::IgnoreAspectRatio,
                              smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
  if (scaled.format() != QImage::Format_RGB32 && scaled.format() != QImage::Format_ARGB32) {
    scaled = scaled.convertToFormat(QImage::Format_ARGB32);
  }
  scaled.setPixel(0, scaled.height() - 1, full.pixel(0, full.height() - 1));
  return scaled;
}

}  // namespace

QImage DecodePictureFileScaled(const std::string& path, QSize shown, bool smooth) {
  if (shown.isEmpty()) return DecodePictureFile(path);
  if (EndsWithIgnoringCase(path, ".bmp")) {
    // Smooth scaling looks at twice the pixels it keeps; picked pixels are exact as they are.
    const QSize sampled = smooth ? shown * 2 : shown;
    if (std::optional<QImage> image = ReadBitmapSampled(path, sampled)) {
      return smooth ? ScaleDown(*image, shown, true) : *image;
    }
  }
  return ScaleDown(DecodePictureFile(path, shown), shown, smooth);
}

}  // namespace qrv
