#include "fonts.h"

#include <QStringList>

namespace qrv {

void InstallFontSubstitutes() {
  static const bool installed = [] {
    QFont::insertSubstitutions("MS Sans Serif",
                               QStringList{"Liberation Sans", "Arimo", "DejaVu Sans"});
    QFont::insertSubstitutions("Tahoma", QStringList{"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Arial", QStringList{"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Lucida Console",
                               QStringList{"DejaVu Sans Mono", "Liberation Mono"});
    QFont::insertSubstitutions("Courier New", QStringList{"Liberation Mono", "DejaVu Sans Mono"});
    QFont::insertSubstitutions("Times New Roman", QStringList{"Liberation Serif", "DejaVu Serif"});
    return true;
  }();
  (void)installed;
}

QFont PixelFont(const std::string& face, int pixels, FontWeight weight, FontSlant slant) {
  InstallFontSubstitutes();
  QFont font(QString::fromStdString(face));
  font.setPixelSize(pixels > 0 ? pixels : 1);
  font.setBold(weight == FontWeight::kBold);
  font.setItalic(slant == FontSlant::kItalic);
  // Fixed-pitch faces must stay fixed even when the substitute is missing.
  if (face == "Lucida Console" || face == "Courier New") font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace qrv
