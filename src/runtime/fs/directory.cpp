#include "directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

#include "drive_map.h"
#include "runtime/paths.h"

namespace qrv::fs {

namespace {

inline unsigned char Fold(char c) {
  return static_cast<unsigned char>(AsciiUpperChar(c));
}

// Owns an open directory stream.
class DirHandle {
 public:
  explicit DirHandle(const std::string& host) : dir_(::opendir(host.c_str())) {}
  ~DirHandle() {
    if (dir_) ::closedir(dir_);
  }
  DirHandle(const DirHandle&) = delete;
  DirHandle& operator=(const DirHandle&) = delete;
  DIR* get() const { return dir_; }

 private:
  DIR* dir_;
};

bool IsDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Fills in the kind of an entry, and with full detail its size and write permission. Links are
// followed, as a Windows program sees the file a link points to; a dangling link is a system
// entry that no list shows.
void Describe(int dir_fd, const dirent* raw, EntryDetail detail, DirEntry& entry) {
  const unsigned char type = raw->d_type;
  const bool need_stat = detail == EntryDetail::Full || type == DT_LNK || type == DT_UNKNOWN;
  if (!need_stat) {
    entry.is_directory = type == DT_DIR;
    entry.system = type != DT_DIR && type != DT_REG;
    entry.archive = type == DT_REG;
    return;
  }
  struct stat st;
  if (::fstatat(dir_fd, raw->d_name, &st, 0) != 0) {
    entry.system = true;
    return;
  }
  entry.is_directory = S_ISDIR(st.st_mode);
  entry.system = !S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode);
  entry.archive = S_ISREG(st.st_mode);
  entry.read_only = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  entry.size = S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : 0;
}

bool Passes(const DirEntry& entry, EntryFilter filter) {
  switch (filter) {
    case EntryFilter::NormalFiles:
      return !entry.hidden && !entry.system && !entry.is_directory;
    case EntryFilter::NormalFolders:
      return !entry.hidden && !entry.system && entry.is_directory;
    case EntryFilter::Everything:
      return true;
  }
  return false;
}

}  // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return false;
  if (pattern == "*.*" || pattern == "*") return true;
  // Greedy matching with one remembered star: linear in practice, never exponential.
  size_t n = 0, p = 0;
  size_t star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool SearchFolder(const std::string& windows_folder, const std::vector<std::string>& patterns,
                  EntryFilter filter, EntryDetail detail,
                  const std::function<void(DirEntry&&)>& visit) {
  const auto host = ToHostPath(windows_folder);
  if (!host) return false;
  DirHandle dir(*host);
  if (!dir.get()) return false;
  const int dir_fd = ::dirfd(dir.get());
  while (const dirent* raw = ::readdir(dir.get())) {
    if (IsDotOrDotDot(raw->d_name)) continue;
    const std::string_view name(raw->d_name);
    int matches = 0;
    for (const auto& pattern : patterns) matches += MatchesPattern(name, pattern) ? 1 : 0;
    if (matches == 0) continue;
    DirEntry entry;
    entry.name.assign(name);
    if (!IsExpressibleName(entry.name)) continue;
    entry.hidden = name.front() == '.';
    // Hidden entries fail both list filters whatever their kind, so they need no further look.
    if (entry.hidden && filter != EntryFilter::Everything) continue;
    Describe(dir_fd, raw, detail, entry);
    if (!Passes(entry, filter)) continue;
    for (int k = 1; k < matches; ++k) visit(DirEntry(entry));
    visit(std::move(entry));
  }
  return true;
}

std::vector<DirEntry> FindEntries(const std::string& windows_folder, const std::string& pattern,
                                  EntryFilter filter, EntryDetail detail) {
  std::vector<DirEntry> found;
  SearchFolder(windows_folder, {pattern}, filter, detail,
               [&found](DirEntry&& entry) { found.push_back(std::move(entry)); });
  return found;
}

std::vector<std::string> SplitMask(const std::string& mask) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (true) {
    const size_t end = mask.find(';', start);
    pieces.push_back(
        mask.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return pieces;
}

bool NameLess(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const auto ca = Fold(a[i]);
    const auto cb = Fold(b[i]);
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace qrv::fs
