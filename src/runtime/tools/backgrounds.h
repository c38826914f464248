#pragma once

#include <string>
#include <vector>

namespace qrv::provision {

// The size of the main window's background picture.
constexpr int kBackgroundWidth = 313;
constexpr int kBackgroundHeight = 481;

struct Rgb {
  unsigned char r, g, b;
};

// A 24-bit uncompressed bottom-up Windows bitmap file of the given pixels (row-major, top row
// first, width * height entries).
std::string EncodeBitmap(int width, int height, const std::vector<Rgb>& pixels);

struct Background {
  std::string file_name;  // "standar.bmp" first.
  std::string bytes;      // A complete .bmp file.
};

// The backgrounds the data folder starts with: light, calm pictures drawn here, on which the
// main window's blue text stays easy to read.
std::vector<Background> MakeBackgrounds();

}  // namespace qrv::provision
