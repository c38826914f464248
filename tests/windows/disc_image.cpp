#include "disc_image.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

namespace qrv::test {
namespace {

constexpr int kSectorsPerSecond = 75;
constexpr int kSamplesPerSector = 588;  // Stereo pairs of 16-bit samples.

// "mm:ss:ff" of a sector count, as cue sheets write track starts.
std::string CueTime(int sectors) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", sectors / (60 * kSectorsPerSecond),
                (sectors / kSectorsPerSecond) % 60, sectors % kSectorsPerSecond);
  return text;
}

}  // namespace

DiscImage::DiscImage(const std::string& folder, int tracks, int seconds)
    : cue_path_(folder + "/disc.cue"),
      previous_(qgetenv("QUORVIN_CDROM")),
      had_previous_(qEnvironmentVariableIsSet("QUORVIN_CDROM")) {
  const int track_sectors = seconds * kSectorsPerSecond;
  std::vector<int16_t> pcm(static_cast<size_t>(tracks) * track_sectors * kSamplesPerSector * 2);
  for (size_t i = 0; i < pcm.size() / 2; ++i) {
    const double phase = 2.0 * std::numbers::pi * 440.0 * static_cast<double>(i) / 44100.0;
    const auto sample = static_cast<int16_t>(1000.0 * std::sin(phase));
    pcm[2 * i] = sample;
    pcm[2 * i + 1] = sample;
  }
  std::ofstream bin(folder + "/disc.bin", std::ios::binary | std::ios::trunc);
  bin.write(reinterpret_cast<const char*>(pcm.data()),
            static_cast<std::streamsize>(pcm.size() * sizeof(int16_t)));

  std::ofstream cue(cue_path_, std::ios::trunc);
  cue << "FILE \"disc.bin\" BINARY\n";
  for (int t = 0; t < tracks; ++t) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d", (t + 1) % 100);
    cue << "  TRACK " << number << " AUDIO\n    INDEX 01 " << CueTime(t * track_sectors) << "\n";
  }
  cue.close();
  qputenv("QUORVIN_CDROM", QByteArray::fromStdString(cue_path_));
}

DiscImage::~DiscImage() {
  if (had_previous_) {
    qputenv("QUORVIN_CDROM", previous_);
  } else {
    qunsetenv("QUORVIN_CDROM");
  }
}

}  // namespace qrv::test
