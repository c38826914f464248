#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "device.h"
#include "playback.h"

namespace qrv::mci {

// What the file and CD devices share: one GStreamer pipeline driven through Playback, a device
// mode, and the same answers to close, stop, pause, resume, play and seek once each device has
// worked out its own positions.
class PipelineDevice : public Device {
 protected:
  PipelineDevice() = default;

  // Makes the Playback whose end of stream completes, and whose error fails, the pending play.
  void CreatePlayback();

  virtual ErrorCode Play(uint32_t flags, const Request& request) = 0;

  // MCI_CLOSE: aborts the pending notification and drops the pipeline.
  ErrorCode CloseMedium();
  // MCI_STOP and MCI_PAUSE: the device stands still where it is.
  ErrorCode Halt(uint32_t command, uint32_t flags, const Request& request);
  // MCI_RESUME: a playing device only takes the new notification; any other plays on from
  // where it stands.
  ErrorCode ResumePlaying(uint32_t flags, const Request& request);
  // Starts playing from the given stream time, or from where the device stands.
  ErrorCode StartPlayback(uint32_t flags, const Request& request, std::optional<int64_t> from,
                          ErrorCode failure);
  // Moves to the stream time and leaves the device stopped there.
  ErrorCode SeekStopped(int64_t target, uint32_t flags, const Request& request, ErrorCode failure);

  std::unique_ptr<Playback> playback_;
  uint32_t mode_ = MCI_MODE_STOP;
};

}  // namespace qrv::mci
