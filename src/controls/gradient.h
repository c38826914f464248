#pragma once

#include <QImage>
#include <QRandomGenerator>

#include "controls/color.h"

namespace qrv {

// The colour of band i of n between a top and a bottom colour: each component moves by
// i x (c2 - c1) / (n - 1), rounded half to even.
TColor GradientBandColor(TColor c1, TColor c2, int band, int bands);

// First and one-past-last row of band i of n in a bitmap h rows high, rounded half away from zero.
int GradientBandTop(int band, int bands, int height);

// A w x h vertical gradient from c1 (top) to c2 (bottom) in n solid bands. With dithering the
// top edge of each band is scattered with pixels of the band above, in a 16-pixel-wide strip that
// is then repeated across the width. Colours must be plain (already resolved).
QImage CreateGradient(int w, int h, TColor c1, TColor c2, int bands, bool dither,
                      QRandomGenerator& random);

}  // namespace qrv
