#pragma once

#include <QString>
#include <string>

namespace qrv {

// Tag text is kept as Windows-1252 bytes, as other ID3v1 tools read and write it; these two
// convert where such text meets a widget.

// Every byte gives one character. The five bytes that Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) give the control characters of the same value, as Windows itself decodes
// them, so that no byte is lost on the way through an edit box.
QString Cp1252ToQString(const std::string& bytes);

// Every character gives one byte; a character that Windows-1252 cannot hold becomes '?'
// (a character outside the basic plane becomes a single '?').
std::string QStringToCp1252(const QString& text);

}  // namespace qrv
