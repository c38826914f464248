#include "file_ops.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>

#include "../exceptions.h"
#include "drive_map.h"
#include "regular_file.h"
#include "unique_fd.h"

namespace qrv::fs {

namespace {

std::optional<struct stat> StatOf(const std::string& host) {
  struct stat st;
  if (::stat(host.c_str(), &st) != 0) return std::nullopt;
  return st;
}

std::string FolderOf(const std::string& host) {
  const size_t slash = host.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : host.substr(0, slash);
}

// Where new content for a target really goes: through symbolic links to the file they name, so
// that replacing the content keeps the links. A link to a file not made yet names that file.
std::string ResolveTarget(const std::string& host) {
  std::string target = host;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n <= 0 || static_cast<size_t>(n) >= link.size()) return target;
    link.resize(static_cast<size_t>(n));
    target = link[0] == '/' ? link : FolderOf(target) + "/" + link;
  }
  return target;
}

// Whether this user may write the file. The superuser may write anything, so for it only the
// permission bits count: a file marked read-only stays so, as it would on Windows.
bool MayWrite(const std::string& host, const struct stat& st) {
  if (::geteuid() == 0) return (st.st_mode & 0222) != 0;
  return ::faccessat(AT_FDCWD, host.c_str(), W_OK, AT_EACCESS) == 0;
}

void SyncFolder(const std::string& folder) {
  UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Valid()) ::fsync(dir.Get());
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// A hidden temporary file in the target's folder. It is removed again unless it was moved into
// place, so a failure anywhere leaves neither a half file nor a stray temporary one.
class TempFile {
 public:
  explicit TempFile(const std::string& target) : target_(target) {
    static std::mt19937_64 random{std::random_device{}()};
    const std::string folder = FolderOf(target);
    for (int attempt = 0; attempt < 100 && !fd_.Valid(); ++attempt) {
      char name[40];
      std::snprintf(name, sizeof name, "/.qrv-%016llx.tmp",
                    static_cast<unsigned long long>(random()));
      path_ = folder + name;
      fd_.Reset(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
      if (!fd_.Valid() && errno != EEXIST) break;
    }
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    fd_.Reset();
    if (!placed_ && !path_.empty()) ::unlink(path_.c_str());
  }

  bool Valid() const { return fd_.Valid(); }
  bool Write(std::string_view bytes) {
    return Valid() && WriteAll(fd_.Get(), bytes.data(), bytes.size());
  }

  bool CopyFrom(int source) {
    char buffer[1 << 16];
    for (;;) {
      const ssize_t n = ::read(source, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) return true;
      if (!WriteAll(fd_.Get(), buffer, static_cast<size_t>(n))) return false;
    }
  }

  // Sets the permissions when asked, and makes the bytes durable before the file is placed.
  bool Finish(std::optional<mode_t> mode) {
    if (!Valid()) return false;
    if (mode && ::fchmod(fd_.Get(), *mode & 07777) != 0) return false;
    if (::fsync(fd_.Get()) != 0) return false;
    return ::close(fd_.Release()) == 0;
  }

  // Moves the file over the target, replacing what was there in one step.
  bool Replace() {
    if (::rename(path_.c_str(), target_.c_str()) != 0) return false;
    placed_ = true;
    SyncFolder(FolderOf(target_));
    return true;
  }

  // Moves the file to the target only if the target does not exist.
  bool PlaceNew() {
    int rc = ::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
      // Some file systems cannot refuse a rename; a hard link refuses an existing name too.
      rc = ::link(path_.c_str(), target_.c_str());
      if (rc == 0) ::unlink(path_.c_str());
    }
    if (rc != 0) return false;
    placed_ = true;
    SyncFolder(FolderOf(target_));
    return true;
  }

 private:
  std::string target_;
  std::string path_;
  UniqueFd fd_;
  bool placed_ = false;
};

}  // namespace

bool FileExists(const std::string& path) {
  const auto host = ToHostPath(path);
  if (!host) return false;
  const auto st = StatOf(*host);
  return st && !S_ISDIR(st->st_mode);
}

bool DirectoryExists(const std::string& path) {
  const auto host = ToHostPath(path);
  if (!host) return false;
  const auto st = StatOf(*host);
  return st && S_ISDIR(st->st_mode);
}

