#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace qrv::fuzz {

// Stops the run at the first input that breaks a rule; libFuzzer keeps that input.
inline void Check(bool condition) {
  if (!condition) std::abort();
}

// A fresh drive table for the run, memory-backed when possible (a disk would flush every
// rewritten input), named by $QUORVIN_PREFIX and removed when the process ends. Gives its path.
inline const std::string& MakePrefix(const char* name) {
  static std::string root;
  const bool shm = std::filesystem::is_directory("/dev/shm");
  std::string pattern = std::string(shm ? "/dev/shm" : "/tmp") + "/qrv-fuzz-" + name + "-XXXXXX";
  root = ::mkdtemp(pattern.data());
  std::filesystem::create_directories(root + "/drive_c");
  ::setenv("QUORVIN_PREFIX", root.c_str(), 1);
  std::atexit([] { std::filesystem::remove_all(root); });
  return root;
}

}  // namespace qrv::fuzz
