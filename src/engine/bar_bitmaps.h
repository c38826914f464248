#pragma once

#include <QImage>
#include <string>

namespace qrv {

// The colour the bar bitmaps use for their see-through background.
inline constexpr QRgb kBarTransparent = 0xFF808000;

// One of the 27 bar bitmaps by its resource name ("EN_MPPLAY", "DI_MPSTOP", "CL_MPEJECT");
// a null image for an unknown name. They are drawn once, in the 16 colours of the classic
// palette, on the olive background that the bar treats as transparent.
const QImage& BarBitmap(const std::string& name);

}  // namespace qrv
