#include "drive_map.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "../paths.h"

namespace qrv::fs {

std::string PrefixDir() {
  if (const char* prefix = std::getenv("QUORVIN_PREFIX"); prefix && *prefix) return prefix;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.quorvin";
}

namespace {

bool Exists(const std::string& host) {
  struct stat st;
  return ::lstat(host.c_str(), &st) == 0;
}

std::optional<std::string> DriveRoot(char letter) {
  const char lower = static_cast<char>(letter | 0x20);
  if (lower < 'a' || lower > 'z') return std::nullopt;
  const std::string link = PrefixDir() + "/dosdevices/" + lower + ":";
  if (Exists(link)) return link;
  if (lower == 'c') return PrefixDir() + "/drive_c";
  if (lower == 'z') return std::string("/");
  return std::nullopt;
}

// Finds the entry of a folder whose name equals the given one, exactly or else ignoring case.
std::string MatchComponent(const std::string& folder, const std::string& name) {
  if (Exists(folder + "/" + name)) return name;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return name;
  std::string found = name;
  while (dirent* entry = ::readdir(dir)) {
    if (SameTextIgnoringCase(entry->d_name, name)) {
      found = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

}  // namespace

std::optional<std::string> ToHostPath(const std::string& windows_path) {
  if (windows_path.size() < 2 || windows_path[1] != ':') return std::nullopt;
  auto root = DriveRoot(windows_path[0]);
  if (!root) return std::nullopt;

  std::vector<std::string> parts;
  size_t start = 2;
  while (start <= windows_path.size()) {
    size_t end = windows_path.find('\\', start);
    if (end == std::string::npos) end = windows_path.size();
    std::string part = windows_path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();  // Never above the drive's root.
    } else if (!part.empty() && part != ".") {
      if (part.find('/') != std::string::npos || part.find('\0') != std::string::npos) return std::nullopt;
      parts.push_back(part);
    }
    start = end + 1;
  }

  std::string host = *root;
  for (const auto& part : parts) {
    const std::string base = host == "/" ? "" : host;
    host = base + "/" + MatchComponent(host, part);
  }
  return host;
}

}  // namespace qrv::fs
