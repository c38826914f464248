#include "engine/mci/disc/cd_device.h"

namespace qrv::mci {
namespace {

int32_t UnpackFrames(uint32_t minutes, uint32_t seconds, uint32_t frames) {
  return static_cast<int32_t>(MsfToSectors(minutes, seconds, frames));
}

}  // namespace

std::unique_ptr<CdDevice> CdDevice::Open(ErrorCode& error) {
  std::shared_ptr<CdDisc> disc = CdDisc::Open(error);
  if (!disc) return nullptr;
  std::unique_ptr<CdDevice> device(new CdDevice());
  device->disc_ = disc;
  device->CreatePlayback([disc] { return MakeCdPipeline(disc); });
  PrerollResult preroll = device->playback_->Preroll();
  if (!preroll.ok) {
    error = preroll.no_output   ? MCIERR_WAVE_OUTPUTSUNSUITABLE
            : preroll.timed_out ? (disc->IsImage() ? MCIERR_INVALID_FILE : MCIERR_DEVICE_NOT_READY)
                                : MCIERR_HARDWARE;
    return nullptr;
  }
  device->playback_->PinDuration(SectorsToNs(device->disc_->Leadout()));
  // A disc is ready at the start of its first track.
  if (!device->playback_->Seek(SectorsToNs(device->disc_->Tracks().front().start))) {
    error = MCIERR_HARDWARE;
    return nullptr;
  }
  return device;
}

CdDevice::~CdDevice() = default;

int32_t CdDevice::CurrentSector() const {
  const int64_t ns = playback_->Position();
  if (ns >= playback_->Duration()) return disc_->Leadout();
  return static_cast<int32_t>(NsToSectors(ns));
}

uint32_t CdDevice::Encode(int32_t lsn) const {
  switch (time_format_) {
    case MCI_FORMAT_TMSF: {
      const CdTrack& track = disc_->TrackAt(lsn);
      return PackMsf(lsn - track.start) << 8 | static_cast<uint32_t>(track.number);
    }
    case MCI_FORMAT_MILLISECONDS:
      return static_cast<uint32_t>(SectorsToMs(lsn + kLeadIn));
    default:
      return PackMsf(lsn + kLeadIn);
  }
}

uint32_t CdDevice::Duration(int32_t frames) const {
  if (time_format_ == MCI_FORMAT_MILLISECONDS) {
    return static_cast<uint32_t>(SectorsToMs(frames));
  }
  return PackMsf(frames);
}

bool CdDevice::Decode(uint32_t value, int32_t& lsn) const {
  switch (time_format_) {
    case MCI_FORMAT_TMSF: {
      const CdTrack* track = disc_->FindTrack(static_cast<int32_t>(TmsfTrack(value)));
      if (track == nullptr) return false;
      lsn = track->start + UnpackFrames(TmsfMinute(value), TmsfSecond(value), TmsfFrame(value));
      break;
    }
    case MCI_FORMAT_MILLISECONDS:
      lsn = static_cast<int32_t>(MsToSectors(value)) - kLeadIn;
      break;
    default:
      lsn = UnpackFrames(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF) - kLeadIn;
      break;
  }
  return lsn >= disc_->Tracks().front().start && lsn <= disc_->Leadout();
}

ErrorCode CdDevice::Set(uint32_t flags, const Request& request) {
  if ((flags & MCI_SET_TIME_FORMAT) != 0) {
    const uint32_t f = request.time_format;
    if (f != MCI_FORMAT_MILLISECONDS && f != MCI_FORMAT_MSF && f != MCI_FORMAT_TMSF) {
      return MCIERR_BAD_TIME_FORMAT;
    }
    time_format_ = f;
  }
  if ((flags & MCI_SET_DOOR_OPEN) != 0) {
    HaltAs(MCI_MODE_OPEN);
    if (!disc_->Eject()) return MCIERR_UNSUPPORTED_FUNCTION;
  }
  NotifyNow(flags, request);
  return 0;
}

ErrorCode CdDevice::Play(uint32_t flags, const Request& request) {
  if (mode_ == MCI_MODE_OPEN) return MCIERR_DEVICE_NOT_READY;
  std::optional<int64_t> from;
  if ((flags & MCI_FROM) != 0) {
    int32_t lsn = 0;
    if (!Decode(request.from, lsn)) return MCIERR_OUTOFRANGE;
    from = SectorsToNs(lsn);
  }
  return StartPlayback(flags, request, from, MCIERR_HARDWARE);
}

ErrorCode CdDevice::Seek(uint32_t flags, const Request& request) {
  if (mode_ == MCI_MODE_OPEN) return MCIERR_DEVICE_NOT_READY;
  int32_t lsn = 0;
  if ((flags & MCI_SEEK_TO_START) != 0) {
    lsn = disc_->Tracks().front().start;
  } else if ((flags & MCI_SEEK_TO_END) != 0) {
    lsn = disc_->Leadout();
  } else if ((flags & MCI_TO) != 0) {
    if (!Decode(request.to, lsn)) return MCIERR_OUTOFRANGE;
  } else {
    return MCIERR_MISSING_PARAMETER;
  }
  return SeekStopped(SectorsToNs(lsn), flags, request, MCIERR_HARDWARE);
}

ErrorCode CdDevice::Status(uint32_t flags, Request& request) const {
  const bool by_track = (flags & MCI_TRACK) != 0;
  const CdTrack* track = by_track ? disc_->FindTrack(static_cast<int32_t>(request.track)) : nullptr;
  if (by_track && track == nullptr) return MCIERR_OUTOFRANGE;
  const auto& tracks = disc_->Tracks();
  switch (request.item) {
    case MCI_STATUS_LENGTH:
      if (track != nullptr) {
        const CdTrack* next = disc_->FindTrack(track->number + 1);
        request.return_value = Duration((next ? next->start : disc_->Leadout()) - track->start);
      } else if (time_format_ == MCI_FORMAT_TMSF) {
        // In TMSF the end of the disc is the end of its last track, so that a disc that has
        // played to its end stands exactly at its length.
        request.return_value = Encode(disc_->Leadout());
      } else {
        request.return_value = Duration(disc_->Leadout() - tracks.front().start);
      }
      return 0;
    case MCI_STATUS_POSITION:
      request.return_value = track != nullptr ? Encode(track->start) : Encode(CurrentSector());
      return 0;
    case MCI_STATUS_NUMBER_OF_TRACKS:
      request.return_value = static_cast<uint32_t>(tracks.size());
      return 0;
    case MCI_STATUS_CURRENT_TRACK:
      request.return_value = static_cast<uint32_t>(disc_->TrackAt(CurrentSector()).number);
      return 0;
    default:
      return CommonStatus(request, mode_ != MCI_MODE_OPEN, time_format_);
  }
}

PipelineDevice::Capabilities CdDevice::Describe() const {
  Capabilities caps;
  caps.device_type = MCI_DEVTYPE_CD_AUDIO;
  caps.can_eject = !disc_->IsImage();
  return caps;
}

}  // namespace qrv::mci
