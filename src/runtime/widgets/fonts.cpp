#include "fonts.h"

#include <QFontDatabase>
#include <array>

#include "runtime/paths.h"

namespace qrv {
namespace {

struct FaceMapping {
  const char* face;
  std::array<const char*, 2> candidates;
};

// Liberation faces are metric-compatible with the Windows core fonts; DejaVu is the fallback
// that every Debian desktop has.
constexpr std::array<FaceMapping, 6> kMappings{{
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Microsoft Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Arial", {"Liberation Sans", "DejaVu Sans"}},
    {"Tahoma", {"DejaVu Sans", "Liberation Sans"}},
    {"Lucida Console", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
}};

bool Installed(const QString& family) {
  return QFontDatabase::hasFamily(family);
}

}  // namespace

QString MappedFontFamily(const std::string& face) {
  for (const auto& mapping : kMappings) {
    if (!SameTextIgnoringCase(face, mapping.face)) continue;
    for (const char* candidate : mapping.candidates) {
      if (Installed(QString::fromLatin1(candidate))) return QString::fromLatin1(candidate);
    }
    // Neither stand-in is installed: the first one still names the intent, and Qt's own
    // substitution picks the closest face.
    return QString::fromLatin1(mapping.candidates[0]);
  }
  return QString::fromStdString(face);
}

QFont LayoutFont(const std::string& face, int pixel_size, FontWeight weight, FontSlant slant) {
  QFont font(MappedFontFamily(face));
  font.setPixelSize(pixel_size);
  font.setBold(weight == FontWeight::Bold);
  font.setItalic(slant == FontSlant::Italic);
  const bool fixed_pitch = SameTextIgnoringCase(face, "Lucida Console");
  font.setFixedPitch(fixed_pitch);
  if (fixed_pitch) {
    font.setStyleHint(QFont::Monospace);
  } else if (SameTextIgnoringCase(face, "Times New Roman")) {
    font.setStyleHint(QFont::Serif);
  } else {
    font.setStyleHint(QFont::SansSerif);
  }
  return font;
}

}  // namespace qrv
