#pragma once

#include <cstdint>
#include <string>

#include "unique_fd.h"

namespace qrv::fs {

enum class OpenAccess { Read, Write, ReadWrite, Create };

// A descriptor for a regular file, or the host error number that tells why there is none.
struct RegularFile {
  UniqueFd fd;
  int error = 0;
  int64_t size = 0;

  bool Valid() const { return fd.Valid(); }
};

// Opens a host file that must be a regular file. The open itself never waits: a FIFO, socket or
// device is refused at once (EACCES, as for any file that may not be read; EISDIR for a folder)
// instead of blocking the window until something writes to it. Create makes a missing file and
// empties an existing one.
RegularFile OpenRegularFile(const std::string& host, OpenAccess access = OpenAccess::Read);

// A path by which the host opens again the very file behind an open descriptor, whatever has
// become of the name it was opened by since: for libraries that take a path, never a descriptor.
// The path is only good while the descriptor stays open, and only in this process.
std::string DescriptorPath(int fd);

// Reads up to `count` bytes at `offset` without moving the descriptor's position, so that one open
// file serves every reader in turn. Returns how many bytes were read, fewer only at the file's
// end, or -1 on a read error.
int64_t ReadAt(int fd, int64_t offset, void* out, size_t count);

// Reads up to limit bytes from the start of an open file. Sets cut when there was more.
// Returns false on a read error, with errno set. The size the file had when it was opened, when
// known, lets the bytes be read into one block instead of a growing one.
bool ReadPrefix(int fd, size_t limit, std::string& bytes, bool& cut, int64_t known_size = 0);

}  // namespace qrv::fs

namespace qrv::fs {

enum class SmallFileRead { kOk, kCannotOpen, kTooLarge, kReadError };

// Reads the whole regular file that a Windows path names, when it holds at most limit bytes: for
// pictures, which are decoded from memory and must not pull a runaway file into it.
SmallFileRead ReadSmallFile(const std::string& path, size_t limit, std::string& bytes);

}  // namespace qrv::fs
