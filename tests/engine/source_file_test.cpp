// A media file is read as the file that was checked when it was opened: its name swapped for a
// FIFO or for another file after the check neither holds the open nor plays the other file.
#include "engine/mci/gst/source_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <atomic>
#include <cmath>
#include <thread>

#include "audio_fixtures.h"
#include "engine/mci/disc/audio_file.h"
#include "engine/mci/gst/sound_pipeline.h"

namespace qrv {
namespace {

using namespace qrv::mci;

enum class Swap { kFifo, kOtherFile };

// Puts something else under a file's name: a FIFO, or a wave of silence three times as long as
// the tone. A writer serves the FIFO and counts who came to read it, so that a reader that should
// never have come reads an empty stream (and the test fails) instead of waiting for ever.
class SwappedName {
 public:
  SwappedName(const std::string& path, Swap swap) : path_(path) {
    ::unlink(path.c_str());
    if (swap == Swap::kOtherFile) {
      test::WriteWavePcm(path, std::vector<int16_t>(3 * 44100 * 2, 0));
      return;
    }
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    writer_ = std::thread([this] {
      while (!done_) {
        const int fd = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
        if (!done_) ++readers_;
        if (fd >= 0) ::close(fd);
      }
    });
  }
  ~SwappedName() {
    if (!writer_.joinable()) return;
    done_ = true;
    // A reader of the test's own lets the writer's last open return.
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    writer_.join();
    if (fd >= 0) ::close(fd);
  }
  SwappedName(const SwappedName&) = delete;
  SwappedName& operator=(const SwappedName&) = delete;

  // How many times something opened the FIFO to read.
  int Readers() const { return readers_; }

 private:
  std::string path_;
  std::atomic<bool> done_{false};
  std::atomic<int> readers_{0};
  std::thread writer_;
};

template <typename Sample>
double Rms(const std::vector<Sample>& samples, double full_scale) {
  double sum = 0;
  for (const Sample s : samples) sum += static_cast<double>(s) * static_cast<double>(s);
  return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size())) / full_scale;
}

// The fixtures' tone peaks at 3000 of 32768.
constexpr double kToneRms = 3000.0 / 32768.0 / std::sqrt(2.0);

const Swap kSwaps[] = {Swap::kFifo, Swap::kOtherFile};

TEST(SourceFileTest, ASoundPipelinePlaysTheFileThatWasChecked) {
  for (const SourceReading reading : {SourceReading::kRandomAccess, SourceReading::kStream}) {
    for (const Swap swap : kSwaps) {
      SCOPED_TRACE(testing::Message() << "stream " << (reading == SourceReading::kStream)
                                      << ", fifo " << (swap == Swap::kFifo));
      QTemporaryDir dir;
      const std::string path = dir.path().toStdString() + "/tone.wav";
      test::WriteWave(path, 1000);
      const SharedFile file = OpenSharedFile(path);
      ASSERT_TRUE(file->Valid());
      const SwappedName swapped(path, swap);
      const test::Heard heard = test::Listen([&] { return MakeSoundPipeline(file, reading); });
      ASSERT_EQ(heard.error, "");
      ASSERT_GT(heard.channels, 0);
      EXPECT_NEAR(static_cast<double>(heard.samples.size()) / heard.channels, heard.rate,
                  heard.rate * 0.02);
      EXPECT_NEAR(Rms(heard.samples, 1.0), kToneRms, kToneRms * 0.1);
      EXPECT_EQ(swapped.Readers(), 0);
    }
  }
}

// A disc image's decoded track lets go of its decoder between reads and starts it again later:
// long after the check, and still on the file that was checked.
TEST(SourceFileTest, ADiscImageTrackIsDecodedAgainFromTheFileThatWasChecked) {
  for (const Swap swap : kSwaps) {
    SCOPED_TRACE(testing::Message() << "fifo " << (swap == Swap::kFifo));
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/mono.wav";
    // Mono at 22.05 kHz is not a disc's format, so the track goes through the decoder.
    std::string data;
    for (int i = 0; i < 22050; ++i) {
      const auto v = static_cast<int16_t>(3000 * std::sin(2 * M_PI * 440.0 * i / 22050));
      data += test::Bytes2(v);
    }
    test::WriteRiffWave(path, test::FormatBlock(1, 1, 22050, 44100, 2, 16), data);
    ErrorCode error = 0;
    const auto track = AudioFile::Open(path, "mono.wav", CueFileKind::kAudio, error);
    ASSERT_TRUE(track) << error;
    ASSERT_EQ(track->Sectors(), 75);
    const SwappedName swapped(path, swap);
    std::vector<int16_t> pcm(static_cast<size_t>(track->Sectors()) * 588 * 2);
    ASSERT_TRUE(track->Read(0, track->Sectors(), reinterpret_cast<uint8_t*>(pcm.data())));
    EXPECT_NEAR(Rms(pcm, 32768.0), kToneRms, kToneRms * 0.1);
    EXPECT_EQ(swapped.Readers(), 0);
  }
}

}  // namespace
}  // namespace qrv
