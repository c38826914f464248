#include "cp1252.h"

#include "runtime/fs/code_page.h"

namespace qrv {

QString Cp1252ToQString(const std::string& bytes) {
  QString out;
  out.resize(static_cast<qsizetype>(bytes.size()));
  QChar* dst = out.data();
  for (size_t i = 0; i < bytes.size(); ++i) {
    dst[i] = QChar(static_cast<char16_t>(fs::Cp1252Char(static_cast<unsigned char>(bytes[i]))));
  }
  return out;
}

std::string QStringToCp1252(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    // A surrogate pair is one character, so it becomes one '?'.
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    out += static_cast<char>(fs::Cp1252Byte(c.unicode()).value_or('?'));
  }
  return out;
}

}  // namespace qrv
