#include "pipeline_device.h"

namespace qrv::mci {

void PipelineDevice::CreatePlayback() {
  playback_ = std::make_unique<Playback>(Playback::Handlers{[this] {
                                                              mode_ = MCI_MODE_STOP;
                                                              FinishNotify(MCI_NOTIFY_SUCCESSFUL);
                                                            },
                                                            [this] {
                                                              mode_ = MCI_MODE_STOP;
                                                              FinishNotify(MCI_NOTIFY_FAILURE);
                                                            }});
}

ErrorCode PipelineDevice::CloseMedium() {
  FinishNotify(MCI_NOTIFY_ABORTED);
  playback_.reset();
  return 0;
}

ErrorCode PipelineDevice::Halt(uint32_t command, uint32_t flags, const Request& request) {
  FinishNotify(MCI_NOTIFY_ABORTED);
  playback_->Halt();
  mode_ = command == MCI_STOP ? MCI_MODE_STOP : MCI_MODE_PAUSE;
  NotifyNow(flags, request);
  return 0;
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
