// Lists a generated folder through the file list control and through a bare loop of readdir,
// wildcard matching and sorting, so that the control's overhead can be read off as a ratio.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>

#include "playlists/file_list_box.h"
#include "runtime/fs/directory.h"
#include "runtime/fs/drive_map.h"

namespace {

constexpr const char* kMask = "*.mp?;*.wav;*.wave";
const char* const kExtensions[] = {".mp3", ".mp2", ".wav", ".wave", ".txt"};

std::string& PrefixRoot() {
  static std::string root;
  return root;
}

std::string FolderFor(int files) {
  return "c:\\f" + std::to_string(files);
}

// Creates the folder of empty files once per size.
void MakeFolder(int files) {
  const std::string host = PrefixRoot() + "/drive_c/f" + std::to_string(files);
  if (QDir(QString::fromStdString(host)).exists()) return;
  QDir().mkpath(QString::fromStdString(host));
  for (int i = 0; i < files; ++i) {
    const std::string name =
        host + "/Track " + std::to_string(i * 7919 % files) + kExtensions[i % 5];
    const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    if (fd >= 0) ::close(fd);
  }
}

void BM_FileListBox(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  MakeFolder(files);
  qrv::TFileListBox list;
  list.SetMask(kMask);
  int count = 0;
  bool toggle = false;
  for (auto _ : state) {
    // Alternating masks forces a full re-read on every pass.
    list.SetMask(toggle ? kMask : std::string(kMask) + ";");
    toggle = !toggle;
    list.SelectPath(FolderFor(files));
    count = list.Count();
  }
  state.counters["entries"] = count;
}

void BM_BareLoop(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  MakeFolder(files);
  const std::string host = PrefixRoot() + "/drive_c/f" + std::to_string(files);
  const auto pieces = qrv::fs::SplitMask(kMask);
  size_t count = 0;
  for (auto _ : state) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(host.c_str());
    while (const dirent* entry = ::readdir(dir)) {
      if (entry->d_name[0] == '.') continue;
      for (const auto& piece : pieces)
        if (qrv::fs::MatchesPattern(entry->d_name, piece)) names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return qrv::fs::NameLess(a, b); });
    count = names.size();
    benchmark::DoNotOptimize(names.data());
  }
  state.counters["entries"] = static_cast<double>(count);
}

BENCHMARK(BM_FileListBox)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareLoop)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Collects the mean time of each run so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void PrintRatios() const {
    for (const char* size : {"10000", "100000"}) {
      const auto control = times_.find(std::string("BM_FileListBox/") + size);
      const auto bare = times_.find(std::string("BM_BareLoop/") + size);
      if (control == times_.end() || bare == times_.end() || bare->second <= 0) continue;
      std::printf("%s files: control %.1f ms, bare loop %.1f ms, ratio %.2f\n", size,
                  control->second, bare->second, control->second / bare->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  QTemporaryDir prefix(QDir::tempPath() + "/qrv-bench-XXXXXX");
  PrefixRoot() = prefix.path().toStdString();
  QDir().mkpath(prefix.path() + "/drive_c");
  qputenv("QUORVIN_PREFIX", prefix.path().toLocal8Bit());
  qrv::fs::ResetState();

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;  // The temporary prefix and its folders go with `prefix`.
}
