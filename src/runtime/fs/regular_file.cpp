#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "drive_map.h"

namespace qrv::fs {
namespace {

int OpenFlags(OpenAccess access) {
  switch (access) {
    case OpenAccess::Read:
      return O_RDONLY;
    case OpenAccess::Write:
      return O_WRONLY;
    case OpenAccess::ReadWrite:
      return O_RDWR;
    case OpenAccess::Create:
      return O_RDWR | O_CREAT;
  }
  return O_RDONLY;
}

}  // namespace

RegularFile OpenRegularFile(const std::string& host, OpenAccess access) {
  RegularFile file;
  // Without O_NONBLOCK, opening a FIFO waits for a writer, and some devices wait for a carrier.
  // Truncation waits until the file is known to be a regular one.
  UniqueFd fd(::open(host.c_str(), OpenFlags(access) | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
  if (!fd.Valid()) {
    file.error = errno;
    return file;
  }
  struct stat st;
  if (::fstat(fd.Get(), &st) != 0) {
    file.error = errno;
    return file;
  }
  if (!S_ISREG(st.st_mode)) {
    file.error = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
    return file;
  }
  // The flag stays: Linux reads and writes regular files alike with or without it, and clearing
  // it would cost two more calls on every file the tag reader opens.
  if (access == OpenAccess::Create && st.st_size != 0) {
    if (::ftruncate(fd.Get(), 0) != 0) {
      file.error = errno;
      return file;
    }
    st.st_size = 0;
  }
  file.fd = std::move(fd);
  file.size = static_cast<int64_t>(st.st_size);
  return file;
}

std::string DescriptorPath(int fd) {
  // The entry reopens the descriptor's own file, with its own position, and never follows the
  // name again.
  return "/proc/self/fd/" + std::to_string(fd);
}

int64_t ReadAt(int fd, int64_t offset, void* out, size_t count) {
  auto* at = static_cast<char*>(out);
  size_t done = 0;
  while (done < count) {
    const ssize_t n =
        ::pread(fd, at + done, count - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<int64_t>(done);
}

bool ReadPrefix(int fd, size_t limit, std::string& bytes, bool& cut, int64_t known_size) {
  bytes.clear();
  cut = false;
  if (known_size > 0) bytes.reserve(std::min(static_cast<size_t>(known_size), limit));
  char buffer[1 << 16];
  while (bytes.size() < limit) {
    const size_t want = std::min(sizeof buffer, limit - bytes.size());
    const ssize_t n = ::read(fd, buffer, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  // The limit is reached: one more byte tells a file of exactly that size from a longer one.
  char probe;
  ssize_t n;
  do {
    n = ::read(fd, &probe, 1);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return false;
  cut = n > 0;
  return true;
}

SmallFileRead ReadSmallFile(const std::string& path, size_t limit, std::string& bytes) {
  bytes.clear();
  const auto host = ToHostPath(path);
  if (!host) return SmallFileRead::kCannotOpen;
  const RegularFile file = OpenRegularFile(*host);
  if (!file.Valid()) return SmallFileRead::kCannotOpen;
  if (file.size > static_cast<int64_t>(limit)) return SmallFileRead::kTooLarge;
  bool cut = false;
  if (!ReadPrefix(file.fd.Get(), limit, bytes, cut, file.size)) return SmallFileRead::kReadError;
  // The file may have grown since it was measured.
  if (cut) return SmallFileRead::kTooLarge;
  return SmallFileRead::kOk;
}

}  // namespace qrv::fs
