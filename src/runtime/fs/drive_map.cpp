#include "drive_map.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>

#include "path_parts.h"
#include "runtime/paths.h"

namespace qrv::fs {

std::string PrefixDir() {
  if (const char* prefix = std::getenv("QUORVIN_PREFIX"); prefix && *prefix) return prefix;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.quorvin";
}

namespace {

bool IsHostDir(const std::string& host) {
  struct stat st;
  return ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string RealPathOr(const std::string& host) {
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(host.c_str(), nullptr), &std::free);
  return real ? std::string(real.get()) : host;
}

// The drive's root as the table spells it, before symbolic links are resolved.
std::optional<std::string> TableRoot(char letter) {
  const char lower = static_cast<char>(letter | 0x20);
  if (lower < 'a' || lower > 'z') return std::nullopt;
  const std::string link = PrefixDir() + "/dosdevices/" + lower + ":";
  struct stat st;
  std::string root;
  if (::lstat(link.c_str(), &st) == 0) {
    root = link;  // The table speaks for this letter, even when its link leads nowhere.
  } else if (lower == 'c') {
    root = PrefixDir() + "/drive_c";
  } else if (lower == 'z') {
    root.assign(1, '/');
  } else {
    return std::nullopt;
  }
  if (!IsHostDir(root)) return std::nullopt;
  return root;
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

// The entry of a folder that a name stands for: the exact name when it exists, otherwise the
// expressible entry equal to it ignoring case (the lowest in byte order when several are), and
// otherwise the name as written.
std::string MatchComponent(const std::string& folder, const std::string& name, bool& found) {
  const std::string base = folder == "/" ? "" : folder;
  struct stat st;
  found = true;
  if (::lstat((base + "/" + name).c_str(), &st) == 0) return name;
  found = false;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) return name;
  std::string best;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string candidate = entry->d_name;
    if (!IsExpressibleName(candidate) || !SameTextIgnoringCase(candidate, name)) continue;
    if (!found || candidate < best) best = candidate;
    found = true;
  }
  return found ? best : name;
}

// True when the host path lies at or below root; rest receives what follows the root.
bool UnderRoot(const std::string& host, const std::string& root, std::string& rest) {
  if (root == "/") {
    rest = host.substr(1);
    return true;
  }
  if (host.compare(0, root.size(), root) != 0) return false;
  if (host.size() == root.size()) {
    rest.clear();
    return true;
  }
  if (host[root.size()] != '/') return false;
  rest = host.substr(root.size() + 1);
  return true;
}

// Collapses "//", "." and ".." of an absolute host path.
std::string NormaliseHost(const std::string& host) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= host.size()) {
    size_t end = host.find('/', start);
    if (end == std::string::npos) end = host.size();
    const std::string part = host.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const auto& p : parts) out += "/" + p;
  return out.empty() ? "/" : out;
}

// The drive table, resolved once and used until the prefix, its drive_c or its dosdevices folder
// changes (adding or removing a link changes the folder's modification time). Resolving it for
// every path would cost a realpath per drive letter, and even the look at the folders costs as
// much as reading a small file, so a settled table is looked at again only after a short while:
// a link made by hand is seen within that time, which no user can tell from at once.
constexpr auto kRecheckAfter = std::chrono::milliseconds(250);

struct TableEntry {
  std::string table_root;
  std::string real_root;
};

using TableEntries = std::array<std::optional<TableEntry>, 26>;

struct DriveTable {
  bool valid = false;    // may be used again while the folders stay as they were
  bool settled = false;  // the folders were last changed a while ago: looked at only now and then
  std::string prefix;
  bool has_dosdevices = false;
  struct timespec dosdevices_mtime {};
  bool has_drive_c = false;
  std::chrono::steady_clock::time_point checked;
  TableEntries entries;
};

std::mutex table_mutex;
DriveTable cached_table;
std::atomic<SteadyNow> table_clock{nullptr};

std::chrono::steady_clock::time_point Now() {
  const SteadyNow now = table_clock.load();
  return now ? now() : std::chrono::steady_clock::now();
}

