#pragma once

#include <memory>

#include "pipeline_device.h"

namespace qrv::mci {

// Plays one media file through GStreamer, choosing the decoder by the file's content.
// Positions and lengths are in milliseconds.
class FileDevice : public PipelineDevice {
 public:
  // Opens and prerolls the file (a Windows path, or an absolute host path); gives null and an
  // error code when it cannot be played.
  static std::unique_ptr<FileDevice> Open(const std::string& element, ErrorCode& error);
  ~FileDevice() override;

  ErrorCode Execute(uint32_t command, uint32_t flags, Request& request) override;

 private:
  FileDevice();
  ErrorCode Play(uint32_t flags, const Request& request) override;
  ErrorCode Seek(uint32_t flags, const Request& request);
  ErrorCode Status(uint32_t flags, Request& request) const;
  ErrorCode Capability(Request& request) const;
  uint32_t LengthMs() const;
  uint32_t PositionMs() const;

  bool has_video_ = false;
  bool is_midi_ = false;
};

}  // namespace qrv::mci
