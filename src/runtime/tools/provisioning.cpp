#include "provisioning.h"

#include <filesystem>

#include "../fs/drive_map.h"
#include "../paths.h"
#include "backgrounds.h"

namespace qrv::provision {

namespace {

void MakeFolder(const std::string& path, Report& report) {
  if (fs::DirectoryExists(path)) {
    report.kept.push_back(path);
  } else if (fs::ForceDirectories(path)) {
    report.created.push_back(path);
  } else {
    report.failed.push_back(path);
  }
}

void MakeFile(const std::string& path, std::string_view bytes, Report& report) {
  if (fs::FileExists(path) || fs::DirectoryExists(path)) {
    report.kept.push_back(path);
  } else if (fs::CreateNewFile(path, bytes)) {
    report.created.push_back(path);
  } else if (fs::FileExists(path)) {
    report.kept.push_back(path);  // Someone else created it a moment ago.
  } else {
    report.failed.push_back(path);
  }
}

}  // namespace

std::string ToCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

Report ProvisionDataFolder(std::string_view help_text) {
  Report report;
  // The folder in which the user links further drives ("ln -s ~/Music .../dosdevices/m:"); an
  // empty one changes nothing in the table.
  std::error_code error;
  std::filesystem::create_directories(fs::PrefixDir() + "/dosdevices", error);
  fs::ResetState();
  if (!fs::DriveHostRoot('c')) {
    // A fresh prefix: drive c: is its drive_c folder. A table whose own c: entry leads nowhere is
    // the user's to mend, so nothing is created in its place.
    std::filesystem::create_directories(fs::PrefixDir() + "/drive_c", error);
    fs::ResetState();
    if (!fs::DriveHostRoot('c')) {
      report.failed.push_back("c:\\");
      return report;
    }
  }
  const std::string data = kDataFolder;
  MakeFolder(data, report);
  MakeFolder(JoinPath(data, "playlists"), report);
  MakeFolder(JoinPath(data, "backgrounds"), report);
  for (const auto& background : MakeBackgrounds()) {
    MakeFile(JoinPath(JoinPath(data, "backgrounds"), background.file_name), background.bytes,
             report);
  }
  MakeFile(JoinPath(data, "helppro.txt"), ToCrLf(help_text), report);
  return report;
}

}  // namespace qrv::provision
