#include "file_stream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "../exceptions.h"
#include "drive_map.h"
#include "regular_file.h"

namespace qrv {

namespace {
fs::OpenAccess AccessFor(FileMode mode) {
  switch (mode) {
    case FileMode::OpenRead:
      return fs::OpenAccess::Read;
    case FileMode::OpenWrite:
      return fs::OpenAccess::Write;
    case FileMode::OpenReadWrite:
      return fs::OpenAccess::ReadWrite;
    case FileMode::Create:
      return fs::OpenAccess::Create;
  }
  return fs::OpenAccess::Read;
}

[[noreturn]] void Fail(const std::string& path, FileMode mode) {
  if (mode == FileMode::Create) throw EFCreateError(path);
  throw EFOpenError(path);
}

// Opens a regular file that is there under some spelling of its names.
fs::RegularFile OpenExisting(const std::string& path, fs::OpenAccess access) {
  // Most paths are spelled as on disk: opening them as written saves the look at the whole path
  // and costs only the failed attempt for the others, whose names are then looked up.
  if (const auto spelled = fs::SpelledHostPath(path)) {
    fs::RegularFile file = fs::OpenRegularFile(*spelled, access);
    if (file.Valid() || (file.error != ENOENT && file.error != ENOTDIR)) return file;
  }
  const auto host = fs::ToHostPath(path);
  if (!host) return {};
  return fs::OpenRegularFile(*host, access);
}
}  // namespace

FileStream::FileStream(const std::string& path, FileMode mode, ShareMode share) {
  // Only regular files: a FIFO or device named here fails at once instead of blocking.
  fs::RegularFile file;
  if (mode == FileMode::Create) {
    // A file created under the spelling given would stand beside one that differs only in case.
    const auto host = fs::ToHostPath(path);
    if (!host) Fail(path, mode);
    file = fs::OpenRegularFile(*host, AccessFor(mode));
  } else {
    file = OpenExisting(path, AccessFor(mode));
  }
  if (!file.Valid()) Fail(path, mode);
  fd_ = std::move(file.fd);
  opened_size_ = file.size;
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
  // A read error reads as nothing read; callers take any short read as a failed one.
  const int64_t n = fs::ReadAt(fd_.Get(), position_, buffer, count);
  if (n <= 0) return 0;
  position_ += n;
  return static_cast<size_t>(n);
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

bool FileStream::SetSize(int64_t size) {
  for (;;) {
    if (::ftruncate(fd_.Get(), static_cast<off_t>(size)) == 0) return true;
    if (errno != EINTR) return false;
  }
}

void FileStream::ReadBuffer(void* buffer, size_t count) {
  if (Read(buffer, count) != count) throw EReadError();
}

void FileStream::WriteBuffer(const void* buffer, size_t count) {
  if (Write(buffer, count) != count) throw EWriteError();
}

}  // namespace qrv
