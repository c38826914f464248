#include "text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "../exceptions.h"
#include "drive_map.h"
#include "file_ops.h"
#include "regular_file.h"
#include "unique_fd.h"

namespace qrv {

namespace {

// A first line longer than this is not a path of ours; reading stops there rather than pulling a
// whole runaway file into memory.
constexpr size_t kMaxLineBytes = 1 << 20;

fs::UniqueFd OpenForReading(const std::string& path) {
  fs::PathProblem problem;
  const auto host = fs::ToHostPath(path, problem);
  if (!host) {
    throw EInOutError(problem == fs::PathProblem::kNoDrive ? EInOutError::kPathNotFound
                                                           : EInOutError::kInvalidName);
  }
  // A folder, FIFO or device is refused at once, as access denied.
  fs::RegularFile file = fs::OpenRegularFile(*host);
  if (!file.Valid()) throw EInOutError(fs::WindowsErrorFromErrno(file.error));
  fs::UniqueFd fd = std::move(file.fd);
  // A file that a stream of this program holds exclusively is locked against readers too.
  if (::flock(fd.Get(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    throw EInOutError(fs::WindowsErrorFromErrno(EWOULDBLOCK));
  }
  return fd;
}

}  // namespace

std::string ReadFirstLine(const std::string& path) {
  const fs::UniqueFd fd = OpenForReading(path);
  std::string line;
  char buffer[4096];
  while (line.size() < kMaxLineBytes) {
    const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EInOutError(fs::WindowsErrorFromErrno(errno));
    if (n == 0) break;
    for (ssize_t i = 0; i < n; ++i) {
      if (buffer[i] == '\r' || buffer[i] == '\n') {
        line.append(buffer, static_cast<size_t>(i));
        return line;
      }
    }
    line.append(buffer, static_cast<size_t>(n));
  }
  if (line.size() > kMaxLineBytes) line.resize(kMaxLineBytes);
  return line;
}

void WriteTextLine(const std::string& path, const std::string& line) {
  if (line.find_first_of("\r\n") != std::string::npos) throw EFCreateError(path);
  fs::WriteFileAtomic(path, line + "\r\n");
}

TextPrefix ReadTextFile(const std::string& path, size_t limit) {
  const auto host = fs::ToHostPath(path);
  if (!host) throw EFOpenError(path);
  const fs::RegularFile file = fs::OpenRegularFile(*host);
  if (!file.Valid()) throw EFOpenError(path);
  TextPrefix prefix;
  if (!fs::ReadPrefix(file.fd.Get(), limit, prefix.text, prefix.cut, file.size)) throw EReadError();
  return prefix;
}

}  // namespace qrv
