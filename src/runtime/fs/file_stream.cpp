#include "file_stream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "../exceptions.h"
#include "drive_map.h"

namespace qrv {

namespace {
int OpenFlags(FileMode mode) {
  switch (mode) {
    case FileMode::OpenRead:
      return O_RDONLY;
    case FileMode::OpenWrite:
      return O_WRONLY;
    case FileMode::OpenReadWrite:
      return O_RDWR;
    case FileMode::Create:
      return O_RDWR | O_CREAT | O_TRUNC;
  }
  return O_RDONLY;
}

[[noreturn]] void Fail(const std::string& path, FileMode mode) {
  if (mode == FileMode::Create) throw EFCreateError(path);
  throw EFOpenError(path);
}

// Opens a file that is there under some spelling of its names.
int OpenExisting(const std::string& path, int flags) {
  // Most paths are spelled as on disk: opening them as written saves the look at the whole path
  // and costs only the failed attempt for the others, whose names are then looked up.
  if (const auto spelled = fs::SpelledHostPath(path)) {
    const int fd = ::open(spelled->c_str(), flags);
    if (fd >= 0 || (errno != ENOENT && errno != ENOTDIR)) return fd;
  }
  const auto host = fs::ToHostPath(path);
  return host ? ::open(host->c_str(), flags) : -1;
}

}  // namespace

FileStream::FileStream(const std::string& path, FileMode mode, ShareMode share) {
  const int flags = OpenFlags(mode) | O_CLOEXEC;
  if (mode == FileMode::Create) {
    // A file created under the spelling given would stand beside one that differs only in case.
    const auto host = fs::ToHostPath(path);
    if (!host) Fail(path, mode);
    fd_ = fs::UniqueFd(::open(host->c_str(), flags, 0666));
  } else {
    fd_ = fs::UniqueFd(OpenExisting(path, flags));
  }
  if (!fd_.Valid()) Fail(path, mode);
  struct stat st;
  if (::fstat(fd_.Get(), &st) != 0 || S_ISDIR(st.st_mode)) Fail(path, mode);
  opened_size_ = static_cast<int64_t>(st.st_size);
  if (share != ShareMode::DenyNone) {
    const int op = (share == ShareMode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    if (::flock(fd_.Get(), op) != 0) Fail(path, mode);
  }
}

int64_t FileStream::Size() const {
  struct stat st;
  if (::fstat(fd_.Get(), &st) != 0) return 0;
  return static_cast<int64_t>(st.st_size);
}

int64_t FileStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = 0;
  if (origin == SeekOrigin::Current) base = position_;
  if (origin == SeekOrigin::End) base = Size();
  position_ = base + offset;
  if (position_ < 0) position_ = 0;
  return position_;
}

size_t FileStream::Read(void* buffer, size_t count) {
  size_t done = 0;
  auto* out = static_cast<char*>(buffer);
  while (done < count) {
    const ssize_t n = ::pread(fd_.Get(), out + done, count - done, position_);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
    position_ += n;
  }
  return done;
}

size_t FileStream::Write(const void* buffer, size_t count) {
  size_t done = 0;
  const auto* in = static_cast<const char*>(buffer);
  while (done < count) {
    const ssize_t n = ::pwrite(fd_.Get(), in + done, count - done, position_);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
    position_ += n;
  }
  return done;
}

void FileStream::ReadBuffer(void* buffer, size_t count) {
  if (Read(buffer, count) != count) throw EReadError();
}

void FileStream::WriteBuffer(const void* buffer, size_t count) {
  if (Write(buffer, count) != count) throw EWriteError();
}

}  // namespace qrv
