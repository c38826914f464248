#pragma once

#include <cstddef>
#include <string>

namespace qrv {

// Helpers for Windows paths held as 8-bit text ("c:\music\a.mp3").

// The part after the last backslash or drive colon: "c:\music\a.mp3" gives "a.mp3".
std::string ExtractFileName(const std::string& path);

// The folder part including its trailing delimiter: "c:\music\a.mp3" gives "c:\music\".
std::string ExtractFilePath(const std::string& path);

// The extension with its dot, taken from the file name only: "c:\a.b\c" gives "".
std::string ExtractFileExt(const std::string& path);

// Folder, a backslash unless the folder already ends in one, then the name.
std::string JoinPath(const std::string& folder, const std::string& name);

// The selected path of a folder file list: empty when nothing is selected.
std::string SelectedPath(const std::string& folder, const std::string& selected_name);

// ASCII-only case folding, as Windows file names compare: a-z and A-Z change, nothing else.
constexpr char AsciiUpperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}
constexpr char AsciiLowerChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}
constexpr bool IsAsciiLetter(char c) {
  return AsciiUpperChar(c) >= 'A' && AsciiUpperChar(c) <= 'Z';
}
std::string AsciiUpper(const std::string& text);
// The one rule by which two names (of files, folders, shares, devices) are the same whatever
// their case, as Windows compares them: every letter folds, not only A to Z, so that "Ärger.mp3"
// and "ärger.MP3" name one file. Names are UTF-8.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);
// Whether `text` ends in `tail` by that rule (a file name in an extension, say).
bool EndsWithIgnoringCase(const std::string& text, const std::string& tail);

// The length of a leading network share, "\\server\share" with both names non-empty, or 0 when
// the text does not start with one.
std::size_t UncShareLength(const std::string& text);

}  // namespace qrv
