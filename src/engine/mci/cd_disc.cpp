#include "cd_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

namespace qrv::mci {
namespace {

bool EndsWithCue(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".cue";
}

}  // namespace

void CdDisc::Closer::operator()(_CdIo* cdio) const {
  if (cdio != nullptr) cdio_destroy(cdio);
}

std::shared_ptr<CdDisc> CdDisc::Open(ErrorCode& error) {
  // libcdio reports problems on stderr; this device reports them as error codes instead.
  cdio_loglevel_default = CDIO_LOG_ASSERT;
  std::shared_ptr<CdDisc> disc(new CdDisc());
  const char* named = std::getenv("QUORVIN_CDROM");
  if (named != nullptr && *named != '\0') {
    disc->source_ = named;
    struct stat info {};
    if (::stat(named, &info) != 0) {
      error = MCIERR_DEVICE_NOT_INSTALLED;
      return nullptr;
    }
    disc->is_image_ = EndsWithCue(disc->source_);
    disc->cdio_.reset(disc->is_image_ ? cdio_open_cue(named) : cdio_open(named, DRIVER_DEVICE));
  } else {
    char* device = cdio_get_default_device(nullptr);
    if (device == nullptr) {
      error = MCIERR_DEVICE_NOT_INSTALLED;
      return nullptr;
    }
    disc->source_ = device;
    std::free(device);
    disc->cdio_.reset(cdio_open(disc->source_.c_str(), DRIVER_DEVICE));
  }
  if (!disc->cdio_) {
    error = disc->is_image_ ? MCIERR_INVALID_FILE : MCIERR_DEVICE_NOT_READY;
    return nullptr;
  }

  CdIo_t* cdio = disc->cdio_.get();
  const track_t first = cdio_get_first_track_num(cdio);
  const track_t count = cdio_get_num_tracks(cdio);
  if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
    error = MCIERR_DEVICE_NOT_READY;  // no disc in the drive
    return nullptr;
  }
  for (track_t t = first; t < first + count; ++t) {
    disc->tracks_.push_back(
        {t, cdio_get_track_lsn(cdio, t), cdio_get_track_format(cdio, t) == TRACK_FORMAT_AUDIO});
  }
  disc->leadout_ = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
  bool any_audio = false;
  for (const CdTrack& t : disc->tracks_) any_audio = any_audio || t.audio;
  if (disc->leadout_ <= disc->tracks_.front().start || !any_audio) {
    error = MCIERR_DEVICE_NOT_READY;  // not an audio disc
    return nullptr;
  }
  error = 0;
  return disc;
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
  if (!cdio_) return false;
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
    } else if (cdio_read_audio_sectors(cdio_.get(), dest, at, static_cast<uint32_t>(run)) !=
               DRIVER_OP_SUCCESS) {
      return false;
    }
    done += run;
  }
  return true;
}

bool CdDisc::Eject() {
  if (is_image_) return false;
  std::lock_guard lock(read_mutex_);
  cdio_.reset();
  return cdio_eject_media_drive(source_.c_str()) == DRIVER_OP_SUCCESS;
}

}  // namespace qrv::mci