bool SamePrefix(const std::string& cached) {
  const char* prefix = std::getenv("QUORVIN_PREFIX");
  if (prefix && *prefix) return cached == prefix;
  return cached == PrefixDir();
}

// Whether a folder was last changed long enough ago that a change within the clock's coarse
// granularity of now cannot go unseen.
bool Settled(const struct timespec& mtime) {
  return mtime.tv_sec + 2 < std::time(nullptr);
}

// The table as it stands now; the caller holds table_mutex.
const TableEntries& FreshTable() {
  DriveTable& table = cached_table;
  const auto now = Now();
  if (table.valid && table.settled && now - table.checked < kRecheckAfter &&
      SamePrefix(table.prefix)) {
    return table.entries;
  }
  const std::string prefix = PrefixDir();
  struct stat st;
  // Making or removing the dosdevices or drive_c folder changes the prefix folder's time.
  const bool has_prefix = ::stat(prefix.c_str(), &st) == 0;
  const struct timespec prefix_mtime = has_prefix ? st.st_mtim : timespec{};
  const bool has_dosdevices = ::stat((prefix + "/dosdevices").c_str(), &st) == 0;
  const struct timespec mtime = has_dosdevices ? st.st_mtim : timespec{};
  const bool has_drive_c = IsHostDir(prefix + "/drive_c");
  if (!table.valid || table.prefix != prefix || table.has_dosdevices != has_dosdevices ||
      table.dosdevices_mtime.tv_sec != mtime.tv_sec ||
      table.dosdevices_mtime.tv_nsec != mtime.tv_nsec || table.has_drive_c != has_drive_c) {
    // A links folder changed within the clock's granularity of now may change again without its
    // time moving on; such a table is used once and then read afresh.
    const bool valid = !has_dosdevices || Settled(mtime);
    table = DriveTable{valid, false, prefix, has_dosdevices, mtime, has_drive_c, now, {}};
    for (int i = 0; i < 26; ++i) {
      if (auto root = TableRoot(static_cast<char>('a' + i))) {
        table.entries[i] = TableEntry{*root, RealPathOr(*root)};
      }
    }
  }
  // Until both folders have been left alone for a moment, every look checks them again.
  table.settled = has_prefix && Settled(prefix_mtime) && (!has_dosdevices || Settled(mtime));
  table.checked = now;
  return table.entries;
}

// The whole table, checked for freshness once.
TableEntries CurrentTable() {
  const std::lock_guard<std::mutex> lock(table_mutex);
  return FreshTable();
}

// The host root of one drive; only that entry is copied out of the table.
std::optional<std::string> RealRootOf(char letter) {
  const int index = (letter | 0x20) - 'a';
  if (index < 0 || index >= 26) return std::nullopt;
  const std::lock_guard<std::mutex> lock(table_mutex);
  const auto& entry = FreshTable()[index];
  if (!entry) return std::nullopt;
  return entry->real_root;
}

// A Windows path's drive root and checked names, and its host path as written.
struct Spelling {
  std::string root;
  std::vector<std::string> parts;
  std::string exact;
};

std::optional<Spelling> Spell(const std::string& windows_path, PathProblem& problem) {
  problem = PathProblem::kBadName;
  auto parsed = ParseWindowsPath(ExpandFileName(windows_path));
  if (!parsed || parsed->letter == 0) return std::nullopt;
  for (const auto& part : parsed->parts) {
    if (!IsExpressibleName(part)) return std::nullopt;
  }
  auto root = RealRootOf(parsed->letter);
  if (!root) {
    problem = PathProblem::kNoDrive;
    return std::nullopt;
  }
  problem = PathProblem::kNone;
  Spelling spelling{std::move(*root), std::move(parsed->parts), {}};
  spelling.exact = spelling.root == "/" ? "" : spelling.root;
  for (const auto& part : spelling.parts) spelling.exact += "/" + part;
  if (spelling.parts.empty()) spelling.exact = spelling.root;
  return spelling;
}

}  // namespace

