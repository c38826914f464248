#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/mci/disc/audio_file.h"
#include "engine/mci/disc/cd_disc.h"
#include "engine/mci/disc/cue_sheet.h"
#include "engine/mci/disc/toc_sheet.h"

namespace qrv::mci {

// Reads a cue sheet (or a cdrdao table of contents) file; on failure gives the error code (its own
// text where the sheet has too many tracks).
ErrorCode ReadCueSheet(const std::string& path, CueSheet& sheet);
ErrorCode ReadTocSheet(const std::string& path, TocSheet& sheet);

// A disc laid out from a cue sheet and the files it names: the files' sound one after the other,
// with the silence of PREGAP and POSTGAP lines between, as a disc burnt from the sheet holds it.
class CueImage : public SectorReader {
 public:
  // On failure the error's text names the file at fault.
  static std::unique_ptr<CueImage> Open(const std::string& cue_path, const CueSheet& sheet,
                                        ErrorCode& error);

  // The same for a cdrdao table of contents: its pieces of files and silence one after the other,
  // each track starting where its START puts it.
  static std::unique_ptr<CueImage> OpenToc(const std::string& toc_path, const TocSheet& sheet,
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
  // Opens a file a sheet names, found beside the sheet.
  static std::unique_ptr<AudioFile> OpenNamed(const std::string& sheet_path,
                                              const std::string& name, CueFileKind kind,
                                              const AudioWindow& window, ErrorCode& error);
  // Appends a run of sectors from a file (or silence, file -1) to the disc.
  void Append(int32_t count, int file);

  std::vector<std::unique_ptr<AudioFile>> files_;
  std::vector<Span> spans_;
  std::vector<CdTrack> tracks_;
  int32_t leadout_ = 0;
  int last_file_ = -1;
};

}  // namespace qrv::mci
