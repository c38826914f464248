#pragma once

#include <functional>
#include <map>
#include <memory>

#include "engine/mci/device.h"

namespace qrv::mci {

// Creates the device for an MCI_OPEN request, or gives an error code through `error`.
using DeviceFactory = std::function<std::unique_ptr<Device>(uint32_t flags, const Request& request,
                                                            ErrorCode& error)>;

// Hands out device identifiers and routes requests to the open devices.
class DeviceTable {
 public:
  static DeviceTable& Instance();

  ErrorCode Send(DeviceId device, uint32_t command, uint32_t flags, Request& request);

  // Replaces the factory (tests install a scripted one); returns the previous factory.
  DeviceFactory SetFactory(DeviceFactory factory);
  size_t OpenCount() const { return devices_.size(); }
  // Closes every device (at program exit, so no pipeline outlives the event loop).
  void CloseAll();

 private:
  DeviceTable();
  DeviceId NextId();

  DeviceFactory factory_;
  std::map<DeviceId, std::unique_ptr<Device>> devices_;
  DeviceId last_id_ = 0;
};

// The devices of this program: "CDAudio" by type; files by element with automatic choice.
std::unique_ptr<Device> OpenSystemDevice(uint32_t flags, const Request& request, ErrorCode& error);

}  // namespace qrv::mci
