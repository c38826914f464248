#include "engine/mci/gst/file_device.h"

#include <cerrno>

#include "engine/mci/formats/container_length.h"
#include "engine/mci/formats/midi_file.h"
#include "engine/mci/formats/mpeg_audio_length.h"
#include "engine/mci/gst/sound_pipeline.h"
#include "engine/mci/gst/video_window.h"
#include "runtime/fs/drive_map.h"
#include "runtime/fs/regular_file.h"
#include "runtime/paths.h"

namespace qrv::mci {
namespace {

constexpr int64_t kNsPerMs = 1000000;

// A local file that was just read from prerolls within a fraction of a second; what takes far
// longer, or reads this much before the first sound, is no playable file.
constexpr PrerollBounds kFilePreroll{3 * GST_SECOND, uint64_t{32} << 20};

// Finds the host file for an element, opens it and checks that it can be read at all, so that a
// missing or forbidden file gets its own error instead of a decoder's. Every header of the file
// is then read through this one descriptor, and the decoder reads the same open file.
ErrorCode ResolveFile(const std::string& element, std::string& host, SharedFile& shared) {
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
  shared = OpenSharedFile(host);
  const fs::RegularFile& file = *shared;
  if (!file.Valid()) {
    return file.error == ENOENT || file.error == ENOTDIR ? MCIERR_FILE_NOT_FOUND : MCIERR_FILE_READ;
  }
  char probe = 0;
  if (fs::ReadAt(file.fd.Get(), 0, &probe, 1) < 0) return MCIERR_FILE_READ;
  if (file.size == 0) return MCIERR_EXTENSION_NOT_FOUND;
  return 0;
}

ErrorCode ClassifyError(const PrerollResult& preroll, bool is_midi) {
  if (preroll.no_output) return MCIERR_WAVE_OUTPUTSUNSUITABLE;
  // A file is not a drive that may still spin up: one that does not preroll in time is damaged.
  if (preroll.timed_out) return MCIERR_INVALID_FILE;
  const GError* error = preroll.error.get();
  if (error == nullptr) return MCIERR_INVALID_FILE;
  // The MIDI synthesizer fails when it finds no SoundFont to play the notes with.
  if (preroll.error_factory == "fluiddec") return MCIERR_SEQ_NOMIDIPRESENT;
  const bool missing_decoder =
      (error->domain == GST_STREAM_ERROR && error->code == GST_STREAM_ERROR_CODEC_NOT_FOUND) ||
      (error->domain == GST_CORE_ERROR && error->code == GST_CORE_ERROR_MISSING_PLUGIN);
  if (missing_decoder) return is_midi ? MCIERR_SEQ_NOMIDIPRESENT : MCIERR_DEVICE_NOT_INSTALLED;
  if (error->domain == GST_STREAM_ERROR) {
    return error->code == GST_STREAM_ERROR_TYPE_NOT_FOUND ? MCIERR_EXTENSION_NOT_FOUND
                                                          : MCIERR_INVALID_FILE;
  }
  if (error->domain == GST_RESOURCE_ERROR) return MCIERR_FILE_READ;
  return MCIERR_INVALID_FILE;
}

// A file that may hold pictures plays through the general player pipeline, its pictures going to
// the device's window.
BuiltPipeline BuildPlayerPipeline(const SharedFile& file, VideoWindow* video) {
  ElementPtr playbin = MakeElement("playbin");
  if (!playbin) return {};
  ElementPtr sink = MakeAudioSink();
  if (!sink) return {std::move(playbin), nullptr};
  // Without a window the picture goes nowhere; the open then refuses a file that has one.
  ElementPtr picture = video != nullptr ? video->MakeSink() : MakeElement("fakesink");
  const std::string uri = SourceUri(playbin.get(), file);
  g_object_set(playbin.get(), "uri", uri.c_str(), "audio-sink", sink.get(), "video-sink",
               picture.get(), nullptr);
  // Subtitles and visualisations have no place in this player: audio and video only.
  constexpr guint kFlagVideo = 1 << 0, kFlagAudio = 1 << 1;
  g_object_set(playbin.get(), "flags", kFlagVideo | kFlagAudio, nullptr);
  return {std::move(playbin), sink.get()};
}

bool HasStreamOfKind(GstElement* playbin, const char* property) {
  gint count = 0;
  g_object_get(playbin, property, &count, nullptr);
  return count > 0;
}

}  // namespace

FileDevice::FileDevice() = default;

// The pipeline stops before the window its pictures go to is closed.
FileDevice::~FileDevice() {
  playback_.reset();
}

std::unique_ptr<FileDevice> FileDevice::Open(const std::string& element, ErrorCode& error) {
  std::string host;
  SharedFile shared;
  error = ResolveFile(element, host, shared);
  if (error != 0) return nullptr;
  const fs::RegularFile& file = *shared;

  if (!AviHeaderComplete(file)) {
    error = MCIERR_INVALID_FILE;
    return nullptr;
  }
  EnsureGstInit();
  const std::optional<WaveLayout> wave = ReadWaveLayout(file);
  // A wave whose chunks cannot be walked, or whose MPEG data holds no frame, is damaged; the
  // decoder would search all of it for sound first.
  const int64_t stated = wave && wave->complete ? WaveLength(*wave, file) : 0;
  if (wave && (!wave->complete || (WaveHoldsMpeg(*wave) && stated <= 0))) {
    error = MCIERR_INVALID_FILE;
    return nullptr;
  }
  std::optional<RetimedMidi> midi = wave ? std::nullopt : RetimeMidiFile(file);
  const bool is_midi =
      midi || EndsWithIgnoringCase(host, ".mid") || EndsWithIgnoringCase(host, ".midi");
  const auto smf = midi ? std::make_shared<const std::string>(std::move(midi->bytes)) : nullptr;
  const bool sound_only = wave.has_value() || midi.has_value() || HoldsOnlySound(file);
  std::unique_ptr<FileDevice> device(new FileDevice());
  if (!sound_only && VideoWindow::Available()) {
    const std::string name = element.substr(element.find_last_of("\\/") + 1);
    device->video_ = std::make_unique<VideoWindow>(QString::fromStdString(name));
  }
  device->CreatePlayback([shared, wave, smf, sound_only, video = device->video_.get()] {
    if (smf) return MakeMidiPipeline(smf);
    return sound_only ? MakeSoundFilePipeline(shared, wave) : BuildPlayerPipeline(shared, video);
  });
  PrerollResult preroll = device->playback_->Preroll(kFilePreroll);
  if (!preroll.ok) {
    error = ClassifyError(preroll, is_midi);
    return nullptr;
  }
  GstElement* pipeline = device->playback_->Pipeline();
  device->has_video_ = !sound_only && HasStreamOfKind(pipeline, "n-video");
  if (device->has_video_ && !device->video_) {
    error = MCIERR_CREATEWINDOW;
    return nullptr;
  }
  const bool has_sound =
      sound_only ? SoundPipelinePlaysSound(pipeline) : HasStreamOfKind(pipeline, "n-audio");
  if (!device->has_video_ && !has_sound) {
    // Something was recognised (a text file, a picture) but nothing in it makes sound.
    error = MCIERR_EXTENSION_NOT_FOUND;
    return nullptr;
  }
  // The container's own count is exact where the decoder only estimates or knows nothing.
  if (midi && midi->length_ns > 0) {
    device->playback_->PinDuration(midi->length_ns);
  } else if (stated > 0) {
    device->playback_->PinDuration(stated);
  } else if (device->playback_->Duration() <= 0) {
    if (const int64_t frames = MpegAudioLength(file); frames > 0) {
      device->playback_->PinDuration(frames);
    }
  }
  device->is_midi_ = is_midi;
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

ErrorCode FileDevice::Set(uint32_t flags, const Request& request) {
  if ((flags & MCI_SET_TIME_FORMAT) != 0 && request.time_format != MCI_FORMAT_MILLISECONDS) {
    return MCIERR_BAD_TIME_FORMAT;
  }
  if ((flags & (MCI_SET_DOOR_OPEN | MCI_SET_DOOR_CLOSED)) != 0) return MCIERR_UNSUPPORTED_FUNCTION;
  NotifyNow(flags, request);
  return 0;
}

ErrorCode FileDevice::Window(const Request& request) {
  // The picture stays in the device's own window; it cannot be moved into another one.
  if (!has_video_) return MCIERR_UNSUPPORTED_FUNCTION;
  return request.window == 0 ? 0 : MCIERR_NO_WINDOW;
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
    default:
      return CommonStatus(request, true, MCI_FORMAT_MILLISECONDS);
  }
}

PipelineDevice::Capabilities FileDevice::Describe() const {
  Capabilities caps;
  caps.device_type = has_video_ ? MCI_DEVTYPE_DIGITAL_VIDEO
                     : is_midi_ ? MCI_DEVTYPE_SEQUENCER
                                : MCI_DEVTYPE_WAVEFORM_AUDIO;
  caps.has_video = has_video_;
  caps.uses_files = true;
  return caps;
}

}  // namespace qrv::mci
