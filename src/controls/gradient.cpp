#include "controls/gradient.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace qrv {

namespace {

int BandComponent(int a, int b, int band, int bands) {
  const double step = static_cast<double>(b - a) / static_cast<double>(bands - 1);
  return a + static_cast<int>(std::nearbyint(band * step));
}

QRgb ToRgb(TColor c) {
  return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// Fills rows y0 to y1 - 1 across the whole width.
void FillRows(QImage& image, int y0, int y1, QRgb color) {
  for (int y = std::max(y0, 0); y < std::min(y1, image.height()); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(line, line + image.width(), color);
  }
}

}  // namespace

TColor GradientBandColor(TColor c1, TColor c2, int band, int bands) {
  if (bands < 2) return c1;
  return RGBColor(BandComponent(RedOf(c1), RedOf(c2), band, bands),
                  BandComponent(GreenOf(c1), GreenOf(c2), band, bands),
                  BandComponent(BlueOf(c1), BlueOf(c2), band, bands));
}

int GradientBandTop(int band, int bands, int height) {
  return static_cast<int>(std::lround(static_cast<double>(band) * height / bands));
}

QImage CreateGradient(int w, int h, TColor c1, TColor c2, int bands, bool dither,
                      QRandomGenerator& random) {
  if (w <= 0 || h <= 0) return QImage();
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(ToRgb(c1));
  if (bands < 2) return image;
  // Band by band: each band is filled, then its top edge is scattered into the colour above. A
  // later band's fill covers whatever of that scatter reached into its rows.
  const int m = h / (bands - 1);
  const int strip = std::min(w, 16);
  for (int i = 0; i < bands; ++i) {
    FillRows(image, GradientBandTop(i, bands, h), GradientBandTop(i + 1, bands, h),
             ToRgb(GradientBandColor(c1, c2, i, bands)));
    if (!dither || i == 0) continue;
    const int y0 = GradientBandTop(i, bands, h);
    const QRgb above = ToRgb(GradientBandColor(c1, c2, i - 1, bands));
    for (int x = 0; x < strip; ++x) {
      for (int k = 0; k <= m; ++k) {
        const int y = y0 + (k > 0 ? static_cast<int>(random.bounded(k)) : 0);
        if (y >= 0 && y < h) image.setPixel(x, y, above);
      }
    }
  }
  // The first 16 columns are repeated across the width, so dithering is done only once.
  if (w > 16) {
    QPainter p(&image);
    const QImage strip = image.copy(0, 0, 16, h);
    for (int e = 1; e <= w / 16; ++e) p.drawImage(16 * e, 0, strip);
  }
  return image;
}

}  // namespace qrv
