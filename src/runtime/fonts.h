#pragma once

#include <QFont>
#include <QString>
#include <string>

namespace qrv {

enum class FontWeight { kRegular, kBold };
enum class FontSlant { kUpright, kItalic };

// The installed face that stands in for a Windows face named by a window layout, keeping its
// metrics as close as possible: "MS Sans Serif" and "Tahoma" become Liberation Sans, "Lucida
// Console" DejaVu Sans Mono, "Times New Roman" Liberation Serif. Unknown faces are kept.
QString MapFontFace(const QString& face);

// A font given as the window layouts give it: a Windows face name and a character height in
// pixels, mapped so that texts fit the sizes the layouts were made for.
QFont PixelFont(const std::string& face, int pixels, FontWeight weight = FontWeight::kRegular,
                FontSlant slant = FontSlant::kUpright);

}  // namespace qrv
