#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "unique_fd.h"

namespace qrv {

enum class FileMode { OpenRead, OpenWrite, OpenReadWrite, Create };

// How other handles may use the file while this stream is open. Linux has no mandatory sharing,
// so the deny modes take an advisory lock that other streams of this program respect.
enum class ShareMode { DenyNone, DenyWrite, Exclusive };

enum class SeekOrigin { Begin, Current, End };

// A file opened by its Windows path, with 64-bit sizes and positions throughout.
class FileStream {
 public:
  // Throws EFOpenError ("Cannot open file %s"), or EFCreateError for FileMode::Create.
  FileStream(const std::string& path, FileMode mode, ShareMode share = ShareMode::DenyNone);

  int64_t Size() const;
  // The size the file had when it was opened, known without another look at it.
  int64_t OpenedSize() const { return opened_size_; }
  int64_t Position() const { return position_; }
  int64_t Seek(int64_t offset, SeekOrigin origin);

  // Read and Write move as far as they can and say how far that was.
  size_t Read(void* buffer, size_t count);
  size_t Write(const void* buffer, size_t count);
  // The Buffer forms insist on the whole count: EReadError / EWriteError otherwise.
  void ReadBuffer(void* buffer, size_t count);
  void WriteBuffer(const void* buffer, size_t count);
  // Cuts the file to `size` bytes (or lengthens it with zeros); false when that failed.
  bool SetSize(int64_t size);

 private:
  fs::UniqueFd fd_;
  int64_t opened_size_ = 0;
  int64_t position_ = 0;
};

}  // namespace qrv
