#include "controls/gray_transform.h"

#include <cmath>

namespace qrv {

int GrayLevel(int average, int portion) {
  // Exact hundredths in integers: a binary 0.01 would nudge true halves off their tie.
  const int n = average * portion;
  int a = n / 100;
  const int rest = n % 100;
  if (rest > 50 || (rest == 50 && (a % 2) != 0)) ++a;
  return a > 255 ? 255 : a;
}

TColor GrayStyleColor(int a, TGrayImageListStyle style, const QPalette& palette) {
  switch (style) {
    case TGrayImageListStyle::gisGray:
      return RGBColor(a, a, a);
    case TGrayImageListStyle::gisSystemDeactive:
      if (a > 180) return ColorToRGB(clBtnHighlight, palette);
      if (a > 80) return ColorToRGB(clBtnFace, palette);
      if (a > 30) return ColorToRGB(clBtnShadow, palette);
      return ColorToRGB(clBtnText, palette);
    case TGrayImageListStyle::gisBlue: {
      // a / 1.1 is 10a / 11, which never falls on a half, so plain rounding is exact.
      const int b = (20 * a + 11) / 22;
      return RGBColor(b, b, a);
    }
  }
  return RGBColor(a, a, a);
}

void GrayTransform(QImage& image, int portion, TGrayImageListStyle style, TColor key,
                   const QPalette& palette) {
  if (image.isNull()) return;
  if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
  const TColor plain_key = ColorToRGB(key, palette);
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      const TColor c = FromQRgb(line[x]);
      if (c == plain_key) continue;
      const int average = (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3;
      const TColor n = GrayStyleColor(GrayLevel(average, portion), style, palette);
      line[x] = qRgb(RedOf(n), GreenOf(n), BlueOf(n));
    }
  }
}

const QImage& KeyedImage::Get(const QImage& source, TColor key) {
  if (valid_ && source.cacheKey() == source_key_ && key == key_) return keyed_;
  keyed_ = source.convertToFormat(QImage::Format_ARGB32);
  const QRgb plain = qRgb(RedOf(key), GreenOf(key), BlueOf(key)) & 0x00FFFFFFu;
  for (int y = 0; y < keyed_.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(keyed_.scanLine(y));
    for (int x = 0; x < keyed_.width(); ++x) {
      if ((line[x] & 0x00FFFFFFu) == plain) line[x] = 0;
    }
  }
  source_key_ = source.cacheKey();
  key_ = key;
  valid_ = true;
  return keyed_;
}

}  // namespace qrv
