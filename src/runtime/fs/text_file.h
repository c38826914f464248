#pragma once

#include <cstddef>
#include <string>

// Plain 8-bit text files named by Windows paths.
namespace qrv {

// The first line of a file: everything up to the first CR or LF, or to the end. An empty file
// reads as an empty line. Failures raise EInOutError with the Windows error number: "File not
// found" (2, 3), "File access denied" (5), "Invalid filename" (123), else "I/O error %d".
std::string ReadFirstLine(const std::string& path);

// Replaces the file with the line followed by CR LF. The new content goes through a temporary
// file beside the old one, so a failure leaves the old file as it was; it raises EFCreateError
// ("Cannot create file %s") with the path as given. A line holding CR or LF would not read back
// as one line, so it is refused the same way and nothing is written.
void WriteTextLine(const std::string& path, const std::string& line);

// The start of a text file as stored, at most limit bytes, and whether the file went on beyond.
struct TextPrefix {
  std::string text;
  bool cut = false;
};

// Reads a text file for showing, for the help window. Only regular files are read. Raises
// EFOpenError ("Cannot open file %s") when it cannot be opened and EReadError when reading fails.
TextPrefix ReadTextFile(const std::string& path, size_t limit);

}  // namespace qrv
