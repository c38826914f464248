#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "mci/mci.h"

namespace qrv {

namespace mci {
struct Request;
}

enum class TMPDeviceTypes : uint8_t {
  dtAutoSelect,
  dtAVIVideo,
  dtCDAudio,
  dtDAT,
  dtDigitalVideo,
  dtMMMovie,
  dtOther,
  dtOverlay,
  dtScanner,
  dtSequencer,
  dtVCR,
  dtVideodisc,
  dtWaveAudio
};

// The name a device type is opened by; empty for automatic choice.
const char* DeviceTypeName(TMPDeviceTypes type);

enum class TMPBtnType : uint8_t {
  btPlay,
  btPause,
  btStop,
  btNext,
  btPrev,
  btStep,
  btBack,
  btRecord,
  btEject
};
constexpr int kButtonCount = 9;

// A set of bar buttons in 16 bits, bit n standing for the button of value n.
class TButtonSet {
 public:
  constexpr TButtonSet() = default;
  constexpr TButtonSet(std::initializer_list<TMPBtnType> buttons) {
    for (auto b : buttons) bits_ |= Bit(b);
  }
  static constexpr TButtonSet FromBits(uint16_t bits) {
    TButtonSet s;
    s.bits_ = bits & 0x1FF;
    return s;
  }
  static constexpr TButtonSet All() { return FromBits(511); }
  constexpr uint16_t Bits() const { return bits_; }
  constexpr bool Contains(TMPBtnType b) const { return (bits_ & Bit(b)) != 0; }
  constexpr void Include(TMPBtnType b) { bits_ |= Bit(b); }
  constexpr void Exclude(TMPBtnType b) { bits_ &= static_cast<uint16_t>(~Bit(b)); }
  constexpr bool operator==(const TButtonSet&) const = default;

 private:
  static constexpr uint16_t Bit(TMPBtnType b) {
    return static_cast<uint16_t>(1u << static_cast<unsigned>(b));
  }
  uint16_t bits_ = 0;
};

// The modes Mode reports: the device's mode code minus 524, as an 8-bit value.
enum class TMPModes : uint8_t {
  ModeNotReady,
  ModeStopped,
  ModePlaying,
  ModeRecording,
  ModeSeeking,
  ModePaused,
  ModeOpen
};

// Drives one media device at a time and carries a bar of nine transport buttons.
class TMediaPlayer : public QWidget {
  Q_OBJECT

 public:
  using EMPNotify = std::function<void(TMediaPlayer* sender, TMPBtnType button, bool& do_default)>;
  using EMPPostNotify = std::function<void(TMediaPlayer* sender, TMPBtnType button)>;
  using TNotifyEvent = std::function<void(TMediaPlayer* sender)>;

  explicit TMediaPlayer(QWidget* parent = nullptr);
  ~TMediaPlayer() override;

