#include "temp_prefix.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "runtime/fs/drive_map.h"

namespace qrv::test {

// Files are written through the standard library so that names keep their exact bytes, odd ones
// included.
TempPrefix::TempPrefix()
    : previous_(qgetenv("QUORVIN_PREFIX")),
      had_previous_(qEnvironmentVariableIsSet("QUORVIN_PREFIX")) {
  std::filesystem::create_directories(DriveC());
  qputenv("QUORVIN_PREFIX", dir_.path().toLocal8Bit());
  fs::ResetState();
}

TempPrefix::~TempPrefix() {
  if (had_previous_) {
    qputenv("QUORVIN_PREFIX", previous_);
  } else {
    qunsetenv("QUORVIN_PREFIX");
  }
  fs::ResetState();
  // Qt's own clean-up cannot name files whose names are not valid UTF-8.
  std::error_code ignored;
  std::filesystem::remove_all(Root(), ignored);
}

std::string TempPrefix::Root() const {
  return dir_.path().toStdString();
}

std::string TempPrefix::DriveC() const {
  return Root() + "/drive_c";
}

std::string TempPrefix::WriteFile(const std::string& relative, const std::string& bytes) const {
  const std::filesystem::path path = DriveC() + "/" + relative;
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return {};
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return out ? path.string() : std::string();
}

std::string TempPrefix::ReadFile(const std::string& relative) const {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(DriveC() + "/" + relative, ignored)) return {};
  std::ifstream in(DriveC() + "/" + relative, std::ios::binary);
  if (!in) return {};
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempPrefix::Exists(const std::string& relative) const {
  std::error_code ignored;
  return std::filesystem::exists(
      std::filesystem::symlink_status(DriveC() + "/" + relative, ignored));
}

std::vector<std::string> TempPrefix::List(const std::string& relative) const {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(DriveC() + "/" + relative, error)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void TempPrefix::MakeDir(const std::string& relative) const {
  std::error_code ignored;
  std::filesystem::create_directories(DriveC() + "/" + relative, ignored);
}

std::string TempPrefix::MakeFifo(const std::string& relative) const {
  const std::string host = DriveC() + "/" + relative;
  std::error_code ignored;
  std::filesystem::remove(host, ignored);
  std::filesystem::create_directories(std::filesystem::path(host).parent_path(), ignored);
  return ::mkfifo(host.c_str(), 0644) == 0 ? host : std::string();
}

std::string TempPrefix::ConnectShare(char letter, const std::string& relative,
                                     const std::string& share) const {
  const std::string folder = DriveC() + "/" + relative;
  std::error_code ignored;
  std::filesystem::create_directories(Root() + "/dosdevices", ignored);
  const std::string drive = Root() + "/dosdevices/" + std::string(1, letter) + ":";
  char resolved[4096];
  if (::symlink(folder.c_str(), drive.c_str()) != 0 || !::realpath(folder.c_str(), resolved)) {
    return {};
  }
  std::ofstream(Root() + "/mounts") << share << " " << resolved << " cifs rw 0 0\n";
  return Root() + "/mounts";
}

}  // namespace qrv::test
