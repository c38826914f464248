#pragma once

#include <memory>

#include "engine/mci/disc/cd_disc.h"
#include "engine/mci/gst/pipeline_device.h"

namespace qrv::mci {

// The "CDAudio" device: plays an audio disc from any position to its end. Positions are in
// MSF (the default), milliseconds or TMSF, as the time format says.
class CdDevice : public PipelineDevice {
 public:
  static std::unique_ptr<CdDevice> Open(ErrorCode& error);
  ~CdDevice() override;

 private:
  CdDevice() = default;
  ErrorCode Play(uint32_t flags, const Request& request) override;
  ErrorCode Seek(uint32_t flags, const Request& request) override;
  ErrorCode Status(uint32_t flags, Request& request) const override;
  Capabilities Describe() const override;
  ErrorCode Set(uint32_t flags, const Request& request) override;
  ErrorCode StreamFailure() const override { return MCIERR_HARDWARE; }

  // Conversions between sectors and the current time format.
  uint32_t Encode(int32_t lsn) const;
  bool Decode(uint32_t value, int32_t& lsn) const;
  uint32_t Duration(int32_t frames) const;
  int32_t CurrentSector() const;

  std::shared_ptr<CdDisc> disc_;
  uint32_t time_format_ = MCI_FORMAT_MSF;
};

// Builds the pipeline that plays a disc's sectors (a source fed from libcdio).
BuiltPipeline MakeCdPipeline(std::shared_ptr<CdDisc> disc);

}  // namespace qrv::mci