  // Published properties.
  TButtonSet ColoredButtons() const { return colored_buttons_; }
  void SetColoredButtons(TButtonSet value);
  TButtonSet EnabledButtons() const { return enabled_buttons_; }
  void SetEnabledButtons(TButtonSet value);
  TButtonSet VisibleButtons() const { return visible_buttons_; }
  void SetVisibleButtons(TButtonSet value);
  bool AutoEnable() const { return auto_enable_; }
  void SetAutoEnable(bool value);
  bool AutoOpen() const { return auto_open_; }
  void SetAutoOpen(bool value) { auto_open_ = value; }
  bool AutoRewind() const { return auto_rewind_; }
  void SetAutoRewind(bool value) { auto_rewind_ = value; }
  TMPDeviceTypes DeviceType() const { return device_type_; }
  void SetDeviceType(TMPDeviceTypes value) { device_type_ = value; }
  QWidget* Display() const { return display_; }
  void SetDisplay(QWidget* value);
  const std::string& FileName() const { return file_name_; }
  void SetFileName(const std::string& value) { file_name_ = value; }
  // The FileName the last successful Open played; a later Close keeps it, and a failed Open
  // clears it, so that a name the device refused is never taken for a file the player holds.
  const std::string& OpenedFileName() const { return opened_file_name_; }
  bool Shareable() const { return shareable_; }
  void SetShareable(bool value) { shareable_ = value; }
  // Visible unless explicitly hidden: a control placed on a window that is not shown yet still
  // counts as visible, as it will appear with the window.
  bool Visible() const {
    return !(testAttribute(Qt::WA_WState_ExplicitShowHide) && testAttribute(Qt::WA_WState_Hidden));
  }
  void SetVisible(bool value) { setVisible(value); }
  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool value);
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus); }
  void SetOnClick(EMPNotify handler) { on_click_ = std::move(handler); }
  void SetOnPostClick(EMPPostNotify handler) { on_post_click_ = std::move(handler); }
  void SetOnNotify(TNotifyEvent handler) { on_notify_ = std::move(handler); }

  // Run-time state.
  bool DeviceOpen() const { return device_open_; }
  uint16_t MciDeviceId() const { return device_id_; }
  uint32_t LastError() const { return last_error_; }
  int32_t FromPosition() const { return from_position_; }
  void SetFromPosition(int32_t value);
  int32_t StepFrames() const { return step_frames_; }
  bool SupportsPlay() const { return supports_play_; }
  bool SupportsRecord() const { return supports_record_; }
  bool SupportsEject() const { return supports_eject_; }
  bool SupportsVideo() const { return supports_video_; }
  bool SupportsStep() const { return supports_step_; }
  TButtonSet AutoEnabledButtons() const { return auto_enabled_buttons_; }
  // The text of LastError, or "Unknown error code" when it has none.
  std::string ErrorText() const;

  // Operations.
  void Open();
  void Close();
  void Play();
  void Pause();
  void PauseDevice();
  void Resume();
  void Stop();
  void Next();
  void Previous();
  void StepForward();
  void StepBack();
  void Record();
  void Eject();
  void Rewind();
  int32_t Position();
  void SetPosition(int32_t value);
  int32_t Length();
  int32_t Tracks();
  TMPModes Mode();
  int32_t TimeFormat();
  void SetTimeFormat(int32_t value);
  int32_t TrackStart(int32_t track);

  // The window definition has been read in: opens the device when AutoOpen is set.
  void Loaded();

  // Bar state, observable for tests and assistive technology.
  bool ButtonVisible(TMPBtnType b) const { return Btn(b).visible; }
  bool ButtonEnabled(TMPBtnType b) const;
  TMPBtnType FocusedButton() const { return focused_; }
  QRect ButtonRect(TMPBtnType b) const;
  // Clicks a bar button as the mouse would (used by the accessibility press action).
  void ClickButton(TMPBtnType button, bool by_mouse);
  // The bitmap the bar draws for a button now.
  const QPixmap& ButtonBitmap(TMPBtnType b) const;

 signals:
  // A command went to the device that may have moved or started it (open, play, seek and the
  // like; queries never). Whoever shows the position can look again at once.
  void Commanded();
  // The device has reported on a command sent with notification: it finished (the medium
  // played to its end), failed, or was cut short by a later command. The device may have
  // changed its mode by itself; whoever mirrors it looks again.
  void Notified();

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  struct Button {
    bool visible = true, enabled = true, colored = true, auto_enabled = false;
    QPixmap enabled_bitmap, disabled_bitmap, colored_bitmap;
  };
  Button& Btn(TMPBtnType b) { return buttons_[static_cast<size_t>(b)]; }
  const Button& Btn(TMPBtnType b) const { return buttons_[static_cast<size_t>(b)]; }

  void CheckOpen() const;
  uint32_t Send(uint32_t command, uint32_t flags, mci::Request& request, bool record);
  void SendFromArmedPosition(uint32_t command);
  uint32_t StatusItem(uint32_t item, bool record);
  void AskCapabilities();
  void ApplyDisplay(QWidget* window);
  void DisplayDestroyed();
  void HandleNotify(uint32_t code);
  void SeekTo(uint32_t target);
  void PlayOrSeek(uint32_t target);

  // Bar.
  void LoadBitmaps();
  void RunButton(TMPBtnType button);
  void ApplyAfterClickRule(TMPBtnType button);
  void UpdateBar();
  void AdjustBarSize();
  int VisibleCount() const;
  std::optional<TMPBtnType> ButtonAt(const QPoint& p) const;
  QSize MinimumButtonSize() const;

  TButtonSet colored_buttons_ = TButtonSet::All();
  TButtonSet enabled_buttons_ = TButtonSet::All();
  TButtonSet visible_buttons_ = TButtonSet::All();
  bool auto_enable_ = true;
  bool auto_open_ = false;
  bool auto_rewind_ = true;
  TMPDeviceTypes device_type_ = TMPDeviceTypes::dtAutoSelect;
  QPointer<QWidget> display_;
  QMetaObject::Connection display_watch_;
  std::string file_name_;
  std::string opened_file_name_;
  bool shareable_ = false;
  EMPNotify on_click_;
  EMPPostNotify on_post_click_;
  TNotifyEvent on_notify_;

  bool device_open_ = false;
  uint16_t device_id_ = 0;
  uint32_t last_error_ = 0;
  int32_t from_position_ = 0;
  bool from_armed_ = false;
  int32_t step_frames_ = 0;
  bool supports_play_ = false, supports_record_ = false, supports_eject_ = false;
  bool supports_video_ = false, supports_step_ = false;
  TButtonSet auto_enabled_buttons_;
  // The button whose after-click rule a bar click applies; Next and Previous turn into a click
  // on btPlay when they restart playback.
  TMPBtnType rule_button_ = TMPBtnType::btPlay;

  std::array<Button, kButtonCount> buttons_;
  TMPBtnType focused_ = TMPBtnType::btPlay;
  std::optional<TMPBtnType> pressed_;  // the button under a mouse press
  bool pressed_look_ = false;
};

}  // namespace qrv
