#include <gtest/gtest.h>

#include <QCoreApplication>
#include <set>

#include "engine/mci/device_table.h"
#include "engine/mci/disc/cd_time.h"
#include "engine/mci/mci.h"
#include "engine/mci/notify_recorder.h"
#include "engine/mci/scripted_device.h"

namespace qrv::mci {
namespace {

TEST(MciValues, StandardNumbers) {
  EXPECT_EQ(MCI_OPEN, 0x803u);
  EXPECT_EQ(MCI_RESUME, 0x855u);
  EXPECT_EQ(MCI_WINDOW, 0x841u);
  EXPECT_EQ(MCI_STATUS, 0x814u);
  EXPECT_EQ(MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_OPEN_SHAREABLE, 0x2300u);
  EXPECT_EQ(MM_MCINOTIFY, 0x3B9u);
  EXPECT_EQ(MCI_MODE_PAUSE - MCI_MODE_NOT_READY, 5u);
  EXPECT_EQ(MCIERR_OUTOFRANGE, 282u);
  EXPECT_EQ(MCIERR_FILE_NOT_FOUND, 275u);
}

TEST(MciErrorText, EveryCodeHasItsOwnText) {
  size_t count = 0;
  const uint32_t* codes = KnownErrorCodes(count);
  ASSERT_GT(count, 60u);
  std::set<std::string> texts;
  for (size_t i = 0; i < count; ++i) {
    std::string text;
    ASSERT_TRUE(GetErrorString(codes[i], text)) << codes[i];
    EXPECT_FALSE(text.empty());
    texts.insert(text);
  }
  // Two name-length codes share one wording; every other code reads differently.
  EXPECT_GE(texts.size(), count - 1);
  for (uint32_t code = MCIERR_BASE + 1; code <= MCIERR_NO_IDENTITY; ++code) {
    std::string text;
    const bool known = std::find(codes, codes + count, code) != codes + count;
    EXPECT_EQ(GetErrorString(code, text), known) << code;
  }
}

TEST(MciErrorText, UnknownCodeLeavesTextAlone) {
  std::string text = "before";
  EXPECT_FALSE(GetErrorString(9999, text));
  EXPECT_EQ(text, "before");
  EXPECT_FALSE(GetErrorString(258, text));
}

TEST(DeviceTable, HandsOutDistinctNonZeroIdsAndRoutes) {
  ScriptedDriver driver;
  Request a, b;
  ASSERT_EQ(SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, a), 0u);
  ASSERT_EQ(SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, b), 0u);
  EXPECT_NE(a.device_id, 0);
  EXPECT_NE(a.device_id, b.device_id);
  Request status;
  status.item = MCI_STATUS_LENGTH;
  EXPECT_EQ(SendCommand(b.device_id, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, status), 0u);
  EXPECT_EQ(status.return_value, 10000u);
  EXPECT_EQ(driver.Log().back().device, b.device_id);

  Request close;
  EXPECT_EQ(SendCommand(a.device_id, MCI_CLOSE, MCI_WAIT, close), 0u);
  EXPECT_EQ(SendCommand(a.device_id, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, status),
            MCIERR_INVALID_DEVICE_ID);
  EXPECT_EQ(SendCommand(0, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, status),
            MCIERR_INVALID_DEVICE_ID);
}

TEST(DeviceTable, FailedCloseKeepsTheDevice) {
  ScriptedDriver driver;
  Request open;
  ASSERT_EQ(SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, open), 0u);
  driver.script().failures[MCI_CLOSE] = MCIERR_DEVICE_LOCKED;
  Request close;
  EXPECT_EQ(SendCommand(open.device_id, MCI_CLOSE, MCI_WAIT, close), MCIERR_DEVICE_LOCKED);
  EXPECT_EQ(DeviceTable::Instance().OpenCount(), 1u);
  driver.script().failures.clear();
  EXPECT_EQ(SendCommand(open.device_id, MCI_CLOSE, MCI_WAIT, close), 0u);
  EXPECT_EQ(DeviceTable::Instance().OpenCount(), 0u);
}

