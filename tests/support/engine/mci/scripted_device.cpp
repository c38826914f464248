#include "scripted_device.h"

namespace qrv::mci {
namespace {

void PostPending(ScriptedDriver::State& state, uint32_t code) {
  if (state.pending) PostNotify(state.pending, code, state.pending_device);
  state.pending = nullptr;
}

class ScriptedDevice : public Device {
 public:
  explicit ScriptedDevice(std::shared_ptr<ScriptedDriver::State> state)
      : state_(std::move(state)) {}

  ErrorCode Execute(uint32_t command, uint32_t flags, Request& request) override {
    state_->log.push_back({Id(), command, flags, request});
    Script& s = state_->script;
    if (auto failure = s.failures.find(command); failure != s.failures.end()) {
      return failure->second;
    }
    switch (command) {
      case MCI_CLOSE:
        Abort();
        return 0;
      case MCI_PLAY:
      case MCI_RECORD:
        if ((flags & MCI_FROM) != 0) s.position = request.from;
        s.mode = command == MCI_PLAY ? MCI_MODE_PLAY : MCI_MODE_RECORD;
        Arm(flags, request);
        return 0;
      case MCI_RESUME:
        if (!s.supports_resume) return MCIERR_UNSUPPORTED_FUNCTION;
        s.mode = MCI_MODE_PLAY;
        Arm(flags, request);
        return 0;
      case MCI_STOP:
      case MCI_PAUSE:
        Abort();
        s.mode = command == MCI_STOP ? MCI_MODE_STOP : MCI_MODE_PAUSE;
        return 0;
      case MCI_SEEK:
        return Seek(flags, request);
      case MCI_STATUS:
        return Status(flags, request);
      case MCI_GETDEVCAPS:
        return Capability(request);
      case MCI_SET:
        if ((flags & MCI_SET_TIME_FORMAT) != 0) s.time_format = request.time_format;
        NotifyNow(flags, request);
        return 0;
      case MCI_STEP:
      case MCI_WINDOW:
        return 0;
      default:
        return MCIERR_UNRECOGNIZED_COMMAND;
    }
  }

 private:
  void Arm(uint32_t flags, const Request& request) {
    PostPending(*state_, MCI_NOTIFY_SUPERSEDED);
    if ((flags & MCI_NOTIFY) != 0) {
      state_->pending = request.callback;
      state_->pending_device = Id();
    }
  }
  void Abort() {
    if (state_->pending_device == Id()) PostPending(*state_, MCI_NOTIFY_ABORTED);
  }

  ErrorCode Seek(uint32_t flags, const Request& request) {
    Script& s = state_->script;
    uint32_t target = s.position;
    if ((flags & MCI_SEEK_TO_START) != 0) {
      target = s.time_format == MCI_FORMAT_TMSF ? 1 : 0;
    } else if ((flags & MCI_SEEK_TO_END) != 0) {
      target = s.length;
    } else if ((flags & MCI_TO) != 0) {
      if (s.time_format != MCI_FORMAT_TMSF && request.to > s.length) return MCIERR_OUTOFRANGE;
      target = request.to;
    }
    Abort();
    s.position = target;
    s.mode = MCI_MODE_STOP;
    return 0;
  }

  ErrorCode Status(uint32_t flags, Request& request) {
    const Script& s = state_->script;
    switch (request.item) {
      case MCI_STATUS_LENGTH:
        request.return_value = s.length;
        return 0;
      case MCI_STATUS_POSITION:
        if ((flags & MCI_TRACK) != 0) {
          auto it = s.track_starts.find(request.track);
          request.return_value = it != s.track_starts.end() ? it->second : request.track;
        } else {
          request.return_value = s.position;
        }
        return 0;
      case MCI_STATUS_NUMBER_OF_TRACKS:
        request.return_value = s.tracks;
        return 0;
      case MCI_STATUS_MODE:
        request.return_value = s.mode;
        return 0;
      case MCI_STATUS_TIME_FORMAT:
        request.return_value = s.time_format;
        return 0;
      default:
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
  }

  ErrorCode Capability(Request& request) const {
    const Script& s = state_->script;
    switch (request.item) {
      case MCI_GETDEVCAPS_CAN_PLAY:
        request.return_value = s.can_play;
        return 0;
      case MCI_GETDEVCAPS_CAN_RECORD:
        request.return_value = s.can_record;
        return 0;
      case MCI_GETDEVCAPS_CAN_EJECT:
        request.return_value = s.can_eject;
        return 0;
      case MCI_GETDEVCAPS_HAS_VIDEO:
        request.return_value = s.has_video;
        return 0;
      case MCI_GETDEVCAPS_DEVICE_TYPE:
        request.return_value = s.device_type;
        return 0;
      default:
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
  }

  std::shared_ptr<ScriptedDriver::State> state_;
};

}  // namespace

ScriptedDriver::ScriptedDriver() : state_(std::make_shared<State>()) {
  previous_ = DeviceTable::Instance().SetFactory(
      [state = state_](uint32_t flags, const Request& request,
                       ErrorCode& error) -> std::unique_ptr<Device> {
        state->log.push_back({0, MCI_OPEN, flags, request});
        if (state->script.open_error != 0) {
          error = state->script.open_error;
          return nullptr;
        }
        return std::make_unique<ScriptedDevice>(state);
      });
}

ScriptedDriver::~ScriptedDriver() {
  DeviceTable::Instance().CloseAll();
  DeviceTable::Instance().SetFactory(std::move(previous_));
}

void ScriptedDriver::Advance(uint32_t milliseconds) {
  Script& s = state_->script;
  if (s.mode != MCI_MODE_PLAY) return;
  if (s.length - s.position <= milliseconds) {
    FinishPlayback();
  } else {
    s.position += milliseconds;
  }
}

void ScriptedDriver::FinishPlayback() {
  Script& s = state_->script;
  s.position = s.length;
  s.mode = MCI_MODE_STOP;
  PostPending(*state_, MCI_NOTIFY_SUCCESSFUL);
}

}  // namespace qrv::mci
