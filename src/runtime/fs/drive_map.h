#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "file_ops.h"

// The program keeps Windows paths ("c:\qrv30\last.lst"). This layer maps them onto the host file
// system through a drive table kept in the prefix folder, the way Wine does:
//   $QUORVIN_PREFIX/drive_c          drive c:
//   $QUORVIN_PREFIX/dosdevices/d:    a symbolic link naming drive d: (any letter, c: and z: too)
//   /                                drive z:, unless the table names z: itself
// Names are looked up exactly first and then ignoring case, one component at a time. A host name
// that no Windows path can spell (see IsExpressibleName) is invisible to every lookup.
namespace qrv::fs {

// The folder that holds the drive table: $QUORVIN_PREFIX, or ~/.quorvin when it is unset.
std::string PrefixDir();

struct Drive {
  char letter;            // Lower case.
  std::string host_root;  // Absolute host folder, symbolic links resolved.
};

// The drives that exist now, in letter order.
std::vector<Drive> Drives();
std::optional<std::string> DriveHostRoot(char letter);

// Whether a single host file name can be written in a Windows path without being mistaken for
// something else: valid UTF-8, and none of the backslash, the drive colon, the wildcards or
// control characters.
bool IsExpressibleName(const std::string& name);

// An absolute, normalised Windows path: lower-case drive letter, single backslashes, no "." or
// ".." (they never climb above the root), no trailing backslash except on a root ("c:\").
// Relative paths are taken against the current folders; "/" counts as a backslash. A network
// path ("\\server\share\x") keeps its share at the front. The empty text stays empty.
std::string ExpandFileName(const std::string& path);

// Why a Windows path has no host path.
enum class PathProblem { kNone, kBadName, kNoDrive };

// The host path of a Windows path (relative ones too). Components that do not exist are kept as
// written, so the result may name something that is yet to be created.
std::optional<std::string> ToHostPath(const std::string& windows_path);
std::optional<std::string> ToHostPath(const std::string& windows_path, PathProblem& problem);
// The host path of a Windows path with every name as written, looked up nowhere. When something
// exists there, it is what ToHostPath gives too; when not, ToHostPath may still find it under
// another case. Nothing when ToHostPath gives nothing.
std::optional<std::string> SpelledHostPath(const std::string& windows_path);

// The Windows path of a host path, through the drive with the longest matching root. Nothing when
// no drive holds it or when one of its names cannot be expressed.
std::optional<std::string> FromHostPath(const std::string& host_path);

// The process's current folder, as a canonical Windows path ("c:\music"). It starts as the host's
// working directory mapped into the drive table.
std::string GetCurrentDir();
// Enters a folder (absolute, relative, or "d:" for that drive's current folder). Gives false and
// changes nothing when the folder does not exist or cannot be entered. The stored path uses the
// names as they are on disk.
bool SetCurrentDir(const std::string& path);
// The current folder of one drive: the root of the drive when it was never set.
std::string GetDriveCurrentDir(char letter);

// Forgets the current folders and the cached drive table, so that the next use starts afresh
// from the host's working directory and the prefix. Tests call it whenever they switch prefixes.
void ResetState();

// The clock that tells when a settled drive table is looked at again. Tests set a clock of their
// own and move it on; nullptr puts the steady clock back.
using SteadyNow = std::chrono::steady_clock::time_point (*)();
void SetDriveTableClock(SteadyNow now);

}  // namespace qrv::fs
