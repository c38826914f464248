#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "engine/mci/device.h"
#include "engine/mci/gst/playback.h"

namespace qrv::mci {

// What the file and CD devices share: one GStreamer pipeline driven through Playback, a device
// mode, one dispatcher for every command, and the same answers to close, stop, pause, resume,
// play and seek once each device has worked out its own positions.
class PipelineDevice : public Device {
 public:
  ErrorCode Execute(uint32_t command, uint32_t flags, Request& request) final;

 protected:
  PipelineDevice() = default;

  // Makes the Playback over pipelines from `builder`: its end of stream completes, and its
  // failure fails, the pending play.
  void CreatePlayback(Playback::Builder builder);

  // What differs between the devices.
  virtual ErrorCode Play(uint32_t flags, const Request& request) = 0;
  virtual ErrorCode Seek(uint32_t flags, const Request& request) = 0;
  virtual ErrorCode Status(uint32_t flags, Request& request) const = 0;
  // What the device can do, as its capability requests answer.
  struct Capabilities {
    uint32_t device_type = 0;
    bool has_video = false;
    bool can_eject = false;
    bool uses_files = false;  // also a compound device: it plays a named element
  };
  virtual Capabilities Describe() const = 0;
  virtual ErrorCode Set(uint32_t flags, const Request& request) = 0;
  virtual ErrorCode Window(const Request&) { return MCIERR_UNSUPPORTED_FUNCTION; }
  // The code a failed output or stream is recorded with.
  virtual ErrorCode StreamFailure() const { return MCIERR_DRIVER; }

  // Starts playing from the given stream time, or from where the device stands.
  ErrorCode StartPlayback(uint32_t flags, const Request& request, std::optional<int64_t> from,
                          ErrorCode failure);
  // Moves to the stream time and leaves the device stopped there.
  ErrorCode SeekStopped(int64_t target, uint32_t flags, const Request& request, ErrorCode failure);
  // Stops where the device stands, aborting the pending notification.
  void HaltAs(uint32_t mode);
  // Answers the status items every device answers alike (mode, readiness, time format); any
  // other item is unsupported.
  ErrorCode CommonStatus(Request& request, bool ready, uint32_t time_format) const;

  std::unique_ptr<Playback> playback_;
  uint32_t mode_ = MCI_MODE_STOP;

 private:
  ErrorCode CloseMedium();
  ErrorCode Capability(Request& request) const;
  ErrorCode ResumePlaying(uint32_t flags, const Request& request);

  // A failure while playing, kept for the next status request, which reports it.
  ErrorCode failed_ = 0;
};

}  // namespace qrv::mci
