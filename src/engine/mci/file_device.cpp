#include "file_device.h"

#include <unistd.h>

#include <cerrno>

#include "mpeg_audio_length.h"
#include "runtime/fs/drive_map.h"
#include "runtime/fs/regular_file.h"

namespace qrv::mci {
namespace {

constexpr int64_t kNsPerMs = 1000000;

// Finds the host file for an element and checks that it can be read at all, so that a missing
// or forbidden file gets its own error instead of a decoder's.
ErrorCode ResolveFile(const std::string& element, std::string& host) {
  if (element.empty()) return MCIERR_FILENAME_REQUIRED;
  if (element[0] == '/') {
    host = element;
  } else if (auto mapped = fs::ToHostPath(element)) {
    host = *mapped;
  } else {
    return MCIERR_FILE_NOT_FOUND;
  }
  // Only a regular file reaches the decoder, and the check itself never blocks: a FIFO or device
  // given to the decoder would hold the window until something wrote to it.
  const fs::RegularFile file = fs::OpenRegularFile(host);
  if (!file.Valid()) {
    return file.error == ENOENT || file.error == ENOTDIR ? MCIERR_FILE_NOT_FOUND : MCIERR_FILE_READ;
  }
  char probe = 0;
  if (::read(file.fd.Get(), &probe, 1) < 0) return MCIERR_FILE_READ;
  if (file.size == 0) return MCIERR_EXTENSION_NOT_FOUND;
  return 0;
}

ErrorCode ClassifyError(const GError* error) {
  if (error == nullptr) return MCIERR_INVALID_FILE;
  if (error->domain == GST_STREAM_ERROR) {
    switch (error->code) {
      case GST_STREAM_ERROR_TYPE_NOT_FOUND:
        return MCIERR_EXTENSION_NOT_FOUND;
      case GST_STREAM_ERROR_CODEC_NOT_FOUND:
        return MCIERR_DEVICE_NOT_INSTALLED;
      default:
        return MCIERR_INVALID_FILE;
    }
  }
  if (error->domain == GST_CORE_ERROR && error->code == GST_CORE_ERROR_MISSING_PLUGIN) {
    return MCIERR_DEVICE_NOT_INSTALLED;
  }
  if (error->domain == GST_RESOURCE_ERROR) return MCIERR_FILE_READ;
  return MCIERR_INVALID_FILE;
}

bool HasStreamOfKind(GstElement* playbin, const char* property) {
  gint count = 0;
  g_object_get(playbin, property, &count, nullptr);
  return count > 0;
}

}  // namespace

FileDevice::FileDevice() = default;

FileDevice::~FileDevice() = default;

std::unique_ptr<FileDevice> FileDevice::Open(const std::string& element, ErrorCode& error) {
  std::string host;
  error = ResolveFile(element, host);
  if (error != 0) return nullptr;

  EnsureGstInit();
  ElementPtr playbin = MakeElement("playbin");
  ElementPtr sink = MakeAudioSink();
  if (!playbin || !sink) {
    error = MCIERR_CANNOT_LOAD_DRIVER;
    return nullptr;
  }
  CharPtr uri(gst_filename_to_uri(host.c_str(), nullptr));
  g_object_set(playbin.get(), "uri", uri.get(), "audio-sink", sink.get(), nullptr);
  // Subtitles and visualisations have no place in this player: audio and video only.
  constexpr guint kFlagVideo = 1 << 0, kFlagAudio = 1 << 1;
  g_object_set(playbin.get(), "flags", kFlagVideo | kFlagAudio, nullptr);

  std::unique_ptr<FileDevice> device(new FileDevice());
  device->CreatePlayback();
  PrerollResult preroll = device->playback_->Preroll(std::move(playbin));
  if (!preroll.ok) {
    error = preroll.timed_out ? MCIERR_DEVICE_NOT_READY : ClassifyError(preroll.error.get());
    return nullptr;
  }
  GstElement* pipeline = device->playback_->Pipeline();
  device->has_video_ = HasStreamOfKind(pipeline, "n-video");
  if (!device->has_video_ && !HasStreamOfKind(pipeline, "n-audio")) {
    // Something was recognised (a text file, a picture) but nothing in it makes sound.
    error = MCIERR_EXTENSION_NOT_FOUND;
    return nullptr;
  }
  if (device->playback_->Duration() <= 0) {
    // A variable-bitrate MPEG file without an index: its length comes from its frames.
    device->playback_->SetDuration(MpegAudioLength(host));
  }
  const auto ext = host.size() >= 4 ? host.substr(host.size() - 4) : std::string();
  device->is_midi_ = ext == ".mid" || ext == ".MID" || ext == "midi";
  return device;
}

uint32_t FileDevice::LengthMs() const {
  return static_cast<uint32_t>(playback_->Duration() / kNsPerMs);
}

uint32_t FileDevice::PositionMs() const {
  const int64_t position = playback_->Position();
  // The end of the medium is exactly its length, even where the duration is not whole
  // milliseconds.
  if (position >= playback_->Duration()) return LengthMs();
  return static_cast<uint32_t>(position / kNsPerMs);
}

ErrorCode FileDevice::Execute(uint32_t command, uint32_t flags, Request& request) {
  switch (command) {
    case MCI_CLOSE:
      return CloseMedium();
    case MCI_PLAY:
      return Play(flags, request);
    case MCI_RESUME:
      return ResumePlaying(flags, request);
    case MCI_STOP:
    case MCI_PAUSE:
      return Halt(command, flags, request);
    case MCI_SEEK:
      return Seek(flags, request);
    case MCI_STATUS:
      return Status(flags, request);
    case MCI_GETDEVCAPS:
      return Capability(request);
    case MCI_SET:
      if ((flags & MCI_SET_TIME_FORMAT) != 0 && request.time_format != MCI_FORMAT_MILLISECONDS) {
        return MCIERR_BAD_TIME_FORMAT;
      }
      if ((flags & (MCI_SET_DOOR_OPEN | MCI_SET_DOOR_CLOSED)) != 0) {
        return MCIERR_UNSUPPORTED_FUNCTION;
      }
      NotifyNow(flags, request);
      return 0;
    case MCI_WINDOW:
      // The picture stays in the device's own window; it cannot be moved into another one.
      if (!has_video_) return MCIERR_UNSUPPORTED_FUNCTION;
      return request.window == 0 ? 0 : MCIERR_NO_WINDOW;
    case MCI_STEP:
    case MCI_RECORD:
      return MCIERR_UNSUPPORTED_FUNCTION;
    default:
      return MCIERR_UNRECOGNIZED_COMMAND;
  }
}

ErrorCode FileDevice::Play(uint32_t flags, const Request& request) {
  std::optional<int64_t> from;
  if ((flags & MCI_FROM) != 0) {
    if (request.from > LengthMs()) return MCIERR_OUTOFRANGE;
    from = request.from == LengthMs() ? playback_->Duration()
                                      : static_cast<int64_t>(request.from) * kNsPerMs;
  }
  return StartPlayback(flags, request, from, MCIERR_DRIVER);
}

ErrorCode FileDevice::Seek(uint32_t flags, const Request& request) {
  int64_t target = 0;
  if ((flags & MCI_SEEK_TO_END) != 0) {
    target = playback_->Duration();
  } else if ((flags & MCI_TO) != 0) {
    // The device stays where it was when the target lies outside the medium.
    if (request.to > LengthMs()) return MCIERR_OUTOFRANGE;
    target = request.to == LengthMs() ? playback_->Duration()
                                      : static_cast<int64_t>(request.to) * kNsPerMs;
  } else if ((flags & MCI_SEEK_TO_START) == 0) {
    return MCIERR_MISSING_PARAMETER;
  }
  return SeekStopped(target, flags, request, MCIERR_DRIVER);
}

ErrorCode FileDevice::Status(uint32_t flags, Request& request) const {
  if ((flags & MCI_TRACK) != 0 && request.track != 1) return MCIERR_OUTOFRANGE;
  switch (request.item) {
    case MCI_STATUS_LENGTH:
      request.return_value = LengthMs();
      return 0;
    case MCI_STATUS_POSITION:
      request.return_value = (flags & MCI_TRACK) != 0 ? 0 : PositionMs();
      return 0;
    case MCI_STATUS_NUMBER_OF_TRACKS:
    case MCI_STATUS_CURRENT_TRACK:
      request.return_value = 1;
      return 0;
    case MCI_STATUS_MODE:
      request.return_value = mode_;
      return 0;
    case MCI_STATUS_MEDIA_PRESENT:
    case MCI_STATUS_READY:
      request.return_value = 1;
      return 0;
    case MCI_STATUS_TIME_FORMAT:
      request.return_value = MCI_FORMAT_MILLISECONDS;
      return 0;
    default:
      return MCIERR_UNSUPPORTED_FUNCTION;
  }
}

ErrorCode FileDevice::Capability(Request& request) const {
  switch (request.item) {
    case MCI_GETDEVCAPS_CAN_PLAY:
    case MCI_GETDEVCAPS_HAS_AUDIO:
    case MCI_GETDEVCAPS_USES_FILES:
    case MCI_GETDEVCAPS_COMPOUND_DEVICE:
      request.return_value = 1;
      return 0;
    case MCI_GETDEVCAPS_CAN_RECORD:
    case MCI_GETDEVCAPS_CAN_EJECT:
    case MCI_GETDEVCAPS_CAN_SAVE:
      request.return_value = 0;
      return 0;
    case MCI_GETDEVCAPS_HAS_VIDEO:
      request.return_value = has_video_ ? 1 : 0;
      return 0;
    case MCI_GETDEVCAPS_DEVICE_TYPE:
      request.return_value = has_video_ ? MCI_DEVTYPE_DIGITAL_VIDEO
                             : is_midi_ ? MCI_DEVTYPE_SEQUENCER
                                        : MCI_DEVTYPE_WAVEFORM_AUDIO;
      return 0;
    default:
      return MCIERR_UNSUPPORTED_FUNCTION;
  }
}

}  // namespace qrv::mci
