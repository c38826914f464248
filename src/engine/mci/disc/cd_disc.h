#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/mci/disc/cd_time.h"
#include "engine/mci/mci.h"

struct _CdIo;

namespace qrv::mci {

class CueImage;

struct CdTrack {
  int32_t number;
  int32_t start;  // first sector (LSN)
  bool audio;
  std::string title;      // CD-TEXT, where the image gives it
  std::string performer;  // CD-TEXT, where the image gives it
};

// Where a disc's sectors come from: a drive or an image that libcdio reads, or the files of a
// cue sheet.
class SectorReader {
 public:
  virtual ~SectorReader() = default;
  // Reads `count` audio sectors from `lsn` (count * kSectorBytes bytes).
  virtual bool Read(int32_t lsn, int32_t count, uint8_t* out) = 0;
  virtual bool Eject() { return false; }
};

// One audio disc: in a drive, as an image that libcdio reads (.toc, .nrg, BIN/CUE), or as a cue
// sheet with the audio files it names. Holds its table of contents and reads its audio sectors.
// Reading is safe from any one thread at a time (the device's streaming thread); the table is
// read once when the disc is opened.
class CdDisc {
 public:
  // $QUORVIN_CDROM names a drive or an image; otherwise libcdio's default drive.
  static std::shared_ptr<CdDisc> Open(ErrorCode& error);
  ~CdDisc();
  CdDisc(const CdDisc&) = delete;
  CdDisc& operator=(const CdDisc&) = delete;

  const std::vector<CdTrack>& Tracks() const { return tracks_; }
  int32_t Leadout() const { return leadout_; }
  bool IsImage() const { return is_image_; }
  const std::string& Source() const { return source_; }
  // The track holding a sector (the last track for the leadout itself).
  const CdTrack& TrackAt(int32_t lsn) const;
  const CdTrack* FindTrack(int32_t number) const;

  // Reads `count` sectors from `lsn` into `out` (count * kSectorBytes bytes); sectors of data
  // tracks read as silence.
  bool ReadAudio(int32_t lsn, int32_t count, uint8_t* out);
  bool Eject();

 private:
  CdDisc() = default;
  // Takes a handle libcdio opened (null when it could not) and reads its table of contents.
  ErrorCode OpenCdio(_CdIo* opened);
  ErrorCode OpenCue();
  ErrorCode OpenToc();
  // Takes the tracks, the lead-out and the sound of an image read by our own readers.
  ErrorCode Adopt(std::unique_ptr<CueImage> image, ErrorCode error);

  std::unique_ptr<SectorReader> reader_;
  std::mutex read_mutex_;
  std::vector<CdTrack> tracks_;
  int32_t leadout_ = 0;
  bool is_image_ = false;
  std::string source_;
};

}  // namespace qrv::mci
