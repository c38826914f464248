#pragma once

#include <string>
#include <string_view>

// File operations on Windows paths. None of them ever leaves a half-written file behind: new
// content goes to a hidden temporary file beside the target, is flushed to disk, and is then
// renamed into place.
namespace qrv::fs {

// An existing file (not a folder).
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Removes a file; false when it is missing, a folder, or cannot be removed.
bool DeleteFile(const std::string& path);

// Copies a file's bytes and permissions. With fail_if_exists an existing target is left alone and
// the copy fails; otherwise the target is replaced in one step. False on any failure, and then
// the target is as it was.
bool CopyFile(const std::string& from, const std::string& to, bool fail_if_exists);

// Replaces (or creates) a file with the given bytes in one step. An existing file keeps its
// permissions. Throws EFCreateError ("Cannot create file %s") naming the Windows path, and then
// the old file is untouched.
void WriteFileAtomic(const std::string& path, std::string_view bytes);

// Creates a file that does not exist yet; false (and nothing written) when it exists already or
// cannot be created.
bool CreateNewFile(const std::string& path, std::string_view bytes);

// Creates a folder and any missing folders above it; true when it exists afterwards. The player
// itself never creates folders; this serves the provisioning tool.
bool ForceDirectories(const std::string& path);

// The Windows error number that stands for a host errno value (2 file not found, 3 path not
// found, 5 access denied, 123 invalid name ...).
int WindowsErrorFromErrno(int error);

}  // namespace qrv::fs
