#include "read_only_file.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace qrv::test {
namespace {

namespace stdfs = std::filesystem;

bool SetPermissionOverride(bool on) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2] = {};
  if (syscall(SYS_capget, &header, data) != 0) return false;
  const unsigned bit = 1u << CAP_DAC_OVERRIDE;
  if (on) {
    data[0].effective |= bit & data[0].permitted;
  } else {
    if ((data[0].effective & bit) == 0) return false;
    data[0].effective &= ~bit;
  }
  return syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

ReadOnlyFile::ReadOnlyFile(const std::string& host_path) : path_(host_path) {
  stdfs::permissions(
      path_, stdfs::perms::owner_write | stdfs::perms::group_write | stdfs::perms::others_write,
      stdfs::perm_options::remove);
  capability_dropped_ = SetPermissionOverride(false);
}

ReadOnlyFile::~ReadOnlyFile() {
  if (capability_dropped_) SetPermissionOverride(true);
  stdfs::permissions(path_, stdfs::perms::owner_write, stdfs::perm_options::add);
}

bool ReadOnlyFile::Effective() const {
  // "r+" opens for reading and writing without changing a byte.
  std::FILE* file = std::fopen(path_.c_str(), "r+");
  if (file == nullptr) return true;
  std::fclose(file);
  return false;
}

}  // namespace qrv::test
