#include "saved_playlists.h"

#include <cstring>

#include "runtime/paths.h"

namespace qrv {
namespace {

// The longest file name the host's file systems hold, in bytes.
constexpr size_t kMaxFileNameBytes = 255;

bool IsForbiddenChar(unsigned char c) {
  // Control characters and the characters that Windows file names refuse; the separators and the
  // colon among them would also lead out of the folder.
  return c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c) != nullptr;
}

}  // namespace

std::string SavedPlaylistPath(const std::string& name) {
  return std::string(kPlaylistsFolder) + "\\" + name + kPlaylistExtension;
}

bool IsValidPlaylistName(const std::string& name) {
  // The extension always follows, so "." and ".." become the ordinary names "..pm3" and
  // "...pm3"; only the characters below could lead out of the folder.
  if (name.size() + std::strlen(kPlaylistExtension) > kMaxFileNameBytes) return false;
  for (const char c : name) {
    if (IsForbiddenChar(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool IsSavedPlaylistPath(const std::string& path) {
  const std::string prefix = std::string(kPlaylistsFolder) + "\\";
  const std::string extension = kPlaylistExtension;
  if (path.size() < prefix.size() + extension.size()) return false;
  if (!SameTextIgnoringCase(path.substr(0, prefix.size()), prefix)) return false;
  if (path.compare(path.size() - extension.size(), extension.size(), extension) != 0) return false;
  return IsValidPlaylistName(
      path.substr(prefix.size(), path.size() - prefix.size() - extension.size()));
}

}  // namespace qrv
