#pragma once

#include <string>
#include <string_view>

namespace qrv {

// A file or folder handed to the player from outside: a command-line argument, a URI dropped on
// the window or sent over the session bus.
struct HandedPath {
  // The Windows path through the drive table; empty when the thing handed has none.
  std::string windows;
  // The text to name it by in a message when it cannot be opened.
  std::string shown;
  // A URI of a scheme other than file: the player does not fetch anything.
  bool foreign_scheme = false;
};

// A command-line argument: a Windows path ("z:\music\a.mp3"), a file URI, or a host path, which
// is taken against host_cwd when relative (this process's folder when host_cwd is empty). The bytes
// are the host's own, whatever their encoding.
HandedPath HandedArgument(std::string_view argument, std::string_view host_cwd);

// A URI as the desktop hands it: "file://" with an optional "localhost" and percent-escapes.
HandedPath HandedUri(std::string_view uri);

// "c:\..." or a network share: a path that names the same place whatever the current folder.
bool IsAbsolutePath(const std::string& windows_path);

// The normalised folder of a file's Windows path: "c:\music\a.mp3" gives "c:\music".
std::string FolderOfFile(const std::string& windows_path);

}  // namespace qrv
