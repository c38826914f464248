#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <initializer_list>

namespace qrv {

namespace {

bool Installed(const QString& family) {
  static const QStringList families = QFontDatabase::families();
  return families.contains(family, Qt::CaseInsensitive);
}

QString FirstInstalled(std::initializer_list<const char*> candidates, const char* fallback) {
  for (const char* c : candidates) {
    if (Installed(QString::fromLatin1(c))) return QString::fromLatin1(c);
  }
  return QString::fromLatin1(fallback);
}

bool IsFixedPitch(const QString& lower) {
  return lower == "lucida console" || lower == "courier" || lower == "courier new" ||
         lower == "fixedsys" || lower == "terminal";
}

}  // namespace

QString MapFontFace(const QString& face) {
  const QString f = face.trimmed().toLower();
  if (f.isEmpty() || f == "ms sans serif" || f == "microsoft sans serif" || f == "arial" ||
      f == "tahoma" || f == "verdana" || f == "ms shell dlg" || f == "ms shell dlg 2" ||
      f == "system") {
    return FirstInstalled({"Liberation Sans", "Arimo", "DejaVu Sans"}, "Sans Serif");
  }
  if (f == "ms serif" || f == "times new roman") {
    return FirstInstalled({"Liberation Serif", "Tinos", "DejaVu Serif"}, "Serif");
  }
  if (f == "lucida console") {
    return FirstInstalled({"DejaVu Sans Mono", "Liberation Mono"}, "Monospace");
  }
  if (IsFixedPitch(f)) {
    return FirstInstalled({"Liberation Mono", "Cousine", "DejaVu Sans Mono"}, "Monospace");
  }
  return face;
}

QFont PixelFont(const std::string& face, int pixels, FontWeight weight, FontSlant slant) {
  const QString name = QString::fromStdString(face);
  QFont font(MapFontFace(name));
  font.setPixelSize(pixels > 0 ? pixels : 1);
  font.setBold(weight == FontWeight::kBold);
  font.setItalic(slant == FontSlant::kItalic);
  // Fixed-pitch faces must stay fixed even when no substitute is installed.
  if (IsFixedPitch(name.trimmed().toLower())) font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace qrv
