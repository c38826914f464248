#pragma once

#include <string>

namespace qrv {

// A path typed or stored by a window, split the way the folder controls read it.
struct PathParts {
  char drive = 0;      // Lower-case drive letter; 0 for a network share.
  std::string folder;  // "\music", "music" (relative to the drive's folder) or "\\srv\share\x".
  std::string file;    // The last component when it names a file or holds wildcards; else empty.

  // The folder to enter: drive letter, colon and folder part, or the folder part alone.
  std::string FolderPath() const;
};

// True when a name holds "*" or "?".
bool HasWildcards(const std::string& text);

// Splits a path into drive, folder and file part. "[name]" is a folder on the current drive; a
// last component that is not an existing file and holds no wildcard is taken as a folder; a path
// with no separator after the drive means that drive's current folder. A network share that a
// drive of the table is connected to is read as that drive. The process's current folder is not
// changed.
PathParts AnalysePath(const std::string& text);

}  // namespace qrv
