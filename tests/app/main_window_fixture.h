#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/start_up.h"
#include "controls/bit_btn.h"
#include "engine/mci/scripted_device.h"
#include "engine/orb_player.h"
#include "message_log.h"
#include "playlists/file_list_box.h"
#include "runtime/application.h"
#include "runtime/timer.h"
#include "runtime/widgets/gauge.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/track_bar.h"
#include "temp_prefix.h"

namespace qrv::test {

// An ID3v1 block with the given title and artist, padded with zero bytes.
std::string Id3v1Block(const std::string& title, const std::string& artist);

// The transport state as the controls show it.
struct TransportView {
  QString pause;
  QString seek;
  bool track_bar_shown;
  bool buttons_enabled;  // the six buttons other than seek1
  bool seek_enabled;
  bool advance_armed;

  bool operator==(const TransportView&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TransportView& view);

// All eleven windows over a scripted media device, a temporary drive c: with the data folder,
// and a playlist folder "c:\music" of three tagged files. Error boxes are recorded, not shown.
class MainWindowTest : public ::testing::Test {
 protected:
  static constexpr const char* kMusic = "c:\\music";

  void SetUp() override;
  void TearDown() override;

  // Creates the windows; tests that prepare the data folder first call it themselves.
  void StartProgram();

  TForm1& Main() { return *Form1; }
  mci::Script& Device() { return driver_->script(); }
  mci::ScriptedDriver& Driver() { return *driver_; }
  TempPrefix& Prefix() { return *prefix_; }

  // Points the playlist at the music folder and selects the entry as the user would, by a click.
  void Choose(int index);
  TransportView View();
  bool DevicePlaying() { return Device().mode == mci::MCI_MODE_PLAY; }
  // The messages shown since the last call.
  std::vector<std::string> TakeMessages();

  MessageLog message_log_;
  std::vector<std::string>& messages_ = message_log_.texts;

 private:
  std::unique_ptr<TempPrefix> prefix_;
  std::unique_ptr<mci::ScriptedDriver> driver_;
  std::unique_ptr<ApplicationWindows> windows_;
};

}  // namespace qrv::test
