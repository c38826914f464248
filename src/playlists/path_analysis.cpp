#include "path_analysis.h"

#include "runtime/fs/drive_map.h"
#include "runtime/fs/volumes.h"
#include "runtime/paths.h"

namespace qrv {

namespace {

char CurrentDrive() {
  const std::string current = fs::GetCurrentDir();
  if (current.size() >= 2 && current[1] == ':' && IsAsciiLetter(current[0]))
    return AsciiLowerChar(current[0]);
  return 0;
}

// The folder part of a drive's current folder: "c:\music" gives "\music".
std::string CurrentFolderOf(char drive) {
  const std::string current = fs::GetDriveCurrentDir(drive);
  if (current.size() >= 2 && current[1] == ':') return current.substr(2);
  return "\\";
}

// The drive of the table whose remote name is this share, or 0.
char DriveOfShare(const std::string& share) {
  for (const auto& drive : fs::Drives()) {
    const auto remote = fs::RemoteName(drive.letter);
    if (remote && SameTextIgnoringCase(*remote, share)) return drive.letter;
  }
  return 0;
}

}  // namespace

std::string PathParts::FolderPath() const {
  if (drive == 0) return folder;
  return std::string(1, drive) + ":" + folder;
}

bool HasWildcards(const std::string& text) {
  return text.find_first_of("*?") != std::string::npos;
}

PathParts AnalysePath(const std::string& text) {
  PathParts parts;
  if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
    parts.drive = CurrentDrive();
    parts.folder = text.substr(1, text.size() - 2);
    return parts;
  }

  std::string rest;
  std::string share;
  if (text.size() >= 2 && text[1] == ':' && IsAsciiLetter(text[0])) {
    parts.drive = AsciiLowerChar(text[0]);
    rest = text.substr(2);
  } else if (const size_t length = UncShareLength(text); length > 0) {
    share = text.substr(0, length);
    rest = text.substr(length);
    parts.drive = DriveOfShare(share);
    if (parts.drive != 0) share.clear();
  } else {
    parts.drive = CurrentDrive();
    rest = text;
  }

  const size_t last = rest.find_last_of("\\:");
  parts.file = last == std::string::npos ? rest : rest.substr(last + 1);
  if (rest == "\\" + parts.file) {
    parts.folder = "\\";
  } else if (const size_t slash = rest.rfind('\\'); slash != std::string::npos) {
    parts.folder = rest.substr(0, slash);
  } else if (!share.empty()) {
    parts.folder = "\\";
  } else {
    parts.folder = parts.drive != 0 ? CurrentFolderOf(parts.drive) : std::string("\\");
  }
  if (!share.empty()) parts.folder = share + (parts.folder == "\\" ? "" : parts.folder);

  if (!parts.file.empty() && !HasWildcards(parts.file) &&
      !fs::FileExists(JoinPath(parts.FolderPath(), parts.file))) {
    parts.folder = parts.folder.empty() ? parts.file : JoinPath(parts.folder, parts.file);
    parts.file.clear();
  }
  return parts;
}

}  // namespace qrv
