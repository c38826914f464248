#pragma once

#include <QFont>
#include <string>

namespace qrv {

enum class FontWeight { kRegular, kBold };
enum class FontSlant { kUpright, kItalic };

// A font given as the window layouts give it: a Windows face name and a character height in
// pixels. The Windows faces are mapped onto metric-compatible Linux fonts ("MS Sans Serif" and
// "Tahoma" onto Liberation Sans, "Lucida Console" onto DejaVu Sans Mono, "Times New Roman" onto
// Liberation Serif), so that texts fit the sizes the layouts were made for.
QFont PixelFont(const std::string& face, int pixels, FontWeight weight = FontWeight::kRegular,
                FontSlant slant = FontSlant::kUpright);

// Registers the face substitutions with Qt; PixelFont does it by itself on first use.
void InstallFontSubstitutes();

}  // namespace qrv
