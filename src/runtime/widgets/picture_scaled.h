#pragma once

#include <QImage>
#include <QSize>
#include <string>

namespace qrv {

// Decodes the picture file at a Windows path as DecodePictureFile does, with its errors, but no
// larger than `shown`: a picture larger in either direction comes back scaled down to it, as a
// stretched picture is seen. An uncompressed bitmap is read only in the rows the smaller picture
// needs, and a JPEG image is decoded small, so neither the time nor the memory of the full
// picture is spent. `smooth` blends neighbouring pixels; without it every pixel keeps one of the
// picture's own colours, so that a colour left out of a transparent picture stays exact. The
// bottom-left pixel is always the full picture's. An empty `shown` decodes the full picture.
QImage DecodePictureFileScaled(const std::string& path, QSize shown, bool smooth);

}  // namespace qrv
