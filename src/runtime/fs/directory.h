#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::fs {

// One directory entry as a Windows directory search reports it.
struct DirEntry {
  std::string name;
  bool is_directory = false;
  bool hidden = false;     // The name starts with ".".
  bool system = false;     // Not a regular file or folder: devices, sockets, pipes, dangling links.
  bool read_only = false;  // Nobody may write it.
  bool archive = false;    // Regular files carry the archive mark, as a fresh Windows file does.
  int64_t size = 0;
};

// Which entries a search hands out.
enum class EntryFilter {
  NormalFiles,    // Not hidden, not system, not a folder: what a file list shows.
  NormalFolders,  // Folders other than "." and "..", not hidden, not system.
  Everything,     // Every entry a Windows path can name.
};

// How much the search finds out about each entry. Names and kinds come from the directory itself;
// read-only and size need one more look at every entry, which a long listing can do without.
enum class EntryDetail { KindOnly, Full };

// Windows wildcard matching of one name against one pattern, ignoring ASCII letter case: "*" is
// any run of characters, "?" exactly one, and "*.*" matches every name, with or without a dot.
// An empty pattern matches nothing.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// Walks the entries of a folder given by its Windows path that match any of the patterns and pass
// the filter. An entry that several patterns match is handed out once per pattern. Host names
// that a Windows path cannot spell are skipped, so that they never alias another file. Returns
// false when the folder cannot be read (missing, no rights, not a folder); nothing is handed out
// then.
bool SearchFolder(const std::string& windows_folder, const std::vector<std::string>& patterns,
                  EntryFilter filter, EntryDetail detail,
                  const std::function<void(DirEntry&&)>& visit);

// The same search collected into a vector, in directory order.
std::vector<DirEntry> FindEntries(const std::string& windows_folder, const std::string& pattern,
                                  EntryFilter filter = EntryFilter::Everything,
                                  EntryDetail detail = EntryDetail::Full);

// Splits a mask such as "*.mp?;*.wav" at ";" exactly as written: no trimming, empty pieces kept.
std::vector<std::string> SplitMask(const std::string& mask);

// Case-insensitive order of names (ASCII folding), with the bytes deciding between equal keys so
// that the order is total and repeatable.
bool NameLess(std::string_view a, std::string_view b);

}  // namespace qrv::fs
