#pragma once

#include <QPointer>

#include "engine/mci/request.h"

namespace qrv::mci {

// One open device. The device table routes every request after MCI_OPEN here; MCI_CLOSE too,
// and the table forgets the device when it succeeds.
class Device {
 public:
  virtual ~Device() = default;
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  virtual ErrorCode Execute(uint32_t command, uint32_t flags, Request& request) = 0;

  void SetDeviceId(DeviceId id) { id_ = id; }
  DeviceId Id() const { return id_; }

 protected:
  Device() = default;

  // The one pending notification of a running play or resume. A new one supersedes the old, a
  // stop, pause, seek or close aborts it, and the end of the medium completes it.
  void ArmNotify(QObject* target);
  void FinishNotify(uint32_t code);
  bool NotifyPending() const { return pending_armed_; }
  // Answers a command that finished at once and asked to be told.
  void NotifyNow(uint32_t flags, const Request& request) const;

 private:
  DeviceId id_ = 0;
  QPointer<QObject> pending_;
  bool pending_armed_ = false;
};

}  // namespace qrv::mci
