// Feeds arbitrary text to the path analysis that the folder controls apply to typed and stored
// paths, over a small drive table, and checks what must hold for any input: the current folder is
// left alone, the parts are well formed, and the folder they name never maps outside its drive.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "playlists/path_analysis.h"
#include "runtime/fs/drive_map.h"

namespace {

using qrv::fuzz::Check;

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const std::string& root = qrv::fuzz::MakePrefix("paths");
  namespace stdfs = std::filesystem;
  stdfs::create_directories(root + "/drive_c/Music/Rock");
  stdfs::create_directories(root + "/drive_d/Saved");
  stdfs::create_directories(root + "/dosdevices");
  std::ofstream(root + "/drive_c/Music/song.mp3") << "x";
  std::ofstream(root + "/drive_d/Saved/list.pm3") << "c:\\Music\r\n";
  stdfs::create_directory_symlink(root + "/drive_d", root + "/dosdevices/d:");
  qrv::fs::ResetState();
  qrv::fs::SetCurrentDir("c:\\music");
  qrv::fs::SetCurrentDir("d:\\saved");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string before = qrv::fs::GetCurrentDir();
  const qrv::PathParts parts = qrv::AnalysePath(text);
  Check(qrv::fs::GetCurrentDir() == before);

  Check(parts.drive == 0 || (parts.drive >= 'a' && parts.drive <= 'z'));
  // A file part is one name: the analysis has split off every folder before it.
  const bool bracketed = size >= 2 && text.front() == '[' && text.back() == ']';
  if (!bracketed) Check(parts.file.find_first_of("\\:") == std::string::npos);

  // The folder to enter maps, through the drive table, to a place inside that drive only.
  const std::string folder = parts.FolderPath();
  if (parts.drive != 0) {
    const auto host = qrv::fs::ToHostPath(folder);
    const auto root = qrv::fs::DriveHostRoot(parts.drive);
    if (host) {
      Check(root.has_value());
      Check(StartsWith(*host, *root));
      Check(host->find("/../") == std::string::npos);
    }
  }
  const std::string expanded = qrv::fs::ExpandFileName(folder);
  Check(qrv::fs::ExpandFileName(expanded) == expanded);
  return 0;
}
