#pragma once

#include <string>

namespace qrv {

// The data folder, and the folder in it that holds the saved playlists.
inline constexpr const char* kDataFolder = "c:\\qrv30";
inline constexpr const char* kPlaylistsFolder = "c:\\qrv30\\playlists";
inline constexpr const char* kPlaylistExtension = ".pm3";
inline constexpr const char* kPlaylistMask = "*.pm3";

// The file a playlist of this name is saved to: the name exactly as typed, untrimmed, between
// the playlists folder and the extension.
std::string SavedPlaylistPath(const std::string& name);

// Whether a name can stand as the name part of a saved playlist's file: it must neither lead out
// of the playlists folder (separators, a drive colon, "." or "..") nor hold characters that file
// names cannot hold, and the resulting file name must fit the file system. The empty name is
// allowed: it saves the file ".pm3".
bool IsValidPlaylistName(const std::string& name);

// Whether a path is that of a saved playlist with a valid name, in the playlists folder itself.
bool IsSavedPlaylistPath(const std::string& path);

}  // namespace qrv
