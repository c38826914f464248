#pragma once

#include <QFont>
#include <string>

namespace qrv {

enum class FontWeight { Normal, Bold };
enum class FontSlant { Upright, Italic };

// The installed face that stands in for one of the classic Windows faces the layouts name. The
// stand-ins share the originals' metrics closely enough that the layouts keep their line fits.
QString MappedFontFamily(const std::string& face);

// A font for a layout entry: the face is mapped, the size is kept in pixels, as the layouts give
// it, so that text fits its control whatever the screen's resolution.
QFont LayoutFont(const std::string& face, int pixel_size, FontWeight weight = FontWeight::Normal,
                 FontSlant slant = FontSlant::Upright);

}  // namespace qrv
