#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <string>

#include "engine/mci/mci.h"

namespace qrv::mci {

// One parameter block for any command. Each command fills and reads only the fields that its
// published structure has; the rest stay zero.
struct Request {
  QObject* callback = nullptr;  // receives the completion notification
  std::string device_type;      // MCI_OPEN with MCI_OPEN_TYPE
  std::string element;          // MCI_OPEN with MCI_OPEN_ELEMENT
  uint32_t from = 0;            // MCI_PLAY, MCI_RECORD with MCI_FROM
  uint32_t to = 0;              // MCI_SEEK with MCI_TO
  uint32_t item = 0;            // MCI_STATUS, MCI_GETDEVCAPS
  uint32_t track = 0;           // MCI_STATUS with MCI_TRACK
  uint32_t time_format = 0;     // MCI_SET with MCI_SET_TIME_FORMAT
  uint32_t frames = 0;          // MCI_STEP
  uintptr_t window = 0;         // MCI_WINDOW with MCI_ANIM_WINDOW_HWND

  // Answers.
  DeviceId device_id = 0;     // MCI_OPEN
  uint32_t return_value = 0;  // MCI_STATUS, MCI_GETDEVCAPS
};

// Sends one command to a device (device 0 for MCI_OPEN) and gives its result code.
ErrorCode SendCommand(DeviceId device, uint32_t command, uint32_t flags, Request& request);

// The event that carries a completion notification to the callback object on the
// user-interface thread. It stands for the window message MM_MCINOTIFY.
class NotifyEvent : public QEvent {
 public:
  NotifyEvent(uint32_t code, DeviceId device);
  static QEvent::Type EventType();
  uint32_t Code() const { return code_; }
  DeviceId Device() const { return device_; }

 private:
  uint32_t code_;
  DeviceId device_;
};

// Posts a notification; it is dropped when the target is destroyed before it arrives.
void PostNotify(QObject* target, uint32_t code, DeviceId device);

}  // namespace qrv::mci
