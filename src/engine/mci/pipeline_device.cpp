#include "pipeline_device.h"

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

}  // namespace qrv::mci