bool IsExpressibleName(const std::string& name) {
  if (name.empty()) return false;
  size_t i = 0;
  while (i < name.size()) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c < 0x80) {
      if (c < 0x20 || c == 0x7f || c == '\\' || c == ':' || c == '*' || c == '?' || c == '/') {
        return false;
      }
      ++i;
      continue;
    }
    // Multi-byte UTF-8: shortest form only, no surrogates, nothing above U+10FFFF.
    size_t len = 0;
    uint32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
      len = 2;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + len > name.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      const auto cc = static_cast<unsigned char>(name[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    const uint32_t min_cp = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
    if (cp < min_cp || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

std::optional<std::string> DriveHostRoot(char letter) {
  return RealRootOf(letter);
}

void SetDriveTableClock(SteadyNow now) {
  table_clock.store(now);
}

void ForgetDriveTable() {
  const std::lock_guard<std::mutex> lock(table_mutex);
  cached_table.valid = false;
}

std::vector<Drive> Drives() {
  std::vector<Drive> drives;
  const TableEntries table = CurrentTable();
  for (int i = 0; i < 26; ++i) {
    if (table[i]) drives.push_back({static_cast<char>('a' + i), table[i]->real_root});
  }
  return drives;
}

std::optional<std::string> ToHostPath(const std::string& windows_path, PathProblem& problem) {
  auto spelling = Spell(windows_path, problem);
  if (!spelling) return std::nullopt;
  // Most paths are spelled as on disk: one look at the whole path then saves a look per folder.
  struct stat st;
  if (!spelling->parts.empty() && ::lstat(spelling->exact.c_str(), &st) == 0) {
    return std::move(spelling->exact);
  }
  std::string host = spelling->root;
  bool found = true;
  for (const auto& part : spelling->parts) {
    // Below a missing folder nothing can match, so the rest is kept as written.
    const std::string name = found ? MatchComponent(host, part, found) : part;
    host = (host == "/" ? "" : host) + "/" + name;
  }
  return host;
}

std::optional<std::string> SpelledHostPath(const std::string& windows_path) {
  PathProblem problem;
  auto spelling = Spell(windows_path, problem);
  if (!spelling) return std::nullopt;
  return std::move(spelling->exact);
}

std::optional<std::string> ToHostPath(const std::string& windows_path) {
  PathProblem problem;
  return ToHostPath(windows_path, problem);
}

std::optional<std::string> FromHostPath(const std::string& host_path) {
  if (host_path.empty()) return std::nullopt;
  std::string absolute = host_path;
  if (absolute[0] != '/') {
    char cwd[4096];
    if (!::getcwd(cwd, sizeof cwd)) return std::nullopt;
    absolute = std::string(cwd) + "/" + absolute;
  }
  const std::string lexical = NormaliseHost(absolute);
  const std::string real = RealPathOr(lexical);

  // Both the spelling given and the resolved one are tried against both forms of every root, so
  // that a prefix reached through a symbolic link still finds its drive.
  char best_letter = 0;
  size_t best_length = 0;
  std::string best_rest;
  const TableEntries table = CurrentTable();
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const auto& entry = table[letter - 'a'];
    if (!entry) continue;
    const std::string roots[] = {NormaliseHost(entry->table_root), entry->real_root};
    for (const auto& root : roots) {
      for (const auto* host : {&lexical, &real}) {
        std::string rest;
        if (UnderRoot(*host, root, rest) && (best_letter == 0 || root.size() > best_length)) {
          best_letter = letter;
          best_length = root.size();
          best_rest = rest;
        }
      }
    }
  }
  if (best_letter == 0) return std::nullopt;

  std::string out = std::string(1, best_letter) + ":\\";
  size_t start = 0;
  bool first = true;
  while (start < best_rest.size()) {
    size_t end = best_rest.find('/', start);
    if (end == std::string::npos) end = best_rest.size();
    const std::string part = best_rest.substr(start, end - start);
    if (!IsExpressibleName(part)) return std::nullopt;
    out += (first ? "" : "\\") + part;
    first = false;
    start = end + 1;
  }
  return out;
}

}  // namespace qrv::fs