TEST(ScriptedDevice, NotificationsSupersededAbortedAndSuccessful) {
  ScriptedDriver driver;
  test::NotifyRecorder window;
  Request open;
  ASSERT_EQ(SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, open), 0u);
  Request play;
  play.callback = &window;
  SendCommand(open.device_id, MCI_PLAY, MCI_NOTIFY, play);
  SendCommand(open.device_id, MCI_PLAY, MCI_NOTIFY, play);  // supersedes the first
  Request stop;
  SendCommand(open.device_id, MCI_STOP, MCI_WAIT, stop);  // aborts the second
  SendCommand(open.device_id, MCI_PLAY, MCI_NOTIFY, play);
  driver.Advance(4000);
  EXPECT_TRUE(window.received.empty()) << "notifications arrive through the event loop";
  driver.Advance(7000);
  QCoreApplication::sendPostedEvents(&window);
  using P = std::pair<uint32_t, DeviceId>;
  EXPECT_EQ(window.received, (std::vector<P>{{MCI_NOTIFY_SUPERSEDED, open.device_id},
                                             {MCI_NOTIFY_ABORTED, open.device_id},
                                             {MCI_NOTIFY_SUCCESSFUL, open.device_id}}));
  EXPECT_EQ(driver.script().position, driver.script().length);
}

TEST(ScriptedDevice, NotificationToADestroyedWindowIsDropped) {
  ScriptedDriver driver;
  Request open;
  ASSERT_EQ(SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, open), 0u);
  {
    test::NotifyRecorder window;
    Request play;
    play.callback = &window;
    SendCommand(open.device_id, MCI_PLAY, MCI_NOTIFY, play);
  }
  driver.FinishPlayback();
  QCoreApplication::sendPostedEvents();  // must not reach the destroyed window

  // A window created afterwards (possibly at the same address) sees only its own notice.
  test::NotifyRecorder later;
  Request play;
  play.callback = &later;
  SendCommand(open.device_id, MCI_PLAY, MCI_NOTIFY, play);
  driver.FinishPlayback();
  QCoreApplication::sendPostedEvents();
  using P = std::pair<uint32_t, DeviceId>;
  EXPECT_EQ(later.received, (std::vector<P>{{MCI_NOTIFY_SUCCESSFUL, open.device_id}}));
}

TEST(ScriptedDevice, OutOfRangeSeekLeavesThePosition) {
  ScriptedDriver driver;
  Request open;
  ASSERT_EQ(SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, open), 0u);
  Request seek;
  seek.to = 2500;
  EXPECT_EQ(SendCommand(open.device_id, MCI_SEEK, MCI_WAIT | MCI_TO, seek), 0u);
  seek.to = 10001;
  EXPECT_EQ(SendCommand(open.device_id, MCI_SEEK, MCI_WAIT | MCI_TO, seek), MCIERR_OUTOFRANGE);
  EXPECT_EQ(driver.script().position, 2500u);
}

TEST(CdTime, EverySectorsStartTimeNamesThatSectorAgain) {
  for (int64_t sector = 0; sector < 3 * kFramesPerSecond; ++sector) {
    EXPECT_EQ(NsToSectors(SectorsToNs(sector)), sector);
    EXPECT_EQ(NsToSectors(SectorsToNs(sector + 1) - 1), sector);  // rounds down
  }
  EXPECT_EQ(SectorsToMs(kLeadIn), 2000);
  EXPECT_EQ(MsToSectors(1999), 149);
  EXPECT_EQ(PackMsf(static_cast<int32_t>(MsfToSectors(61, 2, 74))), MakeMsf(61, 2, 74));
  EXPECT_EQ(NsToSectors(int64_t{24} * 3600 * kNsPerSecond), 24 * 3600 * 75);
}

}  // namespace
}  // namespace qrv::mci
