#include "volumes.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <sstream>

#include "drive_map.h"
#include "unique_fd.h"

namespace qrv::fs {

namespace {

std::string& MountTablePath() {
  static std::string path;
  return path;
}

// Reads at most `limit` bytes of a small file; empty when it cannot be read.
std::string ReadSmallFile(const std::string& path, size_t limit) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.Valid()) return {};
  std::string text;
  std::array<char, 4096> buffer;
  while (text.size() < limit) {
    const ssize_t got = ::read(fd.Get(), buffer.data(), buffer.size());
    if (got <= 0) break;
    text.append(buffer.data(), static_cast<size_t>(got));
  }
  if (text.size() > limit) text.resize(limit);
  return text;
}

std::string Unescape(const std::string& field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && field.size() - i >= 4) {
      const char a = field[i + 1], b = field[i + 2], c = field[i + 3];
      if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
        out.push_back(static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (c - '0')));
        i += 3;
        continue;
      }
    }
    out.push_back(field[i]);
  }
  return out;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// True when the kernel marks the block device behind a mount as removable.
bool RemovableDevice(const std::string& source) {
  if (!StartsWith(source, "/dev/")) return false;
  const std::string name = source.substr(source.rfind('/') + 1);
  if (name.empty() || name.find("..") != std::string::npos) return false;
  const std::string base = "/sys/class/block/" + name;
  // A partition carries no flag of its own; its disk is the folder above it.
  for (const char* file : {"/removable", "/../removable"}) {
    const std::string flag = ReadSmallFile(base + file, 8);
    if (!flag.empty()) return flag[0] == '1';
  }
  return false;
}

std::optional<MountEntry> MountOfDrive(char letter) {
  const auto root = DriveHostRoot(letter);
  if (!root) return std::nullopt;
  char resolved[PATH_MAX];
  if (!::realpath(root->c_str(), resolved)) return std::nullopt;
  const std::string table_path = MountTablePath().empty() ? "/proc/self/mounts" : MountTablePath();
  const auto mounts = ParseMountTable(ReadSmallFile(table_path, 4 << 20));
  auto mount = MountFor(mounts, resolved);
  // A root with no mount table to go by is still an ordinary drive.
  if (!mount) mount = MountEntry{"", "/", ""};
  return mount;
}

}  // namespace

std::vector<MountEntry> ParseMountTable(const std::string& text) {
  std::vector<MountEntry> mounts;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    MountEntry entry;
    if (!(fields >> entry.source >> entry.mount_point >> entry.fs_type)) continue;
    entry.source = Unescape(entry.source);
    entry.mount_point = Unescape(entry.mount_point);
    if (entry.mount_point.empty() || entry.mount_point[0] != '/') continue;
    mounts.push_back(std::move(entry));
  }
  return mounts;
}

std::optional<MountEntry> MountFor(const std::vector<MountEntry>& mounts,
                                   const std::string& host_path) {
  std::optional<MountEntry> best;
  for (const auto& mount : mounts) {
    const std::string& point = mount.mount_point;
    const bool inside = point == "/" || host_path == point ||
                        (StartsWith(host_path, point) && host_path[point.size()] == '/');
    // Later lines mount over earlier ones at the same point, so ties go to the later line.
    if (inside && (!best || point.size() >= best->mount_point.size())) best = mount;
  }
  return best;
}

DriveKind KindOfMount(const MountEntry& mount) {
  static const char* const kNetwork[] = {"nfs", "nfs4", "cifs", "smb3",      "smbfs",      "ncpfs",
                                         "afs", "ceph", "9p",   "glusterfs", "fuse.sshfs", "davfs"};
  const std::string& type = mount.fs_type;
  for (const char* name : kNetwork)
    if (type == name) return DriveKind::Network;
  if (type == "iso9660" || type == "udf") return DriveKind::CdRom;
  if (type == "tmpfs" || type == "ramfs") return DriveKind::RamDisk;
  if (StartsWith(mount.mount_point, "/media/") || StartsWith(mount.mount_point, "/run/media/") ||
      RemovableDevice(mount.source))
    return DriveKind::Removable;
  return DriveKind::Fixed;
}

std::string RemoteNameOfSource(const std::string& source) {
  std::string server, path;
  if (StartsWith(source, "//") || StartsWith(source, "\\\\")) {
    const std::string rest = source.substr(2);
    const size_t cut = rest.find_first_of("/\\");
    server = rest.substr(0, cut);
    path = cut == std::string::npos ? "" : rest.substr(cut + 1);
  } else if (const size_t colon = source.find(':'); colon != std::string::npos && colon > 0) {
    server = source.substr(0, colon);
    path = source.substr(colon + 1);
    if (const size_t at = server.rfind('@'); at != std::string::npos) server.erase(0, at + 1);
  }
  if (server.empty()) return {};
  std::string remote = "\\\\" + server;
  for (char& c : path)
    if (c == '/') c = '\\';
  while (!path.empty() && path.front() == '\\') path.erase(0, 1);
  while (!path.empty() && path.back() == '\\') path.pop_back();
  if (!path.empty()) remote += "\\" + path;
  return remote;
}

void SetMountTablePath(const std::string& path) {
  MountTablePath() = path;
}

DriveKind GetDriveKind(char letter) {
  const auto mount = MountOfDrive(letter);
  return mount ? KindOfMount(*mount) : DriveKind::NoDrive;
}

std::string VolumeLabel(char letter) {
  const auto mount = MountOfDrive(letter);
  if (!mount || KindOfMount(*mount) == DriveKind::Network) return {};
  const auto root = DriveHostRoot(letter);
  std::string label = ReadSmallFile(*root + "/.windows-label", 256);
  label = label.substr(0, label.find_first_of("\r\n"));
  // Windows labels are short; a stray large file must not become a huge entry.
  if (label.size() > 32) {
    size_t cut = 32;
    while (cut > 0 && (static_cast<unsigned char>(label[cut]) & 0xC0) == 0x80) --cut;
    label.resize(cut);
  }
  return label;
}

std::optional<std::string> RemoteName(char letter) {
  const auto mount = MountOfDrive(letter);
  if (!mount || KindOfMount(*mount) != DriveKind::Network) return std::nullopt;
  std::string remote = RemoteNameOfSource(mount->source);
  if (remote.empty()) return std::nullopt;
  return remote;
}

}  // namespace qrv::fs
