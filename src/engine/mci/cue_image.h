#pragma once

#include <memory>
#include <string>
#include <vector>

#include "audio_file.h"
#include "cd_disc.h"
#include "cue_sheet.h"

namespace qrv::mci {

// Reads a cue sheet file; on failure gives the error code (its own text where the sheet has too
// many tracks).
ErrorCode ReadCueSheet(const std::string& path, CueSheet& sheet);

// A disc laid out from a cue sheet and the files it names: the files' sound one after the other,
// with the silence of PREGAP and POSTGAP lines between, as a disc burnt from the sheet holds it.
class CueImage : public SectorReader {
 public:
  // On failure the error's text names the file at fault.
  static std::unique_ptr<CueImage> Open(const std::string& cue_path, const CueSheet& sheet,
                                        ErrorCode& error);

  const std::vector<CdTrack>& Tracks() const { return tracks_; }
  int32_t Leadout() const { return leadout_; }

  bool Read(int32_t lsn, int32_t count, uint8_t* out) override;

 private:
  // A run of disc sectors from one place in one file, or silence (file -1).
  struct Span {
    int32_t lsn;
    int32_t count;
    int file;
    int32_t sector;
  };
  CueImage() = default;
  ErrorCode Lay(const CueSheet& sheet);

  std::vector<std::unique_ptr<AudioFile>> files_;
  std::vector<Span> spans_;
  std::vector<CdTrack> tracks_;
  int32_t leadout_ = 0;
  int last_file_ = -1;
};

}  // namespace qrv::mci
