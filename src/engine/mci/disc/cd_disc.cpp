#include "engine/mci/disc/cd_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <cstring>
#include <filesystem>

#include "engine/mci/disc/cdio_handles.h"
#include "engine/mci/disc/cue_image.h"
#include "runtime/paths.h"

namespace qrv::mci {
namespace {

namespace stdfs = std::filesystem;

// A drive or an image that libcdio reads.
class CdioReader : public SectorReader {
 public:
  CdioReader(CdIo_t* cdio, std::string source) : cdio_(cdio), source_(std::move(source)) {}
  CdIo_t* Handle() const { return cdio_.get(); }

  bool Read(int32_t lsn, int32_t count, uint8_t* out) override {
    return cdio_ && cdio_read_audio_sectors(cdio_.get(), out, lsn, static_cast<uint32_t>(count)) ==
                        DRIVER_OP_SUCCESS;
  }
  bool Eject() override {
    cdio_.reset();
    return cdio_eject_media_drive(source_.c_str()) == DRIVER_OP_SUCCESS;
  }

 private:
  Owner<CdIo_t> cdio_;
  std::string source_;
};

// libcdio reads a sheet's one BINARY file only when it is named as the sheet is, with ".bin";
// such images keep the table that libcdio's own tools show for them.
bool LibcdioReads(const std::string& cue_path, const CueSheet& sheet) {
  if (sheet.files.size() != 1 || sheet.files.front().kind != CueFileKind::kBinary) return false;
  const stdfs::path cue(cue_path);
  std::error_code ignored;
  return stdfs::equivalent(cue.parent_path() / sheet.files.front().name,
                           stdfs::path(cue).replace_extension(".bin"), ignored);
}

}  // namespace

std::shared_ptr<CdDisc> CdDisc::Open(ErrorCode& error) {
  // libcdio reports problems on stderr; this device reports them as error codes instead.
  cdio_loglevel_default = CDIO_LOG_ASSERT;
  std::shared_ptr<CdDisc> disc(new CdDisc());
  const char* named = std::getenv("QUORVIN_CDROM");
  if (named != nullptr && *named != '\0') {
    disc->source_ = named;
    std::error_code status_error;
    const stdfs::file_status status = stdfs::status(named, status_error);
    if (!stdfs::exists(status)) {
      error = MCIERR_DEVICE_NOT_INSTALLED;
      return nullptr;
    }
    disc->is_image_ = stdfs::is_regular_file(status);
    if (disc->is_image_ && EndsWithIgnoringCase(disc->source_, ".cue")) {
      error = disc->OpenCue();
    } else if (disc->is_image_ && EndsWithIgnoringCase(disc->source_, ".toc")) {
      error = disc->OpenToc();
    } else {
      error = disc->OpenCdio(cdio_open(named, disc->is_image_ ? DRIVER_UNKNOWN : DRIVER_DEVICE));
    }
  } else {
    const Owner<char, CdioFreeTraits> device(cdio_get_default_device(nullptr));
    if (!device) {
      error = MCIERR_DEVICE_NOT_INSTALLED;
      return nullptr;
    }
    disc->source_ = device.get();
    error = disc->OpenCdio(cdio_open(disc->source_.c_str(), DRIVER_DEVICE));
  }
  if (error != 0) return nullptr;

  bool any_audio = false;
  for (const CdTrack& t : disc->tracks_) any_audio = any_audio || t.audio;
  if (disc->tracks_.empty() || disc->leadout_ <= disc->tracks_.front().start || !any_audio) {
    // Not an audio disc; an image file with nothing to play is a damaged file, not a drive.
    error = disc->is_image_ ? MCIERR_INVALID_FILE : MCIERR_DEVICE_NOT_READY;
    return nullptr;
  }
  return disc;
}

ErrorCode CdDisc::OpenCdio(CdIo_t* opened) {
  auto reader = std::make_unique<CdioReader>(opened, source_);
  CdIo_t* cdio = reader->Handle();
  if (cdio == nullptr) return is_image_ ? MCIERR_INVALID_FILE : MCIERR_DEVICE_NOT_READY;
  const track_t first = cdio_get_first_track_num(cdio);
  const track_t count = cdio_get_num_tracks(cdio);
  if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
    return is_image_ ? MCIERR_INVALID_FILE : MCIERR_DEVICE_NOT_READY;  // no disc in the drive
  }
  for (track_t t = first; t < first + count; ++t) {
    tracks_.push_back({t,
                       cdio_get_track_lsn(cdio, t),
                       cdio_get_track_format(cdio, t) == TRACK_FORMAT_AUDIO,
                       {},
                       {}});
  }
  leadout_ = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
  reader_ = std::move(reader);
  return 0;
}

ErrorCode CdDisc::OpenCue() {
  CueSheet sheet;
  ErrorCode error = ReadCueSheet(source_, sheet);
  if (error == MCIERR_INVALID_FILE) {
    // A sheet libcue cannot follow may still be one that libcdio reads.
    return OpenCdio(cdio_open_cue(source_.c_str())) == 0 ? 0 : error;
  }
  if (error != 0) return error;
  if (LibcdioReads(source_, sheet)) {
    if (OpenCdio(cdio_open_cue(source_.c_str())) == 0) return 0;
    tracks_.clear();
  }
  std::unique_ptr<CueImage> image = CueImage::Open(source_, sheet, error);
  return Adopt(std::move(image), error);
}

// cdrdao's tables are read here rather than by libcdio, which reads their big-endian samples as
// little-endian ones and leaves out their silence.
ErrorCode CdDisc::OpenToc() {
  TocSheet sheet;
  ErrorCode error = ReadTocSheet(source_, sheet);
  if (error != 0) return error;
  std::unique_ptr<CueImage> image = CueImage::OpenToc(source_, sheet, error);
  return Adopt(std::move(image), error);
}

ErrorCode CdDisc::Adopt(std::unique_ptr<CueImage> image, ErrorCode error) {
  if (!image) return error;
  tracks_ = image->Tracks();
  leadout_ = image->Leadout();
  reader_ = std::move(image);
  return 0;
}

CdDisc::~CdDisc() = default;

const CdTrack& CdDisc::TrackAt(int32_t lsn) const {
  const CdTrack* found = &tracks_.front();
  for (const CdTrack& t : tracks_) {
    if (t.start <= lsn) found = &t;
  }
  return *found;
}

const CdTrack* CdDisc::FindTrack(int32_t number) const {
  for (const CdTrack& t : tracks_) {
    if (t.number == number) return &t;
  }
  return nullptr;
}

bool CdDisc::ReadAudio(int32_t lsn, int32_t count, uint8_t* out) {
  std::lock_guard lock(read_mutex_);
  if (!reader_) return false;
  // Data tracks are not sound: play them as silence rather than as noise.
  int32_t done = 0;
  while (done < count) {
    const int32_t at = lsn + done;
    const CdTrack& track = TrackAt(at);
    int32_t run = count - done;
    for (const CdTrack& t : tracks_) {
      if (t.start > at) {
        run = std::min(run, t.start - at);
        break;
      }
    }
    uint8_t* dest = out + static_cast<size_t>(done) * kSectorBytes;
    if (!track.audio) {
      std::memset(dest, 0, static_cast<size_t>(run) * kSectorBytes);
    } else if (!reader_->Read(at, run, dest)) {
      return false;
    }
    done += run;
  }
  return true;
}

bool CdDisc::Eject() {
  if (is_image_) return false;
  std::lock_guard lock(read_mutex_);
  return reader_ && reader_->Eject();
}

}  // namespace qrv::mci
