#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>
#include <utility>
#include <vector>

#include "engine/mci/scripted_device.h"
#include "engine/media_player.h"
#include "message_log.h"

namespace qrv::test {

using Call = std::pair<uint32_t, uint32_t>;  // command, flags
using CallList = std::vector<Call>;
// The flags of a plain status request.
inline constexpr uint32_t kStatus = mci::MCI_WAIT | mci::MCI_STATUS_ITEM;

// A player over the scripted device, with the escaped-error presenter recording messages.
class ScriptedPlayerTest : public ::testing::Test {
 protected:
  ScriptedPlayerTest() { player = std::make_unique<TMediaPlayer>(); }
  ~ScriptedPlayerTest() override { player.reset(); }

  mci::Script& script() { return driver.script(); }

  // Opens a file and forgets the requests of the open.
  void OpenFile() {
    player->SetFileName("c:\\music\\a.mp3");
    player->Open();
    driver.ClearLog();
  }

  std::vector<Call> Calls() const {
    std::vector<Call> calls;
    for (const auto& r : driver.Log()) calls.emplace_back(r.command, r.flags);
    return calls;
  }
  const mci::LoggedRequest& At(size_t i) const { return driver.Log().at(i); }

  mci::ScriptedDriver driver;
  std::unique_ptr<TMediaPlayer> player;
  MessageLog messages;
  std::vector<std::string>& shown = messages.texts;
};

}  // namespace qrv::test
