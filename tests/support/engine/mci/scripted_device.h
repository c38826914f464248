#pragma once

#include <map>
#include <memory>
#include <vector>

#include "engine/mci/device_table.h"

namespace qrv::mci {

// One request as a scripted device received it.
struct LoggedRequest {
  DeviceId device;
  uint32_t command;
  uint32_t flags;
  Request fields;
};

// What a scripted device is and does. Tests change it freely between requests.
struct Script {
  ErrorCode open_error = 0;
  uint32_t length = 10000;
  uint32_t position = 0;
  uint32_t mode = MCI_MODE_STOP;
  uint32_t tracks = 1;
  uint32_t time_format = MCI_FORMAT_MILLISECONDS;
  std::map<uint32_t, uint32_t> track_starts;  // answer of the track position query
  uint32_t can_play = 1, can_record = 0, can_eject = 0, has_video = 0;
  uint32_t device_type = MCI_DEVTYPE_WAVEFORM_AUDIO;
  bool supports_resume = true;
  // A command listed here fails with the given code (and changes nothing).
  std::map<uint32_t, ErrorCode> failures;
};

// Installs itself as the device factory for its lifetime; every device opened meanwhile is a
// scripted one that shares this script, log and virtual clock.
class ScriptedDriver {
 public:
  ScriptedDriver();
  ~ScriptedDriver();
  ScriptedDriver(const ScriptedDriver&) = delete;
  ScriptedDriver& operator=(const ScriptedDriver&) = delete;

  Script& script() { return state_->script; }
  const std::vector<LoggedRequest>& Log() const { return state_->log; }
  void ClearLog() { state_->log.clear(); }

  // Moves the virtual clock on; a playing device advances and completes at the end.
  void Advance(uint32_t milliseconds);
  // The playing device reaches the end of its medium now.
  void FinishPlayback();

  struct State {
    Script script;
    std::vector<LoggedRequest> log;
    QPointer<QObject> pending;
    DeviceId pending_device = 0;
  };

 private:
  std::shared_ptr<State> state_;
  DeviceFactory previous_;
};

}  // namespace qrv::mci
