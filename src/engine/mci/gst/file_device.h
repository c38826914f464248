#pragma once

#include <memory>

#include "engine/mci/gst/pipeline_device.h"

namespace qrv::mci {

class VideoWindow;

// Plays one media file through GStreamer, choosing the decoder by the file's content.
// Positions and lengths are in milliseconds.
class FileDevice : public PipelineDevice {
 public:
  // Opens and prerolls the file (a Windows path, or an absolute host path); gives null and an
  // error code when it cannot be played.
  static std::unique_ptr<FileDevice> Open(const std::string& element, ErrorCode& error);
  ~FileDevice() override;

 private:
  FileDevice();
  ErrorCode Play(uint32_t flags, const Request& request) override;
  ErrorCode Seek(uint32_t flags, const Request& request) override;
  ErrorCode Status(uint32_t flags, Request& request) const override;
  Capabilities Describe() const override;
  ErrorCode Set(uint32_t flags, const Request& request) override;
  ErrorCode Window(const Request& request) override;
  ErrorCode StreamFailure() const override { return MCIERR_INVALID_FILE; }
  uint32_t LengthMs() const;
  uint32_t PositionMs() const;

  std::unique_ptr<VideoWindow> video_;  // the picture's window; closed with the medium
  bool has_video_ = false;
  bool is_midi_ = false;
};

}  // namespace qrv::mci
