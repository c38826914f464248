#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qrv::fs {

// What kind of device a drive letter stands for.
enum class DriveKind { NoDrive, Removable, Fixed, Network, CdRom, RamDisk };

// One line of the mount table.
struct MountEntry {
  std::string source;       // "/dev/sdb1", "//server/share", "server:/export"
  std::string mount_point;  // Absolute host path.
  std::string fs_type;      // "ext4", "cifs", "iso9660" ...
};

// Parses mount table text in the format of /proc/self/mounts, undoing its octal escapes
// ("\040" for a space). Malformed lines are skipped.
std::vector<MountEntry> ParseMountTable(const std::string& text);

// The entry whose mount point holds the host path, the longest such mount point winning.
std::optional<MountEntry> MountFor(const std::vector<MountEntry>& mounts,
                                   const std::string& host_path);

// The kind a mount stands for, from its file system type and source.
DriveKind KindOfMount(const MountEntry& mount);

// A network mount's source written as a Windows share: "//srv/music" and "srv:/music" both give
// "\\srv\music". Empty for a source that names no server.
std::string RemoteNameOfSource(const std::string& source);

// Reads the mount table from this file instead of /proc/self/mounts; an empty path restores the
// default. Tests use it to stand up network and CD drives.
void SetMountTablePath(const std::string& path);

// The kind of a drive of the drive table; NoDrive when the letter names no drive or its root is
// gone.
DriveKind GetDriveKind(char letter);

// The volume label: the first line of ".windows-label" in the drive's root, or empty when there
// is none. Reading it never waits for a network drive: for those the label is not looked up.
std::string VolumeLabel(char letter);

// A network drive's remote name, "\\server\share"; nothing when the drive is not a network
// drive or its source names no server.
std::optional<std::string> RemoteName(char letter);

}  // namespace qrv::fs
