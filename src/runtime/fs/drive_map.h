#pragma once

#include <optional>
#include <string>

namespace qrv::fs {

// The folder that holds the drive table: $QUORVIN_PREFIX, or ~/.quorvin when it is unset.
std::string PrefixDir();

// Maps a Windows path ("c:\qrv30\last.lst") onto the host file system. Names are looked up
// exactly first and then ignoring case, component by component; components that do not exist
// are kept as written. Gives nothing for a drive that is not in the table or a name that no host
// path can stand for.
std::optional<std::string> ToHostPath(const std::string& windows_path);

}  // namespace qrv::fs
