#include "disc_image.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

#include "wave_file.h"

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

void WriteBytes(const std::string& path, const std::string& head, const int16_t* pcm,
                size_t count) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(head.data(), static_cast<std::streamsize>(head.size()));
  out.write(reinterpret_cast<const char*>(pcm), static_cast<std::streamsize>(count * 2));
}

}  // namespace

DiscImage::DiscImage(const std::string& folder, int tracks, int seconds, DiscFiles files)
    : cue_path_(folder + "/disc.cue"),
      previous_(qgetenv("QUORVIN_CDROM")),
      had_previous_(qEnvironmentVariableIsSet("QUORVIN_CDROM")) {
  const int track_sectors = seconds * kSectorsPerSecond;
  const size_t track_values = static_cast<size_t>(track_sectors) * kSamplesPerSector * 2;
  std::vector<int16_t> pcm(static_cast<size_t>(tracks) * track_values);
  for (size_t i = 0; i < pcm.size() / 2; ++i) {
    const double phase = 2.0 * std::numbers::pi * 440.0 * static_cast<double>(i) / 44100.0;
    const auto sample = static_cast<int16_t>(1000.0 * std::sin(phase));
    pcm[2 * i] = sample;
    pcm[2 * i + 1] = sample;
  }
  std::ofstream cue(cue_path_, std::ios::trunc);
  if (files == DiscFiles::kOneBin) {
    WriteBytes(folder + "/disc.bin", {}, pcm.data(), pcm.size());
    cue << "FILE \"disc.bin\" BINARY\n";
  } else if (files == DiscFiles::kOneWave) {
    WriteBytes(folder + "/Some Album.wav",
               PcmWaveHeader(2, 44100, 16, static_cast<uint32_t>(pcm.size() * 2)), pcm.data(),
               pcm.size());
    cue << "FILE \"Some Album.wav\" WAVE\n";
  }
  for (int t = 0; t < tracks; ++t) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d", (t + 1) % 100);
    int start = t * track_sectors;
    if (files == DiscFiles::kBinPerTrack) {
      const std::string name = std::string("Track ") + number + ".bin";
      WriteBytes(folder + "/" + name, {}, pcm.data() + t * track_values, track_values);
      cue << "FILE \"" << name << "\" BINARY\n";
      start = 0;
    }
    cue << "  TRACK " << number << " AUDIO\n    INDEX 01 " << CueTime(start) << "\n";
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
