#include "media_player.h"

#include "mci/request.h"
#include "runtime/exceptions.h"
#include "runtime/guard.h"

namespace qrv {

using namespace qrv::mci;

namespace {

constexpr std::array<const char*, 13> kDeviceTypeNames = {
    "",        "AVIVideo", "CDAudio",   "DAT", "DigitalVideo", "MMMovie",  "Other",
    "Overlay", "Scanner",  "Sequencer", "VCR", "Videodisc",    "WaveAudio"};

}  // namespace

const char* DeviceTypeName(TMPDeviceTypes type) {
  return kDeviceTypeNames[static_cast<size_t>(type)];
}

TMediaPlayer::~TMediaPlayer() {
  // The device must not outlive the control that receives its notifications.
  if (device_id_ != 0) {
    Request request;
    request.callback = this;
    SendCommand(device_id_, MCI_CLOSE, MCI_WAIT, request);
  }
}

void TMediaPlayer::CheckOpen() const {
  if (!device_open_) throw EMCIDeviceError("No MCI device open");
}

uint32_t TMediaPlayer::Send(uint32_t command, uint32_t flags, Request& request, bool record) {
  request.callback = this;
  const uint32_t result = SendCommand(device_id_, command, flags, request);
  if (record) last_error_ = result;
  if (command != MCI_STATUS && command != MCI_GETDEVCAPS && command != MCI_INFO) emit Commanded();
  return result;
}

uint32_t TMediaPlayer::StatusItem(uint32_t item, bool record) {
  Request request;
  request.item = item;
  // A failed query leaves the answer at 0, which keeps the displays at zero.
  if (Send(MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, request, record) != 0) return 0;
  return request.return_value;
}

std::string TMediaPlayer::ErrorText() const {
  std::string text;
  if (!GetErrorString(last_error_, text)) return "Unknown error code";
  return text;
}

void TMediaPlayer::Open() {
  if (device_open_) Close();

  Request request;
  request.device_type = DeviceTypeName(device_type_);
  request.element = file_name_;
  uint32_t flags = MCI_WAIT;
  flags |= device_type_ != TMPDeviceTypes::dtAutoSelect ? MCI_OPEN_TYPE : MCI_OPEN_ELEMENT;
  if (shareable_) flags |= MCI_OPEN_SHAREABLE;
  request.callback = this;
  opened_file_name_.clear();
  last_error_ = SendCommand(0, MCI_OPEN, flags, request);
  if (last_error_ != 0) throw EMCIDeviceError(ErrorText());

  opened_file_name_ = file_name_;
  device_open_ = true;
  device_id_ = request.device_id;
  emit Commanded();
  step_frames_ = Length() / 10;
  AskCapabilities();
  if (supports_video_) ApplyDisplay(display_);
  if (device_type_ == TMPDeviceTypes::dtCDAudio || device_type_ == TMPDeviceTypes::dtVideodisc) {
    SetTimeFormat(MCI_FORMAT_TMSF);
  }

  auto_enabled_buttons_ = {TMPBtnType::btNext, TMPBtnType::btPrev};
  if (supports_step_) {
    auto_enabled_buttons_.Include(TMPBtnType::btStep);
    auto_enabled_buttons_.Include(TMPBtnType::btBack);
  }
  if (supports_play_) auto_enabled_buttons_.Include(TMPBtnType::btPlay);
  if (supports_record_) auto_enabled_buttons_.Include(TMPBtnType::btRecord);
  if (supports_eject_) auto_enabled_buttons_.Include(TMPBtnType::btEject);
  if (Mode() == TMPModes::ModePlaying) ApplyAfterClickRule(TMPBtnType::btPlay);
  UpdateBar();
}

void TMediaPlayer::AskCapabilities() {
  auto ask = [this](uint32_t item) {
    Request request;
    request.item = item;
    Send(MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM, request, false);
    return request.return_value;
  };
  supports_play_ = (ask(MCI_GETDEVCAPS_CAN_PLAY) & 0xFF) != 0;
  supports_record_ = (ask(MCI_GETDEVCAPS_CAN_RECORD) & 0xFF) != 0;
  supports_eject_ = (ask(MCI_GETDEVCAPS_CAN_EJECT) & 0xFF) != 0;
  supports_video_ = (ask(MCI_GETDEVCAPS_HAS_VIDEO) & 0xFF) != 0;
  const uint32_t type = ask(MCI_GETDEVCAPS_DEVICE_TYPE);
  supports_step_ = type == MCI_DEVTYPE_VCR || type == MCI_DEVTYPE_OVERLAY ||
                   type == MCI_DEVTYPE_ANIMATION || type == MCI_DEVTYPE_DIGITAL_VIDEO;
}

void TMediaPlayer::Close() {
  if (device_id_ == 0) return;
  Request request;
  if (Send(MCI_CLOSE, MCI_WAIT, request, true) != 0) return;
  device_open_ = false;
  device_id_ = 0;
  auto_enabled_buttons_ = {};
  UpdateBar();
}

void TMediaPlayer::Play() {
  CheckOpen();
  if (auto_rewind_ && !from_armed_) {
    // Position is asked before Length, as the device sees it.
    const int32_t position = Position();
    if (position == Length()) Rewind();
  }
  SendFromArmedPosition(MCI_PLAY);
}

// Play and record start from the armed FromPosition once, then from wherever the device stands.
void TMediaPlayer::SendFromArmedPosition(uint32_t command) {
  Request request;
  uint32_t flags = MCI_NOTIFY;
  if (from_armed_) {
    flags |= MCI_FROM;
    request.from = static_cast<uint32_t>(from_position_);
    from_armed_ = false;
  }
  Send(command, flags, request, true);
}

void TMediaPlayer::Pause() {
  CheckOpen();
  if (Mode() == TMPModes::ModePlaying) {
    PauseDevice();
  } else if (Mode() == TMPModes::ModePaused) {
    Resume();
  }
}

void TMediaPlayer::PauseDevice() {
  CheckOpen();
  Request request;
  Send(MCI_PAUSE, MCI_WAIT, request, true);
}

void TMediaPlayer::Resume() {
  CheckOpen();
  Request request;
  if (Send(MCI_RESUME, MCI_NOTIFY, request, true) != 0) Play();
}

void TMediaPlayer::Stop() {
  CheckOpen();
  Request request;
  Send(MCI_STOP, MCI_WAIT, request, true);
}

void TMediaPlayer::SeekTo(uint32_t target) {
  Request request;
  request.to = target;
  Send(MCI_SEEK, MCI_WAIT | MCI_TO, request, true);
}

void TMediaPlayer::PlayOrSeek(uint32_t target) {
  if (Mode() == TMPModes::ModePlaying) {
    SetFromPosition(static_cast<int32_t>(target));
    Play();
    rule_button_ = TMPBtnType::btPlay;
  } else {
    SeekTo(target);
  }
}

void TMediaPlayer::Next() {
  CheckOpen();
  if (TimeFormat() != MCI_FORMAT_TMSF) {
    Request request;
    Send(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_END, request, true);
    return;
  }
  const int32_t track = static_cast<int32_t>(TmsfTrack(static_cast<uint32_t>(Position())));
  const int32_t tracks = Tracks();
  const int32_t target = track == tracks ? tracks : track + 1;
  PlayOrSeek(static_cast<uint32_t>(TrackStart(target)));
}

void TMediaPlayer::Previous() {
  CheckOpen();
  if (TimeFormat() != MCI_FORMAT_TMSF) {
    Request request;
    Send(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START, request, true);
    return;
  }
  const auto p = static_cast<uint32_t>(Position());
  const auto c = static_cast<uint32_t>(TrackStart(static_cast<int32_t>(TmsfTrack(p))));
  uint32_t target = c;
  if (TmsfTrack(p) != 1 && TmsfMinute(p) == TmsfMinute(c) && TmsfSecond(p) == TmsfSecond(c)) {
    target = static_cast<uint32_t>(TrackStart(static_cast<int32_t>(TmsfTrack(p)) - 1));
  }
  PlayOrSeek(target);
}

void TMediaPlayer::StepForward() {
  CheckOpen();
  if (!supports_video_) return;
  if (auto_rewind_) {
    const int32_t position = Position();
    if (position == Length()) Rewind();
  }
  Request request;
  request.frames = static_cast<uint32_t>(step_frames_);
  Send(MCI_STEP, MCI_WAIT | MCI_ANIM_STEP_FRAMES, request, true);
}

void TMediaPlayer::StepBack() {
  CheckOpen();
  if (!supports_video_) return;
  Request request;
  request.frames = static_cast<uint32_t>(step_frames_);
  Send(MCI_STEP, MCI_WAIT | MCI_ANIM_STEP_FRAMES | MCI_ANIM_STEP_REVERSE, request, true);
}

void TMediaPlayer::Record() {
  CheckOpen();
  SendFromArmedPosition(MCI_RECORD);
}

void TMediaPlayer::Eject() {
  CheckOpen();
  if (!supports_eject_) return;
  Request request;
  Send(MCI_SET, MCI_WAIT | MCI_SET_DOOR_OPEN, request, true);
}

void TMediaPlayer::Rewind() {
  CheckOpen();
  Request request;
  Send(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START, request, false);
}

int32_t TMediaPlayer::Position() {
  return static_cast<int32_t>(StatusItem(MCI_STATUS_POSITION, true));
}

void TMediaPlayer::SetPosition(int32_t value) {
  CheckOpen();
  SeekTo(static_cast<uint32_t>(value));
}

int32_t TMediaPlayer::Length() {
  CheckOpen();
  return static_cast<int32_t>(StatusItem(MCI_STATUS_LENGTH, true));
}

int32_t TMediaPlayer::Tracks() {
  CheckOpen();
  return static_cast<int32_t>(StatusItem(MCI_STATUS_NUMBER_OF_TRACKS, true));
}

TMPModes TMediaPlayer::Mode() {
  return static_cast<TMPModes>(static_cast<uint8_t>(StatusItem(MCI_STATUS_MODE, true) - 524));
}

int32_t TMediaPlayer::TimeFormat() {
  CheckOpen();
  return static_cast<int32_t>(StatusItem(MCI_STATUS_TIME_FORMAT, true) & 0xFF);
}

void TMediaPlayer::SetTimeFormat(int32_t value) {
  Request request;
  request.time_format = static_cast<uint32_t>(value);
  Send(MCI_SET, MCI_NOTIFY | MCI_SET_TIME_FORMAT, request, true);
}

int32_t TMediaPlayer::TrackStart(int32_t track) {
  Request request;
  request.item = MCI_STATUS_POSITION;
  request.track = static_cast<uint32_t>(track);
  if (Send(MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM | MCI_TRACK, request, false) != 0) return 0;
  return static_cast<int32_t>(request.return_value);
}

void TMediaPlayer::SetFromPosition(int32_t value) {
  from_position_ = value;
  from_armed_ = true;
}

void TMediaPlayer::Loaded() {
  if (auto_open_) Open();
}

void TMediaPlayer::SetDisplay(QWidget* value) {
  if (value == display_) return;
  if (value != nullptr && device_open_ && supports_video_) {
    ApplyDisplay(value);
  } else {
    QObject::disconnect(display_watch_);
    display_ = value;
  }
}

void TMediaPlayer::ApplyDisplay(QWidget* window) {
  if (window == nullptr) return;
  Request request;
  request.window = static_cast<uintptr_t>(window->winId());
  QObject::disconnect(display_watch_);
  if (Send(MCI_WINDOW, MCI_WAIT | MCI_ANIM_WINDOW_HWND, request, true) != 0) {
    display_ = nullptr;
    return;
  }
  display_ = window;
  display_watch_ = connect(window, &QObject::destroyed, this, [this] { DisplayDestroyed(); });
}

void TMediaPlayer::DisplayDestroyed() {
  if (device_open_ && supports_video_) {
    Request request;
    request.window = 0;
    Send(MCI_WINDOW, MCI_WAIT | MCI_ANIM_WINDOW_HWND, request, true);
  }
  display_ = nullptr;
}

bool TMediaPlayer::event(QEvent* e) {
  if (e->type() == NotifyEvent::EventType()) {
    HandleNotify(static_cast<NotifyEvent*>(e)->Code());
    return true;
  }
  return QWidget::event(e);
}

void TMediaPlayer::HandleNotify(uint32_t /*code*/) {
  Guard([this] {
    if (auto_enable_ && Mode() == TMPModes::ModeStopped) {
      if (supports_play_) auto_enabled_buttons_.Include(TMPBtnType::btPlay);
      if (supports_record_) auto_enabled_buttons_.Include(TMPBtnType::btRecord);
      auto_enabled_buttons_.Exclude(TMPBtnType::btPause);
      auto_enabled_buttons_.Exclude(TMPBtnType::btStop);
      UpdateBar();
    }
    if (on_notify_) on_notify_(this);
  });
  emit Notified();
}

}  // namespace qrv
