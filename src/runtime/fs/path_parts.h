#pragma once

#include <optional>
#include <string>
#include <vector>

// Splitting Windows paths into their pieces; shared by the file system layer only.
namespace qrv::fs {

struct WindowsPathParts {
  char letter = 0;    // Lower case; 0 for a network path.
  std::string share;  // "\\server\share" of a network path, otherwise empty.
  std::vector<std::string> parts;
};

// Splits an absolute path as ExpandFileName gives it. Nothing for a relative path.
std::optional<WindowsPathParts> ParseWindowsPath(const std::string& absolute);

// The canonical text: "c:\" for a root, "c:\a\b" below it, "\\server\share\a" for a network path.
std::string JoinWindowsPath(const WindowsPathParts& path);

// Adds the pieces of a backslash-separated text to a path: empty pieces and "." are skipped and
// ".." removes the last piece, never climbing above the root.
void AppendPieces(std::vector<std::string>& parts, const std::string& text);

// Drops the cached drive table so that the next lookup reads the prefix afresh.
void ForgetDriveTable();

}  // namespace qrv::fs
