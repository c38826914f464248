#pragma once

#include <QString>
#include <string>

namespace qrv {

// Tag text is kept as Windows-1252 bytes, as other ID3v1 tools read and write it; these two
// convert where such text meets a widget.

// Every byte gives one character, by the code page's one rule (runtime/fs/code_page.h): the
// bytes it leaves undefined give control characters, so no byte is lost through an edit box.
QString Cp1252ToQString(const std::string& bytes);

// Every character gives one byte; a character that Windows-1252 cannot hold becomes '?'
// (a character outside the basic plane becomes a single '?').
std::string QStringToCp1252(const QString& text);

}  // namespace qrv
