#pragma once

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

// ASCII-only case folding, as Windows file names compare.
std::string AsciiUpper(const std::string& text);
bool SameTextIgnoringCase(const std::string& a, const std::string& b);

}  // namespace qrv
