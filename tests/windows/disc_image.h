#pragma once

#include <QByteArray>
#include <string>

namespace qrv::test {

// How the image holds its sound: one BIN file, one WAV file, or one BIN file per track.
enum class DiscFiles { kOneBin, kOneWave, kBinPerTrack };

// A cue sheet image of an audio disc with `tracks` tracks of `seconds` seconds of a quiet tone
// each, written into `folder`; $QUORVIN_CDROM names it for as long as the object lives.
class DiscImage {
 public:
  DiscImage(const std::string& folder, int tracks, int seconds,
            DiscFiles files = DiscFiles::kOneBin);
  ~DiscImage();
  DiscImage(const DiscImage&) = delete;
  DiscImage& operator=(const DiscImage&) = delete;

  const std::string& CuePath() const { return cue_path_; }

 private:
  std::string cue_path_;
  QByteArray previous_;
  bool had_previous_;
};

}  // namespace qrv::test
