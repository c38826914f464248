#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "drive_map.h"
#include "path_parts.h"

// The process's current folder and the current folder of every drive. They are kept here rather
// than in the host's working directory: the host cannot hold one folder per drive, and a Windows
// path has to stay exactly as the program last entered it.
namespace qrv::fs {

namespace {

struct CurrentFolders {
  bool initialised = false;
  std::string process;
  std::array<std::string, 26> drives;
};

CurrentFolders& State() {
  static CurrentFolders state;
  return state;
}

int DriveIndex(char letter) {
  const char lower = static_cast<char>(letter | 0x20);
  return (lower >= 'a' && lower <= 'z') ? lower - 'a' : -1;
}

void EnsureInitialised() {
  auto& state = State();
  if (state.initialised) return;
  state.initialised = true;
  std::optional<std::string> start;
  char cwd[4096];
  if (::getcwd(cwd, sizeof cwd)) start = FromHostPath(cwd);
  if (!start) {
    // The working directory lies outside every drive (or has a name no path can spell).
    const auto drives = Drives();
    start =
        std::string(1, drives.empty() || DriveHostRoot('c') ? 'c' : drives.front().letter) + ":\\";
  }
  state.process = *start;
  state.drives[DriveIndex(state.process[0])] = state.process;
}

}  // namespace

std::string GetCurrentDir() {
  EnsureInitialised();
  return State().process;
}

std::string GetDriveCurrentDir(char letter) {
  EnsureInitialised();
  const int index = DriveIndex(letter);
  if (index < 0) return {};
  const std::string& stored = State().drives[index];
  return stored.empty() ? std::string(1, static_cast<char>('a' + index)) + ":\\" : stored;
}

std::string ExpandFileName(const std::string& path) {
  if (path.empty()) return {};
  std::string p = path;
  for (char& c : p) {
    if (c == '/') c = '\\';
  }
  if (p.rfind("\\\\", 0) == 0) {
    const auto parsed = ParseWindowsPath(p);
    return parsed ? JoinWindowsPath(*parsed) : p;
  }

  std::string base;
  std::string rest;
  if (p.size() >= 2 && p[1] == ':' && DriveIndex(p[0]) >= 0) {
    const char letter = static_cast<char>(p[0] | 0x20);
    rest = p.substr(2);
    base = (!rest.empty() && rest[0] == '\\') ? std::string(1, letter) + ":\\"
                                              : GetDriveCurrentDir(letter);
  } else if (p[0] == '\\') {
    auto current = ParseWindowsPath(GetCurrentDir());
    if (!current) return p;
    current->parts.clear();
    base = JoinWindowsPath(*current);
    rest = p;
  } else {
    base = GetCurrentDir();
    rest = p;
  }
  auto parsed = ParseWindowsPath(base);
  if (!parsed) return p;
  AppendPieces(parsed->parts, rest);
  return JoinWindowsPath(*parsed);
}

bool SetCurrentDir(const std::string& path) {
  EnsureInitialised();
  if (path.empty()) return false;
  const std::string expanded = ExpandFileName(path);
  const auto parsed = ParseWindowsPath(expanded);
  if (!parsed || parsed->letter == 0) return false;
  const auto root = DriveHostRoot(parsed->letter);
  const auto host = ToHostPath(expanded);
  if (!root || !host) return false;
  struct stat st;
  if (::stat(host->c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
      ::access(host->c_str(), X_OK) != 0) {
    return false;
  }

  // Rebuild the Windows path from the names found on disk, so that one folder has one spelling.
  WindowsPathParts canonical;
  canonical.letter = parsed->letter;
  const std::string below =
      *root == "/" ? host->substr(1) : host->substr(std::min(host->size(), root->size() + 1));
  size_t start = 0;
  while (start < below.size()) {
    size_t end = below.find('/', start);
    if (end == std::string::npos) end = below.size();
    canonical.parts.push_back(below.substr(start, end - start));
    start = end + 1;
  }
  auto& state = State();
  state.process = JoinWindowsPath(canonical);
  state.drives[DriveIndex(parsed->letter)] = state.process;
  return true;
}

void ResetState() {
  State() = CurrentFolders{};
  // A table that was settled a moment ago is otherwise trusted for a while longer, and would not
  // show a drive_c or a link made just now.
  ForgetDriveTable();
}

}  // namespace qrv::fs
