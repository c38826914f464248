#pragma once

#include <QImage>
#include <QPalette>

#include "controls/color.h"

namespace qrv {

// How the bitmap button colours the gray and disabled copies of its glyph.
enum class TGrayImageListStyle { gisGray = 0, gisSystemDeactive = 1, gisBlue = 2 };

// The brightness of a pixel after the transform: avg x portion / 100, rounded half to even and
// capped at 255.
int GrayLevel(int average, int portion);

// The colour a pixel of brightness level a becomes in a style, system colours resolved against
// the palette.
TColor GrayStyleColor(int level, TGrayImageListStyle style, const QPalette& palette);

// Transforms every pixel of the image in place, except those whose colour equals the key colour.
void GrayTransform(QImage& image, int portion, TGrayImageListStyle style, TColor key,
                   const QPalette& palette);

// A copy of the image with every pixel of the key colour made transparent, ready to be drawn
// over what lies beneath. The copy is kept until the source or the key changes.
class KeyedImage {
 public:
  const QImage& Get(const QImage& source, TColor key);

 private:
  qint64 source_key_ = 0;
  TColor key_ = 0;
  bool valid_ = false;
  QImage keyed_;
};

}  // namespace qrv
