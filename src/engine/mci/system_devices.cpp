#include <algorithm>
#include <array>
#include <string_view>

#include "engine/mci/device_table.h"
#include "engine/mci/disc/cd_device.h"
#include "engine/mci/gst/file_device.h"
#include "runtime/paths.h"

namespace qrv::mci {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  return SameTextIgnoringCase(std::string(a), std::string(b));
}

// Device types that play files; opened by type they still need a file.
constexpr std::array<std::string_view, 6> kFileTypes = {"WaveAudio", "MPEGVideo", "DigitalVideo",
                                                        "AVIVideo",  "Sequencer", "MMMovie"};
// Device types that exist in the interface but have no device on this system.
constexpr std::array<std::string_view, 6> kAbsentTypes = {"DAT",     "Other", "Overlay",
                                                          "Scanner", "VCR",   "Videodisc"};

}  // namespace

std::unique_ptr<Device> OpenSystemDevice(uint32_t flags, const Request& request, ErrorCode& error) {
  if ((flags & MCI_OPEN_TYPE) != 0) {
    const std::string& type = request.device_type;
    if (SameName(type, "CDAudio")) return CdDevice::Open(error);
    auto is = [&](std::string_view name) { return SameName(type, name); };
    if (std::any_of(kFileTypes.begin(), kFileTypes.end(), is)) {
      if ((flags & MCI_OPEN_ELEMENT) == 0) {
        error = MCIERR_FILENAME_REQUIRED;
        return nullptr;
      }
      return FileDevice::Open(request.element, error);
    }
    error = std::any_of(kAbsentTypes.begin(), kAbsentTypes.end(), is) ? MCIERR_DEVICE_NOT_INSTALLED
                                                                      : MCIERR_INVALID_DEVICE_NAME;
    return nullptr;
  }
  if ((flags & MCI_OPEN_ELEMENT) == 0) {
    error = MCIERR_MISSING_DEVICE_NAME;
    return nullptr;
  }
  return FileDevice::Open(request.element, error);
}

}  // namespace qrv::mci
