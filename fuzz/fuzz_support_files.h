#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace qrv::fuzz {

// A file in memory that the readers open by path like any other: each input is written over it.
class MemoryFile {
 public:
  MemoryFile() : fd_(::memfd_create("qrv-fuzz", 0)) {
    if (fd_ < 0) std::abort();
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  ~MemoryFile() { ::close(fd_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  const std::string& Hold(const uint8_t* data, size_t size) {
    if (::ftruncate(fd_, 0) != 0 || ::pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size)) {
      std::abort();
    }
    return path_;
  }

 private:
  int fd_;
  std::string path_;
};

}  // namespace qrv::fuzz
