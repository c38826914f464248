// Reading the tags of a folder of small files, against the least a reader has to do: open the
// file, read its last 128 bytes, close it.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/fs/drive_map.h"
#include "tags/mp3_tag.h"

namespace {

constexpr int kFileCount = 10000;
constexpr size_t kFileSize = 2048;

// Ten thousand tagged files in a drive table of their own, removed when the run ends.
class Library {
 public:
  Library() {
    char pattern[] = "/tmp/qrv-bench-tags-XXXXXX";
    root_ = ::mkdtemp(pattern);
    ::setenv("QUORVIN_PREFIX", root_.c_str(), 1);
    const std::string folder = root_ + "/drive_c/music";
    std::filesystem::create_directories(folder);
    std::string bytes(kFileSize, 'a');
    bytes.replace(kFileSize - 128, 3, "TAG");
    for (int i = 0; i < kFileCount; ++i) {
      const std::string name = "track" + std::to_string(i) + ".mp3";
      bytes.replace(kFileSize - 125, name.size(), name);
      std::ofstream(folder + "/" + name, std::ios::binary).write(bytes.data(), bytes.size());
      host_paths_.push_back(folder + "/" + name);
      windows_paths_.push_back("c:\\music\\" + name);
    }
  }
  ~Library() { std::filesystem::remove_all(root_); }

  const std::vector<std::string>& HostPaths() const { return host_paths_; }
  const std::vector<std::string>& WindowsPaths() const { return windows_paths_; }

 private:
  std::string root_;
  std::vector<std::string> host_paths_;
  std::vector<std::string> windows_paths_;
};

Library& Files() {
  static Library library;
  return library;
}

void BM_ReadFromFile(benchmark::State& state) {
  const auto& paths = Files().WindowsPaths();
  qrv::Tmp3Tag tag;
  for (auto _ : state) {
    for (const auto& path : paths) {
      tag.ReadFromFile(path);
      benchmark::DoNotOptimize(tag.Title().data());
    }
  }
  state.SetItemsProcessed(state.iterations() * kFileCount);
}

void BM_BareOpenPreadClose(benchmark::State& state) {
  const auto& paths = Files().HostPaths();
  char block[128];
  for (auto _ : state) {
    for (const auto& path : paths) {
      const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
      struct stat st;
      ::fstat(fd, &st);
      benchmark::DoNotOptimize(::pread(fd, block, sizeof block, st.st_size - 128));
      ::close(fd);
    }
  }
  state.SetItemsProcessed(state.iterations() * kFileCount);
}

// What mapping the Windows paths onto the host costs by itself: most of the distance between
// the two loops above.
void BM_PathMappingOnly(benchmark::State& state) {
  const auto& paths = Files().WindowsPaths();
  for (auto _ : state) {
    for (const auto& path : paths) benchmark::DoNotOptimize(qrv::fs::ToHostPath(path));
  }
  state.SetItemsProcessed(state.iterations() * kFileCount);
}

BENCHMARK(BM_BareOpenPreadClose)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_ReadFromFile)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_PathMappingOnly)->Unit(benchmark::kMillisecond)->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
