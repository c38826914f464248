#include "engine/mci/gst/pipeline_device.h"

namespace qrv::mci {

void PipelineDevice::CreatePlayback(Playback::Builder builder) {
  Playback::Handlers handlers;
  handlers.on_end = [this] {
    mode_ = MCI_MODE_STOP;
    FinishNotify(MCI_NOTIFY_SUCCESSFUL);
  };
  handlers.on_failure = [this](Playback::Failure failure) {
    mode_ = MCI_MODE_STOP;
    failed_ =
        failure == Playback::Failure::kOutput ? MCIERR_WAVE_OUTPUTSUNSUITABLE : StreamFailure();
    FinishNotify(MCI_NOTIFY_FAILURE);
  };
  playback_ = std::make_unique<Playback>(std::move(handlers), std::move(builder));
}

ErrorCode PipelineDevice::Execute(uint32_t command, uint32_t flags, Request& request) {
  switch (command) {
    case MCI_CLOSE:
      return CloseMedium();
    case MCI_PLAY:
      return Play(flags, request);
    case MCI_RESUME:
      return ResumePlaying(flags, request);
    case MCI_STOP:
    case MCI_PAUSE:
      HaltAs(command == MCI_STOP ? MCI_MODE_STOP : MCI_MODE_PAUSE);
      NotifyNow(flags, request);
      return 0;
    case MCI_SEEK:
      return Seek(flags, request);
    case MCI_STATUS: {
      const ErrorCode result = Status(flags, request);
      // The answer stands; the failure is recorded once, by whoever asks next.
      return result != 0 ? result : std::exchange(failed_, 0);
    }
    case MCI_GETDEVCAPS:
      return Capability(request);
    case MCI_SET:
      return Set(flags, request);
    case MCI_WINDOW:
      return Window(request);
    case MCI_STEP:
    case MCI_RECORD:
      return MCIERR_UNSUPPORTED_FUNCTION;
    default:
      return MCIERR_UNRECOGNIZED_COMMAND;
  }
}

ErrorCode PipelineDevice::Capability(Request& request) const {
  const Capabilities caps = Describe();
  switch (request.item) {
    case MCI_GETDEVCAPS_CAN_PLAY:
    case MCI_GETDEVCAPS_HAS_AUDIO:
      request.return_value = 1;
      return 0;
    case MCI_GETDEVCAPS_CAN_RECORD:
    case MCI_GETDEVCAPS_CAN_SAVE:
      request.return_value = 0;
      return 0;
    case MCI_GETDEVCAPS_CAN_EJECT:
      request.return_value = caps.can_eject ? 1 : 0;
      return 0;
    case MCI_GETDEVCAPS_HAS_VIDEO:
      request.return_value = caps.has_video ? 1 : 0;
      return 0;
    case MCI_GETDEVCAPS_USES_FILES:
    case MCI_GETDEVCAPS_COMPOUND_DEVICE:
      request.return_value = caps.uses_files ? 1 : 0;
      return 0;
    case MCI_GETDEVCAPS_DEVICE_TYPE:
      request.return_value = caps.device_type;
      return 0;
    default:
      return MCIERR_UNSUPPORTED_FUNCTION;
  }
}

ErrorCode PipelineDevice::CloseMedium() {
  FinishNotify(MCI_NOTIFY_ABORTED);
  playback_.reset();
  return 0;
}

void PipelineDevice::HaltAs(uint32_t mode) {
  FinishNotify(MCI_NOTIFY_ABORTED);
  playback_->Halt();
  mode_ = mode;
}

ErrorCode PipelineDevice::ResumePlaying(uint32_t flags, const Request& request) {
  if (mode_ == MCI_MODE_PLAY) {
    if ((flags & MCI_NOTIFY) != 0) ArmNotify(request.callback);
    return 0;
  }
  return Play(flags & ~MCI_FROM, request);
}

ErrorCode PipelineDevice::StartPlayback(uint32_t flags, const Request& request,
                                        std::optional<int64_t> from, ErrorCode failure) {
  if ((flags & MCI_NOTIFY) != 0) {
    ArmNotify(request.callback);
  } else {
    FinishNotify(MCI_NOTIFY_SUPERSEDED);
  }
  failed_ = 0;
  if (!playback_->Start(from)) {
    mode_ = MCI_MODE_STOP;
    FinishNotify(MCI_NOTIFY_FAILURE);
    return failure;
  }
  mode_ = MCI_MODE_PLAY;
  return 0;
}

ErrorCode PipelineDevice::SeekStopped(int64_t target, uint32_t flags, const Request& request,
                                      ErrorCode failure) {
  FinishNotify(MCI_NOTIFY_ABORTED);
  mode_ = MCI_MODE_STOP;
  if (!playback_->Seek(target)) return failure;
  NotifyNow(flags, request);
  return 0;
}

ErrorCode PipelineDevice::CommonStatus(Request& request, bool ready, uint32_t time_format) const {
  switch (request.item) {
    case MCI_STATUS_MODE:
      request.return_value = mode_;
      return 0;
    case MCI_STATUS_MEDIA_PRESENT:
    case MCI_STATUS_READY:
      request.return_value = ready ? 1 : 0;
      return 0;
    case MCI_STATUS_TIME_FORMAT:
      request.return_value = time_format;
      return 0;
    default:
      return MCIERR_UNSUPPORTED_FUNCTION;
  }
}

}  // namespace qrv::mci