bool DeleteFile(const std::string& path) {
  const auto host = ToHostPath(path);
  if (!host) return false;
  struct stat st;
  if (::lstat(host->c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(host->c_str()) == 0;
}

bool CopyFile(const std::string& from, const std::string& to, bool fail_if_exists) {
  const auto source_host = ToHostPath(from);
  const auto target_host = ToHostPath(to);
  if (!source_host || !target_host) return false;
  const RegularFile source = OpenRegularFile(*source_host);
  struct stat source_st;
  if (!source.Valid() || ::fstat(source.fd.Get(), &source_st) != 0) return false;
  const std::string target = ResolveTarget(*target_host);
  struct stat target_st;
  if (::lstat(target.c_str(), &target_st) == 0 && (fail_if_exists || S_ISDIR(target_st.st_mode))) {
    return false;
  }
  TempFile temp(target);
  if (!temp.Valid() || !temp.CopyFrom(source.fd.Get()) || !temp.Finish(source_st.st_mode & 0777)) {
    return false;
  }
  return fail_if_exists ? temp.PlaceNew() : temp.Replace();
}

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
  const auto host = ToHostPath(path);
  if (!host) throw EFCreateError(path);
  const std::string target = ResolveTarget(*host);
  std::optional<mode_t> keep_mode;
  if (const auto st = StatOf(target)) {
    // Only a regular file is replaced, and only one the user may write: renaming over a
    // read-only file would succeed in a writable folder and silently drop the protection.
    if (!S_ISREG(st->st_mode) || !MayWrite(target, *st)) throw EFCreateError(path);
    keep_mode = st->st_mode;
  }
  TempFile temp(target);
  if (!temp.Write(bytes) || !temp.Finish(keep_mode) || !temp.Replace()) throw EFCreateError(path);
}

bool CreateNewFile(const std::string& path, std::string_view bytes) {
  const auto host = ToHostPath(path);
  if (!host) return false;
  struct stat st;
  if (::lstat(host->c_str(), &st) == 0) return false;
  TempFile temp(*host);
  return temp.Write(bytes) && temp.Finish(std::nullopt) && temp.PlaceNew();
}

bool ForceDirectories(const std::string& path) {
  const auto host = ToHostPath(path);
  if (!host) return false;
  for (size_t slash = host->find('/', 1); slash != std::string::npos;
       slash = host->find('/', slash + 1)) {
    ::mkdir(host->substr(0, slash).c_str(), 0777);
  }
  ::mkdir(host->c_str(), 0777);
  const auto st = StatOf(*host);
  return st && S_ISDIR(st->st_mode);
}

int WindowsErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return 2;  // ERROR_FILE_NOT_FOUND
    case ENOTDIR:
      return 3;  // ERROR_PATH_NOT_FOUND
    case EMFILE:
    case ENFILE:
      return 4;  // ERROR_TOO_MANY_OPEN_FILES
    case EACCES:
    case EPERM:
    case EISDIR:
      return 5;  // ERROR_ACCESS_DENIED
    case ENOMEM:
      return 8;  // ERROR_NOT_ENOUGH_MEMORY
    case EROFS:
      return 19;  // ERROR_WRITE_PROTECT
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
      return 21;  // ERROR_NOT_READY
    case EIO:
      return 30;  // ERROR_READ_FAULT
    case EBUSY:
    case ETXTBSY:
      return 32;  // ERROR_SHARING_VIOLATION
    case EWOULDBLOCK:
      return 33;  // ERROR_LOCK_VIOLATION
    case EEXIST:
      return 80;  // ERROR_FILE_EXISTS
    case ENOSPC:
    case EDQUOT:
      return 112;  // ERROR_DISK_FULL
    case EINVAL:
    case EILSEQ:
      return 123;  // ERROR_INVALID_NAME
    case ENAMETOOLONG:
      return 206;  // ERROR_FILENAME_EXCED_RANGE
    case ELOOP:
      return 1921;  // ERROR_CANT_RESOLVE_FILENAME
    default:
      return 1117;  // ERROR_IO_DEVICE
  }
}

}  // namespace qrv::fs
