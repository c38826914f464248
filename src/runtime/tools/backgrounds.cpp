#include "backgrounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace qrv::provision {

namespace {

void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A fixed pseudo-random value in [-1, 1] per pixel, for a little texture without any seed.
double Grain(int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFF) / 32767.5 - 1.0;
}

unsigned char Clamp(double v) {
  return static_cast<unsigned char>(std::clamp(std::lround(v), 0L, 255L));
}

Rgb Mix(Rgb a, Rgb b, double t, double grain = 0) {
  t = std::clamp(t, 0.0, 1.0);
  return {Clamp(a.r + (b.r - a.r) * t + grain), Clamp(a.g + (b.g - a.g) * t + grain),
          Clamp(a.b + (b.b - a.b) * t + grain)};
}

bool operator==(Rgb a, Rgb b) {
  return a.r == b.r && a.g == b.g && a.b == b.b;
}

// The main window shows its background as a transparent picture: the window shows through
// wherever the bitmap has the colour of its bottom-left pixel. A texture would repeat that colour
// here and there, each one a speck of the window's black; those pixels move one step of blue
// away, which no eye tells apart, so that the corner alone shows through.
void KeepSeeThroughColourToTheCorner(std::vector<Rgb>& pixels) {
  const size_t corner = static_cast<size_t>(kBackgroundHeight - 1) * kBackgroundWidth;
  const Rgb key = pixels[corner];
  const unsigned char nudged = key.b < 255 ? key.b + 1 : key.b - 1;
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (i != corner && pixels[i] == key) pixels[i].b = nudged;
  }
}

std::string Draw(const std::function<Rgb(int x, int y, double u, double v)>& shade) {
  std::vector<Rgb> pixels;
  pixels.reserve(static_cast<size_t>(kBackgroundWidth) * kBackgroundHeight);
  for (int y = 0; y < kBackgroundHeight; ++y) {
    for (int x = 0; x < kBackgroundWidth; ++x) {
      pixels.push_back(
          shade(x, y, x / double(kBackgroundWidth - 1), y / double(kBackgroundHeight - 1)));
    }
  }
  KeepSeeThroughColourToTheCorner(pixels);
  return EncodeBitmap(kBackgroundWidth, kBackgroundHeight, pixels);
}

// Brushed silver: a cool vertical gradient with fine horizontal streaks.
Rgb Silver(int x, int y, double, double v) {
  const double streak = Grain(x / 24, y) * 3.0 + Grain(x, y) * 1.5;
  return Mix({236, 240, 246}, {186, 198, 214}, v, streak);
}

// Dawn: cream turning to peach along the diagonal, with a soft glow near the top right.
Rgb Dawn(int x, int y, double u, double v) {
  const Rgb base = Mix({255, 246, 228}, {246, 204, 172}, (u * 0.35 + v * 0.65));
  const double dx = x - kBackgroundWidth * 0.8, dy = y - kBackgroundHeight * 0.12;
  const double glow = std::exp(-(dx * dx + dy * dy) / (2 * 90.0 * 90.0));
  return Mix(base, {255, 252, 240}, glow * 0.8, Grain(x, y) * 1.2);
}

// Mint: pale green with wide, faint diagonal bands.
Rgb Mint(int x, int y, double, double v) {
  const double band = 0.5 + 0.5 * std::sin((x + y) * 2 * M_PI / 46.0);
  const Rgb base = Mix({232, 246, 236}, {204, 232, 214}, v);
  return Mix(base, {244, 252, 246}, band * 0.45, Grain(x, y));
}

// Frost: white at the heart fading to ice blue, with gentle rings.
Rgb Frost(int x, int y, double, double) {
  const double dx = x - kBackgroundWidth / 2.0, dy = y - kBackgroundHeight * 0.42;
  const double r = std::sqrt(dx * dx + dy * dy) / 300.0;
  const double rings = 0.04 * std::sin(r * 40.0);
  return Mix({250, 252, 255}, {196, 222, 244}, r + rings, Grain(x, y) * 1.5);
}

// Linen: warm light grey with a fine woven texture.
Rgb Linen(int x, int y, double, double v) {
  const bool warp = ((x / 2) + (y / 2)) % 2 == 0;
  const double thread = (warp ? 1.0 : -1.0) * (2.0 + 1.5 * Grain(x / 2, y));
  return Mix({240, 234, 222}, {222, 212, 196}, v, thread + Grain(x, y));
}

// Lavender: a quiet lilac gradient crossed by soft vertical waves.
Rgb Lavender(int x, int y, double u, double v) {
  const double wave = 0.5 + 0.5 * std::sin(u * 5.0 * M_PI + std::sin(v * 3.0 * M_PI) * 1.4);
  const Rgb base = Mix({244, 238, 252}, {214, 204, 236}, v);
  return Mix(base, {250, 246, 255}, wave * 0.35, Grain(x, y));
}

}  // namespace

std::string EncodeBitmap(int width, int height, const std::vector<Rgb>& pixels) {
  const uint32_t row_bytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t image_bytes = row_bytes * static_cast<uint32_t>(height);
  std::string out;
  out.reserve(54 + image_bytes);
  out += "BM";
  PutLe(out, 54 + image_bytes, 4);  // File size.
  PutLe(out, 0, 4);                 // Reserved.
  PutLe(out, 54, 4);                // Offset of the pixels.
  PutLe(out, 40, 4);                // Size of the info header.
  PutLe(out, static_cast<uint32_t>(width), 4);
  PutLe(out, static_cast<uint32_t>(height), 4);  // Positive: bottom row first.
  PutLe(out, 1, 2);                              // Planes.
  PutLe(out, 24, 2);                             // Bits per pixel.
  PutLe(out, 0, 4);                              // No compression.
  PutLe(out, image_bytes, 4);
  PutLe(out, 2835, 4);  // 72 dots per inch, both ways.
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);  // No palette.
  PutLe(out, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& p = pixels[static_cast<size_t>(y) * width + x];
      out.push_back(static_cast<char>(p.b));
      out.push_back(static_cast<char>(p.g));
      out.push_back(static_cast<char>(p.r));
    }
    out.append(row_bytes - static_cast<uint32_t>(width) * 3, '\0');
  }
  return out;
}

std::vector<Background> MakeBackgrounds() {
  return {
      {"standar.bmp", Draw(Silver)}, {"dawn.bmp", Draw(Dawn)},   {"mint.bmp", Draw(Mint)},
      {"frost.bmp", Draw(Frost)},    {"linen.bmp", Draw(Linen)}, {"lavender.bmp", Draw(Lavender)},
  };
}

}  // namespace qrv::provision
